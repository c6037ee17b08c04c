// The paint step of TStripChart: margins, titles, border, plot with grid,
// curves and remark markers, the Y labels, the time axis, the measuring
// crosses, and the incremental scroll that follows AddSamples.

#include "stripchart/StrpChrt.h"

#include <histograph/HistoScale.h>

#include <platform/SysUtils.h>

#include <algorithm>
#include <ctime>
#include <cmath>

namespace Tessaron {

namespace {

// Distance of the Y labels from the plot, of the X labels below it.
constexpr int kLabelGap = 5;
// Areas up to this height are drawn directly even with ReduceFlicker.
constexpr int kFlickerFreeHeight = 20;
// Label and grid loops never run longer than this (degenerate steps).
constexpr int kMaxMarks = 100000;

// Processor time of this thread: steps measured on a busy machine keep
// their own cost.
qint64 NowNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

TRect Intersect(const TRect& A, const TRect& B)
{
    return TRect(std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
        std::min(A.Bottom, B.Bottom));
}

bool Meets(const TRect& A, const TRect& B)
{
    return !Intersect(A, B).IsEmpty();
}

// The first index in First ... Last whose x is not left of X (Last + 1 when none).
int FirstAtOrRight(const std::vector<int>& Xs, int First, int Last, int X)
{
    const auto begin = Xs.begin() + First;
    const auto end = Xs.begin() + (Last + 1);
    return int(std::lower_bound(begin, end, X) - Xs.begin());
}

} // namespace

// Everything a paint measures from: the plot (right and bottom as the
// control's gaps give them), the area painted, and the bands of the X labels
// and the caption.
struct TStripChart::TLayout {
    int Width = 0;
    int Height = 0;
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    // The plot area that curves and grid lines may cover (the sunken frame
    // lies just outside it).
    TRect Plot;
    // The X ticks and labels: they move with the curves.
    TRect LabelBand;
    // The caption line below the labels.
    TRect CaptionBand;
    TRect Clip;
};

TStripChart::TLayout TStripChart::Layout() const
{
    TLayout l;
    l.Width = Width();
    l.Height = Height();
    l.Left = FGapLeft;
    l.Top = FGapTop;
    l.Right = l.Width - FGapRight;
    l.Bottom = l.Height - FGapBottom;
    l.Plot = TRect(l.Left, l.Top, l.Right, l.Bottom + 1);
    // The band spans the plot and half a label beyond its right edge (the
    // left margin holds the Y labels and the frame's corner, which stay).
    const int labelTop = l.Bottom + 1;
    l.LabelBand = TRect(l.Left, labelTop, std::min(l.Width - 1, l.Right + FLabelWidth / 2 + 1),
        std::min(l.Height - 1, l.Bottom + kLabelGap + FLabelHeight));
    const int captionTop = l.Bottom + kLabelGap + FLabelHeight;
    l.CaptionBand = TRect(1, captionTop, std::max(1, l.Right), std::min(l.Height - 1, captionTop + FLabelHeight));
    return l;
}

THistoMapping TStripChart::Mapping() const
{
    THistoMapping m;
    m.Frame = THistoFrame{Width(), Height(), FGapLeft, FGapRight, FGapTop, FGapBottom};
    m.YMin = FViewYMin;
    m.YMax = FViewYMax;
    m.YLog = FGridScale == strpLog;
    m.LogY = FLogY;
    return m;
}

void TStripChart::UpdateLogMapping()
{
    ComputeLogY(Mapping().Frame, FViewYMin, FViewYMax, FLogY);
}

QString TStripChart::RangeError() const
{
    const bool bad = !std::isfinite(FViewYMin) || !std::isfinite(FViewYMax) || !(FViewYMin < FViewYMax)
        || (FGridScale == strpLog && !(FViewYMin > 0));
    return bad ? QStringLiteral("Range-Error in ViewY-Properties") : QString();
}

void TStripChart::UpdateGridTable()
{
    FGridRows.clear();
    if (!RangeError().isEmpty())
        return;
    const int bottom = Height() - FGapBottom;
    const int h = bottom - FGapTop;
    if (h <= 0)
        return;
    if (FGridScale == strpLog) {
        UpdateLogMapping();
        const THistoMapping m = Mapping();
        HistoScale::ForEachMinorValue(FViewYMin, FViewYMax, [&](double V) {
            if (FGridRows.size() < std::size_t(MaxGridRows))
                FGridRows.push_back(m.YToPixel(V));
        });
        return;
    }
    const HistoScale::TLinearAxis axis{FViewYMin, FViewYMax, FViewYGap, h};
    axis.ForEachTick(1, false, [&](double V) {
        if (FGridRows.size() < std::size_t(MaxGridRows))
            FGridRows.push_back(bottom - axis.Offset(V));
    });
}

void TStripChart::UpdateTimeAxis()
{
    FTimeAxisDirty = false;
    FTimeUnit = StripTime::UnitFor(FSamplesPerWindow, FDisplayTimeIncrement);
    TCanvas* canvas = Canvas();
    canvas->SetFont(FFontXAxis.get());
    FLabelWidth = canvas->TextWidth(FTimeUnit.WidthSample);
    FLabelHeight = canvas->TextHeight(QStringLiteral("09"));
    const int plotWidth = Width() - FGapRight - FGapLeft;
    FLabelStep = StripTime::LabelStep(FLabelWidth, plotWidth, FViewXGap, FSamplesPerWindow, FDisplayTimeIncrement);
    if (FLabelStep == 0) {
        // No finite step: a tenth of the window between grid lines.
        FViewXGap = double(FSamplesPerWindow * 0.1L * FDisplayTimeIncrement);
        FLabelStep = std::max(1, StripTime::LabelStep(FLabelWidth, plotWidth, FViewXGap, FSamplesPerWindow,
                                     FDisplayTimeIncrement));
    }
}

int TStripChart::IndexOfTime(long double T) const
{
    const long double k = std::nearbyint((T - FDisplayStartTime) / FDisplayTimeIncrement) - FFirstSampleNumber + 1;
    if (!(k > -2e9L && k < 2e9L))
        return k > 0 ? 2000000000 : -2000000000;
    return int(k);
}

// ---------------------------------------------------------------- paint

void TStripChart::Paint()
{
    TPaintBox::Paint();
    if (!FEnableUpdate)
        return;
    TCanvas* canvas = Canvas();
    if (IsDesigning()) {
        // Preview curves: one window of the preview data.
        FStoredCount = std::min(FSamplesPerWindow, FSamplesPerBuffer);
        FPreviousCount = FStoredCount;
        FWindowOffset = 0;
        const int right = Width() - FGapRight;
        const double step = double(right - FGapLeft) / FSamplesPerWindow;
        if (FXPositions.size() > std::size_t(FStoredCount))
            for (int i = 1; i <= FStoredCount; ++i)
                FXPositions[std::size_t(i)] = int(Trunc(right - FStoredCount * step + (i - 1) * step));
        FTimeAxisDirty = true;
    }
    if (FAutoScale)
        ScaleToData();
    const QString error = RangeError();
    if (!error.isEmpty()) {
        DrawRangeError(canvas, Width(), Height(), Font(), error, 20);
        return;
    }
    if (Width() != FDrawnWidth || Height() != FDrawnHeight) {
        FDrawnWidth = Width();
        FTitleRects.fill(TRect(-1, -1, -1, -1));
        FDrawnHeight = Height();
        if (!IsDesigning())
            LayoutXPositions();
        FTimeAxisDirty = true;
        UpdateGridTable();
    }
    if (FTimeAxisDirty)
        UpdateTimeAxis();
    const TRect clip = canvas->ClipBox();
    if (!FReduceFlicker || clip.Height() <= kFlickerFreeHeight) {
        DrawEverything(canvas, clip);
    } else {
        DrawThroughBitmap(canvas, FOffscreen, Width(), Height(), [&](TCanvas* C) { DrawEverything(C, clip); });
    }
    for (int k = 0; k < int(FCrosses.size()); ++k)
        if (FCrosses[std::size_t(k)].Active)
            DrawCross(canvas, k);
}

void TStripChart::DrawEverything(TCanvas* Canvas, const TRect& Clip)
{
    TLayout l = Layout();
    l.Clip = Clip;
    const int w = l.Width;
    const int h = l.Height;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color());
    // Margins around the plot.
    const TRect bands[] = {TRect(0, 0, w, l.Top), TRect(0, l.Bottom + 1, w, h), TRect(0, 0, l.Left, h),
        TRect(l.Right, 0, w, h)};
    for (const TRect& band : bands)
        if (Meets(band, Clip))
            Canvas->FillRect(Intersect(band, Clip));
    const TRecorderTitles titles{FTitleTop, FTitleBottom, FTitleLeft, FTitleRight, FFontTitleTop.get(),
        FFontTitleBottom.get(), FRotatedLeft.get(), FRotatedRight.get()};
    DrawRecorderTitles(Canvas, w, h, Color(), titles, FTitleRects, &Clip);
    const TRect inner(1, 1, w - 1, h - 1);
    if (FBorderStyle == Strip::bsSingle && !(Intersect(Clip, inner) == Clip)) {
        TRect border(0, 0, w, h);
        Frame3D(Canvas, border, clBtnHighlight, clBtnShadow, 1);
    }
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(FBkColor);
    if (!l.Plot.IsEmpty() && Meets(l.Plot, Clip))
        Canvas->FillRect(Intersect(l.Plot, Clip));
    // A sunken frame just outside the plot (skipped when the area lies inside it).
    const TRect framed(l.Left - 1, l.Top - 1, l.Right + 1, l.Bottom + 2);
    if (!(Intersect(Clip, TRect(l.Left, l.Top, l.Right, l.Bottom + 1)) == Clip) && Meets(Clip, framed)) {
        SetGridPen(Canvas, clBtnShadow);
        Canvas->MoveTo(l.Left - 1, l.Bottom + 1);
        Canvas->LineTo(l.Left - 1, l.Top - 1);
        Canvas->LineTo(l.Right, l.Top - 1);
        Canvas->Pen()->SetColor(clBtnHighlight);
        Canvas->LineTo(l.Right, l.Bottom + 1);
        Canvas->LineTo(l.Left - 2, l.Bottom + 1);
    }
    if (Meets(l.Plot, Clip))
        DrawPlot(Canvas, l);
    if (Clip.Bottom > l.Bottom + 1)
        DrawXAxis(Canvas, l);
    if (Clip.Left < l.Left)
        DrawYAxis(Canvas, l);
}

