#include "histograph/RecorderTools.h"

#include "histograph/Colorhis.h"

#include <platform/Buttons.h>
#include <platform/ExtCtrls.h>
#include <platform/ExtPanels.h>
#include <platform/Dialogs.h>
#include <platform/StdCtrls.h>
#include <platform/SysUtils.h>

#include <QFile>

namespace Tessaron::RecorderTools {

TLabel* PlaceLabel(TComponent* Owner, TWinControl* Parent, int Left, int Top, const QString& Caption, bool Bold,
    int Width)
{
    auto* label = new TLabel(Owner);
    label->SetParent(Parent);
    label->SetCaption(Caption);
    if (Bold)
        UseWindowFont(label, true);
    if (Width > 0) {
        label->SetAutoSize(false);
        label->SetBounds(Left, Top, Width, 13);
    } else {
        label->SetLeft(Left);
        label->SetTop(Top);
    }
    return label;
}

void UseWindowFont(TControl* Control, bool Bold)
{
    TFont font;
    font.SetName(QStringLiteral("MS Sans Serif"));
    font.SetHeight(-11);
    font.SetColor(clWindowText);
    font.SetStyle(Bold ? TFontStyles(fsBold) : TFontStyles());
    Control->SetFont(&font);
}

void SetUpWindow(TForm* Form, const QString& Caption, int ClientWidth, int ClientHeight,
    TForm::TFormBorderStyle Border)
{
    Form->SetBorderStyle(Border);
    Form->SetBorderIcons(TForm::TBorderIcons(TForm::biSystemMenu));
    Form->SetPosition(TForm::poScreenCenter);
    Form->SetCaption(Caption);
    UseWindowFont(Form);
    Form->SetClientWidth(ClientWidth);
    Form->SetClientHeight(ClientHeight);
}

void DrawLineStyleItem(TCanvas* Canvas, const TRect& Rect, int Style)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clWhite);
    Canvas->Pen()->SetMode(pmCopy);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Rectangle(Rect);
    Canvas->Pen()->SetStyle(TPenStyle(std::clamp(Style, int(psSolid), int(psInsideFrame))));
    const int y = (Rect.Top + Rect.Bottom) / 2;
    Canvas->MoveTo(Rect.Left + 1, y);
    Canvas->LineTo(Rect.Right - 1, y);
    Canvas->Pen()->SetStyle(psSolid);
}

bool ChooseFont(TFontDialog* Dialog, TFont* Target, bool TrueTypeOnly)
{
    Dialog->Font()->Assign(Target);
    TFontDialog::TFontDialogOptions options(TFontDialog::fdEffects);
    if (TrueTypeOnly)
        options |= TFontDialog::fdTrueTypeOnly;
    Dialog->SetOptions(options);
    if (!Dialog->Execute())
        return false;
    Target->Assign(Dialog->Font());
    return true;
}

QString EditText(double Value)
{
    return FloatToStrF(Value, ffGeneral, 7, 0);
}

namespace {

bool ReadGlyph(TBitmap* Glyph, const QString& Name)
{
    QFile file(QStringLiteral(":/glyphs/") + Name + QStringLiteral(".png"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return Glyph->LoadFromData(file.readAll());
}

} // namespace

void LoadGlyph(TSpeedButton* Button, const QString& Name)
{
    TBitmap glyph;
    if (ReadGlyph(&glyph, Name))
        Button->SetGlyph(&glyph);
}

void LoadGlyph(TBitBtn* Button, const QString& Name, int NumGlyphs)
{
    TBitmap glyph;
    if (ReadGlyph(&glyph, Name)) {
        Button->SetGlyph(&glyph);
        Button->SetNumGlyphs(NumGlyphs);
    }
}

TPanel* SetUpToolBar(TForm* Form, int ClientWidth)
{
    SetUpWindow(Form, QStringLiteral("Werkzeuge"), ClientWidth, 54, TForm::bsToolWindow);
    UseWindowFont(Form, true);
    Form->SetFormStyle(TForm::fsStayOnTop);
    auto* panel = Place<TPanel>(Form, Form, 0, 0, ClientWidth, 54);
    panel->SetAlign(alClient);
    panel->SetShowHint(true);
    return panel;
}

void PlaceToolButtons(TForm* Form, TPanel* Panel, std::initializer_list<TToolButton> Buttons,
    const std::function<void(TObject*)>& OnClick)
{
    for (const TToolButton& b : Buttons) {
        auto* button = Place<TSpeedButton>(Form, Panel, b.X, 3, 25, 25);
        button->SetGroupIndex(b.Group);
        button->SetHint(QString::fromUtf8(b.Hint));
        LoadGlyph(button, QString::fromLatin1(b.Glyph));
        button->OnClick = OnClick;
        *b.Field = button;
    }
}

TColorGridHisto* PlacePalette(TForm* Form, TPanel* Panel, const QString& Hint)
{
    auto* grid = Place<TColorGridHisto>(Form, Panel, 8, 32, 320, 16);
    grid->SetGridOrdering(TColorGridHisto::go16x1);
    grid->SetBounds(8, 32, 320, 16);
    grid->SetForegroundEnabled(false);
    grid->SetBackgroundEnabled(false);
    grid->SetHint(Hint);
    grid->SetDragCursor(crCross);
    grid->OnMouseDown = [grid](TObject*, TMouseButton, TShiftState, int, int) { grid->BeginDrag(true); };
    return grid;
}

TTimer* FollowRecorder(TForm* Form, std::function<void(bool Timer)> Sync, std::function<void()> Hide)
{
    auto* timer = new TTimer(Form);
    timer->SetInterval(1000);
    timer->OnTimer = [Sync](TObject*) { Sync(true); };
    timer->SetEnabled(true);
    Form->OnActivate = [Sync](TObject*) { Sync(false); };
    Form->OnClose = [Hide](TObject*, TForm::TCloseAction&) { Hide(); };
    return timer;
}

} // namespace Tessaron::RecorderTools
