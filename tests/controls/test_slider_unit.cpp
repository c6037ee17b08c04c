// The slider demonstration window built from its description.
#include "controls/Slider_Unit.h"

#include <controls/Slider.h>
#include <platform/Streaming.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <QTest>
#include <QTimer>

using namespace Tessaron;

namespace {

struct SliderDemo {
    TSlider_Demo Form;
    SliderDemo() { Form.InitializeForm(); }
};

struct SliderRow {
    int Left, ButtonWidth, ButtonHeight;
    double Min, Max, Value, Step;
    int Ranges, Decimals;
    TLabelingStyle Style;
    TLabelingOrientation Orientation;
    bool Transparent;
};

void Drag(TControl* C, QPoint From, QPoint To)
{
    QTest::mousePress(C->Widget(), Qt::LeftButton, Qt::NoModifier, From);
    QTest::mouseMove(C->Widget(), To);
    QTest::mouseRelease(C->Widget(), Qt::LeftButton, Qt::NoModifier, To);
}

} // namespace

TEST(SliderDemo, DescriptionBuildsTheWindow)
{
    SliderDemo d;
    TSlider_Demo& f = d.Form;
    EXPECT_EQ(f.Caption(), "TSlider Demo");
    EXPECT_EQ(f.ClientWidth(), 560);
    EXPECT_EQ(f.ClientHeight(), 370);
    EXPECT_EQ(f.BorderStyle(), TForm::bsDialog);
    EXPECT_EQ(f.Position(), TForm::poScreenCenter);
    EXPECT_EQ(f.Panel2->Width(), 113);
    EXPECT_EQ(f.BitBtn1->Kind(), TBitBtn::bkOK);
    EXPECT_EQ(f.Label1->Caption(), "Schieberegler");
    EXPECT_EQ(f.Label1->Font()->Height(), -32);
    EXPECT_EQ(f.Label2->Caption(), "Horizontale und vertikale Schieberegler erzeugen Sie mit der TSlider Komponente.");
    EXPECT_EQ(f.Label3->Caption(), "Slider lassen sich zu Gruppen zusammenfassen und zu diskreten Reglern umstellen.");
    EXPECT_EQ(f.GroupBox1->BoundsRect(), Bounds(16, 304, 417, 57));

    const SliderRow rows[] = {
        {32, 39, 10, -10, 10, 0, 0, 1, 0, lbsSymmetric, lboLeft, false},
        {128, 30, 10, 0, 50, 0, 0, 3, 1, lbsBoth, lboLeft, false},
        {192, 30, 10, 0, 50, 50, 0, 3, 1, lbsLines, lboLeft, false},
        {256, 30, 10, 0, 50, 0, 0, 3, 1, lbsBoth, lboRight, false},
        {360, 71, 18, 0, 50, 0, 10, 1, 1, lbsAsymmetric, lboRight, true},
    };
    TSlider* sliders[] = {f.Slider1, f.Slider2, f.Slider4, f.Slider3, f.Slider5};
    for (int i = 0; i < 5; ++i) {
        const SliderRow& r = rows[i];
        TSlider* s = sliders[i];
        ASSERT_NE(s, nullptr);
        SCOPED_TRACE(s->Name().toStdString());
        EXPECT_EQ(s->Parent(), f.Panel1);
        EXPECT_EQ(s->BoundsRect(), Bounds(r.Left, 64, 73, 233));
        EXPECT_EQ(s->Kind(), sbVertical);
        EXPECT_EQ(s->LabelingGap(), 5);
        EXPECT_TRUE(s->ReduceFlicker());
        EXPECT_EQ(s->Color(), clBtnFace);
        EXPECT_EQ(s->ButtonFont()->Name(), "Arial");
        EXPECT_EQ(s->ButtonFont()->Height(), -11);
        EXPECT_EQ(s->ButtonFont()->Color(), clBlack);
        EXPECT_TRUE(s->ButtonFont()->Style().testFlag(fsBold));
        EXPECT_EQ(s->LabelingFont()->Name(), "Arial");
        EXPECT_EQ(s->LabelingFont()->Height(), -11);
        EXPECT_FALSE(s->LabelingFont()->Style().testFlag(fsBold));
        EXPECT_EQ(s->ButtonWidth(), r.ButtonWidth);
        EXPECT_EQ(s->ButtonHeight(), r.ButtonHeight);
        EXPECT_EQ(s->ValueMin(), r.Min);
        EXPECT_EQ(s->ValueMax(), r.Max);
        EXPECT_EQ(s->Value(), r.Value);
        EXPECT_EQ(s->ValueStepWidth(), r.Step);
        EXPECT_EQ(s->RangeNumber(), r.Ranges);
        EXPECT_EQ(s->LabelingDecimals(), r.Decimals);
        EXPECT_EQ(s->LabelingStyle(), r.Style);
        EXPECT_EQ(s->LabelingOrientation(), r.Orientation);
        EXPECT_EQ(s->ButtonTransparent(), r.Transparent);
        if (r.Ranges == 3) {
            EXPECT_EQ(s->RangeCurrent(), 3);
            EXPECT_EQ(s->Ranges().Entry(1).Color, clLime);
            EXPECT_EQ(s->Ranges().Entry(1).Limit, 20);
            EXPECT_EQ(s->Ranges().Entry(2).Color, clYellow);
            EXPECT_EQ(s->Ranges().Entry(2).Limit, 40);
            EXPECT_EQ(s->Ranges().Entry(3).Color, clRed);
            EXPECT_EQ(s->Ranges().Entry(3).Limit, 50);
        } else {
            EXPECT_EQ(s->Ranges().Entry(1).Color, clBtnFace);
            EXPECT_EQ(s->Ranges().Entry(1).Limit, r.Max);
        }
    }
    EXPECT_EQ(f.Slider1->ButtonColor(), clBlue);
    EXPECT_TRUE(bool(f.Slider2->OnValueChange));
    EXPECT_TRUE(bool(f.Slider4->OnValueChange));
    EXPECT_FALSE(bool(f.Slider3->OnValueChange));
}

