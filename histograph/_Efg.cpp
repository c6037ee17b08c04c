#include "histograph/_Efg.h"
#include "histograph/Histo.h"
#include "histograph/RecorderTools.h"

#include <platform/Buttons.h>

namespace Tessaron {

using namespace RecorderTools;

TFormGrid::TFormGrid(TComponent* AOwner) : TForm(AOwner)
{
    SetUpWindow(this, QStringLiteral("Gitter"), 201, 193, bsDialog);
    auto* box = Place<TGroupBox>(this, this, 8, 4, 185, 149);
    box->SetCaption(QStringLiteral("Gitter"));
    CheckBox1 = Place<TCheckBox>(this, box, 8, 20, 150, 17);
    CheckBox1->SetCaption(QStringLiteral("Gitter sichtbar"));
    PlaceLabel(this, box, 8, 44, QStringLiteral("Skalierung"));
    ComboBoxScale = Place<TComboBox>(this, box, 8, 60, 169, 21);
    ComboBoxScale->SetStyle(TComboBox::csDropDownList);
    ComboBoxScale->SetItems({QStringLiteral("linear/linear"), QStringLiteral("linear/logarithmisch"),
        QStringLiteral("logarithmisch/linear"), QStringLiteral("logarithmisch/logarithmisch")});
    PlaceLabel(this, box, 8, 92, QStringLiteral("Linientypen"));
    ComboBoxLine = Place<TComboBox>(this, box, 8, 108, 169, 21);
    ComboBoxLine->SetStyle(TComboBox::csOwnerDrawFixed);
    ComboBoxLine->SetItems({QString(), QString(), QString(), QString(), QString(), QString(), QString()});
    ComboBoxLine->OnDrawItem = [this](TWinControl*, int Index, TRect Rect, TOwnerDrawState) {
        DrawLineStyleItem(ComboBoxLine->Canvas(), Rect, Index);
    };
    BitBtnCancel = Place<TBitBtn>(this, this, 8, 160, 89, 25);
    BitBtnCancel->SetKind(TBitBtn::bkCancel);
    BitBtnOK = Place<TBitBtn>(this, this, 104, 160, 89, 25);
    BitBtnOK->SetKind(TBitBtn::bkOK);
    BitBtnOK->SetCaption(QStringLiteral("OK"));

    CheckBox1->OnClick = [this](TObject*) {
        if (FHisto && !FSynchronizing)
            FHisto->SetGridVisible(CheckBox1->Checked() ? grdBoth : grdNone);
    };
    ComboBoxScale->OnChange = [this](TObject*) {
        if (FHisto && !FSynchronizing && ComboBoxScale->ItemIndex() >= 0)
            FHisto->SetGridScale(THistograph::TGrdScale(ComboBoxScale->ItemIndex()));
    };
    ComboBoxLine->OnChange = [this](TObject*) {
        if (FHisto && !FSynchronizing && ComboBoxLine->ItemIndex() >= 0)
            FHisto->SetGridLineStyle(TPenStyle(ComboBoxLine->ItemIndex()));
    };
    OnShow = [this](TObject*) { FormShow(); };
    OnActivate = [this](TObject*) { Synchronize(); };
    OnClose = [this](TObject*, TCloseAction&) { FormClose(); };
}

void TFormGrid::FormShow()
{
    if (!FHisto)
        return;
    FSavedLineStyle = FHisto->GridLineStyle();
    FSavedVisible = FHisto->GridVisible();
    FSavedScale = FHisto->GridScale();
    Synchronize();
}

void TFormGrid::Synchronize()
{
    if (!FHisto)
        return;
    FSynchronizing = true;
    ComboBoxScale->SetItemIndex(int(FHisto->GridScale()));
    ComboBoxLine->SetItemIndex(int(FHisto->GridLineStyle()));
    CheckBox1->SetChecked(FHisto->GridVisible() != grdNone);
    FSynchronizing = false;
}

void TFormGrid::FormClose()
{
    if (!FHisto || ModalResult() != mrCancel)
        return;
    FHisto->SetGridLineStyle(FSavedLineStyle);
    FHisto->SetGridVisible(FSavedVisible);
    FHisto->SetGridScale(THistograph::TGrdScale(FSavedScale));
}

} // namespace Tessaron
