#pragma once
// The potentiometer demonstration window: six dials, continuous and stepped,
// with the three indicator styles. The dials work by mouse alone.

// The form fields' classes are complete here: the meta-object code of the
// published fields needs them.
#include <controls/dial.h>
#include <platform/Buttons.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>
#include <platform/StdCtrls.h>

namespace Tessaron {

class TDial_Demo : public TForm {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/Dial_Unit.tfm")
    Q_PROPERTY(Tessaron::TPanel* Panel1 MEMBER Panel1)
    Q_PROPERTY(Tessaron::TLabel* Label1 MEMBER Label1)
    Q_PROPERTY(Tessaron::TDial* Dial1 MEMBER Dial1)
    Q_PROPERTY(Tessaron::TDial* Dial2 MEMBER Dial2)
    Q_PROPERTY(Tessaron::TDial* Dial3 MEMBER Dial3)
    Q_PROPERTY(Tessaron::TDial* Dial4 MEMBER Dial4)
    Q_PROPERTY(Tessaron::TDial* Dial5 MEMBER Dial5)
    Q_PROPERTY(Tessaron::TDial* Dial6 MEMBER Dial6)
    Q_PROPERTY(Tessaron::TGroupBox* GroupBox1 MEMBER GroupBox1)
    Q_PROPERTY(Tessaron::TLabel* Label2 MEMBER Label2)
    Q_PROPERTY(Tessaron::TLabel* Label3 MEMBER Label3)
    Q_PROPERTY(Tessaron::TPanel* Panel2 MEMBER Panel2)
    Q_PROPERTY(Tessaron::TBitBtn* BitBtn1 MEMBER BitBtn1)

public:
    explicit TDial_Demo(TComponent* AOwner = nullptr);

    // The screenshot tour turns the dials away from their minimum.
    void TourStart() override;

    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TDial* Dial1 = nullptr;
    TDial* Dial2 = nullptr;
    TDial* Dial3 = nullptr;
    TDial* Dial4 = nullptr;
    TDial* Dial5 = nullptr;
    TDial* Dial6 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TPanel* Panel2 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
};

extern TDial_Demo* Dial_Demo;

} // namespace Tessaron
