#include "stripchart/RemarkFile.h"

#include <cmath>
#include <cstring>
#include <utility>

#include <sys/stat.h>

namespace Tessaron {

using namespace RemarkFormat;

namespace {

// Remark offsets are Int32 like those of the run file.
constexpr std::int64_t MaxEnd = RunFormat::MaxFileSize;

} // namespace

void TRemarkRecord::Encode(unsigned char* Out) const
{
    std::memset(Out, 0, RecordSize);
    RunFormat::PutLe(Out, RunNumber);
    RunFormat::PutLe(Out + 4, Time);
    RunFormat::PutLe(Out + 12, Series);
    Out[16] = Flag;
    RunFormat::PutLe(Out + 20, Next);
    RunFormat::PutLe(Out + 24, Previous);
    const std::string text = EncodeShortString(Text, TextLength);
    Out[TextOffset] = static_cast<unsigned char>(text.size());
    std::memset(Out + TextOffset + 1, ' ', TextLength);
    std::memcpy(Out + TextOffset + 1, text.data(), text.size());
}

TRemarkRecord TRemarkRecord::Decode(const unsigned char* In, std::int64_t Offset)
{
    TRemarkRecord r;
    r.RunNumber = RunFormat::GetLe<std::int32_t>(In);
    r.Time = RunFormat::GetLe<double>(In + 4);
    r.Series = RunFormat::GetLe<std::int32_t>(In + 12);
    r.Flag = In[16] == dfManual ? dfManual : dfAutomatic;
    r.Next = RunFormat::GetLe<std::int32_t>(In + 20);
    r.Previous = RunFormat::GetLe<std::int32_t>(In + 24);
    r.Text = DecodeShortString(In + TextOffset, TextLength);
    r.Offset = Offset;
    return r;
}

TRemarkEntry TRemarkRecord::Entry() const
{
    return TRemarkEntry{RunNumber, Time, Series, Flag, std::int32_t(Offset)};
}

std::string TRemarkFile::PathFor(const std::string& RunFilePath)
{
    const std::size_t slash = RunFilePath.find_last_of('/');
    const std::size_t dot = RunFilePath.find_last_of('.');
    const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExt ? RunFilePath.substr(0, dot) : RunFilePath) + ".DDD";
}

bool TRemarkFile::Fail(const std::string& Text)
{
    FError = FPath + ": " + Text;
    return false;
}

bool TRemarkFile::Open(const std::string& Path, bool* Created)
{
    Close();
    FPath = Path;
    FError.clear();
    struct stat st {};
    const bool exists = ::stat(Path.c_str(), &st) == 0;
    if (Created)
        *Created = !exists;
    return FFile.Open(Path, exists ? TBinaryFile::fmReadWrite : TBinaryFile::fmCreate, &FError);
}

bool TRemarkFile::OpenReadOnly(const std::string& Path)
{
    Close();
    FPath = Path;
    FError.clear();
    return FFile.Open(Path, TBinaryFile::fmRead, &FError);
}

void TRemarkFile::Close()
{
    FFile.Close();
    FList.clear();
    FListRun = 0;
    FLastRun = 0;
    FLastOffset = -1;
    FSelected = TRemarkRecord{};
    FHighlight = -1;
    FListChanged = true;
}

std::int64_t TRemarkFile::RecordCount() const
{
    return FFile.Size() / RecordSize;
}

bool TRemarkFile::ReadRecord(std::int64_t Offset, TRemarkRecord& Record) const
{
    unsigned char raw[RecordSize];
    if (Offset < 0 || Offset % RecordSize != 0 || Offset + RecordSize > FFile.Size()
        || !FFile.ReadAt(Offset, raw, RecordSize))
        return false;
    Record = TRemarkRecord::Decode(raw, Offset);
    return true;
}

bool TRemarkFile::WriteRecord(const TRemarkRecord& Record)
{
    unsigned char raw[RecordSize];
    Record.Encode(raw);
    return FFile.WriteAt(Record.Offset, raw, RecordSize) || Fail("cannot write the remark at offset " + std::to_string(Record.Offset));
}

// The offset of the last record of Run, reading the file backward; -1 when none.
std::int64_t TRemarkFile::LastOffsetOfRun(int Run) const
{
    if (FLastOffset >= 0 && FLastRun == Run)
        return FLastOffset;
    constexpr int Batch = 256;
    std::vector<unsigned char> raw(std::size_t(Batch) * RecordSize);
    for (std::int64_t end = RecordCount(); end > 0;) {
        const std::int64_t first = std::max<std::int64_t>(0, end - Batch);
        const std::size_t bytes = std::size_t(end - first) * RecordSize;
        if (!FFile.ReadAt(first * RecordSize, raw.data(), bytes))
            return -1;
        for (std::int64_t i = end - 1; i >= first; --i)
            if (RunFormat::GetLe<std::int32_t>(raw.data() + (i - first) * RecordSize) == Run)
                return i * RecordSize;
        end = first;
    }
    return -1;
}

