#include "histograph/_Eft.h"
#include "histograph/Histo.h"
#include "histograph/RecorderTools.h"

#include <platform/Buttons.h>

namespace Tessaron {

using namespace RecorderTools;

TFormTitle::TFormTitle(TComponent* AOwner) : TForm(AOwner)
{
    SetUpWindow(this, QStringLiteral("Beschriftung"), 329, 215, bsDialog);
    auto* box = Place<TGroupBox>(this, this, 8, 4, 313, 173);
    box->SetCaption(QStringLiteral("Beschriftung"));
    struct Row {
        const char* Caption;
        TEdit** Edit;
        TButton** Button;
    };
    const Row rows[] = {{"unten:", &EBottom, &ButtonBottom}, {"oben:", &ETop, &ButtonTop},
        {"links:", &ELeft, &ButtonLeft}, {"rechts:", &ERight, &ButtonRight}, {"X-Achse:", nullptr, &ButtonXAxis},
        {"Y-Achse:", nullptr, &ButtonYAxis}};
    int y = 18;
    for (const Row& r : rows) {
        PlaceLabel(this, box, 8, y + 4, QString::fromUtf8(r.Caption));
        if (r.Edit) {
            *r.Edit = Place<TEdit>(this, box, 64, y, 185, 21);
            (*r.Edit)->OnChange = [this](TObject* Sender) { EditChange(Sender); };
        }
        *r.Button = Place<TButton>(this, box, 254, y, 51, 21);
        (*r.Button)->SetCaption(QStringLiteral("Schriftart"));
        (*r.Button)->OnClick = [this](TObject* Sender) { FontClick(Sender); };
        y += 25;
    }
    // The rotated titles need TrueType fonts.
    ButtonLeft->SetTag(1);
    ButtonRight->SetTag(1);
    BitBtnOK = Place<TBitBtn>(this, this, 160, 184, 75, 25);
    BitBtnOK->SetKind(TBitBtn::bkOK);
    BitBtnCancel = Place<TBitBtn>(this, this, 246, 184, 75, 25);
    BitBtnCancel->SetKind(TBitBtn::bkCancel);
    FontDialog1 = new TFontDialog(this);
    OnShow = [this](TObject*) { FormShow(); };
    OnClose = [this](TObject*, TCloseAction&) { FormClose(); };
}

TFormTitle::~TFormTitle() = default;

void TFormTitle::FormShow()
{
    if (!FHisto)
        return;
    FSavedTitles = {FHisto->TitleBottom(), FHisto->TitleTop(), FHisto->TitleLeft(), FHisto->TitleRight()};
    EBottom->SetText(FSavedTitles[0]);
    ETop->SetText(FSavedTitles[1]);
    ELeft->SetText(FSavedTitles[2]);
    ERight->SetText(FSavedTitles[3]);
    const TFont* fonts[] = {FHisto->FontTitleBottom(), FHisto->FontTitleTop(), FHisto->FontTitleLeft(),
        FHisto->FontTitleRight(), FHisto->FontXAxis(), FHisto->FontYAxis()};
    for (std::size_t i = 0; i < FSavedFonts.size(); ++i) {
        FSavedFonts[i] = std::make_unique<TFont>();
        FSavedFonts[i]->Assign(fonts[i]);
    }
}

void TFormTitle::FormClose()
{
    if (!FHisto || ModalResult() != mrCancel || !FSavedFonts[0])
        return;
    FHisto->SetTitleBottom(FSavedTitles[0]);
    FHisto->SetTitleTop(FSavedTitles[1]);
    FHisto->SetTitleLeft(FSavedTitles[2]);
    FHisto->SetTitleRight(FSavedTitles[3]);
    FHisto->SetFontTitleBottom(FSavedFonts[0].get());
    FHisto->SetFontTitleTop(FSavedFonts[1].get());
    FHisto->SetFontTitleLeft(FSavedFonts[2].get());
    FHisto->SetFontTitleRight(FSavedFonts[3].get());
    FHisto->SetFontXAxis(FSavedFonts[4].get());
    FHisto->SetFontYAxis(FSavedFonts[5].get());
}

void TFormTitle::EditChange(TObject* Sender)
{
    if (!FHisto)
        return;
    const QString text = static_cast<TEdit*>(Sender)->Text();
    if (Sender == EBottom)
        FHisto->SetTitleBottom(text);
    else if (Sender == ETop)
        FHisto->SetTitleTop(text);
    else if (Sender == ELeft)
        FHisto->SetTitleLeft(text);
    else if (Sender == ERight)
        FHisto->SetTitleRight(text);
}

TFont* TFormTitle::FontOf(TObject* Button) const
{
    if (Button == ButtonBottom)
        return FHisto->FontTitleBottom();
    if (Button == ButtonTop)
        return FHisto->FontTitleTop();
    if (Button == ButtonLeft)
        return FHisto->FontTitleLeft();
    if (Button == ButtonRight)
        return FHisto->FontTitleRight();
    if (Button == ButtonXAxis)
        return FHisto->FontXAxis();
    return FHisto->FontYAxis();
}

void TFormTitle::FontClick(TObject* Sender)
{
    if (FHisto)
        ChooseFont(FontDialog1, FontOf(Sender), static_cast<TComponent*>(Sender)->Tag() == 1);
}

} // namespace Tessaron
