#include "platform/StdCtrls.h"

#include "platform/ClassicStyle.h"
#include "platform/Forms.h"
#include "platform/Streaming.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include <algorithm>
#include <cmath>

namespace Tessaron {

namespace {

[[maybe_unused]] const bool kRegistered = [] {
    RegisterClass<TButton>();
    RegisterClass<TLabel>();
    RegisterClass<TEdit>();
    RegisterClass<TCheckBox>();
    RegisterClass<TRadioButton>();
    RegisterClass<TComboBox>();
    RegisterClass<TGroupBox>();
    RegisterEventType<TDrawItemEvent>();
    // Modal results by name ("ModalResult = mrOk"); written as numbers.
    const std::pair<const char*, int> results[] = {{"mrNone", mrNone}, {"mrOk", mrOk}, {"mrCancel", mrCancel},
        {"mrAbort", mrAbort}, {"mrRetry", mrRetry}, {"mrIgnore", mrIgnore}, {"mrYes", mrYes}, {"mrNo", mrNo},
        {"mrAll", mrAll}};
    for (const auto& [name, value] : results)
        RegisterIntegerIdent(name, value);
    return true;
}();

// The top-most form a control stands on.
TForm* ParentForm(const TControl* Control)
{
    TForm* form = nullptr;
    for (TWinControl* p = Control->Parent(); p; p = p->Parent())
        if (auto* f = qobject_cast<TForm*>(p))
            form = f;
    return form;
}

// Layout of the box and caption of a check box or radio button.
struct TCheckLayout {
    int BoxX;
    int BoxY;
    QRect Text;
};

TCheckLayout CheckLayout(int Width, int Height, int Box, TAlignment Alignment, const QSize& TextSize)
{
    TCheckLayout l;
    const bool textLeft = Alignment == taLeftJustify;
    l.BoxX = textLeft ? Width - Box : 0;
    l.BoxY = (Height - Box) / 2;
    const int tx = textLeft ? 0 : Box + 4;
    l.Text = QRect(tx, (Height - TextSize.height()) / 2, TextSize.width(), TextSize.height());
    return l;
}

// Paints a check box or radio button widget: face, box, caption, focus.
void PaintCheckControl(QPainter& P, QAbstractButton* W, const TControl* Control, const QString& Caption,
    TAlignment Alignment, bool Radio, int State)
{
    const int w = W->width();
    const int h = W->height();
    P.fillRect(QRect(0, 0, w, h), ColorToQColor(Control->Color()));
    const QFont font = Control->Font()->ToQFont();
    const QSize ts = CaptionExtent(Caption, font);
    const TCheckLayout l = CheckLayout(w, h, Radio ? 12 : 13, Alignment, ts);
    const bool enabled = W->isEnabled();
    if (Radio)
        PaintRadioButton(P, l.BoxX, l.BoxY, State != 0, enabled, W->isDown());
    else
        PaintCheckBox(P, l.BoxX, l.BoxY, State, enabled, W->isDown());
    PaintText(P, l.Text.adjusted(0, 0, 4, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Caption, font,
        Control->Font()->Color(), enabled);
    if (W->hasFocus() && !Caption.isEmpty()) {
        TRect focus = TRect::FromQRect(l.Text.adjusted(-1, -1, 1, 1));
        focus = TRect(std::max(0, focus.Left), std::max(0, focus.Top), std::min(w, focus.Right),
            std::min(h, focus.Bottom));
        PaintFocusRect(P, focus);
    }
}

} // namespace

// ---------------------------------------------------------------- widgets

class TButtonWidget : public QPushButton {
public:
    explicit TButtonWidget(TButton* Control) : FControl(Control)
    {
        setAutoDefault(false);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    // Repaints the buttons of the window: the default button's black frame
    // follows the focus.
    void UpdateWindowButtons()
    {
        const auto buttons = window()->findChildren<QPushButton*>();
        for (QPushButton* b : buttons)
            b->update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        FControl->PaintButton(p);
    }
    void focusInEvent(QFocusEvent* Event) override
    {
        QPushButton::focusInEvent(Event);
        UpdateWindowButtons();
    }
    void focusOutEvent(QFocusEvent* Event) override
    {
        QPushButton::focusOutEvent(Event);
        UpdateWindowButtons();
    }

private:
    TButton* FControl;
};

class TEditWidget : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
};

class TCheckWidget : public QCheckBox {
public:
    explicit TCheckWidget(TCheckBox* Control) : FControl(Control)
    {
        setTristate(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        PaintCheckControl(p, this, FControl, FControl->Caption(), FControl->Alignment(), false, int(FControl->State()));
    }
    bool hitButton(const QPoint& Pos) const override { return rect().contains(Pos); }
    void nextCheckState() override
    {
        GuardedCall([this] { FControl->Toggle(); });
    }

private:
    TCheckBox* FControl;
};

class TRadioWidget : public QRadioButton {
public:
    explicit TRadioWidget(TRadioButton* Control) : FControl(Control)
    {
        // The control keeps its group itself (the radio buttons of one parent).
        setAutoExclusive(false);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        PaintCheckControl(p, this, FControl, FControl->Caption(), FControl->Alignment(), true, FControl->Checked());
    }
    bool hitButton(const QPoint& Pos) const override { return rect().contains(Pos); }
    void nextCheckState() override
    {
        QPointer<TRadioWidget> self(this);
        GuardedCall([this] { FControl->SetChecked(true); });
        if (self)
            setChecked(FControl->Checked());
    }

private:
    TRadioButton* FControl;
};

class TComboItemDelegate : public QStyledItemDelegate {
public:
    TComboItemDelegate(TComboBox* Control, QObject* Parent) : QStyledItemDelegate(Parent), FControl(Control) {}

