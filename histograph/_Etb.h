#pragma once
// TFormToolBar: the histograph's tool bar window: mouse modes, cross,
// auto-range, capture and value bar switches, the three configuration
// dialogs, and a colour palette whose colours are dragged onto the plot.
// A timer and every activation put the buttons in line with the histograph.

#include <histograph/Colorhis.h>

#include <platform/Buttons.h>
#include <platform/ExtCtrls.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>

namespace Tessaron {

class THistograph;
class TFormTitle;
class TFormGrid;
class TFormAxis;

class TFormToolBar : public TForm {
    Q_OBJECT
public:
    explicit TFormToolBar(TComponent* AOwner = nullptr);
    ~TFormToolBar() override;

    // Binds the tool bar and its three dialogs to a histograph.
    void SetHisto(THistograph* Histo);
    THistograph* Histo() const { return FHisto; }
    // Puts the switches and the mode button in line with the histograph.
    void Synchronize();

    TPanel* Panel1 = nullptr;
    TSpeedButton* BShowCross = nullptr;
    TSpeedButton* BModeZoom = nullptr;
    TSpeedButton* BModeLowerRef = nullptr;
    TSpeedButton* BModeMeasure = nullptr;
    TSpeedButton* BModeCalculate = nullptr;
    TSpeedButton* BModeUpperRef = nullptr;
    TSpeedButton* BAutoScale = nullptr;
    TSpeedButton* BCapture = nullptr;
    TSpeedButton* BValueBar = nullptr;
    TSpeedButton* BTitle = nullptr;
    TSpeedButton* BGrid = nullptr;
    TSpeedButton* BView = nullptr;
    TColorGridHisto* ColorGridHisto1 = nullptr;
    TTimer* Timer1 = nullptr;
    TFormTitle* FormTitle = nullptr;
    TFormGrid* FormGrid = nullptr;
    TFormAxis* FormAxis = nullptr;

private:
    void ButtonClick(TObject* Sender);

    THistograph* FHisto = nullptr;
};

} // namespace Tessaron
