#pragma once
// The window presenting the RS-232 communication component: one picture and a short text.

// The form fields' classes are complete here: the meta-object code of the
// published fields needs them.
#include <platform/Buttons.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>
#include <platform/StdCtrls.h>

namespace Tessaron {

class VAzaz2_Demo : public TForm {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/Comm2_Unit.tfm")
    Q_PROPERTY(Tessaron::TImage* Image1 MEMBER Image1)
    Q_PROPERTY(Tessaron::TPanel* Panel1 MEMBER Panel1)
    Q_PROPERTY(Tessaron::TLabel* Label1 MEMBER Label1)
    Q_PROPERTY(Tessaron::TLabel* Label2 MEMBER Label2)
    Q_PROPERTY(Tessaron::TLabel* Label3 MEMBER Label3)
    Q_PROPERTY(Tessaron::TLabel* Label4 MEMBER Label4)
    Q_PROPERTY(Tessaron::TBitBtn* BitBtn1 MEMBER BitBtn1)

public:
    explicit VAzaz2_Demo(TComponent* AOwner = nullptr);

    TImage* Image1 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
};

extern VAzaz2_Demo* Comm2_Demo;

} // namespace Tessaron
