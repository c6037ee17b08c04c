// The mouse modes of TStripChart: the measuring cross, the two crosses of the
// calculate mode, remarks written at a sample, the rubber-band zoom and its
// undo, and colours dropped from a colour grid.

#include "stripchart/StrpChrt.h"
#include "stripchart/Remedit.h"
#include "stripchart/_sEca.h"

#include <histograph/Colorhis.h>

#include <platform/StdCtrls.h>
#include <platform/SysUtils.h>

#include <cmath>
#include <limits>

namespace Tessaron {

namespace {

// A window never spans more pixels than this, whatever the zoom.
constexpr double kPixelLimit = 32760;
// A colour dropped farther than this from every curve and grid line paints
// the plot background.
constexpr int kDropReach = 3;

TRect Ordered(const TRect& R)
{
    return TRect(std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
        std::max(R.Top, R.Bottom));
}

QString TimeText(double T)
{
    return FloatToStrF(T, ffGeneral, 5, 0);
}

QString ValueText(double V)
{
    return FloatToStrF(V, ffGeneral, 4, 0);
}

} // namespace

// ---------------------------------------------------------------- the sample under the mouse

TStripChart::TSampleHit TStripChart::SampleAt(int X, int Y) const
{
    TSampleHit hit;
    if (FStoredCount < 1 || std::size_t(FStoredCount) >= FXPositions.size())
        return hit;
    const THistoMapping m = Mapping();
    const double target = m.PixelToY(Y);
    const auto begin = FXPositions.begin() + 1;
    const auto end = FXPositions.begin() + FStoredCount + 1;
    // Right of every sample: the newest one.
    const int index = std::min(FStoredCount, int(std::lower_bound(begin, end, X) - FXPositions.begin()));
    double best = std::numeric_limits<double>::infinity();
    for (int s = 1; s <= FSeriesNumber; ++s) {
        const TSeriesEntry& e = SeriesAt(s);
        if (!e.Allocated || std::size_t(index) > e.Samples.size())
            continue;
        const double v = e.Samples[std::size_t(index - 1)];
        // A gap (NaN) is infinitely far; ties keep the lower series.
        double d = std::fabs(v - target);
        if (!std::isfinite(d))
            d = std::numeric_limits<double>::infinity();
        if (hit.Series < 0 || d < best) {
            best = d;
            hit.Series = s;
            hit.Value = v;
        }
    }
    if (hit.Series >= 0) {
        hit.Index = index;
        hit.X = FXPositions[std::size_t(index)];
    }
    return hit;
}

bool TStripChart::InPlot(int X, int Y) const
{
    return X >= FGapLeft && X <= Width() - FGapRight && Y >= FGapTop && Y <= Height() - FGapBottom;
}

// ---------------------------------------------------------------- crosses

void TStripChart::PlaceCrossAtMouse(int K, int X, int Y)
{
    HideCross(K);
    const TSampleHit hit = SampleAt(X, Y);
    if (hit.Series < 0)
        return;
    const int y = Mapping().YToPixel(hit.Value);
    PlaceCross(K, hit.X, y, SeriesAt(hit.Series).Color);
    TCross& c = FCrosses[std::size_t(K)];
    c.Time = double(TimeOfIndex(hit.Index));
    c.Value = hit.Value;
    c.Series = hit.Series;
    c.Index = hit.Index;
    c.MouseX = X;
    c.MouseY = Y;
    ReportCrosses(K);
}

void TStripChart::ReportCrosses(int K)
{
    TCrossReadout& r = FReadout;
    if (FStripMode == Strip::modeMeasure) {
        const TCross& c = FCrosses[std::size_t(K)];
        CallEvent(OnCrossMove, this, double(c.X), c.Value, c.Series, c.Index);
        r.Series1 = QString::number(c.Series);
        r.Time1 = TimeText(c.Time);
        r.Value1 = ValueText(c.Value);
    } else if (FStripMode == Strip::modeCalculate) {
        const TCross& a = FCrosses[0];
        const TCross& b = FCrosses[1];
        CallEvent(OnCalculate, this, a.Series, b.Series, a.Time, b.Time, a.Value, b.Value);
        const double dt = std::fabs(b.Time - a.Time);
        r.Series1 = QString::number(a.Series);
        r.Time1 = TimeText(a.Time);
        r.Value1 = ValueText(a.Value);
        r.Series2 = QString::number(b.Series);
        r.Time2 = TimeText(b.Time);
        r.Value2 = ValueText(b.Value);
        r.DeltaTime = TimeText(dt);
        r.DeltaValue = ValueText(std::fabs(b.Value - a.Value));
        r.InverseDeltaTime = dt == 0 ? QStringLiteral("----") : ValueText(1 / dt);
    }
    PublishReadout();
}

void TStripChart::PublishReadout()
{
    const TCrossReadout& r = FReadout;
    FReadout.SecondEnabled = FStripMode == Strip::modeCalculate;
    if (!FValueBar || !FValueBar->Visible())
        return;
    const std::pair<TLabel*, const QString*> labels[] = {{FValueBar->Series1, &r.Series1}, {FValueBar->X1, &r.Time1},
        {FValueBar->Y1, &r.Value1}, {FValueBar->Series2, &r.Series2}, {FValueBar->X2, &r.Time2},
        {FValueBar->Y2, &r.Value2}, {FValueBar->deltax, &r.DeltaTime}, {FValueBar->deltay, &r.DeltaValue},
        {FValueBar->invdeltax, &r.InverseDeltaTime}};
    for (const auto& [label, text] : labels)
        if (!text->isEmpty())
            label->SetCaption(*text);
}

void TStripChart::LeaveMeasure()
{
    HideCross(2);
    if (FMeasureCaptured) {
        FMeasureCaptured = false;
        SetMouseCapture(false);
    }
}

// ---------------------------------------------------------------- mouse

void TStripChart::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FButton = Button;
    FDownPoint = TPoint(X, Y);
    FPressed = true;
    if (FStripMode == Strip::modeCalculate && (Button == mbLeft || Button == mbRight))
        PlaceCrossAtMouse(Button == mbLeft ? 0 : 1, X, Y);
    else if (FStripMode == Strip::modeZoom && Button == mbLeft) {
        FBand = TRect(X, Y, X, Y);
        FBandShown = true;
        Canvas()->DrawFocusRect(FBand);
        Canvas()->Flush();
    }
    TPaintBox::MouseDown(Button, Shift, X, Y);
}

