#include "platform/Forms.h"
#include "platform/Streaming.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace Tessaron {

namespace {
const bool kRegistered = [] {
    RegisterEventType<TForm::TCloseEvent>();
    RegisterClass<TForm>();
    RegisterClass<TMainMenu>();
    RegisterClass<TPopupMenu>();
    RegisterClass<TMenuItem>();
    return true;
}();
} // namespace

// ---------------------------------------------------------------- the window

// The top-level widget of a form: a menu bar above the client area. Closing
// it goes through the form's Close(), so the window is hidden, not destroyed.
class TFormWindow : public QWidget {
public:
    explicit TFormWindow(TForm* Form) : FForm(Form)
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        FClient = new QWidget(this);
        FClient->setAutoFillBackground(true);
        layout->addWidget(FClient, 1);
    }
    QWidget* Client() const { return FClient; }
    void SetMenuBar(QMenuBar* Bar)
    {
        auto* layout = static_cast<QVBoxLayout*>(this->layout());
        layout->insertWidget(0, Bar, 0);
    }

protected:
    void closeEvent(QCloseEvent* Event) override
    {
        Event->ignore();
        FForm->Close();
    }
    void changeEvent(QEvent* Event) override
    {
        if (Event->type() == QEvent::WindowStateChange)
            FForm->WindowStateChanged(windowState());
        if (Event->type() == QEvent::ActivationChange) {
            if (isActiveWindow())
                CallEvent(FForm->OnActivate, FForm);
            else
                CallEvent(FForm->OnDeactivate, FForm);
        }
        QWidget::changeEvent(Event);
    }

private:
    TForm* FForm;
    QWidget* FClient;
};

// ---------------------------------------------------------------- TForm

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner)
{
    SetParentFont(false);
    SetVisibleFlagOnly(false);
    SetBounds(0, 0, 320, 240);
}

TForm::~TForm()
{
    CallEvent(OnDestroy, this);
    if (FModalLoop)
        FModalLoop->quit();
    DestroyComponents();
}

QWidget* TForm::CreateWidget()
{
    auto* w = new TFormWindow(this);
    FClient = w->Client();
    FClient->installEventFilter(this);
    return w;
}

void TForm::InitWidget(QWidget* W)
{
    TWinControl::InitWidget(W);
    QPalette pal = FClient->palette();
    pal.setColor(QPalette::Window, ColorToQColor(Color()));
    FClient->setPalette(pal);
    W->setWindowTitle(FCaption);
    if (FMenu)
        MenuChanged();
    ApplyWindowFlags();
}

QWidget* TForm::ClientWidget() const
{
    Widget();
    return FClient;
}

int TForm::FrameWidth() const
{
    switch (FBorderStyle) {
    case bsNone: return 0;
    case bsSizeable:
    case bsSizeToolWin: return 4;
    default: return 3;
    }
}

int TForm::CaptionHeight() const
{
    switch (FBorderStyle) {
    case bsNone: return 0;
    case bsToolWindow:
    case bsSizeToolWin: return 15;
    default: return 19;
    }
}

int TForm::MenuHeight() const
{
    return FMenu ? 19 : 0;
}

int TForm::ClientWidth() const
{
    return std::max(0, Width() - 2 * FrameWidth());
}

int TForm::ClientHeight() const
{
    return std::max(0, Height() - 2 * FrameWidth() - CaptionHeight() - MenuHeight());
}

// A window smaller than its frame has an empty client area; given that same
// client size again it keeps its size, so that what is written reads back.
void TForm::SetClientWidth(int Value)
{
    if (Value != ClientWidth())
        SetWidth(int(std::clamp<qint64>(qint64(Value) + 2 * FrameWidth(), 0, MaxControlExtent)));
    FClientSized = true;
}

void TForm::SetClientHeight(int Value)
{
    if (Value != ClientHeight())
        SetHeight(int(std::clamp<qint64>(qint64(Value) + 2 * FrameWidth() + CaptionHeight() + MenuHeight(), 0,
            MaxControlExtent)));
    FClientSized = true;
}

void TForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    // Bounds set by the description or the program are the normal bounds,
    // also while the window is maximised.
    FNormalBounds = Bounds(ALeft, ATop, AWidth, AHeight);
    FClientSized = false;
    if (FWindowState == wsNormal || !FShowing)
        TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TForm::ApplyGeometry()
{
    QWidget* w = WidgetIfCreated();
    if (!w || FInResize)
        return;
    FInResize = true;
    const int menu = FMenuBar ? FMenuBar->sizeHint().height() : 0;
    // A maximised window gets its normal geometry as well: the window system
    // restores to it, and without one that maximises the window keeps it.
    if (!w->isMaximized() && !w->isMinimized()) {
        w->move(Left(), Top());
        if (FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin) {
            w->setMinimumSize(0, 0);
            w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            w->resize(ClientWidth(), ClientHeight() + menu);
        } else {
            w->setFixedSize(ClientWidth(), ClientHeight() + menu);
        }
    }
    FInResize = false;
}

void TForm::ClientResized(int W, int H)
{
    if (FInResize)
        return;
    // The window manager or the user sized the window: take its client size,
    // and keep it as the normal size when the window is not maximised.
    FInResize = true;
    TWinControl::SetBounds(Left(), Top(), W + 2 * FrameWidth(), H + 2 * FrameWidth() + CaptionHeight() + MenuHeight());
    if (FWindowState == wsNormal)
        FNormalBounds = BoundsRect();
    FInResize = false;
    CallEvent(OnResize, this);
}

bool TForm::FilterEvent(QObject* Watched, QEvent* Event)
{
    if (Watched == FClient && Event->type() == QEvent::Resize) {
        const QSize size = FClient->size();
        if (size.width() != ClientWidth() || size.height() != ClientHeight())
            ClientResized(size.width(), size.height());
        return false;
    }
    return TWinControl::FilterEvent(Watched, Event);
}

void TForm::SetCaption(const QString& Text)
{
    const QString Value = WindowText(Text);
    if (FCaption == Value)
        return;
    FCaption = Value;
    if (QWidget* w = WidgetIfCreated())
        w->setWindowTitle(Value);
}

void TForm::SetBorderStyle(TFormBorderStyle Value)
{
    if (!IsEnumValue(Value) || FBorderStyle == Value)
        return;
    // Keep the client size when the frame changes; while loading, the size
    // read (written with the final frame) stays as it is, whatever order
    // the description gives.
    const int cw = ClientWidth(), ch = ClientHeight();
    FBorderStyle = Value;
    if (!IsLoading()) {
        SetClientWidth(cw);
        SetClientHeight(ch);
    }
    ApplyWindowFlags();
}

void TForm::SetBorderIcons(TBorderIcons Value)
{
    FBorderIcons = Value;
    ApplyWindowFlags();
}

void TForm::SetFormStyle(TFormStyle Value)
{
    FFormStyle = Value;
    ApplyWindowFlags();
}

void TForm::SetWindowState(TWindowState Value)
{
    if (FWindowState == Value)
        return;
    FWindowState = Value;
    if (QWidget* w = WidgetIfCreated(); w && FShowing) {
        if (Value == wsMaximized)
            w->showMaximized();
        else if (Value == wsMinimized)
            w->showMinimized();
        else
            w->showNormal();
    }
    if (Value == wsNormal)
        RestoreNormalBounds();
}

void TForm::WindowStateChanged(Qt::WindowStates States)
{
    const TWindowState state = States.testFlag(Qt::WindowMinimized) ? wsMinimized
        : States.testFlag(Qt::WindowMaximized)                     ? wsMaximized
                                                                    : wsNormal;
    if (state == FWindowState)
        return;
    FWindowState = state;
    if (state == wsNormal)
        RestoreNormalBounds();
}

void TForm::RestoreNormalBounds()
{
    const TRect r = FNormalBounds;
    TWinControl::SetBounds(r.Left, r.Top, r.Width(), r.Height());
    ApplyGeometry();
}

