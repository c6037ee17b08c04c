// TDial: value rules, geometry, drawing and the mouse, driven on real
// controls in a shown window.
#include <controls/dial.h>
#include <platform/Streaming.h>

#include <gtest/gtest.h>
#include "ControlTestKit.h"
#include "support/TestSupport.h"

#include <cmath>
#include <memory>

using namespace Tessaron;
using namespace ControlTest;

namespace {

// A 201 x 193 dial: centre (100, 96), the scale's centre row 193 - 96 = 97, R = 87.
TDial* AddDial(THost& W)
{
    return W.Add<TDial>(201, 193);
}

} // namespace

// ---------------------------------------------------------------- value rules

TEST(Dial, SnapsTiesToEvenThenClampsWithOneEventPerChange)
{
    const struct {
        double Request, Expected;
    } cases[] = {{3, 5} /* snaps to 0, clamped to 5 */, {14, 10}, {15, 20}, {25, 20}, {35, 40}, {1000, 100},
        {-50, 5}, {96, 100}, {50.1, 50}, {std::nan(""), 50}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Request);
        THost w;
        TDial* d = AddDial(w);
        d->SetValueMin(5);
        d->SetValueStepWidth(10);
        d->SetValue(50);
        w.Events = 0;
        d->SetValue(c.Request);
        EXPECT_DOUBLE_EQ(d->Value(), c.Expected);
        EXPECT_EQ(w.Events, c.Expected == 50 ? 0 : 1);
        d->SetValue(c.Request); // the same request again is no change
        EXPECT_EQ(w.Events, c.Expected == 50 ? 0 : 1);
    }
}

TEST(Dial, StepWidthResnapsWhileRangeSettersPullTheValueInSilentlyBevelColorTakesOnlyRgb)
{
    THost w;
    TDial* d = AddDial(w);
    d->SetValue(37);
    w.Events = 0;
    d->SetValueStepWidth(20);
    EXPECT_EQ(std::pair(d->Value(), w.Events), std::pair(40.0, 1));
    TDial* e = AddDial(w);
    e->SetValue(80);
    w.Events = 0;
    e->SetValueMax(60);
    EXPECT_EQ(e->Value(), 60);
    e->SetValueMin(70); // also above the maximum: accepted
    EXPECT_EQ(std::pair(e->Value(), w.Events), std::pair(70.0, 0));
    // A system colour as bevel colour gives white.
    d->SetBevelColor(clBtnFace);
    EXPECT_EQ(d->BevelColor(), clWhite);
    d->SetBevelColor(RGB(10, 20, 30));
    EXPECT_EQ(d->BevelColor(), RGB(10, 20, 30));
}

// ---------------------------------------------------------------- geometry

TEST(Dial, RadiusLetsTheOuterTickTouchTheNearerEdgeAndTheKnobFollowsIt)
{
    THost w;
    TDial* d = AddDial(w);
    EXPECT_EQ(std::tuple(d->Radius(), d->CenterX(), d->CenterY()), std::tuple(87, 100, 96)); // R = Round(96 * 100 / 110)
    d->SetTickOuter(100);
    EXPECT_EQ(d->Radius(), 96);
    d->SetTickOuter(0); // no radius from it: the knob fills the control
    EXPECT_EQ(d->Radius(), 96);
    d->SetTickOuter(110);
    d->SetColor(clNavy);
    // Between the old radius 87 and the new one 48: knob before, background after.
    ASSERT_NE(PixelAt(d, 100 + 70, 97), clNavy);
    d->SetTickOuter(200);
    EXPECT_EQ(d->Radius(), 48);
    EXPECT_EQ(PixelAt(d, 100 + 70, 97), clNavy);
    // And back: a value change right after draws the bigger knob again.
    d->SetTickOuter(110);
    d->SetValue(30);
    EXPECT_NE(PixelAt(d, 100 + 70, 97), clNavy);
    // Wider labels of a new range make a smaller knob.
    d->SetLabels(true);
    d->SetValueDecimals(2);
    const int before = d->Radius();
    d->SetValueMax(1000);
    const int after = d->Radius();
    ASSERT_LT(after, before);
    EXPECT_EQ(PixelAt(d, 100 + before - 2, 97), clNavy);
    EXPECT_NE(PixelAt(d, 100 + after - 3, 97), clNavy);
}