void TStripChart::MouseMove(TShiftState Shift, int X, int Y)
{
    TPaintBox::MouseMove(Shift, X, Y);
    if (FSkipMove) {
        FSkipMove = false;
        return;
    }
    switch (FStripMode) {
    case Strip::modeMeasure:
        if (!FShowCross || FStoredCount < 1)
            break;
        if (InPlot(X, Y)) {
            if (!FMeasureCaptured && Widget()->isVisible()) {
                FMeasureCaptured = true;
                SetMouseCapture(true);
            }
            PlaceCrossAtMouse(2, X, Y);
        } else {
            LeaveMeasure();
        }
        break;
    case Strip::modeCalculate:
        if (FPressed && (FButton == mbLeft || FButton == mbRight)) {
            for (int k = 0; k < 2; ++k)
                if (!CrossVisible(k))
                    PlaceCrossAtMouse(k, X, Y);
            PlaceCrossAtMouse(FButton == mbLeft ? 0 : 1, X, Y);
        }
        break;
    case Strip::modeZoom:
        if (FBandShown) {
            Canvas()->DrawFocusRect(Ordered(FBand));
            FBand.Right = std::clamp(X, FGapLeft, Width() - FGapRight);
            FBand.Bottom = std::clamp(Y, FGapTop, Height() - FGapBottom);
            Canvas()->DrawFocusRect(Ordered(FBand));
            Canvas()->Flush();
        }
        break;
    case Strip::modeRemark: break;
    }
}

