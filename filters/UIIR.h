#pragma once
// The IIR filter demonstration window: a sweeping square wave and its copy
// through a fourth-order Butterworth low-pass in a plot, the cutoff frequency
// on a slider.

#include <filters/IIRFilt.h>
#include <filters/UFilterDemo.h>

namespace Tessaron {

class TIIR_Demo : public TFilterDemoForm {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/UIIR.tfm")
    Q_PROPERTY(Tessaron::TIIRFilter* IIRFilter1 MEMBER IIRFilter1)

public:
    explicit TIIR_Demo(TComponent* AOwner = nullptr);

    // The sweep starts at 2 Hz; the filter runs at 1000 samples per second
    // with the slider's cutoff.
    Q_INVOKABLE void FormCreate(Tessaron::TObject* Sender);
    // The plot's timer runs while the window is shown.
    Q_INVOKABLE void FormShow(Tessaron::TObject* Sender);
    Q_INVOKABLE void FormHide(Tessaron::TObject* Sender);
    // The slider sets the cutoff frequency in Hz.
    Q_INVOKABLE void Slider1ValueChange(Tessaron::TObject* Sender);
    // One block of the sweep: filter and plot.
    Q_INVOKABLE void Histograph1Timer(Tessaron::TObject* Sender);

    TIIRFilter* IIRFilter1 = nullptr;
};

extern TIIR_Demo* IIR_Demo;

} // namespace Tessaron
