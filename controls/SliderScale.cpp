#include "controls/SliderScale.h"

namespace Tessaron {

namespace {

// Everything of a font that changes the measured texts or the line colour.
QString FontKey(const TFont* Font)
{
    return QStringLiteral("%1/%2/%3/%4/%5/%6")
        .arg(Font->Name())
        .arg(Font->Height())
        .arg(int(Font->Style()))
        .arg(int(Font->Pitch()))
        .arg(Font->Orientation())
        .arg(int(Font->Color()));
}

} // namespace

TLinearScaleGeometry LinearScaleLayout(bool Vertical, int Width, int Height, int MinEndOffset, int MaxEndOffset,
    int LowEdge, int HighEdge)
{
    TLinearScaleGeometry g;
    g.Vertical = Vertical;
    g.Width = Width;
    g.Height = Height;
    // A vertical scale runs from ValueMax at the top to ValueMin at the
    // bottom, a horizontal one from ValueMin at the left.
    if (Vertical) {
        g.Start = MaxEndOffset;
        g.End = Height - MinEndOffset;
    } else {
        g.Start = MinEndOffset;
        g.End = Width - MaxEndOffset;
    }
    g.LowEdge = LowEdge;
    g.HighEdge = HighEdge;
    return g;
}

const TLinearScalePlan& TSliderScale::Draw(
    TCanvas* Canvas, const TLinearScaleGeometry& G, const TFont* Font, TColor Background)
{
    const QString key = FontKey(Font);
    if (!FValid || !(G == FGeometry) || key != FFontKey) {
        FPlan = PlanLinearScale(G, Font);
        FGeometry = G;
        // Planned for the gap in use: the caller hands the enlarged gap back
        // next time, and the plan still fits.
        FGeometry.Gap = FPlan.Gap;
        FFontKey = key;
        FValid = true;
    }
    DrawLinearScalePlan(Canvas, FPlan, Font, Background);
    return FPlan;
}

} // namespace Tessaron
