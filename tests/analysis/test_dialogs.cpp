// The five analysis dialogs built from their descriptions and driven through
// their buttons and timers.
#include "analysis/Uauto.h"
#include "analysis/Ucropow.h"
#include "analysis/Ucross.h"
#include "analysis/Ufft.h"
#include "analysis/Upow.h"

#include <app/DemoWindows.h>
#include <platform/Streaming.h>
#include <platform/SysUtils.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QTimer>

#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
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

// One row per dialog: how to make it, and what its table gives.
struct TDialogCase {
    const char* ClassName;
    std::function<std::unique_ptr<TAnalysisDialog>()> Create;
    const char* Caption;
    int N;
    int Interval;
    int SpectrumPoints; // points plotted in Histograph2
};

const std::vector<TDialogCase>& Dialogs()
{
    static const std::vector<TDialogCase> cases = {
        {"TAutokorrDialog", [] { return std::unique_ptr<TAnalysisDialog>(Make<TAutokorrDialog>()); },
         "Autokorrelation", 512, 1, 512},
        {"TKreuzkorrelationDialog",
         [] { return std::unique_ptr<TAnalysisDialog>(Make<TKreuzkorrelationDialog>()); }, "Kreuzkorrelation",
         256, 1, 256},
        {"TfftDialog", [] { return std::unique_ptr<TAnalysisDialog>(Make<TfftDialog>()); }, "FFT Demo", 256, 1, 256},
        {"TPowerSpectrumDialog", [] { return std::unique_ptr<TAnalysisDialog>(Make<TPowerSpectrumDialog>()); },
         "Power Spectrum", 512, 1, 256},
        {"TCrossPowerDialog", [] { return std::unique_ptr<TAnalysisDialog>(Make<TCrossPowerDialog>()); },
         "Cross Power Spectrum", 256, 10, 128},
    };
    return cases;
}

void RunEvents(int Milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < Milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
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

// ---------------------------------------------------------------------------
// Built from the description

TEST(AnalysisDialogs, DescriptionsBuildTheWindows)
{
    for (const TDialogCase& c : Dialogs()) {
        SCOPED_TRACE(c.ClassName);
        EXPECT_TRUE(Demo::IsWindowRegistered(c.ClassName)) << "its menu entry stays disabled otherwise";
        std::unique_ptr<TAnalysisDialog> d = c.Create();
        EXPECT_EQ(d->Caption(), c.Caption);
        EXPECT_EQ(d->BorderStyle(), TForm::bsDialog);
        EXPECT_EQ(d->BorderIcons(), TForm::TBorderIcons(TForm::biSystemMenu));
        EXPECT_EQ(d->Position(), TForm::poScreenCenter);
        EXPECT_EQ(d->FFT1->Size(), c.N);
        EXPECT_EQ(d->FFT1->LeakFunction(), wnRectangle);
        EXPECT_EQ(d->Timer1->Interval(), c.Interval);
        EXPECT_FALSE(d->Timer1->Enabled());
        EXPECT_EQ(d->Button9->Caption(), "Start");
        EXPECT_EQ(d->Button8->Caption(), "Dieses Fenster schließen");
        EXPECT_EQ(d->FunctionType, AnalysisSignal::ftSine);
        // Nothing is computed before the first press or tick.
        EXPECT_EQ(d->Histograph1->Series(1).Count, 0);
        EXPECT_EQ(d->Histograph2->Series(1).Count, 0);
        EXPECT_EQ(d->GroupBox1->Caption(), dynamic_cast<TTwoSignalDialog*>(d.get()) ? "Funktion 1" : "Funktion");
        EXPECT_EQ(d->GroupBox2->Caption(), "Fenster");
        const char* windows[] = {"Rechteck", "Hamming", "Hanning", "Blackman"};
        TButton* windowButtons[] = {d->Button4, d->Button5, d->Button6, d->Button7};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(windowButtons[i]->Caption(), windows[i]);
            EXPECT_EQ(windowButtons[i]->Parent(), d->GroupBox2);
        }
        for (TLabel* label : {d->Label1, d->Label2, d->Label3}) {
            EXPECT_EQ(label->Font()->Color(), clBlue);
            EXPECT_EQ(label->Font()->Height(), -11);
            EXPECT_TRUE(label->Font()->Style().testFlag(fsBold));
        }
        for (THistograph* h : {d->Histograph1, d->Histograph2}) {
            EXPECT_EQ(h->GridVisible(), grdBoth);
            EXPECT_EQ(h->GapRight(), 20);
            EXPECT_TRUE(h->RangeError().isEmpty()) << h->Name().toStdString();
        }
    }
}

