#pragma once
// The standard controls: push button, label, edit, check box, radio button,
// combo box and group box, with the classic look (grey 3-D bevels, sunken white
// fields) and the classic events.
//
// Controls built on a Qt widget (button, edit, check box, radio button, combo
// box) create it on first use (Widget() or SetParent) and keep their published
// values in fields, so setters work before and after the widget exists. Labels
// and group boxes draw themselves on their canvas.
//
// Programmatic changes raise the same events as the user's, as the classic
// controls do (Checked := True raises OnClick, Text := raises OnChange), except
// while a description is being read. Combo boxes raise OnChange only for the
// user's choices.

#include <platform/Controls.h>

#include <QPointer>
#include <QStringList>

#include <memory>

class QShortcut;

namespace Tessaron {

class TButtonWidget;
class TCheckWidget;
class TComboWidget;
class TRadioWidget;
class TEditWidget;

// Modal results are plain integers: mrNone (0), mrOk (1) ... mrAll (8), declared
// with the forms (platform/Forms.h); descriptions can name them ("ModalResult =
// mrOk").
using TModalResult = int;

// What an owner-drawn item is drawn as.
enum TOwnerDrawStateItem : int {
    odSelected = 0x0001,
    odGrayed = 0x0002,
    odDisabled = 0x0004,
    odChecked = 0x0008,
    odFocused = 0x0010,
    odDefault = 0x0020,
    odComboBoxEdit = 0x1000, // the item shown in the closed combo box's field
};
Q_DECLARE_FLAGS(TOwnerDrawState, TOwnerDrawStateItem)

// Draws item Index of an owner-drawn list into Rect of the list's Canvas.
using TDrawItemEvent = TEvent<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

// ---------------------------------------------------------------- TButton

// A push button. A click (mouse, Space, Enter on a default button, Escape on a
// cancel button) first gives the form its ModalResult (when not mrNone), which
// ends a modal showing, and then raises OnClick.
class TButton : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_CLASSINFO("Default:Default", "false")
    Q_CLASSINFO("Default:Cancel", "false")
    Q_CLASSINFO("Default:ModalResult", "0")
    Q_CLASSINFO("Default:TabStop", "true")

public:
    explicit TButton(TComponent* AOwner = nullptr);
    ~TButton() override;

    // The caption; "&" marks the access key. Default empty.
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    // Enter anywhere in the window presses the default button (unless another
    // button has the focus). Default false.
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    // Escape anywhere in the window presses the cancel button. Default false.
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value);
    // The form's modal result when clicked; mrNone (0) leaves the form alone.
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int Value);

    // Presses the button as the user does.
    void Click() override;

protected:
    QWidget* CreateWidget() override;
    void InitWidget(QWidget* W) override;
    void FontChanged() override;
    void ColorChanged() override;
    void EnabledChanged() override;
    // Draws the caption (and, in TBitBtn, the glyph) into the face's inner
    // rectangle Content; Down when the button is pressed.
    virtual void PaintContent(QPainter& P, const TRect& Content, bool Down);
    void UpdateButton();

private:
    friend class TButtonWidget;
    void PaintButton(QPainter& P);
    void ApplyLook();
    void UpdateShortcuts();

    QString FCaption;
    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0; // mrNone
    QPointer<TButtonWidget> FButton;
    QPointer<QShortcut> FEnterShortcut;
    QPointer<QShortcut> FReturnShortcut;
    QPointer<QShortcut> FEscapeShortcut;
};

// ---------------------------------------------------------------- TLabel

// A text drawn on its parent. AutoSize fits the bounds to the text (keeping
// the right edge for right-justified labels, the width when WordWrap is on);
// "&" marks an access key unless ShowAccelChar is off. A disabled label shows
// embossed grey text. A transparent label draws only its text, so whatever
// lies beneath shows through.
class TLabel : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(Tessaron::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(TTextLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(bool ShowAccelChar READ ShowAccelChar WRITE SetShowAccelChar)
    Q_CLASSINFO("Default:AutoSize", "true")
    Q_CLASSINFO("Default:Alignment", "taLeftJustify")
    Q_CLASSINFO("Default:Layout", "tlTop")
    Q_CLASSINFO("Default:Transparent", "false")
    Q_CLASSINFO("Default:WordWrap", "false")
    Q_CLASSINFO("Default:ShowAccelChar", "true")
    Q_CLASSINFO("Default:ParentColor", "true")

public:
    enum TTextLayout : int { tlTop, tlCenter, tlBottom };
    Q_ENUM(TTextLayout)

    explicit TLabel(TComponent* AOwner = nullptr);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    // Default true.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // Default taLeftJustify.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // Vertical placement of the text; default tlTop.
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    // Default false.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // Breaks lines at word boundaries to fit the width; default false.
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // Default true.
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);

    void Loaded() override;

protected:
    QWidget* CreateWidget() override;
    void Paint() override;
    void FontChanged() override;
    void EnabledChanged() override;

private:
    // The size the text needs within Width (word wrap) or unbounded.
    QSize TextSize() const;
    QString DisplayText() const;
    int TextFlags() const;
    void DrawText(QPainter& P);
    void AdjustBounds();

    QString FCaption;
    bool FAutoSize = true;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FTransparent = false;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
};

