// TMeter: setter rules, the pointer clamp and range events, the scale
// geometry, the drawing, the partial redraw of a pointer move and the stored
// "Range" list, driven on meters in a shown window.
#include <controls/Meter.h>
#include <controls/led.h>
#include <controls/ScaleFormat.h>
#include <platform/Streaming.h>
#include <platform/SysUtils.h>

#include <gtest/gtest.h>
#include "ControlTestKit.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

using namespace Tessaron;
using namespace ControlTest;

namespace {

const double kNan = std::nan(""), kInf = std::numeric_limits<double>::infinity();

// A shown window; its meters record their range events in Ranges.
struct TWindow : THost {
    TMeter* AddMeter(int W = 201, int H = 177)
    {
        auto* m = Add<TMeter>(W, H);
        m->OnRangeCheck = [this](TObject*, int Range) { Ranges.push_back(Range); };
        return m;
    }
    std::vector<int> Ranges;
};

// Whether a pixel of the 3 x 3 square around (X, Y) has the colour.
bool ColorNear(TControl* Control, int X, int Y, TColor Color)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (PixelAt(Control, X + dx, Y + dy) == Color)
                return true;
    return false;
}

// The demonstration's first meter: -120..120 degrees, four ranges, labels inside.
void SetUpPowerMeter(TMeter* M)
{
    M->SetMeterAngle1(-120);
    M->SetMeterAngle2(120);
    M->SetMeterScale(110);
    M->SetMeterShiftY(10);
    SetRanges(M, {20, 40, 80, 100}, {clLime, clYellow, TColor(0x0080FF), clRed});
    M->SetLegend1("Leistung");
    M->SetLegend2("[W]");
    M->SetLabelingStyle(TMeter::labInside);
}

// A point of the meter at an angle (degrees) and radius from the pivot.
QPoint At(const TMeter* M, double AngleDegrees, double Radius)
{
    const double a = AngleDegrees * M_PI / 180;
    const TMeter::TGeometry& g = M->Geometry();
    return QPoint(int(std::lround(g.Cx + Radius * std::sin(a))), int(std::lround(g.Y0 - Radius * std::cos(a))));
}

} // namespace

// ---------------------------------------------------------------- setters

TEST(Meter, CrossingScaleEndsPushTheOtherEndAsideAndRangesAreClamped)
{
    TMeter m;
    m.SetValueMax(-5);
    EXPECT_EQ(m.ValueMin(), -6);
    m.SetValueMin(10);
    EXPECT_EQ(m.ValueMax(), 11);
    // Beyond 2^53 one more is no more: the next number up is taken.
    m.SetValueMin(1e20);
    EXPECT_GT(m.ValueMax(), m.ValueMin());
    m.SetValueMin(kInf);
    EXPECT_EQ(m.ValueMin(), 1e20);

    // Ranges are clamped into the scale; the last always ends at ValueMax.
    TMeter r;
    SetRanges(&r, {-50, 70, 20});
    EXPECT_EQ(std::pair(r.Ranges().Entry(1).Limit, r.Ranges().Entry(3).Limit), std::pair(0.0, 100.0));
    r.SetValueMax(50);
    EXPECT_EQ(r.Ranges().Entry(2).Limit, 50);
}

// ---------------------------------------------------------------- pointer and range events

