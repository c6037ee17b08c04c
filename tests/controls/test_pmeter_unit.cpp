// The panel meter demonstration window built from its description.
#include "controls/PanelMeter_Unit.h"

#include <platform/FormRegistry.h>
#include <controls/PMeter.h>
#include <platform/Streaming.h>
#include <platform/SysUtils.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <QTest>

#include <vector>

using namespace Tessaron;

namespace {

struct PanelMeterDemo {
    TPanelMeter_Demo Form;
    PanelMeterDemo() { Form.InitializeForm(); }
};

} // namespace

// The stored ranges are checked by the round trip below.
TEST(PanelMeterDemo, DescriptionBuildsTheWindow)
{
    PanelMeterDemo d;
    TPanelMeter_Demo& f = d.Form;
    EXPECT_EQ(f.Caption(), "TPanelMeter Demo");
    EXPECT_EQ(f.Label2->Caption(), "Die TPanelMeter Anzeige bietet Ihnen umfangreiche Designmöglichkeiten für ");
    EXPECT_FALSE(f.Timer1->Enabled());
    const struct {
        TPanelMeter* Meter;
        TRect Bounds;
        double Angle;
        TColor Display;
        QStringList Slots;
        const char* Format;
    } rows[] = {{f.PanelMeter1, Bounds(16, 72, 225, 81), 5, clLime, {}, " 0.000;-0.000"},
        {f.PanelMeter2, Bounds(16, 168, 225, 105), 0, clLime, {"OVERLOAD"}, " 0.000;-0.000"},
        {f.PanelMeter3, Bounds(248, 72, 185, 81), 0, clBlack, {"Volts"}, " 0.00000;-0.00000"},
        {f.PanelMeter4, Bounds(248, 168, 185, 105), 15, clBlack, {}, "00"}};
    for (const auto& r : rows) {
        ASSERT_NE(r.Meter, nullptr);
        SCOPED_TRACE(r.Meter->Name().toStdString());
        EXPECT_EQ(r.Meter->Parent(), f.Panel1);
        EXPECT_EQ(r.Meter->BoundsRect(), r.Bounds);
        EXPECT_EQ(r.Meter->DisplayAngle(), r.Angle);
        EXPECT_EQ(r.Meter->DisplayColor(), r.Display);
        EXPECT_EQ(r.Meter->Slots(), r.Slots);
        EXPECT_EQ(r.Meter->DisplayFormat(), QString::fromLatin1(r.Format));
    }
    EXPECT_TRUE(bool(f.PanelMeter2->OnRangeCheck));
}

TEST(PanelMeterDemo, ShowLightsVoltsAndStartsTheTimerCloseStopsIt)
{
    PanelMeterDemo d;
    TPanelMeter_Demo& f = d.Form;
    f.Show();
    EXPECT_TRUE(f.PanelMeter3->GetSlot(0));
    EXPECT_TRUE(f.Timer1->Enabled());
    EXPECT_EQ(f.Countdown(), 60);
    f.Timer1->SetInterval(5); // and it ticks
    QTRY_VERIFY_WITH_TIMEOUT(f.PanelMeter4->Value() == 57, 5000);
    f.Close();
    EXPECT_FALSE(f.Timer1->Enabled());
    const double shown = f.PanelMeter4->Value();
    QTest::qWait(50);
    EXPECT_EQ(f.PanelMeter4->Value(), shown);
}

TEST(PanelMeterDemo, SweepTurnsAboveEightAndBelowMinusEight)
{
    PanelMeterDemo d;
    TPanelMeter_Demo& f = d.Form;
    f.FormShow(&f);
    f.Timer1->SetEnabled(false);
    // With a constant step of 0.5 the shown value climbs 0, 0.5, ... 8.5
    // (step 17), falls to -8.5 (step 51) and climbs again.
    for (int i = 0; i < 80; ++i) {
        f.Step(0.5);
        const double want = i <= 17 ? 0.5 * i : i <= 51 ? 8.5 - 0.5 * (i - 17) : -8.5 + 0.5 * (i - 51);
        ASSERT_EQ(f.PanelMeter2->Value(), want) << "step " << i;
    }
    EXPECT_TRUE(f.SweepUp());
}

