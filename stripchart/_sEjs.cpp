#include "stripchart/_sEjs.h"
#include "stripchart/StrpChrt.h"

#include <controls/Slider.h>
#include <histograph/RecorderTools.h>

#include <cstdlib>

namespace Tessaron {

using namespace RecorderTools;

TFormJogShuttleBarStrip::TFormJogShuttleBarStrip(TComponent* AOwner) : TForm(AOwner)
{
    SetUpWindow(this, QStringLiteral("Jog Shuttle:"), 371, 165, bsToolWindow);
    GroupBox1 = Place<TGroupBox>(this, this, 8, 4, 355, 89);
    GroupBox1->SetCaption(QStringLiteral("Steuerung"));
    GroupBox1->SetShowHint(true);
    BStart = Place<TSpeedButton>(this, GroupBox1, 8, 20, 25, 25);
    BStart->SetHint(QStringLiteral("An den Anfang spulen"));
    BStart->SetCaption(QStringLiteral("|<"));
    Shuttle = Place<TSlider>(this, GroupBox1, 40, 16, 275, 38);
    Shuttle->SetKind(Scale::sbHorizontal);
    Shuttle->SetValueMin(-50);
    Shuttle->SetValueMax(50);
    Shuttle->SetValueStepWidth(1);
    Shuttle->SetLabelingGap(50);
    Shuttle->SetLabelingStyle(Scale::lbsBoth);
    Shuttle->SetLabelingDecimals(0);
    // A grip wide enough that the "-50" centred on the left end stays inside.
    Shuttle->SetButtonHeight(16);
    Shuttle->SetValue(0);
    Shuttle->SetHint(QStringLiteral("Spulen"));
    Shuttle->SetEnabled(false);
    // The shuttle springs back when let go.
    Shuttle->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { Shuttle->SetValue(0); };
    BEnd = Place<TSpeedButton>(this, GroupBox1, 322, 20, 25, 25);
    BEnd->SetHint(QStringLiteral("An das Ende spulen"));
    BEnd->SetCaption(QStringLiteral(">|"));
    ComboBoxRemarks = Place<TComboBox>(this, GroupBox1, 8, 58, 339, 21);
    ComboBoxRemarks->SetStyle(TComboBox::csDropDownList);
    ComboBoxRemarks->SetHint(QStringLiteral("Ereignis"));
    BStart->OnClick = [this](TObject*) { ToStart(); };
    BEnd->OnClick = [this](TObject*) {
        if (FChart)
            FChart->ShowRunEnd();
    };
    // A chosen remark is shown in the middle of the window.
    ComboBoxRemarks->OnChange = [this](TObject*) {
        const int i = ComboBoxRemarks->ItemIndex();
        if (FChart && i >= 0 && std::size_t(i) < FChart->Remarks().size())
            FChart->ShowAtTime(false, FChart->Remarks()[std::size_t(i)].Time +
                    double(FChart->SamplesPerWindow() * FChart->DisplayTimeIncrement()) / 2);
    };

    GroupBox2 = Place<TGroupBox>(this, this, 8, 96, 355, 61);
    GroupBox2->SetCaption(QStringLiteral("Informationen"));
    GroupBox2->SetShowHint(true);
    PlaceLabel(this, GroupBox2, 8, 18, QStringLiteral("Nummer des Runs:"));
    LRunNumber = PlaceLabel(this, GroupBox2, 136, 18, QStringLiteral("-"), true);
    LRunNumber->SetHint(QStringLiteral("Nummer des aktuellen Runs"));
    PlaceLabel(this, GroupBox2, 8, 38, QStringLiteral("Kommentar des Runs:"));
    LRunComment = PlaceLabel(this, GroupBox2, 136, 38, QString(), true, 211);

    Timer1 = new TTimer(this);
    Timer1->SetEnabled(false);
    Timer1->SetInterval(SlowInterval);
    Timer1->OnTimer = [this](TObject*) { Poll(); };
    OnShow = [this](TObject*) {
        Timer1->SetInterval(SlowInterval);
        Timer1->SetEnabled(true);
        Poll();
    };
    OnHide = [this](TObject*) { Timer1->SetEnabled(false); };
}

TFormJogShuttleBarStrip::~TFormJogShuttleBarStrip()
{
    Timer1->SetEnabled(false);
    FChart = nullptr;
}

double TFormJogShuttleBarStrip::ShuttleSamples(int Position)
{
    if (std::abs(Position) <= 9)
        return Position;
    const double step = double(Position) * double(Position) / 10.0;
    return Position < 0 ? -step : step;
}

void TFormJogShuttleBarStrip::FollowRunState()
{
    const bool running = FChart && (FChart->Logging() || FChart->Playing());
    Shuttle->SetEnabled(running);
    Timer1->SetInterval(running ? FastInterval : SlowInterval);
}

void TFormJogShuttleBarStrip::FillRemarks()
{
    QStringList texts;
    for (int i = 0; i < int(FChart->Remarks().size()); ++i)
        texts.append(FChart->RemarkText(i));
    ComboBoxRemarks->SetItems(texts);
    ComboBoxRemarks->SetItemIndex(FChart->HighlightedRemark());
}

void TFormJogShuttleBarStrip::Poll()
{
    if (!FChart)
        return;
    FollowRunState();
    // After logging or playing ends the list empties, the run number shows
    // "-" and the comment nothing.
    if (FChart->RemarkListChanged())
        FillRemarks();
    int highlighted = -1;
    if (FChart->RemarkHighlightChanged(&highlighted) && highlighted < ComboBoxRemarks->ItemCount())
        ComboBoxRemarks->SetItemIndex(highlighted);
    if (FChart->DisplayRunNumber() != FShownRun) {
        FShownRun = FChart->DisplayRunNumber();
        LRunNumber->SetCaption(FShownRun > 0 ? QString::number(FShownRun) : QStringLiteral("-"));
    }
    const QString comment = Shuttle->Enabled() ? FChart->RunComment() : QString();
    if (comment != FShownComment) {
        FShownComment = comment;
        LRunComment->SetCaption(FShownComment);
    }
    if (!Shuttle->Enabled())
        return;
    const int v = int(Shuttle->Value());
    if (v != 0)
        FChart->ShowAtTime(true, ShuttleSamples(v) * double(FChart->DisplayTimeIncrement()));
}

void TFormJogShuttleBarStrip::ToStart()
{
    if (!FChart)
        return;
    const bool logging = FChart->Logging();
    const double start = logging ? FChart->LogStartTime() : double(FChart->DisplayStartTime());
    const double increment = logging ? FChart->LogTimeIncrement() : double(FChart->DisplayTimeIncrement());
    FChart->ShowAtTime(false, start + FChart->SamplesPerWindow() * increment);
}

} // namespace Tessaron
