// TDial: value rules, geometry, drawing and the mouse, driven on real
// controls in a shown window.
#include <controls/dial.h>
#include <platform/Streaming.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <QTest>
#include <QWidget>

#include <cmath>
#include <limits>
#include <memory>

using namespace Tessaron;

namespace {

constexpr TColor kSentinel = TColor(0xFF00FF);

TColor PixelAt(TControl* Control, int X, int Y)
{
    return QRgbToColor(Control->BackingImage().pixel(X, Y));
}

TColor Rgb(TColor C)
{
    return ColorToRGB(C);
}

// A shown top-level window holding the controls under test.
class TWindow {
public:
    TWindow()
    {
        FHost.SetBounds(0, 0, 480, 320);
        FHost.Widget()->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(FHost.Widget()));
    }
    // A dial of the given size placed on the window; it counts its events.
    TDial* AddDial(int W = 201, int H = 193)
    {
        auto* d = new TDial(&FHost);
        d->SetParent(&FHost);
        d->SetBounds(8, 8, W, H);
        d->OnValueChange = [this](TObject*) { ++Events; };
        d->BackingImage();
        return d;
    }
    int Events = 0;

private:
    TWinControl FHost;
};

void Press(TControl* C, int X, int Y)
{
    QTest::mousePress(C->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(X, Y));
}
void Move(TControl* C, int X, int Y)
{
    QTest::mouseMove(C->Widget(), QPoint(X, Y));
}
void Release(TControl* C, int X, int Y)
{
    QTest::mouseRelease(C->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(X, Y));
}

// The pixels of the image in a region differ from the sentinel, and all
// outside it still show it.
void ExpectOnlyRegionRepainted(const QImage& Image, const QRegion& Region)
{
    int inside = 0, outside = 0;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x) {
            const bool sentinel = QRgbToColor(Image.pixel(x, y)) == kSentinel;
            if (Region.contains(QPoint(x, y))) {
                inside += sentinel;
            } else {
                outside += !sentinel;
            }
        }
    EXPECT_EQ(outside, 0) << "pixels repainted outside the indicator areas";
    EXPECT_EQ(inside, 0) << "pixels of the indicator areas left unpainted";
}

QRegion GrownUnion(const TRect& A, const TRect& B)
{
    return QRegion(InflateRect(A, 2, 2).ToQRect()) | QRegion(InflateRect(B, 2, 2).ToQRect());
}

} // namespace

// ---------------------------------------------------------------- value rules

struct SnapCase {
    double Request;
    double Expected;
};

void PrintTo(const SnapCase& C, std::ostream* Os)
{
    *Os << C.Request << " -> " << C.Expected;
}

class DialSnapping : public ::testing::TestWithParam<SnapCase> {};

