#include "stripchart/_sEtb.h"
#include "stripchart/StrpChrt.h"
#include "stripchart/_sEfa.h"
#include "stripchart/_sEfg.h"
#include "stripchart/_sEft.h"

#include <histograph/RecorderTools.h>

namespace Tessaron {

using namespace RecorderTools;

TFormToolBarStrip::TFormToolBarStrip(TComponent* AOwner) : TForm(AOwner)
{
    Panel1 = SetUpToolBar(this, 338);
    PlaceToolButtons(this, Panel1,
        {
            {&BShowCross, 8, 1, "Fadenkreuz", "cross"},
            {&BModeZoom, 40, 2, "Zoom", "zoom"},
            {&BModeMeasure, 64, 2, "Meßkurve(n)", "measure"},
            {&BModeRemark, 88, 2, "Bemerkung ändern", "remark"},
            {&BModeCalculate, 112, 2, "Vermessen", "calculate"},
            {&BAutoScale, 144, 3, "Autoscale", "autoscale"},
            {&BCapture, 168, 0, "fangen", "capture"},
            {&BJogShuttle, 200, 4, "Jog Shuttle", "jogshuttle"},
            {&BValueBar, 224, 5, "Werte anzeigen", "valuebar"},
            {&BTitle, 256, 0, "Beschriftung", "title"},
            {&BGrid, 280, 0, "Gitter", "grid"},
            {&BView, 304, 0, "Maße", "axis"},
        },
        [this](TObject* Sender) { ButtonClick(Sender); });
    for (TSpeedButton* toggle : {BShowCross, BAutoScale, BJogShuttle, BValueBar})
        toggle->SetAllowAllUp(true);
    BModeMeasure->SetDown(true);
    ColorGridHisto1 = PlacePalette(this, Panel1, QStringLiteral("Farben"));

    Timer1 = FollowRecorder(
        this, [this](bool Windows) { Synchronize(Windows); },
        [this] {
            if (FChart)
                FChart->SetShowToolBar(false);
        });

    FormTitle = new TFormTitleStrip(this);
    FormGrid = new TFormGridStrip(this);
    FormAxis = new TFormAxisStrip(this);
}

TFormToolBarStrip::~TFormToolBarStrip()
{
    Timer1->SetEnabled(false);
    FChart = nullptr;
}

void TFormToolBarStrip::SetChart(TStripChart* Chart)
{
    FChart = Chart;
    FormTitle->SetChart(Chart);
    FormGrid->SetChart(Chart);
    FormAxis->SetChart(Chart);
    Synchronize(true);
}

void TFormToolBarStrip::Synchronize(bool Windows)
{
    if (!FChart)
        return;
    BShowCross->SetDown(FChart->ShowCross());
    BAutoScale->SetDown(FChart->AutoScale());
    TSpeedButton* modes[] = {BModeMeasure, BModeRemark, BModeZoom, BModeCalculate};
    modes[std::size_t(FChart->StripMode())]->SetDown(true);
    if (Windows) {
        BJogShuttle->SetDown(FChart->ShowJogShuttleBar());
        BValueBar->SetDown(FChart->ShowValueBar());
    }
}

void TFormToolBarStrip::ButtonClick(TObject* Sender)
{
    if (!FChart)
        return;
    auto* b = static_cast<TSpeedButton*>(Sender);
    if (b == BShowCross)
        FChart->SetShowCross(b->Down());
    else if (b == BModeZoom && b->Down())
        FChart->SetStripMode(Strip::modeZoom);
    else if (b == BModeMeasure && b->Down())
        FChart->SetStripMode(Strip::modeMeasure);
    else if (b == BModeRemark && b->Down())
        FChart->SetStripMode(Strip::modeRemark);
    else if (b == BModeCalculate && b->Down())
        FChart->SetStripMode(Strip::modeCalculate);
    else if (b == BAutoScale)
        FChart->SetAutoScale(b->Down());
    else if (b == BCapture)
        FChart->ScaleToData();
    else if (b == BJogShuttle)
        FChart->SetShowJogShuttleBar(!FChart->ShowJogShuttleBar());
    else if (b == BValueBar)
        FChart->SetShowValueBar(!FChart->ShowValueBar());
    else if (b == BTitle)
        FormTitle->ShowModal();
    else if (b == BGrid)
        FormGrid->ShowModal();
    else if (b == BView)
        FormAxis->ShowModal();
}

} // namespace Tessaron
