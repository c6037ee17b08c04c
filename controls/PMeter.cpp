#include "controls/PMeter.h"

#include <controls/DrawHelpers.h>
#include <platform/Streaming.h>
#include <platform/SysUtils.h>

#include <QFontMetrics>

#include <cmath>

namespace Tessaron {

namespace {

[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TPanelMeter>();
    return true;
}();

// Lit segments per character, bit k for segment k + 1 (top, upper right,
// middle, lower right, bottom, lower left, upper left).
constexpr int Pattern(int s1, int s2, int s3, int s4, int s5, int s6, int s7)
{
    return s1 | s2 << 1 | s3 << 2 | s4 << 3 | s5 << 4 | s6 << 5 | s7 << 6;
}

constexpr std::array<int, 10> DigitPatterns{
    Pattern(1, 1, 0, 1, 1, 1, 1), // 0
    Pattern(0, 1, 0, 1, 0, 0, 0), // 1
    Pattern(1, 1, 1, 0, 1, 1, 0), // 2
    Pattern(1, 1, 1, 1, 1, 0, 0), // 3
    Pattern(0, 1, 1, 1, 0, 0, 1), // 4
    Pattern(1, 0, 1, 1, 1, 0, 1), // 5
    Pattern(1, 0, 1, 1, 1, 1, 1), // 6
    Pattern(1, 1, 0, 1, 0, 0, 0), // 7
    Pattern(1, 1, 1, 1, 1, 1, 1), // 8
    Pattern(1, 1, 1, 1, 1, 0, 1), // 9
};
constexpr int MinusPattern = Pattern(0, 0, 1, 0, 0, 0, 0);

constexpr double DegToRad = 3.14159265358979323846 / 180.0;

// The height of a slot text line ("089" in the slot font).
int SlotTextHeight(const TFont* Font)
{
    return Font->Metrics().height();
}

bool IsPoint(QChar C)
{
    return C == QLatin1Char('.') || C == QLatin1Char(',');
}

} // namespace

int SevenSegmentPattern(QChar C)
{
    if (C >= QLatin1Char('0') && C <= QLatin1Char('9'))
        return DigitPatterns[size_t(C.unicode() - '0')];
    if (C == QLatin1Char('-'))
        return MinusPattern;
    return 0;
}

TPanelMeter::TPanelMeter(TComponent* AOwner)
    : TGraphicControl(AOwner), FVersion(QStringLiteral("V2.00")),
      FCopyright(QStringLiteral("Copyright (c) Velmar Softwaretechnik")), FSlotFont(std::make_unique<TFont>())
{
    (void)Registered;
    // The meter paints every pixel of its rectangle.
    SetControlStyle(ControlStyle() | csOpaque);
    SetColor(clBlack);
    FSlotFont->SetName(QStringLiteral("Arial"));
    FSlotFont->SetSize(8);
    FSlotFont->SetStyle(fsBold);
    FSlotFont->SetColor(clBlack);
    FSlotFont->OnChange = [this](TObject*) { Invalidate(); };
    BuildDisplayFormat();
}

TPanelMeter::~TPanelMeter()
{
    // The font must not call back into a half-destroyed meter.
    FSlotFont->OnChange = nullptr;
}

// ---------------------------------------------------------------- setters

void TPanelMeter::SetBevelWidth(int Value)
{
    if (Value == FBevelWidth)
        return;
    FBevelWidth = Value;
    Invalidate();
}

void TPanelMeter::SetBorderWidth(int Value)
{
    if (Value == FBorderWidth)
        return;
    FBorderWidth = Value;
    Invalidate();
}

void TPanelMeter::SetDigits(int Value)
{
    if (Value < 1 || Value > MaxDigits || Value == FDigits)
        return;
    FDigits = Value;
    BuildDisplayFormat();
    Invalidate();
}

void TPanelMeter::SetDecimalPoint(int Value)
{
    if (Value < 0 || Value == FDecimalPoint)
        return;
    FDecimalPoint = Value;
    BuildDisplayFormat();
    Invalidate();
}

void TPanelMeter::SetSign(TPanelMeterSign Value)
{
    if ((Value != pmrNegative && Value != pmrOnlyPositive) || Value == FSign)
        return;
    FSign = Value;
    BuildDisplayFormat();
    Invalidate();
}

void TPanelMeter::SetValueMin(double Value)
{
    if (!std::isfinite(Value) || Value == FValueMin)
        return;
    FValueMin = Value;
    Invalidate();
}

void TPanelMeter::SetValueMax(double Value)
{
    if (!std::isfinite(Value) || Value == FValueMax)
        return;
    FValueMax = Value;
    Invalidate();
}

void TPanelMeter::SetDisplayAngle(double Value)
{
    if (!std::isfinite(Value) || Value == FDisplayAngle)
        return;
    FDisplayAngle = Value;
    Invalidate();
}

void TPanelMeter::SetBevelColor1(TColor Value)
{
    if (Value == FBevelColor1)
        return;
    FBevelColor1 = Value;
    Invalidate();
}

void TPanelMeter::SetBevelColor2(TColor Value)
{
    if (Value == FBevelColor2)
        return;
    FBevelColor2 = Value;
    Invalidate();
}

void TPanelMeter::SetBorderColor(TColor Value)
{
    if (Value == FBorderColor)
        return;
    FBorderColor = Value;
    Invalidate();
}

void TPanelMeter::SetDisplayColor(TColor Value)
{
    if (Value == FDisplayColor)
        return;
    FDisplayColor = Value;
    Invalidate();
}

void TPanelMeter::SetSlots(const QStringList& Value)
{
    if (Value == FSlots)
        return;
    FSlots = Value;
    FSlotActive.assign(size_t(FSlots.size()), false);
    Invalidate();
}

void TPanelMeter::SetSlotFont(TFont* Value)
{
    // The font's own change notice repaints.
    if (Value && Value != FSlotFont.get())
        FSlotFont->Assign(Value);
}

void TPanelMeter::SetValue(double Value)
{
    if (!std::isfinite(Value) || Value == FValue)
        return;
    FValue = Value;
    if (!IsLoading() && OnRangeCheck) {
        int status = rcInRange;
        if (FValue < FValueMin)
            status = rcBelowMin;
        else if (FValue > FValueMax)
            status = rcAboveMax;
        else if (FSign == pmrOnlyPositive && FValue < 0)
            status = rcNegative;
        if (status != FRangeStatus) {
            // Remembered first: a handler that sets Value again compares with it.
            FRangeStatus = status;
            OnRangeCheck(this, status);
        }
    }
    if (FSign == pmrOnlyPositive && FValue < 0)
        FValue = -FValue;
    if (IsLoading() || !CanDrawNow())
        return;
    DrawDigits(Canvas());
}

// ---------------------------------------------------------------- slots

void TPanelMeter::SetSlot(int Index, bool Active)
{
    if (Index < 0 || Index >= int(FSlotActive.size()))
        return;
    FSlotActive[size_t(Index)] = Active;
    if (!IsLoading() && CanDrawNow())
        DrawSlots(Canvas());
}

bool TPanelMeter::GetSlot(int Index) const
{
    if (Index < 0 || Index >= int(FSlotActive.size()))
        return false;
    return FSlotActive[size_t(Index)];
}

std::vector<TRect> TPanelMeter::SlotRects() const
{
    std::vector<TRect> boxes;
    if (FSlots.isEmpty())
        return boxes;
    const QFontMetrics& metrics = FSlotFont->Metrics();
    const TRect display = DisplayRect();
    const int th = metrics.height() + 6;
    const int y = display.Bottom - th - 3;
    int x = display.Left + 3;
    for (const QString& text : FSlots) {
        const int width = metrics.horizontalAdvance(text) + 6;
        boxes.emplace_back(x, y, x + width, y + th);
        x += width + 3;
    }
    return boxes;
}

// ---------------------------------------------------------------- format

void TPanelMeter::BuildDisplayFormat()
{
    QString digits(FDigits, QLatin1Char('0'));
    if (FDecimalPoint > 0 && FDecimalPoint <= FDigits)
        digits.insert(FDecimalPoint, QLatin1Char('.'));
    if (FSign == pmrNegative)
        FDisplayFormat = QLatin1Char(' ') + digits + QStringLiteral(";-") + digits;
    else
        FDisplayFormat = digits;
}

QString TPanelMeter::DisplayText() const
{
    // Without a sign cell the magnitude is shown, also for a negative value
    // that came in while the sign cell was still there or from a description.
    const double value = FSign == pmrOnlyPositive ? std::fabs(FValue) : FValue;
    return FormatFloat(FDisplayFormat, value);
}

// ---------------------------------------------------------------- geometry

TRect TPanelMeter::DisplayRect() const
{
    // Raised bevel, flat border and sunken bevel, each shrinking the rectangle.
    const int inset = std::max(FBevelWidth, 0) * 2 + std::max(FBorderWidth, 0);
    return InflateRect(TRect(0, 0, Width(), Height()), -inset, -inset);
}

TPanelMeterLayout TPanelMeter::Layout() const
{
    TPanelMeterLayout g;
    g.Display = DisplayRect();
    const int wd = g.Display.Width();
    const int hd = g.Display.Height();
    if (wd <= 0 || hd <= 0)
        return g;

    const double a = FDisplayAngle * DegToRad;
    const double sinA = std::sin(a);
    const int signCells = FSign == pmrNegative ? 1 : 0;

    // The digit unit from the width, limited by the height (minus the slot row).
    qint64 h = Round(double(wd) / ((FDigits + 1) + 0.5 * FDigits + signCells) / (sinA + 1.066));
    qint64 hv = Round(hd / 3.0);
    if (!FSlots.isEmpty())
        hv = Round((hd - (SlotTextHeight(FSlotFont.get()) + 9)) / 3.0);
    h = std::min(h, hv);
    if (h <= 0 || h > 100000)
        return g;

    const double w = 0.4 * double(h);
    const double t = 0.2 * w;
    const double w1 = w - 2 * t;
    const int H = int(h);
    const int s = int(Round(w1 / std::sqrt(2.0)));
    const int e = int(Round(t));
    const int q = int(Round(0.4 * w1));
    const int m = int(Round(0.8 * w1)) / 2;
    g.H = H;
    g.S = s;
    g.E = e;
    g.Q = q;
    g.M = m;

    // One cell in a frame with y upward, y = 0 at the bottom of the digit.
    const int ym = H + e + e / 2;
    const int x8 = H + 2 * e + H / 4 - 1;
    const std::array<std::vector<TPoint>, 8> cell{{
        {{e, 2 * H + 3 * e}, {e + H, 2 * H + 3 * e}, {e + H - s, 2 * H + 3 * e - s}, {e + s, 2 * H + 3 * e - s}},
        {{H + 2 * e, H + 2 * e}, {H + 2 * e, 2 * H + 2 * e}, {H + 2 * e - s, 2 * H + 2 * e - s},
            {H + 2 * e - s, H + 2 * e + s}},
        {{m, ym}, {m + q, ym + q}, {H + 2 * e - m - q, ym + q}, {H + 2 * e - m, ym}, {H + 2 * e - m - q, ym - q},
            {m + q, ym - q}},
        {{H + 2 * e, e}, {H + 2 * e, H + e}, {H + 2 * e - s, H + e - s}, {H + 2 * e - s, e + s}},
        {{e, 0}, {e + H, 0}, {e + H - s, s}, {e + s, s}},
        {{0, H + e}, {0, e}, {s, e + s}, {s, H + e - s}},
        {{0, 2 * H + 2 * e}, {0, H + 2 * e}, {s, H + 2 * e + s}, {s, 2 * H + 2 * e - s}},
        {{x8, 0}, {x8 + s, 0}, {x8 + s, s}, {x8, s}},
    }};

    // Placement: centred across the display, the digits' bottom line at BaseY.
    const qint64 total = Round((sinA + 1.066) * (1.5 * FDigits + signCells) * double(h));
    g.X0 = wd / 2 - int(total / 2) + g.Display.Left;
    g.BaseY = g.Display.Top + 2 * (H + e) + H / 2;
    for (size_t k = 0; k < cell.size(); ++k) {
        TSegmentPolygon& poly = g.Segments[k];
        poly.Count = int(cell[k].size());
        for (int i = 0; i < poly.Count; ++i) {
            const TPoint p = cell[k][size_t(i)];
            // The slant moves higher points to the right.
            const int x = p.x() + int(Round(sinA * p.y()));
            poly.Points[size_t(i)] = TPoint(x + g.X0, g.BaseY - p.y());
        }
    }

    const qint64 unit = Round((sinA + 1) * double(h));
    g.Pitch = int(Round(1.6 * double(unit)));
    g.Cells = FDigits + signCells;
    return g;
}

// ---------------------------------------------------------------- painting

bool TPanelMeter::CanDrawNow() const
{
    return Width() > 0 && Height() > 0 && HasCanvas();
}

void TPanelMeter::Paint()
{
    TCanvas* canvas = Canvas();
    TRect r(0, 0, Width(), Height());
    FrameRings(canvas, r, FBevelColor1, FBevelColor2, FBevelWidth);
    if (FBorderWidth > 0) {
        FrameRings(canvas, r, FBorderColor, FBorderColor, FBorderWidth);
    }
    FrameRings(canvas, r, FBevelColor2, FBevelColor1, FBevelWidth);

    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(DisplayRect());
    DrawDigits(canvas);
    DrawSlots(canvas);
}

void TPanelMeter::DrawDigits(TCanvas* Canvas)
{
    const TPanelMeterLayout g = Layout();
    if (!g.Valid())
        return;
    const QString text = DisplayText();
    // Past the text every position reads as a blank.
    auto at = [&text](int i) { return i < text.size() ? text[i] : QLatin1Char(' '); };

    Canvas->SaveClip();
    Canvas->IntersectClipRect(g.Display);
    TPen* pen = Canvas->Pen();
    TBrush* brush = Canvas->Brush();
    pen->SetStyle(psSolid);
    pen->SetMode(pmCopy);
    pen->SetWidth(1);
    brush->SetStyle(bsSolid);

    auto paint = [&](int Cell, int Segment, TColor Color) {
        const TSegmentPolygon& poly = g.Segments[size_t(Segment)];
        std::array<TPoint, 6> points;
        const int dx = Cell * g.Pitch;
        for (int i = 0; i < poly.Count; ++i)
            points[size_t(i)] = poly.Points[size_t(i)] + TPoint(dx, 0);
        pen->SetColor(Color);
        brush->SetColor(Color);
        Canvas->Polygon(points.data(), poly.Count);
    };

    int pos = 0;
    for (int cell = 0; cell < g.Cells; ++cell) {
        const QChar c = at(pos++);
        if (c == QLatin1Char(' ')) {
            for (int k = 0; k < 7; ++k)
                paint(cell, k, Color());
            continue;
        }
        const int lit = SevenSegmentPattern(IsPoint(c) ? QLatin1Char('.') : c);
        for (int k = 0; k < 7; ++k)
            paint(cell, k, (lit >> k) & 1 ? FDisplayColor : Color());
        if (IsPoint(at(pos))) {
            paint(cell, 7, FDisplayColor);
            ++pos;
        } else {
            paint(cell, 7, Color());
        }
    }
    Canvas->RestoreClip();
}

void TPanelMeter::DrawSlots(TCanvas* Canvas)
{
    if (FSlots.isEmpty())
        return;
    const std::vector<TRect> boxes = SlotRects();
    Canvas->SaveClip();
    Canvas->IntersectClipRect(DisplayRect());
    Canvas->SetFont(FSlotFont.get());
    TBrush* brush = Canvas->Brush();
    brush->SetStyle(bsSolid);
    for (size_t i = 0; i < boxes.size(); ++i) {
        const bool shown = FSlotActive[i] || IsDesigning();
        brush->SetColor(shown ? FDisplayColor : Color());
        Canvas->FillRect(boxes[i]);
        if (shown)
            Canvas->TextOut(boxes[i].Left + 3, boxes[i].Top + 3, FSlots[int(i)]);
    }
    Canvas->RestoreClip();
}

// ---------------------------------------------------------------- stored data

bool TPanelMeter::ReadListProperty(const QVariantList& List, QString* Error)
{
    double v[4];
    if (!ReadNumberList(List, false, 4, v, Error))
        return false;
    FValue = v[0];
    FValueMin = v[1];
    FValueMax = v[2];
    FDisplayAngle = v[3];
    Invalidate();
    return true;
}

QVariantList TPanelMeter::WriteListProperty() const
{
    return {FValue, FValueMin, FValueMax, FDisplayAngle};
}

void TPanelMeter::Loaded()
{
    TGraphicControl::Loaded();
    Invalidate();
}

} // namespace Tessaron
