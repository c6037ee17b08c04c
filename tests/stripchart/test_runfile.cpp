// The run file and remark file as TFastlog writes them, read back by the
// reader, and what the reader and the tool make of damaged files.

#include "RunFileTestSupport.h"

#include <stripchart/RemarkFile.h>
#include <stripchart/RunTools.h>

#include <platform/Streaming.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

using namespace Tessaron;
using namespace RunFileTest;

namespace {

// Little-endian bytes, built by hand.
struct TBytes {
    std::vector<unsigned char> B;
    TBytes& Raw(const char* S, size_t N)
    {
        B.insert(B.end(), S, S + N);
        return *this;
    }
    template <typename T>
    TBytes& Le(T V)
    {
        unsigned char b[sizeof(T)];
        std::memcpy(b, &V, sizeof(T));
        B.insert(B.end(), b, b + sizeof(T));
        return *this;
    }
    TBytes& Header(const char* Kind, int32_t Size, double First, double Last, double Inc, int32_t Prev, uint8_t Series, uint16_t DataBytes)
    {
        Raw(Kind, 4).Le(Size).Le(First).Le(Last).Le(Inc).Le(Prev).Le(uint8_t(0)).Le(Series).Le(DataBytes);
        return *this;
    }
};

// The DATA sample counts of the file, in order.
std::vector<int> DataBlocks(const std::string& Path)
{
    const auto bytes = Bytes(Path);
    std::vector<int> counts;
    for (size_t p = 6; p + 40 <= bytes.size();) {
        const TBlockHeader h = TBlockHeader::Decode(bytes.data() + p);
        if (h.Kind == TBlockKind::Data)
            counts.push_back(h.SampleCount());
        p += size_t(h.Size);
    }
    return counts;
}

} // namespace

TEST(RunFile, KnownFeedGivesTheseBytes)
{
    TFolder dir;
    const std::string path = dir("a.ddt");
    TFastlog log;
    log.SetSeriesNumber(2);
    log.SetLogTimeIncrement(0.5);
    ASSERT_TRUE(log.StartLogging(QString::fromStdString(path), QStringLiteral("Öl 5€")));
    const float a[] = {1.0f, 2.0f, 3.0f};
    const float b[] = {-4.0f, 5.5f, 6.0f};
    log.AddSamples({a, b}, 2, 3);
    log.StopLogging();

    TBytes e;
    e.Raw("TSRL", 4).Le(uint16_t(0x0100));
    e.Header("HEAD", 125, 0.0, 0.0, 0.5, 0, 2, 0).Le(int32_t(1));
    const unsigned char comment[] = {5, 0xD6, 'l', ' ', '5', '?'};
    e.B.insert(e.B.end(), comment, comment + 6);
    e.B.resize(e.B.size() + 81 - 6, 0);
    e.Header("DATA", 64, 0.0, 1.0, 0.5, 6, 2, 12);
    for (float v : {1.0f, 2.0f, 3.0f, -4.0f, 5.5f, 6.0f})
        e.Le(v);
    e.Header("TAIL", 44, 0.0, 1.0, 0.5, 131, 2, 0).Le(int32_t(1));
    EXPECT_EQ(Bytes(path), e.B);
}

