// The radix-2 kernel on AVX-512F: sixteen values per register. Only this unit
// is built for AVX-512; it runs only after the processor has been asked.
#include "analysis/FFTKernels.h"

#include <cstddef>

#if defined(__x86_64__)
// GCC 12's AVX-512 headers fill "undefined" registers by self-assignment,
// which -Wuninitialized reports at every shuffle.
#if !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <immintrin.h>

// Everything below is compiled for AVX-512F; no header may follow.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx512f"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx512f")
#endif

namespace Tessaron::FFTKernels {

namespace {

struct TSimd {
    using V = __m512;
    static constexpr int Width = 16;
    static constexpr int Log2Width = 4;

    static V Load(const float* p) { return _mm512_loadu_ps(p); }
    static void Store(float* p, V v) { _mm512_storeu_ps(p, v); }
    static V Add(V a, V b) { return _mm512_add_ps(a, b); }
    static V Sub(V a, V b) { return _mm512_sub_ps(a, b); }
    static V Mul(V a, V b) { return _mm512_mul_ps(a, b); }
    static V Set1(float x) { return _mm512_set1_ps(x); }
    static V Negate(V v)
    {
        return _mm512_castsi512_ps(
            _mm512_xor_si512(_mm512_castps_si512(v), _mm512_set1_epi32(int(0x80000000u))));
    }

    static inline __attribute__((always_inline)) void Transpose(V* r)
    {
        V t[16];
#pragma GCC unroll 16
        for (int i = 0; i < 8; ++i) {
            t[2 * i] = _mm512_unpacklo_ps(r[2 * i], r[2 * i + 1]);
            t[2 * i + 1] = _mm512_unpackhi_ps(r[2 * i], r[2 * i + 1]);
        }
        // r[4g + j], per 128-bit block L: column 4L + j of rows 4g .. 4g+3.
#pragma GCC unroll 16
        for (int g = 0; g < 4; ++g) {
            r[4 * g + 0] = _mm512_shuffle_ps(t[4 * g + 0], t[4 * g + 2], 0x44);
            r[4 * g + 1] = _mm512_shuffle_ps(t[4 * g + 0], t[4 * g + 2], 0xEE);
            r[4 * g + 2] = _mm512_shuffle_ps(t[4 * g + 1], t[4 * g + 3], 0x44);
            r[4 * g + 3] = _mm512_shuffle_ps(t[4 * g + 1], t[4 * g + 3], 0xEE);
        }
        // A 4 x 4 transpose of 128-bit blocks for each j.
#pragma GCC unroll 16
        for (int j = 0; j < 4; ++j) {
            const V s0 = _mm512_shuffle_f32x4(r[j], r[4 + j], 0x44);
            const V s1 = _mm512_shuffle_f32x4(r[j], r[4 + j], 0xEE);
            const V s2 = _mm512_shuffle_f32x4(r[8 + j], r[12 + j], 0x44);
            const V s3 = _mm512_shuffle_f32x4(r[8 + j], r[12 + j], 0xEE);
            t[j] = _mm512_shuffle_f32x4(s0, s2, 0x88);
            t[4 + j] = _mm512_shuffle_f32x4(s0, s2, 0xDD);
            t[8 + j] = _mm512_shuffle_f32x4(s1, s3, 0x88);
            t[12 + j] = _mm512_shuffle_f32x4(s1, s3, 0xDD);
        }
#pragma GCC unroll 16
        for (int i = 0; i < 16; ++i)
            r[i] = t[i];
    }
};

#include "analysis/FFTRadix2.inc"

} // namespace

void Radix2Avx512(float* Re, float* Im, int Exponent, const float* StageCos,
                  const float* StageSin, bool Inverse)
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
#pragma GCC diagnostic pop
#endif

#endif