TEST(Dial, LabelsFollowTheRangeSitOutsideTheTicksAndMarkMajorTicks)
{
    THost w;
    TDial* d = AddDial(w);
    d->SetTicks(true);
    d->SetLabels(true);
    d->BackingImage();
    const auto& texts = d->LabelTexts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(std::pair(texts.front(), texts.back()), std::pair(QStringLiteral("0"), QStringLiteral("100")));
    // "50" stands centred above the knob, at twelve o'clock, in the font's colour.
    const auto it = std::find(texts.begin(), texts.end(), QStringLiteral("50"));
    ASSERT_NE(it, texts.end());
    const TPoint p = d->LabelPositions()[size_t(it - texts.begin())];
    const QFontMetrics fm(d->Font()->ToQFont());
    const int tw = fm.horizontalAdvance(QStringLiteral("50"));
    EXPECT_LE(std::abs(p.x() + tw / 2 - d->CenterX()), 1);
    EXPECT_LT(p.y(), 97 - d->Radius() * 110 / 100);
    EXPECT_GT(CountColor(d->BackingImage(), QRect(p.x(), p.y(), tw, 12), Rgb(d->Font()->Color())), 5);
    // The first and the last label stand on the rays of the scale ends.
    const auto angleOf = [&](size_t i) {
        const TPoint q = d->LabelPositions()[i];
        const double x = q.x() + fm.horizontalAdvance(texts[i]) / 2.0 - d->CenterX();
        const double y = q.y() + fm.height() / 2.0 - (193 - d->CenterY());
        return std::atan2(x, -y) * 180 / M_PI;
    };
    EXPECT_NEAR(angleOf(0), -150, 3);
    EXPECT_NEAR(angleOf(texts.size() - 1), 150, 3);
    // Every labelled tick is a major tick.
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

TEST(DialDrawing, IndicatorStandsAtTheAngleOfTheValue)
{
    // R = 87, the band at 70..85 %: its middle at 67.425 pixels, half width 7.
    const struct {
        TDial::TDialIndicator Style;
        double Value;
        int X, Y, OffX, OffY; // a pixel of the indicator, one beside it
    } cases[] = {{TDial::diaCircle, 50, 100, 29, 100, 38}, {TDial::diaCircle, 100, 133, 155, 140, 140}, // 150 degrees
        {TDial::diaCircle, 0.001, 66, 155, 60, 140},                                                    // -150 degrees
        {TDial::diaTriangle, 50, 100, 27, 100, 21}, // tip at y 23, base at 29
        {TDial::diaLine, 50, 100, 30, 101, 30}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.Style) << " at " << c.Value);
        THost w;
        TDial* d = AddDial(w);
        d->SetIndicatorStyle(c.Style);
        d->SetValue(c.Value);
        EXPECT_EQ(PixelAt(d, c.X, c.Y), clRed);
        EXPECT_NE(PixelAt(d, c.OffX, c.OffY), clRed);
    }
    // A disabled indicator is shadow grey. (A moved one clearing its old
    // place: DialDrawing.ValueChangeRepaintsOnlyTheOldAndNewIndicatorAreas.)
    THost w;
    TDial* d = AddDial(w);
    d->SetValue(50);
    d->SetEnabled(false);
    EXPECT_EQ(PixelAt(d, 100, 29), Rgb(clBtnShadow));
}

TEST(DialDrawing, ValueChangeRepaintsOnlyTheOldAndNewIndicatorAreas)
{
    for (double target : {52.0, 90.0}) { // overlapping and separate areas
        SCOPED_TRACE(target);
        THost w;
        TDial* d = AddDial(w);
        d->SetTicks(true);
        d->SetLabels(true);
        d->SetIndicatorStyle(TDial::diaTriangle);
        d->SetCaption(QStringLiteral("U1"));
        ExpectMoveRedrawsOldAndNewArea(d, 50, target, &TDial::IndicatorRect);
    }
}

