// Speed of TFFT::Transform beside FFTW and KissFFT, single thread, complex
// single precision, in place, N = 1024 .. 65536.
//
//   BM_Transform/<N>        TFFT::Transform, forward (kernel chosen at run time)
//   BM_Kernel_<Set>/<N>     the same transform on one instruction set
//   BM_FFTW_Measure/<N>     fftwf, plan FFTW_MEASURE, in place
//   BM_FFTW_Estimate/<N>    fftwf, plan FFTW_ESTIMATE, in place
//   BM_KissFFT/<N>          kiss_fft, in place
//
// Every case transforms the same random input: before each iteration the
// input is copied into the work buffer, outside the measured time (a repeated
// in-place transform would otherwise drift into huge, subnormal or NaN
// values, which run at different speeds). At the end the ratios of the best
// times of BM_Transform to BM_FFTW_Measure are printed per N; run with
// --benchmark_repetitions=5 for steadier figures.
//
// FFTW and KissFFT are optional (libfftw3-dev, libkissfft-dev); without them
// their cases report that they were left out.

#include <analysis/FFT.h>
#include <analysis/FFTKernels.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#if defined(TESSARON_BENCH_FFTW)
#include <fftw3.h>
#endif
#if defined(TESSARON_BENCH_KISSFFT)
#include <kiss_fft.h>
#endif

using namespace Tessaron;

