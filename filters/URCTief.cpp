#include "filters/URCTief.h"

#include <platform/FormRegistry.h>

namespace Tessaron {

TRCTief_Demo* RCTief_Demo = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<TRCTief_Demo>(&RCTief_Demo);
}

TRCTief_Demo::TRCTief_Demo(TComponent* AOwner) : TFilterDemoForm(AOwner)
{
}

void TRCTief_Demo::FormCreate(TObject*)
{
    StartDemo(*RCLowpass1);
}

void TRCTief_Demo::FormShow(TObject*)
{
    Histograph1->SetTimerEnabled(true);
}

void TRCTief_Demo::FormHide(TObject*)
{
    Histograph1->SetTimerEnabled(false);
}

void TRCTief_Demo::Slider1ValueChange(TObject*)
{
    TakeCutoff(*RCLowpass1);
}

void TRCTief_Demo::Histograph1Timer(TObject*)
{
    FilterTick(*RCLowpass1);
}

} // namespace Tessaron
