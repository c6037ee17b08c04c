#include "stripchart/Remedit.h"

#include <histograph/RecorderTools.h>

#include <platform/Spin.h>
#include <platform/StdCtrls.h>
#include <platform/SysUtils.h>

namespace Tessaron {

using namespace RecorderTools;

TEditRemark::TEditRemark(TComponent* AOwner) : TForm(AOwner)
{
    SetUpWindow(this, QStringLiteral("Bemerkung"), 329, 177, bsDialog);
    auto* box = Place<TGroupBox>(this, this, 8, 8, 313, 129);
    box->SetCaption(QStringLiteral("Bemerkung"));
    PlaceLabel(this, box, 8, 20, QStringLiteral("Run:"), true);
    RunLabel = PlaceLabel(this, box, 64, 20, QStringLiteral("0"), false, 80);
    PlaceLabel(this, box, 152, 20, QStringLiteral("Zeit:"), true);
    TimeLabel = PlaceLabel(this, box, 192, 20, QStringLiteral("0"), false, 113);
    PlaceLabel(this, box, 8, 46, QStringLiteral("Kurve:"), true);
    SeriesSpin = Place<TSpinEdit>(this, box, 64, 42, 49, 22);
    SeriesSpin->SetMinValue(0);
    SeriesSpin->SetMaxValue(8);
    SeriesText = PlaceLabel(this, box, 120, 46, QStringLiteral("Alle"), false, 30);
    Automatic = Place<TRadioButton>(this, box, 160, 44, 80, 17);
    Automatic->SetCaption(QStringLiteral("Automatisch"));
    Manual = Place<TRadioButton>(this, box, 240, 44, 68, 17);
    Manual->SetCaption(QStringLiteral("Manuell"));
    PlaceLabel(this, box, 8, 76, QStringLiteral("Text:"), true);
    TextEdit = Place<TEdit>(this, box, 8, 94, 297, 21);
    TextEdit->SetMaxLength(MaxText);
    OkButton = Place<TButton>(this, this, 160, 145, 75, 25);
    OkButton->SetCaption(QStringLiteral("OK"));
    OkButton->SetDefault(true);
    OkButton->SetModalResult(mrOk);
    CancelButton = Place<TButton>(this, this, 246, 145, 75, 25);
    CancelButton->SetCaption(QStringLiteral("Abbrechen"));
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
    SeriesSpin->OnChange = [this](TObject*) { SeriesChanged(); };
}

void TEditRemark::SeriesChanged()
{
    const int v = SeriesSpin->Value();
    SeriesText->SetCaption(v == 0 ? QStringLiteral("Alle") : QString::number(v));
}

void TEditRemark::ShowValues()
{
    RunLabel->SetCaption(QString::number(RunNumber));
    TimeLabel->SetCaption(FloatToStr(Time));
    // All series (-1) and anything outside 1 ... 8 show as 0, "Alle".
    SeriesSpin->SetValue(Series >= 1 && Series <= 8 ? Series : 0);
    SeriesChanged();
    if (Flag == 0)
        Automatic->SetChecked(true);
    else
        Manual->SetChecked(true);
    TextEdit->SetText(Text.left(MaxText));
}

void TEditRemark::TakeValues()
{
    const int v = SeriesSpin->Value();
    Series = v == 0 ? -1 : v;
    Text = TextEdit->Text().left(MaxText);
    Flag = Automatic->Checked() ? 0 : 1;
}

bool TEditRemark::Edit()
{
    ShowValues();
    if (ShowModal() != mrOk)
        return false;
    TakeValues();
    return true;
}

} // namespace Tessaron
