#include "analysis/Uauto.h"

#include <platform/FormRegistry.h>

namespace Tessaron {

TAutokorrDialog* AutokorrDialog = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<TAutokorrDialog>(&AutokorrDialog);
}

TAutokorrDialog::TAutokorrDialog(TComponent* AOwner) : TAnalysisDialog(AOwner)
{
}

void TAutokorrDialog::FormCreate(TObject*)
{
    FFT1->SetExponent(9);
    Signal = FFT1->CreateComplexVector(FFT1->Size());
    Work = FFT1->CreateComplexVector(FFT1->Size());
    Sweep = TFrequencySweep::Wide();
    FunctionType = AnalysisSignal::ftSine;
}

void TAutokorrDialog::Button1Click(TObject*) { ChooseFunction(AnalysisSignal::ftSine); }
void TAutokorrDialog::Button2Click(TObject*) { ChooseFunction(AnalysisSignal::ftSquare); }
void TAutokorrDialog::Button3Click(TObject*) { ChooseFunction(AnalysisSignal::ftSawtooth); }
void TAutokorrDialog::Button10Click(TObject*) { ChooseFunction(AnalysisSignal::ftNoise); }
void TAutokorrDialog::Button11Click(TObject*) { ChooseFunction(AnalysisSignal::ftNoisySine); }

void TAutokorrDialog::ChooseFunction(int Type)
{
    FunctionType = Type;
    Calculate();
    SetCorrelationView(Histograph2, Type);
}

void TAutokorrDialog::Calculate()
{
    if (!Work)
        return;
    Sweep.Advance();
    AnalysisSignal::Generate(Signal->Re()->Data(), Signal->Size(), FunctionType, Sweep.Frequency);
    CopyComplexVector(Work, Signal);
    FFT1->ApplyWindow(Work->Re());
    FFT1->AutoCorrelation(Work);
    Histograph1->SetSeriesData(Signal->Re()->Data(), Signal->Size(), 1);
    Histograph2->SetSeriesData(Work->Re()->Data(), Work->Size(), 1);
}

} // namespace Tessaron