TEST_P(DialSnapping, SnapsTiesToEvenThenClamps)
{
    TWindow w;
    TDial* d = w.AddDial();
    d->SetValueMin(5);
    d->SetValueStepWidth(10);
    d->SetValue(50);
    w.Events = 0;
    d->SetValue(GetParam().Request);
    EXPECT_DOUBLE_EQ(d->Value(), GetParam().Expected);
    EXPECT_EQ(w.Events, GetParam().Expected == 50 ? 0 : 1);
    // The same request again is no change.
    d->SetValue(GetParam().Request);
    EXPECT_EQ(w.Events, GetParam().Expected == 50 ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Requests, DialSnapping,
    ::testing::Values(SnapCase{3, 5}, // snaps to 0, clamped to 5
        SnapCase{14, 10}, SnapCase{15, 20}, SnapCase{25, 20}, SnapCase{35, 40}, SnapCase{1000, 100},
        SnapCase{-50, 5}, SnapCase{96, 100}, SnapCase{50.1, 50}, SnapCase{std::nan(""), 50}));

TEST(Dial, StepWidthResnapsTheCurrentValue)
{
    TWindow w;
    TDial* d = w.AddDial();
    d->SetValue(37);
    w.Events = 0;
    d->SetValueStepWidth(20);
    EXPECT_EQ(d->Value(), 40);
    EXPECT_EQ(w.Events, 1);
}

TEST(Dial, RangeSettersPullTheValueInWithoutAnEvent)
{
    TWindow w;
    TDial* d = w.AddDial();
    d->SetValue(80);
    w.Events = 0;
    d->SetValueMax(60);
    EXPECT_EQ(d->Value(), 60);
    d->SetValueMin(70); // also above the maximum: accepted
    EXPECT_EQ(d->Value(), 70);
    EXPECT_EQ(w.Events, 0);
}

struct AngleCase {
    bool First;
    double Angle;
    bool Accepted;
};

void PrintTo(const AngleCase& C, std::ostream* Os)
{
    *Os << (C.First ? "ScaleAngle1 " : "ScaleAngle2 ") << C.Angle;
}

class DialAngles : public ::testing::TestWithParam<AngleCase> {};

TEST_P(DialAngles, FollowTheAcceptanceRules)
{
    TDial d;
    const AngleCase& c = GetParam();
    if (c.First)
        d.SetScaleAngle1(c.Angle);
    else
        d.SetScaleAngle2(c.Angle);
    const double now = c.First ? d.ScaleAngle1() : d.ScaleAngle2();
    if (c.Accepted)
        EXPECT_EQ(now, c.Angle);
    else
        EXPECT_EQ(now, c.First ? -150.0 : 150.0);
}

INSTANTIATE_TEST_SUITE_P(Angles, DialAngles,
    ::testing::Values(AngleCase{true, 200, false}, AngleCase{true, 150, false}, AngleCase{true, 149.5, true},
        AngleCase{true, -360, true}, AngleCase{true, -360.5, false}, AngleCase{true, std::nan(""), false},
        AngleCase{false, 400, false}, AngleCase{false, 360, true}, AngleCase{false, -150, false},
        AngleCase{false, -149, true}, AngleCase{false, std::nan(""), false}));

TEST(Dial, GapMustBePositive)
{
    TDial d;
    for (double bad : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        d.SetValueGap(bad);
        EXPECT_EQ(d.ValueGap(), 10.0);
    }
}

TEST(Dial, TooSmallAGapIsEnlargedAndStaysEnlarged)
{
    TWindow w;
    TDial* d = w.AddDial();
    d->SetTicks(true);
    d->SetValueGap(0.01);
    // Ticks at least 4 pixels apart on the arc of radius 87 over 300 degrees.
    const double arc = 87 * 2 * M_PI * 300 / 360;
    EXPECT_DOUBLE_EQ(d->ValueGap(), 100 * 4 / arc);
    d->SetTicks(false);
    d->SetBounds(8, 8, 300, 300);
    d->BackingImage();
    EXPECT_DOUBLE_EQ(d->ValueGap(), 100 * 4 / arc);
}

TEST(Dial, BevelColorTakesOnlyExplicitRgbValues)
{
    TDial d;
    d.SetBevelColor(clBtnFace);
    EXPECT_EQ(d.BevelColor(), clWhite);
    d.SetBevelColor(RGB(10, 20, 30));
    EXPECT_EQ(d.BevelColor(), RGB(10, 20, 30));
}

// ---------------------------------------------------------------- geometry

TEST(Dial, RadiusWithoutLabelsLetsTheOuterTickTouchTheNearerEdge)
{
    TWindow w;
    TDial* d = w.AddDial(201, 193);
    EXPECT_EQ(d->Radius(), 87); // Round(96 * 100 / 110)
    EXPECT_EQ(d->CenterX(), 100);
    EXPECT_EQ(d->CenterY(), 96);
    d->SetTickOuter(100);
    EXPECT_EQ(d->Radius(), 96);
    d->SetTickOuter(0); // no radius from it: the knob fills the control
    EXPECT_EQ(d->Radius(), 96);
}

TEST(Dial, KnobIsRebuiltWhenTheRadiusChanges)
{
    TWindow w;
    TDial* d = w.AddDial(201, 193);
    d->SetColor(clNavy);
    d->BackingImage();
    // Between the old radius 87 and the new one 48: knob before, background after.
    ASSERT_NE(PixelAt(d, 100 + 70, 97), clNavy);
    d->SetTickOuter(200);
    EXPECT_EQ(d->Radius(), 48);
    EXPECT_EQ(PixelAt(d, 100 + 70, 97), clNavy);
    // And back: a value change right after draws the bigger knob again.
    d->SetTickOuter(110);
    d->SetValue(30);
    EXPECT_NE(PixelAt(d, 100 + 70, 97), clNavy);
}

TEST(Dial, KnobFollowsTheLabelWidthsOfANewRange)
{
    TWindow w;
    TDial* d = w.AddDial(201, 193);
    d->SetColor(clNavy);
    d->SetLabels(true);
    d->SetValueDecimals(2);
    d->BackingImage();
    const int before = d->Radius();
    d->SetValueMax(1000); // wider labels, a smaller knob
    const int after = d->Radius();
    ASSERT_LT(after, before);
    EXPECT_EQ(PixelAt(d, 100 + before - 2, 97), clNavy);
    EXPECT_NE(PixelAt(d, 100 + after - 3, 97), clNavy);
}

TEST(Dial, LabelsCloserThanAPixelLeaveNoScale)
{
    TWindow w;
    TDial* d = w.AddDial(201, 193);
    d->SetColor(clNavy);
    d->SetLabels(true);
    d->SetValueMax(8000); // gap positions 0.3 pixels apart, and no ticks to widen the gap
    EXPECT_TRUE(d->NoScale());
    EXPECT_EQ(PixelAt(d, 100, 97), clNavy); // only the background
    d->SetValue(20);
    EXPECT_EQ(d->Value(), 0);
    d->SetValueGap(100);
    EXPECT_FALSE(d->NoScale());
    d->SetValue(20);
    EXPECT_EQ(d->Value(), 20);
    EXPECT_NE(PixelAt(d, 100, 97), clNavy);
}

TEST(Dial, LabelsFollowTheRangeAndSitOutsideTheTicks)
{
    TWindow w;
    TDial* d = w.AddDial(201, 193);
    d->SetTicks(true);
    d->SetLabels(true);
    d->BackingImage();
    const auto& texts = d->LabelTexts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), QStringLiteral("0"));
    EXPECT_EQ(texts.back(), QStringLiteral("100"));
    // "50" stands centred above the knob, at twelve o'clock.
    const auto it = std::find(texts.begin(), texts.end(), QStringLiteral("50"));
    ASSERT_NE(it, texts.end());
    const TPoint p = d->LabelPositions()[size_t(it - texts.begin())];
    const int tw = QFontMetrics(d->Font()->ToQFont()).horizontalAdvance(QStringLiteral("50"));
    EXPECT_LE(std::abs(p.x() + tw / 2 - d->CenterX()), 1);
    EXPECT_LT(p.y(), 97 - d->Radius() * 110 / 100);
    // The text is really there: dark pixels in its box, in the font's colour.
    const TColor ink = Rgb(d->Font()->Color());
    int dark = 0;
    for (int y = p.y(); y < p.y() + 12; ++y)
        for (int x = p.x(); x < p.x() + tw; ++x)
            dark += PixelAt(d, x, y) == ink;
    EXPECT_GT(dark, 5);
    // The first and the last label stand on the rays of the scale ends.
    const QFontMetrics fm(d->Font()->ToQFont());
    const auto angleOf = [&](size_t i) {
        const TPoint p = d->LabelPositions()[i];
        const double x = p.x() + fm.horizontalAdvance(texts[i]) / 2.0 - d->CenterX();
        const double y = p.y() + fm.height() / 2.0 - (193 - d->CenterY());
        return std::atan2(x, -y) * 180 / M_PI;
    };
    EXPECT_NEAR(angleOf(0), -150, 3);
    EXPECT_NEAR(angleOf(texts.size() - 1), 150, 3);
}