namespace {

using Clock = std::chrono::steady_clock;

std::vector<float> RandomValues(std::size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<float> d(-1.0f, 1.0f);
    std::vector<float> x(n);
    for (float& v : x)
        v = d(gen);
    return x;
}

int ExponentOf(std::int64_t n)
{
    int e = 0;
    while ((std::int64_t(1) << e) < n)
        ++e;
    return e;
}

// Runs the benchmark loop: Reset (not timed), then Run (timed). Besides the
// mean time the fastest single iteration is kept ("best_us"): on a machine
// shared with other work it is the steadier figure.
template <typename ResetFn, typename RunFn>
void TimedLoop(benchmark::State& state, ResetFn reset, RunFn run)
{
    double best = 0.0;
    for (auto _ : state) {
        reset();
        const auto start = Clock::now();
        run();
        const auto stop = Clock::now();
        const double seconds = std::chrono::duration<double>(stop - start).count();
        state.SetIterationTime(seconds);
        if (best == 0.0 || seconds < best)
            best = seconds;
    }
    const double n = double(state.range(0));
    state.counters["MFlops"] = benchmark::Counter(5.0 * n * ExponentOf(state.range(0)) * 1e-6,
                                                  benchmark::Counter::kIsIterationInvariantRate);
    state.counters["best_us"] = best * 1e6;
}

void BM_Transform(benchmark::State& state)
{
    const auto n = std::int32_t(state.range(0));
    TFFT fft;
    fft.SetExponent(ExponentOf(n));
    TComplexVector input(n), work(n);
    const std::vector<float> re = RandomValues(std::size_t(n), 1), im = RandomValues(std::size_t(n), 2);
    std::copy(re.begin(), re.end(), input.Re()->Data());
    std::copy(im.begin(), im.end(), input.Im()->Data());
    TimedLoop(
        state, [&] { CopyComplexVector(&work, &input); }, [&] { fft.Transform(&work, false); });
}

void KernelCase(benchmark::State& state, FFTKernels::TInstructionSet set)
{
    const FFTKernels::TRadix2Kernel kernel = FFTKernels::KernelFor(set);
    if (!kernel) {
        state.SkipWithError("instruction set not available on this processor");
        return;
    }
    const auto n = std::size_t(state.range(0));
    const int exponent = ExponentOf(state.range(0));
    // The per-stage twiddles the component gives its kernel.
    const long double pi = std::numbers::pi_v<long double>;
    std::vector<float> table(2 * n), stageCos(n), stageSin(n);
    for (std::size_t i = 0; i < n; ++i) {
        table[i] = float(std::cos(pi * (long double)i / (long double)n));
        table[n + i] = float(std::sin(pi * (long double)i / (long double)n));
    }
    for (std::size_t h = 1; h < n; h *= 2)
        for (std::size_t k = 0; k < h; ++k) {
            stageCos[h + k] = table[k * (n / h)];
            stageSin[h + k] = table[n + k * (n / h)];
        }
    const std::vector<float> re0 = RandomValues(n, 1), im0 = RandomValues(n, 2);
    TComplexVector work{std::int32_t(n)}; // aligned like every vector of the component
    float* re = work.Re()->Data();
    float* im = work.Im()->Data();
    TimedLoop(
        state,
        [&] {
            std::memcpy(re, re0.data(), n * sizeof(float));
            std::memcpy(im, im0.data(), n * sizeof(float));
        },
        [&] { kernel(re, im, exponent, stageCos.data(), stageSin.data(), false); });
}

void BM_Kernel_Scalar(benchmark::State& state) { KernelCase(state, FFTKernels::TInstructionSet::Scalar); }
void BM_Kernel_Sse2(benchmark::State& state) { KernelCase(state, FFTKernels::TInstructionSet::Sse2); }
void BM_Kernel_Avx2(benchmark::State& state) { KernelCase(state, FFTKernels::TInstructionSet::Avx2); }
void BM_Kernel_Avx512(benchmark::State& state) { KernelCase(state, FFTKernels::TInstructionSet::Avx512); }

#if defined(TESSARON_BENCH_FFTW)
void FftwCase(benchmark::State& state, unsigned flags)
{
    const auto n = std::size_t(state.range(0));
    auto* input = static_cast<fftwf_complex*>(fftwf_malloc(sizeof(fftwf_complex) * n));
    auto* work = static_cast<fftwf_complex*>(fftwf_malloc(sizeof(fftwf_complex) * n));
    // Planning with FFTW_MEASURE overwrites the buffer: plan first, fill after.
    fftwf_plan plan = fftwf_plan_dft_1d(int(n), work, work, FFTW_FORWARD, flags);
    const std::vector<float> re = RandomValues(n, 1), im = RandomValues(n, 2);
    for (std::size_t i = 0; i < n; ++i) {
        input[i][0] = re[i];
        input[i][1] = im[i];
    }
    TimedLoop(
        state, [&] { std::memcpy(work, input, sizeof(fftwf_complex) * n); },
        [&] { fftwf_execute(plan); });
    fftwf_destroy_plan(plan);
    fftwf_free(work);
    fftwf_free(input);
}
void BM_FFTW_Measure(benchmark::State& state) { FftwCase(state, FFTW_MEASURE); }
void BM_FFTW_Estimate(benchmark::State& state) { FftwCase(state, FFTW_ESTIMATE); }
#else
void BM_FFTW_Measure(benchmark::State& state)
{
    state.SkipWithError("built without FFTW (install libfftw3-dev)");
}
void BM_FFTW_Estimate(benchmark::State& state)
{
    state.SkipWithError("built without FFTW (install libfftw3-dev)");
}
#endif

#if defined(TESSARON_BENCH_KISSFFT)
void BM_KissFFT(benchmark::State& state)
{
    const auto n = std::size_t(state.range(0));
    kiss_fft_cfg cfg = kiss_fft_alloc(int(n), 0, nullptr, nullptr);
    std::vector<kiss_fft_cpx> input(n), work(n);
    const std::vector<float> re = RandomValues(n, 1), im = RandomValues(n, 2);
    for (std::size_t i = 0; i < n; ++i)
        input[i] = kiss_fft_cpx{re[i], im[i]};
    TimedLoop(
        state, [&] { std::copy(input.begin(), input.end(), work.begin()); },
        [&] { kiss_fft(cfg, work.data(), work.data()); });
    kiss_fft_free(cfg);
}
#else
void BM_KissFFT(benchmark::State& state)
{
    state.SkipWithError("built without KissFFT (install libkissfft-dev)");
}
#endif

double Minimum(const std::vector<double>& v)
{
    return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}

void Sizes(benchmark::internal::Benchmark* b)
{
    for (int n : {1024, 4096, 16384, 65536})
        b->Arg(n);
    b->UseManualTime()->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", Minimum);
}

BENCHMARK(BM_Transform)->Apply(Sizes);
BENCHMARK(BM_FFTW_Measure)->Apply(Sizes);
BENCHMARK(BM_FFTW_Estimate)->Apply(Sizes);
BENCHMARK(BM_KissFFT)->Apply(Sizes);
BENCHMARK(BM_Kernel_Avx512)->Apply(Sizes);
BENCHMARK(BM_Kernel_Avx2)->Apply(Sizes);
BENCHMARK(BM_Kernel_Sse2)->Apply(Sizes);
BENCHMARK(BM_Kernel_Scalar)->Apply(Sizes);

// The console output, followed by the ratios to FFTW_MEASURE: of the mean
// times (the best repetition) and of the fastest single iterations.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override
    {
        ConsoleReporter::ReportRuns(reports);
        for (const Run& run : reports) {
            // Single repetitions, or the "min" aggregate when only the
            // aggregates are reported.
            const bool usable = run.run_type == Run::RT_Iteration
                || (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min");
            if (run.error_occurred || !usable)
                continue;
            TTimes& times = FTimes[run.run_name.function_name][std::stoll(run.run_name.args)];
            Keep(times.Mean, run.GetAdjustedRealTime());
            const auto best = run.counters.find("best_us");
            if (best != run.counters.end())
                Keep(times.Best, best->second.value);
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto fftw = FTimes.find("BM_FFTW_Measure");
        if (fftw == FTimes.end()) {
            std::printf("\nNo FFTW_MEASURE figures: ratios not available.\n");
            return;
        }
        std::printf("\nTime relative to FFTW_MEASURE in the same run (mean / fastest iteration):\n");
        for (const auto& [name, sizes] : FTimes) {
            if (name == "BM_FFTW_Measure")
                continue;
            std::printf("  %-18s", name.c_str());
            for (const auto& [n, t] : sizes) {
                const auto ref = fftw->second.find(n);
                if (ref != fftw->second.end() && ref->second.Mean > 0 && ref->second.Best > 0)
                    std::printf("  N=%lld: %.2fx / %.2fx", n, t.Mean / ref->second.Mean,
                                t.Best / ref->second.Best);
            }
            std::printf("\n");
        }
    }

private:
    struct TTimes {
        double Mean = 0.0;
        double Best = 0.0;
    };
    static void Keep(double& kept, double t)
    {
        if (kept == 0.0 || t < kept)
            kept = t;
    }
    std::map<std::string, std::map<long long, TTimes>> FTimes;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
#if !defined(TESSARON_BENCH_FFTW)
    std::printf("bench_fft: built without FFTW (libfftw3-dev); its cases are skipped.\n");
#endif
#if !defined(TESSARON_BENCH_KISSFFT)
    std::printf("bench_fft: built without KissFFT (libkissfft-dev); its cases are skipped.\n");
#endif
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