void TStripChart::DrawPlot(TCanvas* Canvas, const TLayout& L)
{
    if (FStoredCount < 1 || !BuffersReady())
        return;
    Canvas->SaveClip();
    Canvas->IntersectClipRect(L.Plot);
    const TRect visible = Canvas->ClipBox();
    // The stored samples whose x can touch the area, with a neighbour each side.
    const int first = std::max(1, FirstAtOrRight(FXPositions, 1, FStoredCount, visible.Left) - 1);
    const int last = std::min(FStoredCount, FirstAtOrRight(FXPositions, 1, FStoredCount, visible.Right));
    if (visible.IsEmpty() || first > last) {
        Canvas->RestoreClip();
        return;
    }
    SetGridPen(Canvas, FGridColor);
    Canvas->Pen()->SetStyle(FGridLineStyle);
    if (FGridVisible == grdHor || FGridVisible == grdBoth) {
        auto line = [&](int Index) {
            const int x = FXPositions[std::size_t(Index)];
            Line(Canvas, x, L.Top, x, L.Bottom + 1);
        };
        const long double inc = FDisplayTimeIncrement;
        if (FViewXGap <= inc) {
            // A grid time falls on every sample.
            for (int i = first; i <= last; ++i)
                line(i);
        } else {
            const long double gap = FViewXGap;
            long double t = std::floor(TimeOfIndex(first) / gap) * gap;
            int previous = 0;
            for (int n = 0; n < kMaxMarks && t <= TimeOfIndex(last) + gap; ++n, t += gap) {
                const int i = IndexOfTime(t);
                if (i >= first && i <= last && i != previous)
                    line(i);
                previous = i;
            }
        }
    }
    if (FGridVisible == grdVer || FGridVisible == grdBoth) {
        // A solid line gives the same pixels when cut to the area; a dashed
        // one keeps its start for the dash phase.
        const bool solid = FGridLineStyle == psSolid || FGridLineStyle == psInsideFrame;
        const int x1 = solid ? std::max(L.Left, visible.Left) : L.Left;
        const int x2 = solid ? std::min(L.Right, visible.Right) : L.Right;
        for (int row : FGridRows)
            if (row >= visible.Top && row < visible.Bottom)
                Line(Canvas, x1, row, x2, row);
    }
    DrawCurves(Canvas, L, first, last);
    if (!FRemarks.empty())
        DrawMarkers(Canvas, L);
    Canvas->RestoreClip();
}

