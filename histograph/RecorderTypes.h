#pragma once
// Types the two recorders (strip chart and histograph) share: the grid
// visibility and the event that reports a measuring cross or a moved reference
// point.

#include <platform/Classes.h>

#include <QObject>

namespace Tessaron {

namespace Recorder {
Q_NAMESPACE

// Which grid lines a recorder draws. The histograph draws horizontal lines for
// grdHor and vertical ones for grdVer; the strip chart swaps the two meanings.
enum TGrdVisible : int { grdNone, grdHor, grdVer, grdBoth };
Q_ENUM_NS(TGrdVisible)

} // namespace Recorder

using Recorder::TGrdVisible;
using Recorder::grdNone;
using Recorder::grdHor;
using Recorder::grdVer;
using Recorder::grdBoth;

// A cross moved or a reference point was dragged: the X and Y value of the
// point, its series (1-based) and its value index (1-based).
using TNotifyCrossMove = TEvent<void(TObject* Sender, float X, float Y, int Serie, int Index)>;

// The two crosses of the calculate mode: their series and their values.
using TNotifyCalculate = TEvent<void(TObject* Sender, int Serie1, int Serie2, float Value1X, float Value2X,
    float Value1Y, float Value2Y)>;

} // namespace Tessaron

Q_DECLARE_METATYPE(Tessaron::TNotifyCrossMove)
Q_DECLARE_METATYPE(Tessaron::TNotifyCalculate)