TEST(RunFile, RunsBlocksPositionsByTimeAndAppending)
{
    TFolder dir;
    const std::string path = dir("r.ddt");
    LogRuns(path, 3, {3000, 50, 2100});
    EXPECT_EQ(DataBlocks(path), (std::vector<int>{1024, 1024, 952, 50, 1024, 1024, 52}));
    auto runs = RunsOf(path);
    ASSERT_NO_FATAL_FAILURE(ExpectClosedRuns(runs, {3000, 50, 2100}));
    EXPECT_DOUBLE_EQ(runs[0].EndTime, 2999 * 0.5);
    EXPECT_DOUBLE_EQ(runs[1].StartTime, runs[0].EndTime + 100.0);

    // Runs are found both ways; a time gives its sample.
    TRunFileReader reader;
    ASSERT_TRUE(reader.Open(path));
    TRunInfo r3, r1, r2;
    ASSERT_TRUE(reader.FindRun(3, r3));
    ASSERT_TRUE(reader.FindRun(1, r1, &r3)); // backward
    ASSERT_TRUE(reader.FindRun(2, r2, &r1)); // forward from run 1
    EXPECT_EQ(r1.SampleCount, 3000);
    EXPECT_EQ(r2.SampleCount, 50);
    EXPECT_FALSE(reader.FindRun(4, r2, &r1));
    EXPECT_FALSE(reader.FindRun(4, r2));
    float v = 0;
    float* dest[] = {&v};
    TReadStatus status;
    for (int64_t k : {0, 1023, 1024, 2047, 2999}) {
        ASSERT_EQ(reader.ReadAtTime(r1, r1.StartTime + k * 0.5, 1, dest, 1, status), 1);
        EXPECT_EQ(v, Value(1, k));
    }
    EXPECT_EQ(reader.ReadAtTime(r3, r3.StartTime + 2099 * 0.5, 1, dest, 1, status), 1);
    EXPECT_EQ(v, Value(1, 3050 + 2099));
    EXPECT_EQ(reader.ReadAtTime(r3, r3.EndTime + 0.5, 1, dest, 1, status), 0);
    EXPECT_EQ(status, rsShortRead);

    // A second StartLogging appends run 4 behind TAIL 3.
    const auto before = Bytes(path);
    LogRuns(path, 2, {5});
    const auto after = Bytes(path);
    ASSERT_GT(after.size(), before.size());
    EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin()));
    runs = RunsOf(path);
    ASSERT_NO_FATAL_FAILURE(ExpectClosedRuns(runs, {3000, 50, 2100, 5}));
    EXPECT_EQ(runs[3].SeriesCount, 2);
    EXPECT_EQ(TBlockHeader::Decode(after.data() + before.size()).Previous, int32_t(before.size() - 44));
    EXPECT_TRUE(RunTools::Verify(path, TRemarkFile::PathFor(path)).empty());
}

TEST(RunFile, ShortRunIsWrittenAtCloseAndLiveRunReadsTheCache)
{
    TFolder dir;
    const std::string path = dir("s.ddt");
    TFastlog log;
    log.SetSeriesNumber(2);
    ASSERT_TRUE(log.StartLogging(QString::fromStdString(path), QString()));
    Feed(log, 2, 0, 1500, 7);
    EXPECT_EQ(std::filesystem::file_size(path), 6u + 125 + 40 + 2 * 1024 * 4);

    TRunFileReader reader;
    ASSERT_TRUE(reader.Open(path));
    reader.SetLiveWriter(&log.Writer());
    TRunInfo run;
    ASSERT_TRUE(reader.FindRun(1, run));
    EXPECT_TRUE(run.Live);
    EXPECT_EQ(run.SampleCount, 1500);
    std::vector<float> s1(200), s2(200);
    float* dest[] = {s1.data(), s2.data()};
    struct {
        int64_t Index;
        int Count, Read;
        TReadStatus Status;
    } cases[] = {{1000, 100, 100, rsComplete}, {1450, 100, 50, rsCacheEnd}, {1500, 1, 0, rsShortRead}, {-1, 1, 0, rsShortRead}};
    for (const auto& c : cases) {
        TReadStatus status;
        EXPECT_EQ(reader.Read(run, c.Index, c.Count, dest, 2, status), c.Read) << c.Index;
        EXPECT_EQ(status, c.Status) << c.Index;
        for (int i = 0; i < c.Read; ++i)
            ASSERT_EQ(s2[i], Value(2, c.Index + i));
    }
    log.StopLogging();
    EXPECT_EQ(DataBlocks(path), (std::vector<int>{1024, 476}));
    TReadStatus status;
    EXPECT_EQ(reader.Read(run, 1450, 100, dest, 2, status), 50);
    EXPECT_EQ(status, rsEndOfRun); // the run is closed now: read from the file
}

