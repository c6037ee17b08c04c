// The strip chart's data model: setters and their rules, feeding samples,
// the buffer with its compaction, the range check, automatic scaling, the
// stored series list and the time axis texts.

#include "StripTestSupport.h"

#include <platform/Streaming.h>
#include <platform/SysUtils.h>
#include <stripchart/Fastlog.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace Tessaron;
using StripTest::THost;

namespace {

const auto kRamp = [](int S, long I) { return double(S) + 0.01 * double(I % 500); };

} // namespace

TEST(StripData, InvalidSetterValuesAreIgnored)
{
    THost c;
    c->SetSeriesNumber(3);
    for (int v : {0, 9, -1})
        c->SetSeriesNumber(v);
    EXPECT_EQ(c->SeriesNumber(), 3);
    c->SetSeriesCurrent(9);
    EXPECT_EQ(c->SeriesCurrent(), 1);
    // SeriesCurrent may lie beyond SeriesNumber: reads give 0, writes are ignored.
    c->SetSeriesCurrent(5);
    EXPECT_EQ(c->SeriesCurrent(), 5);
    c->SetSeriesColor(clRed);
    EXPECT_EQ(c->SeriesColor(), TColor(0));
    EXPECT_FALSE(c->SeriesVisible());
    c->SetSeriesNumber(5);
    EXPECT_EQ(c->SeriesColor(), clBlack);
    EXPECT_EQ(c->Series(5).Length, 1024);
    for (int v : {0, 200000000, 511, -5})
        c->SetSamplesPerBuffer(v);
    EXPECT_EQ(c->SamplesPerBuffer(), 1024);
    for (int v : {0, -1, 1025})
        c->SetSamplesPerWindow(v);
    EXPECT_EQ(c->SamplesPerWindow(), 512);
    for (double v : {0.0, -1.0, std::nan("")}) {
        c->SetLogTimeIncrement(v);
        c->SetViewXGap(v);
    }
    EXPECT_EQ(c->LogTimeIncrement(), 1.0);
    EXPECT_EQ(c->ViewXGap(), 1.0);
    // Nothing of the run file pretends to work yet.
    c->SetDisplayRunNumber(3);
    c->SetRunComment(QStringLiteral("x"));
    EXPECT_EQ(c->DisplayRunNumber(), 0);
    EXPECT_EQ(c->RunComment(), QStringLiteral("Ohne Kommentar"));
    EXPECT_FALSE(c->Logging() || c->Playing());

    c.Image();
    c->SetViewYGap(-1);
    EXPECT_EQ(c->ViewYGap(), 2.0f);
    // The rejected value asked for a repaint: the picture is painted anew.
    c.C->Canvas()->SetPixel(200, 100, clFuchsia);
    EXPECT_NE(c.At(200, 100), clFuchsia);
}

// Limits count as inside, NaN is not checked, and each series keeps its side
// from call to call; within a call series 1 comes first. The chart and the
// logger share the rule.
TEST(StripData, RangeCheckFiresOncePerCrossingInChartAndLogger)
{
    using E = std::tuple<double, float, int, TStripRange>;
    const std::vector<E> want = {{1.0, 1.0f, 1, rngBelow}, {0.5, 6.0f, 2, rngAbove}, {1.0, 5.0f, 2, rngInside},
        {1.5, 1.5f, 2, rngBelow}, {3.0, 3.0f, 1, rngInside}, {2.0, 2.0f, 2, rngInside}, {3.0, 9.0f, 2, rngAbove},
        {3.5, 6.0f, 1, rngAbove}, {4.5, 5.0f, 1, rngInside}};
    const std::vector<std::array<std::vector<float>, 2>> calls = {
        {{{2, 5, 1, 0.5f}, {3, 6, 5, 1.5f}}}, {{{NAN, 1.5f, 3}, {2, NAN, 9}}}, {{{6, 7, 5}, {9, 9, 9}}}};
    const auto check = [&](auto& Owner, const char* Name) {
        SCOPED_TRACE(Name);
        Owner.SetSeriesNumber(2);
        Owner.SetRangeLower(2.0f);
        Owner.SetRangeUpper(5.0f);
        Owner.SetLogTimeIncrement(0.5);
        std::vector<E> events;
        Owner.OnRangeCheck = [&](TObject*, double T, float V, int S, TStripRange R) { events.emplace_back(T, V, S, R); };
        for (const auto& c : calls)
            Owner.AddSamples({c[0].data(), c[1].data()}, 2, int(c[0].size()));
        EXPECT_EQ(events, want);
        EXPECT_DOUBLE_EQ(double(Owner.LastSampleTime()), 4.5);
    };
    THost chart;
    check(*chart.C, "chart");
    TFastlog log;
    check(log, "logger");
}

