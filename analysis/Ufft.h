#pragma once
// The FFT dialog: a sweeping test signal of 2N real samples and the
// magnitudes of its real transform on logarithmic axes.

#include <analysis/UAnalysisDialog.h>

namespace Tessaron {

class TfftDialog : public TAnalysisDialog {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/Ufft.tfm")

public:
    explicit TfftDialog(TComponent* AOwner = nullptr);

    // Transform length 256 (512 real samples); the vectors; the sweep from 0.1.
    Q_INVOKABLE void FormCreate(Tessaron::TObject* Sender);
    // "Sinus", "Rechteck", "Sägezahn": compute.
    Q_INVOKABLE void Button1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button2Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button3Click(Tessaron::TObject* Sender);

    // Plots the 2N samples and the N magnitudes (element 0 the mean).
    void Calculate() override;

    // 2N = 512 real samples: the signal and the windowed copy transformed.
    TVector* Signal = nullptr;
    TVector* Work = nullptr;
    // N = 256 elements: the spectrum and the copy plotted.
    TComplexVector* Spectrum = nullptr;
    TComplexVector* Display = nullptr;

private:
    void ChooseFunction(int Type);
};

extern TfftDialog* fftDialog;

} // namespace Tessaron
