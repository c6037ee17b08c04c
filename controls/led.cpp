#include "controls/led.h"

#include <platform/Streaming.h>

#include <array>

namespace Tessaron {

namespace {

[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TLed>();
    return true;
}();

} // namespace

TLed::TLed(TComponent* AOwner)
    : TGraphicControl(AOwner), FVersion(QStringLiteral("V2.00")),
      FCopyright(QStringLiteral("Copyright (c) Velmar Softwaretechnik"))
{
    // The lamp paints every pixel of its rectangle itself.
    SetControlStyle(ControlStyle() | csOpaque);
    FCurrentColor = FColorInactive;
    FFlashTimer = new TTimer(this);
    FFlashTimer->SetEnabled(false);
    FFlashTimer->OnTimer = [this](TObject*) { FlashStep(); };
}

TLed::~TLed()
{
    // No tick may reach a lamp that is half destroyed.
    delete FFlashTimer;
    FFlashTimer = nullptr;
}

void TLed::SetColorInactive(TColor Value)
{
    if (FColorInactive == Value)
        return;
    FColorInactive = Value;
    if (!FValue)
        FCurrentColor = Value;
    Invalidate();
}

void TLed::SetColorActive(TColor Value)
{
    if (FColorActive == Value)
        return;
    FColorActive = Value;
    if (FValue)
        FCurrentColor = Value;
    Invalidate();
}

void TLed::SetStyle(TLedStyle Value)
{
    if (Value < lesCircle || Value > lesArrowUpDown || FStyle == Value)
        return;
    FStyle = Value;
    Invalidate();
}

void TLed::SetFlashInterval(int Value)
{
    if (FFlashInterval == Value)
        return;
    FFlashInterval = Value;
    FFlashTimer->SetInterval(Value);
}

void TLed::SetValue(bool Value)
{
    if (FValue == Value)
        return;
    FValue = Value;
    FCurrentColor = FValue ? FColorActive : FColorInactive;
    if (IsLoading()) {
        // Nothing runs before the description is complete: Loaded() starts
        // flashing, and the paint after loading shows the colour.
        Invalidate();
        return;
    }
    DrawShape();
    if (!IsDesigning())
        UpdateFlashTimer();
}

void TLed::SetFlashing(bool Value)
{
    if (FFlashing == Value)
        return;
    FFlashing = Value;
    if (IsDesigning() || IsLoading())
        return;
    if (FFlashing && FValue) {
        // The shape already shows ColorActive; the first tick darkens it.
        FFlashTimer->SetEnabled(true);
        return;
    }
    FFlashTimer->SetEnabled(false);
    FCurrentColor = FValue ? FColorActive : FColorInactive;
    DrawShape();
}

void TLed::UpdateFlashTimer()
{
    FFlashTimer->SetEnabled(FFlashing && FValue);
}

void TLed::Loaded()
{
    TGraphicControl::Loaded();
    if (!IsDesigning() && FFlashing && FValue)
        FFlashTimer->SetEnabled(true);
}

void TLed::FlashStep()
{
    if (!FValue)
        return;
    // Equal colours keep the shape as it is.
    TColor next = FColorInactive;
    if (next == FCurrentColor)
        next = FColorActive;
    FCurrentColor = next;
    DrawShape();
}

void TLed::Paint()
{
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(Rect(0, 0, Width(), Height()));
    DrawShape();
}

void TLed::DrawShape()
{
    TCanvas* canvas = Canvas();
    const int w = Width();
    const int h = Height();
    if (!canvas || w <= 0 || h <= 0)
        return;

    TPen* pen = canvas->Pen();
    TBrush* brush = canvas->Brush();
    pen->SetStyle(psSolid);
    pen->SetMode(pmCopy);
    pen->SetWidth(1);
    pen->SetColor(clBtnShadow);
    brush->SetStyle(bsSolid);
    brush->SetColor(FCurrentColor);

    auto triangle = [canvas](TPoint A, TPoint B, TPoint C) {
        const std::array<TPoint, 3> points{A, B, C};
        canvas->Polygon(points.data(), int(points.size()));
    };

    switch (FStyle) {
    case lesCircle: {
        // The largest circle, centred along the longer side.
        int d, x0, y0;
        if (h > w) {
            d = w;
            x0 = 0;
            y0 = (h - w) / 2;
        } else {
            d = h;
            x0 = (w - h) / 2;
            y0 = 0;
        }
        canvas->Ellipse(x0, y0, x0 + d, y0 + d);

        // The light reflex, a small white quadrilateral in the upper-left quarter.
        const int cx = w / 2;
        const int cy = h / 2;
        const int q = d / 4;
        const TPoint p0(cx - q, cy);
        const TPoint p1(cx, cy - q);
        const TPoint p2((3 * p0.x() + p1.x()) / 4, p1.y());
        const TPoint p3(p0.x(), (3 * p1.y() + p0.y()) / 4);
        const std::array<TPoint, 4> reflex{p0, p1, p2, p3};
        pen->SetColor(clWhite);
        brush->SetColor(clWhite);
        canvas->Polygon(reflex.data(), int(reflex.size()));
        break;
    }
    case lesRectangle:
        canvas->FillRect(Rect(0, 0, w, h));
        brush->SetColor(clBtnShadow);
        canvas->FrameRect(Rect(0, 0, w, h));
        break;
    case lesArrowLeft:
        triangle(TPoint(w - 1, 0), TPoint(w - 1, h - 1), TPoint(0, h / 2));
        break;
    case lesArrowRight:
        triangle(TPoint(0, 0), TPoint(0, h - 1), TPoint(w - 1, h / 2));
        break;
    case lesArrowUp:
        triangle(TPoint(0, h - 1), TPoint(w - 1, h - 1), TPoint(w / 2, 0));
        break;
    case lesArrowDown:
        triangle(TPoint(0, 0), TPoint(w - 1, 0), TPoint(w / 2, h - 1));
        break;
    case lesArrowLeftRight:
    case lesArrowUpDown: {
        const std::array<TPoint, 4> rhombus{
            TPoint(w / 2, 0), TPoint(w - 1, h / 2), TPoint(w / 2, h - 1), TPoint(0, h / 2)};
        canvas->Polygon(rhombus.data(), int(rhombus.size()));
        break;
    }
    }
}

} // namespace Tessaron
