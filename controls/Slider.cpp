#include "controls/Slider.h"

#include "controls/DrawHelpers.h"

#include <platform/Streaming.h>
#include <platform/SysUtils.h>

#include <algorithm>
#include <cmath>

namespace Tessaron {

namespace {

const bool Registered = [] {
    RegisterClass<TSlider>();
    return true;
}();

void InitScaleFont(TFont* Font)
{
    Font->SetName(QStringLiteral("Arial"));
    Font->SetSize(8);
    Font->SetStyle(fsBold);
    Font->SetColor(clBlack);
}

bool HasGraphic(const TPicture* Picture)
{
    return Picture && !Picture->Empty();
}

// Stretches a picture into R and combines it with what is there by Mode
// (cmSrcAnd for a mask, cmSrcPaint to lay a picture over a mask). Areas the
// picture leaves transparent take the mode's neutral colour.
void StretchDrawWithMode(TCanvas* Canvas, const TRect& R, const TGraphic* Graphic, TCopyMode Mode)
{
    if (R.IsEmpty())
        return;
    TBitmap picture(R.Width(), R.Height());
    TCanvas* pc = picture.Canvas();
    pc->Brush()->SetColor(Mode == cmSrcAnd ? clWhite : clBlack);
    pc->FillRect(TRect(0, 0, R.Width(), R.Height()));
    pc->StretchDraw(TRect(0, 0, R.Width(), R.Height()), Graphic);
    const TCopyMode old = Canvas->CopyMode();
    Canvas->SetCopyMode(Mode);
    Canvas->CopyRect(R, pc, TRect(0, 0, R.Width(), R.Height()));
    Canvas->SetCopyMode(old);
}

void FrameRing(TCanvas* Canvas, TRect& R, TColor Top, TColor Bottom, int Width)
{
    FrameRings(Canvas, R, Top, Bottom, Width);
}

} // namespace

TSlider::TSlider(TComponent* AOwner)
    : TGraphicControl(AOwner), FVersion(QStringLiteral("V2.00")),
      FCopyright(QStringLiteral("Copyright (c) Velmar Softwaretechnik")), FPictureSlide(std::make_unique<TPicture>()),
      FPictureButton(std::make_unique<TPicture>()), FPictureMask(std::make_unique<TPicture>()),
      FButtonFont(std::make_unique<TFont>()), FLabelingFont(std::make_unique<TFont>())
{
    (void)Registered;
    SetControlStyle(ControlStyle() | csOpaque);
    SetColor(clBtnFace);
    InitScaleFont(FButtonFont.get());
    InitScaleFont(FLabelingFont.get());
    const auto changed = [this](TObject*) { Changed(); };
    FButtonFont->OnChange = changed;
    FLabelingFont->OnChange = changed;
    FPictureSlide->OnChange = changed;
    FPictureButton->OnChange = changed;
    FPictureMask->OnChange = changed;
}

TSlider::~TSlider()
{
    // The owned objects must not call back into a half-destroyed slider.
    FButtonFont->OnChange = nullptr;
    FLabelingFont->OnChange = nullptr;
    FPictureSlide->OnChange = nullptr;
    FPictureButton->OnChange = nullptr;
    FPictureMask->OnChange = nullptr;
}

// ---------------------------------------------------------------- setters

void TSlider::Changed()
{
    if (!IsLoading())
        Invalidate();
}

int TSlider::ButtonWidthLimit() const
{
    return (Vertical() ? Width() : Height()) - 2;
}

void TSlider::ClampButtonWidth()
{
    // A control too small for any button (not yet sized) leaves the width alone.
    const int limit = ButtonWidthLimit();
    if (limit >= 0 && FButtonWidth > limit)
        FButtonWidth = limit;
}

void TSlider::SetBevelWidth(int Value)
{
    Value = std::clamp(Value, 0, MaxControlExtent);
    if (Value == FBevelWidth)
        return;
    FBevelWidth = Value;
    Changed();
}

void TSlider::SetSliderWidth(int Value)
{
    Value = std::clamp(Value, 0, MaxControlExtent);
    if (Value == FSliderWidth)
        return;
    FSliderWidth = Value;
    Changed();
}

void TSlider::SetButtonWidth(int Value)
{
    // A window cursor with a button picture keeps the picture's width.
    if (FLabelingStyle == lbsAsymmetric && HasGraphic(FPictureButton.get()))
        return;
    Value = std::clamp(Value, 0, MaxControlExtent);
    if (!IsLoading()) {
        const int limit = ButtonWidthLimit();
        if (limit >= 0 && Value > limit)
            Value = limit;
    }
    if (Value == FButtonWidth)
        return;
    FButtonWidth = Value;
    Changed();
}

void TSlider::SetButtonHeight(int Value)
{
    Value = std::clamp(Value, 0, MaxControlExtent);
    if (Value == FButtonHeight)
        return;
    FButtonHeight = Value;
    Changed();
}

void TSlider::SetRangeNumber(int Value)
{
    if (!FRanges.SetNumber(Value))
        return;
    NormaliseRanges();
    Changed();
}

void TSlider::SetRangeCurrent(int Value)
{
    if (FRanges.SetCurrent(Value))
        Changed();
}

void TSlider::SetLabelingDecimals(int Value)
{
    if (Value == FLabelingDecimals)
        return;
    FLabelingDecimals = Value;
    Changed();
}

void TSlider::SetValueMin(double Value)
{
    if (!(Value < FValueMax) || !std::isfinite(Value) || Value == FValueMin)
        return;
    FValueMin = Value;
    NormaliseRanges();
    Changed();
}

void TSlider::SetValueMax(double Value)
{
    if (!(Value > FValueMin) || !std::isfinite(Value) || Value == FValueMax)
        return;
    FValueMax = Value;
    NormaliseRanges();
    Changed();
}

void TSlider::SetValueStepWidth(double Value)
{
    if (!std::isfinite(Value) || Value == FValueStepWidth)
        return;
    FValueStepWidth = Value;
    SetValue(FValue); // snaps the current value to the new step
    Changed();
}

void TSlider::SetRangeLimit(double Value)
{
    if (!FRanges.SetLimit(Value))
        return;
    NormaliseRanges();
    Changed();
}

void TSlider::SetLabelingGap(double Value)
{
    if (!(Value > 0) || !std::isfinite(Value) || Value == FLabelingGap)
        return;
    FLabelingGap = Value;
    Changed();
}

void TSlider::SetBevelColor1(TColor Value)
{
    if (Value == FBevelColor1)
        return;
    FBevelColor1 = Value;
    Changed();
}

void TSlider::SetBevelColor2(TColor Value)
{
    if (Value == FBevelColor2)
        return;
    FBevelColor2 = Value;
    Changed();
}

void TSlider::SetButtonColor(TColor Value)
{
    if (Value == FButtonColor)
        return;
    FButtonColor = Value;
    Changed();
}

void TSlider::SetButtonBorderColor(TColor Value)
{
    if (Value == FButtonBorderColor)
        return;
    FButtonBorderColor = Value;
    Changed();
}

void TSlider::SetRangeColor(TColor Value)
{
    if (FRanges.SetColor(Value))
        Changed();
}

void TSlider::SetPictureSlide(TPicture* Value)
{
    FPictureSlide->Assign(Value);
}

void TSlider::SetPictureButton(TPicture* Value)
{
    FPictureButton->Assign(Value);
}

void TSlider::SetPictureMask(TPicture* Value)
{
    FPictureMask->Assign(Value);
}

void TSlider::SetButtonCaption(const QString& Value)
{
    if (Value == FButtonCaption)
        return;
    FButtonCaption = Value;
    Changed();
}

void TSlider::SetKind(TScrollBarKind Value)
{
    if (Value == FKind)
        return;
    FKind = Value;
    if (IsDesigning() && !IsLoading())
        SetBounds(Left(), Top(), Height(), Width());
    Changed();
}

void TSlider::SetButtonFont(TFont* Value)
{
    if (Value)
        FButtonFont->Assign(Value);
}

void TSlider::SetButtonTransparent(bool Value)
{
    if (Value == FButtonTransparent)
        return;
    FButtonTransparent = Value;
    Changed();
}

void TSlider::SetLabelingFont(TFont* Value)
{
    if (Value)
        FLabelingFont->Assign(Value);
}

void TSlider::SetReduceFlicker(bool Value)
{
    if (Value == FReduceFlicker)
        return;
    FReduceFlicker = Value;
    if (Value)
        FBuffer = std::make_unique<TBitmap>();
    else
        FBuffer.reset();
    Changed();
}

void TSlider::SetLabelingOrientation(TLabelingOrientation Value)
{
    if (Value == FLabelingOrientation)
        return;
    FLabelingOrientation = Value;
    Changed();
}

void TSlider::SetLabelingStyle(TLabelingStyle Value)
{
    if (Value == FLabelingStyle)
        return;
    FLabelingStyle = Value;
    if (!IsLoading()) {
        const int limit = ButtonWidthLimit();
        if (Value == lbsAsymmetric && !HasGraphic(FPictureButton.get()) && limit >= 0)
            FButtonWidth = limit; // the window cursor spans the control
        else
            ClampButtonWidth();
    }
    Changed();
}

void TSlider::SetValue(double Value)
{
    if (std::isnan(Value))
        return;
    double v = Value;
    if (FValueStepWidth > 0)
        v = std::nearbyint(v / FValueStepWidth) * FValueStepWidth; // ties to even
    if (v == FValue || !HasSpan())
        return;
    v = std::max(FValueMin, std::min(FValueMax, v));
    if (v == FValue)
        return;
    const double old = FValue;
    FValue = v;
    if (IsLoading())
        return;
    CallEvent(OnValueChange, this);
    MoveButton(old);
}

// ---------------------------------------------------------------- stored data

bool TSlider::ReadListProperty(const QVariantList& List, QString* Error)
{
    double v[5];
    if (!ReadNumberList(List, true, 5, v, Error))
        return false;
    if (!FRanges.FromList(List[0].toList(), false, Error))
        return false;
    FValue = v[0];
    FValueMin = v[1];
    FValueMax = v[2];
    FValueStepWidth = v[3];
    FLabelingGap = v[4];
    Changed();
    return true;
}

QVariantList TSlider::WriteListProperty() const
{
    return {QVariant(FRanges.ToList(false)), FValue, FValueMin, FValueMax, FValueStepWidth, FLabelingGap};
}

void TSlider::Loaded()
{
    TGraphicControl::Loaded();
    const int limit = ButtonWidthLimit();
    if (FLabelingStyle == lbsAsymmetric && !HasGraphic(FPictureButton.get()) && limit >= 0)
        FButtonWidth = limit;
    Invalidate();
}

// ---------------------------------------------------------------- geometry

TRect TSlider::CalcSlotRect() const
{
    const int across = Vertical() ? Width() : Height();
    int low;
    if (FLabelingStyle == lbsAsymmetric) {
        // The slot moves away from the labels.
        if (Scale::IsHighSide(FLabelingOrientation))
            low = int(Trunc(across * 0.1));
        else
            low = int(Trunc(across * 0.9)) - FSliderWidth;
    } else {
        low = (across - FSliderWidth) / 2;
    }
    const int high = low + FSliderWidth;
    return Vertical() ? TRect(low, 0, high, Height()) : TRect(0, low, Width(), high);
}

TRect TSlider::ButtonRectFor(double Value) const
{
    const int w = Width();
    const int h = Height();
    const bool cursor = FButtonTransparent && FLabelingStyle == lbsAsymmetric && !HasGraphic(FPictureButton.get());
    if (Vertical()) {
        const qint64 off = HasSpan() ? Round((Value - FValueMin) * (h - FButtonHeight) / Span()) : 0;
        const int bottom = h - int(std::clamp<qint64>(off, -(1 << 28), 1 << 28));
        const int left = cursor ? 0 : (w - FButtonWidth) / 2 + 1;
        const int right = cursor ? w : left + FButtonWidth;
        return TRect(left, bottom - FButtonHeight, right, bottom);
    }
    const qint64 off = HasSpan() ? Round((Value - FValueMin) * (w - FButtonHeight) / Span()) : 0;
    const int left = int(std::clamp<qint64>(off, -(1 << 28), 1 << 28));
    const int top = cursor ? 0 : (h - FButtonWidth) / 2;
    const int bottom = cursor ? h : top + FButtonWidth;
    return TRect(left, top, left + FButtonHeight, bottom);
}

// ---------------------------------------------------------------- drawing

void TSlider::DrawSlot(TCanvas* Canvas)
{
    const int w = Width();
    const int h = Height();
    // Remembered also under a slot picture, so that clicks into the slot work there too.
    FSlotRect = CalcSlotRect();
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color());
    Canvas->FillRect(TRect(0, 0, w, h));
    if (HasGraphic(FPictureSlide.get())) {
        Canvas->StretchDraw(TRect(0, 0, w, h), FPictureSlide->Graphic());
        return;
    }
    TRect inner = FSlotRect;
    FrameRing(Canvas, inner, FBevelColor2, FBevelColor1, FBevelWidth);
    if (inner.IsEmpty())
        return;

