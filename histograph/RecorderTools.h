#pragma once
// Pieces the recorders' tool windows share: placing controls built in code,
// the dialog font, the owner-drawn line-style items, the font button step and
// the tool bar glyphs (pictures of our own making, under ":/glyphs/").

#include <platform/Controls.h>
#include <platform/Forms.h>

#include <QString>

#include <functional>
#include <initializer_list>

namespace Tessaron {

class TCanvas;
class TFontDialog;
class TLabel;
class TSpeedButton;
class TBitBtn;
class TPanel;
class TColorGridHisto;
class TTimer;

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

// One speed button of a tool bar: where it goes, its group (0: push button),
// hint and glyph name.
struct TToolButton {
    TSpeedButton** Field;
    int X;
    int Group;
    const char* Hint;
    const char* Glyph;
};

// The tool bar window: a stay-on-top tool window "Werkzeuge" in bold of the
// given client size with a panel showing hints; returns the panel.
TPanel* SetUpToolBar(TForm* Form, int ClientWidth);

// The buttons in a row at y = 3, 25 x 25, each clicking OnClick.
void PlaceToolButtons(TForm* Form, TPanel* Panel, std::initializer_list<TToolButton> Buttons,
    const std::function<void(TObject*)>& OnClick);

// The palette row at (8, 32): 16 colours in a line, 320 x 16, no markers, a
// cross as drag cursor; a press starts dragging the picked colour at once.
TColorGridHisto* PlacePalette(TForm* Form, TPanel* Panel, const QString& Hint);

// Keeps a tool bar in step with its recorder: Sync(true) every second and
// Sync(false) when the window is activated; Hide() when it is closed (the
// recorder's "show tool bar" goes off). Returns the running timer.
TTimer* FollowRecorder(TForm* Form, std::function<void(bool Timer)> Sync, std::function<void()> Hide);

} // namespace RecorderTools
} // namespace Tessaron
