// The analog meter demonstration window built from its description: its
// meters, the sweep timer with its direction reversals, and the round trip.
#include "controls/Meter_Unit.h"

#include <app/DemoWindows.h>
#include <controls/Meter.h>
#include <platform/Streaming.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <QTest>
#include <QTimer>

using namespace Tessaron;

namespace {

struct MeterDemo {
    TMeter_Demo Form;
    MeterDemo() { Form.InitializeForm(); }
};

// Runs Count sweep steps.
void Tick(TMeter_Demo& Form, int Count)
{
    for (int i = 0; i < Count; ++i)
        Form.Timer1Timer(Form.Timer1);
}

} // namespace

TEST(MeterDemo, DescriptionBuildsTheWindow)
{
    MeterDemo d;
    TMeter_Demo& f = d.Form;
    EXPECT_EQ(f.Caption(), "TMeter Demo");
    EXPECT_EQ(f.ClientWidth(), 560);
    EXPECT_EQ(f.BorderStyle(), TForm::bsDialog);
    EXPECT_EQ(f.Label1->Caption(), "Analoginstrument");
    EXPECT_EQ(f.Label2->Caption(), "Mit der TMeter Komponente lassen sich anspruchsvolle Analoginstrumente mit ");
    EXPECT_EQ(f.Label3->Caption(), "beliebigen Winkeln schnell realisieren. ");
    EXPECT_FALSE(f.Timer1->Enabled());
    EXPECT_EQ(f.Timer1->Interval(), 1);

    const struct {
        TMeter* Meter;
        int Left;
        double Angle2, Max;
        int Scale, ShiftY;
        std::vector<TColor> Colors;
        std::vector<double> Limits;
        const char* Legend1;
        TMeter::TLabelingStyle Labels;
        TMeter::TLegendPosition Legend;
    } rows[] = {{f.Meter1, 16, 120, 100, 110, 10, {clLime, clYellow, TColor(0x0080FF), clRed}, {20, 40, 80, 100},
                    "Leistung", TMeter::labInside, TMeter::LegBottom},
        {f.Meter2, 232, 70, 60, 150, 20, {clLime, clYellow, clRed}, {30, 50, 60}, "Spannung", TMeter::labOutside,
            TMeter::LegTop}};
    for (const auto& r : rows) {
        TMeter* m = r.Meter;
        ASSERT_NE(m, nullptr);
        SCOPED_TRACE(m->Name().toStdString());
        EXPECT_EQ(m->Parent(), f.Panel1);
        EXPECT_EQ(m->BoundsRect(), Bounds(r.Left, 72, 201, 177));
        EXPECT_EQ(m->MeterAngle1(), -r.Angle2);
        EXPECT_EQ(m->MeterAngle2(), r.Angle2);
        EXPECT_EQ(m->ValueMax(), r.Max);
        EXPECT_EQ(m->MeterScale(), r.Scale);
        EXPECT_EQ(m->MeterShiftY(), r.ShiftY);
        EXPECT_TRUE(m->ReduceFlicker());
        EXPECT_EQ(m->Legend1(), r.Legend1);
        EXPECT_EQ(m->IndicatorStyle(), TMeter::indWedge);
        EXPECT_EQ(m->LabelingStyle(), r.Labels);
        EXPECT_EQ(m->LegendPosition(), r.Legend);
        ASSERT_EQ(size_t(m->RangeNumber()), r.Colors.size());
        for (int i = 1; i <= m->RangeNumber(); ++i) {
            EXPECT_EQ(m->Ranges().Entry(i).Color, r.Colors[size_t(i - 1)]);
            EXPECT_EQ(m->Ranges().Entry(i).Limit, r.Limits[size_t(i - 1)]);
            EXPECT_FALSE(m->Ranges().Entry(i).Watched);
        }
    }
}

