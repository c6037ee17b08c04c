#include "stripchart/RunFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static_assert(std::endian::native == std::endian::little, "run files are little-endian, as is the host");

namespace Tessaron {

using namespace RunFormat;

namespace {

constexpr char KindHead[4] = {'H', 'E', 'A', 'D'};
constexpr char KindData[4] = {'D', 'A', 'T', 'A'};
constexpr char KindTail[4] = {'T', 'A', 'I', 'L'};

// Run numbers are compared on their low 16 bits.
bool SameRun(int A, int B)
{
    return (A & 0xFFFF) == (B & 0xFFFF);
}

// Round to nearest, ties to even (the default rounding mode), clamped so that
// a time far outside a run gives a far index instead of undefined behaviour.
std::int64_t RoundIndex(double Value)
{
    if (!(Value > -1e15))
        return std::int64_t(-1e15);
    if (!(Value < 1e15))
        return std::int64_t(1e15);
    return std::int64_t(std::nearbyint(Value));
}

// Bytes of a full DATA block of a run with Series series.
std::int64_t BlockSize(int Series)
{
    return HeaderSize + std::int64_t(Series) * SamplesPerBlock * 4;
}

// The 81-byte comment field of a HEAD: length byte, Latin-1 text, zeros.
std::array<unsigned char, CommentLength + 1> CommentField(const std::string& Utf8)
{
    std::array<unsigned char, CommentLength + 1> field{};
    const std::string text = EncodeShortString(Utf8, CommentLength);
    field[0] = static_cast<unsigned char>(text.size());
    std::memcpy(field.data() + 1, text.data(), text.size());
    return field;
}

} // namespace

// ---------------------------------------------------------------- header

void TBlockHeader::Encode(unsigned char* Out) const
{
    const char* tag = Kind == TBlockKind::Head ? KindHead : Kind == TBlockKind::Data ? KindData : KindTail;
    std::memcpy(Out, tag, 4);
    RunFormat::PutLe(Out + 4, Size);
    RunFormat::PutLe(Out + 8, FirstTime);
    RunFormat::PutLe(Out + 16, LastTime);
    RunFormat::PutLe(Out + 24, Increment);
    RunFormat::PutLe(Out + 32, Previous);
    Out[36] = 0;
    Out[37] = SeriesCount;
    RunFormat::PutLe(Out + 38, DataBytes);
}

TBlockHeader TBlockHeader::Decode(const unsigned char* In)
{
    TBlockHeader h;
    h.Kind = std::memcmp(In, KindHead, 4) == 0 ? TBlockKind::Head
        : std::memcmp(In, KindData, 4) == 0    ? TBlockKind::Data
        : std::memcmp(In, KindTail, 4) == 0    ? TBlockKind::Tail
                                               : TBlockKind::Unknown;
    h.Size = RunFormat::GetLe<std::int32_t>(In + 4);
    h.FirstTime = RunFormat::GetLe<double>(In + 8);
    h.LastTime = RunFormat::GetLe<double>(In + 16);
    h.Increment = RunFormat::GetLe<double>(In + 24);
    h.Previous = RunFormat::GetLe<std::int32_t>(In + 32);
    h.SeriesCount = In[37];
    h.DataBytes = RunFormat::GetLe<std::uint16_t>(In + 38);
    return h;
}

// ---------------------------------------------------------------- short strings

std::string CutUtf8(const std::string& Utf8, int MaxLength)
{
    int chars = 0;
    for (std::size_t i = 0; i < Utf8.size(); ++i) {
        if ((static_cast<unsigned char>(Utf8[i]) & 0xC0) != 0x80 && chars++ == MaxLength)
            return Utf8.substr(0, i);
    }
    return Utf8;
}

std::string EncodeShortString(const std::string& Utf8, int MaxLength)
{
    std::string out;
    const auto* s = reinterpret_cast<const unsigned char*>(Utf8.data());
    const std::size_t n = Utf8.size();
    for (std::size_t i = 0; i < n && int(out.size()) < MaxLength;) {
        const unsigned char c = s[i];
        int len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (len == 0 || i + len > n) { // not UTF-8: one byte, one '?'
            out += '?';
            ++i;
            continue;
        }
        std::uint32_t cp = len == 1 ? c : c & (0x7F >> len);
        bool ok = true;
        for (int k = 1; k < len; ++k) {
            ok = ok && (s[i + k] & 0xC0) == 0x80;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        out += cp <= 0xFF ? char(cp) : '?';
        i += len;
    }
    return out;
}

std::string DecodeShortString(const unsigned char* Field, int MaxLength)
{
    const int n = std::min<int>(Field[0], MaxLength);
    std::string out;
    for (int i = 1; i <= n; ++i) {
        const unsigned char c = Field[i];
        if (c < 0x80) {
            out += char(c);
        } else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// ---------------------------------------------------------------- file

TBinaryFile::~TBinaryFile()
{
    Close();
}

TBinaryFile::TBinaryFile(TBinaryFile&& Other) noexcept
    : FHandle(std::exchange(Other.FHandle, -1))
{
}

TBinaryFile& TBinaryFile::operator=(TBinaryFile&& Other) noexcept
{
    if (this != &Other) {
        Close();
        FHandle = std::exchange(Other.FHandle, -1);
    }
    return *this;
}

bool TBinaryFile::Open(const std::string& Path, TMode Mode, std::string* Error)
{
    Close();
    const int flags = Mode == fmRead ? O_RDONLY : Mode == fmReadWrite ? O_RDWR : O_RDWR | O_CREAT | O_TRUNC;
    FHandle = ::open(Path.c_str(), flags | O_CLOEXEC, 0644);
    if (FHandle < 0 && Error)
        *Error = Path + ": " + std::strerror(errno);
    return FHandle >= 0;
}

void TBinaryFile::Close()
{
    if (FHandle >= 0)
        ::close(FHandle);
    FHandle = -1;
}

std::int64_t TBinaryFile::Size() const
{
    struct stat st {};
    if (FHandle < 0 || ::fstat(FHandle, &st) != 0)
        return 0;
    return st.st_size;
}

namespace {

// Moves all Count bytes through Io (pread or pwrite), resuming after short
// transfers and interrupted calls.
template <typename Buffer, typename IoFn>
bool Transfer(int Handle, std::int64_t Offset, Buffer* Data, std::size_t Count, IoFn Io)
{
    if (Handle < 0 || Offset < 0)
        return false;
    while (Count > 0) {
        const ssize_t r = Io(Handle, Data, Count, Offset);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return false;
        Data += r;
        Offset += r;
        Count -= std::size_t(r);
    }
    return true;
}

} // namespace

bool TBinaryFile::ReadAt(std::int64_t Offset, void* Buffer, std::size_t Count) const
{
    return Transfer(FHandle, Offset, static_cast<char*>(Buffer), Count, ::pread);
}

bool TBinaryFile::WriteAt(std::int64_t Offset, const void* Buffer, std::size_t Count)
{
    return Transfer(FHandle, Offset, static_cast<const char*>(Buffer), Count, ::pwrite);
}

// ---------------------------------------------------------------- walker

TRunWalker::TRunWalker(const TBinaryFile& File, std::int64_t FileSize)
    : FFile(File)
    , FSize(FileSize)
{
}

void TRunWalker::Seek(std::int64_t Offset, std::int64_t Previous, int Number)
{
    FPosition = Offset;
    FPrevious = Previous;
    FNumber = Number > 0 ? Number : 1;
    FEnded = false;
    FStatus = rsEndOfFile;
}

bool TRunWalker::Stop(std::int64_t Offset, TReadStatus Status, std::string Text)
{
    FProblems.push_back({Offset, std::move(Text), Status});
    FStatus = Status;
    FEnded = true;
    return false;
}

void TRunWalker::Note(std::int64_t Offset, std::string Text)
{
    FProblems.push_back({Offset, std::move(Text), rsComplete});
}

// Reads and checks the frame of the block at Offset: its kind, that its size
// is at least a header and that it ends inside the file. Ends the walk when
// not.
bool TRunWalker::ReadHeader(std::int64_t Offset, TBlockHeader& Header)
{
    unsigned char raw[HeaderSize];
    if (Offset + HeaderSize > FSize || !FFile.ReadAt(Offset, raw, HeaderSize))
        return Stop(Offset, rsEndOfFile, "block header cut short by the end of the file");
    Header = TBlockHeader::Decode(raw);
    if (Header.Kind == TBlockKind::Unknown)
        return Stop(Offset, rsBadBlock, "unknown block kind");
    if (Header.Size < HeaderSize)
        return Stop(Offset, rsShortRead, "block size " + std::to_string(Header.Size) + " is below 40");
    if (Offset + Header.Size > FSize)
        return Stop(Offset, rsEndOfFile, "block of " + std::to_string(Header.Size) + " bytes runs past the end of the file");
    if (Header.Previous != FPrevious) {
        if (!(Header.Previous < Offset) || (Header.Previous != 0 && Header.Previous < SignatureSize))
            return Stop(Offset, rsShortRead, "previous-block offset " + std::to_string(Header.Previous) + " does not point backward");
        Note(Offset, "previous-block offset " + std::to_string(Header.Previous) + " is not the block before ("
                + std::to_string(FPrevious) + ")");
    }
    return true;
}

bool TRunWalker::NextRun(TRunInfo& Run)
{
    if (FEnded || FPosition >= FSize)
        return false;
    TBlockHeader h;
    std::int64_t pos = FPosition;
    if (!ReadHeader(pos, h))
        return false;
    if (h.Kind != TBlockKind::Head)
        return Stop(pos, rsShortRead, "a run must start with a HEAD block");
    unsigned char payload[HeadSize - HeaderSize];
    if (h.Size != HeadSize || !FFile.ReadAt(pos + HeaderSize, payload, sizeof payload))
        return Stop(pos, rsShortRead, "HEAD block size " + std::to_string(h.Size) + " is not 125");
    if (h.SeriesCount < 1 || h.SeriesCount > MaxSeries)
        return Stop(pos, rsShortRead, "series count " + std::to_string(h.SeriesCount) + " is not 1 to 8");
    if (!(h.Increment > 0.0) || !std::isfinite(h.Increment) || !std::isfinite(h.FirstTime))
        return Stop(pos, rsShortRead, "HEAD time increment or start time is no positive finite number");
    const int number = RunFormat::GetLe<std::int32_t>(payload);
    if (!SameRun(number, FNumber))
        return Stop(pos, rsShortRead,
            "run number " + std::to_string(number) + " where run " + std::to_string(FNumber) + " was expected");

    Run = TRunInfo{};
    Run.Number = number & 0xFFFF; // what run numbers are compared on
    Run.HeadOffset = pos;
    Run.StartTime = h.FirstTime;
    Run.Increment = h.Increment;
    Run.EndTime = h.FirstTime - h.Increment;
    Run.SeriesCount = h.SeriesCount;
    Run.Comment = DecodeShortString(payload + 4, CommentLength);
    Run.LastBlockOffset = pos;
    FPrevious = pos;
    pos += HeadSize;
    ++FNumber;

    bool shortBlockSeen = false;
    for (;;) {
        if (pos >= FSize) { // a run cut off where the program stopped logging
            Run.EndStatus = rsEndOfFile;
            Note(Run.HeadOffset, "run " + std::to_string(Run.Number) + " has no TAIL");
            FPosition = pos;
            FEnded = true;
            return true;
        }
        if (!ReadHeader(pos, h)) {
            Run.EndStatus = FStatus;
            Note(Run.HeadOffset, "run " + std::to_string(Run.Number) + " has no TAIL");
            return true;
        }
        if (h.Kind == TBlockKind::Head) { // the next run starts without this one's TAIL
            Run.EndStatus = rsEndOfFile;
            Note(Run.HeadOffset, "run " + std::to_string(Run.Number) + " has no TAIL");
            FPosition = pos;
            return true;
        }
        if (h.Kind == TBlockKind::Tail) {
            unsigned char n[4];
            if (h.Size != TailSize || !FFile.ReadAt(pos + HeaderSize, n, 4) || !SameRun(RunFormat::GetLe<std::int32_t>(n), Run.Number)) {
                Stop(pos, rsShortRead, "TAIL of run " + std::to_string(Run.Number) + " is malformed");
                Run.EndStatus = rsShortRead;
                return true;
            }
            Run.Closed = true;
            Run.EndStatus = rsEndOfRun;
            Run.TailOffset = pos;
            Run.LastBlockOffset = pos;
            if (std::isfinite(h.LastTime))
                Run.EndTime = h.LastTime;
            FPrevious = pos;
            FPosition = pos + TailSize;
            return true;
        }
        const int n = h.SampleCount();
        std::string wrong;
        if (h.SeriesCount != Run.SeriesCount)
            wrong = "DATA block has " + std::to_string(h.SeriesCount) + " series, its run " + std::to_string(Run.SeriesCount);
        else if (n < 1 || n > SamplesPerBlock || h.DataBytes % 4 != 0 || h.Size != HeaderSize + std::int64_t(n) * Run.SeriesCount * 4)
            wrong = "DATA block size " + std::to_string(h.Size) + " does not match its sample count";
        else if (shortBlockSeen)
            wrong = "DATA block after a block of fewer than 1024 samples";
        else if (RoundIndex((h.FirstTime - Run.StartTime) / Run.Increment) != Run.SampleCount)
            wrong = "DATA block time does not follow its run";
        if (!wrong.empty()) {
            Stop(pos, rsShortRead, wrong);
            Run.EndStatus = rsShortRead;
            return true;
        }
        if (h.Increment != Run.Increment)
            Note(pos, "DATA block time increment differs from its HEAD's");
        shortBlockSeen = n < SamplesPerBlock;
        Run.SampleCount += n;
        Run.EndTime = h.LastTime;
        Run.LastBlockOffset = pos;
        FPrevious = pos;
        pos += h.Size;
    }
}

// ---------------------------------------------------------------- writer

TRunFileWriter::TRunFileWriter() = default;

TRunFileWriter::~TRunFileWriter()
{
    Close();
}

bool TRunFileWriter::Fail(const std::string& Text)
{
    FError = FPath + ": " + Text;
    return false;
}

bool TRunFileWriter::Create(const std::string& Path)
{
    Close();
    FError.clear();
    FPath = Path;
    if (!FFile.Open(Path, TBinaryFile::fmCreate, &FError))
        return false;
    unsigned char sig[SignatureSize];
    std::memcpy(sig, Signature, 4);
    RunFormat::PutLe(sig + 4, Version);
    if (!FFile.WriteAt(0, sig, SignatureSize)) {
        FFile.Close();
        return Fail("cannot write the signature");
    }
    FEnd = SignatureSize;
    FPrevious = 0;
    FRunNumber = 0;
    return true;
}

bool TRunFileWriter::OpenAppend(const std::string& Path)
{
    Close();
    FError.clear();
    FPath = Path;
    if (!FFile.Open(Path, TBinaryFile::fmReadWrite, &FError))
        return false;
    const std::int64_t size = FFile.Size();
    unsigned char sig[SignatureSize];
    const auto refuse = [&](const std::string& Text) {
        FFile.Close();
        return Fail(Text);
    };
    if (size < SignatureSize || !FFile.ReadAt(0, sig, SignatureSize) || std::memcmp(sig, Signature, 4) != 0)
        return refuse("not a run file (no TSRL signature)");
    if (size == SignatureSize) { // signature only: runs start at 1
        FEnd = size;
        FPrevious = 0;
        FRunNumber = 0;
        return true;
    }
    // Every run must walk to the end of the file and the last one end with
    // its TAIL there; anything else is a run cut off while logging (or a
    // damaged file), and nothing is appended behind it.
    TRunWalker walker(FFile, size);
    TRunInfo run;
    while (walker.NextRun(run)) {
    }
    const std::string repair = "; run `tessaron-runs repair` to write a closed copy";
    for (const TRunProblem& p : walker.Problems())
        if (p.Status != rsComplete)
            return refuse("damaged at offset " + std::to_string(p.Offset) + " (" + p.Text + ")" + repair);
    if (!run.Closed || run.TailOffset + TailSize != size)
        return refuse("its last run was not closed (the program may have been stopped while logging)" + repair);
    const std::int64_t at = run.TailOffset;
    FRunNumber = run.Number & 0xFFFF;
    FEnd = size;
    FPrevious = at;
    return true;
}

bool TRunFileWriter::WriteBlock(const TBlockHeader& Header, const void* Payload, std::size_t PayloadSize)
{
    FBlock.resize(HeaderSize + PayloadSize);
    Header.Encode(FBlock.data());
    if (PayloadSize)
        std::memcpy(FBlock.data() + HeaderSize, Payload, PayloadSize);
    if (!FFile.WriteAt(FEnd, FBlock.data(), FBlock.size()))
        return Fail("write failed at offset " + std::to_string(FEnd) + ": " + std::strerror(errno));
    FPrevious = FEnd;
    FEnd += std::int64_t(FBlock.size());
    return true;
}

bool TRunFileWriter::StartRun(double StartTime, double Increment, int SeriesCount, const std::string& Comment)
{
    if (!FFile.IsOpen() || FLogging)
        return Fail(FFile.IsOpen() ? "a run is already being logged" : "no file open");
    if (SeriesCount < 1 || SeriesCount > MaxSeries)
        return Fail("a run has 1 to 8 series");
    if (FRunNumber >= MaxRuns)
        return Fail("the file holds 65535 runs, the most run numbers of 16 bits tell apart");
    if (FEnd + HeadSize + BlockSize(SeriesCount) + TailSize > FSizeLimit)
        return Fail("the file is full (offsets are 32-bit)");
    FCache.assign(std::size_t(MaxSeries) * SamplesPerBlock, 0.0f);
    FFill = 0;
    FWrittenBlocks = 0;
    FCacheTime = StartTime - Increment;
    FIncrement = Increment;
    FSeriesCount = SeriesCount;
    FComment = CutUtf8(Comment, CommentLength);

    TBlockHeader h;
    h.Kind = TBlockKind::Head;
    h.Size = HeadSize;
    h.FirstTime = FCacheTime + Increment;
    h.Increment = Increment;
    h.Previous = std::int32_t(FPrevious);
    h.SeriesCount = std::uint8_t(SeriesCount);
    unsigned char payload[HeadSize - HeaderSize] = {};
    RunFormat::PutLe(payload, std::int32_t(FRunNumber + 1));
    const auto field = CommentField(FComment);
    std::memcpy(payload + 4, field.data(), field.size());
    const std::int64_t at = FEnd;
    if (!WriteBlock(h, payload, sizeof payload))
        return false;
    FHeadOffset = at;
    FStartTime = h.FirstTime;
    ++FRunNumber;
    FLogging = true;
    return true;
}

// Writes the first Count cached samples of each series as one DATA block.
bool TRunFileWriter::WriteData(int Count)
{
    TBlockHeader h;
    h.Kind = TBlockKind::Data;
    h.Size = std::int32_t(HeaderSize + std::int64_t(FSeriesCount) * Count * 4);
    h.FirstTime = FCacheTime + FIncrement;
    h.LastTime = FCacheTime + Count * FIncrement;
    h.Increment = FIncrement;
    h.Previous = std::int32_t(FPrevious);
    h.SeriesCount = std::uint8_t(FSeriesCount);
    h.DataBytes = std::uint16_t(4 * Count);
    FBlock.resize(std::size_t(h.Size));
    h.Encode(FBlock.data());
    for (int s = 0; s < FSeriesCount; ++s)
        std::memcpy(FBlock.data() + HeaderSize + std::size_t(s) * Count * 4, CachedSeries(s), std::size_t(Count) * 4);
    if (!FFile.WriteAt(FEnd, FBlock.data(), FBlock.size()))
        return Fail("write failed at offset " + std::to_string(FEnd) + ": " + std::strerror(errno));
    FPrevious = FEnd;
    FEnd += h.Size;
    FCacheTime += Count * FIncrement;
    return true;
}

int TRunFileWriter::Append(const TSeriesData& Data, int SeriesCount, int SampleCount)
{
    if (!FLogging || SeriesCount < 1 || SeriesCount > MaxSeries || SampleCount < 1)
        return 0;
    const int series = std::min(SeriesCount, FSeriesCount);
    for (int s = 0; s < series; ++s)
        if (!Data[std::size_t(s)])
            return 0;
    int done = 0;
    while (done < SampleCount) {
        const int take = std::min(SampleCount - done, SamplesPerBlock - FFill);
        for (int s = 0; s < series; ++s)
            std::memcpy(FCache.data() + std::size_t(s) * SamplesPerBlock + FFill, Data[std::size_t(s)] + done,
                std::size_t(take) * sizeof(float));
        // Series of the run that the call does not supply are logged as 0.0,
        // not as whatever an earlier block left in the cache.
        for (int s = series; s < FSeriesCount; ++s)
            std::fill_n(FCache.data() + std::size_t(s) * SamplesPerBlock + FFill, take, 0.0f);
        FFill += take;
        done += take;
        if (FFill < SamplesPerBlock)
            break;
        if (!WriteData(SamplesPerBlock)) {
            FLogging = false;
            return done;
        }
        FFill = 0;
        ++FWrittenBlocks;
        // Room is kept for one more full block and the TAIL, so a full file
        // still ends with a closed run and nothing cached is lost.
        if (FEnd + BlockSize(FSeriesCount) + TailSize > FSizeLimit) {
            CloseRun();
            Fail("the file is full (offsets are 32-bit): the run was closed, "
                + std::to_string(SampleCount - done) + " further samples per series were not logged");
            return done;
        }
    }
    return done;
}

bool TRunFileWriter::CloseRun()
{
    if (!FLogging)
        return false;
    bool ok = true;
    if (FFill > 0)
        ok = WriteData(FFill);
    FFill = 0;
    TBlockHeader h;
    h.Kind = TBlockKind::Tail;
    h.Size = TailSize;
    h.LastTime = FCacheTime;
    h.Increment = FIncrement;
    h.Previous = std::int32_t(FPrevious);
    h.SeriesCount = std::uint8_t(FSeriesCount);
    unsigned char payload[4];
    RunFormat::PutLe(payload, std::int32_t(FRunNumber));
    ok = ok && WriteBlock(h, payload, sizeof payload);
    FLogging = false;
    FHeadOffset = -1;
    return ok;
}

void TRunFileWriter::Close()
{
    if (FLogging)
        CloseRun();
    FFile.Close();
}

bool TRunFileWriter::SetComment(const std::string& Utf8)
{
    if (!FLogging || FHeadOffset < 0)
        return false;
    FComment = CutUtf8(Utf8, CommentLength);
    const auto field = CommentField(FComment);
    return FFile.WriteAt(FHeadOffset + HeaderSize + 4, field.data(), field.size()) || Fail("cannot write the comment");
}

bool WriteRunComment(const std::string& Path, const TRunInfo& Run, const std::string& Utf8, std::string* Error)
{
    TBinaryFile file;
    if (!file.Open(Path, TBinaryFile::fmReadWrite, Error))
        return false;
    unsigned char head[HeaderSize + 4];
    if (Run.HeadOffset < SignatureSize || !file.ReadAt(Run.HeadOffset, head, sizeof head)
        || TBlockHeader::Decode(head).Kind != TBlockKind::Head
        || (RunFormat::GetLe<std::int32_t>(head + HeaderSize) & 0xFFFF) != (Run.Number & 0xFFFF)) {
        if (Error)
            *Error = Path + ": no HEAD of run " + std::to_string(Run.Number) + " at offset " + std::to_string(Run.HeadOffset);
        return false;
    }
    const auto field = CommentField(Utf8);
    return file.WriteAt(Run.CommentOffset(), field.data(), field.size());
}

TRunInfo TRunFileWriter::CurrentRun() const
{
    TRunInfo r;
    if (!FLogging)
        return r;
    r.Number = FRunNumber;
    r.HeadOffset = FHeadOffset;
    r.StartTime = FStartTime;
    r.Increment = FIncrement;
    r.SeriesCount = FSeriesCount;
    r.SampleCount = WrittenSamples() + FFill;
    r.EndTime = FCacheTime + FFill * FIncrement;
    r.Live = true;
    r.EndStatus = rsCacheEnd;
    r.LastBlockOffset = FPrevious;
    r.Comment = FComment;
    return r;
}

// ---------------------------------------------------------------- reader

bool TRunFileReader::Open(const std::string& Path, std::string* Error)
{
    Close();
    FPath = Path;
    if (!FFile.Open(Path, TBinaryFile::fmRead, Error))
        return false;
    unsigned char sig[SignatureSize];
    FSize = FFile.Size();
    if (FSize < SignatureSize || !FFile.ReadAt(0, sig, SignatureSize) || std::memcmp(sig, Signature, 4) != 0
        || RunFormat::GetLe<std::uint16_t>(sig + 4) != Version) {
        if (Error)
            *Error = Path + ": not a run file (no TSRL signature of version 1.0)";
        FFile.Close();
        return false;
    }
    return true;
}

void TRunFileReader::Close()
{
    FFile.Close();
    FSize = 0;
}

bool TRunFileReader::IsLiveRun(int N) const
{
    return FWriter && FWriter->Logging() && FWriter->Path() == FPath && SameRun(N, FWriter->RunNumber());
}

std::vector<TRunInfo> TRunFileReader::Runs(TReadStatus* Status, std::int64_t* EndOffset)
{
    std::vector<TRunInfo> runs;
    FSize = FFile.Size();
    TRunWalker walker(FFile, FSize);
    TRunInfo r;
    while (walker.NextRun(r))
        runs.push_back(IsLiveRun(r.Number) && r.HeadOffset == FWriter->CurrentRun().HeadOffset ? FWriter->CurrentRun() : r);
    if (Status)
        *Status = walker.Status();
    if (EndOffset)
        *EndOffset = walker.Position();
    return runs;
}

bool TRunFileReader::FindRun(int N, TRunInfo& Run, const TRunInfo* From)
{
    if (!FFile.IsOpen() || N < 1)
        return false;
    if (IsLiveRun(N)) {
        Run = FWriter->CurrentRun();
        return true;
    }
    FSize = FFile.Size();
    TRunWalker walker(FFile, FSize);
    std::int64_t start = SignatureSize;
    std::int64_t previous = 0;
    int number = 1;
    if (From && From->HeadOffset >= SignatureSize && From->Number >= 1) {
        if (N >= From->Number) {
            unsigned char raw[HeaderSize];
            if (!FFile.ReadAt(From->HeadOffset, raw, HeaderSize))
                return false;
            start = From->HeadOffset;
            previous = TBlockHeader::Decode(raw).Previous;
            number = From->Number;
        } else {
            // Backward through the previous-block offsets to HEAD N; every
            // offset must point strictly backward, so the walk ends.
            std::int64_t pos = From->HeadOffset;
            unsigned char raw[HeaderSize + 4];
            bool found = false;
            while (pos >= SignatureSize && pos + HeaderSize + 4 <= FSize && FFile.ReadAt(pos, raw, sizeof raw)) {
                const TBlockHeader h = TBlockHeader::Decode(raw);
                if (h.Kind == TBlockKind::Unknown || h.Size < HeaderSize)
                    return false;
                if (h.Kind == TBlockKind::Head && pos != From->HeadOffset) {
                    const int number16 = RunFormat::GetLe<std::int32_t>(raw + HeaderSize) & 0xFFFF;
                    if (number16 == (N & 0xFFFF)) {
                        found = true;
                        previous = h.Previous;
                        break;
                    }
                    if (number16 < (N & 0xFFFF))
                        return false;
                }
                if (!(h.Previous < pos) || h.Previous < SignatureSize)
                    return false;
                pos = h.Previous;
            }
            if (!found)
                return false;
            start = pos;
            number = N;
        }
    }
    walker.Seek(start, previous, number);
    TRunInfo r;
    while (walker.NextRun(r)) {
        if (SameRun(r.Number, N)) {
            Run = r;
            return true;
        }
    }
    return false;
}

std::int64_t TRunFileReader::IndexOfTime(const TRunInfo& Run, double T)
{
    return RoundIndex((T - Run.StartTime) / Run.Increment);
}

int TRunFileReader::ReadAtTime(const TRunInfo& Run, double T, int Count, float* const* Dest, int DestSeries, TReadStatus& Status)
{
    return Read(Run, IndexOfTime(Run, T), Count, Dest, DestSeries, Status);
}

int TRunFileReader::Read(const TRunInfo& Run, std::int64_t Index, int Count, float* const* Dest, int DestSeries, TReadStatus& Status)
{
    if (!FFile.IsOpen()) {
        Status = rsNoFile;
        return 0;
    }
    const TRunInfo live = Run.Live && IsLiveRun(Run.Number) ? FWriter->CurrentRun() : TRunInfo{};
    const bool isLive = live.Live && live.HeadOffset == Run.HeadOffset;
    // A run that was being logged when it was found and is closed now is
    // read as the file has it.
    TRunInfo closed;
    if (Run.Live && !isLive && (!FindRun(Run.Number, closed) || closed.HeadOffset != Run.HeadOffset))
        closed = Run;
    const TRunInfo& run = isLive ? live : Run.Live ? closed : Run;
    const std::int64_t inFile = isLive ? FWriter->WrittenSamples() : run.SampleCount;
    const std::int64_t total = isLive ? run.SampleCount : inFile;
    const int series = std::clamp(DestSeries, 0, run.SeriesCount);
    Status = rsComplete;
    if (Count <= 0)
        return 0;
    if (Index < 0 || Index >= total || run.SeriesCount < 1) {
        Status = rsShortRead;
        return 0;
    }
    FSize = FFile.Size();
    int done = 0;
    while (done < Count) {
        const std::int64_t i = Index + done;
        if (i >= total) {
            Status = isLive ? rsCacheEnd : run.EndStatus;
            return done;
        }
        if (i >= inFile) { // the unwritten samples of the run being logged
            const int from = int(i - inFile);
            const int take = int(std::min<std::int64_t>(Count - done, total - i));
            for (int s = 0; s < series; ++s)
                std::memcpy(Dest[s] + done, FWriter->CachedSeries(s) + from, std::size_t(take) * 4);
            done += take;
            continue;
        }
        const std::int64_t block = i / SamplesPerBlock;
        const int within = int(i % SamplesPerBlock);
        const std::int64_t offset = run.FirstDataOffset() + block * run.BlockStride();
        unsigned char raw[HeaderSize];
        if (offset + HeaderSize > FSize || !FFile.ReadAt(offset, raw, HeaderSize)) {
            Status = rsEndOfFile;
            return done;
        }
        const TBlockHeader h = TBlockHeader::Decode(raw);
        const int n = h.SampleCount();
        if (h.Kind != TBlockKind::Data) {
            Status = h.Kind == TBlockKind::Unknown ? rsBadBlock : rsShortRead;
            return done;
        }
        if (h.SeriesCount != run.SeriesCount || n < 1 || n > SamplesPerBlock || within >= n
            || h.Size != HeaderSize + std::int64_t(n) * run.SeriesCount * 4
            || RoundIndex((h.FirstTime - run.StartTime) / run.Increment) != block * SamplesPerBlock) {
            Status = rsShortRead;
            return done;
        }
        const int take = int(std::min<std::int64_t>({Count - done, n - within, total - i}));
        const std::int64_t payload = offset + HeaderSize;
        for (int s = 0; s < series; ++s) {
            if (!FFile.ReadAt(payload + (std::int64_t(s) * n + within) * 4, Dest[s] + done, std::size_t(take) * 4)) {
                Status = rsShortRead;
                return done;
            }
        }
        done += take;
    }
    return done;
}

} // namespace Tessaron
