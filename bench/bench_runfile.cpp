// Run files: logging throughput of TFastlog and of the strip chart, the
// reader positioning in a large run and reading one window, the chart's
// ShowAtTime in a large run, and the tool's CSV export. The argument is the
// size of the run in MiB (8 series); the files live in the temporary folder
// and are deleted when the program ends. A short run:
//   bench_runfile --benchmark_filter='/64(/|$)'

#include <stripchart/Fastlog.h>
#include <stripchart/RemarkFile.h>
#include <stripchart/RunFile.h>
#include <stripchart/RunTools.h>
#include <stripchart/StrpChrt.h>

#include <platform/Controls.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include <unistd.h>

using namespace Tessaron;

namespace {

constexpr int Series = 8;
constexpr int CallSize = 1000; // samples per series and AddSamples call

std::string TempFile(const std::string& Name)
{
    return (QDir::tempPath() + QStringLiteral("/tessaron-bench-") + QString::number(::getpid()) + QStringLiteral("-")
               + QString::fromStdString(Name))
        .toStdString();
}

// Logs MiB mebibytes of samples (8 series) into Path in calls of 1000 samples.
std::int64_t LogRun(const std::string& Path, std::int64_t MiB)
{
    static std::vector<std::vector<float>> data = [] {
        std::vector<std::vector<float>> d(Series, std::vector<float>(CallSize));
        std::mt19937 rng(1);
        for (auto& s : d)
            for (float& v : s)
                v = float(rng() % 1000) * 0.01f;
        return d;
    }();
    TSeriesData ptrs{};
    for (int s = 0; s < Series; ++s)
        ptrs[s] = data[s].data();
    const std::int64_t samples = MiB * 1024 * 1024 / (Series * 4);
    std::remove(Path.c_str());
    TFastlog log;
    log.SetSeriesNumber(Series);
    log.SetLogTimeIncrement(0.001);
    if (!log.StartLogging(QString::fromStdString(Path), QStringLiteral("bench")))
        return 0;
    for (std::int64_t done = 0; done < samples; done += CallSize)
        log.AddSamples(ptrs, Series, int(std::min<std::int64_t>(CallSize, samples - done)));
    log.StopLogging();
    return samples;
}

// One logged file per size, shared by the reading benchmarks and deleted at exit.
struct TRunFiles {
    std::map<std::int64_t, std::string> Paths;
    const std::string& Get(std::int64_t MiB)
    {
        auto it = Paths.find(MiB);
        if (it == Paths.end()) {
            const std::string path = TempFile("read-" + std::to_string(MiB) + ".ddt");
            LogRun(path, MiB);
            it = Paths.emplace(MiB, path).first;
        }
        return it->second;
    }
    ~TRunFiles()
    {
        for (const auto& [size, path] : Paths) {
            std::remove(path.c_str());
            std::remove(TRemarkFile::PathFor(path).c_str());
        }
    }
};

TRunFiles& Files()
{
    static TRunFiles files;
    return files;
}

void BM_FastlogThroughput(benchmark::State& State)
{
    const std::string path = TempFile("log.ddt");
    std::int64_t samples = 0;
    for (auto _ : State)
        samples += LogRun(path, State.range(0));
    std::remove(path.c_str());
    std::remove(TRemarkFile::PathFor(path).c_str());
    State.SetBytesProcessed(samples * Series * 4);
}
BENCHMARK(BM_FastlogThroughput)->Arg(64)->Arg(1024)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The reader's part of showing a stored run at a time: find the block by
// arithmetic, check its header, read a window of 512 samples of 8 series
// (across a block boundary where it falls). Every call reads from the file.
void BM_ReadWindowAtTime(benchmark::State& State)
{
    TRunFileReader reader;
    TRunInfo run;
    if (!reader.Open(Files().Get(State.range(0))) || !reader.FindRun(1, run)) {
        State.SkipWithError("no run file");
        return;
    }
    std::vector<float> buffer(Series * 512);
    float* dest[Series];
    for (int s = 0; s < Series; ++s)
        dest[s] = buffer.data() + s * 512;
    std::mt19937_64 rng(7);
    std::uniform_int_distribution<std::int64_t> index(0, run.SampleCount - 512);
    for (auto _ : State) {
        TReadStatus status;
        const double t = run.StartTime + double(index(rng)) * run.Increment;
        benchmark::DoNotOptimize(reader.ReadAtTime(run, t, 512, dest, Series, status));
    }
    State.counters["samples"] = double(run.SampleCount);
}
BENCHMARK(BM_ReadWindowAtTime)->Arg(64)->Arg(1024)->Unit(benchmark::kMicrosecond);

// tessaron-runs export of the whole run (CSV to /dev/null); bytes are those
// of the run file.
void BM_Export(benchmark::State& State)
{
    const std::string& path = Files().Get(State.range(0));
    for (auto _ : State) {
        std::FILE* out = std::fopen("/dev/null", "wb");
        std::string error;
        if (!RunTools::ExportRun(path, 1, out, nullptr, error))
            State.SkipWithError(error.c_str());
        std::fclose(out);
    }
    State.SetBytesProcessed(State.iterations() * State.range(0) * 1024 * 1024);
}
BENCHMARK(BM_Export)->Arg(64)->Arg(1024)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// A strip chart of 8 series on a hidden parent.
struct TChartHost {
    std::unique_ptr<TWinControl> Parent = std::make_unique<TWinControl>();
    TStripChart* C = nullptr;
    TChartHost()
    {
        Parent->SetBounds(0, 0, 437, 253);
        C = new TStripChart(Parent.get());
        C->SetParent(Parent.get());
        C->SetBounds(0, 0, 417, 233);
        C->SetSeriesNumber(Series);
        C->SetLogTimeIncrement(0.001);
        C->SetVisible(false);
    }
};

// The chart logging 8 series in calls of 1000 samples (display hidden):
// the writer's cache and blocks, the range check's test for a handler, the
// display buffer.
void BM_ChartLogThroughput(benchmark::State& State)
{
    const std::string path = TempFile("chart.ddt");
    std::vector<std::vector<float>> data(Series, std::vector<float>(CallSize, 1.5f));
    TSeriesData ptrs{};
    for (int s = 0; s < Series; ++s)
        ptrs[s] = data[s].data();
    const std::int64_t samples = State.range(0) * 1024 * 1024 / (Series * 4);
    std::int64_t total = 0;
    for (auto _ : State) {
        std::remove(path.c_str());
        TChartHost host;
        if (!host.C->StartLogging(QString::fromStdString(path), QStringLiteral("bench"))) {
            State.SkipWithError("cannot log");
            return;
        }
        for (std::int64_t done = 0; done < samples; done += CallSize)
            host.C->AddSamples(ptrs, Series, int(std::min<std::int64_t>(CallSize, samples - done)));
        host.C->StopLogging();
        total += samples;
    }
    std::remove(path.c_str());
    std::remove((path.substr(0, path.size() - 4) + ".DDD").c_str());
    State.SetBytesProcessed(total * Series * 4);
}
BENCHMARK(BM_ChartLogThroughput)->Arg(64)->Arg(1024)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The chart's ShowAtTime to random times of a large stored run: nearly every
// call refills the buffer (1024 samples of 8 series) from the file and lays
// out and invalidates the picture (the paint itself is not part of it).
void BM_ShowAtTime(benchmark::State& State)
{
    TChartHost host;
    if (!host.C->StartPlaying(QString::fromStdString(Files().Get(State.range(0))))) {
        State.SkipWithError("no run file");
        return;
    }
    const TRunInfo run = host.C->ShownRun();
    std::mt19937_64 rng(11);
    std::uniform_int_distribution<std::int64_t> index(0, run.SampleCount - 1);
    for (auto _ : State)
        benchmark::DoNotOptimize(host.C->ShowAtTime(false, run.StartTime + double(index(rng)) * run.Increment));
    State.counters["samples"] = double(run.SampleCount);
}
BENCHMARK(BM_ShowAtTime)->Arg(64)->Arg(1024)->Unit(benchmark::kMicrosecond);

} // namespace
