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
#include "ControlTestKit.h"
#include "support/TestSupport.h"

#include <QTest>
#include <QTimer>

#include <functional>
#include <tuple>
#include <vector>

using namespace Tessaron;
using ControlTest::PixelAt;

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
    EXPECT_FALSE(d.Form.Visible());
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
        mrNone, [](TBarGraph_Demo& F) { EXPECT_TRUE(F.Timer1->Enabled()); },
        [](TBarGraph_Demo& F) { EXPECT_FALSE(F.Timer1->Enabled()); });
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
        mrOk, {}, [](TMeter_Demo& F) { EXPECT_FALSE(F.Timer1->Enabled()); });
    ExpectMenuTourAndOk<TPanelMeter_Demo>("TPanelMeter_Demo",
        [](TPanelMeter_Demo& F) {
            EXPECT_NE(F.PanelMeter1->Value(), 0);
            EXPECT_NE(F.PanelMeter2->Value(), 0);
            EXPECT_LT(F.PanelMeter4->Value(), 60);
        },
        mrNone, {}, [](TPanelMeter_Demo& F) { EXPECT_FALSE(F.Timer1->Enabled()); });
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

// ---------------------------------------------------------------- LED

TEST(LedDemo, DescriptionBuildsTheLampsShowingStartsTheFlashingOnesClosingStopsThem)
{
    TDemo<TLed_Demo> d;
    EXPECT_EQ(d.Form.Led(37), nullptr);
    // Six columns, each with its active colour; six rows with their settings.
    const int lefts[] = {48, 88, 128, 168, 208, 248};
    const TColor colours[] = {clRed, clYellow, clGreen, clNavy, clAqua, clLime};
    const int tops[] = {72, 104, 152, 184, 216, 248};
    const int intervals[2][6] = {{1000, 500, 200, 300, 400, 700}, {500, 700, 200, 100, 800, 1000}};
    const TLed::TLedStyle flashStyles[] = {TLed::lesArrowLeft, TLed::lesArrowRight, TLed::lesArrowUp,
        TLed::lesArrowUp, TLed::lesRectangle, TLed::lesRectangle};
    const TLed::TLedStyle steadyStyles[] = {TLed::lesArrowLeft, TLed::lesArrowRight, TLed::lesArrowDown,
        TLed::lesArrowDown, TLed::lesRectangle, TLed::lesRectangle};
    for (int n = 1; n <= 36; ++n) {
        SCOPED_TRACE(n);
        const int row = (n - 1) / 6, col = (n - 1) % 6;
        TLed* led = d.Form.Led(n);
        ASSERT_NE(led, nullptr);
        EXPECT_EQ(led->BoundsRect(), Bounds(lefts[col], tops[row], row < 2 ? 25 : 16, row < 2 ? 25 : 16));
        EXPECT_EQ(led->ColorActive(), colours[col]);
        EXPECT_EQ(led->ColorInactive(), clSilver);
        EXPECT_EQ(led->Flashing(), IsFlashingLamp(n));
        EXPECT_EQ(led->Value(), !IsFlashingLamp(n)); // flashing lamps wait for the window to show
        EXPECT_FALSE(led->FlashTimer()->Enabled());
        if (row == 1 || row == 4) {
            EXPECT_EQ(led->FlashInterval(), intervals[row == 4][col]);
        }
        const TLed::TLedStyle style = row == 4 ? flashStyles[col] : row == 5 ? steadyStyles[col] : TLed::lesCircle;
        EXPECT_EQ(led->Style(), style);
    }
    // Showing starts the flashing lamps, closing stops them, twice.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        d.Form.Show();
        for (int n = 1; n <= 36; ++n) {
            TLed* led = d.Form.Led(n);
            EXPECT_TRUE(led->Value()) << n;
            EXPECT_EQ(led->FlashTimer()->Active(), IsFlashingLamp(n)) << n;
        }
        // A flashing lamp shows its active colour first.
        EXPECT_EQ(d.Form.Led(9)->BackingImage().pixel(18, 18) & 0xFFFFFFu, 0x008000u);

        d.Form.Close();
        EXPECT_FALSE(d.Form.Visible());
        for (int n = 1; n <= 36; ++n) {
            TLed* led = d.Form.Led(n);
            EXPECT_EQ(led->Value(), !IsFlashingLamp(n)) << n;
            EXPECT_FALSE(led->FlashTimer()->Active()) << n;
        }
        EXPECT_EQ(d.Form.Led(9)->BackingImage().pixel(18, 18) & 0xFFFFFFu, 0xC0C0C0u);
    }
}

// ---------------------------------------------------------------- bar graph

