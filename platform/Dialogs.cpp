#include "platform/Dialogs.h"

#include "platform/Forms.h" // modal results
#include "platform/Streaming.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGuiApplication>
#include <QHash>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace Tessaron {

namespace {

[[maybe_unused]] const bool kRegistered = [] {
    RegisterClass<TOpenDialog>();
    RegisterClass<TSaveDialog>();
    RegisterClass<TFontDialog>();
    return true;
}();

TOpenDialog::TResponder& FileResponder()
{
    static TOpenDialog::TResponder responder;
    return responder;
}

TFontDialog::TResponder& FontResponder()
{
    static TFontDialog::TResponder responder;
    return responder;
}

TMessageResponder& MessageResponder()
{
    static TMessageResponder responder;
    return responder;
}

// Nobody can answer a modal dialog on the offscreen platform.
bool Headless()
{
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

} // namespace

// ---------------------------------------------------------------- TOpenDialog

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

void TOpenDialog::SetDefaultExt(const QString& Value)
{
    FDefaultExt = Value.startsWith(QLatin1Char('.')) ? Value.mid(1) : Value;
}

void TOpenDialog::SetFilterIndex(int Value)
{
    if (Value >= 1)
        FFilterIndex = Value;
}

QString TOpenDialog::DefaultTitle() const
{
    return QStringLiteral("Öffnen");
}

QString TSaveDialog::DefaultTitle() const
{
    return QStringLiteral("Speichern unter");
}

void TOpenDialog::SetTestResponder(TResponder Responder)
{
    FileResponder() = std::move(Responder);
}

QStringList TOpenDialog::QtFilters(const QString& Filter)
{
    QStringList result;
    const QStringList parts = Filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (QString p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            p = p.trimmed();
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
            if (!p.isEmpty())
                patterns << p;
        }
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        result << QStringLiteral("%1 (%2)").arg(parts[i].trimmed(), patterns.join(QLatin1Char(' ')));
    }
    return result;
}

QString TOpenDialog::WithDefaultExt(const QString& Name, const QString& DefaultExt)
{
    if (Name.isEmpty() || DefaultExt.isEmpty() || Name.endsWith(QLatin1Char('.')))
        return Name;
    const QFileInfo info(Name);
    if (!info.suffix().isEmpty() && !info.completeBaseName().isEmpty())
        return Name;
    return Name + QLatin1Char('.') + DefaultExt;
}

bool TOpenDialog::Execute()
{
    bool confirmed;
    if (FileResponder()) {
        FFiles.clear();
        confirmed = FileResponder()(*this);
    } else if (Headless()) {
        qWarning("Tessaron: file dialog \"%s\" on the offscreen platform: cancelled", qPrintable(FTitle));
        return false;
    } else {
        confirmed = RunQtDialog();
    }
    if (!confirmed)
        return false;
    Accepted();
    return true;
}

void TOpenDialog::Accepted()
{
    if (FFiles.isEmpty())
        FFiles << FFileName;
    for (QString& name : FFiles)
        name = WithDefaultExt(name, FDefaultExt);
    FFileName = WithDefaultExt(FFileName, FDefaultExt);
    const bool different = !FDefaultExt.isEmpty()
        && QFileInfo(FFileName).suffix().compare(FDefaultExt, Qt::CaseInsensitive) != 0;
    FOptions.setFlag(ofExtensionDifferent, different);
}

bool TOpenDialog::RunQtDialog()
{
    QFileDialog dialog(QApplication::activeWindow(), FTitle.isEmpty() ? DefaultTitle() : FTitle);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (IsSaveDialog()) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !FOptions.testFlag(ofOverwritePrompt));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        if (FOptions.testFlag(ofAllowMultiSelect))
            dialog.setFileMode(QFileDialog::ExistingFiles);
        else if (FOptions.testFlag(ofFileMustExist))
            dialog.setFileMode(QFileDialog::ExistingFile);
        else
            dialog.setFileMode(QFileDialog::AnyFile);
    }
    const QStringList filters = QtFilters(FFilter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.at(std::min<qsizetype>(FFilterIndex, filters.size()) - 1));
    }
    QString dir = FInitialDir;
    const QFileInfo current(FFileName);
    if (dir.isEmpty() && !FFileName.isEmpty() && current.path() != QLatin1String("."))
        dir = current.path();
    dialog.setDirectory(dir.isEmpty() ? QDir::currentPath() : dir);
    if (!FFileName.isEmpty())
        dialog.selectFile(current.fileName());
    if (!FDefaultExt.isEmpty())
        dialog.setDefaultSuffix(FDefaultExt);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return false;
    FFiles = files;
    FFileName = files.first();
    const qsizetype index = filters.indexOf(dialog.selectedNameFilter());
    if (index >= 0)
        FFilterIndex = int(index) + 1;
    return true;
}

