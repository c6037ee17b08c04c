#pragma once
// The cross-correlation dialog: signal 1 at a fixed frequency, signal 2
// sweeping, and their circular cross-correlation under the chosen window.

#include <analysis/UAnalysisDialog.h>

namespace Tessaron {

class TKreuzkorrelationDialog : public TTwoSignalDialog {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/Ucross.tfm")

public:
    explicit TKreuzkorrelationDialog(TComponent* AOwner = nullptr);

    // Transform length 256; the vectors; the sweep from 0.031.
    Q_INVOKABLE void FormCreate(Tessaron::TObject* Sender);
    // Signal 1: "Sinus", "Rechteck", "Sägezahn", "Rauschen", "Verr. Sinus":
    // fit the result view to the signal, then compute.
    Q_INVOKABLE void Button1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button2Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button3Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button10Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button11Click(Tessaron::TObject* Sender);

    // Plots both signals and the N values of the cross-correlation.
    void Calculate() override;

private:
    void ChooseFunction(int Type);
};

extern TKreuzkorrelationDialog* KreuzkorrelationDialog;

} // namespace Tessaron
