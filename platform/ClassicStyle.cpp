#include "platform/ClassicStyle.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>

namespace Tessaron {

namespace {

QColor C(TColor Color)
{
    return ColorToQColor(Color);
}

void Pixel(QPainter& P, int X, int Y, TColor Color)
{
    P.fillRect(QRect(X, Y, 1, 1), C(Color));
}

// Width of the arrow buttons of combo boxes and spin edits.
constexpr int kComboButtonWidth = 16;
constexpr int kSpinButtonWidth = 15;

// Fusion with the classic frames, arrow buttons and metrics of edits, combo
// boxes and spin edits.
class TClassicProxyStyle : public QProxyStyle {
public:
    TClassicProxyStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    int pixelMetric(PixelMetric Metric, const QStyleOption* Option, const QWidget* Widget) const override
    {
        switch (Metric) {
        case PM_DefaultFrameWidth:
        case PM_ComboBoxFrameWidth:
        case PM_SpinBoxFrameWidth:
            return 2;
        case PM_ButtonShiftHorizontal:
        case PM_ButtonShiftVertical:
            return 1;
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
            return 13;
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
            return 12;
        case PM_ScrollBarExtent:
            return 16;
        default:
            return QProxyStyle::pixelMetric(Metric, Option, Widget);
        }
    }

    int styleHint(StyleHint Hint, const QStyleOption* Option, const QWidget* Widget,
        QStyleHintReturn* Return) const override
    {
        switch (Hint) {
        case SH_ComboBox_Popup: // a list below the field, not a menu over it
            return 0;
        case SH_UnderlineShortcut:
        case SH_ComboBox_ListMouseTracking:
            return 1;
        default:
            return QProxyStyle::styleHint(Hint, Option, Widget, Return);
        }
    }

    void drawPrimitive(PrimitiveElement Element, const QStyleOption* Option, QPainter* P,
        const QWidget* Widget) const override
    {
        switch (Element) {
        case PE_FrameLineEdit: {
            TRect r = TRect::FromQRect(Option->rect);
            PaintSunkenField(*P, r);
            return;
        }
        case PE_PanelLineEdit: {
            const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(Option);
            if (frame && frame->lineWidth > 0) {
                P->fillRect(Option->rect.adjusted(2, 2, -2, -2), Option->palette.brush(QPalette::Base));
                TRect r = TRect::FromQRect(Option->rect);
                PaintSunkenField(*P, r);
            }
            return;
        }
        case PE_FrameFocusRect:
            PaintFocusRect(*P, TRect::FromQRect(Option->rect));
            return;
        default:
            QProxyStyle::drawPrimitive(Element, Option, P, Widget);
        }
    }

    void drawComplexControl(ComplexControl Control, const QStyleOptionComplex* Option, QPainter* P,
        const QWidget* Widget) const override
    {
        const bool enabled = Option->state & State_Enabled;
        if (Control == CC_ComboBox) {
            const auto* cb = qstyleoption_cast<const QStyleOptionComboBox*>(Option);
            if (!cb)
                return;
            P->save();
            TRect r = TRect::FromQRect(Option->rect);
            if (cb->frame)
                PaintSunkenField(*P, r);
            P->fillRect(r.ToQRect(), Option->palette.brush(QPalette::Base));
            const QRect arrow = subControlRect(CC_ComboBox, Option, SC_ComboBoxArrow, Widget);
            const bool pressed = (cb->activeSubControls & SC_ComboBoxArrow) && (Option->state & State_Sunken);
            PaintArrowButton(*P, arrow, TArrow::Down, 7, pressed, enabled);
            P->restore();
            return;
        }
        if (Control == CC_SpinBox) {
            const auto* sb = qstyleoption_cast<const QStyleOptionSpinBox*>(Option);
            if (!sb)
                return;
            P->save();
            TRect r = TRect::FromQRect(Option->rect);
            if (sb->frame)
                PaintSunkenField(*P, r);
            P->fillRect(r.ToQRect(), Option->palette.brush(QPalette::Base));
            if (sb->buttonSymbols != QAbstractSpinBox::NoButtons) {
                const bool sunken = Option->state & State_Sunken;
                const QRect up = subControlRect(CC_SpinBox, Option, SC_SpinBoxUp, Widget);
                const QRect down = subControlRect(CC_SpinBox, Option, SC_SpinBoxDown, Widget);
                PaintArrowButton(*P, up, TArrow::Up, 5, sunken && (sb->activeSubControls & SC_SpinBoxUp), enabled);
                PaintArrowButton(
                    *P, down, TArrow::Down, 5, sunken && (sb->activeSubControls & SC_SpinBoxDown), enabled);
            }
            P->restore();
            return;
        }
        QProxyStyle::drawComplexControl(Control, Option, P, Widget);
    }

