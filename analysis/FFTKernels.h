#pragma once
// The radix-2 butterfly kernels behind TFFT::Transform, one per instruction
// set. All of them perform exactly the same per-element float operations as
// the plain algorithm (bit reversal, then log2 N butterfly stages, then the
// 1/N scaling of the forward transform); they differ only in the order in
// which independent butterflies are visited and in how many run at once.
// The widest set the processor supports is chosen at run time.

#include <cstdint>

namespace Tessaron::FFTKernels {

enum class TInstructionSet { Scalar, Sse2, Avx2, Avx512 };

// Transforms the 2^Exponent complex values Re/Im in place. StageCos/StageSin
// hold the twiddles per stage: entry h + k is (cos, sin)(pi * k / h) of
// butterfly k of the stage with half-length h (entries 1 .. 2^Exponent - 1).
// The inverse takes -sin; the forward transform is scaled by 1/2^Exponent.
using TRadix2Kernel = void (*)(float* Re, float* Im, int Exponent, const float* StageCos,
                               const float* StageSin, bool Inverse);

// The kernel for a set, or null if it is not built in or the processor (or
// the operating system) lacks it.
TRadix2Kernel KernelFor(TInstructionSet Set);
// The kernel of the widest supported set; chosen once.
TRadix2Kernel BestKernel();

void Radix2Scalar(float* Re, float* Im, int Exponent, const float* StageCos, const float* StageSin,
                  bool Inverse);
#if defined(__x86_64__)
void Radix2Sse2(float* Re, float* Im, int Exponent, const float* StageCos, const float* StageSin,
                bool Inverse);
void Radix2Avx2(float* Re, float* Im, int Exponent, const float* StageCos, const float* StageSin,
                bool Inverse);
void Radix2Avx512(float* Re, float* Im, int Exponent, const float* StageCos,
                  const float* StageSin, bool Inverse);
#endif

} // namespace Tessaron::FFTKernels