TEST(AnalysisDialogs, PlotsOfEachDialog)
{
    struct TPlot {
        THistograph* Plot;
        const char* Top;
        const char* Left;
        const char* Bottom;
        float YMin, YMax, YGap;
        float XNominalMin, XNominalMax, XMin, XMax;
        THistograph::TGrdScale Scale;
    };
    auto autokorr = Make<TAutokorrDialog>();
    auto kreuz = Make<TKreuzkorrelationDialog>();
    auto fft = Make<TfftDialog>();
    auto pow = Make<TPowerSpectrumDialog>();
    auto cropow = Make<TCrossPowerDialog>();
    const auto lin = THistograph::sclLinLin;
    const auto log = THistograph::sclLogLog;
    const TPlot plots[] = {
        {autokorr->Histograph1, "Funktion", "Spannung [V]", "Zeit [s]", -1.01f, 1, 0.5f, 0, 1, 0, 1, lin},
        {autokorr->Histograph2, "Autokorrelation", "Korrelation [V^2]", "Zeit [s]", -1, 1, 0.5f, 0, 1, 0, 1, lin},
        {kreuz->Histograph1, "Funktion 1", "Spannung [V]", "Zeit [s]", -1.01f, 1, 0.5f, 0, 1, 0, 1, lin},
        {kreuz->Histograph3, "Funktion 2", "Spannung [V]", "Zeit [s]", -1.01f, 1, 0.5f, 0, 1, 0, 1, lin},
        {kreuz->Histograph2, "Kreuzkorrelation", "Amplitude [V]", "Zeit [s]", -1, 1, 0.5f, 0, 1, 0, 1, lin},
        {fft->Histograph1, "Funktion", "Spannung [V]", "Zeit [s]", -1.01f, 1, 0.5f, 0, 1, 0, 1, lin},
        {fft->Histograph2, "Fourier-Transformierte", "Amplitude [V]", "Frequenz [Hz]", 0.001f, 1, 0.1f, 0.00001f,
         256, 1, 256, log},
        {pow->Histograph2, "Power Spectrum", "Leistungsdichte [V^2s]", "Frequenz [Hz]", 1e-8f, 1, 0.5f, 0.0001f, 255,
         1, 255, log},
        {cropow->Histograph3, "Funktion 2", "Spannung [V]", "Zeit [s]", -1.01f, 1, 0.5f, 0, 1, 0, 1, lin},
        {cropow->Histograph2, "Kreuzleistungsdichte (Betrag)", "Leistungsdichte [V^2s]", "Frequenz [Hz]", 0.00001f,
         0.1f, 0.01f, 0.001f, 128, 1, 128, log},
    };
    for (const TPlot& p : plots) {
        SCOPED_TRACE(p.Top);
        EXPECT_EQ(p.Plot->TitleTop(), p.Top);
        EXPECT_EQ(p.Plot->TitleLeft(), p.Left);
        EXPECT_EQ(p.Plot->TitleBottom(), p.Bottom);
        EXPECT_FLOAT_EQ(p.Plot->ViewYMin(), p.YMin);
        EXPECT_FLOAT_EQ(p.Plot->ViewYMax(), p.YMax);
        EXPECT_FLOAT_EQ(p.Plot->ViewYGap(), p.YGap);
        EXPECT_FLOAT_EQ(p.Plot->ViewXNominalMin(), p.XNominalMin);
        EXPECT_FLOAT_EQ(p.Plot->ViewXNominalMax(), p.XNominalMax);
        EXPECT_FLOAT_EQ(p.Plot->ViewXCurrentMin(), p.XMin);
        EXPECT_FLOAT_EQ(p.Plot->ViewXCurrentMax(), p.XMax);
        EXPECT_EQ(p.Plot->GridScale(), p.Scale);
    }
    EXPECT_EQ(pow->Histograph2->SeriesColor(), clRed);
    EXPECT_EQ(cropow->Histograph2->GapLeft(), 65);
    EXPECT_EQ(cropow->Histograph2->GapTop(), 30);
    EXPECT_EQ(cropow->Histograph2->GapBottom(), 40);
    EXPECT_FLOAT_EQ(cropow->Histograph2->ViewXGap(), 20.0f);
}

