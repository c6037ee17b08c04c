#include "analysis/Ucropow.h"

#include <platform/FormRegistry.h>

namespace Tessaron {

TCrossPowerDialog* CrossPowerDialog = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<TCrossPowerDialog>(&CrossPowerDialog);
}

TCrossPowerDialog::TCrossPowerDialog(TComponent* AOwner) : TTwoSignalDialog(AOwner)
{
}

void TCrossPowerDialog::FormCreate(TObject*)
{
    CreateVectors(8);
}

void TCrossPowerDialog::Button1Click(TObject*) { ChooseFunction(AnalysisSignal::ftSine); }
void TCrossPowerDialog::Button2Click(TObject*) { ChooseFunction(AnalysisSignal::ftSquare); }
void TCrossPowerDialog::Button3Click(TObject*) { ChooseFunction(AnalysisSignal::ftSawtooth); }
void TCrossPowerDialog::Button10Click(TObject*) { ChooseFunction(AnalysisSignal::ftNoise); }
void TCrossPowerDialog::Button11Click(TObject*) { ChooseFunction(AnalysisSignal::ftNoisySine); }

void TCrossPowerDialog::ChooseFunction(int Type)
{
    FunctionType = Type;
    Calculate();
}

void TCrossPowerDialog::Calculate()
{
    if (!PrepareSignals())
        return;
    FFT1->CrossPowerSpectrum(Result, Work1, Work2);
    Magnitude(Result, Result);
    // The upper half mirrors the lower one.
    PlotSignals(Result->Size() / 2);
}

} // namespace Tessaron
