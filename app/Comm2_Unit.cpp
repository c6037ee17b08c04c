#include "app/Comm2_Unit.h"

#include <platform/FormRegistry.h>

namespace Tessaron {

VAzaz2_Demo* Comm2_Demo = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<VAzaz2_Demo>(&Comm2_Demo);
}

// Everything the window shows comes from its description; the OK button's
// kind closes a modal showing with mrOk.
VAzaz2_Demo::VAzaz2_Demo(TComponent* AOwner) : TForm(AOwner)
{
}

} // namespace Tessaron
