// Speed of the filter components on blocks of 1,000,000 samples, against the
// bound that each filter's recursion sets.
//
// Every output sample needs the previous one through a fixed chain of float
// operations (they are computed in the order written, so the chain cannot be
// shortened). With a float add taking 2 cycles and a multiply 3, the chains are:
//   RC low-pass and high-pass, s := (s - a*s) + x:          3 + 2 + 2 = 7 cycles
//   state-variable filter, band -> low -> high -> band:
//       F*band + low, x - low - D*band, F*high + band:        5 + 4 + 5 = 14 cycles
//   IIR low-pass and high-pass section, (p - c2*y1) - c3*y2: 3 + 2 + 2 = 7 cycles
//   IIR band-pass section, p - c2*y1 - c3*y2 - c4*y3 - c5*y4: 3 + 4*2 = 11 cycles
// The sections of a cascade only feed each other, so once they overlap the
// cascade is bound by one section's chain whatever the order.
//
// Counters: "cyc/sample" converts the (CPU) time per sample to cycles at the
// nominal clock of 3.3 GHz, "limit" is the chain above, "ratio" their
// quotient. The Clock benchmark measures the actual clock with a chain of
// dependent adds.
#include <filters/IIRFilt.h>
#include <filters/IIRKernel.h>
#include <filters/Rchigh.h>
#include <filters/Rclow.h>
#include <filters/SVFilt.h>

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

using namespace Tessaron;

namespace {

constexpr int Samples = 1000000;
constexpr double NominalClock = 3.3e9;

const std::vector<float>& Source()
{
    static const std::vector<float> source = [] {
        std::mt19937 gen(1);
        std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
        std::vector<float> v(Samples);
        for (float& x : v)
            x = dist(gen);
        return v;
    }();
    return source;
}

template <class Run>
void Measure(benchmark::State& state, double limitCycles, Run run)
{
    std::vector<float> data(Samples);
    for (auto _ : state) {
        state.PauseTiming();
        data = Source();
        state.ResumeTiming();
        run(data.data(), Samples);
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    const double samples = double(state.iterations()) * Samples;
    state.SetItemsProcessed(int64_t(samples));
    using benchmark::Counter;
    state.counters["cyc/sample"] = Counter(samples / NominalClock, Counter::kIsRate | Counter::kInvert);
    state.counters["limit"] = limitCycles;
    state.counters["ratio"] = Counter(samples * limitCycles / NominalClock, Counter::kIsRate | Counter::kInvert);
}

void Clock(benchmark::State& state)
{
    // A float add takes 2 cycles and the chain cannot be reordered.
    float x = 1.0f;
    float step = 1e-9f;
    benchmark::DoNotOptimize(step);
    constexpr int Adds = 10000000;
    for (auto _ : state) {
        for (int i = 0; i < Adds; ++i)
            x = x + step;
        benchmark::DoNotOptimize(x);
    }
    state.counters["GHz"] =
        benchmark::Counter(2.0 * Adds * double(state.iterations()) / 1e9, benchmark::Counter::kIsRate);
}
BENCHMARK(Clock)->Unit(benchmark::kMillisecond);

void RCLowpass(benchmark::State& state)
{
    TRCLowpass f;
    f.SetSampleFrequency(1000);
    f.SetCutoffFrequency(20);
    Measure(state, 7, [&](float* d, int n) { f.Filter(d, n); });
}
BENCHMARK(RCLowpass)->Unit(benchmark::kMillisecond);

void RCHighpass(benchmark::State& state)
{
    TRCHighpass f;
    f.SetSampleFrequency(1000);
    f.SetCutoffFrequency(20);
    Measure(state, 7, [&](float* d, int n) { f.Filter(d, n); });
}
BENCHMARK(RCHighpass)->Unit(benchmark::kMillisecond);

void StateVariable(benchmark::State& state)
{
    TStateVariableFilter f;
    f.SetSampleFrequency(1000);
    f.SetCutoffFrequency(20);
    f.SetQ(2);
    f.SetFilterOutput(TFilterOutput(state.range(0)));
    const char* names[] = {"foLowPass", "foBandPass", "foHighPass", "foNotch"};
    state.SetLabel(names[state.range(0)]);
    Measure(state, 14, [&](float* d, int n) { f.Filter(d, n); });
}
BENCHMARK(StateVariable)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

const char* OutputName(int output)
{
    const char* names[] = {"iirLowPass", "iirBandPass", "iirHighPass"};
    return names[output];
}

// Args: Order, FilterOutput.
void IIRFilter(benchmark::State& state)
{
    TIIRFilter f;
    f.SetSampleFrequency(1000);
    f.SetCutoffFrequency(50);
    f.SetCutoffHighFrequency(120);
    f.SetOrder(int(state.range(0)));
    f.SetFilterOutput(TIirFilterOutput(state.range(1)));
    state.SetLabel(OutputName(int(state.range(1))));
    Measure(state, state.range(1) == iirBandPass ? 11 : 7, [&](float* d, int n) { f.Filter(d, n); });
}
BENCHMARK(IIRFilter)->ArgsProduct({{2, 4, 10}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

// The serial loop alone, for comparison: the filter takes it up to two
// sections and the pipelined one beyond.
void IIRSerial(benchmark::State& state)
{
    const int sections = int(state.range(0)) / 2;
    const auto shape = IIRKernel::TShape(state.range(1));
    IIRKernel::TCoefficients coeff = {};
    IIRKernel::TDelayTable delay = {};
    IIRKernel::Design(shape, sections, 1000, 50, 120, coeff);
    const char* names[] = {"low-pass", "high-pass", "band-pass"};
    state.SetLabel(names[state.range(1)]);
    Measure(state, shape == IIRKernel::TShape::BandPass ? 11 : 7, [&](float* d, int n) {
        IIRKernel::FilterSerial(shape, sections, coeff, delay, d, n);
    });
}
BENCHMARK(IIRSerial)->ArgsProduct({{4, 10}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