TEST(StripData, BadFeedsChangeNothing)
{
    THost c;
    c->SetSeriesNumber(2);
    const float v[4] = {1, 2, 3, 4};
    c->AddSamples({v, v}, 2, 4);
    const long double last = c->LastSampleTime();
    const std::array<const float*, 8> missing{v, nullptr};
    c->AddSamples(missing, 2, 4);   // null pointer for a series in use
    c->AddSamples(missing, 1, 4);   // SeriesCount below SeriesNumber: series 2 still read
    c->AddSamples({v, v}, 2, 0);
    c->AddSamples({v, v}, 2, -3);
    c->AddSamples({v, v}, 9, 4);
    c->AddSamples({v, v}, 0, 4);
    EXPECT_EQ(c->StoredCount(), 4);
    EXPECT_EQ(c->LastSampleTime(), last);
}

// Compaction keeps the window going; a start time, even an unchanged one,
// restarts the display.
TEST(StripData, CompactionAndRestart)
{
    THost c;
    c->SetLogTimeIncrement(0.25);
    for (int call = 1; call <= 102; ++call)
        c.Feed(10, kRamp);
    EXPECT_EQ(c->StoredCount(), 1020);
    EXPECT_EQ(c->FirstSampleNumber(), 0);
    const int right = c->Width() - c->GapRight();
    const int x500 = c->XPosition(1020 - 500);
    c.Feed(10, kRamp);
    EXPECT_EQ(c->StoredCount(), 512);
    EXPECT_EQ(c->WindowOffset(), 0);
    EXPECT_EQ(c->FirstSampleNumber(), 518);
    // Sample 1020 - 500 (absolute 519) is now index 2 and kept its pixel but
    // for the scroll of the ten new samples; the newest sits on the right edge.
    EXPECT_EQ(c->Series(1).Samples[1], float(kRamp(1, 519)));
    EXPECT_EQ(c->XPosition(512), right);
    EXPECT_EQ(c->XPosition(2), x500 - (right - c->XPosition(502)));
    EXPECT_EQ(c->TimeOfIndex(512), 1029 * 0.25L);
    EXPECT_EQ(c->LastSampleTime(), 1029 * 0.25L);
    c->SetLogStartTime(0.0);
    EXPECT_EQ(c->StoredCount(), 0);
    EXPECT_EQ(c->WindowOffset(), -512);
    EXPECT_EQ(c->LastSampleTime(), -0.25L);
    c.Feed(1, kRamp);
    EXPECT_EQ(c->TimeOfIndex(1), 0.0L);
}