TEST(Meter, PointerStopsFivePercentBeyondTheEndsAndScaleEndsPullItBackReportingOnce)
{
    TWindow w;
    TMeter* m = w.AddMeter();
    m->SetValue(150);
    EXPECT_EQ(std::tuple(m->Value(), m->PointerValue(), w.Ranges), std::tuple(150.0, 105.0, std::vector<int>{-2}));
    m->SetValue(160);
    EXPECT_EQ(std::pair(m->PointerValue(), w.Ranges), std::pair(105.0, std::vector<int>{-2}));
    m->SetValue(-20);
    EXPECT_EQ(m->PointerValue(), -5);
    m->SetValue(-30);
    m->SetValue(50); // back in the unwatched range
    m->SetValue(60);
    EXPECT_EQ(std::pair(w.Ranges, m->PointerValue()), std::pair(std::vector<int>{-2, -1, 0}, 60.0));
    // NaN is no value; infinity is beyond the end.
    m->SetValue(kNan);
    EXPECT_EQ(m->Value(), 60);
    m->SetValue(-kInf);
    EXPECT_EQ(std::pair(m->PointerValue(), w.Ranges.back()), std::pair(-5.0, -1));
    // Scale ends pull the pointer back and report once.
    m->SetValue(90);
    w.Ranges.clear();
    m->SetValueMax(50); // span 50: the pointer stops at 52.5
    EXPECT_EQ(std::pair(m->PointerValue(), m->Value()), std::pair(52.5, 90.0));
    m->SetValueMax(49); // pulled back again, no second event
    EXPECT_DOUBLE_EQ(m->PointerValue(), 51.45);
    EXPECT_EQ(w.Ranges, std::vector<int>{-2});
    m->SetValueMax(200); // the pointer follows the value again
    EXPECT_EQ(m->PointerValue(), 90);
    m->SetValue(10);
    w.Ranges.clear();
    m->SetValueMin(60); // 60..200, span 140: the pointer stops at 53
    EXPECT_EQ(std::pair(m->PointerValue(), w.Ranges), std::pair(53.0, std::vector<int>{-1}));
}

// Ranges 0-20 and 20-40 watched, 40-70 not, 70-100 watched.
TEST(Meter, RangeEventsReportEachNewStatusOnceButNotWhileLoading)
{
    const struct {
        std::vector<double> Values;
        std::vector<int> Events;
    } cases[] = {{{20}, {1}}, // a limit belongs to the range below it
        {{10, 20, 30, 40, 50, 69, 71, 100}, {1, 2, 0, 4}}, {{100, 70, 45, 40, 0.5, 0}, {4, 0, 2, 1}},
        {{101, 102, 90, -1, -50, 10}, {-2, 4, -1, 1}}, {{50, 60}, {}}, {{30, 30}, {2}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Values.size());
        TWindow w;
        TMeter* m = w.AddMeter();
        SetRanges(m, {20, 40, 70, 100}, {}, {true, true, false, true});
        for (double v : c.Values)
            m->SetValue(v);
        EXPECT_EQ(w.Ranges, c.Events);
    }
    // Loading raises none.
    TMeter m;
    int events = 0;
    m.OnRangeCheck = [&](TObject*, int) { ++events; };
    ReadComponentText(&m, "object Meter1: TMeter\n  Value = 500.0\n  ValueMax = 50.0\nend\n", "meter");
    EXPECT_EQ(std::tuple(events, m.Value(), m.PointerValue()), std::tuple(0, 500.0, 52.5));
}

// ---------------------------------------------------------------- geometry

TEST(Meter, GeometryOfTheDemonstrationMeterRadiusFollowsTheNarrowerSideAndTheBevel)
{
    TMeter p;
    p.SetBounds(16, 72, 201, 177);
    SetUpPowerMeter(&p);
    const TMeter::TGeometry& g = p.Geometry();
    EXPECT_EQ(std::tuple(g.Cx, g.Cy, g.Y0), std::tuple(100, 71, 106)); // Cy = 88 - Trunc(17.7)
    EXPECT_DOUBLE_EQ(g.R, 90.75); // (88.5 - 1 - 5) * 1.1
    EXPECT_DOUBLE_EQ(g.Ri, 81.675);
    TWindow w;
    TMeter* m = w.AddMeter(300, 120);
    m->SetLabelingStyle(TMeter::labNone);
    m->SetBevelOuterWidth(4);
    EXPECT_DOUBLE_EQ(m->Geometry().R, 60 - 4 - 5);
    m->SetBounds(8, 8, 100, 300);
    m->BackingImage(); // the size change is taken up at the next drawing
    EXPECT_DOUBLE_EQ(m->Geometry().R, 50 - 4 - 5);
    m->SetMeterScale(200);
    m->SetMeterScaleWidth(25);
    EXPECT_DOUBLE_EQ(m->Geometry().R, 2 * 41);
    EXPECT_DOUBLE_EQ(m->Geometry().Ri, 0.75 * 82);
    m->SetBounds(8, 8, 12, 12); // far too small: the radius stays 1
    m->BackingImage();
    EXPECT_EQ(m->Geometry().R, 1);
}

