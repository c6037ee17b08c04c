// TSlider: value and range rules, the range table in the slot, the scale,
// the button and the mouse, driven on real controls in a shown window.
#include <controls/Slider.h>
#include <platform/Streaming.h>

#include <gtest/gtest.h>
#include "ControlTestKit.h"
#include "support/TestSupport.h"

#include <cmath>
#include <memory>

using namespace Tessaron;
using namespace ControlTest;

namespace {

// A vertical slider of 73 x 233: slot x 32..40, travel from row 228 (0) to 5 (100).
TSlider* AddSlider(THost& W)
{
    return W.Add<TSlider>(73, 233);
}
TSlider* AddHorizontal(THost& W)
{
    return W.Add<TSlider>(233, 73, [](TSlider* S) { S->SetKind(sbHorizontal); });
}

// Three ranges over 0..50: green to 20, yellow to 40, red to 50.
void ThreeRanges(TSlider* S)
{
    S->SetValueMax(50);
    SetRanges(S, {20, 40, 50}, {clLime, clYellow, clRed});
}

} // namespace

// ---------------------------------------------------------------- value rules

TEST(Slider, ValuesSnapTiesToEvenAndClampRangeEndsStayOrderedAndClampTheLimits)
{
    THost w;
    TSlider* s = AddSlider(w);
    s->SetValueStepWidth(10);
    const struct {
        double Request, Expected;
    } steps[] = {{14, 10}, {15, 20}, {25, 20}, {24, 20}, {-7, 0}, {1000, 100}, {96, 100}, {std::nan(""), 100}};
    double last = s->Value();
    int events = 0;
    for (const auto& st : steps) {
        s->SetValue(st.Request);
        EXPECT_DOUBLE_EQ(s->Value(), st.Expected) << st.Request;
        events += st.Expected != last;
        last = st.Expected;
        EXPECT_EQ(w.Events, events) << st.Request;
    }

    // Range ends must stay ordered and leave the value alone; range limits are
    // clamped into the range, the last always reaching ValueMax.
    s = AddSlider(w);
    s->SetValueMax(50);
    s->SetValueMin(60); // not below the maximum: ignored
    EXPECT_EQ(s->ValueMin(), 0);
    s->SetValueMax(-1); // not above the minimum: ignored
    EXPECT_EQ(s->ValueMax(), 50);
    s->SetValue(10);
    s->SetValueMin(20);
    EXPECT_EQ(std::pair(s->ValueMin(), s->Value()), std::pair(20.0, 10.0)); // the value until the next assignment
    s->SetValue(12);
    EXPECT_EQ(s->Value(), 20);
    s->SetValueMin(std::nan(""));
    EXPECT_EQ(s->ValueMin(), 20);
    TSlider t;
    t.SetRangeNumber(3);
    t.SetRangeCurrent(3);
    EXPECT_EQ(t.RangeLimit(), 100);
    t.SetRangeCurrent(1);
    t.SetRangeLimit(150);
    EXPECT_EQ(t.RangeLimit(), 100);
    t.SetRangeLimit(-5);
    EXPECT_EQ(t.RangeLimit(), 0);
    t.SetRangeLimit(30);
    t.SetValueMax(80);
    t.SetRangeCurrent(3);
    EXPECT_EQ(t.RangeLimit(), 80);
    t.SetValueMin(50); // pulls limit 1 up
    t.SetRangeCurrent(1);
    EXPECT_EQ(t.RangeLimit(), 50);
}

TEST(Slider, ButtonWidthIsKeptInsideTheControl)
{
    THost w;
    TSlider* s = AddSlider(w);
    s->SetButtonWidth(200);
    EXPECT_EQ(s->ButtonWidth(), 71);
    s->SetButtonWidth(30);
    s->SetLabelingStyle(lbsAsymmetric); // a window cursor spans the control
    EXPECT_EQ(s->ButtonWidth(), 71);
    // Shrinking the control clamps it at the next paint.
    s->SetBounds(8, 8, 50, 233);
    s->BackingImage();
    EXPECT_EQ(s->ButtonWidth(), 48);
    // With a button picture the asymmetric style keeps the width.
    TBitmap picture(8, 8);
    s->PictureButton()->SetGraphic(&picture);
    s->SetButtonWidth(20);
    EXPECT_EQ(s->ButtonWidth(), 48);
}

