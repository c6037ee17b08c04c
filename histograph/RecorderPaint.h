#pragma once
// Drawing steps both recorders (strip chart and histograph) share: the four
// titles with their rotated fonts and hit rectangles, the 3-D shades of the
// control colour, and the one-pixel grid pen.

#include <platform/Graphics.h>

#include <array>
#include <functional>
#include <memory>

namespace Tessaron {

// The titles of a recorder: texts and fonts; the left and right titles use
// their rotated fonts (90 degrees reads upward, 270 downward).
struct TRecorderTitles {
    QString Top;
    QString Bottom;
    QString Left;
    QString Right;
    const TFont* FontTop = nullptr;
    const TFont* FontBottom = nullptr;
    const TFont* RotatedLeft = nullptr;
    const TFont* RotatedRight = nullptr;
};

// Index of each title's rectangle in TTitleRects.
enum TRecorderTitle { rtBottom, rtTop, rtLeft, rtRight };
using TTitleRects = std::array<TRect, 4>;

// Distance of the titles from the control's edges.
constexpr int RecorderTitleMargin = 10;

// Draws the titles that are not empty on a control of Width x Height, on the
// brush colour Back: top and bottom centred 10 pixels from their edge, left
// and right centred vertically 10 pixels from theirs. Stores where each was
// drawn in Rects (titles not drawn keep their rectangle). With a Clip, a
// title whose rectangle in Rects is known (drawn before with the same
// layout) and lies outside the clip is skipped.
void DrawRecorderTitles(TCanvas* Canvas, int Width, int Height, TColor Back, const TRecorderTitles& Titles,
    TTitleRects& Rects, const TRect* Clip = nullptr);

// The picture of an invalid view range: the whole control red, Text in Font
// at (10, Y).
void DrawRangeError(TCanvas* Canvas, int Width, int Height, const TFont* Font, const QString& Text, int Y);

// ReduceFlicker: Draw paints into Bitmap (created, or resized to Width x
// Height, as needed) under Canvas's clip region, and the result is copied onto
// Canvas in one step.
void DrawThroughBitmap(TCanvas* Canvas, std::unique_ptr<TBitmap>& Bitmap, int Width, int Height,
    const std::function<void(TCanvas*)>& Draw);

// Rotated copies of a title font: Rotated takes Source's attributes and the
// escapement Orientation (900 or 2700).
void BuildRotatedFont(TFont& Rotated, const TFont* Source, int Orientation);

// Each of R, G, B times Factor, rounded, at most 255 (the light and dark
// edges of the 3-D frames).
TColor Shade(TColor Color, double Factor);

// A solid one-pixel pen of Color in copy mode.
void SetGridPen(TCanvas* Canvas, TColor Color);

// A line from (X1, Y1) to (X2, Y2), end pixel left out.
void Line(TCanvas* Canvas, int X1, int Y1, int X2, int Y2);

} // namespace Tessaron