TEST(AnalysisDialogs, FunctionButtonsOfEachDialog)
{
    auto autokorr = Make<TAutokorrDialog>();
    auto kreuz = Make<TKreuzkorrelationDialog>();
    auto fft = Make<TfftDialog>();
    const char* five[] = {"Sinus", "Rechteck", "Sägezahn", "Rauschen", "Verr. Sinus"};
    TButton* autoButtons[] = {autokorr->Button1, autokorr->Button2, autokorr->Button3, autokorr->Button10,
                              autokorr->Button11};
    TButton* crossButtons[] = {kreuz->Button1, kreuz->Button2, kreuz->Button3, kreuz->Button10, kreuz->Button11};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(autoButtons[i]->Caption(), five[i]);
        EXPECT_EQ(crossButtons[i]->Caption(), five[i]);
        EXPECT_EQ(crossButtons[i]->Parent(), kreuz->GroupBox1);
        // Each button selects its own signal.
        autoButtons[i]->Click();
        EXPECT_EQ(autokorr->FunctionType, i);
        crossButtons[i]->Click();
        EXPECT_EQ(kreuz->FunctionType, i);
    }
    EXPECT_EQ(kreuz->GroupBox3->Caption(), "Funktion 2");
    EXPECT_EQ(kreuz->Button12->Caption(), "Sinus");
    EXPECT_EQ(kreuz->Button13->Caption(), "Rechteck");
    kreuz->Button13->Click();
    EXPECT_EQ(kreuz->FunctionType2, AnalysisSignal::ftSquare);
    EXPECT_EQ((*kreuz->Signal2->Re())[0], -1.0f);
    kreuz->Button12->Click();
    EXPECT_EQ(kreuz->FunctionType2, AnalysisSignal::ftSine);
    // The FFT dialog has the three periodic signals only.
    EXPECT_EQ(fft->Button3->Caption(), "Sägezahn");
    EXPECT_EQ(fft->FindComponent("Button10"), nullptr);
    EXPECT_EQ(fft->Font()->Name(), "System");
    EXPECT_FALSE(fft->Font()->Style().testFlag(fsBold));
}

// ---------------------------------------------------------------------------
// Computation

TEST(AnalysisDialogs, FirstPressOfSinusUsesOneSweepStepAboveTheStart)
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
}

TEST(AnalysisDialogs, AutocorrelationOfSinusStartsWithTheMeanSquare)
{
    auto d = Make<TAutokorrDialog>();
    d->Button1->Click();
    const TVector& x = *d->Signal->Re();
    double meanSquare = 0;
    for (int i = 0; i < x.Count(); ++i)
        meanSquare += double(x[i]) * x[i];
    meanSquare /= x.Count();
    EXPECT_NEAR((*d->Work->Re())[0], meanSquare, 1e-5);
    EXPECT_NEAR((*d->Work->Re())[0], 0.5, 0.01);
    // Both plots show the dialog's own vectors, all N values.
    EXPECT_EQ(d->Histograph1->Series(1).Data, d->Signal->Re()->Data());
    EXPECT_EQ(d->Histograph1->Series(1).Count, 512);
    EXPECT_EQ(d->Histograph2->Series(1).Data, d->Work->Re()->Data());
    EXPECT_EQ(d->Histograph2->Series(1).Count, 512);
    // The signal's imaginary part is never written.
    EXPECT_EQ(MaxAbsExcept(d->Signal->Im(), 512, -1), 0.0f);
}