void TStripChart::DrawCurves(TCanvas* Canvas, const TLayout& L, int First, int Last)
{
    const TRect visible = Canvas->ClipBox();
    const double range = double(FViewYMax) - double(FViewYMin);
    const double h = L.Bottom - L.Top;
    const TCurveYMap yMap = FGridScale == strpLog
        ? TCurveYMap::LogarithmicBelow(Mapping(), FViewYMin, float(0.1 * double(FViewYMin)))
        : TCurveYMap::Linear(L.Bottom + h * FViewYMin / range, -h / range);
    for (int s = 1; s <= FSeriesNumber; ++s) {
        const TSeriesEntry& e = SeriesAt(s);
        if (!e.Visible || e.LineStyle == psClear)
            continue;
        TPen* pen = Canvas->Pen();
        pen->SetColor(e.Color);
        pen->SetStyle(e.LineStyle);
        pen->SetMode(pmCopy);
        pen->SetWidth(1);
        FPointBuffer.Clear();
        // Four samples per column draw the same pixels only with a solid pen.
        const bool reduce = FReduceColumns && (e.LineStyle == psSolid || e.LineStyle == psInsideFrame);
        const int last = std::min(Last, e.Length);
        BuildTableCurve(e.Samples.data(), FXPositions.data() + 1, First - 1, last - 1, yMap, visible, reduce,
            FPointBuffer);
        for (int r = 0; r < FPointBuffer.RunCount(); ++r) {
            int count = 0;
            const TPoint* points = FPointBuffer.Run(r, count);
            Canvas->Polyline(points, count);
        }
    }
}

