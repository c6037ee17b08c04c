#pragma once
// The common dialogs (file open and save, font) and the message boxes.
//
// Each runs Qt's own dialog (not the desktop's native one), modal. For tests
// and the screenshot tour a static responder answers instead of the user; on
// the "offscreen" platform without a responder no dialog is shown at all
// (nobody could answer it): dialogs report Cancel, message boxes their
// default button.

#include <platform/Classes.h>
#include <platform/Graphics.h>

#include <QFlags>
#include <QStringList>

#include <functional>
#include <memory>

namespace Tessaron {

// ---------------------------------------------------------------- file dialogs

// The file-open dialog. Filter is the classic description/pattern pair list,
// "Schreiberdaten|*.ddt|Alle Dateien|*.*" (several patterns of one entry are
// separated by ";"); FilterIndex counts its entries from 1. A chosen name
// without an extension gets DefaultExt (given without the dot).
class TOpenDialog : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString DefaultExt READ DefaultExt WRITE SetDefaultExt)
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
    Q_PROPERTY(QString Filter READ Filter WRITE SetFilter)
    Q_PROPERTY(int FilterIndex READ FilterIndex WRITE SetFilterIndex)
    Q_PROPERTY(QString InitialDir READ InitialDir WRITE SetInitialDir)
    Q_PROPERTY(Tessaron::TOpenDialog::TOpenOptions Options READ Options WRITE SetOptions)
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_CLASSINFO("Default:FilterIndex", "1")
    Q_CLASSINFO("Default:Options", "[]")

public:
    enum TOpenOption : int {
        ofReadOnly = 0x0001,
        ofOverwritePrompt = 0x0002,
        ofHideReadOnly = 0x0004,
        ofNoChangeDir = 0x0008,
        ofShowHelp = 0x0010,
        ofNoValidate = 0x0020,
        ofAllowMultiSelect = 0x0040,
        ofExtensionDifferent = 0x0080,
        ofPathMustExist = 0x0100,
        ofFileMustExist = 0x0200,
        ofCreatePrompt = 0x0400,
        ofShareAware = 0x0800,
        ofNoReadOnlyReturn = 0x1000,
        ofNoTestFileCreate = 0x2000,
    };
    Q_DECLARE_FLAGS(TOpenOptions, TOpenOption)
    Q_FLAG(TOpenOptions)

    // Answers Execute() instead of the user: may set FileName (and Files)
    // and returns whether the dialog was confirmed.
    using TResponder = std::function<bool(TOpenDialog& Dialog)>;

    explicit TOpenDialog(TComponent* AOwner = nullptr);

    QString DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const QString& Value);
    QString FileName() const { return FFileName; }
    void SetFileName(const QString& Value) { FFileName = Value; }
    // All names chosen (several with ofAllowMultiSelect), after Execute().
    QStringList Files() const { return FFiles; }
    void SetFiles(const QStringList& Value) { FFiles = Value; }
    QString Filter() const { return FFilter; }
    void SetFilter(const QString& Value) { FFilter = Value; }
    // Default 1; values < 1 are ignored.
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int Value);
    QString InitialDir() const { return FInitialDir; }
    void SetInitialDir(const QString& Value) { FInitialDir = Value; }
    // ofFileMustExist: only existing files; ofAllowMultiSelect: several files.
    // After Execute() ofExtensionDifferent tells whether the chosen extension
    // differs from DefaultExt.
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions Value) { FOptions = Value; }
    // The window caption; empty gives "Öffnen" ("Speichern unter" for saving).
    QString Title() const { return FTitle; }
    void SetTitle(const QString& Value) { FTitle = Value; }

    // Shows the dialog; true when the user confirmed a file name.
    bool Execute();

    // The Qt name filters of a classic filter ("Text (*.txt *.log)"; "*.*" is "*").
    static QStringList QtFilters(const QString& Filter);
    // A name with DefaultExt added when it has no extension of its own.
    static QString WithDefaultExt(const QString& Name, const QString& DefaultExt);
    static void SetTestResponder(TResponder Responder);

protected:
    virtual bool IsSaveDialog() const { return false; }
    virtual QString DefaultTitle() const;

private:
    bool RunQtDialog();
    void Accepted();

    QString FDefaultExt;
    QString FFileName;
    QStringList FFiles;
    QString FFilter;
    int FFilterIndex = 1;
    QString FInitialDir;
    TOpenOptions FOptions;
    QString FTitle;
};

// The file-save dialog: the same, asking for a name to write
// (ofOverwritePrompt asks before an existing file is chosen).
class TSaveDialog : public TOpenDialog {
    Q_OBJECT
public:
    using TOpenDialog::TOpenDialog;

protected:
    bool IsSaveDialog() const override { return true; }
    QString DefaultTitle() const override;
};

// ---------------------------------------------------------------- font dialog

