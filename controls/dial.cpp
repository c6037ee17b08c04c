#include "controls/dial.h"

#include "controls/DrawHelpers.h"
#include "controls/RangeTable.h"
#include "controls/ScaleFormat.h"

#include <platform/Streaming.h>
#include <platform/SysUtils.h>

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace Tessaron {

namespace {

const bool Registered = [] {
    RegisterClass<TDial>();
    return true;
}();

constexpr double DegToRad = M_PI / 180.0;

// A rectangle with its corners in order (an inverted band gives an inverted square).
TRect Normalised(const TRect& R)
{
    return TRect(std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
        std::max(R.Top, R.Bottom));
}

int ToInt(qint64 Value)
{
    return int(std::clamp<qint64>(Value, -(1 << 28), 1 << 28));
}

} // namespace

TDial::TDial(TComponent* AOwner)
    : TGraphicControl(AOwner), FVersion(QStringLiteral("V2.00")),
      FCopyright(QStringLiteral("Copyright (c) Velmar Softwaretechnik")), FBackground(std::make_unique<TBitmap>())
{
    SetControlStyle(ControlStyle() | csOpaque);
    (void)Registered;
}

TDial::~TDial() = default;

// ---------------------------------------------------------------- setters

void TDial::Changed()
{
    if (!IsLoading())
        Invalidate();
}

void TDial::Rescale()
{
    if (IsLoading())
        return;
    CalcScale();
    // The knob's radius follows TickOuter, the labels and the range: a knob
    // built for another geometry is rebuilt at once.
    if (FBuilt && (FBuiltCx != FCx || FBuiltCy != FCy || FBuiltRadius != FRadius))
        DrawBackground();
}

void TDial::Rebuild()
{
    if (IsLoading())
        return;
    CalcScale();
    if (FBuilt)
        DrawBackground();
}

void TDial::SetScaleAngle1(double Value)
{
    if (!(Value >= -360.0 && Value < FScaleAngle2) || Value == FScaleAngle1)
        return;
    FScaleAngle1 = Value;
    Rescale();
    Changed();
}

void TDial::SetScaleAngle2(double Value)
{
    if (!(Value <= 360.0 && Value > FScaleAngle1) || Value == FScaleAngle2)
        return;
    FScaleAngle2 = Value;
    Rescale();
    Changed();
}

void TDial::SetValueMin(double Value)
{
    if (!std::isfinite(Value) || Value == FValueMin)
        return;
    FValueMin = Value;
    if (FValue < FValueMin)
        FValue = FValueMin;
    Rescale();
    Changed();
}

void TDial::SetValueMax(double Value)
{
    if (!std::isfinite(Value) || Value == FValueMax)
        return;
    FValueMax = Value;
    if (FValue > FValueMax)
        FValue = FValueMax;
    Rescale();
    Changed();
}

void TDial::SetValueGap(double Value)
{
    if (!(Value > 0) || !std::isfinite(Value) || Value == FValueGap)
        return;
    FValueGap = Value;
    Rescale();
    Changed();
}

void TDial::SetValueStepWidth(double Value)
{
    if (!std::isfinite(Value) || Value == FValueStepWidth)
        return;
    FValueStepWidth = Value;
    SetValue(FValue); // snaps the current value to the new step
    Changed();
}

void TDial::SetBevelOuterWidth(int Value)
{
    if (Value == FBevelOuterWidth)
        return;
    FBevelOuterWidth = Value;
    Rebuild();
    Changed();
}

void TDial::SetBevelInnerWidth(int Value)
{
    if (Value == FBevelInnerWidth)
        return;
    FBevelInnerWidth = Value;
    Rebuild();
    Changed();
}

void TDial::SetRingWidth(int Value)
{
    if (Value == FRingWidth)
        return;
    FRingWidth = Value;
    Rebuild();
    Changed();
}

void TDial::SetValueDecimals(int Value)
{
    if (Value == FValueDecimals)
        return;
    FValueDecimals = Value;
    Rebuild();
    Changed();
}

void TDial::SetTickInner(int Value)
{
    if (Value == FTickInner)
        return;
    FTickInner = Value;
    Rescale();
    Changed();
}

void TDial::SetTickOuter(int Value)
{
    if (Value == FTickOuter)
        return;
    FTickOuter = Value;
    Rescale();
    Changed();
}

void TDial::SetIndicatorInner(int Value)
{
    if (Value == FIndicatorInner)
        return;
    FIndicatorInner = Value;
    Changed();
}

void TDial::SetIndicatorOuter(int Value)
{
    if (Value == FIndicatorOuter)
        return;
    FIndicatorOuter = Value;
    Changed();
}

void TDial::SetBevelColor(TColor Value)
{
    // Only explicit RGB values: the shading computes with the colour's bytes.
    if (std::int32_t(Value) < 0 || Value == FBevelColor)
        return;
    FBevelColor = Value;
    Rebuild();
    Changed();
}

void TDial::SetInnerColor(TColor Value)
{
    if (Value == FInnerColor)
        return;
    FInnerColor = Value;
    Rebuild();
    Changed();
}

void TDial::SetRingColor(TColor Value)
{
    if (Value == FRingColor)
        return;
    FRingColor = Value;
    Rebuild();
    Changed();
}

void TDial::SetIndicatorColor(TColor Value)
{
    if (Value == FIndicatorColor)
        return;
    FIndicatorColor = Value;
    Changed();
}

void TDial::SetTicks(bool Value)
{
    if (Value == FTicks)
        return;
    FTicks = Value;
    Rescale();
    Changed();
}

void TDial::SetLabels(bool Value)
{
    if (Value == FLabels)
        return;
    FLabels = Value;
    Rebuild();
    Changed();
}

void TDial::SetIndicatorStyle(TDialIndicator Value)
{
    if (Value == FIndicatorStyle)
        return;
    FIndicatorStyle = Value;
    Changed();
}

void TDial::SetCaption(const QString& Text)
{
    const QString Value = WindowText(Text);
    if (Value == FCaption)
        return;
    FCaption = Value;
    MeasureCaption();
    Changed();
}

void TDial::MeasureCaption()
{
    if (FCaption.isEmpty()) {
        FCaptionBox = QRect();
        return;
    }
    const QFontMetrics& metrics = Font()->Metrics();
    const QSize size(metrics.horizontalAdvance(FCaption), metrics.height());
    FCaptionBox = QRect(QPoint(FCx - size.width() / 2, FCy - size.height() / 2), size).adjusted(-2, -2, 2, 2);
}

void TDial::FontChanged()
{
    TGraphicControl::FontChanged();
    // Label sizes set the radius.
    Rescale();
}

void TDial::SetValue(double Value)
{
    if (std::isnan(Value))
        return;
    double v = Value;
    if (FValueStepWidth > 0)
        v = std::nearbyint(v / FValueStepWidth) * FValueStepWidth; // ties to even
    if (v == FValue)
        return;
    const double lo = std::min(FValueMin, FValueMax);
    const double hi = std::max(FValueMin, FValueMax);
    v = std::max(lo, std::min(hi, v));
    if (v == FValue || FNoScale || !HasSpan())
        return;
    FValue = v;
    if (IsLoading())
        return;
    CallEvent(OnValueChange, this);

    // Redraw at once only where the indicator was and where it is now.
    if (!FBuilt || FBuiltColor != Color() || FBuiltSize != QSize(Width(), Height())) {
        Invalidate();
        return;
    }
    const TRect now = Normalised(IndicatorRectFor(FValue));
    const TRect before = Normalised(FIndicatorRect);
    const QRegion region = QRegion(InflateRect(now, 2, 2).ToQRect()) | QRegion(InflateRect(before, 2, 2).ToQRect());
    TCanvas* canvas = Canvas();
    canvas->SaveClip();
    canvas->SetClipRegion(region);
    DrawDial(canvas);
    canvas->RestoreClip();
}

// ---------------------------------------------------------------- stored data

bool TDial::ReadListProperty(const QVariantList& List, QString* Error)
{
    double v[7];
    if (!ReadNumberList(List, false, 7, v, Error))
        return false;
    FValue = v[0];
    FValueMin = v[1];
    FValueMax = v[2];
    FValueStepWidth = v[3];
    FValueGap = v[4];
    FScaleAngle1 = v[5];
    FScaleAngle2 = v[6];
    Rebuild();
    Changed();
    return true;
}

QVariantList TDial::WriteListProperty() const
{
    return {FValue, FValueMin, FValueMax, FValueStepWidth, FValueGap, FScaleAngle1, FScaleAngle2};
}

void TDial::Loaded()
{
    TGraphicControl::Loaded();
    Rebuild();
    Invalidate();
}

// ---------------------------------------------------------------- geometry

double TDial::AngleOf(double Value) const
{
    if (!HasSpan())
        return FScaleAngle1; // equal limits map every value to the start
    return (FScaleAngle2 - FScaleAngle1) * (Value - FValueMin) / (FValueMax - FValueMin) + FScaleAngle1;
}

void TDial::CalcScale()
{
    const int w = Width();
    const int h = Height();
    FCx = w / 2;
    FCy = h / 2;
    const QFontMetrics& metrics = Font()->Metrics();
    const QString pattern = ScaleLabelPattern(CircularScaleFormat, FValueMin, FValueMax, FValueDecimals);

    if (!FLabels) {
        // The outer tick end touches the nearer edge. A TickOuter of 0 or
        // less would leave no radius; the knob then fills the control.
        const double outer = FTickOuter > 0 ? FTickOuter : 100;
        const qint64 r1 = Round((w / 2) * 100 / outer);
        const qint64 r2 = Round((h / 2) * 100 / outer);
        FRadius = ToInt(std::min(r1, r2));
    } else {
        const int th = metrics.height() + 10;
        const int tw = std::max(metrics.horizontalAdvance(ScaleLabel(pattern, FValueMin, 20)),
                           metrics.horizontalAdvance(ScaleLabel(pattern, FValueMax, 20)))
            + 10;
        const qint64 d = Trunc(std::sqrt(double(tw) * tw + double(th) * th));
        FRadius = ToInt(FCy < FCx ? Trunc(h * 0.5 - d) : Trunc(w * 0.5 - d));
        if (FRadius < 1)
            FRadius = 1;
    }

    FTickPoints.clear();
    FLabelTexts.clear();
    FLabelPositions.clear();
    FLabelBoxes.clear();
    MeasureCaption();
    FNoScale = false;
    if (!HasSpan())
        return; // no ticks, labels or indicator: nothing to map
    const double arc = FRadius * 2 * M_PI * (FScaleAngle2 - FScaleAngle1) / 360;
    if (FTicks) {
        CalcTicks(arc);
        if (FNoScale)
            return;
    }
    if (FLabels)
        CalcLabels(arc, pattern);
}

void TDial::CalcTicks(double ArcLength)
{
    if (ArcLength == 0) {
        FNoScale = true;
        return;
    }
    const double span = FValueMax - FValueMin;
    // Ticks never closer than 4 pixels on the arc: the gap is enlarged for good.
    if (span * 4 / FValueGap > ArcLength)
        FValueGap = span * 4 / ArcLength;
    qint64 count = ScaleMarkCount(span, FValueGap);
    double first = std::trunc(FValueMin / FValueGap) * FValueGap;
    if (first < FValueMin) {
        first += FValueGap;
        --count;
    }
    if (count <= 0)
        return;
    FTickPoints.reserve(size_t(count) * 2);
    const double inner = double(FRadius) * FTickInner * 0.01;
    const double outer = double(FRadius) * FTickOuter * 0.01;
    const int h = Height();
    for (qint64 i = 0; i < count; ++i) {
        const double v = first + double(i) * FValueGap;
        if (!(v <= FValueMax))
            break;
        const double a = AngleOf(v) * DegToRad;
        FTickPoints.emplace_back(ToInt(Trunc(std::sin(a) * inner + FCx)), ToInt(Trunc(h - std::cos(a) * inner - FCy)));
        FTickPoints.emplace_back(ToInt(Trunc(std::sin(a) * outer + FCx)), ToInt(Trunc(h - std::cos(a) * outer - FCy)));
    }
}

void TDial::CalcLabels(double ArcLength, const QString& Pattern)
{
    const double span = FValueMax - FValueMin;
    const int w = Width();
    const int h = Height();
    const QFontMetrics& metrics = Font()->Metrics();
    const double larger = std::fabs(FValueMin) < std::fabs(FValueMax) ? FValueMax : FValueMin;
    const int widest = metrics.horizontalAdvance(ScaleLabel(Pattern, larger, 20) + QLatin1Char('-'));
    // Every k-th gap position gets a label; none fit when there is no pixel between two.
    const qint64 k = CircularLabelStep(span, FValueGap, ArcLength, w, widest);
    if (k <= 0) {
        FNoScale = true;
        return;
    }
    const double step = double(k) * FValueGap;
    const qint64 count = std::clamp<qint64>(ScaleMarkCount(span, step), 1, MaxScaleLabels);
    FLabelTexts.reserve(size_t(count));
    FLabelPositions.reserve(size_t(count));
    double first = std::trunc(FValueMin / FValueGap) * FValueGap;
    if (first < FValueMin)
        first += FValueGap;
    const double outer = double(FRadius) * FTickOuter * 0.01;
    const size_t ticks = FTickPoints.size() / 2;
    for (qint64 j = 0; j < count; ++j) {
        const double v = first + double(j) * step;
        if (!(v <= FValueMax))
            break;
        const QString text = ScaleLabel(Pattern, v, 20);
        const double a = AngleOf(v) * DegToRad;
        const int tw = metrics.horizontalAdvance(text);
        const int th = metrics.height();
        const qint64 e = Trunc(std::sqrt(double(tw) * tw + double(th) * th) * 0.5 + 5);
        const double r = outer + double(e);
        FLabelTexts.push_back(text);
        FLabelPositions.emplace_back(ToInt(Trunc(std::sin(a) * r + FCx - tw * 0.5)),
            ToInt(Trunc(h - std::cos(a) * r - FCy - th * 0.5)));
        FLabelBoxes.push_back(QRect(FLabelPositions.back(), QSize(tw, th)).adjusted(-2, -2, 2, 2));
        // The tick under a label is a major tick, 5 pixels longer outward.
        if (FTicks && size_t(j * k) < ticks) {
            TPoint& p = FTickPoints[size_t(j * k) * 2 + 1];
            p = TPoint(ToInt(Trunc(std::sin(a) * (outer + 5) + FCx)), ToInt(Trunc(h - std::cos(a) * (outer + 5) - FCy)));
        }
    }
}

TRect TDial::IndicatorRectFor(double Value) const
{
    const double a = AngleOf(Value) * DegToRad;
    const int r = ToInt(Round((FIndicatorOuter - FIndicatorInner) * FRadius * 0.005));
    const double m = (FIndicatorOuter + FIndicatorInner) * FRadius * 0.005;
    const int xc = ToInt(Trunc(std::sin(a) * m + FCx));
    const int yc = ToInt(Trunc(Height() - std::cos(a) * m - FCy));
    return TRect(xc - r, yc - r, xc + r, yc + r);
}

// ---------------------------------------------------------------- drawing

void TDial::DrawShadedRing(TCanvas* Canvas, const TRect& R, TColor Base, double LightAngle)
{
    const TColor rgb = ColorToRGB(Base);
    const int r0 = GetRValue(rgb);
    const int g0 = GetGValue(rgb);
    const int b0 = GetBValue(rgb);
    const double rw = Width() * 0.5;
    const auto radial = [rw](double a) {
        return TPoint(ToInt(Round(std::sin(a) * rw + rw)), ToInt(Round(rw - std::cos(a) * rw)));
    };
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetMode(pmCopy);
    Canvas->Pen()->SetWidth(1);
    // 40 slices of 9 degrees; slice i covers a .. a + 9 clockwise from twelve
    // o'clock and is brightest where a = -LightAngle.
    for (int i = 0; i < 40; ++i) {
        const double a = i * 9 * DegToRad;
        const double k = std::cos(a + LightAngle * DegToRad) * 0.5 + 0.5;
        const TColor c = RGB(int(Round(r0 * k)), int(Round(g0 * k)), int(Round(b0 * k)));
        Canvas->Brush()->SetColor(c);
        Canvas->Pen()->SetColor(c);
        const TPoint from = radial(a + 9 * DegToRad);
        const TPoint to = radial(a);
        Canvas->Pie(R.Left, R.Top, R.Right, R.Bottom, from.x(), from.y(), to.x(), to.y());
    }
}

void TDial::DrawBackground()
{
    const int w = Width();
    const int h = Height();
    FBackground->SetSize(std::max(1, w), std::max(1, h));
    TCanvas* c = FBackground->Canvas();
    c->ClearClipRegion();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(TRect(0, 0, w, h));
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);

    TRect r(FCx - FRadius, FCy - FRadius, FCx + FRadius, FCy + FRadius);
    // A ring that leaves nothing inside ends the knob there.
    if (!r.IsEmpty()) {
        DrawShadedRing(c, r, FBevelColor, FBevelOuterWidth >= 0 ? 45 : -135);
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetColor(clBtnShadow);
        c->Ellipse(r);
        r = InflateRect(r, -std::abs(FBevelOuterWidth), -std::abs(FBevelOuterWidth));
    }
    if (!r.IsEmpty()) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FRingColor);
        c->Pen()->SetColor(FRingColor);
        c->Ellipse(r);
        const int ring = ToInt(Trunc(FRingWidth * FRadius * 0.01));
        r = InflateRect(r, -ring, -ring);
    }
    if (!r.IsEmpty()) {
        DrawShadedRing(c, r, FBevelColor, FBevelInnerWidth >= 0 ? -135 : 45);
        r = InflateRect(r, -std::abs(FBevelInnerWidth), -std::abs(FBevelInnerWidth));
    }
    if (!r.IsEmpty()) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FInnerColor);
        c->Pen()->SetColor(FInnerColor);
        c->Ellipse(r);
    }
    c->Flush();
    FBuiltSize = QSize(w, h);
    FBuiltCx = FCx;
    FBuiltCy = FCy;
    FBuiltRadius = FRadius;
}