TEST(Slider, KindSwapsTheSidesOnlyInADesigner)
{
    TSlider s;
    s.SetBounds(0, 0, 73, 233);
    s.SetKind(sbHorizontal);
    EXPECT_EQ(s.Width(), 73);
    s.SetDesigning(true);
    s.SetKind(sbVertical);
    EXPECT_EQ(std::pair(s.Width(), s.Height()), std::pair(233, 73));
    s.BeginLoading();
    s.SetKind(sbHorizontal);
    EXPECT_EQ(s.Width(), 233);
}

// ---------------------------------------------------------------- drawing

TEST(SliderDrawing, ButtonStandsAtTheValueRangesColourTheSlotFromTheBottomUp)
{
    THost w;
    TSlider* s = AddSlider(w);
    s->SetButtonColor(clBlue);
    // Value 0: the button's outer rectangle is (17, 223, 57, 233), in a raised frame.
    ExpectPixels(s, {{37, 228, clBlue}, {17, 223, Rgb(clBtnHighlight)}, {56, 232, Rgb(clBtnShadow)}});
    s->SetValue(100);
    EXPECT_EQ(PixelAt(s, 37, 5), clBlue);
    s->SetValue(50); // 112 pixels up: (17, 111, 57, 121)
    EXPECT_EQ(PixelAt(s, 37, 116), clBlue);
    EXPECT_NE(PixelAt(s, 37, 109), clBlue);
    EXPECT_NE(PixelAt(s, 37, 122), clBlue);
    EXPECT_EQ(s->ButtonRect(), TRect(17, 111, 57, 121));
    // Ranges colour the slot from the bottom up; 50 is now the top, the button
    // out of the way. Inner slot (32, 1, 40, 232); boundaries at rows 139 (20)
    // and 50 (40); the sunken frame around it.
    ThreeRanges(s);
    ExpectPixels(s, {{36, 200, clLime}, {36, 139, clLime}, {36, 138, clYellow}, {36, 50, clYellow}, {36, 49, clRed},
                        {36, 231, clLime}, {31, 100, Rgb(clBtnShadow)}, {40, 100, Rgb(clBtnHighlight)}});
}

TEST(SliderDrawing, HorizontalSliderGrowsToTheRightAndFollowsX)
{
    THost w;
    TSlider* s = AddHorizontal(w);
    s->SetButtonColor(clBlue);
    SetRanges(s, {50, 100}, {clLime, clRed});
    // The button at 0: (0, 16, 10, 56); ranges meet at x 117.
    ExpectPixels(s, {{5, 36, clBlue}, {116, 36, clLime}, {117, 36, clRed}});
    s->SetValueStepWidth(1);
    Press(s, 5, 36); // the button at 0
    Move(s, 5 + 223 / 2 + 1, 36);
    EXPECT_EQ(s->Value(), 50);
    Release(s, 117, 36);
    Press(s, 228, 36); // into the slot near the right end
    EXPECT_EQ(s->Value(), 100);
    Release(s, 228, 36);
    ExpectPixels(s, {{228, 36, clBlue}, {5, 36, clLime}});
}

