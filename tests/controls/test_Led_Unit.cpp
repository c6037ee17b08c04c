#include "controls/Led_Unit.h"

#include <controls/led.h>
#include <platform/Streaming.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <QTimer>

#include <vector>

using namespace Tessaron;

namespace {

struct LedDemo {
    TLed_Demo Form;
    LedDemo() { Form.InitializeForm(); }
    TLed* Led(int N) const { return Form.Led(N); }
};

bool IsFlashingLamp(int N)
{
    // Rows 2 and 5 of the six rows of six lamps.
    const int row = (N - 1) / 6;
    return row == 1 || row == 4;
}

} // namespace

TEST(LedDemo, DescriptionBuildsTheWindowAndItsLamps)
{
    LedDemo d;
    EXPECT_EQ(d.Form.Caption(), "TLed Demo");
    EXPECT_EQ(d.Form.Width(), 572);
    EXPECT_EQ(d.Form.Height(), 401);
    EXPECT_EQ(d.Form.Position(), TForm::poScreenCenter);
    EXPECT_EQ(d.Form.Panel2->Align(), alRight);
    EXPECT_EQ(d.Form.Panel2->Width(), 113);
    EXPECT_EQ(d.Form.Panel1->Width(), d.Form.ClientWidth() - 113);
    EXPECT_EQ(d.Form.BitBtn1->Kind(), TBitBtn::bkOK);
    EXPECT_EQ(d.Form.Label1->Caption(), "Led");
    EXPECT_EQ(d.Form.Label1->Font()->Height(), -32);
    EXPECT_EQ(d.Form.Label1->Font()->Color(), clBlue);
    EXPECT_TRUE(d.Form.Label1->Font()->Style().testFlag(fsBold));
    EXPECT_EQ(d.Form.Label2->Parent(), d.Form.GroupBox1);
    EXPECT_EQ(d.Form.Label2->Font()->Color(), clBlue);
    EXPECT_EQ(d.Form.Label3->Caption(),
        "Fenster. Die Elemente sind in der Lage, mit einer einstellbaren Frequenz zu blinken.");
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
        TLed* led = d.Led(n);
        ASSERT_NE(led, nullptr);
        EXPECT_EQ(led->Parent(), d.Form.Panel1);
        EXPECT_EQ(led->Left(), lefts[col]);
        EXPECT_EQ(led->Top(), tops[row]);
        EXPECT_EQ(led->Width(), row < 2 ? 25 : 16);
        EXPECT_EQ(led->Height(), led->Width());
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
}

TEST(LedDemo, ShowingStartsTheFlashingLampsAndClosingStopsThem)
{
    LedDemo d;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        d.Form.Show();
        for (int n = 1; n <= 36; ++n) {
            TLed* led = d.Led(n);
            EXPECT_TRUE(led->Value()) << n;
            EXPECT_EQ(led->FlashTimer()->Active(), IsFlashingLamp(n)) << n;
        }
        // A flashing lamp shows its active colour first.
        EXPECT_EQ(d.Led(9)->BackingImage().pixel(18, 18) & 0xFFFFFFu, 0x008000u);

        d.Form.Close();
        EXPECT_FALSE(d.Form.Visible());
        for (int n = 1; n <= 36; ++n) {
            TLed* led = d.Led(n);
            EXPECT_EQ(led->Value(), !IsFlashingLamp(n)) << n;
            EXPECT_FALSE(led->FlashTimer()->Active()) << n;
        }
        EXPECT_EQ(d.Led(9)->BackingImage().pixel(18, 18) & 0xFFFFFFu, 0xC0C0C0u);
    }
}

TEST(LedDemo, OkButtonEndsTheModalShowingAndStopsTheLamps)
{
    LedDemo d;
    QTimer::singleShot(50, [&] {
        EXPECT_TRUE(d.Led(8)->FlashTimer()->Active());
        d.Form.BitBtn1->Click();
    });
    EXPECT_EQ(d.Form.ShowModal(), mrOk);
    EXPECT_FALSE(d.Led(8)->Value());
    EXPECT_FALSE(d.Led(8)->FlashTimer()->Active());
}

TEST(LedDemo, DescriptionRoundTrip)
{
    LedDemo d;
    const QByteArray text = WriteComponentText(&d.Form);
    TLed_Demo copy;
    ReadComponentText(&copy, text, "Led_Unit copy");
    EXPECT_EQ(QString::fromUtf8(WriteComponentText(&copy)), QString::fromUtf8(text));
    EXPECT_EQ(copy.Led(27)->Style(), TLed::lesArrowUp);
    EXPECT_EQ(copy.Led(27)->FlashInterval(), 200);
}
