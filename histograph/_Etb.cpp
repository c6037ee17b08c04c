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
    SetUpWindow(this, QStringLiteral("Werkzeuge"), 337, 54, bsToolWindow);
    UseWindowFont(this, true);
    SetFormStyle(fsStayOnTop);
    Panel1 = Place<TPanel>(this, this, 0, 0, 337, 54);
    Panel1->SetAlign(alClient);
    Panel1->SetShowHint(true);

    struct Button {
        TSpeedButton** Field;
        int X;
        int Group;
        const char* Hint;
        const char* Glyph;
    };
    const Button buttons[] = {
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
    };
    for (const Button& b : buttons) {
        TSpeedButton* button = Place<TSpeedButton>(this, Panel1, b.X, 3, 25, 25);
        button->SetGroupIndex(b.Group);
        button->SetHint(QString::fromUtf8(b.Hint));
        LoadGlyph(button, QString::fromLatin1(b.Glyph));
        button->OnClick = [this](TObject* Sender) { ButtonClick(Sender); };
        *b.Field = button;
    }
    // The single switches may all be up.
    for (TSpeedButton* toggle : {BShowCross, BAutoScale, BValueBar})
        toggle->SetAllowAllUp(true);
    BModeMeasure->SetDown(true);

    ColorGridHisto1 = Place<TColorGridHisto>(this, Panel1, 8, 32, 320, 16);
    ColorGridHisto1->SetGridOrdering(TColorGridHisto::go16x1);
    ColorGridHisto1->SetBounds(8, 32, 320, 16);
    ColorGridHisto1->SetForegroundEnabled(false);
    ColorGridHisto1->SetBackgroundEnabled(false);
    ColorGridHisto1->SetHint(QStringLiteral("Drag&Drop Farbpalette"));
    ColorGridHisto1->SetDragCursor(crCross);
    // A press picks the colour and starts dragging it at once.
    ColorGridHisto1->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
        ColorGridHisto1->BeginDrag(true);
    };

    Timer1 = new TTimer(this);
    Timer1->SetInterval(1000);
    Timer1->OnTimer = [this](TObject*) { Synchronize(); };
    Timer1->SetEnabled(true);
    OnActivate = [this](TObject*) { Synchronize(); };
    OnClose = [this](TObject*, TCloseAction&) {
        if (FHisto)
            FHisto->SetShowToolBar(false);
    };

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
