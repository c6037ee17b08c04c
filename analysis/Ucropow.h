#pragma once
// The cross power spectrum dialog: signal 1 at a fixed frequency, signal 2
// sweeping, and the magnitude of their cross power spectrum.

#include <analysis/UAnalysisDialog.h>

namespace Tessaron {

class TCrossPowerDialog : public TTwoSignalDialog {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/Ucropow.tfm")

public:
    explicit TCrossPowerDialog(TComponent* AOwner = nullptr);

    // Transform length 256; the vectors; the sweep from 0.031.
    Q_INVOKABLE void FormCreate(Tessaron::TObject* Sender);
    // Signal 1: "Sinus", "Rechteck", "Sägezahn", "Rauschen", "Verr. Sinus": compute.
    Q_INVOKABLE void Button1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button2Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button3Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button10Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button11Click(Tessaron::TObject* Sender);

    // Plots both signals and bins 0 ... N/2 - 1 of |X1 * conj(X2)|.
    void Calculate() override;

private:
    void ChooseFunction(int Type);
};

extern TCrossPowerDialog* CrossPowerDialog;

} // namespace Tessaron
