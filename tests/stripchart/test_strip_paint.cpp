// The strip chart's picture: error picture, labels, markers, crosses, and the
// incremental scroll, which must give exactly the picture of a full repaint.

#include "StripTestSupport.h"

#include <histograph/HistoScale.h>
#include "histograph/HistoTestSupport.h"

#include <platform/SysUtils.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace Tessaron;
using StripTest::THost;

namespace {

// The differing pixels between the picture as it stands and a full repaint
// (taken in this order: arguments of one call have none).
int RepaintDifferences(const THost& C)
{
    const QImage now = C.Image().copy();
    return HistoTest::Differences(now, C.Repainted());
}

double Noise(int S, long I)
{
    // Deterministic, with spikes beyond the range, NaN gaps and infinities.
    const double v = 5 + 4 * std::sin(0.05 * double(I) + S) + ((I * 7919 + S * 31) % 13) * 0.1;
    if (I % 97 == 13)
        return S == 2 ? NAN : 40.0;
    if (I % 331 == 7)
        return S % 2 ? INFINITY : -INFINITY;
    return S == 3 ? v * 100 : v;
}

} // namespace

TEST(StripPaint, ErrorPictureForInvalidYRange)
{
    struct Case {
        float Min, Max;
        TstrpScale Scale;
    };
    for (const Case& k : {Case{5, 5, strpLin}, Case{0, 10, strpLog}, Case{7, 3, strpLin}}) {
        THost c;
        c->SetViewYMin(k.Min);
        c->SetViewYMax(k.Max);
        c->SetGridScale(k.Scale);
        EXPECT_EQ(c->RangeError(), QStringLiteral("Range-Error in ViewY-Properties"));
        EXPECT_EQ(c.At(200, 200), clRed);
        EXPECT_EQ(c.At(1, 1), clRed);
    }
}

TEST(StripPaint, IncrementalScrollEqualsFullRepaint)
{
    struct Case {
        const char* Name;
        int Width, Height, Window, Buffer;
        std::vector<int> Blocks;
        TstrpScale Scale;
        bool Flicker;
        double Increment;
    };
    const std::vector<Case> cases = {
        {"demo", 417, 233, 512, 1024, {10}, strpLin, false, 0.005},
        {"mixed blocks, log", 417, 233, 512, 1024, {1, 7, 30, 3}, strpLog, false, 0.005},
        {"fractional steps, flicker-free", 400, 240, 300, 700, {13, 2, 40}, strpLin, true, 1.0},
        {"wide steps", 417, 233, 20, 45, {1, 3, 2}, strpLin, false, 61.0},
        {"more samples than columns", 1600, 400, 4096, 8192, {100, 37}, strpLin, false, 0.001},
        {"100,000 on 400", 400, 240, 100000, 100500, {5000, 333}, strpLog, true, 1e-5},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.Name);
        THost c(k.Width, k.Height);
        c->SetSeriesNumber(4);
        for (int s = 1; s <= 4; ++s) {
            c->SetSeriesCurrent(s);
            c->SetSeriesColor(TColor(RGB(60 * s, 200 - 40 * s, 30 * s)));
        }
        c->SetSamplesPerBuffer(k.Buffer);
        c->SetSamplesPerWindow(k.Window);
        c->SetLogTimeIncrement(k.Increment);
        c->SetViewXGap(k.Increment * k.Window / 7.3);
        c->SetGridVisible(grdBoth);
        c->SetGridScale(k.Scale);
        c->SetViewYMin(k.Scale == strpLog ? 0.5f : -1.0f);
        c->SetViewYMax(k.Scale == strpLog ? 900.0f : 12.0f);
        c->SetReduceFlicker(k.Flicker);
        c->SetTitleBottom(QStringLiteral("Zeit"));
        c->SetTitleLeft(QStringLiteral("Spannung"));
        c->SetRemarks({TRemarkEntry{1, 3 * k.Increment * k.Window, 1, dfManual, 0},
            TRemarkEntry{1, 4.5 * k.Increment * k.Window, -1, dfAutomatic, 0}});
        c.Image();
        // Through the window filling, the buffer compacting (several times)
        // and the remarks passing.
        const int total = 6 * k.Buffer + k.Window;
        for (int call = 0; c.Fed < total; ++call) {
            c.Feed(k.Blocks[std::size_t(call) % k.Blocks.size()], Noise);
            if (call % 17 == 5 || c.Fed >= total) {
                const QImage incremental = c.Image().copy();
                const QImage full = c.Repainted();
                EXPECT_EQ(HistoTest::Differences(incremental, full), 0) << "after " << c.Fed << " samples";
                if (HasFailure() && qEnvironmentVariableIsSet("STRIP_DUMP")) {
                    incremental.save(QStringLiteral("/tmp/strip_inc.png"));
                    full.save(QStringLiteral("/tmp/strip_full.png"));
                }
                if (HasFailure())
                    return;
            }
        }
        EXPECT_GT(c->ScrollStats().Calls, 0);
    }
}

