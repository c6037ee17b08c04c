#pragma once
// TFormToolBarStrip: the strip chart's tool bar window: cross switch, the four
// mouse modes, auto-scaling, capture, the jog shuttle and value bar switches,
// the three dialogs and the colour palette whose colours are dragged onto the
// chart. Every activation and a one-second timer put the buttons in line with
// the chart (the timer also the two window switches).

#include <histograph/Colorhis.h>

#include <platform/Buttons.h>
#include <platform/ExtCtrls.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>

namespace Tessaron {

class TStripChart;
class TFormTitleStrip;
class TFormGridStrip;
class TFormAxisStrip;

class TFormToolBarStrip : public TForm {
    Q_OBJECT
public:
    explicit TFormToolBarStrip(TComponent* AOwner = nullptr);
    ~TFormToolBarStrip() override;

    // Binds the tool bar and its three dialogs to a chart.
    void SetChart(TStripChart* Chart);
    TStripChart* Chart() const { return FChart; }
    // Puts the switches and the mode button in line with the chart; with
    // Windows also the jog shuttle and value bar switches.
    void Synchronize(bool Windows);

    TPanel* Panel1 = nullptr;
    TSpeedButton* BShowCross = nullptr;
    TSpeedButton* BModeZoom = nullptr;
    TSpeedButton* BModeMeasure = nullptr;
    TSpeedButton* BModeRemark = nullptr;
    TSpeedButton* BModeCalculate = nullptr;
    TSpeedButton* BAutoScale = nullptr;
    TSpeedButton* BCapture = nullptr;
    TSpeedButton* BJogShuttle = nullptr;
    TSpeedButton* BValueBar = nullptr;
    TSpeedButton* BTitle = nullptr;
    TSpeedButton* BGrid = nullptr;
    TSpeedButton* BView = nullptr;
    TColorGridHisto* ColorGridHisto1 = nullptr;
    TTimer* Timer1 = nullptr;
    TFormTitleStrip* FormTitle = nullptr;
    TFormGridStrip* FormGrid = nullptr;
    TFormAxisStrip* FormAxis = nullptr;

private:
    void ButtonClick(TObject* Sender);

    TStripChart* FChart = nullptr;
};

} // namespace Tessaron
