#pragma once
// The up-down control: two arrow buttons that step an integer position,
// optionally shown in an associated control.

#include <platform/Controls.h>

#include <QPointer>

#include <memory>

class QTimer;

namespace Tessaron {

// Two arrow buttons (up/down, or left/right with udHorizontal) that move
// Position between Min and Max by Increment; holding a button repeats.
//
// A click asks OnChanging first (AllowChange false keeps the position), then
// moves the position (stopping at the end of the range, or wrapping to the
// other end with Wrap), then raises OnClick with the button (btNext for up or
// right, towards Max; btPrev for down or left). With an Associate, the
// up-down stands at its right (or left) edge with its height, takes its
// position from the associate's Text before each step, and writes the
// position back into the Text (with thousands separators if Thousands).
class TUpDown : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Increment READ Increment WRITE SetIncrement)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
    Q_PROPERTY(Tessaron::TWinControl* Associate READ Associate WRITE SetAssociate)
    Q_PROPERTY(TUDAlignButton AlignButton READ AlignButton WRITE SetAlignButton)
    Q_PROPERTY(TUDOrientation Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(bool ArrowKeys READ ArrowKeys WRITE SetArrowKeys)
    Q_PROPERTY(bool Thousands READ Thousands WRITE SetThousands)
    Q_PROPERTY(bool Wrap READ Wrap WRITE SetWrap)
    Q_PROPERTY(Tessaron::TUpDown::TUDClickEvent OnClick MEMBER OnClick)
    Q_PROPERTY(Tessaron::TUpDown::TUDChangingEvent OnChanging MEMBER OnChanging)
    Q_CLASSINFO("Default:Min", "0")
    Q_CLASSINFO("Default:Max", "100")
    Q_CLASSINFO("Default:Increment", "1")
    Q_CLASSINFO("Default:Position", "0")
    Q_CLASSINFO("Default:AlignButton", "udRight")
    Q_CLASSINFO("Default:Orientation", "udVertical")
    Q_CLASSINFO("Default:ArrowKeys", "true")
    Q_CLASSINFO("Default:Thousands", "true")
    Q_CLASSINFO("Default:Wrap", "false")

public:
    enum TUDAlignButton : int { udLeft, udRight };
    Q_ENUM(TUDAlignButton)
    enum TUDOrientation : int { udHorizontal, udVertical };
    Q_ENUM(TUDOrientation)
    enum TUDBtnType : int { btNext, btPrev };
    Q_ENUM(TUDBtnType)
    using TUDClickEvent = TEvent<void(TObject* Sender, TUDBtnType Button)>;
    using TUDChangingEvent = TEvent<void(TObject* Sender, bool& AllowChange)>;

    explicit TUpDown(TComponent* AOwner = nullptr);
    ~TUpDown() override;

    // Default 0.
    int Min() const { return FMin; }
    void SetMin(int Value);
    // Default 100. Min may exceed Max: btNext then still moves towards Max.
    int Max() const { return FMax; }
    void SetMax(int Value);
    // Default 1; values < 1 are ignored.
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value);
    // Default 0; an assigned position is kept within Min ... Max (checked
    // after loading); changing the range leaves the position to the next step.
    int Position() const { return FPosition; }
    void SetPosition(int Value);
    // The control that shows the position (through its "Text" property).
    TWinControl* Associate() const { return FAssociate; }
    void SetAssociate(TWinControl* Value);
    // Side of the associate the up-down stands on; default udRight.
    TUDAlignButton AlignButton() const { return FAlignButton; }
    void SetAlignButton(TUDAlignButton Value);
    // Default udVertical.
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation Value);
    // The arrow keys step the position while the up-down has the focus; default true.
    bool ArrowKeys() const { return FArrowKeys; }
    void SetArrowKeys(bool Value) { FArrowKeys = Value; }
    // Default true.
    bool Thousands() const { return FThousands; }
    void SetThousands(bool Value);
    // Default false.
    bool Wrap() const { return FWrap; }
    void SetWrap(bool Value) { FWrap = Value; }

    // One click on a button, as the mouse gives it.
    void ClickButton(TUDBtnType Button);
    // The button under a client point (for a point on neither: btNext).
    TUDBtnType ButtonAt(int X, int Y) const;
    void Loaded() override;

    // Hides TControl::OnClick: the up-down's click names its button.
    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    void Resized() override;

private:
    TRect ButtonRect(TUDBtnType Button) const;
    int Clamped(int Value) const;
    void ReadAssociate();
    void WriteAssociate();
    void PlaceBesideAssociate();
    void Repeat();

    int FMin = 0;
    int FMax = 100;
    int FIncrement = 1;
    int FPosition = 0;
    QPointer<TWinControl> FAssociate;
    TUDAlignButton FAlignButton = udRight;
    TUDOrientation FOrientation = udVertical;
    bool FArrowKeys = true;
    bool FThousands = true;
    bool FWrap = false;
    // The button held down, and whether the mouse is still over it.
    bool FPressing = false;
    TUDBtnType FPressed = btNext;
    bool FPressedInside = false;
    std::unique_ptr<QTimer> FRepeat;
};

} // namespace Tessaron

Q_DECLARE_METATYPE(Tessaron::TUpDown::TUDClickEvent)
Q_DECLARE_METATYPE(Tessaron::TUpDown::TUDChangingEvent)
