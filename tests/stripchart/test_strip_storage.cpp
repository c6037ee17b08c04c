// The strip chart logging into run files, playing runs back and keeping remarks.

#include "RunFileTestSupport.h"
#include "StripTestSupport.h"

#include <gtest/gtest.h>

using namespace Tessaron;
using RunFileTest::Value;

namespace {

// A chart of Series series, 0.5 s per sample, fed with RunFileTest::Value.
struct TLogChart : StripTest::THost {
    explicit TLogChart(int Series = 2)
    {
        C->SetSeriesNumber(Series);
        C->SetLogTimeIncrement(0.5);
    }
    void Log(int Count, int Block = 1000)
    {
        for (int done = 0; done < Count; done += Block)
            Feed(std::min(Block, Count - done), [](int S, long K) { return Value(S, K); });
    }
    float Sample(int Series, int Index) const { return C->Series(Series).Samples[std::size_t(Index - 1)]; }
    // The absolute sample number shown newest.
    long Newest() const { return long(C->FirstSampleNumber()) + C->StoredCount() - 1; }
};

QString Q(const std::string& S)
{
    return QString::fromStdString(S);
}

} // namespace

TEST(StripStorage, ThreeRunsByStartTimeAndTheLoggedRunShownThenLiveAgain)
{
    RunFileTest::TFolder dir;
    const std::string path = dir("three.ddt");
    TLogChart c;
    ASSERT_TRUE(c->StartLogging(Q(path), QStringLiteral("Kein Kommentar")));
    EXPECT_FALSE(c->StartLogging(Q(path), QString())); // already logging
    c.Log(2500);
    c->SetLogStartTime(c->LastSampleTime() + 100);
    c.Log(700);
    c->SetLogStartTime(c->LastSampleTime() + 100);
    EXPECT_EQ(c->DisplayRunNumber(), 3);
    c.Log(1500);

    // Run 1 while logging: its first sample at the right edge, not live.
    c->SetDisplayRunNumber(1);
    EXPECT_EQ(c->DisplayRunNumber(), 1);
    EXPECT_FALSE(c->LiveDisplay());
    EXPECT_EQ(c->StoredCount(), 1);
    EXPECT_EQ(c.Sample(2, 1), Value(2, 0));
    EXPECT_EQ(c->DisplayStartTime(), 0.0L);
    c->ShowRunEnd();
    EXPECT_EQ(c.Newest(), 2499);
    EXPECT_EQ(c.Sample(1, c->StoredCount()), Value(1, 2499));
    c.Log(100); // only logged
    EXPECT_EQ(c->DisplayRunNumber(), 1);

    // The run being logged: shown from its start (samples still in the
    // writer's cache included), then live again at its newest sample.
    c->SetDisplayRunNumber(3);
    ASSERT_EQ(c->DisplayRunNumber(), 3);
    EXPECT_FALSE(c->LiveDisplay());
    EXPECT_EQ(c.Sample(1, 1), Value(1, 3200));
    EXPECT_FALSE(c->ShowAtTime(false, double(c->DisplayStartTime()) + 1599 * 0.5 - 10));
    EXPECT_EQ(c.Sample(1, c->StoredCount()), Value(1, 3200 + 1579)); // from the cache
    EXPECT_FALSE(c->LiveDisplay());
    c->ShowAtTime(true, 1000);
    EXPECT_TRUE(c->LiveDisplay());
    EXPECT_EQ(c.Newest(), 1599);
    c.Log(10);
    EXPECT_EQ(c.Newest(), 1609);
    EXPECT_EQ(c.Sample(2, c->StoredCount()), Value(2, 3200 + 1609));
    c->StopLogging();

    // HEAD 1 .. TAIL 1, HEAD 2 .. TAIL 2, HEAD 3 .. TAIL 3.
    TReadStatus status;
    const auto runs = RunFileTest::RunsOf(path, &status);
    EXPECT_EQ(status, rsEndOfFile);
    ASSERT_NO_FATAL_FAILURE(RunFileTest::ExpectClosedRuns(runs, {2500, 700, 1610}));
    for (const TRunInfo& run : runs)
        EXPECT_EQ(run.Comment, "Kein Kommentar");
}

