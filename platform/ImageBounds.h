#pragma once

#include <QSize>
#include <QtGlobal>

namespace Tessaron {

// The largest image a bitmap or a control's backing picture holds: 16384
// pixels a side and 2^26 pixels (256 MiB) in all. A bitmap asked for more is
// made this large; a control larger than this keeps the picture of its
// top-left part (no screen shows more) and shows its colour beyond it.
constexpr int MaxImageExtent = 1 << 14;
constexpr qint64 MaxImagePixels = qint64(1) << 26;
QSize BoundedImageSize(int Width, int Height);

} // namespace Tessaron
