#pragma once
// Controls: the visual components. Every control has a QWidget underneath.
// Graphic controls (and custom controls) keep their picture in a backing image
// of their own size: Paint() and drawing at once both draw into it, and the
// widget only copies changed areas to the screen.

#include <platform/Classes.h>
#include <platform/Graphics.h>
#include <platform/Menus.h>
#include <platform/Types.h>

#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <functional>
#include <memory>

namespace Tessaron {

class TWinControl;
class TControl;
class TWidgetAnchor;

using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TDragOverEvent =
    TEvent<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = TEvent<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = TEvent<void(TObject* Sender, TObject* Target, int X, int Y)>;
// Key is the Qt key code; a handler that sets it to 0 swallows the key.
using TKeyEvent = TEvent<void(TObject* Sender, int& Key, TShiftState Shift)>;
using TKeyPressEvent = TEvent<void(TObject* Sender, QChar& Key)>;

enum TControlStyleItem : int {
    csAcceptsControls = 0x01,
    csCaptureMouse = 0x02,
    csClickEvents = 0x04,
    csFramed = 0x08,
    csSetCaption = 0x10,
    csOpaque = 0x20,
    csDoubleClicks = 0x40,
};
Q_DECLARE_FLAGS(TControlStyle, TControlStyleItem)
Q_DECLARE_OPERATORS_FOR_FLAGS(TControlStyle)

// The backing image of a control that draws itself, and the region still to be
// painted by Paint().
struct TBackingStore {
    QImage Image;
    std::unique_ptr<TCanvas> Canvas;
    QRegion Invalid;
    bool Painting = false;
};

// The largest position and size of a control: far beyond any screen, small
// enough that sums of a few positions, sizes and insets cannot overflow.
constexpr int MaxControlExtent = 1 << 24;

class TControl : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(Tessaron::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(Tessaron::TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(Tessaron::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(Tessaron::TDragMode DragMode READ DragMode WRITE SetDragMode)
    Q_PROPERTY(Tessaron::TCursor Cursor READ Cursor WRITE SetCursor)
    Q_PROPERTY(Tessaron::TCursor DragCursor READ DragCursor WRITE SetDragCursor)
    Q_PROPERTY(Tessaron::TNotifyEvent OnClick MEMBER OnClick)
    Q_PROPERTY(Tessaron::TNotifyEvent OnDblClick MEMBER OnDblClick)
    Q_PROPERTY(Tessaron::TMouseEvent OnMouseDown MEMBER OnMouseDown)
    Q_PROPERTY(Tessaron::TMouseMoveEvent OnMouseMove MEMBER OnMouseMove)
    Q_PROPERTY(Tessaron::TMouseEvent OnMouseUp MEMBER OnMouseUp)
    Q_PROPERTY(Tessaron::TDragOverEvent OnDragOver MEMBER OnDragOver)
    Q_PROPERTY(Tessaron::TDragDropEvent OnDragDrop MEMBER OnDragDrop)
    Q_PROPERTY(Tessaron::TNotifyEvent OnStartDrag MEMBER OnStartDrag)
    Q_PROPERTY(Tessaron::TEndDragEvent OnEndDrag MEMBER OnEndDrag)
    Q_CLASSINFO("Default:Enabled", "true")
    Q_CLASSINFO("Default:Visible", "true")
    Q_CLASSINFO("Default:ParentFont", "true")
    Q_CLASSINFO("Default:ParentShowHint", "true")
    Q_CLASSINFO("Stored:Font", "IsFontStored")
    Q_CLASSINFO("Stored:Color", "IsColorStored")

public:
    explicit TControl(TComponent* AOwner = nullptr);
    ~TControl() override;

    // The widget underneath (created on first use by CreateWidget()).
    QWidget* Widget() const;
    // Finds the control whose widget this is, if any.
    static TControl* FromWidget(const QWidget* Widget);
    // The class's Q_CLASSINFO("DefaultSize", "WxH"), or an invalid size.
    QSize DefaultSize() const;
    // Forgets the size given so far, so that the size hint is the class's
    // default size again (for sizes a constructor sets).
    void ClearPreferredSize() { FPreferredSize = QSize(); }
    // What the widget tells Qt layouts: the size the program last gave the
    // control (else its default size), and half of that as the minimum.
    virtual QSize SizeHint() const;
    virtual QSize MinimumSizeHint() const;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    // Left and Top are bounded to +-MaxControlExtent, Width and Height to
    // 0..MaxControlExtent (values beyond are clamped).
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    virtual int ClientWidth() const { return FWidth; }
    virtual int ClientHeight() const { return FHeight; }
    TRect ClientRect() const { return TRect(0, 0, ClientWidth(), ClientHeight()); }

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    bool ParentFont() const { return FParentFont; }
    // A font or colour taken from the parent is not written to descriptions.
    Q_INVOKABLE bool IsFontStored() const { return !FParentFont; }
    Q_INVOKABLE bool IsColorStored() const { return !FParentColor; }
    void SetParentFont(bool Value);
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible here and in every parent up to a shown window.
    bool Showing() const;
    QString Hint() const { return FHint; }
    void SetHint(const QString& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode Value) { FDragMode = Value; }
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor Value)
    {
        if (IsEnumValue(Value))
            FDragCursor = Value;
    }

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }

    // Painting. For a control with a backing image: Invalidate() asks for a
    // Paint() later (when the widget is painted, or at Update()); Update()
    // paints what is pending now; Repaint() paints the whole control now.
    void Invalidate();
    void InvalidateRect(const TRect& R);
    virtual void Update();
    void Repaint();
    bool HasCanvas() const { return FBacking != nullptr; }
    // The canvas on the backing image; valid inside and outside Paint().
    TCanvas* Canvas() const;
    // The backing image, after pending painting is done (for tests and snapshots).
    const QImage& BackingImage();

    // Mouse.
    bool MouseCapture() const;
    void SetMouseCapture(bool Value);
    void BeginDrag(bool Immediately);
    void EndDrag(bool Drop);
    // Ends the drag at a screen point: drops there if the target accepts.
    void EndDragAt(const QPoint& Global, bool Drop);
    bool Dragging() const;

    // The pop-up menu that a right click shows; default nullptr (none). The
    // controls that offer it publish it.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value) { FPopupMenu = Value; }

    // Client and screen coordinates.
    TPoint ClientToScreen(TPoint P) const;
    TPoint ScreenToClient(TPoint P) const;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TNotifyEvent OnStartDrag;
    TEndDragEvent OnEndDrag;

    // Drag and drop steps, called by the drag manager.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, int X, int Y);
    virtual void DoStartDrag();
    virtual void DoEndDrag(TObject* Target, int X, int Y);

    // Parent font or colour changed.
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();

protected:
    // Creates the widget underneath; the default is the canvas widget of a
    // control that draws itself. Standard controls return their Qt widget.
    virtual QWidget* CreateWidget();
    // Applies the control's settings to a newly created widget.
    virtual void InitWidget(QWidget*) {}
    // Gives the control a backing image and canvas (graphic and custom controls).
    void EnableCanvas();

    virtual void Paint() {}
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // A control that uses right clicks itself returns true: its PopupMenu
    // then never shows on a click.
    virtual bool UsesRightClick() const { return false; }
    virtual void Resized() {}
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void EnabledChanged() { Invalidate(); }

    // Handles the widget's events; runs guarded, so exceptions from handlers
    // reach the standard error handler.
    bool eventFilter(QObject* Watched, QEvent* Event) final;
    virtual bool FilterEvent(QObject* Watched, QEvent* Event);

    friend class TCanvasWidget;
    friend class TWinControl;
    friend class TWidgetAnchor;
    // Paints the pending region into the backing image.
    void PaintBacking();
    void PaintWidget(QPainter& Painter, const QRegion& Region);
    // The widget if it has been created, else nullptr.
    QWidget* WidgetIfCreated() const { return FWidget.data(); }
    // Stores Visible without showing or hiding anything (windows show themselves).
    void SetVisibleFlagOnly(bool Value) { FVisible = Value; }
    // Moves and sizes the widget to the control's bounds.
    virtual void ApplyGeometry();
    void ApplyHint();
    void ApplyVisibility();

private:
    void ResizeBacking();
    void NotifyParentRealign();
    // Qt moved or sized the widget (a layout): take its geometry as the bounds.
    void FollowWidgetGeometry();
    // Qt destroyed the widget: forget it; a control nobody owns goes with it.
    void WidgetDestroyed();

    TWinControl* FParent = nullptr;
    mutable QPointer<QWidget> FWidget;
    TWidgetAnchor* FAnchor = nullptr;
    QSize FPreferredSize;
    std::unique_ptr<TBackingStore> FBacking;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TColor FColor = clBtnFace;
    std::unique_ptr<TFont> FFont;
    bool FParentColor = false;
    bool FParentFont = true;
    bool FEnabled = true;
    bool FVisible = true;
    QString FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TAlign FAlign = alNone;
    TDragMode FDragMode = dmManual;
    QPointer<TPopupMenu> FPopupMenu;
    TCursor FCursor = crDefault;
    TCursor FDragCursor = crDrag;
    TControlStyle FControlStyle = TControlStyle(csCaptureMouse) | csClickEvents | csDoubleClicks;
    bool FPressed = false;
    bool FUpdatingFont = false;
};

// A windowless control that draws itself on its canvas.
class TGraphicControl : public TControl {
    Q_OBJECT
public:
    explicit TGraphicControl(TComponent* AOwner = nullptr);
};

// A windowed control that can hold other controls.
class TWinControl : public TControl {
    Q_OBJECT
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder STORED false)
    Q_PROPERTY(Tessaron::TKeyEvent OnKeyDown MEMBER OnKeyDown)
    Q_PROPERTY(Tessaron::TKeyEvent OnKeyUp MEMBER OnKeyUp)
    Q_PROPERTY(Tessaron::TKeyPressEvent OnKeyPress MEMBER OnKeyPress)
    Q_PROPERTY(Tessaron::TNotifyEvent OnEnter MEMBER OnEnter)
    Q_PROPERTY(Tessaron::TNotifyEvent OnExit MEMBER OnExit)
    Q_CLASSINFO("Default:Ctl3D", "true")
public:
    explicit TWinControl(TComponent* AOwner = nullptr);
    ~TWinControl() override;

