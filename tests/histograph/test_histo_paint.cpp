// The histograph's picture, checked by pixels.

#include "HistoTestSupport.h"

#include <histograph/HistoScale.h>

#include <platform/SysUtils.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

using namespace Tessaron;
using HistoTest::TextAt;
using HistoTest::THost;
using HistoTest::YLabelAt;
using HistoTest::Differences;

namespace {

// Paints over the histograph's canvas behind its back.
void Scribble(const THost& H, std::initializer_list<TRect> Rects)
{
    H.Image();
    TCanvas* c = H->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clFuchsia);
    for (const TRect& r : Rects)
        c->FillRect(r);
}

QImage RedPanel(int W, int H, const TFont* Font, const QString& Message)
{
    TBitmap b(W, H);
    TCanvas* c = b.Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clRed);
    c->FillRect(TRect(0, 0, W, H));
    c->SetFont(Font);
    c->TextOut(10, 10, Message);
    c->Flush();
    return b.Image().copy();
}

// An X label: centred on column X, its top at row Top.
bool XLabelAt(const THost& H, const QString& Text, int X, int Top)
{
    const int left = X - HistoTest::TextSize(H->FontXAxis(), Text).width() / 2;
    return TextAt(H.Image(), left, Top, Text, H->FontXAxis(), clBtnFace);
}

} // namespace

// The red panel shows the range error, X first when both are wrong; once the
// ranges are valid again, the plot returns.
TEST(HistoPaint, InvalidRangesShowTheRedPanel)
{
    THost h;
    const auto panel = [&](const char* Message) { return RedPanel(417, 241, h->Font(), QString::fromLatin1(Message)); };
    h->SetViewXCurrentMin(5);
    h->SetViewXCurrentMax(5);
    h->SetViewYMin(20);
    EXPECT_EQ(Differences(h.Image(), panel("Range-Error in ViewX-Properties")), 0);
    h->SetViewXCurrentMax(10);
    EXPECT_EQ(Differences(h.Image(), panel("Range-Error in ViewY-Properties")), 0);
    h->SetViewYMin(0);
    EXPECT_EQ(h.At(100, 100), HistoTest::RgbOf(clBtnFace));
}

TEST(HistoPaint, BorderAndPlotFrameUseTheShadesOfColor)
{
    // light = (250, 125, 12.5 -> 12), dark = (150, 75, 7.5 -> 8): rounded to even.
    const TColor color = RGB(200, 100, 10);
    const TColor light = RGB(250, 125, 12);
    const TColor dark = RGB(150, 75, 8);
    for (const auto border : {THistograph::bsSingle, THistograph::bsNone}) {
        THost h;
        h->SetColor(color);
        h->SetBkColor(clWhite);
        h->SetBorderStyle(border);
        const bool framed = border == THistograph::bsSingle;
        EXPECT_EQ(h.At(0, 100), framed ? light : color);    // left edge
        EXPECT_EQ(h.At(100, 0), framed ? light : color);    // top edge
        EXPECT_EQ(h.At(416, 100), framed ? dark : color);   // right edge
        EXPECT_EQ(h.At(100, 240), framed ? dark : color);   // bottom edge
        EXPECT_EQ(h.At(1, 100), color);
        // The sunken plot frame: dark left and top, light right and bottom.
        EXPECT_EQ(h.At(69, 100), dark);
        EXPECT_EQ(h.At(200, 39), dark);
        EXPECT_EQ(h.At(377, 100), light);
        EXPECT_EQ(h.At(200, 182), light);
        EXPECT_EQ(h.At(70, 40), clWhite);
        EXPECT_EQ(h.At(376, 181), clWhite);  // the fill reaches one past the axis rectangle
        EXPECT_EQ(h.At(68, 100), color);
    }
}

