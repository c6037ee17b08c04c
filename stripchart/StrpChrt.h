#pragma once
// TStripChart: an eight-channel strip chart recorder. It takes blocks of
// single-precision samples for up to eight series (AddSamples), keeps them in
// a buffer per series and draws the newest window of them scrolling from right
// to left over a time axis; it range-checks every sample against two limits.
// Live feeding scrolls the picture and draws only the uncovered strip.
// Every sample fed can be logged into a run file; stored runs are played
// back and annotated with remarks (StripStorage.cpp). The mouse modes
// (crosses, zoom, remarks, dropped colours) are in StripMouse.cpp; the tool
// windows are not built yet: their properties are only stored.

#include <histograph/ColorDrop.h>
#include <histograph/HistoCurve.h>
#include <histograph/HistoMapping.h>
#include <histograph/RecorderPaint.h>
#include <histograph/RecorderTypes.h>
#include <stripchart/RemarkFile.h>
#include <stripchart/RunFile.h>
#include <stripchart/StripRangeCheck.h>
#include <stripchart/StripTime.h>
#include <stripchart/StripEnums.h>
#include <stripchart/StripTypes.h>

#include <platform/ExtPanels.h>
#include <platform/Graphics.h>

#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace Tessaron {

class TEditRemark;
class TFormToolBarStrip;
class TFormCalculateBarStrip;
class TFormJogShuttleBarStrip;

using TNotifyRemark =
    TEvent<void(TObject* Sender, double Time, int Series, TDescFlag Flag, int RunNumber, const QString& Text)>;
using TNotifyCalculateStrip = TEvent<void(TObject* Sender, int Serie1, int Serie2, double Value1X, double Value2X,
    double Value1Y, double Value2Y)>;

