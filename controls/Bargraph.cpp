#include "controls/Bargraph.h"

#include "controls/DrawHelpers.h"

#include <platform/Streaming.h>
#include <platform/SysUtils.h>

#include <algorithm>
#include <cmath>

namespace Tessaron {

namespace {

const bool Registered = [] {
    RegisterClass<TBarGraph>();
    return true;
}();

} // namespace

TBarGraph::TBarGraph(TComponent* AOwner)
    : TGraphicControl(AOwner), FVersion(QStringLiteral("V2.00")),
      FCopyright(QStringLiteral("Copyright (c) Velmar Softwaretechnik")),
      FPictureBackground(std::make_unique<TPicture>()), FLabelingFont(std::make_unique<TFont>())
{
    (void)Registered;
    SetColor(clBtnFace);
    FLabelingFont->SetName(QStringLiteral("Arial"));
    FLabelingFont->SetSize(8);
    FLabelingFont->SetStyle(fsBold);
    FLabelingFont->SetColor(clBlack);
    const auto changed = [this](TObject*) { Changed(); };
    FLabelingFont->OnChange = changed;
    FPictureBackground->OnChange = changed;
}

TBarGraph::~TBarGraph()
{
    // The owned objects must not call back into a half-destroyed bar graph.
    FLabelingFont->OnChange = nullptr;
    FPictureBackground->OnChange = nullptr;
}

// ---------------------------------------------------------------- setters

void TBarGraph::Changed()
{
    if (!IsLoading())
        Invalidate();
}

void TBarGraph::SetBevelWidth(int Value)
{
    if (Value == FBevelWidth)
        return;
    FBevelWidth = Value;
    Changed();
}

void TBarGraph::SetBarWidth(int Value)
{
    if (Value == FBarWidth)
        return;
    FBarWidth = Value;
    Changed();
}

void TBarGraph::SetRangeNumber(int Value)
{
    if (!FRanges.SetNumber(Value))
        return;
    NormaliseRanges();
    Changed();
}

void TBarGraph::SetRangeCurrent(int Value)
{
    if (FRanges.SetCurrent(Value))
        Changed();
}

void TBarGraph::SetLabelingDecimals(int Value)
{
    if (Value == FLabelingDecimals)
        return;
    FLabelingDecimals = Value;
    Changed();
}

void TBarGraph::SetOffsetLower(int Value)
{
    if (Value == FOffsetLower)
        return;
    FOffsetLower = Value;
    Changed();
}

void TBarGraph::SetOffsetUpper(int Value)
{
    if (Value == FOffsetUpper)
        return;
    FOffsetUpper = Value;
    Changed();
}

void TBarGraph::SetValueMin(double Value)
{
    if (!(Value < FValueMax) || !std::isfinite(Value) || Value == FValueMin)
        return;
    FValueMin = Value;
    NormaliseRanges();
    Changed();
}

void TBarGraph::SetValueMax(double Value)
{
    if (!(Value > FValueMin) || !std::isfinite(Value) || Value == FValueMax)
        return;
    FValueMax = Value;
    NormaliseRanges();
    Changed();
}

void TBarGraph::SetRangeLimit(double Value)
{
    if (!FRanges.SetLimit(Value))
        return;
    NormaliseRanges();
    Changed();
}

void TBarGraph::SetLabelingGap(double Value)
{
    if (!(Value > 0) || !std::isfinite(Value) || Value == FLabelingGap)
        return;
    FLabelingGap = Value;
    Changed();
}

void TBarGraph::SetBevelColor1(TColor Value)
{
    if (Value == FBevelColor1)
        return;
    FBevelColor1 = Value;
    Changed();
}

void TBarGraph::SetBevelColor2(TColor Value)
{
    if (Value == FBevelColor2)
        return;
    FBevelColor2 = Value;
    Changed();
}

void TBarGraph::SetBarColor(TColor Value)
{
    if (Value == FBarColor)
        return;
    FBarColor = Value;
    Changed();
}

void TBarGraph::SetRangeColor(TColor Value)
{
    if (FRanges.SetColor(Value))
        Changed();
}

void TBarGraph::SetPictureBackground(TPicture* Value)
{
    FPictureBackground->Assign(Value); // repaints through OnChange
}

void TBarGraph::SetKind(TScrollBarKind Value)
{
    if (Value == FKind)
        return;
    FKind = Value;
    if (IsDesigning() && !IsLoading())
        SetBounds(Left(), Top(), Height(), Width());
    Changed();
}

void TBarGraph::SetLabelingFont(TFont* Value)
{
    if (Value)
        FLabelingFont->Assign(Value); // repaints through OnChange
}

void TBarGraph::SetLabelingOrientation(TLabelingOrientation Value)
{
    if (Value == FLabelingOrientation)
        return;
    FLabelingOrientation = Value;
    Changed();
}

void TBarGraph::SetLabelingStyle(TLabelingStyle Value)
{
    if (Value == FLabelingStyle || Value == lbsAsymmetric)
        return;
    FLabelingStyle = Value;
    Changed();
}

void TBarGraph::SetValue(double Value)
{
    if (std::isnan(Value) || Value == FValue)
        return;
    const double v = std::max(FValueMin, std::min(FValueMax, Value));
    if (v == FValue)
        return;
    const double old = FValue;
    FValue = v;
    if (!IsLoading())
        MoveBar(old);
}

// ---------------------------------------------------------------- stored data

bool TBarGraph::ReadListProperty(const QVariantList& List, QString* Error)
{
    double v[4];
    if (!ReadNumberList(List, true, 4, v, Error))
        return false;
    if (!FRanges.FromList(List[0].toList(), false, Error))
        return false;
    FValue = v[0];
    FValueMin = v[1];
    FValueMax = v[2];
    FLabelingGap = v[3];
    Changed();
    return true;
}

QVariantList TBarGraph::WriteListProperty() const
{
    return {QVariant(FRanges.ToList(false)), FValue, FValueMin, FValueMax, FLabelingGap};
}

void TBarGraph::Loaded()
{
    TGraphicControl::Loaded();
    Invalidate();
}

// ---------------------------------------------------------------- geometry

TRect TBarGraph::CalcColumnRect() const
{
    if (Vertical()) {
        const int left = (Width() - FBarWidth) / 2;
        return TRect(left, FOffsetUpper, left + FBarWidth, Height() - FOffsetLower);
    }
    const int top = (Height() - FBarWidth) / 2;
    return TRect(FOffsetLower, top, Width() - FOffsetUpper, top + FBarWidth);
}

TRect TBarGraph::InnerRect(const TRect& Column) const
{
    return FBevelWidth > 0 ? InflateRect(Column, -FBevelWidth, -FBevelWidth) : Column;
}

int TBarGraph::LevelOffset(const TRect& Inner, double V) const
{
    const int length = Vertical() ? Inner.Height() : Inner.Width();
    if (!HasSpan() || length <= 0)
        return 0;
    // Limits read from a description are not normalised: stay in the column.
    const double offset = (V - FValueMin) * length / (FValueMax - FValueMin);
    return int(Round(std::clamp(offset, 0.0, double(length))));
}

TRect TBarGraph::LevelLine(const TRect& Column, const TRect& Inner, int Offset) const
{
    if (Vertical()) {
        const int y = Inner.Bottom - Offset;
        return TRect(Column.Left, y, Column.Right, y);
    }
    const int x = Inner.Left + Offset;
    return TRect(x, Column.Top, x, Column.Bottom);
}

// ---------------------------------------------------------------- drawing

void TBarGraph::DrawBar(TCanvas* Canvas)
{
    const TRect column = CalcColumnRect();
    FColumnRect = column;
    if (column.IsEmpty()) {
        FLevelRect = column;
        return;
    }
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(FBarColor);
    Canvas->FillRect(column);
    TRect frame = column;
    FrameRings(Canvas, frame, FBevelColor2, FBevelColor1, FBevelWidth);
    const TRect inner = InnerRect(column);
    FLevelRect = LevelLine(column, inner, LevelOffset(inner, FValue));
    if (inner.IsEmpty() || !HasSpan())
        return;

    // From the ValueMin end up: each range in its colour, the last one up to
    // Value; above it the column keeps BarColor.
    int previous = 0;
    for (int i = 1; i <= FRanges.Number(); ++i) {
        const TRangeEntry& e = FRanges.Entry(i);
        const bool last = e.Limit >= FValue;
        const int offset = LevelOffset(inner, last ? FValue : e.Limit);
        if (offset > previous) {
            Canvas->Brush()->SetColor(e.Color);
            if (Vertical())
                Canvas->FillRect(TRect(inner.Left, inner.Bottom - offset, inner.Right, inner.Bottom - previous));
            else
                Canvas->FillRect(TRect(inner.Left + previous, inner.Top, inner.Left + offset, inner.Bottom));
        }
        previous = offset;
        if (last)
            break;
    }
}

void TBarGraph::DrawScale(TCanvas* Canvas)
{
    if (FLabelingStyle == lbsNone || FLabelingStyle == lbsAsymmetric)
        return;
    // The lines end at the column's edges.
    const TRect column = CalcColumnRect();
    TLinearScaleGeometry g = LinearScaleLayout(Vertical(), Width(), Height(), FOffsetLower, FOffsetUpper,
        Vertical() ? column.Left : column.Top, Vertical() ? column.Right : column.Bottom);
    g.ValueMin = FValueMin;
    g.ValueMax = FValueMax;
    g.Gap = FLabelingGap;
    g.Decimals = FLabelingDecimals;
    g.Orientation = FLabelingOrientation;
    g.Style = FLabelingStyle;
    const TLinearScalePlan& plan = FScale.Draw(Canvas, g, FLabelingFont.get(), Color());
    if (plan.GapEnlarged)
        FLabelingGap = plan.Gap; // stays enlarged
}

void TBarGraph::Paint()
{
    TCanvas* canvas = Canvas();
    const int w = Width();
    const int h = Height();
    FPaintedSize = QSize(w, h);
    canvas->SetCopyMode(cmSrcCopy);
    // The outermost ring of pixels is left to the parent.
    const TRect interior(1, 1, w - 1, h - 1);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(interior);
    if (!FPictureBackground->Empty() && !interior.IsEmpty())
        canvas->StretchDraw(interior, FPictureBackground->Graphic());
    DrawBar(canvas);
    DrawScale(canvas);
}

void TBarGraph::MoveBar(double OldValue)
{
    const QSize size(Width(), Height());
    const TRect column = CalcColumnRect();
    if (size != FPaintedSize || column != FColumnRect || column.IsEmpty()) {
        Invalidate(); // never drawn like this: nothing to patch
        return;
    }
    const TRect inner = InnerRect(column);
    // The column between the old and the new level, together with the level
    // as last drawn (it differs from the old value's when the column was
    // never redrawn since), grown by 1.
    const TRect a = LevelLine(column, inner, LevelOffset(inner, OldValue));
    const TRect b = LevelLine(column, inner, LevelOffset(inner, FValue));
    const TRect& c = FLevelRect;
    const TRect area(std::min({a.Left, b.Left, c.Left}) - 1, std::min({a.Top, b.Top, c.Top}) - 1,
        std::max({a.Right, b.Right, c.Right}) + 1, std::max({a.Bottom, b.Bottom, c.Bottom}) + 1);
    TCanvas* canvas = Canvas();
    canvas->SaveClip();
    canvas->SetClipRegion(QRegion(area.ToQRect()));
    DrawBar(canvas);
    canvas->RestoreClip();
}

} // namespace Tessaron