TEST(Dial, EveryLabelledTickIsAMajorTick)
{
    TWindow w;
    TDial* d = w.AddDial(201, 193);
    d->SetTicks(true);
    d->SetLabels(true);
    d->SetValueGap(5); // 21 ticks, labels on every k-th
    const auto& ticks = d->TickPoints();
    ASSERT_EQ(ticks.size(), 42u);
    const size_t labels = d->LabelTexts().size();
    ASSERT_GT(labels, 1u);
    const size_t k = 20 / (labels - 1);
    ASSERT_GT(k, 1u);
    const auto length = [&](size_t i) {
        return std::hypot(ticks[2 * i + 1].x() - ticks[2 * i].x(), ticks[2 * i + 1].y() - ticks[2 * i].y());
    };
    for (size_t i = 0; i + 1 < ticks.size() / 2; i += k)
        EXPECT_NEAR(length(i) - length(i + 1), 5, 1.5) << i;
}

// ---------------------------------------------------------------- drawing

struct IndicatorCase {
    TDial::TDialIndicator Style;
    double Value;
    int X, Y;        // a pixel of the indicator
    int OffX, OffY;  // a pixel beside it
};

void PrintTo(const IndicatorCase& C, std::ostream* Os)
{
    *Os << int(C.Style) << " at " << C.Value;
}

