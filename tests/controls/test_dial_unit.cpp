// The potentiometer demonstration window built from its description.
#include "controls/Dial_Unit.h"

#include <controls/dial.h>
#include <platform/Streaming.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <QTest>
#include <QTimer>

using namespace Tessaron;

namespace {

struct DialDemo {
    TDial_Demo Form;
    DialDemo() { Form.InitializeForm(); }
};

struct DialRow {
    int Left, Top, Width, Height;
    double Angle1, Angle2, Step;
    int Inner, Outer;
    TColor Indicator, Bevel;
    bool Scale;
    TDial::TDialIndicator Style;
    const char* Caption;
};

} // namespace

TEST(DialDemo, DescriptionBuildsTheWindow)
{
    DialDemo d;
    TDial_Demo& f = d.Form;
    EXPECT_EQ(f.Caption(), "TDial Demo");
    EXPECT_EQ(f.ClientWidth(), 560);
    EXPECT_EQ(f.ClientHeight(), 370);
    EXPECT_EQ(f.BorderStyle(), TForm::bsDialog);
    EXPECT_EQ(f.BorderIcons(), TForm::TBorderIcons(TForm::biSystemMenu));
    EXPECT_EQ(f.Position(), TForm::poScreenCenter);
    EXPECT_EQ(f.Panel1->Align(), alClient);
    EXPECT_EQ(f.Panel2->Align(), alRight);
    EXPECT_EQ(f.Panel2->Width(), 113);
    EXPECT_EQ(f.BitBtn1->BoundsRect(), Bounds(8, 336, 97, 25));
    EXPECT_EQ(f.BitBtn1->Kind(), TBitBtn::bkOK);
    EXPECT_EQ(f.Label1->Caption(), "Potentiometer");
    EXPECT_EQ(f.Label1->BoundsRect().Left, 16);
    EXPECT_EQ(f.Label1->Font()->Height(), -32);
    EXPECT_EQ(f.Label1->Font()->Color(), clBlue);
    EXPECT_TRUE(f.Label1->Font()->Style().testFlag(fsBold));
    EXPECT_EQ(f.GroupBox1->BoundsRect(), Bounds(16, 304, 417, 57));
    EXPECT_EQ(f.Label2->Caption(), "Die TDial Komponente bietet Ihnen umfangreiche Gestaltungsmöglichkeiten für");
    EXPECT_EQ(f.Label3->Caption(), "diskrete und nicht diskrete Potentiometer.");
    EXPECT_EQ(f.Label3->Font()->Color(), clBlue);
    EXPECT_EQ(f.Label3->Parent(), f.GroupBox1);

    const DialRow rows[] = {
        {16, 48, 201, 193, -150, 150, 0, 55, 85, clRed, clWhite, true, TDial::diaTriangle, "U1"},
        {224, 56, 201, 193, -140, 140, 10, 55, 85, clBlue, clWhite, true, TDial::diaTriangle, "I1"},
        {24, 232, 89, 65, -150, 150, 0, 52, 85, clRed, clWhite, false, TDial::diaLine, ""},
        {112, 232, 89, 65, -150, 150, 0, 35, 75, clRed, clWhite, false, TDial::diaTriangle, ""},
        {248, 232, 89, 65, -150, 150, 10, 55, 80, clRed, clAqua, false, TDial::diaCircle, ""},
        {336, 232, 89, 65, -150, 150, 20, 55, 80, clRed, clLime, false, TDial::diaCircle, ""},
    };
    TDial* dials[] = {f.Dial1, f.Dial2, f.Dial3, f.Dial4, f.Dial5, f.Dial6};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i + 1);
        const DialRow& r = rows[i];
        TDial* dial = dials[i];
        ASSERT_NE(dial, nullptr);
        EXPECT_EQ(dial->Parent(), f.Panel1);
        EXPECT_EQ(dial->BoundsRect(), Bounds(r.Left, r.Top, r.Width, r.Height));
        EXPECT_EQ(dial->ScaleAngle1(), r.Angle1);
        EXPECT_EQ(dial->ScaleAngle2(), r.Angle2);
        EXPECT_EQ(dial->ValueMin(), 0);
        EXPECT_EQ(dial->ValueMax(), 100);
        EXPECT_EQ(dial->ValueGap(), 10);
        EXPECT_EQ(dial->ValueStepWidth(), r.Step);
        EXPECT_EQ(dial->Value(), 0);
        EXPECT_EQ(dial->IndicatorInner(), r.Inner);
        EXPECT_EQ(dial->IndicatorOuter(), r.Outer);
        EXPECT_EQ(dial->IndicatorColor(), r.Indicator);
        EXPECT_EQ(dial->BevelColor(), r.Bevel);
        EXPECT_EQ(dial->Ticks(), r.Scale);
        EXPECT_EQ(dial->Labels(), r.Scale);
        EXPECT_EQ(dial->IndicatorStyle(), r.Style);
        EXPECT_EQ(dial->Caption(), QString::fromUtf8(r.Caption));
    }
}

TEST(DialDemo, DialsWorkByMouseInTheShownWindow)
{
    DialDemo d;
    d.Form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d.Form.Widget()));
    // Dial2 snaps to tens: a click right of its centre (90 of 140 degrees)
    // gives 82.1..., snapped to 80.
    TDial* dial = d.Form.Dial2;
    const int cy = dial->Height() - dial->CenterY();
    QTest::mousePress(dial->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(dial->CenterX() + 40, cy));
    QTest::mouseRelease(dial->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(dial->CenterX() + 40, cy));
    EXPECT_EQ(dial->Value(), 80);
    // Dial1 follows continuously.
    dial = d.Form.Dial1;
    QTest::mousePress(dial->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(dial->CenterX() + 40, cy));
    EXPECT_DOUBLE_EQ(dial->Value(), 80);
    QTest::mouseMove(dial->Widget(), QPoint(dial->CenterX(), 2));
    EXPECT_DOUBLE_EQ(dial->Value(), 50);
    QTest::mouseRelease(dial->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(dial->CenterX(), 2));
    d.Form.Close();
    EXPECT_FALSE(d.Form.Visible());
    EXPECT_DOUBLE_EQ(dial->Value(), 50); // the state survives the closing
}

TEST(DialDemo, OkButtonEndsTheModalShowing)
{
    DialDemo d;
    QTimer::singleShot(20, [&] { d.Form.BitBtn1->Click(); });
    EXPECT_EQ(d.Form.ShowModal(), mrOk);
    EXPECT_FALSE(d.Form.Visible());
}

TEST(DialDemo, TourTurnsEveryDialAwayFromItsMinimum)
{
    DialDemo d;
    d.Form.Show();
    d.Form.TourStart();
    for (TDial* dial : {d.Form.Dial1, d.Form.Dial2, d.Form.Dial3, d.Form.Dial4, d.Form.Dial5, d.Form.Dial6})
        EXPECT_GT(dial->Value(), dial->ValueMin()) << dial->Name().toStdString();
    d.Form.Close();
}

TEST(DialDemo, DescriptionRoundTrip)
{
    DialDemo d;
    const QByteArray text = WriteComponentText(&d.Form);
    EXPECT_TRUE(text.contains("Range = (0.0 0.0 100.0 10.0 10.0 -140.0 140.0)"));
    TDial_Demo copy;
    ReadComponentText(&copy, text, "Dial_Unit copy");
    EXPECT_EQ(QString::fromUtf8(WriteComponentText(&copy)), QString::fromUtf8(text));
    EXPECT_EQ(copy.Dial6->ValueStepWidth(), 20);
    EXPECT_EQ(copy.Dial4->IndicatorOuter(), 75);
}
