#include "platform/Controls.h"
#include "platform/ImageBounds.h"
#include "platform/Streaming.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace Tessaron {

namespace {

const char* const kControlProperty = "tessaron.control";

// The widget of a control that draws itself: it copies the requested areas of
// the control's backing image to the screen.
} // namespace

class TCanvasWidget : public QWidget {
public:
    explicit TCanvasWidget(TControl* Control) : FControl(Control)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        setMouseTracking(true);
    }
    QSize sizeHint() const override { return FControl->SizeHint(); }
    QSize minimumSizeHint() const override { return FControl->MinimumSizeHint(); }

protected:
    void paintEvent(QPaintEvent* Event) override
    {
        QPainter painter(this);
        FControl->PaintWidget(painter, Event->region());
    }

private:
    TControl* FControl;
};

// Lives as a child of a control's widget and tells the control when Qt
// destroys the widget (with its Qt parent, or directly).
class TWidgetAnchor : public QObject {
public:
    TWidgetAnchor(QWidget* Widget, TControl* Control) : QObject(Widget), FControl(Control) {}
    ~TWidgetAnchor() override
    {
        if (FControl)
            FControl->WidgetDestroyed();
    }
    TControl* FControl;
};

namespace {

// The drag in progress between controls of the program.
struct TDragState_ {
    TControl* Source = nullptr;
    bool Pending = false; // waiting for the mouse to move far enough
    bool Active = false;
    QPoint Start;
    QPointer<QWidget> TargetWidget;
    TControl* Target = nullptr;
    bool Accepted = false;
};

TDragState_& Drag()
{
    static TDragState_ state;
    return state;
}

TControl* ControlAt(const QPoint& Global)
{
    QWidget* w = QApplication::widgetAt(Global);
    if (!w) {
        const auto tops = QApplication::topLevelWidgets();
        for (QWidget* top : tops) {
            if (!top->isVisible() || !top->geometry().contains(Global))
                continue;
            w = top->childAt(top->mapFromGlobal(Global));
            if (!w)
                w = top;
            break;
        }
    }
    for (; w; w = w->parentWidget())
        if (TControl* c = TControl::FromWidget(w))
            return c;
    return nullptr;
}

TMouseButton ButtonOf(Qt::MouseButton Button)
{
    switch (Button) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
    }
}

} // namespace

