#include "app/Hersteller_Unit.h"

#include <platform/FormRegistry.h>

namespace Tessaron {

THersteller_Demo* Hersteller_Demo = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<THersteller_Demo>(&Hersteller_Demo);
}

// Everything the window shows comes from its description; the OK button's
// kind closes a modal showing with mrOk.
THersteller_Demo::THersteller_Demo(TComponent* AOwner) : TForm(AOwner)
{
}

} // namespace Tessaron
