// The histograph's tool windows and its two demonstration windows.
#include <histograph/HistoXY_Unit.h>
#include <histograph/HistoYt_Unit.h>
#include <histograph/_Eca.h>
#include <histograph/_Efa.h>
#include <histograph/_Efg.h>
#include <histograph/_Etb.h>
#include <histograph/_Eft.h>
#include <histograph/RecorderTools.h>

#include <platform/Streaming.h>
#include <platform/SysUtils.h>

#include "HistoTestSupport.h"
#include "support/ToolWindowTestKit.h"


#include <gtest/gtest.h>

#include <cmath>

using namespace Tessaron;

using namespace ToolWindowTest;

TEST(HistoTools, ToolBarFollowsTheHistographAndDrivesIt)
{
    HistoTest::THost h;
    h->SetTitleTop(QStringLiteral("Messung"));
    h->SetShowToolBar(true);
    TFormToolBar* bar = h->ToolBar();
    ASSERT_TRUE(bar && bar->Visible());
    EXPECT_EQ(bar->Caption(), "Werkzeuge: Messung");
    EXPECT_FALSE(bar->BShowCross->Glyph()->Empty()) << "glyphs come from the library's pictures";

    ClickOn(bar->BModeZoom);
    EXPECT_EQ(h->Mode(), THistograph::modeZoom);
    h->SetMode(THistograph::modeCalculate);
    h->SetAutoScale(true);
    bar->Synchronize();
    EXPECT_TRUE(bar->BModeCalculate->Down());
    EXPECT_FALSE(bar->BModeZoom->Down());
    EXPECT_TRUE(bar->BAutoScale->Down());
    // The value bar switch opens the value bar, its closing is read back.
    ClickOn(bar->BValueBar);
    ASSERT_TRUE(h->ValueBar());
    EXPECT_TRUE(h->ValueBar()->Visible());
    EXPECT_EQ(h->ValueBar()->Caption(), "Anzeige: Messung");
    h->ValueBar()->Close();
    bar->Synchronize();
    EXPECT_FALSE(bar->BValueBar->Down());
    // A new top title re-captions both windows; closing the tool bar reports back.
    h->SetTitleTop(QStringLiteral("Neu"));
    EXPECT_EQ(bar->Caption(), "Werkzeug: Neu");
    EXPECT_EQ(h->ValueBar()->Caption(), "Anzeige: Neu");
    bar->Close();
    EXPECT_FALSE(h->ShowToolBar());
}