TEST(PanelMeterDemo, CountdownAndRandomValues)
{
    PanelMeterDemo d;
    TPanelMeter_Demo& f = d.Form;
    f.FormShow(&f);
    f.Timer1->SetEnabled(false);
    RandSeed = 12345;
    std::vector<double> randoms;
    for (int i = 0; i < 125; ++i)
        randoms.push_back(Random());
    RandSeed = 12345;
    for (int i = 0; i < 125; ++i) {
        SCOPED_TRACE(i);
        f.Timer1Timer(f.Timer1);
        // The countdown shows 60 once, then 59 down to 0 over and over.
        ASSERT_EQ(f.PanelMeter4->Value(), i == 0 ? 60 : 59 - (i - 1) % 60);
        ASSERT_EQ(f.PanelMeter1->Value(), randoms[size_t(i)] + 1);
        ASSERT_EQ(f.PanelMeter3->Value(), randoms[size_t(i)]);
    }
    EXPECT_EQ(f.PanelMeter4->DisplayText(), "56");
}

TEST(PanelMeterDemo, OverloadTogglesAtEveryCrossingOfFive)
{
    PanelMeterDemo d;
    TPanelMeter_Demo& f = d.Form;
    f.FormShow(&f);
    f.Timer1->SetEnabled(false);
    TPanelMeter* m = f.PanelMeter2;
    std::vector<int> reports;
    const TRangeCheck handler = m->OnRangeCheck;
    m->OnRangeCheck = [&, handler](TObject* Sender, int Range) {
        reports.push_back(Range);
        handler(Sender, Range);
    };
    for (int i = 0; i < 80; ++i) {
        f.Step(0.5);
        // After the first report the slot is lit below 5 and dark from 5 up.
        if (!reports.empty()) {
            EXPECT_EQ(m->GetSlot(0), m->Value() < 5) << "value " << m->Value();
        }
    }
    // 0.5 reports -1, 5.0 reports -2, 4.5 on the way down -1, 5.0 on the way up -2.
    EXPECT_EQ(reports, (std::vector<int>{-1, -2, -1, -2}));
}

TEST(PanelMeterDemo, RegisteredAndTourShowsValuesInMotion)
{
    EXPECT_TRUE(IsFormRegistered("TPanelMeter_Demo"));
    PanelMeterDemo d;
    TPanelMeter_Demo& f = d.Form;
    f.Show();
    f.TourStart();
    EXPECT_NE(f.PanelMeter1->Value(), 0);
    EXPECT_NE(f.PanelMeter2->Value(), 0);
    EXPECT_LT(f.PanelMeter4->Value(), 60);
    f.Close();
}

TEST(PanelMeterDemo, DescriptionRoundTrip)
{
    PanelMeterDemo d;
    const QByteArray text = WriteComponentText(&d.Form);
    EXPECT_TRUE(text.contains("OnRangeCheck = PanelMeter2RangeCheck")) << text.toStdString();
    EXPECT_TRUE(text.contains("Range = (0.0 5.0 -5.0 0.0)"));
    EXPECT_TRUE(text.contains("Sign = pmrOnlyPositive"));
    EXPECT_TRUE(text.contains("OnTimer = Timer1Timer"));
    TPanelMeter_Demo copy;
    ReadComponentText(&copy, text, "PanelMeter_Unit copy");
    EXPECT_EQ(QString::fromUtf8(WriteComponentText(&copy)), QString::fromUtf8(text));
    // The copy's handler is bound to the copy.
    copy.PanelMeter2->SetValue(1);
    EXPECT_TRUE(copy.PanelMeter2->GetSlot(0));
    EXPECT_FALSE(d.Form.PanelMeter2->GetSlot(0));
}
