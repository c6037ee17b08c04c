// The strip chart's mouse modes driven by synthesized mouse input on a shown
// chart: the sample under the mouse, measuring and calculate crosses, the
// rubber-band zoom and its undo, the remark editor, and dropped colours.
#include <histograph/Colorhis.h>
#include <stripchart/Remedit.h>
#include <stripchart/StrpChrt.h>
#include <stripchart/_sEca.h>

#include <platform/Spin.h>
#include <platform/StdCtrls.h>

#include <QLocale>

#include "support/MouseInput.h"
#include "RunFileTestSupport.h"
#include "StripTestSupport.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

using namespace Tessaron;

namespace {

// A shown chart whose plot spans columns 10 ... 410 and rows 20 ... 220
// (Y 0 ... 10, 20 pixels per unit), with a colour grid below it.
struct TMouseHost : TestSupport::TShownHost<StripTest::THost> {
    explicit TMouseHost(int Series = 1) { C->SetSeriesNumber(Series); }
    // Count samples of every series in use: series s is Values[s - 1].
    void Feed(int Count, const std::vector<float>& Values)
    {
        StripTest::THost::Feed(Count, [&](int S, long) { return S <= int(Values.size()) ? Values[std::size_t(S - 1)] : 0.0f; });
        C->BackingImage();
    }
};

// Row of value V on the test plot.
int Row(double V)
{
    return int(220 - 20 * V);
}

// The right button undid the zoom: the view from before it again.
void ExpectZoomUndone(const TMouseHost& m)
{
    EXPECT_EQ(m.C->SamplesPerWindow(), 512);
    EXPECT_FLOAT_EQ(m.C->ViewYMin(), 0);
    EXPECT_FLOAT_EQ(m.C->ViewYMax(), 10);
    EXPECT_FLOAT_EQ(m.C->ViewYGap(), 2);
    EXPECT_DOUBLE_EQ(m.C->ViewXGap(), 50);
    EXPECT_FALSE(m.C->Zoomed());
}

} // namespace

TEST(StripMouse, SampleUnderTheMouseTakesTheNearestSeriesAndTheLowerOnTies)
{
    const struct {
        std::vector<float> Values;
        double MouseValue;
        int Series;
    } cases[] = {
        {{5.0f, 5.0f}, 5.0, 1},
        {{2.0f, 8.0f}, 6.0, 2},
        {{NAN, 8.0f}, 1.0, 2},
    };
    for (const auto& c : cases) {
        TMouseHost m(int(c.Values.size()));
        EXPECT_EQ(m.C->SampleAt(200, Row(5)).Index, -1) << "nothing stored";
        m.Feed(512, c.Values);
        const TStripChart::TSampleHit hit = m.C->SampleAt(200, Row(c.MouseValue));
        EXPECT_EQ(hit.Series, c.Series) << c.MouseValue;
        EXPECT_GE(hit.X, 200);
        EXPECT_LT(m.C->XPosition(hit.Index - 1), 200);
    }
}

TEST(StripMouse, MeasuringCrossFollowsTheMouseAndLeavesWithIt)
{
    QLocale::setDefault(QLocale(QLocale::German));
    TMouseHost m(2);
    m.Feed(512, {2.0f, 8.0f});
    int calls = 0, series = 0;
    float value = 0;
    m.C->OnCrossMove = [&](TObject*, float, float Y, int S, int) { ++calls, value = Y, series = S; };
    const TColor before = QRgbToColor(m.C->BackingImage().pixel(200, 50));
    m.Move(200, Row(7));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(series, 2);
    EXPECT_FLOAT_EQ(value, 8);
    EXPECT_TRUE(m.C->CrossVisible(2));
    EXPECT_EQ(m.C->CrossReadout().Value1, "8");
    EXPECT_NE(QRgbToColor(m.C->BackingImage().pixel(m.C->Cross(2).X, 50)), before);
    m.Move(5, 5);
    EXPECT_FALSE(m.C->CrossVisible(2));
    EXPECT_EQ(calls, 1);
}

