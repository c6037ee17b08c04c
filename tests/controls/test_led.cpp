// TLed: shapes and colours by pixels, flashing, designing and loading.
#include <controls/led.h>

#include <gtest/gtest.h>
#include "ControlTestKit.h"
#include "support/TestSupport.h"

#include <memory>
#include <vector>

using namespace Tessaron;
using ControlTest::ExpectPixels;
using ControlTest::PixelAt;
using TestSupport::RunEventLoopFor;
using TestSupport::WaitFor;

namespace {

// clBtnShadow as every machine draws it.
constexpr TColor kShadow = TColor(0x808080);
// A background that no shape colour uses.
constexpr TColor kBack = clBlue;

// A lamp with a distinct background, its shape drawn once.
std::unique_ptr<TLed> MakeLed(int W, int H, TLed::TLedStyle Style = TLed::lesCircle)
{
    auto led = std::make_unique<TLed>();
    led->SetColor(kBack);
    led->SetBounds(0, 0, W, H);
    led->SetStyle(Style);
    led->BackingImage();
    return led;
}

// Counts paints, to tell drawing at once from a repaint request.
class TCountingLed : public TLed {
public:
    using TLed::TLed;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        TLed::Paint();
    }
};

} // namespace

// ---------------------------------------------------------------- shapes

// The largest circle, centred along the longer side; its reflex a white
// quadrilateral in the upper left quarter, in both colours of the lamp.
TEST(LedCircle, IsTheLargestCircleCentredAlongTheLongerSideWithAReflex)
{
    struct CircleCase {
        int W, H, X0, Y0, D;
        bool Reflex;
    };
    const std::vector<CircleCase> cases = {{25, 16, 4, 0, 16, true}, {16, 25, 0, 4, 16, true},
        {26, 16, 5, 0, 16, false}, {16, 16, 0, 0, 16, false}, {25, 25, 0, 0, 25, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.W << " x " << c.H);
        auto led = MakeLed(c.W, c.H);
        const int cx = c.W / 2, cy = c.H / 2, q = c.D / 4;
        const QPoint p0(cx - q, cy), p1(cx, cy - q);
        const QPoint p2((3 * p0.x() + p1.x()) / 4, p1.y()), p3(p0.x(), (3 * p1.y() + p0.y()) / 4);
        if (c.Reflex) {
            for (const QPoint& p : {p0, p1, p2, p3})
                EXPECT_EQ(PixelAt(led.get(), p.x(), p.y()), clWhite) << p.x() << "," << p.y();
            // No white outside the reflex's box, and inside it only in the
            // corner towards the upper left of the diagonal P0-P1.
            const QImage& image = led->BackingImage();
            int whites = 0;
            for (int y = 0; y < c.H; ++y)
                for (int x = 0; x < c.W; ++x)
                    if (QRgbToColor(image.pixel(x, y)) == clWhite) {
                        ++whites;
                        EXPECT_TRUE(x >= p0.x() && x <= p1.x() && y >= p1.y() && y <= p0.y()) << x << "," << y;
                        EXPECT_LE(x + y, p0.x() + p0.y()) << x << "," << y;
                    }
            EXPECT_GE(whites, 6);
        }
        led->SetValue(true);
        if (c.Reflex) {
            EXPECT_EQ(PixelAt(led.get(), p2.x(), p2.y() + 1), clWhite);
            EXPECT_EQ(PixelAt(led.get(), cx + 1, cy + 1), clRed);
        }
        const int midX = c.X0 + c.D / 2;
        const int midY = c.Y0 + c.D / 2;
        // Outline pixels on the four extremes, background just outside them
        // (where that lies in the picture) and in the corners; the lower right
        // of the disc in the lamp colour.
        ExpectPixels(led.get(), {{c.X0, midY, kShadow}, {c.X0 + c.D - 1, midY, kShadow}, {midX, c.Y0, kShadow},
                                    {midX, c.Y0 + c.D - 1, kShadow}, {0, 0, kBack}, {c.W - 1, c.H - 1, kBack},
                                    {midX + 2, midY + 2, clRed}});
        for (const QPoint& p :
            {QPoint(c.X0 - 1, midY), QPoint(c.X0 + c.D, midY), QPoint(midX, c.Y0 - 1), QPoint(midX, c.Y0 + c.D)})
            if (QRect(0, 0, c.W, c.H).contains(p))
                EXPECT_EQ(PixelAt(led.get(), p.x(), p.y()), kBack) << p.x() << "," << p.y();
    }
}

struct ShapeCase {
    const char* Name;
    TLed::TLedStyle Style;
    std::vector<QPoint> Outline, Fill, Back;
};

