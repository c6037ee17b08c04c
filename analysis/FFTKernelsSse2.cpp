// The radix-2 kernel on SSE2, which every x86-64 processor has: four values
// per register.
#include "analysis/FFTKernels.h"

#include <cstddef>

#if defined(__x86_64__)
#include <emmintrin.h>

namespace Tessaron::FFTKernels {

namespace {

struct TSimd {
    using V = __m128;
    static constexpr int Width = 4;
    static constexpr int Log2Width = 2;

    static V Load(const float* p) { return _mm_loadu_ps(p); }
    static void Store(float* p, V v) { _mm_storeu_ps(p, v); }
    static V Add(V a, V b) { return _mm_add_ps(a, b); }
    static V Sub(V a, V b) { return _mm_sub_ps(a, b); }
    static V Mul(V a, V b) { return _mm_mul_ps(a, b); }
    static V Set1(float x) { return _mm_set1_ps(x); }
    static V Negate(V v) { return _mm_xor_ps(v, _mm_set1_ps(-0.0f)); }
    static inline __attribute__((always_inline)) void Transpose(V* r) { _MM_TRANSPOSE4_PS(r[0], r[1], r[2], r[3]); }
};

#include "analysis/FFTRadix2.inc"

} // namespace

void Radix2Sse2(float* Re, float* Im, int Exponent, const float* StageCos, const float* StageSin,
                bool Inverse)
{
    if (Exponent < MinTiledExponent)
        Radix2Scalar(Re, Im, Exponent, StageCos, StageSin, Inverse);
    else
        RunRadix2(Re, Im, Exponent, StageCos, StageSin, Inverse);
}

} // namespace Tessaron::FFTKernels

#endif