TEST(Meter, OutsideLabelsStayInsideTheControl)
{
    TWindow w;
    TMeter* m = w.AddMeter(201, 177);
    m->SetMeterAngle1(-135);
    m->SetMeterAngle2(135);
    m->BackingImage();
    const TMeter::TGeometry& g = m->Geometry();
    ASSERT_FALSE(g.LabelTexts.empty());
    EXPECT_EQ(g.LabelTexts.front(), "0");
    for (size_t i = 0; i < g.LabelBoxes.size(); ++i) {
        SCOPED_TRACE(g.LabelTexts[i].toStdString());
        EXPECT_TRUE(QRect(0, 0, 201, 177).contains(g.LabelBoxes[i].adjusted(2, 2, -2, -2)));
        // Outside the band: the box centre lies beyond the outer radius.
        const QPointF c = QRectF(g.LabelBoxes[i]).center();
        EXPECT_GT(std::hypot(c.x() - g.Cx, c.y() - g.Y0), g.R);
    }
}

// Tick radii per style: base 'i' (Ri), 'm' (middle of the band) or 'r' (R)
// plus an offset, for minor inner/outer and major inner/outer ends.
TEST(Meter, TicksReachTheirRadii)
{
    struct End {
        char Base;
        double Offset;
    };
    const struct {
        TMeter::TTickStyle Ticks;
        TMeter::TLabelingStyle Labels;
        End MinorInner, MinorOuter, MajorInner, MajorOuter;
    } cases[] = {{TMeter::ticFull, TMeter::labNone, {'i', 0}, {'r', 0}, {'i', 0}, {'r', 0}},
        {TMeter::ticFull, TMeter::labInside, {'i', 0}, {'r', 0}, {'i', -5}, {'r', 0}},
        {TMeter::ticFull, TMeter::labOutside, {'i', 0}, {'r', 0}, {'i', 0}, {'r', 5}},
        {TMeter::ticHalf, TMeter::labInside, {'m', 0}, {'r', 0}, {'i', 0}, {'r', 0}},
        {TMeter::ticHalf, TMeter::labOutside, {'i', 0}, {'m', 0}, {'i', 0}, {'r', 0}},
        {TMeter::ticHalf, TMeter::labNone, {'i', 0}, {'m', 0}, {'i', 0}, {'m', 0}},
        {TMeter::ticLarge, TMeter::labInside, {'i', -5}, {'r', 0}, {'i', -10}, {'r', 0}},
        {TMeter::ticLarge, TMeter::labOutside, {'i', 0}, {'r', 5}, {'i', 0}, {'r', 8}}};
    TWindow w;
    TMeter* m = w.AddMeter(301, 301);
    m->SetMeterAngle1(-150);
    m->SetMeterAngle2(150);
    m->SetValueGap(5);
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.Ticks) * 10 + int(c.Labels));
        m->SetTickStyle(c.Ticks);
        m->SetLabelingStyle(c.Labels);
        const TMeter::TGeometry& g = m->Geometry();
        const auto radius = [&](End E) {
            return (E.Base == 'i' ? g.Ri : E.Base == 'm' ? g.Ri + (g.R - g.Ri) * 0.5 : g.R) + E.Offset;
        };
        ASSERT_EQ(g.Ticks.size(), 2 * 21u);
        int majors = 0;
        for (size_t t = 0; t < g.Major.size(); ++t) {
            const bool major = g.Major[t];
            majors += major;
            // Truncated coordinates: within 1.5 pixels of the exact radius.
            const TPoint& a = g.Ticks[2 * t];
            const TPoint& b = g.Ticks[2 * t + 1];
            EXPECT_NEAR(std::hypot(a.x() - g.Cx, a.y() - g.Y0), radius(major ? c.MajorInner : c.MinorInner), 1.5);
            EXPECT_NEAR(std::hypot(b.x() - g.Cx, b.y() - g.Y0), radius(major ? c.MajorOuter : c.MinorOuter), 1.5);
        }
        // Every labelled tick is a major tick, and only those.
        EXPECT_EQ(size_t(majors), c.Labels == TMeter::labNone ? 0 : g.LabelTexts.size());
        if (c.Labels != TMeter::labNone)
            EXPECT_EQ(g.LabelStep > 1, !g.Major[1]);
    }
}

