#include "filters/IIRKernel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#if defined(__x86_64__) || defined(__i386__)
#define TESSARON_IIR_AVX2 1
#include <immintrin.h>
#endif

namespace Tessaron::IIRKernel {

namespace {

// History values per row: x[k-1], x[k-2] for the second-order sections,
// x[k-1] .. x[k-4] for the band-pass sections.
template <TShape Shape>
constexpr int HistoryLength = Shape == TShape::BandPass ? 4 : 2;

// One section's new output from its input x0, its input history x (x[0] the
// newest) and its output history y, in the order of the plain algorithm.
template <TShape Shape>
inline float SectionOutput(const float* c, float x0, const float* x, const float* y)
{
    if constexpr (Shape == TShape::LowPass) {
        const float p = (x0 + 2.0f * x[0] + x[1]) * c[0];
        return p - c[1] * y[0] - c[2] * y[1];
    } else if constexpr (Shape == TShape::HighPass) {
        const float p = (x0 - 2.0f * x[0] + x[1]) * c[0];
        return p - c[1] * y[0] - c[2] * y[1];
    } else {
        const float p = (x0 - 2.0f * x[1] + x[3]) * c[0];
        return p - c[1] * y[0] - c[2] * y[1] - c[3] * y[2] - c[4] * y[3];
    }
}

template <TShape Shape, int N>
void SerialKernel(const TCoefficients& Coeff, TDelayTable& Delay, float* Data, int Count)
{
    constexpr int H = HistoryLength<Shape>;
    float c[N][5];
    float h[N + 1][H]; // h[r][0] newest
    for (int s = 0; s < N; ++s)
        for (int j = 0; j < 5; ++j)
            c[s][j] = Coeff[s][j];
    for (int r = 0; r <= N; ++r)
        for (int j = 0; j < H; ++j)
            h[r][j] = Delay[r][H - 1 - j];

    // Fully unrolled, so that the histories live in registers; the processor
    // then overlaps the sections of consecutive samples by itself.
    for (int i = 0; i < Count; ++i) {
        float in = Data[i];
#pragma GCC unroll 8
        for (int s = 0; s < N; ++s) {
            const float y = SectionOutput<Shape>(c[s], in, h[s], h[s + 1]);
#pragma GCC unroll 8
            for (int j = H - 1; j > 0; --j)
                h[s][j] = h[s][j - 1];
            h[s][0] = in;
            in = y;
        }
#pragma GCC unroll 8
        for (int j = H - 1; j > 0; --j)
            h[N][j] = h[N][j - 1];
        h[N][0] = in;
        Data[i] = in;
    }

    // After the shift the newest value is held twice: at the newest index and
    // the one below it.
    for (int r = 0; r <= N; ++r) {
        for (int j = 0; j < H; ++j)
            Delay[r][H - 1 - j] = h[r][j];
        Delay[r][H] = h[r][0];
    }
}

template <TShape Shape>
void SerialShape(int Sections, const TCoefficients& Coeff, TDelayTable& Delay, float* Data, int Count)
{
    switch (Sections) {
    case 1: SerialKernel<Shape, 1>(Coeff, Delay, Data, Count); break;
    case 2: SerialKernel<Shape, 2>(Coeff, Delay, Data, Count); break;
    case 3: SerialKernel<Shape, 3>(Coeff, Delay, Data, Count); break;
    case 4: SerialKernel<Shape, 4>(Coeff, Delay, Data, Count); break;
    default: SerialKernel<Shape, 5>(Coeff, Delay, Data, Count); break;
    }
}

#ifdef TESSARON_IIR_AVX2

#define TESSARON_AVX2 __attribute__((target("avx2")))
#define TESSARON_AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline

// Section s (lane s) works on sample t - Lag*s in step t. Its input is the
// output lane s-1 produced Lag steps earlier, which leaves the input path
// (lane shift, input taps, scaling) Lag steps to complete, so that only each
// section's own recursion paces the loop.
template <TShape Shape>
constexpr int Lag = Shape == TShape::BandPass ? 2 : 3;

// One step of all lanes, in the order of the plain algorithm. x0 is the new
// input, x1.. the input history (x1 newest), y1.. the output history.
template <TShape Shape>
TESSARON_AVX2_INLINE __m256 SecondOrderOutput(
    __m256 x0, __m256 x1, __m256 x2, __m256 y1, __m256 y2, __m256 c1, __m256 c2, __m256 c3)
{
    const __m256 twice = _mm256_mul_ps(_mm256_set1_ps(2.0f), x1);
    __m256 p = Shape == TShape::HighPass ? _mm256_sub_ps(x0, twice) : _mm256_add_ps(x0, twice);
    p = _mm256_mul_ps(_mm256_add_ps(p, x2), c1);
    return _mm256_sub_ps(_mm256_sub_ps(p, _mm256_mul_ps(c2, y1)), _mm256_mul_ps(c3, y2));
}

TESSARON_AVX2_INLINE __m256 BandPassOutput(__m256 x0, __m256 x2, __m256 x4, __m256 y1, __m256 y2, __m256 y3,
    __m256 y4, const __m256* c)
{
    __m256 p = _mm256_sub_ps(x0, _mm256_mul_ps(_mm256_set1_ps(2.0f), x2));
    p = _mm256_mul_ps(_mm256_add_ps(p, x4), c[0]);
    __m256 out = _mm256_sub_ps(p, _mm256_mul_ps(c[1], y1));
    out = _mm256_sub_ps(out, _mm256_mul_ps(c[2], y2));
    out = _mm256_sub_ps(out, _mm256_mul_ps(c[3], y3));
    return _mm256_sub_ps(out, _mm256_mul_ps(c[4], y4));
}

// The inputs of a step: the new sample in lane 0, in lane s the output of
// lane s-1 from Lag steps before (source).
TESSARON_AVX2_INLINE __m256 StepInputs(__m256 source, float sample)
{
    const __m256i shift = _mm256_setr_epi32(0, 0, 1, 2, 3, 4, 5, 6);
    return _mm256_blend_ps(_mm256_permutevar8x32_ps(source, shift), _mm256_set1_ps(sample), 0x01);
}

TESSARON_AVX2_INLINE void StoreLane(float* Target, __m256 Values, __m256i Lane)
{
    _mm_store_ss(Target, _mm256_castps256_ps128(_mm256_permutevar8x32_ps(Values, Lane)));
}

template <TShape Shape>
struct TPipeline {
    static constexpr int H = HistoryLength<Shape>;
    static constexpr int K = Lag<Shape>;
    __m256 c[5];
    __m256 x[H]; // input history, x[0] newest
    __m256 y[H]; // output history, y[0] newest
    __m256 r[K]; // the outputs of the last K steps as computed, r[0] newest
    int N;
    int Delay; // the last section's lag behind the input

