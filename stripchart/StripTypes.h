#pragma once
// Types shared by the strip chart, its run-file store and the non-visual
// logger: the kind of a remark and one entry of the remark list of a run.
// Plain C++: the file store builds without Qt.

#include <cstdint>

namespace Tessaron {

// The kind of a remark, as stored in the remark file: 0 automatic, 1 manual.
enum TDescFlag : std::uint8_t { dfAutomatic = 0, dfManual = 1 };

// One remark of the displayed run, as the chart keeps it in memory: where it
// points (run, time, series; -1 = all series), its kind, and the offset of its
// record in the remark file.
struct TRemarkEntry {
    std::int32_t RunNumber = 0;
    double Time = 0.0;
    std::int32_t Series = -1;
    TDescFlag Flag = dfAutomatic;
    std::int32_t FileOffset = -1;
};

} // namespace Tessaron