class TStripChart : public TPaintBox {
    Q_OBJECT
    // The size a Qt layout or a form designer gives a new one (the
    // demonstration window's chart).
    Q_CLASSINFO("DefaultSize", "417x233")
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
    Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright)
    Q_PROPERTY(bool EnableUpdate READ EnableUpdate WRITE SetEnableUpdate)
    Q_PROPERTY(Tessaron::TColor GridColor READ GridColor WRITE SetGridColor)
    Q_PROPERTY(Tessaron::TColor BkColor READ BkColor WRITE SetBkColor)
    Q_PROPERTY(Tessaron::Recorder::TGrdVisible GridVisible READ GridVisible WRITE SetGridVisible)
    Q_PROPERTY(Tessaron::Strip::TstrpScale GridScale READ GridScale WRITE SetGridScale)
    Q_PROPERTY(Tessaron::TPenStyle GridLineStyle READ GridLineStyle WRITE SetGridLineStyle)
    Q_PROPERTY(Tessaron::TColor MarkerHighlightColor READ MarkerHighlightColor WRITE SetMarkerHighlightColor)
    Q_PROPERTY(Tessaron::TColor MarkerColor READ MarkerColor WRITE SetMarkerColor)
    Q_PROPERTY(Tessaron::Strip::TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(int GapRight READ GapRight WRITE SetGapRight)
    Q_PROPERTY(int GapLeft READ GapLeft WRITE SetGapLeft)
    Q_PROPERTY(int GapTop READ GapTop WRITE SetGapTop)
    Q_PROPERTY(int GapBottom READ GapBottom WRITE SetGapBottom)
    Q_PROPERTY(QString TitleRight READ TitleRight WRITE SetTitleRight)
    Q_PROPERTY(QString TitleLeft READ TitleLeft WRITE SetTitleLeft)
    Q_PROPERTY(QString TitleTop READ TitleTop WRITE SetTitleTop)
    Q_PROPERTY(QString TitleBottom READ TitleBottom WRITE SetTitleBottom)
    Q_PROPERTY(Tessaron::TFont* FontTitleTop READ FontTitleTop WRITE SetFontTitleTop)
    Q_PROPERTY(Tessaron::TFont* FontXAxis READ FontXAxis WRITE SetFontXAxis)
    Q_PROPERTY(Tessaron::TFont* FontYAxis READ FontYAxis WRITE SetFontYAxis)
    Q_PROPERTY(Tessaron::TFont* FontTitleBottom READ FontTitleBottom WRITE SetFontTitleBottom)
    Q_PROPERTY(Tessaron::TFont* FontTitleLeft READ FontTitleLeft WRITE SetFontTitleLeft)
    Q_PROPERTY(Tessaron::TFont* FontTitleRight READ FontTitleRight WRITE SetFontTitleRight)
    Q_PROPERTY(float ViewYMin READ ViewYMin WRITE SetViewYMin)
    Q_PROPERTY(float ViewYMax READ ViewYMax WRITE SetViewYMax)
    Q_PROPERTY(float ViewYGap READ ViewYGap WRITE SetViewYGap)
    Q_PROPERTY(int ViewYDecimals READ ViewYDecimals WRITE SetViewYDecimals)
    Q_PROPERTY(int SeriesNumber READ SeriesNumber WRITE SetSeriesNumber)
    Q_PROPERTY(int SeriesCurrent READ SeriesCurrent WRITE SetSeriesCurrent)
    Q_PROPERTY(Tessaron::TColor SeriesColor READ SeriesColor WRITE SetSeriesColor STORED false)
    Q_PROPERTY(Tessaron::TPenStyle SeriesLineStyle READ SeriesLineStyle WRITE SetSeriesLineStyle STORED false)
    Q_PROPERTY(bool SeriesVisible READ SeriesVisible WRITE SetSeriesVisible STORED false)
    Q_PROPERTY(int SamplesPerWindow READ SamplesPerWindow WRITE SetSamplesPerWindow)
    Q_PROPERTY(int SamplesPerBuffer READ SamplesPerBuffer WRITE SetSamplesPerBuffer)
    Q_PROPERTY(bool ShowCross READ ShowCross WRITE SetShowCross)
    Q_PROPERTY(bool ReduceFlicker READ ReduceFlicker WRITE SetReduceFlicker)
    Q_PROPERTY(double LogTimeIncrement READ LogTimeIncrement WRITE SetLogTimeIncrement)
    Q_PROPERTY(double LogStartTime READ LogStartTime WRITE SetLogStartTime)
    Q_PROPERTY(int DisplayRunNumber READ DisplayRunNumber WRITE SetDisplayRunNumber)
    Q_PROPERTY(double ViewXGap READ ViewXGap WRITE SetViewXGap)
    Q_PROPERTY(Tessaron::Strip::TStripMode StripMode READ StripMode WRITE SetStripMode)
    Q_PROPERTY(QString RunComment READ RunComment WRITE SetRunComment)
    Q_PROPERTY(float RangeLower READ RangeLower WRITE SetRangeLower)
    Q_PROPERTY(float RangeUpper READ RangeUpper WRITE SetRangeUpper)
    Q_PROPERTY(bool ShowToolBar READ ShowToolBar WRITE SetShowToolBar)
    Q_PROPERTY(bool ShowValueBar READ ShowValueBar WRITE SetShowValueBar)
    Q_PROPERTY(bool ShowJogShuttleBar READ ShowJogShuttleBar WRITE SetShowJogShuttleBar)
    Q_PROPERTY(bool AutoScale READ AutoScale WRITE SetAutoScale)
    Q_PROPERTY(Tessaron::TNotifyCrossMove OnCrossMove MEMBER OnCrossMove)
    Q_PROPERTY(Tessaron::TNotifyRemark OnRemark MEMBER OnRemark)
    Q_PROPERTY(Tessaron::TNotifyCalculateStrip OnCalculate MEMBER OnCalculate)
    Q_PROPERTY(Tessaron::TStripRangeCheck OnRangeCheck MEMBER OnRangeCheck)
    Q_CLASSINFO("Default:EnableUpdate", "true")
    Q_CLASSINFO("Default:GridColor", "clGray")
    Q_CLASSINFO("Default:BkColor", "clBtnFace")
    Q_CLASSINFO("Default:GridVisible", "grdNone")
    Q_CLASSINFO("Default:GridScale", "strpLin")
    Q_CLASSINFO("Default:GridLineStyle", "psSolid")
    Q_CLASSINFO("Default:MarkerHighlightColor", "clGreen")
    Q_CLASSINFO("Default:MarkerColor", "clRed")
    Q_CLASSINFO("Default:BorderStyle", "bsSingle")
    Q_CLASSINFO("Default:GapRight", "40")
    Q_CLASSINFO("Default:GapLeft", "70")
    Q_CLASSINFO("Default:GapTop", "40")
    Q_CLASSINFO("Default:GapBottom", "60")
    Q_CLASSINFO("Default:ViewYMax", "10")
    Q_CLASSINFO("Default:ViewYGap", "2")
    Q_CLASSINFO("Default:ViewYDecimals", "2")
    Q_CLASSINFO("Default:SeriesNumber", "1")
    Q_CLASSINFO("Default:SeriesCurrent", "1")
    Q_CLASSINFO("Default:SamplesPerWindow", "512")
    Q_CLASSINFO("Default:SamplesPerBuffer", "1024")
    Q_CLASSINFO("Default:ShowCross", "true")
    Q_CLASSINFO("Default:ReduceFlicker", "false")
    Q_CLASSINFO("Default:LogTimeIncrement", "1")
    Q_CLASSINFO("Default:LogStartTime", "0")
    Q_CLASSINFO("Default:DisplayRunNumber", "0")
    Q_CLASSINFO("Default:ViewXGap", "1")
    Q_CLASSINFO("Default:StripMode", "modeMeasure")
    Q_CLASSINFO("Default:RunComment", "'Ohne Kommentar'")
    Q_CLASSINFO("Default:ShowToolBar", "false")
    Q_CLASSINFO("Default:ShowValueBar", "false")
    Q_CLASSINFO("Default:ShowJogShuttleBar", "false")
    Q_CLASSINFO("Default:AutoScale", "false")

public:
    static constexpr int MaxSeries = 8;
    // SamplesPerBuffer must stay below this.
    static constexpr int BufferLimit = 200000000;
    // The Y grid table holds at most this many rows.
    static constexpr int MaxGridRows = 999;

    struct TSeriesEntry {
        TPenStyle LineStyle = psSolid;
        TColor Color = clBlack;
        // Index i (1-based) of the buffer is Samples[i - 1].
        std::vector<float> Samples;
        int Length = 0;
        bool Allocated = false;
        bool Visible = true;
    };

    explicit TStripChart(TComponent* AOwner = nullptr);
    ~TStripChart() override;

    // "V2.01"; assignments are ignored.
    QString Version() const { return FVersion; }
    void SetVersion(const QString&) {}
    // The maker's notice; assignments are ignored.
    QString Copyright() const { return FCopyright; }
    void SetCopyright(const QString&) {}
    // true by default; while false painting does nothing; true repaints.
    bool EnableUpdate() const { return FEnableUpdate; }
    void SetEnableUpdate(bool Value);
    // clGray by default: grid lines, ticks.
    TColor GridColor() const { return FGridColor; }
    void SetGridColor(TColor Value);
    // clBtnFace by default: the plot background.
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor Value);
    // grdNone by default; grdHor draws the vertical time lines, grdVer the
    // horizontal value lines.
    TGrdVisible GridVisible() const { return FGridVisible; }
    void SetGridVisible(TGrdVisible Value);
    // strpLin by default; switching to strpLog auto-scales first when AutoScale is on.
    TstrpScale GridScale() const { return FGridScale; }
    void SetGridScale(TstrpScale Value);
    // psSolid by default.
    TPenStyle GridLineStyle() const { return FGridLineStyle; }
    void SetGridLineStyle(TPenStyle Value);
    // clGreen by default: the highlighted remark marker.
    TColor MarkerHighlightColor() const { return FMarkerHighlightColor; }
    void SetMarkerHighlightColor(TColor Value);
    // clRed by default: the other remark markers.
    TColor MarkerColor() const { return FMarkerColor; }
    void SetMarkerColor(TColor Value);
    // bsSingle by default: a raised one-pixel frame around the control.
    Strip::TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(Strip::TBorderStyle Value);
    // 40, 70, 40, 60 by default; not checked.
    int GapRight() const { return FGapRight; }
    void SetGapRight(int Value);
    int GapLeft() const { return FGapLeft; }
    void SetGapLeft(int Value);
    int GapTop() const { return FGapTop; }
    void SetGapTop(int Value);
    int GapBottom() const { return FGapBottom; }
    void SetGapBottom(int Value);
    // Empty by default. Left reads upward, right downward.
    QString TitleRight() const { return FTitleRight; }
    void SetTitleRight(const QString& Value);
    QString TitleLeft() const { return FTitleLeft; }
    void SetTitleLeft(const QString& Value);
    QString TitleTop() const { return FTitleTop; }
    void SetTitleTop(const QString& Value);
    QString TitleBottom() const { return FTitleBottom; }
    void SetTitleBottom(const QString& Value);
    // Copies of Font ("Arial") at construction; assigning copies the font.
    TFont* FontTitleTop() const { return FFontTitleTop.get(); }
    void SetFontTitleTop(TFont* Value);
    TFont* FontXAxis() const { return FFontXAxis.get(); }
    void SetFontXAxis(TFont* Value);
    TFont* FontYAxis() const { return FFontYAxis.get(); }
    void SetFontYAxis(TFont* Value);
    TFont* FontTitleBottom() const { return FFontTitleBottom.get(); }
    void SetFontTitleBottom(TFont* Value);
    TFont* FontTitleLeft() const { return FFontTitleLeft.get(); }
    void SetFontTitleLeft(TFont* Value);
    TFont* FontTitleRight() const { return FFontTitleRight.get(); }
    void SetFontTitleRight(TFont* Value);
    // 0 by default; not checked (an invalid range shows the error picture);
    // auto-scales first when AutoScale is on.
    float ViewYMin() const { return FViewYMin; }
    void SetViewYMin(float Value);
    // 10 by default; not checked.
    float ViewYMax() const { return FViewYMax; }
    void SetViewYMax(float Value);
    // 2 by default; values <= 0 (and NaN) are not stored, but it repaints in any case.
    float ViewYGap() const { return FViewYGap; }
    void SetViewYGap(float Value);
    // 2 by default: decimals of the Y labels.
    int ViewYDecimals() const { return FViewYDecimals; }
    void SetViewYDecimals(int Value);
    // 1 by default; 1 ... 8, other values are ignored; gives new series their buffers.
    int SeriesNumber() const { return FSeriesNumber; }
    void SetSeriesNumber(int Value);
    // 1 by default; 1 ... 8 (not limited by SeriesNumber), else ignored.
    int SeriesCurrent() const { return FSeriesCurrent; }
    void SetSeriesCurrent(int Value);
    // Colour (black), pen style (psSolid) and visibility (true) of series
    // SeriesCurrent; beyond SeriesNumber reads give 0 / psSolid / false and
    // writes are ignored.
    TColor SeriesColor() const;
    void SetSeriesColor(TColor Value);
    TPenStyle SeriesLineStyle() const;
    void SetSeriesLineStyle(TPenStyle Value);
    bool SeriesVisible() const;
    void SetSeriesVisible(bool Value);
    // 512 by default; accepts 1 ... SamplesPerBuffer, other values are ignored.
    int SamplesPerWindow() const { return FSamplesPerWindow; }
    void SetSamplesPerWindow(int Value);
    // 1024 by default; accepts SamplesPerWindow ... 199,999,999. A new size
    // allocates zeroed buffers (the stored samples are dropped); a failed
    // allocation frees that series' buffer and the x table and throws.
    int SamplesPerBuffer() const { return FSamplesPerBuffer; }
    void SetSamplesPerBuffer(int Value);
    // true by default.
    bool ShowCross() const { return FShowCross; }
    void SetShowCross(bool Value);
    // false by default: true composes the picture in an off-screen bitmap
    // (for areas over 20 pixels high) and copies it in one step.
    bool ReduceFlicker() const { return FReduceFlicker; }
    void SetReduceFlicker(bool Value);
    // 1.0 s by default; only values > 0 are accepted. Restarts the sample times.
    double LogTimeIncrement() const { return FLogTimeIncrement; }
    void SetLogTimeIncrement(double Value);
    // 0 by default (seconds from year 1); acts even when unchanged: restarts
    // the sample times and, while live, empties the display.
    double LogStartTime() const { return FLogStartTime; }
    void SetLogStartTime(double Value);
    // 0 by default: the stored run shown. Only values > 0 while logging or
    // playing, for a run the file holds; otherwise ignored.
    int DisplayRunNumber() const { return FDisplayRunNumber; }
    void SetDisplayRunNumber(int Value);
    // 1.0 s by default: the time between two vertical grid lines; only values > 0.
    double ViewXGap() const { return FViewXGap; }
    void SetViewXGap(double Value);
    // modeMeasure by default: what the mouse does (StripMouse.cpp). Measure,
    // remark and zoom switch crosses 0 and 1 off, calculate cross 2.
    TStripMode StripMode() const { return FStripMode; }
    void SetStripMode(TStripMode Value);
    // "Ohne Kommentar" by default; cut to 80 characters. Only while a run is
    // logged or shown: rewrites the comment in that run's HEAD; else ignored.
    QString RunComment() const { return FRunComment; }
    void SetRunComment(const QString& Value);
    // 0 and 0 by default: the limits of the range check; store only.
    float RangeLower() const { return FRangeLower; }
    void SetRangeLower(float Value) { FRangeLower = Value; }
    float RangeUpper() const { return FRangeUpper; }
    void SetRangeUpper(float Value) { FRangeUpper = Value; }
    // false by default: show or hide the tool bar, value bar and jog shuttle
    // bar (run time only; StripTools.cpp). At run time the value bar and jog
    // shuttle bar read back whether their window is visible.
    bool ShowToolBar() const { return FShowToolBar; }
    void SetShowToolBar(bool Value);
    bool ShowValueBar() const;
    void SetShowValueBar(bool Value);
    bool ShowJogShuttleBar() const;
    void SetShowJogShuttleBar(bool Value);
    // false by default: true runs ScaleToData before every paint.
    bool AutoScale() const { return FAutoScale; }
    void SetAutoScale(bool Value);

    // Read-only state.
    bool Logging() const { return FLogging; }
    bool Playing() const { return FPlaying; }
    long double DisplayStartTime() const { return FDisplayStartTime; }
    long double DisplayTimeIncrement() const { return FDisplayTimeIncrement; }
    long double LastSampleTime() const { return FLastSampleTime; }
    long double FirstSampleNumber() const { return FFirstSampleNumber; }
    bool LiveDisplay() const { return FLiveDisplay; }
    int StoredCount() const { return FStoredCount; }
    int WindowOffset() const { return FWindowOffset; }
    // The x pixel of buffer index 1 ... StoredCount.
    int XPosition(int Index) const { return FXPositions[std::size_t(Index)]; }
    float XFraction() const { return FXFraction; }
    const TSeriesEntry& Series(int Series) const { return FSeries[std::size_t(Series - 1)]; }
    // The time of buffer index Index.
    long double TimeOfIndex(long double Index) const;
    // The rows of the horizontal grid lines.
    const std::vector<int>& GridRows() const { return FGridRows; }
    // The time axis unit and the label step (grid gaps per label).
    const StripTime::TTimeUnit& TimeUnit() const { return FTimeUnit; }
    int LabelStep() const { return FLabelStep; }
    // The message of an invalid Y range, or empty.
    QString RangeError() const;
    // Where a title was last drawn ((-1, -1, -1, -1) until it is drawn after
    // the last change).
    TRect TitleRect(TRecorderTitle Title) const { return FTitleRects[std::size_t(Title)]; }

    // ---- Tool windows (StripTools.cpp) ----
    // The windows the chart made after loading (or on the first Show...);
    // null inside a form designer and before.
    TFormToolBarStrip* ToolBar() const { return FToolBar; }
    TFormCalculateBarStrip* ValueBar() const { return FValueBar; }
    TFormJogShuttleBarStrip* JogShuttleBar() const { return FJogShuttleBar; }
    // Value bar read-outs of the mouse modes; nothing happens unless the value
    // bar is showing. Times with 5 significant digits, values with 4.
    // modeMeasure: the first group shows the cross.
    void ShowMeasureReadOut(int Series, double Time, double Value);
    // modeCalculate: both crosses, |T2 - T1|, |Y2 - Y1| and 1 / |T2 - T1|
    // ("----" for equal times).
    void ShowCalculateReadOut(int Series1, double Time1, double Value1, int Series2, double Time2, double Value2);
    // ---- end of the tool windows ----

    TNotifyCrossMove OnCrossMove;
    TNotifyRemark OnRemark;
    TNotifyCalculateStrip OnCalculate;
    TStripRangeCheck OnRangeCheck;

    // Feeds SampleCount samples of each of series 1 ... SeriesNumber: Data[s]
    // points to the samples of series s + 1. Nothing happens (and nothing is
    // changed) for SampleCount <= 0, SeriesCount outside 1 ... 8, a null
    // pointer for a series in use or one checked, or buffers lost to a failed
    // allocation. NaN samples leave a gap in the curve and are not range-checked.
    void AddSamples(const std::array<const float*, MaxSeries>& Data, int SeriesCount, int SampleCount);
    // One-off automatic Y scaling; true when the range changed.
    bool ScaleToData();

    // The remarks of the displayed run (filled by the run-file code) and the
    // index of the highlighted one (-1: none).
    const std::vector<TRemarkEntry>& Remarks() const { return FRemarks; }
    int HighlightedRemark() const { return FHighlighted; }
    void SetRemarks(std::vector<TRemarkEntry> Remarks);
    // The text of remark Index of Remarks(), read from the remark file; the
    // selected and the highlighted remark stay as they are. Empty for an index
    // outside the list or when no remark file is open.
    QString RemarkText(int Index) const;

    // Measuring crosses 0, 1 (calculate mode) and 2 (measure mode): shown at
    // pixel (X, Y) in Color with an inverting pen; drawing twice removes one.
    void PlaceCross(int Cross, int X, int Y, TColor Color);
    void HideCross(int Cross);
    bool CrossVisible(int Cross) const;

    // Whether curves with a solid pen keep only the first, lowest, highest and
    // last sample of each pixel column (the same pixels). On by default.
    bool ReduceColumns() const { return FReduceColumns; }
    void SetReduceColumns(bool Value);
    // The incremental scrolls so far, and (with SetCollectStats) the time
    // spent in their steps, in nanoseconds.
    struct TScrollStats {
        qint64 Scroll = 0;
        qint64 Strip = 0;
        qint64 Labels = 0;
        qint64 Calls = 0;
    };
    const TScrollStats& ScrollStats() const { return FStats; }
    void SetCollectStats(bool Value) { FCollectStats = Value; }

    // The "Series" list: colour, pen style and visibility of each series 1 ...
    // SeriesNumber. Reading fills series 1, 2, ... (at most eight); a list that
    // is not whole triples, or a value of the wrong kind, is refused as a whole.
    QString ListPropertyName() const override { return QStringLiteral("Series"); }
    bool ReadListProperty(const QVariantList& List, QString* Error) override;
    QVariantList WriteListProperty() const override;
    void Loaded() override;


    // ------------------------------------------------ run file and playback
    // (StripStorage.cpp). Logging writes every sample fed into runs of a run
    // file; playback shows stored runs; remarks live in the ".DDD" file.

    // The storage slots, filled with the run-file store by the constructor.
    // Writer commands: 0 create the file (StorageFile()) and start a run,
    // 1 start a run (opening StorageFile() for appending when it is not open),
    // 2 append SampleCount samples of series 1 .. SeriesCount, 3 close the
    // run; true on success. Reader: fills Buffers[s][First .. First + Count -
    // 1] (0-based, s < SeriesCount) with the shown run's samples from time
    // FirstTime on; returns the number read and sets Status (TReadStatus:
    // 0, 2, 3, 4, 6, 7 or 10).
    enum TStorageCommand { scCreate = 0, scStartRun = 1, scAppend = 2, scCloseRun = 3 };
    using TStorageWriter = std::function<bool(int Command, int SampleCount, int SeriesCount, const TSeriesData& Data)>;
    using TStorageReader = std::function<int(float* const* Buffers, double FirstTime, double Increment, int First,
        int Count, int BufferLength, int SeriesCount, int& Status)>;
    TStorageWriter StorageWriter;
    TStorageReader StorageReader;

    // Opens or creates the run file and starts a new run with Comment (cut to
    // 80 characters). False when already logging, when an existing file is no
    // run file or its last run was not closed (LastStorageError() names
    // `tessaron-runs repair`; the file is left as it is), or on a file error.
    bool StartLogging(const QString& FileName, const QString& Comment);
    // Closes the run (its last block and TAIL) and both files.
    void StopLogging();
    // Opens a run file for viewing and shows run 1; false when it is missing
    // or no run file. Stops logging first.
    bool StartPlaying(const QString& FileName);
    void StopPlaying();
    // Shows the shown run so that its newest sample shown has time T (or
    // moves by T when Relative); true when the display did not move.
    bool ShowAtTime(bool Relative, double T);
    // Shows the end of the shown run (the newest sample of the run being logged).
    void ShowRunEnd();

    // Remarks (the ".DDD" file of the open run file); each false when no file is open.
    bool AddRemark(int Run, double Time, int Series, const QString& Text, TDescFlag Flag);
    bool UpdateRemark(const QString& Text, TDescFlag Flag, int Series);
    void LoadRemarks(int Run);
    // Selects the remark nearest to Time (the earlier on ties); false for none.
    bool FindNearestRemark(double Time);
    const TRemarkRecord& SelectedRemark() const { return FRemarkFile.Selected(); }
    bool RemarkListChanged(std::vector<TRemarkEntry>* List = nullptr) { return FRemarkFile.RemarkListChanged(List); }
    bool RemarkHighlightChanged(int* Index = nullptr) { return FRemarkFile.RemarkHighlightChanged(Index); }

    // The run shown (Number 0: none), the run file, why the last storage call
    // failed (empty when it did not), the status of the last read, and by how
    // many samples the last ShowAtTime scrolled the picture (0: repainted or
    // not moved).
    const TRunInfo& ShownRun() const { return FShownRun; }
    const std::string& StorageFile() const { return FStoragePath; }
    QString LastStorageError() const { return FStorageError; }
    int LastReadStatus() const { return FReadStatus; }
    int LastScroll() const { return FLastScroll; }