TShiftState ShiftStateFrom(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons)
{
    TShiftState s;
    if (Modifiers & Qt::ShiftModifier)
        s |= ssShift;
    if (Modifiers & Qt::AltModifier)
        s |= ssAlt;
    if (Modifiers & Qt::ControlModifier)
        s |= ssCtrl;
    if (Buttons & Qt::LeftButton)
        s |= ssLeft;
    if (Buttons & Qt::RightButton)
        s |= ssRight;
    if (Buttons & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

Qt::CursorShape CursorShape(TCursor Cursor)
{
    switch (Cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSize: return Qt::SizeAllCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crDrag: return Qt::DragMoveCursor;
    case crNoDrop: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crMultiDrag: return Qt::DragCopyCursor;
    case crNo: return Qt::ForbiddenCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
    }
}

namespace {
// The control event types, bindable by name in descriptions.
const bool kEventsRegistered = [] {
    RegisterEventType<TMouseEvent>();
    RegisterEventType<TMouseMoveEvent>();
    RegisterEventType<TDragOverEvent>();
    RegisterEventType<TDragDropEvent>();
    RegisterEventType<TEndDragEvent>();
    RegisterEventType<TKeyEvent>();
    RegisterEventType<TKeyPressEvent>();
    RegisterClass<TWinControl>();
    return true;
}();
} // namespace

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>())
{
    FFont->OnChange = [this](TObject*) {
        if (!FUpdatingFont)
            FParentFont = false;
        FontChanged();
    };
}

TControl::~TControl()
{
    // Owned components go first, while this control is still whole.
    DestroyComponents();
    if (Drag().Source == this)
        Drag() = TDragState_();
    if (Drag().Target == this)
        Drag().Target = nullptr;
    if (FParent)
        FParent->RemoveControl(this);
    FParent = nullptr;
    if (FAnchor)
        FAnchor->FControl = nullptr;
    if (FWidget) {
        FWidget->removeEventFilter(this);
        FWidget->setProperty(kControlProperty, QVariant());
        delete FWidget.data();
    }
    if (FBacking)
        FBacking->Canvas->Flush();
}

QWidget* TControl::Widget() const
{
    if (!FWidget) {
        auto* self = const_cast<TControl*>(this);
        QWidget* w = self->CreateWidget();
        w->setProperty(kControlProperty, QVariant::fromValue<QObject*>(self));
        w->installEventFilter(self);
        self->FWidget = w;
        self->FAnchor = new TWidgetAnchor(w, self);
        if (FParent)
            w->setParent(FParent->ClientWidget());
        w->setEnabled(FEnabled);
        w->setFont(FFont->ToQFont());
        if (FCursor != crDefault)
            w->setCursor(CursorShape(FCursor));
        self->InitWidget(w);
        self->ApplyGeometry();
        self->ApplyHint();
        self->ApplyVisibility();
    }
    return FWidget;
}

TControl* TControl::FromWidget(const QWidget* Widget)
{
    if (!Widget)
        return nullptr;
    return qobject_cast<TControl*>(Widget->property(kControlProperty).value<QObject*>());
}

QWidget* TControl::CreateWidget()
{
    return new TCanvasWidget(this);
}

void TControl::EnableCanvas()
{
    if (FBacking)
        return;
    FBacking = std::make_unique<TBackingStore>();
    FBacking->Canvas = std::make_unique<TCanvas>();
    FBacking->Canvas->OnChanged = [this](const QRect& R) {
        if (FWidget && !FBacking->Painting)
            FWidget->update(R);
    };
    // A moved area: Qt moves the pixels it shows (and what it has still to
    // show) the same way, so only what the move uncovers is copied again.
    FBacking->Canvas->OnScrolled = [this](const QRect& Area, int DX, int DY) {
        if (!FWidget)
            return;
        if (FBacking->Painting)
            FWidget->update(Area);
        else
            FWidget->scroll(DX, DY, Area);
    };
    ResizeBacking();
}

void TControl::ResizeBacking()
{
    if (!FBacking)
        return;
    const QSize size = BoundedImageSize(std::max(1, FWidth), std::max(1, FHeight));
    const int w = size.width();
    const int h = size.height();
    if (FBacking->Image.width() == w && FBacking->Image.height() == h)
        return;
    FBacking->Canvas->Flush();
    FBacking->Image = QImage(w, h, QImage::Format_RGB32);
    if (FBacking->Image.isNull()) // out of memory: a one-pixel picture, never a crash
        FBacking->Image = QImage(1, 1, QImage::Format_RGB32);
    FBacking->Image.fill(ColorToQRgb(FColor));
    FBacking->Canvas->SetImage(&FBacking->Image);
    FBacking->Invalid = QRegion(0, 0, w, h);
}

TCanvas* TControl::Canvas() const
{
    return FBacking ? FBacking->Canvas.get() : nullptr;
}

void TControl::SetParent(TWinControl* AParent)
{
    if (FParent == AParent || AParent == this)
        return;
    if (FParent)
        FParent->RemoveControl(this);
    FParent = AParent;
    if (FParent)
        FParent->AddControl(this);
    if (FWidget) {
        FWidget->setParent(FParent ? FParent->ClientWidget() : nullptr);
        ApplyGeometry();
        ApplyVisibility();
    } else if (FParent) {
        Widget();
    }
    if (FParent) {
        if (FParentFont)
            ParentFontChanged();
        if (FParentColor)
            ParentColorChanged();
        ApplyHint();
    }
    NotifyParentRealign();
}

TComponent* TControl::GetParentComponent() const
{
    return FParent;
}

void TControl::SetParentComponent(TComponent* Value)
{
    SetParent(qobject_cast<TWinControl*>(Value));
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    // Bounded, so that every sum of positions, sizes and insets that the
    // layout and drawing compute stays within int.
    ALeft = std::clamp(ALeft, -MaxControlExtent, MaxControlExtent);
    ATop = std::clamp(ATop, -MaxControlExtent, MaxControlExtent);
    AWidth = std::clamp(AWidth, 0, MaxControlExtent);
    AHeight = std::clamp(AHeight, 0, MaxControlExtent);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    const bool resized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    const QSize preferred(AWidth, AHeight);
    const bool hintChanged = preferred != FPreferredSize;
    FPreferredSize = preferred;
    ApplyGeometry();
    if (hintChanged && FWidget && !FWidget->isWindow())
        FWidget->updateGeometry();
    if (resized) {
        ResizeBacking();
        Resized();
    }
    NotifyParentRealign();
}

void TControl::WidgetDestroyed()
{
    FAnchor = nullptr;
    const bool window = FWidget && FWidget->isWindow();
    FWidget = nullptr;
    // A control that nobody owns lives for its widget (a program that only uses
    // Qt puts the widget into its own windows); owned controls stay with their
    // owner and get a new widget when one is asked for.
    if (!Owner() && !window)
        delete this;
}

void TControl::FollowWidgetGeometry()
{
    if (!FWidget)
        return;
    // A control shown as a window of its own takes the window's size; windows
    // of the component model (forms) place themselves.
    QRect g = FWidget->geometry();
    if (FWidget->isWindow()) {
        if (!dynamic_cast<TCanvasWidget*>(FWidget.data()))
            return;
        g.moveTo(FLeft, FTop);
    }
    if (g == QRect(FLeft, FTop, FWidth, FHeight))
        return;
    const bool resized = g.width() != FWidth || g.height() != FHeight;
    FLeft = g.x();
    FTop = g.y();
    FWidth = g.width();
    FHeight = g.height();
    if (resized) {
        ResizeBacking();
        Resized();
    }
}

QSize TControl::DefaultSize() const
{
    const int index = metaObject()->indexOfClassInfo("DefaultSize");
    if (index < 0)
        return {};
    const QList<QByteArray> parts = QByteArray(metaObject()->classInfo(index).value()).split('x');
    return parts.size() == 2 ? QSize(parts[0].toInt(), parts[1].toInt()) : QSize();
}

QSize TControl::SizeHint() const
{
    return FPreferredSize.isEmpty() ? DefaultSize() : FPreferredSize;
}

QSize TControl::MinimumSizeHint() const
{
    const QSize hint = SizeHint();
    return hint.isValid() ? hint / 2 : QSize();
}

void TControl::ApplyGeometry()
{
    if (FWidget)
        FWidget->setGeometry(FLeft, FTop, FWidth, FHeight);
}

void TControl::NotifyParentRealign()
{
    if (FParent && FAlign != alNone && !IsLoading())
        FParent->Realign();
}

void TControl::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    FParentColor = false;
    ColorChanged();
}