void TDial::DrawIndicator(TCanvas* Canvas)
{
    const double a = AngleOf(FValue) * DegToRad;
    FIndicatorRect = IndicatorRectFor(FValue);
    const int r = (FIndicatorRect.Right - FIndicatorRect.Left) / 2;
    const TColor fill = Enabled() ? FIndicatorColor : clBtnShadow;
    const int h = Height();
    const auto point = [&](double radius) {
        return TPoint(ToInt(Trunc(std::sin(a) * radius + FCx)), ToInt(Trunc(h - std::cos(a) * radius - FCy)));
    };
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetMode(pmCopy);
    Canvas->Pen()->SetWidth(1);
    Canvas->Brush()->SetStyle(bsSolid);
    switch (FIndicatorStyle) {
    case diaCircle:
        Canvas->Brush()->SetColor(fill);
        Canvas->Pen()->SetColor(clBtnShadow);
        Canvas->Ellipse(FIndicatorRect);
        break;
    case diaTriangle: {
        // A right-angled triangle pointing outward, its tip on the outer band edge.
        const TPoint tip = point(double(FRadius) * FIndicatorOuter * 0.01);
        const TPoint p1 = tip
            + TPoint(ToInt(Trunc(std::sin(a - 2.356) * 1.4 * r)), ToInt(Trunc(-std::cos(a - 2.356) * 1.4 * r)));
        const TPoint p2 = tip
            + TPoint(ToInt(Trunc(std::sin(a + 2.356) * 1.4 * r)), ToInt(Trunc(-std::cos(a + 2.356) * 1.4 * r)));
        Canvas->Brush()->SetColor(fill);
        Canvas->Pen()->SetColor(clBtnShadow);
        const TPoint points[] = {tip, p1, p2};
        Canvas->Polygon(points, 3);
        break;
    }
    case diaLine: {
        Canvas->Pen()->SetColor(fill);
        const TPoint from = point(double(FRadius) * FIndicatorInner * 0.01);
        const TPoint to = point(double(FRadius) * FIndicatorOuter * 0.01);
        LineInImage(Canvas, from, to);
        break;
    }
    }
}

