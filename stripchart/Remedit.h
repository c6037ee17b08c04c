#pragma once
// TEditRemark: the modal dialog in which a remark of a strip chart run is
// written or changed: run number and time (read only), the series it belongs
// to (0 in the spinner means all series), automatic or manual, and its text.

#include <platform/Forms.h>

#include <QString>

namespace Tessaron {

class TButton;
class TEdit;
class TGroupBox;
class TLabel;
class TRadioButton;
class TSpinEdit;

class TEditRemark : public TForm {
    Q_OBJECT
public:
    // Longest remark text kept.
    static constexpr int MaxText = 200;

    explicit TEditRemark(TComponent* AOwner = nullptr);

    // What the dialog shows and, after Edit(), what the user confirmed.
    int RunNumber = 0;
    double Time = 0;
    // -1: all series.
    int Series = -1;
    // 0: automatic, 1: manual.
    int Flag = 1;
    QString Text;

    // Fills the controls from the fields above.
    void ShowValues();
    // Takes the controls back into the fields (text cut to MaxText).
    void TakeValues();
    // Shows the dialog modally; on OK the fields take the edited values.
    bool Edit();

    TLabel* RunLabel = nullptr;
    TLabel* TimeLabel = nullptr;
    TSpinEdit* SeriesSpin = nullptr;
    TLabel* SeriesText = nullptr;
    TRadioButton* Automatic = nullptr;
    TRadioButton* Manual = nullptr;
    TEdit* TextEdit = nullptr;
    TButton* OkButton = nullptr;
    TButton* CancelButton = nullptr;

private:
    void SeriesChanged();
};

} // namespace Tessaron