void TControl::ColorChanged()
{
    Invalidate();
}

void TControl::SetFont(TFont* Value)
{
    if (Value)
        FFont->Assign(Value);
}

void TControl::FontChanged()
{
    if (FWidget)
        FWidget->setFont(FFont->ToQFont());
    Invalidate();
}

void TControl::SetParentColor(bool Value)
{
    if (FParentColor == Value)
        return;
    FParentColor = Value;
    if (Value)
        ParentColorChanged();
}

void TControl::SetParentFont(bool Value)
{
    if (FParentFont == Value)
        return;
    FParentFont = Value;
    if (Value)
        ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    if (!FParentFont || !FParent)
        return;
    FUpdatingFont = true;
    FFont->Assign(FParent->Font());
    FUpdatingFont = false;
}

void TControl::ParentColorChanged()
{
    if (!FParentColor || !FParent)
        return;
    if (FColor != FParent->Color()) {
        FColor = FParent->Color();
        ColorChanged();
    }
}

void TControl::SetEnabled(bool Value)
{
    if (FEnabled == Value)
        return;
    FEnabled = Value;
    if (FWidget)
        FWidget->setEnabled(Value);
    EnabledChanged();
}

void TControl::SetVisible(bool Value)
{
    if (FVisible == Value)
        return;
    FVisible = Value;
    ApplyVisibility();
    if (FParent && FAlign != alNone && !IsLoading())
        FParent->Realign();
}

void TControl::ApplyVisibility()
{
    if (FWidget && FWidget->parentWidget())
        FWidget->setVisible(FVisible);
}

