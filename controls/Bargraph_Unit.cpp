#include "controls/Bargraph_Unit.h"

#include <platform/FormRegistry.h>

namespace Tessaron {

TBarGraph_Demo* BarGraph_Demo = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<TBarGraph_Demo>(&BarGraph_Demo);
}

TBarGraph_Demo::TBarGraph_Demo(TComponent* AOwner) : TForm(AOwner)
{
}

void TBarGraph_Demo::FormShow(TObject*)
{
    FUp = true;
    FA = 0;
    FB = 0;
    FC = 100;
    FD = 0;
    FE = 60;
    Timer1->SetEnabled(true);
}

void TBarGraph_Demo::Timer1Timer(TObject*)
{
    // Single-precision counters, each sum rounded back to float.
    const double step = FUp ? 1.0 : -1.0;
    FA = float(FA + step);
    FB = float(FB + step);
    FC = float(FC - step);
    FD = float(FD + 0.5 * step);
    FE = float(FE + 0.2 * step);
    if (FA >= 95)
        FUp = false;
    if (FA <= 0)
        FUp = true;
    BarGraph1->SetValue(FA);
    BarGraph2->SetValue(FB);
    BarGraph3->SetValue(FC);
    BarGraph4->SetValue(FD);
    BarGraph5->SetValue(FE);
}

void TBarGraph_Demo::BitBtn1Click(TObject*)
{
    Close();
}

void TBarGraph_Demo::FormClose(TObject*, TCloseAction&)
{
    Timer1->SetEnabled(false);
}

void TBarGraph_Demo::TourStart()
{
    // The timer runs since the window was shown; a few steps ahead the bars
    // already stand at different heights, however slowly it ticks.
    if (!Timer1->Enabled())
        FormShow(this);
    for (int i = 0; i < 40; ++i)
        Timer1Timer(Timer1);
}

} // namespace Tessaron
