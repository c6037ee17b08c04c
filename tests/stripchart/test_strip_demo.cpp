// The strip chart demonstration window: recording through the file dialog,
// the 50 ms feed, closing while recording, and one event's whole road from
// the menu to the file and back.

#include "RunFileTestSupport.h"

#include "app/Main.h"
#include "stripchart/Remedit.h"
#include "stripchart/Stripchart_Unit.h"
#include "stripchart/_sEjs.h"
#include "stripchart/_sEtb.h"

#include <platform/Menus.h>
#include <platform/SysUtils.h>
#include <stripchart/RemarkFile.h>

#include "support/MouseInput.h"
#include "support/TestSupport.h"
#include "support/ToolWindowTestKit.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace Tessaron;

namespace {

struct TDemo {
    TStripchart_Demo Form;
    RunFileTest::TFolder Dir;
    TDemo() { Form.InitializeForm(); }
    ~TDemo() { TOpenDialog::SetTestResponder(nullptr); }
    // The file dialog answers with Name (confirmed) or is cancelled (nullptr).
    void Answer(const char* Name)
    {
        const QString path = Name ? Dir.Q(Name) : QString();
        TOpenDialog::SetTestResponder([path](TOpenDialog& D) {
            D.SetFileName(path);
            return !path.isEmpty();
        });
    }
    void Tick(int Count)
    {
        for (int i = 0; i < Count; ++i)
            Form.Timer1Timer(Form.Timer1);
    }
    std::vector<TRunInfo> Runs(const char* Name) const { return RunFileTest::RunsOf(Dir(Name)); }
};

} // namespace

// A cancelled file dialog stops logging or playback but not the feed; a
// second recording into the same file is a second run; closing while
// recording ends the file with a TAIL.
TEST(StripchartDemo, DescriptionRecordsPlaysCancelsAndClosingEndsWithATail)
{
    TDemo d;
    TStripchart_Demo& f = d.Form;
    // The description's timer, series and range that the feed and the
    // read-outs rest on, and the tool bar switch. (The cross read-out is on
    // the whole road below.)
    EXPECT_EQ(f.Timer1->Interval(), 50);
    EXPECT_FALSE(f.Timer1->Enabled());
    TStripChart* c = f.StripChart1;
    EXPECT_EQ(c->SeriesNumber(), 8);
    EXPECT_DOUBLE_EQ(c->LogTimeIncrement(), 0.005);
    EXPECT_EQ(c->ViewYMax(), 80.0f);
    f.Werkzeugleiste->Click();
    EXPECT_TRUE(c->ShowToolBar());
    f.Werkzeugleiste->Click();
    EXPECT_FALSE(c->ShowToolBar());

    d.Answer("a.ddt");
    f.Aufnehmen->Click();
    d.Tick(5);
    d.Answer(nullptr);
    f.Aufnehmen->Click();
    EXPECT_FALSE(f.StripChart1->Logging());
    EXPECT_TRUE(f.Timer1->Enabled());
    const int stored = f.StripChart1->StoredCount();
    d.Tick(2); // live display without logging
    EXPECT_EQ(f.StripChart1->StoredCount(), stored + 20);
    d.Answer("a.ddt");
    f.Wiedergeben->Click();
    EXPECT_TRUE(f.StripChart1->Playing());
    EXPECT_EQ(f.StripChart1->DisplayRunNumber(), 1);
    d.Answer(nullptr);
    f.Wiedergeben->Click();
    EXPECT_FALSE(f.StripChart1->Playing());
    EXPECT_TRUE(f.Timer1->Enabled());
    RunFileTest::ExpectClosedRuns(d.Runs("a.ddt"), {50});

    d.Answer("demo.ddt");
    f.Aufnehmen->Click();
    EXPECT_TRUE(f.StripChart1->Logging());
    EXPECT_EQ(f.StripChart1->RunComment(), "Kein Kommentar");
    d.Tick(150); // 1500 samples of each series
    for (int s = 1; s <= 8; ++s) {
        const float v = f.StripChart1->Series(s).Samples[std::size_t(f.StripChart1->StoredCount() - 1)];
        EXPECT_GE(v, 5 + 10 * (s - 1));
        EXPECT_LT(v, 7 + 10 * (s - 1));
    }
    f.Aufnehmen->Click(); // the same file: a second run
    d.Tick(3);
    f.Close();
    EXPECT_FALSE(f.Timer1->Enabled());
    EXPECT_FALSE(f.StripChart1->Logging());
    RunFileTest::ExpectClosedRuns(d.Runs("demo.ddt"), {1500, 30});
    const auto bytes = RunFileTest::Bytes(d.Dir("demo.ddt"));
    ASSERT_GE(bytes.size(), 44u);
    EXPECT_EQ(std::string(bytes.end() - 44, bytes.end() - 40), "TAIL");
}

namespace {

struct TChartMouse : TestSupport::TMouseInput {
    TStripChart* C = nullptr;
    QWidget* W() const override { return C->Widget(); }
};

} // namespace

