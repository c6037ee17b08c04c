#include "histograph/_Efg.h"
#include "histograph/Histo.h"
#include "histograph/RecorderTools.h"

#include <platform/Buttons.h>

#include <QMetaProperty>

namespace Tessaron {

using namespace RecorderTools;

TFormGrid::TFormGrid(TComponent* AOwner)
    : TFormGrid(AOwner, {QStringLiteral("linear/linear"), QStringLiteral("linear/logarithmisch"),
                            QStringLiteral("logarithmisch/linear"), QStringLiteral("logarithmisch/logarithmisch")})
{
}

TFormGrid::TFormGrid(TComponent* AOwner, const QStringList& ScaleItems) : TForm(AOwner)
{
    SetUpWindow(this, QStringLiteral("Gitter"), 201, 193, bsDialog);
    auto* box = Place<TGroupBox>(this, this, 8, 4, 185, 149);
    box->SetCaption(QStringLiteral("Gitter"));
    CheckBox1 = Place<TCheckBox>(this, box, 8, 20, 150, 17);
    CheckBox1->SetCaption(QStringLiteral("Gitter sichtbar"));
    PlaceLabel(this, box, 8, 44, QStringLiteral("Skalierung"));
    ComboBoxScale = Place<TComboBox>(this, box, 8, 60, 169, 21);
    ComboBoxScale->SetStyle(TComboBox::csDropDownList);
    ComboBoxScale->SetItems(ScaleItems);
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

    CheckBox1->OnClick = [this](TObject*) { Apply("GridVisible", CheckBox1->Checked() ? grdBoth : grdNone); };
    ComboBoxScale->OnChange = [this](TObject*) { Apply("GridScale", ComboBoxScale->ItemIndex()); };
    ComboBoxLine->OnChange = [this](TObject*) { Apply("GridLineStyle", ComboBoxLine->ItemIndex()); };
    OnShow = [this](TObject*) { FormShow(); };
    OnActivate = [this](TObject*) { Synchronize(); };
    OnClose = [this](TObject*, TCloseAction&) { FormClose(); };
}

void TFormGrid::SetHisto(THistograph* Histo)
{
    SetRecorder(Histo);
}

namespace {

int IntProperty(const TComponent* Recorder, const char* Name)
{
    return Recorder->property(Name).toInt();
}

} // namespace

void TFormGrid::Apply(const char* Property, int Value)
{
    // Writing the enumeration from its ordinal; a list without a selection writes nothing.
    if (FRecorder && !FSynchronizing && Value >= 0) {
        const QMetaProperty p =
            FRecorder->metaObject()->property(FRecorder->metaObject()->indexOfProperty(Property));
        QVariant v(Value);
        v.convert(p.metaType());
        p.write(FRecorder, v);
    }
}

void TFormGrid::FormShow()
{
    if (!FRecorder)
        return;
    FSavedLineStyle = IntProperty(FRecorder, "GridLineStyle");
    FSavedVisible = IntProperty(FRecorder, "GridVisible");
    FSavedScale = IntProperty(FRecorder, "GridScale");
    Synchronize();
}

void TFormGrid::Synchronize()
{
    if (!FRecorder)
        return;
    FSynchronizing = true;
    ComboBoxScale->SetItemIndex(IntProperty(FRecorder, "GridScale"));
    ComboBoxLine->SetItemIndex(IntProperty(FRecorder, "GridLineStyle"));
    CheckBox1->SetChecked(IntProperty(FRecorder, "GridVisible") != grdNone);
    FSynchronizing = false;
}

void TFormGrid::FormClose()
{
    if (!FRecorder || ModalResult() != mrCancel)
        return;
    Apply("GridLineStyle", FSavedLineStyle);
    Apply("GridVisible", FSavedVisible);
    Apply("GridScale", FSavedScale);
}

} // namespace Tessaron