TEST(SliderDemo, Slider2AndSlider4MoveAsMirrorImages)
{
    SliderDemo d;
    d.Form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d.Form.Widget()));
    TSlider* s2 = d.Form.Slider2;
    TSlider* s4 = d.Form.Slider4;
    int events2 = 0, events4 = 0;
    // Count on top of the window's own handlers.
    const TNotifyEvent h2 = s2->OnValueChange, h4 = s4->OnValueChange;
    s2->OnValueChange = [&, h2](TObject* Sender) { ++events2; h2(Sender); };
    s4->OnValueChange = [&, h4](TObject* Sender) { ++events4; h4(Sender); };
    // Drag Slider2's button (at 0, bottom rows 223..232) up by a quarter.
    Drag(s2, QPoint(36, 228), QPoint(36, 228 - 56));
    EXPECT_GT(s2->Value(), 12);
    EXPECT_EQ(s2->Value() + s4->Value(), 50);
    EXPECT_EQ(events4, 1);
    EXPECT_LE(events2, 2);
    // And Slider4 (at 50 - v) dragged down to its bottom end.
    events2 = events4 = 0;
    const TRect button = s4->ButtonRect();
    Drag(s4, QPoint(36, button.Top + 4), QPoint(36, 1000));
    EXPECT_EQ(s4->Value(), 0);
    EXPECT_EQ(s2->Value(), 50);
    EXPECT_EQ(events2, 1);
    EXPECT_EQ(events4, 1);
    // Slider3 stays out of it.
    EXPECT_EQ(d.Form.Slider3->Value(), 0);
    d.Form.Close();
}

TEST(SliderDemo, WindowCursorMovesInStepsOfTen)
{
    SliderDemo d;
    d.Form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d.Form.Widget()));
    TSlider* s = d.Form.Slider5;
    const TRect button = s->ButtonRect();
    EXPECT_EQ(button.Left, 0);
    EXPECT_EQ(button.Right, 73);
    // 215 pixels of travel for 50: 43 pixels up is one step.
    Drag(s, QPoint(40, button.Top + 9), QPoint(40, button.Top + 9 - 45));
    EXPECT_EQ(s->Value(), 10);
    Drag(s, QPoint(40, s->ButtonRect().Top + 9), QPoint(40, -500));
    EXPECT_EQ(s->Value(), 50);
    d.Form.Close();
}

TEST(SliderDemo, OkButtonEndsTheModalShowing)
{
    SliderDemo d;
    QTimer::singleShot(20, [&] { d.Form.BitBtn1->Click(); });
    EXPECT_EQ(d.Form.ShowModal(), mrOk);
}

TEST(SliderDemo, TourMovesTheSlidersAndKeepsTheMirror)
{
    SliderDemo d;
    d.Form.Show();
    d.Form.TourStart();
    EXPECT_GT(d.Form.Slider1->Value(), d.Form.Slider1->ValueMin());
    EXPECT_GT(d.Form.Slider2->Value(), 0);
    EXPECT_GT(d.Form.Slider3->Value(), 0);
    EXPECT_GT(d.Form.Slider5->Value(), 0);
    EXPECT_EQ(d.Form.Slider2->Value() + d.Form.Slider4->Value(), 50);
    d.Form.Close();
}

TEST(SliderDemo, DescriptionRoundTrip)
{
    SliderDemo d;
    const QByteArray text = WriteComponentText(&d.Form);
    EXPECT_TRUE(text.contains("Range = ((65280 20.0 65535 40.0 255 50.0) 50.0 0.0 50.0 0.0 5.0)"));
    EXPECT_TRUE(text.contains("OnValueChange = Slider2ValueChange"));
    TSlider_Demo copy;
    ReadComponentText(&copy, text, "Slider_Unit copy");
    EXPECT_EQ(QString::fromUtf8(WriteComponentText(&copy)), QString::fromUtf8(text));
    // The copy's handlers are bound to the copy.
    copy.Slider2->SetValue(20);
    EXPECT_EQ(copy.Slider4->Value(), 30);
    EXPECT_EQ(d.Form.Slider4->Value(), 50);
}