private:
    void InstallDefaultStorage();
    void CloseStorage();
    bool StorageFailed(const QString& Text);
    void OpenRemarks();
    void RestartRun();
    void CloseRun();
    bool ShownRunIsLogged() const;
    std::int64_t ShownRunSamples() const;
    void RefillBuffer(std::int64_t Target);
    void LayoutShown();
    void RemarkHighlighted(int Index);

    bool FLogging = false;
    bool FPlaying = false;
    bool FDestroying = false;
    std::string FStoragePath;
    QString FStorageError;
    int FReadStatus = rsComplete;
    int FLastScroll = 0;
    TRunFileWriter FLogWriter;
    TRunFileReader FRunReader;
    TRemarkFile FRemarkFile;
    TRunInfo FShownRun;
    // ------------------------------------------------ end of run file and playback

public:
protected:
    void Paint() override;

    // For the run-file code: refill the buffer from a stored run. Empties the
    // buffer and restarts the display at absolute sample FirstSample.
    void ClearBuffer(long double FirstSample);
    // Stores SampleCount samples per series in the buffer and lays out their x
    // positions (steps 6 to 8 of AddSamples); true when the whole window was
    // replaced (the caller repaints everything) .
    bool StoreSamples(const std::array<const float*, MaxSeries>& Data, int SampleCount);
    void SetLiveDisplay(bool Value) { FLiveDisplay = Value; }

