// The strip chart's tool windows: made after loading (never in a form
// designer), owned by the chart, shown and hidden through ShowToolBar,
// ShowValueBar and ShowJogShuttleBar, captioned after TitleTop, and the value
// bar's read-outs that the mouse modes fill.

#include "stripchart/StrpChrt.h"
#include "stripchart/_sEca.h"
#include "stripchart/_sEjs.h"
#include "stripchart/_sEtb.h"

#include <controls/Slider.h>
#include <platform/SysUtils.h>

#include <cmath>

namespace Tessaron {

namespace {

const QString kToolBarPrefix = QStringLiteral("Werkzeuge: ");
const QString kValueBarPrefix = QStringLiteral("Anzeige: ");
const QString kJogShuttlePrefix = QStringLiteral("Jog Shuttle: ");

QString General(double Value, int Digits)
{
    return FloatToStrF(Value, ffGeneral, Digits, 0);
}

} // namespace

void TStripChart::CreateToolWindows()
{
    if (IsDesigning() || IsLoading() || FToolBar)
        return;
    FToolBar = new TFormToolBarStrip(nullptr);
    FValueBar = new TFormCalculateBarStrip(nullptr);
    FJogShuttleBar = new TFormJogShuttleBarStrip(nullptr);
    FToolBar->SetChart(this);
    FJogShuttleBar->SetChart(this);
    UpdateValueBarGroups();
    // Windows a description asked for show now that they can.
    if (FShowToolBar)
        SetShowToolBar(true);
    if (FShowValueBar)
        SetShowValueBar(true);
    if (FShowJogShuttleBar)
        SetShowJogShuttleBar(true);
}

void TStripChart::DestroyToolWindows()
{
    // The tool bar reports its closing to us: it goes first, before our fields.
    delete FToolBar;
    FToolBar = nullptr;
    delete FValueBar;
    FValueBar = nullptr;
    delete FJogShuttleBar;
    FJogShuttleBar = nullptr;
}

void TStripChart::RecaptionToolWindows()
{
    if (FToolBar)
        FToolBar->SetCaption(QStringLiteral("Werkzeug: ") + FTitleTop);
    if (FValueBar)
        FValueBar->SetCaption(kValueBarPrefix + FTitleTop);
    if (FJogShuttleBar)
        FJogShuttleBar->SetCaption(kJogShuttlePrefix + FTitleTop);
}

void TStripChart::UpdateValueBarGroups()
{
    if (FValueBar)
        FValueBar->SetCalculateGroupsEnabled(FStripMode == Strip::modeCalculate);
}

void TStripChart::SetShowToolBar(bool Value)
{
    FShowToolBar = Value;
    CreateToolWindows();
    if (!FToolBar)
        return;
    if (Value) {
        FToolBar->SetCaption(kToolBarPrefix + FTitleTop);
        FToolBar->Show();
    } else {
        FToolBar->Hide();
    }
}

bool TStripChart::ShowValueBar() const
{
    return FValueBar ? FValueBar->Visible() : FShowValueBar;
}

void TStripChart::SetShowValueBar(bool Value)
{
    FShowValueBar = Value;
    CreateToolWindows();
    if (!FValueBar)
        return;
    if (Value) {
        FValueBar->SetCaption(kValueBarPrefix + FTitleTop);
        UpdateValueBarGroups();
        FValueBar->Show();
    } else {
        FValueBar->Hide();
    }
}

bool TStripChart::ShowJogShuttleBar() const
{
    return FJogShuttleBar ? FJogShuttleBar->Visible() : FShowJogShuttleBar;
}

void TStripChart::SetShowJogShuttleBar(bool Value)
{
    FShowJogShuttleBar = Value;
    CreateToolWindows();
    if (!FJogShuttleBar)
        return;
    if (Value) {
        FJogShuttleBar->FollowRunState();
        FJogShuttleBar->SetCaption(kJogShuttlePrefix + FTitleTop);
        FJogShuttleBar->Show();
    } else {
        FJogShuttleBar->Hide();
    }
}

void TStripChart::UpdateJogShuttleBar()
{
    if (FJogShuttleBar)
        FJogShuttleBar->FollowRunState();
}

void TStripChart::ShowMeasureReadOut(int Series, double Time, double Value)
{
    if (!FValueBar || !FValueBar->Visible())
        return;
    FValueBar->Series1->SetCaption(QString::number(Series));
    FValueBar->X1->SetCaption(General(Time, 5));
    FValueBar->Y1->SetCaption(General(Value, 4));
}

void TStripChart::ShowCalculateReadOut(
    int Series1, double Time1, double Value1, int Series2, double Time2, double Value2)
{
    if (!FValueBar || !FValueBar->Visible())
        return;
    ShowMeasureReadOut(Series1, Time1, Value1);
    const double dt = std::fabs(Time2 - Time1);
    FValueBar->Series2->SetCaption(QString::number(Series2));
    FValueBar->X2->SetCaption(General(Time2, 5));
    FValueBar->Y2->SetCaption(General(Value2, 4));
    FValueBar->deltax->SetCaption(General(dt, 5));
    FValueBar->deltay->SetCaption(General(std::fabs(Value2 - Value1), 4));
    FValueBar->invdeltax->SetCaption(dt == 0 ? QStringLiteral("----") : General(1 / dt, 4));
}

} // namespace Tessaron
