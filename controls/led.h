#pragma once
// TLed: a status lamp. A small windowless control that paints one coloured
// shape (a circle with a light reflex, a rectangle, an arrow or a rhombus) in
// an inactive or an active colour, and that can flash while it is active.

#include <platform/Controls.h>
#include <platform/ExtCtrls.h>
#include <platform/Types.h>

#include <QString>

namespace Tessaron {

class TLed : public TGraphicControl {
    Q_OBJECT
    // The size a Qt layout or a form designer gives a new one.
    Q_CLASSINFO("DefaultSize", "25x25")
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
    Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright)
    Q_PROPERTY(Tessaron::TColor ColorInactive READ ColorInactive WRITE SetColorInactive)
    Q_PROPERTY(Tessaron::TColor ColorActive READ ColorActive WRITE SetColorActive)
    Q_PROPERTY(bool Flashing READ Flashing WRITE SetFlashing)
    Q_PROPERTY(int FlashInterval READ FlashInterval WRITE SetFlashInterval)
    Q_PROPERTY(Tessaron::TLed::TLedStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(bool Value READ Value WRITE SetValue)
    Q_CLASSINFO("Default:ColorInactive", "clSilver")
    Q_CLASSINFO("Default:ColorActive", "clRed")
    Q_CLASSINFO("Default:Flashing", "false")
    Q_CLASSINFO("Default:FlashInterval", "1000")
    Q_CLASSINFO("Default:Style", "lesCircle")
    Q_CLASSINFO("Default:Value", "false")

public:
    enum TLedStyle : int {
        lesCircle,
        lesRectangle,
        lesArrowLeft,
        lesArrowRight,
        lesArrowUp,
        lesArrowDown,
        lesArrowLeftRight,
        lesArrowUpDown,
    };
    Q_ENUM(TLedStyle)

    explicit TLed(TComponent* AOwner = nullptr);
    ~TLed() override;

    // "V2.00"; assignments are ignored.
    QString Version() const { return FVersion; }
    void SetVersion(const QString&) {}
    // "Copyright (c) Velmar Softwaretechnik"; assignments are ignored.
    QString Copyright() const { return FCopyright; }
    void SetCopyright(const QString&) {}

    // Colour of the shape while Value is false and in the dark phase of
    // flashing; clSilver by default. Repaints later.
    TColor ColorInactive() const { return FColorInactive; }
    void SetColorInactive(TColor Value);
    // Colour of the shape while Value is true and in the bright phase of
    // flashing; clRed by default. Repaints later; assigned while flashing it
    // shows at once, whatever the phase.
    TColor ColorActive() const { return FColorActive; }
    void SetColorActive(TColor Value);
    // While true and Value is true, the shape alternates between the two
    // colours every FlashInterval ms; false by default. Never flashes inside a
    // form designer; while loading it only stores (Loaded() starts flashing).
    bool Flashing() const { return FFlashing; }
    void SetFlashing(bool Value);
    // Milliseconds between two colour changes; 1000 by default. Handed to the
    // flash timer unchecked (the timer ignores a negative interval, 0 stops it).
    int FlashInterval() const { return FFlashInterval; }
    void SetFlashInterval(int Value);
    // The shape; lesCircle by default. A value outside the list is ignored.
    // Repaints later.
    TLedStyle Style() const { return FStyle; }
    void SetStyle(TLedStyle Value);
    // false = inactive, true = active; false by default. Draws the shape at
    // once in its new colour and starts or stops flashing (not in a form
    // designer; while loading it only stores and asks for a repaint).
    bool Value() const { return FValue; }
    void SetValue(bool Value);

    // The colour the shape is painted in now.
    TColor CurrentColor() const { return FCurrentColor; }
    // The flash timer (owned by the lamp; enabled only while flashing).
    const TTimer* FlashTimer() const { return FFlashTimer; }

    // The flash timer's tick: while Value is true, switches the shape between
    // ColorInactive and ColorActive and draws it at once.
    void FlashStep();

    // Starts flashing when the loaded values ask for it.
    void Loaded() override;

protected:
    void Paint() override;
    // Paints the shape for Style in the current colour, without the background.
    void DrawShape();

private:
    // Enables the flash timer while Flashing and Value are both true.
    void UpdateFlashTimer();

    QString FVersion;
    QString FCopyright;
    TColor FColorInactive = clSilver;
    TColor FColorActive = clRed;
    bool FFlashing = false;
    int FFlashInterval = 1000;
    TLedStyle FStyle = lesCircle;
    bool FValue = false;
    TColor FCurrentColor = clSilver;
    TTimer* FFlashTimer = nullptr; // owned as a component, freed first by the destructor
};

} // namespace Tessaron
