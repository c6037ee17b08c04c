#pragma once
// TFastlog: a non-visual eight-channel logger with the strip chart's feeding
// and logging interface. It writes exactly the run and remark files the chart
// writes for the same feed (the same TRunFileWriter and TRemarkFile), range-
// checks every sample with the chart's rule, and shows nothing.

#include <stripchart/RemarkFile.h>
#include <stripchart/RunFile.h>
#include <stripchart/StripRangeCheck.h>

#include <platform/Classes.h>

#include <QString>

namespace Tessaron {

class TFastlog : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
    Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright)
    Q_PROPERTY(int SeriesNumber READ SeriesNumber WRITE SetSeriesNumber)
    Q_PROPERTY(double LogStartTime READ LogStartTime WRITE SetLogStartTime)
    Q_PROPERTY(double LogTimeIncrement READ LogTimeIncrement WRITE SetLogTimeIncrement)
    Q_PROPERTY(QString RunComment READ RunComment WRITE SetRunComment)
    Q_PROPERTY(float RangeLower READ RangeLower WRITE SetRangeLower)
    Q_PROPERTY(float RangeUpper READ RangeUpper WRITE SetRangeUpper)
    Q_PROPERTY(bool Logging READ Logging)
    Q_PROPERTY(Tessaron::TStripRangeCheck OnRangeCheck MEMBER OnRangeCheck)

public:
    explicit TFastlog(TComponent* AOwner = nullptr);
    ~TFastlog() override;

    // "V2.01"; assignments are ignored.
    QString Version() const { return QStringLiteral("V2.01"); }
    void SetVersion(const QString&) {}
    // The maker's notice; assignments are ignored.
    QString Copyright() const { return QStringLiteral("Copyright (c) Velmar Softwaretechnik"); }
    void SetCopyright(const QString&) {}

    // Series per run, 1 by default; 1 to 8, other values are ignored. A new
    // run takes the value current when it starts.
    int SeriesNumber() const { return FSeriesNumber; }
    void SetSeriesNumber(int Value);
    // Time of the first sample of the run, 0.0 by default. Acts even when
    // unchanged: while logging it closes the run and starts the next one.
    double LogStartTime() const { return FLogStartTime; }
    void SetLogStartTime(double Value);
    // Seconds per sample, 1.0 by default; only finite values > 0. While
    // logging a change starts a new run (through LogStartTime).
    double LogTimeIncrement() const { return FLogTimeIncrement; }
    void SetLogTimeIncrement(double Value);
    // The comment of the run being logged, "Ohne Kommentar" by default, cut to
    // 80 characters. Only while logging: overwrites the comment in the run's
    // HEAD; otherwise ignored.
    QString RunComment() const { return FRunComment; }
    void SetRunComment(const QString& Value);
    // Range limits of OnRangeCheck, 0.0 by default; stored as given.
    float RangeLower() const { return FRangeLower; }
    void SetRangeLower(float Value) { FRangeLower = Value; }
    float RangeUpper() const { return FRangeUpper; }
    void SetRangeUpper(float Value) { FRangeUpper = Value; }

    bool Logging() const { return FWriter.Logging(); }
    // Time of the last sample fed (LogStartTime - LogTimeIncrement before the first).
    double LastSampleTime() const { return FLastSampleTime; }
    // Number of the run being logged (0: none).
    int RunNumber() const { return FWriter.Logging() ? FWriter.RunNumber() : 0; }
    // Why the last StartLogging or AddSamples failed, empty when it did not.
    QString LastError() const { return FLastError; }

    // Opens (or creates) the run file and starts a new run with Comment (cut
    // to 80 characters). False when already logging, when an existing file is
    // no run file or its last run is not closed, or on a file error.
    bool StartLogging(const QString& FileName, const QString& Comment);
    // Closes the run and both files.
    void StopLogging();
    // Feeds SampleCount samples of series 1 .. SeriesCount: logged while
    // logging, range-checked when OnRangeCheck is assigned.
    void AddSamples(const TSeriesData& Data, int SeriesCount, int SampleCount);
    // Adds a remark to the remark file of the file being logged.
    bool AddRemark(int Run, double Time, int Series, const QString& Text, TDescFlag Flag);

    // Raised for every crossing of RangeLower or RangeUpper, see StripRangeCheck.h.
    TStripRangeCheck OnRangeCheck;

    // The stores, for the parts of a program that read what is logged.
    const TRunFileWriter& Writer() const { return FWriter; }
    TRemarkFile& Remarks() { return FRemarks; }

private:
    void RestartRun();
    void Failed(const std::string& Text);

    int FSeriesNumber = 1;
    double FLogStartTime = 0.0;
    double FLogTimeIncrement = 1.0;
    double FLastSampleTime = -1.0;
    QString FRunComment;
    float FRangeLower = 0.0f;
    float FRangeUpper = 0.0f;
    QString FLastError;
    TStripRangeChecker FRangeChecker;
    TRunFileWriter FWriter;
    TRemarkFile FRemarks;
};

} // namespace Tessaron
