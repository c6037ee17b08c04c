#pragma once
// Small drawing helpers shared by the instrument controls.

#include <platform/Graphics.h>

#include <QImage>

#include <cstdlib>

namespace Tessaron {

// MoveTo(A) and LineTo(B), starting at the first pixel of the line that lies
// in the canvas's image: pixels outside the image are never visible, and the
// canvas's pixel line is kept from starting outside it (it trusts a start
// point just beyond the far edge). Axis-parallel lines keep exactly their
// visible pixels; a slanted line that starts outside follows its first
// Bresenham steps into the image.
inline void LineInImage(TCanvas* Canvas, TPoint A, TPoint B)
{
    const QImage* image = Canvas->Image();
    if (!image)
        return;
    const QRect bounds = image->rect();
    const int dx = std::abs(B.x() - A.x()), dy = std::abs(B.y() - A.y());
    const int sx = B.x() > A.x() ? 1 : -1, sy = B.y() > A.y() ? 1 : -1;
    int err = dx >= dy ? 2 * dy - dx : 2 * dx - dy;
    // A line along a row or column outside the image is invisible.
    if ((dy == 0 && (A.y() < bounds.top() || A.y() > bounds.bottom()))
        || (dx == 0 && (A.x() < bounds.left() || A.x() > bounds.right())))
        return;
    while (A != B && !bounds.contains(A)) {
        // One step of the line from A towards B.
        if (dx >= dy) {
            if (err > 0 || (err == 0 && sx < 0)) {
                A.ry() += sy;
                err -= 2 * dx;
            }
            err += 2 * dy;
            A.rx() += sx;
        } else {
            if (err > 0 || (err == 0 && sy < 0)) {
                A.rx() += sx;
                err -= 2 * dy;
            }
            err += 2 * dx;
            A.ry() += sy;
        }
        // Past the image in the direction of travel: nothing of it is visible.
        if ((dx > 0 && (sx > 0 ? A.x() > bounds.right() : A.x() < bounds.left()))
            || (dy > 0 && (sy > 0 ? A.y() > bounds.bottom() : A.y() < bounds.top())))
            return;
    }
    if (A == B)
        return;
    Canvas->MoveTo(A.x(), A.y());
    Canvas->LineTo(B.x(), B.y());
}

// The platform's 3-D frame (Frame3D: TopColor on the top and left edges,
// BottomColor on the bottom and right, Width rings, R shrinking by one per
// ring) drawn with fills instead of pixel lines, the same pixels: a clipped
// redraw then touches only the clipped part of long edges.
inline void FrameRings(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, int Width)
{
    TBrush* brush = Canvas->Brush();
    const TColor color = brush->Color();
    const TBrushStyle style = brush->Style();
    brush->SetStyle(bsSolid);
    for (; Width > 0; --Width) {
        // The ring's edges, inclusive.
        const int l = R.Left, t = R.Top, r = R.Right - 1, b = R.Bottom - 1;
        if (r - l < 1 || b - t < 1) {
            // Too thin for four edges: the line routine's own result.
            TRect rest = R;
            brush->SetColor(color);
            brush->SetStyle(style);
            Frame3D(Canvas, rest, TopColor, BottomColor, Width);
            R = rest;
            return;
        }
        brush->SetColor(TopColor);
        Canvas->FillRect(TRect(l, t, r, t + 1));
        Canvas->FillRect(TRect(l, t + 1, l + 1, b));
        brush->SetColor(BottomColor);
        Canvas->FillRect(TRect(r, t, r + 1, b));
        Canvas->FillRect(TRect(l, b, r + 1, b + 1));
        R = InflateRect(R, -1, -1);
    }
    brush->SetColor(color);
    brush->SetStyle(style);
}

} // namespace Tessaron