bool TRemarkFile::AddRemark(int Run, double Time, int Series, const std::string& Text, TDescFlag Flag)
{
    if (!FFile.IsOpen())
        return Fail("no remark file open");
    TRemarkRecord r;
    r.RunNumber = Run;
    r.Time = Time;
    r.Series = Series;
    r.Flag = Flag;
    r.Text = CutUtf8(Text, TextLength);
    // A record cut short by a stopped program is no remark: the new one takes its place.
    r.Offset = RecordCount() * RecordSize;
    if (r.Offset + RecordSize > MaxEnd)
        return Fail("the remark file is full (offsets are 32-bit)");
    TRemarkRecord previous;
    const std::int64_t prevOffset = LastOffsetOfRun(Run);
    const bool linked = prevOffset >= 0 && ReadRecord(prevOffset, previous);
    r.Previous = linked ? std::int32_t(prevOffset) : -1;
    if (!WriteRecord(r))
        return false;
    if (linked) {
        previous.Next = std::int32_t(r.Offset);
        if (!WriteRecord(previous))
            return false;
    }
    FLastRun = Run;
    FLastOffset = r.Offset;
    FSelected = r;
    if (Run == FListRun) {
        FList.push_back(r.Entry());
        FListChanged = true;
    }
    return true;
}

bool TRemarkFile::UpdateRemark(const std::string& Text, TDescFlag Flag, int Series)
{
    TRemarkRecord r;
    if (!FFile.IsOpen() || FSelected.Offset < 0 || !ReadRecord(FSelected.Offset, r))
        return Fail("no remark selected");
    r.Text = CutUtf8(Text, TextLength);
    r.Flag = Flag;
    r.Series = Series;
    if (!WriteRecord(r))
        return false;
    FSelected = r;
    for (TRemarkEntry& e : FList) {
        if (e.FileOffset == r.Offset) {
            e = r.Entry();
            FListChanged = true;
        }
    }
    return true;
}

void TRemarkFile::LoadRemarks(int Run)
{
    FList.clear();
    FListRun = Run;
    FHighlight = -1;
    FListChanged = true;
    FHighlightChanged = true;
    const std::int64_t count = RecordCount();
    TRemarkRecord r;
    std::int64_t at = -1;
    constexpr int Batch = 256;
    std::vector<unsigned char> raw(std::size_t(Batch) * RecordSize);
    for (std::int64_t first = 0; first < count && at < 0; first += Batch) {
        const std::int64_t n = std::min<std::int64_t>(Batch, count - first);
        if (!FFile.ReadAt(first * RecordSize, raw.data(), std::size_t(n) * RecordSize))
            return;
        for (std::int64_t i = 0; i < n && at < 0; ++i)
            if (RunFormat::GetLe<std::int32_t>(raw.data() + i * RecordSize) == Run)
                at = (first + i) * RecordSize;
    }
    // Offsets only grow along a chain, so it ends after at most count records.
    while (at >= 0 && ReadRecord(at, r) && r.RunNumber == Run) {
        FList.push_back(r.Entry());
        if (r.Next <= at)
            break;
        at = r.Next;
    }
}

int TRemarkFile::FindNearestRemark(double Time)
{
    int best = -1;
    double bestDistance = 0.0;
    for (int i = 0; i < int(FList.size()); ++i) {
        const double d = std::fabs(FList[std::size_t(i)].Time - Time);
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    if (best >= 0) {
        TRemarkRecord r;
        if (ReadRecord(FList[std::size_t(best)].FileOffset, r))
            FSelected = r;
    }
    return best;
}

void TRemarkFile::SetHighlight(int Index)
{
    if (Index < -1 || Index >= int(FList.size()))
        Index = -1;
    if (Index == FHighlight)
        return;
    FHighlight = Index;
    FHighlightChanged = true;
}

bool TRemarkFile::RemarkListChanged(std::vector<TRemarkEntry>* List)
{
    if (List)
        *List = FList;
    return std::exchange(FListChanged, false);
}

bool TRemarkFile::RemarkHighlightChanged(int* Index)
{
    if (Index)
        *Index = FHighlight;
    return std::exchange(FHighlightChanged, false);
}

} // namespace Tessaron