class DialIndicatorPixels : public ::testing::TestWithParam<IndicatorCase> {};

TEST_P(DialIndicatorPixels, StandsAtTheAngleOfTheValue)
{
    TWindow w;
    TDial* d = w.AddDial(201, 193);
    d->SetIndicatorStyle(GetParam().Style);
    d->SetValue(GetParam().Value);
    EXPECT_EQ(PixelAt(d, GetParam().X, GetParam().Y), clRed);
    EXPECT_NE(PixelAt(d, GetParam().OffX, GetParam().OffY), clRed);
}

// R = 87, the band at 70..85 %: its middle at 67.425 pixels, half width 7.
INSTANTIATE_TEST_SUITE_P(Styles, DialIndicatorPixels,
    ::testing::Values(IndicatorCase{TDial::diaCircle, 50, 100, 29, 100, 38},
        IndicatorCase{TDial::diaCircle, 100, 133, 155, 140, 140}, // at 150 degrees
        IndicatorCase{TDial::diaCircle, 0.001, 66, 155, 60, 140},  // at -150 degrees
        IndicatorCase{TDial::diaTriangle, 50, 100, 27, 100, 21},   // tip at y 23, base at 29
        IndicatorCase{TDial::diaLine, 50, 100, 30, 101, 30}));

TEST(Dial, MovingTheIndicatorClearsItsOldPlace)
{
    TWindow w;
    TDial* d = w.AddDial(201, 193);
    EXPECT_EQ(PixelAt(d, 66, 155), clRed);
    d->SetValue(100);
    EXPECT_EQ(PixelAt(d, 133, 155), clRed);
    EXPECT_NE(PixelAt(d, 66, 155), clRed);
}

TEST(Dial, DisabledIndicatorIsShadowGrey)
{
    TWindow w;
    TDial* d = w.AddDial(201, 193);
    d->SetValue(50);
    d->SetEnabled(false);
    EXPECT_EQ(PixelAt(d, 100, 29), Rgb(clBtnShadow));
}

TEST(Dial, ValueChangeRepaintsOnlyTheOldAndNewIndicatorAreas)
{
    for (double target : {52.0, 90.0}) { // overlapping and separate areas
        TWindow w;
        TDial* d = w.AddDial(201, 193);
        d->SetTicks(true);
        d->SetLabels(true);
        d->SetIndicatorStyle(TDial::diaTriangle);
        d->SetCaption(QStringLiteral("U1"));
        d->SetValue(50);
        d->BackingImage();
        const TRect before = d->IndicatorRect();
        d->Canvas()->Brush()->SetColor(kSentinel);
        d->Canvas()->FillRect(d->ClientRect());
        d->SetValue(target);
        const QRegion region = GrownUnion(before, d->IndicatorRect());
        const QImage partial = d->BackingImage().copy();
        ExpectOnlyRegionRepainted(partial, region);
        // What was drawn there equals a full repaint.
        d->Repaint();
        const QImage full = d->BackingImage();
        int differ = 0;
        for (const QRect& r : region)
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    if (partial.rect().contains(x, y))
                        differ += partial.pixel(x, y) != full.pixel(x, y);
        EXPECT_EQ(differ, 0) << target;
    }
}