    const int n = FRanges.Number();
    const int bh = FButtonHeight;
    const auto fill = [&](const TRect& R, TColor C) {
        // Limits read from a description are not normalised: stay in the slot.
        const TRect r(std::max(R.Left, inner.Left), std::max(R.Top, inner.Top), std::min(R.Right, inner.Right),
            std::min(R.Bottom, inner.Bottom));
        Canvas->Brush()->SetColor(C);
        Canvas->FillRect(r);
    };
    if (!HasSpan()) {
        fill(inner, FRanges.Entry(1).Color);
        return;
    }
    const double span = Span();
    if (Vertical()) {
        int previous = inner.Bottom;
        for (int i = 1; i <= n; ++i) {
            const TRangeEntry& e = FRanges.Entry(i);
            const int y = i == n ? inner.Top
                                 : inner.Bottom
                    - int(std::clamp<qint64>(Round((e.Limit - FValueMin) * (inner.Bottom - inner.Top - bh) / span),
                        -(1 << 28), 1 << 28))
                    - bh / 2;
            fill(TRect(inner.Left, y, inner.Right, previous), e.Color);
            previous = y;
        }
    } else {
        int previous = inner.Left;
        for (int i = 1; i <= n; ++i) {
            const TRangeEntry& e = FRanges.Entry(i);
            const int x = i == n ? inner.Right
                                 : int(std::clamp<qint64>(
                                       Round((e.Limit - FValueMin) * (inner.Right - inner.Left - bh) / span),
                                       -(1 << 28), 1 << 28))
                    + bh / 2 + 2;
            fill(TRect(previous, inner.Top, x, inner.Bottom), e.Color);
            previous = x;
        }
    }
}