TEST(HistoPaint, CurvesLieAtTheirValues)
{
    THost h(417, 400);  // 300 pixel rows from y = 40 to 340
    h->SetBkColor(clWhite);
    h->SetSeriesColor(clRed);
    float values[2] = {5, 5};
    h->SetSeriesData(values, 2, 1);
    // y = Trunc(340 + 5 * -30) + 1
    EXPECT_EQ(h.At(70, 191), clRed);
    EXPECT_EQ(h.At(376, 191), clRed);
    EXPECT_EQ(h.At(200, 190), clWhite);
    EXPECT_EQ(h.At(200, 192), clWhite);

    // The histograph reads the caller's array at every repaint.
    values[0] = values[1] = 2;
    h->Invalidate();
    EXPECT_EQ(h.At(200, 281), clRed);
    EXPECT_EQ(h.At(200, 191), clWhite);

    // XY pairs at X = 0 and 10, Y = 8.
    h->SetSeriesStyle(THistograph::dtDataXY);
    const float pairs[4] = {0, 8, 10, 8};
    h->SetSeriesDataXY(pairs, 2, 1);
    h->Invalidate();
    EXPECT_EQ(h.At(150, 101), clRed);
    EXPECT_EQ(h.At(150, 281), clWhite);

    // A logarithmic Y axis through YToPixel.
    h->SetSeriesStyle(THistograph::dtData);
    h->SetViewYMin(1);
    h->SetViewYMax(1000);
    h->SetGridScale(THistograph::sclLinLog);
    values[0] = values[1] = 10;
    h->SetSeriesData(values, 2, 1);
    EXPECT_EQ(h.At(200, h->YToPixel(10)), clRed);
    EXPECT_EQ(h.At(200, h->YToPixel(10) - 1), clWhite);
}

TEST(HistoPaint, NewDataRedrawOnlyThePlotAreaDisabledUpdatesNothing)
{
    THost h;
    Scribble(h, {TRect(2, 2, 6, 6), TRect(100, 100, 104, 104)});
    const float values[2] = {5, 5};
    h->SetSeriesData(values, 2, 1);
    EXPECT_EQ(h.At(3, 3), clFuchsia);
    EXPECT_EQ(h.At(101, 101), HistoTest::RgbOf(clBtnFace));
    EXPECT_EQ(h.At(200, h->YToPixel(5)), clBlack);

    // With AutoScale a changed range repaints everything.
    h->SetAutoScale(true);
    const float other[2] = {100, 120};
    h->SetSeriesData(other, 2, 1);
    EXPECT_EQ(h.At(3, 3), HistoTest::RgbOf(clBtnFace));
    EXPECT_FLOAT_EQ(h->ViewYMin(), 100);
    EXPECT_FLOAT_EQ(h->ViewYMax(), 120);

    // With updates disabled nothing is drawn at all; enabling them repaints.
    THost g;
    Scribble(g, {TRect(0, 0, 417, 241)});
    ASSERT_EQ(g.At(100, 100), clFuchsia);
    const QImage before = g.Image().copy();
    g->SetEnableUpdate(false);
    g->SetViewYMax(20);
    g->Invalidate();
    const float few[2] = {1, 2};
    g->SetSeriesData(few, 2, 1);
    EXPECT_EQ(Differences(g.Image(), before), 0);
    g->SetEnableUpdate(true);
    EXPECT_EQ(g.At(100, 100), HistoTest::RgbOf(clBtnFace));
    EXPECT_EQ(g.At(5, 100), HistoTest::RgbOf(clBtnFace));
}

TEST(HistoPaint, LinearLabelsAtTheirTicks)
{
    THost h(417, 400);
    h->SetViewYMin(-1.5f);
    h->SetViewYMax(1.5f);
    h->SetViewYGap(0.5f);
    // 50 pixels per step: every step labelled, "-1.50" at the bottom (y = 340).
    const char* labels[] = {"-1.50", "-1.00", "-0.50", "0.00", "0.50", "1.00", "1.50"};
    for (int i = 0; i < 7; ++i) {
        const int y = 340 - 50 * i;
        EXPECT_TRUE(YLabelAt(h.C, QString::fromLatin1(labels[i]), y)) << labels[i];
        EXPECT_EQ(h.At(68, y), HistoTest::RgbOf(clGray)) << labels[i]; // the tick
    }
    // X: 0 ... 10 by 2 over 306 pixels, centred below the plot.
    const int offsets[] = {0, 61, 122, 183, 244, 306};
    for (int i = 0; i < 6; ++i) {
        const QString text = FormatFloat(QStringLiteral("0.00"), 2 * i);
        EXPECT_TRUE(XLabelAt(h, text, 70 + offsets[i], 345)) << text.toStdString();
        EXPECT_EQ(h.At(70 + offsets[i], 342), HistoTest::RgbOf(clGray)) << i;
    }
}

