#include "platform/Spin.h"

#include "platform/ClassicStyle.h"
#include "platform/Streaming.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <climits>

namespace Tessaron {

namespace {

[[maybe_unused]] const bool kRegistered = [] {
    RegisterClass<TSpinEdit>();
    return true;
}();

} // namespace

// The spin box underneath: unbounded itself; every step and typed value goes
// through the control, which applies its bounds.
class TSpinWidget : public QSpinBox {
public:
    explicit TSpinWidget(TSpinEdit* Control) : FControl(Control)
    {
        setRange(INT_MIN, INT_MAX);
        setKeyboardTracking(true);
        setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        setFrame(true);
    }
    QLineEdit* Edit() const { return lineEdit(); }
    void stepBy(int Steps) override
    {
        GuardedCall([&] { FControl->Step(Steps); });
    }

protected:
    StepEnabled stepEnabled() const override
    {
        return isReadOnly() ? StepNone : StepEnabled(StepUpEnabled | StepDownEnabled);
    }

private:
    TSpinEdit* FControl;
};

TSpinEdit::TSpinEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    SetBounds(0, 0, 121, 22);
    SetTabStop(true);
    SetColor(clWindow);
}

TSpinEdit::~TSpinEdit()
{
    if (FSpin)
        QObject::disconnect(FSpin, nullptr, this, nullptr);
}

QWidget* TSpinEdit::CreateWidget()
{
    auto* s = new TSpinWidget(this);
    FSpin = s;
    QObject::connect(s, &QSpinBox::valueChanged, this, [this](int Value) { GuardedCall([&] { Typed(Value); }); });
    QObject::connect(s, &QAbstractSpinBox::editingFinished, this, [this] { ShowValue(); });
    return s;
}

void TSpinEdit::InitWidget(QWidget* W)
{
    TWinControl::InitWidget(W);
    FSpin->setReadOnly(FReadOnly);
    FSpin->Edit()->setReadOnly(!FEditorEnabled);
    FSpin->Edit()->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
    ShowValue();
    ApplyLook();
}

void TSpinEdit::ApplyLook()
{
    if (!FSpin)
        return;
    ApplyClassicLook(FSpin, clBtnFace, Font()->Color(), Color());
    ApplyClassicLook(FSpin->Edit(), clBtnFace, Font()->Color(), Color());
}

void TSpinEdit::ShowValue()
{
    if (!FSpin)
        return;
    const QSignalBlocker block(FSpin);
    if (FSpin->value() != FValue || FSpin->text() != QString::number(FValue))
        FSpin->setValue(FValue);
}

int TSpinEdit::CheckValue(int Value) const
{
    if (FMaxValue != FMinValue) {
        if (Value < FMinValue)
            return FMinValue;
        if (Value > FMaxValue)
            return FMaxValue;
    }
    return Value;
}

void TSpinEdit::SetMaxValue(int Value)
{
    FMaxValue = Value;
}

void TSpinEdit::SetMinValue(int Value)
{
    FMinValue = Value;
}

void TSpinEdit::SetIncrement(int Value)
{
    if (Value < 1)
        return;
    FIncrement = Value;
}

void TSpinEdit::SetEditorEnabled(bool Value)
{
    if (FEditorEnabled == Value)
        return;
    FEditorEnabled = Value;
    if (FSpin)
        FSpin->Edit()->setReadOnly(!Value);
}

void TSpinEdit::SetReadOnly(bool Value)
{
    if (FReadOnly == Value)
        return;
    FReadOnly = Value;
    if (FSpin)
        FSpin->setReadOnly(Value);
}

void TSpinEdit::SetMaxLength(int Value)
{
    if (Value < 0 || FMaxLength == Value)
        return;
    FMaxLength = Value;
    if (FSpin)
        FSpin->Edit()->setMaxLength(Value > 0 ? Value : 32767);
}

void TSpinEdit::SetValue(int Value)
{
    if (IsLoading()) {
        // The bounds may follow in the description; Loaded() checks.
        FValue = Value;
        ShowValue();
        return;
    }
    const int checked = CheckValue(Value);
    if (checked == FValue) {
        ShowValue();
        return;
    }
    FValue = checked;
    ShowValue();
    Change();
}

void TSpinEdit::Step(int Count)
{
    const long long next = static_cast<long long>(FValue) + static_cast<long long>(Count) * FIncrement;
    SetValue(int(std::clamp<long long>(next, INT_MIN, INT_MAX)));
}

void TSpinEdit::Typed(int Value)
{
    const int checked = CheckValue(Value);
    if (checked == FValue || IsLoading())
        return;
    FValue = checked;
    Change();
}

void TSpinEdit::Loaded()
{
    TWinControl::Loaded();
    FValue = CheckValue(FValue);
    ShowValue();
}

void TSpinEdit::Change()
{
    CallEvent(OnChange, this);
}

void TSpinEdit::FontChanged()
{
    TWinControl::FontChanged();
    ApplyLook();
}

void TSpinEdit::ColorChanged()
{
    TWinControl::ColorChanged();
    ApplyLook();
}

} // namespace Tessaron