// ---------------------------------------------------------------- TEdit

// A one-line edit field. OnChange follows every change of Text, typed or
// assigned; OnExit (inherited) comes when the field loses the focus.
class TEdit : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
    Q_PROPERTY(Tessaron::TNotifyEvent OnChange MEMBER OnChange)
    Q_CLASSINFO("Default:ReadOnly", "false")
    Q_CLASSINFO("Default:MaxLength", "0")
    Q_CLASSINFO("Default:Color", "clWindow")
    Q_CLASSINFO("Default:TabStop", "true")

public:
    explicit TEdit(TComponent* AOwner = nullptr);
    ~TEdit() override;

    QString Text() const { return FText; }
    // Longer text than MaxLength is cut to MaxLength.
    void SetText(const QString& Value);
    // Default false.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // The most characters the field takes; 0 (default) means no limit.
    // Negative values are ignored.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);

    void SelectAll();
    void Clear() { SetText(QString()); }

    TNotifyEvent OnChange;

protected:
    QWidget* CreateWidget() override;
    void InitWidget(QWidget* W) override;
    void FontChanged() override;
    void ColorChanged() override;
    virtual void Change();

private:
    void ApplyLook();
    void TextEdited(const QString& Value);

    QString FText;
    bool FReadOnly = false;
    int FMaxLength = 0;
    QPointer<TEditWidget> FEdit;
};

// ---------------------------------------------------------------- TCheckBox

// A check box: a 13 x 13 sunken box with a tick, and its caption on the right
// (Alignment taRightJustify, default) or on the left (taLeftJustify). Every
// change of State raises OnClick, the user's and an assigned one.
class TCheckBox : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(Tessaron::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AllowGrayed READ AllowGrayed WRITE SetAllowGrayed)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked STORED false)
    Q_PROPERTY(TCheckBoxState State READ State WRITE SetState)
    Q_CLASSINFO("Default:Alignment", "taRightJustify")
    Q_CLASSINFO("Default:AllowGrayed", "false")
    Q_CLASSINFO("Default:State", "cbUnchecked")
    Q_CLASSINFO("Default:TabStop", "true")

public:
    enum TCheckBoxState : int { cbUnchecked, cbChecked, cbGrayed };
    Q_ENUM(TCheckBoxState)

    explicit TCheckBox(TComponent* AOwner = nullptr);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    // taRightJustify (default) or taLeftJustify; taCenter is ignored.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // Whether a click can lead to cbGrayed; default false.
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    // Default cbUnchecked.
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);

protected:
    QWidget* CreateWidget() override;
    void InitWidget(QWidget* W) override;
    void FontChanged() override;
    void ColorChanged() override;
    void EnabledChanged() override;
    // The user's click: unchecked -> greyed (if allowed) -> checked -> unchecked.
    void Toggle();

private:
    friend class TCheckWidget;
    void ApplyLook();

    QString FCaption;
    TAlignment FAlignment = taRightJustify;
    bool FAllowGrayed = false;
    TCheckBoxState FState = cbUnchecked;
    QPointer<TCheckWidget> FCheck;
};

// ---------------------------------------------------------------- TRadioButton

// A radio button. The radio buttons placed on the same parent form one group:
// checking one unchecks the others. Being checked (by the user or by
// Checked := True) raises OnClick; being unchecked raises nothing.
class TRadioButton : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(Tessaron::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_CLASSINFO("Default:Alignment", "taRightJustify")
    Q_CLASSINFO("Default:Checked", "false")

public:
    explicit TRadioButton(TComponent* AOwner = nullptr);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    // taRightJustify (default) or taLeftJustify; taCenter is ignored.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // Default false.
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);

protected:
    QWidget* CreateWidget() override;
    void InitWidget(QWidget* W) override;
    void FontChanged() override;
    void ColorChanged() override;
    void EnabledChanged() override;

private:
    friend class TRadioWidget;
    void ApplyLook();

    QString FCaption;
    TAlignment FAlignment = taRightJustify;
    bool FChecked = false;
    QPointer<TRadioWidget> FRadio;
};

// ---------------------------------------------------------------- TComboBox