    QRect subControlRect(ComplexControl Control, const QStyleOptionComplex* Option, SubControl Sub,
        const QWidget* Widget) const override
    {
        const QRect r = Option->rect;
        if (Control == CC_ComboBox) {
            const auto* cb = qstyleoption_cast<const QStyleOptionComboBox*>(Option);
            const int f = cb && cb->frame ? 2 : 0;
            const QRect inner = r.adjusted(f, f, -f, -f);
            const int bw = std::min(kComboButtonWidth, inner.width());
            switch (Sub) {
            case SC_ComboBoxFrame:
            case SC_ComboBoxListBoxPopup:
                return r;
            case SC_ComboBoxArrow:
                return QRect(inner.right() - bw + 1, inner.top(), bw, inner.height());
            case SC_ComboBoxEditField:
                return QRect(inner.left(), inner.top(), std::max(0, inner.width() - bw), inner.height());
            default:
                break;
            }
        } else if (Control == CC_SpinBox) {
            const auto* sb = qstyleoption_cast<const QStyleOptionSpinBox*>(Option);
            const int f = sb && sb->frame ? 2 : 0;
            const QRect inner = r.adjusted(f, f, -f, -f);
            const bool buttons = !sb || sb->buttonSymbols != QAbstractSpinBox::NoButtons;
            const int bw = buttons ? std::min(kSpinButtonWidth, inner.width()) : 0;
            const int upHeight = inner.height() / 2;
            switch (Sub) {
            case SC_SpinBoxFrame:
                return r;
            case SC_SpinBoxUp:
                return QRect(inner.right() - bw + 1, inner.top(), bw, upHeight);
            case SC_SpinBoxDown:
                return QRect(inner.right() - bw + 1, inner.top() + upHeight, bw, inner.height() - upHeight);
            case SC_SpinBoxEditField:
                return QRect(inner.left(), inner.top(), std::max(0, inner.width() - bw), inner.height());
            default:
                break;
            }
        }
        return QProxyStyle::subControlRect(Control, Option, Sub, Widget);
    }

private:
    static void PaintArrowButton(QPainter& P, const QRect& Rect, TArrow Direction, int Base, bool Pressed,
        bool Enabled)
    {
        if (Rect.isEmpty())
            return;
        TRect r = TRect::FromQRect(Rect);
        if (Pressed) {
            PaintFrame3D(P, r, clBtnShadow, clBtnShadow, 1);
            P.fillRect(r.ToQRect(), C(clBtnFace));
            r = TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
        } else {
            PaintRaisedButton(P, r);
        }
        if (Enabled) {
            PaintArrow(P, r, Direction, Base, clBtnText);
        } else {
            PaintArrow(P, TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1), Direction, Base, clBtnHighlight);
            PaintArrow(P, r, Direction, Base, clBtnShadow);
        }
    }
};

} // namespace