TEST(RunFile, UnclosedFileIsPlayedRefusedForLoggingAndRepaired)
{
    TFolder dir;
    const std::string path = dir("u.ddt");
    LogRuns(path, 2, {100});
    {
        TFastlog log; // run 2, left open as a killed program leaves it
        log.SetSeriesNumber(2);
        ASSERT_TRUE(log.StartLogging(QString::fromStdString(path), QString()));
        Feed(log, 2, 100, 2500);
        auto bytes = Bytes(path);
        bytes.insert(bytes.end(), 1000, 0x44); // a torn block
        std::memcpy(bytes.data() + bytes.size() - 1000, "DATA", 4);
        Write(dir("crash.ddt"), bytes);
    }
    const std::string crashed = dir("crash.ddt");
    const auto original = Bytes(crashed);

    TFastlog log;
    EXPECT_FALSE(log.StartLogging(QString::fromStdString(crashed), QString()));
    EXPECT_TRUE(log.LastError().contains(QStringLiteral("tessaron-runs repair")));
    EXPECT_EQ(Bytes(crashed), original);

    TRunFileReader reader;
    ASSERT_TRUE(reader.Open(crashed));
    TRunInfo r2, r1;
    ASSERT_TRUE(reader.FindRun(2, r2));
    EXPECT_FALSE(r2.Closed);
    EXPECT_EQ(r2.SampleCount, 2048);
    ASSERT_TRUE(reader.FindRun(1, r1, &r2));
    float v[100];
    float* dest[] = {v};
    TReadStatus status;
    EXPECT_EQ(reader.Read(r2, 2000, 100, dest, 1, status), 48);
    EXPECT_EQ(status, rsEndOfFile);
    EXPECT_EQ(v[47], Value(1, 100 + 2047));
    EXPECT_FALSE(RunTools::Verify(crashed, "").empty());

    std::string report, error;
    ASSERT_TRUE(RunTools::Repair(crashed, dir("fixed.ddt"), report, error));
    EXPECT_FALSE(RunTools::Repair(crashed, crashed, report, error));
    EXPECT_EQ(Bytes(crashed), original);
    EXPECT_TRUE(RunTools::Verify(dir("fixed.ddt"), "").empty());
    const auto runs = RunsOf(dir("fixed.ddt"));
    ASSERT_NO_FATAL_FAILURE(ExpectClosedRuns(runs, {100, 2048}));
    EXPECT_DOUBLE_EQ(runs[1].EndTime, r2.EndTime);
    EXPECT_TRUE(log.StartLogging(dir.Q("fixed.ddt"), QString()));
    EXPECT_EQ(log.RunNumber(), 3);
}

TEST(RunFile, TruncatedAtEveryLengthReadsEveryCompleteRun)
{
    TFolder dir;
    const std::string path = dir("t.ddt");
    const std::vector<int> counts{1100, 30, 1030};
    LogRuns(path, 2, counts);
    const auto full = RunsOf(path);
    ASSERT_EQ(full.size(), 3u);
    std::filesystem::copy_file(path, dir("cut.ddt"));
    for (int64_t length = int64_t(std::filesystem::file_size(path)); length >= 0; --length) {
        std::filesystem::resize_file(dir("cut.ddt"), uintmax_t(length));
        TRunFileReader reader;
        if (!reader.Open(dir("cut.ddt"))) {
            ASSERT_LT(length, 6);
            continue;
        }
        const auto runs = reader.Runs();
        for (size_t r = 0; r < full.size(); ++r) {
            const bool complete = full[r].TailOffset + 44 <= length;
            if (!complete)
                break;
            ASSERT_GT(runs.size(), r) << length;
            ASSERT_TRUE(runs[r].Closed);
            ASSERT_EQ(runs[r].SampleCount, counts[r]);
        }
        for (const TRunInfo& run : runs) {
            if (run.SampleCount == 0)
                continue;
            float first, last;
            float* d1[] = {&first};
            float* d2[] = {&last};
            TReadStatus status;
            ASSERT_EQ(reader.Read(run, run.SampleCount - 1, 1, d2, 1, status), 1) << length;
            ASSERT_EQ(reader.Read(run, 0, 1, d1, 1, status), 1);
            const int64_t base = run.Number == 1 ? 0 : run.Number == 2 ? 1100 : 1130;
            ASSERT_EQ(first, Value(1, base));
            ASSERT_EQ(last, Value(1, base + run.SampleCount - 1));
        }
    }
}

