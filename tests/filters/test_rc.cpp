#include <filters/Rchigh.h>
#include <filters/Rclow.h>

#include "FilterTestSupport.h"
#include "ReferenceFilters.h"

#include <complex>

using namespace Tessaron;
using namespace FilterTest;

namespace {

// |H(e^jw)| of the discrete RC model: low-pass a z^-1 / (1 - b z^-1), its
// complement (1 - z^-1) / (1 - b z^-1).
double ModelGain(bool highPass, double fc, double fs)
{
    const double b = std::exp(-2 * std::numbers::pi * fc / fs);
    const std::complex<double> u = std::polar(1.0, -2 * std::numbers::pi * fc / fs);
    const std::complex<double> h = highPass ? (1.0 - u) / (1.0 - b * u) : (1 - b) * u / (1.0 - b * u);
    return std::abs(h);
}

} // namespace

// fs 1, fc 0.5: b = exp(-pi), a = 1 - b. From rest a unit step gives the
// low-pass 0, then 1 - b^n (one sample late), the high-pass 1, then b^n.
TEST(RCFilter, NewFiltersStepResponses)
{
    const double b = std::exp(-std::numbers::pi);
    const float a = 1.0f - float(std::exp(-std::numbers::pi_v<long double>));
    EXPECT_NEAR(a, 0.9568, 1e-4);
    TRCLowpass lp;
    TRCHighpass hp;
    for (bool highPass : {false, true}) {
        SCOPED_TRACE(highPass ? "high-pass" : "low-pass");
        Block y = Constant(8, 1.0f);
        (highPass ? static_cast<TRCFilter&>(hp) : lp).Filter(y.data(), int(y.size()));
        EXPECT_EQ(y[0], highPass ? 1.0f : 0.0f);
        EXPECT_EQ(y[1], highPass ? 1.0f - a : a);
        for (int n = 1; n < 8; ++n)
            EXPECT_NEAR(y[size_t(n)], highPass ? std::pow(b, n) : 1 - std::pow(b, n), 1e-6) << "sample " << n;
    }
}

TEST(RCFilter, GainAtCutoffIsTheDiscreteModelsValue)
{
    struct Case {
        float fs, fc;
    };
    for (const Case c : {Case{1000, 10}, Case{1000, 50}, Case{1000, 200}, Case{48000, 1000}}) {
        for (bool highPass : {false, true}) {
            SCOPED_TRACE(testing::Message() << (highPass ? "high" : "low") << "-pass fs " << c.fs << " fc " << c.fc);
            TRCLowpass lp;
            TRCHighpass hp;
            TRCFilter& f = highPass ? static_cast<TRCFilter&>(hp) : lp;
            f.SetSampleFrequency(c.fs);
            f.SetCutoffFrequency(c.fc);
            const double g = Gain([&](float* d, int n) { f.Filter(d, n); }, c.fc, c.fs);
            EXPECT_NEAR(g, ModelGain(highPass, c.fc, c.fs), 2e-4);
        }
    }
}

// Setting changes keep the state; both outputs match the plain loop bit for
// bit, so the high-pass is the input minus the low-pass sample by sample.
TEST(RCFilter, SettingChangesKeepTheStateAndMatchThePlainLoop)
{
    for (bool highPass : {false, true}) {
        TRCLowpass lp;
        TRCHighpass hp;
        TRCFilter& f = highPass ? static_cast<TRCFilter&>(hp) : lp;
        Reference::RC ref;
        Block x = Noise(2000, 3), expected = x;
        const int cuts[] = {0, 500, 501, 1400, 2000};
        const float settings[][2] = {{1000, 20}, {1000, 300}, {2000, 300}, {2000, 5}};
        for (int k = 0; k < 4; ++k) {
            f.SetSampleFrequency(settings[k][0]);
            f.SetCutoffFrequency(settings[k][1]);
            ref.Design(settings[k][0], settings[k][1]);
            f.Filter(x.data() + cuts[k], cuts[k + 1] - cuts[k]);
            if (highPass)
                ref.HighPass(expected.data() + cuts[k], cuts[k + 1] - cuts[k]);
            else
                ref.LowPass(expected.data() + cuts[k], cuts[k + 1] - cuts[k]);
        }
        EXPECT_TRUE(BitEqual(x, expected)) << (highPass ? "high-pass" : "low-pass");
    }
}
