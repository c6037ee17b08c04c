#pragma once
// Windows (forms) and the application object.
//
// A form is created once, built from its stored description, and shown
// modally or not; closing it hides it, so that showing it again shows the
// same instance with its state.

#include <platform/Controls.h>
#include <platform/Menus.h>

#include <QApplication>
#include <QPointer>

#include <functional>
#include <vector>

class QMenuBar;
class QEventLoop;

namespace Tessaron {

class TForm;

constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;
constexpr int mrAll = 8;

class TForm : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    // The border style comes before the client size: reading, it keeps the
    // size read so far, and the client size then sets the final size.
    Q_PROPERTY(TFormBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(int ClientWidth READ ClientWidth WRITE SetClientWidth)
    Q_PROPERTY(int ClientHeight READ ClientHeight WRITE SetClientHeight)
    Q_PROPERTY(TBorderIcons BorderIcons READ BorderIcons WRITE SetBorderIcons)
    Q_PROPERTY(TPosition Position READ Position WRITE SetPosition)
    Q_PROPERTY(TWindowState WindowState READ WindowState WRITE SetWindowState)
    Q_PROPERTY(TFormStyle FormStyle READ FormStyle WRITE SetFormStyle)
    Q_PROPERTY(Tessaron::TMainMenu* Menu READ Menu WRITE SetMenu)
    Q_PROPERTY(bool KeyPreview READ KeyPreview WRITE SetKeyPreview)
    Q_PROPERTY(int PixelsPerInch READ PixelsPerInch WRITE SetPixelsPerInch)
    Q_PROPERTY(int TextHeight READ TextHeight WRITE SetTextHeight)
    Q_PROPERTY(Tessaron::TNotifyEvent OnCreate MEMBER OnCreate)
    Q_PROPERTY(Tessaron::TNotifyEvent OnShow MEMBER OnShow)
    Q_PROPERTY(Tessaron::TNotifyEvent OnHide MEMBER OnHide)
    Q_PROPERTY(Tessaron::TForm::TCloseEvent OnClose MEMBER OnClose)
    Q_PROPERTY(Tessaron::TNotifyEvent OnActivate MEMBER OnActivate)
    Q_PROPERTY(Tessaron::TNotifyEvent OnDeactivate MEMBER OnDeactivate)
    Q_PROPERTY(Tessaron::TNotifyEvent OnDestroy MEMBER OnDestroy)
    Q_PROPERTY(Tessaron::TNotifyEvent OnResize MEMBER OnResize)
    Q_PROPERTY(Tessaron::TNotifyEvent OnPaint MEMBER OnPaint)
    Q_CLASSINFO("Default:BorderStyle", "bsSizeable")
    Q_CLASSINFO("Default:Position", "poDesigned")
    Q_CLASSINFO("Default:WindowState", "wsNormal")
    Q_CLASSINFO("Default:FormStyle", "fsNormal")
    Q_CLASSINFO("Default:PixelsPerInch", "96")

public:
    enum TFormBorderStyle : int { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
    Q_ENUM(TFormBorderStyle)
    enum TBorderIcon : int { biSystemMenu = 0x1, biMinimize = 0x2, biMaximize = 0x4, biHelp = 0x8 };
    Q_DECLARE_FLAGS(TBorderIcons, TBorderIcon)
    Q_FLAG(TBorderIcons)
    enum TPosition : int { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter };
    Q_ENUM(TPosition)
    enum TWindowState : int { wsNormal, wsMinimized, wsMaximized };
    Q_ENUM(TWindowState)
    enum TFormStyle : int { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
    Q_ENUM(TFormStyle)
    enum TCloseAction : int { caNone, caHide, caFree, caMinimize };
    Q_ENUM(TCloseAction)
    using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;

    explicit TForm(TComponent* AOwner = nullptr);
    ~TForm() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int Value);
    void SetClientHeight(int Value);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    // Default wsNormal. Leaving wsMaximized (here or in the window system)
    // returns to the normal bounds: those set last by the description or the
    // program, or by the user sizing the unmaximised window.
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    // The bounds the window has when it is neither maximised nor minimised.
    TRect NormalBounds() const { return FNormalBounds; }
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* Value);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    int PixelsPerInch() const { return 96; }
    void SetPixelsPerInch(int) {}
    int TextHeight() const { return FTextHeight; }
    void SetTextHeight(int Value) { FTextHeight = Value; }
    int ModalResult() const { return FModalResult; }
    // Setting a modal result other than mrNone ends a modal showing.
    void SetModalResult(int Value);

    // Shows the form and waits until it is closed; returns the modal result.
    // Other windows' timers keep ticking meanwhile.
    int ShowModal();
    bool IsModal() const { return FModalLoop != nullptr; }
    void Show();
    void Hide();
    // Closes as the close box does: OnClose decides; the default hides.
    void Close();
    bool Visible() const;
    void SetVisible(bool Value) override;
    void BringToFront();

    // The window's picture (client area with the menu bar), for snapshots.
    QImage Snapshot();
    // Rebuilds the menu bar after the menu's items changed.
    void MenuChanged();

    QWidget* ClientWidget() const override;
    void Loaded() override;

    // Builds the form from the description its class names (Q_CLASSINFO
    // "Description") and raises OnCreate. Called by TApplication::CreateForm.
    void InitializeForm();

    // The screenshot tour calls this after showing the window: a window with
    // an activity to show starts it here (for example presses its start
    // button). The default does nothing.
    virtual void TourStart() {}

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnResize;
    TNotifyEvent OnPaint;

protected:
    QWidget* CreateWidget() override;
    void InitWidget(QWidget* W) override;
    void ApplyGeometry() override;
    bool FilterEvent(QObject* Watched, QEvent* Event) override;
    virtual void DoShow();
    virtual void DoHide();

private:
    friend class TFormWindow;
    void ApplyWindowFlags();
    void ApplyClientSize();
    int FrameWidth() const;
    int CaptionHeight() const;
    int MenuHeight() const;
    void ClientResized(int W, int H);
    void WindowStateChanged(Qt::WindowStates States);
    void RestoreNormalBounds();
    bool HandleCloseRequest();

    QString FCaption;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = TBorderIcons(biSystemMenu) | biMinimize | biMaximize;
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TRect FNormalBounds;
    bool FClientSized = false; // the last size set was a client size
    TFormStyle FFormStyle = fsNormal;
    QPointer<TMainMenu> FMenu;
    bool FKeyPreview = false;
    int FTextHeight = 13;
    int FModalResult = mrNone;
    int FClientWidth = 0;
    int FClientHeight = 0;
    QEventLoop* FModalLoop = nullptr;
    QPointer<QWidget> FClient;
    QPointer<QMenuBar> FMenuBar;
    bool FShowing = false;
    bool FInResize = false;
};

// The application object: creates the windows (the first becomes the main
// window), runs the message loop, and handles exceptions that escape event
// handlers by showing their message and going on.
class TApplication : public TComponent {
    Q_OBJECT
public:
    explicit TApplication(TComponent* AOwner = nullptr);
    ~TApplication() override;