void TSlider::DrawScale(TCanvas* Canvas)
{
    if (FLabelingStyle == lbsNone)
        return;
    // The usable length leaves half the button (or of the mask) free at both
    // ends; the lines end at the slot's edges.
    int a = FButtonHeight / 2;
    if (HasGraphic(FPictureMask.get()))
        a = (Vertical() ? FPictureMask->Height() : FPictureMask->Width()) / 2;
    const int across = Vertical() ? Width() : Height();
    TLinearScaleGeometry g = LinearScaleLayout(
        Vertical(), Width(), Height(), a, a, (across - FSliderWidth) / 2, (across + FSliderWidth) / 2);
    g.ValueMin = FValueMin;
    g.ValueMax = FValueMax;
    g.Gap = FLabelingGap;
    g.Decimals = FLabelingDecimals;
    g.Orientation = FLabelingOrientation;
    g.Style = FLabelingStyle;
    const TLinearScalePlan& plan = FScale.Draw(Canvas, g, FLabelingFont.get(), Color());
    if (plan.GapEnlarged)
        FLabelingGap = plan.Gap; // stays enlarged
    FLastLabelWidth = plan.LastLabelWidth;
    FLabelHeight = plan.TextHeight;
}

void TSlider::DrawButton(TCanvas* Canvas)
{
    const TRect outer = ButtonRectFor(FValue);
    FButtonRect = outer;
    if (HasGraphic(FPictureMask.get()))
        StretchDrawWithMode(Canvas, outer, FPictureMask->Graphic(), cmSrcAnd);
    if (HasGraphic(FPictureButton.get())) {
        StretchDrawWithMode(Canvas, InflateRect(outer, -1, -1), FPictureButton->Graphic(), cmSrcPaint);
        return;
    }
    const int bw = FBevelWidth;
    TRect inner = outer;
    FrameRing(Canvas, inner, FBevelColor1, FBevelColor2, bw);
    Canvas->Brush()->SetStyle(bsSolid);
    if (FButtonTransparent && FLabelingStyle == lbsAsymmetric) {
        // A window cursor: a frame over the whole width with a window that
        // shows the label under it.
        Canvas->SetFont(FLabelingFont.get());
        const int margin = Vertical() ? Canvas->TextWidth(QStringLiteral("8")) : FLabelHeight / 2;
        const int text = Vertical() ? FLastLabelWidth : FLabelHeight;
        const int across = Vertical() ? Width() : Height();
        int low;
        int high;
        if (Scale::IsHighSide(FLabelingOrientation)) {
            high = int(Trunc(across * 0.8)) + bw;
            low = high - text - 2 * margin - bw;
        } else {
            low = int(Trunc(across * 0.2)) - bw;
            high = low + text + 2 * margin + bw;
        }
        TRect window;
        Canvas->Brush()->SetColor(FButtonBorderColor);
        if (Vertical()) {
            window = TRect(low, inner.Top, high, inner.Bottom);
            Canvas->FillRect(TRect(inner.Left, inner.Top, std::min(low, inner.Right), inner.Bottom));
            Canvas->FillRect(TRect(std::max(high, inner.Left), inner.Top, inner.Right, inner.Bottom));
        } else {
            window = TRect(inner.Left, low, inner.Right, high);
            Canvas->FillRect(TRect(inner.Left, inner.Top, inner.Right, std::min(low, inner.Bottom)));
            Canvas->FillRect(TRect(inner.Left, std::max(high, inner.Top), inner.Right, inner.Bottom));
        }
        FrameRing(Canvas, window, FButtonBorderColor, FButtonBorderColor, bw);
        FrameRing(Canvas, window, FBevelColor2, FBevelColor1, bw);
    } else {
        FrameRing(Canvas, inner, FButtonBorderColor, FButtonBorderColor, bw);
        FrameRing(Canvas, inner, FBevelColor2, FBevelColor1, bw);
        if (!FButtonTransparent) {
            Canvas->Brush()->SetColor(FButtonColor);
            Canvas->FillRect(inner);
        }
    }
    if (!FButtonCaption.isEmpty()) {
        Canvas->SetFont(FButtonFont.get());
        Canvas->Brush()->SetStyle(bsClear);
        const QSize size = Canvas->TextExtent(FButtonCaption);
        Canvas->TextOut(inner.Left + (inner.Width() - size.width()) / 2,
            inner.Top + (inner.Height() - size.height()) / 2, FButtonCaption);
        Canvas->Brush()->SetStyle(bsSolid);
    }
}

