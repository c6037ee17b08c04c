#include "platform/Buttons.h"

#include "platform/ClassicStyle.h"
#include "platform/Forms.h"
#include "platform/Streaming.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>

namespace Tessaron {

namespace {

[[maybe_unused]] const bool kRegistered = [] {
    RegisterClass<TBitBtn>();
    RegisterClass<TSpeedButton>();
    return true;
}();

// The colour of the standard glyphs' background, their bottom-left pixel.
constexpr QRgb kGlyphKey = 0xFF808000;

using TLayout = TBitBtn::TButtonLayout;

struct TGlyphPlacement {
    QPoint Glyph;
    QRect Text;
};

// Places glyph and caption in Client as the classic buttons do.
TGlyphPlacement CalcButtonLayout(const TRect& Client, QPoint Offset, QSize GlyphSize, QSize TextSize,
    TLayout Layout, int Margin, int Spacing)
{
    const QPoint client(Client.Width(), Client.Height());
    QPoint glyphPos;
    QPoint textPos;
    const bool horizontal = Layout == TBitBtn::blGlyphLeft || Layout == TBitBtn::blGlyphRight;
    if (horizontal) {
        glyphPos.setY((client.y() - GlyphSize.height() + 1) / 2);
        textPos.setY((client.y() - TextSize.height() + 1) / 2);
    } else {
        glyphPos.setX((client.x() - GlyphSize.width() + 1) / 2);
        textPos.setX((client.x() - TextSize.width() + 1) / 2);
    }
    // Without text or without glyph the spacing does not count.
    if (TextSize.width() == 0 || GlyphSize.width() == 0)
        Spacing = 0;
    if (Margin == -1) {
        if (Spacing == -1) {
            const QPoint total(GlyphSize.width() + TextSize.width(), GlyphSize.height() + TextSize.height());
            Margin = horizontal ? (client.x() - total.x()) / 3 : (client.y() - total.y()) / 3;
            Spacing = Margin;
        } else {
            const QPoint total(
                GlyphSize.width() + Spacing + TextSize.width(), GlyphSize.height() + Spacing + TextSize.height());
            Margin = horizontal ? (client.x() - total.x() + 1) / 2 : (client.y() - total.y() + 1) / 2;
        }
    } else if (Spacing == -1) {
        const QPoint total(client.x() - (Margin + GlyphSize.width()), client.y() - (Margin + GlyphSize.height()));
        Spacing = horizontal ? (total.x() - TextSize.width()) / 2 : (total.y() - TextSize.height()) / 2;
    }
    switch (Layout) {
    case TBitBtn::blGlyphLeft:
        glyphPos.setX(Margin);
        textPos.setX(glyphPos.x() + GlyphSize.width() + Spacing);
        break;
    case TBitBtn::blGlyphRight:
        glyphPos.setX(client.x() - Margin - GlyphSize.width());
        textPos.setX(glyphPos.x() - Spacing - TextSize.width());
        break;
    case TBitBtn::blGlyphTop:
        glyphPos.setY(Margin);
        textPos.setY(glyphPos.y() + GlyphSize.height() + Spacing);
        break;
    case TBitBtn::blGlyphBottom:
        glyphPos.setY(client.y() - Margin - GlyphSize.height());
        textPos.setY(glyphPos.y() - Spacing - TextSize.height());
        break;
    }
    const QPoint origin(Client.Left + Offset.x(), Client.Top + Offset.y());
    return {glyphPos + origin, QRect(textPos + origin, TextSize)};
}

// Picture Index of a glyph strip of Count pictures, with the strip's
// transparent colour made transparent.
QImage GlyphPicture(const QImage& Strip, int Count, int Index)
{
    const int w = Strip.width() / Count;
    QImage picture = Strip.copy(w * Index, 0, w, Strip.height()).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = Strip.pixel(0, Strip.height() - 1) | 0xFF000000u;
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
    }
    return picture;
}

// The embossed picture of a disabled button: every pixel that is neither
// transparent nor white nor button face, in highlight one pixel down-right and
// in shadow on top.
QImage EmbossedPicture(const QImage& Picture)
{
    QImage result(Picture.width() + 1, Picture.height() + 1, QImage::Format_ARGB32);
    result.fill(0);
    const QRgb highlight = ColorToQRgb(clBtnHighlight);
    const QRgb shadow = ColorToQRgb(clBtnShadow);
    const QRgb face = ColorToQRgb(clBtnFace) | 0xFF000000u;
    auto shape = [&](int x, int y) {
        const QRgb p = Picture.pixel(x, y);
        return qAlpha(p) != 0 && (p | 0xFF000000u) != 0xFFFFFFFFu && (p | 0xFF000000u) != face;
    };
    for (int y = 0; y < Picture.height(); ++y)
        for (int x = 0; x < Picture.width(); ++x)
            if (shape(x, y))
                result.setPixel(x + 1, y + 1, highlight);
    for (int y = 0; y < Picture.height(); ++y)
        for (int x = 0; x < Picture.width(); ++x)
            if (shape(x, y))
                result.setPixel(x, y, shadow);
    return result;
}

// Draws glyph and caption of a button face in Client.
void PaintGlyphAndCaption(QPainter& P, const TRect& Client, QPoint Offset, const QImage& Strip, int NumGlyphs,
    const QString& Caption, const TFont* Font, TLayout Layout, int Margin, int Spacing,
    TSpeedButton::TButtonState State)
{
    const int count = std::clamp(NumGlyphs, 1, 4);
    QSize glyphSize;
    if (!Strip.isNull() && Strip.width() >= count)
        glyphSize = QSize(Strip.width() / count, Strip.height());
    const QFont font = Font->ToQFont();
    const QSize textSize = Caption.isEmpty() ? QSize() : CaptionExtent(Caption, font);
    const TGlyphPlacement place = CalcButtonLayout(Client, Offset, glyphSize, textSize, Layout, Margin, Spacing);
    const bool enabled = State != TSpeedButton::bsDisabled;
    if (glyphSize.isValid() && !glyphSize.isEmpty()) {
        int index = int(State);
        QImage picture;
        if (index < count) {
            picture = GlyphPicture(Strip, count, index);
        } else {
            picture = GlyphPicture(Strip, count, 0);
            if (!enabled)
                picture = EmbossedPicture(picture);
        }
        P.drawImage(place.Glyph, picture);
    }
    if (!Caption.isEmpty())
        PaintText(P, place.Text.adjusted(0, 0, 4, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Caption,
            font, Font->Color(), enabled);
}

// ---------------------------------------------------------------- standard glyphs

QImage NewGlyph()
{
    QImage image(18, 18, QImage::Format_RGB32);
    image.fill(kGlyphKey);
    return image;
}

void DrawTick(QPainter& P, int Dx)
{
    QPen pen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    P.setPen(pen);
    const QPoint path[] = {QPoint(3 + Dx, 9), QPoint(7 + Dx, 13), QPoint(14 + Dx, 4)};
    P.drawPolyline(path, 3);
    P.setPen(QColor(0, 255, 0));
    const QPoint light[] = {QPoint(3 + Dx, 8), QPoint(7 + Dx, 12), QPoint(14 + Dx, 3)};
    P.drawPolyline(light, 3);
}

QImage MakeGlyph(TBitBtn::TBitBtnKind Kind)
{
    QImage image = NewGlyph();
    QPainter p(&image);
    switch (Kind) {
    case TBitBtn::bkOK:
    case TBitBtn::bkYes:
        DrawTick(p, 0);
        break;
    case TBitBtn::bkAll:
        DrawTick(p, -2);
        DrawTick(p, 2);
        break;
    case TBitBtn::bkCancel:
    case TBitBtn::bkAbort: {
        p.setPen(QPen(QColor(128, 0, 0), 3, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(5, 5, 12, 12);
        p.drawLine(12, 5, 5, 12);
        p.setPen(QColor(255, 0, 0));
        p.drawLine(5, 4, 12, 11);
        p.drawLine(12, 4, 5, 11);
        break;
    }
    case TBitBtn::bkNo:
        p.setPen(QPen(QColor(255, 0, 0), 2));
        p.drawEllipse(QRect(3, 3, 11, 11));
        p.drawLine(5, 13, 13, 5);
        break;
    case TBitBtn::bkHelp: {
        QFont f(SubstituteFontName(QStringLiteral("Arial")));
        f.setPixelSize(15);
        f.setBold(true);
        f.setStyleStrategy(QFont::NoAntialias);
        p.setFont(f);
        p.setPen(QColor(0, 0, 128));
        p.drawText(QRect(0, 0, 18, 18), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case TBitBtn::bkClose:
        p.fillRect(QRect(5, 2, 8, 14), QColor(0, 128, 128));
        p.setPen(QColor(0, 0, 0));
        p.drawRect(QRect(5, 2, 7, 13));
        p.fillRect(QRect(10, 9, 1, 1), QColor(255, 255, 0));
        break;
    default:
        return QImage();
    }
    return image;
}

} // namespace

void TGlyphBitmap::SetData(const QByteArray& Value)
{
    if (Value.isEmpty())
        SetImage(QImage());
    else
        LoadFromData(Value);
}

// ---------------------------------------------------------------- TBitBtn

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), FGlyph(std::make_unique<TGlyphBitmap>())
{
    FGlyph->OnChange = [this](TObject*) { UpdateButton(); };
}

TBitBtn::~TBitBtn()
{
    FGlyph->OnChange = nullptr;
}

QString TBitBtn::KindCaption(TBitBtnKind Kind)
{
    switch (Kind) {
    case bkOK: return QStringLiteral("OK");
    case bkCancel: return QStringLiteral("Abbrechen");
    case bkHelp: return QStringLiteral("&Hilfe");
    case bkYes: return QStringLiteral("&Ja");
    case bkNo: return QStringLiteral("&Nein");
    case bkClose: return QStringLiteral("&Schließen");
    case bkAbort: return QStringLiteral("Abbruch");
    case bkRetry: return QStringLiteral("&Wiederholen");
    case bkIgnore: return QStringLiteral("&Ignorieren");
    case bkAll: return QStringLiteral("&Alle");
    default: return QString();
    }
}

int TBitBtn::KindModalResult(TBitBtnKind Kind)
{
    switch (Kind) {
    case bkOK: return mrOk;
    case bkCancel: return mrCancel;
    case bkYes: return mrYes;
    case bkNo: return mrNo;
    case bkAbort: return mrAbort;
    case bkRetry: return mrRetry;
    case bkIgnore: return mrIgnore;
    case bkAll: return mrAll;
    default: return mrNone;
    }
}

QImage TBitBtn::KindGlyph(TBitBtnKind Kind)
{
    static std::array<QImage, bkAll + 1> cache;
    static std::array<bool, bkAll + 1> made{};
    if (Kind < bkCustom || Kind > bkAll)
        return QImage();
    if (!made[Kind]) {
        cache[Kind] = MakeGlyph(Kind);
        made[Kind] = true;
    }
    return cache[Kind];
}

void TBitBtn::SetGlyph(TBitmap* Value)
{
    if (Value == FGlyph.get())
        return;
    if (Value)
        FGlyph->Assign(Value);
    else
        FGlyph->SetImage(QImage());
}

void TBitBtn::SetKind(TBitBtnKind Value)
{
    if (Value < bkCustom || Value > bkAll || FKind == Value)
        return;
    if (Value != bkCustom) {
        SetDefault(Value == bkOK || Value == bkYes);
        SetCancel(Value == bkCancel || Value == bkNo);
        if (!IsLoading() || Caption().isEmpty())
            SetCaption(KindCaption(Value));
        SetModalResult(KindModalResult(Value));
        // The kind's own picture replaces a glyph given earlier.
        if (!IsLoading() && !FGlyph->Empty())
            FGlyph->SetImage(QImage());
    }
    FKind = Value;
    UpdateButton();
}

void TBitBtn::SetLayout(TButtonLayout Value)
{
    if (Value < blGlyphLeft || Value > blGlyphBottom || FLayout == Value)
        return;
    FLayout = Value;
    UpdateButton();
}

void TBitBtn::SetMargin(int Value)
{
    if (Value < -1 || FMargin == Value)
        return;
    FMargin = Value;
    UpdateButton();
}

void TBitBtn::SetNumGlyphs(int Value)
{
    if (Value < 1 || Value > 4 || FNumGlyphs == Value)
        return;
    FNumGlyphs = Value;
    UpdateButton();
}

void TBitBtn::SetSpacing(int Value)
{
    if (Value < -1 || FSpacing == Value)
        return;
    FSpacing = Value;
    UpdateButton();
}

void TBitBtn::Click()
{
    if (FKind == bkClose)
        if (TWinControl* p = Parent()) {
            TForm* form = nullptr;
            for (; p; p = p->Parent())
                if (auto* f = qobject_cast<TForm*>(p))
                    form = f;
            if (form) {
                form->Close();
                return;
            }
        }
    TButton::Click();
}

void TBitBtn::PaintContent(QPainter& P, const TRect& Content, bool Down)
{
    const bool custom = !FGlyph->Empty();
    const QImage strip = custom ? FGlyph->Image() : KindGlyph(FKind);
    const bool enabled = WidgetIfCreated() ? WidgetIfCreated()->isEnabled() : Enabled();
    const TSpeedButton::TButtonState state =
        !enabled ? TSpeedButton::bsDisabled : Down ? TSpeedButton::bsDown : TSpeedButton::bsUp;
    PaintGlyphAndCaption(P, Content, QPoint(), strip, custom ? FNumGlyphs : 1, Caption(), Font(), FLayout, FMargin,
        FSpacing, state);
}

// ---------------------------------------------------------------- TSpeedButton

TSpeedButton::TSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TGlyphBitmap>())
{
    SetControlStyle((ControlStyle() & ~TControlStyle(csClickEvents)) | csOpaque);
    SetBounds(0, 0, 25, 25);
    FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TSpeedButton::~TSpeedButton()
{
    FGlyph->OnChange = nullptr;
}

void TSpeedButton::SetAllowAllUp(bool Value)
{
    if (FAllowAllUp == Value)
        return;
    FAllowAllUp = Value;
    if (!IsLoading())
        UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int Value)
{
    if (Value < 0 || FGroupIndex == Value)
        return;
    FGroupIndex = Value;
    if (!IsLoading())
        UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value)
{
    if (IsLoading()) {
        // The group may be read after Down; Loaded() settles it.
        FDown = Value;
        FState = Value ? bsExclusive : bsUp;
        return;
    }
    if (FGroupIndex == 0)
        Value = false;
    if (Value == FDown)
        return;
    if (FDown && !FAllowAllUp)
        return;
    FDown = Value;
    FState = Value ? bsExclusive : bsUp;
    Invalidate();
    if (Value)
        UpdateExclusive();
}

void TSpeedButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || !Parent())
        return;
    TWinControl* parent = Parent();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* other = qobject_cast<TSpeedButton*>(parent->Controls(i));
        if (!other || other == this || other->FGroupIndex != FGroupIndex)
            continue;
        if (FDown && other->FDown) {
            other->FDown = false;
            other->FState = bsUp;
            other->Invalidate();
        }
        other->FAllowAllUp = FAllowAllUp;
    }
}

void TSpeedButton::Loaded()
{
    TGraphicControl::Loaded();
    if (FGroupIndex == 0 && FDown) {
        FDown = false;
        FState = bsUp;
    }
    UpdateExclusive();
    Invalidate();
}

void TSpeedButton::SetCaption(const QString& Text)
{
    const QString Value = WindowText(Text);
    if (FCaption == Value)
        return;
    FCaption = Value;
    Invalidate();
}

void TSpeedButton::SetFlat(bool Value)
{
    if (FFlat == Value)
        return;
    FFlat = Value;
    Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* Value)
{
    if (Value == FGlyph.get())
        return;
    if (Value)
        FGlyph->Assign(Value);
    else
        FGlyph->SetImage(QImage());
}

void TSpeedButton::SetLayout(TBitBtn::TButtonLayout Value)
{
    if (Value < TBitBtn::blGlyphLeft || Value > TBitBtn::blGlyphBottom || FLayout == Value)
        return;
    FLayout = Value;
    Invalidate();
}

void TSpeedButton::SetMargin(int Value)
{
    if (Value < -1 || FMargin == Value)
        return;
    FMargin = Value;
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int Value)
{
    if (Value < 1 || Value > 4 || FNumGlyphs == Value)
        return;
    FNumGlyphs = Value;
    Invalidate();
}

void TSpeedButton::SetSpacing(int Value)
{
    if (Value < -1 || FSpacing == Value)
        return;
    FSpacing = Value;
    Invalidate();
}

void TSpeedButton::Click()
{
    TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging)
        return;
    TButtonState state = FDown ? bsExclusive : bsUp;
    if (Inside(X, Y))
        state = FDown ? bsExclusive : bsDown;
    if (state != FState) {
        FState = state;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging || Button != mbLeft)
        return;
    FDragging = false;
    const bool doClick = Inside(X, Y);
    if (FGroupIndex == 0) {
        FState = bsUp;
        Invalidate();
    } else if (doClick) {
        SetDown(!FDown);
        Invalidate();
    } else {
        if (FDown)
            FState = bsExclusive;
        Invalidate();
    }
    if (doClick)
        Click();
}

