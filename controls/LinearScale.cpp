#include "controls/LinearScale.h"

#include "controls/DrawHelpers.h"
#include "controls/ScaleFormat.h"

#include <platform/SysUtils.h>

#include <QFontMetrics>

#include <cmath>

namespace Tessaron {

namespace {

// The smallest k >= 1 with k * Step >= Need.
int SmallestMultiple(qint64 Step, qint64 Need)
{
    if (Step <= 0 || Need <= Step)
        return 1;
    return int((Need + Step - 1) / Step);
}

} // namespace

TLinearScalePlan PlanLinearScale(const TLinearScaleGeometry& G, const TTextWidthFunction& TextWidth, int TextHeight)
{
    TLinearScalePlan plan;
    plan.Gap = G.Gap;
    plan.TextHeight = TextHeight;
    if (G.Style == lbsNone)
        return plan;
    const double span = G.ValueMax - G.ValueMin;
    const int length = G.End - G.Start;
    if (!(span > 0) || !std::isfinite(span) || length < 1 || !(G.Gap > 0) || !std::isfinite(G.Gap))
        return plan;

    // Lines never closer than 2 pixels: a smaller gap is enlarged for good.
    double gap = G.Gap;
    if (Trunc(span * 2 / gap) > length) {
        gap = span * 2 / length;
        plan.Gap = gap;
        plan.GapEnlarged = true;
    }

    // The first multiple of the gap at or above ValueMin (ties to even; in
    // floating point, so that huge ranges cannot overflow an integer).
    double first = std::nearbyint(G.ValueMin / gap) * gap;
    if (first < G.ValueMin)
        first += gap;
    const qint64 pixelsPerGap = Round(length * gap / span);
    const qint64 origin = Round(length * G.ValueMin / span);
    const auto pos = [&](double v) { return int(Round(length * v / span) - origin); };
    // Accumulated steps may land a hair above ValueMax; the end still counts.
    const double last = G.ValueMax + (std::fabs(G.ValueMax) + span) * 1e-9;
    // At most one line per pixel of the usable length (the gap rule above
    // guarantees it; the bound keeps any rounding from running away).
    const int maxSteps = length + 2;

    const QString pattern = ScaleLabelPattern(LinearScaleFormat, G.ValueMin, G.ValueMax, G.Decimals);
    const int th = TextHeight;
    if (G.Vertical) {
        plan.LabelStep = SmallestMultiple(pixelsPerGap, 2 * qint64(th));
    } else {
        const double larger = std::fabs(G.ValueMin) < std::fabs(G.ValueMax) ? G.ValueMax : G.ValueMin;
        const int tw = TextWidth(ScaleLabel(pattern, larger) + QLatin1Char('-'));
        plan.LabelStep = SmallestMultiple(pixelsPerGap, qint64(tw) + 10);
    }
    const int k = plan.LabelStep;

    const bool symmetric = G.Style == lbsSymmetric;
    const bool asymmetric = G.Style == lbsAsymmetric;
    const bool lowSide = symmetric || !Scale::IsHighSide(G.Orientation);
    const bool highSide = symmetric || Scale::IsHighSide(G.Orientation);

    if (G.Style == lbsLabels || G.Style == lbsBoth || symmetric || asymmetric) {
        const double step = k * gap;
        const int eight = asymmetric ? TextWidth(QStringLiteral("8")) : 0;
        for (int i = 0; i < maxSteps; ++i) {
            const double v = first + i * step;
            if (!(v <= last))
                break;
            const QString text = ScaleLabel(pattern, v);
            const int w = TextWidth(text);
            plan.MaxLabelWidth = std::max(plan.MaxLabelWidth, w);
            plan.LastLabelWidth = w;
            if (G.Vertical) {
                const int y = G.End - pos(v) - th / 2;
                if (lowSide)
                    plan.Labels.push_back({text, asymmetric ? eight + int(Trunc(G.Width * 0.2)) : 0, y, w});
                if (highSide)
                    plan.Labels.push_back(
                        {text, asymmetric ? G.Width - w - int(Trunc(G.Width * 0.2)) - eight : G.Width - w, y, w});
            } else {
                const int x = G.Start + pos(v) - w / 2;
                if (lowSide)
                    plan.Labels.push_back({text, x, asymmetric ? int(Trunc(th * 0.5 + G.Height * 0.2)) : 0, w});
                if (highSide)
                    plan.Labels.push_back(
                        {text, x, asymmetric ? G.Height - int(Trunc(th * 1.5 + G.Height * 0.2)) : G.Height - th, w});
            }
        }
    }

    if (G.Style == lbsLines || G.Style == lbsBoth || symmetric) {
        const int len = G.Style == lbsLines ? 0 : (G.Vertical ? plan.MaxLabelWidth : th) + 8;
        const int extent = G.Vertical ? G.Width : G.Height;
        const auto add = [&](int along, int from, int to, bool major) {
            if (G.Vertical)
                plan.Lines.push_back({from, along, to, along, major});
            else
                plan.Lines.push_back({along, from, along, to, major});
        };
        for (int i = 0; i < maxSteps; ++i) {
            const double v = first + i * gap;
            if (!(v <= last))
                break;
            const bool major = i % k == 0;
            const int along = G.Vertical ? G.End - pos(v) : G.Start + pos(v);
            if (lowSide) {
                const int from = major ? len - 4 : len;
                if (from <= G.LowEdge)
                    add(along, from, G.LowEdge, major);
                if (!symmetric)
                    add(along, extent, G.HighEdge, major);
            }
            if (highSide) {
                const int from = major ? extent - len + 4 : extent - len;
                if (from >= G.HighEdge)
                    add(along, from, G.HighEdge, major);
                if (!symmetric)
                    add(along, 0, G.LowEdge, major);
            }
        }
    }
    return plan;
}

void DrawLinearScalePlan(TCanvas* Canvas, const TLinearScalePlan& Plan, const TFont* Font, TColor Background)
{
    const QRect clip = Canvas->ClipBox().ToQRect();
    Canvas->Brush()->SetColor(Background);
    Canvas->Brush()->SetStyle(bsClear);
    bool fontSet = false;
    for (const TScaleLabel& label : Plan.Labels) {
        if (!QRect(label.X - 2, label.Y - 2, label.Width + 4, Plan.TextHeight + 4).intersects(clip))
            continue;
        if (!fontSet) {
            Canvas->SetFont(Font);
            fontSet = true;
        }
        Canvas->TextOut(label.X, label.Y, label.Text);
    }
    Canvas->Pen()->SetColor(Font->Color());
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetMode(pmCopy);
    Canvas->Pen()->SetWidth(1);
    for (const TScaleLine& line : Plan.Lines) {
        const QRect box = QRect(QPoint(line.X1, line.Y1), QPoint(line.X2, line.Y2)).normalized();
        if (box.adjusted(-1, -1, 1, 1).intersects(clip))
            LineInImage(Canvas, TPoint(line.X1, line.Y1), TPoint(line.X2, line.Y2));
    }
    Canvas->Brush()->SetStyle(bsSolid);
}

TLinearScalePlan PlanLinearScale(const TLinearScaleGeometry& G, const TFont* Font)
{
    const QFontMetrics& metrics = Font->Metrics();
    const TTextWidthFunction width = [&metrics](const QString& Text) { return metrics.horizontalAdvance(Text); };
    return PlanLinearScale(G, width, metrics.height());
}

TLinearScalePlan DrawLinearScale(TCanvas* Canvas, const TLinearScaleGeometry& G, const TFont* Font, TColor Background)
{
    const TLinearScalePlan plan = PlanLinearScale(G, Font);
    DrawLinearScalePlan(Canvas, plan, Font, Background);
    return plan;
}

} // namespace Tessaron
