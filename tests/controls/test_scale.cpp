// The pieces shared by the instrument controls, tested without a control: the
// label format rule, the range table, the linear scale plan of slider and bar
// graph, and the drawing helpers.
#include <controls/DrawHelpers.h>
#include <controls/LinearScale.h>
#include <controls/RangeTable.h>
#include <controls/ScaleFormat.h>
#include <platform/SysUtils.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <QLocale>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

using namespace Tessaron;

// ---------------------------------------------------------------- label format

TEST(ScaleLabel, PatternFollowsRangeAndDecimals)
{
    const struct {
        bool Circular;
        double Min, Max;
        int Decimals;
        const char* Expected;
    } cases[] = {
        // Circular scales: +-10000 and spans below 0.0001.
        {true, -10000, 0, 2, "#.##E-00"}, {true, 0, 10000, 2, "#.##E-00"}, {true, -9999.99, 9999.99, 0, "0"},
        {true, 0, 0.00005, 3, "#.##E-00"}, {true, 5, 5.00005, 3, "#.##E-00"}, {true, 5, 5.0002, 3, "0.000"},
        {true, 0, 100, 2, "0.00"}, {true, 0, 100, 0, "0"}, {true, 0, 100, -3, "0"},
        // Linear scales: +-100000 and spans below 0.001, "0.00E-00".
        {false, -100000, 0, 1, "0.00E-00"}, {false, -99999, 99999, 1, "0.0"}, {false, 0, 10000, 1, "0.0"},
        {false, 0, 0.0005, 1, "0.00E-00"}, {false, 0, 0.005, 2, "0.00"}};
    for (const auto& c : cases)
        EXPECT_EQ(ScaleLabelPattern(c.Circular ? CircularScaleFormat : LinearScaleFormat, c.Min, c.Max, c.Decimals),
            QString::fromLatin1(c.Expected))
            << (c.Circular ? "circular " : "linear ") << c.Min << ".." << c.Max << " decimals " << c.Decimals;
}

TEST(ScaleLabel, RoundsHalfAwayFromZeroCutsLongTextsAndUsesTheLocaleSeparator)
{
    EXPECT_EQ(std::tuple(ScaleLabel("#.##E-00", 12345), ScaleLabel("#.##E-00", 0.00012345), ScaleLabel("0.0", 2.25),
                  ScaleLabel("0", -0.4)),
        std::tuple(QString("1.23E04"), QString("1.23E-04"), QString("2.3"), QString("0")));
    // More decimals than a double holds are shown as MaxFloatDecimals.
    const QString pattern = ScaleLabelPattern(CircularScaleFormat, 0, 100, 30);
    EXPECT_EQ(ScaleLabel(pattern, 1.0).size(), 2 + MaxFloatDecimals);
    EXPECT_EQ(ScaleLabel(pattern, 1.0, 20), QStringLiteral("1.000000000000000000"));
    // The locale's decimal separator.
    TestSupport::LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(ScaleLabel(QStringLiteral("0.00"), 2.5), QStringLiteral("2,50"));
}

// ---------------------------------------------------------------- range table

TEST(RangeTable, NormalisationClampsLimitsAndTheLastReachesTheMaximum)
{
    TRangeTable t(clBtnFace, 100.0);
    ASSERT_TRUE(t.SetNumber(4));
    const double limits[] = {-20.0, 30.0, 80.0, 10.0};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(t.SetCurrent(i + 1) || i == 0);
        t.SetLimit(limits[i]);
    }
    t.Normalise(0.0, 50.0);
    // The last range always ends at ValueMax; entry 5, not in use, is left alone.
    EXPECT_EQ((std::vector<double>{t.Entry(1).Limit, t.Entry(2).Limit, t.Entry(3).Limit, t.Entry(4).Limit,
                  t.Entry(5).Limit}),
        (std::vector<double>{0, 30, 50, 50, 100}));
    // Inverted bounds normalise without failing.
    TRangeTable u;
    u.SetNumber(2);
    u.Normalise(10.0, -10.0);
    EXPECT_EQ(u.Entry(2).Limit, -10.0);
    EXPECT_FALSE(std::isnan(u.Entry(1).Limit));
}