// A combo box: an edit field with a drop-down list (csDropDown), a list only
// (csDropDownList) or a list of items drawn by OnDrawItem (csOwnerDrawFixed,
// all ItemHeight pixels high; csOwnerDrawVariable is drawn the same way).
//
// Owner drawing: before OnDrawItem the Canvas is prepared with the control's
// font and colour, or with the highlight colours when odSelected; Rect is the
// item's rectangle on the Canvas; a focus rectangle is drawn after it when
// odFocused. Without a handler, or in the other styles, the item text is drawn
// two pixels from the left. The closed box draws its current item with
// odComboBoxEdit (and odSelected, odFocused while it has the focus).
//
// The user's choice of another item raises OnClick and then OnChange; typing
// in the field of csDropDown raises OnChange. Assigning ItemIndex raises
// nothing.
class TComboBox : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(TComboBoxStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(QStringList Items READ Items WRITE SetItems)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
    Q_PROPERTY(int DropDownCount READ DropDownCount WRITE SetDropDownCount)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
    Q_PROPERTY(Tessaron::TNotifyEvent OnChange MEMBER OnChange)
    Q_PROPERTY(Tessaron::TNotifyEvent OnDropDown MEMBER OnDropDown)
    Q_PROPERTY(Tessaron::TDrawItemEvent OnDrawItem MEMBER OnDrawItem)
    Q_CLASSINFO("Default:Style", "csDropDown")
    Q_CLASSINFO("Default:ItemIndex", "-1")
    Q_CLASSINFO("Default:ItemHeight", "16")
    Q_CLASSINFO("Default:DropDownCount", "8")
    Q_CLASSINFO("Default:MaxLength", "0")
    Q_CLASSINFO("Default:Color", "clWindow")
    Q_CLASSINFO("Default:TabStop", "true")
    Q_CLASSINFO("Stored:Text", "IsTextStored")

public:
    enum TComboBoxStyle : int { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
    Q_ENUM(TComboBoxStyle)

    explicit TComboBox(TComponent* AOwner = nullptr);
    ~TComboBox() override;

    // Default csDropDown.
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    // The items; assigning keeps ItemIndex if it still names an item, else -1.
    QStringList Items() const { return FItems; }
    void SetItems(const QStringList& Value);
    int ItemCount() const { return int(FItems.size()); }
    void AddItem(const QString& Item);
    void ClearItems() { SetItems({}); }
    // The selected item, -1 for none (default). Values outside -1 ...
    // ItemCount - 1 are ignored (checked after loading).
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    // The field's text: the typed text of csDropDown/csSimple, else the
    // selected item. Assigning to a list style selects the item with that
    // text (ignored when there is none).
    QString Text() const;
    void SetText(const QString& Value);
    // The text is stored only for the styles with an edit field.
    Q_INVOKABLE bool IsTextStored() const { return IsEditable(); }
    // Height of the items of owner-drawn styles; default 16; values < 1 are ignored.
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value);
    // Items visible in the open list; default 8; values < 1 are ignored.
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value);
    // Most characters typed in the field of csDropDown; 0 (default) = no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    bool DroppedDown() const;
    void SetDroppedDown(bool Value);

    // The canvas of the item being drawn (valid inside OnDrawItem).
    TCanvas* Canvas() const { return FItemCanvas.get(); }
    void Loaded() override;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TDrawItemEvent OnDrawItem;

protected:
    QWidget* CreateWidget() override;
    void InitWidget(QWidget* W) override;
    void FontChanged() override;
    void ColorChanged() override;
    virtual void Change();
    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);

private:
    friend class TComboWidget;
    friend class TComboItemDelegate;
    bool IsEditable() const { return FStyle == csDropDown || FStyle == csSimple; }
    bool IsOwnerDrawn() const { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }
    // The height of one item in the open list.
    int EffectiveItemHeight() const;
    // Draws item Index (-1: none) into R of a painter through the item canvas.
    void PaintItem(QPainter& P, const QRect& R, int Index, TOwnerDrawState State);
    void ApplyLook();
    void FillWidget();
    void UserActivated(int Index);
    void UserEdited(const QString& Value);

    TComboBoxStyle FStyle = csDropDown;
    QStringList FItems;
    int FItemIndex = -1;
    QString FText;
    int FItemHeight = 16;
    int FDropDownCount = 8;
    int FMaxLength = 0;
    std::unique_ptr<TCanvas> FItemCanvas;
    QPointer<TComboWidget> FCombo;
    bool FUpdating = false;
};

// ---------------------------------------------------------------- TGroupBox

// A frame with a caption that holds other controls: an etched line (shadow
// and highlight) half a text line below the top, the caption at x = 8 on the
// box's colour, in the box's font.
class TGroupBox : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

public:
    explicit TGroupBox(TComponent* AOwner = nullptr);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);

protected:
    void Paint() override;
    void AlignControls(TRect& Rect) override;

private:
    QString FCaption;
};

} // namespace Tessaron

Q_DECLARE_OPERATORS_FOR_FLAGS(Tessaron::TOwnerDrawState)
Q_DECLARE_METATYPE(Tessaron::TOwnerDrawState)
Q_DECLARE_METATYPE(Tessaron::TDrawItemEvent)
