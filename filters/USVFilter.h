#pragma once
// The state-variable filter demonstration window: a sweeping square wave and
// its copy through a band-pass of quality 2 in a plot, the centre frequency on
// a slider.

#include <filters/SVFilt.h>
#include <filters/UFilterDemo.h>

namespace Tessaron {

class TSVFilter_Demo : public TFilterDemoForm {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/USVFilter.tfm")
    Q_PROPERTY(Tessaron::TStateVariableFilter* StateVariableFilter1 MEMBER StateVariableFilter1)

public:
    explicit TSVFilter_Demo(TComponent* AOwner = nullptr);

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

    TStateVariableFilter* StateVariableFilter1 = nullptr;
};

extern TSVFilter_Demo* SVFilter_Demo;

} // namespace Tessaron
