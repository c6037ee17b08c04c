#pragma once
// The linear scale beside a slider's slot or a bar graph's column: scale
// lines every LabelingGap, numeric labels every k-th line, on either side or
// on both. Planning (positions and texts) is pure and measured through a
// callback; drawing renders a plan on a canvas.

#include <controls/ScaleTypes.h>
#include <platform/Graphics.h>

#include <QString>

#include <functional>
#include <vector>

namespace Tessaron {

struct TLinearScaleGeometry {
    bool Vertical = true;
    // The control's size.
    int Width = 0;
    int Height = 0;
    // The usable length along the travel, in pixels from the top (vertical)
    // or the left (horizontal): ValueMax lies at Start on a vertical scale
    // (value grows upward, positions are End - pos), ValueMin at Start on a
    // horizontal one (positions are Start + pos).
    int Start = 0;
    int End = 0;
    // The edges of the slot or column across the travel, where lines end.
    int LowEdge = 0;
    int HighEdge = 0;
    double ValueMin = 0.0;
    double ValueMax = 100.0;
    double Gap = 5.0;
    int Decimals = 1;
    TLabelingOrientation Orientation = lboLeft;
    TLabelingStyle Style = lbsNone;

    friend bool operator==(const TLinearScaleGeometry&, const TLinearScaleGeometry&) = default;
};

struct TScaleLabel {
    QString Text;
    int X = 0;
    int Y = 0;
    int Width = 0;
};

// A line drawn from (X1, Y1) towards (X2, Y2), the end pixel left out.
struct TScaleLine {
    int X1 = 0;
    int Y1 = 0;
    int X2 = 0;
    int Y2 = 0;
    bool Major = false;
};

struct TLinearScalePlan {
    // The gap in use: the given one, or enlarged so that lines lie at least
    // 2 pixels apart (the caller stores it back).
    double Gap = 0.0;
    bool GapEnlarged = false;
    // Labels stand at every LabelStep-th line.
    int LabelStep = 1;
    int TextHeight = 0;
    // Widths of the widest label and of the last one (nearest ValueMax).
    int MaxLabelWidth = 0;
    int LastLabelWidth = 0;
    std::vector<TScaleLabel> Labels;
    std::vector<TScaleLine> Lines;
};

using TTextWidthFunction = std::function<int(const QString&)>;

// The scale for G, with texts measured by TextWidth and TextHeight (the
// height of "012." in the labelling font). An empty plan for lbsNone, an
// empty or inverted span, a usable length below 1 pixel or a gap that is not
// a positive number.
TLinearScalePlan PlanLinearScale(const TLinearScaleGeometry& G, const TTextWidthFunction& TextWidth, int TextHeight);

// Draws the plan: lines with a solid 1-pixel pen in Font's colour, labels in
// Font on a transparent background. Background is the brush colour left set.
// Under a clip region, labels and lines outside it are left out.
void DrawLinearScalePlan(TCanvas* Canvas, const TLinearScalePlan& Plan, const TFont* Font, TColor Background);

// The plan measured with Font's metrics.
TLinearScalePlan PlanLinearScale(const TLinearScaleGeometry& G, const TFont* Font);

// Plans with the font's metrics and draws.
TLinearScalePlan DrawLinearScale(TCanvas* Canvas, const TLinearScaleGeometry& G, const TFont* Font, TColor Background);

} // namespace Tessaron
