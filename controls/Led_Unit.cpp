#include "controls/Led_Unit.h"

#include <platform/FormRegistry.h>
#include <controls/led.h>

namespace Tessaron {

TLed_Demo* Led_Demo = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<TLed_Demo>(&Led_Demo);
}

TLed_Demo::TLed_Demo(TComponent* AOwner) : TForm(AOwner)
{
}

TLed* TLed_Demo::Led(int Number) const
{
    return qobject_cast<TLed*>(FindComponent(QStringLiteral("Led%1").arg(Number)));
}

void TLed_Demo::SwitchFlashingLamps(bool Value)
{
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* led = qobject_cast<TLed*>(Components(i)); led && led->Flashing())
            led->SetValue(Value);
}

void TLed_Demo::FormShow(TObject*)
{
    SwitchFlashingLamps(true);
}

void TLed_Demo::FormClose(TObject*, TForm::TCloseAction&)
{
    SwitchFlashingLamps(false);
}

} // namespace Tessaron