// ---------------------------------------------------------------- remarks

int TStripChart::RemarkIndex(const TRemarkEntry& R) const
{
    const int i = IndexOfTime(R.Time);
    return i >= 2 && i <= std::min(FStoredCount, FSamplesPerBuffer) ? i : -1;
}

TRect TStripChart::MarkerRect(const TLayout& L, const TRemarkEntry& R) const
{
    const int index = RemarkIndex(R);
    if (index < 0)
        return {};
    const int s = std::max(4, int(Trunc(0.1 * (L.Height - FGapTop - FGapBottom)))) / 2;
    const int x = FXPositions[std::size_t(index)];
    if (R.Series < 1) {
        if (R.Series != -1)
            return {};
        return TRect(x - s - 2, FGapTop + 1, x + s + 3, L.Height - FGapBottom - 1);
    }
    if (R.Series > FSeriesNumber || std::isnan(SeriesAt(R.Series).Samples[std::size_t(index - 1)]))
        return {};
    const float v = SeriesAt(R.Series).Samples[std::size_t(index - 1)];
    const double range = double(FViewYMax) - double(FViewYMin);
    const double h = L.Bottom - L.Top;
    const TCurveYMap yMap = FGridScale == strpLog
        ? TCurveYMap::LogarithmicBelow(Mapping(), FViewYMin, float(0.1 * double(FViewYMin)))
        : TCurveYMap::Linear(L.Bottom + h * FViewYMin / range, -h / range);
    const int y = yMap.Pixel(yMap.Key(v));
    return TRect(x - s - 2, y - s - 2, x + s + 3, y + s + 3);
}