TEST(StripMouse, CalculateCrossesAtEqualTimesHaveNoReciprocal)
{
    TMouseHost m;
    m.Feed(512, {4.0f});
    m.C->Loaded();
    m.C->SetShowValueBar(true);
    TFormCalculateBarStrip* bar = m.C->ValueBar();
    ASSERT_TRUE(bar && bar->Visible());
    m.C->SetStripMode(Strip::modeCalculate);
    EXPECT_TRUE(m.C->CrossReadout().SecondEnabled);
    int calls = 0;
    m.C->OnCalculate = [&](TObject*, int, int, double, double, double, double) { ++calls; };
    m.Drag(150, 100, 150, 100);
    m.Drag(150, 100, 150, 100, Qt::RightButton);
    // Each press places its cross; each held move places both the first time, then its own.
    EXPECT_EQ(calls, 5);
    EXPECT_TRUE(m.C->CrossVisible(0) && m.C->CrossVisible(1));
    EXPECT_EQ(m.C->CrossReadout().InverseDeltaTime, "----");
    EXPECT_EQ(bar->invdeltax->Caption(), "----");
    // A held button drags its cross; the other stays.
    m.Drag(150, 100, 300, 100);
    EXPECT_GT(m.C->Cross(0).Time, m.C->Cross(1).Time);
    EXPECT_NE(m.C->CrossReadout().InverseDeltaTime, "----");
    m.C->SetStripMode(Strip::modeZoom);
    EXPECT_FALSE(m.C->CrossVisible(0) || m.C->CrossVisible(1));
    EXPECT_FALSE(m.C->CrossReadout().SecondEnabled);
}

// Releasing raises one click unless the mode uses it; the zoom band is
// clamped to the plot and the right button's undo restores the live view; a
// zoom never spreads the buffer over more than 32760 pixels.
TEST(StripMouse, ClicksZoomAndUndo)
{
    TMouseHost m;
    m.Feed(512, {4.0f});
    int clicks = 0;
    m.C->OnClick = [&](TObject*) { ++clicks; };
    m.Drag(100, 100, 100, 100);
    EXPECT_EQ(clicks, 1) << "measure mode, left";
    m.C->SetViewXGap(50);
    m.C->SetStripMode(Strip::modeZoom);
    m.Drag(100, 100, 100, 100, Qt::RightButton);
    EXPECT_EQ(clicks, 2) << "zoom mode, right button without a zoom";
    // The band dragged above the plot ends at its top edge: Y up to 10.
    m.Drag(110, 140, 210, -30);
    EXPECT_TRUE(m.C->Zoomed());
    EXPECT_FLOAT_EQ(m.C->ViewYMax(), 10);
    EXPECT_FLOAT_EQ(m.C->ViewYMin(), 4);
    EXPECT_FLOAT_EQ(m.C->ViewYGap(), 1.2f) << "five divisions as before";
    const int window = m.C->SamplesPerWindow();
    EXPECT_NEAR(window, 512 / 4, 3);
    EXPECT_FALSE(m.C->LiveDisplay());
    EXPECT_LT(m.C->ViewXGap(), 50);
    // Zooming again keeps the first saved view.
    m.Drag(100, 60, 300, 100);
    EXPECT_LT(m.C->SamplesPerWindow(), window);
    // A band of no height does nothing.
    const float max = m.C->ViewYMax();
    m.Drag(100, 60, 300, 60);
    EXPECT_EQ(m.C->ViewYMax(), max);
    m.Drag(100, 100, 100, 100, Qt::RightButton);
    EXPECT_EQ(clicks, 2) << "the undo is no click";
    ExpectZoomUndone(m);
    EXPECT_TRUE(m.C->LiveDisplay());
    // Remark mode takes the click; with no run file open no editor opens.
    m.C->SetStripMode(Strip::modeRemark);
    m.Drag(100, 100, 100, 100);
    EXPECT_EQ(clicks, 2);

    // A zoom never spreads the buffer over more than 32760 pixels:
    // Trunc(400 / 32760 * 100000) + 1 samples at least.
    m.C->SetSamplesPerBuffer(100000);
    m.Feed(512, {4.0f});
    m.C->SetStripMode(Strip::modeZoom);
    m.Drag(200, 60, 203, 120);
    EXPECT_EQ(m.C->SamplesPerWindow(), 1222);
}