TEST(SliderDrawing, WindowCursorShowsTheLabelThroughItsWindow)
{
    THost w;
    TSlider* s = AddSlider(w);
    s->SetButtonHeight(18);
    s->SetValueMax(50);
    s->SetValueStepWidth(10);
    s->SetButtonTransparent(true);
    s->SetButtonBorderColor(clYellow);
    s->SetLabelingOrientation(lboRight);
    s->SetLabelingStyle(lbsAsymmetric);
    EXPECT_EQ(s->ButtonWidth(), 71);
    s->SetValue(20);
    // The button spans the control, rows 129..146 (86 pixels up from the bottom).
    EXPECT_EQ(s->ButtonRect(), TRect(0, 129, 73, 147));
    EXPECT_EQ(PixelAt(s, 0, 129), Rgb(clBtnHighlight));
    EXPECT_EQ(PixelAt(s, 3, 138), clYellow); // the button beside the window
    // Inside the window, right of the slot: the label "20.0" shows through.
    const QImage& img = s->BackingImage();
    EXPECT_GT(CountColor(img, QRect(30, 132, 22, 11), clBlack), 5);
    EXPECT_EQ(CountColor(img, QRect(30, 132, 22, 11), clYellow), 0);
    EXPECT_EQ(PixelAt(s, 70, 138), clYellow); // right of the window
}

TEST(SliderDrawing, ButtonPictureIsLaidOverItsMaskSlidePictureReplacesTheSlot)
{
    THost w;
    TSlider* s = AddSlider(w);
    TBitmap mask(10, 10), button(10, 10);
    FillBitmap(mask, clBlack);
    FillBitmap(button, clRed);
    s->PictureMask()->SetGraphic(&mask);
    s->PictureButton()->SetGraphic(&button);
    s->SetButtonCaption(QStringLiteral("X")); // not drawn over a picture
    // The mask clears the button area (AND with black), the picture is ORed in.
    EXPECT_EQ(CountColor(s->BackingImage(), QRect(18, 224, 38, 8), clRed), 38 * 8);
    // The mask's edge row stays black.
    EXPECT_EQ(PixelAt(s, 37, 223), clBlack);
    // A slide picture replaces the slot.
    TBitmap slide(4, 4);
    FillBitmap(slide, clTeal);
    s->PictureSlide()->SetGraphic(&slide);
    s->SetValue(100);
    ExpectPixels(s, {{36, 120, clTeal}, {2, 200, clTeal}});
    // Clicks into the slot still jump.
    Press(s, 36, 228);
    Release(s, 36, 228);
    EXPECT_EQ(s->Value(), 0);
}

TEST(SliderDrawing, ValueChangeRepaintsOnlyTheOldAndNewButtonAreas)
{
    for (bool reduce : {false, true})
        for (double target : {52.0, 90.0}) {
            SCOPED_TRACE(testing::Message() << reduce << " " << target);
            THost w;
            TSlider* s = AddSlider(w);
            s->SetReduceFlicker(reduce);
            ThreeRanges(s);
            s->SetLabelingStyle(lbsBoth);
            s->SetButtonCaption(QStringLiteral("A"));
            ExpectMoveRedrawsOldAndNewArea(s, 25, target * 0.5, &TSlider::ButtonRect);
        }
}

// ---------------------------------------------------------------- mouse

TEST(SliderMouse, ClickIntoTheSlotJumpsAndDragsFromThereClampedAtTheEnds)
{
    THost w;
    TSlider* s = AddSlider(w);
    s->SetValueStepWidth(1);
    // Halfway along the travel: (228 - 117) / 223 of the span.
    Press(s, 36, 117);
    EXPECT_EQ(s->Value(), 50);
    EXPECT_TRUE(s->Dragging());
    Move(s, 36, 117 - 45); // 45 of 223 pixels: about 20 more
    EXPECT_EQ(s->Value(), 70);
    Release(s, 36, 72);
    EXPECT_FALSE(s->Dragging());
    EXPECT_EQ(w.Events, 2);
    // A drag beyond the ends is clamped and keeps tracking.
    Press(s, 37, 228 - 223 * 7 / 10); // the button at 70
    Move(s, 500, -2000);
    EXPECT_EQ(s->Value(), 100);
    Move(s, -500, 5000);
    EXPECT_EQ(s->Value(), 0);
    Move(s, 37, 228 - 223 / 4);
    EXPECT_NEAR(s->Value(), 25, 0.5);
    Release(s, 37, 228 - 223 / 4);
    EXPECT_EQ(w.Events, 5);
}

