#include "platform/ComCtrls.h"

#include "platform/ClassicStyle.h"
#include "platform/Streaming.h"

#include <QLocale>
#include <QTimer>

#include <algorithm>

namespace Tessaron {

namespace {

[[maybe_unused]] const bool kRegistered = [] {
    RegisterClass<TUpDown>();
    RegisterEventType<TUpDown::TUDClickEvent>();
    RegisterEventType<TUpDown::TUDChangingEvent>();
    return true;
}();

// Delay before a held button repeats, and the repeat interval.
constexpr int kRepeatDelay = 400;
constexpr int kRepeatInterval = 100;

} // namespace

TUpDown::TUpDown(TComponent* AOwner) : TCustomControl(AOwner), FRepeat(std::make_unique<QTimer>())
{
    SetControlStyle((ControlStyle() & ~TControlStyle(csClickEvents)) | csOpaque);
    SetTabStop(false);
    SetBounds(0, 0, 16, 24);
    FRepeat->setSingleShot(true);
    QObject::connect(FRepeat.get(), &QTimer::timeout, this, [this] { GuardedCall([this] { Repeat(); }); });
}

TUpDown::~TUpDown()
{
    FRepeat->stop();
}

int TUpDown::Clamped(int Value) const
{
    return std::clamp(Value, std::min(FMin, FMax), std::max(FMin, FMax));
}

void TUpDown::SetMin(int Value)
{
    FMin = Value;
}

void TUpDown::SetMax(int Value)
{
    FMax = Value;
}

void TUpDown::SetIncrement(int Value)
{
    if (Value >= 1)
        FIncrement = Value;
}

void TUpDown::SetPosition(int Value)
{
    if (IsLoading()) {
        FPosition = Value;
        return;
    }
    Value = Clamped(Value);
    if (Value == FPosition)
        return;
    FPosition = Value;
    WriteAssociate();
}

void TUpDown::SetAssociate(TWinControl* Value)
{
    // Another up-down is no associate: two placing themselves beside each
    // other would move on every load.
    if (Value == this || FAssociate == Value || qobject_cast<TUpDown*>(Value))
        return;
    FAssociate = Value;
    if (IsLoading())
        return;
    PlaceBesideAssociate();
    WriteAssociate();
}

void TUpDown::SetAlignButton(TUDAlignButton Value)
{
    if (Value < udLeft || Value > udRight || FAlignButton == Value)
        return;
    FAlignButton = Value;
    if (!IsLoading())
        PlaceBesideAssociate();
}

void TUpDown::SetOrientation(TUDOrientation Value)
{
    if (Value < udHorizontal || Value > udVertical || FOrientation == Value)
        return;
    FOrientation = Value;
    Invalidate();
}

void TUpDown::SetThousands(bool Value)
{
    if (FThousands == Value)
        return;
    FThousands = Value;
    if (!IsLoading())
        WriteAssociate();
}

void TUpDown::Loaded()
{
    TCustomControl::Loaded();
    FPosition = Clamped(FPosition);
    PlaceBesideAssociate();
    WriteAssociate();
}

void TUpDown::PlaceBesideAssociate()
{
    if (!FAssociate || FAssociate->Parent() != Parent())
        return;
    const int x = FAlignButton == udRight ? FAssociate->Left() + FAssociate->Width() : FAssociate->Left() - Width();
    SetBounds(x, FAssociate->Top(), Width(), FAssociate->Height());
}

void TUpDown::WriteAssociate()
{
    if (!FAssociate)
        return;
    const QString text = FThousands ? QLocale().toString(FPosition) : QString::number(FPosition);
    FAssociate->setProperty("Text", text);
}

void TUpDown::ReadAssociate()
{
    if (!FAssociate)
        return;
    const QVariant value = FAssociate->property("Text");
    if (!value.isValid())
        return;
    QString text = value.toString().trimmed();
    text.remove(QLocale().groupSeparator());
    bool ok = false;
    const int position = text.toInt(&ok);
    if (ok)
        FPosition = Clamped(position);
}

void TUpDown::ClickButton(TUDBtnType Button)
{
    ReadAssociate();
    bool allow = true;
    CallEvent(OnChanging, this, allow);
    if (allow) {
        const int lo = std::min(FMin, FMax);
        const int hi = std::max(FMin, FMax);
        const int towardsMax = FMax >= FMin ? 1 : -1;
        const int direction = Button == btNext ? towardsMax : -towardsMax;
        const long long next = static_cast<long long>(FPosition) + static_cast<long long>(direction) * FIncrement;
        int position;
        if (next > hi)
            position = FWrap ? lo : hi;
        else if (next < lo)
            position = FWrap ? hi : lo;
        else
            position = int(next);
        if (position != FPosition) {
            FPosition = position;
            WriteAssociate();
        }
    }
    CallEvent(OnClick, this, Button);
}

TRect TUpDown::ButtonRect(TUDBtnType Button) const
{
    const int w = Width();
    const int h = Height();
    if (FOrientation == udVertical)
        return Button == btNext ? TRect(0, 0, w, h / 2) : TRect(0, h / 2, w, h);
    return Button == btPrev ? TRect(0, 0, w / 2, h) : TRect(w / 2, 0, w, h);
}

TUpDown::TUDBtnType TUpDown::ButtonAt(int X, int Y) const
{
    return ButtonRect(btPrev).Contains(X, Y) ? btPrev : btNext;
}

void TUpDown::Paint()
{
    TCanvasPainter p(Canvas());
    p->fillRect(ClientRect().ToQRect(), ColorToQColor(Color()));
    for (TUDBtnType button : {btNext, btPrev}) {
        TRect r = ButtonRect(button);
        if (r.IsEmpty())
            continue;
        const bool down = FPressing && FPressed == button && FPressedInside;
        if (down) {
            PaintFrame3D(*p, r, clBtnShadow, clBtnShadow, 1);
            p->fillRect(r.ToQRect(), ColorToQColor(Color()));
            r = TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
        } else {
            PaintRaisedButton(*p, r, Color());
        }
        TArrow arrow;
        if (FOrientation == udVertical)
            arrow = button == btNext ? TArrow::Up : TArrow::Down;
        else
            arrow = button == btNext ? TArrow::Right : TArrow::Left;
        const int across = FOrientation == udVertical ? r.Width() : r.Height();
        const int base = std::clamp((across - 6) | 1, 1, 7);
        if (Enabled()) {
            PaintArrow(*p, r, arrow, base, clBtnText);
        } else {
            PaintArrow(*p, TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1), arrow, base, clBtnHighlight);
            PaintArrow(*p, r, arrow, base, clBtnShadow);
        }
    }
}

void TUpDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    FPressing = true;
    FPressed = ButtonAt(X, Y);
    FPressedInside = true;
    Invalidate();
    FRepeat->start(kRepeatDelay);
    ClickButton(FPressed);
}

void TUpDown::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FPressing)
        return;
    const bool inside = ButtonRect(FPressed).Contains(X, Y);
    if (inside != FPressedInside) {
        FPressedInside = inside;
        Invalidate();
    }
}

void TUpDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !FPressing)
        return;
    FPressing = false;
    FRepeat->stop();
    Invalidate();
}

void TUpDown::Repeat()
{
    if (!FPressing)
        return;
    FRepeat->start(kRepeatInterval);
    if (FPressedInside)
        ClickButton(FPressed);
}

void TUpDown::KeyDown(int& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (!FArrowKeys)
        return;
    if (Key == Qt::Key_Up || Key == Qt::Key_Right) {
        ClickButton(btNext);
        Key = 0;
    } else if (Key == Qt::Key_Down || Key == Qt::Key_Left) {
        ClickButton(btPrev);
        Key = 0;
    }
}

void TUpDown::Resized()
{
    TCustomControl::Resized();
    Invalidate();
}

} // namespace Tessaron
