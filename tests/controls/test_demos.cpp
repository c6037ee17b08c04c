// The six instrument demonstration windows built from their descriptions:
// their controls, their timers and handlers, the tour and the OK button.
#include "controls/Bargraph_Unit.h"
#include "controls/Dial_Unit.h"
#include "controls/Led_Unit.h"
#include "controls/Meter_Unit.h"
#include "controls/PanelMeter_Unit.h"
#include "controls/Slider_Unit.h"

#include <controls/Bargraph.h>
#include <controls/Meter.h>
#include <controls/PMeter.h>
#include <controls/Slider.h>
#include <controls/dial.h>
#include <controls/led.h>
#include <platform/FormRegistry.h>
#include <platform/Streaming.h>
#include <platform/SysUtils.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <QTest>
#include <QTimer>

#include <functional>
#include <tuple>
#include <vector>

using namespace Tessaron;

namespace {

// A demonstration window built from its description.
template <class F>
struct TDemo {
    F Form;
    TDemo() { Form.InitializeForm(); }
};

// Registered for the main window's menu; the tour moves the controls (Moved
// checks them, where given); OK ends a modal showing with Result (mrNone:
// any result but none). WhileShown and Stopped check the window before the
// click and after the showing.
template <class F>
void ExpectMenuTourAndOk(const char* ClassName, const std::function<void(F&)>& Moved, int Result,
    const std::function<void(F&)>& WhileShown = {}, const std::function<void(F&)>& Stopped = {})
{
    SCOPED_TRACE(ClassName);
    EXPECT_TRUE(IsFormRegistered(QString::fromLatin1(ClassName)));
    if (Moved) {
        TDemo<F> tour;
        tour.Form.Show();
        tour.Form.TourStart();
        Moved(tour.Form);
        tour.Form.Close();
    }
    TDemo<F> d;
    QTimer::singleShot(30, [&] {
        if (WhileShown)
            WhileShown(d.Form);
        d.Form.BitBtn1->Click();
    });
    const int result = d.Form.ShowModal();
    if (Result == mrNone)
        EXPECT_NE(result, mrNone);
    else
        EXPECT_EQ(result, Result);
    if (Stopped)
        Stopped(d.Form);
}

// Rows 2 and 5 of the LED window's six rows of six lamps flash.
bool IsFlashingLamp(int N)
{
    const int row = (N - 1) / 6;
    return row == 1 || row == 4;
}

} // namespace

TEST(Demos, RegisteredMovedByTheTourAndEndedByOk)
{
    // The modal showing runs the handlers of Show and Close: the lamps stand for every window.
    ExpectMenuTourAndOk<TLed_Demo>("TLed_Demo", {}, mrOk,
        [](TLed_Demo& F) { EXPECT_TRUE(F.Led(8)->FlashTimer()->Active()); },
        [](TLed_Demo& F) {
            EXPECT_FALSE(F.Led(8)->Value());
            EXPECT_FALSE(F.Led(8)->FlashTimer()->Active());
        });
    // The bar graph window's handler closes it: the result is the closing's.
    ExpectMenuTourAndOk<TBarGraph_Demo>("TBarGraph_Demo",
        [](TBarGraph_Demo& F) {
            EXPECT_TRUE(F.Timer1->Enabled());
            EXPECT_GT(F.BarGraph1->Value(), 0);
            EXPECT_LT(F.BarGraph1->Value(), 95);
        },
        mrNone);
    ExpectMenuTourAndOk<TDial_Demo>("TDial_Demo",
        [](TDial_Demo& F) {
            for (TDial* dial : {F.Dial1, F.Dial2, F.Dial3, F.Dial4, F.Dial5, F.Dial6})
                EXPECT_GT(dial->Value(), dial->ValueMin()) << dial->Name().toStdString();
        },
        mrOk);
    ExpectMenuTourAndOk<TMeter_Demo>("TMeter_Demo",
        [](TMeter_Demo& F) {
            EXPECT_GT(F.Meter1->Value(), 10);
            EXPECT_LT(F.Meter1->Value(), 90);
            EXPECT_GT(F.Meter2->Value(), 5);
        },
        mrOk);
    ExpectMenuTourAndOk<TPanelMeter_Demo>("TPanelMeter_Demo",
        [](TPanelMeter_Demo& F) {
            EXPECT_NE(F.PanelMeter1->Value(), 0);
            EXPECT_NE(F.PanelMeter2->Value(), 0);
            EXPECT_LT(F.PanelMeter4->Value(), 60);
        },
        mrNone);
    ExpectMenuTourAndOk<TSlider_Demo>("TSlider_Demo",
        [](TSlider_Demo& F) {
            EXPECT_GT(F.Slider1->Value(), F.Slider1->ValueMin());
            EXPECT_GT(F.Slider2->Value(), 0);
            EXPECT_GT(F.Slider3->Value(), 0);
            EXPECT_GT(F.Slider5->Value(), 0);
            EXPECT_EQ(F.Slider2->Value() + F.Slider4->Value(), 50);
        },
        mrOk);
}

