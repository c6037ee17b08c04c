#pragma once
// The remark file beside a run file (same name, extension ".DDD"): 232-byte
// records appended in creation order, the remarks of each run linked into a
// doubly linked list through their next/previous offsets. TRemarkFile keeps
// the list of one run in memory, the selected remark (last found or edited)
// and the highlighted one, with the two changed-flags the jog shuttle polls.
//
// Links read from the file are trusted only when they point forward (next)
// or backward (previous) to a whole record of the same run inside the file,
// so a damaged chain ends instead of looping. Plain C++ (no Qt).

#include <stripchart/RunFile.h>
#include <stripchart/StripTypes.h>

#include <cstdint>
#include <string>
#include <vector>

namespace Tessaron {

namespace RemarkFormat {
inline constexpr int RecordSize = 232;
inline constexpr int TextLength = 200;
inline constexpr int TextOffset = 28;
} // namespace RemarkFormat

// One record of the remark file.
struct TRemarkRecord {
    std::int32_t RunNumber = 0;
    double Time = 0.0;
    std::int32_t Series = -1; // 1 .. 8, or -1 for all series
    TDescFlag Flag = dfAutomatic;
    std::int32_t Next = -1;     // offset of the next remark of the run, -1 = none
    std::int32_t Previous = -1; // offset of the previous remark of the run, -1 = none
    std::string Text;           // UTF-8, at most 200 characters
    std::int64_t Offset = -1;   // where the record lies, -1 = not in the file

    void Encode(unsigned char* Out) const;
    static TRemarkRecord Decode(const unsigned char* In, std::int64_t Offset);
    TRemarkEntry Entry() const;
};

class TRemarkFile {
public:
    // The remark file of a run file: its extension changed to ".DDD".
    static std::string PathFor(const std::string& RunFilePath);

    // Opens the remark file, creating it when it does not exist (Created
    // then tells so). The list is emptied.
    bool Open(const std::string& Path, bool* Created = nullptr);
    // Opens an existing remark file for reading only.
    bool OpenReadOnly(const std::string& Path);
    void Close();
    bool IsOpen() const { return FFile.IsOpen(); }
    const std::string& Error() const { return FError; }

    // Appends a remark (text cut to 200 characters) linked behind the last
    // remark of the same run; it becomes the selected remark and, when it
    // belongs to the run whose list is held, joins the list.
    bool AddRemark(int Run, double Time, int Series, const std::string& Text, TDescFlag Flag);
    // Replaces text, flag and series of the selected remark in the file and list.
    bool UpdateRemark(const std::string& Text, TDescFlag Flag, int Series);
    // Fills the list with the remarks of Run, following its chain.
    void LoadRemarks(int Run);
    // Selects the remark of the list nearest to Time (the earlier on ties);
    // its list index, or -1 for an empty list.
    int FindNearestRemark(double Time);
    // Makes list entry Index (or -1) the highlighted remark.
    void SetHighlight(int Index);

    // Returns and clears the remark-list-changed flag; List gets the list.
    bool RemarkListChanged(std::vector<TRemarkEntry>* List = nullptr);
    // Returns and clears the highlight-changed flag; Index gets the list
    // index of the highlighted remark (-1: none).
    bool RemarkHighlightChanged(int* Index = nullptr);

    const std::vector<TRemarkEntry>& List() const { return FList; }
    int ListRun() const { return FListRun; }
    const TRemarkRecord& Selected() const { return FSelected; }
    int HighlightIndex() const { return FHighlight; }

    // The number of whole records in the file.
    std::int64_t RecordCount() const;
    // Reads the record at Offset; false when it is no whole record in the file.
    bool ReadRecord(std::int64_t Offset, TRemarkRecord& Record) const;

private:
    bool WriteRecord(const TRemarkRecord& Record);
    std::int64_t LastOffsetOfRun(int Run) const;
    bool Fail(const std::string& Text);

    TBinaryFile FFile;
    std::string FPath;
    std::string FError;
    std::vector<TRemarkEntry> FList;
    int FListRun = 0;
    std::int32_t FLastRun = 0;       // the last record written: its run
    std::int64_t FLastOffset = -1;   // and its offset
    TRemarkRecord FSelected;
    int FHighlight = -1;
    bool FListChanged = false;
    bool FHighlightChanged = false;
};

} // namespace Tessaron
