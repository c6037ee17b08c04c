#pragma once
// The strip chart's run file: a signature, then runs of blocks (HEAD, DATA
// blocks of 1024 samples per series but the last, TAIL), all little-endian.
// TRunFileWriter logs runs with a cache of one block; TRunFileReader finds
// runs and reads their samples, taking the samples of the run being logged
// that are still in the writer's cache from the writer itself.
//
// Neither trusts what it reads: a block that is too small, runs past the end
// of the file, points forward, repeats a run number or is of an unknown kind
// ends a walk with a status; nothing is allocated from a size read from a file.
// Plain C++ (no Qt), so that the command-line tool and the fuzzers use it too.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace Tessaron {

// One block of samples as AddSamples takes it: entry s points at the samples
// of series s + 1.
using TSeriesData = std::array<const float*, 8>;

namespace RunFormat {
inline constexpr char Signature[4] = {'T', 'S', 'R', 'L'};
inline constexpr std::uint16_t Version = 0x0100;
inline constexpr int SignatureSize = 6;
inline constexpr int HeaderSize = 40;
inline constexpr int HeadSize = 125;
inline constexpr int TailSize = 44;
inline constexpr int SamplesPerBlock = 1024;
inline constexpr int MaxSeries = 8;
inline constexpr int CommentLength = 80;
// Offsets are Int32: no block may end beyond this.
inline constexpr std::int64_t MaxFileSize = 0x7FFFFFFF;
// Run numbers are compared on 16 bits.
inline constexpr int MaxRuns = 65535;
// The largest DATA block: eight series of 1024 samples.
inline constexpr int MaxDataSize = HeaderSize + MaxSeries * SamplesPerBlock * 4;

// A little-endian field (the host is little-endian).
template <typename T>
void PutLe(unsigned char* Out, T Value)
{
    std::memcpy(Out, &Value, sizeof(T));
}
template <typename T>
T GetLe(const unsigned char* In)
{
    T v;
    std::memcpy(&v, In, sizeof(T));
    return v;
}
} // namespace RunFormat

// The statuses of a read: 0 complete, 2 end of file, 3 end of run (TAIL
// reached), 4 no more unwritten samples of the run being logged, 6 short read
// or past the end, 7 unrecognised block kind, 10 no file open.
enum TReadStatus : int {
    rsComplete = 0,
    rsEndOfFile = 2,
    rsEndOfRun = 3,
    rsCacheEnd = 4,
    rsShortRead = 6,
    rsBadBlock = 7,
    rsNoFile = 10,
};

enum class TBlockKind { Head, Data, Tail, Unknown };

// The 40-byte header every block starts with.
struct TBlockHeader {
    TBlockKind Kind = TBlockKind::Unknown;
    std::int32_t Size = 0;
    double FirstTime = 0.0;
    double LastTime = 0.0;
    double Increment = 0.0;
    std::int32_t Previous = 0;
    std::uint8_t SeriesCount = 0;
    std::uint16_t DataBytes = 0; // DATA: 4 x samples per series

    void Encode(unsigned char* Out) const;
    static TBlockHeader Decode(const unsigned char* In);
    // Samples per series of a DATA block.
    int SampleCount() const { return DataBytes / 4; }
};

// Short strings (comments, remark texts): a length byte, then single-byte
// Latin-1 characters. Text is UTF-8 on our side; characters outside Latin-1
// (and bytes that are no UTF-8) become '?'. Both cut to MaxLength characters.
std::string EncodeShortString(const std::string& Utf8, int MaxLength);
std::string DecodeShortString(const unsigned char* Field, int MaxLength);
// The first MaxLength characters of a UTF-8 text.
std::string CutUtf8(const std::string& Utf8, int MaxLength);

// A file opened for reading and writing, shared with other readers: reads and
// writes at explicit offsets. Move-only.
class TBinaryFile {
public:
    enum TMode { fmRead, fmReadWrite, fmCreate };
    TBinaryFile() = default;
    ~TBinaryFile();
    TBinaryFile(TBinaryFile&& Other) noexcept;
    TBinaryFile& operator=(TBinaryFile&& Other) noexcept;
    TBinaryFile(const TBinaryFile&) = delete;
    TBinaryFile& operator=(const TBinaryFile&) = delete;