void TStripChart::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TPaintBox::MouseUp(Button, Shift, X, Y);
    if (FStripMode == Strip::modeZoom && Button == mbLeft && FBandShown) {
        FBandShown = false;
        Canvas()->DrawFocusRect(Ordered(FBand));
        Canvas()->Flush();
        ZoomTo(Ordered(FBand));
    } else if (FStripMode == Strip::modeZoom && Button == mbRight && Zoomed()) {
        Unzoom();
    } else if (FStripMode == Strip::modeRemark) {
        RemarkClick(Button);
    } else {
        // The platform's own click is off: every button's release is a click.
        Click();
    }
    FPressed = false;
}

// ---------------------------------------------------------------- remarks

void TStripChart::CreateRemarkEditor()
{
    if (!FRemarkEditor && !IsDesigning())
        FRemarkEditor = new TEditRemark(this);
}

void TStripChart::RemarkClick(TMouseButton Button)
{
    CreateRemarkEditor();
    // Remarks live in the remark file of a run: without one there is nothing to edit.
    if (!(Logging() || Playing()) || !FRemarkEditor)
        return;
    LeaveMeasure();
    TEditRemark* e = FRemarkEditor;
    const TSampleHit hit = SampleAt(FDownPoint.x(), FDownPoint.y());
    if (Button == mbLeft && hit.Series >= 0) {
        e->RunNumber = FDisplayRunNumber;
        e->Time = double(TimeOfIndex(hit.Index));
        e->Series = hit.Series;
        e->Flag = dfManual;
        e->Text = QStringLiteral("Ohne Kommentar");
        if (e->Edit())
            AddRemark(e->RunNumber, e->Time, e->Series, e->Text, TDescFlag(e->Flag));
    } else if (Button == mbRight && hit.Index >= 1 && FindNearestRemark(double(TimeOfIndex(hit.Index)))) {
        const TRemarkRecord& r = SelectedRemark();
        e->RunNumber = r.RunNumber;
        e->Time = r.Time;
        e->Series = r.Series;
        e->Flag = r.Flag;
        e->Text = QString::fromStdString(r.Text);
        // Rewriting refreshes the chart's remark list, the highlighted one included.
        if (e->Edit())
            UpdateRemark(e->Text, TDescFlag(e->Flag), e->Series);
    }
    Invalidate();
    FSkipMove = true;
}

// ---------------------------------------------------------------- zoom

void TStripChart::ZoomTo(TRect R)
{
    const TSampleHit left = SampleAt(R.Left, R.Top);
    const TSampleHit right = SampleAt(R.Right, R.Top);
    if (left.Index < 0 || right.Index < 0)
        return;
    const THistoMapping m = Mapping();
    const double vt = m.PixelToY(R.Top);
    const double vb = m.PixelToY(R.Bottom);
    if (vt == vb || !std::isfinite(vt) || !std::isfinite(vb))
        return;
    const long double t1 = TimeOfIndex(left.Index);
    const long double t2 = TimeOfIndex(right.Index);
    const int plotWidth = Width() - FGapRight - FGapLeft;
    const int window = std::max(right.Index - left.Index + 1,
        int(Trunc(plotWidth / kPixelLimit * FSamplesPerBuffer)) + 1);
    if (!Zoomed()) {
        FZoomSavedWindow = FSamplesPerWindow;
        FZoomYMin = FViewYMin;
        FZoomYMax = FViewYMax;
        FZoomXGap = FViewXGap;
        FZoomYGap = FViewYGap;
        FZoomLive = FLiveDisplay;
    }
    for (int k = 0; k < 3; ++k)
        HideCross(k);
    SetEnableUpdate(false);
    if (!FAutoScale && FZoomYMax != FZoomYMin)
        SetViewYGap(float((vt - vb) * FZoomYGap / (double(FZoomYMax) - FZoomYMin)));
    SetViewYMax(float(vt));
    SetViewYMin(float(vb));
    SetSamplesPerWindow(std::min(window, FSamplesPerBuffer));
    if (t2 != t1) {
        const long double inc = FDisplayTimeIncrement;
        SetViewXGap(double(
            Trunc(double((t2 - t1) * FZoomXGap / (inc * inc * FZoomSavedWindow))) * inc));
    }
    if (!FLiveDisplay && ShownRun().Number != 0 && (Logging() || Playing())) {
        // A stored run: the buffer is refilled so that the window ends at t2.
        ShowAtTime(false, double(t2));
    } else {
        // The live display freezes at the end of the run being logged;
        // without a run file the buffer holds the newest samples already.
        FLiveDisplay = false;
        if (Logging()) {
            FFirstSampleNumber = Round(double((FLastSampleTime + FLogTimeIncrement) / FDisplayTimeIncrement));
            ShowRunEnd();
        }
    }
    SetEnableUpdate(true);
}

