// The strip chart demonstration window: recording through the file dialog,
// the 50 ms feed, closing while recording, and the logger's window.

#include "RunFileTestSupport.h"

#include "stripchart/Fastlog_Unit.h"
#include "stripchart/Stripchart_Unit.h"

#include <platform/SysUtils.h>

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
        const QString path = Name ? QString::fromStdString(Dir(Name)) : QString();
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
    std::vector<TRunInfo> Runs(const char* Name)
    {
        TRunFileReader reader;
        return reader.Open(Dir(Name)) ? reader.Runs() : std::vector<TRunInfo>{};
    }
};

} // namespace

TEST(StripchartDemo, DescriptionAndCreation)
{
    TDemo d;
    TStripchart_Demo& f = d.Form;
    EXPECT_EQ(f.Caption(), "TStripchart Demo");
    EXPECT_EQ(f.Timer1->Interval(), 50);
    EXPECT_FALSE(f.Timer1->Enabled());
    EXPECT_EQ(f.OpenDialog1->Filter(), "Schreiberdaten|*.ddt");
    EXPECT_EQ(f.SpannungValue->Caption(), "0,00 V");
    TStripChart* c = f.StripChart1;
    EXPECT_EQ(c->SeriesNumber(), 8);
    EXPECT_DOUBLE_EQ(c->LogTimeIncrement(), 0.005);
    EXPECT_EQ(c->ViewYMax(), 80.0f);
    const TColor colors[] = {TColor(0x0000FF), TColor(0xFF0000), TColor(0x008000), TColor(0x00FFFF),
        TColor(0x800080), TColor(0x000080), TColor(0x00FF00), TColor(0xFFFF00)};
    for (int s = 1; s <= 8; ++s)
        EXPECT_EQ(c->Series(s).Color, colors[s - 1]) << s;
    f.StripChart1CrossMove(c, 0, 12.345f, 3, 7);
    EXPECT_EQ(f.KurveValue->Caption(), "3");
    EXPECT_EQ(f.SpannungValue->Caption(), QStringLiteral("12") + DecimalSeparator() + QStringLiteral("35 V"));
    f.Werkzeugleiste->Click();
    EXPECT_TRUE(c->ShowToolBar());
    f.Werkzeugleiste->Click();
    EXPECT_FALSE(c->ShowToolBar());

    TFastlog_Demo log;
    log.InitializeForm();
    EXPECT_EQ(log.Caption(), "TFastlog Demo");
    EXPECT_EQ(log.Label2->Caption(), "3,5 MB / Sekunde");
}

TEST(StripchartDemo, RecordsTwoRunsAndClosingEndsWithATail)
{
    TDemo d;
    TStripchart_Demo& f = d.Form;
    d.Answer("demo.ddt");
    f.Aufnehmen->Click();
    EXPECT_TRUE(f.StripChart1->Logging());
    EXPECT_TRUE(f.Timer1->Enabled());
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
    const auto runs = d.Runs("demo.ddt");
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].SampleCount, 1500);
    EXPECT_EQ(runs[1].SampleCount, 30);
    EXPECT_TRUE(runs[1].Closed);
    const auto bytes = RunFileTest::Bytes(d.Dir("demo.ddt"));
    ASSERT_GE(bytes.size(), 44u);
    EXPECT_EQ(std::string(bytes.end() - 44, bytes.end() - 40), "TAIL");
}

TEST(StripchartDemo, CancelledDialogStopsLoggingAndPlaybackButNotTheFeed)
{
    TDemo d;
    TStripchart_Demo& f = d.Form;
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
    ASSERT_EQ(d.Runs("a.ddt").size(), 1u);
    EXPECT_EQ(d.Runs("a.ddt")[0].SampleCount, 50);
}
