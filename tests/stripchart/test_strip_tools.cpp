// The strip chart's tool windows: made after loading, shown, captioned and
// synchronised by the chart; the dialogs apply at once and Cancel restores;
// the jog shuttle's pace and step.
#include <stripchart/StrpChrt.h>
#include <stripchart/_sEca.h>
#include <stripchart/_sEfa.h>
#include <stripchart/_sEfg.h>
#include <stripchart/_sEft.h>
#include <stripchart/_sEjs.h>
#include <stripchart/_sEtb.h>

#include <controls/Slider.h>
#include <platform/Buttons.h>
#include <platform/Dialogs.h>

#include "RunFileTestSupport.h"
#include "StripTestSupport.h"
#include "support/ToolWindowTestKit.h"

#include <gtest/gtest.h>

using namespace Tessaron;
using namespace ToolWindowTest;

namespace {

// A chart that went through loading as a description reads it.
struct TLoadedHost : StripTest::THost {
    explicit TLoadedHost(bool ShowAll = false)
    {
        C->BeginLoading();
        C->SetTitleTop(QStringLiteral("Messung"));
        C->SetShowToolBar(ShowAll);
        C->SetShowValueBar(ShowAll);
        C->SetShowJogShuttleBar(ShowAll);
        EXPECT_FALSE(C->ToolBar()) << "no windows while loading";
        C->Loaded();
    }
};

} // namespace

TEST(StripTools, WindowsAppearAfterLoadingWithTheirCaptions)
{
    TLoadedHost h(true);
    ASSERT_TRUE(h->ToolBar() && h->ValueBar() && h->JogShuttleBar());
    EXPECT_TRUE(h->ToolBar()->Visible() && h->ShowValueBar() && h->ShowJogShuttleBar());
    EXPECT_EQ(h->ToolBar()->Caption(), "Werkzeuge: Messung");
    EXPECT_EQ(h->ValueBar()->Caption(), "Anzeige: Messung");
    EXPECT_EQ(h->JogShuttleBar()->Caption(), "Jog Shuttle: Messung");
    EXPECT_FALSE(h->JogShuttleBar()->Shuttle->Enabled()) << "neither logging nor playing";
    h->SetTitleTop(QStringLiteral("Neu"));
    EXPECT_EQ(h->ToolBar()->Caption(), "Werkzeug: Neu");
    EXPECT_EQ(h->ValueBar()->Caption(), "Anzeige: Neu");
    EXPECT_EQ(h->JogShuttleBar()->Caption(), "Jog Shuttle: Neu");
    // Closing by the window button is read back.
    h->ValueBar()->Close();
    h->JogShuttleBar()->Close();
    EXPECT_FALSE(h->ShowValueBar());
    EXPECT_FALSE(h->ShowJogShuttleBar());
    h->ToolBar()->Close();
    EXPECT_FALSE(h->ShowToolBar());

    StripTest::THost designed;
    designed->SetDesigning(true);
    designed->SetShowToolBar(true);
    EXPECT_FALSE(designed->ToolBar()) << "never inside a form designer";
}

TEST(StripTools, ToolBarDrivesTheChartAndBothBarsFollowIt)
{
    TLoadedHost h;
    h->SetShowToolBar(true);
    TFormToolBarStrip* bar = h->ToolBar();
    EXPECT_FALSE(bar->BModeRemark->Glyph()->Empty());
    const std::pair<TSpeedButton*, TStripMode> modes[] = {{bar->BModeZoom, Strip::modeZoom},
        {bar->BModeRemark, Strip::modeRemark}, {bar->BModeCalculate, Strip::modeCalculate},
        {bar->BModeMeasure, Strip::modeMeasure}};
    for (const auto& [button, mode] : modes) {
        ClickOn(button);
        EXPECT_EQ(h->StripMode(), mode);
    }
    ClickOn(bar->BAutoScale);
    EXPECT_TRUE(h->AutoScale());
    ClickOn(bar->BValueBar);
    ClickOn(bar->BJogShuttle);
    EXPECT_TRUE(h->ShowValueBar() && h->ShowJogShuttleBar());
    // The chart changes behind the bar's back: activation follows the
    // switches, the timer also the windows.
    h->SetStripMode(Strip::modeZoom);
    h->SetShowCross(false);
    h->SetShowValueBar(false);
    bar->Synchronize(false);
    EXPECT_TRUE(bar->BModeZoom->Down() && !bar->BModeMeasure->Down());
    EXPECT_FALSE(bar->BShowCross->Down());
    EXPECT_TRUE(bar->BValueBar->Down());
    bar->Synchronize(true);
    EXPECT_FALSE(bar->BValueBar->Down());
    EXPECT_TRUE(bar->BJogShuttle->Down());

    // The value bar's groups follow the mode; it shows the read-outs.
    h->SetShowValueBar(true);
    TFormCalculateBarStrip* values = h->ValueBar();
    for (TStripMode mode : {Strip::modeMeasure, Strip::modeRemark, Strip::modeZoom, Strip::modeCalculate}) {
        h->SetStripMode(mode);
        const bool on = mode == Strip::modeCalculate;
        EXPECT_EQ(values->GroupBox2->Enabled(), on) << mode;
        EXPECT_EQ(values->GroupBox3->Enabled(), on) << mode;
        EXPECT_EQ(values->deltax->Enabled(), on) << mode;
        EXPECT_TRUE(values->GroupBox1->Enabled());
    }
    h->ShowCalculateReadOut(2, 1.25, 3.14159, 5, 1.25, -1);
    EXPECT_EQ(values->Series1->Caption(), "2");
    EXPECT_EQ(values->Series2->Caption(), "5");
    EXPECT_EQ(values->deltax->Caption(), "0");
    h->ShowCalculateReadOut(1, 1, 0, 1, 1.5, 0);
    EXPECT_EQ(values->invdeltax->Caption(), "2");
    h->SetShowValueBar(false);
    h->ShowMeasureReadOut(7, 0, 0);
    EXPECT_EQ(values->Series1->Caption(), "1") << "a hidden bar is not written";
}

