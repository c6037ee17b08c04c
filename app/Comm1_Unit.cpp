#include "app/Comm1_Unit.h"

#include <platform/FormRegistry.h>

namespace Tessaron {

VAzaz1_Demo* Comm1_Demo = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<VAzaz1_Demo>(&Comm1_Demo);
}

// Everything the window shows comes from its description; the OK button's
// kind closes a modal showing with mrOk.
VAzaz1_Demo::VAzaz1_Demo(TComponent* AOwner) : TForm(AOwner)
{
}

} // namespace Tessaron
