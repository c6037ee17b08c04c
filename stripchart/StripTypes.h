#pragma once
// Types shared by the strip chart, its run-file store and the non-visual
// logger: the chart's enumerations, the kind of a remark and one entry of the
// remark list of a run.

#include <QObject>

#include <cstdint>

namespace Tessaron {

namespace Strip {
Q_NAMESPACE
enum TstrpScale { strpLin, strpLog };
Q_ENUM_NS(TstrpScale)
enum TStripMode { modeMeasure, modeRemark, modeZoom, modeCalculate };
Q_ENUM_NS(TStripMode)
// Where a sample lies against the range-check limits (argument of OnRangeCheck).
enum TStripRange { rngInside = 0, rngBelow = 1, rngAbove = 2 };
Q_ENUM_NS(TStripRange)
enum TBorderStyle { bsNone, bsSingle };
Q_ENUM_NS(TBorderStyle)
} // namespace Strip

using Strip::TstrpScale;
using Strip::strpLin;
using Strip::strpLog;
using Strip::TStripMode;
using Strip::TStripRange;
using Strip::rngInside;
using Strip::rngBelow;
using Strip::rngAbove;

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