TEST(RunFile, MalformedFilesEndTheWalkWithAProblem)
{
    TFolder dir;
    const std::string path = dir("m.ddt");
    LogRuns(path, 2, {1500, 20});
    const auto sound = Bytes(path);
    const auto runs = RunsOf(path);
    const size_t head1 = 6, data1 = 131, head2 = size_t(runs[1].HeadOffset);
    const auto patch32 = [](std::vector<unsigned char>& B, size_t At, int32_t V) { std::memcpy(B.data() + At, &V, 4); };
    struct {
        const char* Name;
        std::function<void(std::vector<unsigned char>&)> Damage;
        const char* Problem;
        size_t RunsLeft, At;
    } cases[] = {
        {"size below 40", [&](auto& B) { patch32(B, data1 + 4, 12); }, "below 40", 1, data1},
        {"size beyond the file", [&](auto& B) { patch32(B, data1 + 4, 0x7FFFFFF0); }, "past the end", 1, data1},
        {"previous points forward", [&](auto& B) { patch32(B, head2 + 32, int32_t(head2 + 10)); }, "does not point backward", 1, head2},
        {"series count 0", [&](auto& B) { B[head1 + 37] = 0; }, "series count 0", 0, head1},
        {"series count 9", [&](auto& B) { B[head2 + 37] = 9; }, "series count 9", 1, head2},
        {"repeated run number", [&](auto& B) { patch32(B, head2 + 40, 1); }, "run number 1 where run 2", 1, head2},
        {"unknown kind", [&](auto& B) { std::memcpy(B.data() + data1, "DATX", 4); }, "unknown block kind", 1, data1},
    };
    for (const auto& c : cases) {
        auto bytes = sound;
        c.Damage(bytes);
        Write(dir("bad.ddt"), bytes);
        const auto problems = RunTools::Verify(dir("bad.ddt"), "");
        std::string all;
        for (const auto& p : problems)
            all += p.Text + "\n";
        EXPECT_NE(all.find(c.Problem), std::string::npos) << c.Name << ": " << all;
        EXPECT_EQ(RunsOf(dir("bad.ddt")).size(), c.RunsLeft) << c.Name;
        TRunFileReader reader;
        TRunInfo r;
        ASSERT_TRUE(reader.Open(dir("bad.ddt")));
        EXPECT_FALSE(reader.FindRun(2, r)) << c.Name;
        // Though it ends with a sound TAIL, it takes no new run and stays as it was.
        TRunFileWriter w;
        EXPECT_FALSE(w.OpenAppend(dir("bad.ddt"))) << c.Name;
        EXPECT_NE(w.Error().find("damaged at offset " + std::to_string(c.At)), std::string::npos) << c.Name << ": " << w.Error();
        EXPECT_EQ(Bytes(dir("bad.ddt")), bytes) << c.Name;
    }
}

