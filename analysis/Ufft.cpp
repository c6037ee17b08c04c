#include "analysis/Ufft.h"

#include <platform/FormRegistry.h>

namespace Tessaron {

TfftDialog* fftDialog = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<TfftDialog>(&fftDialog);
}

TfftDialog::TfftDialog(TComponent* AOwner) : TAnalysisDialog(AOwner)
{
}

void TfftDialog::FormCreate(TObject*)
{
    FFT1->SetExponent(8);
    Signal = FFT1->CreateVector(2 * FFT1->Size());
    Work = FFT1->CreateVector(2 * FFT1->Size());
    Spectrum = FFT1->CreateComplexVector(FFT1->Size());
    Display = FFT1->CreateComplexVector(FFT1->Size());
    Sweep = TFrequencySweep::Wide();
    FunctionType = AnalysisSignal::ftSine;
}

void TfftDialog::Button1Click(TObject*) { ChooseFunction(AnalysisSignal::ftSine); }
void TfftDialog::Button2Click(TObject*) { ChooseFunction(AnalysisSignal::ftSquare); }
void TfftDialog::Button3Click(TObject*) { ChooseFunction(AnalysisSignal::ftSawtooth); }

void TfftDialog::ChooseFunction(int Type)
{
    FunctionType = Type;
    Calculate();
}

void TfftDialog::Calculate()
{
    if (!Display)
        return;
    Sweep.Advance();
    AnalysisSignal::Generate(Signal->Data(), Signal->Count(), FunctionType, Sweep.Frequency);
    CopyVector(Work, Signal);
    // Windows the work vector in place.
    FFT1->RealTransform(Work, Spectrum, false);
    CopyComplexVector(Display, Spectrum);
    Histograph1->SetSeriesData(Signal->Data(), Signal->Count(), 1);
    Histograph2->SetSeriesData(Display->Re()->Data(), Display->Size(), 1);
}

} // namespace Tessaron