    void Initialize() {}
    // Creates a form of class T, builds it from its description, and stores it
    // in Reference. The first form created becomes the main form.
    template <typename T>
    void CreateForm(T*& Reference)
    {
        auto* form = new T(this);
        Reference = form;
        AddForm(form);
    }
    void AddForm(TForm* Form);
    TForm* MainForm() const { return FMainForm; }
    int FormCount() const { return int(FForms.size()); }
    TForm* Forms(int Index) const;

    // Shows the main form and runs the message loop until Terminate or the quit
    // request; returns the exit code. The windows are destroyed at the end.
    int Run();
    // Posts the quit request with an exit code (PostQuitMessage).
    void Terminate(int ExitCode = 0);
    bool Terminated() const { return FTerminated; }
    // Dispatches the waiting messages.
    void ProcessMessages();
    // The standard error handler: shows the exception's message in a message box.
    void HandleException(const std::exception& E);
    void HandleUnknownException();
    // Replaces the message box of the error handler (tests, the screenshot tour).
    std::function<void(const QString& Message)> OnException;
    QString Title() const { return FTitle; }
    void SetTitle(const QString& Value) { FTitle = Value; }
    void DestroyForms();

private:
    std::vector<QPointer<TForm>> FForms;
    TForm* FMainForm = nullptr;
    bool FTerminated = false;
    QString FTitle = QStringLiteral("Tessaron");
};

// The global application object (created by the program, or on first use).
TApplication* Application();

// Posts the quit request with an exit code.
void PostQuitMessage(int ExitCode);

// The Qt application of a program that uses the library: exceptions that
// escape an event handler reach the standard error handler instead of
// ending the program.
class TApplicationHost : public QApplication {
public:
    TApplicationHost(int& Argc, char** Argv);
    bool notify(QObject* Receiver, QEvent* Event) override;
};

} // namespace Tessaron

Q_DECLARE_OPERATORS_FOR_FLAGS(Tessaron::TForm::TBorderIcons)
