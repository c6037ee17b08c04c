#include "analysis/Ucross.h"

#include <platform/FormRegistry.h>

namespace Tessaron {

TKreuzkorrelationDialog* KreuzkorrelationDialog = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<TKreuzkorrelationDialog>(&KreuzkorrelationDialog);
}

TKreuzkorrelationDialog::TKreuzkorrelationDialog(TComponent* AOwner) : TTwoSignalDialog(AOwner)
{
}

void TKreuzkorrelationDialog::FormCreate(TObject*)
{
    CreateVectors(8);
}

void TKreuzkorrelationDialog::Button1Click(TObject*) { ChooseFunction(AnalysisSignal::ftSine); }
void TKreuzkorrelationDialog::Button2Click(TObject*) { ChooseFunction(AnalysisSignal::ftSquare); }
void TKreuzkorrelationDialog::Button3Click(TObject*) { ChooseFunction(AnalysisSignal::ftSawtooth); }
void TKreuzkorrelationDialog::Button10Click(TObject*) { ChooseFunction(AnalysisSignal::ftNoise); }
void TKreuzkorrelationDialog::Button11Click(TObject*) { ChooseFunction(AnalysisSignal::ftNoisySine); }

void TKreuzkorrelationDialog::ChooseFunction(int Type)
{
    FunctionType = Type;
    SetCorrelationView(Histograph2, Type);
    Calculate();
}

void TKreuzkorrelationDialog::Calculate()
{
    if (!PrepareSignals())
        return;
    FFT1->CrossCorrelation(Result, Work1, Work2);
    PlotSignals(Result->Size());
}

} // namespace Tessaron
