#pragma once
// TFormGrid: the recorders' "Gitter" dialog: grid on or off, the scale and
// the grid's line style, applied at once; Cancel restores them. It reaches
// the recorder through GridVisible, GridScale and GridLineStyle; the scale
// list holds exactly the recorder's scales, in their order.

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

    void SetHisto(THistograph* Histo);

    TCheckBox* CheckBox1 = nullptr;   // "Gitter sichtbar"
    TComboBox* ComboBoxScale = nullptr;
    TComboBox* ComboBoxLine = nullptr; // owner-drawn pen styles
    TBitBtn* BitBtnCancel = nullptr;
    TBitBtn* BitBtnOK = nullptr;

protected:
    // A dialog whose scale list offers ScaleItems (index = scale value).
    TFormGrid(TComponent* AOwner, const QStringList& ScaleItems);
    // Any component with the grid properties.
    void SetRecorder(TComponent* Recorder) { FRecorder = Recorder; }

private:
    void FormShow();
    // Shows the histograph's current settings (without applying them back).
    void Synchronize();
    void FormClose();

    void Apply(const char* Property, int Value);

    TComponent* FRecorder = nullptr;
    bool FSynchronizing = false;
    int FSavedLineStyle = 0;
    int FSavedVisible = 0;
    int FSavedScale = 0;
};

} // namespace Tessaron
