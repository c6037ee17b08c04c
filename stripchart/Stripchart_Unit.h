#pragma once
// The strip chart's demonstration window: the eight-channel recorder fed
// with random bands every 50 ms, recording to and playing back run files.

#include <stripchart/StrpChrt.h>

#include <platform/Buttons.h>
#include <platform/Dialogs.h>
#include <platform/ExtCtrls.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>
#include <platform/StdCtrls.h>
#include <platform/TourWindows.h>

#include <QTemporaryDir>

#include <array>
#include <memory>

namespace Tessaron {

class TStripchart_Demo : public TForm, public Demo::TTourWindows {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/Stripchart_Unit.tfm")
    Q_PROPERTY(Tessaron::TPanel* Panel1 MEMBER Panel1)
    Q_PROPERTY(Tessaron::TLabel* Label1 MEMBER Label1)
    Q_PROPERTY(Tessaron::TStripChart* StripChart1 MEMBER StripChart1)
    Q_PROPERTY(Tessaron::TGroupBox* GroupBox1 MEMBER GroupBox1)
    Q_PROPERTY(Tessaron::TLabel* Label2 MEMBER Label2)
    Q_PROPERTY(Tessaron::TLabel* Label3 MEMBER Label3)
    Q_PROPERTY(Tessaron::TLabel* Label4 MEMBER Label4)
    Q_PROPERTY(Tessaron::TPanel* Panel2 MEMBER Panel2)
    Q_PROPERTY(Tessaron::TButton* Aufnehmen MEMBER Aufnehmen)
    Q_PROPERTY(Tessaron::TButton* Wiedergeben MEMBER Wiedergeben)
    Q_PROPERTY(Tessaron::TButton* Werkzeugleiste MEMBER Werkzeugleiste)
    Q_PROPERTY(Tessaron::TGroupBox* GroupBox2 MEMBER GroupBox2)
    Q_PROPERTY(Tessaron::TLabel* Label5 MEMBER Label5)
    Q_PROPERTY(Tessaron::TLabel* KurveValue MEMBER KurveValue)
    Q_PROPERTY(Tessaron::TLabel* Label6 MEMBER Label6)
    Q_PROPERTY(Tessaron::TLabel* SpannungValue MEMBER SpannungValue)
    Q_PROPERTY(Tessaron::TBitBtn* BitBtn1 MEMBER BitBtn1)
    Q_PROPERTY(Tessaron::TTimer* Timer1 MEMBER Timer1)
    Q_PROPERTY(Tessaron::TOpenDialog* OpenDialog1 MEMBER OpenDialog1)

public:
    static constexpr int BlockSize = 10;

    explicit TStripchart_Demo(TComponent* AOwner = nullptr);

    // Series colours, and 10 samples per 50 ms tick (0.005 s per sample).
    Q_INVOKABLE void FormCreate(Tessaron::TObject* Sender);
    // Hides the tool windows, stops the timer and closes the run being recorded.
    Q_INVOKABLE void FormClose(Tessaron::TObject* Sender, Tessaron::TForm::TCloseAction& Action);
    // Ten samples of eight noisy bands 10 units apart.
    Q_INVOKABLE void Timer1Timer(Tessaron::TObject* Sender);
    // Stops recording and playback; a confirmed file is recorded into and the feed runs.
    Q_INVOKABLE void AufnehmenClick(Tessaron::TObject* Sender);
    // Stops recording and playback; a confirmed file is played (the feed keeps its state).
    Q_INVOKABLE void WiedergebenClick(Tessaron::TObject* Sender);
    Q_INVOKABLE void WerkzeugleisteClick(Tessaron::TObject* Sender);
    Q_INVOKABLE void StripChart1CrossMove(Tessaron::TObject* Sender, float X, float Y, int Series, int Index);

    // Records a moment into a temporary file with one remark, then feeds on
    // with the tool bar, the value bar and the jog shuttle bar shown.
    // The block of the last tick: the ten samples of each series fed last.
    const std::array<std::array<float, BlockSize>, TStripChart::MaxSeries>& LastBlock() const { return FValues; }

    void TourStart() override;
    // The chart's tool windows that are showing.
    std::vector<TForm*> TourWindows() const override;

    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TStripChart* StripChart1 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TPanel* Panel2 = nullptr;
    TButton* Aufnehmen = nullptr;
    TButton* Wiedergeben = nullptr;
    TButton* Werkzeugleiste = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* KurveValue = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* SpannungValue = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TTimer* Timer1 = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;

private:
    std::array<std::array<float, BlockSize>, TStripChart::MaxSeries> FValues{};
    TSeriesData FData{};
    // The tour's recording.
    std::unique_ptr<QTemporaryDir> FTourDir;
};

extern TStripchart_Demo* Stripchart_Demo;

} // namespace Tessaron