void TForm::ApplyWindowFlags()
{
    QWidget* w = WidgetIfCreated();
    if (!w)
        return;
    Qt::WindowFlags flags;
    switch (FBorderStyle) {
    case bsNone: flags = Qt::Window | Qt::FramelessWindowHint; break;
    case bsToolWindow:
    case bsSizeToolWin: flags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint; break;
    case bsDialog: flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint; break;
    default:
        flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (FBorderIcons.testFlag(biSystemMenu))
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (FBorderIcons.testFlag(biMinimize))
            flags |= Qt::WindowMinimizeButtonHint;
        if (FBorderIcons.testFlag(biMaximize))
            flags |= Qt::WindowMaximizeButtonHint;
        break;
    }
    if (FFormStyle == fsStayOnTop || FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin)
        flags |= Qt::WindowStaysOnTopHint;
    const bool visible = w->isVisible();
    w->setWindowFlags(flags);
    if (visible)
        w->show();
    ApplyGeometry();
}

void TForm::SetMenu(TMainMenu* Value)
{
    if (FMenu == Value)
        return;
    const int cw = ClientWidth(), ch = ClientHeight();
    FMenu = Value;
    // Outer bounds read from a description include the menu bar; a client
    // size, or a menu assigned later, keeps the client size.
    if (!IsLoading() || FClientSized) {
        SetClientWidth(cw);
        SetClientHeight(ch);
    }
    if (WidgetIfCreated())
        MenuChanged();
}

void TForm::MenuChanged()
{
    auto* window = static_cast<TFormWindow*>(Widget());
    if (!FMenu) {
        delete FMenuBar.data();
        return;
    }
    if (!FMenuBar) {
        FMenuBar = new QMenuBar(window);
        FMenuBar->setNativeMenuBar(false);
        window->SetMenuBar(FMenuBar);
    }
    FMenu->BuildMenuBar(FMenuBar);
    ApplyGeometry();
}

void TForm::Loaded()
{
    TWinControl::Loaded();
    if (FMenu && WidgetIfCreated())
        MenuChanged();
    Realign();
}

void TForm::InitializeForm()
{
    ReadComponentRes(this);
    CallEvent(OnCreate, this);
}

bool TForm::Visible() const
{
    return FShowing;
}

void TForm::SetVisible(bool Value)
{
    if (IsLoading()) {
        SetVisibleFlagOnly(Value);
        return;
    }
    if (Value)
        Show();
    else
        Hide();
}

void TForm::Show()
{
    QWidget* w = Widget();
    if (FShowing) {
        BringToFront();
        return;
    }
    FShowing = true;
    SetVisibleFlagOnly(true);
    ApplyGeometry();
    if (FPosition == poScreenCenter && FWindowState != wsMaximized) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect avail = screen->availableGeometry();
            const QSize size = w->size();
            TWinControl::SetBounds(avail.left() + (avail.width() - Width()) / 2,
                avail.top() + (avail.height() - Height()) / 2, Width(), Height());
            w->move(avail.left() + (avail.width() - size.width()) / 2, avail.top() + (avail.height() - size.height()) / 2);
        }
    }
    if (FWindowState == wsMaximized)
        w->showMaximized();
    else if (FWindowState == wsMinimized)
        w->showMinimized();
    else
        w->show();
    DoShow();
}

void TForm::DoShow()
{
    CallEvent(OnShow, this);
}

void TForm::Hide()
{
    if (!FShowing)
        return;
    FShowing = false;
    SetVisibleFlagOnly(false);
    if (QWidget* w = WidgetIfCreated())
        w->hide();
    DoHide();
    if (FModalLoop && FModalResult == mrNone)
        SetModalResult(mrCancel);
}

void TForm::DoHide()
{
    CallEvent(OnHide, this);
}

void TForm::BringToFront()
{
    if (QWidget* w = WidgetIfCreated()) {
        w->raise();
        w->activateWindow();
    }
}

void TForm::SetModalResult(int Value)
{
    FModalResult = Value;
    if (Value != mrNone && FModalLoop)
        FModalLoop->quit();
}