TEST(Meter, TinyGapAndHugeDecimalsStayCheap)
{
    TWindow w;
    TMeter* m = w.AddMeter();
    m->SetValueGap(1e-9);
    const TMeter::TGeometry& g = m->Geometry();
    const double arc = g.R * M_PI; // 180 degrees
    EXPECT_LE(g.Ticks.size() / 2, size_t(arc / 4) + 1);
    EXPECT_GE(g.Ticks.size() / 2, size_t(arc / 4) - 1);
    m->BackingImage(); // and it draws
    // Decimals beyond what a label can show cost nothing either.
    m->SetValueDecimals(std::numeric_limits<int>::max());
    ASSERT_FALSE(g.LabelTexts.empty());
    EXPECT_EQ(g.LabelTexts.front(), "0" + DecimalSeparator() + QString(18, QLatin1Char('0')));
}

TEST(CircularLabelStep, SmallestMultipleThatHoldsTheText)
{
    const struct {
        double Span, Gap, Arc;
        int Width, Text;
        qint64 Step;
    } cases[] = {{100, 10, 101, 200, 10, 1}, {100, 10, 101, 200, 11, 2}, {100, 10, 101, 200, 30, 3}, // 10 px per gap
        {100, 10, 101, 200, 31, 4}, {100, 10, 10, 200, 5, 0}, // under a pixel per gap: no labels
        {0.01, 5, 50, 120, 119, 1}, {0.01, 5, 50, 120, 121, 2}, // a gap wider than the scale: the control's width
        {0, 10, 100, 200, 10, 0}, {100, 0, 100, 200, 10, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(CircularLabelStep(c.Span, c.Gap, c.Arc, c.Width, c.Text), c.Step);
    }
}

// The legend point lies halfway between the pivot and the band, in the
// direction of LegendPosition; two lines stand around it, one on it.
TEST(Meter, LegendStandsBetweenPivotAndBand)
{
    // Dx, Dy: the point's offset from the pivot in units of Ri / 2. Rows:
    // each line's top from the point in units of h / 2 plus pixels.
    const struct {
        TMeter::TLegendPosition Position;
        const char *Legend1, *Legend2;
        int Dx, Dy, Row1Halves, Row1Pixels, Row2Halves;
    } cases[] = {{TMeter::legLeft, "Leistung", "[W]", -1, 0, -1, 0, 1},
        {TMeter::LegRight, "Leistung", "[W]", 1, 0, -1, 0, 1}, {TMeter::LegTop, "Spannung", "[V]", 0, -1, -1, -5, 0},
        {TMeter::LegBottom, "Spannung", "[V]", 0, 1, -1, -5, 0}, {TMeter::LegBottom, "", "[V]", 0, 1, 0, 0, 0},
        {TMeter::legLeft, "Strom", "", -1, 0, 0, 0, 0}};
    TWindow w;
    TMeter* m = w.AddMeter(261, 241);
    m->SetLabelingStyle(TMeter::labNone);
    m->SetMeterAngle1(-150);
    m->SetMeterAngle2(150);
    m->SetValue(100); // the pointer out of the way, down to the right
    const QFontMetrics metrics(m->Font()->ToQFont());
    const int h = metrics.height();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Legend1) + "/" + c.Legend2 + " at " + std::to_string(int(c.Position)));
        m->SetLegendPosition(c.Position);
        m->SetLegend1(c.Legend1);
        m->SetLegend2(c.Legend2);
        const TMeter::TGeometry& g = m->Geometry();
        const int px = int(std::nearbyint(g.Cx + c.Dx * g.Ri / 2));
        const int py = int(std::nearbyint(g.Y0 + c.Dy * g.Ri / 2));
        const QImage image = m->BackingImage();
        const auto check = [&](const QString& Text, TPoint Position, int Row) {
            const int tw = metrics.horizontalAdvance(Text);
            EXPECT_EQ(Position, TPoint(px - tw / 2, py + Row));
            EXPECT_GT(CountColor(image, QRect(Position, QSize(tw, h)), clBlack), 5); // and the text is drawn there
        };
        if (*c.Legend1)
            check(c.Legend1, g.Legend1Position, c.Row1Halves * (h / 2) + c.Row1Pixels);
        if (*c.Legend2)
            check(c.Legend2, g.Legend2Position, c.Row2Halves * (h / 2));
    }
}