    // fmCreate creates the file or empties an existing one.
    bool Open(const std::string& Path, TMode Mode, std::string* Error = nullptr);
    void Close();
    bool IsOpen() const { return FHandle >= 0; }
    std::int64_t Size() const;
    // Exactly Count bytes, or false.
    bool ReadAt(std::int64_t Offset, void* Buffer, std::size_t Count) const;
    bool WriteAt(std::int64_t Offset, const void* Buffer, std::size_t Count);

private:
    int FHandle = -1;
};

// Where a run lies and what its HEAD says.
struct TRunInfo {
    int Number = 0;
    std::int64_t HeadOffset = -1;
    double StartTime = 0.0; // time of the first sample
    double Increment = 1.0;
    double EndTime = 0.0; // time of the last sample (TAIL, or last complete DATA block)
    int SeriesCount = 0;
    std::int64_t SampleCount = 0; // samples per series in the file
    bool Closed = false;          // ends with its TAIL
    bool Live = false;            // the run being logged: more samples in the writer's cache
    TReadStatus EndStatus = rsEndOfFile; // what ends its blocks
    std::int64_t TailOffset = -1;
    std::int64_t LastBlockOffset = -1; // its last sound block (HEAD, DATA or TAIL)
    std::string Comment;

    std::int64_t FirstDataOffset() const { return HeadOffset + RunFormat::HeadSize; }
    std::int64_t CommentOffset() const { return HeadOffset + RunFormat::HeaderSize + 4; }
    std::int64_t BlockStride() const { return RunFormat::HeaderSize + std::int64_t(SeriesCount) * RunFormat::SamplesPerBlock * 4; }
};

// A problem a walk met: the offset of the block, what is wrong, and the
// status it gives a read there.
struct TRunProblem {
    std::int64_t Offset = 0;
    std::string Text;
    TReadStatus Status = rsShortRead;
};

// Walks the runs of a file forward, block by block, checking every header
// against the run's HEAD. It ends at the end of the file or at the first
// block it cannot trust; problems it can walk past (a run without a TAIL
// followed by the next HEAD, a previous-block offset that is not the block
// before) are recorded too.
class TRunWalker {
public:
    TRunWalker(const TBinaryFile& File, std::int64_t FileSize);
    // Starts at the HEAD at Offset; Previous is the offset of the block before
    // it (0 for the first block) and Number the run number expected there
    // (0: the first run of the file, 1).
    void Seek(std::int64_t Offset, std::int64_t Previous, int Number);
    // The next run; false when the walk has ended (Status() says how).
    bool NextRun(TRunInfo& Run);
    // rsEndOfFile for a sound end, rsShortRead or rsBadBlock otherwise.
    TReadStatus Status() const { return FStatus; }
    std::int64_t Position() const { return FPosition; }
    const std::vector<TRunProblem>& Problems() const { return FProblems; }

private:
    bool ReadHeader(std::int64_t Offset, TBlockHeader& Header);
    bool Stop(std::int64_t Offset, TReadStatus Status, std::string Text);
    void Note(std::int64_t Offset, std::string Text);

    const TBinaryFile& FFile;
    std::int64_t FSize;
    std::int64_t FPosition = RunFormat::SignatureSize;
    std::int64_t FPrevious = 0;
    int FNumber = 1;
    bool FEnded = false;
    TReadStatus FStatus = rsEndOfFile;
    std::vector<TRunProblem> FProblems;
};

// Logs runs into a run file (the storage writer's commands 0 to 3).
class TRunFileWriter {
public:
    TRunFileWriter();
    ~TRunFileWriter();

    // Command 0: creates the file (emptying an existing one) and writes the signature.
    bool Create(const std::string& Path);
    // Opens an existing run file to append runs after its last TAIL. Refused
    // when the file is no run file or its last run is not closed (its data is
    // left as it is; `tessaron-runs repair` makes a closed copy).
    bool OpenAppend(const std::string& Path);
    // Command 1: writes the HEAD of run (last run + 1). Refused for a 65536th
    // run and when no room is left for a HEAD and its TAIL.
    bool StartRun(double StartTime, double Increment, int SeriesCount, const std::string& Comment);
    // Command 2: caches the samples (series 1 .. the run's series count, of
    // which SeriesCount must be 1 .. 8) and writes each full block of 1024.
    // Series of the run beyond SeriesCount are logged as 0.0, series beyond
    // the run's are ignored; a call with a null pointer among the series it
    // gives is refused whole. Returns the number of samples per series taken;
    // fewer when the file is full, in which case the run is closed and
    // Error() says so.
    int Append(const TSeriesData& Data, int SeriesCount, int SampleCount);
    // Command 3: writes the cached rest as the last DATA block and the TAIL.
    bool CloseRun();
    // Closes the run if one is open, then the file.
    void Close();
    // Overwrites the comment in the HEAD of the run being logged.
    bool SetComment(const std::string& Utf8);

