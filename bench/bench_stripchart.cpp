// Live feeding of an eight-series strip chart: microseconds per AddSamples
// call including its drawing and the update of the shown window (on the
// offscreen platform its backing store stands for the screen). The
// ...PictureOnly cases feed a chart without a window: its own work alone.
// BM_AddSamples scrolls the picture and draws only the uncovered strip;
// BM_AddSamplesFullRepaint feeds the same blocks and repaints the whole chart
// after each call. Demo: the demonstration's chart (417 x 233, window 512,
// blocks of 10); Large: 1600 x 400, window 4096, blocks of 100. The counters
// break a call down (microseconds): scroll, strip (the new strip of the plot),
// labels (X label band and caption), copy (Qt painting the changed areas of
// the window from the chart's picture), in processor time of the thread;
// compare with the CPU column. The scroll moves the picture and the window's
// pixels; the copy is then only the uncovered strips.

#include <stripchart/StrpChrt.h>

#include <platform/Controls.h>

#include <benchmark/benchmark.h>

#include <QApplication>

#include <ctime>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace Tessaron;

namespace {

struct TCase {
    int Width, Height, Window, Buffer, Block;
    bool Shown = true; // false: the chart's picture only, no window
};
const TCase kDemo{417, 233, 512, 1024, 10};
const TCase kLarge{1600, 400, 4096, 8192, 100};
const TCase kDemoPicture{417, 233, 512, 1024, 10, false};
const TCase kLargePicture{1600, 400, 4096, 8192, 100, false};

// Processor time of this thread (the machine is shared: wall time there
// includes waiting for a core).
qint64 Now()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

struct TFixture {
    std::unique_ptr<TWinControl> Parent = std::make_unique<TWinControl>();
    TStripChart* C;
    TCase Case;
    // Random blocks, fed in turn.
    std::vector<std::vector<float>> Data;
    int Next = 0;

    explicit TFixture(const TCase& K) : Case(K)
    {
        Parent->SetBounds(0, 0, K.Width + 20, K.Height + 20);
        C = new TStripChart(Parent.get());
        C->SetParent(Parent.get());
        C->SetBounds(0, 0, K.Width, K.Height);
        C->SetSeriesNumber(8);
        for (int s = 1; s <= 8; ++s) {
            C->SetSeriesCurrent(s);
            C->SetSeriesColor(TColor(RGB(30 * s, 255 - 30 * s, 90 * (s % 3))));
        }
        C->SetSamplesPerBuffer(K.Buffer);
        C->SetSamplesPerWindow(K.Window);
        C->SetLogTimeIncrement(0.005);
        C->SetViewXGap(0.5);
        C->SetGridVisible(grdBoth);
        C->SetTitleTop(QStringLiteral("8-Kanal Schreiber"));
        C->SetTitleLeft(QStringLiteral("Spannung [V]"));
        std::mt19937 gen(1);
        std::uniform_real_distribution<float> random(0.0f, 10.0f);
        Data.resize(8 * 64);
        for (auto& block : Data) {
            block.resize(std::size_t(K.Block));
            for (float& v : block)
                v = random(gen);
        }
        if (K.Shown)
            Parent->Widget()->show();
        QCoreApplication::processEvents();
        C->Repaint();
        // A full window before measuring.
        for (int i = 0; i < K.Window / K.Block + 1; ++i)
            Feed();
        C->Repaint();
        Copy();
    }

    void Feed()
    {
        std::array<const float*, 8> data{};
        for (int s = 0; s < 8; ++s)
            data[std::size_t(s)] = Data[std::size_t((Next * 8 + s) % int(Data.size()))].data();
        ++Next;
        C->AddSamples(data, 8, Case.Block);
    }

    // The window shows what changed: Qt paints the pending areas, handling
    // what is posted as its event loop would.
    static void Copy() { QCoreApplication::sendPostedEvents(); }
};

void AddSamples(benchmark::State& State, const TCase& K)
{
    TFixture f(K);
    f.C->SetCollectStats(true);
    const TStripChart::TScrollStats before = f.C->ScrollStats();
    qint64 copy = 0;
    for (auto _ : State) {
        f.Feed();
        const qint64 t = Now();
        f.Copy();
        copy += Now() - t;
    }
    const TStripChart::TScrollStats& after = f.C->ScrollStats();
    const double calls = double(after.Calls - before.Calls);
    State.counters["scroll"] = double(after.Scroll - before.Scroll) / calls / 1000;
    State.counters["strip"] = double(after.Strip - before.Strip) / calls / 1000;
    State.counters["labels"] = double(after.Labels - before.Labels) / calls / 1000;
    State.counters["copy"] = double(copy) / double(State.iterations()) / 1000;
}

void AddSamplesFullRepaint(benchmark::State& State, const TCase& K)
{
    TFixture f(K);
    qint64 paint = 0;
    qint64 copy = 0;
    for (auto _ : State) {
        // The same feed, but the whole chart is painted after each call.
        f.C->SetEnableUpdate(false);
        f.Feed();
        f.C->SetEnableUpdate(true);
        const qint64 t0 = Now();
        f.C->Update();
        const qint64 t1 = Now();
        f.Copy();
        copy += Now() - t1;
        paint += t1 - t0;
    }
    State.counters["paint"] = double(paint) / double(State.iterations()) / 1000;
    State.counters["copy"] = double(copy) / double(State.iterations()) / 1000;
}

// BM_AddSamples/Demo ... BM_AddSamplesFullRepaint/LargePictureOnly.
const bool kRegistered = [] {
    const std::pair<const char*, void (*)(benchmark::State&, const TCase&)> feeds[] = {
        {"BM_AddSamples", AddSamples}, {"BM_AddSamplesFullRepaint", AddSamplesFullRepaint}};
    const std::pair<const char*, const TCase*> cases[] = {
        {"Demo", &kDemo}, {"Large", &kLarge}, {"DemoPictureOnly", &kDemoPicture}, {"LargePictureOnly", &kLargePicture}};
    for (const auto& [feed, run] : feeds)
        for (const auto& [name, k] : cases)
            benchmark::RegisterBenchmark((std::string(feed) + "/" + name).c_str(),
                [run = run, k = k](benchmark::State& State) { run(State, *k); })
                ->Unit(benchmark::kMicrosecond);
    return true;
}();

} // namespace
