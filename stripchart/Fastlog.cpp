#include "stripchart/Fastlog.h"

#include <platform/Streaming.h>

#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace Tessaron {

namespace {

[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TFastlog>();
    RegisterEventType<TStripRangeCheck>();
    return true;
}();

const QString DefaultComment = QStringLiteral("Ohne Kommentar");

std::string LocalPath(const QString& FileName)
{
    return QFile::encodeName(FileName).toStdString();
}

} // namespace

TFastlog::TFastlog(TComponent* AOwner)
    : TComponent(AOwner)
    , FRunComment(DefaultComment)
{
    FLastSampleTime = FLogStartTime - FLogTimeIncrement;
}

TFastlog::~TFastlog()
{
    StopLogging();
}

void TFastlog::SetSeriesNumber(int Value)
{
    if (Value < 1 || Value > RunFormat::MaxSeries)
        return;
    FSeriesNumber = Value;
}

void TFastlog::Failed(const std::string& Text)
{
    FLastError = QString::fromStdString(Text);
    FWriter.Close();
    FRemarks.Close();
    FRunComment = DefaultComment;
}

void TFastlog::RestartRun()
{
    FWriter.CloseRun();
    if (!FWriter.StartRun(FLogStartTime, FLogTimeIncrement, FSeriesNumber, FRunComment.toStdString()))
        Failed(FWriter.Error());
    else if (FRemarks.IsOpen())
        FRemarks.LoadRemarks(FWriter.RunNumber());
}

void TFastlog::SetLogStartTime(double Value)
{
    if (!std::isfinite(Value))
        return;
    FLogStartTime = Value;
    if (Logging())
        RestartRun();
    FLastSampleTime = FLogStartTime - FLogTimeIncrement;
}

void TFastlog::SetLogTimeIncrement(double Value)
{
    if (!(Value > 0.0) || !std::isfinite(Value) || Value == FLogTimeIncrement)
        return;
    FLogTimeIncrement = Value;
    FLastSampleTime = FLogStartTime - FLogTimeIncrement;
    if (Logging())
        SetLogStartTime(FLogStartTime);
}

void TFastlog::SetRunComment(const QString& Value)
{
    if (!Logging())
        return;
    const QString text = Value.left(RunFormat::CommentLength);
    if (FWriter.SetComment(text.toStdString()))
        FRunComment = text;
}

bool TFastlog::StartLogging(const QString& FileName, const QString& Comment)
{
    if (Logging())
        return false;
    FLastError.clear();
    FRunComment = Comment.left(RunFormat::CommentLength);
    const std::string path = LocalPath(FileName);
    const bool exists = QFileInfo::exists(FileName);
    const bool opened = exists ? FWriter.OpenAppend(path) : FWriter.Create(path);
    FLogStartTime = FLastSampleTime + FLogTimeIncrement; // the next sample fed starts the run
    if (!opened || !FWriter.StartRun(FLogStartTime, FLogTimeIncrement, FSeriesNumber, FRunComment.toStdString())) {
        Failed(FWriter.Error());
        return false;
    }
    if (!FRemarks.Open(TRemarkFile::PathFor(path))) {
        Failed(FRemarks.Error());
        return false;
    }
    FRemarks.LoadRemarks(FWriter.RunNumber());
    return true;
}

void TFastlog::StopLogging()
{
    if (!Logging())
        return;
    FWriter.CloseRun();
    FLastSampleTime = FWriter.CacheTime();
    FWriter.Close();
    FRemarks.Close();
    FRunComment = DefaultComment;
}

void TFastlog::AddSamples(const TSeriesData& Data, int SeriesCount, int SampleCount)
{
    if (SampleCount < 1 || SeriesCount < 1 || SeriesCount > RunFormat::MaxSeries)
        return;
    if (Logging()) {
        FWriter.Append(Data, SeriesCount, SampleCount);
        if (!FWriter.Logging()) // the file is full or a write failed: the run is closed
            Failed(FWriter.Error());
    }
    if (OnRangeCheck)
        FRangeChecker.Check(Data, SeriesCount, SampleCount, FLastSampleTime, FLogTimeIncrement, FRangeLower, FRangeUpper,
            [this](double Time, float Value, int Series, TStripRange Range) {
                CallEvent(OnRangeCheck, this, Time, Value, Series, Range);
            });
    FLastSampleTime += SampleCount * FLogTimeIncrement;
}

bool TFastlog::AddRemark(int Run, double Time, int Series, const QString& Text, TDescFlag Flag)
{
    if (!FRemarks.IsOpen() || !(Series == -1 || (Series >= 1 && Series <= RunFormat::MaxSeries)))
        return false;
    return FRemarks.AddRemark(Run, Time, Series, Text.toStdString(), Flag);
}

} // namespace Tessaron
