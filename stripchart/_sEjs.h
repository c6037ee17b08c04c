#pragma once
// TFormJogShuttleBarStrip: the strip chart's jog shuttle bar: a shuttle slider
// (-50 ... 50, back to 0 when released), buttons to the start and the end of
// the run, the run's remarks, and the number and comment of the shown run.
// While shown it polls the chart every 500 ms, every 20 ms while the chart
// logs or plays; the chart also tells it at once when logging or playing
// starts or ends.

#include <platform/Buttons.h>
#include <platform/ExtCtrls.h>
#include <platform/Forms.h>
#include <platform/StdCtrls.h>

namespace Tessaron {

class TStripChart;
class TSlider;

class TFormJogShuttleBarStrip : public TForm {
    Q_OBJECT
public:
    static constexpr int SlowInterval = 500;
    static constexpr int FastInterval = 20;

    explicit TFormJogShuttleBarStrip(TComponent* AOwner = nullptr);
    ~TFormJogShuttleBarStrip() override;

    void SetChart(TStripChart* Chart) { FChart = Chart; }
    // The samples one fast tick moves the display with the shuttle at
    // Position: Position itself up to 9 away from 0, beyond that Position² / 10
    // in Position's direction.
    static double ShuttleSamples(int Position);
    // One poll: the timer's pace and the shown run's number and comment follow
    // the chart; the shuttle is usable only while the chart logs or plays and
    // moves the display by ShuttleSamples per fast tick; a changed remark list
    // is refilled with the remarks' texts, and the highlighted remark is
    // selected in it.
    void Poll();
    // The shuttle is enabled, and the poll fast, exactly while the chart logs
    // or plays.
    void FollowRunState();

    TGroupBox* GroupBox1 = nullptr; // "Steuerung"
    TGroupBox* GroupBox2 = nullptr; // "Informationen"
    TSpeedButton* BStart = nullptr;
    TSlider* Shuttle = nullptr;
    TSpeedButton* BEnd = nullptr;
    TComboBox* ComboBoxRemarks = nullptr;
    TLabel* LRunNumber = nullptr;
    TLabel* LRunComment = nullptr;
    TTimer* Timer1 = nullptr;

private:
    // "An den Anfang spulen": the first window of the shown run.
    void ToStart();
    // The list box gets the texts of the chart's remarks, in list order.
    void FillRemarks();

    TStripChart* FChart = nullptr;
    int FShownRun = -1;
    QString FShownComment;
};

} // namespace Tessaron
