#pragma once
// The spin edit: an edit field for an integer with up and down arrow buttons.

#include <platform/Controls.h>

#include <QPointer>

namespace Tessaron {

class TSpinWidget;

// An integer field with arrow buttons that add or subtract Increment.
//
// Bounds: with MinValue = MaxValue (0/0 by default) the value is unbounded;
// otherwise a value below MinValue becomes MinValue and then one above
// MaxValue becomes MaxValue. Changing the bounds does not change the current
// value (bounds are often set one after the other); the next assigned, typed
// or stepped value is checked against them. Typed text is checked as it is
// typed; the field shows the checked value when it loses the focus.
//
// OnChange follows every change of Value: typed, stepped or assigned.
class TSpinEdit : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(int MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(int MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(int Increment READ Increment WRITE SetIncrement)
    Q_PROPERTY(bool EditorEnabled READ EditorEnabled WRITE SetEditorEnabled)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
    Q_PROPERTY(int Value READ Value WRITE SetValue)
    Q_PROPERTY(Tessaron::TNotifyEvent OnChange MEMBER OnChange)
    Q_CLASSINFO("Default:MaxValue", "0")
    Q_CLASSINFO("Default:MinValue", "0")
    Q_CLASSINFO("Default:Increment", "1")
    Q_CLASSINFO("Default:EditorEnabled", "true")
    Q_CLASSINFO("Default:ReadOnly", "false")
    Q_CLASSINFO("Default:MaxLength", "0")
    Q_CLASSINFO("Default:Value", "0")
    Q_CLASSINFO("Default:Color", "clWindow")
    Q_CLASSINFO("Default:TabStop", "true")

public:
    explicit TSpinEdit(TComponent* AOwner = nullptr);
    ~TSpinEdit() override;

    // Default 0.
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);
    // Default 0.
    int MinValue() const { return FMinValue; }
    void SetMinValue(int Value);
    // The step of the arrow buttons and arrow keys; default 1; values < 1 are ignored.
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value);
    // Whether the number can be typed (the arrows work either way); default true.
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value);
    // Neither typing nor arrows change the value; default false.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // Most characters typed; 0 (default) = no limit; negative values are ignored.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    // Default 0; assigned values are checked against the bounds.
    int Value() const { return FValue; }
    void SetValue(int Value);

    // The value after the bounds check.
    int CheckValue(int Value) const;
    // Adds (or with a negative count subtracts) Count increments, as the
    // arrow buttons do; the sum saturates at the integer range.
    void Step(int Count);

    void Loaded() override;

    TNotifyEvent OnChange;

protected:
    QWidget* CreateWidget() override;
    void InitWidget(QWidget* W) override;
    void FontChanged() override;
    void ColorChanged() override;
    virtual void Change();

private:
    friend class TSpinWidget;
    void ApplyLook();
    void ShowValue();
    void Typed(int Value);

    int FMaxValue = 0;
    int FMinValue = 0;
    int FIncrement = 1;
    bool FEditorEnabled = true;
    bool FReadOnly = false;
    int FMaxLength = 0;
    int FValue = 0;
    QPointer<TSpinWidget> FSpin;
};

} // namespace Tessaron