    TESSARON_AVX2_INLINE __m256 Output(__m256 x0) const
    {
        if constexpr (H == 2)
            return SecondOrderOutput<Shape>(x0, x[0], x[1], y[0], y[1], c[0], c[1], c[2]);
        else
            return BandPassOutput(x0, x[1], x[3], y[0], y[1], y[2], y[3], c);
    }

    // A step while the pipeline fills or drains: only the lanes whose sample
    // lies in the block advance, and the last lane's output is stored when it
    // belongs to the block.
    TESSARON_AVX2 void MaskedStep(int t, float* Data, int Count)
    {
        const __m256i lag = _mm256_setr_epi32(0, K, 2 * K, 3 * K, 4 * K, 5 * K, 6 * K, 7 * K);
        const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
        const __m256i sample = _mm256_sub_epi32(_mm256_set1_epi32(t), lag);
        const __m256i inBlock = _mm256_andnot_si256(_mm256_cmpgt_epi32(_mm256_setzero_si256(), sample),
            _mm256_cmpgt_epi32(_mm256_set1_epi32(Count), sample));
        const __m256i present = _mm256_cmpgt_epi32(_mm256_set1_epi32(N), lanes);
        const __m256 active = _mm256_castsi256_ps(_mm256_and_si256(inBlock, present));

        const __m256 x0 = StepInputs(r[K - 1], t < Count ? Data[t] : 0.0f);
        const __m256 out = Output(x0);
        for (int j = H - 1; j > 0; --j) {
            x[j] = _mm256_blendv_ps(x[j], x[j - 1], active);
            y[j] = _mm256_blendv_ps(y[j], y[j - 1], active);
        }
        x[0] = _mm256_blendv_ps(x[0], x0, active);
        y[0] = _mm256_blendv_ps(y[0], out, active);
        for (int j = K - 1; j > 0; --j)
            r[j] = r[j - 1];
        r[0] = out;
        const int i = t - Delay;
        if (i >= 0 && i < Count)
            StoreLane(Data + i, out, _mm256_set1_epi32(N - 1));
    }