TEST(RangeTable, TakesOnlyValidNumbersAndLimitsEntriesBeyondTheNumberIgnoreWrites)
{
    TRangeTable t;
    for (int bad : {0, -1, 17, 1000}) {
        EXPECT_FALSE(t.SetNumber(bad)) << bad;
        EXPECT_FALSE(t.SetCurrent(bad)) << bad;
    }
    EXPECT_EQ(std::pair(t.Number(), t.Current()), std::pair(1, 1));
    EXPECT_TRUE(t.SetNumber(16));
    EXPECT_TRUE(t.SetCurrent(16));
    EXPECT_FALSE(t.SetNumber(16)); // unchanged
    // A limit that is not a number is ignored.
    EXPECT_FALSE(t.SetLimit(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(t.SetLimit(std::numeric_limits<double>::infinity()));
    EXPECT_EQ(t.Limit(), 100.0);
    // A current entry beyond the number reads zero and ignores writes; once the
    // range is in use, it shows its own untouched entry.
    TRangeTable u(clLime, 100.0);
    ASSERT_TRUE(u.SetCurrent(3));
    EXPECT_EQ(std::tuple(u.Limit(), u.Color(), u.Watched()), std::tuple(0.0, clBlack, false));
    EXPECT_FALSE(u.SetLimit(42.0));
    EXPECT_FALSE(u.SetColor(clRed));
    EXPECT_FALSE(u.SetWatched(true));
    ASSERT_TRUE(u.SetNumber(3));
    EXPECT_EQ(std::tuple(u.Limit(), u.Color(), u.Watched()), std::tuple(100.0, clLime, false));
}

TEST(RangeTable, StoredFormRoundTripsWithAndWithoutFlagsAndIsReadWithoutNormalising)
{
    TRangeTable t;
    t.SetNumber(3);
    t.SetCurrent(1);
    t.SetColor(clLime);
    t.SetLimit(20);
    t.SetWatched(true);
    t.SetCurrent(2);
    t.SetColor(TColor(0x0080FF));
    t.SetLimit(40);
    t.SetCurrent(3);
    t.SetColor(clBtnFace); // a system colour survives as its 32-bit value

    const QVariantList pairs = t.ToList(false), triples = t.ToList(true);
    ASSERT_EQ(std::pair(pairs.size(), triples.size()), std::pair(qsizetype(6), qsizetype(9)));
    EXPECT_EQ(std::tuple(pairs[0].toLongLong(), pairs[1].toDouble(), triples[1].toBool()), std::tuple(65280, 20.0, true));

    for (bool flags : {false, true}) {
        TRangeTable u;
        QString error;
        ASSERT_TRUE(u.FromList(t.ToList(flags), flags, &error)) << error.toStdString();
        EXPECT_EQ(u.Number(), 3);
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(std::tuple(u.Entry(i).Color, u.Entry(i).Limit, u.Entry(i).Watched),
                std::tuple(t.Entry(i).Color, t.Entry(i).Limit, flags && t.Entry(i).Watched)) << i;
    }
    // Read without normalising: limits out of order and beyond any range are kept.
    QString error;
    ASSERT_TRUE(t.FromList({qlonglong(255), 500.0, qlonglong(65280), qlonglong(-7)}, false, &error));
    EXPECT_EQ(std::tuple(t.Number(), t.Entry(1).Limit, t.Entry(2).Limit, t.Entry(1).Color), std::tuple(2, 500.0, -7.0, clRed));
}

TEST(RangeTable, MalformedListIsRefusedAndChangesNothing)
{
    QVariantList seventeen;
    for (int i = 0; i < 17; ++i)
        seventeen << qlonglong(255) << double(i);
    const struct {
        const char* Name;
        QVariantList List;
        bool Flags;
    } cases[] = {{"empty", {}, false}, {"odd count", {qlonglong(255), 1.0, qlonglong(0)}, false},
        {"colour not an integer", {2.5, 1.0}, false}, {"colour too large", {qlonglong(1) << 40, 1.0}, false},
        {"limit not a number", {qlonglong(255), QStringLiteral("x")}, false},
        {"limit NaN", {qlonglong(255), std::numeric_limits<double>::quiet_NaN()}, false},
        {"second pair bad", {qlonglong(255), 1.0, qlonglong(255), QVariantList{}}, false},
        {"flag not boolean", {qlonglong(255), 1.0, 2.0}, true}, {"too many ranges", seventeen, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TRangeTable t(clYellow, 33.0);
        QString error;
        EXPECT_FALSE(t.FromList(c.List, c.Flags, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(std::tuple(t.Number(), t.Entry(1).Limit, t.Entry(1).Color), std::tuple(1, 33.0, clYellow));
    }
}

// ---------------------------------------------------------------- linear scale plan

namespace {

// Every character 6 pixels wide, text 13 pixels high.
int FixedWidth(const QString& Text)
{
    return 6 * int(Text.size());
}
constexpr int kTextHeight = 13;

// A vertical slider of 73 x 233 with a 10-pixel slot and 10-pixel button.
TLinearScaleGeometry VerticalSlider(TLabelingStyle Style, TLabelingOrientation Orientation = lboLeft)
{
    return {.Vertical = true, .Width = 73, .Height = 233, .Start = 5, .End = 228, .LowEdge = 31, .HighEdge = 41,
        .ValueMin = 0, .ValueMax = 50, .Gap = 5, .Decimals = 1, .Orientation = Orientation, .Style = Style};
}

// Its plan over another range with another gap.
TLinearScalePlan PlanFor(TLabelingStyle Style, double Min, double Max, double Gap)
{
    TLinearScaleGeometry g = VerticalSlider(Style);
    g.ValueMin = Min;
    g.ValueMax = Max;
    g.Gap = Gap;
    return PlanLinearScale(g, FixedWidth, kTextHeight);
}

} // namespace

TEST(LinearScalePlan, VerticalLabelsStandEveryKthLineAndLinesReachTheSlotFromBothSides)
{
    const TLinearScalePlan plan = PlanLinearScale(VerticalSlider(lbsBoth), FixedWidth, kTextHeight);
    // 22 pixels per gap of 5; labels need 2 * 13: every second line.
    ASSERT_EQ(plan.Labels.size(), 6u);
    EXPECT_EQ(std::tuple(plan.LabelStep, plan.MaxLabelWidth, plan.LastLabelWidth), std::tuple(2, 24, 24));
    EXPECT_EQ(std::pair(plan.Labels.front().Text, plan.Labels.back().Text), std::pair(QString("0.0"), QString("50.0")));
    // Centred on their line: 0 at the bottom end, 50 at the top end.
    EXPECT_EQ(std::tuple(plan.Labels.front().Y, plan.Labels[1].Y, plan.Labels.back().Y),
        std::tuple(228 - 6, 228 - 45 - 6, 228 - 223 - 6));
    for (const TScaleLabel& l : plan.Labels)
        EXPECT_EQ(l.X, 0);
    // 11 line positions; each has the full line on the far side, and the
    // labelled ones (len - 4 = 28 <= 31) also a short one on the label side.
    int far = 0, near = 0;
    for (const TScaleLine& l : plan.Lines) {
        EXPECT_EQ(l.Y1, l.Y2);
        if (l.X1 == 73) {
            EXPECT_EQ(l.X2, 41);
            ++far;
        } else {
            EXPECT_EQ(std::tuple(l.X1, l.X2, l.Major), std::tuple(28, 31, true));
            ++near;
        }
    }
    EXPECT_EQ(std::pair(far, near), std::pair(11, 6));
}

TEST(LinearScalePlan, SymmetricPutsLabelsAndLinesOnBothSidesOnly)
{
    const TLinearScalePlan plan = PlanLinearScale(VerticalSlider(lbsSymmetric), FixedWidth, kTextHeight);
    ASSERT_EQ(plan.Labels.size(), 12u);
    EXPECT_EQ(std::pair(plan.Labels[0].X, plan.Labels[1].X), std::pair(0, 73 - 18)); // "0.0" on the right edge
    int visible = 0;
    for (const TScaleLine& l : plan.Lines) {
        EXPECT_NE(l.X1, 73); // no full lines
        EXPECT_NE(l.X1, 0);
        if (l.X1 < 31)
            EXPECT_EQ(l.X2, 31);
        else
            EXPECT_EQ(l.X2, 41);
        visible += l.X1 != l.X2;
    }
    // Beside the labels only the major lines reach out of the slot.
    EXPECT_EQ(visible, 12);
}

TEST(LinearScalePlan, AsymmetricLabelsKeepAFifthOfTheWidthFree)
{
    const TLinearScalePlan right = PlanLinearScale(VerticalSlider(lbsAsymmetric, lboRight), FixedWidth, kTextHeight);
    ASSERT_FALSE(right.Labels.empty());
    EXPECT_TRUE(right.Lines.empty());
    EXPECT_EQ(right.Labels.back().X, 73 - 24 - 14 - 6);
    const TLinearScalePlan left = PlanLinearScale(VerticalSlider(lbsAsymmetric, lboAbove), FixedWidth, kTextHeight);
    EXPECT_EQ(left.Labels.back().X, 6 + 14);
}

TEST(LinearScalePlan, LinesOnlyStyleDrawsFullLinesOnBothSides)
{
    const TLinearScalePlan plan = PlanLinearScale(VerticalSlider(lbsLines, lboRight), FixedWidth, kTextHeight);
    EXPECT_TRUE(plan.Labels.empty());
    // High side: from W (W + 4 for a major line) to the slot, and 0 to the slot.
    ASSERT_EQ(plan.Lines.size(), 22u);
    EXPECT_EQ(std::tuple(plan.Lines[0].X1, plan.Lines[0].X2, plan.Lines[1].X1, plan.Lines[1].X2), std::tuple(77, 41, 0, 31));
    EXPECT_EQ(plan.Lines[2].X1, 73); // a minor line
}

TEST(LinearScalePlan, HorizontalLabelsAreSpacedByTheirWidth)
{
    TLinearScaleGeometry g = VerticalSlider(lbsBoth, lboBelow);
    g.Vertical = false;
    std::tie(g.Width, g.Height) = std::pair(233, 73); // the same travel, 5 .. 228
    // "50.0-" is 30 pixels: k * 22 >= 40 gives k = 2.
    const TLinearScalePlan plan = PlanLinearScale(g, FixedWidth, kTextHeight);
    ASSERT_EQ(plan.Labels.size(), 6u);
    EXPECT_EQ(std::tuple(plan.LabelStep, plan.Labels[0].X, plan.Labels[0].Y, plan.Labels[5].X),
        std::tuple(2, 5 - 9, 73 - 13, 5 + 223 - 12));
    // Lines are vertical, at x = Start + pos.
    ASSERT_FALSE(plan.Lines.empty());
    EXPECT_EQ(std::pair(plan.Lines[0].X1, plan.Lines[0].X2), std::pair(5, 5));
}

TEST(LinearScalePlan, LinesStartAtTheFirstGapMultipleReachANegativeMaximumAndStayBoundedFarFromZero)
{
    const TLinearScalePlan first = PlanFor(lbsLabels, 3, 53, 10);
    ASSERT_FALSE(first.Labels.empty());
    EXPECT_EQ(first.Labels.front().Text, QStringLiteral("10.0"));
    // Six positions -10 .. -5, two lines each; the last at the top end.
    const TLinearScalePlan negative = PlanFor(lbsLines, -10, -5, 1);
    ASSERT_EQ(negative.Lines.size(), 12u);
    EXPECT_EQ(negative.Lines.back().Y1, 5);
    const TLinearScalePlan huge = PlanFor(lbsBoth, 1e20, 1e20 + 1e6, 5);
    EXPECT_LE(huge.Lines.size(), size_t(2 * (223 + 2)));
    ASSERT_FALSE(huge.Labels.empty());
    EXPECT_TRUE(huge.Labels.front().Text.contains(QLatin1Char('E')));
}

TEST(LinearScalePlan, DegenerateGeometriesGiveAnEmptyPlan)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double Min, Max, Gap;
        int Start, End;
    } cases[] = {
        {5, 5, 1, 5, 228},     // no span
        {50, 0, 1, 5, 228},    // inverted
        {0, 50, 0, 5, 228},    // no gap
        {0, 50, -1, 5, 228},   // negative gap
        {0, 50, nan, 5, 228},  // gap not a number
        {0, nan, 1, 5, 228},   // range not a number
        {0, 50, 1, 100, 100},  // no length
        {0, 50, 1, 100, 90},   // negative length
    };
    for (const Case& c : cases) {
        TLinearScaleGeometry g = VerticalSlider(lbsBoth);
        g.ValueMin = c.Min;
        g.ValueMax = c.Max;
        g.Gap = c.Gap;
        g.Start = c.Start;
        g.End = c.End;
        const TLinearScalePlan plan = PlanLinearScale(g, FixedWidth, kTextHeight);
        EXPECT_TRUE(plan.Labels.empty() && plan.Lines.empty()) << c.Min << " " << c.Max << " " << c.Gap;
        EXPECT_FALSE(plan.GapEnlarged);
    }
}

// ---------------------------------------------------------------- frames

TEST(FrameRings, DrawsThePixelsOfTheClassicFrame)
{
    const TRect rects[] = {{2, 3, 30, 20}, {0, 0, 40, 25}, {5, 5, 7, 20}, {5, 5, 6, 20}, {10, 4, 30, 5}, {3, 3, 9, 9}};
    for (const TRect& rect : rects)
        for (int width : {1, 2, 3, 5}) {
            TBitmap a(40, 25), b(40, 25);
            TRect ra = rect, rb = rect;
            Frame3D(a.Canvas(), ra, clRed, clBlue, width);
            FrameRings(b.Canvas(), rb, clRed, clBlue, width);
            EXPECT_EQ(ra, rb);
            EXPECT_EQ(a.Image(), b.Image()) << rect.Left << "," << rect.Top << "," << rect.Right << ","
                                            << rect.Bottom << " width " << width;
        }
}

TEST(LineInImage, DrawsTheVisiblePixelsOfLinesThatStartOutside)
{
    // Lines from just beyond each edge, and from far away, into the image.
    const TPoint lines[][2] = {{{20, 5}, {10, 5}}, {{5, 10}, {5, 3}}, {{-1, 4}, {8, 4}}, {{4, -1}, {4, 6}},
        {{30, 9}, {12, 2}}, {{-20, -20}, {10, 7}}, {{25, 3}, {40, 3}}, {{3, 12}, {3, 30}}};
    for (const auto& line : lines) {
        TBitmap reference(60, 50), clipped(20, 10);
        // The reference draws on a bigger image, offset by (20, 20).
        reference.Canvas()->MoveTo(line[0].x() + 20, line[0].y() + 20);
        reference.Canvas()->LineTo(line[1].x() + 20, line[1].y() + 20);
        LineInImage(clipped.Canvas(), line[0], line[1]);
        const QImage expected = reference.Image().copy(20, 20, 20, 10);
        const QImage& got = clipped.Image();
        int differ = 0;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x)
                differ += expected.pixel(x, y) != got.pixel(x, y);
        // Slanted lines may start their steps one pixel apart.
        const bool straight = line[0].x() == line[1].x() || line[0].y() == line[1].y();
        EXPECT_LE(differ, straight ? 0 : 2) << line[0].x() << "," << line[0].y();
    }
}
