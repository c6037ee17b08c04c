#include <platform/FormRegistry.h>
#include "app/Contact.h"
#include "app/Main.h"

#include <platform/ClassicStyle.h>
#include <platform/ExtCtrls.h>
#include <platform/ExtPanels.h>
#include <platform/StdCtrls.h>
#include <platform/Streaming.h>

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

using namespace Tessaron;

namespace {

// The main window built from its description, as the program creates it.
struct MainWindow {
    std::unique_ptr<TTessaron32> Form;
    MainWindow()
    {
        Form = std::make_unique<TTessaron32>();
        Form->InitializeForm();
        Form->SetWindowState(TForm::wsNormal);
        Form->Show();
    }
    TTessaron32* operator->() const { return Form.get(); }
    TMenuItem* Item(const char* Name) const { return Form->MainMenu1->FindItem(QString::fromLatin1(Name)); }
};

} // namespace

// The whole contact line of the banner passes by: it is no wider than the
// banner panel, which the panel's fixed width would otherwise cut off.
TEST(MainWindow, StartsWithTheSloganTheBannerStoppedWhoseTextFitsItsPanelAndTheEntriesOfBuiltWindows)
{
    MainWindow w;
    EXPECT_TRUE(w->Label1->Visible());
    EXPECT_FALSE(w->Panel2->Visible());
    EXPECT_FALSE(w->Timer1->Enabled());
    EXPECT_EQ(w->Panel2->Left(), w->Panel1->Width());
    EXPECT_TRUE(w->Bildhintergrund1->Checked());
    EXPECT_FALSE(w->Image1->Picture()->Empty());
    EXPECT_EQ(w->Panel2->Width(), 1225);
    const QString text = w->Panel2->Caption();
    EXPECT_TRUE(text.endsWith(QString::fromUtf8(Demo::kEmail))) << text.toStdString();
    EXPECT_LE(CaptionExtent(text, w->Panel2->Font()->ToQFont()).width(), w->Panel2->Width());
    // Windows missing from the program keep their entries disabled.
    for (const TWindowMenuEntry& e : WindowMenuEntries()) {
        TMenuItem* item = w.Item(e.ItemName);
        ASSERT_NE(item, nullptr) << e.ItemName;
        EXPECT_EQ(item->Enabled(), IsFormRegistered(e.ClassName)) << e.ItemName;
    }
    EXPECT_TRUE(w.Item("Beenden1")->Enabled());
}

TEST(MainWindow, BannerMovesOnePixelPerTickWrapsBelowMinusWidthMinusOneAndStopsOnTheDemoMenu)
{
    MainWindow w;
    w.Item("berdiesesDemo1")->Click();
    EXPECT_FALSE(w->Label1->Visible());
    EXPECT_TRUE(w->Panel2->Visible());
    EXPECT_TRUE(w->Timer1->Enabled());
    const int start = w->Panel1->Width();
    EXPECT_EQ(w->Panel2->Left(), start);
    w->Timer1Timer(nullptr);
    EXPECT_EQ(w->Panel2->Left(), start - 1);

    // The wrap comes on the first tick whose left edge is below -width-1.
    const int width = w->Panel2->Width();
    w->Panel2->SetLeft(-width);
    w->Timer1Timer(nullptr);
    EXPECT_EQ(w->Panel2->Left(), -width - 1);
    w->Timer1Timer(nullptr);
    EXPECT_EQ(w->Panel2->Left(), start);

    // The real timer moves it, also while another window runs its modal loop.
    w->Panel2->SetLeft(100);
    TestSupport::RunEventLoopFor(120);
    EXPECT_LT(w->Panel2->Left(), 95);

    // Opening the demo menu (which raises its item's click) stops it where it is.
    const int left = w->Panel2->Left();
    QMenu* demo = w.Item("Demo1")->SubMenu();
    ASSERT_NE(demo, nullptr);
    emit demo->aboutToShow();
    EXPECT_TRUE(w->Label1->Visible());
    EXPECT_FALSE(w->Panel2->Visible());
    EXPECT_FALSE(w->Timer1->Enabled());
    EXPECT_EQ(w->Panel2->Left(), left);
    // "Über dieses Demo" again restarts at the right edge.
    w.Item("berdiesesDemo1")->Action()->trigger();
    EXPECT_EQ(w->Panel2->Left(), w->Panel1->Width());
    EXPECT_TRUE(w->Timer1->Enabled());
}

// The window opens maximised; its normal geometry is the stored 815 x 616 (a
// window system without maximising shows that), and restoring it, by the
// program or by the window system, returns to those bounds.
TEST(MainWindow, OpensMaximisedAndRestoresToTheStoredNormalBounds)
{
    TTessaron32 form;
    form.InitializeForm();
    const TRect normal = Bounds(233, 112, 815, 616);
    EXPECT_EQ(form.WindowState(), TForm::wsMaximized);
    EXPECT_EQ(form.NormalBounds(), normal);
    form.Show();
    TestSupport::RunEventLoopFor(20);
    QWidget* window = form.Widget();
    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(window->normalGeometry().width(), form.NormalBounds().Width() - 8);
    EXPECT_NE(form.Width(), 815); // the client area follows the maximised window

    const auto restored = [&](const char* how) {
        TestSupport::RunEventLoopFor(20);
        EXPECT_EQ(form.WindowState(), TForm::wsNormal) << how;
        EXPECT_EQ(form.BoundsRect(), normal) << how;
        EXPECT_EQ(window->width(), 807) << how;
    };
    window->showNormal(); // the user restores it
    restored("window system");
    form.SetWindowState(TForm::wsMaximized);
    TestSupport::RunEventLoopFor(20);
    EXPECT_TRUE(window->isMaximized());
    form.SetWindowState(TForm::wsNormal);
    restored("program");
    form.Hide();
}

TEST(MainWindow, BackgroundToggleWithTheBitmapAbsentAndPresent)
{
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    QStringList errors;
    Application()->OnException = [&](const QString& Message) { errors << Message; };
    {
        MainWindow w;
        QAction* toggle = w.Item("Bildhintergrund1")->Action();
        toggle->trigger();
        EXPECT_TRUE(w->Image1->Picture()->Empty());
        EXPECT_FALSE(w->Bildhintergrund1->Checked());
        EXPECT_TRUE(errors.isEmpty());

        toggle->trigger(); // the file is missing: error, item stays unchecked
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains("TSRN0120.BMP")) << errors[0].toStdString();
        EXPECT_FALSE(w->Bildhintergrund1->Checked());
        EXPECT_TRUE(w->Image1->Picture()->Empty());

        ASSERT_TRUE(QFile::copy(TestSupport::SourcePath("app/data/TSRN0120.BMP"), "TSRN0120.BMP"));
        toggle->trigger();
        EXPECT_TRUE(w->Bildhintergrund1->Checked());
        EXPECT_EQ(w->Image1->Picture()->Width(), 1024);
        EXPECT_EQ(errors.size(), 1);
    }
    Application()->OnException = nullptr;
    QDir::setCurrent(old);
}
