#include "controls/Slider_Unit.h"

#include <platform/FormRegistry.h>

namespace Tessaron {

TSlider_Demo* Slider_Demo = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<TSlider_Demo>(&Slider_Demo);
}

TSlider_Demo::TSlider_Demo(TComponent* AOwner) : TForm(AOwner)
{
}

// The two handlers settle after one round: the value set back is the one
// just set, and an unchanged value raises no event.
void TSlider_Demo::Slider2ValueChange(TObject*)
{
    Slider4->SetValue(50 - Slider2->Value());
}

void TSlider_Demo::Slider4ValueChange(TObject*)
{
    Slider2->SetValue(50 - Slider4->Value());
}

void TSlider_Demo::TourStart()
{
    Slider1->SetValue(4);
    Slider2->SetValue(30);
    Slider3->SetValue(12.5);
    Slider5->SetValue(30);
}

} // namespace Tessaron
