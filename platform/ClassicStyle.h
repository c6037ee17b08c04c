#pragma once
// The classic look of the standard controls: grey 3-D bevels in the system
// colours (button highlight and shadow), sunken white fields, black arrows.
// Controls that draw themselves use the drawing helpers; controls built on a
// Qt widget (edits, combo boxes, spin edits) get ClassicStyle(), a style on
// top of Qt's "Fusion" that draws their frames and arrow buttons the classic
// way, and ClassicPalette().

#include <platform/Graphics.h>
#include <platform/Types.h>

#include <QPainter>
#include <QPalette>
#include <QRect>
#include <QWidget>

#include <functional>

class QStyle;

namespace Tessaron {

class TCanvas;

// The style of the standard controls' Qt widgets (one shared instance).
QStyle* ClassicStyle();

// A palette of the classic system colours; Face is the control's colour (the
// button face for buttons, the field colour for edits), Text its font colour.
QPalette ClassicPalette(TColor Face, TColor Text, TColor Field = clWindow);

// Gives a Qt widget the classic style and palette.
void ApplyClassicLook(QWidget* Widget, TColor Face, TColor Text, TColor Field = clWindow);

// ---------------------------------------------------------------- drawing

// The classic 3-D frame on a painter: TopColor on the top and left edges,
// BottomColor on the right and bottom, Width rings; R (exclusive right and
// bottom edges) shrinks by one per ring.
void PaintFrame3D(QPainter& P, TRect& R, TColor TopColor, TColor BottomColor, int Width = 1);

// A raised push-button face (white and light grey at top-left, black and
// shadow grey at bottom-right) filled with Face; R becomes the inner area.
void PaintRaisedButton(QPainter& P, TRect& R, TColor Face = clBtnFace);
// A pushed-in tool button face (black and shadow grey at top-left, white and
// light grey at bottom-right); R becomes the inner area.
void PaintSunkenButton(QPainter& P, TRect& R, TColor Face = clBtnFace);
// The 2-pixel sunken frame of an edit field or check box; R becomes the inside.
void PaintSunkenField(QPainter& P, TRect& R);
// The checkerboard of button face and highlight of a button that stays down.
void PaintDither(QPainter& P, const TRect& R);
// A dotted focus rectangle.
void PaintFocusRect(QPainter& P, const TRect& R);

enum class TArrow { Up, Down, Left, Right };
// A solid arrow of the given base width (odd), centred in R.
void PaintArrow(QPainter& P, const TRect& R, TArrow Direction, int BaseWidth, TColor Color);

// The 13 x 13 box of a check box at (X, Y): 0 unchecked, 1 checked, 2 greyed.
void PaintCheckBox(QPainter& P, int X, int Y, int State, bool Enabled, bool Pressed);
// The 12 x 12 circle of a radio button at (X, Y).
void PaintRadioButton(QPainter& P, int X, int Y, bool Checked, bool Enabled, bool Pressed);

// Text with "&" access keys (when ShowAccel) underlined, in Color, with its
// top-left at R's top-left; Flags are Qt alignment and wrapping flags within R.
// Disabled text is embossed: highlight one pixel down-right, then shadow.
void PaintText(QPainter& P, const QRect& R, int Flags, const QString& Text, const QFont& Font, TColor Color,
    bool Enabled, bool ShowAccel = true);
// The text without access-key marks ("&&" becomes "&").
QString StripAccel(const QString& Text);
// Width and height of a one-line caption as drawn by PaintText.
QSize CaptionExtent(const QString& Text, const QFont& Font, bool ShowAccel = true);

// ---------------------------------------------------------------- helpers

// A painter on a control's backing image, clipped to the canvas's clip region
// (the area being painted inside Paint()).
class TCanvasPainter {
public:
    explicit TCanvasPainter(TCanvas* Canvas);
    QPainter& operator*() { return FPainter; }
    QPainter* operator->() { return &FPainter; }

private:
    QPainter FPainter;
};

// A widget that paints through a callback: used by drawn controls that can be
// transparent (labels, images), whose widget then shows what lies beneath.
class TDrawnWidget : public QWidget {
public:
    using TPaintFunction = std::function<void(QPainter& Painter, const QRegion& Region)>;
    explicit TDrawnWidget(TPaintFunction Paint);
    // Opaque widgets cover their whole area; transparent ones let the parent show.
    void SetOpaque(bool Value);

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    TPaintFunction FPaint;
};

} // namespace Tessaron
