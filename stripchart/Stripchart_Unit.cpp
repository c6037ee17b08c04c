#include "stripchart/Stripchart_Unit.h"
#include "stripchart/_sEca.h"
#include "stripchart/_sEjs.h"
#include "stripchart/_sEtb.h"

#include <platform/FormRegistry.h>
#include <platform/SysUtils.h>

#include <QCoreApplication>
#include <QMouseEvent>

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
    constexpr int Ticks = 60;
    FTourDir = std::make_unique<QTemporaryDir>();
    if (FTourDir->isValid()
        && StripChart1->StartLogging(FTourDir->filePath(QStringLiteral("tour.ddt")), QStringLiteral("Kein Kommentar"))) {
        for (int i = 0; i < Ticks; ++i)
            Timer1Timer(Timer1);
        // Near the newest sample, so that it stays in sight while the feed goes on.
        const double time = StripChart1->LogStartTime() + (Ticks - 10) * BlockSize * StripChart1->LogTimeIncrement();
        StripChart1->AddRemark(StripChart1->DisplayRunNumber(), time, -1, QStringLiteral("Messpunkt markiert"), dfManual);
    }
    Timer1->SetEnabled(true);
    StripChart1->SetShowToolBar(true);
    StripChart1->SetShowValueBar(true);
    StripChart1->SetShowJogShuttleBar(true);
    // The measuring cross on the fourth band (36 V), read out below "Kurve:"
    // and "Spannung:" and in the value bar.
    TStripChart* c = StripChart1;
    const int top = c->GapTop();
    const int bottom = c->Height() - c->GapBottom();
    const QPointF at((c->GapLeft() + c->Width() - c->GapRight()) / 2,
        bottom - (36 - c->ViewYMin()) / (c->ViewYMax() - c->ViewYMin()) * (bottom - top));
    // The chart paints what came so far first: a paint after the move would cover the cross.
    Application()->ProcessMessages();
    QMouseEvent move(QEvent::MouseMove, at, c->Widget()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(c->Widget(), &move);
}

std::vector<TForm*> TStripchart_Demo::TourWindows() const
{
    std::vector<TForm*> windows;
    for (TForm* w : {static_cast<TForm*>(StripChart1->ToolBar()), static_cast<TForm*>(StripChart1->ValueBar()),
             static_cast<TForm*>(StripChart1->JogShuttleBar())})
        if (w && w->Visible())
            windows.push_back(w);
    return windows;
}

} // namespace Tessaron
