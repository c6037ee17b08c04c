#include "histograph/_Efa.h"
#include "histograph/Histo.h"
#include "histograph/RecorderTools.h"

#include <platform/Buttons.h>
#include <platform/SysUtils.h>

namespace Tessaron {

using namespace RecorderTools;

TFormAxis::TFormAxis(TComponent* AOwner) : TForm(AOwner)
{
    SetUpWindow(this, QStringLiteral("Maße"), 217, 327, bsDialog);
    auto group = [this](int Top, const QString& Caption, TEdit*& Min, TEdit*& Max, TEdit*& Gap,
                     TSpinEdit*& Decimals) {
        auto* box = Place<TGroupBox>(this, this, 8, Top, 201, 137);
        box->SetCaption(Caption);
        const char* captions[] = {"Min", "Max", "Abstand", "Dezimalstellen"};
        TEdit** edits[] = {&Min, &Max, &Gap};
        for (int i = 0; i < 4; ++i) {
            const int y = 24 + 28 * i;
            PlaceLabel(this, box, 8, y + 4, QString::fromUtf8(captions[i]));
            if (i < 3) {
                *edits[i] = Place<TEdit>(this, box, 96, y, 97, 21);
                (*edits[i])->OnExit = [this](TObject* Sender) { EditExit(Sender); };
            }
        }
        Decimals = Place<TSpinEdit>(this, box, 96, 24 + 28 * 3, 97, 22);
    };
    group(8, QStringLiteral("X-Achse"), EXMin, EXMax, EXGap, SEXDecimals);
    group(152, QStringLiteral("Y-Achse"), EYMin, EYMax, EYGap, SEYDecimals);
    SEXDecimals->SetMinValue(0);
    SEXDecimals->SetMaxValue(8);
    SEXDecimals->SetMaxLength(1);
    SEXDecimals->OnChange = [this](TObject*) {
        if (FHisto)
            FHisto->SetViewXDecimals(SEXDecimals->Value());
    };
    SEYDecimals->OnChange = [this](TObject*) {
        if (FHisto)
            FHisto->SetViewYDecimals(SEYDecimals->Value());
    };
    BitBtnCancel = Place<TBitBtn>(this, this, 8, 296, 97, 25);
    BitBtnCancel->SetKind(TBitBtn::bkCancel);
    BitBtnOK = Place<TBitBtn>(this, this, 112, 296, 97, 25);
    BitBtnOK->SetKind(TBitBtn::bkOK);
    OnShow = [this](TObject*) { FormShow(); };
    OnClose = [this](TObject*, TCloseAction&) { FormClose(); };
}

void TFormAxis::FormShow()
{
    if (!FHisto)
        return;
    THistograph* h = FHisto;
    FSaved = {h->ViewXNominalMin(), h->ViewXNominalMax(), h->ViewXCurrentMin(), h->ViewXCurrentMax(),
        h->ViewXGap(), h->ViewYMin(), h->ViewYMax(), h->ViewYGap()};
    FSavedXDecimals = h->ViewXDecimals();
    FSavedYDecimals = h->ViewYDecimals();
    EXMin->SetText(EditText(h->ViewXNominalMin()));
    EXMax->SetText(EditText(h->ViewXNominalMax()));
    EXGap->SetText(EditText(h->ViewXGap()));
    EYMin->SetText(EditText(h->ViewYMin()));
    EYMax->SetText(EditText(h->ViewYMax()));
    EYGap->SetText(EditText(h->ViewYGap()));
    SEXDecimals->SetValue(FSavedXDecimals);
    SEYDecimals->SetValue(FSavedYDecimals);
}

void TFormAxis::EditExit(TObject* Sender)
{
    if (!FHisto)
        return;
    const float v = float(StrToFloat(static_cast<TEdit*>(Sender)->Text()));
    THistograph* h = FHisto;
    if (Sender == EXMin) {
        h->SetViewXNominalMin(v);
        h->SetViewXCurrentMin(v);
    } else if (Sender == EXMax) {
        h->SetViewXNominalMax(v);
        h->SetViewXCurrentMax(v);
    } else if (Sender == EXGap) {
        h->SetViewXGap(v);
    } else if (Sender == EYMin) {
        h->SetViewYMin(v);
    } else if (Sender == EYMax) {
        h->SetViewYMax(v);
    } else if (Sender == EYGap) {
        h->SetViewYGap(v);
    }
}

void TFormAxis::FormClose()
{
    if (!FHisto || ModalResult() != mrCancel)
        return;
    THistograph* h = FHisto;
    h->SetEnableUpdate(false);
    h->SetViewXNominalMin(FSaved[0]);
    h->SetViewXNominalMax(FSaved[1]);
    h->SetViewXCurrentMin(FSaved[2]);
    h->SetViewXCurrentMax(FSaved[3]);
    h->SetViewXGap(FSaved[4]);
    h->SetViewYMin(FSaved[5]);
    h->SetViewYMax(FSaved[6]);
    h->SetViewYGap(FSaved[7]);
    h->SetViewXDecimals(FSavedXDecimals);
    h->SetViewYDecimals(FSavedYDecimals);
    h->SetEnableUpdate(true);
}

} // namespace Tessaron