private:
    TSeriesEntry& SeriesAt(int S) { return FSeries[std::size_t(S - 1)]; }
    const TSeriesEntry& SeriesAt(int S) const { return FSeries[std::size_t(S - 1)]; }
    bool SeriesAddressable() const { return FSeriesCurrent <= FSeriesNumber; }
    bool BuffersReady() const;
    void ApplyBuffers(int Value);
    void RangeCheck(const std::array<const float*, MaxSeries>& Data, int SeriesCount, int SampleCount);
    void GeneratePreview();
    void LayoutXPositions();
    void Changed();
    void SetInt(int& Field, int Value);
    void SetString(QString& Field, const QString& Value);
    void SetColorField(TColor& Field, TColor Value);
    void SetTitleFont(std::unique_ptr<TFont>& Field, TFont* Value);
    void RebuildRotatedFonts();
    void YScaleChanged();

    // Painting (StripPaint.cpp).
    struct TLayout;
    TLayout Layout() const;
    THistoMapping Mapping() const;
    void UpdateLogMapping();
    void UpdateGridTable();
    void UpdateTimeAxis();
    void DrawEverything(TCanvas* Canvas, const TRect& Clip);
    void DrawPlot(TCanvas* Canvas, const TLayout& L);
    void DrawCurves(TCanvas* Canvas, const TLayout& L, int First, int Last);
    void DrawMarkers(TCanvas* Canvas, const TLayout& L);
    void DrawYAxis(TCanvas* Canvas, const TLayout& L);
    void DrawXAxis(TCanvas* Canvas, const TLayout& L);
    void DrawCross(TCanvas* Canvas, int Cross);
    TRect MarkerRect(const TLayout& L, const TRemarkEntry& R) const;
    int RemarkIndex(const TRemarkEntry& R) const;
    int NearestRemark() const;
    int IndexOfTime(long double T) const;
    void ScrollNew(int Distance, int NewSamples, bool Dropped);
    void PaintNow(const TRect& R);

    QString FVersion;
    QString FCopyright;
    bool FEnableUpdate = true;
    TColor FGridColor = clGray;
    TColor FBkColor = clBtnFace;
    TGrdVisible FGridVisible = grdNone;
    TstrpScale FGridScale = strpLin;
    TPenStyle FGridLineStyle = psSolid;
    TColor FMarkerHighlightColor = clGreen;
    TColor FMarkerColor = clRed;
    Strip::TBorderStyle FBorderStyle = Strip::bsSingle;
    int FGapRight = 40;
    int FGapLeft = 70;
    int FGapTop = 40;
    int FGapBottom = 60;
    QString FTitleRight;
    QString FTitleLeft;
    QString FTitleTop;
    QString FTitleBottom;
    std::unique_ptr<TFont> FFontTitleTop;
    std::unique_ptr<TFont> FFontXAxis;
    std::unique_ptr<TFont> FFontYAxis;
    std::unique_ptr<TFont> FFontTitleBottom;
    std::unique_ptr<TFont> FFontTitleLeft;
    std::unique_ptr<TFont> FFontTitleRight;
    std::unique_ptr<TFont> FRotatedLeft;
    std::unique_ptr<TFont> FRotatedRight;
    float FViewYMin = 0.0f;
    float FViewYMax = 10.0f;
    float FViewYGap = 2.0f;
    int FViewYDecimals = 2;
    int FSeriesNumber = 1;
    int FSeriesCurrent = 1;
    int FSamplesPerWindow = 512;
    int FSamplesPerBuffer = 0;
    bool FShowCross = true;
    bool FReduceFlicker = false;
    double FLogTimeIncrement = 1.0;
    double FLogStartTime = 0.0;
    int FDisplayRunNumber = 0;
    double FViewXGap = 1.0;
    TStripMode FStripMode = Strip::modeMeasure;
    QString FRunComment;
    float FRangeLower = 0.0f;
    float FRangeUpper = 0.0f;
    bool FShowToolBar = false;
    bool FShowValueBar = false;
    bool FShowJogShuttleBar = false;
    bool FAutoScale = false;
    bool FReduceColumns = true;

    std::array<TSeriesEntry, MaxSeries> FSeries;
    // Buffer state.
    int FStoredCount = 0;
    int FPreviousCount = 0;
    int FWindowOffset = -512;
    long double FFirstSampleNumber = 0;
    // Entries 1 ... SamplesPerBuffer + 1 (entry 0 unused).
    std::vector<int> FXPositions;
    float FXFraction = 0.0f;
    TStripRangeChecker FRangeChecker;
    // Time base.
    long double FLastSampleTime = -1.0L;
    long double FDisplayStartTime = 0.0L;
    long double FDisplayTimeIncrement = 1.0L;
    long double FRunStartTime = 0.0L;
    bool FLiveDisplay = true;

    // Painting state.
    std::vector<int> FGridRows;
    TLogTransform FLogY;
    StripTime::TTimeUnit FTimeUnit;
    int FLabelStep = 1;
    int FLabelWidth = 0;
    // Where the caption band may hold something other than its background:
    // from here to the plot's right edge (the caption is right-aligned there).
    int FCaptionLeft = std::numeric_limits<int>::min();
    // The caption of the newest time, made once while a scroll measures and
    // paints it (empty otherwise: every other paint makes it anew).
    long double FCaptionTime = 0;
    QString FCaptionText;
    int FLabelHeight = 0;
    bool FTimeAxisDirty = true;
    int FDrawnWidth = -1;
    int FDrawnHeight = -1;
    TTitleRects FTitleRects;
    std::unique_ptr<TBitmap> FOffscreen;
    TCurvePoints FPointBuffer;
    std::vector<TRemarkEntry> FRemarks;
    int FHighlighted = -1;
    struct TCross {
        bool Active = false;
        int X = 0;
        int Y = 0;
        TColor Color = clBlack;
        // What the mouse placed it on (StripMouse.cpp).
        double Time = 0;
        double Value = 0;
        int Series = 0;
        int Index = 0;
        int MouseX = 0;
        int MouseY = 0;
    };
    std::array<TCross, 3> FCrosses;
    TScrollStats FStats;
    bool FCollectStats = false;

    // ---------------------------------------------------------------- interaction (StripMouse.cpp)
