#pragma once
// TFormAxis: the histograph's "Maße" dialog: range, step and decimals of both
// axes. An edit's number is applied when the edit is left, the decimals at
// every change; Cancel restores all ten view values.

#include <platform/Forms.h>
#include <platform/Spin.h>
#include <platform/StdCtrls.h>

#include <array>

namespace Tessaron {

class THistograph;
class TBitBtn;

class TFormAxis : public TForm {
    Q_OBJECT
public:
    explicit TFormAxis(TComponent* AOwner = nullptr);

    void SetHisto(THistograph* Histo) { FHisto = Histo; }

    TEdit* EXMin = nullptr;
    TEdit* EXMax = nullptr;
    TEdit* EXGap = nullptr;
    TSpinEdit* SEXDecimals = nullptr;
    TEdit* EYMin = nullptr;
    TEdit* EYMax = nullptr;
    TEdit* EYGap = nullptr;
    TSpinEdit* SEYDecimals = nullptr;
    TBitBtn* BitBtnCancel = nullptr;
    TBitBtn* BitBtnOK = nullptr;

private:
    void FormShow();
    void FormClose();
    // Text that is no number raises the conversion error; nothing changes.
    void EditExit(TObject* Sender);

    THistograph* FHisto = nullptr;
    // X nominal min/max, current min/max, gap, decimals; Y min, max, gap, decimals.
    std::array<float, 8> FSaved{};
    int FSavedXDecimals = 0;
    int FSavedYDecimals = 0;
};

} // namespace Tessaron