void TDial::DrawDial(TCanvas* Canvas)
{
    if (FBuiltSize != QSize(Width(), Height())) {
        CalcScale();
        DrawBackground();
    }
    if (FNoScale)
        return;
    // Under a clip region only what reaches into it is drawn.
    const QRect clip = Canvas->ClipBox().ToQRect();
    const TCopyMode mode = Canvas->CopyMode();
    Canvas->SetCopyMode(cmSrcCopy);
    Canvas->CopyRect(TRect::FromQRect(clip), FBackground->Canvas(), TRect::FromQRect(clip));
    Canvas->SetCopyMode(mode);
    if (HasSpan()) {
        if (FTicks && !FTickPoints.empty()) {
            Canvas->Pen()->SetColor(Font()->Color());
            Canvas->Pen()->SetStyle(psSolid);
            Canvas->Pen()->SetMode(pmCopy);
            Canvas->Pen()->SetWidth(1);
            for (size_t i = 0; i + 1 < FTickPoints.size(); i += 2) {
                const TPoint& inner = FTickPoints[i];
                const TPoint& outer = FTickPoints[i + 1];
                if (QRect(inner, outer).normalized().adjusted(-1, -1, 1, 1).intersects(clip))
                    LineInImage(Canvas, outer, inner);
            }
        }
        if (FLabels && !FLabelTexts.empty()) {
            bool fontSet = false;
            for (size_t i = 0; i < FLabelTexts.size(); ++i) {
                if (!FLabelBoxes[i].intersects(clip))
                    continue;
                if (!fontSet) {
                    Canvas->SetFont(Font());
                    Canvas->Brush()->SetStyle(bsClear);
                    fontSet = true;
                }
                Canvas->TextOut(FLabelPositions[i].x(), FLabelPositions[i].y(), FLabelTexts[i]);
            }
        }
        DrawIndicator(Canvas);
    }
    if (!FCaption.isEmpty() && FCaptionBox.intersects(clip)) {
        Canvas->SetFont(Font());
        Canvas->Brush()->SetStyle(bsClear);
        const QSize size = Canvas->TextExtent(FCaption);
        Canvas->TextOut(FCx - size.width() / 2, FCy - size.height() / 2, FCaption);
    }
    Canvas->Brush()->SetStyle(bsSolid);
}

