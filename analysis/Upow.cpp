#include "analysis/Upow.h"

#include <platform/FormRegistry.h>

namespace Tessaron {

TPowerSpectrumDialog* PowerSpectrumDialog = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<TPowerSpectrumDialog>(&PowerSpectrumDialog);
}

TPowerSpectrumDialog::TPowerSpectrumDialog(TComponent* AOwner) : TAnalysisDialog(AOwner)
{
}

void TPowerSpectrumDialog::FormCreate(TObject*)
{
    FFT1->SetExponent(9);
    Signal = FFT1->CreateComplexVector(FFT1->Size());
    Work = FFT1->CreateComplexVector(FFT1->Size());
    Sweep = TFrequencySweep::Wide();
    FunctionType = AnalysisSignal::ftSine;
}

void TPowerSpectrumDialog::Button1Click(TObject*) { ChooseFunction(AnalysisSignal::ftSine); }
void TPowerSpectrumDialog::Button2Click(TObject*) { ChooseFunction(AnalysisSignal::ftSquare); }
void TPowerSpectrumDialog::Button3Click(TObject*) { ChooseFunction(AnalysisSignal::ftSawtooth); }
void TPowerSpectrumDialog::Button10Click(TObject*) { ChooseFunction(AnalysisSignal::ftNoise); }
void TPowerSpectrumDialog::Button11Click(TObject*) { ChooseFunction(AnalysisSignal::ftNoisySine); }

void TPowerSpectrumDialog::ChooseFunction(int Type)
{
    FunctionType = Type;
    Calculate();
}

void TPowerSpectrumDialog::Calculate()
{
    if (!Work)
        return;
    Sweep.Advance();
    AnalysisSignal::Generate(Signal->Re()->Data(), Signal->Size(), FunctionType, Sweep.Frequency);
    CopyComplexVector(Work, Signal);
    FFT1->ApplyWindow(Work->Re());
    FFT1->PowerSpectrum(Work);
    Histograph1->SetSeriesData(Signal->Re()->Data(), Signal->Size(), 1);
    // The upper half mirrors the lower one.
    Histograph2->SetSeriesData(Work->Re()->Data(), Work->Size() / 2, 1);
}

} // namespace Tessaron