void TStripChart::DrawMarkers(TCanvas* Canvas, const TLayout& L)
{
    const int s = std::max(4, int(Trunc(0.1 * (L.Height - FGapTop - FGapBottom)))) / 2;
    auto draw = [&](int K, TColor Color) {
        const TRemarkEntry& r = FRemarks[std::size_t(K)];
        const TRect box = MarkerRect(L, r);
        if (box.IsEmpty())
            return;
        TPen* pen = Canvas->Pen();
        pen->SetColor(Color);
        pen->SetStyle(psSolid);
        pen->SetMode(pmCopy);
        pen->SetWidth(3);
        Canvas->Brush()->SetStyle(bsClear);
        const int x = box.Left + s + 2;
        if (r.Series == -1) {
            Canvas->RoundRect(x - s, FGapTop + 3, x + s, L.Height - FGapBottom - 3, s, s);
        } else {
            const int y = box.Top + s + 2;
            Canvas->Ellipse(x - s, y - s, x + s, y + s);
        }
        Canvas->Brush()->SetStyle(bsSolid);
        pen->SetWidth(1);
    };
    for (int k = 0; k < int(FRemarks.size()); ++k)
        if (k != FHighlighted)
            draw(k, FMarkerColor);
    if (FHighlighted >= 0 && FHighlighted < int(FRemarks.size()))
        draw(FHighlighted, FMarkerHighlightColor);
}

int TStripChart::NearestRemark() const
{
    if (FRemarks.empty() || FStoredCount < 1)
        return -1;
    const long double newest = TimeOfIndex(FStoredCount);
    const long double middle =
        std::max<long double>((newest + TimeOfIndex(FWindowOffset)) / 2, FDisplayStartTime);
    int best = -1;
    long double distance = 0;
    for (int k = 0; k < int(FRemarks.size()); ++k) {
        const long double d = std::fabs((long double)FRemarks[std::size_t(k)].Time - middle);
        if (best < 0 || d < distance) {
            best = k;
            distance = d;
        }
    }
    return best;
}

// ---------------------------------------------------------------- axes

void TStripChart::DrawYAxis(TCanvas* Canvas, const TLayout& L)
{
    const int h = L.Bottom - L.Top;
    if (h <= 0)
        return;
    SetGridPen(Canvas, FGridColor);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->SetFont(FFontYAxis.get());
    const int th = Canvas->TextHeight(QStringLiteral("012."));
    // Labels whose rows lie outside the area are skipped unformatted.
    auto label = [&](int Row, const auto& Text) {
        if (Row - th / 2 >= L.Clip.Bottom || Row - th / 2 + th <= L.Clip.Top)
            return;
        const QString text = Text();
        Canvas->TextOut(L.Left - Canvas->TextWidth(text) - RecorderTitleMargin, Row - th / 2, text);
        Line(Canvas, L.Left - 2, Row, L.Left, Row);
    };
    if (FGridScale == strpLog) {
        const THistoMapping m = Mapping();
        const HistoScale::TDecades decades = HistoScale::DecadeRange(FViewYMin, FViewYMax);
        for (int k = decades.First; k <= decades.Last; ++k)
            label(m.YToPixel(std::pow(10.0, k)), [&] { return HistoScale::DecadeLabel(k, decades); });
    } else {
        const double lo = FViewYMin;
        const double hi = FViewYMax;
        double gap = FViewYGap;
        // At least two pixels per step; the raised step is kept.
        if (HistoScale::GuardGap(lo, hi, h, gap) && float(gap) > 0 && std::isfinite(float(gap))) {
            FViewYGap = float(gap);
            UpdateGridTable();
        }
        const HistoScale::TLinearAxis axis{lo, hi, double(FViewYGap), h};
        const bool scientific =
            lo < -100000 || hi > 100000 || (hi - lo < 0.001 && !(lo <= -0.001 && hi >= 0.001));
        const QString format = scientific ? QStringLiteral("#.##E-00") : HistoScale::LabelFormat(0, 1, FViewYDecimals);
        axis.ForEachTick(axis.LabelEvery(2 * th), true,
            [&](double V) { label(L.Bottom - axis.Offset(V), [&] { return FormatFloat(format, V); }); });
    }
    Canvas->Brush()->SetStyle(bsSolid);
}