// A low plot skips labels; a narrow one widens a step too fine for it.
TEST(HistoPaint, LabelsSkipStepsOnALowPlotAndStepsWidenOnANarrowOne)
{
    THost h(70 + 40 + 10, 175); // 75 pixel rows: 12 pixels per step of 0.5; 10 columns
    h->SetViewXGap(0.1f);
    h->SetViewYMin(-1.5f);
    h->SetViewYMax(1.5f);
    h->SetViewYGap(0.5f);
    const int every = (2 * HistoTest::TextSize(h->FontYAxis(), QStringLiteral("012.")).height() + 11) / 12;
    const HistoScale::TLinearAxis axis{-1.5, 1.5, 0.5, 75};
    auto drawn = [&](double v) { return YLabelAt(h.C, FormatFloat(QStringLiteral("0.00"), v), 115 - axis.Offset(v)); };
    ASSERT_GE(every, 2);
    EXPECT_TRUE(drawn(-1.5));
    EXPECT_FALSE(drawn(-1.0));
    EXPECT_TRUE(drawn(-1.5 + 0.5 * every));
    EXPECT_FLOAT_EQ(h->ViewXGap(), float(10.0 * 2 / 9));
}

TEST(HistoPaint, DecadeLabelsOnLogarithmicAxes)
{
    // Each decade's label at the decade's row (the texts of other ranges:
    // HistoScale.DecadesTheirLabelsAndTheMinorGridValues).
    THost y(417, 400);
    y->SetGridScale(THistograph::sclLinLog);
    y->SetViewYMin(0.01f);
    y->SetViewYMax(1000);
    const char* labels[] = {"0.01", "0.1", "1", "10", "100", "1000"};
    for (int k = -2; k <= 3; ++k)
        EXPECT_TRUE(YLabelAt(y.C, QString::fromLatin1(labels[k + 2]), y->YToPixel(std::pow(10.0, k)))) << k;
    // The X axis: decades of the visible range, centred.
    THost h;
    h->SetGridScale(THistograph::sclLogLin);
    h->SetViewXNominalMin(0.00001f);
    h->SetViewXNominalMax(256);
    h->SetViewXCurrentMin(1);
    h->SetViewXCurrentMax(256);
    for (const char* label : {"1", "10", "100"})
        EXPECT_TRUE(XLabelAt(h, QString::fromLatin1(label), h->XToPixel(std::atof(label)), 181 + 5)) << label;
}

// With AutoScale on a logarithmic Y axis and only negative data the paint
// corrects the range without asking for another paint.
TEST(HistoPaint, AutoScaleOnALogAxisPaintsOnce)
{
    const float values[3] = {-5, -2, -1};
    THost h;
    h->SetGridScale(THistograph::sclLinLog);
    h->SetAutoScale(true);
    h->SetSeriesData(values, 3, 1);
    int paints = 0;
    h->OnPaint = [&](TObject*) { ++paints; };
    h.Repainted();
    EXPECT_EQ(paints, 1);
    // Nothing is left pending: asking for the picture again paints nothing.
    h.Image();
    h.Image();
    EXPECT_EQ(paints, 1);
    EXPECT_GT(h->ViewYMax(), h->ViewYMin());
    EXPECT_GT(h->ViewYMin(), 0);
}

