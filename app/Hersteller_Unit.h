#pragma once
// The manufacturer window: the maker's logo, three lamps flashing out of step and the contact data.

// The form fields' classes are complete here: the meta-object code of the
// published fields needs them.
#include <platform/Buttons.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>
#include <platform/StdCtrls.h>
#include <controls/led.h>

namespace Tessaron {

class THersteller_Demo : public TForm {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/Hersteller_Unit.tfm")
    Q_PROPERTY(Tessaron::TImage* Image1 MEMBER Image1)
    Q_PROPERTY(Tessaron::TLed* Led1 MEMBER Led1)
    Q_PROPERTY(Tessaron::TLed* Led2 MEMBER Led2)
    Q_PROPERTY(Tessaron::TLed* Led3 MEMBER Led3)
    Q_PROPERTY(Tessaron::TPanel* Panel1 MEMBER Panel1)
    Q_PROPERTY(Tessaron::TLabel* Label1 MEMBER Label1)
    Q_PROPERTY(Tessaron::TLabel* Label2 MEMBER Label2)
    Q_PROPERTY(Tessaron::TLabel* Label3 MEMBER Label3)
    Q_PROPERTY(Tessaron::TLabel* Label4 MEMBER Label4)
    Q_PROPERTY(Tessaron::TLabel* Label5 MEMBER Label5)
    Q_PROPERTY(Tessaron::TLabel* Label6 MEMBER Label6)
    Q_PROPERTY(Tessaron::TLabel* Label7 MEMBER Label7)
    Q_PROPERTY(Tessaron::TLabel* Label8 MEMBER Label8)
    Q_PROPERTY(Tessaron::TLabel* Label9 MEMBER Label9)
    Q_PROPERTY(Tessaron::TBitBtn* BitBtn1 MEMBER BitBtn1)

public:
    explicit THersteller_Demo(TComponent* AOwner = nullptr);

    TImage* Image1 = nullptr;
    TLed* Led1 = nullptr;
    TLed* Led2 = nullptr;
    TLed* Led3 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label7 = nullptr;
    TLabel* Label8 = nullptr;
    TLabel* Label9 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
};

extern THersteller_Demo* Hersteller_Demo;

} // namespace Tessaron
