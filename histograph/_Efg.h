#pragma once
// TFormGrid: the histograph's "Gitter" dialog: grid on or off, the scale of
// both axes and the grid's line style, applied at once; Cancel restores them.

#include <histograph/RecorderTypes.h>

#include <platform/Forms.h>
#include <platform/StdCtrls.h>

namespace Tessaron {

class THistograph;
class TBitBtn;

class TFormGrid : public TForm {
    Q_OBJECT
public:
    explicit TFormGrid(TComponent* AOwner = nullptr);

    void SetHisto(THistograph* Histo) { FHisto = Histo; }

    TCheckBox* CheckBox1 = nullptr;   // "Gitter sichtbar"
    TComboBox* ComboBoxScale = nullptr;
    TComboBox* ComboBoxLine = nullptr; // owner-drawn pen styles
    TBitBtn* BitBtnCancel = nullptr;
    TBitBtn* BitBtnOK = nullptr;

private:
    void FormShow();
    // Shows the histograph's current settings (without applying them back).
    void Synchronize();
    void FormClose();

    THistograph* FHisto = nullptr;
    bool FSynchronizing = false;
    TPenStyle FSavedLineStyle = psSolid;
    TGrdVisible FSavedVisible = grdNone;
    int FSavedScale = 0;
};

} // namespace Tessaron