TEST(StripStorage, ChartAndFastlogWriteTheSameFiles)
{
    RunFileTest::TFolder dir;
    TLogChart c(3);
    TFastlog log;
    log.SetSeriesNumber(3);
    log.SetLogTimeIncrement(0.5);
    ASSERT_TRUE(c->StartLogging(dir.Q("chart.ddt"), QStringLiteral("gleich")));
    ASSERT_TRUE(log.StartLogging(dir.Q("log.ddt"), QStringLiteral("gleich")));
    for (int run = 0; run < 2; ++run) {
        c.Log(3000, 333);
        RunFileTest::Feed(log, 3, run * 3000, 3000, 333);
        c->SetLogStartTime(77.25);
        log.SetLogStartTime(77.25);
    }
    c->SetRunComment(QStringLiteral("neu"));
    log.SetRunComment(QStringLiteral("neu"));
    c.Log(10);
    RunFileTest::Feed(log, 3, 6000, 10);
    c->StopLogging();
    log.StopLogging();
    EXPECT_EQ(RunFileTest::Bytes(dir("chart.ddt")), RunFileTest::Bytes(dir("log.ddt")));
    // Appending a run to either gives the same again.
    ASSERT_TRUE(c->StartLogging(dir.Q("chart.ddt"), QStringLiteral("zwei")));
    ASSERT_TRUE(log.StartLogging(dir.Q("log.ddt"), QStringLiteral("zwei")));
    c.Log(5);
    RunFileTest::Feed(log, 3, 6010, 5);
    c->SetDisplayRunNumber(1); // playing back while logging changes nothing in the file
    c->StopLogging();
    log.StopLogging();
    EXPECT_EQ(RunFileTest::Bytes(dir("chart.ddt")), RunFileTest::Bytes(dir("log.ddt")));
}

TEST(StripStorage, UnclosedFileIsRefusedForLoggingAndPlayedToItsLastCompleteBlock)
{
    RunFileTest::TFolder dir;
    const std::string path = dir("open.ddt");
    RunFileTest::LogRuns(path, 2, {2500});
    // Without the TAIL and the last block: a run that was never closed.
    auto bytes = RunFileTest::Bytes(path);
    bytes.resize(bytes.size() - 44 - (40 + 2 * 452 * 4));
    RunFileTest::Write(path, bytes);

    TLogChart c;
    EXPECT_FALSE(c->StartLogging(Q(path), QStringLiteral("x")));
    EXPECT_FALSE(c->Logging());
    EXPECT_TRUE(c->LastStorageError().contains(QStringLiteral("tessaron-runs repair")));
    EXPECT_EQ(RunFileTest::Bytes(path), bytes); // nothing lost or added

    ASSERT_TRUE(c->StartPlaying(Q(path)));
    EXPECT_TRUE(c->Playing());
    EXPECT_EQ(c->DisplayRunNumber(), 1);
    EXPECT_EQ(c->RunComment(), QStringLiteral("Messung"));
    c->ShowRunEnd();
    EXPECT_EQ(c.Newest(), 2047);
    EXPECT_EQ(c.Sample(2, c->StoredCount()), Value(2, 2047));
    EXPECT_TRUE(c->ShowAtTime(true, 100)); // already at the end
    c->StopPlaying();
    EXPECT_FALSE(c->StartPlaying(dir.Q("missing.ddt")));
}

