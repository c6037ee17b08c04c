// The four filter demonstration windows built from their descriptions: the
// sweeping square wave, the filter fed from the slider, the plot, the timer.
#include "filters/UIIR.h"
#include "filters/URCHoch.h"
#include "filters/URCTief.h"
#include "filters/USVFilter.h"

#include <platform/FormRegistry.h>

#include "FilterTestSupport.h"

#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace Tessaron;
using namespace FilterTest;

namespace {

// A filter set up as each window's own: the stored settings (1000 samples per
// second and the cutoff are given later).
std::unique_ptr<TFilterComponent> Twin(const TRCTief_Demo&) { return std::make_unique<TRCLowpass>(); }
std::unique_ptr<TFilterComponent> Twin(const TRCHoch_Demo&) { return std::make_unique<TRCHighpass>(); }
std::unique_ptr<TFilterComponent> Twin(const TIIR_Demo&) // fourth-order Butterworth low-pass
{
    auto f = std::make_unique<TIIRFilter>();
    f->SetOrder(4);
    return f;
}
std::unique_ptr<TFilterComponent> Twin(const TSVFilter_Demo&) // band-pass of Q 2
{
    auto f = std::make_unique<TStateVariableFilter>();
    f->SetQ(2);
    f->SetFilterOutput(foBandPass);
    return f;
}

// The sweep's output is, bit for bit, what the window's twin filter makes of
// its input from rest at 1000 samples per second and the given cutoff.
template <class Form>
::testing::AssertionResult OutputOfTwin(const Form& F, double Cutoff)
{
    const TSquareSweep& Sweep = F.Sweep();
    auto twin = Twin(F);
    twin->SetSampleFrequency(1000);
    twin->SetCutoffFrequency(float(Cutoff));
    Block y(Sweep.Input.begin(), Sweep.Input.end());
    twin->Filter(y.data(), int(y.size()));
    return BitEqual(Block(Sweep.Output.begin(), Sweep.Output.end()), y);
}

// Where the square wave changes sign.
std::vector<int> Switches(const float* Data)
{
    std::vector<int> at;
    for (int i = 1; i < TSquareSweep::SampleCount; ++i)
        if (Data[i] != Data[i - 1])
            at.push_back(i);
    return at;
}


template <class T>
class FilterWindow : public ::testing::Test {
protected:
    FilterWindow() { Form.InitializeForm(); }
    TFilterComponent* Filter() // the window's only filter
    {
        for (int i = 0; i < Form.ComponentCount(); ++i)
            if (auto* f = qobject_cast<TFilterComponent*>(Form.Components(i)))
                return f;
        return nullptr;
    }
    void Tick() { Form.Histograph1Timer(Form.Histograph1); }
    T Form;
};

using Windows = ::testing::Types<TRCTief_Demo, TRCHoch_Demo, TIIR_Demo, TSVFilter_Demo>;
TYPED_TEST_SUITE(FilterWindow, Windows);

bool HasColour(const QImage& Image, QRgb Colour)
{
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            if ((Image.pixel(x, y) & 0xFFFFFF) == (Colour & 0xFFFFFF))
                return true;
    return false;
}

} // namespace

// Registered for the menu; the creation step sets the filter to 1000 samples
// per second and the slider's cutoff; the timer waits for the window to show.
TYPED_TEST(FilterWindow, FirstTicksPlotTwoThenTwoPointOneHertzAndTheSliderSetsTheNextCutoff)
{
    const TSquareSweep& sweep = this->Form.Sweep();
    THistograph* h = this->Form.Histograph1;
    const double cutoff = this->Form.Slider1->Value();
    const QString name = QString::fromLatin1(TypeParam::staticMetaObject.className()).section("::", -1);
    EXPECT_TRUE(IsFormRegistered(name)) << "the menu entry stays disabled";
    EXPECT_FALSE(h->TimerEnabled()) << "the timer runs only while the window is shown";
    ASSERT_NE(this->Filter(), nullptr);
    EXPECT_EQ(this->Filter()->SampleFrequency(), 1000.0f);
    EXPECT_EQ(this->Filter()->CutoffFrequency(), float(cutoff));
    EXPECT_EQ(sweep.SquareFrequency, 2.0);

    // Tick 1: 2.0 Hz from +1.2, the first sign change after a quarter second.
    this->Tick();
    const float* in = sweep.Input.data();
    EXPECT_EQ(in[0], 1.2f);
    EXPECT_TRUE(std::all_of(in, in + TSquareSweep::SampleCount, [](float v) { return v == 1.2f || v == -1.2f; }));
    std::vector<int> at = Switches(in);
    ASSERT_EQ(at.size(), 3u);
    EXPECT_NEAR(at[0], 250, 1);
    EXPECT_NEAR(at[2], 750, 1);
    // Both series show the window's own arrays, 1000 values each.
    EXPECT_TRUE(h->Series(1).Data == in && h->Series(1).Count == 1000);
    EXPECT_TRUE(h->Series(2).Data == sweep.Output.data() && h->Series(2).Count == 1000);
    EXPECT_TRUE(OutputOfTwin(this->Form, cutoff));
    EXPECT_TRUE(h->EnableUpdate());
    EXPECT_DOUBLE_EQ(sweep.SquareFrequency, 2.1);

    // Tick 2: 2.1 Hz, filtered from rest again (not continuing the first block).
    this->Tick();
    EXPECT_EQ(in[0], 1.2f);
    at = Switches(in);
    ASSERT_EQ(at.size(), 4u);
    EXPECT_NEAR(at[0], 500 / 2.1, 1);
    EXPECT_EQ(h->Series(1).Data, in) << "the arrays stay in place";
    EXPECT_TRUE(OutputOfTwin(this->Form, cutoff));
    EXPECT_DOUBLE_EQ(sweep.SquareFrequency, 2.2);

    // The slider sets the cutoff of the next block.
    TSlider* s = this->Form.Slider1;
    const double v = s->ValueMax() - 3;
    s->SetValue(v);
    EXPECT_EQ(this->Filter()->CutoffFrequency(), float(v));
    this->Tick();
    EXPECT_TRUE(OutputOfTwin(this->Form, v));
    EXPECT_EQ(this->Filter()->SampleFrequency(), 1000.0f) << "stays";
}

