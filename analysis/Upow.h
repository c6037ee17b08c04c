#pragma once
// The power spectrum dialog: a sweeping test signal and the lower half of its
// power spectrum under the chosen window.

#include <analysis/UAnalysisDialog.h>

namespace Tessaron {

class TPowerSpectrumDialog : public TAnalysisDialog {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/Upow.tfm")
    Q_PROPERTY(Tessaron::TButton* Button10 MEMBER Button10)
    Q_PROPERTY(Tessaron::TButton* Button11 MEMBER Button11)

public:
    explicit TPowerSpectrumDialog(TComponent* AOwner = nullptr);

    // Transform length 512; the vectors; the sweep from 0.1.
    Q_INVOKABLE void FormCreate(Tessaron::TObject* Sender);
    // "Sinus", "Rechteck", "Sägezahn", "Rauschen", "Verr. Sinus": compute.
    Q_INVOKABLE void Button1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button2Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button3Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button10Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button11Click(Tessaron::TObject* Sender);

    // Plots the signal (N values) and bins 0 ... N/2 - 1 of |X[k]|^2.
    void Calculate() override;

    TButton* Button10 = nullptr;
    TButton* Button11 = nullptr;

    // N = 512 elements each: the signal and its power spectrum.
    TComplexVector* Signal = nullptr;
    TComplexVector* Work = nullptr;

private:
    void ChooseFunction(int Type);
};

extern TPowerSpectrumDialog* PowerSpectrumDialog;

} // namespace Tessaron
