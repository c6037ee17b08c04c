#pragma once
// The analog meter demonstration window: two meters swept up and down by a
// timer, one with labels inside the band, one with labels outside and the
// legend on top.

// The form fields' classes are complete here: the meta-object code of the
// published fields needs them.
#include <controls/Meter.h>
#include <platform/Buttons.h>
#include <platform/ExtCtrls.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>
#include <platform/StdCtrls.h>

namespace Tessaron {

class TMeter_Demo : public TForm {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/Meter_Unit.tfm")
    Q_PROPERTY(Tessaron::TPanel* Panel1 MEMBER Panel1)
    Q_PROPERTY(Tessaron::TLabel* Label1 MEMBER Label1)
    Q_PROPERTY(Tessaron::TMeter* Meter1 MEMBER Meter1)
    Q_PROPERTY(Tessaron::TMeter* Meter2 MEMBER Meter2)
    Q_PROPERTY(Tessaron::TGroupBox* GroupBox1 MEMBER GroupBox1)
    Q_PROPERTY(Tessaron::TLabel* Label2 MEMBER Label2)
    Q_PROPERTY(Tessaron::TLabel* Label3 MEMBER Label3)
    Q_PROPERTY(Tessaron::TPanel* Panel2 MEMBER Panel2)
    Q_PROPERTY(Tessaron::TBitBtn* BitBtn1 MEMBER BitBtn1)
    Q_PROPERTY(Tessaron::TTimer* Timer1 MEMBER Timer1)

public:
    explicit TMeter_Demo(TComponent* AOwner = nullptr);

    // Both meters back to 0, the sweep restarts upward, Timer1 runs.
    Q_INVOKABLE void FormShow(Tessaron::TObject* Sender);
    // One sweep step: Meter1 by 1, Meter2 by 0.6; the direction turns down
    // above 99 and up again below 1.
    Q_INVOKABLE void Timer1Timer(Tessaron::TObject* Sender);
    // Stops Timer1.
    Q_INVOKABLE void FormClose(Tessaron::TObject* Sender, Tessaron::TForm::TCloseAction& Action);

    // The screenshot tour starts the sweep some way up the scales.
    void TourStart() override;

    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TMeter* Meter1 = nullptr;
    TMeter* Meter2 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TPanel* Panel2 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TTimer* Timer1 = nullptr;

private:
    // The sweep counters, in single precision, and the direction.
    float FA = 0.0f;
    float FB = 0.0f;
    bool FUp = true;
};

extern TMeter_Demo* Meter_Demo;

} // namespace Tessaron