void TDial::Paint()
{
    if (!FBuilt || FBuiltColor != Color()) {
        FBuiltColor = Color();
        CalcScale();
        DrawBackground();
        FBuilt = true;
    }
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    DrawDial(c);
}

// ---------------------------------------------------------------- mouse

void TDial::SetValueFromPoint(int X, int Y)
{
    const double dx = X - FCx;
    const double dy = Height() - Y - FCy; // upward positive
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d * FCy == 0 || FScaleAngle2 == FScaleAngle1)
        return;
    const double c = dy / d;
    double theta = c == 0 ? 90.0 : std::atan(std::sqrt(std::max(0.0, 1 - c * c)) / c) * 180 / M_PI;
    if (X < FCx)
        theta = -theta;
    if (dy < 0)
        theta += dx >= 0 ? 180 : -180;
    // theta: clockwise from twelve o'clock, in (-180, 180].
    theta = std::max(std::min(FScaleAngle1, FScaleAngle2), std::min(std::max(FScaleAngle1, FScaleAngle2), theta));
    SetValue((theta - FScaleAngle1) / (FScaleAngle2 - FScaleAngle1) * (FValueMax - FValueMin) + FValueMin);
}

void TDial::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    // Pressing the indicator grabs it where it is.
    if (Normalised(FIndicatorRect).Contains(X, Y)) {
        FDragging = true;
        return;
    }
    const double dx = X - FCx;
    const double dy = Y - FCy;
    if (dx * dx + dy * dy <= double(FRadius) * FRadius) {
        SetValueFromPoint(X, Y);
        FDragging = true;
    }
}

void TDial::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (FDragging)
        SetValueFromPoint(X, Y);
}

void TDial::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft)
        FDragging = false;
}

} // namespace Tessaron
