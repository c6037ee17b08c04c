#pragma once
// The main window: the background picture, the German menu that opens every
// demonstration and information window, and the bottom strip with the slogan
// or the scrolling banner with the maker's contact data.

#include <platform/ExtCtrls.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>
#include <platform/StdCtrls.h>

namespace Tessaron {

class TTessaron32 : public TForm {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/Main.tfm")
    Q_PROPERTY(Tessaron::TMainMenu* MainMenu1 MEMBER MainMenu1)
    Q_PROPERTY(Tessaron::TImage* Image1 MEMBER Image1)
    Q_PROPERTY(Tessaron::TPanel* Panel1 MEMBER Panel1)
    Q_PROPERTY(Tessaron::TLabel* Label1 MEMBER Label1)
    Q_PROPERTY(Tessaron::TPanel* Panel2 MEMBER Panel2)
    Q_PROPERTY(Tessaron::TTimer* Timer1 MEMBER Timer1)
    Q_PROPERTY(Tessaron::TMenuItem* Bildhintergrund1 MEMBER Bildhintergrund1)

public:
    explicit TTessaron32(TComponent* AOwner = nullptr);

    // The windows the program creates at start, in this order, after the main window.
    static const QStringList& WindowOrder();

    Q_INVOKABLE void FormCreate(Tessaron::TObject* Sender);
    Q_INVOKABLE void Timer1Timer(Tessaron::TObject* Sender);
    Q_INVOKABLE void Demo1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Bildhintergrund1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Beenden1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void berdiesesDemo1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Handbuchaufrufen1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Datenbltter1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Hersteller1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void GPIB1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void RS232Kommunikation1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void PotentiometerTDial1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void SchiebereglerTSlider1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void LCDAnzeigeTPanelMeter1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void YtAnzeigeTHistograph1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void XYAnzeigeTHistograph1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void N8KanalSchreiber1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void LedTLed1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void DatenloggerTFastlog1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void AnaloginstrumentTMeter1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void BargraphTBargraph1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Autokorrelation1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Kreuzkorrelation1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void FourierTransformation1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Leistungsdichte1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Kreuzleistungsdichte1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void RCHochpa1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void RCTiefpa1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void IIRFilter1Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void StatevariableFilter1Click(Tessaron::TObject* Sender);

    // Waits the given milliseconds while dispatching the waiting messages.
    void Delay(int Milliseconds);

    TMainMenu* MainMenu1 = nullptr;
    TImage* Image1 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TPanel* Panel2 = nullptr;
    TTimer* Timer1 = nullptr;
    TMenuItem* Bildhintergrund1 = nullptr;

private:
    // Shows the window of a class modally; the menu command returns when it closes.
    void ShowWindow(const char* ClassName);
};

extern TTessaron32* Tessaron32;

// The external command lines of the "Handbuch" and "Produktinformation" menus.
QString ManualCommandLine();
QString DataSheetCommandLine();

// The menu items that open a window, with the window's class.
struct TWindowMenuEntry {
    const char* ItemName;
    const char* ClassName;
};
const std::vector<TWindowMenuEntry>& WindowMenuEntries();

} // namespace Tessaron
