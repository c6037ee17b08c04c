#include "histograph/_Etb.h"
#include "histograph/Histo.h"
#include "histograph/RecorderTools.h"
#include "histograph/_Efa.h"
#include "histograph/_Efg.h"
#include "histograph/_Eft.h"

namespace Tessaron {

using namespace RecorderTools;

TFormToolBar::TFormToolBar(TComponent* AOwner) : TForm(AOwner)
{
    Panel1 = SetUpToolBar(this, 337);
    PlaceToolButtons(this, Panel1,
        {
            {&BShowCross, 8, 1, "Fadenkreuz", "cross"},
            {&BModeZoom, 40, 2, "Zoom", "zoom"},
            {&BModeLowerRef, 64, 2, "untere Referenzkurve", "lowerref"},
            {&BModeMeasure, 88, 2, "Meßkurve(n)", "measure"},
            {&BModeCalculate, 112, 2, "Vermessen", "calculate"},
            {&BModeUpperRef, 136, 2, "obere Referenzkurve", "upperref"},
            {&BAutoScale, 168, 3, "Autoscale", "autoscale"},
            {&BCapture, 192, 0, "fangen", "capture"},
            {&BValueBar, 224, 4, "Werte anzeigen", "valuebar"},
            {&BTitle, 256, 0, "Beschriftung", "title"},
            {&BGrid, 280, 0, "Gitter", "grid"},
            {&BView, 304, 0, "Maße", "axis"},
        },
        [this](TObject* Sender) { ButtonClick(Sender); });
    // The single switches may all be up.
    for (TSpeedButton* toggle : {BShowCross, BAutoScale, BValueBar})
        toggle->SetAllowAllUp(true);
    BModeMeasure->SetDown(true);
    ColorGridHisto1 = PlacePalette(this, Panel1, QStringLiteral("Drag&Drop Farbpalette"));

    Timer1 = FollowRecorder(
        this, [this](bool) { Synchronize(); },
        [this] {
            if (FHisto)
                FHisto->SetShowToolBar(false);
        });

    FormTitle = new TFormTitle(this);
    FormGrid = new TFormGrid(this);
    FormAxis = new TFormAxis(this);
}

TFormToolBar::~TFormToolBar()
{
    Timer1->SetEnabled(false);
    FHisto = nullptr;
}

void TFormToolBar::SetHisto(THistograph* Histo)
{
    FHisto = Histo;
    FormTitle->SetHisto(Histo);
    FormGrid->SetHisto(Histo);
    FormAxis->SetHisto(Histo);
    Synchronize();
}

void TFormToolBar::Synchronize()
{
    if (!FHisto)
        return;
    BValueBar->SetDown(FHisto->ShowValueBar());
    BShowCross->SetDown(FHisto->ShowCross());
    BAutoScale->SetDown(FHisto->AutoScale());
    TSpeedButton* modes[] = {BModeMeasure, BModeLowerRef, BModeUpperRef, BModeZoom, BModeCalculate};
    modes[std::size_t(FHisto->Mode())]->SetDown(true);
}

void TFormToolBar::ButtonClick(TObject* Sender)
{
    if (!FHisto)
        return;
    auto* b = static_cast<TSpeedButton*>(Sender);
    if (b == BShowCross)
        FHisto->SetShowCross(b->Down());
    else if (b == BModeZoom && b->Down())
        FHisto->SetMode(THistograph::modeZoom);
    else if (b == BModeLowerRef && b->Down())
        FHisto->SetMode(THistograph::modeLowerRef);
    else if (b == BModeMeasure && b->Down())
        FHisto->SetMode(THistograph::modeMeasure);
    else if (b == BModeCalculate && b->Down())
        FHisto->SetMode(THistograph::modeCalculate);
    else if (b == BModeUpperRef && b->Down())
        FHisto->SetMode(THistograph::modeUpperRef);
    else if (b == BAutoScale)
        FHisto->SetAutoScale(b->Down());
    else if (b == BCapture)
        FHisto->CaptureScale();
    else if (b == BValueBar)
        FHisto->SetShowValueBar(b->Down());
    else if (b == BTitle)
        FormTitle->ShowModal();
    else if (b == BGrid)
        FormGrid->ShowModal();
    else if (b == BView)
        FormAxis->ShowModal();
}

} // namespace Tessaron