// The font dialog: shows Font and, when confirmed, copies the chosen font into
// it (a cancelled dialog leaves Font unchanged). The colour is kept.
class TFontDialog : public TComponent {
    Q_OBJECT
    Q_PROPERTY(Tessaron::TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(Tessaron::TFontDialog::TFontDialogOptions Options READ Options WRITE SetOptions)
    Q_PROPERTY(int MinFontSize READ MinFontSize WRITE SetMinFontSize)
    Q_PROPERTY(int MaxFontSize READ MaxFontSize WRITE SetMaxFontSize)
    Q_CLASSINFO("Default:Options", "[fdEffects]")
    Q_CLASSINFO("Default:MinFontSize", "0")
    Q_CLASSINFO("Default:MaxFontSize", "0")

public:
    enum TFontDialogOption : int {
        fdAnsiOnly = 0x0001,
        fdTrueTypeOnly = 0x0002,
        fdEffects = 0x0004,
        fdFixedPitchOnly = 0x0008,
        fdForceFontExist = 0x0010,
        fdNoFaceSel = 0x0020,
        fdNoOEMFonts = 0x0040,
        fdNoSimulations = 0x0080,
        fdNoSizeSel = 0x0100,
        fdNoStyleSel = 0x0200,
        fdNoVectorFonts = 0x0400,
        fdShowHelp = 0x0800,
        fdWysiwyg = 0x1000,
        fdLimitSize = 0x2000,
        fdScalableOnly = 0x4000,
        fdApplyButton = 0x8000,
    };
    Q_DECLARE_FLAGS(TFontDialogOptions, TFontDialogOption)
    Q_FLAG(TFontDialogOptions)

    // Answers Execute() instead of the user: edits Chosen (a copy of Font)
    // and returns whether the dialog was confirmed.
    using TResponder = std::function<bool(TFontDialog& Dialog, TFont& Chosen)>;

    explicit TFontDialog(TComponent* AOwner = nullptr);
    ~TFontDialog() override;

    TFont* Font() const { return FFont.get(); }
    // Copies the given font.
    void SetFont(TFont* Value);
    // Default [fdEffects]. fdTrueTypeOnly and fdScalableOnly offer scalable
    // fonts only, fdFixedPitchOnly fixed-pitch fonts only.
    TFontDialogOptions Options() const { return FOptions; }
    void SetOptions(TFontDialogOptions Value) { FOptions = Value; }
    // Size limits in points with fdLimitSize (0: none).
    int MinFontSize() const { return FMinFontSize; }
    void SetMinFontSize(int Value) { FMinFontSize = Value; }
    int MaxFontSize() const { return FMaxFontSize; }
    void SetMaxFontSize(int Value) { FMaxFontSize = Value; }

    bool Execute();
    static void SetTestResponder(TResponder Responder);

private:
    bool RunQtDialog(TFont& Chosen);

    std::unique_ptr<TFont> FFont;
    TFontDialogOptions FOptions = TFontDialogOptions(fdEffects);
    int FMinFontSize = 0;
    int FMaxFontSize = 0;
};

// ---------------------------------------------------------------- message boxes

enum TMsgDlgType : int { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn : int {
    mbYes = 0x001,
    mbNo = 0x002,
    mbOK = 0x004,
    mbCancel = 0x008,
    mbAbort = 0x010,
    mbRetry = 0x020,
    mbIgnore = 0x040,
    mbAll = 0x080,
    mbHelp = 0x100,
};
Q_DECLARE_FLAGS(TMsgDlgButtons, TMsgDlgBtn)

// Flags of MessageBox: one button set, one icon, one default button.
constexpr int MB_OK = 0x0000;
constexpr int MB_OKCANCEL = 0x0001;
constexpr int MB_ABORTRETRYIGNORE = 0x0002;
constexpr int MB_YESNOCANCEL = 0x0003;
constexpr int MB_YESNO = 0x0004;
constexpr int MB_RETRYCANCEL = 0x0005;
constexpr int MB_ICONHAND = 0x0010;
constexpr int MB_ICONERROR = MB_ICONHAND;
constexpr int MB_ICONSTOP = MB_ICONHAND;
constexpr int MB_ICONQUESTION = 0x0020;
constexpr int MB_ICONEXCLAMATION = 0x0030;
constexpr int MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr int MB_ICONASTERISK = 0x0040;
constexpr int MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr int MB_DEFBUTTON1 = 0x0000;
constexpr int MB_DEFBUTTON2 = 0x0100;
constexpr int MB_DEFBUTTON3 = 0x0200;
// The buttons MessageBox returns (the same numbers as the modal results).
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// What a message box asks.
struct TMessageRequest {
    QString Text;
    QString Caption;
    TMsgDlgType Type = mtCustom;
    TMsgDlgButtons Buttons;
    // The modal result of the default button (Enter), and of Escape (-1: the
    // box does not take Escape).
    int DefaultResult = 1;
    int CancelResult = 2;
};

// Answers message boxes instead of the user with a modal result (mrOk ...).
using TMessageResponder = std::function<int(const TMessageRequest& Request)>;
void SetMessageResponder(TMessageResponder Responder);

// A message box with the type's caption ("Warnung", "Fehler", "Information",
// "Bestätigen") and icon; returns the modal result of the pressed button.
int MessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
// A message with an OK button, captioned with the application's name.
void ShowMessage(const QString& Msg);
// The platform message box: Flags combine MB_OK ..., MB_ICON... and
// MB_DEFBUTTONn; returns IDOK ... IDNO.
int MessageBox(const QString& Text, const QString& Caption, int Flags = MB_OK);

} // namespace Tessaron

Q_DECLARE_OPERATORS_FOR_FLAGS(Tessaron::TOpenDialog::TOpenOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(Tessaron::TFontDialog::TFontDialogOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(Tessaron::TMsgDlgButtons)
