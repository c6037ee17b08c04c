#include "stripchart/_sEfa.h"
#include "stripchart/StrpChrt.h"

#include <histograph/RecorderTools.h>

#include <platform/Buttons.h>
#include <platform/SysUtils.h>

namespace Tessaron {

using namespace RecorderTools;

TFormAxisStrip::TFormAxisStrip(TComponent* AOwner) : TForm(AOwner)
{
    SetUpWindow(this, QStringLiteral("Maße"), 217, 251, bsDialog);
    auto* xBox = Place<TGroupBox>(this, this, 8, 8, 201, 53);
    xBox->SetCaption(QStringLiteral("X-Achse"));
    auto* yBox = Place<TGroupBox>(this, this, 8, 68, 201, 137);
    yBox->SetCaption(QStringLiteral("Y-Achse"));
    auto row = [this](TGroupBox* Box, int Y, const char* Caption) {
        PlaceLabel(this, Box, 8, Y + 4, QString::fromUtf8(Caption));
        auto* edit = Place<TEdit>(this, Box, 96, Y, 97, 21);
        edit->OnExit = [this](TObject* Sender) { EditExit(Sender); };
        return edit;
    };
    EXGap = row(xBox, 20, "Abstand");
    EYMin = row(yBox, 24, "Min");
    EYMax = row(yBox, 52, "Max");
    EYGap = row(yBox, 80, "Abstand");
    PlaceLabel(this, yBox, 8, 112, QStringLiteral("Dezimalstellen"));
    SEYDecimals = Place<TSpinEdit>(this, yBox, 96, 108, 97, 22);
    SEYDecimals->OnChange = [this](TObject*) {
        if (FChart)
            FChart->SetViewYDecimals(SEYDecimals->Value());
    };
    BitBtnCancel = Place<TBitBtn>(this, this, 8, 220, 97, 25);
    BitBtnCancel->SetKind(TBitBtn::bkCancel);
    BitBtnOK = Place<TBitBtn>(this, this, 112, 220, 97, 25);
    BitBtnOK->SetKind(TBitBtn::bkOK);
    OnShow = [this](TObject*) { FormShow(); };
    OnClose = [this](TObject*, TCloseAction&) { FormClose(); };
}

double TFormAxisStrip::ValueOf(const TObject* Edit) const
{
    if (Edit == EXGap)
        return FChart->ViewXGap();
    if (Edit == EYMin)
        return FChart->ViewYMin();
    if (Edit == EYMax)
        return FChart->ViewYMax();
    return FChart->ViewYGap();
}

void TFormAxisStrip::FormShow()
{
    if (!FChart)
        return;
    FSavedXGap = FChart->ViewXGap();
    FSavedYMin = FChart->ViewYMin();
    FSavedYMax = FChart->ViewYMax();
    FSavedYGap = FChart->ViewYGap();
    FSavedYDecimals = FChart->ViewYDecimals();
    for (TEdit* edit : {EXGap, EYMin, EYMax, EYGap})
        edit->SetText(EditText(ValueOf(edit)));
    SEYDecimals->SetValue(FSavedYDecimals);
}

void TFormAxisStrip::EditExit(TObject* Sender)
{
    if (!FChart)
        return;
    auto* edit = static_cast<TEdit*>(Sender);
    double v = 0.0;
    if (TryStrToFloat(edit->Text(), v)) {
        if (edit == EXGap)
            FChart->SetViewXGap(v);
        else if (edit == EYMin)
            FChart->SetViewYMin(float(v));
        else if (edit == EYMax)
            FChart->SetViewYMax(float(v));
        else
            FChart->SetViewYGap(float(v));
    }
    // A setter may refuse the number (a step <= 0): the field shows what holds.
    edit->SetText(EditText(ValueOf(edit)));
}

void TFormAxisStrip::FormClose()
{
    if (!FChart || ModalResult() != mrCancel)
        return;
    FChart->SetEnableUpdate(false);
    FChart->SetViewXGap(FSavedXGap);
    FChart->SetViewYMin(FSavedYMin);
    FChart->SetViewYMax(FSavedYMax);
    FChart->SetViewYGap(FSavedYGap);
    FChart->SetViewYDecimals(FSavedYDecimals);
    FChart->SetEnableUpdate(true);
}

} // namespace Tessaron