TEST(BarGraphDemo, DescriptionBuildsTheBars)
{
    TDemo<TBarGraph_Demo> d;
    TBarGraph_Demo& f = d.Form;
    EXPECT_FALSE(f.Timer1->Enabled());
    EXPECT_EQ(f.Timer1->Interval(), 1);
    const std::vector<std::pair<TColor, double>> zones = {{clLime, 60}, {clYellow, 80}, {clRed, 100}};
    const struct {
        TBarGraph* Bar;
        int Left, Width, BarWidth;
        std::vector<std::pair<TColor, double>> Ranges;
        TLabelingStyle Style;
        TLabelingOrientation Orientation;
    } rows[] = {
        {f.BarGraph1, 32, 81, 10, {{clGreen, 20}, {clLime, 40}, {clYellow, 80}, {clRed, 100}}, lbsSymmetric, lboLeft},
        {f.BarGraph2, 136, 81, 10, zones, lbsBoth, lboLeft},
        {f.BarGraph3, 208, 65, 10, zones, lbsLines, lboRight},
        {f.BarGraph4, 264, 81, 10, zones, lbsBoth, lboRight},
        {f.BarGraph5, 368, 65, 40, {{clLime, 70}, {clRed, 100}}, lbsNone, lboLeft},
    };
    for (const auto& r : rows) {
        TBarGraph* b = r.Bar;
        ASSERT_NE(b, nullptr);
        SCOPED_TRACE(b->Name().toStdString());
        EXPECT_EQ(std::tuple(b->BoundsRect(), b->BarWidth(), b->Value(), b->LabelingStyle(), b->LabelingOrientation()),
            std::tuple(Bounds(r.Left, 72, r.Width, 217), r.BarWidth, 100.0, r.Style, r.Orientation));
        std::vector<std::pair<TColor, double>> ranges;
        for (int k = 1; k <= b->RangeNumber(); ++k)
            ranges.emplace_back(b->Ranges().Entry(k).Color, b->Ranges().Entry(k).Limit);
        EXPECT_EQ(ranges, r.Ranges);
    }
}

TEST(BarGraphDemo, TimerRunsWhileShownSweepsUpTurnsAt95AndAt0AndStopsOnClose)
{
    TDemo<TBarGraph_Demo> d;
    TBarGraph_Demo& f = d.Form;
    f.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.Widget()));
    EXPECT_TRUE(TestSupport::WaitFor([&] { return f.CounterA() >= 3; }, 5000));
    // The columns moved with the counters: BarGraph5 came down from its
    // stored 100 (red at the top) to about 60.
    EXPECT_EQ(PixelAt(f.BarGraph5, 32, 20), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelAt(f.BarGraph5, 32, 150), clLime);
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
        EXPECT_EQ(f.BarGraph1->Value(), a);
        EXPECT_EQ(f.BarGraph2->Value(), a);
        EXPECT_EQ(f.BarGraph3->Value(), 100 - a);
        EXPECT_EQ(f.BarGraph4->Value(), a / 2);
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

// ---------------------------------------------------------------- dial

TEST(DialDemo, DescriptionBuildsTheDials)
{
    TDemo<TDial_Demo> d;
    TDial_Demo& f = d.Form;
    // Bounds, scale angles, step, indicator band, indicator and bevel colour,
    // ticks, labels, indicator style and caption.
    using TFacts = std::tuple<TRect, double, double, double, int, int, TColor, TColor, bool, bool, TDial::TDialIndicator,
        QString>;
    const std::pair<TDial*, TFacts> rows[] = {
        {f.Dial1, {Bounds(16, 48, 201, 193), -150, 150, 0, 55, 85, clRed, clWhite, true, true, TDial::diaTriangle, "U1"}},
        {f.Dial2, {Bounds(224, 56, 201, 193), -140, 140, 10, 55, 85, clBlue, clWhite, true, true, TDial::diaTriangle, "I1"}},
        {f.Dial3, {Bounds(24, 232, 89, 65), -150, 150, 0, 52, 85, clRed, clWhite, false, false, TDial::diaLine, ""}},
        {f.Dial4, {Bounds(112, 232, 89, 65), -150, 150, 0, 35, 75, clRed, clWhite, false, false, TDial::diaTriangle, ""}},
        {f.Dial5, {Bounds(248, 232, 89, 65), -150, 150, 10, 55, 80, clRed, clAqua, false, false, TDial::diaCircle, ""}},
        {f.Dial6, {Bounds(336, 232, 89, 65), -150, 150, 20, 55, 80, clRed, clLime, false, false, TDial::diaCircle, ""}},
    };
    for (const auto& [dial, facts] : rows) {
        ASSERT_NE(dial, nullptr);
        EXPECT_EQ(TFacts(dial->BoundsRect(), dial->ScaleAngle1(), dial->ScaleAngle2(), dial->ValueStepWidth(),
                      dial->IndicatorInner(), dial->IndicatorOuter(), dial->IndicatorColor(), dial->BevelColor(),
                      dial->Ticks(), dial->Labels(), dial->IndicatorStyle(), dial->Caption()),
            facts)
            << dial->Name().toStdString();
    }
}

