#include "filters/UIIR.h"

#include <platform/FormRegistry.h>

namespace Tessaron {

TIIR_Demo* IIR_Demo = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<TIIR_Demo>(&IIR_Demo);
}

TIIR_Demo::TIIR_Demo(TComponent* AOwner) : TFilterDemoForm(AOwner)
{
}

void TIIR_Demo::FormCreate(TObject*)
{
    StartDemo(*IIRFilter1);
}

void TIIR_Demo::FormShow(TObject*)
{
    Histograph1->SetTimerEnabled(true);
}

void TIIR_Demo::FormHide(TObject*)
{
    Histograph1->SetTimerEnabled(false);
}

void TIIR_Demo::Slider1ValueChange(TObject*)
{
    TakeCutoff(*IIRFilter1);
}

void TIIR_Demo::Histograph1Timer(TObject*)
{
    FilterTick(*IIRFilter1);
}

} // namespace Tessaron
