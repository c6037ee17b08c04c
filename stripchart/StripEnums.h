#pragma once
// The enumerations of the strip chart and its logger, known to Qt's property
// system by name.

#include <QObject>

namespace Tessaron {

namespace Strip {
Q_NAMESPACE
enum TstrpScale : int { strpLin, strpLog };
Q_ENUM_NS(TstrpScale)
enum TStripMode : int { modeMeasure, modeRemark, modeZoom, modeCalculate };
Q_ENUM_NS(TStripMode)
// Where a sample lies against the range-check limits (argument of OnRangeCheck).
enum TStripRange : int { rngInside = 0, rngBelow = 1, rngAbove = 2 };
Q_ENUM_NS(TStripRange)
enum TBorderStyle : int { bsNone, bsSingle };
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

} // namespace Tessaron
