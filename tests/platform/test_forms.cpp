#include <platform/ExtCtrls.h>
#include <platform/FormRegistry.h>
#include <platform/Forms.h>
#include <platform/Streaming.h>

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QMenuBar>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>

#include <tuple>

using namespace Tessaron;

namespace {

class TProbeForm : public TForm {
public:
    using TForm::TForm;
    int Value = 0;
};

} // namespace

TEST(Form, ShowModalReturnsOnlyAfterCloseAndKeepsTheInstance)
{
    TProbeForm form;
    form.SetClientWidth(200);
    form.SetClientHeight(100);
    std::vector<QString> log;
    form.OnShow = [&](TObject*) { log.push_back("show"); };
    form.OnHide = [&](TObject*) { log.push_back("hide"); };
    form.OnClose = [&](TObject*, TForm::TCloseAction& action) {
        log.push_back("close");
        EXPECT_EQ(action, TForm::caHide);
    };
    // Another window's timer keeps ticking while the modal loop runs.
    TComponent owner;
    auto* ticker = new TTimer(&owner);
    ticker->SetInterval(5);
    int ticks = 0;
    ticker->OnTimer = [&](TObject*) { ++ticks; };

    QTimer::singleShot(100, [&] {
        log.push_back("running");
        EXPECT_TRUE(form.Visible() && form.IsModal());
        form.Value = 42;
        form.Close();
    });
    const int result = form.ShowModal();
    log.push_back("returned");
    EXPECT_EQ(std::pair(result, form.Visible()), std::pair(int(mrCancel), false));
    EXPECT_GE(ticks, 5);
    EXPECT_EQ(log, (std::vector<QString>{"show", "running", "close", "hide", "returned"}));

    // Shown again: the same instance with its state; a modal result ends it too.
    QTimer::singleShot(20, [&] {
        EXPECT_EQ(form.Value, 42);
        form.SetModalResult(mrOk);
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
}

TEST(Form, OnCloseCanRefuse)
{
    TProbeForm form;
    int attempts = 0;
    form.OnClose = [&](TObject*, TForm::TCloseAction& action) {
        if (++attempts == 1)
            action = TForm::caNone;
    };
    // The second close is scheduled by the first, so a loaded machine cannot
    // run them before the modal loop or out of order.
    QTimer::singleShot(10, [&] {
        form.Close();
        QTimer::singleShot(30, [&] {
            EXPECT_TRUE(form.Visible());
            form.Close();
        });
    });
    form.ShowModal();
    EXPECT_EQ(attempts, 2);

    form.Show(); // not modal: a refused close keeps it shown
    attempts = 0;
    form.Close();
    EXPECT_TRUE(form.Visible());
    form.Close();
    EXPECT_FALSE(form.Visible());
}

TEST(Form, ClientSizeExcludesTheClassicFrame)
{
    TForm form;
    form.SetBorderStyle(TForm::bsDialog);
    form.SetClientWidth(461);
    form.SetClientHeight(337);
    EXPECT_EQ(std::tuple(form.ClientWidth(), form.ClientHeight(), form.Width(), form.Height()),
        std::tuple(461, 337, 461 + 6, 337 + 6 + 19));
    form.Show();
    EXPECT_EQ(form.ClientWidget()->size(), QSize(461, 337));
    form.Hide();
}

TEST(Application, ExceptionsFromHandlersReachTheStandardErrorHandler)
{
    QStringList shown;
    Application()->OnException = [&](const QString& Message) { shown << Message; };
    TComponent owner;
    auto* timer = new TTimer(&owner);
    timer->SetInterval(1);
    timer->OnTimer = [&](TObject*) {
        timer->SetEnabled(false);
        throw EConvertError("'abc' is not a valid floating point value");
    };
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
    Application()->OnException = nullptr;
    EXPECT_EQ(shown, QStringList{"'abc' is not a valid floating point value"});
}

// The menu bar and its drop-downs, nested ones included, share one face and
// size, the platform's menu font, also on a form with a font of its own.
TEST(Form, MenuBarAndDropDownsShareTheMenuFont)
{
    TProbeForm form;
    form.Font()->SetName("Courier New");
    form.Font()->SetHeight(-20);
    auto* menu = new TMainMenu(&form);
    auto* top = new TMenuItem(&form);
    auto* sub = new TMenuItem(&form);
    auto* leaf = new TMenuItem(&form);
    top->SetCaption("&Demo");
    sub->SetCaption("&Filter");
    leaf->SetCaption("&IIR");
    menu->Add(top);
    top->Add(sub);
    sub->Add(leaf);
    form.SetMenu(menu);
    form.Show();
    auto* bar = form.Widget()->findChild<QMenuBar*>();
    ASSERT_TRUE(bar && top->SubMenu() && sub->SubMenu());
    const QFont expected = MenuFont();
    EXPECT_EQ(std::pair(expected.family(), expected.pixelSize()), std::pair(TFont().ToQFont().family(), 11));
    for (const QWidget* w : {static_cast<const QWidget*>(bar), static_cast<const QWidget*>(top->SubMenu()),
                             static_cast<const QWidget*>(sub->SubMenu())})
        EXPECT_EQ(std::pair(w->font().family(), w->font().pixelSize()), std::pair(expected.family(), expected.pixelSize()));
    form.Hide();
}

namespace {
class TRegisteredProbe : public TForm {
    Q_OBJECT
public:
    using TForm::TForm;
};
TRegisteredProbe* RegisteredProbe = nullptr;
const bool probeRegistered = RegisterForm<TRegisteredProbe>(&RegisteredProbe);
} // namespace

TEST(FormRegistry, CreatesTheRegisteredClassAndStoresItsReference)
{
    ASSERT_TRUE(probeRegistered);
    EXPECT_FALSE(IsFormRegistered(QStringLiteral("TNoSuchWindow")) || FindFormFactory(QStringLiteral("TNoSuchWindow")));
    TFormFactory factory = FindFormFactory(QStringLiteral("TRegisteredProbe"));
    ASSERT_TRUE(factory);
    TComponent owner;
    TForm* form = factory(&owner);
    EXPECT_EQ(std::tuple(form, qobject_cast<TRegisteredProbe*>(form), form->Owner()),
        std::tuple(RegisteredProbe, RegisteredProbe, &owner));
}

// The library's folders never reach into the program: dependencies run
// program -> subsystems -> platform.
TEST(Layout, NoLibraryFolderIncludesTheProgram)
{
    const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*[<"]app/)"),
                                     QRegularExpression::MultilineOption);
    for (const char* folder : {"platform", "controls", "stripchart", "histograph", "analysis", "filters"}) {
        QDirIterator it(QStringLiteral(TESSARON_SOURCE_DIR "/") + QLatin1String(folder),
                        {QStringLiteral("*.h"), QStringLiteral("*.cpp"), QStringLiteral("*.inc")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            EXPECT_FALSE(include.match(QString::fromUtf8(file.readAll())).hasMatch()) << file.fileName().toStdString();
        }
    }
}

#include "test_forms.moc"
