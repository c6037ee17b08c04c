#include "filters/URCHoch.h"

#include <platform/FormRegistry.h>

namespace Tessaron {

TRCHoch_Demo* RCHoch_Demo = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<TRCHoch_Demo>(&RCHoch_Demo);
}

TRCHoch_Demo::TRCHoch_Demo(TComponent* AOwner) : TFilterDemoForm(AOwner)
{
}

void TRCHoch_Demo::FormCreate(TObject*)
{
    StartDemo(*RCHighpass1);
}

void TRCHoch_Demo::FormShow(TObject*)
{
    Histograph1->SetTimerEnabled(true);
}

void TRCHoch_Demo::FormHide(TObject*)
{
    Histograph1->SetTimerEnabled(false);
}

void TRCHoch_Demo::Slider1ValueChange(TObject*)
{
    TakeCutoff(*RCHighpass1);
}

void TRCHoch_Demo::Histograph1Timer(TObject*)
{
    FilterTick(*RCHighpass1);
}

} // namespace Tessaron
