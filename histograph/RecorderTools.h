#pragma once
// Pieces the recorders' tool windows share: placing controls built in code,
// the dialog font, the owner-drawn line-style items, the font button step and
// the tool bar glyphs (pictures of our own making, under ":/glyphs/").

#include <platform/Controls.h>
#include <platform/Forms.h>

#include <QString>

namespace Tessaron {

class TCanvas;
class TFontDialog;
class TLabel;
class TSpeedButton;
class TBitBtn;

namespace RecorderTools {

// Creates a control of class T owned by Owner, placed on Parent at the given bounds.
template <class T>
T* Place(TComponent* Owner, TWinControl* Parent, int Left, int Top, int Width, int Height)
{
    auto* c = new T(Owner);
    c->SetParent(Parent);
    c->SetBounds(Left, Top, Width, Height);
    return c;
}

// A label with its text at (Left, Top), optionally bold, 0 width for its own size.
TLabel* PlaceLabel(TComponent* Owner, TWinControl* Parent, int Left, int Top, const QString& Caption,
    bool Bold = false, int Width = 0);

// The windows' font: "MS Sans Serif", height -11, optionally bold.
void UseWindowFont(TControl* Control, bool Bold = false);

// A fixed-size window of the given client size, centred on the screen.
void SetUpWindow(TForm* Form, const QString& Caption, int ClientWidth, int ClientHeight,
    TForm::TFormBorderStyle Border);

// Owner-drawn line-style item: white, a black frame around Rect and a line in
// pen style Style across its middle, from Left + 1 to Right - 1.
void DrawLineStyleItem(TCanvas* Canvas, const TRect& Rect, int Style);

// The "Schriftart" step: the target font goes into the dialog, which shows
// effects (and TrueType fonts only when asked); a confirmed choice is copied
// back into Target. True when the user confirmed.
bool ChooseFont(TFontDialog* Dialog, TFont* Target, bool TrueTypeOnly);

// Numbers of the axis edits: general format, 7 significant digits.
QString EditText(double Value);

// A glyph of the tool bars and demonstration windows (":/glyphs/<Name>.png");
// an unknown name leaves the button without one.
void LoadGlyph(TSpeedButton* Button, const QString& Name);
void LoadGlyph(TBitBtn* Button, const QString& Name, int NumGlyphs = 1);

} // namespace RecorderTools
} // namespace Tessaron
