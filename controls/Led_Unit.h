#pragma once
// The lamp demonstration window: 36 lamps in steady and flashing variants,
// started when the window is shown and stopped when it closes.

// The form fields' classes are complete here: the meta-object code of the
// published fields needs them.
#include <platform/Buttons.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>
#include <platform/StdCtrls.h>

namespace Tessaron {

class TLed;

class TLed_Demo : public TForm {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/Led_Unit.tfm")
    Q_PROPERTY(Tessaron::TPanel* Panel1 MEMBER Panel1)
    Q_PROPERTY(Tessaron::TLabel* Label1 MEMBER Label1)
    Q_PROPERTY(Tessaron::TGroupBox* GroupBox1 MEMBER GroupBox1)
    Q_PROPERTY(Tessaron::TLabel* Label2 MEMBER Label2)
    Q_PROPERTY(Tessaron::TLabel* Label3 MEMBER Label3)
    Q_PROPERTY(Tessaron::TPanel* Panel2 MEMBER Panel2)
    Q_PROPERTY(Tessaron::TBitBtn* BitBtn1 MEMBER BitBtn1)

public:
    explicit TLed_Demo(TComponent* AOwner = nullptr);

    // Switches on every flashing lamp (the description leaves their Value false).
    Q_INVOKABLE void FormShow(Tessaron::TObject* Sender);
    // Switches the flashing lamps off again, which stops their timers.
    Q_INVOKABLE void FormClose(Tessaron::TObject* Sender, Tessaron::TForm::TCloseAction& Action);

    // The lamp LedN (1 ... 36) of the window, or nullptr.
    TLed* Led(int Number) const;

    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TPanel* Panel2 = nullptr;
    TBitBtn* BitBtn1 = nullptr;

private:
    // Sets Value of every flashing lamp of the window.
    void SwitchFlashingLamps(bool Value);
};

extern TLed_Demo* Led_Demo;

} // namespace Tessaron
