#pragma once
// Enumerations of the linear scales that the slider and the bar graph share.
// They live in a meta-object namespace of their own so that window
// descriptions can name their values ("LabelingStyle = lbsBoth"), and are
// re-exported into Tessaron.

#include <QObject>

namespace Tessaron {
namespace Scale {
Q_NAMESPACE

// Side of the scale labels. lboLeft and lboAbove both mean the low-coordinate
// side, lboRight and lboBelow the high-coordinate side, whatever the direction.
enum TLabelingOrientation : int { lboLeft, lboRight, lboAbove, lboBelow };
Q_ENUM_NS(TLabelingOrientation)

// What the scale shows. lbsSymmetric puts lines and labels on both sides;
// lbsAsymmetric (slider only) moves the slot aside for a window-cursor button.
enum TLabelingStyle : int { lbsNone, lbsLines, lbsLabels, lbsBoth, lbsSymmetric, lbsAsymmetric };
Q_ENUM_NS(TLabelingStyle)

// Direction of travel of a slider or bar graph.
enum TScrollBarKind : int { sbHorizontal, sbVertical };
Q_ENUM_NS(TScrollBarKind)

// True for the sides that lie at the high coordinate (right or below).
constexpr bool IsHighSide(TLabelingOrientation Orientation)
{
    return Orientation == lboRight || Orientation == lboBelow;
}

} // namespace Scale

using Scale::TLabelingOrientation;
using Scale::lboLeft;
using Scale::lboRight;
using Scale::lboAbove;
using Scale::lboBelow;
using Scale::TLabelingStyle;
using Scale::lbsNone;
using Scale::lbsLines;
using Scale::lbsLabels;
using Scale::lbsBoth;
using Scale::lbsSymmetric;
using Scale::lbsAsymmetric;
using Scale::TScrollBarKind;
using Scale::sbHorizontal;
using Scale::sbVertical;

} // namespace Tessaron
