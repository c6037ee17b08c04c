#pragma once
// TFormAxisStrip: the strip chart's "Maße" dialog: the time step of the grid
// and the value range, step and decimals. An edit's number is applied when
// the edit is left; text that is no number gives the field the property's
// current value back. The decimals apply at every change; Cancel restores
// the five values the dialog was opened with.

#include <platform/Forms.h>
#include <platform/Spin.h>
#include <platform/StdCtrls.h>

namespace Tessaron {

class TStripChart;
class TBitBtn;

class TFormAxisStrip : public TForm {
    Q_OBJECT
public:
    explicit TFormAxisStrip(TComponent* AOwner = nullptr);

    void SetChart(TStripChart* Chart) { FChart = Chart; }

    TEdit* EXGap = nullptr;
    TEdit* EYMin = nullptr;
    TEdit* EYMax = nullptr;
    TEdit* EYGap = nullptr;
    TSpinEdit* SEYDecimals = nullptr;
    TBitBtn* BitBtnCancel = nullptr;
    TBitBtn* BitBtnOK = nullptr;

private:
    void FormShow();
    void FormClose();
    void EditExit(TObject* Sender);
    // The chart's value behind an edit.
    double ValueOf(const TObject* Edit) const;

    TStripChart* FChart = nullptr;
    double FSavedXGap = 1.0;
    float FSavedYMin = 0.0f;
    float FSavedYMax = 0.0f;
    float FSavedYGap = 0.0f;
    int FSavedYDecimals = 0;
};

} // namespace Tessaron