bool TControl::Showing() const
{
    return FWidget && FWidget->isVisible();
}

void TControl::SetHint(const QString& Value)
{
    if (FHint == Value)
        return;
    FHint = Value;
    ApplyHint();
}

void TControl::SetShowHint(bool Value)
{
    if (FShowHint == Value)
        return;
    FShowHint = Value;
    FParentShowHint = false;
    ApplyHint();
}

void TControl::SetParentShowHint(bool Value)
{
    if (FParentShowHint == Value)
        return;
    FParentShowHint = Value;
    ApplyHint();
}

void TControl::ApplyHint()
{
    if (FParentShowHint && FParent)
        FShowHint = FParent->ShowHint();
    if (FWidget)
        FWidget->setToolTip(FShowHint ? FHint : QString());
}

void TControl::SetAlign(TAlign Value)
{
    if (!IsEnumValue(Value) || FAlign == Value)
        return;
    FAlign = Value;
    if (FParent && !IsLoading())
        FParent->Realign();
}

void TControl::SetCursor(TCursor Value)
{
    if (!IsEnumValue(Value) || FCursor == Value)
        return;
    FCursor = Value;
    if (FWidget) {
        if (Value == crDefault)
            FWidget->unsetCursor();
        else
            FWidget->setCursor(CursorShape(Value));
    }
}

void TControl::Invalidate()
{
    if (FBacking) {
        FBacking->Invalid = QRegion(FBacking->Image.rect());
    }
    if (FWidget)
        FWidget->update();
}

void TControl::InvalidateRect(const TRect& R)
{
    if (FBacking)
        FBacking->Invalid += R.ToQRect() & FBacking->Image.rect();
    if (FWidget)
        FWidget->update(R.ToQRect());
}