    bool IsOpen() const { return FFile.IsOpen(); }
    bool Logging() const { return FLogging; }
    const std::string& Path() const { return FPath; }
    // Number of the run being logged, or of the last run started (0: none).
    int RunNumber() const { return FRunNumber; }
    // Time of the last sample written to the file (the cache time).
    double CacheTime() const { return FCacheTime; }
    // The run being logged, as far as it is in the file plus the cache.
    TRunInfo CurrentRun() const;
    int CacheFill() const { return FFill; }
    const float* CachedSeries(int Index) const { return FCache.data() + std::size_t(Index) * RunFormat::SamplesPerBlock; }
    // Samples per series in complete DATA blocks of the run being logged.
    std::int64_t WrittenSamples() const { return FWrittenBlocks * RunFormat::SamplesPerBlock; }
    // The last failure, empty when none.
    const std::string& Error() const { return FError; }
    // For tests: files end at most at this size (default 2^31 - 1).
    void SetSizeLimit(std::int64_t Limit) { FSizeLimit = Limit; }

private:
    bool WriteBlock(const TBlockHeader& Header, const void* Payload, std::size_t PayloadSize);
    bool WriteData(int Count);
    bool Fail(const std::string& Text);

    TBinaryFile FFile;
    std::string FPath;
    std::int64_t FEnd = 0;      // the write position: the end of the file
    std::int64_t FPrevious = 0; // offset of the last block written
    int FRunNumber = 0;
    bool FLogging = false;
    std::int64_t FHeadOffset = -1;
    std::string FComment;
    double FStartTime = 0.0;
    double FIncrement = 1.0;
    int FSeriesCount = 0;
    double FCacheTime = 0.0;
    std::vector<float> FCache; // 8 x 1024
    int FFill = 0;
    std::int64_t FWrittenBlocks = 0;
    std::vector<unsigned char> FBlock;
    std::int64_t FSizeLimit = RunFormat::MaxFileSize;
    std::string FError;
};

// Overwrites the comment in the HEAD of a stored run (cut to 80 characters),
// after checking that Run.HeadOffset still holds that run's HEAD.
bool WriteRunComment(const std::string& Path, const TRunInfo& Run, const std::string& Utf8, std::string* Error = nullptr);

// Finds runs and reads their samples (the storage reader).
class TRunFileReader {
public:
    // Opens a run file for reading; false when it is missing or has no signature.
    bool Open(const std::string& Path, std::string* Error = nullptr);
    void Close();
    bool IsOpen() const { return FFile.IsOpen(); }
    // The writer logging into the same file: its run is read through its cache.
    void SetLiveWriter(const TRunFileWriter* Writer) { FWriter = Writer; }

    // Finds run N: forward from run From (or the first run) when N is larger,
    // backward through the previous-block offsets otherwise. A run without a
    // TAIL ends at its last complete DATA block.
    bool FindRun(int N, TRunInfo& Run, const TRunInfo* From = nullptr);
    // Every run from the start of the file, in order, until the walk ends;
    // Status tells how it ended (rsEndOfFile for a sound end).
    std::vector<TRunInfo> Runs(TReadStatus* Status = nullptr, std::int64_t* EndOffset = nullptr);

    // Reads Count samples per series from sample Index (0 = the run's first)
    // into Dest[0 .. DestSeries - 1]; returns how many were read. DATA blocks
    // are found by arithmetic and checked by their headers.
    int Read(const TRunInfo& Run, std::int64_t Index, int Count, float* const* Dest, int DestSeries, TReadStatus& Status);
    // The same from the sample whose time is T.
    int ReadAtTime(const TRunInfo& Run, double T, int Count, float* const* Dest, int DestSeries, TReadStatus& Status);
    // The index of the sample at time T (rounded to the nearest sample).
    static std::int64_t IndexOfTime(const TRunInfo& Run, double T);

    const TBinaryFile& File() const { return FFile; }
    std::int64_t FileSize() const { return FSize; }

private:
    bool IsLiveRun(int N) const;

    TBinaryFile FFile;
    std::string FPath;
    std::int64_t FSize = 0;
    const TRunFileWriter* FWriter = nullptr;
    std::vector<unsigned char> FBlock;
};

} // namespace Tessaron
