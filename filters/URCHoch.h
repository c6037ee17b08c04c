#pragma once
// The RC high-pass demonstration window: a sweeping square wave and its
// high-pass filtered copy in a plot, the cutoff frequency on a slider.

#include <filters/Rchigh.h>
#include <filters/UFilterDemo.h>

namespace Tessaron {

class TRCHoch_Demo : public TFilterDemoForm {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/URCHoch.tfm")
    Q_PROPERTY(Tessaron::TRCHighpass* RCHighpass1 MEMBER RCHighpass1)

public:
    explicit TRCHoch_Demo(TComponent* AOwner = nullptr);

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

    TRCHighpass* RCHighpass1 = nullptr;
};

extern TRCHoch_Demo* RCHoch_Demo;

} // namespace Tessaron
