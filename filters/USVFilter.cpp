#include "filters/USVFilter.h"

#include <platform/FormRegistry.h>

namespace Tessaron {

TSVFilter_Demo* SVFilter_Demo = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<TSVFilter_Demo>(&SVFilter_Demo);
}

TSVFilter_Demo::TSVFilter_Demo(TComponent* AOwner) : TFilterDemoForm(AOwner)
{
}

void TSVFilter_Demo::FormCreate(TObject*)
{
    StartDemo(*StateVariableFilter1);
}

void TSVFilter_Demo::FormShow(TObject*)
{
    Histograph1->SetTimerEnabled(true);
}

void TSVFilter_Demo::FormHide(TObject*)
{
    Histograph1->SetTimerEnabled(false);
}

void TSVFilter_Demo::Slider1ValueChange(TObject*)
{
    TakeCutoff(*StateVariableFilter1);
}

void TSVFilter_Demo::Histograph1Timer(TObject*)
{
    FilterTick(*StateVariableFilter1);
}

} // namespace Tessaron
