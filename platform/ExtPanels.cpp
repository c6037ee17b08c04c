#include "platform/ExtPanels.h"

#include "platform/ClassicStyle.h"
#include "platform/Streaming.h"

#include <QPainter>

namespace Tessaron {

namespace {

[[maybe_unused]] const bool kRegistered = [] {
    RegisterClass<TPanel>();
    RegisterClass<TBevel>();
    RegisterClass<TImage>();
    RegisterClass<TPaintBox>();
    return true;
}();

} // namespace

// ---------------------------------------------------------------- TPanel

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(ControlStyle() | csOpaque);
    SetTabStop(false);
    SetBounds(0, 0, 185, 41);
}

void TPanel::Changed()
{
    Invalidate();
    Realign();
}

void TPanel::SetCaption(const QString& Text)
{
    const QString Value = WindowText(Text);
    if (FCaption == Value)
        return;
    FCaption = Value;
    Invalidate();
}

void TPanel::SetAlignment(TAlignment Value)
{
    if (!IsEnumValue(Value) || FAlignment == Value)
        return;
    FAlignment = Value;
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut Value)
{
    if (Value < bvNone || Value > bvSpace || FBevelInner == Value)
        return;
    FBevelInner = Value;
    Changed();
}

void TPanel::SetBevelOuter(TBevelCut Value)
{
    if (Value < bvNone || Value > bvSpace || FBevelOuter == Value)
        return;
    FBevelOuter = Value;
    Changed();
}

void TPanel::SetBevelWidth(int Value)
{
    if (Value < 1 || Value > MaxPanelBevelWidth || FBevelWidth == Value)
        return;
    FBevelWidth = Value;
    Changed();
}

void TPanel::SetBorderWidth(int Value)
{
    if (Value < 0 || Value > MaxPanelBevelWidth || FBorderWidth == Value)
        return;
    FBorderWidth = Value;
    Changed();
}

void TPanel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    auto bevel = [&](TBevelCut Cut) {
        switch (Cut) {
        case bvLowered: Frame3D(c, r, clBtnShadow, clBtnHighlight, FBevelWidth); break;
        case bvRaised: Frame3D(c, r, clBtnHighlight, clBtnShadow, FBevelWidth); break;
        case bvSpace: Frame3D(c, r, Color(), Color(), FBevelWidth); break;
        default: break;
        }
    };
    bevel(FBevelOuter);
    Frame3D(c, r, Color(), Color(), FBorderWidth);
    bevel(FBevelInner);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    if (FCaption.isEmpty())
        return;
    const QFont font = Font()->ToQFont();
    const QSize ts = CaptionExtent(FCaption, font);
    const int top = (r.Top + r.Bottom - ts.height()) / 2;
    int x = r.Left;
    if (FAlignment == taRightJustify)
        x = r.Right - ts.width();
    else if (FAlignment == taCenter)
        x = r.Left + (r.Width() - ts.width()) / 2;
    TCanvasPainter p(c);
    p->setClipRect(r.ToQRect(), Qt::IntersectClip);
    PaintText(*p, QRect(x, top, ts.width() + 4, ts.height()), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
        FCaption, font, Font()->Color(), true);
}

void TPanel::AlignControls(TRect& Rect)
{
    int inset = FBorderWidth;
    if (FBevelOuter != bvNone)
        inset += FBevelWidth;
    if (FBevelInner != bvNone)
        inset += FBevelWidth;
    Rect = InflateRect(Rect, -inset, -inset);
    TCustomControl::AlignControls(Rect);
}

// ---------------------------------------------------------------- TBevel

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value)
{
    if (Value < bsBox || Value > bsSpacer || FShape == Value)
        return;
    FShape = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value)
{
    if (Value < bsLowered || Value > bsRaised || FStyle == Value)
        return;
    FStyle = Value;
    Invalidate();
}