// "Rauschen" and "Verr. Sinus" narrow the correlation view; the periodic
// signals widen it again. The power spectrum keeps its view.
TEST(AnalysisDialogs, NoisySignalsNarrowTheCorrelationView)
{
    auto autokorr = Make<TAutokorrDialog>();
    auto kreuz = Make<TKreuzkorrelationDialog>();
    auto pow = Make<TPowerSpectrumDialog>();
    struct TStep {
        int Button; // 0..4 = function type
        float Min, Max, Gap;
    };
    const TStep steps[] = {{3, -0.1f, 0.1f, 0.05f}, {0, -1, 1, 0.5f}, {4, -0.1f, 0.1f, 0.05f},
                           {2, -1, 1, 0.5f}, {3, -0.1f, 0.1f, 0.05f}, {1, -1, 1, 0.5f}};
    const std::pair<TAnalysisDialog*, std::array<TButton*, 5>> dialogs[] = {
        {autokorr.get(),
         {autokorr->Button1, autokorr->Button2, autokorr->Button3, autokorr->Button10, autokorr->Button11}},
        {kreuz.get(), {kreuz->Button1, kreuz->Button2, kreuz->Button3, kreuz->Button10, kreuz->Button11}}};
    for (const auto& [d, buttons] : dialogs) {
        SCOPED_TRACE(d->Caption().toStdString());
        for (const TStep& s : steps) {
            buttons[s.Button]->Click();
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

TEST(AnalysisDialogs, WindowButtonsSetTheWindowAndCompute)
{
    for (const TDialogCase& c : Dialogs()) {
        SCOPED_TRACE(c.ClassName);
        std::unique_ptr<TAnalysisDialog> d = c.Create();
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
        EXPECT_EQ(d->Histograph2->Series(1).Count, c.SpectrumPoints);
    }
}

// Under the Hanning window the autocorrelation at lag 0 is the mean square
// of the windowed signal, smaller than the unwindowed one.
TEST(AnalysisDialogs, AutocorrelationIsOfTheWindowedSignal)
{
    auto d = Make<TAutokorrDialog>();
    d->Button6->Click();
    const TVector& x = *d->Signal->Re();
    double meanSquare = 0;
    for (int i = 0; i < x.Count(); ++i) {
        const double w = 0.5 - 0.5 * std::cos(TwoPi * i / (x.Count() - 1));
        meanSquare += (x[i] * w) * (x[i] * w);
    }
    meanSquare /= x.Count();
    EXPECT_NEAR((*d->Work->Re())[0], meanSquare, 1e-4);
    EXPECT_LT((*d->Work->Re())[0], 0.25);
}

// The plotted spectra are the lower half: exactly N div 2 points.
TEST(AnalysisDialogs, SpectrumPlotsHoldHalfTheBins)
{
    auto pow = Make<TPowerSpectrumDialog>();
    pow->Button1->Click();
    EXPECT_EQ(pow->Histograph2->Series(1).Count, 256);
    EXPECT_EQ(pow->Histograph2->Series(1).Data, pow->Work->Re()->Data());
    EXPECT_EQ(pow->Histograph1->Series(1).Count, 512);

    auto cropow = Make<TCrossPowerDialog>();
    cropow->Button1->Click();
    EXPECT_EQ(cropow->Histograph2->Series(1).Count, 128);
    EXPECT_EQ(cropow->Histograph2->Series(1).Data, cropow->Result->Re()->Data());
    EXPECT_EQ(cropow->Histograph1->Series(1).Count, 256);
    EXPECT_EQ(cropow->Histograph3->Series(1).Count, 256);

    // The FFT dialog plots all 2N samples and N magnitudes.
    auto fft = Make<TfftDialog>();
    fft->Button1->Click();
    EXPECT_EQ(fft->Histograph1->Series(1).Count, 512);
    EXPECT_EQ(fft->Histograph1->Series(1).Data, fft->Signal->Data());
    EXPECT_EQ(fft->Histograph2->Series(1).Count, 256);
    EXPECT_EQ(fft->Histograph2->Series(1).Data, fft->Display->Re()->Data());
}

// A sine with k periods in N samples: 0.25 in bin k, nothing elsewhere.
TEST(AnalysisDialogs, PowerSpectrumOfSineWithKPeriods)
{
    auto d = Make<TPowerSpectrumDialog>();
    for (int k : {3, 40, 100}) {
        d->Sweep.Frequency = float(TwoPi * k / 512);
        d->Sweep.FrequencyStep = 0.0f;
        d->Button1->Click();
        const TVector& p = *d->Work->Re();
        EXPECT_NEAR(p[k], 0.25, 1e-5) << k;
        EXPECT_LT(MaxAbsExcept(&p, 256, k), 1e-8) << k;
    }
}

// The magnitude of X1 conj(X2) for two equal sines: 0.5 * 0.5 in their bin.
TEST(AnalysisDialogs, CrossPowerOfTwoEqualSines)
{
    auto d = Make<TCrossPowerDialog>();
    d->Sweep.Frequency = AnalysisSignal::FixedStep;
    d->Sweep.FrequencyStep = 0.0f;
    d->Button1->Click();
    const TVector& m = *d->Result->Re();
    EXPECT_NEAR(m[5], 0.25, 1e-4);
    EXPECT_LT(MaxAbsExcept(&m, 128, 5), 1e-4);
    EXPECT_EQ(MaxAbsExcept(d->Result->Im(), 256, -1), 0.0f) << "magnitudes are real";
}

// Signal 1 keeps its fixed step whatever the sweep does; signal 2 follows it.
// Two equal sines correlate to their mean square at lag 0.
TEST(AnalysisDialogs, CrossCorrelationSignalOneIsFixed)
{
    auto d = Make<TKreuzkorrelationDialog>();
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

// The FFT dialog transforms 2N real samples: k periods in them give the
// amplitude 1 in bin k.
TEST(AnalysisDialogs, FftOfSineShowsItsAmplitude)
{
    auto d = Make<TfftDialog>();
    d->Sweep.Frequency = float(TwoPi * 20 / 512);
    d->Sweep.FrequencyStep = 0.0f;
    d->Button1->Click();
    const TVector& a = *d->Display->Re();
    EXPECT_NEAR(a[20], 1.0, 1e-4);
    EXPECT_LT(MaxAbsExcept(&a, 256, 20), 1e-4);
    // The signal itself is not windowed: only its copy is.
    d->Button6->Click();
    EXPECT_EQ((*d->Signal)[5], float(std::sin(5.0 * d->Sweep.Frequency)));
    EXPECT_NEAR((*d->Display->Re())[20], 0.5, 0.01) << "Hanning halves a bin-centred sine";
}

// The timer sweeps the narrow dialog between its limits, both inclusive.
TEST(AnalysisDialogs, TimerTicksSweepBetweenTheLimits)
{
    auto d = Make<TKreuzkorrelationDialog>();
    float top = 0.0f, bottom = 1.0f;
    for (int i = 0; i < 300; ++i) {
        d->Timer1Timer(d->Timer1);
        top = std::max(top, d->Sweep.Frequency);
        bottom = std::min(bottom, d->Sweep.Frequency);
    }
    EXPECT_GE(top, 0.15f);
    EXPECT_LT(top, 0.151f);
    EXPECT_LE(bottom, 0.01f);
    EXPECT_GT(bottom, 0.009f);
}

// ---------------------------------------------------------------------------
// Start, Stopp and closing

TEST(AnalysisDialogs, StartStoppAndCloseBoxReturnToStart)
{
    for (const TDialogCase& c : Dialogs()) {
        SCOPED_TRACE(c.ClassName);
        std::unique_ptr<TAnalysisDialog> d = c.Create();
        d->Show();
        d->Button9->Click();
        EXPECT_EQ(d->Button9->Caption(), "Stopp");
        EXPECT_TRUE(d->Timer1->Enabled());
        const float before = d->Sweep.Frequency;
        RunEvents(60);
        EXPECT_NE(d->Sweep.Frequency, before) << "the timer computes";
        EXPECT_EQ(d->Histograph2->Series(1).Count, c.SpectrumPoints);

        // The title bar's close box.
        d->Widget()->close();
        EXPECT_FALSE(d->Visible());
        EXPECT_EQ(d->Button9->Caption(), "Start");
        EXPECT_FALSE(d->Timer1->Enabled());
        const float stopped = d->Sweep.Frequency;
        RunEvents(30);
        EXPECT_EQ(d->Sweep.Frequency, stopped);

        // Reopened: still stopped, the last plots kept.
        d->Show();
        EXPECT_EQ(d->Button9->Caption(), "Start");
        EXPECT_FALSE(d->Timer1->Enabled());
        EXPECT_EQ(d->Histograph2->Series(1).Count, c.SpectrumPoints);
        d->Button9->Click();
        d->Button9->Click();
        EXPECT_EQ(d->Button9->Caption(), "Start");
        EXPECT_FALSE(d->Timer1->Enabled());
        d->Close();
    }
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
    EXPECT_FALSE(d->Visible());
    EXPECT_NE(d->Sweep.Frequency, before) << "the timer ticked inside the modal showing";
    EXPECT_EQ(d->Button9->Caption(), "Start");
    EXPECT_FALSE(d->Timer1->Enabled());
}

TEST(AnalysisDialogs, TourStartPressesStart)
{
    auto d = Make<TCrossPowerDialog>();
    d->Show();
    d->TourStart();
    EXPECT_EQ(d->Button9->Caption(), "Stopp");
    EXPECT_TRUE(d->Timer1->Enabled());
    d->Close();
    EXPECT_FALSE(d->Timer1->Enabled());
}

// ---------------------------------------------------------------------------
// Descriptions

namespace {

struct TRound {
    const char* Name;
    std::function<QByteArray()> Write;
    std::function<QByteArray(const QByteArray&)> ReadWrite;
};

template <typename T>
TRound RoundTrip()
{
    return TRound{T::staticMetaObject.className(),
                  [] {
                      auto form = Make<T>();
                      return WriteComponentText(form.get());
                  },
                  [](const QByteArray& Text) {
                      T copy;
                      ReadComponentText(&copy, Text, "analysis dialog copy");
                      return WriteComponentText(&copy);
                  }};
}

const TRound Rounds[] = {RoundTrip<TAutokorrDialog>(), RoundTrip<TKreuzkorrelationDialog>(),
                         RoundTrip<TfftDialog>(), RoundTrip<TPowerSpectrumDialog>(), RoundTrip<TCrossPowerDialog>()};

} // namespace

// Written, read into a fresh instance and written again: the same window,
// fonts included (a control read back starts from its parent's font, so a
// font attribute left out would come back as the parent's: bold buttons in
// the bold group boxes).
TEST(AnalysisDialogs, DescriptionRoundTrip)
{
    for (const TRound& r : Rounds) {
        SCOPED_TRACE(r.Name);
        const QByteArray text = r.Write();
        EXPECT_TRUE(text.contains("OnClick = Button9Click"));
        EXPECT_TRUE(text.contains("OnClick = Button7Click"));
        EXPECT_TRUE(text.contains("OnTimer = Timer1Timer"));
        EXPECT_TRUE(text.contains("OnClose = FormClose"));
        EXPECT_TRUE(text.contains("OnCreate = FormCreate"));
        EXPECT_EQ(QString::fromUtf8(r.ReadWrite(text)), QString::fromUtf8(text));
    }
}
