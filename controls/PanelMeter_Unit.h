#pragma once
// The panel meter demonstration window: four panel meters driven by a timer.
// PanelMeter1 and PanelMeter3 show random values, PanelMeter2 a value that
// wanders between -8 and 8 and back (its "OVERLOAD" slot changes state at
// every reported range change), PanelMeter4 a countdown from 60.

// The form fields' classes are complete here: the meta-object code of the
// published fields needs them.
#include <controls/PMeter.h>
#include <platform/Buttons.h>
#include <platform/ExtCtrls.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>
#include <platform/StdCtrls.h>

namespace Tessaron {

class TPanelMeter_Demo : public TForm {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/PanelMeter_Unit.tfm")
    Q_PROPERTY(Tessaron::TPanel* Panel1 MEMBER Panel1)
    Q_PROPERTY(Tessaron::TLabel* Label1 MEMBER Label1)
    Q_PROPERTY(Tessaron::TPanelMeter* PanelMeter1 MEMBER PanelMeter1)
    Q_PROPERTY(Tessaron::TPanelMeter* PanelMeter2 MEMBER PanelMeter2)
    Q_PROPERTY(Tessaron::TPanelMeter* PanelMeter3 MEMBER PanelMeter3)
    Q_PROPERTY(Tessaron::TPanelMeter* PanelMeter4 MEMBER PanelMeter4)
    Q_PROPERTY(Tessaron::TGroupBox* GroupBox1 MEMBER GroupBox1)
    Q_PROPERTY(Tessaron::TLabel* Label2 MEMBER Label2)
    Q_PROPERTY(Tessaron::TLabel* Label3 MEMBER Label3)
    Q_PROPERTY(Tessaron::TPanel* Panel2 MEMBER Panel2)
    Q_PROPERTY(Tessaron::TBitBtn* BitBtn1 MEMBER BitBtn1)
    Q_PROPERTY(Tessaron::TTimer* Timer1 MEMBER Timer1)

public:
    explicit TPanelMeter_Demo(TComponent* AOwner = nullptr);

    // Lights "Volts", starts the timer and restarts the sweep: x = 0, going
    // up, countdown 60.
    Q_INVOKABLE void FormShow(Tessaron::TObject* Sender);
    // Stops the timer.
    Q_INVOKABLE void FormClose(Tessaron::TObject* Sender, Tessaron::TForm::TCloseAction& Action);
    // One tick with a fresh random number.
    Q_INVOKABLE void Timer1Timer(Tessaron::TObject* Sender);
    // Toggles "OVERLOAD" at every range change PanelMeter2 reports.
    Q_INVOKABLE void PanelMeter2RangeCheck(Tessaron::TObject* Sender, int Range);

    // One tick with R (in [0, 1)) as the random number: PanelMeter1 shows
    // R + 1, PanelMeter2 the sweep value x, PanelMeter3 R, PanelMeter4 the
    // countdown; then the countdown steps (after 0 it starts again at 59) and
    // x moves by R in its direction, turning down above 8 and up below -8.
    void Step(double R);

    // The screenshot tour lets a few ticks pass at once, so that the picture
    // shows values in motion.
    void TourStart() override;

    // The sweep state.
    float SweepValue() const { return FX; }
    bool SweepUp() const { return FUp; }
    int Countdown() const { return FCountdown; }

    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TPanelMeter* PanelMeter1 = nullptr;
    TPanelMeter* PanelMeter2 = nullptr;
    TPanelMeter* PanelMeter3 = nullptr;
    TPanelMeter* PanelMeter4 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TPanel* Panel2 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TTimer* Timer1 = nullptr;

private:
    float FX = 0.0f;
    int FCountdown = 60;
    bool FUp = true;
};

extern TPanelMeter_Demo* PanelMeter_Demo;

} // namespace Tessaron
