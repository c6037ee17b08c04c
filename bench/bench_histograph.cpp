// Full repaints of a 417 x 241 histograph (the size of the demonstration
// windows) showing one long Yt series of noise: with the pixel columns
// reduced to their first, lowest, highest and last value (the default), and
// drawing every value as one full polyline, for comparison.

#include <histograph/Histo.h>

#include <platform/Controls.h>

#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>
#include <random>
#include <vector>

using namespace Tessaron;

namespace {

struct TFixture {
    std::unique_ptr<TWinControl> Parent = std::make_unique<TWinControl>();
    THistograph* H;
    std::vector<float> Data;

    TFixture(int Count, bool Reduce)
    {
        Parent->SetBounds(0, 0, 440, 260);
        H = new THistograph(Parent.get());
        H->SetParent(Parent.get());
        H->SetBounds(0, 0, 417, 241);
        H->SetViewYMin(-1.5f);
        H->SetViewYMax(1.5f);
        H->SetViewYGap(0.5f);
        H->SetGridVisible(grdBoth);
        H->SetTitleTop(QStringLiteral("Tessaron Testprogramm"));
        H->SetTitleBottom(QStringLiteral("Zeit [s]"));
        H->SetTitleLeft(QStringLiteral("Spannung [V]"));
        H->SetReduceColumns(Reduce);
        std::mt19937 gen(1);
        std::normal_distribution<float> noise(0.0f, 0.4f);
        Data.resize(std::size_t(Count));
        for (std::size_t i = 0; i < Data.size(); ++i)
            Data[i] = std::sin(float(i) * 6.2831853f * 5 / float(Count)) + noise(gen);
        H->SetSeriesData(Data.data(), Count, 1);
        H->Repaint();  // fonts and buffers ready
    }
};

void Repaint(benchmark::State& State, bool Reduce)
{
    const int count = int(State.range(0));
    TFixture f(count, Reduce);
    for (auto _ : State) {
        f.H->Repaint();
        benchmark::DoNotOptimize(f.H->BackingImage().constBits());
    }
    State.SetItemsProcessed(State.iterations() * count);
}

void BM_RepaintYt(benchmark::State& State)
{
    Repaint(State, true);
}
BENCHMARK(BM_RepaintYt)->RangeMultiplier(10)->Range(1000, 10000000)->Unit(benchmark::kMillisecond);

void BM_RepaintYtFullPolyline(benchmark::State& State)
{
    Repaint(State, false);
}
BENCHMARK(BM_RepaintYtFullPolyline)->RangeMultiplier(10)->Range(1000, 10000000)->Unit(benchmark::kMillisecond);

// Zoomed into a hundredth of the nominal range: only the visible values count.
void BM_RepaintYtZoomed(benchmark::State& State)
{
    const int count = int(State.range(0));
    TFixture f(count, true);
    f.H->SetViewXCurrentMin(4.95f);
    f.H->SetViewXCurrentMax(5.05f);
    for (auto _ : State) {
        f.H->Repaint();
        benchmark::DoNotOptimize(f.H->BackingImage().constBits());
    }
}
BENCHMARK(BM_RepaintYtZoomed)->Arg(10000000)->Unit(benchmark::kMillisecond);

// The picture without any series: titles, axes, labels and grid.
void BM_RepaintEmpty(benchmark::State& State)
{
    TFixture f(2, true);
    f.H->SetSeriesData(nullptr, 0, 1);
    for (auto _ : State) {
        f.H->Repaint();
        benchmark::DoNotOptimize(f.H->BackingImage().constBits());
    }
}
BENCHMARK(BM_RepaintEmpty)->Unit(benchmark::kMillisecond);

// Snapping a measuring cross, as every mouse move and every paint with a
// visible cross does: the Yt value under a column is computed, XY pairs are
// found by bisection, so neither reads the whole series.
void Snap(benchmark::State& State, bool Pairs)
{
    const int count = int(State.range(0));
    TFixture f(2, true);
    std::vector<float> data(std::size_t(Pairs ? 2 * count : count));
    for (int i = 0; i < count; ++i) {
        if (Pairs) {
            data[2 * std::size_t(i)] = 10.0f * float(i) / float(count);
            data[2 * std::size_t(i) + 1] = std::sin(float(i));
        } else {
            data[std::size_t(i)] = std::sin(float(i));
        }
    }
    if (Pairs) {
        f.H->SetSeriesStyle(THistograph::dtDataXY);
        f.H->SetSeriesDataXY(data.data(), count, 1);
    } else {
        f.H->SetSeriesData(data.data(), count, 1);
    }
    int column = 70;
    THistograph::TSnap point;
    for (auto _ : State) {
        column = column < 370 ? column + 1 : 70;
        benchmark::DoNotOptimize(f.H->Snap(column, 120, point));
    }
}

void BM_SnapYt(benchmark::State& State)
{
    Snap(State, false);
}
BENCHMARK(BM_SnapYt)->RangeMultiplier(100)->Range(1000, 10000000);

void BM_SnapXY(benchmark::State& State)
{
    Snap(State, true);
}
BENCHMARK(BM_SnapXY)->RangeMultiplier(100)->Range(1000, 10000000);

} // namespace
