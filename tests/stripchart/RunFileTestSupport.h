#pragma once
// Run files for the tests: a temporary folder, a logger fed with samples that
// tell where they came from, and the file's bytes.

#include <stripchart/Fastlog.h>
#include <stripchart/RunFile.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace RunFileTest {

// Sample k of series s (from 1) of a feed: exact in a float.
inline float Value(int Series, std::int64_t K)
{
    return float(Series * 1000000 + K);
}

// Feeds Count samples per series, numbered from First, in calls of Block.
inline void Feed(Tessaron::TFastlog& Log, int Series, std::int64_t First, int Count, int Block = 1000)
{
    std::vector<std::vector<float>> data(8);
    for (int done = 0; done < Count;) {
        const int n = std::min(Block, Count - done);
        Tessaron::TSeriesData ptrs{};
        for (int s = 0; s < Series; ++s) {
            data[s].resize(n);
            for (int i = 0; i < n; ++i)
                data[s][i] = Value(s + 1, First + done + i);
            ptrs[s] = data[s].data();
        }
        Log.AddSamples(ptrs, Series, n);
        done += n;
    }
}

inline std::vector<unsigned char> Bytes(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void Write(const std::string& Path, const std::vector<unsigned char>& Data)
{
    std::ofstream(Path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(Data.data()), std::streamsize(Data.size()));
}

// A folder that lives as long as the test.
struct TFolder {
    QTemporaryDir Dir;
    std::string operator()(const char* Name) const { return Q(Name).toStdString(); }
    QString Q(const char* Name) const { return Dir.filePath(QString::fromUtf8(Name)); }
};

// The runs of the file at Path, none when it does not open.
inline std::vector<Tessaron::TRunInfo> RunsOf(const std::string& Path, Tessaron::TReadStatus* Status = nullptr)
{
    Tessaron::TRunFileReader reader;
    return reader.Open(Path) ? reader.Runs(Status) : std::vector<Tessaron::TRunInfo>{};
}

// Runs numbered from 1, each closed, with these sample counts.
inline void ExpectClosedRuns(const std::vector<Tessaron::TRunInfo>& Runs, const std::vector<int>& Counts)
{
    ASSERT_EQ(Runs.size(), Counts.size());
    for (std::size_t r = 0; r < Runs.size(); ++r) {
        EXPECT_EQ(Runs[r].Number, int(r + 1));
        EXPECT_TRUE(Runs[r].Closed) << "run " << r + 1;
        EXPECT_EQ(Runs[r].SampleCount, Counts[r]) << "run " << r + 1;
    }
}

// Logs runs of the given sample counts (Series series, increment 0.5) into
// Path, one StartLogging, each further run by re-applying LogStartTime.
inline void LogRuns(const std::string& Path, int Series, const std::vector<int>& Counts, bool Stop = true)
{
    Tessaron::TFastlog log;
    log.SetSeriesNumber(Series);
    log.SetLogTimeIncrement(0.5);
    log.StartLogging(QString::fromStdString(Path), QStringLiteral("Messung"));
    std::int64_t k = 0;
    for (std::size_t r = 0; r < Counts.size(); ++r) {
        if (r > 0)
            log.SetLogStartTime(log.LastSampleTime() + 100.0);
        Feed(log, Series, k, Counts[r]);
        k += Counts[r];
    }
    if (Stop)
        log.StopLogging();
}

} // namespace RunFileTest
