#pragma once
// The RC low-pass demonstration window: a sweeping square wave and its
// low-pass filtered copy in a plot, the cutoff frequency on a slider.

#include <filters/Rclow.h>
#include <filters/UFilterDemo.h>

namespace Tessaron {

class TRCTief_Demo : public TFilterDemoForm {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/URCTief.tfm")
    Q_PROPERTY(Tessaron::TRCLowpass* RCLowpass1 MEMBER RCLowpass1)

public:
    explicit TRCTief_Demo(TComponent* AOwner = nullptr);

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

    TRCLowpass* RCLowpass1 = nullptr;
};

extern TRCTief_Demo* RCTief_Demo;

} // namespace Tessaron
