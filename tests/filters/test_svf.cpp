#include <filters/SVFilt.h>

#include "FilterTestSupport.h"
#include "ReferenceFilters.h"

#include <complex>
#include <limits>

using namespace Tessaron;
using namespace FilterTest;

namespace {

TStateVariableFilter* Make(TStateVariableFilter& f, float fs, float fc, float q, TFilterOutput out)
{
    f.SetSampleFrequency(fs);
    f.SetCutoffFrequency(fc);
    f.SetQ(q);
    f.SetFilterOutput(out);
    return &f;
}

// The transfer functions of the recursion low := F*band + low;
// high := x - low - D*band; band := F*high + band, with u = z^-1:
// band = F(1-u)/den, low = F^2 u/den, high = (1-u)^2/den, notch = high + low,
// den = (1-u)^2 + F^2 u + F D u (1-u).
double ModelGain(TFilterOutput out, double fc, double fs, double q, double f)
{
    const double F = 2 * std::sin(std::numbers::pi * fc / fs);
    const double D = 1 / q;
    const std::complex<double> u = std::polar(1.0, -2 * std::numbers::pi * f / fs);
    const std::complex<double> v = 1.0 - u;
    const std::complex<double> den = v * v + F * F * u + F * D * u * v;
    const std::complex<double> num[] = {F * F * u, F * v, v * v, v * v + F * F * u};
    return std::abs(num[out] / den);
}

} // namespace

TEST(StateVariableFilter, FrequencyCoefficientIsTwoSinPiFcOverFs)
{
    // From rest, the first band-pass output of a unit step is F itself.
    TStateVariableFilter f;
    Make(f, 1000, 2, 1, foBandPass);
    Block y = Constant(1, 1.0f);
    f.Filter(y.data(), 1);
    EXPECT_NEAR(y[0], 0.0125662, 1e-7);
    EXPECT_EQ(y[0], float(2 * std::sin(std::numbers::pi_v<long double> * 0.002L)));
}

TEST(StateVariableFilter, ConstantInputFromRestSettlesOnEachOutputsLimit)
{
    struct Case {
        TFilterOutput out;
        float limit;
    };
    for (const Case c : {Case{foLowPass, 1}, Case{foBandPass, 0}, Case{foHighPass, 0}, Case{foNotch, 1}}) {
        for (float q : {0.5f, 2.0f, 10.0f}) {
            SCOPED_TRACE(testing::Message() << "output " << int(c.out) << " Q " << q);
            TStateVariableFilter f;
            Make(f, 1000, 25, q, c.out);
            Block y = Constant(20000, 1.0f);
            f.Filter(y.data(), int(y.size()));
            for (size_t i = y.size() - 100; i < y.size(); ++i)
                ASSERT_NEAR(y[i], c.limit, 1e-4);
        }
    }
}

TEST(StateVariableFilter, GainFollowsTheRecursionsTransferFunction)
{
    for (TFilterOutput out : {foLowPass, foBandPass, foHighPass, foNotch}) {
        for (double f : {10.0, 50.0, 100.0, 160.0}) {
            SCOPED_TRACE(testing::Message() << "output " << int(out) << " at " << f << " Hz");
            TStateVariableFilter svf;
            Make(svf, 1000, 50, 2, out);
            const double g = Gain([&](float* d, int n) { svf.Filter(d, n); }, f, 1000);
            EXPECT_NEAR(g, ModelGain(out, 50, 1000, 2, f), 1e-3);
        }
    }
    // The band output peaks near its centre with a gain of about Q.
    TStateVariableFilter svf;
    Make(svf, 1000, 50, 2, foBandPass);
    EXPECT_NEAR(Gain([&](float* d, int n) { svf.Filter(d, n); }, 50, 1000), 2.0, 0.01);
}

TEST(StateVariableFilter, QAbovePointFourOnly)
{
    struct Case {
        float q;
        bool accepted;
    };
    const Case cases[] = {{0.4f, false}, {0.41f, true}, {0.0f, false}, {-2.0f, false},
        {std::numeric_limits<float>::quiet_NaN(), false}, {std::numeric_limits<float>::infinity(), false},
        {5.0f, true}};
    for (const Case c : cases) {
        SCOPED_TRACE(testing::Message() << "Q " << c.q);
        TStateVariableFilter f;
        Make(f, 1000, 100, 1, foHighPass);
        f.SetQ(c.q);
        EXPECT_EQ(f.Q(), c.accepted ? c.q : 1.0f);
        Reference::StateVariable ref;
        ref.output = foHighPass;
        ref.Design(1000, 100, c.accepted ? c.q : 1.0f);
        Block a = Noise(200, 2), b = a;
        f.Filter(a.data(), int(a.size()));
        ref.Filter(b.data(), int(b.size()));
        EXPECT_TRUE(BitEqual(a, b));
    }
}

// Settings and outputs switched between blocks keep the states: the outputs
// match the plain loop bit for bit, the notch being high plus low.
TEST(StateVariableFilter, MatchesThePlainLoopThroughSettingChanges)
{
    TStateVariableFilter f;
    Reference::StateVariable ref;
    Block x = Noise(4000, 9), expected = x;
    const int cuts[] = {0, 1, 999, 2500, 2501, 4000};
    struct Setting {
        float fs, fc, q;
        TFilterOutput out;
    };
    const Setting settings[] = {{1000, 10, 0.7f, foLowPass}, {1000, 200, 4, foBandPass}, {8000, 200, 4, foHighPass},
        {8000, 1500, 0.5f, foNotch}, {8000, 30, 20, foBandPass}};
    for (int k = 0; k < 5; ++k) {
        const Setting& s = settings[k];
        Make(f, s.fs, s.fc, s.q, s.out);
        ref.Design(s.fs, s.fc, s.q);
        ref.output = s.out;
        f.Filter(x.data() + cuts[k], cuts[k + 1] - cuts[k]);
        ref.Filter(expected.data() + cuts[k], cuts[k + 1] - cuts[k]);
    }
    EXPECT_TRUE(BitEqual(x, expected));
}