TEST(HistoPaint, GridLinesFollowGridVisible)
{
    struct Case {
        TGrdVisible Visible;
        bool Horizontal, Vertical;
    };
    const Case cases[] = {
        {grdNone, false, false}, {grdHor, true, false}, {grdVer, false, true}, {grdBoth, true, true}};
    for (const bool logarithmic : {false, true})
        for (const Case& c : cases) {
            THost h(417, 400);
            h->SetGridColor(clLime);
            h->SetBkColor(clWhite);
            h->SetGridVisible(c.Visible);
            int hx, hy, vx, vy;  // a point on a horizontal and one on a vertical line
            if (logarithmic) { // 1 ... 100 both ways: lines at 20, a point off them at 25
                h->SetGridScale(THistograph::sclLogLog);
                h->SetViewYMin(1);
                h->SetViewYMax(100);
                h->SetViewXNominalMin(1);
                h->SetViewXNominalMax(100);
                h->SetViewXCurrentMin(1);
                h->SetViewXCurrentMax(100);
                hy = h->YToPixel(20), hx = h->XToPixel(25), vx = h->XToPixel(20), vy = h->YToPixel(25);
            } else {
                hy = 340 - 30 * 4;  // Y 0 ... 10 by 2: a line at 4
                hx = 100;
                vx = 70 + 122;      // X 0 ... 10 by 2 over 306 pixels: a line at 4
                vy = 250;
            }
            const char* name = logarithmic ? "logarithmic" : "linear";
            EXPECT_EQ(h.At(hx, hy) == clLime, c.Horizontal) << name << " " << int(c.Visible);
            EXPECT_EQ(h.At(vx, vy) == clLime, c.Vertical) << name << " " << int(c.Visible);
        }
}

TEST(HistoPaint, OffscreenBitmapFollowsTheSize)
{
    THost h;
    THost plain(500, 241);
    for (THistograph* g : {h.C, plain.C}) {
        g->SetTitleTop(QStringLiteral("Tessaron Testprogramm"));
        g->SetTitleLeft(QStringLiteral("Spannung [V]"));
        g->SetGridVisible(grdBoth);
    }
    h->SetReduceFlicker(true);
    ASSERT_NE(h->OffscreenBitmap(), nullptr);
    h.Image();
    h->SetWidth(500);
    h.Image();
    EXPECT_EQ(h->OffscreenBitmap()->Width(), 500);
    EXPECT_EQ(h->OffscreenBitmap()->Height(), 241);
    // The same picture as drawn directly.
    EXPECT_EQ(Differences(h.Image(), plain.Image()), 0);
    h->SetReduceFlicker(false);
    EXPECT_EQ(h->OffscreenBitmap(), nullptr);
}

TEST(HistoPaint, TitlesAndTheirHitRectangles)
{
    THost h, untitled;
    EXPECT_EQ(h->TitleRect(THistograph::ttTop), TRect(-1, -1, -1, -1));
    const QString top = QStringLiteral("Tessaron Testprogramm");
    h->SetTitleTop(top);
    h->SetTitleBottom(QStringLiteral("Zeit [s]"));
    h->SetTitleLeft(QStringLiteral("Spannung [V]"));
    h->SetTitleRight(QStringLiteral("Strom [A]"));
    h->FontTitleTop()->SetColor(clBlue);
    const QImage& image = h.Image();
    const TRect r = h->TitleRect(THistograph::ttTop);
    EXPECT_EQ(r.Top, 10);
    EXPECT_EQ(r.Left, 417 / 2 - r.Width() / 2);
    EXPECT_TRUE(TextAt(image, r.Left, r.Top, top, h->FontTitleTop(), clBtnFace));
    const TRect b = h->TitleRect(THistograph::ttBottom);
    EXPECT_EQ(b.Bottom, 241 - 10);
    EXPECT_TRUE(TextAt(image, b.Left, b.Top, QStringLiteral("Zeit [s]"), h->FontTitleBottom(), clBtnFace));
    // Rotated titles: 10 pixels from the edge, centred on the height, taller than wide.
    const TRect l = h->TitleRect(THistograph::ttLeft);
    const TRect rr = h->TitleRect(THistograph::ttRight);
    EXPECT_EQ(l.Left, 10);
    EXPECT_EQ(rr.Right, 417 - 10);
    for (const TRect& t : {l, rr}) {
        EXPECT_GT(t.Height(), t.Width());
        EXPECT_LE(std::abs((t.Top + t.Bottom) / 2 - 241 / 2), 1);
        EXPECT_GT(Differences(image, untitled.Image(), t, true), 20) << "ink";
    }
}

