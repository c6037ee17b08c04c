// The bar graph demonstration window built from its description.
#include "controls/Bargraph_Unit.h"

#include <platform/FormRegistry.h>
#include <controls/Bargraph.h>
#include <platform/Streaming.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <vector>

using namespace Tessaron;

namespace {

struct BarGraphDemo {
    TBarGraph_Demo Form;
    BarGraphDemo() { Form.InitializeForm(); }
};

struct BarRow {
    int Left, Width, BarWidth;
    std::vector<std::pair<TColor, double>> Ranges;
    TLabelingStyle Style;
    TLabelingOrientation Orientation;
};

TColor PixelAt(TControl* Control, int X, int Y)
{
    return QRgbToColor(Control->BackingImage().pixel(X, Y));
}

} // namespace

TEST(BarGraphDemo, DescriptionBuildsTheWindow)
{
    BarGraphDemo d;
    TBarGraph_Demo& f = d.Form;
    EXPECT_EQ(f.Name(), "BarGraph_Demo");
    EXPECT_EQ(f.Caption(), "TBargraph Demo");
    EXPECT_EQ(f.ClientWidth(), 560);
    EXPECT_EQ(f.ClientHeight(), 370);
    EXPECT_EQ(f.BorderStyle(), TForm::bsDialog);
    EXPECT_EQ(f.Position(), TForm::poScreenCenter);
    EXPECT_EQ(f.Panel2->Width(), 113);
    EXPECT_EQ(f.Label1->Caption(), "Bargraph");
    EXPECT_EQ(f.Label1->Font()->Color(), clBlue);
    EXPECT_EQ(f.Label1->Font()->Height(), -32);
    EXPECT_EQ(f.Label2->Caption(), "Mit der TBargraph Komponente realisieren Sie Bargraphen mit verschiedenen ");
    EXPECT_EQ(f.Label3->Caption(), "Warnbereichen. Bargraphen lassen sich wie Slider zu Gruppen zusammenfassen.");
    EXPECT_FALSE(f.Timer1->Enabled());
    EXPECT_EQ(f.Timer1->Interval(), 1);

    const std::vector<std::pair<TColor, double>> zones = {{clLime, 60}, {clYellow, 80}, {clRed, 100}};
    const BarRow rows[] = {
        {32, 81, 10, {{clGreen, 20}, {clLime, 40}, {clYellow, 80}, {clRed, 100}}, lbsSymmetric, lboLeft},
        {136, 81, 10, zones, lbsBoth, lboLeft},
        {208, 65, 10, zones, lbsLines, lboRight},
        {264, 81, 10, zones, lbsBoth, lboRight},
        {368, 65, 40, {{clLime, 70}, {clRed, 100}}, lbsNone, lboLeft},
    };
    TBarGraph* bars[] = {f.BarGraph1, f.BarGraph2, f.BarGraph3, f.BarGraph4, f.BarGraph5};
    for (int i = 0; i < 5; ++i) {
        const BarRow& r = rows[i];
        TBarGraph* b = bars[i];
        ASSERT_NE(b, nullptr);
        SCOPED_TRACE(b->Name().toStdString());
        EXPECT_EQ(b->Parent(), f.Panel1);
        EXPECT_EQ(b->BoundsRect(), Bounds(r.Left, 72, r.Width, 217));
        EXPECT_EQ(b->Kind(), sbVertical);
        EXPECT_EQ(b->BarWidth(), r.BarWidth);
        EXPECT_EQ(b->ValueMin(), 0);
        EXPECT_EQ(b->ValueMax(), 100);
        EXPECT_EQ(b->Value(), 100);
        EXPECT_EQ(b->LabelingGap(), 10);
        EXPECT_EQ(b->LabelingDecimals(), 1);
        EXPECT_EQ(b->LabelingFont()->Color(), clBlack);
        EXPECT_EQ(b->Color(), clBtnFace);
        EXPECT_EQ(b->LabelingStyle(), r.Style);
        EXPECT_EQ(b->LabelingOrientation(), r.Orientation);
        ASSERT_EQ(b->RangeNumber(), int(r.Ranges.size()));
        for (int k = 0; k < b->RangeNumber(); ++k) {
            EXPECT_EQ(b->Ranges().Entry(k + 1).Color, r.Ranges[k].first);
            EXPECT_EQ(b->Ranges().Entry(k + 1).Limit, r.Ranges[k].second);
        }
    }
}