TEST(Dial, EqualLimitsDrawNoScaleAndRefuseValues)
{
    TWindow w;
    TDial* d = w.AddDial(201, 193);
    d->SetTicks(true);
    d->SetLabels(true);
    d->SetValueMax(0); // ValueMin is 0 too
    const QImage& img = d->BackingImage();
    EXPECT_TRUE(d->TickPoints().empty());
    EXPECT_TRUE(d->LabelTexts().empty());
    int red = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            red += QRgbToColor(img.pixel(x, y)) == clRed;
    EXPECT_EQ(red, 0);
    w.Events = 0;
    d->SetValue(10);
    Press(d, 140, 97);
    Move(d, 100, 10);
    Release(d, 100, 10);
    EXPECT_EQ(d->Value(), 0);
    EXPECT_EQ(w.Events, 0);
    // A range again brings the scale back.
    d->SetValueMax(100);
    d->SetValue(10);
    EXPECT_EQ(d->Value(), 10);
    EXPECT_FALSE(d->TickPoints().empty());
}

// ---------------------------------------------------------------- mouse

TEST(DialMouse, ClickIntoTheKnobJumpsAndTheIndicatorIsGrabbedWithoutAJump)
{
    TWindow w;
    TDial* d = w.AddDial(201, 193);
    // Right of the centre (the vertical centre of the scale is 193 - 96 = 97):
    // 90 degrees, value 80.
    Press(d, 140, 97);
    EXPECT_DOUBLE_EQ(d->Value(), 80);
    Release(d, 140, 97);
    EXPECT_EQ(w.Events, 1);
    // Now the indicator stands around (167, 97); a press inside it but off
    // its exact angle keeps the value.
    ASSERT_TRUE(d->IndicatorRect().Contains(163, 100));
    Press(d, 163, 100);
    EXPECT_DOUBLE_EQ(d->Value(), 80);
    EXPECT_EQ(w.Events, 1);
    // Dragging turns it: straight up is 0 degrees, value 50.
    Move(d, 100, 10);
    EXPECT_DOUBLE_EQ(d->Value(), 50);
    Release(d, 100, 10);
    EXPECT_EQ(w.Events, 2);
}

TEST(DialMouse, DragFarOutsideKeepsFollowingAndStopsAtTheEnds)
{
    TWindow w;
    TDial* d = w.AddDial(201, 193);
    Press(d, 140, 97);
    Move(d, -1000, 97); // far left: -90 degrees
    EXPECT_DOUBLE_EQ(d->Value(), 20);
    Move(d, 101, 5000); // far below, right of the centre: beyond 150 degrees
    EXPECT_DOUBLE_EQ(d->Value(), 100);
    Move(d, 99, 5000); // below, left: beyond -150 degrees
    EXPECT_DOUBLE_EQ(d->Value(), 0);
    Release(d, 99, 5000);
    const int events = w.Events;
    Move(d, 140, 97); // without a button: nothing
    EXPECT_EQ(d->Value(), 0);
    EXPECT_EQ(w.Events, events);
}

TEST(DialMouse, ClicksOutsideTheKnobOnlyRaiseTheMouseEvents)
{
    TWindow w;
    TDial* d = w.AddDial(201, 193);
    int downs = 0;
    d->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    Press(d, 2, 2);
    Move(d, 140, 97);
    Release(d, 140, 97);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(d->Value(), 0);
    EXPECT_EQ(w.Events, 0);
}

TEST(DialMouse, DisabledDialIgnoresTheMouse)
{
    TWindow w;
    TDial* d = w.AddDial(201, 193);
    d->SetEnabled(false);
    Press(d, 140, 97);
    Move(d, 100, 10);
    Release(d, 100, 10);
    EXPECT_EQ(d->Value(), 0);
    EXPECT_EQ(w.Events, 0);
}