// The dialogs apply at once and Cancel restores; the axis dialog puts back
// text that is no number, the title dialog four titles and six fonts, and the
// grid dialog offers the chart's scales only.
TEST(StripTools, DialogsApplyAtOnceAndCancelRestores)
{
    TLoadedHost h;
    h->SetViewXGap(3);
    TFormAxisStrip* axis = h->ToolBar()->FormAxis;
    RunModal(axis, [&] {
        EXPECT_EQ(axis->EXGap->Text(), "3");
        Enter(axis->EXGap, QStringLiteral("abc"));
        EXPECT_EQ(axis->EXGap->Text(), "3");
        EXPECT_DOUBLE_EQ(h->ViewXGap(), 3);
        Enter(axis->EYGap, QStringLiteral("-1"));
        EXPECT_EQ(axis->EYGap->Text(), "2") << "a refused step shows the kept one";
        Enter(axis->EYMax, QStringLiteral("20"));
        axis->SEYDecimals->SetValue(4);
        EXPECT_FLOAT_EQ(h->ViewYMax(), 20);
        EXPECT_EQ(h->ViewYDecimals(), 4);
    }, axis->BitBtnCancel);
    EXPECT_FLOAT_EQ(h->ViewYMax(), 10);
    EXPECT_EQ(h->ViewYDecimals(), 2);
    RunModal(axis, [&] { Enter(axis->EXGap, QStringLiteral("4")); }, axis->BitBtnOK);
    EXPECT_DOUBLE_EQ(h->ViewXGap(), 4);

    TFormTitleStrip* title = h->ToolBar()->FormTitle;
    TFontDialog::SetTestResponder([](TFontDialog&, TFont& Chosen) {
        Chosen.SetColor(clRed);
        return true;
    });
    RunModal(title, [&] {
        EXPECT_EQ(title->ETop->Text(), "Messung");
        for (TEdit* e : {title->EBottom, title->ETop, title->ELeft, title->ERight})
            e->SetText(QStringLiteral("x"));
        EXPECT_EQ(h->TitleLeft(), "x");
        for (TButton* b : {title->ButtonBottom, title->ButtonTop, title->ButtonLeft, title->ButtonRight,
                 title->ButtonXAxis, title->ButtonYAxis})
            b->Click();
        EXPECT_EQ(h->FontYAxis()->Color(), clRed);
    }, title->BitBtnCancel);
    TFontDialog::SetTestResponder({});
    EXPECT_EQ(h->TitleTop(), "Messung");
    for (const QString& t : {h->TitleBottom(), h->TitleLeft(), h->TitleRight()})
        EXPECT_EQ(t, "");
    for (const TFont* f : {h->FontTitleBottom(), h->FontTitleTop(), h->FontTitleLeft(), h->FontTitleRight(),
             h->FontXAxis(), h->FontYAxis()})
        EXPECT_NE(f->Color(), clRed);

    TFormGridStrip* grid = h->ToolBar()->FormGrid;
    ASSERT_EQ(grid->ComboBoxScale->Items().size(), 2);
    RunModal(grid, [&] {
        Pick(grid->ComboBoxScale, 1);
        Pick(grid->ComboBoxLine, psDashDot);
        grid->CheckBox1->SetChecked(true);
        EXPECT_EQ(h->GridScale(), strpLog);
        EXPECT_EQ(h->GridLineStyle(), psDashDot);
        EXPECT_EQ(h->GridVisible(), grdBoth);
    }, grid->BitBtnCancel);
    EXPECT_EQ(h->GridScale(), strpLin);
    EXPECT_EQ(h->GridLineStyle(), psSolid);
    EXPECT_EQ(h->GridVisible(), grdNone);
}

