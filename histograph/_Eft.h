#pragma once
// TFormTitle: the recorders' "Beschriftung" dialog. The four titles change
// live while they are typed, the six fonts through the font dialog; Cancel
// restores the titles and fonts the dialog was opened with. It reaches the
// recorder through the title and font properties both recorders publish
// (TitleBottom ... FontYAxis), so the strip chart's twin only binds it.

#include <platform/Dialogs.h>
#include <platform/Forms.h>
#include <platform/StdCtrls.h>

#include <array>
#include <memory>

namespace Tessaron {

class THistograph;
class TBitBtn;

class TFormTitle : public TForm {
    Q_OBJECT
public:
    explicit TFormTitle(TComponent* AOwner = nullptr);
    ~TFormTitle() override;

    void SetHisto(THistograph* Histo);

    TEdit* EBottom = nullptr;
    TEdit* ETop = nullptr;
    TEdit* ELeft = nullptr;
    TEdit* ERight = nullptr;
    TButton* ButtonBottom = nullptr;
    TButton* ButtonTop = nullptr;
    TButton* ButtonLeft = nullptr;
    TButton* ButtonRight = nullptr;
    TButton* ButtonXAxis = nullptr;
    TButton* ButtonYAxis = nullptr;
    TBitBtn* BitBtnOK = nullptr;
    TBitBtn* BitBtnCancel = nullptr;
    TFontDialog* FontDialog1 = nullptr;

private:
    void FormShow();
    void FormClose();
    void EditChange(TObject* Sender);
    void FontClick(TObject* Sender);
    // The recorder's font behind a "Schriftart" button.
    TFont* FontOf(TObject* Button) const;

protected:
    // Any component with the recorders' title and font properties.
    void SetRecorder(TComponent* Recorder) { FRecorder = Recorder; }

private:
    TComponent* FRecorder = nullptr;
    std::array<QString, 4> FSavedTitles;
    std::array<std::unique_ptr<TFont>, 6> FSavedFonts;
};

} // namespace Tessaron
