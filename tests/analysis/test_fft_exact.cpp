// The transform kernels must reproduce the written algorithm bit for bit, for
// every size, both directions and every instruction set the processor has.

#include "FFTReference.h"

#include <analysis/FFT.h>
#include <analysis/FFTKernels.h>

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>

using namespace Tessaron;
using FFTKernels::TInstructionSet;

namespace {

// Values over a wide range of magnitudes, both signs, with exact and negative
// zeros and some subnormals, so that every rounding and every signed-zero
// rule shows up in the bits.
std::vector<float> Samples(std::size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<float> mantissa(-1.0f, 1.0f);
    std::uniform_int_distribution<int> exponent(-30, 30);
    std::uniform_int_distribution<int> kind(0, 31);
    std::vector<float> x(n);
    for (float& v : x) {
        switch (kind(gen)) {
        case 0: v = 0.0f; break;
        case 1: v = -0.0f; break;
        case 2: v = mantissa(gen) * 1e-39f; break; // subnormal
        default: v = std::ldexp(mantissa(gen), exponent(gen)); break;
        }
    }
    return x;
}

struct TKernelCase {
    TInstructionSet Set;
    const char* Name;
};

void PrintTo(const TKernelCase& c, std::ostream* os)
{
    *os << c.Name;
}

class KernelExactness : public ::testing::TestWithParam<TKernelCase> {};

TEST_P(KernelExactness, MatchesWrittenAlgorithmForEverySizeAndDirection)
{
    const FFTKernels::TRadix2Kernel kernel = FFTKernels::KernelFor(GetParam().Set);
    if (!kernel)
        GTEST_SKIP() << GetParam().Name << " is not available on this processor";
    for (int exponent = 1; exponent <= 18; ++exponent) {
        const std::size_t n = std::size_t(1) << exponent;
        const FFTReference::TTables tables = FFTReference::Tables(n);
        const auto [stageCos, stageSin] = FFTReference::StageTables(tables);
        for (bool inverse : {false, true}) {
            SCOPED_TRACE("N = " + std::to_string(n) + (inverse ? " inverse" : " forward"));
            std::vector<float> re = Samples(n, unsigned(2 * exponent + inverse));
            std::vector<float> im = Samples(n, unsigned(1000 + 2 * exponent + inverse));
            std::vector<float> refRe = re, refIm = im;
            FFTReference::Transform(refRe.data(), refIm.data(), tables, inverse);
            kernel(re.data(), im.data(), exponent, stageCos.data(), stageSin.data(), inverse);
            EXPECT_EQ(FFTReference::FirstDifference(re.data(), refRe.data(), n), -1);
            EXPECT_EQ(FFTReference::FirstDifference(im.data(), refIm.data(), n), -1);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    InstructionSets, KernelExactness,
    ::testing::Values(TKernelCase{TInstructionSet::Scalar, "Scalar"},
                      TKernelCase{TInstructionSet::Sse2, "Sse2"},
                      TKernelCase{TInstructionSet::Avx2, "Avx2"},
                      TKernelCase{TInstructionSet::Avx512, "Avx512"}),
    [](const ::testing::TestParamInfo<TKernelCase>& info) { return std::string(info.param.Name); });

// The component's own tables and dispatch give the same bits, also through
// repeated and alternating directions on one vector: the kernels keep no
// state between calls that could leak from one direction into the other.
TEST(TransformExactness, ComponentMatchesWrittenAlgorithmCallAfterCall)
{
    TFFT fft;
    for (int exponent = 1; exponent <= 16; ++exponent) {
        fft.SetExponent(exponent);
        const std::size_t n = std::size_t(fft.Size());
        const FFTReference::TTables tables = FFTReference::Tables(n);
        TComplexVector v(fft.Size());
        std::vector<float> refRe = Samples(n, unsigned(7 * exponent)), refIm = Samples(n, unsigned(77 * exponent));
        std::copy(refRe.begin(), refRe.end(), v.Re()->Data());
        std::copy(refIm.begin(), refIm.end(), v.Im()->Data());
        int round = 0;
        for (bool inverse : {false, true, true, false, false, true}) {
            SCOPED_TRACE("N = " + std::to_string(n) + ", call " + std::to_string(++round));
            FFTReference::Transform(refRe.data(), refIm.data(), tables, inverse);
            fft.Transform(&v, inverse);
            ASSERT_EQ(FFTReference::FirstDifference(v.Re()->Data(), refRe.data(), n), -1);
            ASSERT_EQ(FFTReference::FirstDifference(v.Im()->Data(), refIm.data(), n), -1);
        }
    }
}

} // namespace
