// The five analysis dialogs built from their descriptions and driven through
// their buttons and timers.
#include "analysis/Uauto.h"
#include "analysis/Ucropow.h"
#include "analysis/Ucross.h"
#include "analysis/Ufft.h"
#include "analysis/Upow.h"

#include <platform/FormRegistry.h>
#include <platform/SysUtils.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <QTimer>

#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

using namespace Tessaron;

namespace {

constexpr double TwoPi = 2.0 * std::numbers::pi;

template <typename T>
std::unique_ptr<T> Make()
{
    auto form = std::make_unique<T>();
    form->InitializeForm();
    return form;
}

template <typename T>
std::unique_ptr<TAnalysisDialog> MakeDialog()
{
    return Make<T>();
}

// One row per dialog: how to make it, and what its table gives.
struct TDialogCase {
    const char* ClassName;
    std::unique_ptr<TAnalysisDialog> (*Create)();
    int N, Interval;
    int SignalPoints, SpectrumPoints; // points plotted in Histograph1 and Histograph2
};

const TDialogCase Dialogs[] = {
    {"TAutokorrDialog", MakeDialog<TAutokorrDialog>, 512, 1, 512, 512},
    {"TKreuzkorrelationDialog", MakeDialog<TKreuzkorrelationDialog>, 256, 1, 256, 256},
    {"TfftDialog", MakeDialog<TfftDialog>, 256, 1, 512, 256},
    {"TPowerSpectrumDialog", MakeDialog<TPowerSpectrumDialog>, 512, 1, 512, 256},
    {"TCrossPowerDialog", MakeDialog<TCrossPowerDialog>, 256, 10, 256, 128},
};

// "Sinus", "Rechteck", "Sägezahn", "Rauschen", "Verr. Sinus": function types 0 .. 4.
template <typename T>
std::array<TButton*, 5> FunctionButtons(T& D)
{
    return {D.Button1, D.Button2, D.Button3, D.Button10, D.Button11};
}

float MaxAbsExcept(const TVector* V, int Count, int Skip)
{
    float m = 0.0f;
    for (int i = 0; i < Count; ++i)
        if (i != Skip)
            m = std::max(m, std::fabs((*V)[i]));
    return m;
}

} // namespace

// Built from the description: registered for the menu, idle until started;
// then each window button, the tour's Start and the close box.
TEST(AnalysisDialogs, DescriptionsBuildTheWindowsWhoseButtonsComputeAndStop)
{
    for (const TDialogCase& c : Dialogs) {
        SCOPED_TRACE(c.ClassName);
        EXPECT_TRUE(IsFormRegistered(c.ClassName)) << "its menu entry stays disabled otherwise";
        std::unique_ptr<TAnalysisDialog> d = c.Create();
        EXPECT_EQ(d->FFT1->Size(), c.N);
        EXPECT_EQ(d->Timer1->Interval(), c.Interval);
        EXPECT_FALSE(d->Timer1->Enabled());
        // Nothing is computed before the first press or tick.
        EXPECT_EQ(d->Histograph1->Series(1).Count, 0);
        EXPECT_EQ(d->Histograph2->Series(1).Count, 0);
        for (THistograph* h : {d->Histograph1, d->Histograph2})
            EXPECT_TRUE(h->RangeError().isEmpty()) << h->Name().toStdString();

        // The window buttons set the window and compute.
        const struct {
            TButton* Button;
            TLeakType Kind;
        } rows[] = {{d->Button5, wnHamming}, {d->Button6, wnHanning}, {d->Button7, wnBlackman},
                    {d->Button4, wnRectangle}};
        float frequency = d->Sweep.Frequency;
        for (const auto& r : rows) {
            r.Button->Click();
            EXPECT_EQ(d->FFT1->LeakFunction(), r.Kind);
            EXPECT_NE(d->Sweep.Frequency, frequency) << "computed, so the sweep moved";
            frequency = d->Sweep.Frequency;
        }
        // The spectra are the lower half: exactly N div 2 points.
        EXPECT_EQ(d->Histograph1->Series(1).Count, c.SignalPoints);
        EXPECT_EQ(d->Histograph2->Series(1).Count, c.SpectrumPoints);

        d->Histograph2->SetSeriesData(nullptr, 0, 1); // emptied: the timer is to plot anew
        d->Show();
        d->TourStart(); // the tour presses Start
        EXPECT_EQ(d->Button9->Caption(), "Stopp");
        EXPECT_TRUE(d->Timer1->Enabled());
        const float before = d->Sweep.Frequency;
        TestSupport::RunEventLoopFor(60);
        EXPECT_NE(d->Sweep.Frequency, before) << "the timer computes";
        EXPECT_EQ(d->Histograph2->Series(1).Count, c.SpectrumPoints);

        // The title bar's close box.
        d->Widget()->close();
        EXPECT_FALSE(d->Visible());
        EXPECT_EQ(d->Button9->Caption(), "Start");
        EXPECT_FALSE(d->Timer1->Enabled());
        const float stopped = d->Sweep.Frequency;
        TestSupport::RunEventLoopFor(30);
        EXPECT_EQ(d->Sweep.Frequency, stopped);

        // Reopened: still stopped, the last plots kept; Start then Stopp.
        d->Show();
        EXPECT_EQ(d->Histograph2->Series(1).Count, c.SpectrumPoints);
        d->Button9->Click();
        d->Button9->Click();
        EXPECT_EQ(d->Button9->Caption(), "Start");
        EXPECT_FALSE(d->Timer1->Enabled());
        d->Close();
    }
}

