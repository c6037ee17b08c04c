// Axis arithmetic and value <-> pixel mapping of the histograph, without a control.

#include <histograph/HistoMapping.h>
#include <histograph/HistoScale.h>

#include "HistoTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace Tessaron;
using namespace Tessaron::HistoScale;
using HistoTest::DefaultMapping;

namespace {

std::vector<double> Ticks(const TLinearAxis& Axis, int Every, bool Inclusive)
{
    std::vector<double> v;
    Axis.ForEachTick(Every, Inclusive, [&](double X) { v.push_back(X); });
    return v;
}

std::vector<double> Minor(double Lo, double Hi)
{
    std::vector<double> v;
    ForEachMinorValue(Lo, Hi, [&](double X) { v.push_back(X); });
    return v;
}

} // namespace

TEST(HistoScale, LabelFormatFollowsRangeAndDecimals)
{
    struct Case {
        double Lo, Hi;
        int Decimals;
        const char* Format;
    };
    const Case cases[] = {
        {-1.5, 1.5, 2, "0.00"},
        {0, 10, 0, "0"},
        {0, 10, -3, "0"},
        {0, 0.0005, 2, "#.##E-00"},       // range below 0.001
        {-100000, 0, 2, "#.##E-00"},      // lower limit at -100000
        {-99999, 0, 2, "0.00"},
        {0, 100000, 2, "#.##E-00"},       // upper limit at 100000
        {0, 0.001, 1, "0.0"},             // a range of exactly 0.001 is still fixed
    };
    for (const Case& c : cases)
        EXPECT_EQ(LabelFormat(c.Lo, c.Hi, c.Decimals), QString::fromLatin1(c.Format)) << c.Lo << " .. " << c.Hi;
}

TEST(HistoScale, StepGuardKeepsTwoPixelsPerStep)
{
    struct Case {
        double Lo, Hi, Gap;
        int Pixels;
        bool Changed;
        double Result;
    };
    const Case cases[] = {
        {0, 10, 0.1, 9, true, 10.0 * 2 / 9},  // a plot of 10 pixels: 9 usable
        {0, 10, 2.5, 9, false, 2.5},          // 8 half-steps fit into 9 pixels
        {0, 10, 10.0 * 2 / 9, 9, false, 10.0 * 2 / 9}, // the guarded gap is stable
        {0, 10, 0.1, 0, false, 0.1},          // no pixels: left alone
    };
    for (const Case& c : cases) {
        double gap = c.Gap;
        EXPECT_EQ(GuardGap(c.Lo, c.Hi, c.Pixels, gap), c.Changed) << c.Gap;
        EXPECT_DOUBLE_EQ(gap, c.Result);
    }
}

TEST(HistoScale, LinearTicksStartAtTheFirstMultipleInsideTheRangeAndKeepTheLast)
{
    const TLinearAxis a{-1.5, 1.5, 0.5, 300};
    EXPECT_EQ(a.StepPixels(), 50);
    EXPECT_EQ(Ticks(a, 1, true), (std::vector<double>{-1.5, -1, -0.5, 0, 0.5, 1, 1.5}));
    EXPECT_EQ(Ticks(a, 1, false), (std::vector<double>{-1.5, -1, -0.5, 0, 0.5, 1}));
    EXPECT_EQ(Ticks(a, 2, true), (std::vector<double>{-1.5, -0.5, 0.5, 1.5}));
    EXPECT_EQ(a.Offset(-1.5), 0);
    EXPECT_EQ(a.Offset(0), 150);
    EXPECT_EQ(a.Offset(1.5), 300);

    // Trunc toward zero, then up to the first multiple not below Lo.
    EXPECT_EQ(Ticks(TLinearAxis{0.25, 2, 0.5, 100}, 1, true), (std::vector<double>{0.5, 1, 1.5, 2}));
    EXPECT_EQ(Ticks(TLinearAxis{-0.25, 1, 0.5, 100}, 1, true), (std::vector<double>{0, 0.5, 1}));

    // 0.1 stored as a float is 0.100000001: ten of them pass 1.0, and yet the last tick stays.
    const TLinearAxis f{0, 1, double(0.1f), 306};
    const std::vector<double> inclusive = Ticks(f, 1, true);
    ASSERT_EQ(inclusive.size(), 11u);
    EXPECT_NEAR(inclusive.back(), 1.0, 1e-6);
    EXPECT_EQ(Ticks(f, 1, false).size(), 10u);  // grid lines stop before the frame
}

