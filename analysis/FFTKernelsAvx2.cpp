// The radix-2 kernel on AVX2: eight values per register. Only this unit is
// built for AVX2; it runs only after the processor has been asked.
#include "analysis/FFTKernels.h"

#include <cstddef>

#if defined(__x86_64__)
#include <immintrin.h>

// Everything below is compiled for AVX2; no header may follow.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

namespace Tessaron::FFTKernels {

namespace {

struct TSimd {
    using V = __m256;
    static constexpr int Width = 8;
    static constexpr int Log2Width = 3;

    static V Load(const float* p) { return _mm256_loadu_ps(p); }
    static void Store(float* p, V v) { _mm256_storeu_ps(p, v); }
    static V Add(V a, V b) { return _mm256_add_ps(a, b); }
    static V Sub(V a, V b) { return _mm256_sub_ps(a, b); }
    static V Mul(V a, V b) { return _mm256_mul_ps(a, b); }
    static V Set1(float x) { return _mm256_set1_ps(x); }
    static V Negate(V v) { return _mm256_xor_ps(v, _mm256_set1_ps(-0.0f)); }

    static inline __attribute__((always_inline)) void Transpose(V* r)
    {
        V t[8], u[8];
#pragma GCC unroll 16
        for (int i = 0; i < 4; ++i) {
            t[2 * i] = _mm256_unpacklo_ps(r[2 * i], r[2 * i + 1]);
            t[2 * i + 1] = _mm256_unpackhi_ps(r[2 * i], r[2 * i + 1]);
        }
        // u[4g + j], per 128-bit lane L: column 4L + j of rows 4g .. 4g+3.
#pragma GCC unroll 16
        for (int g = 0; g < 2; ++g) {
            u[4 * g + 0] = _mm256_shuffle_ps(t[4 * g + 0], t[4 * g + 2], 0x44);
            u[4 * g + 1] = _mm256_shuffle_ps(t[4 * g + 0], t[4 * g + 2], 0xEE);
            u[4 * g + 2] = _mm256_shuffle_ps(t[4 * g + 1], t[4 * g + 3], 0x44);
            u[4 * g + 3] = _mm256_shuffle_ps(t[4 * g + 1], t[4 * g + 3], 0xEE);
        }
#pragma GCC unroll 16
        for (int j = 0; j < 4; ++j) {
            r[j] = _mm256_permute2f128_ps(u[j], u[4 + j], 0x20);
            r[4 + j] = _mm256_permute2f128_ps(u[j], u[4 + j], 0x31);
        }
    }
};

#include "analysis/FFTRadix2.inc"

} // namespace

void Radix2Avx2(float* Re, float* Im, int Exponent, const float* StageCos, const float* StageSin,
                bool Inverse)
{
    if (Exponent < MinTiledExponent)
        Radix2Sse2(Re, Im, Exponent, StageCos, StageSin, Inverse);
    else
        RunRadix2(Re, Im, Exponent, StageCos, StageSin, Inverse);
}

} // namespace Tessaron::FFTKernels

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

#endif
