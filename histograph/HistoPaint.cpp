// The paint step of THistograph: range check, border and plot frame, titles,
// axes with labels, ticks and grids, and the curves.

#include "histograph/Histo.h"
#include "histograph/HistoScale.h"
#include "histograph/RecorderPaint.h"

#include <platform/SysUtils.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace Tessaron {

namespace {

// Distance of the Y labels from the plot; distance of the X labels below the
// plot.
constexpr int kTitleMargin = RecorderTitleMargin;
constexpr int kLabelGap = 5;

bool StorableGap(double Gap)
{
    const float f = float(Gap);
    return f > 0 && f < std::numeric_limits<float>::infinity();
}

} // namespace

void THistograph::Paint()
{
    if (!FEnableUpdate)
        return;
    TCanvas* canvas = Canvas();
    if (FAutoScale) {
        AdjustYRange();
        if (XIsLog() && !(FViewXCurrentMax > 0 && FViewXCurrentMin > 0)) {
            CorrectLogXLimits();
            UpdateXLogScale();
        }
    }
    const QString error = RangeError();
    if (!error.isEmpty()) {
        DrawRangeError(canvas, Width(), Height(), Font(), error, 10);
        return;
    }
    const TRect clip = canvas->ClipBox();
    // The paint box's own step: the canvas takes the control's font and
    // colour, and OnPaint runs.
    canvas->SetFont(Font());
    canvas->Brush()->SetColor(Color());
    CallEvent(OnPaint, this);
    if (!FReduceFlicker) {
        DrawEverything(canvas, clip);
        ReplaceCrosses();
        RestoreRubberBand();
        return;
    }
    DrawThroughBitmap(canvas, FOffscreen, Width(), Height(), [&](TCanvas* C) { DrawEverything(C, clip); });
    ReplaceCrosses();
    RestoreRubberBand();
}

void THistograph::PrepareTitleFonts()
{
    if (FTitleFontsPrepared)
        return;
    FTitleFontsPrepared = true;
    // Size, colour and style of the rotated titles follow Font; only the face
    // name is their own. The fonts change inside a paint: no new repaint.
    for (TFont* title : {FFontTitleLeft.get(), FFontTitleRight.get()}) {
        TFont copy;
        copy.Assign(Font());
        copy.SetName(title->Name());
        const TNotifyEvent handler = title->OnChange;
        title->OnChange = nullptr;
        title->Assign(&copy);
        title->OnChange = handler;
    }
    RebuildRotatedFonts();
}

void THistograph::DrawEverything(TCanvas* Canvas, const TRect& Clip)
{
    PrepareTitleFonts();
    const int w = Width();
    const int h = Height();
    if (w != FDrawnWidth || h != FDrawnHeight) {
        if (YIsLog())
            UpdateYLogScale();
        if (XIsLog())
            UpdateXLogScale();
        FDrawnWidth = w;
        FDrawnHeight = h;
    }
    const THistoFrame frame = Frame();
    const TRect plot = frame.PlotRect();
    const TRect axis = frame.AxisRect();

    SetGridPen(Canvas, clBlack);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color());
    if (Clip.Top < FGapTop)
        Canvas->FillRect(TRect(Clip.Left, Clip.Top, Clip.Right, plot.Top));
    if (Clip.Bottom > plot.Bottom)
        Canvas->FillRect(TRect(Clip.Left, plot.Bottom, Clip.Right, Clip.Bottom));
    if (Clip.Left < FGapLeft)
        Canvas->FillRect(TRect(Clip.Left, Clip.Top, FGapLeft, Clip.Bottom));
    if (Clip.Right > plot.Right)
        Canvas->FillRect(TRect(plot.Right, Clip.Top, Clip.Right, Clip.Bottom));

    const TColor light = Shade(Color(), 1.25);
    const TColor dark = Shade(Color(), 0.75);
    if (FBorderStyle == bsSingle) {
        TRect border(0, 0, w, h);
        Frame3D(Canvas, border, light, dark, 1);
    }

    Canvas->Brush()->SetColor(FBkColor);
    if (!plot.IsEmpty())
        Canvas->FillRect(plot);

    // A sunken frame one pixel outside the axis rectangle.
    if (!axis.IsEmpty()) {
        SetGridPen(Canvas, dark);
        Canvas->MoveTo(FGapLeft - 1, h - FGapBottom + 1);
        Canvas->LineTo(FGapLeft - 1, FGapTop - 1);
        Canvas->LineTo(w - FGapRight, FGapTop - 1);
        Canvas->Pen()->SetColor(light);
        Canvas->LineTo(w - FGapRight, h - FGapBottom + 1);
        Canvas->LineTo(FGapLeft - 1, h - FGapBottom + 1);
    }

    DrawTitles(Canvas);
    DrawYAxis(Canvas, axis);
    DrawXAxis(Canvas, axis);
    if (Clip.ToQRect().intersects(axis.ToQRect()))
        DrawCurves(Canvas, axis);
}