void TStripChart::Unzoom()
{
    const bool stored = !FZoomLive && ShownRun().Number != 0 && (Logging() || Playing());
    long double end = 0;
    if (stored) {
        // The saved window around the current view.
        const long double first = TimeOfIndex(std::max(1, FWindowOffset + 1));
        const long double last = TimeOfIndex(FStoredCount);
        if (FStoredCount < 1 || first == last)
            return;
        end = first + (last - first) * FZoomSavedWindow / (2.0L * FSamplesPerWindow);
    }
    SetEnableUpdate(false);
    SetViewYGap(FZoomYGap);
    SetViewYMax(FZoomYMax);
    SetViewYMin(FZoomYMin);
    SetViewXGap(FZoomXGap);
    SetSamplesPerWindow(FZoomSavedWindow);
    if (stored) {
        ShowAtTime(false, double(end));
    } else if (Logging()) {
        FFirstSampleNumber = Round(double((FLastSampleTime + FLogTimeIncrement) / FDisplayTimeIncrement));
        ShowRunEnd();
    } else {
        FLiveDisplay = true;
    }
    FZoomSavedWindow = -1;
    SetEnableUpdate(true);
}

// ---------------------------------------------------------------- colour drop

TStripChart::TDropKind TStripChart::DropKindAt(int X, int Y, int& Series) const
{
    Series = -1;
    const int w = Width();
    const int h = Height();
    if (TRect(FGapLeft, FGapTop, w - FGapRight + 1, h - FGapBottom + 1).Contains(X, Y)) {
        TDropKind kind = dkPlot;
        double best = std::numeric_limits<double>::infinity();
        if (RangeError().isEmpty()) {
            const TSampleHit hit = SampleAt(X, Y);
            if (hit.Series > 0) {
                const double dx = hit.X - X;
                const double dy = Mapping().YToPixel(hit.Value) - Y;
                best = std::floor(std::sqrt(dx * dx + dy * dy));
                kind = dkCurve;
                Series = hit.Series;
            }
        }
        int grid = std::numeric_limits<int>::max();
        if (FGridVisible == grdVer || FGridVisible == grdBoth)
            for (int row : FGridRows)
                grid = std::min(grid, std::abs(row - Y));
        if ((FGridVisible == grdHor || FGridVisible == grdBoth) && FStoredCount >= 1) {
            // The time lines stand at samples: the nearest sample columns either side.
            const auto begin = FXPositions.begin() + 1;
            const auto end = FXPositions.begin() + FStoredCount + 1;
            const auto at = std::lower_bound(begin, end, X);
            if (at != end)
                grid = std::min(grid, *at - X);
            if (at != begin)
                grid = std::min(grid, X - *(at - 1));
            // Only grid times carry a line: a sample column is a candidate, no more.
            if (FViewXGap > FDisplayTimeIncrement)
                grid = std::numeric_limits<int>::max();
        }
        if (grid < best) {
            best = grid;
            kind = dkGrid;
            Series = -1;
        }
        if (best > kDropReach) {
            Series = -1;
            return dkPlot;
        }
        return kind;
    }
    TDropKind kind = dkControl;
    if (TRect(0, FGapTop, FGapLeft, h - FGapBottom + 1).Contains(X, Y))
        kind = dkYLabels;
    if (TRect(FGapLeft, h - FGapBottom + 1, w - FGapRight + 1, h - FGapBottom + 1 + FLabelHeight + 4).Contains(X, Y))
        kind = dkXLabels;
    const std::pair<TRecorderTitle, TDropKind> titles[] = {{rtLeft, dkTitleLeft}, {rtRight, dkTitleRight},
        {rtBottom, dkTitleBottom}, {rtTop, dkTitleTop}};
    for (const auto& [title, k] : titles)
        if (FTitleRects[std::size_t(title)].Contains(X, Y))
            kind = k;
    return kind;
}