TEST(AnalysisDialogs, FirstPressOfSinusUsesOneSweepStepAboveTheStartAndAutocorrelationStartsWithTheMeanSquare)
{
    auto d = Make<TAutokorrDialog>();
    EXPECT_EQ(d->Sweep.Frequency, 0.1f);
    d->Button1->Click();
    EXPECT_EQ(d->Sweep.Frequency, 0.102f);
    // The signal is drawn at that step, and each press sweeps on.
    EXPECT_EQ((*d->Signal->Re())[7], float(std::sin(7.0 * 0.102f)));
    d->Button1->Click();
    EXPECT_EQ(d->Sweep.Frequency, 0.102f + 0.002f);

    auto k = Make<TKreuzkorrelationDialog>();
    k->Button1->Click();
    EXPECT_EQ(k->Sweep.Frequency, 0.031f + 0.001f);

    // The autocorrelation at lag 0 is the mean square of the signal; under
    // the Hanning window, of the windowed signal, which is smaller.
    const auto meanSquare = [&](bool Hanning) {
        const TVector& x = *d->Signal->Re();
        double sum = 0;
        for (int i = 0; i < x.Count(); ++i) {
            const double w = Hanning ? 0.5 - 0.5 * std::cos(TwoPi * i / (x.Count() - 1)) : 1.0;
            sum += (x[i] * w) * (x[i] * w);
        }
        return sum / x.Count();
    };
    d->Button6->Click();
    EXPECT_NEAR((*d->Work->Re())[0], meanSquare(true), 1e-4);
    EXPECT_LT((*d->Work->Re())[0], 0.25);
    d->Button4->Click();
    d->Button1->Click();
    EXPECT_NEAR((*d->Work->Re())[0], meanSquare(false), 1e-5);
    EXPECT_NEAR((*d->Work->Re())[0], 0.5, 0.01);
    EXPECT_EQ(d->Histograph1->Series(1).Data, d->Signal->Re()->Data());
    EXPECT_EQ(d->Histograph2->Series(1).Data, d->Work->Re()->Data());
    EXPECT_EQ(MaxAbsExcept(d->Signal->Im(), 512, -1), 0.0f) << "the imaginary part is never written";
}

// Each function button selects its signal. "Rauschen" and "Verr. Sinus"
// narrow the correlation view; the periodic signals widen it again. The
// power spectrum keeps its view.
TEST(AnalysisDialogs, NoisySignalsNarrowTheCorrelationView)
{
    auto autokorr = Make<TAutokorrDialog>();
    auto kreuz = Make<TKreuzkorrelationDialog>();
    auto pow = Make<TPowerSpectrumDialog>();
    struct TStep {
        int Button;
        float Min, Max, Gap;
    } const steps[] = {{3, -0.1f, 0.1f, 0.05f}, {0, -1, 1, 0.5f}, {4, -0.1f, 0.1f, 0.05f},
                           {2, -1, 1, 0.5f}, {3, -0.1f, 0.1f, 0.05f}, {1, -1, 1, 0.5f}};
    const std::pair<TAnalysisDialog*, std::array<TButton*, 5>> dialogs[] = {
        {autokorr.get(), FunctionButtons(*autokorr)}, {kreuz.get(), FunctionButtons(*kreuz)}};
    for (const auto& [d, buttons] : dialogs) {
        SCOPED_TRACE(d->Caption().toStdString());
        for (const TStep& s : steps) {
            buttons[s.Button]->Click();
            EXPECT_EQ(d->FunctionType, s.Button);
            EXPECT_FLOAT_EQ(d->Histograph2->ViewYMin(), s.Min) << s.Button;
            EXPECT_FLOAT_EQ(d->Histograph2->ViewYMax(), s.Max) << s.Button;
            EXPECT_FLOAT_EQ(d->Histograph2->ViewYGap(), s.Gap) << s.Button;
            EXPECT_TRUE(d->Histograph2->EnableUpdate());
        }
    }
    pow->Button10->Click();
    EXPECT_FLOAT_EQ(pow->Histograph2->ViewYMin(), 1e-8f);
    EXPECT_FLOAT_EQ(pow->Histograph2->ViewYMax(), 1.0f);
}