public:
    // The sample under a mouse point: Index and Series are -1 when nothing is stored.
    struct TSampleHit {
        double Value = 0;
        int X = 0;
        int Index = -1;
        int Series = -1;
    };
    TSampleHit SampleAt(int X, int Y) const;
    // Time, value, series and sample pixel of cross 0, 1 or 2 (last placing).
    const TCross& Cross(int K) const { return FCrosses[std::size_t(std::clamp(K, 0, 2))]; }
    // The value bar's texts, kept even while no value bar shows them; a
    // showing value bar gets every change.
    struct TCrossReadout {
        QString Series1 = QStringLiteral("1"), Time1, Value1 = QStringLiteral("0,0000");
        QString Series2 = QStringLiteral("1"), Time2, Value2 = QStringLiteral("0,0000");
        QString DeltaTime, DeltaValue, InverseDeltaTime;
        // The second cross and the differences are read only in modeCalculate.
        bool SecondEnabled = false;
    };
    const TCrossReadout& CrossReadout() const { return FReadout; }
    // Whether a zoom is saved for undo.
    bool Zoomed() const { return FZoomSavedWindow >= 0; }
    // The remark editor, made after loading (never while designing).
    TEditRemark* RemarkEditor() const { return FRemarkEditor; }
    // Where a dropped colour goes (kinds 1 ... 10; 0: no preview).
    enum TDropKind { dkNone, dkCurve, dkGrid, dkPlot, dkTitleLeft, dkTitleRight, dkTitleTop, dkTitleBottom,
        dkYLabels, dkXLabels, dkControl };
    TDropKind DropKindAt(int X, int Y, int& Series) const;
    // Colours dragged from a colour grid are previewed and dropped here.
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    void DragDrop(TObject* Source, int X, int Y) override;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    bool InPlot(int X, int Y) const;
    void PlaceCrossAtMouse(int K, int X, int Y);
    void ReportCrosses(int K);
    void PublishReadout();
    void LeaveMeasure();
    void RemarkClick(TMouseButton Button);
    void ZoomTo(TRect R);
    void Unzoom();
    TColor DropColor(TDropKind Kind, int Series) const;
    void SetDropColor(TDropKind Kind, int Series, TColor Color);
    void ColorDragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void ColorDragDrop(TObject* Source, int X, int Y);
    void CreateRemarkEditor();

    TMouseButton FButton = mbLeft;
    TPoint FDownPoint;
    bool FPressed = false;
    bool FSkipMove = false;
    bool FMeasureCaptured = false;
    TRect FBand;
    bool FBandShown = false;
    int FZoomSavedWindow = -1;
    float FZoomYMin = 0, FZoomYMax = 0, FZoomYGap = 0;
    double FZoomXGap = 0;
    bool FZoomLive = false;
    TColorDropPreview FDropPreview;
    TCrossReadout FReadout;
    TEditRemark* FRemarkEditor = nullptr;

private:
    // Tool windows (StripTools.cpp): made after loading, owned and freed here.
    void CreateToolWindows();
    void DestroyToolWindows();
    void RecaptionToolWindows();
    void UpdateValueBarGroups();
    // The jog shuttle bar follows a start or end of logging or playing at once.
    void UpdateJogShuttleBar();
    TFormToolBarStrip* FToolBar = nullptr;
    TFormCalculateBarStrip* FValueBar = nullptr;
    TFormJogShuttleBarStrip* FJogShuttleBar = nullptr;
};

} // namespace Tessaron

Q_DECLARE_METATYPE(Tessaron::TNotifyRemark)
Q_DECLARE_METATYPE(Tessaron::TNotifyCalculateStrip)