    void paint(QPainter* P, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
    {
        TOwnerDrawState state;
        if (Option.state & QStyle::State_Selected)
            state |= TOwnerDrawState(odSelected) | odFocused;
        if (!(Option.state & QStyle::State_Enabled))
            state |= odDisabled;
        FControl->PaintItem(*P, Option.rect, Index.row(), state);
    }
    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex&) const override
    {
        return QSize(Option.rect.width(), FControl->EffectiveItemHeight());
    }

private:
    TComboBox* FControl;
};

class TComboWidget : public QComboBox {
public:
    explicit TComboWidget(TComboBox* Control) : FControl(Control)
    {
        setItemDelegate(new TComboItemDelegate(Control, this));
    }
    void showPopup() override
    {
        GuardedCall([this] { CallEvent(FControl->OnDropDown, FControl); });
        QComboBox::showPopup();
    }

protected:
    void paintEvent(QPaintEvent* Event) override
    {
        if (isEditable()) {
            QComboBox::paintEvent(Event);
            return;
        }
        QStylePainter p(this);
        QStyleOptionComboBox opt;
        initStyleOption(&opt);
        p.drawComplexControl(QStyle::CC_ComboBox, opt);
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
        TOwnerDrawState state(odComboBoxEdit);
        if (hasFocus() && !view()->isVisible())
            state |= TOwnerDrawState(odSelected) | odFocused;
        if (!isEnabled())
            state |= odDisabled;
        FControl->PaintItem(p, field.adjusted(1, 1, -1, -1), FControl->ItemIndex(), state);
    }

private:
    TComboBox* FControl;
};

// ---------------------------------------------------------------- TButton

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() & ~TControlStyle(csClickEvents));
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

TButton::~TButton()
{
    // Nothing from the widget reaches this control once it is going.
    delete FReturnShortcut.data();
    delete FEnterShortcut.data();
    delete FEscapeShortcut.data();
    if (FButton)
        QObject::disconnect(FButton, nullptr, this, nullptr);
}

QWidget* TButton::CreateWidget()
{
    auto* b = new TButtonWidget(this);
    FButton = b;
    QObject::connect(b, &QPushButton::clicked, this, [this] { GuardedCall([this] { Click(); }); });
    return b;
}

void TButton::InitWidget(QWidget* W)
{
    TWinControl::InitWidget(W);
    FButton->setText(FCaption);
    ApplyLook();
    UpdateShortcuts();
}

void TButton::ApplyLook()
{
    if (FButton)
        ApplyClassicLook(FButton, Color(), Font()->Color());
}

void TButton::UpdateButton()
{
    if (FButton)
        FButton->update();
}

void TButton::SetCaption(const QString& Text)
{
    const QString Value = WindowText(Text);
    if (FCaption == Value)
        return;
    FCaption = Value;
    if (FButton)
        FButton->setText(Value);
    UpdateButton();
}

void TButton::SetDefault(bool Value)
{
    if (FDefault == Value)
        return;
    FDefault = Value;
    UpdateShortcuts();
    UpdateButton();
}

void TButton::SetCancel(bool Value)
{
    if (FCancel == Value)
        return;
    FCancel = Value;
    UpdateShortcuts();
}

void TButton::SetModalResult(int Value)
{
    FModalResult = Value;
}

void TButton::UpdateShortcuts()
{
    if (!FButton)
        return;
    auto make = [this](QPointer<QShortcut>& Shortcut, bool Wanted, int Key, auto Action) {
        if (!Wanted) {
            delete Shortcut.data();
            return;
        }
        if (Shortcut)
            return;
        Shortcut = new QShortcut(QKeySequence(Key), FButton, nullptr, nullptr, Qt::WindowShortcut);
        QObject::connect(Shortcut.data(), &QShortcut::activated, this, [Action] { GuardedCall(Action); });
    };
    // Enter presses the focused button if a button has the focus, else the default one.
    auto pressDefault = [this] {
        auto* focused = dynamic_cast<TButtonWidget*>(QApplication::focusWidget());
        if (focused && focused->window() == FButton->window() && focused->isEnabled())
            focused->click();
        else if (FButton->isEnabled() && FButton->isVisible())
            FButton->click();
    };
    auto pressCancel = [this] {
        if (FButton->isEnabled() && FButton->isVisible())
            FButton->click();
    };
    make(FReturnShortcut, FDefault, Qt::Key_Return, pressDefault);
    make(FEnterShortcut, FDefault, Qt::Key_Enter, pressDefault);
    make(FEscapeShortcut, FCancel, Qt::Key_Escape, pressCancel);
}

void TButton::Click()
{
    if (FModalResult != mrNone)
        if (TForm* form = ParentForm(this))
            form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TButton::FontChanged()
{
    TWinControl::FontChanged();
    ApplyLook();
}

void TButton::ColorChanged()
{
    TWinControl::ColorChanged();
    ApplyLook();
}

void TButton::EnabledChanged()
{
    TWinControl::EnabledChanged();
    UpdateButton();
}

void TButton::PaintButton(QPainter& P)
{
    const TRect client = ClientRect();
    TRect r = client;
    const bool down = FButton->isDown();
    const bool focused = FButton->hasFocus();
    // The default button shows the black frame while no other button has the focus.
    bool active = focused;
    if (!active && FDefault) {
        auto* other = dynamic_cast<TButtonWidget*>(QApplication::focusWidget());
        active = !other || other->window() != FButton->window();
    }
    if (active)
        PaintFrame3D(P, r, clWindowFrame, clWindowFrame, 1);
    if (down) {
        PaintFrame3D(P, r, clBtnShadow, clBtnShadow, 1);
        P.fillRect(r.ToQRect(), ColorToQColor(Color()));
        r = TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
    } else {
        PaintRaisedButton(P, r, Color());
    }
    PaintContent(P, r, down);
    if (focused)
        PaintFocusRect(P, InflateRect(client, -4, -4));
}

void TButton::PaintContent(QPainter& P, const TRect& Content, bool)
{
    const QFont font = Font()->ToQFont();
    const QSize ts = CaptionExtent(FCaption, font);
    const int x = Content.Left + (Content.Width() - ts.width() + 1) / 2;
    const int y = Content.Top + (Content.Height() - ts.height() + 1) / 2;
    PaintText(P, QRect(x, y, ts.width() + 4, ts.height()), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
        FCaption, font, Font()->Color(), FButton->isEnabled());
}

// ---------------------------------------------------------------- TLabel

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

QWidget* TLabel::CreateWidget()
{
    auto* w = new TDrawnWidget([this](QPainter& P, const QRegion& Region) {
        if (FTransparent)
            DrawText(P);
        else
            PaintWidget(P, Region);
    });
    w->SetOpaque(!FTransparent);
    return w;
}

void TLabel::SetCaption(const QString& Text)
{
    const QString Value = WindowText(Text);
    if (FCaption == Value)
        return;
    FCaption = Value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetAutoSize(bool Value)
{
    if (FAutoSize == Value)
        return;
    FAutoSize = Value;
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment Value)
{
    if (!IsEnumValue(Value) || FAlignment == Value)
        return;
    FAlignment = Value;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout Value)
{
    if (FLayout == Value)
        return;
    FLayout = Value;
    Invalidate();
}

void TLabel::SetTransparent(bool Value)
{
    if (FTransparent == Value)
        return;
    FTransparent = Value;
    if (auto* w = static_cast<TDrawnWidget*>(WidgetIfCreated()))
        w->SetOpaque(!Value);
    Invalidate();
}

void TLabel::SetWordWrap(bool Value)
{
    if (FWordWrap == Value)
        return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetShowAccelChar(bool Value)
{
    if (FShowAccelChar == Value)
        return;
    FShowAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TLabel::EnabledChanged()
{
    TGraphicControl::EnabledChanged();
}

QString TLabel::DisplayText() const
{
    // An empty caption (or a lone access-key mark) still measures one blank.
    if (FCaption.isEmpty() || (FShowAccelChar && FCaption == QLatin1String("&")))
        return FCaption + QLatin1Char(' ');
    return FCaption;
}

int TLabel::TextFlags() const
{
    int flags = Qt::TextExpandTabs;
    if (FWordWrap)
        flags |= Qt::TextWordWrap;
    if (FShowAccelChar)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

QSize TLabel::TextSize() const
{
    const QFontMetrics& fm = Font()->Metrics();
    const int width = FWordWrap ? std::max(1, Width()) : 1 << 20;
    const QRect r = fm.boundingRect(QRect(0, 0, width, 1 << 20), TextFlags() | Qt::AlignLeft | Qt::AlignTop,
        DisplayText());
    // Lines are a line spacing apart; the last one is as high as the canvas's text height.
    const int lines = std::max(1, int(std::lround(double(r.height()) / std::max(1, fm.lineSpacing()))));
    return QSize(r.width(), fm.height() + (lines - 1) * fm.lineSpacing());
}

void TLabel::AdjustBounds()
{
    if (!FAutoSize || IsLoading())
        return;
    const QSize ts = TextSize();
    const int w = FWordWrap ? std::max(Width(), ts.width()) : ts.width();
    int x = Left();
    if (FAlignment == taRightJustify)
        x += Width() - w;
    SetBounds(x, Top(), w, ts.height());
}

void TLabel::DrawText(QPainter& P)
{
    const QSize ts = TextSize();
    int top = 0;
    if (FLayout == tlCenter)
        top = (Height() - ts.height()) / 2;
    else if (FLayout == tlBottom)
        top = Height() - ts.height();
    int flags = TextFlags() | Qt::AlignTop;
    switch (FAlignment) {
    case taRightJustify: flags |= Qt::AlignRight; break;
    case taCenter: flags |= Qt::AlignHCenter; break;
    default: flags |= Qt::AlignLeft; break;
    }
    P.save();
    P.setClipRect(QRect(0, 0, Width(), Height()), Qt::IntersectClip);
    PaintText(P, QRect(0, top, Width(), std::max(ts.height(), Height() - top)), flags & ~int(Qt::TextShowMnemonic),
        FCaption, Font()->ToQFont(), Font()->Color(), Enabled(), FShowAccelChar);
    P.restore();
}

void TLabel::Paint()
{
    TCanvasPainter p(Canvas());
    if (!FTransparent)
        p->fillRect(ClientRect().ToQRect(), ColorToQColor(Color()));
    DrawText(*p);
}

// ---------------------------------------------------------------- TEdit

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

TEdit::~TEdit()
{
    if (FEdit)
        QObject::disconnect(FEdit, nullptr, this, nullptr);
}

QWidget* TEdit::CreateWidget()
{
    auto* e = new TEditWidget();
    FEdit = e;
    QObject::connect(e, &QLineEdit::textEdited, this,
        [this](const QString& Value) { GuardedCall([&] { TextEdited(Value); }); });
    return e;
}

void TEdit::InitWidget(QWidget* W)
{
    TWinControl::InitWidget(W);
    FEdit->setFrame(true);
    FEdit->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
    FEdit->setReadOnly(FReadOnly);
    FEdit->setText(FText);
    FEdit->setCursorPosition(0);
    ApplyLook();
}

void TEdit::ApplyLook()
{
    if (FEdit)
        ApplyClassicLook(FEdit, clBtnFace, Font()->Color(), Color());
}

void TEdit::SetText(const QString& Value)
{
    const QString text = FMaxLength > 0 ? WindowText(Value).left(FMaxLength) : WindowText(Value);
    if (FText == text)
        return;
    FText = text;
    if (FEdit) {
        const QSignalBlocker block(FEdit);
        FEdit->setText(text);
    }
    if (!IsLoading())
        Change();
}

void TEdit::TextEdited(const QString& Value)
{
    if (FText == Value)
        return;
    FText = Value;
    if (!IsLoading())
        Change();
}

void TEdit::SetReadOnly(bool Value)
{
    if (FReadOnly == Value)
        return;
    FReadOnly = Value;
    if (FEdit)
        FEdit->setReadOnly(Value);
}

void TEdit::SetMaxLength(int Value)
{
    if (Value < 0 || FMaxLength == Value)
        return;
    FMaxLength = Value;
    if (Value > 0 && FText.size() > Value)
        FText = FText.left(Value);
    if (FEdit) {
        const QSignalBlocker block(FEdit);
        FEdit->setMaxLength(Value > 0 ? Value : 32767);
    }
}

void TEdit::SelectAll()
{
    if (FEdit)
        FEdit->selectAll();
}

void TEdit::Change()
{
    CallEvent(OnChange, this);
}

void TEdit::FontChanged()
{
    TWinControl::FontChanged();
    ApplyLook();
}

void TEdit::ColorChanged()
{
    TWinControl::ColorChanged();
    ApplyLook();
}

// ---------------------------------------------------------------- TCheckBox

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() & ~TControlStyle(csClickEvents));
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

QWidget* TCheckBox::CreateWidget()
{
    FCheck = new TCheckWidget(this);
    return FCheck;
}

void TCheckBox::InitWidget(QWidget* W)
{
    TWinControl::InitWidget(W);
    FCheck->setText(FCaption);
    const QSignalBlocker block(FCheck);
    FCheck->setCheckState(FState == cbChecked ? Qt::Checked : FState == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
    ApplyLook();
}

void TCheckBox::ApplyLook()
{
    if (FCheck)
        ApplyClassicLook(FCheck, Color(), Font()->Color());
}

void TCheckBox::SetCaption(const QString& Text)
{
    const QString Value = WindowText(Text);
    if (FCaption == Value)
        return;
    FCaption = Value;
    if (FCheck) {
        FCheck->setText(Value);
        FCheck->update();
    }
}

void TCheckBox::SetAlignment(TAlignment Value)
{
    if (!IsEnumValue(Value) || Value == taCenter || FAlignment == Value)
        return;
    FAlignment = Value;
    if (FCheck)
        FCheck->update();
}

void TCheckBox::SetAllowGrayed(bool Value)
{
    FAllowGrayed = Value;
}

void TCheckBox::SetState(TCheckBoxState Value)
{
    if (Value < cbUnchecked || Value > cbGrayed || FState == Value)
        return;
    FState = Value;
    if (FCheck) {
        const QSignalBlocker block(FCheck);
        FCheck->setCheckState(Value == cbChecked ? Qt::Checked : Value == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
        FCheck->update();
    }
    if (!IsLoading())
        Click();
}

void TCheckBox::Toggle()
{
    switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCheckBox::FontChanged()
{
    TWinControl::FontChanged();
    ApplyLook();
}

void TCheckBox::ColorChanged()
{
    TWinControl::ColorChanged();
    ApplyLook();
}

void TCheckBox::EnabledChanged()
{
    TWinControl::EnabledChanged();
    if (FCheck)
        FCheck->update();
}

// ---------------------------------------------------------------- TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() & ~TControlStyle(csClickEvents));
    SetBounds(0, 0, 113, 17);
    SetTabStop(true);
}

QWidget* TRadioButton::CreateWidget()
{
    FRadio = new TRadioWidget(this);
    return FRadio;
}

void TRadioButton::InitWidget(QWidget* W)
{
    TWinControl::InitWidget(W);
    FRadio->setText(FCaption);
    const QSignalBlocker block(FRadio);
    FRadio->setChecked(FChecked);
    ApplyLook();
}

void TRadioButton::ApplyLook()
{
    if (FRadio)
        ApplyClassicLook(FRadio, Color(), Font()->Color());
}

void TRadioButton::SetCaption(const QString& Text)
{
    const QString Value = WindowText(Text);
    if (FCaption == Value)
        return;
    FCaption = Value;
    if (FRadio) {
        FRadio->setText(Value);
        FRadio->update();
    }
}

void TRadioButton::SetAlignment(TAlignment Value)
{
    if (!IsEnumValue(Value) || Value == taCenter || FAlignment == Value)
        return;
    FAlignment = Value;
    if (FRadio)
        FRadio->update();
}

void TRadioButton::SetChecked(bool Value)
{
    if (FChecked == Value)
        return;
    FChecked = Value;
    if (FRadio) {
        const QSignalBlocker block(FRadio);
        FRadio->setChecked(Value);
        FRadio->update();
    }
    if (!Value)
        return;
    // The other radio buttons of the parent go off, without events.
    if (TWinControl* parent = Parent())
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* other = qobject_cast<TRadioButton*>(parent->Controls(i)); other && other != this)
                other->SetChecked(false);
    if (!IsLoading())
        Click();
}

void TRadioButton::FontChanged()
{
    TWinControl::FontChanged();
    ApplyLook();
}

void TRadioButton::ColorChanged()
{
    TWinControl::ColorChanged();
    ApplyLook();
}

void TRadioButton::EnabledChanged()
{
    TWinControl::EnabledChanged();
    if (FRadio)
        FRadio->update();
}

// ---------------------------------------------------------------- TComboBox

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner), FItemCanvas(std::make_unique<TCanvas>())
{
    SetControlStyle(ControlStyle() & ~TControlStyle(csClickEvents));
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

TComboBox::~TComboBox()
{
    if (FCombo)
        QObject::disconnect(FCombo, nullptr, this, nullptr);
}

QWidget* TComboBox::CreateWidget()
{
    auto* c = new TComboWidget(this);
    FCombo = c;
    QObject::connect(c, &QComboBox::activated, this, [this](int Index) { GuardedCall([&] { UserActivated(Index); }); });
    QObject::connect(c, &QComboBox::editTextChanged, this,
        [this](const QString& Text) { GuardedCall([&] { UserEdited(Text); }); });
    return c;
}

void TComboBox::InitWidget(QWidget* W)
{
    TWinControl::InitWidget(W);
    FillWidget();
    ApplyLook();
}

void TComboBox::ApplyLook()
{
    if (!FCombo)
        return;
    ApplyClassicLook(FCombo, clBtnFace, Font()->Color(), Color());
    FCombo->view()->setPalette(FCombo->palette());
    FCombo->view()->setFont(Font()->ToQFont());
}

// Puts the items, the selection and the text into the widget.
void TComboBox::FillWidget()
{
    if (!FCombo)
        return;
    FUpdating = true;
    {
        const QSignalBlocker block(FCombo);
        FCombo->setEditable(IsEditable());
        FCombo->clear();
        FCombo->addItems(FItems);
        FCombo->setMaxVisibleItems(FDropDownCount);
        FCombo->setCurrentIndex(FItemIndex >= 0 && FItemIndex < ItemCount() ? FItemIndex : -1);
        if (IsEditable()) {
            FCombo->setEditText(FText);
            if (QLineEdit* e = FCombo->lineEdit()) {
                e->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
                ApplyClassicLook(e, clBtnFace, Font()->Color(), Color());
            }
        }
    }
    FUpdating = false;
    FCombo->update();
}

void TComboBox::SetStyle(TComboBoxStyle Value)
{
    if (Value < csDropDown || Value > csOwnerDrawVariable || FStyle == Value)
        return;
    FStyle = Value;
    FillWidget();
}

void TComboBox::SetItems(const QStringList& Value)
{
    if (FItems == Value)
        return;
    FItems = Value;
    if (!IsLoading() && FItemIndex >= ItemCount())
        FItemIndex = -1;
    FillWidget();
}

void TComboBox::AddItem(const QString& Item)
{
    QStringList items = FItems;
    items.append(Item);
    SetItems(items);
}

void TComboBox::SetItemIndex(int Value)
{
    if (IsLoading()) {
        // Checked in Loaded(): the items may come later in the description.
        FItemIndex = Value;
        return;
    }
    if (Value < -1 || Value >= ItemCount() || FItemIndex == Value)
        return;
    FItemIndex = Value;
    if (IsEditable())
        FText = Value >= 0 ? FItems.at(Value) : QString();
    FillWidget();
}

QString TComboBox::Text() const
{
    if (IsEditable())
        return FText;
    return FItemIndex >= 0 && FItemIndex < ItemCount() ? FItems.at(FItemIndex) : QString();
}

void TComboBox::SetText(const QString& Value)
{
    if (!IsEditable()) {
        const int index = FItems.indexOf(Value);
        if (index >= 0)
            SetItemIndex(index);
        return;
    }
    if (FText == Value)
        return;
    FText = FMaxLength > 0 ? Value.left(FMaxLength) : Value;
    FillWidget();
}

void TComboBox::SetItemHeight(int Value)
{
    if (Value < 1 || FItemHeight == Value)
        return;
    FItemHeight = Value;
    if (FCombo)
        FCombo->update();
}

void TComboBox::SetDropDownCount(int Value)
{
    if (Value < 1 || FDropDownCount == Value)
        return;
    FDropDownCount = Value;
    if (FCombo)
        FCombo->setMaxVisibleItems(Value);
}

void TComboBox::SetMaxLength(int Value)
{
    if (Value < 0 || FMaxLength == Value)
        return;
    FMaxLength = Value;
    FillWidget();
}

bool TComboBox::DroppedDown() const
{
    return FCombo && FCombo->view()->isVisible();
}

void TComboBox::SetDroppedDown(bool Value)
{
    if (!Widget() || DroppedDown() == Value)
        return;
    if (Value)
        FCombo->showPopup();
    else
        FCombo->hidePopup();
}

void TComboBox::Loaded()
{
    TWinControl::Loaded();
    if (FItemIndex < -1 || FItemIndex >= ItemCount())
        FItemIndex = -1;
    if (IsEditable() && FText.isEmpty() && FItemIndex >= 0)
        FText = FItems.at(FItemIndex);
    FillWidget();
}

int TComboBox::EffectiveItemHeight() const
{
    if (IsOwnerDrawn())
        return FItemHeight;
    return Font()->Metrics().height();
}

void TComboBox::UserActivated(int Index)
{
    if (FUpdating || Index == FItemIndex || Index < -1 || Index >= ItemCount())
        return;
    FItemIndex = Index;
    if (IsEditable()) {
        // The field's text follows through UserEdited.
        Click();
        return;
    }
    Click();
    Change();
}

void TComboBox::UserEdited(const QString& Value)
{
    if (FUpdating || !IsEditable() || FText == Value)
        return;
    FText = Value;
    FItemIndex = FItems.indexOf(Value);
    Change();
}

void TComboBox::Change()
{
    CallEvent(OnChange, this);
}

void TComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (IsOwnerDrawn() && OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    TCanvas* c = FItemCanvas.get();
    c->FillRect(Rect);
    if (Index >= 0 && Index < ItemCount())
        c->TextOut(Rect.Left + 2, Rect.Top + (Rect.Height() - c->TextHeight(FItems.at(Index))) / 2, FItems.at(Index));
}

void TComboBox::PaintItem(QPainter& P, const QRect& R, int Index, TOwnerDrawState State)
{
    if (R.isEmpty())
        return;
    QImage image(R.size(), QImage::Format_RGB32);
    image.fill(ColorToQRgb(Color()));
    TCanvas* c = FItemCanvas.get();
    // The canvas is bound to the item's picture only while it is drawn.
    struct TRelease {
        TCanvas* Canvas;
        ~TRelease()
        {
            Canvas->Flush();
            Canvas->SetImage(nullptr);
        }
    } release{c};
    c->SetImage(&image);
    c->ClearClipRegion();
    c->SetCopyMode(cmSrcCopy);
    c->Font()->Assign(Font());
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    if (State.testFlag(odDisabled))
        c->Font()->SetColor(clGrayText);
    else if (Index >= 0 && State.testFlag(odSelected)) {
        c->Brush()->SetColor(clHighlight);
        c->Font()->SetColor(clHighlightText);
    }
    const TRect rect(0, 0, R.width(), R.height());
    if (Index >= 0 && Index < ItemCount())
        GuardedCall([&] { DrawItem(Index, rect, State); });
    else
        c->FillRect(rect);
    if (State.testFlag(odFocused))
        c->DrawFocusRect(rect);
    c->Flush();
    P.drawImage(R.topLeft(), image);
}

void TComboBox::FontChanged()
{
    TWinControl::FontChanged();
    ApplyLook();
}

void TComboBox::ColorChanged()
{
    TWinControl::ColorChanged();
    ApplyLook();
}

// ---------------------------------------------------------------- TGroupBox

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetTabStop(false);
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::SetCaption(const QString& Text)
{
    const QString Value = WindowText(Text);
    if (FCaption == Value)
        return;
    FCaption = Value;
    Invalidate();
}

void TGroupBox::Paint()
{
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    const int h = c->TextHeight(QStringLiteral("0"));
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    TRect r(0, h / 2 - 1, Width(), Height());
    if (Ctl3D()) {
        r = TRect(r.Left + 1, r.Top + 1, r.Right, r.Bottom);
        c->Brush()->SetColor(clBtnHighlight);
        c->FrameRect(r);
        r = TRect(r.Left - 1, r.Top - 1, r.Right - 1, r.Bottom - 1);
        c->Brush()->SetColor(clBtnShadow);
    } else {
        c->Brush()->SetColor(clWindowFrame);
    }
    c->FrameRect(r);
    if (FCaption.isEmpty())
        return;
    const QFont font = Font()->ToQFont();
    const QSize ts = CaptionExtent(FCaption, font);
    TCanvasPainter p(c);
    const QRect text(8, 0, ts.width(), h);
    p->fillRect(text, ColorToQColor(Color()));
    PaintText(*p, text.adjusted(0, 0, 4, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, FCaption, font,
        Font()->Color(), Enabled());
}

void TGroupBox::AlignControls(TRect& Rect)
{
    const int h = Font()->Metrics().height();
    Rect.Top += h;
    Rect = InflateRect(Rect, -1, -1);
    if (Ctl3D())
        Rect = InflateRect(Rect, -1, -1);
    TCustomControl::AlignControls(Rect);
}

} // namespace Tessaron
