#include "stripchart/RunTools.h"

#include "stripchart/RemarkFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>

#include <sys/stat.h>

namespace Tessaron::RunTools {

using namespace RunFormat;

namespace {

bool FileExists(const std::string& Path)
{
    struct stat st {};
    return ::stat(Path.c_str(), &st) == 0;
}

// A double in the shortest form that reads back the same, or with Digits
// significant digits.
char* PutNumber(char* At, char* End, double Value, int Digits = 0)
{
    const auto r = Digits > 0 ? std::to_chars(At, End, Value, std::chars_format::general, Digits)
                              : std::to_chars(At, End, Value);
    return r.ptr;
}

std::string Number(double Value)
{
    char buf[40];
    return std::string(buf, PutNumber(buf, buf + sizeof buf, Value));
}

std::string CsvText(const std::string& Text)
{
    std::string out = "\"";
    for (char c : Text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

// Remarks per run number, from every whole record of the remark file.
std::map<int, int> CountRemarks(const std::string& RemarkPath)
{
    std::map<int, int> counts;
    TRemarkFile remarks;
    if (!FileExists(RemarkPath) || !remarks.OpenReadOnly(RemarkPath))
        return counts;
    TRemarkRecord r;
    for (std::int64_t i = 0, n = remarks.RecordCount(); i < n; ++i)
        if (remarks.ReadRecord(i * RemarkFormat::RecordSize, r))
            ++counts[r.RunNumber];
    return counts;
}

} // namespace

bool ListRuns(const std::string& Path, std::vector<TRunListing>& Runs, std::string& Error)
{
    TRunFileReader reader;
    if (!reader.Open(Path, &Error))
        return false;
    const std::map<int, int> counts = CountRemarks(TRemarkFile::PathFor(Path));
    Runs.clear();
    for (const TRunInfo& r : reader.Runs()) {
        const auto c = counts.find(r.Number);
        Runs.push_back({r, c == counts.end() ? 0 : c->second});
    }
    return true;
}

void PrintListing(const std::vector<TRunListing>& Runs, std::FILE* Out)
{
    std::fprintf(Out, "run\tstart\tend\tincrement\tsamples\tseries\tstate\tremarks\tcomment\n");
    for (const TRunListing& l : Runs) {
        const TRunInfo& r = l.Run;
        std::fprintf(Out, "%d\t%s\t%s\t%s\t%lld\t%d\t%s\t%d\t%s\n", r.Number, Number(r.StartTime).c_str(),
            Number(r.EndTime).c_str(), Number(r.Increment).c_str(), static_cast<long long>(r.SampleCount), r.SeriesCount,
            r.Closed ? "closed" : "open", l.RemarkCount, CsvText(r.Comment).c_str());
    }
}

bool ExportRun(const std::string& Path, int Number, std::FILE* Out, std::FILE* RemarksOut, std::string& Error,
    const TProgress& Progress)
{
    TRunFileReader reader;
    if (!reader.Open(Path, &Error))
        return false;
    TRunInfo run;
    if (!reader.FindRun(Number, run)) {
        Error = Path + ": no run " + std::to_string(Number);
        return false;
    }
    std::string header = "time";
    for (int s = 1; s <= run.SeriesCount; ++s)
        header += ",series" + std::to_string(s);
    header += '\n';
    std::fputs(header.c_str(), Out);

    constexpr int Chunk = 16 * SamplesPerBlock;
    std::vector<float> samples(std::size_t(Chunk) * MaxSeries);
    float* dest[MaxSeries];
    for (int s = 0; s < MaxSeries; ++s)
        dest[s] = samples.data() + std::size_t(s) * Chunk;
    std::vector<char> text(std::size_t(Chunk) * (26 + 17 * MaxSeries));
    for (std::int64_t i = 0; i < run.SampleCount;) {
        TReadStatus status;
        const int want = int(std::min<std::int64_t>(Chunk, run.SampleCount - i));
        const int got = reader.Read(run, i, want, dest, run.SeriesCount, status);
        char* p = text.data();
        char* const end = text.data() + text.size();
        for (int k = 0; k < got; ++k) {
            p = PutNumber(p, end, run.StartTime + double(i + k) * run.Increment, 17);
            for (int s = 0; s < run.SeriesCount; ++s) {
                *p++ = ',';
                p = PutNumber(p, end, dest[s][k], 9);
            }
            *p++ = '\n';
        }
        if (std::fwrite(text.data(), 1, std::size_t(p - text.data()), Out) != std::size_t(p - text.data())) {
            Error = "cannot write the CSV";
            return false;
        }
        if (got < want) {
            Error = Path + ": run " + std::to_string(Number) + " ends after " + std::to_string(i + got)
                + " samples (read status " + std::to_string(status) + ")";
            return false;
        }
        i += got;
        if (Progress)
            Progress(double(i) / double(run.SampleCount));
    }
    if (RemarksOut) {
        TRemarkFile remarks;
        std::fputs("time,series,flag,text\n", RemarksOut);
        const std::string remarkPath = TRemarkFile::PathFor(Path);
        if (FileExists(remarkPath) && remarks.OpenReadOnly(remarkPath)) {
            remarks.LoadRemarks(run.Number);
            TRemarkRecord r;
            for (const TRemarkEntry& e : remarks.List())
                if (remarks.ReadRecord(e.FileOffset, r))
                    std::fprintf(RemarksOut, "%s,%d,%s,%s\n", RunTools::Number(r.Time).c_str(), r.Series,
                        r.Flag == dfManual ? "manual" : "automatic", CsvText(r.Text).c_str());
        }
    }
    return std::fflush(Out) == 0;
}

std::vector<TRunProblem> VerifyRemarks(const std::string& RemarkPath, const std::vector<TRunInfo>* Runs)
{
    std::vector<TRunProblem> problems;
    TRemarkFile remarks;
    if (!remarks.OpenReadOnly(RemarkPath)) {
        problems.push_back({0, "cannot open the remark file " + RemarkPath, rsNoFile});
        return problems;
    }
    const auto problem = [&](std::int64_t Offset, const std::string& Text) {
        problems.push_back({Offset, "remark: " + Text, rsShortRead});
    };
    struct stat st {};
    const std::int64_t size = ::stat(RemarkPath.c_str(), &st) == 0 ? st.st_size : 0;
    if (size % RemarkFormat::RecordSize != 0)
        problem(size - size % RemarkFormat::RecordSize, "the last record is cut short");
    std::map<int, int> chainStarts;
    TRemarkRecord r;
    TRemarkRecord other;
    for (std::int64_t i = 0, n = remarks.RecordCount(); i < n; ++i) {
        const std::int64_t at = i * RemarkFormat::RecordSize;
        if (!remarks.ReadRecord(at, r))
            break;
        if (r.Series != -1 && (r.Series < 1 || r.Series > MaxSeries))
            problem(at, "series " + std::to_string(r.Series) + " is not 1 to 8 or -1");
        if (!std::isfinite(r.Time))
            problem(at, "time is no finite number");
        if (Runs && std::none_of(Runs->begin(), Runs->end(), [&](const TRunInfo& x) { return x.Number == r.RunNumber; }))
            problem(at, "run " + std::to_string(r.RunNumber) + " is not in the run file");
        if (r.Next != -1
            && !(r.Next > at && remarks.ReadRecord(r.Next, other) && other.RunNumber == r.RunNumber && other.Previous == at))
            problem(at, "next-remark offset " + std::to_string(r.Next) + " does not lead to a later remark of the run linked back");
        if (r.Previous != -1
            && !(r.Previous < at && remarks.ReadRecord(r.Previous, other) && other.RunNumber == r.RunNumber && other.Next == at))
            problem(at, "previous-remark offset " + std::to_string(r.Previous) + " does not lead to an earlier remark of the run linked forward");
        if (r.Previous == -1 && chainStarts[r.RunNumber]++ > 0)
            problem(at, "a second chain start of run " + std::to_string(r.RunNumber));
    }
    return problems;
}

std::vector<TRunProblem> Verify(const std::string& Path, const std::string& RemarkPath, const TProgress& Progress)
{
    std::vector<TRunProblem> problems;
    TRunFileReader reader;
    std::string error;
    if (!reader.Open(Path, &error)) {
        problems.push_back({0, error, rsNoFile});
        return problems;
    }
    const std::int64_t size = reader.FileSize();
    TRunWalker walker(reader.File(), size);
    std::vector<TRunInfo> runs;
    TRunInfo r;
    while (walker.NextRun(r)) {
        runs.push_back(r);
        if (Progress)
            Progress(double(walker.Position()) / double(std::max<std::int64_t>(size, 1)));
    }
    problems = walker.Problems();
    if (!RemarkPath.empty() && FileExists(RemarkPath)) {
        const std::vector<TRunProblem> more = VerifyRemarks(RemarkPath, &runs);
        problems.insert(problems.end(), more.begin(), more.end());
    }
    return problems;
}

bool Repair(const std::string& Path, const std::string& OutPath, std::string& Report, std::string& Error,
    const TProgress& Progress)
{
    struct stat a {};
    struct stat b {};
    if (Path == OutPath || (::stat(Path.c_str(), &a) == 0 && ::stat(OutPath.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino)) {
        Error = "the repaired copy must be another file than " + Path;
        return false;
    }
    TRunFileReader reader;
    if (!reader.Open(Path, &Error))
        return false;
    TBinaryFile out;
    if (!out.Open(OutPath, TBinaryFile::fmCreate, &Error))
        return false;
    const std::int64_t size = reader.FileSize();
    std::vector<unsigned char> block(MaxDataSize);
    unsigned char sig[SignatureSize];
    std::int64_t end = SignatureSize;
    std::int64_t previous = 0;
    bool ok = reader.File().ReadAt(0, sig, SignatureSize) && out.WriteAt(0, sig, SignatureSize);
    const auto put = [&](const TBlockHeader& Header, const unsigned char* Payload) {
        TBlockHeader h = Header;
        h.Previous = std::int32_t(previous);
        h.Encode(block.data());
        if (Payload != block.data() + HeaderSize)
            std::memcpy(block.data() + HeaderSize, Payload, std::size_t(h.Size - HeaderSize));
        ok = ok && out.WriteAt(end, block.data(), std::size_t(h.Size));
        previous = end;
        end += h.Size;
    };
    TRunWalker walker(reader.File(), size);
    TRunInfo run;
    int closed = 0;
    while (ok && walker.NextRun(run)) {
        for (std::int64_t pos = run.HeadOffset; ok && pos <= run.LastBlockOffset;) {
            ok = reader.File().ReadAt(pos, block.data(), HeaderSize);
            const TBlockHeader h = TBlockHeader::Decode(block.data());
            ok = ok && h.Size >= HeaderSize && h.Size <= MaxDataSize
                && reader.File().ReadAt(pos + HeaderSize, block.data() + HeaderSize, std::size_t(h.Size - HeaderSize));
            if (ok)
                put(h, block.data() + HeaderSize);
            pos += std::max(h.Size, HeaderSize);
        }
        if (ok && !run.Closed) {
            TBlockHeader tail;
            tail.Kind = TBlockKind::Tail;
            tail.Size = TailSize;
            tail.LastTime = run.EndTime;
            tail.Increment = run.Increment;
            tail.SeriesCount = std::uint8_t(run.SeriesCount);
            const std::int32_t number = run.Number;
            unsigned char payload[4];
            std::memcpy(payload, &number, 4);
            put(tail, payload);
            ++closed;
            Report += "run " + std::to_string(run.Number) + ": closed after " + std::to_string(run.SampleCount)
                + " samples per series\n";
        }
        if (Progress)
            Progress(double(walker.Position()) / double(std::max<std::int64_t>(size, 1)));
    }
    if (!ok) {
        Error = OutPath + ": write failed";
        return false;
    }
    for (const TRunProblem& p : walker.Problems())
        if (p.Status != rsComplete)
            Report += "offset " + std::to_string(p.Offset) + ": " + p.Text + "; the rest of the file ("
                + std::to_string(size - p.Offset) + " bytes) is left out\n";
    if (closed == 0 && Report.empty())
        Report = "nothing to repair: the copy equals the file\n";
    return true;
}

} // namespace Tessaron::RunTools