TEST(HistoScale, DecadesTheirLabelsAndTheMinorGridValues)
{
    struct Case {
        double Lo, Hi;
        int First, Last;
        std::vector<const char*> Labels;
    };
    const std::vector<Case> cases = {
        {0.01, 1000, -2, 3, {"0.01", "0.1", "1", "10", "100", "1000"}},
        {double(0.01f), double(1000.0f), -2, 3, {"0.01", "0.1", "1", "10", "100", "1000"}},
        {double(0.001f), 1, -3, 0, {"0.001", "0.01", "0.1", "1"}}, // the FFT dialog's spectrum
        {0.0001, 10, -4, 1, {"1E-04", "1E-03", "1E-02", "1E-01", "1E+00", "1E+01"}},  // reaches below 10^-3
        {1, 1e5, 0, 5, {"1E+00", "1E+01", "1E+02", "1E+03", "1E+04", "1E+05"}},
        {2, 9, 1, 0, {}},  // no power of ten inside
        // Limits stored as the floats just beside a power of ten keep its label.
        {double(std::nextafter(0.001f, 1.0f)), double(std::nextafter(1000.0f, 0.0f)), -3, 3,
            {"0.001", "0.01", "0.1", "1", "10", "100", "1000"}},
        {double(std::nextafter(0.001f, 0.0f)), double(std::nextafter(1000.0f, 2000.0f)), -3, 3,
            {"0.001", "0.01", "0.1", "1", "10", "100", "1000"}},
        {0.00101, 999, -2, 2, {"0.01", "0.1", "1", "10", "100"}},  // really inside: no label beyond
    };
    for (const Case& c : cases) {
        const TDecades d = DecadeRange(c.Lo, c.Hi);
        EXPECT_EQ(d.First, c.First) << c.Lo;
        EXPECT_EQ(d.Last, c.Last) << c.Hi;
        std::vector<QString> labels;
        for (int k = d.First; k <= d.Last; ++k)
            labels.push_back(DecadeLabel(k, d));
        std::vector<QString> expected;
        for (const char* l : c.Labels)
            expected.push_back(QString::fromLatin1(l));
        EXPECT_EQ(labels, expected) << c.Lo << " .. " << c.Hi;
    }

    // The minor grid values run through the decades.
    const std::vector<double> all = Minor(double(0.01f), 1000);
    ASSERT_EQ(all.size(), 45u);  // 0.01 ... 0.09, 0.1 ... 900; 1000 is the frame
    EXPECT_NEAR(all.front(), 0.01, 1e-12);
    EXPECT_NEAR(all[9], 0.1, 1e-12);
    EXPECT_NEAR(all.back(), 900, 1e-9);

    const std::vector<double> part = Minor(0.02, 0.5);
    ASSERT_EQ(part.size(), 12u);  // 0.02 ... 0.09, 0.1 ... 0.4
    EXPECT_NEAR(part.front(), 0.02, 1e-12);
    EXPECT_NEAR(part.back(), 0.4, 1e-12);

    EXPECT_EQ(Minor(3.5, 6).size(), 2u);  // 4 and 5
    EXPECT_TRUE(Minor(0, 10).empty());
    EXPECT_TRUE(Minor(5, 5).empty());
    EXPECT_TRUE(Minor(std::nan(""), 5).empty());
}

// ---------------------------------------------------------------- mapping


TEST(HistoMapping, PixelValuePixelRoundTripsWithinThePixelLimit)
{
    for (bool xLog : {false, true}) {
        const THistoMapping m = DefaultMapping(xLog, false);
        for (int px = 60; px <= 390; ++px)
            EXPECT_EQ(m.XToPixel(m.PixelToX(px)), px) << (xLog ? "log " : "linear ") << px;
    }
    // A logarithmic Y axis maps its range onto T ... B - 1 and back exactly.
    const THistoMapping logY = DefaultMapping(false, true);
    for (int py = 30; py <= 200; ++py)
        EXPECT_EQ(logY.YToPixel(logY.PixelToY(py)), py) << py;
    // On a linear Y axis the curve pixel of a value lies one row below the
    // row PixelToY reads it from (a curve at ViewYMin sits on the frame row).
    const THistoMapping linY = DefaultMapping(false, false);
    for (int py = 30; py <= 200; ++py)
        EXPECT_EQ(linY.YToPixel(linY.PixelToY(py)), py + 1) << py;
    // Logarithmic axes put non-positive values at the X minimum and at a
    // tenth of the Y minimum.
    const THistoMapping log = DefaultMapping(true, true);
    EXPECT_EQ(log.XToPixel(-5), 70);
    EXPECT_EQ(log.XToPixel(0), 70);
    EXPECT_EQ(log.YToPixel(0), log.YToPixel(0.0001));
    EXPECT_EQ(log.YToPixel(-7), log.YToPixel(0.0001));

    // Pixels stay within the limit.
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::nan("");
    for (bool l : {false, true}) {
        const THistoMapping m = DefaultMapping(l, l);
        EXPECT_EQ(m.XToPixel(inf), HistoPixelLimit);
        EXPECT_EQ(m.XToPixel(nan), HistoPixelLimit);
        EXPECT_EQ(m.YToPixel(inf), -HistoPixelLimit);
        EXPECT_EQ(m.YToPixel(nan), HistoPixelLimit);
    }
    const THistoMapping lin = DefaultMapping(false, false);
    EXPECT_EQ(lin.XToPixel(1e30), HistoPixelLimit);
    EXPECT_EQ(lin.XToPixel(-1e30), -HistoPixelLimit);
    EXPECT_EQ(lin.YToPixel(1e30), -HistoPixelLimit);
    EXPECT_EQ(lin.YToPixel(-inf), HistoPixelLimit);
    EXPECT_EQ(ClampPixel(-2.7), -2);
    EXPECT_EQ(ClampPixel(2.9999999), 2);
    EXPECT_EQ(SnapPixel(2.9999999999), 3);
    EXPECT_EQ(SnapPixel(2.9999), 2);
}