    // The widget that child controls are placed in.
    virtual QWidget* ClientWidget() const { return Widget(); }
    int ControlCount() const { return int(FControls.size()); }
    TControl* Controls(int Index) const;
    std::vector<TComponent*> ChildComponents() const override;

    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value) { FCtl3D = Value; }
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    int TabOrder() const { return FTabOrder; }
    void SetTabOrder(int Value) { FTabOrder = Value; }
    bool Focused() const;
    void SetFocus();
    bool CanFocus() const;

    // Places the aligned children: top, bottom, left, right, then client.
    void Realign();
    void ParentFontChanged() override;
    void ParentColorChanged() override;

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    void Resized() override;
    void FontChanged() override;
    void ColorChanged() override;
    bool FilterEvent(QObject* Watched, QEvent* Event) override;
    QWidget* CreateWidget() override;
    void InitWidget(QWidget* W) override;
    virtual void KeyDown(int& Key, TShiftState Shift);
    virtual void KeyUp(int& Key, TShiftState Shift);
    virtual void KeyPress(QChar& Key);
    virtual void AlignControls(TRect& Rect);

private:
    friend class TControl;
    void AddControl(TControl* Control);
    void RemoveControl(TControl* Control);

    std::vector<TControl*> FControls;
    bool FCtl3D = true;
    bool FTabStop = false;
    int FTabOrder = -1;
    bool FAligning = false;
};

// A windowed control that draws itself on its canvas: focusable, with keys.
class TCustomControl : public TWinControl {
    Q_OBJECT
public:
    explicit TCustomControl(TComponent* AOwner = nullptr);
};

// Shift state of the keyboard modifiers and mouse buttons of a Qt event.
TShiftState ShiftStateFrom(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);
Qt::CursorShape CursorShape(TCursor Cursor);

} // namespace Tessaron