TEST(LedShapes, ArrowsAndRhombusThroughTheirCornersFilledInsideTheOutline)
{
    // 21 x 13: W div 2 = 10, H div 2 = 6, so a swapped width and height or a
    // rounded-up half shows.
    const std::vector<ShapeCase> cases = {
        {"left", TLed::lesArrowLeft, {{20, 0}, {20, 12}, {0, 6}}, {{16, 6}, {19, 1}}, {{0, 5}, {0, 7}, {2, 1}, {2, 11}}},
        {"right", TLed::lesArrowRight, {{0, 0}, {0, 12}, {20, 6}}, {{4, 6}, {1, 1}}, {{20, 5}, {20, 7}, {18, 1}, {18, 11}}},
        {"up", TLed::lesArrowUp, {{0, 12}, {20, 12}, {10, 0}}, {{10, 9}}, {{9, 0}, {11, 0}, {1, 1}, {19, 1}}},
        {"down", TLed::lesArrowDown, {{0, 0}, {20, 0}, {10, 12}}, {{10, 3}}, {{9, 12}, {11, 12}, {1, 11}, {19, 11}}},
        {"left-right", TLed::lesArrowLeftRight, {{10, 0}, {20, 6}, {10, 12}, {0, 6}}, {{10, 6}, {3, 6}, {10, 2}},
            {{11, 0}, {1, 1}, {19, 1}, {1, 11}, {19, 11}}},
        {"up-down", TLed::lesArrowUpDown, {{10, 0}, {20, 6}, {10, 12}, {0, 6}}, {{10, 6}, {17, 6}, {10, 10}},
            {{0, 5}, {0, 7}, {1, 1}, {19, 1}, {1, 11}, {19, 11}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto led = MakeLed(21, 13, c.Style);
        led->SetValue(true);
        const auto expectAll = [&](const std::vector<QPoint>& Points, TColor Color) {
            for (const QPoint& p : Points)
                EXPECT_EQ(PixelAt(led.get(), p.x(), p.y()), Color) << p.x() << "," << p.y();
        };
        expectAll(c.Outline, kShadow); // the corners of the shape
        expectAll(c.Fill, clRed);
        expectAll(c.Back, kBack);
        if (c.Style == TLed::lesArrowUpDown)
            continue;
        // The outline encloses the fill: on every row the lamp colour lies
        // between the first and the last outline pixel, nothing there is background.
        const QImage& image = led->BackingImage();
        for (int y = 0; y < 13; ++y) {
            int first = -1, last = -1;
            for (int x = 0; x < 21; ++x)
                if (QRgbToColor(image.pixel(x, y)) == kShadow) {
                    if (first < 0)
                        first = x;
                    last = x;
                }
            for (int x = 0; x < 21; ++x) {
                const TColor color = QRgbToColor(image.pixel(x, y));
                if (x < first || x > last)
                    EXPECT_EQ(color, kBack) << x << "," << y;
                else
                    EXPECT_NE(color, kBack) << x << "," << y;
            }
        }
    }
}

TEST(LedShapes, RectangleCoversTheLampInsideAShadowFrameAndAStyleChangeClearsIt)
{
    auto led = MakeLed(20, 12, TLed::lesRectangle);
    const QImage& image = led->BackingImage();
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool edge = x == 0 || y == 0 || x == 19 || y == 11;
            ASSERT_EQ(QRgbToColor(image.pixel(x, y)), edge ? kShadow : clSilver) << x << "," << y;
        }
    // Another style repaints the background too.
    led->SetStyle(TLed::lesArrowDown);
    EXPECT_EQ(PixelAt(led.get(), 1, 10), kBack);
    EXPECT_EQ(PixelAt(led.get(), 10, 3), clSilver);
    // A value outside the list is ignored and draws nothing new.
    led->SetStyle(TLed::TLedStyle(42));
    EXPECT_EQ(led->Style(), TLed::lesArrowDown);
}

// ---------------------------------------------------------------- setters

TEST(LedValue, DrawsAtOnceWhileColoursAskForARepaint)
{
    TCountingLed led;
    led.SetColor(kBack);
    led.SetBounds(0, 0, 16, 16);
    led.BackingImage();
    const int paints = led.Paints;
    // Value draws the shape straight into the picture, without a paint.
    led.SetValue(true);
    EXPECT_EQ(led.Canvas()->Pixel(12, 12), clRed);
    EXPECT_EQ(led.Paints, paints);
    // A colour only asks for a repaint; the picture changes when it comes.
    led.SetColorActive(clYellow);
    EXPECT_EQ(led.Canvas()->Pixel(12, 12), clRed);
    EXPECT_EQ(PixelAt(&led, 12, 12), clYellow);
    EXPECT_EQ(led.Paints, paints + 1);
    // Assigning the same value again does nothing at all.
    led.SetValue(true);
    led.SetColorActive(clYellow);
    led.BackingImage();
    EXPECT_EQ(led.Paints, paints + 1);
}

TEST(LedValue, EachColourAppliesOnlyToItsOwnState)
{
    struct Case {
        bool Value;
        bool SetActive; // else ColorInactive is set
        TColor Expected;
    };
    const std::vector<Case> cases = {
        {false, false, clGreen}, {false, true, clSilver}, {true, true, clGreen}, {true, false, clRed}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "Value " << c.Value << " active " << c.SetActive);
        auto led = MakeLed(16, 16);
        led->SetValue(c.Value);
        if (c.SetActive)
            led->SetColorActive(clGreen);
        else
            led->SetColorInactive(clGreen);
        EXPECT_EQ(PixelAt(led.get(), 12, 12), c.Expected);
    }
}