TEST(RunFile, FullFileAndLastRunNumberCloseTheRunProperlyAndOddCallsLoseNothing)
{
    TFolder dir;
    TRunFileWriter w;
    ASSERT_TRUE(w.Create(dir("full.ddt")));
    w.SetSizeLimit(6 + 125 + 3 * (40 + 4096) + 44);
    ASSERT_TRUE(w.StartRun(0.0, 1.0, 1, "x"));
    std::vector<float> data(5000, 1.0f);
    EXPECT_EQ(w.Append({data.data()}, 1, 5000), 3072);
    EXPECT_FALSE(w.Logging());
    EXPECT_NE(w.Error().find("full"), std::string::npos);
    w.Close();
    EXPECT_TRUE(RunTools::Verify(dir("full.ddt"), "").empty());
    EXPECT_EQ(RunsOf(dir("full.ddt"))[0].SampleCount, 3072);

    w.SetSizeLimit(RunFormat::MaxFileSize);
    ASSERT_TRUE(w.Create(dir("many.ddt")));
    for (int r = 1; r <= 65535; ++r)
        ASSERT_TRUE(w.StartRun(r, 1.0, 1, "") && w.CloseRun()) << r;
    EXPECT_FALSE(w.StartRun(0.0, 1.0, 1, ""));
    EXPECT_NE(w.Error().find("65535"), std::string::npos);
    w.Close();
    ASSERT_TRUE(w.OpenAppend(dir("many.ddt")));
    EXPECT_FALSE(w.StartRun(0.0, 1.0, 1, ""));
    TRunFileReader reader;
    ASSERT_TRUE(reader.Open(dir("many.ddt")));
    TRunInfo last;
    EXPECT_TRUE(reader.FindRun(65535, last));

    // A file of another kind is refused for appending and reading.
    Write(dir("n.ddt"), {'T', 'S', 'X', 'L', 0, 1});
    EXPECT_FALSE(w.OpenAppend(dir("n.ddt")));
    EXPECT_FALSE(reader.Open(dir("n.ddt")));
    TReadStatus status;
    EXPECT_EQ(reader.Read(TRunInfo{}, 0, 1, nullptr, 0, status), 0);
    EXPECT_EQ(status, rsNoFile);

    // A call with fewer series than the run logs 0.0 for the others; more are ignored.
    ASSERT_TRUE(w.Create(dir("z.ddt")));
    ASSERT_TRUE(w.StartRun(0.0, 1.0, 3, ""));
    const float a[] = {1, 2}, b[] = {3, 4}, c[] = {5, 6};
    w.Append({a, b, c}, 3, 2);
    w.Append({a}, 1, 2);
    w.Append({a, b, c, a}, 4, 1);
    EXPECT_EQ(w.Append({a}, 9, 1), 0);
    w.Close();
    ASSERT_TRUE(reader.Open(dir("z.ddt")));
    TRunInfo run;
    ASSERT_TRUE(reader.FindRun(1, run));
    float s[3][5];
    float* dest[] = {s[0], s[1], s[2]};
    ASSERT_EQ(reader.Read(run, 0, 5, dest, 3, status), 5);
    EXPECT_EQ(std::vector<float>(s[2], s[2] + 5), (std::vector<float>{5, 6, 0, 0, 5}));

    // A remark record cut short by a stopped program gives way to the next remark.
    TRemarkFile remarks;
    ASSERT_TRUE(remarks.Open(dir("r.DDD")));
    EXPECT_FALSE(remarks.UpdateRemark("x", dfManual, 1));
    ASSERT_TRUE(remarks.AddRemark(1, 1.0, 1, "a", dfManual));
    remarks.Close();
    std::filesystem::resize_file(dir("r.DDD"), 232 + 100);
    ASSERT_TRUE(remarks.Open(dir("r.DDD")));
    ASSERT_TRUE(remarks.AddRemark(1, 2.0, 1, "b", dfManual));
    EXPECT_EQ(std::filesystem::file_size(dir("r.DDD")), 2u * 232);
    remarks.LoadRemarks(1);
    EXPECT_EQ(remarks.List().size(), 2u);
}

