#pragma once
// Value <-> pixel mapping of the histograph: the plot geometry, the linear and
// logarithmic transforms of both axes and the pixel limit every coordinate
// handed to the canvas keeps. Plain values, usable without a control.

#include <platform/Types.h>

namespace Tessaron {

// Screen coordinates of curves and transforms stay within +-HistoPixelLimit,
// so that every line stays drawable.
constexpr int HistoPixelLimit = 30000;

// Truncates a pixel position toward zero and limits it to +-HistoPixelLimit;
// NaN gives +HistoPixelLimit (outside any plot).
int ClampPixel(double Position);

// As ClampPixel, but a position within a millionth of a pixel of a whole
// pixel counts as that pixel, so that rounding in PixelToX and XToPixel
// does not move a round trip to the neighbouring pixel.
int SnapPixel(double Position);

// The control's size and its four gaps around the plot.
struct THistoFrame {
    int Width = 0;
    int Height = 0;
    int GapLeft = 0;
    int GapRight = 0;
    int GapTop = 0;
    int GapBottom = 0;

    // The axis rectangle (GL, GT, W - GR, H - GB), right and bottom exclusive.
    TRect AxisRect() const { return TRect(GapLeft, GapTop, Width - GapRight, Height - GapBottom); }
    // The filled plot area, one pixel larger than the axis rectangle on the
    // right and bottom.
    TRect PlotRect() const { return TRect(GapLeft, GapTop, Width - GapRight + 1, Height - GapBottom + 1); }
    int PlotWidth() const { return Width - GapLeft - GapRight; }
    int PlotHeight() const { return Height - GapTop - GapBottom; }
};

// A logarithmic transform: pixel = ln(value) * Scale + Offset.
struct TLogTransform {
    double Scale = 1.0;
    double Offset = 0.0;
};

// The X transform for the current X range: Scale = plot width / (ln max - ln
// min), Offset = GL - Scale * ln min. False (Log unchanged) unless
// 0 < CurrentMin < CurrentMax and 0 < NominalMin < NominalMax.
bool ComputeLogX(const THistoFrame& Frame, float NominalMin, float NominalMax, float CurrentMin,
    float CurrentMax, TLogTransform& Log);
// The Y transform: Scale = -((H - GB) - GT - 1) / (ln max - ln min),
// Offset = (H - GB) - Scale * ln min - 1. False unless 0 < Min < Max.
bool ComputeLogY(const THistoFrame& Frame, float Min, float Max, TLogTransform& Log);

// A snapshot of everything the four transforms read.
struct THistoMapping {
    THistoFrame Frame;
    float XMin = 0.0f;  // the visible X range (ViewXCurrentMin/Max)
    float XMax = 10.0f;
    float YMin = 0.0f;
    float YMax = 10.0f;
    bool XLog = false;
    bool YLog = false;
    TLogTransform LogX;
    TLogTransform LogY;

    // The value a logarithmic Y axis puts a non-positive value at: 0.1 * YMin,
    // as a float so that the curve drawing can sort by it exactly.
    float LogYFloor() const { return float(0.1 * double(YMin)); }

    // Linear: Trunc((x - XMin) * plot width / (XMax - XMin) + GL).
    // Logarithmic: a value <= 0 counts as XMin; Trunc(ln x * Scale + Offset).
    // Both within +-HistoPixelLimit (see SnapPixel).
    int XToPixel(double X) const;
    // Linear: Trunc((YMin - y) * plot height / (YMax - YMin) + (H - GB)) + 1.
    // Logarithmic: a value <= 0 counts as LogYFloor(); Trunc(ln y * Scale + Offset).
    int YToPixel(double Y) const;
    // Linear: (px - GL) * (XMax - XMin) / plot width + XMin; logarithmic:
    // exp((px - Offset) / Scale).
    double PixelToX(int X) const;
    // Linear: (H - py - GB) * (YMax - YMin) / plot height + YMin; logarithmic:
    // exp((py - Offset) / Scale).
    double PixelToY(int Y) const;
};

} // namespace Tessaron