// ---------------------------------------------------------------- flashing

TEST(LedFlashing, FlashStepAlternatesWhileActiveAndFlashingAndColoursChangeInEitherPhase)
{
    auto led = MakeLed(16, 16);
    // Whether the timer runs, and the colour drawn so far.
    const auto timerAndColour = [&] { return std::pair(led->FlashTimer()->Enabled(), led->Canvas()->Pixel(12, 12)); };
    led->SetFlashing(true);
    EXPECT_FALSE(led->FlashTimer()->Enabled());
    led->SetValue(true);
    EXPECT_EQ(timerAndColour(), std::pair(true, clRed)); // starts bright
    for (TColor expected : {clSilver, clRed, clSilver, clRed, clSilver}) {
        led->FlashStep();
        EXPECT_EQ(led->Canvas()->Pixel(12, 12), expected);
    }
    // Flashing switched off in the dark phase shows the active colour; switched
    // on again it draws nothing new.
    led->SetFlashing(false);
    EXPECT_EQ(timerAndColour(), std::pair(false, clRed));
    led->SetFlashing(true);
    EXPECT_EQ(timerAndColour(), std::pair(true, clRed));
    // Off: steady inactive colour, timer stopped, ticks change nothing.
    led->SetValue(false);
    EXPECT_EQ(timerAndColour(), std::pair(false, clSilver));
    led->FlashStep();
    EXPECT_EQ(PixelAt(led.get(), 12, 12), clSilver);
    // On again: a new active colour in the dark phase shows at once...
    led->SetValue(true);
    led->FlashStep();
    ASSERT_EQ(PixelAt(led.get(), 12, 12), clSilver);
    led->SetColorActive(clYellow);
    EXPECT_EQ(PixelAt(led.get(), 12, 12), clYellow);
    // ...and the next tick goes dark again, the one after to the new colour.
    led->FlashStep();
    EXPECT_EQ(PixelAt(led.get(), 12, 12), clSilver);
    led->FlashStep();
    EXPECT_EQ(PixelAt(led.get(), 12, 12), clYellow);
    // Equal colours: every phase shows the same one.
    led->SetColorInactive(clYellow);
    for (int i = 0; i < 3; ++i) {
        led->FlashStep();
        EXPECT_EQ(led->CurrentColor(), clYellow);
        EXPECT_EQ(PixelAt(led.get(), 12, 12), clYellow);
    }
}

// A lamp destroyed while flashing takes its running timer with it.
TEST(LedFlashing, LampDestroyedWhileFlashingTakesItsTimer)
{
    TWinControl host;
    host.SetBounds(0, 0, 50, 50);
    auto* led = new TLed(&host);
    led->SetParent(&host);
    led->SetBounds(0, 0, 16, 16);
    led->SetFlashInterval(20);
    led->SetFlashing(true);
    led->SetValue(true);
    ASSERT_TRUE(led->FlashTimer()->Active());
    RunEventLoopFor(50);
    delete led;
    RunEventLoopFor(50);
}

// ---------------------------------------------------------------- designing and loading

TEST(LedDesigning, NeverFlashesAndShowsTheActiveColour)
{
    auto led = MakeLed(16, 16);
    led->SetDesigning(true);
    led->SetFlashInterval(10);
    led->SetFlashing(true);
    led->SetValue(true);
    EXPECT_FALSE(led->FlashTimer()->Enabled());
    led->Loaded();
    EXPECT_FALSE(led->FlashTimer()->Enabled());
    RunEventLoopFor(50);
    EXPECT_EQ(PixelAt(led.get(), 12, 12), clRed);
    // Value still draws at once in a designer.
    led->SetValue(false);
    EXPECT_EQ(led->Canvas()->Pixel(12, 12), clSilver);
}

TEST(LedLoading, StartsFlashingOnlyAfterLoaded)
{
    auto led = MakeLed(16, 16);
    led->BeginLoading();
    led->SetFlashInterval(10);
    led->SetFlashing(true);
    led->SetValue(true);
    // Nothing happens while the description is read: no timer, no drawing.
    EXPECT_FALSE(led->FlashTimer()->Enabled());
    EXPECT_EQ(led->Canvas()->Pixel(12, 12), clSilver);
    RunEventLoopFor(40);
    EXPECT_EQ(led->Canvas()->Pixel(12, 12), clSilver);
    led->Loaded();
    EXPECT_TRUE(led->FlashTimer()->Active());
    EXPECT_EQ(PixelAt(led.get(), 12, 12), clRed);
    EXPECT_TRUE(WaitFor([&] { return PixelAt(led.get(), 12, 12) == clSilver; }, 900));
    // Flashing without Value does not start after loading.
    auto idle = MakeLed(16, 16);
    idle->BeginLoading();
    idle->SetFlashing(true);
    idle->Loaded();
    EXPECT_FALSE(idle->FlashTimer()->Enabled());
    EXPECT_EQ(PixelAt(idle.get(), 12, 12), clSilver);
}