bool TSpeedButton::FilterEvent(QObject* Watched, QEvent* Event)
{
    if (Watched == WidgetIfCreated() && (Event->type() == QEvent::Enter || Event->type() == QEvent::Leave)) {
        FMouseInControl = Event->type() == QEvent::Enter;
        if (FFlat)
            Invalidate();
    }
    return TGraphicControl::FilterEvent(Watched, Event);
}

void TSpeedButton::Paint()
{
    TCanvasPainter p(Canvas());
    TRect r = ClientRect();
    TButtonState state = FState;
    if (!Enabled())
        state = bsDisabled;
    else if (state == bsDisabled)
        state = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    const bool pressed = state == bsDown || state == bsExclusive;
    p->fillRect(r.ToQRect(), ColorToQColor(Color()));
    if (!FFlat) {
        if (pressed)
            PaintSunkenButton(*p, r, Color());
        else
            PaintRaisedButton(*p, r, Color());
    } else if (pressed) {
        PaintFrame3D(*p, r, clBtnShadow, clBtnHighlight, 1);
    } else if (FMouseInControl && Enabled()) {
        PaintFrame3D(*p, r, clBtnHighlight, clBtnShadow, 1);
    } else {
        r = InflateRect(r, -1, -1);
    }
    if (state == bsExclusive)
        PaintDither(*p, r);
    const QPoint offset = pressed ? QPoint(1, 1) : QPoint();
    PaintGlyphAndCaption(*p, r, offset, FGlyph->Image(), FNumGlyphs, FCaption, Font(), FLayout, FMargin, FSpacing,
        state);
}

} // namespace Tessaron
