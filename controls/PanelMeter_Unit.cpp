#include "controls/PanelMeter_Unit.h"

#include <platform/FormRegistry.h>
#include <platform/SysUtils.h>

namespace Tessaron {

TPanelMeter_Demo* PanelMeter_Demo = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<TPanelMeter_Demo>(&PanelMeter_Demo);
}

TPanelMeter_Demo::TPanelMeter_Demo(TComponent* AOwner) : TForm(AOwner)
{
}

void TPanelMeter_Demo::FormShow(TObject*)
{
    PanelMeter3->SetSlot(0, true);
    Timer1->SetEnabled(true);
    FX = 0.0f;
    FCountdown = 60;
    FUp = true;
}

void TPanelMeter_Demo::FormClose(TObject*, TForm::TCloseAction&)
{
    Timer1->SetEnabled(false);
}

void TPanelMeter_Demo::Timer1Timer(TObject*)
{
    Step(Random());
}

void TPanelMeter_Demo::Step(double R)
{
    PanelMeter1->SetValue(R + 1);
    PanelMeter2->SetValue(FX);
    PanelMeter3->SetValue(R);
    PanelMeter4->SetValue(FCountdown);
    if (FCountdown == 0)
        FCountdown = 60;
    --FCountdown;
    // x is kept in single precision: each step is rounded to float.
    FX = float(FUp ? double(FX) + R : double(FX) - R);
    if (FX > 8)
        FUp = false;
    if (FX < -8)
        FUp = true;
}

void TPanelMeter_Demo::PanelMeter2RangeCheck(TObject*, int)
{
    PanelMeter2->SetSlot(0, !PanelMeter2->GetSlot(0));
}

void TPanelMeter_Demo::TourStart()
{
    for (int i = 0; i < 7; ++i)
        Timer1Timer(Timer1);
}

} // namespace Tessaron