// ---------------------------------------------------------------- meter

TEST(MeterDemo, DescriptionBuildsTheMeters)
{
    TDemo<TMeter_Demo> d;
    TMeter_Demo& f = d.Form;
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
        const TMeter* m = r.Meter;
        EXPECT_EQ(std::tuple(m->BoundsRect(), m->MeterScale(), m->MeterShiftY(), m->ReduceFlicker(), m->Legend1(),
                      m->LabelingStyle(), m->LegendPosition()),
            std::tuple(Bounds(r.Left, 72, 201, 177), r.Scale, r.ShiftY, true, QString(r.Legend1), r.Labels, r.Legend));
    }
    // The ranges, their limits and colours, as written back.
    const QByteArray text = WriteComponentText(&f);
    EXPECT_TRUE(text.contains("Range = ((65280 False 20.0 65535 False 40.0 33023 False 80.0 255 False 100.0) -120.0 "
                              "120.0 81.675 90.75"))
        << text.constData();
    EXPECT_TRUE(text.contains("Range = ((65280 False 30.0 65535 False 50.0 255 False 60.0) -70.0 70.0 76.275 84.75 0.0 "
                              "0.0 60.0 10.0)"));
}

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

TEST(PanelMeterDemo, DescriptionBuildsTheMeters)
{
    TDemo<TPanelMeter_Demo> d;
    TPanelMeter_Demo& f = d.Form;
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
        const TPanelMeter* m = r.Meter;
        EXPECT_EQ(std::tuple(m->BoundsRect(), m->DisplayAngle(), m->DisplayColor(), m->Slots(), m->DisplayFormat()),
            std::tuple(r.Bounds, r.Angle, r.Display, r.Slots, QString::fromLatin1(r.Format)));
    }
    EXPECT_TRUE(bool(f.PanelMeter2->OnRangeCheck));
}

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

// ---------------------------------------------------------------- slider

TEST(SliderDemo, DescriptionBuildsTheSliders)
{
    TDemo<TSlider_Demo> d;
    TSlider_Demo& f = d.Form;
    // Button width and height, value range, value, step, ranges, decimals,
    // labeling style and orientation, a transparent button.
    using TFacts = std::tuple<int, int, double, double, double, double, int, int, TLabelingStyle, TLabelingOrientation, bool>;
    const std::tuple<TSlider*, int, TFacts> rows[] = {
        {f.Slider1, 32, {39, 10, -10, 10, 0, 0, 1, 0, lbsSymmetric, lboLeft, false}},
        {f.Slider2, 128, {30, 10, 0, 50, 0, 0, 3, 1, lbsBoth, lboLeft, false}},
        {f.Slider4, 192, {30, 10, 0, 50, 50, 0, 3, 1, lbsLines, lboLeft, false}},
        {f.Slider3, 256, {30, 10, 0, 50, 0, 0, 3, 1, lbsBoth, lboRight, false}},
        {f.Slider5, 360, {71, 18, 0, 50, 0, 10, 1, 1, lbsAsymmetric, lboRight, true}},
    };
    for (const auto& [s, left, facts] : rows) {
        ASSERT_NE(s, nullptr);
        SCOPED_TRACE(s->Name().toStdString());
        EXPECT_EQ(s->BoundsRect(), Bounds(left, 64, 73, 233));
        EXPECT_TRUE(s->ButtonFont()->Style().testFlag(fsBold));
        EXPECT_FALSE(s->LabelingFont()->Style().testFlag(fsBold));
        EXPECT_EQ(TFacts(s->ButtonWidth(), s->ButtonHeight(), s->ValueMin(), s->ValueMax(), s->Value(), s->ValueStepWidth(),
                      s->RangeNumber(), s->LabelingDecimals(), s->LabelingStyle(), s->LabelingOrientation(),
                      s->ButtonTransparent()),
            facts);
        if (s->RangeNumber() == 1) {
            EXPECT_EQ(s->Ranges().Entry(1).Color, clBtnFace);
            EXPECT_EQ(s->Ranges().Entry(1).Limit, s->ValueMax());
        }
    }
    EXPECT_EQ(f.Slider1->ButtonColor(), clBlue);
    EXPECT_TRUE(bool(f.Slider2->OnValueChange));
    EXPECT_TRUE(bool(f.Slider4->OnValueChange));
    EXPECT_FALSE(bool(f.Slider3->OnValueChange));
}