TEST(RemarkFile, ChainsPerRunNearestAndDamagedLinks)
{
    TFolder dir;
    TRemarkFile f;
    bool created = false;
    ASSERT_TRUE(f.Open(dir("x.DDD"), &created));
    EXPECT_TRUE(created);
    f.LoadRemarks(2);
    ASSERT_TRUE(f.AddRemark(2, 1.0, 1, "A", dfManual));
    ASSERT_TRUE(f.AddRemark(3, 5.0, -1, "B", dfAutomatic));
    ASSERT_TRUE(f.AddRemark(3, 6.0, 2, "C", dfAutomatic));
    ASSERT_TRUE(f.AddRemark(2, 3.0, 4, std::string(250, 'x'), dfManual));
    f.Close();
    ASSERT_TRUE(f.Open(dir("x.DDD")));
    ASSERT_TRUE(f.AddRemark(3, 7.0, 1, "E", dfManual)); // found by reading backward
    TRemarkRecord a, d, c;
    ASSERT_TRUE(f.ReadRecord(0, a) && f.ReadRecord(3 * 232, d) && f.ReadRecord(2 * 232, c));
    EXPECT_EQ(a.Next, 3 * 232);
    EXPECT_EQ(d.Previous, 0);
    EXPECT_EQ(d.Text.size(), 200u);
    EXPECT_EQ(c.Next, 4 * 232);
    f.LoadRemarks(2);
    ASSERT_EQ(f.List().size(), 2u);
    EXPECT_TRUE(f.RemarkListChanged());
    EXPECT_FALSE(f.RemarkListChanged());
    for (auto [time, index] : {std::pair{2.0, 0}, {0.0, 0}, {2.1, 1}, {9.0, 1}})
        EXPECT_EQ(f.FindNearestRemark(time), index) << time;
    ASSERT_TRUE(f.UpdateRemark("neu", dfAutomatic, 3));
    EXPECT_EQ(f.List()[1].Series, 3);
    f.LoadRemarks(3);
    EXPECT_EQ(f.List().size(), 3u);
    f.Close();
    EXPECT_TRUE(RunTools::VerifyRemarks(dir("x.DDD"), nullptr).empty());

    // A chain that points back to itself or out of the file ends.
    auto bytes = Bytes(dir("x.DDD"));
    const int32_t loop = 232, outside = 1 << 30;
    std::memcpy(bytes.data() + 2 * 232 + 20, &loop, 4);
    std::memcpy(bytes.data() + 0 * 232 + 20, &outside, 4);
    Write(dir("y.DDD"), bytes);
    ASSERT_TRUE(f.Open(dir("y.DDD")));
    f.LoadRemarks(3);
    EXPECT_EQ(f.List().size(), 2u);
    f.LoadRemarks(2);
    EXPECT_EQ(f.List().size(), 1u);
    EXPECT_EQ(RunTools::VerifyRemarks(dir("y.DDD"), nullptr).size(), 4u);
}

TEST(RunFile, ExportHoldsEverySampleInOrder)
{
    TFolder dir;
    const std::string path = dir("e.ddt");
    LogRuns(path, 3, {40, 2100});
    {
        TFastlog log;
        ASSERT_TRUE(log.StartLogging(QString::fromStdString(path), QString()));
        ASSERT_TRUE(log.AddRemark(2, 1.5, 2, QStringLiteral("Spitze \"x\""), dfManual));
    }
    std::FILE* out = std::tmpfile();
    std::FILE* remarks = std::tmpfile();
    std::string error;
    ASSERT_TRUE(RunTools::ExportRun(path, 2, out, remarks, error)) << error;
    std::rewind(out);
    char line[256];
    ASSERT_TRUE(std::fgets(line, sizeof line, out));
    EXPECT_STREQ(line, "time,series1,series2,series3\n");
    const auto runs = RunsOf(path);
    int64_t k = 0;
    while (std::fgets(line, sizeof line, out)) {
        char* p = line;
        EXPECT_EQ(std::strtod(p, &p), runs[1].StartTime + double(k) * 0.5);
        for (int s = 1; s <= 3; ++s)
            ASSERT_EQ(float(std::strtod(p + 1, &p)), Value(s, 40 + k)) << k;
        ++k;
    }
    EXPECT_EQ(k, 2100);
    std::rewind(remarks);
    std::string text(256, 0);
    text.resize(std::fread(text.data(), 1, text.size(), remarks));
    EXPECT_EQ(text, "time,series,flag,text\n1.5,2,manual,\"Spitze \"\"x\"\"\"\n");
    std::fclose(out);
    std::fclose(remarks);
    EXPECT_FALSE(RunTools::ExportRun(path, 5, stdout, nullptr, error));
}