TColor TStripChart::DropColor(TDropKind Kind, int Series) const
{
    switch (Kind) {
    case dkCurve: return SeriesAt(std::clamp(Series, 1, MaxSeries)).Color;
    case dkGrid: return FGridColor;
    case dkPlot: return FBkColor;
    case dkTitleLeft: return FFontTitleLeft->Color();
    case dkTitleRight: return FFontTitleRight->Color();
    case dkTitleTop: return FFontTitleTop->Color();
    case dkTitleBottom: return FFontTitleBottom->Color();
    case dkYLabels: return FFontYAxis->Color();
    case dkXLabels: return FFontXAxis->Color();
    case dkControl: return Color();
    case dkNone: break;
    }
    return clWhite;
}

void TStripChart::SetDropColor(TDropKind Kind, int Series, TColor C)
{
    switch (Kind) {
    case dkCurve:
        if (Series >= 1 && Series <= MaxSeries && SeriesAt(Series).Color != C) {
            SeriesAt(Series).Color = C;
            Changed();
        }
        break;
    case dkGrid: SetGridColor(C); break;
    case dkPlot: SetBkColor(C); break;
    case dkTitleLeft: FFontTitleLeft->SetColor(C); break;
    case dkTitleRight: FFontTitleRight->SetColor(C); break;
    case dkTitleTop: FFontTitleTop->SetColor(C); break;
    case dkTitleBottom: FFontTitleBottom->SetColor(C); break;
    case dkYLabels: FFontYAxis->SetColor(C); break;
    case dkXLabels: FFontXAxis->SetColor(C); break;
    case dkControl: SetColor(C); Changed(); break;
    case dkNone: break;
    }
}

void TStripChart::ColorDragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    auto* grid = qobject_cast<TColorGridHisto*>(Source);
    Accept = grid != nullptr;
    if (!grid)
        return;
    auto set = [this](TColorDropPreview::TTarget T, TColor C) { SetDropColor(TDropKind(T.Kind), T.Series, C); };
    if (State == dsDragLeave) {
        FDropPreview.Leave(set);
        Update();
        return;
    }
    int series = -1;
    const TDropKind kind = DropKindAt(X, Y, series);
    FDropPreview.Over({kind, series}, grid->SelectColor(),
        [this](TColorDropPreview::TTarget T) { return DropColor(TDropKind(T.Kind), T.Series); }, set);
    Update();
}

void TStripChart::ColorDragDrop(TObject* Source, int X, int Y)
{
    auto* grid = qobject_cast<TColorGridHisto*>(Source);
    if (!grid)
        return;
    int series = -1;
    const TDropKind kind = DropKindAt(X, Y, series);
    FDropPreview.Drop({kind, series}, grid->SelectColor(),
        [this](TColorDropPreview::TTarget T, TColor C) { SetDropColor(TDropKind(T.Kind), T.Series, C); });
    Update();
}

void TStripChart::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    ColorDragOver(Source, X, Y, State, Accept);
    if (OnDragOver)
        CallEvent(OnDragOver, this, Source, X, Y, State, Accept);
}

void TStripChart::DragDrop(TObject* Source, int X, int Y)
{
    ColorDragDrop(Source, X, Y);
    TPaintBox::DragDrop(Source, X, Y);
}

} // namespace Tessaron