    // Steps Begin .. End-1 with every section busy, the histories held in
    // registers. Lanes that take part have advanced in each of the last K
    // steps, so their output history also holds the last K outputs.
    TESSARON_AVX2 void Steady(int Begin, int End, float* Data)
    {
        const __m256i last = _mm256_set1_epi32(N - 1);
        float* out = Data - Delay;
        if constexpr (H == 2) {
            const __m256 c1 = c[0], c2 = c[1], c3 = c[2];
            __m256 x1 = x[0], x2 = x[1], y1 = y[0], y2 = y[1], y3 = r[2];
            static_assert(K == 3);
            for (int t = Begin; t < End; ++t) {
                const __m256 x0 = StepInputs(y3, Data[t]);
                const __m256 y0 = SecondOrderOutput<Shape>(x0, x1, x2, y1, y2, c1, c2, c3);
                x2 = x1;
                x1 = x0;
                y3 = y2;
                y2 = y1;
                y1 = y0;
                StoreLane(out + t, y0, last);
            }
            x[0] = x1, x[1] = x2, y[0] = y1, y[1] = y2;
            r[0] = y1, r[1] = y2, r[2] = y3;
        } else {
            static_assert(K == 2);
            __m256 x1 = x[0], x2 = x[1], x3 = x[2], x4 = x[3];
            __m256 y1 = y[0], y2 = y[1], y3 = y[2], y4 = y[3];
            for (int t = Begin; t < End; ++t) {
                const __m256 x0 = StepInputs(y2, Data[t]);
                const __m256 y0 = BandPassOutput(x0, x2, x4, y1, y2, y3, y4, c);
                x4 = x3;
                x3 = x2;
                x2 = x1;
                x1 = x0;
                y4 = y3;
                y3 = y2;
                y2 = y1;
                y1 = y0;
                StoreLane(out + t, y0, last);
            }
            x[0] = x1, x[1] = x2, x[2] = x3, x[3] = x4;
            y[0] = y1, y[1] = y2, y[2] = y3, y[3] = y4;
            r[0] = y1, r[1] = y2;
        }
    }
};

template <TShape Shape>
TESSARON_AVX2 void PipelinedKernel(int N, const TCoefficients& Coeff, TDelayTable& Delay, float* Data, int Count)
{
    using P = TPipeline<Shape>;
    constexpr int H = P::H;
    constexpr int K = P::K;
    P pipe;
    pipe.N = N;
    pipe.Delay = K * (N - 1);
    alignas(32) float lanes[8];

    // Coefficients and histories into lanes; lanes of absent sections are 0.
    for (int j = 0; j < 5; ++j) {
        for (int s = 0; s < 8; ++s)
            lanes[s] = s < N ? Coeff[s][j] : 0.0f;
        pipe.c[j] = _mm256_load_ps(lanes);
    }
    for (int j = 0; j < H; ++j) {
        for (int s = 0; s < 8; ++s)
            lanes[s] = s < N ? Delay[s][H - 1 - j] : 0.0f;
        pipe.x[j] = _mm256_load_ps(lanes);
        for (int s = 0; s < 8; ++s)
            lanes[s] = s < N ? Delay[s + 1][H - 1 - j] : 0.0f;
        pipe.y[j] = _mm256_load_ps(lanes);
    }
    for (int j = 0; j < K; ++j)
        pipe.r[j] = _mm256_setzero_ps();

    const int total = Count + pipe.Delay;
    int t = 0;
    for (const int end = std::min(pipe.Delay, total); t < end; ++t)
        pipe.MaskedStep(t, Data, Count);
    if (t < Count) {
        pipe.Steady(t, Count, Data);
        t = Count;
    }
    for (; t < total; ++t)
        pipe.MaskedStep(t, Data, Count);

    // Every section has now taken every sample: row s is lane s's input
    // history, the last row the last lane's output history.
    alignas(32) float xs[H][8];
    alignas(32) float ys[H][8];
    for (int j = 0; j < H; ++j) {
        _mm256_store_ps(xs[j], pipe.x[j]);
        _mm256_store_ps(ys[j], pipe.y[j]);
    }
    for (int s = 0; s <= N; ++s) {
        for (int j = 0; j < H; ++j)
            Delay[s][H - 1 - j] = s < N ? xs[j][s] : ys[j][N - 1];
        Delay[s][H] = Delay[s][H - 1];
    }
}

#endif

constexpr long double Pi = std::numbers::pi_v<long double>;

float Single(long double Value)
{
    return static_cast<float>(Value);
}

// The pre-warped frequency tan(pi*f/fs): the argument rounded to a float, the
// tangent taken as sine over cosine and rounded once.
float Prewarp(float F, float Fs)
{
    const float arg = Single(Pi * F / Fs);
    return Single(std::sin(static_cast<long double>(arg)) / std::cos(static_cast<long double>(arg)));
}

// cos of the angle of section s (1 .. n) of the prototype's poles; negative.
float SectionCosine(int S, int N)
{
    return Single(std::cos((2 * (N + S) - 1) * Pi / (4 * N)));
}

} // namespace

void Design(TShape Shape, int Sections, float Fs, float Fc, float Fh, TCoefficients& Coeff)
{
    // The arithmetic runs in extended precision; the values the design keeps
    // (W; k; d; B, E, F; G, H, D; the coefficients) are rounded to floats, the
    // low-pass term t = 2*W*k is not.
    const int n = std::clamp(Sections, 1, MaxSections);
    if (Shape == TShape::BandPass) {
        const long double w1 = Prewarp(Fc, Fs);
        const long double w2 = Prewarp(Fh, Fs);
        const long double B = Single(w2 - w1);
        const long double E = Single(B * B + 2 * w1 * w2);
        const long double F = Single(w1 * w1 * w2 * w2);
        for (int s = 1; s <= n; ++s) {
            const long double k = SectionCosine(s, n);
            const long double G = Single(-2 * B * k);
            const long double H = Single(G * w1 * w2);
            const long double D = Single(1 + G + E + H + F);
            float* c = Coeff[s - 1];
            c[0] = Single(B * B / D);
            c[1] = Single((-4 - 2 * G + 2 * H + 4 * F) / D);
            c[2] = Single((6 - 2 * E + 6 * F) / D);
            c[3] = Single((2 * G - 4 - 2 * H + 4 * F) / D);
            c[4] = Single((1 - G + E - H + F) / D);
        }
    } else {
        const long double w = Prewarp(Fc, Fs);
        for (int s = 1; s <= n; ++s) {
            const long double k = SectionCosine(s, n);
            const long double t = 2 * w * k;
            const long double d = Single(1 / (w * w + 1 - t));
            float* c = Coeff[s - 1];
            // The high-pass takes c1 = d; c2 and c3 are the same for both.
            c[0] = Shape == TShape::HighPass ? Single(d) : Single(w * w * d);
            c[1] = Single(2 * (w * w - 1) * d);
            c[2] = Single((w * w + 1 + t) * d);
            c[3] = 0.0f;
            c[4] = 0.0f;
        }
    }
}

void FilterSerial(TShape Shape, int Sections, const TCoefficients& Coeff, TDelayTable& Delay, float* Data, int Count)
{
    if (Count < 1 || Sections < 1 || Sections > MaxSections)
        return;
    switch (Shape) {
    case TShape::LowPass: SerialShape<TShape::LowPass>(Sections, Coeff, Delay, Data, Count); break;
    case TShape::HighPass: SerialShape<TShape::HighPass>(Sections, Coeff, Delay, Data, Count); break;
    case TShape::BandPass: SerialShape<TShape::BandPass>(Sections, Coeff, Delay, Data, Count); break;
    }
}

bool PipelinedAvailable()
{
#ifdef TESSARON_IIR_AVX2
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
#else
    return false;
#endif
}

void FilterPipelined(TShape Shape, int Sections, const TCoefficients& Coeff, TDelayTable& Delay, float* Data,
    int Count)
{
    if (Count < 1 || Sections < 1 || Sections > MaxSections)
        return;
#ifdef TESSARON_IIR_AVX2
    if (PipelinedAvailable()) {
        switch (Shape) {
        case TShape::LowPass: PipelinedKernel<TShape::LowPass>(Sections, Coeff, Delay, Data, Count); break;
        case TShape::HighPass: PipelinedKernel<TShape::HighPass>(Sections, Coeff, Delay, Data, Count); break;
        case TShape::BandPass: PipelinedKernel<TShape::BandPass>(Sections, Coeff, Delay, Data, Count); break;
        }
        return;
    }
#endif
    FilterSerial(Shape, Sections, Coeff, Delay, Data, Count);
}

void Filter(TShape Shape, int Sections, const TCoefficients& Coeff, TDelayTable& Delay, float* Data, int Count)
{
    // Up to two sections the processor overlaps consecutive samples by itself
    // and the serial loop is as fast; beyond that its window runs out.
    if (Sections >= 3 && PipelinedAvailable())
        FilterPipelined(Shape, Sections, Coeff, Delay, Data, Count);
    else
        FilterSerial(Shape, Sections, Coeff, Delay, Data, Count);
}

} // namespace Tessaron::IIRKernel