TEST(BarGraphDemo, TimerSweepsUpAndTurnsAt95AndAt0)
{
    BarGraphDemo d;
    TBarGraph_Demo& f = d.Form;
    f.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.Widget()));
    EXPECT_TRUE(f.Timer1->Enabled());
    f.Timer1->SetEnabled(false); // stepped by hand here
    // The counters of BarGraph2..5 follow BarGraph1's: b = a, c = 100 - a,
    // d = a / 2 and e = 60 + a / 5 (the last in float steps of 0.2).
    const auto check = [&](double a) {
        EXPECT_EQ(f.BarGraph1->Value(), a);
        EXPECT_EQ(f.BarGraph2->Value(), a);
        EXPECT_EQ(f.BarGraph3->Value(), 100 - a);
        EXPECT_EQ(f.BarGraph4->Value(), a / 2);
        EXPECT_NEAR(f.BarGraph5->Value(), 60 + a / 5, 1e-3);
    };
    for (int i = 0; i < 95; ++i)
        f.Timer1Timer(f.Timer1);
    check(95);
    EXPECT_FALSE(f.GoingUp());
    f.Timer1Timer(f.Timer1);
    check(94);
    for (int i = 0; i < 94; ++i)
        f.Timer1Timer(f.Timer1);
    check(0);
    EXPECT_TRUE(f.GoingUp());
    f.Timer1Timer(f.Timer1);
    check(1);
    // Showing again starts from the bottom.
    f.Close();
    f.Show();
    f.Timer1->SetEnabled(false);
    f.Timer1Timer(f.Timer1);
    check(1);
    f.Close();
}

TEST(BarGraphDemo, TimerRunsWhileShownAndStopsOnClose)
{
    BarGraphDemo d;
    TBarGraph_Demo& f = d.Form;
    f.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.Widget()));
    QElapsedTimer clock;
    clock.start();
    while (f.CounterA() < 3 && clock.elapsed() < 5000)
        QTest::qWait(5);
    EXPECT_GE(f.CounterA(), 3);
    // The columns moved with the counters: BarGraph5 came down from its
    // stored 100 (red at the top) to about 60.
    EXPECT_EQ(PixelAt(f.BarGraph5, 32, 20), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelAt(f.BarGraph5, 32, 150), clLime);
    f.Close();
    EXPECT_FALSE(f.Timer1->Enabled());
    const float stopped = f.CounterA();
    QTest::qWait(30);
    EXPECT_EQ(f.CounterA(), stopped);
}

TEST(BarGraphDemo, OkButtonClosesTheModalWindow)
{
    BarGraphDemo d;
    bool running = false;
    QTimer::singleShot(30, [&] {
        running = d.Form.Timer1->Enabled();
        d.Form.BitBtn1->Click();
    });
    // The handler closes the window, which ends the modal showing (the
    // result is the closing's, not the button's).
    EXPECT_NE(d.Form.ShowModal(), mrNone);
    EXPECT_TRUE(running);
    EXPECT_FALSE(d.Form.Timer1->Enabled());
    EXPECT_FALSE(d.Form.Visible());
}

TEST(BarGraphDemo, MenuEntryIsEnabledAndTheTourShowsMovingBars)
{
    EXPECT_TRUE(IsFormRegistered(QStringLiteral("TBarGraph_Demo")));
    BarGraphDemo d;
    d.Form.Show();
    d.Form.TourStart();
    EXPECT_TRUE(d.Form.Timer1->Enabled());
    EXPECT_GT(d.Form.BarGraph1->Value(), 0);
    EXPECT_LT(d.Form.BarGraph1->Value(), 95);
    d.Form.Close();
}

TEST(BarGraphDemo, DescriptionRoundTrip)
{
    BarGraphDemo d;
    const QByteArray text = WriteComponentText(&d.Form);
    EXPECT_TRUE(text.contains("Range = ((32768 20.0 65280 40.0 65535 80.0 255 100.0) 100.0 0.0 100.0 10.0)"));
    EXPECT_TRUE(text.contains("OnTimer = Timer1Timer"));
    EXPECT_TRUE(text.contains("OnClick = BitBtn1Click"));
    TBarGraph_Demo copy;
    ReadComponentText(&copy, text, "Bargraph_Unit copy");
    EXPECT_EQ(QString::fromUtf8(WriteComponentText(&copy)), QString::fromUtf8(text));
    // The copy's handlers drive the copy's bars.
    copy.FormShow(&copy);
    copy.Timer1->SetEnabled(false);
    copy.Timer1Timer(copy.Timer1);
    EXPECT_EQ(copy.BarGraph3->Value(), 99);
    EXPECT_EQ(d.Form.BarGraph3->Value(), 100);
}