// The menu shows the window; "&Aufnehmen" records what the timer feeds; the
// mouse measures and adds a remark; closing ends the run. The file then holds
// every sample fed, in order, and the remark, which the jog shuttle finds.
TEST(StripchartDemo, OneEventsRoadFromTheMenuToTheFileAndBack)
{
    RunFileTest::TFolder dir;
    const QString path = dir.Q("weg.ddt");
    TOpenDialog::SetTestResponder([path](TOpenDialog& D) {
        D.SetFileName(path);
        return true;
    });
    QStringList errors;
    Application()->OnException = [&](const QString& Message) { errors << Message; };
    // The program's windows as the program makes them: the main window first,
    // all owned by the application.
    static TTessaron32* const menu = [] {
        auto* m = new TTessaron32(Application());
        Application()->AddForm(m);
        return m;
    }();
    auto* demo = new TStripchart_Demo(Application());
    Application()->AddForm(demo);
    TStripChart* c = demo->StripChart1;
    std::array<std::vector<float>, TStripChart::MaxSeries> fed;
    Connect(demo->Timer1, &TTimer::OnTimer, [&] {
        for (std::size_t s = 0; s < fed.size(); ++s)
            fed[s].insert(fed[s].end(), demo->LastBlock()[s].begin(), demo->LastBlock()[s].end());
    });
    TChartMouse mouse;
    mouse.C = c;
    const int band4 = 173 - 36 * 133 / 80; // the row of 36 V: series 4's band (plot rows 40 ... 173, 0 ... 80 V)
    QString kurve, spannung;
    double remarkTime = -1;
    QTimer::singleShot(0, [&] {
        demo->Aufnehmen->Click();
        TestSupport::RunEventLoopFor(300);
        for (int i = 0; i < 60; ++i) // and on, faster than the clock
            demo->Timer1->OnTimer(demo->Timer1);
        mouse.Move(250, band4);
        kurve = demo->KurveValue->Caption();
        spannung = demo->SpannungValue->Caption();
        demo->Werkzeugleiste->Click();
        ToolWindowTest::ClickOn(c->ToolBar()->BModeRemark);
        TEditRemark* editor = c->RemarkEditor();
        QTimer::singleShot(0, [editor] {
            editor->TextEdit->SetText(QStringLiteral("Weg"));
            editor->SetModalResult(mrOk);
        });
        mouse.Drag(150, band4, 150, band4);
        if (!c->Remarks().empty())
            remarkTime = c->Remarks().back().Time;
        demo->Close();
    });
    menu->MainMenu1->FindItem(QStringLiteral("N8KanalSchreiber1"))->Click();
    EXPECT_FALSE(c->Logging());
    EXPECT_FALSE(demo->Timer1->Enabled());
    EXPECT_EQ(kurve, "4");
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^3[5-7]") + DecimalSeparator() + QStringLiteral("\\d\\d V$"))
                    .match(spannung).hasMatch())
        << spannung.toStdString();

    TRunFileReader reader;
    ASSERT_TRUE(reader.Open(dir("weg.ddt")));
    const auto runs = reader.Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_TRUE(runs[0].Closed);
    const int count = int(fed[0].size());
    ASSERT_GT(count, 600);
    ASSERT_EQ(runs[0].SampleCount, count);
    std::array<std::vector<float>, TStripChart::MaxSeries> stored;
    std::array<float*, TStripChart::MaxSeries> dest{};
    for (std::size_t s = 0; s < stored.size(); ++s)
        dest[s] = (stored[s] = std::vector<float>(std::size_t(count))).data();
    TReadStatus status = rsComplete;
    EXPECT_EQ(reader.Read(runs[0], 0, count, dest.data(), TStripChart::MaxSeries, status), count);
    for (std::size_t s = 0; s < stored.size(); ++s)
        EXPECT_EQ(stored[s], fed[s]) << "series " << s + 1;

    TRemarkFile remarks;
    ASSERT_TRUE(remarks.OpenReadOnly(TRemarkFile::PathFor(dir("weg.ddt"))));
    remarks.LoadRemarks(1);
    ASSERT_EQ(remarks.List().size(), 1u);
    TRemarkRecord record;
    ASSERT_TRUE(remarks.ReadRecord(remarks.List()[0].FileOffset, record));
    EXPECT_EQ(record.Text, "Weg");
    EXPECT_EQ(record.Time, remarkTime);

    // Played back, the jog shuttle lists the remark and shows it centred.
    demo->Wiedergeben->Click();
    ASSERT_TRUE(c->Playing());
    c->SetShowJogShuttleBar(true);
    TFormJogShuttleBarStrip* jog = c->JogShuttleBar();
    jog->Poll();
    EXPECT_EQ(jog->ComboBoxRemarks->Items(), QStringList{"Weg"});
    ToolWindowTest::Pick(jog->ComboBoxRemarks, 0);
    const double increment = runs[0].Increment;
    const double newest = double(c->TimeOfIndex(c->StoredCount()));
    EXPECT_NEAR(newest, std::min(remarkTime + c->SamplesPerWindow() / 2 * increment, runs[0].EndTime), increment / 2);
    EXPECT_EQ(c->HighlightedRemark(), 0);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();

    c->SetShowJogShuttleBar(false);
    c->StopPlaying();
    delete demo;
    Application()->OnException = nullptr;
    TOpenDialog::SetTestResponder(nullptr);
}
