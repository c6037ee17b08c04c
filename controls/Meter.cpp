#include "controls/Meter.h"

#include "controls/DrawHelpers.h"
#include "controls/ScaleFormat.h"

#include <platform/Streaming.h>
#include <platform/SysUtils.h>

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <limits>

namespace Tessaron {

namespace {

const bool Registered = [] {
    RegisterClass<TMeter>();
    return true;
}();

constexpr double DegToRad = M_PI / 180.0;
// Labels are cut to this many characters (so more decimals than that never show).
constexpr int LabelLength = 20;
// Ticks never lie closer than this on the arc.
constexpr double MinTickDistance = 4.0;
// Sampling of the arcs: about one point every 3 pixels, 2 to 300 points.
constexpr double ArcPixelsPerPoint = 3.0;
constexpr int MaxArcPoints = 300;

// Pixel coordinates stay far inside the integer range whatever the radius.
int ToInt(double Value)
{
    if (!(Value > -(1 << 28)))
        return -(1 << 28);
    if (!(Value < (1 << 28)))
        return 1 << 28;
    return int(Value);
}

int TruncInt(double Value)
{
    return ToInt(std::trunc(Value));
}

int RoundInt(double Value)
{
    return ToInt(std::nearbyint(Value)); // ties to even
}

// The smallest rectangle holding R and the point P (exclusive right/bottom).
void Include(TRect& R, TPoint P, bool& Empty)
{
    if (Empty) {
        R = TRect(P.x(), P.y(), P.x() + 1, P.y() + 1);
        Empty = false;
        return;
    }
    R.Left = std::min(R.Left, P.x());
    R.Top = std::min(R.Top, P.y());
    R.Right = std::max(R.Right, P.x() + 1);
    R.Bottom = std::max(R.Bottom, P.y() + 1);
}

TRect Union(const TRect& A, const TRect& B)
{
    if (A.IsEmpty())
        return B;
    if (B.IsEmpty())
        return A;
    return TRect(std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
        std::max(A.Bottom, B.Bottom));
}

// The points a pointer is drawn from.
struct TPointerShape {
    TPoint Pivot;
    TPoint Tip;
    TPoint Base1;
    TPoint Base2;
    // The hub circle's box; empty when the hub has no radius.
    TRect Hub;
};

} // namespace

TMeter::TMeter(TComponent* AOwner)
    : TPaintBox(AOwner), FVersion(QStringLiteral("V2.00")),
      FCopyright(QStringLiteral("Copyright (c) Velmar Softwaretechnik")), FRanges(clBtnHighlight, 100.0),
      FBuffer(std::make_unique<TBitmap>())
{
    SetControlStyle(ControlStyle() | csOpaque);
    FBuffer->SetSize(Width(), Height());
    (void)Registered;
}

TMeter::~TMeter() = default;

// ---------------------------------------------------------------- setters

void TMeter::Changed()
{
    if (!IsLoading())
        Invalidate();
}

void TMeter::ScaleChanged()
{
    Rescale();
    Changed();
}

void TMeter::SetMeterAngle1(double Value)
{
    if (!(Value >= -360.0 && Value < FMeterAngle2) || Value == FMeterAngle1)
        return;
    FMeterAngle1 = Value;
    ScaleChanged();
}

void TMeter::SetMeterAngle2(double Value)
{
    if (!(Value <= 360.0 && Value > FMeterAngle1) || Value == FMeterAngle2)
        return;
    FMeterAngle2 = Value;
    ScaleChanged();
}

void TMeter::SetValueMin(double Value)
{
    if (!std::isfinite(Value) || Value == FValueMin)
        return;
    FValueMin = Value;
    if (FValueMin >= FValueMax) {
        FValueMax = FValueMin + 1;
        // Beyond 2^53 adding 1 changes nothing: the next number up instead.
        if (!(FValueMax > FValueMin))
            FValueMax = std::nextafter(FValueMin, std::numeric_limits<double>::infinity());
    }
    ClampPointerToScale();
    NormaliseRanges();
    ScaleChanged();
}

void TMeter::SetValueMax(double Value)
{
    if (!std::isfinite(Value) || Value == FValueMax)
        return;
    FValueMax = Value;
    if (FValueMax <= FValueMin) {
        FValueMin = FValueMax - 1;
        if (!(FValueMin < FValueMax))
            FValueMin = std::nextafter(FValueMax, -std::numeric_limits<double>::infinity());
    }
    ClampPointerToScale();
    NormaliseRanges();
    ScaleChanged();
}

void TMeter::SetValueGap(double Value)
{
    if (!(Value > 0) || !std::isfinite(Value) || Value == FValueGap)
        return;
    FValueGap = Value;
    ScaleChanged();
}

void TMeter::SetRangeLimit(double Value)
{
    if (!FRanges.SetLimit(Value))
        return;
    NormaliseRanges();
    ScaleChanged();
}

void TMeter::SetIndicatorScale(int Value)
{
    Value = std::clamp(Value, 0, 200);
    if (Value == FIndicatorScale)
        return;
    FIndicatorScale = Value;
    Changed();
}

void TMeter::SetMeterScaleWidth(int Value)
{
    Value = std::clamp(Value, 0, 100);
    if (Value == FMeterScaleWidth)
        return;
    FMeterScaleWidth = Value;
    ScaleChanged();
}

void TMeter::SetMeterScale(int Value)
{
    Value = std::clamp(Value, 50, 210);
    if (Value == FMeterScale)
        return;
    FMeterScale = Value;
    ScaleChanged();
}

void TMeter::SetRangeNumber(int Value)
{
    if (!FRanges.SetNumber(Value))
        return;
    NormaliseRanges();
    ScaleChanged();
}

void TMeter::SetRangeCurrent(int Value)
{
    if (FRanges.SetCurrent(Value))
        Changed();
}

void TMeter::SetBevelOuterWidth(int Value)
{
    if (Value < 0 || Value == FBevelOuterWidth)
        return;
    FBevelOuterWidth = Value;
    ScaleChanged();
}

void TMeter::SetValueDecimals(int Value)
{
    if (Value == FValueDecimals)
        return;
    FValueDecimals = Value;
    ScaleChanged();
}

void TMeter::SetMeterShiftX(int Value)
{
    Value = std::clamp(Value, -60, 60);
    if (Value == FMeterShiftX)
        return;
    FMeterShiftX = Value;
    ScaleChanged();
}

void TMeter::SetMeterShiftY(int Value)
{
    Value = std::clamp(Value, -60, 60);
    if (Value == FMeterShiftY)
        return;
    FMeterShiftY = Value;
    ScaleChanged();
}

void TMeter::SetRangeColor(TColor Value)
{
    if (FRanges.SetColor(Value))
        Changed();
}

void TMeter::SetIndicatorColor(TColor Value)
{
    if (Value == FIndicatorColor)
        return;
    FIndicatorColor = Value;
    Changed();
}

void TMeter::SetRangeCheck(bool Value)
{
    if (FRanges.SetWatched(Value))
        Changed();
}

void TMeter::SetReduceFlicker(bool Value)
{
    if (Value == FReduceFlicker)
        return;
    FReduceFlicker = Value;
    Changed();
}

void TMeter::SetLegend1(const QString& Value)
{
    if (Value == FLegend1)
        return;
    FLegend1 = Value;
    ScaleChanged();
}

void TMeter::SetLegend2(const QString& Value)
{
    if (Value == FLegend2)
        return;
    FLegend2 = Value;
    ScaleChanged();
}

void TMeter::SetIndicatorStyle(TIndicatorStyle Value)
{
    if (Value == FIndicatorStyle)
        return;
    FIndicatorStyle = Value;
    Changed();
}

void TMeter::SetLabelingStyle(TLabelingStyle Value)
{
    if (Value == FLabelingStyle)
        return;
    FLabelingStyle = Value;
    ScaleChanged();
}

void TMeter::SetTickStyle(TTickStyle Value)
{
    if (Value == FTickStyle)
        return;
    FTickStyle = Value;
    ScaleChanged();
}

void TMeter::SetLegendPosition(TLegendPosition Value)
{
    if (Value == FLegendPosition)
        return;
    FLegendPosition = Value;
    ScaleChanged();
}

void TMeter::FontChanged()
{
    TPaintBox::FontChanged();
    Rescale();
}

// ---------------------------------------------------------------- value

bool TMeter::HasSpan() const
{
    const double span = FValueMax - FValueMin;
    return span > 0 && std::isfinite(span);
}

double TMeter::ClampPointer(double Value) const
{
    const double span = FValueMax - FValueMin;
    return std::max(FValueMin - 0.05 * span, std::min(FValueMax + 0.05 * span, Value));
}

void TMeter::ClampPointerToScale()
{
    const double span = FValueMax - FValueMin;
    const double old = FPointerValue;
    // The pointer follows Value into the new scale, at most 5 % beyond its ends.
    FPointerValue = ClampPointer(FValue);
    if (IsLoading())
        return;
    if (old > FValueMax + 0.05 * span) {
        if (OnRangeCheck)
            Report(-2);
    } else if (old < FValueMin - 0.05 * span) {
        if (OnRangeCheck)
            Report(-1);
    }
}

void TMeter::SetValue(double Value)
{
    if (std::isnan(Value) || Value == FValue)
        return;
    FValue = Value;
    const double old = FPointerValue;
    FPointerValue = ClampPointer(Value);
    if (IsLoading())
        return;
    if (FPointerValue != old)
        MovePointer(old);
    CheckRange();
}

void TMeter::Report(int Status)
{
    if (Status == FRangeStatus)
        return;
    FRangeStatus = Status;
    CallEvent(OnRangeCheck, this, Status);
}

void TMeter::CheckRange()
{
    if (!OnRangeCheck)
        return;
    if (FValue < FValueMin) {
        Report(-1);
        return;
    }
    if (FValue > FValueMax) {
        Report(-2);
        return;
    }
    // The first watched range holding the value; limits belong to the range below them.
    double lower = FValueMin;
    for (int i = 1; i <= FRanges.Number(); ++i) {
        const TRangeEntry& e = FRanges.Entry(i);
        if (e.Watched && FPointerValue >= lower && FValue <= e.Limit) {
            Report(i);
            return;
        }
        lower = e.Limit;
    }
    Report(0);
}

// ---------------------------------------------------------------- stored data

bool TMeter::ReadListProperty(const QVariantList& List, QString* Error)
{
    const auto fail = [&](const QString& Text) {
        if (Error)
            *Error = Text;
        return false;
    };
    double v[8];
    if (!ReadNumberList(List, true, 8, v, Error))
        return false;
    // v: angle 1, angle 2, inner radius, outer radius, pointer, minimum, maximum, gap.
    if (!(v[5] < v[6]))
        return fail(QStringLiteral("entry 7: the scale end must lie above the scale start"));
    if (!(v[7] > 0))
        return fail(QStringLiteral("entry 9: the gap must be positive"));
    TRangeTable ranges = FRanges;
    if (!ranges.FromList(List[0].toList(), true, Error))
        return false;
    FRanges = ranges;
    FMeterAngle1 = v[0];
    FMeterAngle2 = v[1];
    FGeometry.Ri = v[2];
    FGeometry.R = v[3];
    FPointerValue = v[4];
    FValueMin = v[5];
    FValueMax = v[6];
    FValueGap = v[7];
    Rescale();
    Changed();
    return true;
}

QVariantList TMeter::WriteListProperty() const
{
    return {QVariant(FRanges.ToList(true)), FMeterAngle1, FMeterAngle2, FGeometry.Ri, FGeometry.R, FPointerValue,
        FValueMin, FValueMax, FValueGap};
}

void TMeter::Loaded()
{
    TPaintBox::Loaded();
    Rescale();
    Invalidate();
}

// ---------------------------------------------------------------- geometry

double TMeter::AngleOf(double Value) const
{
    if (!HasSpan())
        return FMeterAngle1;
    return (FMeterAngle2 - FMeterAngle1) * (Value - FValueMin) / (FValueMax - FValueMin) + FMeterAngle1;
}

QString TMeter::LabelPattern() const
{
    return ScaleLabelPattern(CircularScaleFormat, FValueMin, FValueMax, std::min(FValueDecimals, LabelLength));
}

TPoint TMeter::PointAt(double AngleDegrees, double Radius) const
{
    const double a = AngleDegrees * DegToRad;
    return TPoint(RoundInt(FGeometry.Cx + Radius * std::sin(a)), RoundInt(FGeometry.Y0 - Radius * std::cos(a)));
}

std::vector<TPoint> TMeter::ArcPoints(double FromValue, double ToValue, double Radius) const
{
    const double a1 = AngleOf(FromValue);
    const double a2 = AngleOf(ToValue);
    const double length = std::fabs(a2 - a1) * DegToRad * std::max(Radius, 0.0);
    // NaN (an infinite range) takes the fewest points: no NaN reaches int.
    const double wanted = length / ArcPixelsPerPoint + 2;
    const int count = wanted > 2 ? int(std::min(wanted, double(MaxArcPoints))) : 2;
    std::vector<TPoint> points;
    points.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        points.push_back(PointAt(a1 + (a2 - a1) * i / (count - 1), Radius));
    return points;
}

void TMeter::Rescale()
{
    if (IsLoading())
        return;
    FScaledSize = QSize(Width(), Height());
    CalcGeometry();
    CalcTicksAndLabels();
    CalcLegend();
}

void TMeter::CalcGeometry()
{
    TGeometry& g = FGeometry;
    const int w = Width();
    const int h = Height();
    g.Cx = w / 2 + TruncInt(FMeterShiftX * w * 0.01);
    g.Cy = h / 2 - TruncInt(FMeterShiftY * h * 0.01);
    g.Y0 = h - g.Cy;

    // The label diagonal: room for the widest end label beside the band.
    const QFontMetrics& metrics = Font()->Metrics();
    const QString pattern = LabelPattern();
    const int th = metrics.height() + 10;
    const int tw = std::max(metrics.horizontalAdvance(ScaleLabel(pattern, FValueMin, LabelLength)),
                       metrics.horizontalAdvance(ScaleLabel(pattern, FValueMax, LabelLength)))
        + 10;
    g.LabelDiagonal = TruncInt(std::sqrt(double(tw) * tw + double(th) * th));
    g.MarginX = g.MarginY = FLabelingStyle == labOutside ? g.LabelDiagonal : 5;

    if (g.Cy + g.MarginY < g.Cx + g.MarginX)
        g.R = (h * 0.5 - FBevelOuterWidth - g.MarginY) * FMeterScale * 0.01;
    else
        g.R = (w * 0.5 - FBevelOuterWidth - g.MarginX) * FMeterScale * 0.01;
    if (!(g.R >= 1))
        g.R = 1;
    g.Ri = (1 - FMeterScaleWidth * 0.01) * g.R;

    g.Bands.clear();
    g.Arc.clear();
    if (!HasSpan())
        return;
    // Range i reaches from the previous limit (or ValueMin) to its own limit.
    double lower = FValueMin;
    for (int i = 1; i <= FRanges.Number(); ++i) {
        const double upper = FRanges.Entry(i).Limit;
        std::vector<TPoint> band;
        if (upper > lower) {
            band = ArcPoints(lower, upper, g.R);
            const std::vector<TPoint> inner = ArcPoints(upper, lower, g.Ri);
            band.insert(band.end(), inner.begin(), inner.end());
        }
        g.Bands.push_back(std::move(band));
        lower = upper;
    }
    g.Arc = ArcPoints(FValueMin, FValueMax, g.R);
}

void TMeter::CalcTicksAndLabels()
{
    TGeometry& g = FGeometry;
    g.Ticks.clear();
    g.Major.clear();
    g.LabelTexts.clear();
    g.LabelPositions.clear();
    g.LabelBoxes.clear();
    g.LabelStep = 1;
    if (!HasSpan())
        return;
    const double span = FValueMax - FValueMin;
    const double sweep = FMeterAngle2 - FMeterAngle1;
    const double arc = 2 * M_PI * g.R * sweep / 360;
    if (!(arc > 0))
        return;
    // Ticks closer than 4 pixels would merge into a bar: thin them out.
    double gap = FValueGap;
    if (span * MinTickDistance / gap > arc)
        gap = span * MinTickDistance / arc;
    double first = std::trunc(FValueMin / gap) * gap;
    if (first < FValueMin)
        first += gap;

    const QFontMetrics& metrics = Font()->Metrics();
    const QString pattern = LabelPattern();
    const bool inside = FLabelingStyle == labInside;
    qint64 step = 0; // labels at every step-th tick, 0 for none
    if (FLabelingStyle != labNone) {
        // Spacing along the arc the labels stand on.
        const double rho = inside ? double(Trunc(g.Ri - g.LabelDiagonal)) : g.R;
        const double larger = std::fabs(FValueMin) < std::fabs(FValueMax) ? FValueMax : FValueMin;
        const int widest = metrics.horizontalAdvance(ScaleLabel(pattern, larger, LabelLength) + QLatin1Char('-'));
        step = CircularLabelStep(span, gap, 2 * M_PI * rho * sweep / 360, Width(), widest);
        g.LabelStep = int(std::max<qint64>(1, std::min<qint64>(step, 1 << 20)));
    }

    if (FTickStyle != ticNone) {
        const double middle = g.Ri + (g.R - g.Ri) * 0.5;
        double inner = g.Ri, outer = g.R;
        double majorInner = g.Ri, majorOuter = g.R;
        switch (FTickStyle) {
        case ticHalf:
            // The half of the band away from the labels.
            if (inside)
                inner = middle;
            else
                outer = middle;
            majorInner = inside ? g.Ri : inner;
            majorOuter = FLabelingStyle == labOutside ? g.R : outer;
            break;
        case ticLarge:
            if (inside)
                inner = g.Ri - 5;
            else
                outer = g.R + 5;
            majorInner = inside ? g.Ri - 10 : inner;
            majorOuter = FLabelingStyle == labOutside ? g.R + 8 : outer;
            break;
        default: // ticFull
            majorInner = inside ? g.Ri - 5 : inner;
            majorOuter = FLabelingStyle == labOutside ? g.R + 5 : outer;
            break;
        }
        const qint64 count = ScaleMarkCount(span, gap);
        g.Ticks.reserve(size_t(std::max<qint64>(0, count)) * 2);
        for (qint64 i = 0; i < count; ++i) {
            const double v = first + double(i) * gap;
            if (!(v <= FValueMax))
                break;
            const bool major = step > 0 && i % step == 0;
            const double a = AngleOf(v) * DegToRad;
            const double r1 = major ? majorInner : inner;
            const double r2 = major ? majorOuter : outer;
            g.Ticks.emplace_back(TruncInt(std::sin(a) * r1 + g.Cx), TruncInt(g.Y0 - std::cos(a) * r1));
            g.Ticks.emplace_back(TruncInt(std::sin(a) * r2 + g.Cx), TruncInt(g.Y0 - std::cos(a) * r2));
            g.Major.push_back(major);
        }
    }

    if (step <= 0)
        return;
    const double labelStep = double(step) * gap;
    const qint64 count = std::clamp<qint64>(ScaleMarkCount(span, labelStep), 1, MaxScaleLabels);
    const int h = Height();
    const int th = metrics.height();
    for (qint64 j = 0; j < count; ++j) {
        const double v = first + double(j) * labelStep;
        if (!(v <= FValueMax))
            break;
        const QString text = ScaleLabel(pattern, v, LabelLength);
        const double a = AngleOf(v) * DegToRad;
        const int tw = metrics.horizontalAdvance(text);
        const double e = double(Trunc(std::sqrt(double(tw) * tw + double(th) * th) * 0.5 + 5));
        const double r = inside ? g.Ri - e : g.R + e;
        const TPoint p(TruncInt(std::sin(a) * r + g.Cx - tw * 0.5), TruncInt(h - std::cos(a) * r - g.Cy - th * 0.5));
        g.LabelTexts.push_back(text);
        g.LabelPositions.push_back(p);
        g.LabelBoxes.push_back(QRect(p, QSize(tw, th)).adjusted(-2, -2, 2, 2));
    }
}

void TMeter::CalcLegend()
{
    TGeometry& g = FGeometry;
    // The legend point lies halfway between the pivot and the inner band edge.
    int px = g.Cx, py = g.Y0;
    switch (FLegendPosition) {
    case legLeft:
        px = RoundInt(g.Cx - g.Ri / 2);
        break;
    case LegRight:
        px = RoundInt(g.Cx + g.Ri / 2);
        break;
    case LegTop:
        py = RoundInt(g.Y0 - g.Ri / 2);
        break;
    case LegBottom:
        py = RoundInt(g.Y0 + g.Ri / 2);
        break;
    }
    const QFontMetrics& metrics = Font()->Metrics();
    const int h = metrics.height();
    const auto x = [&](const QString& Text) { return px - metrics.horizontalAdvance(Text) / 2; };
    g.Legend1Position = TPoint(x(FLegend1), py);
    g.Legend2Position = TPoint(x(FLegend2), py);
    if (FLegend1.isEmpty() || FLegend2.isEmpty())
        return; // a single line stands with its top on the point
    if (FLegendPosition == legLeft || FLegendPosition == LegRight) {
        // The first line centred on the point, the second directly below.
        g.Legend1Position.ry() = py - h / 2;
        g.Legend2Position.ry() = py + h / 2;
    } else {
        g.Legend1Position.ry() = py - h / 2 - 5;
        g.Legend2Position.ry() = py;
    }
}

namespace {

TPointerShape ShapeOf(int Cx, int Y0, double AngleRadians, double Length, bool Wedge)
{
    TPointerShape s;
    const double a = AngleRadians;
    const int hub = RoundInt(0.04 * Length);
    s.Pivot = TPoint(Cx, Y0);
    if (Wedge) {
        const double back = 0.3 * Length;
        s.Tip = TPoint(RoundInt(std::sin(a) * Length + Cx), RoundInt(Y0 - std::cos(a) * Length));
        s.Base1 = TPoint(RoundInt(std::sin(a - 2.9) * back + Cx), RoundInt(Y0 - std::cos(a - 2.9) * back));
        s.Base2 = TPoint(RoundInt(std::sin(a + 2.9) * back + Cx), RoundInt(Y0 - std::cos(a + 2.9) * back));
    } else {
        s.Tip = TPoint(TruncInt(std::sin(a) * Length + Cx), TruncInt(Y0 - std::cos(a) * Length));
        s.Base1 = s.Base2 = s.Pivot;
    }
    if (hub > 0)
        s.Hub = TRect(Cx - hub + 1, Y0 - hub + 1, Cx + hub + 1, Y0 + hub + 1);
    return s;
}

} // namespace

TRect TMeter::PointerRect(double PointerValue) const
{
    const TPointerShape s = ShapeOf(FGeometry.Cx, FGeometry.Y0, AngleOf(PointerValue) * DegToRad,
        FIndicatorScale * 0.01 * FGeometry.R, FIndicatorStyle == indWedge);
    TRect r;
    bool empty = true;
    for (const TPoint& p : {s.Pivot, s.Tip, s.Base1, s.Base2})
        Include(r, p, empty);
    // A pixel of margin for the outline of the polygon and the hub circle.
    return InflateRect(Union(r, s.Hub), 2, 2);
}

TRect TMeter::MoveRect(double OldPointer, double NewPointer) const
{
    TRect r = Union(PointerRect(OldPointer), PointerRect(NewPointer));
    const TGeometry& g = FGeometry;
    // When the pointer reaches into the band, the band section it swept is
    // covered too: from the inner to the outer radius between both angles.
    if (FIndicatorScale * 0.01 * g.R < g.Ri || !HasSpan())
        return r;
    const double lo = std::max(std::min(OldPointer, NewPointer), FValueMin);
    const double hi = std::min(std::max(OldPointer, NewPointer), FValueMax);
    if (!(lo <= hi))
        return r; // both beyond the same end of the band
    const double a1 = AngleOf(lo), a2 = AngleOf(hi);
    TRect section;
    bool empty = true;
    for (double a : {a1, a2}) {
        Include(section, PointAt(a, g.R), empty);
        Include(section, PointAt(a, g.Ri), empty);
    }
    // The outermost points of the circle between both angles.
    for (double a = std::ceil(a1 / 90) * 90; a < a2; a += 90)
        Include(section, PointAt(a, g.R), empty);
    return Union(r, InflateRect(section, 2, 2));
}

// ---------------------------------------------------------------- drawing

void TMeter::DrawPointer(TCanvas* Canvas)
{
    const TPointerShape s = ShapeOf(FGeometry.Cx, FGeometry.Y0, AngleOf(FPointerValue) * DegToRad,
        FIndicatorScale * 0.01 * FGeometry.R, FIndicatorStyle == indWedge);
    TPen* pen = Canvas->Pen();
    TBrush* brush = Canvas->Brush();
    pen->SetStyle(psSolid);
    pen->SetMode(pmCopy);
    pen->SetWidth(1);
    pen->SetColor(FIndicatorColor);
    brush->SetStyle(bsSolid);
    brush->SetColor(FIndicatorColor);
    if (FIndicatorStyle == indNeedle) {
        LineInImage(Canvas, s.Pivot, s.Tip);
        if (!s.Hub.IsEmpty())
            Canvas->Ellipse(s.Hub);
        return;
    }
    const TPoint points[] = {s.Tip, s.Base1, s.Base2};
    Canvas->Polygon(points, 3);
    // The hub in the background colour: the wedge shows a hole at its pivot.
    if (!s.Hub.IsEmpty()) {
        brush->SetColor(Color());
        pen->SetStyle(psClear);
        Canvas->Ellipse(s.Hub);
        pen->SetStyle(psSolid);
    }
}

void TMeter::DrawMeter(TCanvas* Canvas)
{
    if (FScaledSize != QSize(Width(), Height()))
        Rescale();
    const TGeometry& g = FGeometry;
    const QRect clip = Canvas->ClipBox().ToQRect();
    TPen* pen = Canvas->Pen();
    TBrush* brush = Canvas->Brush();
    pen->SetStyle(psSolid);
    pen->SetMode(pmCopy);
    pen->SetWidth(1);
    pen->SetColor(Color());
    brush->SetStyle(bsSolid);
    brush->SetColor(Color());
    Canvas->FillRect(TRect(0, 0, Width(), Height()));
    if (FBevelOuterWidth > 0) {
        TRect frame(0, 0, Width(), Height());
        FrameRings(Canvas, frame, clBtnHighlight, clBtnShadow, FBevelOuterWidth);
    }

    if (HasSpan()) {
        if (FMeterScaleWidth >= 1) {
            for (size_t i = 0; i < g.Bands.size(); ++i) {
                if (g.Bands[i].size() < 2)
                    continue;
                const TColor c = FRanges.Entry(int(i) + 1).Color;
                brush->SetColor(c);
                pen->SetColor(c);
                Canvas->Polygon(g.Bands[i]);
            }
        }
        pen->SetColor(Font()->Color());
        Canvas->Polyline(g.Arc);
        if (FTickStyle != ticNone) {
            for (size_t i = 0; i + 1 < g.Ticks.size(); i += 2) {
                const TPoint& a = g.Ticks[i];
                const TPoint& b = g.Ticks[i + 1];
                if (QRect(a, b).normalized().adjusted(-1, -1, 1, 1).intersects(clip))
                    LineInImage(Canvas, a, b);
            }
        }
    }
    Canvas->SetFont(Font());
    brush->SetStyle(bsClear);
    if (HasSpan() && FLabelingStyle != labNone)
        for (size_t i = 0; i < g.LabelTexts.size(); ++i)
            if (g.LabelBoxes[i].intersects(clip))
                Canvas->TextOut(g.LabelPositions[i].x(), g.LabelPositions[i].y(), g.LabelTexts[i]);
    if (!FLegend1.isEmpty())
        Canvas->TextOut(g.Legend1Position.x(), g.Legend1Position.y(), FLegend1);
    if (!FLegend2.isEmpty())
        Canvas->TextOut(g.Legend2Position.x(), g.Legend2Position.y(), FLegend2);
    brush->SetStyle(bsSolid);
    if (HasSpan())
        DrawPointer(Canvas);
}

void TMeter::Paint()
{
    const QSize size(Width(), Height());
    if (FScaledSize != size)
        Rescale();
    TCanvas* canvas = Canvas();
    if (FReduceFlicker) {
        FBuffer->SetSize(size.width(), size.height());
        TCanvas* buffer = FBuffer->Canvas();
        buffer->SetFont(Font());
        // Only what the control repaints is composed.
        const QRegion region
            = canvas->HasClipRegion() ? canvas->ClipRegion() : QRegion(0, 0, size.width(), size.height());
        buffer->SetClipRegion(region);
        DrawMeter(buffer);
        buffer->ClearClipRegion();
        const TCopyMode mode = canvas->CopyMode();
        canvas->SetCopyMode(cmSrcCopy);
        canvas->CopyRect(TRect(0, 0, size.width(), size.height()), buffer, TRect(0, 0, size.width(), size.height()));
        canvas->SetCopyMode(mode);
    } else {
        DrawMeter(canvas);
    }
    FPaintedSize = size;
    // The paint box's event: a handler may draw over the finished picture.
    CallEvent(OnPaint, this);
}

void TMeter::MovePointer(double OldPointer)
{
    const QSize size(Width(), Height());
    if (size != FPaintedSize || size != FScaledSize || size.isEmpty()) {
        Invalidate(); // not painted at this size yet: nothing to patch
        return;
    }
    const TRect rect = TRect::FromQRect(MoveRect(OldPointer, FPointerValue).ToQRect() & QRect(QPoint(0, 0), size));
    if (rect.IsEmpty())
        return;
    TCanvas* canvas = Canvas();
    if (FReduceFlicker) {
        FBuffer->SetSize(size.width(), size.height());
        TCanvas* buffer = FBuffer->Canvas();
        buffer->SetFont(Font());
        buffer->SetClipRegion(QRegion(rect.ToQRect()));
        DrawMeter(buffer);
        buffer->ClearClipRegion();
        const TCopyMode mode = canvas->CopyMode();
        canvas->SetCopyMode(cmSrcCopy);
        canvas->CopyRect(rect, buffer, rect);
        canvas->SetCopyMode(mode);
    } else {
        canvas->SaveClip();
        canvas->SetClipRegion(QRegion(rect.ToQRect()));
        DrawMeter(canvas);
        canvas->RestoreClip();
    }
}

} // namespace Tessaron
