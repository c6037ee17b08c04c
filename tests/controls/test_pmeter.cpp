// The panel meter: display format, range reports, slots, layout and the
// digits it draws, read back from its pixels.
#include <controls/PMeter.h>
#include <platform/SysUtils.h>

#include <gtest/gtest.h>
#include "ControlTestKit.h"
#include "support/TestSupport.h"

#include <QLocale>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using namespace Tessaron;
using ControlTest::CountColor;
using ControlTest::ExpectPixels;

namespace {

// Colours no frame uses, so that lit, unlit and frame pixels tell apart.
constexpr TColor kBack = clNavy;
constexpr TColor kLit = clLime;
constexpr TColor kWhite = TColor(0xFFFFFF); // clBtnHighlight as drawn
constexpr TColor kShadow = TColor(0x808080); // clBtnShadow

std::unique_ptr<TPanelMeter> MakeMeter(int W, int H)
{
    auto m = std::make_unique<TPanelMeter>();
    m->SetBounds(0, 0, W, H);
    m->SetColor(kBack);
    m->BackingImage();
    return m;
}

TColor PixelAt(TPanelMeter& M, TPoint P)
{
    return QRgbToColor(M.BackingImage().pixel(P));
}

// The pixel as the canvas holds it now, without painting what is pending.
TColor PixelNow(TPanelMeter& M, TPoint P)
{
    return M.Canvas()->Pixel(P.x(), P.y());
}

// The centre of a segment of a cell: the mean of its corners.
TPoint SegmentCentre(const TPanelMeterLayout& G, int Cell, int Segment)
{
    const TSegmentPolygon& poly = G.Segments[size_t(Segment)];
    int sx = 0, sy = 0;
    for (int i = 0; i < poly.Count; ++i) {
        sx += poly.Points[size_t(i)].x();
        sy += poly.Points[size_t(i)].y();
    }
    return TPoint(sx / poly.Count + Cell * G.Pitch, sy / poly.Count);
}

// The segments of a cell as read from the picture: "1" lit, "0" unlit,
// "?" any other colour; the eighth character is the decimal point.
std::string ReadCell(TPanelMeter& M, int Cell)
{
    const TPanelMeterLayout g = M.Layout();
    std::string out;
    for (int k = 0; k < 8; ++k) {
        const TColor c = PixelAt(M, SegmentCentre(g, Cell, k));
        out += c == M.DisplayColor() ? '1' : c == M.Color() ? '0' : '?';
    }
    return out;
}

// The segments 1..7 (top, upper right, middle, lower right, bottom, lower
// left, upper left) of each character, as a seven-segment display lights them.
std::string Expected(char C)
{
    static const char* const digits[] = {"1101111", "0101000", "1110110", "1111100", "0111001", "1011101",
        "1011111", "1101000", "1111111", "1111101"};
    return C >= '0' && C <= '9' ? digits[C - '0'] : C == '-' ? "0010000" : "0000000";
}

// Records the meter's range reports.
void Record(TPanelMeter& M, std::vector<int>& Reports)
{
    M.OnRangeCheck = [&Reports](TObject*, int Range) { Reports.push_back(Range); };
}

} // namespace

// ---------------------------------------------------------------- format

