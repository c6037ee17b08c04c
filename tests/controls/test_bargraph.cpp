// TBarGraph: value and range rules, the column filled by ranges up to the
// value, the scale shared with the slider, the partial redraw after a value
// change and the stored "Range" list, on real controls in a shown window.
#include <controls/Bargraph.h>
#include <controls/SliderScale.h>
#include <platform/Streaming.h>

#include <gtest/gtest.h>
#include "ControlTestKit.h"
#include "support/TestSupport.h"

#include <QFontMetrics>

#include <cmath>
#include <tuple>
#include <vector>

using namespace Tessaron;
using namespace ControlTest;

namespace {

// A bar graph of the demonstration's size, 81 x 217: the column spans x 35..44
// and y 8..208, inside its frame x 36..43 and y 9..207 (199 rows).
TBarGraph* AddBar(THost& W)
{
    return W.Add<TBarGraph>(81, 217);
}
TBarGraph* AddHorizontalBar(THost& W)
{
    return W.Add<TBarGraph>(217, 81, [](TBarGraph* B) { B->SetKind(sbHorizontal); });
}

// Green to 60, yellow to 80, red to 100.
void WarningZones(TBarGraph* B)
{
    SetRanges(B, {60, 80, 100}, {clLime, clYellow, clRed});
}

// The row of the fill level for V in the default 81 x 217 bar graph.
int LevelRow(double V)
{
    return 208 - int(std::nearbyint(V * 199 / 100));
}

} // namespace

// ---------------------------------------------------------------- values

TEST(BarGraph, ValueIsClampedIntoTheRangeAndFillsTheColumnToIt)
{
    struct Case {
        double Start, Set, Stored;
        int Rows; // filled rows of the 199
    };
    // Beyond the end a full column, below the start an empty one; NaN ignored
    // (59.7 rows); 74.625 rows; 99.5 rows, ties to even; back to ValueMin.
    const Case cases[] = {{0, 150, 100, 199}, {50, -20, 0, 0}, {30, std::nan(""), 30, 60}, {0, 37.5, 37.5, 75},
        {0, 50, 50, 100}, {20, 0, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Set);
        THost w;
        TBarGraph* b = AddBar(w);
        b->SetRangeColor(clRed);
        b->SetValue(c.Start);
        b->SetValue(c.Set);
        EXPECT_EQ(b->Value(), c.Stored);
        const QImage& img = b->BackingImage();
        EXPECT_EQ(CountColor(img, QRect(36, 9, 8, 199), clRed), 8 * c.Rows);
        if (c.Rows > 0)
            EXPECT_EQ(PixelAt(b, 40, 208 - c.Rows), clRed);
        if (c.Rows < 199)
            EXPECT_EQ(PixelAt(b, 40, 207 - c.Rows), Rgb(clBtnFace));
    }
}

TEST(BarGraph, RangeEndsMustStayOrderedAndCarryTheLimits)
{
    THost w;
    TBarGraph* b = AddBar(w);
    WarningZones(b);
    b->SetValue(10);
    b->SetValueMin(100); // not below ValueMax
    b->SetValueMax(-1);  // not above ValueMin
    b->SetValueMax(std::nan(""));
    EXPECT_EQ(std::pair(b->ValueMin(), b->ValueMax()), std::pair(0.0, 100.0));
    // A narrower range pulls the limits in; the last one ends at ValueMax.
    b->SetValueMax(70);
    EXPECT_EQ((std::vector<double>{b->Ranges().Entry(1).Limit, b->Ranges().Entry(2).Limit, b->Ranges().Entry(3).Limit}),
        (std::vector<double>{60, 70, 70}));
    b->SetRangeCurrent(1);
    b->SetRangeLimit(500);
    EXPECT_EQ(b->RangeLimit(), 70);
    // Value itself is left where it is, even below a raised ValueMin: the
    // column shows empty then.
    b->SetValueMin(20);
    EXPECT_EQ(b->Value(), 10);
    EXPECT_EQ(CountColor(b->BackingImage(), QRect(36, 9, 8, 199), clLime), 0);
    b->SetLabelingStyle(lbsAsymmetric); // the slider's window cursor: not a bar graph style
    EXPECT_EQ(b->LabelingStyle(), lbsNone);
}

// ---------------------------------------------------------------- drawing