QStyle* ClassicStyle()
{
    // Owned by the application, so that it goes before the application does.
    static QPointer<QStyle> style;
    if (!style) {
        style = new TClassicProxyStyle();
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

QPalette ClassicPalette(TColor Face, TColor Text, TColor Field)
{
    QPalette pal;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = group == QPalette::Disabled;
        pal.setColor(group, QPalette::Window, C(Face));
        pal.setColor(group, QPalette::Button, C(Face));
        pal.setColor(group, QPalette::Base, C(Field));
        pal.setColor(group, QPalette::AlternateBase, C(Field));
        pal.setColor(group, QPalette::WindowText, C(disabled ? clGrayText : Text));
        pal.setColor(group, QPalette::ButtonText, C(disabled ? clGrayText : Text));
        pal.setColor(group, QPalette::Text, C(disabled ? clGrayText : Text));
        pal.setColor(group, QPalette::PlaceholderText, C(clGrayText));
        pal.setColor(group, QPalette::Highlight, C(clHighlight));
        pal.setColor(group, QPalette::HighlightedText, C(clHighlightText));
        pal.setColor(group, QPalette::Light, C(clBtnHighlight));
        pal.setColor(group, QPalette::Midlight, C(cl3DLight));
        pal.setColor(group, QPalette::Mid, C(clBtnShadow));
        pal.setColor(group, QPalette::Dark, C(clBtnShadow));
        pal.setColor(group, QPalette::Shadow, C(cl3DDkShadow));
        pal.setColor(group, QPalette::ToolTipBase, C(clInfoBk));
        pal.setColor(group, QPalette::ToolTipText, C(clInfoText));
    }
    return pal;
}

void ApplyClassicLook(QWidget* Widget, TColor Face, TColor Text, TColor Field)
{
    if (!Widget)
        return;
    if (Widget->style() != ClassicStyle())
        Widget->setStyle(ClassicStyle());
    Widget->setPalette(ClassicPalette(Face, Text, Field));
}

// ---------------------------------------------------------------- drawing

void PaintFrame3D(QPainter& P, TRect& R, TColor TopColor, TColor BottomColor, int Width)
{
    const QColor top = C(TopColor);
    const QColor bottom = C(BottomColor);
    for (; Width > 0 && !R.IsEmpty(); --Width) {
        const int w = R.Width();
        const int h = R.Height();
        P.fillRect(QRect(R.Left, R.Top, w - 1, 1), top);
        P.fillRect(QRect(R.Left, R.Top, 1, h - 1), top);
        P.fillRect(QRect(R.Right - 1, R.Top, 1, h), bottom);
        P.fillRect(QRect(R.Left, R.Bottom - 1, w, 1), bottom);
        R = InflateRect(R, -1, -1);
    }
}

void PaintRaisedButton(QPainter& P, TRect& R, TColor Face)
{
    PaintFrame3D(P, R, clBtnHighlight, cl3DDkShadow, 1);
    PaintFrame3D(P, R, cl3DLight, clBtnShadow, 1);
    if (!R.IsEmpty())
        P.fillRect(R.ToQRect(), C(Face));
}

void PaintSunkenButton(QPainter& P, TRect& R, TColor Face)
{
    PaintFrame3D(P, R, cl3DDkShadow, clBtnHighlight, 1);
    PaintFrame3D(P, R, clBtnShadow, cl3DLight, 1);
    if (!R.IsEmpty())
        P.fillRect(R.ToQRect(), C(Face));
}

void PaintSunkenField(QPainter& P, TRect& R)
{
    PaintFrame3D(P, R, clBtnShadow, clBtnHighlight, 1);
    PaintFrame3D(P, R, cl3DDkShadow, cl3DLight, 1);
}

void PaintDither(QPainter& P, const TRect& R)
{
    if (R.IsEmpty())
        return;
    QImage pattern(2, 2, QImage::Format_RGB32);
    pattern.setPixel(0, 0, ColorToQRgb(clBtnFace));
    pattern.setPixel(1, 1, ColorToQRgb(clBtnFace));
    pattern.setPixel(1, 0, ColorToQRgb(clBtnHighlight));
    pattern.setPixel(0, 1, ColorToQRgb(clBtnHighlight));
    P.save();
    P.setBrushOrigin(0, 0);
    P.fillRect(R.ToQRect(), QBrush(pattern));
    P.restore();
}

void PaintFocusRect(QPainter& P, const TRect& R)
{
    if (R.IsEmpty())
        return;
    const QColor c = C(clWindowText);
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            P.fillRect(QRect(x, y, 1, 1), c);
    };
    for (int x = R.Left; x < R.Right; ++x) {
        dot(x, R.Top);
        dot(x, R.Bottom - 1);
    }
    for (int y = R.Top + 1; y < R.Bottom - 1; ++y) {
        dot(R.Left, y);
        dot(R.Right - 1, y);
    }
}

void PaintArrow(QPainter& P, const TRect& R, TArrow Direction, int BaseWidth, TColor Color)
{
    const int rows = (BaseWidth + 1) / 2;
    const QColor c = C(Color);
    const bool vertical = Direction == TArrow::Up || Direction == TArrow::Down;
    const int along = vertical ? R.Height() : R.Width();
    const int across = vertical ? R.Width() : R.Height();
    const int start = (along - rows) / 2;
    const int side = (across - BaseWidth) / 2;
    for (int i = 0; i < rows; ++i) {
        // Row i counted from the arrow's base.
        const int pos = (Direction == TArrow::Down || Direction == TArrow::Right) ? start + i : start + rows - 1 - i;
        const int from = side + i;
        const int len = BaseWidth - 2 * i;
        if (vertical)
            P.fillRect(QRect(R.Left + from, R.Top + pos, len, 1), c);
        else
            P.fillRect(QRect(R.Left + pos, R.Top + from, 1, len), c);
    }
}