TEST(PanelMeterFormat, PatternAndTextFollowDigitsPointAndSign)
{
    struct Case {
        int Digits, Point;
        TPanelMeter::TPanelMeterSign Sign;
        double Value;
        const char* Pattern;
        const char* Text;
    };
    const Case cases[] = {
        {4, 1, TPanelMeter::pmrNegative, 1.25, " 0.000;-0.000", " 1.250"},
        {4, 1, TPanelMeter::pmrNegative, -1.25, " 0.000;-0.000", "-1.250"},
        // A value that rounds to zero shows no minus sign.
        {4, 1, TPanelMeter::pmrNegative, -0.0001, " 0.000;-0.000", " 0.000"},
        {4, 3, TPanelMeter::pmrNegative, 12.5, " 000.0;-000.0", " 012.5"},
        {4, 0, TPanelMeter::pmrNegative, -42, " 0000;-0000", "-0042"},
        // A point after the last digit has no decimals to lead.
        {4, 4, TPanelMeter::pmrNegative, 7.6, " 0000.;-0000.", " 0008"},
        {4, 9, TPanelMeter::pmrNegative, 7, " 0000;-0000", " 0007"},
        // Two digits without a point keep the leading zero.
        {2, 0, TPanelMeter::pmrOnlyPositive, 5, "00", "05"},
        {3, 1, TPanelMeter::pmrOnlyPositive, 2.5, "0.00", "2.50"},
        // Invalid digits, points and signs are ignored.
        {0, -1, TPanelMeter::TPanelMeterSign(7), 1.25, " 0.000;-0.000", " 1.250"},
        {TPanelMeter::MaxDigits + 1, -1, TPanelMeter::pmrNegative, 1.25, " 0.000;-0.000", " 1.250"},
    };
    for (const Case& c : cases) {
        TPanelMeter m;
        m.SetSign(c.Sign);
        m.SetDigits(c.Digits);
        m.SetDecimalPoint(c.Point);
        m.SetValue(c.Value);
        SCOPED_TRACE(c.Pattern);
        EXPECT_EQ(std::pair(m.DisplayFormat(), m.DisplayText()), std::pair(QString(c.Pattern), QString(c.Text)));
    }
}

// ---------------------------------------------------------------- range reports

TEST(PanelMeterRange, ReportsFollowTheStatusRules)
{
    struct Case {
        const char* Name;
        double Min, Max;
        TPanelMeter::TPanelMeterSign Sign;
        std::vector<double> Values;
        std::vector<int> Reports;
    };
    const std::vector<Case> cases = {
        // The first value equals the stored 0 and is no change at all.
        {"default range", -1.999, 1.999, TPanelMeter::pmrNegative, {0, 1, 2.5, 3, -2.5, -1.999, 1.999, 1.9991},
            {-2, -1, 0, -2}},
        // Inverted limits: below 5 is -1, from 5 up -2, each crossing of 5 reports.
        {"inverted limits", 5, -5, TPanelMeter::pmrNegative, {1, 4.9, 5, 7, 4.999, -10, 5, 9}, {-1, -2, -1, -2}},
        {"only positive", -1.999, 1.999, TPanelMeter::pmrOnlyPositive, {-1.5, -1.0, 0.5, -1.0, -3, 0.25},
            {-3, 0, -3, -1, 0}},
        // Below the minimum wins over the sign.
        {"below before negative", -1, 1, TPanelMeter::pmrOnlyPositive, {-2, -0.5}, {-1, -3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TPanelMeter m;
        m.SetValueMin(c.Min);
        m.SetValueMax(c.Max);
        m.SetSign(c.Sign);
        std::vector<int> reports;
        Record(m, reports);
        for (double v : c.Values)
            m.SetValue(v);
        EXPECT_EQ(std::pair(reports, m.RangeStatus()), std::pair(c.Reports, c.Reports.back()));
    }
}

// Only changes of a valid value are checked, and only with a handler; a
// handler setting the value again (same status) does not loop.
TEST(PanelMeterRange, OnlyHandledChangesOfAValidValueAreCheckedWithoutLoopingOnlyPositiveStoresTheMagnitude)
{
    TPanelMeter m;
    m.SetValue(5);
    EXPECT_EQ(m.RangeStatus(), 0); // nothing is checked without a handler
    std::vector<int> reports;
    Record(m, reports);
    m.SetValue(6); // still above the maximum: the status last reported was 0
    m.SetValue(6);
    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()})
        m.SetValue(bad);
    EXPECT_EQ(std::pair(reports, m.Value()), std::pair(std::vector<int>{-2}, 6.0));

    TPanelMeter n;
    int calls = 0;
    n.OnRangeCheck = [&](TObject*, int) {
        ++calls;
        n.SetValue(n.Value() + 1);
    };
    n.SetValue(10);
    EXPECT_EQ(std::pair(calls, n.Value()), std::pair(1, 11.0));

    // Only positive: the magnitude is stored after reporting the negative value.
    TPanelMeter p;
    p.SetSign(TPanelMeter::pmrOnlyPositive);
    double seen = 0;
    p.OnRangeCheck = [&](TObject* Sender, int Range) {
        EXPECT_EQ(std::pair(Sender, Range), std::pair(static_cast<TObject*>(&p), -3));
        seen = p.Value();
    };
    p.SetValue(-1.5);
    EXPECT_EQ(std::pair(seen, p.Value()), std::pair(-1.5, 1.5));
    EXPECT_EQ(p.DisplayText(), "1.500");
}