TEST(BarGraphDrawing, RangesColourTheColumnUpToTheValueOnly)
{
    // Green 60, yellow 80, red 100 and the value 70: green to 60, yellow from
    // 60 to 70, the bar colour above.
    for (TScrollBarKind kind : {sbVertical, sbHorizontal}) {
        SCOPED_TRACE(kind);
        THost w;
        TBarGraph* b = kind == sbVertical ? AddBar(w) : AddHorizontalBar(w);
        WarningZones(b);
        b->SetBarColor(clWhite);
        b->SetValue(70);
        b->BackingImage();
        // 60 lies 119 pixels and 70 139 pixels from the start of the inside.
        for (int i = 0; i < 199; ++i) {
            const TColor expected = i < 119 ? clLime : i < 139 ? clYellow : clWhite;
            for (int across : {36, 43}) {
                const TColor got = kind == sbVertical ? PixelAt(b, across, 207 - i) : PixelAt(b, 9 + i, across);
                ASSERT_EQ(got, expected) << "pixel " << i << " across " << across;
            }
        }
        EXPECT_EQ(CountColor(b->BackingImage(), b->ClientRect().ToQRect(), clRed), 0);
        // The sunken frame: dark at the top and left, light at the bottom and right.
        if (kind == sbVertical)
            ExpectPixels(b, {{35, 100, Rgb(clBtnShadow)}, {40, 8, Rgb(clBtnShadow)}, {44, 100, Rgb(clBtnHighlight)},
                                {40, 208, Rgb(clBtnHighlight)}});
    }
}

TEST(BarGraphDrawing, InteriorIsFilledAndTheOuterRingLeftToTheParent)
{
    THost w;
    TBarGraph* b = AddBar(w);
    b->SetColor(clWhite);
    b->SetValue(50);
    ExpectPixels(b, {{0, 0, Rgb(clBtnFace)}, {80, 216, Rgb(clBtnFace)}, {1, 1, clWhite}, {79, 215, clWhite}});
    // A background picture is stretched over the interior; the column stays on
    // top, empty in BarColor, and range 1 is black by default.
    TBitmap picture(4, 4);
    FillBitmap(picture, clTeal);
    b->PictureBackground()->SetGraphic(&picture);
    ExpectPixels(b, {{1, 1, clTeal}, {79, 215, clTeal}, {0, 0, Rgb(clBtnFace)}, {40, 20, Rgb(clBtnFace)},
                        {40, 200, clBlack}});
}

TEST(BarGraphDrawing, ScaleLinesEndAtTheColumnEdges)
{
    THost w;
    TBarGraph* b = AddBar(w);
    b->SetBarWidth(40); // the column spans x 20..59
    b->SetLabelingGap(10);
    b->SetLabelingStyle(lbsLines);
    b->SetOffsetUpper(20);
    const QImage& img = b->BackingImage();
    // ValueMax stands at OffsetUpper, ValueMin at 217 - OffsetLower.
    for (int row : {20, 209}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(CountColor(img, QRect(0, row, 20, 1), clBlack), 20);
        EXPECT_NE(PixelAt(b, 20, row), clBlack);
        EXPECT_NE(PixelAt(b, 60, row), clBlack);
        EXPECT_EQ(CountColor(img, QRect(61, row, 20, 1), clBlack), 20);
    }
    EXPECT_EQ(CountColor(img, QRect(0, 8, 81, 1), clBlack), 0);
    // 50 lies Round(189 * 0.5) = 94 pixels above the ValueMin end (ties to even).
    EXPECT_EQ(CountColor(img, QRect(5, 209 - 95, 1, 3), clBlack), 1);
    EXPECT_EQ(PixelAt(b, 5, 209 - 94), clBlack);
}

TEST(BarGraphDrawing, LabelsStandOnTheChosenSide)
{
    struct Case {
        TLabelingStyle Style;
        TLabelingOrientation Side;
        bool Left, Right;
    };
    const Case cases[] = {{lbsLabels, lboLeft, true, false}, {lbsLabels, lboRight, false, true},
        {lbsLabels, lboBelow, false, true}, {lbsSymmetric, lboLeft, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.Style) * 10 + int(c.Side));
        THost w;
        TBarGraph* b = AddBar(w);
        b->SetLabelingGap(10);
        b->SetLabelingStyle(c.Style);
        b->SetLabelingOrientation(c.Side);
        const QImage& img = b->BackingImage();
        const int th = QFontMetrics(b->LabelingFont()->ToQFont()).height();
        // The label "0.0" is centred on row 209, the ValueMin end of the scale.
        EXPECT_EQ(CountColor(img, QRect(0, 209 - th / 2, 30, th), clBlack) > 5, c.Left);
        EXPECT_EQ(CountColor(img, QRect(51, 209 - th / 2, 30, th), clBlack) > 5, c.Right);
    }
}