TEST(StripTools, JogShuttleStepsFollowsTheRunStateListsTheRemarksAndMovesAStoredRun)
{
    const std::pair<int, double> steps[] = {{0, 0}, {5, 5}, {-9, -9}, {10, 10}, {20, 40}, {-20, -40}, {50, 250}};
    for (const auto& [position, samples] : steps)
        EXPECT_DOUBLE_EQ(TFormJogShuttleBarStrip::ShuttleSamples(position), samples) << position;

    RunFileTest::TFolder dir;
    const QString path = dir.Q("remarks.ddt");
    TLoadedHost h;
    h->SetShowJogShuttleBar(true);
    TFormJogShuttleBarStrip* jog = h->JogShuttleBar();
    EXPECT_EQ(jog->Timer1->Interval(), TFormJogShuttleBarStrip::SlowInterval);
    EXPECT_TRUE(jog->Timer1->Enabled());
    EXPECT_EQ(jog->LRunNumber->Caption(), "-");
    // The lever springs back when let go; it works only while logging or playing.
    jog->Shuttle->SetEnabled(true);
    jog->Shuttle->SetValue(20);
    QTest::mouseRelease(jog->Shuttle->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(jog->Shuttle->Value(), 0);
    jog->Poll();
    EXPECT_FALSE(jog->Shuttle->Enabled());
    // Starting and ending a run file reach the shuttle at once, not at the next poll.
    ASSERT_TRUE(h->StartLogging(path, QStringLiteral("Lauf")));
    EXPECT_TRUE(jog->Shuttle->Enabled());
    EXPECT_EQ(jog->Timer1->Interval(), TFormJogShuttleBarStrip::FastInterval);
    h.Feed(3000, [](int S, long K) { return RunFileTest::Value(S, K); });
    ASSERT_TRUE(h->AddRemark(1, 500, -1, QStringLiteral("erste"), dfManual));
    ASSERT_TRUE(h->AddRemark(1, 2000, 2, QStringLiteral("zweite"), dfAutomatic));
    jog->Poll();
    EXPECT_EQ(jog->ComboBoxRemarks->ItemIndex(), 1) << "the highlighted remark, nearest the window's middle";
    h->StopLogging();
    EXPECT_FALSE(jog->Shuttle->Enabled());
    ASSERT_TRUE(h->StartPlaying(path));
    EXPECT_TRUE(jog->Shuttle->Enabled());
    auto newest = [&] { return h->Series(1).Samples[std::size_t(h->StoredCount() - 1)]; };

    ASSERT_TRUE(h->FindNearestRemark(500));
    jog->Poll();
    EXPECT_EQ(jog->ComboBoxRemarks->Items(), QStringList({"erste", "zweite"}));
    EXPECT_EQ(h->SelectedRemark().Text, "erste") << "reading the texts leaves the selected remark";
    EXPECT_EQ(h->RemarkText(2), "");
    // Choosing the second shows the window centred on it (half a window after it).
    Pick(jog->ComboBoxRemarks, 1);
    EXPECT_EQ(newest(), RunFileTest::Value(1, 2000 + 256));
    jog->Poll();
    EXPECT_EQ(jog->ComboBoxRemarks->ItemIndex(), 1) << "the highlighted remark";

    h->ShowAtTime(false, 1000);
    jog->Poll();
    EXPECT_EQ(jog->Timer1->Interval(), TFormJogShuttleBarStrip::FastInterval);
    EXPECT_EQ(jog->LRunComment->Caption(), "Lauf");
    // Each fast tick moves by the shuttle's step; once the buffer holds the
    // samples ahead (after a first move that refills it), the picture scrolls.
    jog->Shuttle->SetValue(20);
    jog->Poll();
    for (const auto& [position, samples] : {std::pair{20, 40}, std::pair{5, 5}}) {
        jog->Shuttle->SetValue(position);
        jog->Poll();
        EXPECT_EQ(h->LastScroll(), samples) << position;
    }
    jog->Shuttle->SetValue(0);
    jog->BEnd->Click();
    EXPECT_EQ(newest(), RunFileTest::Value(1, 2999));

    h->StopPlaying();
    EXPECT_FALSE(jog->Shuttle->Enabled());
    jog->Poll();
    EXPECT_EQ(jog->ComboBoxRemarks->ItemCount(), 0);
    EXPECT_EQ(jog->LRunNumber->Caption(), "-");
    h->SetShowJogShuttleBar(false);
    EXPECT_FALSE(jog->Timer1->Enabled());
}