void TStripChart::DrawXAxis(TCanvas* Canvas, const TLayout& L)
{
    SetGridPen(Canvas, FGridColor);
    Canvas->SetFont(FFontXAxis.get());
    Canvas->Brush()->SetStyle(bsClear);
    if (FStoredCount >= 1 && BuffersReady()) {
        Canvas->SaveClip();
        Canvas->IntersectClipRect(L.LabelBand);
        const TRect visible = Canvas->ClipBox();
        const int half = FLabelWidth / 2 + 2;
        const int first = FirstAtOrRight(FXPositions, 1, FStoredCount, visible.Left - half);
        const int last = std::min(FStoredCount, FirstAtOrRight(FXPositions, 1, FStoredCount, visible.Right + half));
        if (!visible.IsEmpty() && first <= last) {
            // Label times are whole multiples of the label distance, so that a
            // label keeps its time while the picture scrolls.
            const long double every = FLabelStep * (long double)FViewXGap;
            long double t = std::floor(TimeOfIndex(first) / every) * every;
            int previous = 0;
            for (int n = 0; n < kMaxMarks && t <= TimeOfIndex(last); ++n, t += every) {
                const int i = IndexOfTime(t);
                if (t < 0 || i < first || i > last || i == previous)
                    continue;
                previous = i;
                const int x = FXPositions[std::size_t(i)];
                Line(Canvas, x, L.Bottom + 1, x, L.Bottom + 5);
                const QString text = StripTime::GridLabel(FTimeUnit, t);
                Canvas->TextOut(x - Canvas->TextWidth(text) / 2, L.Bottom + kLabelGap, text);
            }
        }
        Canvas->RestoreClip();
        const long double newest = TimeOfIndex(FStoredCount);
        const bool wholeBand = (QRegion(L.CaptionBand.ToQRect()) - Canvas->ClipRegion()).isEmpty();
        if (wholeBand)
            FCaptionLeft = std::numeric_limits<int>::max();
        if (newest >= 0 && Meets(L.Clip, L.CaptionBand)) {
            const QString caption = !FCaptionText.isEmpty() && FCaptionTime == newest
                ? FCaptionText
                : StripTime::Caption(FTimeUnit, newest);
            const int x = L.Right - Canvas->TextWidth(caption);
            Canvas->TextOut(x, L.Bottom + kLabelGap + FLabelHeight, caption);
            FCaptionLeft = std::min(FCaptionLeft, x);
        }
    }
    Canvas->Brush()->SetStyle(bsSolid);
}

// ---------------------------------------------------------------- crosses

void TStripChart::DrawCross(TCanvas* Canvas, int Cross)
{
    const TCross& c = FCrosses[std::size_t(Cross)];
    TPen* pen = Canvas->Pen();
    pen->SetColor(c.Color);
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
    pen->SetMode(pmNotXor);
    const int right = Width() - FGapRight;
    const int bottom = Height() - FGapBottom;
    if (FGapTop < c.Y && c.Y < bottom)
        Line(Canvas, FGapLeft, c.Y, right, c.Y);
    if (FGapLeft < c.X && c.X < right)
        Line(Canvas, c.X, FGapTop, c.X, bottom);
    pen->SetMode(pmCopy);
}

void TStripChart::PlaceCross(int Cross, int X, int Y, TColor Color)
{
    if (Cross < 0 || Cross >= int(FCrosses.size()))
        return;
    HideCross(Cross);
    FCrosses[std::size_t(Cross)] = TCross{true, X, Y, Color};
    if (FEnableUpdate && FDrawnWidth >= 0) {
        DrawCross(Canvas(), Cross);
        Canvas()->Flush();
    }
}

void TStripChart::HideCross(int Cross)
{
    if (!CrossVisible(Cross))
        return;
    if (FEnableUpdate && FDrawnWidth >= 0) {
        DrawCross(Canvas(), Cross);
        Canvas()->Flush();
    }
    FCrosses[std::size_t(Cross)].Active = false;
}

bool TStripChart::CrossVisible(int Cross) const
{
    return Cross >= 0 && Cross < int(FCrosses.size()) && FCrosses[std::size_t(Cross)].Active;
}

// ---------------------------------------------------------------- incremental scroll

void TStripChart::PaintNow(const TRect& R)
{
    if (R.IsEmpty())
        return;
    InvalidateRect(R);
    Update();
}