TEST(BarGraphDrawing, ValueChangeRedrawsOnlyTheColumnBetweenTheLevels)
{
    const struct {
        double From, To;
    } moves[] = {{25, 70}, {70, 30}, {30, 30.2}, {0, 100}, {100, 0}};
    for (const auto& m : moves) {
        SCOPED_TRACE(m.To);
        THost w;
        TBarGraph* b = AddBar(w);
        WarningZones(b);
        b->SetLabelingGap(10);
        b->SetLabelingStyle(lbsBoth);
        b->SetValue(m.From);
        b->BackingImage();
        PaintSentinel(b);
        b->SetValue(m.To);
        // The column between the two levels, grown by 1; the scale and the rest
        // stay untouched.
        const int top = std::min(LevelRow(m.From), LevelRow(m.To)) - 1;
        const int bottom = std::max(LevelRow(m.From), LevelRow(m.To)) + 1;
        const QRect column(35, top, 10, bottom - top);
        ExpectPartialRedraw(b, column, column & QRect(0, 8, 81, 201));
    }
}

// ---------------------------------------------------------------- stored data

TEST(BarGraphStored, RangeListIsReadDirectlyAndWrittenBack)
{
    THost w;
    TBarGraph* b = AddBar(w);
    ReadComponentText(b,
        "object BarGraph1: TBarGraph\n"
        "  LabelingStyle = lbsBoth\n"
        "  Range = ((65280 60.0 65535 80.0 255 100.0) 70.0 0.0 100.0 10.0)\n"
        "end\n",
        "bar graph");
    EXPECT_EQ(std::tuple(b->RangeNumber(), b->Value(), b->LabelingGap()), std::tuple(3, 70.0, 10.0));
    ExpectPixels(b, {{40, LevelRow(65), clYellow}, {40, LevelRow(75), Rgb(clBtnFace)}});
    const QByteArray text = WriteComponentText(b);
    EXPECT_TRUE(text.contains("Range = ((65280 60.0 65535 80.0 255 100.0) 70.0 0.0 100.0 10.0)")) << text.constData();
    // A malformed list names its line and leaves the bar graph as it was.
    const char* bad[] = {"  Range = ((65280 60.0) 1.0 2.0)\n", "  Range = (1.0 2.0 3.0 4.0 5.0)\n",
        "  Range = ((65280 60.0) 1.0 0.0 100.0 'x')\n"};
    for (const char* line : bad) {
        SCOPED_TRACE(line);
        try {
            ReadComponentText(b, QByteArray("object BarGraph1: TBarGraph\n") + line + "end\n", "broken bar graph");
            ADD_FAILURE() << "read a bad Range";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Line(), 2);
        }
        EXPECT_EQ(std::pair(b->RangeNumber(), b->Value()), std::pair(3, 70.0));
    }
}

// ---------------------------------------------------------------- shared scale

TEST(SliderScale, KeptPlanFollowsEveryChangeOfLayoutValuesAndFont)
{
    TBitmap bitmap(81, 217);
    TFont font;
    font.SetColor(clBlack);
    TLinearScaleGeometry g = LinearScaleLayout(true, 81, 217, 8, 8, 35, 45);
    g.Style = lbsLines;
    g.Gap = 10;
    TSliderScale scale;
    EXPECT_EQ(scale.Draw(bitmap.Canvas(), g, &font, clWhite).Lines.size(), 22u); // the short line and the long one beside the column
    g.ValueMax = 50;
    EXPECT_EQ(scale.Draw(bitmap.Canvas(), g, &font, clWhite).Lines.size(), 12u);
    g.Style = lbsLabels;
    EXPECT_EQ(scale.Draw(bitmap.Canvas(), g, &font, clWhite).Lines.size(), 0u);
    const int before = scale.Draw(bitmap.Canvas(), g, &font, clWhite).MaxLabelWidth;
    font.SetSize(20);
    EXPECT_GT(scale.Draw(bitmap.Canvas(), g, &font, clWhite).MaxLabelWidth, before);
    // The line colour is the font's: a new colour draws in it.
    g.Style = lbsLines;
    font.SetColor(clRed);
    scale.Draw(bitmap.Canvas(), g, &font, clWhite);
    EXPECT_EQ(QRgbToColor(bitmap.Image().pixel(5, 209)), clRed);
}