TEST(SliderMouse, PressOnTheButtonDoesNotJumpAndADisabledSliderIgnoresTheMouse)
{
    THost w;
    TSlider* s = AddSlider(w);
    s->SetValue(50); // button rows 111..120
    w.Events = 0;
    Press(s, 20, 119); // on the button, away from the slot's axis
    EXPECT_EQ(s->Value(), 50);
    EXPECT_EQ(w.Events, 0);
    Move(s, 20, 119); // no movement: no change
    EXPECT_EQ(w.Events, 0);
    Release(s, 20, 119);
    // Outside both the slot and the button: nothing.
    Press(s, 2, 20);
    Release(s, 2, 20);
    EXPECT_EQ(s->Value(), 50);
    s->SetEnabled(false);
    Press(s, 36, 200);
    Move(s, 36, 10);
    Release(s, 36, 10);
    EXPECT_EQ(s->Value(), 50);
    EXPECT_EQ(w.Events, 0);
}

TEST(SliderMouse, MirrorCoupledSlidersSettleAtOnce)
{
    THost w;
    TSlider* s2 = AddSlider(w);
    TSlider* s4 = AddSlider(w);
    s4->SetLeft(100);
    ThreeRanges(s2);
    ThreeRanges(s4);
    s4->SetValue(50);
    int events2 = 0, events4 = 0;
    s2->OnValueChange = [&](TObject*) {
        ++events2;
        s4->SetValue(50 - s2->Value());
    };
    s4->OnValueChange = [&](TObject*) {
        ++events4;
        s2->SetValue(50 - s4->Value());
    };
    Press(s2, 37, 228);
    for (int y = 220; y >= 20; y -= 17) {
        events2 = events4 = 0;
        Move(s2, 37, y);
        // One change each; a value that does not survive the subtraction
        // exactly costs one more change of the dragged slider, then it rests.
        EXPECT_EQ(events4, 1) << y;
        EXPECT_GE(events2, 1) << y;
        EXPECT_LE(events2, 2) << y;
        EXPECT_EQ(s2->Value() + s4->Value(), 50) << y;
    }
    Release(s2, 37, 20);
    // And through the other one.
    events2 = events4 = 0;
    s4->SetValue(10);
    EXPECT_EQ(std::tuple(s2->Value(), events2, events4), std::tuple(40.0, 1, 1));
}

// ---------------------------------------------------------------- stored form

TEST(SliderStored, RangeListRoundTripsAndIsReadWithoutChecksOrEvents)
{
    const char* text = "object Slider2: TSlider\n"
                       "  Range = ((65280 20.0 65535 40.0 255 50.0) 0.0 0.0 50.0 0.0 5.0)\n"
                       "end\n";
    std::unique_ptr<TComponent> read(ReadComponent(text, QStringLiteral("test")));
    auto* s = qobject_cast<TSlider*>(read.get());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::tuple(s->RangeNumber(), s->ValueMax(), s->Ranges().Entry(2).Color, s->Ranges().Entry(3).Limit),
        std::tuple(3, 50.0, clYellow, 50.0));
    EXPECT_TRUE(WriteComponentText(s).contains("Range = ((65280 20.0 65535 40.0 255 50.0) 0.0 0.0 50.0 0.0 5.0)"))
        << WriteComponentText(s).toStdString();
    // Read directly, without checks or events: a value outside the range and a
    // negative gap are kept as read.
    int events = 0;
    s->OnValueChange = [&](TObject*) { ++events; };
    QString error;
    ASSERT_TRUE(s->ReadListProperty({QVariantList{qlonglong(255), 10.0}, 70.0, 0.0, 50.0, 3.0, -1.0}, &error));
    EXPECT_EQ(std::tuple(s->Value(), s->LabelingGap(), s->RangeLimit(), events), std::tuple(70.0, -1.0, 10.0, 0));
}

