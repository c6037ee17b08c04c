#pragma once

#include <QSize>
#include <QtGlobal>

namespace Tessaron {

// The largest image a bitmap or a control's backing picture holds: 16384
// pixels a side and 2^23 pixels (32 MiB, a whole 4K screen) in all. A bitmap
// asked for more is made this large; a control larger than this keeps the
// picture of its top-left part and shows its colour beyond it.
constexpr int MaxImageExtent = 1 << 14;
constexpr qint64 MaxImagePixels = qint64(1) << 23;
QSize BoundedImageSize(int Width, int Height);

} // namespace Tessaron