void TSlider::DrawAll(TCanvas* Canvas)
{
    DrawSlot(Canvas);
    DrawScale(Canvas);
    DrawButton(Canvas);
}

void TSlider::Paint()
{
    const QSize size(Width(), Height());
    if (FReduceFlicker && FBuffer)
        FBuffer->SetSize(size.width(), size.height());
    if (size != FPaintedSize) {
        FPaintedSize = size;
        ClampButtonWidth();
    }
    DrawAll(Canvas());
}

void TSlider::MoveButton(double OldValue)
{
    const QSize size(Width(), Height());
    if (size != FPaintedSize || size.isEmpty()) {
        Invalidate(); // never painted at this size: nothing to patch
        return;
    }
    // The button as drawn at the old and the new value, each grown by 2.
    const QRegion region = QRegion(InflateRect(ButtonRectFor(FValue), 2, 2).ToQRect())
        | QRegion(InflateRect(ButtonRectFor(OldValue), 2, 2).ToQRect());
    TCanvas* canvas = Canvas();
    if (FReduceFlicker && FBuffer) {
        FBuffer->SetSize(size.width(), size.height());
        TCanvas* buffer = FBuffer->Canvas();
        buffer->SaveClip();
        buffer->SetClipRegion(region);
        DrawAll(buffer);
        buffer->RestoreClip();
        const TCopyMode mode = canvas->CopyMode();
        canvas->SetCopyMode(cmSrcCopy);
        for (const QRect& r : region & QRect(0, 0, size.width(), size.height())) {
            const TRect t = TRect::FromQRect(r);
            canvas->CopyRect(t, buffer, t);
        }
        canvas->SetCopyMode(mode);
    } else {
        canvas->SaveClip();
        canvas->SetClipRegion(region);
        DrawAll(canvas);
        canvas->RestoreClip();
    }
}

// ---------------------------------------------------------------- mouse

void TSlider::StartDrag(int X, int Y)
{
    FDragging = true;
    FDragStart = TPoint(X, Y);
    FDragValue = FValue;
}

void TSlider::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    if (FButtonRect.Contains(X, Y)) {
        StartDrag(X, Y); // grabs the button where it is
        return;
    }
    if (!FSlotRect.Contains(X, Y))
        return;
    const double travel = (Vertical() ? Height() : Width()) - FButtonHeight;
    if (travel > 0) {
        if (Vertical())
            SetValue(Span() * ((Height() - FButtonHeight * 0.5) - Y) / travel + FValueMin);
        else
            SetValue(Span() * (X - FButtonHeight * 0.5) / travel + FValueMin);
    }
    StartDrag(X, Y);
}

void TSlider::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging)
        return;
    const double travel = (Vertical() ? Height() : Width()) - FButtonHeight;
    if (!(travel > 0))
        return;
    if (Vertical())
        SetValue(Span() * (FDragStart.y() - Y) / travel + FDragValue);
    else
        SetValue(Span() * (X - FDragStart.x()) / travel + FDragValue);
}

void TSlider::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft)
        FDragging = false;
}

} // namespace Tessaron
