#include "stripchart/_sEca.h"

namespace Tessaron {

TFormCalculateBarStrip::TFormCalculateBarStrip(TComponent* AOwner)
    : TFormCalculateBar(AOwner, QStringLiteral("T:"), QStringLiteral("t:"))
{
}

void TFormCalculateBarStrip::SetCalculateGroupsEnabled(bool Enabled)
{
    SetSecondCrossEnabled(Enabled);
    GroupBox2->SetEnabled(Enabled);
    GroupBox3->SetEnabled(Enabled);
}

} // namespace Tessaron