// ---------------------------------------------------------------- titles

void THistograph::DrawTitles(TCanvas* Canvas)
{
    const TRecorderTitles titles{FTitleTop, FTitleBottom, FTitleLeft, FTitleRight, FFontTitleTop.get(),
        FFontTitleBottom.get(), FRotatedLeft.get(), FRotatedRight.get()};
    DrawRecorderTitles(Canvas, Width(), Height(), Color(), titles, FTitleRects);
    FLayoutDirty = false;
}

// ---------------------------------------------------------------- axes

void THistograph::DrawYAxis(TCanvas* Canvas, const TRect& Axis)
{
    const int pixels = Axis.Bottom - Axis.Top;
    if (pixels <= 0)
        return;
    SetGridPen(Canvas, FGridColor);
    Canvas->Brush()->SetColor(Color());
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->SetFont(FFontYAxis.get());
    const int h = Canvas->TextHeight(QStringLiteral("012."));
    const bool grid = FGridVisible == grdHor || FGridVisible == grdBoth;
    auto label = [&](int Y, const QString& Text) {
        Canvas->TextOut(Axis.Left - Canvas->TextWidth(Text) - kTitleMargin, Y - h / 2, Text);
        Line(Canvas, Axis.Left - 2, Y, Axis.Left, Y);
    };

    if (YIsLog()) {
        const HistoScale::TDecades decades = HistoScale::DecadeRange(FViewYMin, FViewYMax);
        for (int k = decades.First; k <= decades.Last; ++k)
            label(YToPixel(std::pow(10.0, k)), HistoScale::DecadeLabel(k, decades));
        if (grid) {
            Canvas->Pen()->SetStyle(FGridLineStyle);
            HistoScale::ForEachMinorValue(FViewYMin, FViewYMax, [&](double V) {
                const int y = YToPixel(V);
                Line(Canvas, Axis.Left, y, Axis.Right, y);
            });
        }
        return;
    }

    double gap = FViewYGap;
    // The step guard keeps at least two pixels per step; it changes the
    // stored step for good.
    if (HistoScale::GuardGap(FViewYMin, FViewYMax, pixels, gap) && StorableGap(gap))
        FViewYGap = float(gap);
    const HistoScale::TLinearAxis scale{FViewYMin, FViewYMax, gap, pixels};
    const QString format = HistoScale::LabelFormat(FViewYMin, FViewYMax, FViewYDecimals);
    scale.ForEachTick(scale.LabelEvery(2 * h), true,
        [&](double V) { label(Axis.Bottom - scale.Offset(V), FormatFloat(format, V)); });
    if (grid) {
        Canvas->Pen()->SetStyle(FGridLineStyle);
        scale.ForEachTick(1, false, [&](double V) {
            const int y = Axis.Bottom - scale.Offset(V);
            Line(Canvas, Axis.Left, y, Axis.Right, y);
        });
    }
}

void THistograph::DrawXAxis(TCanvas* Canvas, const TRect& Axis)
{
    const int pixels = Axis.Right - Axis.Left - 1;
    if (pixels <= 0)
        return;
    SetGridPen(Canvas, FGridColor);
    Canvas->Brush()->SetColor(Color());
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->SetFont(FFontXAxis.get());
    const bool grid = FGridVisible == grdVer || FGridVisible == grdBoth;
    auto label = [&](int X, const QString& Text) {
        Canvas->TextOut(X - Canvas->TextWidth(Text) / 2, Axis.Bottom + kLabelGap, Text);
        Line(Canvas, X, Axis.Bottom + 1, X, Axis.Bottom + 3);
    };

    if (XIsLog()) {
        const HistoScale::TDecades decades = HistoScale::DecadeRange(FViewXCurrentMin, FViewXCurrentMax);
        for (int k = decades.First; k <= decades.Last; ++k)
            label(XToPixel(std::pow(10.0, k)), HistoScale::DecadeLabel(k, decades));
        if (grid) {
            Canvas->Pen()->SetStyle(FGridLineStyle);
            HistoScale::ForEachMinorValue(FViewXCurrentMin, FViewXCurrentMax, [&](double V) {
                const int x = XToPixel(V);
                Line(Canvas, x, Axis.Top, x, Axis.Bottom);
            });
        }
        return;
    }

    double gap = FViewXGap;
    if (HistoScale::GuardGap(FViewXCurrentMin, FViewXCurrentMax, pixels, gap) && StorableGap(gap))
        FViewXGap = float(gap);
    const HistoScale::TLinearAxis scale{FViewXCurrentMin, FViewXCurrentMax, gap, pixels};
    const QString format = HistoScale::LabelFormat(FViewXCurrentMin, FViewXCurrentMax, FViewXDecimals);
    // The widest label: the limit of larger magnitude, with room for a sign.
    const float widest =
        std::fabs(FViewXCurrentMin) < std::fabs(FViewXCurrentMax) ? FViewXCurrentMax : FViewXCurrentMin;
    const int need = Canvas->TextWidth(FormatFloat(format, widest) + QLatin1Char('-')) + 10;
    scale.ForEachTick(scale.LabelEvery(need), true,
        [&](double V) { label(Axis.Left + scale.Offset(V), FormatFloat(format, V)); });
    if (grid) {
        Canvas->Pen()->SetStyle(FGridLineStyle);
        scale.ForEachTick(1, false, [&](double V) {
            const int x = Axis.Left + scale.Offset(V);
            Line(Canvas, x, Axis.Top, x, Axis.Bottom);
        });
    }
}

