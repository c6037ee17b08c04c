#pragma once
// The XY demonstration window of the histograph: Lissajous figures of 200
// (X, Y) pairs that change on every tick of the window's timer.

#include <histograph/Histo.h>

#include <platform/Buttons.h>
#include <platform/ExtCtrls.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>
#include <platform/StdCtrls.h>

#include <array>

namespace Tessaron {

class THisto1_Demo : public TForm {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/HistoXY_Unit.tfm")
    Q_PROPERTY(Tessaron::TPanel* Panel1 MEMBER Panel1)
    Q_PROPERTY(Tessaron::TLabel* Label1 MEMBER Label1)
    Q_PROPERTY(Tessaron::THistograph* Histograph1 MEMBER Histograph1)
    Q_PROPERTY(Tessaron::TGroupBox* GroupBox1 MEMBER GroupBox1)
    Q_PROPERTY(Tessaron::TLabel* Label2 MEMBER Label2)
    Q_PROPERTY(Tessaron::TLabel* Label3 MEMBER Label3)
    Q_PROPERTY(Tessaron::TPanel* Panel2 MEMBER Panel2)
    Q_PROPERTY(Tessaron::TBitBtn* BitBtn2 MEMBER BitBtn2)
    Q_PROPERTY(Tessaron::TBitBtn* BitBtn1 MEMBER BitBtn1)
    Q_PROPERTY(Tessaron::TTimer* Timer1 MEMBER Timer1)

public:
    static constexpr int PairCount = 200;

    explicit THisto1_Demo(TComponent* AOwner = nullptr);

    Q_INVOKABLE void FormCreate(Tessaron::TObject* Sender);
    Q_INVOKABLE void FormClose(Tessaron::TObject* Sender, Tessaron::TForm::TCloseAction& Action);
    // "&Neue Figur": new random frequencies and increments, timer on.
    Q_INVOKABLE void BitBtn2Click(Tessaron::TObject* Sender);
    // Ten steps of the figure, then the pairs go to the plot.
    Q_INVOKABLE void Timer1Timer(Tessaron::TObject* Sender);

    void TourStart() override;

    // The figure's state (kind 1: sweeping frequencies, kind 2: drifting phases).
    int FigureKind() const { return FKind; }

    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    THistograph* Histograph1 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TPanel* Panel2 = nullptr;
    TBitBtn* BitBtn2 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TTimer* Timer1 = nullptr;

private:
    // X then Y of each pair; the histograph keeps the address.
    std::array<float, 2 * PairCount> FPairs{};
    double FF1 = 0, FF2 = 0, FP1 = 0, FP2 = 0, FD1 = 0, FD2 = 0;
    int FKind = 1;
};

extern THisto1_Demo* Histo1_Demo;

} // namespace Tessaron