// ---------------------------------------------------------------- TFontDialog

TFontDialog::TFontDialog(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

void TFontDialog::SetFont(TFont* Value)
{
    if (Value && Value != FFont.get())
        FFont->Assign(Value);
}

void TFontDialog::SetTestResponder(TResponder Responder)
{
    FontResponder() = std::move(Responder);
}

bool TFontDialog::Execute()
{
    TFont chosen;
    chosen.Assign(FFont.get());
    bool confirmed;
    if (FontResponder()) {
        confirmed = FontResponder()(*this, chosen);
    } else if (Headless()) {
        qWarning("Tessaron: font dialog on the offscreen platform: cancelled");
        return false;
    } else {
        confirmed = RunQtDialog(chosen);
    }
    if (!confirmed)
        return false;
    FFont->Assign(&chosen);
    return true;
}

bool TFontDialog::RunQtDialog(TFont& Chosen)
{
    QFont initial(SubstituteFontName(Chosen.Name()));
    if (Chosen.Size() > 0)
        initial.setPointSize(Chosen.Size());
    initial.setBold(Chosen.Style().testFlag(fsBold));
    initial.setItalic(Chosen.Style().testFlag(fsItalic));
    initial.setUnderline(Chosen.Style().testFlag(fsUnderline));
    initial.setStrikeOut(Chosen.Style().testFlag(fsStrikeOut));
    QFontDialog::FontDialogOptions options = QFontDialog::DontUseNativeDialog;
    if (FOptions & (fdTrueTypeOnly | fdScalableOnly))
        options |= QFontDialog::ScalableFonts;
    if (FOptions & fdFixedPitchOnly)
        options |= QFontDialog::MonospacedFonts;
    QFontDialog dialog(initial, QApplication::activeWindow());
    dialog.setOptions(options);
    dialog.setWindowTitle(QStringLiteral("Schriftart"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QFont f = dialog.selectedFont();
    // The substitute of the old name stands for the old name itself.
    if (f.family() != SubstituteFontName(Chosen.Name()))
        Chosen.SetName(f.family());
    int size = f.pointSize();
    if (FOptions.testFlag(fdLimitSize)) {
        if (FMinFontSize > 0)
            size = std::max(size, FMinFontSize);
        if (FMaxFontSize > 0)
            size = std::min(size, FMaxFontSize);
    }
    if (size > 0)
        Chosen.SetSize(size);
    Chosen.SetStyle(FontStylesOf(f));
    return true;
}

// ---------------------------------------------------------------- message boxes

namespace {

struct TButtonInfo {
    TMsgDlgBtn Button;
    const char* Caption;
    int Result;
};

// In the order the buttons stand in the box.
const TButtonInfo kButtons[] = {
    {mbYes, "&Ja", mrYes},
    {mbNo, "&Nein", mrNo},
    {mbOK, "OK", mrOk},
    {mbCancel, "Abbrechen", mrCancel},
    {mbAbort, "&Abbrechen", mrAbort},
    {mbRetry, "&Wiederholen", mrRetry},
    {mbIgnore, "&Ignorieren", mrIgnore},
    {mbAll, "&Alle", mrAll},
    {mbHelp, "&Hilfe", mrNone},
};

QString TypeCaption(TMsgDlgType Type)
{
    switch (Type) {
    case mtWarning: return QStringLiteral("Warnung");
    case mtError: return QStringLiteral("Fehler");
    case mtInformation: return QStringLiteral("Information");
    case mtConfirmation: return QStringLiteral("Bestätigen");
    default: return QGuiApplication::applicationDisplayName();
    }
}

int RunMessage(const TMessageRequest& Request)
{
    if (MessageResponder())
        return MessageResponder()(Request);
    if (Headless()) {
        qWarning("Tessaron: message box on the offscreen platform, answered with its default button: %s",
            qPrintable(Request.Text));
        return Request.DefaultResult;
    }
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(Request.Caption);
    box.setText(Request.Text);
    switch (Request.Type) {
    case mtWarning: box.setIcon(QMessageBox::Warning); break;
    case mtError: box.setIcon(QMessageBox::Critical); break;
    case mtInformation: box.setIcon(QMessageBox::Information); break;
    case mtConfirmation: box.setIcon(QMessageBox::Question); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    QHash<QAbstractButton*, int> results;
    for (const TButtonInfo& info : kButtons) {
        if (!Request.Buttons.testFlag(info.Button))
            continue;
        QPushButton* b = box.addButton(QString::fromUtf8(info.Caption), QMessageBox::ActionRole);
        results.insert(b, info.Result);
        if (info.Result == Request.DefaultResult)
            box.setDefaultButton(b);
        if (info.Result == Request.CancelResult)
            box.setEscapeButton(b);
    }
    box.exec();
    return results.value(box.clickedButton(), Request.CancelResult >= 0 ? Request.CancelResult : Request.DefaultResult);
}

} // namespace

void SetMessageResponder(TMessageResponder Responder)
{
    MessageResponder() = std::move(Responder);
}

int MessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int)
{
    if (!Buttons)
        Buttons = mbOK;
    TMessageRequest request;
    request.Text = Msg;
    request.Caption = TypeCaption(DlgType);
    request.Type = DlgType;
    request.Buttons = Buttons;
    request.DefaultResult = Buttons.testFlag(mbOK) ? mrOk : Buttons.testFlag(mbYes) ? mrYes : mrRetry;
    if (!Buttons.testFlag(mbOK) && !Buttons.testFlag(mbYes) && !Buttons.testFlag(mbRetry))
        for (const TButtonInfo& info : kButtons)
            if (Buttons.testFlag(info.Button)) {
                request.DefaultResult = info.Result;
                break;
            }
    request.CancelResult = Buttons.testFlag(mbCancel) ? mrCancel : Buttons.testFlag(mbNo) ? mrNo : mrOk;
    return RunMessage(request);
}

void ShowMessage(const QString& Msg)
{
    TMessageRequest request;
    request.Text = Msg;
    request.Caption = QGuiApplication::applicationDisplayName();
    request.Type = mtCustom;
    request.Buttons = mbOK;
    request.DefaultResult = mrOk;
    request.CancelResult = mrOk;
    RunMessage(request);
}

int MessageBox(const QString& Text, const QString& Caption, int Flags)
{
    std::vector<TMsgDlgBtn> order;
    switch (Flags & 0x0F) {
    case MB_OKCANCEL: order = {mbOK, mbCancel}; break;
    case MB_ABORTRETRYIGNORE: order = {mbAbort, mbRetry, mbIgnore}; break;
    case MB_YESNOCANCEL: order = {mbYes, mbNo, mbCancel}; break;
    case MB_YESNO: order = {mbYes, mbNo}; break;
    case MB_RETRYCANCEL: order = {mbRetry, mbCancel}; break;
    default: order = {mbOK}; break;
    }
    auto resultOf = [](TMsgDlgBtn Button) {
        for (const TButtonInfo& info : kButtons)
            if (info.Button == Button)
                return info.Result;
        return int(mrNone);
    };
    TMessageRequest request;
    request.Text = Text;
    request.Caption = Caption;
    switch (Flags & 0xF0) {
    case MB_ICONHAND: request.Type = mtError; break;
    case MB_ICONQUESTION: request.Type = mtConfirmation; break;
    case MB_ICONEXCLAMATION: request.Type = mtWarning; break;
    case MB_ICONASTERISK: request.Type = mtInformation; break;
    default: request.Type = mtCustom; break;
    }
    for (TMsgDlgBtn b : order)
        request.Buttons |= b;
    const size_t def = size_t((Flags >> 8) & 0x0F);
    request.DefaultResult = resultOf(order[def < order.size() ? def : 0]);
    // Escape answers Cancel; a box with one button answers with it; Yes/No and
    // Abort/Retry/Ignore boxes do not take Escape.
    if (request.Buttons.testFlag(mbCancel))
        request.CancelResult = mrCancel;
    else if (order.size() == 1)
        request.CancelResult = resultOf(order.front());
    else
        request.CancelResult = -1;
    return RunMessage(request);
}

} // namespace Tessaron