void TControl::Update()
{
    PaintBacking();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

const QImage& TControl::BackingImage()
{
    static const QImage empty;
    if (!FBacking)
        return empty;
    PaintBacking();
    FBacking->Canvas->Flush();
    return FBacking->Image;
}

void TControl::PaintBacking()
{
    if (!FBacking || FBacking->Painting || FBacking->Invalid.isEmpty())
        return;
    const QRegion region = FBacking->Invalid;
    FBacking->Invalid = QRegion();
    FBacking->Painting = true;
    TCanvas* canvas = FBacking->Canvas.get();
    canvas->SaveClip();
    canvas->SetClipRegion(region);
    if (!FControlStyle.testFlag(csOpaque)) {
        // A control that leaves pixels unpainted shows its parent's colour there.
        const TColor back = FParent ? FParent->Color() : FColor;
        canvas->Flush();
        QPainter p(&FBacking->Image);
        p.setClipRegion(region);
        p.fillRect(FBacking->Image.rect(), ColorToQColor(back));
    }
    try {
        Paint();
    } catch (...) {
        canvas->RestoreClip();
        FBacking->Painting = false;
        throw;
    }
    canvas->RestoreClip();
    // The painter stays open for the next pass: it draws straight into the
    // picture, which the window reads from here on.
    FBacking->Painting = false;
    if (FWidget)
        FWidget->update(region);
}

void TControl::PaintWidget(QPainter& Painter, const QRegion& Region)
{
    if (!FBacking)
        return;
    PaintBacking();
    FBacking->Canvas->Flush();
    const QRect picture = FBacking->Image.rect();
    for (const QRect& r : Region) {
        if (const QRect inside = r & picture; !inside.isEmpty()) {
            // Clipped to one rectangle, Qt copies whole rows; under the
            // event's clip of several it blends span by span, in threads.
            Painter.save();
            Painter.setClipRect(inside, Qt::IntersectClip);
            Painter.drawImage(inside.topLeft(), FBacking->Image, inside);
            Painter.restore();
        }
        // Beyond the picture of a control larger than any picture is kept.
        if (!picture.contains(r))
            for (const QRect& beyond : QRegion(r) - QRegion(picture))
                Painter.fillRect(beyond, ColorToQColor(FColor));
    }
}

bool TControl::MouseCapture() const
{
    return FWidget && QWidget::mouseGrabber() == FWidget;
}

void TControl::SetMouseCapture(bool Value)
{
    if (!Widget())
        return;
    if (Value)
        FWidget->grabMouse();
    else if (QWidget::mouseGrabber() == FWidget)
        FWidget->releaseMouse();
}

TPoint TControl::ClientToScreen(TPoint P) const
{
    return Widget()->mapToGlobal(P);
}

TPoint TControl::ScreenToClient(TPoint P) const
{
    return Widget()->mapFromGlobal(P);
}

void TControl::Click()
{
    CallEvent(OnClick, this);
}

void TControl::DblClick()
{
    CallEvent(OnDblClick, this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    CallEvent(OnMouseDown, this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    CallEvent(OnMouseMove, this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    CallEvent(OnMouseUp, this, Button, Shift, X, Y);
}

// ---------------------------------------------------------------- drag and drop

void TControl::BeginDrag(bool Immediately)
{
    TDragState_& d = Drag();
    if (d.Source)
        return;
    d = TDragState_();
    d.Source = this;
    d.Start = QCursor::pos();
    if (Immediately) {
        d.Active = true;
        DoStartDrag();
        QGuiApplication::setOverrideCursor(CursorShape(crNoDrop));
    } else {
        d.Pending = true;
    }
}

bool TControl::Dragging() const
{
    return Drag().Source == this && Drag().Active;
}

void TControl::EndDrag(bool Drop)
{
    EndDragAt(QCursor::pos(), Drop);
}

void TControl::EndDragAt(const QPoint& Global, bool Drop)
{
    TDragState_& d = Drag();
    if (d.Source != this)
        return;
    TControl* target = (Drop && d.Accepted) ? d.Target : nullptr;
    const QPoint global = Global;
    const bool wasActive = d.Active;
    d = TDragState_();
    if (wasActive)
        QGuiApplication::restoreOverrideCursor();
    if (!wasActive)
        return;
    int x = 0, y = 0;
    if (target) {
        const QPoint local = target->Widget()->mapFromGlobal(global);
        x = local.x();
        y = local.y();
        target->DragDrop(this, x, y);
    }
    DoEndDrag(target, x, y);
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    Accept = bool(OnDragOver);
    CallEvent(OnDragOver, this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, int X, int Y)
{
    CallEvent(OnDragDrop, this, Source, X, Y);
}

void TControl::DoStartDrag()
{
    CallEvent(OnStartDrag, this);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y)
{
    CallEvent(OnEndDrag, this, Target, X, Y);
}

namespace {

// Moves the drag to a screen point: leaves the old target, enters or moves over
// the new one, and shows whether it would accept the drop.
void DragMoveTo(const QPoint& Global)
{
    TDragState_& d = Drag();
    TControl* target = ControlAt(Global);
    if (d.Target && d.Target != target) {
        bool ignore = false;
        const QPoint local = d.Target->Widget()->mapFromGlobal(Global);
        d.Target->DragOver(d.Source, local.x(), local.y(), dsDragLeave, ignore);
    }
    const TDragState state = d.Target == target ? dsDragMove : dsDragEnter;
    d.Target = target;
    d.Accepted = false;
    if (target) {
        const QPoint local = target->Widget()->mapFromGlobal(Global);
        target->DragOver(d.Source, local.x(), local.y(), state, d.Accepted);
    }
    QGuiApplication::changeOverrideCursor(CursorShape(d.Accepted ? d.Source->DragCursor() : crNoDrop));
}

} // namespace

bool TControl::eventFilter(QObject* Watched, QEvent* Event)
{
    // A layout or other Qt code placed the widget: the bounds follow it.
    if (Watched == FWidget && (Event->type() == QEvent::Resize || Event->type() == QEvent::Move)) {
        GuardedCall([&] { FollowWidgetGeometry(); });
    }
    bool result = false;
    GuardedCall([&] { result = FilterEvent(Watched, Event); });
    return result;
}

bool TControl::FilterEvent(QObject* Watched, QEvent* Event)
{
    if (Watched != FWidget)
        return TComponent::eventFilter(Watched, Event);
    switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        // A disabled control ignores the mouse.
        if (!FWidget->isEnabled())
            return true;
        break;
    default:
        break;
    }
    switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(Event);
        const QPoint p = e->position().toPoint();
        TShiftState shift = ShiftStateFrom(e->modifiers(), e->buttons());
        if (Event->type() == QEvent::MouseButtonDblClick) {
            shift |= ssDouble;
            if (FControlStyle.testFlag(csDoubleClicks))
                DblClick();
        }
        FPressed = e->button() == Qt::LeftButton;
        if (FDragMode == dmAutomatic && e->button() == Qt::LeftButton && !Drag().Source) {
            BeginDrag(false);
            Drag().Start = e->globalPosition().toPoint();
        }
        MouseDown(ButtonOf(e->button()), shift, p.x(), p.y());
        return false;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(Event);
        TDragState_& d = Drag();
        if (d.Source == this && (d.Pending || d.Active)) {
            const QPoint global = e->globalPosition().toPoint();
            if (d.Pending && (global - d.Start).manhattanLength() >= 5) {
                d.Pending = false;
                d.Active = true;
                DoStartDrag();
                QGuiApplication::setOverrideCursor(CursorShape(crNoDrop));
            }
            if (d.Active) {
                DragMoveTo(global);
                return true;
            }
        }
        const QPoint p = e->position().toPoint();
        MouseMove(ShiftStateFrom(e->modifiers(), e->buttons()), p.x(), p.y());
        return false;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(Event);
        TDragState_& d = Drag();
        if (d.Source == this && (d.Pending || d.Active) && e->button() == Qt::LeftButton) {
            if (d.Active) {
                DragMoveTo(e->globalPosition().toPoint());
                FPressed = false;
                EndDragAt(e->globalPosition().toPoint(), true);
                return true;
            }
            d = TDragState_();
        }
        const QPoint p = e->position().toPoint();
        const bool click = FPressed && e->button() == Qt::LeftButton && ClientRect().Contains(p.x(), p.y());
        if (e->button() == Qt::LeftButton)
            FPressed = false;
        MouseUp(ButtonOf(e->button()), ShiftStateFrom(e->modifiers(), e->buttons()), p.x(), p.y());
        if (click && FControlStyle.testFlag(csClickEvents))
            Click();
        // The context menu follows the release of the right button.
        if (e->button() == Qt::RightButton && FPopupMenu && FPopupMenu->AutoPopup() && !UsesRightClick()) {
            const QPoint global = e->globalPosition().toPoint();
            FPopupMenu->Popup(global.x(), global.y());
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

// ---------------------------------------------------------------- TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner)
{
    EnableCanvas();
}

// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner)
{
    SetControlStyle(ControlStyle() | csAcceptsControls);
}

TWinControl::~TWinControl()
{
    DestroyComponents();
    for (TControl* c : FControls)
        c->FParent = nullptr;
    FControls.clear();
}

TControl* TWinControl::Controls(int Index) const
{
    if (Index < 0 || Index >= ControlCount())
        return nullptr;
    return FControls[size_t(Index)];
}

std::vector<TComponent*> TWinControl::ChildComponents() const
{
    // Nested in the description: the controls placed on this one, in creation
    // order of their owner, then (for the root) the owned non-visual components.
    std::vector<TComponent*> result;
    const TComponent* owner = Owner() ? Owner() : this;
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        TComponent* c = owner->Components(i);
        if (c->GetParentComponent() == this)
            result.push_back(c);
    }
    if (owner != this) {
        for (int i = 0; i < ComponentCount(); ++i) {
            TComponent* c = Components(i);
            if (c->GetParentComponent() == this && std::find(result.begin(), result.end(), c) == result.end())
                result.push_back(c);
        }
    }
    return result;
}

void TWinControl::AddControl(TControl* Control)
{
    if (std::find(FControls.begin(), FControls.end(), Control) == FControls.end())
        FControls.push_back(Control);
}

void TWinControl::RemoveControl(TControl* Control)
{
    FControls.erase(std::remove(FControls.begin(), FControls.end(), Control), FControls.end());
    if (Control->Align() != alNone && !IsDestroying())
        Realign();
}

void TWinControl::SetTabStop(bool Value)
{
    FTabStop = Value;
    if (QWidget* w = FWidget.data())
        w->setFocusPolicy(Value ? Qt::StrongFocus : Qt::ClickFocus);
}

QWidget* TWinControl::CreateWidget()
{
    if (HasCanvas())
        return TControl::CreateWidget();
    auto* w = new QWidget();
    w->setAutoFillBackground(true);
    return w;
}

void TWinControl::InitWidget(QWidget* W)
{
    W->setFocusPolicy(FTabStop ? Qt::StrongFocus : Qt::ClickFocus);
    if (!HasCanvas()) {
        QPalette pal = W->palette();
        pal.setColor(QPalette::Window, ColorToQColor(Color()));
        W->setPalette(pal);
    }
}

bool TWinControl::Focused() const
{
    return Widget()->hasFocus();
}

bool TWinControl::CanFocus() const
{
    return Enabled() && Visible();
}

void TWinControl::SetFocus()
{
    Widget()->setFocus(Qt::OtherFocusReason);
}

void TWinControl::Resized()
{
    Realign();
}

void TWinControl::Realign()
{
    if (FAligning || IsLoading())
        return;
    FAligning = true;
    TRect r = ClientRect();
    AlignControls(r);
    FAligning = false;
}

void TWinControl::AlignControls(TRect& Rect)
{
    const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
    for (TAlign kind : order) {
        for (TControl* c : FControls) {
            if (c->Align() != kind || !c->Visible())
                continue;
            const int w = c->Width();
            const int h = c->Height();
            switch (kind) {
            case alTop:
                c->SetBounds(Rect.Left, Rect.Top, Rect.Width(), h);
                Rect.Top += h;
                break;
            case alBottom:
                c->SetBounds(Rect.Left, Rect.Bottom - h, Rect.Width(), h);
                Rect.Bottom -= h;
                break;
            case alLeft:
                c->SetBounds(Rect.Left, Rect.Top, w, Rect.Height());
                Rect.Left += w;
                break;
            case alRight:
                c->SetBounds(Rect.Right - w, Rect.Top, w, Rect.Height());
                Rect.Right -= w;
                break;
            case alClient:
                c->SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
                break;
            default:
                break;
            }
        }
    }
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    for (TControl* c : FControls)
        c->ParentFontChanged();
}

void TWinControl::ColorChanged()
{
    if (QWidget* w = FWidget.data()) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, ColorToQColor(Color()));
        w->setPalette(pal);
    }
    TControl::ColorChanged();
    for (TControl* c : FControls)
        c->ParentColorChanged();
}

void TWinControl::ParentFontChanged()
{
    TControl::ParentFontChanged();
}

void TWinControl::ParentColorChanged()
{
    TControl::ParentColorChanged();
}

bool TWinControl::FilterEvent(QObject* Watched, QEvent* Event)
{
    if (Watched == Widget()) {
        switch (Event->type()) {
        case QEvent::KeyPress: {
            auto* e = static_cast<QKeyEvent*>(Event);
            int key = e->key();
            KeyDown(key, ShiftStateFrom(e->modifiers(), Qt::NoButton));
            if (key == 0)
                return true;
            const QString text = e->text();
            if (!text.isEmpty()) {
                QChar ch = text.at(0);
                KeyPress(ch);
                if (ch.isNull())
                    return true;
            }
            break;
        }
        case QEvent::KeyRelease: {
            auto* e = static_cast<QKeyEvent*>(Event);
            int key = e->key();
            KeyUp(key, ShiftStateFrom(e->modifiers(), Qt::NoButton));
            if (key == 0)
                return true;
            break;
        }
        case QEvent::FocusIn:
            CallEvent(OnEnter, this);
            break;
        case QEvent::FocusOut:
            CallEvent(OnExit, this);
            break;
        default:
            break;
        }
    }
    return TControl::FilterEvent(Watched, Event);
}

void TWinControl::KeyDown(int& Key, TShiftState Shift)
{
    CallEvent(OnKeyDown, this, Key, Shift);
}

void TWinControl::KeyUp(int& Key, TShiftState Shift)
{
    CallEvent(OnKeyUp, this, Key, Shift);
}

void TWinControl::KeyPress(QChar& Key)
{
    CallEvent(OnKeyPress, this, Key);
}

// ---------------------------------------------------------------- TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner)
{
    EnableCanvas();
    SetTabStop(true);
}

} // namespace Tessaron