TEST(StripData, StorageCases)
{
    struct Case {
        int Stored;  // samples fed before, in blocks of 10
        int N;
        int Count, Offset;
        long double First;
    };
    // Room left, a call larger than the window, larger than the buffer.
    for (const Case& k : {Case{100, 20, 120, 120 - 512, 0}, Case{500, 600, 600, 600 - 512, 500},
             Case{100, 1500, 1024, 1500 - 512, 100 + 476}}) {
        THost c;
        for (int i = 0; i < k.Stored; i += 10)
            c.Feed(10, kRamp);
        const qint64 scrolls = c->ScrollStats().Calls;
        c.Feed(k.N, kRamp);
        // Only a call within the window scrolls; a larger one repaints everything.
        EXPECT_EQ(c->ScrollStats().Calls - scrolls, k.N <= 512 ? 1 : 0);
        EXPECT_EQ(c->StoredCount(), k.Count);
        EXPECT_EQ(c->WindowOffset(), k.Offset);
        EXPECT_EQ(c->FirstSampleNumber(), k.First);
        EXPECT_EQ(c->Series(1).Samples[std::size_t(k.Count - 1)], float(kRamp(1, k.Stored + k.N - 1)));
        EXPECT_EQ(c->XPosition(k.Count), c->Width() - c->GapRight());
    }
}

TEST(StripData, ScaleToData)
{
    THost c;
    // Every buffer entry, also those never written, counts.
    c->SetSamplesPerBuffer(512);
    std::vector<float> v(512, 5.0f);
    v[3] = 3.7f;
    v[9] = 8.2f;
    c->SetViewYMax(20);
    c->AddSamples({v.data()}, 1, 511);
    c->AddSamples({v.data() + 511}, 1, 1);  // fills the last entry: no 0.0 left
    EXPECT_TRUE(c->ScaleToData());
    EXPECT_FLOAT_EQ(c->ViewYMin(), 3.45f);
    EXPECT_FLOAT_EQ(c->ViewYMax(), 8.45f);
    EXPECT_FLOAT_EQ(c->ViewYGap(), 1.25f);
    c->SetViewYMin(0);
    c->SetViewYMax(10);
    EXPECT_FALSE(c->ScaleToData());
    EXPECT_EQ(c->ViewYMax(), 10.0f);
}