TEST(HistoPaint, ReadOutBoxInTheBottomLeftCorner)
{
    THost h;
    h.Image();
    h->DrawReadOut(1.5, 0.00225);
    const QString text = QStringLiteral("X=") + FormatFloat(QStringLiteral("#.##E-00"), 1.5) + QStringLiteral(" Y=")
        + FormatFloat(QStringLiteral("#.##E-00"), 0.00225);
    const int boxHeight = HistoTest::TextSize(h->Font(), text).height() + 20;
    const int boxWidth = HistoTest::TextSize(h->Font(), QStringLiteral("X=#.##E-00 Y=#.##E-00")).width() + 20;
    EXPECT_TRUE(TextAt(h.Image(), 10, 241 - boxHeight + 10, text, h->Font(), clBtnFace));
    EXPECT_EQ(h.At(1, 241 - boxHeight), HistoTest::RgbOf(clGray));
    EXPECT_EQ(h.At(boxWidth - 1, 241 - 2), HistoTest::RgbOf(clGray));
    EXPECT_EQ(h.At(boxWidth, 241 - 2), HistoTest::RgbOf(clBtnFace));
}

// ---------------------------------------------------------------- long series

TEST(HistoPaint, ReducedColumnsGiveTheSamePicture)
{
    struct Case {
        int Count;
        float From, To;  // visible X of the nominal 0 ... 10
        TPenStyle Style;
    };
    const Case cases[] = {
        {50000, 4.2f, 4.3f, psSolid},
        {1000000, 7.77f, 7.9f, psSolid},
        {20000, 0, 10, psInsideFrame},
        {20000, 0, 10, psDot},
    };
    unsigned seed = 11;
    for (const Case& c : cases) {
        THost h;
        h->SetViewYMin(-1);
        h->SetViewYMax(1);
        h->SetViewXCurrentMin(c.From);
        h->SetViewXCurrentMax(c.To);
        h->SetSeriesLineStyle(c.Style);
        h->SetGridVisible(grdBoth);
        const std::vector<float> data = TestSupport::Uniform(c.Count, seed++, -1.3f, 1.3f);
        h->SetSeriesData(data.data(), c.Count, 1);
        const QImage reduced = h.Repainted();
        h->SetReduceColumns(false);
        const QImage full = h.Repainted();
        EXPECT_EQ(Differences(reduced, full), 0) << c.Count << " from " << c.From;
    }
}

TEST(HistoPaint, NonFiniteSamplesStayInsideThePlot)
{
    const float nan = std::nanf("");
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<float> data = TestSupport::Uniform(3000, 5);
    for (std::size_t i = 0; i < data.size(); i += 23)
        data[i] = i % 3 == 0 ? nan : (i % 3 == 1 ? inf : -inf);
    data[100] = 3e38f;
    data[101] = -3e38f;
    for (const auto scale : {THistograph::sclLinLin, THistograph::sclLogLog}) {
        THost empty;
        THost h;
        for (THistograph* g : {empty.C, h.C}) {
            g->SetGridScale(scale);
            g->SetViewYMin(0.01f);
            g->SetViewXNominalMin(1);
            g->SetViewXCurrentMin(1);
        }
        h->SetSeriesData(data.data(), int(data.size()), 1);
        const QImage reduced = h.Repainted();
        // Nothing of the curve outside the axis rectangle.
        EXPECT_EQ(Differences(reduced, empty.Image(), TRect(70, 40, 377, 181)), 0);
        EXPECT_GT(Differences(reduced, empty.Image(), TRect(70, 40, 377, 181), true), 100);
        h->SetReduceColumns(false);
        EXPECT_EQ(Differences(reduced, h.Repainted()), 0);
        // XY pairs with the same values.
        h->SetSeriesStyle(THistograph::dtDataXY);
        h->SetSeriesDataXY(data.data(), int(data.size() / 2), 1);
        EXPECT_EQ(Differences(h.Repainted(), empty.Image(), TRect(70, 40, 377, 181)), 0);
    }
}
