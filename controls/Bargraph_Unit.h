#pragma once
// The bar graph demonstration window: five vertical bar graphs with warning
// zones and the scale styles, driven by a fast timer that sweeps them up and
// down.

// The form fields' classes are complete here: the meta-object code of the
// published fields needs them.
#include <controls/Bargraph.h>
#include <platform/Buttons.h>
#include <platform/ExtCtrls.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>
#include <platform/StdCtrls.h>

namespace Tessaron {

class TBarGraph_Demo : public TForm {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/Bargraph_Unit.tfm")
    Q_PROPERTY(Tessaron::TPanel* Panel1 MEMBER Panel1)
    Q_PROPERTY(Tessaron::TLabel* Label1 MEMBER Label1)
    Q_PROPERTY(Tessaron::TBarGraph* BarGraph1 MEMBER BarGraph1)
    Q_PROPERTY(Tessaron::TBarGraph* BarGraph2 MEMBER BarGraph2)
    Q_PROPERTY(Tessaron::TBarGraph* BarGraph3 MEMBER BarGraph3)
    Q_PROPERTY(Tessaron::TBarGraph* BarGraph4 MEMBER BarGraph4)
    Q_PROPERTY(Tessaron::TBarGraph* BarGraph5 MEMBER BarGraph5)
    Q_PROPERTY(Tessaron::TGroupBox* GroupBox1 MEMBER GroupBox1)
    Q_PROPERTY(Tessaron::TLabel* Label2 MEMBER Label2)
    Q_PROPERTY(Tessaron::TLabel* Label3 MEMBER Label3)
    Q_PROPERTY(Tessaron::TPanel* Panel2 MEMBER Panel2)
    Q_PROPERTY(Tessaron::TBitBtn* BitBtn1 MEMBER BitBtn1)
    Q_PROPERTY(Tessaron::TTimer* Timer1 MEMBER Timer1)

public:
    explicit TBarGraph_Demo(TComponent* AOwner = nullptr);

    // Starts the sweep from the bottom (BarGraph3 from the top) upward.
    Q_INVOKABLE void FormShow(Tessaron::TObject* Sender);
    // One step of the sweep; the direction turns when BarGraph1's counter
    // reaches 95 or 0.
    Q_INVOKABLE void Timer1Timer(Tessaron::TObject* Sender);
    Q_INVOKABLE void BitBtn1Click(Tessaron::TObject* Sender);
    // Stops the timer.
    Q_INVOKABLE void FormClose(Tessaron::TObject* Sender, Tessaron::TForm::TCloseAction& Action);

    // The screenshot tour: the sweep runs and stands away from its ends.
    void TourStart() override;

    // The sweep's counters (BarGraph1..5) and its direction.
    float CounterA() const { return FA; }
    bool GoingUp() const { return FUp; }

    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TBarGraph* BarGraph1 = nullptr;
    TBarGraph* BarGraph2 = nullptr;
    TBarGraph* BarGraph3 = nullptr;
    TBarGraph* BarGraph4 = nullptr;
    TBarGraph* BarGraph5 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TPanel* Panel2 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TTimer* Timer1 = nullptr;

private:
    float FA = 0, FB = 0, FC = 100, FD = 0, FE = 60;
    bool FUp = true;
};

extern TBarGraph_Demo* BarGraph_Demo;

} // namespace Tessaron