TEST(StripPaint, ChangesBetweenFeedsKeepThePictureExact)
{
    // A cross on screen, painting switched off and on, a resize: each time
    // the next incremental steps still give the picture of a full repaint.
    THost c;
    c->SetGridVisible(grdBoth);
    c.Feed(300, Noise);
    c.Image();
    c->PlaceCross(2, 200, 100, clBlue);
    const std::vector<std::function<void()>> changes = {
        [] {},
        [&] { c->SetEnableUpdate(false); },
        [&] { c->SetEnableUpdate(true); },
        [&] { c->SetBounds(0, 0, 380, 250); },
        [&] { c->SetSamplesPerWindow(300); },
        [&] { c->HideCross(2); },
    };
    for (std::size_t k = 0; k < changes.size(); ++k) {
        changes[k]();
        for (int i = 0; i < 7; ++i)
            c.Feed(9, Noise);
        if (!c->EnableUpdate())
            continue;
        EXPECT_EQ(RepaintDifferences(c), 0) << "change " << k;
    }
    EXPECT_EQ(c->XPosition(c->StoredCount()), 380 - c->GapRight());
}

TEST(StripPaint, ColumnReductionDrawsTheFullPolyline)
{
    for (TstrpScale scale : {strpLin, strpLog}) {
        THost c(400, 240);
        c->SetSamplesPerBuffer(100000);
        c->SetSamplesPerWindow(100000);
        c->SetGridScale(scale);
        c->SetViewYMin(scale == strpLog ? 1.0f : 0.0f);
        c->SetViewYMax(scale == strpLog ? 100.0f : 10.0f);
        c.Feed(99000, Noise);
        const QImage reduced = c.Repainted();
        c->SetReduceColumns(false);
        EXPECT_EQ(HistoTest::Differences(reduced, c.Repainted()), 0);
    }
}

// The caption shows the newest sample's time right-aligned to the plot, one
// text line below the labels; Y labels turn scientific beyond +-100000; a
// small chart thins the labels but keeps every grid line; a plot of no width
// has label step 1.
TEST(StripPaint, CaptionAndLabels)
{
    THost c;
    c->SetLogTimeIncrement(0.005);
    c->SetViewYMin(-200000);
    c->SetViewYMax(200000);
    c->SetViewYGap(100000);
    c.Feed(12201, [](int, long) { return 5.0; });  // the newest at 61.000 s
    c.Image();
    const QString caption = StripTime::Caption(c->TimeUnit(), c->TimeOfIndex(c->StoredCount()));
    EXPECT_EQ(caption, QStringLiteral("00:01:01.000   [sec:msec]"));
    const int x = c->Width() - c->GapRight() - HistoTest::TextSize(c->FontXAxis(), caption).width();
    const int y = c->Height() - c->GapBottom() + 5 + HistoTest::TextSize(c->FontXAxis(), QStringLiteral("09")).height();
    EXPECT_TRUE(HistoTest::TextAt(c.Image(), x, y, caption, c->FontXAxis(), c->Color()));

    const int bottom = c->Height() - c->GapBottom();
    const HistoScale::TLinearAxis axis{-200000, 200000, 100000, bottom - c->GapTop()};
    EXPECT_TRUE(HistoTest::YLabelAt(c.C, QStringLiteral("-1E05"), bottom - axis.Offset(-100000)));

    THost small(300, 140);
    small->SetGridVisible(grdVer);
    small->SetViewYGap(0.5f);
    small.Feed(1, [](int, long) { return -1.0; });
    small.Image();
    const int left = small->GapLeft();
    int ticks = 0;
    for (int r : small->GridRows())
        ticks += small.At(left - 2, r) == ColorToRGB(clGray) ? 1 : 0;
    EXPECT_EQ(small->GridRows().size(), 20u);
    EXPECT_GT(ticks, 1);
    EXPECT_LT(ticks, 20);
    for (int r : small->GridRows())
        EXPECT_EQ(small.At(left + 50, r), ColorToRGB(clGray)) << r;

    THost none(200, 200);
    none->SetGapLeft(100);
    none->SetGapRight(100);
    none.Feed(20, [](int, long) { return 1.0; });
    none.Image();
    EXPECT_EQ(none->LabelStep(), 1);
}

TEST(StripPaint, CrossRemarkMarkersAndTheirHighlight)
{
    // A cross is drawn inverted and hiding it gives the picture back.
    THost c;
    const QImage before = c.Image().copy();
    c->PlaceCross(2, 200, 100, clBlack);
    EXPECT_NE(c.At(150, 100), QRgbToColor(before.pixel(150, 100)));
    EXPECT_NE(c.At(200, 80), QRgbToColor(before.pixel(200, 80)));
    c->HideCross(2);
    EXPECT_EQ(HistoTest::Differences(c.Image(), before), 0);

    c->SetSamplesPerBuffer(600);
    c.Feed(400, [](int, long) { return 5.0; });
    // Remarks at samples 100 (series 1) and 300 (all series); the middle of
    // the window is at sample 399 - 256, so the first is highlighted.
    c->SetRemarks({TRemarkEntry{1, 100.0, 1, dfManual, 0}, TRemarkEntry{1, 300.0, -1, dfAutomatic, 0}});
    EXPECT_EQ(c->HighlightedRemark(), 0);
    const int bottom = c->Height() - c->GapBottom();
    const int h = bottom - c->GapTop();
    const int y = int(Trunc(bottom + 1 - h * 0.5));
    const int s = std::max(4, int(0.1 * h)) / 2;
    const int x1 = c->XPosition(101);
    const int x3 = c->XPosition(301);
    EXPECT_EQ(c.At(x1 - s, y), ColorToRGB(clGreen));
    EXPECT_EQ(c.At(x3 - s, (c->GapTop() + bottom) / 2), ColorToRGB(clRed));
    // Feeding moves the middle past the second remark: the highlight moves.
    c.Feed(250, [](int, long) { return 5.0; });
    EXPECT_EQ(c->HighlightedRemark(), 1);
    EXPECT_EQ(RepaintDifferences(c), 0);
}
