#pragma once
// The scale beside a linear control: the slider's slot or the bar graph's
// column. Both controls draw the same lines and labels through this piece;
// they differ only in the layout they hand over (the free pixels at the two
// ends of the travel and the edges where the lines end) and in the styles
// they allow (the bar graph has no window cursor, lbsAsymmetric).
//
// The plan (positions and texts) is kept while the layout, the values and the
// font stay the same, so that the clipped redraw after a value change
// measures no text.

#include <controls/LinearScale.h>
#include <platform/Graphics.h>

#include <QString>

namespace Tessaron {

// The layout part of a scale geometry for a control of Width x Height.
// MinEndOffset and MaxEndOffset are the pixels left free at the ValueMin end
// (bottom of a vertical control, left of a horizontal one) and at the ValueMax
// end; LowEdge and HighEdge are the slot's or column's edges across the
// travel. Values, gap, decimals and styles keep their defaults.
TLinearScaleGeometry LinearScaleLayout(bool Vertical, int Width, int Height, int MinEndOffset, int MaxEndOffset,
    int LowEdge, int HighEdge);

class TSliderScale {
public:
    // Draws the scale for G in Font on Canvas (Background is the brush colour
    // left set) and returns the plan drawn. Its Gap is the gap in use: when
    // lines would lie closer than 2 pixels it is enlarged (GapEnlarged), and
    // the caller stores it back into its LabelingGap so that it stays.
    const TLinearScalePlan& Draw(TCanvas* Canvas, const TLinearScaleGeometry& G, const TFont* Font, TColor Background);
    // Forgets the plan; the next Draw plans anew.
    void Reset() { FValid = false; }

private:
    TLinearScalePlan FPlan;
    TLinearScaleGeometry FGeometry;
    QString FFontKey;
    bool FValid = false;
};

} // namespace Tessaron
