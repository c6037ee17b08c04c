// The mouse modes of THistograph: the measuring cross, the two crosses of the
// calculate mode, dragging a reference curve like a rubber band, zooming with
// a focus rectangle, and colours dropped from a colour grid.

#include "histograph/Histo.h"
#include "histograph/Colorhis.h"
#include "histograph/HistoScale.h"
#include "histograph/_Eca.h"

#include <platform/StdCtrls.h>
#include <platform/SysUtils.h>

#include <cmath>
#include <limits>

namespace Tessaron {

namespace {

// A zoom whose labels would lie beyond this many pixels is refused.
constexpr double kZoomLimit = 32760;
// A colour dropped farther than this from every curve and grid line paints
// the plot background.
constexpr int kDropReach = 3;

TRect NormalizeRect(const TRect& R)
{
    return TRect(std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
        std::max(R.Top, R.Bottom));
}

// Value bar numbers: general format, four significant digits.
QString ValueText(double V)
{
    return FloatToStrF(V, ffGeneral, 4, 0);
}

int NearestIndex(double Position)
{
    if (!std::isfinite(Position))
        return Position > 0 ? std::numeric_limits<int>::max() : 1;
    return int(std::clamp<double>(Round(Position), std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

// The bell of weights that spreads a reference displacement over N values:
// about 1 in the middle, about 0 at both ends; wider bells taper their ends.
std::vector<float> ReferenceWeights(int N)
{
    std::vector<float> w(std::size_t(std::max(N, 0)));
    if (N == 1) {
        w[0] = 1.0f;
        return w;
    }
    const double n = N;
    for (int j = 0; j < N; ++j) {
        const double t = j + 1 - n / 2;
        w[std::size_t(j)] = float(1.05239 * (std::exp(-12 * t * t / (n * n)) - 0.04978));
    }
    if (N > 10) {
        w[0] *= 0.1f;
        w[std::size_t(N - 1)] *= 0.1f;
        w[1] *= 0.5f;
        w[std::size_t(N - 2)] *= 0.5f;
    }
    return w;
}

// ---------------------------------------------------------------- snapping

bool THistograph::PointAtColumn(int Series, int X, TSnap& Point) const
{
    if (Series < 1 || Series > MaxSeries)
        return false;
    const TSeriesRec& s = SeriesAt(Series);
    if (!s.Data || s.Count <= 0)
        return false;
    Point.Series = Series;
    if (s.Pairs) {
        // Pairs in ascending X: the first pair at or right of x, or its left
        // neighbour when that lies nearer.
        const double x = PixelToX(X);
        int lo = 0;
        int hi = s.Count - 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (double(s.Data[2 * std::size_t(mid)]) < x)
                lo = mid + 1;
            else
                hi = mid;
        }
        if (lo > 0 && std::fabs(double(s.Data[2 * std::size_t(lo - 1)]) - x) <= std::fabs(double(s.Data[2 * std::size_t(lo)]) - x))
            --lo;
        Point.Index = lo + 1;
        Point.X = s.Data[2 * std::size_t(lo)];
        Point.Y = s.Data[2 * std::size_t(lo) + 1];
        return true;
    }
    int index = 1;
    const double nominal = double(FViewXNominalMax) - double(FViewXNominalMin);
    const double step = s.Count > 1 ? nominal / (s.Count - 1) : 0.0;
    if (s.Count > 1 && step != 0) {
        if (XIsLog()) {
            index = NearestIndex((PixelToX(X) - (double(FViewXNominalMin) - step)) / step);
        } else {
            // The column of value i is x0 + i * dx, as the curve drawing has it.
            const double width = Frame().PlotWidth();
            const double xRange = double(FViewXCurrentMax) - double(FViewXCurrentMin);
            const double dx = (width * nominal / xRange) / (s.Count - 1);
            const double x0 = FGapLeft + width * (double(FViewXNominalMin) - FViewXCurrentMin) / xRange - dx;
            index = NearestIndex((X - x0) / dx);
        }
    }
    index = std::clamp(index, 1, s.Count);
    Point.Index = index;
    Point.X = float(double(FViewXNominalMin) + (index - 1) * step);
    Point.Y = s.Data[std::size_t(index - 1)];
    return true;
}

bool THistograph::Snap(int X, int Y, TSnap& Point) const
{
    const double y = PixelToY(Y);
    bool found = false;
    double best = 0;
    for (int i = 1; i <= FSeriesNumber; ++i) {
        TSnap p;
        if (!PointAtColumn(i, X, p))
            continue;
        // A value that is no number lies infinitely far: any other wins.
        double distance = std::fabs(double(p.Y) - y);
        if (!std::isfinite(distance))
            distance = std::numeric_limits<double>::infinity();
        if (!found || distance < best) {
            Point = p;
            best = distance;
            found = true;
        }
    }
    return found;
}

// ---------------------------------------------------------------- crosses

bool THistograph::InPlot(int X, int Y) const
{
    return X >= FGapLeft && X <= Width() - FGapRight && Y >= FGapTop && Y <= Height() - FGapBottom;
}

void THistograph::DrawCross(int K)
{
    const TCross& c = FCrosses[std::size_t(K)];
    TCanvas* canvas = Canvas();
    TPen* pen = canvas->Pen();
    pen->SetColor(c.Color);
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
    pen->SetMode(pmNotXor);
    canvas->Brush()->SetColor(FBkColor);
    const int w = Width();
    const int h = Height();
    if (c.Pixel.y() > FGapTop && c.Pixel.y() < h - FGapBottom) {
        canvas->MoveTo(FGapLeft, c.Pixel.y());
        canvas->LineTo(w - FGapRight, c.Pixel.y());
    }
    if (c.Pixel.x() > FGapLeft && c.Pixel.x() < w - FGapRight) {
        canvas->MoveTo(c.Pixel.x(), FGapTop);
        canvas->LineTo(c.Pixel.x(), h - FGapBottom);
    }
    pen->SetMode(pmCopy);
    canvas->Flush();
}

void THistograph::HideCross(int K)
{
    TCross& c = FCrosses[std::size_t(K)];
    if (c.Visible)
        DrawCross(K);
    c.Visible = false;
}

void THistograph::PlaceCross(int K, int X, int Y, bool Erase)
{
    TSnap p;
    if (!Snap(X, Y, p))
        return;
    TCross& c = FCrosses[std::size_t(K)];
    if (Erase && c.Visible)
        DrawCross(K);
    c.Mouse = TPoint(X, Y);
    c.Pixel = TPoint(XToPixel(p.X), YToPixel(p.Y));
    c.Color = SeriesAt(p.Series).Color;
    c.X = p.X;
    c.Y = p.Y;
    c.Series = p.Series;
    c.Index = p.Index;
    c.Visible = true;
    DrawCross(K);
    ReportCrosses(K);
}

void THistograph::ReportCrosses(int K)
{
    const bool bar = FValueBar && FValueBar->Visible();
    if (FMode == modeMeasure) {
        const TCross& c = FCrosses[std::size_t(K)];
        CallEvent(OnCrossMove, this, c.X, c.Y, c.Series, c.Index);
        if (bar) {
            FValueBar->Series1->SetCaption(QString::number(c.Series));
            FValueBar->X1->SetCaption(ValueText(c.X));
            FValueBar->Y1->SetCaption(ValueText(c.Y));
        }
    } else if (FMode == modeCalculate) {
        const TCross& a = FCrosses[0];
        const TCross& b = FCrosses[1];
        CallEvent(OnCalculate, this, a.Series, b.Series, a.X, b.X, a.Y, b.Y);
        if (bar) {
            const double dx = std::fabs(double(b.X) - double(a.X));
            FValueBar->Series1->SetCaption(QString::number(a.Series));
            FValueBar->X1->SetCaption(ValueText(a.X));
            FValueBar->Y1->SetCaption(ValueText(a.Y));
            FValueBar->Series2->SetCaption(QString::number(b.Series));
            FValueBar->X2->SetCaption(ValueText(b.X));
            FValueBar->Y2->SetCaption(ValueText(b.Y));
            FValueBar->deltax->SetCaption(ValueText(dx));
            FValueBar->deltay->SetCaption(ValueText(std::fabs(double(b.Y) - double(a.Y))));
            FValueBar->invdeltax->SetCaption(dx == 0 ? QStringLiteral("----") : ValueText(1 / dx));
        }
    }
}

void THistograph::ReplaceCrosses()
{
    // A cross on a live curve follows its data: after every paint each
    // visible cross snaps again at its mouse position and reports anew. A
    // handler that repaints at once must not start this again.
    if (FReplacingCrosses)
        return;
    FReplacingCrosses = true;
    for (int k = 0; k < 3; ++k) {
        const TCross& c = FCrosses[std::size_t(k)];
        if (c.Visible)
            PlaceCross(k, c.Mouse.x(), c.Mouse.y(), false);
    }
    FReplacingCrosses = false;
}

// ---------------------------------------------------------------- mouse

void THistograph::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    switch (FMode) {
    case modeCalculate:
        if (Button == mbLeft || Button == mbRight) {
            FButton = Button;
            FButtonDown = true;
            PlaceCross(Button == mbLeft ? 0 : 1, X, Y, true);
            return;
        }
        break;
    case modeLowerRef:
    case modeUpperRef:
        if (Button == mbLeft && InPlot(X, Y)) {
            BeginReferenceEdit(X, Y);
            return;
        }
        break;
    case modeZoom:
        if (Button == mbLeft) {
            FFocus = TRect(X, Y, X, Y);
            FZooming = true;
            return;
        }
        break;
    case modeMeasure:
        break;
    }
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void THistograph::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FEdit.Active) {
        MoveReference(Y);
        return;
    }
    if (FMode == modeZoom) {
        // The inherited mouse move never runs while zooming is possible.
        if (FZooming) {
            Canvas()->DrawFocusRect(NormalizeRect(FFocus));
            FFocus.Right = X;
            FFocus.Bottom = Y;
            Canvas()->DrawFocusRect(NormalizeRect(FFocus));
            Canvas()->Flush();
        }
        return;
    }
    TGraphicControl::MouseMove(Shift, X, Y);
    if (FMode == modeMeasure && FShowCross) {
        if (InPlot(X, Y)) {
            if (!FMeasureCaptured) {
                FMeasureCaptured = true;
                if (Widget()->isVisible())
                    SetMouseCapture(true);
            }
            PlaceCross(2, X, Y, true);
        } else if (FMeasureCaptured) {
            HideCross(2);
            FMeasureCaptured = false;
            SetMouseCapture(false);
        }
    } else if (FMode == modeCalculate && FButtonDown) {
        for (int k = 0; k < 2; ++k)
            if (!FCrosses[std::size_t(k)].Visible)
                PlaceCross(k, X, Y, true);
        PlaceCross(FButton == mbLeft ? 0 : 1, X, Y, true);
    }
}

void THistograph::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FEdit.Active) {
        EndReferenceEdit();
        return;
    }
    if (FMode == modeZoom && Button == mbLeft && FZooming) {
        FZooming = false;
        Canvas()->DrawFocusRect(NormalizeRect(FFocus));
        Canvas()->Flush();
        ZoomTo(NormalizeRect(FFocus));
        return;
    }
    if (FMode == modeZoom && Button == mbRight && FZoomed) {
        Unzoom();
        return;
    }
    if (FMode == modeCalculate && FButtonDown) {
        for (int k = 0; k < 2; ++k)
            if (!FCrosses[std::size_t(k)].Visible)
                PlaceCross(k, X, Y, true);
        PlaceCross(FButton == mbLeft ? 0 : 1, X, Y, true);
        FButtonDown = false;
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

// ---------------------------------------------------------------- reference editing

void THistograph::BeginReferenceEdit(int X, int Y)
{
    const TDataKind wanted = FMode == modeLowerRef ? dtLowerRef : dtUpperRef;
    int series = 0;
    for (int i = 1; i <= FSeriesNumber && series == 0; ++i)
        if (SeriesAt(i).Kind == wanted)
            series = i;
    // Reference curves are Yt curves; pairs stored under another kind before
    // the kind changed are not edited.
    if (series == 0 || !SeriesAt(series).Data || SeriesAt(series).Count <= 0 || SeriesAt(series).Pairs) {
        FMode = modeMeasure;
        return;
    }
    const TSeriesRec& s = SeriesAt(series);
    TSnap centre;
    PointAtColumn(series, X, centre);
    TReferenceEdit& e = FEdit;
    e.Active = true;
    e.Series = series;
    e.Press = TPoint(X, Y);
    e.Width = FReferenceRubberWidth;
    e.Weights = ReferenceWeights(e.Width);
    e.Centre = centre.Index;
    e.Original.assign(s.Data, s.Data + s.Count);
    e.Copy.Kind = s.Kind;
    e.Copy.Color = s.Color;
    e.Copy.LineStyle = s.LineStyle;
    e.Copy.Storage = std::make_unique<float[]>(std::size_t(s.Count));
    std::copy(s.Data, s.Data + s.Count, e.Copy.Storage.get());
    e.Copy.Data = e.Copy.Storage.get();
    e.Copy.Count = s.Count;
    e.Copy.Pairs = false;

    const long long first = (long long)e.Centre - e.Width / 2;
    const long long last = std::min<long long>(first + e.Width - 1, s.Count);
    // The columns of the window's ends, as the curve drawing puts them.
    auto column = [&](long long Index) {
        const double nominal = double(FViewXNominalMax) - double(FViewXNominalMin);
        const double step = s.Count > 1 ? nominal / (s.Count - 1) : 0.0;
        return XToPixel(double(FViewXNominalMin) + double(Index - 1) * step);
    };
    e.Rubber = TRect(std::max(FGapLeft, column(first)), FGapTop, std::min(Width() - FGapRight, column(last)),
        Height() - FGapBottom);
    e.Offset = first < 1 ? int(1 - first) : 0;
    e.First = int(std::max<long long>(first, 1));
    e.Last = int(last);
    if (Widget()->isVisible())
        SetMouseCapture(true);
}

void THistograph::DrawRubberBand(const float* Values)
{
    TCanvas* canvas = Canvas();
    canvas->SaveClip();
    // One column more on the right: the rectangle's right edge is exclusive.
    canvas->SetClipRegion(QRegion(TRect(FEdit.Rubber.Left, FEdit.Rubber.Top, FEdit.Rubber.Right + 1,
        FEdit.Rubber.Bottom + 1).ToQRect()));
    canvas->Brush()->SetColor(FBkColor);
    const TRect axis = Frame().AxisRect();
    const float* shown = FEdit.Copy.Data;
    FEdit.Copy.Data = Values;
    DrawSeries(canvas, axis, canvas->ClipBox(), FEdit.Copy, pmNotXor);
    FEdit.Copy.Data = shown;
    canvas->Pen()->SetMode(pmCopy);
    canvas->RestoreClip();
}

void THistograph::RestoreRubberBand()
{
    // The band in not-xor on top of the picture keeps the curve at the press
    // and the dragged one drawn once each; a paint during the drag starts
    // from a fresh picture, so both are drawn again.
    if (!FEdit.Active)
        return;
    DrawRubberBand(FEdit.Original.data());
    DrawRubberBand(FEdit.Copy.Data);
}

void THistograph::MoveReference(int Y)
{
    TReferenceEdit& e = FEdit;
    const TSeriesRec& s = SeriesAt(e.Series);
    // New data for the curve while it is dragged: the drag ends without a change.
    if (s.Count != e.Copy.Count || !s.Data) {
        e = TReferenceEdit();
        SetMouseCapture(false);
        Changed();
        return;
    }
    std::vector<float> values(e.Original.begin() + (e.First - 1), e.Original.begin() + e.Last);
    if (YIsLog()) {
        const double f = std::exp((Y - e.Press.y()) / FLogY.Scale);
        for (int i = e.First; i <= e.Last; ++i) {
            const double w = e.Weights[std::size_t(i - e.First + e.Offset)];
            values[std::size_t(i - e.First)] = float(e.Original[std::size_t(i - 1)] * (1 + (f - 1) * w));
        }
    } else {
        const double d = double(e.Press.y() - Y) * (double(FViewYMax) - double(FViewYMin)) / Frame().PlotHeight();
        for (int i = e.First; i <= e.Last; ++i) {
            const double w = e.Weights[std::size_t(i - e.First + e.Offset)];
            values[std::size_t(i - e.First)] = float(e.Original[std::size_t(i - 1)] + d * w);
        }
    }
    const double nominal = double(FViewXNominalMax) - double(FViewXNominalMin);
    const double step = s.Count > 1 ? nominal / (s.Count - 1) : 0.0;
    const float centreX = float(double(FViewXNominalMin) + (e.Centre - 1) * step);
    const float centreY = e.Centre >= e.First && e.Centre <= e.Last ? values[std::size_t(e.Centre - e.First)]
                                                                      : e.Original[std::size_t(e.Centre - 1)];
    if (FShowValues)
        DrawReadOut(centreX, centreY);
    else
        CallEvent(OnReferenceMove, this, centreX, centreY, e.Series, e.Centre);
    // The band in not-xor: drawing the previous one again removes it.
    DrawRubberBand(e.Copy.Data);
    std::copy(values.begin(), values.end(), e.Copy.Storage.get() + (e.First - 1));
    DrawRubberBand(e.Copy.Data);
    Canvas()->Flush();
}

void THistograph::EndReferenceEdit()
{
    TReferenceEdit& e = FEdit;
    TSeriesRec& s = SeriesAt(e.Series);
    if (s.Data && s.Count == e.Copy.Count) {
        // The caller's array is never written: a curve that is not our own
        // copy becomes one first.
        if (!s.Owned())
            CopyInto(s, s.Data, std::size_t(s.Count), s.Count, false);
        if (s.Storage)
            std::copy(e.Copy.Data + (e.First - 1), e.Copy.Data + e.Last, s.Storage.get() + (e.First - 1));
    }
    e = TReferenceEdit();
    FCrosses[2].Visible = false;
    SetMouseCapture(false);
    Changed();
}

// ---------------------------------------------------------------- zoom

void THistograph::ZoomTo(TRect R)
{
    const double x1 = PixelToX(R.Left);
    const double x2 = PixelToX(R.Right);
    if (x1 == x2 || (Width() - FGapRight - FGapLeft - 1) * x1 / (x2 - x1) > kZoomLimit)
        return;
    const double y1 = PixelToY(R.Top);
    const double y2 = PixelToY(R.Bottom);
    if (y1 == y2 || (Height() - FGapBottom - FGapTop) * double(FViewYGap) / (y1 - y2) > kZoomLimit)
        return;
    if (!FZoomed)
        FSavedView = TSavedView{FViewYMax, FViewYMin, FViewXCurrentMin, FViewXCurrentMax, FViewXGap, FViewYGap};
    const TSavedView& v = FSavedView;
    SetEnableUpdate(false);
    SetViewYMax(float(y1));
    SetViewYMin(float(y2));
    if (!FAutoScale)
        SetViewYGap(float((y1 - y2) * v.YGap / (double(v.YMax) - v.YMin)));
    SetViewXGap(float((x2 - x1) * v.XGap / (double(v.XMax) - v.XMin)));
    SetViewXCurrentMin(float(x1));
    SetViewXCurrentMax(float(x2));
    SetEnableUpdate(true);
    FZoomed = true;
}

void THistograph::Unzoom()
{
    const TSavedView& v = FSavedView;
    SetEnableUpdate(false);
    SetViewYGap(v.YGap);
    SetViewYMax(v.YMax);
    SetViewYMin(v.YMin);
    SetViewXGap(v.XGap);
    SetViewXCurrentMin(v.XMin);
    SetViewXCurrentMax(v.XMax);
    FZoomed = false;
    SetEnableUpdate(true);
}

// ---------------------------------------------------------------- colour drop

int THistograph::GridDistance(int X, int Y) const
{
    int best = std::numeric_limits<int>::max();
    const TRect axis = Frame().AxisRect();
    auto consider = [&best](int Distance) { best = std::min(best, std::abs(Distance)); };
    if (FGridVisible == grdVer || FGridVisible == grdBoth) {
        if (XIsLog()) {
            HistoScale::ForEachMinorValue(FViewXCurrentMin, FViewXCurrentMax,
                [&](double V) { consider(XToPixel(V) - X); });
        } else if (FViewXGap > 0) {
            const HistoScale::TLinearAxis scale{FViewXCurrentMin, FViewXCurrentMax, FViewXGap,
                axis.Right - axis.Left - 1};
            scale.ForEachTick(1, false, [&](double V) { consider(axis.Left + scale.Offset(V) - X); });
        }
    }
    if (FGridVisible == grdHor || FGridVisible == grdBoth) {
        if (YIsLog()) {
            HistoScale::ForEachMinorValue(FViewYMin, FViewYMax, [&](double V) { consider(YToPixel(V) - Y); });
        } else if (FViewYGap > 0) {
            const HistoScale::TLinearAxis scale{FViewYMin, FViewYMax, FViewYGap, axis.Bottom - axis.Top};
            scale.ForEachTick(1, false, [&](double V) { consider(axis.Bottom - scale.Offset(V) - Y); });
        }
    }
    return best;
}

THistograph::TDropArea THistograph::DropAreaAt(int X, int Y, int& Series) const
{
    Series = 0;
    const THistoFrame frame = Frame();
    if (frame.PlotRect().Contains(X, Y)) {
        if (!RangeError().isEmpty())
            return daPlot;
        TDropArea area = daPlot;
        double best = std::numeric_limits<double>::infinity();
        TSnap p;
        if (Snap(X, Y, p)) {
            const double dx = XToPixel(p.X) - X;
            const double dy = YToPixel(p.Y) - Y;
            best = std::floor(std::sqrt(dx * dx + dy * dy));
            area = daCurve;
            Series = p.Series;
        }
        const int grid = GridDistance(X, Y);
        if (grid < best) {
            best = grid;
            area = daGrid;
            Series = 0;
        }
        if (best > kDropReach) {
            Series = 0;
            return daPlot;
        }
        return area;
    }
    TDropArea area = daControl;
    const int h = Height();
    const int w = Width();
    if (TRect(FGapLeft - 10, FGapTop, FGapLeft, h - FGapBottom + 1).Contains(X, Y))
        area = daYLabels;
    if (TRect(FGapLeft, h - FGapBottom + 1, w - FGapRight + 1, h - FGapBottom + 11).Contains(X, Y))
        area = daXLabels;
    if (FTitleRects[ttLeft].Contains(X, Y))
        area = daTitleLeft;
    if (FTitleRects[ttRight].Contains(X, Y))
        area = daTitleRight;
    if (FTitleRects[ttBottom].Contains(X, Y))
        area = daTitleBottom;
    if (FTitleRects[ttTop].Contains(X, Y))
        area = daTitleTop;
    return area;
}

TColor THistograph::AreaColor(TDropArea Area, int Series) const
{
    switch (Area) {
    case daCurve: return SeriesAt(std::clamp(Series, 1, MaxSeries)).Color;
    case daGrid: return FGridColor;
    case daPlot: return FBkColor;
    case daTitleLeft: return FFontTitleLeft->Color();
    case daTitleRight: return FFontTitleRight->Color();
    case daTitleTop: return FFontTitleTop->Color();
    case daTitleBottom: return FFontTitleBottom->Color();
    case daYLabels: return FFontYAxis->Color();
    case daXLabels: return FFontXAxis->Color();
    case daControl: return Color();
    case daNone: break;
    }
    return clNone;
}

void THistograph::SetAreaColor(TDropArea Area, int Series, TColor C)
{
    switch (Area) {
    case daCurve:
        if (Series >= 1 && Series <= MaxSeries && SeriesAt(Series).Color != C) {
            SeriesAt(Series).Color = C;
            Changed();
        }
        break;
    case daGrid: SetGridColor(C); break;
    case daPlot: SetBkColor(C); break;
    case daTitleLeft: FFontTitleLeft->SetColor(C); break;
    case daTitleRight: FFontTitleRight->SetColor(C); break;
    case daTitleTop: FFontTitleTop->SetColor(C); break;
    case daTitleBottom: FFontTitleBottom->SetColor(C); break;
    case daYLabels: FFontYAxis->SetColor(C); break;
    case daXLabels: FFontXAxis->SetColor(C); break;
    case daControl: SetColor(C); break;
    case daNone: break;
    }
}

void THistograph::ColorDragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    auto* grid = qobject_cast<TColorGridHisto*>(Source);
    Accept = grid != nullptr;
    if (!grid)
        return;
    auto set = [this](TColorDropPreview::TTarget T, TColor C) { SetAreaColor(TDropArea(T.Kind), T.Series, C); };
    if (State == dsDragLeave) {
        FDropPreview.Leave(set);
        Update();
        return;
    }
    int series = 0;
    const TDropArea area = DropAreaAt(X, Y, series);
    FDropPreview.Over({area, series}, grid->SelectColor(),
        [this](TColorDropPreview::TTarget T) { return AreaColor(TDropArea(T.Kind), T.Series); }, set);
    Update();
}

void THistograph::ColorDragDrop(TObject* Source, int X, int Y)
{
    auto* grid = qobject_cast<TColorGridHisto*>(Source);
    if (!grid)
        return;
    int series = 0;
    const TDropArea area = DropAreaAt(X, Y, series);
    FDropPreview.Drop({area, series}, grid->SelectColor(),
        [this](TColorDropPreview::TTarget T, TColor C) { SetAreaColor(TDropArea(T.Kind), T.Series, C); });
    Update();
}

} // namespace Tessaron