// ---------------------------------------------------------------- curves

void THistograph::DrawCurves(TCanvas* Canvas, const TRect& Axis)
{
    Canvas->SaveClip();
    Canvas->IntersectClipRect(Axis);
    const TRect visible = Canvas->ClipBox();
    for (int i = 1; i <= FSeriesNumber && !visible.IsEmpty(); ++i)
        DrawSeries(Canvas, Axis, visible, SeriesAt(i), pmCopy);
    Canvas->RestoreClip();
}

void THistograph::DrawSeries(TCanvas* Canvas, const TRect& Axis, const TRect& Visible, const TSeriesRec& S,
    TPenMode Mode)
{
    if (!S.Data || S.Count <= 0 || S.Count >= MaxReferenceValues || S.LineStyle == psClear)
        return;
    const double left = Axis.Left;
    const double width = Axis.Right - Axis.Left;
    const double height = Axis.Bottom - Axis.Top;
    const double xRange = double(FViewXCurrentMax) - double(FViewXCurrentMin);
    const double yRange = double(FViewYMax) - double(FViewYMin);
    const THistoMapping mapping = Mapping();
    const TCurveYMap yMap = YIsLog()
        ? TCurveYMap::Logarithmic(mapping)
        : TCurveYMap::Linear(Axis.Bottom + height * FViewYMin / yRange, -height / yRange);
    TPen* pen = Canvas->Pen();
    pen->SetColor(S.Color);
    pen->SetStyle(S.LineStyle);
    pen->SetMode(Mode);
    pen->SetWidth(1);
    FPointBuffer.Clear();
    if (!S.Pairs) {
        if (S.Count < 2)
            return;
        const double nominal = double(FViewXNominalMax) - double(FViewXNominalMin);
        TCurveXMap xMap;
        if (XIsLog()) {
            xMap = TCurveXMap::Logarithmic(mapping, FViewXNominalMin, 1, nominal / (S.Count - 1));
        } else {
            const double dx = (width * nominal / xRange) / (S.Count - 1);
            const double x0 = left + width * (double(FViewXNominalMin) - FViewXCurrentMin) / xRange - dx;
            xMap = TCurveXMap::Linear(x0, dx);
        }
        // Keeping four values per column gives the same pixels only for a
        // solid one-pixel pen drawn in copy mode; dashes and not-xor need
        // every segment.
        const bool reduce = FReduceColumns && Mode == pmCopy
            && (S.LineStyle == psSolid || S.LineStyle == psInsideFrame);
        BuildYtCurve(S.Data, S.Count, xMap, yMap, Visible, reduce, FPointBuffer);
    } else {
        const TCurveXMap xMap = XIsLog()
            ? TCurveXMap::Logarithmic(mapping, 0, 0, 1)
            : TCurveXMap::Linear(left - width * FViewXCurrentMin / xRange, width / xRange);
        BuildXYCurve(S.Data, S.Count, xMap, yMap, FPointBuffer);
    }
    for (int r = 0; r < FPointBuffer.RunCount(); ++r) {
        int count = 0;
        const TPoint* points = FPointBuffer.Run(r, count);
        Canvas->Polyline(points, count);
    }
}

// ---------------------------------------------------------------- read-out box

void THistograph::DrawReadOut(double X, double Y)
{
    TCanvas* canvas = Canvas();
    SetGridPen(canvas, FGridColor);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->SetFont(Font());
    const QString format = QStringLiteral("#.##E-00");
    const QString text =
        QStringLiteral("X=") + FormatFloat(format, X) + QStringLiteral(" Y=") + FormatFloat(format, Y);
    const int boxWidth = canvas->TextWidth(QStringLiteral("X=#.##E-00 Y=#.##E-00")) + 20;
    const int boxHeight = canvas->TextHeight(text) + 20;
    const int h = Height();
    canvas->Rectangle(1, h - boxHeight, boxWidth, h - 1);
    canvas->TextOut(10, h - boxHeight + 10, text);
    canvas->Flush();
}

} // namespace Tessaron