// ---------------------------------------------------------------- slots

TEST(PanelMeterSlots, IndexChecksAndLitBoxesInARowAtTheBottom)
{
    auto m = MakeMeter(225, 105);
    m->SetSlots({"OVERLOAD", "Volts"});
    for (int index : {-1, 0, 1, 2, 100}) {
        m->SetSlot(index, true);
        EXPECT_EQ(m->GetSlot(index), index == 0 || index == 1) << index;
    }
    // The same texts keep the states, new texts switch every slot off.
    m->SetSlots({"OVERLOAD", "Volts"});
    EXPECT_TRUE(m->GetSlot(0));
    m->SetSlots({"OVERLOAD", "Volts", "Hz"});
    EXPECT_FALSE(m->GetSlot(0) || m->GetSlot(2));
    m->SetSlots({});
    EXPECT_FALSE(m->GetSlot(0));
    m->SetSlot(0, true); // nothing to switch
    EXPECT_FALSE(m->GetSlot(0));

    // Active slots are lit boxes in a row at the bottom.
    m->SetSlots({"OVERLOAD", "Volts"});
    m->SetDisplayAngle(0);
    m->BackingImage();
    const std::vector<TRect> boxes = m->SlotRects();
    ASSERT_EQ(boxes.size(), 2u);
    // Left to right with 3 pixels between, 3 pixels above the display's bottom.
    EXPECT_EQ(std::pair(boxes[0].Left, boxes[1].Left), std::pair(7 + 3, boxes[0].Right + 3));
    EXPECT_EQ(boxes[0].Bottom, 105 - 7 - 3);
    EXPECT_GT(boxes[0].Width(), boxes[1].Width());
    // The slot row's height is kept free of digits: without slots the width
    // would allow 25 pixels per segment.
    const int th = boxes[0].Height() - 6;
    EXPECT_EQ(m->Layout().H, Round((91 - (th + 9)) / 3.0));
    EXPECT_LT(m->Layout().H, 25);
    EXPECT_LT(m->Layout().BaseY, boxes[0].Top);

    const TPoint corner0(boxes[0].Left + 1, boxes[0].Top + 1);
    const TPoint corner1(boxes[1].Left + 1, boxes[1].Top + 1);
    EXPECT_EQ(PixelAt(*m, corner0), kBack);
    // Switching a slot draws it at once.
    m->SetSlot(0, true);
    EXPECT_EQ(PixelNow(*m, corner0), kLit);
    EXPECT_EQ(PixelNow(*m, corner1), kBack);
    m->SetSlot(0, false);
    EXPECT_EQ(PixelNow(*m, TPoint(boxes[0].Left + 4, boxes[0].Top + 4)), kBack);
    // A designer shows every slot, without switching it on.
    m->SetDesigning(true);
    m->Invalidate();
    EXPECT_EQ(PixelAt(*m, corner1), kLit);
    EXPECT_FALSE(m->GetSlot(1));
}

// ---------------------------------------------------------------- layout