TEST(DialMouse, SteppedDragRaisesOneEventPerNewStep)
{
    TWindow w;
    TDial* d = w.AddDial(201, 193);
    d->SetValueStepWidth(10);
    std::vector<double> seen;
    d->OnValueChange = [&](TObject*) { seen.push_back(d->Value()); };
    Press(d, 140, 97); // 80
    // Sweep upward along the right side in small steps, to 50 at the top.
    for (int y = 97; y >= 10; y -= 3)
        Move(d, 140, y);
    Move(d, 100, 10);
    Release(d, 100, 10);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 80);
    EXPECT_EQ(seen.back(), 50);
    for (size_t i = 1; i < seen.size(); ++i) {
        EXPECT_NE(seen[i], seen[i - 1]);
        EXPECT_EQ(std::fmod(seen[i], 10), 0);
    }
}

// ---------------------------------------------------------------- stored form

TEST(DialStored, RangeIsWrittenAlwaysAndReadDirectly)
{
    TDial fresh;
    const QByteArray text = WriteComponentText(&fresh);
    EXPECT_TRUE(text.contains("Range = (0.0 0.0 100.0 0.0 10.0 -150.0 150.0)")) << text.toStdString();

    // Read after the published values, without their checks: a value beyond
    // the range and a step stay as stored.
    std::unique_ptr<TComponent> read(ReadComponent(
        "object Dial1: TDial\n  Range = (250.0 0.0 200.0 7.0 20.0 -90.0 90.0)\n  ValueMax = 50.0\nend\n",
        QStringLiteral("test")));
    auto* d = qobject_cast<TDial*>(read.get());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Value(), 250);
    EXPECT_EQ(d->ValueMax(), 200);
    EXPECT_EQ(d->ValueStepWidth(), 7);
    EXPECT_EQ(d->ValueGap(), 20);
    EXPECT_EQ(d->ScaleAngle1(), -90);
    EXPECT_EQ(d->ScaleAngle2(), 90);
}

TEST(DialStored, IndicatorInnerOmittedLoadsTheConstructorValue)
{
    std::unique_ptr<TComponent> read(ReadComponent("object Dial1: TDial\nend\n", QStringLiteral("test")));
    auto* d = qobject_cast<TDial*>(read.get());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->IndicatorInner(), 70);
    // 70 differs from the stored default 75, so it is written and survives.
    EXPECT_TRUE(WriteComponentText(d).contains("IndicatorInner = 70"));
    d->SetIndicatorInner(75);
    EXPECT_TRUE(WriteComponentText(d).contains("IndicatorInner = 75"));
}

TEST(DialStored, MalformedRangeIsRefusedAndChangesNothing)
{
    TDial d;
    QString error;
    EXPECT_FALSE(d.ReadListProperty({1.0, 2.0, 3.0}, &error));
    EXPECT_FALSE(d.ReadListProperty({1.0, 0.0, 100.0, 0.0, 10.0, -150.0, QStringLiteral("x")}, &error));
    EXPECT_FALSE(d.ReadListProperty({1.0, 0.0, 100.0, 0.0, std::nan(""), -150.0, 150.0}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(d.Value(), 0);
    EXPECT_EQ(d.ValueGap(), 10);
}

TEST(DialStored, DegenerateRangesReadFromADescriptionNeverFail)
{
    const QVariantList lists[] = {
        {5.0, 5.0, 5.0, 0.0, 10.0, -150.0, 150.0},    // equal limits
        {50.0, 100.0, 0.0, 0.0, 10.0, -150.0, 150.0}, // inverted limits
        {0.0, 0.0, 100.0, 0.0, 10.0, 30.0, 30.0},     // equal angles
        {0.0, 0.0, 100.0, 0.0, -10.0, 90.0, -90.0},   // negative gap, inverted angles
        {0.0, 0.0, 100.0, 0.0, 0.0, -150.0, 150.0},   // no gap
    };
    for (const QVariantList& list : lists) {
        TWindow w;
        TDial* d = w.AddDial(201, 193);
        d->SetTicks(true);
        d->SetLabels(true);
        QString error;
        ASSERT_TRUE(d->ReadListProperty(list, &error));
        d->BackingImage();
        Press(d, 140, 97);
        Move(d, 100, 10);
        Move(d, -100, 300);
        Release(d, -100, 300);
        d->SetValue(42);
        d->BackingImage();
        EXPECT_FALSE(std::isnan(d->Value()));
    }
}