// Re-applying an unchanged LogStartTime while logging still closes the run and
// starts the next; a description sets the logger's properties by name.
TEST(Fastlog, UnchangedStartTimeStartsARunAndDescriptionsSetProperties)
{
    const QByteArray text = "object Log: TFastlog\n"
                            "  SeriesNumber = 3\n"
                            "  LogTimeIncrement = 0.25\n"
                            "  RangeUpper = 2.5\n"
                            "end\n";
    std::unique_ptr<TComponent> read(ReadComponent(text, "Log"));
    auto* log = qobject_cast<TFastlog*>(read.get());
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->SeriesNumber(), 3);
    EXPECT_EQ(log->RangeUpper(), 2.5f);
    EXPECT_TRUE(WriteComponentText(log).contains("LogTimeIncrement = 0.25"));

    TFolder dir;
    ASSERT_TRUE(log->StartLogging(dir.Q("l.ddt"), QStringLiteral("a")));
    Feed(*log, 3, 0, 10);
    log->SetLogStartTime(log->LogStartTime());
    EXPECT_EQ(log->RunNumber(), 2);
    log->SetRunComment(QStringLiteral("zweiter Lauf"));
    log->StopLogging();
    const auto runs = RunsOf(dir("l.ddt"));
    ASSERT_NO_FATAL_FAILURE(ExpectClosedRuns(runs, {10, 0}));
    EXPECT_EQ(runs[1].StartTime, runs[0].StartTime);
    EXPECT_EQ(runs[1].Comment, "zweiter Lauf");
    EXPECT_EQ(log->RunComment(), QStringLiteral("Ohne Kommentar"));

    // The comment of a stored run is overwritten in its HEAD, checked first.
    ASSERT_TRUE(WriteRunComment(dir("l.ddt"), runs[0], "erster"));
    TRunInfo wrong = runs[1];
    wrong.Number = 1;
    EXPECT_FALSE(WriteRunComment(dir("l.ddt"), wrong, "x"));
    EXPECT_EQ(RunsOf(dir("l.ddt"))[0].Comment, "erster");
    EXPECT_EQ(RunsOf(dir("l.ddt"))[1].Comment, "zweiter Lauf");
}

TEST(RunFile, ShortStringsAreLatin1WithALengthByte)
{
    struct {
        const char* Utf8;
        int Max;
        const char* Latin1;
    } cases[] = {
        {"abc", 80, "abc"},
        {"\xC3\xA4\xC3\x9F", 80, "\xE4\xDF"},       // ä ß
        {"\xE2\x82\xAC \xF0\x9F\x98\x80", 80, "? ?"}, // € and an emoji
        {"\xC3(\xFF", 80, "?(?"},                     // no UTF-8
        {"\xC3", 80, "?"},                            // cut inside a character
        {"\xC3\xA4\xC3\xA4\xC3\xA4", 2, "\xE4\xE4"},
    };
    for (const auto& c : cases) {
        const std::string latin1 = EncodeShortString(c.Utf8, c.Max);
        EXPECT_EQ(latin1, c.Latin1) << c.Utf8;
        unsigned char field[81] = {static_cast<unsigned char>(latin1.size())};
        std::memcpy(field + 1, latin1.data(), latin1.size());
        EXPECT_EQ(EncodeShortString(DecodeShortString(field, 80), 80), latin1) << c.Utf8;
    }
    EXPECT_EQ(CutUtf8("\xC3\xA4xyz", 2), "\xC3\xA4x");
}