TEST(StripMouse, RemarkEditorShowsAndTakesBackItsFields)
{
    QLocale::setDefault(QLocale(QLocale::German));
    TEditRemark e;
    e.RunNumber = 7;
    e.Time = 12.5;
    e.Series = -1;
    e.Flag = 0;
    e.Text = QString(250, 'x');
    e.ShowValues();
    EXPECT_EQ(e.RunLabel->Caption(), "7");
    EXPECT_EQ(e.TimeLabel->Caption(), "12,5");
    EXPECT_EQ(e.SeriesSpin->Value(), 0);
    EXPECT_EQ(e.SeriesText->Caption(), "Alle");
    EXPECT_TRUE(e.Automatic->Checked());
    e.SeriesSpin->SetValue(3);
    EXPECT_EQ(e.SeriesText->Caption(), "3");
    e.Manual->SetChecked(true);
    e.TakeValues();
    EXPECT_EQ(e.Series, 3);
    EXPECT_EQ(e.Flag, 1);
    EXPECT_EQ(e.Text.size(), TEditRemark::MaxText);
}

TEST(StripMouse, DroppedColourGoesToEachOfTheTenTargets)
{
    TMouseHost m;
    m.C->SetTitleLeft("links");
    m.C->SetTitleRight("rechts");
    m.C->SetTitleTop("oben");
    m.C->SetTitleBottom("unten");
    m.C->SetGapLeft(60);
    m.C->SetGapRight(40);
    m.C->SetGapTop(40);
    m.C->SetGapBottom(60);
    m.C->SetGridVisible(grdVer);
    m.C->SetSeriesColor(clBlack);
    m.Feed(512, {5.0f});
    m.C->BackingImage();
    auto centre = [&](TRecorderTitle T) {
        const TRect r = m.C->TitleRect(T);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    };
    // Rows of values 0, 2, 4, ...: midway between the third and fourth is the curve at 5.
    ASSERT_GE(m.C->GridRows().size(), 4u);
    const int curveRow = (m.C->GridRows()[2] + m.C->GridRows()[3]) / 2;
    const struct {
        QPoint At;
        TStripChart::TDropKind Kind;
        std::function<TColor()> Colour;
    } cases[] = {
        {QPoint(200, curveRow), TStripChart::dkCurve, [&] { return m.C->SeriesColor(); }},
        {QPoint(200, m.C->GridRows()[1] + 1), TStripChart::dkGrid, [&] { return m.C->GridColor(); }},
        {QPoint(200, (m.C->GridRows()[0] + m.C->GridRows()[1]) / 2), TStripChart::dkPlot, [&] { return m.C->BkColor(); }},
        {centre(rtLeft), TStripChart::dkTitleLeft, [&] { return m.C->FontTitleLeft()->Color(); }},
        {centre(rtRight), TStripChart::dkTitleRight, [&] { return m.C->FontTitleRight()->Color(); }},
        {centre(rtTop), TStripChart::dkTitleTop, [&] { return m.C->FontTitleTop()->Color(); }},
        {centre(rtBottom), TStripChart::dkTitleBottom, [&] { return m.C->FontTitleBottom()->Color(); }},
        {QPoint(55, 100), TStripChart::dkYLabels, [&] { return m.C->FontYAxis()->Color(); }},
        {QPoint(200, 185), TStripChart::dkXLabels, [&] { return m.C->FontXAxis()->Color(); }},
        {QPoint(2, 2), TStripChart::dkControl, [&] { return m.C->Color(); }},
    };
    for (const auto& c : cases) {
        int series = 0;
        ASSERT_EQ(m.C->DropKindAt(c.At.x(), c.At.y(), series), c.Kind) << c.At.x() << "," << c.At.y();
        const TColor before = c.Colour();
        m.Grid->SetSelection(9);
        if (m.Grid->SelectColor() == before)
            m.Grid->SetSelection(10);
        const TColor colour = m.Grid->SelectColor();
        bool accept = false;
        m.C->DragOver(m.Grid, c.At.x(), c.At.y(), dsDragMove, accept);
        EXPECT_TRUE(accept);
        EXPECT_EQ(c.Colour(), colour) << "preview of kind " << int(c.Kind);
        m.C->DragOver(m.Grid, c.At.x(), c.At.y(), dsDragLeave, accept);
        EXPECT_EQ(c.Colour(), before) << "restored on leaving, kind " << int(c.Kind);
        m.C->DragOver(m.Grid, 2, 2, dsDragMove, accept);
        m.C->DragDrop(m.Grid, c.At.x(), c.At.y());
        EXPECT_EQ(c.Colour(), colour) << "dropped on kind " << int(c.Kind);
        if (c.Kind != TStripChart::dkControl)
            EXPECT_NE(m.C->Color(), colour) << "the previewed control colour came back, kind " << int(c.Kind);
    }
}

