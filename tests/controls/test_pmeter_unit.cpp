// The panel meter demonstration window built from its description.
#include "controls/PanelMeter_Unit.h"

#include <app/DemoWindows.h>
#include <controls/PMeter.h>
#include <platform/Streaming.h>
#include <platform/SysUtils.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <vector>

using namespace Tessaron;

namespace {

struct PanelMeterDemo {
    TPanelMeter_Demo Form;
    PanelMeterDemo() { Form.InitializeForm(); }
};

bool WaitFor(const std::function<bool()>& Done, int TimeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!Done()) {
        if (clock.elapsed() > TimeoutMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

} // namespace

TEST(PanelMeterDemo, DescriptionBuildsTheWindow)
{
    PanelMeterDemo d;
    TPanelMeter_Demo& f = d.Form;
    EXPECT_EQ(f.Caption(), "TPanelMeter Demo");
    EXPECT_EQ(f.ClientWidth(), 560);
    EXPECT_EQ(f.ClientHeight(), 370);
    EXPECT_EQ(f.BorderStyle(), TForm::bsDialog);
    EXPECT_EQ(f.Position(), TForm::poScreenCenter);
    EXPECT_EQ(f.Label1->Caption(), "LCD Anzeige");
    EXPECT_EQ(f.Label2->Caption(), "Die TPanelMeter Anzeige bietet Ihnen umfangreiche Designmöglichkeiten für ");
    EXPECT_FALSE(f.Timer1->Enabled());
    EXPECT_EQ(f.Timer1->Interval(), 1000);

    struct Row {
        TPanelMeter* Meter;
        TRect Bounds;
        int Digits;
        double Min, Max, Angle;
        TColor Display, Back;
        QStringList Slots;
        const char* Format;
    };
    const Row rows[] = {
        {f.PanelMeter1, Bounds(16, 72, 225, 81), 4, -1.999, 1.999, 5, clLime, clBlack, {}, " 0.000;-0.000"},
        {f.PanelMeter2, Bounds(16, 168, 225, 105), 4, 5, -5, 0, clLime, clBlack, {"OVERLOAD"}, " 0.000;-0.000"},
        {f.PanelMeter3, Bounds(248, 72, 185, 81), 6, -1.999, 1.999, 0, clBlack, clYellow, {"Volts"},
            " 0.00000;-0.00000"},
        {f.PanelMeter4, Bounds(248, 168, 185, 105), 2, -1.999, 1.999, 15, clBlack, clYellow, {}, "00"},
    };
    for (const Row& r : rows) {
        ASSERT_NE(r.Meter, nullptr);
        SCOPED_TRACE(r.Meter->Name().toStdString());
        EXPECT_EQ(r.Meter->Parent(), f.Panel1);
        EXPECT_EQ(r.Meter->BoundsRect(), r.Bounds);
        EXPECT_EQ(r.Meter->Digits(), r.Digits);
        EXPECT_EQ(r.Meter->ValueMin(), r.Min);
        EXPECT_EQ(r.Meter->ValueMax(), r.Max);
        EXPECT_EQ(r.Meter->DisplayAngle(), r.Angle);
        EXPECT_EQ(r.Meter->DisplayColor(), r.Display);
        EXPECT_EQ(r.Meter->Color(), r.Back);
        EXPECT_EQ(r.Meter->Slots(), r.Slots);
        EXPECT_EQ(r.Meter->DisplayFormat(), QString::fromLatin1(r.Format));
        EXPECT_EQ(r.Meter->BevelWidth(), r.Meter->Left() == 16 ? 2 : 1);
    }
    EXPECT_EQ(f.PanelMeter3->SlotFont()->Color(), clYellow);
    EXPECT_TRUE(bool(f.PanelMeter2->OnRangeCheck));
    EXPECT_FALSE(bool(f.PanelMeter1->OnRangeCheck));
}

TEST(PanelMeterDemo, MenuEntryWindowIsRegistered)
{
    EXPECT_TRUE(Demo::IsWindowRegistered("TPanelMeter_Demo"));
}

TEST(PanelMeterDemo, ShowLightsVoltsAndStartsTheTimerCloseStopsIt)
{
    PanelMeterDemo d;
    TPanelMeter_Demo& f = d.Form;
    f.Show();
    EXPECT_TRUE(f.PanelMeter3->GetSlot(0));
    EXPECT_TRUE(f.Timer1->Enabled());
    EXPECT_EQ(f.Countdown(), 60);
    EXPECT_EQ(f.SweepValue(), 0.0f);
    EXPECT_TRUE(f.SweepUp());
    f.Close();
    EXPECT_FALSE(f.Timer1->Enabled());
}

TEST(PanelMeterDemo, SweepTurnsAboveEightAndBelowMinusEight)
{
    PanelMeterDemo d;
    TPanelMeter_Demo& f = d.Form;
    f.FormShow(&f);
    f.Timer1->SetEnabled(false);
    // With a constant step of 0.5 the shown value climbs 0, 0.5, ... 8.5,
    // then falls to -8.5 and climbs again.
    std::vector<double> shown;
    for (int i = 0; i < 80; ++i) {
        f.Step(0.5);
        shown.push_back(f.PanelMeter2->Value());
    }
    std::vector<double> want;
    double x = 0;
    int direction = 1;
    for (int i = 0; i < 80; ++i) {
        want.push_back(x);
        x += direction * 0.5;
        if (x > 8)
            direction = -1;
        if (x < -8)
            direction = 1;
    }
    EXPECT_EQ(shown, want);
    // The turning points as shown.
    EXPECT_EQ(shown[17], 8.5);
    EXPECT_EQ(shown[18], 8.0);
    EXPECT_EQ(shown[51], -8.5);
    EXPECT_EQ(shown[52], -8.0);
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
    std::vector<double> countdown;
    for (int i = 0; i < 125; ++i) {
        f.Timer1Timer(f.Timer1);
        countdown.push_back(f.PanelMeter4->Value());
        ASSERT_EQ(f.PanelMeter1->Value(), randoms[size_t(i)] + 1);
        ASSERT_EQ(f.PanelMeter3->Value(), randoms[size_t(i)]);
    }
    // 60 once, then 59 down to 0 over and over.
    std::vector<double> expect{60};
    while (expect.size() < 125)
        for (int n = 59; n >= 0 && expect.size() < 125; --n)
            expect.push_back(n);
    EXPECT_EQ(countdown, expect);
    EXPECT_EQ(f.PanelMeter4->DisplayText(), QString("%1").arg(int(countdown.back()), 2, 10, QChar('0')));
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
    int toggles = 0;
    bool lit = m->GetSlot(0);
    for (int i = 0; i < 80; ++i) {
        f.Step(0.5);
        if (m->GetSlot(0) != lit) {
            ++toggles;
            lit = m->GetSlot(0);
        }
        // After the first report the slot is lit below 5 and dark from 5 up.
        if (!reports.empty()) {
            EXPECT_EQ(m->GetSlot(0), m->Value() < 5) << "value " << m->Value();
        }
    }
    // 0.5 reports -1, 5.0 reports -2, 4.5 on the way down -1, 5.0 on the way up -2.
    EXPECT_EQ(reports, (std::vector<int>{-1, -2, -1, -2}));
    EXPECT_EQ(toggles, 4);
}

TEST(PanelMeterDemo, TimerTicksWhileShown)
{
    PanelMeterDemo d;
    TPanelMeter_Demo& f = d.Form;
    f.Show();
    f.Timer1->SetInterval(5);
    EXPECT_TRUE(WaitFor([&] { return f.PanelMeter4->Value() == 57; }, 5000));
    f.Close();
    const double shown = f.PanelMeter4->Value();
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(f.PanelMeter4->Value(), shown);
}

TEST(PanelMeterDemo, TourShowsValuesInMotion)
{
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