// ---------------------------------------------------------------- descriptions

// The values of the descriptions that behaviour rests on: which lamps flash
// and how fast, and the timers. (The sliders' coupling shows in the tour, the
// sweeps' turning points and the panel meters' slots in the windows' own
// tests; colours, limits and formats are only the descriptions' data.)
TEST(Demos, DescriptionsHoldTheValuesTheWindowsRestOn)
{
    TDemo<TLed_Demo> led;
    EXPECT_EQ(led.Form.Led(37), nullptr);
    const int intervals[2][6] = {{1000, 500, 200, 300, 400, 700}, {500, 700, 200, 100, 800, 1000}};
    for (int n = 1; n <= 36; ++n) {
        TLed* l = led.Form.Led(n);
        ASSERT_NE(l, nullptr) << n;
        EXPECT_EQ(l->Flashing(), IsFlashingLamp(n)) << n;
        if (IsFlashingLamp(n))
            EXPECT_EQ(l->FlashInterval(), intervals[(n - 1) / 6 == 4][(n - 1) % 6]) << n;
    }

    TDemo<TBarGraph_Demo> bar;
    TDemo<TMeter_Demo> meter;
    TDemo<TPanelMeter_Demo> panel;
    for (TTimer* t : {bar.Form.Timer1, meter.Form.Timer1, panel.Form.Timer1})
        EXPECT_FALSE(t->Enabled());
    EXPECT_EQ(bar.Form.Timer1->Interval(), 1);
}

// ---------------------------------------------------------------- LED

TEST(LedDemo, ShowingStartsTheFlashingLampsClosingStopsThem)
{
    TDemo<TLed_Demo> d;
    // Each lamp's value and its timer (running when shown, else not even
    // enabled): the flashing lamps wait for the window to show, and stop when it closes.
    const auto expectLamps = [&](bool Shown) {
        for (int n = 1; n <= 36; ++n) {
            TLed* led = d.Form.Led(n);
            const bool timer = Shown ? led->FlashTimer()->Active() : led->FlashTimer()->Enabled();
            EXPECT_EQ(std::pair(led->Value(), timer),
                std::pair(Shown || !IsFlashingLamp(n), Shown && IsFlashingLamp(n))) << n;
        }
    };
    expectLamps(false);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        d.Form.Show();
        expectLamps(true);
        d.Form.Close();
        EXPECT_FALSE(d.Form.Visible());
        expectLamps(false);
    }
}

// ---------------------------------------------------------------- bar graph