// ---------------------------------------------------------------- drawing

TEST(Meter, BandShowsEachRangeInItsColour)
{
    TWindow w;
    TMeter* m = w.AddMeter();
    SetUpPowerMeter(m);
    m->SetMeterScaleWidth(20);
    m->SetValue(50);
    const TMeter::TGeometry& g = m->Geometry();
    const double mid = (g.R + g.Ri) / 2;
    const struct {
        double Value;
        TColor Color;
    } samples[] = {{5, clLime}, {19, clLime}, {21, clYellow}, {39, clYellow}, {45, TColor(0x0080FF)},
        {79, TColor(0x0080FF)}, {81, clRed}, {99, clRed}};
    for (const auto& s : samples) {
        SCOPED_TRACE(s.Value);
        const QPoint p = At(m, m->AngleOf(s.Value), mid);
        EXPECT_EQ(PixelAt(m, p.x(), p.y()), s.Color);
    }
    // No band beyond the scale ends; the frame is raised.
    const QPoint beyond = At(m, -125, mid);
    ExpectPixels(m, {{beyond.x(), beyond.y(), Rgb(clBtnFace)}, {0, 0, Rgb(clBtnHighlight)}, {200, 176, Rgb(clBtnShadow)}});
    // Without width there is no band.
    m->SetMeterScaleWidth(0);
    const QPoint p = At(m, m->AngleOf(35), g.R - 3);
    EXPECT_EQ(PixelAt(m, p.x(), p.y()), ColorToRGB(clBtnFace));
}

// The needle has a filled hub, the wedge a hole at its pivot.
TEST(Meter, PointerPointsAtTheValueAndLeavesNoTrace)
{
    for (auto [style, pivot] : {std::pair{TMeter::indNeedle, clBlue}, std::pair{TMeter::indWedge, clBtnFace}}) {
        SCOPED_TRACE(int(style));
        TWindow w;
        TMeter* m = w.AddMeter(241, 241);
        m->SetLabelingStyle(TMeter::labNone);
        m->SetIndicatorStyle(style);
        m->SetIndicatorColor(clBlue);
        m->SetValue(50); // straight up
        const TMeter::TGeometry& g = m->Geometry();
        EXPECT_TRUE(ColorNear(m, g.Cx, int(g.Y0 - 0.6 * g.R), clBlue));
        EXPECT_EQ(PixelAt(m, g.Cx, g.Y0), ColorToRGB(pivot));
        m->SetValue(0); // to the left
        EXPECT_TRUE(ColorNear(m, int(g.Cx - 0.6 * g.R), g.Y0, clBlue));
        EXPECT_FALSE(ColorNear(m, g.Cx, int(g.Y0 - 0.6 * g.R), clBlue));
        m->SetIndicatorScale(50); // half the length
        m->BackingImage();
        EXPECT_TRUE(ColorNear(m, int(g.Cx - 0.4 * g.R), g.Y0, clBlue));
        EXPECT_FALSE(ColorNear(m, int(g.Cx - 0.6 * g.R), g.Y0, clBlue));
    }
}

