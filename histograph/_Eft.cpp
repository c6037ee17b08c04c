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

void TFormTitle::SetHisto(THistograph* Histo)
{
    SetRecorder(Histo);
}

namespace {

const char* const kTitles[] = {"TitleBottom", "TitleTop", "TitleLeft", "TitleRight"};
const char* const kFonts[] = {
    "FontTitleBottom", "FontTitleTop", "FontTitleLeft", "FontTitleRight", "FontXAxis", "FontYAxis"};

TFont* FontProperty(const TComponent* Recorder, const char* Name)
{
    return Recorder->property(Name).value<TFont*>();
}

} // namespace

void TFormTitle::FormShow()
{
    if (!FRecorder)
        return;
    TEdit* edits[] = {EBottom, ETop, ELeft, ERight};
    for (std::size_t i = 0; i < FSavedTitles.size(); ++i)
        FSavedTitles[i] = FRecorder->property(kTitles[i]).toString();
    // Filling an edit applies its text at once: save all titles first.
    for (std::size_t i = 0; i < FSavedTitles.size(); ++i)
        edits[i]->SetText(FSavedTitles[i]);
    for (std::size_t i = 0; i < FSavedFonts.size(); ++i) {
        FSavedFonts[i] = std::make_unique<TFont>();
        FSavedFonts[i]->Assign(FontProperty(FRecorder, kFonts[i]));
    }
}

void TFormTitle::FormClose()
{
    if (!FRecorder || ModalResult() != mrCancel || !FSavedFonts[0])
        return;
    for (std::size_t i = 0; i < FSavedTitles.size(); ++i)
        FRecorder->setProperty(kTitles[i], FSavedTitles[i]);
    // The recorders' font setters copy the attributes; so does Assign.
    for (std::size_t i = 0; i < FSavedFonts.size(); ++i)
        FontProperty(FRecorder, kFonts[i])->Assign(FSavedFonts[i].get());
}

void TFormTitle::EditChange(TObject* Sender)
{
    if (!FRecorder)
        return;
    const TEdit* edits[] = {EBottom, ETop, ELeft, ERight};
    for (std::size_t i = 0; i < 4; ++i)
        if (Sender == edits[i])
            FRecorder->setProperty(kTitles[i], static_cast<TEdit*>(Sender)->Text());
}

TFont* TFormTitle::FontOf(TObject* Button) const
{
    const TObject* buttons[] = {ButtonBottom, ButtonTop, ButtonLeft, ButtonRight, ButtonXAxis, ButtonYAxis};
    for (std::size_t i = 0; i < 6; ++i)
        if (Button == buttons[i])
            return FontProperty(FRecorder, kFonts[i]);
    return nullptr;
}

void TFormTitle::FontClick(TObject* Sender)
{
    TFont* font = FRecorder ? FontOf(Sender) : nullptr;
    if (font)
        ChooseFont(FontDialog1, font, static_cast<TComponent*>(Sender)->Tag() == 1);
}

} // namespace Tessaron
