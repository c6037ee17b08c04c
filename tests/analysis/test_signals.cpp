// The analysis dialogs' test signals and their frequency sweep, without a window.
#include "analysis/UAnalysisDialog.h"

#include <platform/SysUtils.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

using namespace Tessaron;
using namespace Tessaron::AnalysisSignal;

namespace {

std::vector<float> Signal(int Type, float Step, int Count = 512)
{
    std::vector<float> x(std::size_t(Count), 99.0f);
    Generate(x.data(), Count, Type, Step);
    return x;
}

} // namespace

TEST(TestSignals, SineAndSquareAndNothingForAnUnknownType)
{
    for (float f : {0.102f, 0.005f, 0.5f, FixedStep}) {
        SCOPED_TRACE(f);
        const std::vector<float> sine = Signal(ftSine, f);
        const std::vector<float> square = Signal(ftSquare, f);
        EXPECT_EQ(sine[0], 0.0f);
        EXPECT_EQ(square[0], -1.0f) << "sin 0 is not > 0";
        for (std::size_t i = 0; i < sine.size(); ++i) {
            ASSERT_NEAR(sine[i], std::sin(double(i) * f), 1e-6) << i;
            ASSERT_EQ(square[i], std::sin(double(i) * f) > 0 ? 1.0f : -1.0f) << i;
        }
    }
    // An unknown type or no array writes nothing.
    EXPECT_EQ(Signal(5, 0.1f, 8), std::vector<float>(8, 99.0f));
    EXPECT_EQ(Signal(-1, 0.1f, 8), std::vector<float>(8, 99.0f));
    Generate(nullptr, 8, ftSine, 0.1f);
}

// The sawtooth rises by d from -1 + d; the wrap comes after the store, so a
// value may exceed 1 by less than d but never reaches 1 + d, and the wrapped
// value stays above -1.
TEST(TestSignals, SawtoothRisesByItsIncrementAndStaysInsideItsBound)
{
    for (float f : {0.102f, 0.0051f, 0.499f, FixedStep, 0.031f}) {
        SCOPED_TRACE(f);
        const float d = SawtoothIncrement(f);
        EXPECT_EQ(d, float(1.0L / (std::numbers::pi_v<long double> / f)));
        const std::vector<float> x = Signal(ftSawtooth, f, 4096);
        EXPECT_EQ(x[0], -1.0f + d);
        int wraps = 0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            ASSERT_LT(x[i], 1.0f + d) << i;
            ASSERT_GT(x[i], -1.0f) << i;
            if (i > 0 && x[i] < x[i - 1]) {
                ++wraps;
                ASSERT_GT(x[i - 1], 1.0f) << "wraps only after passing 1, at " << i;
                ASSERT_EQ(x[i], (x[i - 1] - 2.0f) + d) << i;
            } else if (i > 0) {
                ASSERT_EQ(x[i], x[i - 1] + d) << i;
            }
        }
        // One rise per period of the sine at the same step.
        const double periods = 4096.0 * f / (2.0 * std::numbers::pi);
        EXPECT_NEAR(wraps, periods, 1.0);
    }
}

TEST(TestSignals, NoiseAndNoisySineStayInTheirRanges)
{
    RandSeed = 12345;
    const std::vector<float> noise = Signal(ftNoise, 0.1f, 20000);
    const std::vector<float> noisy = Signal(ftNoisySine, 0.1f, 20000);
    double sum = 0;
    for (std::size_t i = 0; i < noise.size(); ++i) {
        ASSERT_GE(noise[i], -0.5f);
        ASSERT_LT(noise[i], 0.5f);
        const double sine = 0.2 * std::sin(double(i) * 0.1f);
        ASSERT_GE(noisy[i], sine - 0.5 - 1e-6) << i;
        ASSERT_LT(noisy[i], sine + 0.5 + 1e-6) << i;
        sum += noise[i];
    }
    EXPECT_NEAR(sum / double(noise.size()), 0.0, 0.02);
    EXPECT_NE(noise, Signal(ftNoise, 0.1f, 20000)) << "each computation draws new numbers";
}

// The test decides before the step is added: the first value is the start
// plus one step; the wide sweep turns on a value past a limit, the narrow one
// on reaching it. (Stateless: each step reverses or keeps the step alone.)
TEST(FrequencySweep, FirstValueAndTheLimitsThemselvesTurnOnlyTheNarrowSweep)
{
    const std::pair<TFrequencySweep, float> starts[] = {{TFrequencySweep::Wide(), 0.102f},
        {TFrequencySweep::Narrow(), 0.031f + 0.001f}};
    for (auto [sweep, first] : starts) {
        sweep.Advance();
        EXPECT_EQ(sweep.Frequency, first);
    }
    struct TCase {
        TFrequencySweep Sweep;
        float Frequency;
        bool Turns;
    };
    const TFrequencySweep wide = TFrequencySweep::Wide();
    const TFrequencySweep narrow = TFrequencySweep::Narrow();
    for (const TCase& c : {TCase{wide, 0.5f, false}, {wide, 0.005f, false}, {wide, 0.50001f, true},
                           {wide, 0.00499f, true}, {narrow, 0.15f, true}, {narrow, 0.01f, true},
                           {narrow, 0.1499f, false}, {narrow, 0.0101f, false}}) {
        TFrequencySweep s = c.Sweep;
        s.Frequency = c.Frequency;
        const float step = s.FrequencyStep;
        s.Advance();
        EXPECT_EQ(s.FrequencyStep, c.Turns ? -step : step) << c.Frequency;
        EXPECT_EQ(s.Frequency, c.Frequency + s.FrequencyStep);
    }
}