// The geometry of the demonstration's sizes; too small or odd settings (no
// cells given) paint without digits. Lit pixels only inside the display.
TEST(PanelMeterLayout, GeometryOfTheDemonstrationSizesAndDigitsOnlyInsideTheDisplay)
{
    struct Case {
        int W, H, Bevel, Border, Digits;
        double Angle;
        TPanelMeter::TPanelMeterSign Sign;
        int h, s, e, x0, baseY, pitch, cells;
        TPoint TopFirst; // first corner of the top segment, after the slant
    };
    const Case cases[] = {
        {225, 81, 2, 3, 4, 5, TPanelMeter::pmrNegative, 22, 4, 2, 23, 66, 38, 5, TPoint(29, 16)},
        {185, 81, 1, 1, 6, 0, TPanelMeter::pmrNegative, 15, 3, 1, 12, 42, 24, 7, TPoint(13, 9)},
        {185, 105, 1, 1, 2, 15, TPanelMeter::pmrOnlyPositive, 33, 6, 3, 27, 91, 67, 2, TPoint(49, 16)},
        {3, 3, 2, 3, 4, 5}, {20, 12, 2, 3, 4, 5}, {225, 81, 60, 3, 4, 5}, {225, 81, -4, -4, 4, 5},
        {225, 81, 2, 3, 4, -89}, {225, 81, 2, 3, 4, 89}, {225, 81, 2, 3, 4, 1e6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.W << "x" << c.H << " " << c.Bevel << "/" << c.Border << " angle " << c.Angle);
        TPanelMeter m;
        m.SetBounds(0, 0, c.W, c.H);
        m.SetBevelWidth(c.Bevel);
        m.SetBorderWidth(c.Border);
        m.SetDigits(c.Digits);
        m.SetDisplayAngle(c.Angle);
        m.SetSign(c.Sign);
        m.SetValue(-1.888);
        const QImage& image = m.BackingImage();
        const TPanelMeterLayout g = m.Layout();
        EXPECT_EQ(CountColor(image, image.rect(), kLit), CountColor(image, g.Display.ToQRect(), kLit));
        if (c.cells == 0)
            continue;
        const int inset = 2 * c.Bevel + c.Border;
        EXPECT_EQ(g.Display, Rect(inset, inset, c.W - inset, c.H - inset));
        EXPECT_EQ(std::tuple(g.H, g.S, g.E, g.X0, g.BaseY, g.Pitch, g.Cells, g.Segments[0].Points[0]),
            std::tuple(c.h, c.s, c.e, c.x0, c.baseY, c.pitch, c.cells, c.TopFirst));
        // The bottom segment starts on the base line, unslanted.
        EXPECT_EQ(g.Segments[4].Points[0], TPoint(c.x0 + c.e, c.baseY));
        // Every cell lies inside the display.
        for (int cell = 0; cell < g.Cells; ++cell)
            for (const TSegmentPolygon& poly : g.Segments)
                for (int i = 0; i < poly.Count; ++i) {
                    const TPoint p = poly.Points[size_t(i)] + TPoint(cell * g.Pitch, 0);
                    EXPECT_TRUE(g.Display.Contains(p.x(), p.y())) << "cell " << cell << " " << p.x() << "," << p.y();
                }
    }
}

// ---------------------------------------------------------------- painting

TEST(PanelMeterPaint, FramesFromTheOutsideIn)
{
    auto m = MakeMeter(100, 60);
    m->SetBorderColor(clRed);
    ExpectPixels(m.get(), {{0, 0, kWhite}, {50, 1, kWhite}, {99, 30, kShadow}, {98, 58, kShadow}, // raised
                              {2, 30, clRed}, {95, 55, clRed},                                      // flat border
                              {5, 30, kShadow}, {50, 6, kShadow}, {94, 30, kWhite}, {50, 53, kWhite}, // sunken
                              {7, 7, kBack}, {92, 52, kBack}});                                     // display
    EXPECT_EQ(m->Layout().Display, Rect(7, 7, 93, 53));
}

