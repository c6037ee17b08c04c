#pragma once
// The window presenting the GPIB (IEEE-488) communication component: three pictures and a short text.

// The form fields' classes are complete here: the meta-object code of the
// published fields needs them.
#include <platform/Buttons.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>
#include <platform/StdCtrls.h>

namespace Tessaron {

class VAzaz1_Demo : public TForm {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/Comm1_Unit.tfm")
    Q_PROPERTY(Tessaron::TImage* Image1 MEMBER Image1)
    Q_PROPERTY(Tessaron::TImage* Image2 MEMBER Image2)
    Q_PROPERTY(Tessaron::TImage* Image3 MEMBER Image3)
    Q_PROPERTY(Tessaron::TPanel* Panel1 MEMBER Panel1)
    Q_PROPERTY(Tessaron::TLabel* Label1 MEMBER Label1)
    Q_PROPERTY(Tessaron::TLabel* Label2 MEMBER Label2)
    Q_PROPERTY(Tessaron::TLabel* Label3 MEMBER Label3)
    Q_PROPERTY(Tessaron::TLabel* Label4 MEMBER Label4)
    Q_PROPERTY(Tessaron::TLabel* Label5 MEMBER Label5)
    Q_PROPERTY(Tessaron::TLabel* Label6 MEMBER Label6)
    Q_PROPERTY(Tessaron::TBitBtn* BitBtn1 MEMBER BitBtn1)

public:
    explicit VAzaz1_Demo(TComponent* AOwner = nullptr);

    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TImage* Image3 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label6 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
};

extern VAzaz1_Demo* Comm1_Demo;

} // namespace Tessaron
