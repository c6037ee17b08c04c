#include "controls/Dial_Unit.h"

#include <platform/FormRegistry.h>

namespace Tessaron {

TDial_Demo* Dial_Demo = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<TDial_Demo>(&Dial_Demo);
}

TDial_Demo::TDial_Demo(TComponent* AOwner) : TForm(AOwner)
{
}

void TDial_Demo::TourStart()
{
    Dial1->SetValue(62);
    Dial2->SetValue(40);
    Dial3->SetValue(25);
    Dial4->SetValue(80);
    Dial5->SetValue(60);
    Dial6->SetValue(40);
}

} // namespace Tessaron