// Straight and slanted digits, four digits and a sign cell. The point takes
// no cell and lights the mark of the digit before it; a comma does the same.
// Two digits without a point keep the leading zero; a negative value shows its
// magnitude then, without a sign cell.
TEST(PanelMeterPaint, EveryCharacterLightsItsSegmentsAndThePointTheMarkBeforeIt)
{
    // The cells show Text; the decimal point is dark but after PointCell, a
    // blank cell leaves it as it was.
    const auto expectCells = [](TPanelMeter& M, const std::string& Text, int PointCell) {
        for (int cell = 0; cell < int(Text.size()); ++cell) {
            const char c = Text[size_t(cell)];
            const std::string want = Expected(c) + (c == ' ' ? "" : cell == PointCell ? "1" : "0");
            EXPECT_EQ(ReadCell(M, cell).substr(0, want.size()), want) << "cell " << cell << " '" << c << "'";
        }
    };
    for (double angle : {0.0, 5.0, 15.0}) {
        auto m = MakeMeter(300, 150);
        m->SetDecimalPoint(0);
        m->SetDisplayAngle(angle);
        for (double value : {123.0, 4567.0, -89.0, 8888.0, -1.0, 0.0}) {
            SCOPED_TRACE(testing::Message() << "angle " << angle << " value " << value);
            m->SetValue(value);
            ASSERT_EQ(m->DisplayText().size(), 5);
            expectCells(*m, m->DisplayText().toStdString(), -1);
        }
    }
    auto m = MakeMeter(300, 150);
    m->SetDecimalPoint(2);
    m->SetValue(-12.34);
    expectCells(*m, "-1234", 2);
    {
        TestSupport::LocaleScope german(QLocale(QLocale::German));
        m->SetValue(-56.78);
        EXPECT_EQ(m->DisplayText(), "-56,78");
        expectCells(*m, "-5678", 2);
    }
    auto two = MakeMeter(185, 105);
    two->SetDigits(2);
    two->SetDecimalPoint(0);
    two->SetSign(TPanelMeter::pmrOnlyPositive);
    two->SetDisplayAngle(15);
    EXPECT_EQ(two->Layout().Cells, 2);
    for (auto [value, text] : {std::pair{5.0, "05"}, std::pair{-37.0, "37"}}) {
        SCOPED_TRACE(text);
        two->SetValue(value);
        expectCells(*two, text, -1);
    }
}

TEST(PanelMeterPaint, ValueChangeRedrawsOnlyTheDigitsAtOnce)
{
    auto m = MakeMeter(225, 81);
    m->SetValue(1.888);
    m->BackingImage();
    // A mark on the frame that a full repaint would overwrite.
    m->Canvas()->SetPixel(0, 0, clRed);
    m->SetValue(-1.111);
    const TPanelMeterLayout g = m->Layout();
    // Drawn already, before any pending painting.
    EXPECT_EQ(PixelNow(*m, SegmentCentre(g, 0, 2)), kLit); // minus
    EXPECT_EQ(PixelNow(*m, SegmentCentre(g, 1, 0)), kBack); // "1" has no top
    EXPECT_EQ(PixelNow(*m, SegmentCentre(g, 1, 7)), kLit);  // the point
    // Nothing asked for a repaint of the rest.
    EXPECT_EQ(PixelAt(*m, TPoint(0, 0)), clRed);
}

// ---------------------------------------------------------------- stored data

TEST(PanelMeterStored, RangeListIsReadAndWritten)
{
    TPanelMeter m;
    EXPECT_EQ(m.WriteListProperty(), (QVariantList{0.0, -1.999, 1.999, 5.0}));
    QString error;
    EXPECT_TRUE(m.ReadListProperty({qlonglong(3), 5.0, -5.0, 0.0}, &error));
    EXPECT_EQ(std::tuple(m.Value(), m.ValueMin(), m.ValueMax(), m.DisplayAngle()), std::tuple(3.0, 5.0, -5.0, 0.0));

    struct Bad {
        QVariantList List;
        const char* Reason;
    };
    const Bad bad[] = {
        {{1.0, 2.0, 3.0}, "4 numbers expected, 3 found"},
        {{1.0, 2.0, 3.0, 4.0, 5.0}, "4 numbers expected, 5 found"},
        {{1.0, QString("x"), 3.0, 4.0}, "entry 2 is not a finite number"},
        {{1.0, 2.0, 3.0, std::nan("")}, "entry 4 is not a finite number"},
    };
    for (const Bad& b : bad) {
        EXPECT_FALSE(m.ReadListProperty(b.List, &error));
        EXPECT_EQ(error, QString::fromLatin1(b.Reason));
    }
    // A failed read changes nothing.
    EXPECT_EQ(m.WriteListProperty(), (QVariantList{3.0, 5.0, -5.0, 0.0}));
}
