#include "histograph/HistoXY_Unit.h"

#include <platform/FormRegistry.h>
#include <platform/SysUtils.h>

#include <cmath>

namespace Tessaron {

THisto1_Demo* Histo1_Demo = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<THisto1_Demo>(&Histo1_Demo);
}

THisto1_Demo::THisto1_Demo(TComponent* AOwner) : TForm(AOwner)
{
}

void THisto1_Demo::FormCreate(TObject*)
{
    Histograph1->SetMode(THistograph::modeMeasure);
}

void THisto1_Demo::FormClose(TObject*, TCloseAction&)
{
    Timer1->SetEnabled(false);
}

void THisto1_Demo::BitBtn2Click(TObject*)
{
    Randomize();
    FF1 = Random() * 0.25;
    FF2 = Random() * 0.25;
    if (Random() > 0.5) {
        FKind = 1;
        FD1 = Random() * 0.05;
        FD2 = (Random() - 0.5) * 0.05 + FD1;
        FP1 = 0;
        FP2 = 90;
    } else {
        FKind = 2;
        FD1 = Random() * 0.0005;
        FD2 = Random() * 0.0005;
    }
    Timer1->SetEnabled(true);
}

void THisto1_Demo::Timer1Timer(TObject*)
{
    for (int step = 0; step < 10; ++step) {
        if (FKind == 1) {
            FF1 += FD1;
            FF2 += FD2;
            if (FF1 > 1 || FF1 < -1)
                FD1 = -FD1;
            if (FF2 > 1 || FF2 < -1)
                FD2 = -FD2;
            for (int i = 1; i <= PairCount; ++i) {
                FPairs[2 * std::size_t(i - 1)] = float(std::cos(i * FF2));
                FPairs[2 * std::size_t(i - 1) + 1] = float(std::sin(i * FF1));
            }
        } else {
            FP1 += FD1;
            FP2 += FD2;
            for (int i = 1; i <= PairCount; ++i) {
                FPairs[2 * std::size_t(i - 1)] = float(std::sin(i * FF2 + FP1));
                FPairs[2 * std::size_t(i - 1) + 1] = float(std::sin(i * FF1 + FP2));
            }
        }
        Histograph1->SetSeriesDataXY(FPairs.data(), PairCount, 1);
    }
}

void THisto1_Demo::TourStart()
{
    BitBtn2->Click();
}

} // namespace Tessaron
