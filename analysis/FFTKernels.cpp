#include "analysis/FFTKernels.h"

#include <cstddef>
#include <utility>

namespace Tessaron::FFTKernels {

void Radix2Scalar(float* Re, float* Im, int Exponent, const float* StageCos, const float* StageSin,
                  bool Inverse)
{
    const std::size_t n = std::size_t(1) << Exponent;

    // Bit-reversal permutation, j running as the reversed counter of i.
    std::size_t j = 0;
    for (std::size_t i = 1; i < n; ++i) {
        std::size_t k = n;
        do
            k >>= 1;
        while (k + j > n - 1);
        j = k + (j & (k - 1));
        if (j > i) {
            std::swap(Re[i], Re[j]);
            std::swap(Im[i], Im[j]);
        }
    }

    // Butterfly stages; within a stage the groups are visited one after the
    // other so that memory is walked once per stage.
    for (std::size_t half = 1; half < n; half *= 2) {
        const float* wc = StageCos + half;
        const float* ws = StageSin + half;
        for (std::size_t base = 0; base < n; base += 2 * half) {
            float* xr = Re + base;
            float* xi = Im + base;
            float* yr = xr + half;
            float* yi = xi + half;
            for (std::size_t k = 0; k < half; ++k) {
                const float wr = wc[k];
                const float wi = Inverse ? -ws[k] : ws[k];
                const float tr = wr * yr[k] - wi * yi[k];
                const float ti = wr * yi[k] + wi * yr[k];
                yr[k] = xr[k] - tr;
                yi[k] = xi[k] - ti;
                xr[k] = xr[k] + tr;
                xi[k] = xi[k] + ti;
            }
        }
    }

    if (!Inverse) {
        const float scale = float(1.0 / double(n));
        for (std::size_t i = 0; i < n; ++i) {
            Re[i] = Re[i] * scale;
            Im[i] = Im[i] * scale;
        }
    }
}

TRadix2Kernel KernelFor(TInstructionSet Set)
{
    switch (Set) {
    case TInstructionSet::Scalar:
        return Radix2Scalar;
#if defined(__x86_64__)
    case TInstructionSet::Sse2:
        return Radix2Sse2; // part of every x86-64 processor
    case TInstructionSet::Avx2:
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") ? Radix2Avx2 : nullptr;
    case TInstructionSet::Avx512:
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx512f") ? Radix2Avx512 : nullptr;
#endif
    default:
        return nullptr;
    }
}

TRadix2Kernel BestKernel()
{
    static const TRadix2Kernel best = [] {
        for (TInstructionSet set : {TInstructionSet::Avx512, TInstructionSet::Avx2,
                                    TInstructionSet::Sse2, TInstructionSet::Scalar})
            if (TRadix2Kernel kernel = KernelFor(set))
                return kernel;
        return TRadix2Kernel(Radix2Scalar);
    }();
    return best;
}

} // namespace Tessaron::FFTKernels
