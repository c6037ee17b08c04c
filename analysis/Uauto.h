#pragma once
// The autocorrelation dialog: a sweeping test signal and its circular
// autocorrelation under the chosen window.

#include <analysis/UAnalysisDialog.h>

namespace Tessaron {

class TAutokorrDialog : public TAnalysisDialog {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/Uauto.tfm")
    Q_PROPERTY(Tessaron::TButton* Button10 MEMBER Button10)
    Q_PROPERTY(Tessaron::TButton* Button11 MEMBER Button11)

public:
    explicit TAutokorrDialog(TComponent* AOwner = nullptr);

    // Transform length 512; the vectors; the sweep from 0.1.
    Q_INVOKABLE void FormCreate(Tessaron::TObject* Sender);
    // "Sinus", "Rechteck", "Sägezahn", "Rauschen", "Verr. Sinus": compute,
    // then fit the result view to the signal.
    Q_INVOKABLE void Button1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button2Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button3Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button10Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button11Click(Tessaron::TObject* Sender);

    void Calculate() override;

    TButton* Button10 = nullptr;
    TButton* Button11 = nullptr;

    // N = 512 elements each: the signal and its autocorrelation.
    TComplexVector* Signal = nullptr;
    TComplexVector* Work = nullptr;

private:
    void ChooseFunction(int Type);
};

extern TAutokorrDialog* AutokorrDialog;

} // namespace Tessaron