TEST(StripData, SeriesListRoundTripLimitsAndDescription)
{
    THost c;
    c->SetSeriesNumber(2);
    c->SetSeriesCurrent(2);
    c->SetSeriesColor(clBlue);
    c->SetSeriesLineStyle(psDot);
    c->SetSeriesVisible(false);
    const QVariantList written = c->WriteListProperty();
    EXPECT_EQ(written, (QVariantList{qlonglong(clBlack), qlonglong(psSolid), true, qlonglong(clBlue),
                           qlonglong(psDot), false}));
    THost d;
    QVariantList nine;
    for (int s = 0; s < 9; ++s)
        nine << qlonglong(s + 1) << qlonglong(psDash) << (s % 2 == 0);
    EXPECT_TRUE(d->ReadListProperty(nine, nullptr));
    EXPECT_EQ(d->Series(8).Color, TColor(8));
    EXPECT_FALSE(d->Series(8).Visible);
    QString error;
    EXPECT_FALSE(d->ReadListProperty(QVariantList{qlonglong(1), qlonglong(9), true}, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Series: series 1"))) << error.toStdString();
    EXPECT_FALSE(d->ReadListProperty(QVariantList{qlonglong(1), qlonglong(0)}, &error));
    EXPECT_EQ(d->Series(1).Color, TColor(1));

    // In a description, by name.
    THost t;
    const QByteArray text = "object Strip1: TStripChart\n"
                            "  GridScale = strpLog\n"
                            "  ViewYMin = 0.1\n"
                            "  ViewYMax = 1000\n"
                            "  SeriesNumber = 2\n"
                            "  SamplesPerWindow = 200\n"
                            "  SamplesPerBuffer = 400\n"
                            "  LogTimeIncrement = 0.05\n"
                            "  RunComment = 'Ohne Kommentar'\n"
                            "  Series = (255 0 True 16711680 2 False)\n"
                            "end\n";
    ReadComponentText(t.C, text, QStringLiteral("strip test"));
    EXPECT_EQ(t->Series(2).Color, TColor(0xFF0000));
    EXPECT_EQ(t->Series(2).LineStyle, psDot);
    EXPECT_EQ(t->SamplesPerBuffer(), 400);
    EXPECT_EQ(t->Series(2).Length, 400);
    // A window larger than the default buffer is read before its buffer.
    t->SetSamplesPerBuffer(4000);
    t->SetSamplesPerWindow(2000);
    const QByteArray stored = WriteComponentText(t.C);
    EXPECT_TRUE(stored.contains("Series = ")) << stored.constData();
    THost e;
    ReadComponentText(e.C, stored, QStringLiteral("written"));
    EXPECT_EQ(WriteComponentText(e.C), stored);
    EXPECT_EQ(e->SamplesPerWindow(), 2000);
}

TEST(StripData, DesignerShowsPreviewCurvesInTheRange)
{
    TComponent form;
    form.SetDesigning(true);
    TStripChart c(&form);
    RandSeed = 1; // the curves are random: a fixed seed, or a rare slow one fails the spread
    c.SetSeriesNumber(2);
    c.SetViewYMin(4);
    for (int s = 1; s <= 2; ++s) {
        const std::vector<float>& v = c.Series(s).Samples;
        const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
        EXPECT_TRUE(*lo >= 4.0f && *hi <= 10.0f && *hi - *lo > 1.0f) << s;
    }
}

TEST(StripTime, UnitsTextsAndLabelStep)
{
    struct Case {
        int Samples;
        long double Increment;
        const char* Suffix;
    };
    for (const Case& k : {Case{512, 0.005L, "   [sec:msec]"}, Case{512, 0.001L, "   [sec:msec]"},
             Case{512, 0.0001L, "   [msec:\u00b5sec]"}, Case{512, 100.0L / 512, "   [min:sec]"},
             Case{100, 1e-7L, "   [\u00b5sec:nsec]"}, Case{100, 100.0L, "   [h:min]"},
             Case{100, 1e5L, "   [day]"}})
        EXPECT_EQ(StripTime::UnitFor(k.Samples, k.Increment).Suffix, QString::fromUtf8(k.Suffix))
            << k.Samples << " x " << double(k.Increment);
    EXPECT_EQ(StripTime::UnitFor(512, 0.0001L).Decade, -2);

    // Texts keep their own time of day.
    using namespace StripTime;
    const TTimeUnit seconds = UnitFor(512, 0.005L);
    const TTimeUnit minutes = UnitFor(512, 1.0L);
    EXPECT_EQ(DateTimeText(1), QStringLiteral("0000 000 00 00:00:00"));
    EXPECT_EQ(DateTimeText(61), QStringLiteral("00:01:01"));
    EXPECT_EQ(DateTimeText(DateTimeZero), QStringLiteral("1899 Dec 30 00:00:00"));
    EXPECT_EQ(DateTimeText(DateTimeZero - 1), QStringLiteral("1899 Dec 29 23:59:59"));
    EXPECT_EQ(DateTimeText(86400 + 1), QStringLiteral("0001 Jan 01 00:00:01"));
    EXPECT_EQ(Caption(seconds, 61.005L), QStringLiteral("00:01:01.005   [sec:msec]"));
    EXPECT_EQ(GridLabel(seconds, 61.25L), QStringLiteral("01.250"));
    EXPECT_EQ(GridLabel(minutes, 3661), QStringLiteral("01:01"));
    EXPECT_EQ(GridLabel(minutes, 0), QStringLiteral("00:00"));
    EXPECT_EQ(GridLabel(UnitFor(512, 0.0001L), 1.0025L), QStringLiteral("002.500"));
    EXPECT_EQ(LabelStep(40, 0, 1.0, 512, 1.0L), 1);
    EXPECT_EQ(LabelStep(40, 400, 1.0, 512, 1.0L), 52);  // 0.78 px per gap
    EXPECT_EQ(LabelStep(40, 400, 64.0, 512, 1.0L), 1);
    EXPECT_EQ(LabelStep(40, 400, 1e-300, 512, 1.0L), 0);  // overflow
}