TYPED_TEST(FilterWindow, TimerSweepsWhileShownModally)
{
    // The OK button ends the modal showing; until then the plot's own timer
    // filters block after block, afterwards it stands still.
    QTimer::singleShot(150, [&] { this->Form.BitBtn1->Click(); });
    EXPECT_EQ(this->Form.ShowModal(), mrOk);
    EXPECT_FALSE(this->Form.Histograph1->TimerEnabled());
    const double reached = this->Form.Sweep().SquareFrequency;
    EXPECT_GT(reached, 2.05) << "no tick while shown";
    EXPECT_EQ(this->Form.Histograph1->Series(2).Data, this->Form.Sweep().Output.data());
    QTest::qWait(30);
    EXPECT_EQ(this->Form.Sweep().SquareFrequency, reached);

    // Shown again, the sweep goes on from there.
    this->Form.Show();
    EXPECT_TRUE(this->Form.Histograph1->TimerEnabled());
    QTest::qWait(30);
    this->Form.Close();
    EXPECT_FALSE(this->Form.Histograph1->TimerEnabled());
    EXPECT_NE(this->Form.Sweep().SquareFrequency, reached);
}

TEST(FilterWindowSweep, TurnsJustAboveTwentyFiveAndJustBelowTwoHertz)
{
    // 230 steps of 0.1 Hz lead from 2 Hz to a hair above 25 Hz (the steps
    // add up with rounding), which turns the sweep at once; on the way down
    // the frequency dips to 1.9 Hz before it rises again.
    TRCTief_Demo form;
    form.InitializeForm();
    const TSquareSweep& sweep = form.Sweep();
    std::vector<double> shown;
    std::vector<int> firstSwitch;
    for (int tick = 1; tick <= 700; ++tick) {
        shown.push_back(sweep.SquareFrequency);
        form.Histograph1Timer(form.Histograph1);
        firstSwitch.push_back(Switches(sweep.Input.data()).front());
    }
    std::vector<int> turns; // ticks (from 1) at which the direction changed
    for (size_t i = 1; i + 1 < shown.size(); ++i) {
        const double up = shown[i] - shown[i - 1], next = shown[i + 1] - shown[i];
        ASSERT_NEAR(std::fabs(up), 0.1, 1e-9) << "tick " << i + 1;
        if ((up > 0) != (next > 0))
            turns.push_back(int(i) + 1);
    }
    ASSERT_EQ(turns, (std::vector<int>{231, 462, 693}));
    EXPECT_GT(shown[230], 25.0);
    EXPECT_LT(shown[230], 25.0 + 1e-9);
    EXPECT_NEAR(shown[461], 1.9, 1e-9);
    EXPECT_NEAR(shown[692], 25.0, 1e-9);
    // The plotted wave follows: half periods of 20 ms at the top, 263 ms at the bottom.
    EXPECT_EQ(firstSwitch[230], 20);
    EXPECT_NEAR(firstSwitch[461], 500 / 1.9, 1);
    EXPECT_EQ(firstSwitch[462], 250);
}

TEST(FilterWindowSweep, TickPaintsOnlyAfterBothSeriesAreSet)
{
    // Both series are handed over with the updates switched off, so the
    // tick itself draws nothing; the plot is painted afterwards, with the
    // input in olive and the output in maroon.
    TRCHoch_Demo form;
    form.InitializeForm();
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));
    THistograph* h = form.Histograph1;
    h->SetTimerEnabled(false);
    QTest::qWait(20);
    int paints = 0;
    h->OnPaint = [&](TObject*) { ++paints; };
    form.Histograph1Timer(h);
    EXPECT_EQ(paints, 0);
    QTest::qWait(50);
    EXPECT_GE(paints, 1);
    const QImage picture = h->BackingImage();
    EXPECT_TRUE(HasColour(picture, qRgb(0x80, 0x80, 0x00))) << "input";
    EXPECT_TRUE(HasColour(picture, qRgb(0x80, 0x00, 0x00))) << "output";
    form.Close();
}