TEST(StripMouse, RemarksAreWrittenAndRewrittenThroughTheEditorWhileLogging)
{
    RunFileTest::TFolder dir;
    TMouseHost m;
    m.C->Loaded();
    ASSERT_TRUE(m.C->StartLogging(dir.Q("remarks.ddt"), QStringLiteral("Lauf")));
    m.Feed(512, {4.0f});
    m.C->SetStripMode(Strip::modeRemark);
    TEditRemark* e = m.C->RemarkEditor();
    ASSERT_TRUE(e);
    // Answers the next modal showing: Series spinner, text, OK or Cancel.
    auto answer = [&](int Spin, const QString& Text, int Result) {
        QTimer::singleShot(0, [=] {
            e->SeriesSpin->SetValue(Spin);
            e->TextEdit->SetText(Text);
            e->SetModalResult(Result);
        });
    };
    answer(0, QStringLiteral("alle"), mrOk);
    m.Drag(200, Row(4), 200, Row(4));
    ASSERT_EQ(m.C->Remarks().size(), 1u);
    EXPECT_EQ(m.C->Remarks()[0].Series, -1) << "spinner 0 is every series";
    EXPECT_EQ(m.C->Remarks()[0].Flag, dfManual);
    answer(1, QStringLiteral("nicht"), mrCancel);
    m.Drag(300, Row(4), 300, Row(4));
    EXPECT_EQ(m.C->Remarks().size(), 1u) << "cancelled";
    // The right button rewrites the nearest remark.
    answer(2, QStringLiteral("Kurve 2"), mrOk);
    m.Drag(250, Row(4), 250, Row(4), Qt::RightButton);
    ASSERT_EQ(m.C->Remarks().size(), 1u);
    EXPECT_EQ(m.C->Remarks()[0].Series, 2);
    EXPECT_EQ(m.C->SelectedRemark().Text, "Kurve 2");
}

TEST(StripMouse, ZoomAndUndoOnAStoredRun)
{
    RunFileTest::TFolder dir;
    const QString path = dir.Q("zoom.ddt");
    TMouseHost m;
    ASSERT_TRUE(m.C->StartLogging(path, QStringLiteral("Lauf")));
    m.Feed(2000, {4.0f});
    m.C->StopLogging();
    ASSERT_TRUE(m.C->StartPlaying(path));
    m.C->ShowRunEnd();
    ASSERT_EQ(m.C->StoredCount(), m.C->SamplesPerBuffer());
    m.C->SetViewXGap(50);
    m.C->SetStripMode(Strip::modeZoom);
    m.Drag(110, 40, 210, 140);
    EXPECT_NEAR(m.C->SamplesPerWindow(), 128, 3);
    EXPECT_FLOAT_EQ(m.C->ViewYMax(), 9);
    m.Drag(110, 40, 210, 140);
    EXPECT_LT(m.C->SamplesPerWindow(), 40);
    m.Drag(100, 100, 100, 100, Qt::RightButton);
    ExpectZoomUndone(m);
    EXPECT_GE(m.C->StoredCount(), 1);
}