void TStripChart::ScrollNew(int Distance, int NewSamples, bool Dropped)
{
    // AddSamples painted what was pending before the samples changed: only
    // finished pixels move.
    if (!FEnableUpdate)
        return;
    const TLayout l = Layout();
    const int plotWidth = l.Right - l.Left;
    // A new Y range (AutoScale) or layout repaints everything.
    if (Width() != FDrawnWidth || Height() != FDrawnHeight || FTimeAxisDirty || !RangeError().isEmpty()
        || Distance < 0 || Distance >= plotWidth || (FAutoScale && ScaleToData()) || IsDesigning()) {
        Invalidate();
        return;
    }
    const bool collect = FCollectStats;
    qint64 t0 = collect ? NowNs() : 0;
    // The crosses are taken off before the picture moves and put back after.
    std::array<bool, 3> crosses{};
    for (int k = 0; k < 3; ++k) {
        crosses[std::size_t(k)] = CrossVisible(k);
        HideCross(k);
    }
    TCanvas* canvas = Canvas();
    // The plot and the label band below it move as one area; the band's part
    // right of the plot lies in the label strip painted anew below.
    if (Distance > 0)
        canvas->ScrollRect(TRect(l.Left, l.Plot.Top, l.Right, l.LabelBand.Bottom), -Distance, 0);
    qint64 t1 = collect ? NowNs() : 0;
    // The uncovered strip of the plot and of the label band, where the new
    // labels reach half a label further left.
    const int stripLeft = std::max(l.LabelBand.Left, l.Right - Distance - FLabelWidth / 2 - 3);
    PaintNow(TRect(l.Right - Distance, l.Plot.Top, l.Right, l.Plot.Bottom));
    qint64 t2 = collect ? NowNs() : 0;
    PaintNow(TRect(stripLeft, l.LabelBand.Top, l.LabelBand.Right, l.LabelBand.Bottom));
    if (Dropped) {
        // Samples left the buffer: what was drawn for them (the line into the
        // plot's left edge, grid lines, labels, markers) goes.
        const int marker = std::max(4, int(Trunc(0.1 * (l.Height - FGapTop - FGapBottom)))) / 2;
        const int edge = FXPositions[std::size_t(std::min(2, FStoredCount))] + std::max(FLabelWidth / 2, marker) + 4;
        PaintNow(TRect(l.Left, l.Plot.Top, std::min(edge, l.LabelBand.Right), l.LabelBand.Bottom));
    }
    // The new caption, and what is left of the old one.
    TRect caption = l.CaptionBand;
    if (FStoredCount >= 1 && BuffersReady() && TimeOfIndex(FStoredCount) >= 0) {
        FCaptionTime = TimeOfIndex(FStoredCount);
        FCaptionText = StripTime::Caption(FTimeUnit, FCaptionTime);
        const int x = l.Right - FFontXAxis->TextWidth(FCaptionText);
        caption.Left = std::max(caption.Left, std::min(FCaptionLeft, x));
    }
    PaintNow(caption);
    FCaptionText.clear();
    qint64 t3 = collect ? NowNs() : 0;
    // Markers of the new samples reach left of the strip.
    for (const TRemarkEntry& r : FRemarks)
        if (RemarkIndex(r) > FStoredCount - NewSamples)
            PaintNow(Intersect(MarkerRect(l, r), l.Plot));
    const int highlighted = NearestRemark();
    if (highlighted != FHighlighted) {
        const int previous = FHighlighted;
        FHighlighted = highlighted;
        for (int k : {previous, highlighted})
            if (k >= 0)
                PaintNow(Intersect(MarkerRect(l, FRemarks[std::size_t(k)]), l.Plot));
        RemarkHighlighted(highlighted);
    }
    for (int k = 0; k < 3; ++k) {
        if (!crosses[std::size_t(k)])
            continue;
        // The measuring cross snaps again at the mouse: the samples moved under it.
        if (k == 2 && FStripMode == Strip::modeMeasure) {
            PlaceCrossAtMouse(k, FCrosses[2].MouseX, FCrosses[2].MouseY);
            continue;
        }
        FCrosses[std::size_t(k)].Active = true;
        DrawCross(canvas, k);
    }
    canvas->Flush();
    ++FStats.Calls;
    if (collect) {
        FStats.Scroll += t1 - t0;
        FStats.Strip += t2 - t1;
        FStats.Labels += t3 - t2;
    }
}

} // namespace Tessaron