TEST(BarGraphDemo, TimerRunsWhileShownSweepsUpTurnsAt95AndAt0AndStopsOnClose)
{
    TDemo<TBarGraph_Demo> d;
    TBarGraph_Demo& f = d.Form;
    f.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.Widget()));
    EXPECT_TRUE(TestSupport::WaitFor([&] { return f.CounterA() >= 3; }, 5000));
    f.Close();
    EXPECT_FALSE(f.Timer1->Enabled());
    const float stopped = f.CounterA();
    QTest::qWait(30);
    EXPECT_EQ(f.CounterA(), stopped);
    // Showing again starts from the bottom; stepped by hand here. The counters
    // of BarGraph2..5 follow BarGraph1's: b = a, c = 100 - a, d = a / 2 and
    // e = 60 + a / 5 (the last in float steps of 0.2).
    f.Show();
    EXPECT_TRUE(f.Timer1->Enabled());
    f.Timer1->SetEnabled(false);
    const auto check = [&](double a) {
        EXPECT_EQ(std::tuple(f.BarGraph1->Value(), f.BarGraph2->Value(), f.BarGraph3->Value(), f.BarGraph4->Value()),
            std::tuple(a, a, 100 - a, a / 2));
        EXPECT_NEAR(f.BarGraph5->Value(), 60 + a / 5, 1e-3);
    };
    f.Timer1Timer(f.Timer1);
    check(1);
    for (int i = 1; i < 95; ++i)
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
    f.Close();
}

// ---------------------------------------------------------------- meter

TEST(MeterDemo, ShowStartsTheSweepWhichTurnsAtBothEndsAndCloseStopsIt)
{
    TDemo<TMeter_Demo> d;
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
    // Shown again, stepped by hand: above 99 it turns down, below 1 up again.
    TMeter_Demo& f = d.Form;
    const auto tick = [&](int Count) {
        for (int i = 0; i < Count; ++i)
            f.Timer1Timer(f.Timer1);
    };
    f.Show();
    f.Timer1->SetEnabled(false);
    const struct {
        int Ticks;
        double Meter1;
    } steps[] = {{1, 1}, {98, 99}, {1, 100}, {1, 99}, {98, 1}, {1, 0}, {1, 1}, {2, 3}};
    for (const auto& s : steps) {
        tick(s.Ticks);
        SCOPED_TRACE(s.Meter1);
        EXPECT_EQ(f.Meter1->Value(), s.Meter1);
        // Meter2 runs at 0.6 of Meter1 (single-precision sums).
        EXPECT_NEAR(f.Meter2->Value(), 0.6 * s.Meter1, 1e-3);
    }
    // Meter2 reaches its scale end at the turn.
    f.FormShow(&f);
    tick(100);
    EXPECT_NEAR(f.Meter2->Value(), 60, 1e-3);
    EXPECT_NEAR(f.Meter2->PointerValue(), 60, 1e-3);
    f.Close();
}

// ---------------------------------------------------------------- panel meter

TEST(PanelMeterDemo, ShowLightsVoltsAndStartsTheTimerCloseStopsIt)
{
    TDemo<TPanelMeter_Demo> d;
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

// With a constant step of 0.5 the shown value climbs 0, 0.5, ... 8.5 (step
// 17), falls to -8.5 (step 51) and climbs again; the overload slot toggles at
// every crossing of 5.
TEST(PanelMeterDemo, SweepTurnsAtEightOverloadTogglesAtFiveCountdownAndRandomValues)
{
    TDemo<TPanelMeter_Demo> d;
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
        const double want = i <= 17 ? 0.5 * i : i <= 51 ? 8.5 - 0.5 * (i - 17) : -8.5 + 0.5 * (i - 51);
        ASSERT_EQ(m->Value(), want) << "step " << i;
        // After the first report the slot is lit below 5 and dark from 5 up.
        if (!reports.empty()) {
            EXPECT_EQ(m->GetSlot(0), m->Value() < 5) << "value " << m->Value();
        }
    }
    EXPECT_TRUE(f.SweepUp());
    // 0.5 reports -1, 5.0 reports -2, 4.5 on the way down -1, 5.0 on the way up -2.
    EXPECT_EQ(reports, (std::vector<int>{-1, -2, -1, -2}));

    // Shown again: the countdown and the random values.
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