TEST(DialDrawing, EqualLimitsOrLabelsCloserThanAPixelDrawNoScaleAndRefuseValues)
{
    THost w;
    TDial* d = AddDial(w);
    d->SetTicks(true);
    d->SetLabels(true);
    d->SetValueMax(0); // ValueMin is 0 too
    EXPECT_TRUE(d->TickPoints().empty() && d->LabelTexts().empty());
    EXPECT_EQ(CountColor(d->BackingImage(), d->ClientRect().ToQRect(), clRed), 0);
    w.Events = 0;
    d->SetValue(10);
    Press(d, 140, 97);
    Move(d, 100, 10);
    Release(d, 100, 10);
    EXPECT_EQ(std::pair(d->Value(), w.Events), std::pair(0.0, 0));
    // A range again brings the scale back.
    d->SetValueMax(100);
    d->SetValue(10);
    EXPECT_EQ(d->Value(), 10);
    EXPECT_FALSE(d->TickPoints().empty());
    // Labels closer than a pixel, and no ticks to widen the gap: no scale either.
    d->SetTicks(false);
    d->SetColor(clNavy);
    d->SetValueMax(8000); // gap positions 0.3 pixels apart
    EXPECT_TRUE(d->NoScale());
    EXPECT_EQ(PixelAt(d, 100, 97), clNavy); // only the background
    d->SetValue(20);
    EXPECT_EQ(d->Value(), 10);
    d->SetValueGap(100);
    EXPECT_FALSE(d->NoScale());
    d->SetValue(20);
    EXPECT_EQ(d->Value(), 20);
    EXPECT_NE(PixelAt(d, 100, 97), clNavy);
}

// ---------------------------------------------------------------- mouse

TEST(DialMouse, ClickJumpsGrabbingTheIndicatorDoesNotAndDragsKeepFollowing)
{
    THost w;
    TDial* d = AddDial(w);
    Press(d, 140, 97); // right of the centre: 90 degrees, value 80
    EXPECT_DOUBLE_EQ(d->Value(), 80);
    Release(d, 140, 97);
    EXPECT_EQ(w.Events, 1);
    // The indicator now stands around (167, 97); a press inside it but off
    // its exact angle keeps the value.
    ASSERT_TRUE(d->IndicatorRect().Contains(163, 100));
    Press(d, 163, 100);
    EXPECT_DOUBLE_EQ(d->Value(), 80);
    EXPECT_EQ(w.Events, 1);
    Move(d, 100, 10); // straight up: 0 degrees, value 50
    EXPECT_DOUBLE_EQ(d->Value(), 50);
    Release(d, 100, 10);
    EXPECT_EQ(w.Events, 2);
    // A drag far outside keeps following and stops at the ends.
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
    EXPECT_EQ(std::pair(d->Value(), w.Events), std::pair(0.0, events));
}

TEST(DialMouse, OutsideTheKnobOrDisabledOnlyTheMouseEventsAreRaised)
{
    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled);
        THost w;
        TDial* d = AddDial(w);
        d->SetEnabled(enabled);
        int downs = 0;
        d->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
        Press(d, enabled ? 2 : 140, enabled ? 2 : 97);
        Move(d, 100, 10);
        Release(d, 100, 10);
        if (enabled)
            EXPECT_EQ(downs, 1);
        EXPECT_EQ(d->Value(), 0);
        EXPECT_EQ(w.Events, 0);
    }
}

// ---------------------------------------------------------------- stored form

TEST(DialStored, RangeIsWrittenAlwaysAndReadDirectlyAnOmittedIndicatorInnerIsTheConstructors)
{
    TDial fresh;
    const QByteArray text = WriteComponentText(&fresh);
    EXPECT_TRUE(text.contains("Range = (0.0 0.0 100.0 0.0 10.0 -150.0 150.0)")) << text.toStdString();
    // Read after the published values, without their checks: a value beyond
    // the range and a step stay as stored.
    std::unique_ptr<TComponent> holder(ReadComponent(
        "object Dial1: TDial\n  Range = (250.0 0.0 200.0 7.0 20.0 -90.0 90.0)\n  ValueMax = 50.0\nend\n", "test"));
    auto* d = qobject_cast<TDial*>(holder.get());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ((std::vector<double>{d->Value(), d->ValueMax(), d->ValueStepWidth(), d->ValueGap(), d->ScaleAngle1(),
                  d->ScaleAngle2()}),
        (std::vector<double>{250, 200, 7, 20, -90, 90}));
    // IndicatorInner omitted loads the constructor's 70; it differs from the
    // stored default 75, so it is written and survives.
    EXPECT_EQ(d->IndicatorInner(), 70);
    EXPECT_TRUE(WriteComponentText(d).contains("IndicatorInner = 70"));
    d->SetIndicatorInner(75);
    EXPECT_TRUE(WriteComponentText(d).contains("IndicatorInner = 75"));
}