TEST(StripStorage, RemarkAddedWhileLoggingIsFoundAfterPlayback)
{
    RunFileTest::TFolder dir;
    const std::string path = dir("remarks.ddt");
    {
        TLogChart c;
        ASSERT_TRUE(c->StartLogging(Q(path), QStringLiteral("a")));
        c.Log(600);
        EXPECT_TRUE(c->AddRemark(1, 100.0, 2, QStringLiteral("Spitze"), dfManual));
        EXPECT_TRUE(c->AddRemark(1, 250.0, -1, QStringLiteral("Ende"), dfAutomatic));
        EXPECT_EQ(c->Remarks().size(), 2u);
        c->SetLogStartTime(1000);
        EXPECT_TRUE(c->Remarks().empty()); // run 2 has none
        c.Log(10);
    } // destroyed while logging: the run is closed
    TLogChart c;
    std::vector<std::pair<double, QString>> seen;
    c->OnRemark = [&](TObject*, double Time, int, TDescFlag, int, const QString& Text) { seen.emplace_back(Time, Text); };
    ASSERT_TRUE(c->StartPlaying(Q(path)));
    ASSERT_EQ(c->Remarks().size(), 2u);
    ASSERT_FALSE(seen.empty()); // the first window highlights the remark nearest its middle
    EXPECT_EQ(seen.back().second, QStringLiteral("Spitze"));
    EXPECT_TRUE(c->FindNearestRemark(200.0));
    EXPECT_EQ(c->SelectedRemark().Text, "Ende");
    EXPECT_EQ(c->SelectedRemark().Series, -1);
    EXPECT_TRUE(c->UpdateRemark(QStringLiteral("Ende neu"), dfManual, 1));
    c->SetDisplayRunNumber(2);
    EXPECT_TRUE(c->Remarks().empty());
    c->SetDisplayRunNumber(1);
    EXPECT_TRUE(c->FindNearestRemark(175.0)); // equally far: the earlier one
    EXPECT_EQ(c->SelectedRemark().Text, "Spitze");
    EXPECT_TRUE(c->FindNearestRemark(1e9));
    EXPECT_EQ(c->SelectedRemark().Text, "Ende neu");
    // The stored run's comment is rewritten in its HEAD.
    c->SetRunComment(QStringLiteral("geprüft"));
    c->StopPlaying();
    const auto runs = RunFileTest::RunsOf(path);
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs[0].Comment, "geprüft");
}

TEST(StripStorage, ShowAtTimeInsideTheBufferScrollsToTheFullPicture)
{
    RunFileTest::TFolder dir;
    const std::string path = dir("scroll.ddt");
    RunFileTest::LogRuns(path, 2, {5000});
    TLogChart c;
    c->SetViewYMax(3000000);
    c->SetViewYGap(500000);
    c->SetGridVisible(grdBoth);
    ASSERT_TRUE(c->StartPlaying(Q(path)));
    c.Repainted();
    const double start = double(c->DisplayStartTime());
    struct TStep {
        double Time;
        int Scroll; // samples scrolled, 0: repainted
    };
    // Forward inside the buffer scrolls, backward and outside repaint; the
    // last step keeps the overlap of the old buffer and reads the rest.
    const TStep steps[] = {{start + 300 * 0.5, 300}, {start + 400 * 0.5, 100}, {start + 350 * 0.5, 0},
        {start + 700 * 0.5, 350}, {start + 4000 * 0.5, 0}, {start + 4100 * 0.5, 100}, {start + 4990 * 0.5, 0}};
    for (const TStep& s : steps) {
        c->ShowAtTime(false, s.Time);
        EXPECT_EQ(c->LastScroll(), s.Scroll) << s.Time;
        const QImage scrolled = c.Image().copy();
        EXPECT_TRUE(scrolled == c.Repainted()) << s.Time;
        EXPECT_EQ(c.Sample(1, c->StoredCount()), Value(1, long((s.Time - start) / 0.5)));
    }
}

TEST(StripStorage, EverythingGoesThroughTheReplaceableSlots)
{
    RunFileTest::TFolder dir;
    TLogChart c;
    std::vector<int> commands;
    int reads = 0;
    const auto writer = c->StorageWriter;
    const auto reader = c->StorageReader;
    c->StorageWriter = [&](int Command, int Samples, int Series, const TSeriesData& Data) {
        commands.push_back(Command);
        return writer(Command, Samples, Series, Data);
    };
    c->StorageReader = [&](float* const* B, double T, double I, int F, int N, int L, int S, int& Status) {
        ++reads;
        return reader(B, T, I, F, N, L, S, Status);
    };
    ASSERT_TRUE(c->StartLogging(dir.Q("slots.ddt"), QString()));
    c.Log(20, 10);
    c->SetLogStartTime(500);
    c.Log(5);
    c->SetDisplayRunNumber(1);
    c->StopLogging();
    EXPECT_EQ(commands, (std::vector<int>{0, 2, 2, 3, 1, 2, 3}));
    EXPECT_EQ(reads, 1);
    // Without a file the reader reports status 10.
    int status = 0;
    float sample = 0;
    float* buffers[] = {&sample};
    EXPECT_EQ(reader(buffers, 0, 1, 0, 1, 1, 1, status), 0);
    EXPECT_EQ(status, rsNoFile);
}