// The axis dialog applies on leaving a field, the grid and title dialogs at
// once (the title dialog's font buttons too); Cancel restores.
TEST(HistoTools, DialogsApplyAndCancelRestores)
{
    HistoTest::THost h;
    h->SetTitleBottom(QStringLiteral("Zeit"));
    h->SetShowToolBar(true);
    TFormAxis* axis = h->ToolBar()->FormAxis;
    h->SetViewXCurrentMin(4); // as if zoomed
    h->SetViewXCurrentMax(6);
    RunModal(axis, [&] {
        EXPECT_EQ(axis->EXMin->Text(), "0");
        EXPECT_EQ(axis->EXMax->Text(), "10");
        Enter(axis->EXMin, QStringLiteral("2"));
        Enter(axis->EYGap, QStringLiteral("0.5"));
        axis->SEYDecimals->SetValue(4);
    }, axis->BitBtnOK);
    EXPECT_FLOAT_EQ(h->ViewXNominalMin(), 2);
    EXPECT_FLOAT_EQ(h->ViewXCurrentMin(), 2) << "the zoomed range starts anew";
    EXPECT_FLOAT_EQ(h->ViewXCurrentMax(), 6);
    EXPECT_FLOAT_EQ(h->ViewYGap(), 0.5f);
    EXPECT_EQ(h->ViewYDecimals(), 4);

    RunModal(axis, [&] {
        Enter(axis->EXMax, QStringLiteral("20"));
        Enter(axis->EYMin, QStringLiteral("-3"));
        // Text that is no number raises the conversion error and changes nothing.
        EXPECT_THROW(Enter(axis->EYMax, QStringLiteral("zehn")), EConvertError);
        EXPECT_FLOAT_EQ(h->ViewYMax(), 10);
        EXPECT_FLOAT_EQ(h->ViewXCurrentMax(), 20);
    }, axis->BitBtnCancel);
    EXPECT_FLOAT_EQ(h->ViewXNominalMax(), 10);
    EXPECT_FLOAT_EQ(h->ViewXCurrentMax(), 6);
    EXPECT_FLOAT_EQ(h->ViewYMin(), 0);
    EXPECT_FLOAT_EQ(h->ViewXNominalMin(), 2);

    TFormGrid* grid = h->ToolBar()->FormGrid;
    h->SetGridVisible(grdHor);
    RunModal(grid, [&] {
        EXPECT_TRUE(grid->CheckBox1->Checked());
        EXPECT_EQ(h->GridVisible(), grdHor) << "showing the state changes nothing";
        Pick(grid->ComboBoxScale, 3);
        Pick(grid->ComboBoxLine, psDot);
        grid->CheckBox1->SetChecked(false);
        EXPECT_EQ(h->GridScale(), THistograph::sclLogLog);
        EXPECT_EQ(h->GridLineStyle(), psDot);
        EXPECT_EQ(h->GridVisible(), grdNone);
    }, grid->BitBtnCancel);
    EXPECT_EQ(h->GridScale(), THistograph::sclLinLin);
    EXPECT_EQ(h->GridLineStyle(), psSolid);
    EXPECT_EQ(h->GridVisible(), grdHor);

    // The owner-drawn line items: white, a black frame, the style's line in the middle.
    TBitmap item(40, 12);
    RecorderTools::DrawLineStyleItem(item.Canvas(), TRect(0, 0, 40, 12), psDash);
    item.Canvas()->Flush();
    const QImage& img = item.Image();
    EXPECT_EQ(img.pixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(img.pixel(5, 3) & 0xFFFFFF, 0xFFFFFFu);
    int ink = 0;
    for (int x = 1; x < 39; ++x)
        ink += (img.pixel(x, 6) & 0xFFFFFF) == 0;
    EXPECT_TRUE(ink > 10 && ink < 38) << "a dashed line: " << ink;

    TFormTitle* title = h->ToolBar()->FormTitle;
    TFontDialog::SetTestResponder([](TFontDialog& D, TFont& Chosen) {
        EXPECT_TRUE(D.Options().testFlag(TFontDialog::fdTrueTypeOnly));
        Chosen.SetColor(clRed);
        return true;
    });
    RunModal(title, [&] {
        EXPECT_EQ(title->EBottom->Text(), "Zeit");
        title->ELeft->SetText(QStringLiteral("Volt"));
        EXPECT_EQ(h->TitleLeft(), "Volt");
        title->ButtonLeft->Click();
        EXPECT_EQ(h->FontTitleLeft()->Color(), clRed);
    }, title->BitBtnCancel);
    TFontDialog::SetTestResponder({});
    EXPECT_EQ(h->TitleLeft(), "");
    EXPECT_EQ(h->FontTitleLeft()->Color(), clWindowText);
    EXPECT_EQ(h->TitleBottom(), "Zeit");
}

TEST(HistoDemo, YtWindowRunsBetweenItsReferencesAndShowsItsTools)
{
    THisto2_Demo form;
    form.InitializeForm();
    form.Show();
    THistograph* h = form.Histograph1;
    ASSERT_EQ(h->SeriesNumber(), 3);
    EXPECT_EQ(h->Series(2).Kind, THistograph::dtUpperRef);
    EXPECT_FALSE(form.StopYT->Enabled());

    form.StartYT->Click();
    EXPECT_TRUE(h->TimerEnabled());
    EXPECT_TRUE(form.StopYT->Enabled() && !form.StartYT->Enabled());
    form.Histograph1Timer(h);
    ASSERT_EQ(h->Series(1).Count, 256);
    for (int i = 1; i <= 256; ++i) {
        const double s = std::sin(i * 0.0625);
        ASSERT_TRUE(h->Series(1).Data[i - 1] >= s - 0.2 - 1e-5 && h->Series(1).Data[i - 1] <= s + 0.3 + 1e-5) << i;
        ASSERT_FLOAT_EQ(h->Series(2).Data[i - 1], float(s + 0.3)) << i;
        ASSERT_FLOAT_EQ(h->Series(3).Data[i - 1], float(s - 0.3)) << i;
    }

    form.WerkzeugeYT->Click();
    ASSERT_TRUE(h->ToolBar());
    EXPECT_TRUE(h->ToolBar()->Visible());
    form.WerkzeugeYT->Click();
    EXPECT_FALSE(h->ToolBar()->Visible());

    form.WerkzeugeYT->Click();
    h->SetShowValueBar(true);
    form.Close();
    EXPECT_FALSE(h->TimerEnabled());
    EXPECT_FALSE(h->ToolBar()->Visible());
    EXPECT_FALSE(h->ShowValueBar());
}

TEST(HistoDemo, XYWindowDrawsLissajousFiguresUntilClosed)
{
    THisto1_Demo form;
    form.InitializeForm();
    form.Show();
    THistograph* h = form.Histograph1;
    EXPECT_EQ(h->SeriesStyle(), THistograph::dtDataXY);
    EXPECT_FALSE(form.Timer1->Enabled());
    form.BitBtn2->Click();
    EXPECT_TRUE(form.Timer1->Enabled());
    form.Timer1Timer(form.Timer1);
    ASSERT_EQ(h->Series(1).Count, 200);
    ASSERT_TRUE(h->Series(1).Pairs);
    for (int i = 0; i < 400; ++i)
        ASSERT_LE(std::fabs(h->Series(1).Data[i]), 1.0f) << i;
    form.Close();
    EXPECT_FALSE(form.Timer1->Enabled());
}

TEST(HistoTools, LoadingCreatesTheToolWindowsHiddenUnlessTheDescriptionShowsThem)
{
    struct Case {
        const char* Lines;
        bool ToolBar, ValueBar;
    };
    for (const Case c : {Case{"", false, false}, Case{"  ShowToolBar = True\n  ShowValueBar = True\n", true, true}}) {
        HistoTest::THost h;
        ReadComponentText(h.C,
            QByteArray("object Histograph1: THistograph\n  TitleTop = 'Plot'\n") + c.Lines + "end\n",
            QStringLiteral("tool windows"));
        ASSERT_TRUE(h->ToolBar() && h->ValueBar());
        EXPECT_EQ(h->ToolBar()->Histo(), h.C);
        EXPECT_EQ(h->ToolBar()->Visible(), c.ToolBar);
        EXPECT_EQ(h->ValueBar()->Visible(), c.ValueBar);
    }
}