bool TForm::HandleCloseRequest()
{
    TCloseAction action = caHide;
    if (Application()->MainForm() == this && !IsModal())
        action = caFree;
    CallEvent(OnClose, this, action);
    switch (action) {
    case caNone:
        return false;
    case caMinimize:
        SetWindowState(wsMinimized);
        return false;
    case caFree:
        if (Application()->MainForm() == this) {
            Hide();
            Application()->Terminate(0);
            return true;
        }
        Hide();
        return true;
    case caHide:
    default:
        return true;
    }
}

void TForm::Close()
{
    if (IsModal()) {
        // The modal loop ends and asks OnClose.
        SetModalResult(mrCancel);
        return;
    }
    if (HandleCloseRequest())
        Hide();
}

int TForm::ShowModal()
{
    QWidget* w = Widget();
    FModalResult = mrNone;
    w->setWindowModality(Qt::ApplicationModal);
    Show();
    QEventLoop loop;
    FModalLoop = &loop;
    for (;;) {
        if (FModalResult == mrNone)
            loop.exec();
        if (!FShowing || Application()->Terminated() || HandleCloseRequest())
            break;
        FModalResult = mrNone; // OnClose refused
    }
    FModalLoop = nullptr;
    const int result = FModalResult == mrNone ? mrCancel : FModalResult;
    Hide();
    w->setWindowModality(Qt::NonModal);
    FModalResult = result;
    return result;
}

QImage TForm::Snapshot()
{
    QWidget* w = Widget();
    if (QLayout* layout = w->layout())
        layout->activate();
    return w->grab().toImage();
}

// ---------------------------------------------------------------- TApplication

namespace {
TApplication* GApplication = nullptr;
}

TApplication* Application()
{
    if (!GApplication)
        GApplication = new TApplication();
    return GApplication;
}

void PostQuitMessage(int ExitCode)
{
    Application()->Terminate(ExitCode);
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner)
{
    if (!GApplication)
        GApplication = this;
    SetExceptionHandler([](const std::exception* E) {
        if (E)
            Application()->HandleException(*E);
        else
            Application()->HandleUnknownException();
    });
}

TApplication::~TApplication()
{
    DestroyForms();
    if (GApplication == this) {
        GApplication = nullptr;
        SetExceptionHandler(nullptr);
    }
}

void TApplication::AddForm(TForm* Form)
{
    FForms.emplace_back(Form);
    if (!FMainForm)
        FMainForm = Form;
    Form->InitializeForm();
}

TForm* TApplication::Forms(int Index) const
{
    return Index >= 0 && Index < FormCount() ? FForms[size_t(Index)].data() : nullptr;
}

int TApplication::Run()
{
    if (FMainForm && !FTerminated)
        FMainForm->Show();
    int code = 0;
    if (!FTerminated || QCoreApplication::instance())
        code = QCoreApplication::exec();
    DestroyForms();
    return code;
}

void TApplication::Terminate(int ExitCode)
{
    FTerminated = true;
    // Posted, so that it also ends a loop that has not started yet; exit()
    // leaves every running loop, modal ones included.
    QTimer::singleShot(0, qApp, [ExitCode] { QCoreApplication::exit(ExitCode); });
    QCoreApplication::exit(ExitCode);
}

void TApplication::ProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::HandleException(const std::exception& E)
{
    const QString message = QString::fromUtf8(E.what());
    if (OnException) {
        OnException(message);
        return;
    }
    QWidget* parent = FMainForm ? FMainForm->Widget() : nullptr;
    QMessageBox::critical(parent, FTitle, message);
}

void TApplication::HandleUnknownException()
{
    HandleException(Exception(QStringLiteral("Unbekannter Fehler")));
}

void TApplication::DestroyForms()
{
    // The last created first, as the owner destroys its components.
    while (!FForms.empty()) {
        QPointer<TForm> form = FForms.back();
        FForms.pop_back();
        delete form.data();
    }
    FMainForm = nullptr;
}

TApplicationHost::TApplicationHost(int& Argc, char** Argv) : QApplication(Argc, Argv) {}

bool TApplicationHost::notify(QObject* Receiver, QEvent* Event)
{
    try {
        return QApplication::notify(Receiver, Event);
    } catch (const std::exception& e) {
        Application()->HandleException(e);
    } catch (...) {
        Application()->HandleUnknownException();
    }
    return false;
}

} // namespace Tessaron
