#include "stripchart/_sEfg.h"
#include "stripchart/_sEft.h"
#include "stripchart/StrpChrt.h"

namespace Tessaron {

void TFormTitleStrip::SetChart(TStripChart* Chart)
{
    SetRecorder(Chart);
}

TFormGridStrip::TFormGridStrip(TComponent* AOwner)
    : TFormGrid(AOwner, {QStringLiteral("linear/linear"), QStringLiteral("linear/logarithmisch")})
{
}

void TFormGridStrip::SetChart(TStripChart* Chart)
{
    SetRecorder(Chart);
}

} // namespace Tessaron