void TBevel::Paint()
{
    TCanvas* c = Canvas();
    TColor color1 = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor color2 = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    auto bevelRect = [&](const TRect& R) {
        c->Pen()->SetColor(color1);
        c->Polyline({TPoint(R.Left, R.Bottom), TPoint(R.Left, R.Top), TPoint(R.Right, R.Top)});
        c->Pen()->SetColor(color2);
        c->Polyline({TPoint(R.Right, R.Top), TPoint(R.Right, R.Bottom), TPoint(R.Left, R.Bottom)});
    };
    auto bevelLine = [&](TColor Color, int X1, int Y1, int X2, int Y2) {
        c->Pen()->SetColor(Color);
        c->MoveTo(X1, Y1);
        c->LineTo(X2, Y2);
    };
    const int w = Width();
    const int h = Height();
    switch (FShape) {
    case bsBox:
        bevelRect(TRect(0, 0, w - 1, h - 1));
        break;
    case bsFrame: {
        const TColor temp = color1;
        color1 = color2;
        bevelRect(TRect(1, 1, w - 1, h - 1));
        color2 = temp;
        color1 = temp;
        bevelRect(TRect(0, 0, w - 2, h - 2));
        break;
    }
    case bsTopLine:
        bevelLine(color1, 0, 0, w, 0);
        bevelLine(color2, 0, 1, w, 1);
        break;
    case bsBottomLine:
        bevelLine(color1, 0, h - 2, w, h - 2);
        bevelLine(color2, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        bevelLine(color1, 0, 0, 0, h);
        bevelLine(color2, 1, 0, 1, h);
        break;
    case bsRightLine:
        bevelLine(color1, w - 2, 0, w - 2, h);
        bevelLine(color2, w - 1, 0, w - 1, h);
        break;
    case bsSpacer:
        break;
    }
}

// ---------------------------------------------------------------- TPaintBox

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 105, 105);
    // The constructor's size is a default, not a size the program chose: a
    // layout asks for the class's default size.
    ClearPreferredSize();
}

void TPaintBox::Paint()
{
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    if (IsDesigning()) {
        c->Pen()->SetStyle(psDash);
        c->Pen()->SetColor(clBlack);
        c->Pen()->SetMode(pmCopy);
        c->Brush()->SetStyle(bsClear);
        c->Rectangle(0, 0, Width(), Height());
        c->Brush()->SetStyle(bsSolid);
        c->Pen()->SetStyle(psSolid);
    }
    CallEvent(OnPaint, this);
}

// ---------------------------------------------------------------- TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>())
{
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage()
{
    FPicture->OnChange = nullptr;
}

QWidget* TImage::CreateWidget()
{
    auto* w = new TDrawnWidget([this](QPainter& P, const QRegion& Region) {
        if (FTransparent)
            DrawPicture(P);
        else
            PaintWidget(P, Region);
    });
    w->SetOpaque(!FTransparent);
    return w;
}

void TImage::SetPicture(TPicture* Value)
{
    if (Value != FPicture.get())
        FPicture->Assign(Value);
}

void TImage::PictureChanged()
{
    if (FAutoSize && !IsLoading() && !FPicture->Empty())
        SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
    Invalidate();
}

void TImage::SetAutoSize(bool Value)
{
    if (FAutoSize == Value)
        return;
    FAutoSize = Value;
    if (Value)
        PictureChanged();
}

void TImage::SetCenter(bool Value)
{
    if (FCenter == Value)
        return;
    FCenter = Value;
    Invalidate();
}

void TImage::SetStretch(bool Value)
{
    if (FStretch == Value)
        return;
    FStretch = Value;
    Invalidate();
}

void TImage::SetTransparent(bool Value)
{
    if (FTransparent == Value)
        return;
    FTransparent = Value;
    if (auto* w = static_cast<TDrawnWidget*>(WidgetIfCreated()))
        w->SetOpaque(!Value);
    Invalidate();
}

void TImage::Loaded()
{
    TGraphicControl::Loaded();
    if (FAutoSize)
        PictureChanged();
}

TRect TImage::DestRect() const
{
    if (FStretch)
        return ClientRect();
    const int w = FPicture->Width();
    const int h = FPicture->Height();
    if (FCenter)
        return Bounds((Width() - w) / 2, (Height() - h) / 2, w, h);
    return TRect(0, 0, w, h);
}

void TImage::DrawPicture(QPainter& P) const
{
    TGraphic* graphic = FPicture->Graphic();
    if (!graphic || graphic->Empty())
        return;
    auto* bitmap = qobject_cast<TBitmap*>(graphic);
    const TColor keep = bitmap ? bitmap->TransparentColor() : clNone;
    if (bitmap && FTransparent)
        bitmap->SetTransparentColor(QRgbToColor(bitmap->Image().pixel(0, bitmap->Height() - 1)));
    graphic->DrawInto(P, DestRect().ToQRect());
    if (bitmap)
        bitmap->SetTransparentColor(keep);
}

void TImage::Paint()
{
    TCanvasPainter p(Canvas());
    DrawPicture(*p);
}

} // namespace Tessaron