// A sine centred on bin k shows in that bin alone: 0.25 in the power
// spectrum, 0.5 * 0.5 in the cross power of two equal sines, the amplitude 1
// in the FFT dialog's spectrum of 2N real samples; the spectrum plot shows it.
TEST(AnalysisDialogs, SineShowsInItsBinAlone)
{
    auto pow = Make<TPowerSpectrumDialog>();
    auto cross = Make<TCrossPowerDialog>();
    auto fft = Make<TfftDialog>();
    const struct {
        TAnalysisDialog* Dialog;
        float Frequency;
        const TComplexVector* Result;
        int Bin, Bins;
        double Peak, Tolerance, Rest;
    } cases[] = {
        {pow.get(), float(TwoPi * 3 / 512), pow->Work, 3, 256, 0.25, 1e-5, 1e-8},
        {pow.get(), float(TwoPi * 100 / 512), pow->Work, 100, 256, 0.25, 1e-5, 1e-8},
        {cross.get(), AnalysisSignal::FixedStep, cross->Result, 5, 128, 0.25, 1e-4, 1e-4},
        {fft.get(), float(TwoPi * 20 / 512), fft->Display, 20, 256, 1.0, 1e-4, 1e-4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Dialog->Caption().toStdString() + " bin " + std::to_string(c.Bin));
        c.Dialog->Sweep.Frequency = c.Frequency;
        c.Dialog->Sweep.FrequencyStep = 0.0f;
        c.Dialog->Button1->Click();
        EXPECT_NEAR((*c.Result->Re())[c.Bin], c.Peak, c.Tolerance);
        EXPECT_LT(MaxAbsExcept(c.Result->Re(), c.Bins, c.Bin), c.Rest);
        EXPECT_EQ(c.Dialog->Histograph2->Series(1).Data, c.Result->Re()->Data());
    }
    EXPECT_EQ(MaxAbsExcept(cross->Result->Im(), 256, -1), 0.0f) << "magnitudes are real";
    EXPECT_EQ(cross->Histograph3->Series(1).Count, 256);
    EXPECT_EQ(fft->Histograph1->Series(1).Data, fft->Signal->Data());
    EXPECT_EQ(fft->FindComponent("Button10"), nullptr) << "the three periodic signals only";
    // The signal itself is not windowed: only its copy is.
    fft->Button6->Click();
    EXPECT_EQ((*fft->Signal)[5], float(std::sin(5.0 * fft->Sweep.Frequency)));
    EXPECT_NEAR((*fft->Display->Re())[20], 0.5, 0.01) << "Hanning halves a bin-centred sine";
}

// Signal 1 keeps its fixed step whatever the sweep does; signal 2 follows it
// and has buttons of its own. Two equal sines correlate to their mean square
// at lag 0.
TEST(AnalysisDialogs, CrossCorrelationSignalOneIsFixed)
{
    auto d = Make<TKreuzkorrelationDialog>();
    d->Button13->Click();
    EXPECT_EQ(d->FunctionType2, AnalysisSignal::ftSquare);
    EXPECT_EQ((*d->Signal2->Re())[0], -1.0f);
    d->Button12->Click();
    EXPECT_EQ(d->FunctionType2, AnalysisSignal::ftSine);
    d->Button1->Click();
    const std::vector<float> first(d->Signal1->Re()->Data(), d->Signal1->Re()->Data() + 256);
    const float f2 = d->Sweep.Frequency;
    EXPECT_EQ((*d->Signal2->Re())[9], float(std::sin(9.0 * f2)));
    d->Button1->Click();
    EXPECT_EQ(std::vector<float>(d->Signal1->Re()->Data(), d->Signal1->Re()->Data() + 256), first);
    EXPECT_EQ((*d->Signal1->Re())[9], float(std::sin(9.0 * AnalysisSignal::FixedStep)));
    // The sawtooth of signal 1 uses the fixed step as well.
    d->Button3->Click();
    EXPECT_EQ((*d->Signal1->Re())[0], -1.0f + AnalysisSignal::SawtoothIncrement(AnalysisSignal::FixedStep));

    d->Sweep.Frequency = AnalysisSignal::FixedStep;
    d->Sweep.FrequencyStep = 0.0f;
    d->Button1->Click();
    EXPECT_NEAR((*d->Result->Re())[0], 0.5, 0.01);
    EXPECT_EQ(d->Histograph2->Series(1).Count, 256);
}

TEST(AnalysisDialogs, CloseButtonEndsTheModalShowingAndTheSweep)
{
    auto d = Make<TPowerSpectrumDialog>();
    QTimer::singleShot(10, [&] { d->Button9->Click(); });
    QTimer::singleShot(80, [&] {
        EXPECT_EQ(d->Button9->Caption(), "Stopp");
        d->Button8->Click();
    });
    const float before = d->Sweep.Frequency;
    d->ShowModal();
    EXPECT_NE(d->Sweep.Frequency, before) << "the timer ticked inside the modal showing";
    EXPECT_EQ(d->Button9->Caption(), "Start");
    EXPECT_FALSE(d->Timer1->Enabled());
}