// The picture after each pointer move equals a full repaint at the new value,
// and pixels away from the move are not touched.
TEST(Meter, PointerMoveEqualsAFullRepaint)
{
    const struct {
        const char* Name;
        bool ReduceFlicker;
        TMeter::TIndicatorStyle Style;
        TMeter::TLabelingStyle Labels;
        int IndicatorScale, ShiftY;
    } variants[] = {{"wedge, direct", false, TMeter::indWedge, TMeter::labInside, 100, 10},
        {"wedge, off-screen", true, TMeter::indWedge, TMeter::labInside, 100, 10},
        {"needle, direct", false, TMeter::indNeedle, TMeter::labInside, 100, 10},
        {"needle, off-screen, labels outside", true, TMeter::indNeedle, TMeter::labOutside, 100, 20},
        {"long wedge over the labels", false, TMeter::indWedge, TMeter::labOutside, 125, 20},
        {"short needle inside the legend", true, TMeter::indNeedle, TMeter::labInside, 40, 10}};
    const double moves[] = {11, 12, 30, 29, 55, 54.5, 80, 81, 99, 100, 104, 130, 95, 60, 5, 0, -2, -40, 3, 97, 50};
    for (const auto& c : variants) {
        SCOPED_TRACE(c.Name);
        TWindow w;
        TMeter* m = w.AddMeter();
        SetUpPowerMeter(m);
        m->SetReduceFlicker(c.ReduceFlicker);
        m->SetIndicatorStyle(c.Style);
        m->SetLabelingStyle(c.Labels);
        m->SetIndicatorScale(c.IndicatorScale);
        m->SetMeterShiftY(c.ShiftY);
        m->SetValue(10);
        m->BackingImage();
        for (double v : moves) {
            SCOPED_TRACE(v);
            // A marker in the bottom-left corner, away from every move.
            const QPoint far(3, m->Height() - 4);
            ASSERT_FALSE(m->MoveRect(m->PointerValue(), std::clamp(v, -5.0, 105.0)).ToQRect().contains(far));
            m->Canvas()->SetPixel(far.x(), far.y(), kSentinel);
            m->SetValue(v);
            const QImage moved = m->BackingImage().copy();
            EXPECT_EQ(QRgbToColor(moved.pixel(far)), kSentinel) << "the move repainted the whole meter";
            m->Invalidate();
            QImage full = m->BackingImage().copy();
            full.setPixel(far, moved.pixel(far));
            EXPECT_TRUE(moved == full) << "the move differs from a full repaint";
        }
    }
}

// ---------------------------------------------------------------- stored data

TEST(Meter, RangeListRoundTrip)
{
    TWindow w;
    TMeter* a = w.AddMeter();
    SetUpPowerMeter(a);
    a->SetRangeCurrent(2);
    a->SetRangeCheck(true);
    a->SetValueGap(5);
    a->SetValue(120);
    TMeter* b = w.AddMeter();
    QString error;
    ASSERT_TRUE(b->ReadListProperty(a->WriteListProperty(), &error)) << error.toStdString();
    EXPECT_EQ(std::tuple(b->RangeNumber(), b->MeterAngle1(), b->ValueGap(), b->PointerValue()),
        std::tuple(4, -120.0, 5.0, 105.0));
    EXPECT_EQ(std::pair(b->Ranges().Entry(2).Watched, b->Ranges().Entry(3).Color), std::pair(true, TColor(0x0080FF)));
    // The fields are taken as they come: no range event (a's only), Value untouched.
    EXPECT_EQ(std::pair(b->Value(), w.Ranges), std::pair(0.0, std::vector<int>{-2}));
}

// Every instrument control carries Version and Copyright, set by the
// constructor; assignments by name are ignored. The meter is a paint box:
// its OnPaint comes after the meter's own picture.
TEST(Meter, IsAPaintBoxAndTheControlsCarryVersionAndCopyright)
{
    TMeter meter;
    TLed led;
    for (QObject* control : {static_cast<QObject*>(&meter), static_cast<QObject*>(&led)}) {
        const QString name = QString::fromLatin1(control->metaObject()->className());
        EXPECT_EQ(control->property("Version").toString(), "V2.00") << name.toStdString();
        EXPECT_EQ(control->property("Copyright").toString(), "Copyright (c) Velmar Softwaretechnik") << name.toStdString();
        control->setProperty("Copyright", "someone else");
        EXPECT_EQ(control->property("Copyright").toString(), "Copyright (c) Velmar Softwaretechnik");
    }
    EXPECT_NE(qobject_cast<TPaintBox*>(&meter), nullptr);
    TWinControl host;
    auto* m = new TMeter(&host);
    m->SetParent(&host);
    m->SetBounds(0, 0, 120, 120);
    int paints = 0;
    m->OnPaint = [&](TObject* sender) {
        EXPECT_EQ(sender, m);
        ++paints;
    };
    m->Invalidate();
    m->BackingImage();
    EXPECT_EQ(paints, 1);
}