void PaintCheckBox(QPainter& P, int X, int Y, int State, bool Enabled, bool Pressed)
{
    TRect r(X, Y, X + 13, Y + 13);
    PaintSunkenField(P, r);
    P.fillRect(r.ToQRect(), C(Enabled && !Pressed && State != 2 ? clWindow : clBtnFace));
    if (State == 0)
        return;
    static const char* const mark[7] = {
        "......X",
        ".....XX",
        "X...XXX",
        "XX.XXX.",
        "XXXXX..",
        ".XXX...",
        "..X....",
    };
    const TColor color = Enabled && State == 1 ? clWindowText : clBtnShadow;
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 7; ++col)
            if (mark[row][col] == 'X')
                Pixel(P, X + 3 + col, Y + 3 + row, color);
}

void PaintRadioButton(QPainter& P, int X, int Y, bool Checked, bool Enabled, bool Pressed)
{
    // Rings of a 12-pixel circle: the outer ring is shadow above the diagonal
    // from bottom-left to top-right and highlight below it, the inner ring
    // dark shadow and light.
    static const char* const shape[12] = {
        "....oooo....",
        "..ooiiiioo..",
        ".oiiwwwwiio.",
        ".oiwwwwwwio.",
        "oiwwwwwwwwio",
        "oiwwwwwwwwio",
        "oiwwwwwwwwio",
        "oiwwwwwwwwio",
        ".oiwwwwwwio.",
        ".oiiwwwwiio.",
        "..ooiiiioo..",
        "....oooo....",
    };
    const TColor field = Enabled && !Pressed ? clWindow : clBtnFace;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool upper = x + y < 11;
            switch (shape[y][x]) {
            case 'o': Pixel(P, X + x, Y + y, upper ? clBtnShadow : clBtnHighlight); break;
            case 'i': Pixel(P, X + x, Y + y, upper ? cl3DDkShadow : cl3DLight); break;
            case 'w': Pixel(P, X + x, Y + y, field); break;
            default: break;
            }
        }
    if (!Checked)
        return;
    const TColor dot = Enabled ? clWindowText : clBtnShadow;
    P.fillRect(QRect(X + 5, Y + 4, 2, 1), C(dot));
    P.fillRect(QRect(X + 4, Y + 5, 4, 2), C(dot));
    P.fillRect(QRect(X + 5, Y + 7, 2, 1), C(dot));
}

QString StripAccel(const QString& Text)
{
    QString result;
    result.reserve(Text.size());
    for (int i = 0; i < Text.size(); ++i) {
        if (Text.at(i) == QLatin1Char('&')) {
            if (i + 1 < Text.size() && Text.at(i + 1) == QLatin1Char('&')) {
                result += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        result += Text.at(i);
    }
    return result;
}

QSize CaptionExtent(const QString& Text, const QFont& Font, bool ShowAccel)
{
    const QFontMetrics fm(Font);
    return QSize(fm.horizontalAdvance(ShowAccel ? StripAccel(Text) : Text), fm.height());
}

void PaintText(QPainter& P, const QRect& R, int Flags, const QString& Text, const QFont& Font, TColor Color,
    bool Enabled, bool ShowAccel)
{
    if (Text.isEmpty())
        return;
    P.save();
    P.setFont(Font);
    const int flags = Flags | (ShowAccel ? int(Qt::TextShowMnemonic) : 0);
    if (!Enabled) {
        P.setPen(C(clBtnHighlight));
        P.drawText(R.translated(1, 1), flags, Text);
        P.setPen(C(clBtnShadow));
    } else {
        P.setPen(C(Color));
    }
    P.drawText(R, flags, Text);
    P.restore();
}

// ---------------------------------------------------------------- helpers

TCanvasPainter::TCanvasPainter(TCanvas* Canvas)
{
    Canvas->Flush();
    FPainter.begin(Canvas->Image());
    FPainter.setClipRegion(Canvas->ClipRegion());
}

TDrawnWidget::TDrawnWidget(TPaintFunction Paint) : FPaint(std::move(Paint))
{
    setMouseTracking(true);
    SetOpaque(true);
}

void TDrawnWidget::SetOpaque(bool Value)
{
    setAttribute(Qt::WA_OpaquePaintEvent, Value);
    setAttribute(Qt::WA_NoSystemBackground, Value);
    update();
}

void TDrawnWidget::paintEvent(QPaintEvent* Event)
{
    QPainter painter(this);
    if (FPaint)
        FPaint(painter, Event->region());
}

} // namespace Tessaron
