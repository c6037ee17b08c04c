// The analog meter demonstration window built from its description: its
// meters, the sweep timer with its direction reversals, and the round trip.
#include "controls/Meter_Unit.h"

#include <platform/FormRegistry.h>
#include <controls/Meter.h>
#include <platform/ExtCtrls.h>
#include <platform/Streaming.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

using namespace Tessaron;

namespace {

struct MeterDemo {
    TMeter_Demo Form;
    MeterDemo() { Form.InitializeForm(); }
};

void Tick(TMeter_Demo& Form, int Count)
{
    for (int i = 0; i < Count; ++i)
        Form.Timer1Timer(Form.Timer1);
}

} // namespace

// The ranges' colours and limits are checked by the round trip below.
TEST(MeterDemo, DescriptionBuildsTheWindow)
{
    MeterDemo d;
    TMeter_Demo& f = d.Form;
    EXPECT_EQ(f.Caption(), "TMeter Demo");
    EXPECT_EQ(f.Label2->Caption(), "Mit der TMeter Komponente lassen sich anspruchsvolle Analoginstrumente mit ");
    EXPECT_FALSE(f.Timer1->Enabled());
    const struct {
        TMeter* Meter;
        int Left, Scale, ShiftY;
        const char* Legend1;
        TMeter::TLabelingStyle Labels;
        TMeter::TLegendPosition Legend;
    } rows[] = {{f.Meter1, 16, 110, 10, "Leistung", TMeter::labInside, TMeter::LegBottom},
        {f.Meter2, 232, 150, 20, "Spannung", TMeter::labOutside, TMeter::LegTop}};
    for (const auto& r : rows) {
        ASSERT_NE(r.Meter, nullptr);
        SCOPED_TRACE(r.Meter->Name().toStdString());
        EXPECT_EQ(r.Meter->Parent(), f.Panel1);
        EXPECT_EQ(r.Meter->BoundsRect(), Bounds(r.Left, 72, 201, 177));
        EXPECT_EQ(r.Meter->MeterScale(), r.Scale);
        EXPECT_EQ(r.Meter->MeterShiftY(), r.ShiftY);
        EXPECT_TRUE(r.Meter->ReduceFlicker());
        EXPECT_EQ(r.Meter->Legend1(), r.Legend1);
        EXPECT_EQ(r.Meter->LabelingStyle(), r.Labels);
        EXPECT_EQ(r.Meter->LegendPosition(), r.Legend);
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
    // Above 99 it turns down, below 1 up again.
    const struct {
        int Ticks;
        double Meter1;
    } steps[] = {{1, 1}, {98, 99}, {1, 100}, {1, 99}, {98, 1}, {1, 0}, {1, 1}, {2, 3}};
    for (const auto& s : steps) {
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

TEST(MeterDemo, RegisteredAndTourShowsMovedPointers)
{
    EXPECT_TRUE(IsFormRegistered("TMeter_Demo"));
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

// The stored Interval 1 ticks at the platform's 10 ms floor: the needle
// takes about a second from 0 to 99, not a fifth of one.
TEST(MeterDemo, SweepRunsAtTheTimerFloorPace)
{
    MeterDemo d;
    QElapsedTimer clock;
    QTimer::singleShot(300, [&] { d.Form.BitBtn1->Click(); });
    clock.start();
    d.Form.ShowModal();
    EXPECT_GT(d.Form.Meter1->Value(), 3);
    EXPECT_LE(d.Form.Meter1->Value(), clock.elapsed() / kMinTimerInterval + 1);
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
