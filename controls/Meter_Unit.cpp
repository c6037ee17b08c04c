#include "controls/Meter_Unit.h"

#include <platform/FormRegistry.h>

namespace Tessaron {

TMeter_Demo* Meter_Demo = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<TMeter_Demo>(&Meter_Demo);
}

TMeter_Demo::TMeter_Demo(TComponent* AOwner) : TForm(AOwner)
{
}

void TMeter_Demo::FormShow(TObject*)
{
    Meter1->SetValue(0);
    Meter2->SetValue(0);
    FA = 0.0f;
    FB = 0.0f;
    FUp = true;
    Timer1->SetEnabled(true);
}

void TMeter_Demo::Timer1Timer(TObject*)
{
    if (FUp) {
        FA = FA + 1.0f;
        FB = FB + 0.6f;
    } else {
        FA = FA - 1.0f;
        FB = FB - 0.6f;
    }
    if (FA > 99.0f)
        FUp = false;
    if (FA < 1.0f)
        FUp = true;
    Meter1->SetValue(FA);
    Meter2->SetValue(FB);
}

void TMeter_Demo::FormClose(TObject*, TForm::TCloseAction&)
{
    Timer1->SetEnabled(false);
}

void TMeter_Demo::TourStart()
{
    for (int i = 0; i < 35; ++i)
        Timer1Timer(this);
}

} // namespace Tessaron
