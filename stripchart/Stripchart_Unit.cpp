#include "stripchart/Stripchart_Unit.h"

#include <platform/FormRegistry.h>
#include <platform/SysUtils.h>

namespace Tessaron {

TStripchart_Demo* Stripchart_Demo = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<TStripchart_Demo>(&Stripchart_Demo);
}

TStripchart_Demo::TStripchart_Demo(TComponent* AOwner) : TForm(AOwner)
{
    for (std::size_t s = 0; s < FValues.size(); ++s)
        FData[s] = FValues[s].data();
}

void TStripchart_Demo::FormCreate(TObject*)
{
    static const TColor colors[TStripChart::MaxSeries] = {TColor(0x0000FF), TColor(0xFF0000), TColor(0x008000),
        TColor(0x00FFFF), TColor(0x800080), TColor(0x000080), TColor(0x00FF00), TColor(0xFFFF00)};
    StripChart1->SetSeriesNumber(TStripChart::MaxSeries);
    for (int s = 1; s <= TStripChart::MaxSeries; ++s) {
        StripChart1->SetSeriesCurrent(s);
        StripChart1->SetSeriesColor(colors[s - 1]);
    }
    StripChart1->SetLogTimeIncrement(Timer1->Interval() * 0.001 * 0.1);
}

void TStripchart_Demo::FormClose(TObject*, TCloseAction&)
{
    StripChart1->SetShowJogShuttleBar(false);
    StripChart1->SetShowValueBar(false);
    StripChart1->SetShowToolBar(false);
    Timer1->SetEnabled(false);
    Application()->ProcessMessages();
    StripChart1->StopLogging();
}

void TStripchart_Demo::Timer1Timer(TObject*)
{
    for (int i = 0; i < BlockSize; ++i)
        for (int c = 0; c < TStripChart::MaxSeries; ++c)
            FValues[std::size_t(c)][std::size_t(i)] = float(Random() * 2 + 5 + 10 * c);
    StripChart1->AddSamples(FData, TStripChart::MaxSeries, BlockSize);
}

void TStripchart_Demo::AufnehmenClick(TObject*)
{
    StripChart1->StopLogging();
    StripChart1->StopPlaying();
    if (!OpenDialog1->Execute())
        return;
    StripChart1->StartLogging(OpenDialog1->FileName(), QStringLiteral("Kein Kommentar"));
    Timer1->SetEnabled(true);
}

void TStripchart_Demo::WiedergebenClick(TObject*)
{
    StripChart1->StopLogging();
    StripChart1->StopPlaying();
    if (OpenDialog1->Execute())
        StripChart1->StartPlaying(OpenDialog1->FileName());
}

void TStripchart_Demo::WerkzeugleisteClick(TObject*)
{
    StripChart1->SetShowToolBar(!StripChart1->ShowToolBar());
}

void TStripchart_Demo::StripChart1CrossMove(TObject*, float, float Y, int Series, int)
{
    KurveValue->SetCaption(QString::number(Series));
    SpannungValue->SetCaption(FormatFloat(QStringLiteral("0.00"), Y) + QStringLiteral(" V"));
}

void TStripchart_Demo::TourStart()
{
    Timer1->SetEnabled(true);
}

} // namespace Tessaron
