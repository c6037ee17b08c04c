#include "analysis/UAnalysisDialog.h"

#include <platform/SysUtils.h>

#include <cmath>
#include <numbers>

namespace Tessaron {

namespace AnalysisSignal {

float SawtoothIncrement(float Step)
{
    return float(1.0L / (std::numbers::pi_v<long double> / Step));
}

void Generate(float* Data, int Count, int FunctionType, float Step)
{
    if (!Data)
        return;
    const double f = Step;
    switch (FunctionType) {
    case ftSine:
        for (int i = 0; i < Count; ++i)
            Data[i] = float(std::sin(i * f));
        break;
    case ftSquare:
        for (int i = 0; i < Count; ++i)
            Data[i] = std::sin(i * f) > 0.0 ? 1.0f : -1.0f;
        break;
    case ftSawtooth: {
        // The value written may exceed 1 by less than one increment: the wrap
        // comes after the store.
        const float d = SawtoothIncrement(Step);
        float v = -1.0f;
        for (int i = 0; i < Count; ++i) {
            v = v + d;
            Data[i] = v;
            if (v > 1.0f)
                v = v - 2.0f;
        }
        break;
    }
    case ftNoise:
        for (int i = 0; i < Count; ++i)
            Data[i] = float(Random() - 0.5);
        break;
    case ftNoisySine:
        for (int i = 0; i < Count; ++i)
            Data[i] = float(std::sin(i * f) * 0.2 + Random() - 0.5);
        break;
    default:
        break;
    }
}

} // namespace AnalysisSignal

bool TFrequencySweep::AtTurningPoint() const
{
    if (Turn == turnReaching)
        return Frequency >= High || Frequency <= Low;
    return Frequency > High || Frequency < Low;
}

void TFrequencySweep::Advance()
{
    if (AtTurningPoint())
        FrequencyStep = -FrequencyStep;
    Frequency = Frequency + FrequencyStep;
}

// ---------------------------------------------------------------------------

TAnalysisDialog::TAnalysisDialog(TComponent* AOwner) : TForm(AOwner)
{
}

void TAnalysisDialog::FormClose(TObject*, TCloseAction&)
{
    StopSweep();
}

void TAnalysisDialog::Timer1Timer(TObject*)
{
    Calculate();
}

void TAnalysisDialog::Button4Click(TObject*)
{
    ChooseWindow(wnRectangle);
}

void TAnalysisDialog::Button5Click(TObject*)
{
    ChooseWindow(wnHamming);
}

void TAnalysisDialog::Button6Click(TObject*)
{
    ChooseWindow(wnHanning);
}

void TAnalysisDialog::Button7Click(TObject*)
{
    ChooseWindow(wnBlackman);
}

void TAnalysisDialog::Button8Click(TObject*)
{
    StopSweep();
    Close();
}

void TAnalysisDialog::Button9Click(TObject*)
{
    if (!Timer1 || !Button9)
        return;
    Timer1->SetEnabled(!Timer1->Enabled());
    Button9->SetCaption(Button9->Caption() == QLatin1String("Start") ? QStringLiteral("Stopp")
                                                                      : QStringLiteral("Start"));
}

void TAnalysisDialog::TourStart()
{
    if (Button9)
        Button9->Click();
}

void TAnalysisDialog::ChooseWindow(TLeakType Kind)
{
    if (FFT1)
        FFT1->SetLeakFunction(Kind);
    Calculate();
}

void TAnalysisDialog::SetYView(THistograph* Plot, float Min, float Max, float Gap)
{
    if (!Plot)
        return;
    Plot->SetEnableUpdate(false);
    Plot->SetViewYMin(Min);
    Plot->SetViewYMax(Max);
    Plot->SetViewYGap(Gap);
    Plot->SetEnableUpdate(true);
}

void TAnalysisDialog::SetCorrelationView(THistograph* Plot, int FunctionType)
{
    if (FunctionType <= AnalysisSignal::ftSawtooth)
        SetYView(Plot, -1.0f, 1.0f, 0.5f);
    else
        SetYView(Plot, -0.1f, 0.1f, 0.05f);
}

void TAnalysisDialog::StopSweep()
{
    if (Timer1)
        Timer1->SetEnabled(false);
    if (Button9)
        Button9->SetCaption(QStringLiteral("Start"));
}

// ---------------------------------------------------------------------------

TTwoSignalDialog::TTwoSignalDialog(TComponent* AOwner) : TAnalysisDialog(AOwner)
{
}

void TTwoSignalDialog::Button12Click(TObject*)
{
    FunctionType2 = AnalysisSignal::ftSine;
    Calculate();
}

void TTwoSignalDialog::Button13Click(TObject*)
{
    FunctionType2 = AnalysisSignal::ftSquare;
    Calculate();
}

void TTwoSignalDialog::CreateVectors(int Exponent)
{
    FFT1->SetExponent(Exponent);
    const int n = FFT1->Size();
    Signal1 = FFT1->CreateComplexVector(n);
    Signal2 = FFT1->CreateComplexVector(n);
    Work1 = FFT1->CreateComplexVector(n);
    Work2 = FFT1->CreateComplexVector(n);
    Result = FFT1->CreateComplexVector(n);
    Sweep = TFrequencySweep::Narrow();
    FunctionType = AnalysisSignal::ftSine;
    FunctionType2 = AnalysisSignal::ftSine;
}

bool TTwoSignalDialog::PrepareSignals()
{
    if (!Result)
        return false;
    Sweep.Advance();
    AnalysisSignal::Generate(Signal1->Re()->Data(), Signal1->Size(), FunctionType, AnalysisSignal::FixedStep);
    AnalysisSignal::Generate(Signal2->Re()->Data(), Signal2->Size(), FunctionType2, Sweep.Frequency);
    CopyComplexVector(Work1, Signal1);
    CopyComplexVector(Work2, Signal2);
    FFT1->ApplyWindow(Work1->Re());
    FFT1->ApplyWindow(Work2->Re());
    return true;
}

void TTwoSignalDialog::PlotSignals(int ResultCount)
{
    Histograph1->SetSeriesData(Signal1->Re()->Data(), Signal1->Size(), 1);
    Histograph3->SetSeriesData(Signal2->Re()->Data(), Signal2->Size(), 1);
    Histograph2->SetSeriesData(Result->Re()->Data(), ResultCount, 1);
}

} // namespace Tessaron
