#include "app/Main.h"

#include "app/Contact.h"
#include <platform/FormRegistry.h>

#include <platform/ExtCtrls.h>
#include <platform/ExtPanels.h>
#include <platform/Shell.h>
#include <platform/StdCtrls.h>

#include <QElapsedTimer>
#include <QEventLoop>

namespace Tessaron {

TTessaron32* Tessaron32 = nullptr;

namespace {
const bool registered = RegisterForm<TTessaron32>(&Tessaron32);
}

QString ManualCommandLine()
{
    // This platform has no help viewer of its own: the desktop's default
    // viewer opens the manual.
    return QStringLiteral("xdg-open TSRN32.html");
}

QString DataSheetCommandLine()
{
    return QStringLiteral("xdg-open DATEN.html");
}

const std::vector<TWindowMenuEntry>& WindowMenuEntries()
{
    static const std::vector<TWindowMenuEntry> entries = {
        {"PotentiometerTDial1", "TDial_Demo"},
        {"SchiebereglerTSlider1", "TSlider_Demo"},
        {"LCDAnzeigeTPanelMeter1", "TPanelMeter_Demo"},
        {"YtAnzeigeTHistograph1", "THisto2_Demo"},
        {"XYAnzeigeTHistograph1", "THisto1_Demo"},
        {"N8KanalSchreiber1", "TStripchart_Demo"},
        {"LedTLed1", "TLed_Demo"},
        {"DatenloggerTFastlog1", "TFastlog_Demo"},
        {"AnaloginstrumentTMeter1", "TMeter_Demo"},
        {"BargraphTBargraph1", "TBarGraph_Demo"},
        {"Autokorrelation1", "TAutokorrDialog"},
        {"Kreuzkorrelation1", "TKreuzkorrelationDialog"},
        {"FourierTransformation1", "TfftDialog"},
        {"Leistungsdichte1", "TPowerSpectrumDialog"},
        {"Kreuzleistungsdichte1", "TCrossPowerDialog"},
        {"RCHochpa1", "TRCHoch_Demo"},
        {"RCTiefpa1", "TRCTief_Demo"},
        {"IIRFilter1", "TIIR_Demo"},
        {"StatevariableFilter1", "TSVFilter_Demo"},
        {"GPIB1", "VAzaz1_Demo"},
        {"RS232Kommunikation1", "VAzaz2_Demo"},
        {"Hersteller1", "THersteller_Demo"},
    };
    return entries;
}

const QStringList& TTessaron32::WindowOrder()
{
    static const QStringList order = {
        "TAutokorrDialog", "TKreuzkorrelationDialog", "TfftDialog", "TDial_Demo", "TBarGraph_Demo",
        "THisto1_Demo", "TSlider_Demo", "TPanelMeter_Demo", "THisto2_Demo", "TLed_Demo", "TMeter_Demo",
        "TStripchart_Demo", "TFastlog_Demo", "TRCHoch_Demo", "TRCTief_Demo", "TSVFilter_Demo", "TIIR_Demo",
        "TPowerSpectrumDialog", "TCrossPowerDialog", "VAzaz2_Demo", "VAzaz1_Demo", "THersteller_Demo",
    };
    return order;
}

TTessaron32::TTessaron32(TComponent* AOwner) : TForm(AOwner) {}

void TTessaron32::FormCreate(TObject*)
{
    Panel2->SetLeft(Panel1->Width());
    Panel2->SetVisible(false);
    Timer1->SetEnabled(false);
    // The banner carries the maker's contact data.
    Panel2->SetCaption(QStringLiteral("%1  -  %2  -  %3  -  Telefon %4  -  Telefax %5  -  CompuServe %6  -  Internet %7")
                           .arg(QString::fromUtf8(Demo::kCompany), QString::fromUtf8(Demo::kStreet),
                               QString::fromUtf8(Demo::kTown), QString::fromUtf8(Demo::kPhone),
                               QString::fromUtf8(Demo::kFax), QString::fromUtf8(Demo::kCompuServe),
                               QString::fromUtf8(Demo::kEmail)));
    // A window that is not part of this program keeps its entry disabled.
    if (MainMenu1)
        for (const TWindowMenuEntry& e : WindowMenuEntries())
            if (TMenuItem* item = MainMenu1->FindItem(QString::fromLatin1(e.ItemName)))
                item->SetEnabled(IsFormRegistered(QString::fromLatin1(e.ClassName)));
}

void TTessaron32::Timer1Timer(TObject*)
{
    Panel2->SetLeft(Panel2->Left() - 1);
    if (Panel2->Left() < -Panel2->Width() - 1)
        Panel2->SetLeft(Panel1->Width());
}

void TTessaron32::Demo1Click(TObject*)
{
    Timer1->SetEnabled(false);
    Panel2->SetVisible(false);
    Label1->SetVisible(true);
}

void TTessaron32::berdiesesDemo1Click(TObject*)
{
    Label1->SetVisible(false);
    Panel2->SetLeft(Panel1->Width());
    Panel2->SetVisible(true);
    Timer1->SetEnabled(true);
}

void TTessaron32::Bildhintergrund1Click(TObject*)
{
    if (Bildhintergrund1->Checked()) {
        Image1->Picture()->Assign(nullptr);
        Bildhintergrund1->SetChecked(false);
    } else {
        // Throws the file-open error when the bitmap is missing; the item then
        // stays unchecked, so the next click tries again.
        Image1->Picture()->LoadFromFile(QStringLiteral("TSRN0120.BMP"));
        Bildhintergrund1->SetChecked(true);
    }
}

void TTessaron32::Beenden1Click(TObject*)
{
    PostQuitMessage(0);
}

void TTessaron32::Handbuchaufrufen1Click(TObject*)
{
    RunDetached(ManualCommandLine());
}

void TTessaron32::Datenbltter1Click(TObject*)
{
    RunDetached(DataSheetCommandLine());
}

void TTessaron32::Delay(int Milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < Milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TTessaron32::ShowWindow(const char* ClassName)
{
    for (int i = 0; i < Application()->FormCount(); ++i) {
        TForm* form = Application()->Forms(i);
        if (form && StreamClassName(form->metaObject()) == QLatin1String(ClassName)) {
            form->ShowModal();
            return;
        }
    }
}

void TTessaron32::Hersteller1Click(TObject*) { ShowWindow("THersteller_Demo"); }
void TTessaron32::GPIB1Click(TObject*) { ShowWindow("VAzaz1_Demo"); }
void TTessaron32::RS232Kommunikation1Click(TObject*) { ShowWindow("VAzaz2_Demo"); }
void TTessaron32::PotentiometerTDial1Click(TObject*) { ShowWindow("TDial_Demo"); }
void TTessaron32::SchiebereglerTSlider1Click(TObject*) { ShowWindow("TSlider_Demo"); }
void TTessaron32::LCDAnzeigeTPanelMeter1Click(TObject*) { ShowWindow("TPanelMeter_Demo"); }
void TTessaron32::YtAnzeigeTHistograph1Click(TObject*) { ShowWindow("THisto2_Demo"); }
void TTessaron32::XYAnzeigeTHistograph1Click(TObject*) { ShowWindow("THisto1_Demo"); }
void TTessaron32::N8KanalSchreiber1Click(TObject*) { ShowWindow("TStripchart_Demo"); }
void TTessaron32::LedTLed1Click(TObject*) { ShowWindow("TLed_Demo"); }
void TTessaron32::DatenloggerTFastlog1Click(TObject*) { ShowWindow("TFastlog_Demo"); }
void TTessaron32::AnaloginstrumentTMeter1Click(TObject*) { ShowWindow("TMeter_Demo"); }
void TTessaron32::BargraphTBargraph1Click(TObject*) { ShowWindow("TBarGraph_Demo"); }
void TTessaron32::Autokorrelation1Click(TObject*) { ShowWindow("TAutokorrDialog"); }
void TTessaron32::Kreuzkorrelation1Click(TObject*) { ShowWindow("TKreuzkorrelationDialog"); }
void TTessaron32::FourierTransformation1Click(TObject*) { ShowWindow("TfftDialog"); }
void TTessaron32::Leistungsdichte1Click(TObject*) { ShowWindow("TPowerSpectrumDialog"); }
void TTessaron32::Kreuzleistungsdichte1Click(TObject*) { ShowWindow("TCrossPowerDialog"); }
void TTessaron32::RCHochpa1Click(TObject*) { ShowWindow("TRCHoch_Demo"); }
void TTessaron32::RCTiefpa1Click(TObject*) { ShowWindow("TRCTief_Demo"); }
void TTessaron32::IIRFilter1Click(TObject*) { ShowWindow("TIIR_Demo"); }
void TTessaron32::StatevariableFilter1Click(TObject*) { ShowWindow("TSVFilter_Demo"); }

} // namespace Tessaron
