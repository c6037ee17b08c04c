#include "histograph/HistoYt_Unit.h"
#include "histograph/RecorderTools.h"
#include "histograph/_Eca.h"
#include "histograph/_Etb.h"

#include <platform/FormRegistry.h>
#include <platform/SysUtils.h>

#include <cmath>

namespace Tessaron {

THisto2_Demo* Histo2_Demo = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<THisto2_Demo>(&Histo2_Demo);
}

THisto2_Demo::THisto2_Demo(TComponent* AOwner) : TForm(AOwner)
{
}

void THisto2_Demo::FormCreate(TObject*)
{
    RecorderTools::LoadGlyph(StartYT, QStringLiteral("start"), 2);
    RecorderTools::LoadGlyph(StopYT, QStringLiteral("stop"), 2);
    RecorderTools::LoadGlyph(WerkzeugeYT, QStringLiteral("tools"), 2);
}

void THisto2_Demo::FormShow(TObject*)
{
    THistograph* h = Histograph1;
    h->SetTimerEnabled(false);
    StopYT->SetEnabled(false);
    StartYT->SetEnabled(true);
    h->SetShowToolBar(false);
    h->SetShowValueBar(false);
    h->SetSeriesNumber(3);
    const struct {
        THistograph::TDataKind Kind;
        TColor Color;
    } series[] = {{THistograph::dtData, TColor(0)}, {THistograph::dtUpperRef, TColor(255)},
        {THistograph::dtLowerRef, TColor(255)}};
    for (int i = 0; i < 3; ++i) {
        h->SetSeriesCurrent(i + 1);
        h->SetSeriesStyle(series[i].Kind);
        h->SetSeriesColor(series[i].Color);
    }
    for (int i = 1; i <= ValueCount; ++i) {
        FUpper[std::size_t(i - 1)] = float(std::sin(i * 0.0625) + 0.3);
        FLower[std::size_t(i - 1)] = float(std::sin(i * 0.0625) - 0.3);
    }
    h->SetSeriesData(FUpper.data(), ValueCount, 2);
    h->SetSeriesData(FLower.data(), ValueCount, 3);
}

void THisto2_Demo::FormClose(TObject*, TCloseAction&)
{
    Histograph1->SetTimerEnabled(false);
    Histograph1->SetShowValueBar(false);
    Histograph1->SetShowToolBar(false);
}

void THisto2_Demo::StartYTClick(TObject*)
{
    StartYT->SetEnabled(false);
    StopYT->SetEnabled(true);
    Histograph1->SetTimerEnabled(true);
}

void THisto2_Demo::StopYTClick(TObject*)
{
    StartYT->SetEnabled(true);
    StopYT->SetEnabled(false);
    Histograph1->SetTimerEnabled(false);
}

void THisto2_Demo::WerkzeugeYTClick(TObject*)
{
    Histograph1->SetShowToolBar(!Histograph1->ShowToolBar());
}

void THisto2_Demo::Histograph1Timer(TObject*)
{
    for (int i = 1; i <= ValueCount; ++i)
        FValues[std::size_t(i - 1)] = float(std::sin(i * 0.0625) + Random() * 0.5 - 0.2);
    Histograph1->SetSeriesData(FValues.data(), ValueCount, 1);
}

void THisto2_Demo::TourStart()
{
    StartYT->Click();
    Histograph1->SetShowToolBar(true);
    Histograph1->SetShowValueBar(true);
}

} // namespace Tessaron

namespace Tessaron {

std::vector<TForm*> THisto2_Demo::TourWindows() const
{
    std::vector<TForm*> windows;
    if (Histograph1->ToolBar() && Histograph1->ToolBar()->Visible())
        windows.push_back(Histograph1->ToolBar());
    if (Histograph1->ValueBar() && Histograph1->ValueBar()->Visible())
        windows.push_back(Histograph1->ValueBar());
    return windows;
}

} // namespace Tessaron
