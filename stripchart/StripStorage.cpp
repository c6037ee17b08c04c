// TStripChart: logging into run files, playback of stored runs and remarks.
// The file work is done by the run-file store (RunFile, RemarkFile); the
// chart only drives it through its StorageWriter and StorageReader slots and
// keeps its display buffer in step with the run shown.

#include "stripchart/StrpChrt.h"

#include <platform/SysUtils.h>

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Tessaron {

namespace {

const QString DefaultComment = QStringLiteral("Ohne Kommentar");

std::string LocalPath(const QString& FileName)
{
    return QFile::encodeName(FileName).toStdString();
}

std::int64_t RoundIndex(long double Value)
{
    return std::int64_t(std::nearbyint(double(Value)));
}

} // namespace

void TStripChart::InstallDefaultStorage()
{
    StorageWriter = [this](int Command, int SampleCount, int SeriesCount, const TSeriesData& Data) -> bool {
        const std::string comment = FRunComment.toStdString();
        switch (Command) {
        case scCreate:
            return FLogWriter.Create(FStoragePath)
                && FLogWriter.StartRun(FLogStartTime, FLogTimeIncrement, SeriesCount, comment);
        case scStartRun:
            if (!FLogWriter.IsOpen() && !FLogWriter.OpenAppend(FStoragePath))
                return false;
            return FLogWriter.StartRun(FLogStartTime, FLogTimeIncrement, SeriesCount, comment);
        case scAppend:
            return FLogWriter.Append(Data, SeriesCount, SampleCount) == SampleCount && FLogWriter.Logging();
        case scCloseRun:
            return FLogWriter.CloseRun();
        default:
            return false;
        }
    };
    StorageReader = [this](float* const* Buffers, double FirstTime, double, int First, int Count, int BufferLength,
                        int SeriesCount, int& Status) -> int {
        if (!FRunReader.IsOpen() || FShownRun.Number < 1) {
            Status = rsNoFile;
            return 0;
        }
        Count = std::clamp(Count, 0, std::max(0, BufferLength - First));
        std::array<float*, MaxSeries> dest{};
        for (int s = 0; s < std::min(SeriesCount, MaxSeries); ++s)
            dest[std::size_t(s)] = Buffers[s] + First;
        TReadStatus status = rsComplete;
        const int read = FRunReader.ReadAtTime(FShownRun, FirstTime, Count, dest.data(), SeriesCount, status);
        Status = status;
        return read;
    };
}

bool TStripChart::StorageFailed(const QString& Text)
{
    FStorageError = Text;
    FLogWriter.Close();
    FRunReader.Close();
    FRemarkFile.Close();
    FLogging = false;
    FPlaying = false;
    FDisplayRunNumber = 0;
    FShownRun = TRunInfo{};
    FRunComment = DefaultComment;
    FLiveDisplay = true;
    UpdateJogShuttleBar();
    return false;
}

void TStripChart::OpenRemarks()
{
    bool created = false;
    if (!FRemarkFile.Open(TRemarkFile::PathFor(FStoragePath), &created))
        return; // the runs are still logged and shown; remarks are not available
    LoadRemarks(FDisplayRunNumber);
}

bool TStripChart::StartLogging(const QString& FileName, const QString& Comment)
{
    if (FLogging)
        return false;
    StopPlaying();
    FStorageError.clear();
    FRunComment = Comment.left(RunFormat::CommentLength);
    FStoragePath = LocalPath(FileName);
    const bool exists = QFileInfo::exists(FileName);
    // The next sample fed starts the run.
    FLogStartTime = double(FLastSampleTime + FLogTimeIncrement);
    FDisplayStartTime = FLogStartTime;
    FDisplayTimeIncrement = FLogTimeIncrement;
    FRunStartTime = FLogStartTime;
    FLiveDisplay = true;
    ClearBuffer(0);
    if (!StorageWriter(exists ? scStartRun : scCreate, 0, FSeriesNumber, TSeriesData{}))
        return StorageFailed(QString::fromStdString(FLogWriter.Error()));
    FLogging = true;
    std::string error;
    if (!FRunReader.Open(FStoragePath, &error))
        return StorageFailed(QString::fromStdString(error));
    FRunReader.SetLiveWriter(&FLogWriter);
    FShownRun = FLogWriter.CurrentRun();
    FDisplayRunNumber = FLogWriter.RunNumber();
    OpenRemarks();
    FTimeAxisDirty = true;
    Changed();
    UpdateJogShuttleBar();
    return true;
}

void TStripChart::CloseRun()
{
    StorageWriter(scCloseRun, 0, FSeriesNumber, TSeriesData{});
    FLogging = false;
    FLastSampleTime = FLogWriter.CacheTime();
    if (!FLiveDisplay && !FDestroying) {
        // A stored position was shown: back to the live display, restarted
        // after the run's last sample.
        FLiveDisplay = true;
        SetLogStartTime(double(FLastSampleTime + FLogTimeIncrement));
    }
}

void TStripChart::RestartRun()
{
    // Called by the LogStartTime setter while logging: the next run starts
    // at the new start time.
    const double start = FLogStartTime;
    FLiveDisplay = true; // the closed run's display is not restarted here
    CloseRun();
    FLiveDisplay = true;
    FLogStartTime = start;
    if (!StorageWriter(scStartRun, 0, FSeriesNumber, TSeriesData{})) {
        StorageFailed(QString::fromStdString(FLogWriter.Error()));
        return;
    }
    FLogging = true;
    FShownRun = FLogWriter.CurrentRun();
    FDisplayRunNumber = FLogWriter.RunNumber();
    LoadRemarks(FDisplayRunNumber);
}

void TStripChart::StopLogging()
{
    if (!FLogging)
        return;
    CloseRun();
    FLogWriter.Close();
    FRunReader.Close();
    FRemarkFile.Close();
    FShownRun = TRunInfo{};
    FRunComment = DefaultComment;
    FDisplayRunNumber = 0;
    if (!FDestroying)
        SetRemarks({});
    UpdateJogShuttleBar();
}

bool TStripChart::StartPlaying(const QString& FileName)
{
    StopLogging();
    StopPlaying();
    if (!QFileInfo::exists(FileName))
        return false;
    FStorageError.clear();
    FStoragePath = LocalPath(FileName);
    std::string error;
    if (!FRunReader.Open(FStoragePath, &error)) {
        FStorageError = QString::fromStdString(error);
        return false;
    }
    FRunReader.SetLiveWriter(nullptr);
    FPlaying = true;
    FShownRun = TRunInfo{};
    FDisplayRunNumber = 0;
    OpenRemarks();
    SetDisplayRunNumber(1);
    UpdateJogShuttleBar();
    return true;
}

void TStripChart::StopPlaying()
{
    if (!FPlaying)
        return;
    FRunReader.Close();
    FRemarkFile.Close();
    FPlaying = false;
    FShownRun = TRunInfo{};
    FDisplayRunNumber = 0;
    FLiveDisplay = true;
    if (!FDestroying)
        SetRemarks({});
    UpdateJogShuttleBar();
}

void TStripChart::CloseStorage()
{
    FDestroying = true;
    StopLogging();
    StopPlaying();
}

// ---------------------------------------------------------------- runs

void TStripChart::SetDisplayRunNumber(int Value)
{
    if (Value <= 0 || Value == FDisplayRunNumber || !(FLogging || FPlaying))
        return;
    TRunInfo run;
    if (!FRunReader.FindRun(Value, run, FShownRun.Number > 0 ? &FShownRun : nullptr))
        return;
    FShownRun = run;
    FLiveDisplay = false;
    FDisplayRunNumber = Value;
    FDisplayStartTime = run.StartTime;
    FDisplayTimeIncrement = run.Increment;
    FRunComment = QString::fromStdString(run.Comment);
    ClearBuffer(0);
    FTimeAxisDirty = true;
    LoadRemarks(Value);
    ShowAtTime(false, run.StartTime);
    Invalidate();
}

void TStripChart::SetRunComment(const QString& Value)
{
    if (!(FLogging || FPlaying) || FShownRun.Number < 1)
        return;
    const QString text = Value.left(RunFormat::CommentLength);
    if (text == FRunComment)
        return;
    std::string error;
    const bool written = ShownRunIsLogged() ? FLogWriter.SetComment(text.toStdString())
                                            : WriteRunComment(FStoragePath, FShownRun, text.toStdString(), &error);
    if (!written) {
        FStorageError = QString::fromStdString(error.empty() ? FLogWriter.Error() : error);
        return;
    }
    FRunComment = text;
    FShownRun.Comment = text.toStdString();
}

bool TStripChart::ShownRunIsLogged() const
{
    return FLogging && FShownRun.Live && FShownRun.HeadOffset == FLogWriter.CurrentRun().HeadOffset;
}

std::int64_t TStripChart::ShownRunSamples() const
{
    if (ShownRunIsLogged())
        return RoundIndex((FLastSampleTime - FDisplayStartTime) / FDisplayTimeIncrement) + 1;
    return FShownRun.SampleCount;
}

// ---------------------------------------------------------------- positioning

bool TStripChart::ShowAtTime(bool Relative, double T)
{
    FLastScroll = 0;
    if (FShownRun.Number < 1 || !(FLogging || FPlaying) || !BuffersReady() || std::isnan(T))
        return false;
    const long double inc = FDisplayTimeIncrement;
    const long double newest = FStoredCount >= 1 ? TimeOfIndex(FStoredCount) : FDisplayStartTime;
    long double t = T;
    if (Relative) {
        if (T == 0)
            return false;
        t = newest + T;
    }
    const bool logged = ShownRunIsLogged();
    if (logged) {
        if (t >= FLastSampleTime) {
            if (FLiveDisplay)
                return false;
            FLiveDisplay = true;
            t = FLastSampleTime;
        } else
            FLiveDisplay = false;
    } else
        t = std::min<long double>(t, FShownRun.EndTime);
    if (t < FDisplayStartTime) {
        FLiveDisplay = false;
        t = FDisplayStartTime;
    }
    const std::int64_t total = ShownRunSamples();
    if (total < 1)
        return true;
    const std::int64_t target = std::clamp<std::int64_t>(RoundIndex((t - FDisplayStartTime) / inc), 0, total - 1);
    const long double firstShown = TimeOfIndex(std::max(FWindowOffset + 1, 1));
    const bool unmoved = FStoredCount >= 1
        && (RoundIndex(FFirstSampleNumber) + FStoredCount - 1 == target || firstShown + inc >= t);
    RefillBuffer(target);
    return unmoved;
}

void TStripChart::ShowRunEnd()
{
    if (ShownRunIsLogged())
        ShowAtTime(false, double(FLastSampleTime + FLogTimeIncrement));
    else if (FShownRun.Number > 0)
        ShowAtTime(false, FShownRun.EndTime);
}

void TStripChart::LayoutShown()
{
    // Every sample sits at a fixed pixel distance from the run's first
    // sample, so moving the window by some samples moves every drawn pixel
    // by the same amount: a move inside the buffer is a scroll.
    const int right = Width() - FGapRight;
    const double step = double(right - FGapLeft) / FSamplesPerWindow;
    const std::int64_t first = RoundIndex(FFirstSampleNumber);
    const double newest = std::trunc(double(first + FStoredCount - 1) * step);
    for (int i = 1; i <= FPreviousCount; ++i)
        FXPositions[std::size_t(i)] = right - int(newest - std::trunc(double(first + i - 1) * step));
    FXFraction = 0;
}

void TStripChart::RefillBuffer(std::int64_t Target)
{
    const int B = FSamplesPerBuffer;
    const int W = FSamplesPerWindow;
    const std::int64_t total = ShownRunSamples();
    const std::int64_t oldFirst = RoundIndex(FFirstSampleNumber);
    const std::int64_t oldLast = oldFirst + FPreviousCount - 1;
    const std::int64_t oldNewest = oldFirst + FStoredCount - 1;
    const int oldStored = FStoredCount;
    const int right = Width() - FGapRight;
    const double step = double(right - FGapLeft) / W;
    const std::int64_t windowStart = std::max<std::int64_t>(0, Target - (W - 1));
    // Inside the buffer (with the whole window): only the window end moves.
    if (FPreviousCount >= 1 && Target >= oldFirst && Target <= oldLast && (windowStart >= oldFirst || oldFirst == 0)) {
        const bool forward = Target > oldNewest && oldStored >= 1;
        if (forward)
            Update(); // the scroll moves a finished picture of the old window
        FStoredCount = int(Target - oldFirst + 1);
        FWindowOffset = FStoredCount - W;
        LayoutShown();
        const int distance = int(std::trunc(double(Target) * step) - std::trunc(double(oldNewest) * step));
        if (forward) {
            FLastScroll = int(Target - oldNewest);
            ScrollNew(distance, FLastScroll, true);
        } else if (Target != oldNewest)
            Invalidate();
        return;
    }
    // A new range from the window start, read ahead, moved back to end with the run.
    std::int64_t start = windowStart;
    std::int64_t end = start + B - 1;
    if (end > total - 1) {
        end = total - 1;
        start = std::max<std::int64_t>(0, end - (B - 1));
    }
    int kept = 0;
    if (FPreviousCount >= 1 && start > oldFirst && start <= oldLast) {
        kept = int(std::min(oldLast, end) - start + 1);
        const int from = int(start - oldFirst);
        for (int s = 1; s <= FSeriesNumber; ++s) {
            float* b = SeriesAt(s).Samples.data();
            std::memmove(b, b + from, std::size_t(kept) * sizeof(float));
        }
        std::memmove(FXPositions.data() + 1, FXPositions.data() + 1 + from, std::size_t(kept) * sizeof(int));
    }
    std::array<float*, MaxSeries> buffers{};
    for (int s = 1; s <= FSeriesNumber; ++s)
        buffers[std::size_t(s - 1)] = SeriesAt(s).Samples.data();
    int read = 0;
    const int missing = int(end - start + 1) - kept;
    FReadStatus = rsComplete;
    if (missing > 0) {
        const double from = double(FDisplayStartTime + (long double)(start + kept) * FDisplayTimeIncrement);
        read = StorageReader(buffers.data(), from, double(FDisplayTimeIncrement), kept, missing, B,
            std::min(FSeriesNumber, std::max(1, FShownRun.SeriesCount)), FReadStatus);
        read = std::clamp(read, 0, missing);
    }
    FFirstSampleNumber = start;
    FPreviousCount = kept + read;
    FStoredCount = int(std::clamp<std::int64_t>(Target - start + 1, 0, FPreviousCount));
    FWindowOffset = FStoredCount - W;
    LayoutShown();
    FHighlighted = NearestRemark();
    RemarkHighlighted(FHighlighted);
    Invalidate();
}

// ---------------------------------------------------------------- remarks

bool TStripChart::AddRemark(int Run, double Time, int Series, const QString& Text, TDescFlag Flag)
{
    if (!FRemarkFile.IsOpen() || !(Series == -1 || (Series >= 1 && Series <= MaxSeries)) || !std::isfinite(Time))
        return false;
    if (!FRemarkFile.AddRemark(Run, Time, Series, Text.toStdString(), Flag))
        return false;
    if (Run == FDisplayRunNumber)
        SetRemarks(FRemarkFile.List());
    return true;
}

bool TStripChart::UpdateRemark(const QString& Text, TDescFlag Flag, int Series)
{
    if (!FRemarkFile.IsOpen() || !(Series == -1 || (Series >= 1 && Series <= MaxSeries)))
        return false;
    if (!FRemarkFile.UpdateRemark(Text.toStdString(), Flag, Series))
        return false;
    SetRemarks(FRemarkFile.List());
    return true;
}

void TStripChart::LoadRemarks(int Run)
{
    if (!FRemarkFile.IsOpen())
        return;
    FRemarkFile.LoadRemarks(Run);
    SetRemarks(FRemarkFile.List());
    FRemarkFile.SetHighlight(FHighlighted);
}

bool TStripChart::FindNearestRemark(double Time)
{
    return FRemarkFile.IsOpen() && FRemarkFile.FindNearestRemark(Time) >= 0;
}

void TStripChart::RemarkHighlighted(int Index)
{
    if (FRemarkFile.IsOpen())
        FRemarkFile.SetHighlight(Index);
    if (Index < 0 || Index >= int(FRemarks.size()))
        return;
    const TRemarkEntry& r = FRemarks[std::size_t(Index)];
    CallEvent(OnRemark, this, r.Time, int(r.Series), r.Flag, int(r.RunNumber), RemarkText(Index));
}

QString TStripChart::RemarkText(int Index) const
{
    TRemarkRecord record;
    if (Index < 0 || Index >= int(FRemarks.size()) || !FRemarkFile.IsOpen()
        || !FRemarkFile.ReadRecord(FRemarks[std::size_t(Index)].FileOffset, record))
        return {};
    return QString::fromStdString(record.Text);
}

} // namespace Tessaron