TEST(MeterDemo, ShowStartsTheSweepAndCloseStopsIt)
{
    MeterDemo d;
    d.Form.Meter1->SetValue(42);
    d.Form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d.Form.Widget()));
    EXPECT_TRUE(d.Form.Timer1->Enabled());
    // The timer moves both meters on its own.
    QTRY_VERIFY_WITH_TIMEOUT(d.Form.Meter1->Value() > 3, 2000);
    EXPECT_GT(d.Form.Meter2->Value(), 0);
    EXPECT_LT(d.Form.Meter1->Value(), 43); // restarted from 0, not from 42
    d.Form.Close();
    EXPECT_FALSE(d.Form.Timer1->Enabled());
    const double stopped = d.Form.Meter1->Value();
    QTest::qWait(30);
    EXPECT_EQ(d.Form.Meter1->Value(), stopped);
}

TEST(MeterDemo, SweepTurnsAtBothEnds)
{
    MeterDemo d;
    TMeter_Demo& f = d.Form;
    f.Show();
    f.Timer1->SetEnabled(false); // stepped by hand
    struct Step {
        int Ticks;
        double Meter1;
    } steps[] = {
        {1, 1}, {98, 99}, {1, 100}, // above 99: turns down
        {1, 99}, {98, 1}, {1, 0}, // below 1: turns up
        {1, 1}, {2, 3},
    };
    for (const Step& s : steps) {
        Tick(f, s.Ticks);
        SCOPED_TRACE(s.Meter1);
        EXPECT_EQ(f.Meter1->Value(), s.Meter1);
        // Meter2 runs at 0.6 of Meter1 (single-precision sums).
        EXPECT_NEAR(f.Meter2->Value(), 0.6 * s.Meter1, 1e-3);
    }
    // Meter2 reaches its scale end at the turn.
    f.FormShow(&f);
    Tick(f, 100);
    EXPECT_NEAR(f.Meter2->Value(), 60, 1e-3);
    EXPECT_NEAR(f.Meter2->PointerValue(), 60, 1e-3);
    f.Close();
}

TEST(MeterDemo, TourShowsMovedPointers)
{
    MeterDemo d;
    d.Form.Show();
    d.Form.TourStart();
    EXPECT_GT(d.Form.Meter1->Value(), 10);
    EXPECT_LT(d.Form.Meter1->Value(), 90);
    EXPECT_GT(d.Form.Meter2->Value(), 5);
    d.Form.Close();
}

TEST(MeterDemo, OkButtonEndsTheModalShowing)
{
    MeterDemo d;
    QTimer::singleShot(20, [&] { d.Form.BitBtn1->Click(); });
    EXPECT_EQ(d.Form.ShowModal(), mrOk);
    EXPECT_FALSE(d.Form.Timer1->Enabled());
}

TEST(MeterDemo, RegisteredForTheMenu)
{
    EXPECT_TRUE(Demo::IsWindowRegistered("TMeter_Demo"));
}

TEST(MeterDemo, DescriptionRoundTrip)
{
    MeterDemo d;
    const QByteArray text = WriteComponentText(&d.Form);
    EXPECT_TRUE(text.contains("Range = ((65280 False 20.0 65535 False 40.0 33023 False 80.0 255 False 100.0) -120.0 "
                              "120.0 81.675 90.75"))
        << text.constData();
    EXPECT_TRUE(text.contains("Range = ((65280 False 30.0 65535 False 50.0 255 False 60.0) -70.0 70.0 76.275 84.75 0.0 "
                              "0.0 60.0 10.0)"));
    EXPECT_TRUE(text.contains("OnTimer = Timer1Timer"));
    EXPECT_TRUE(text.contains("OnShow = FormShow"));
    TMeter_Demo copy;
    ReadComponentText(&copy, text, "Meter_Unit copy");
    EXPECT_EQ(QString::fromUtf8(WriteComponentText(&copy)), QString::fromUtf8(text));
    // The copy's handlers are bound to the copy.
    copy.Show();
    EXPECT_TRUE(copy.Timer1->Enabled());
    EXPECT_FALSE(d.Form.Timer1->Enabled());
    copy.Close();
}
