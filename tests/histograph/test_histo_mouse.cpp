// The histograph's mouse modes driven by synthesized mouse input on a shown
// control: measuring and calculate crosses, reference editing, zoom, and
// colours dragged from a colour grid.
#include <histograph/Colorhis.h>
#include <histograph/Histo.h>
#include <histograph/_Eca.h>

#include <QLocale>
#include <QTest>

#include "HistoTestSupport.h"
#include "support/MouseInput.h"


#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

using namespace Tessaron;

namespace {

// A shown histograph whose plot spans 400 x 200 pixels (columns 10 ... 410,
// rows 20 ... 220), X 0 ... 10, Y 0 ... 10.
struct TMouseHost : TestSupport::TShownHost<HistoTest::THost> {
    TMouseHost() { C->BackingImage(); }
    // Drags grid cell Cell onto the histograph's point (X, Y).
    void DropColour(int Cell, int X, int Y)
    {
        QWidget* g = Grid->Widget();
        const QPoint target = g->mapFromGlobal(W()->mapToGlobal(QPoint(X, Y)));
        QTest::mousePress(g, Qt::LeftButton, {}, QPoint(Cell * 20 + 10, 8));
        QTest::mouseMove(g, target + QPoint(1, 0));
        QTest::mouseMove(g, target);
        QTest::mouseRelease(g, Qt::LeftButton, {}, target);
    }
};

// Yt series of Count values, all Value (the caller keeps the vector alive).
void SetFlat(THistograph* H, int Series, THistograph::TDataKind Kind, std::vector<float>& Data, float Value)
{
    H->SetSeriesCurrent(Series);
    H->SetSeriesStyle(Kind);
    std::fill(Data.begin(), Data.end(), Value);
    H->SetSeriesData(Data.data(), int(Data.size()), Series);
}

} // namespace

TEST(HistoMouse, MeasuringCrossSnapsToTheCurveNearestInYAndLeavesWithThePointer)
{
    TMouseHost m;
    m.C->SetSeriesNumber(2);
    std::vector<float> low(11), high(11);
    SetFlat(m.C, 1, THistograph::dtData, low, 2);
    SetFlat(m.C, 2, THistograph::dtData, high, 8);
    m.C->SetSeriesColor(clRed);
    struct Report {
        float X = -1, Y = -1;
        int Series = 0, Index = 0, Calls = 0;
    } r;
    m.C->OnCrossMove = [&](TObject*, float X, float Y, int S, int I) { r = {X, Y, S, I, r.Calls + 1}; };
    const TColor before = m.At(130, 50);

    // Column 130 is value 4 (X = 3); row 80 is Y = 7, nearer the curve at 8.
    m.Move(128, 80);
    EXPECT_EQ(r.Calls, 1);
    EXPECT_FLOAT_EQ(r.X, 3);
    EXPECT_FLOAT_EQ(r.Y, 8);
    EXPECT_EQ(r.Series, 2);
    EXPECT_EQ(r.Index, 4);
    EXPECT_TRUE(m.C->Cross(2).Visible);
    EXPECT_NE(m.At(130, 50), before) << "the vertical line of the cross";
    // Row 200 (Y = 1) is nearer the curve at 2; a repaint places the cross again.
    m.Move(130, 200);
    EXPECT_EQ(r.Series, 1);
    const int calls = r.Calls;
    m.C->Repaint();
    EXPECT_EQ(r.Calls, calls + 1);
    EXPECT_NE(m.At(130, 50), before);

    // Leaving the plot removes the cross and restores the picture.
    m.Move(5, 5);
    EXPECT_FALSE(m.C->Cross(2).Visible);
    EXPECT_EQ(m.At(130, 50), before);
    EXPECT_EQ(r.Calls, calls + 1);
}

TEST(HistoMouse, CalculateCrossesReportDifferencesOnTheValueBar)
{
    QLocale::setDefault(QLocale(QLocale::German));
    TMouseHost m;
    std::vector<float> y(11);
    for (int i = 0; i < 11; ++i)
        y[std::size_t(i)] = float(i);
    m.C->SetSeriesData(y.data(), 11, 1);
    m.C->SetMode(THistograph::modeCalculate);
    m.C->SetShowValueBar(true);
    TFormCalculateBar* bar = m.C->ValueBar();
    ASSERT_TRUE(bar && bar->Visible());
    EXPECT_TRUE(bar->deltax->Enabled());
    int calculations = 0;
    m.C->OnCalculate = [&](TObject*, int, int, float, float, float, float) { ++calculations; };

    // X = 1 at column 50 with the left button, X = 3 at column 130 with the right.
    m.Drag(50, 100, 50, 100);
    m.Drag(130, 100, 130, 100, Qt::RightButton);
    EXPECT_TRUE(m.C->Cross(0).Visible && m.C->Cross(1).Visible);
    EXPECT_EQ(bar->X1->Caption(), "1");
    EXPECT_EQ(bar->X2->Caption(), "3");
    EXPECT_EQ(bar->deltax->Caption(), "2");
    EXPECT_EQ(bar->deltay->Caption(), "2");
    EXPECT_EQ(bar->invdeltax->Caption(), "0,5");
    EXPECT_GT(calculations, 0);
    // Both crosses at the same X: no inverse.
    m.Drag(130, 100, 130, 100);
    EXPECT_EQ(bar->invdeltax->Caption(), "----");

    // Back to measuring: the calculate crosses go, the second read-outs grey.
    m.C->SetMode(THistograph::modeMeasure);
    EXPECT_FALSE(m.C->Cross(0).Visible || m.C->Cross(1).Visible);
    EXPECT_FALSE(bar->deltax->Enabled());
    m.C->SetShowValueBar(false);
    EXPECT_FALSE(m.C->ShowValueBar());
    QLocale::setDefault(QLocale::c());
}

TEST(HistoMouse, LowerReferenceBendsLikeARubberBandAndChangesAtRelease)
{
    TMouseHost m;
    m.C->SetViewYMin(0);
    m.C->SetViewYMax(2);
    m.C->SetShowValues(false);
    m.C->SetReferenceRubberWidth(30);
    std::vector<float> ref(101);
    SetFlat(m.C, 1, THistograph::dtLowerRef, ref, 1);
    m.C->SetMode(THistograph::modeLowerRef);
    int reportedIndex = 0;
    float reportedY = 0;
    m.C->OnReferenceMove = [&](TObject*, float, float Y, int, int I) {
        reportedIndex = I;
        reportedY = Y;
    };

    // 101 values over 400 columns: value i at column 6 + 4 i. Both presses
    // lift by 20 pixels (0.2); the centre keeps its weight near the start too.
    struct Case {
        int Centre;
        std::vector<int> Still; // indices that barely move
    };
    for (const Case& c : {Case{51, {36, 66, 20, 90}}, Case{3, {18, 40}}}) {
        SetFlat(m.C, 1, THistograph::dtLowerRef, ref, 1);
        const float* v = m.C->Series(1).Data; // the histograph's copy, changed in place
        const int x = 6 + 4 * c.Centre;
        m.Press(x, 120);
        ASSERT_TRUE(m.C->EditingReference()) << c.Centre;
        m.Move(x, 100);
        EXPECT_EQ(reportedIndex, c.Centre);
        EXPECT_NEAR(reportedY, 1.2, 0.005) << c.Centre;
        EXPECT_EQ(v[c.Centre - 1], 1.0f) << "unchanged until the release";
        // A repaint during the drag (new data, a timer) keeps the band.
        const QImage during = m.C->BackingImage().copy();
        m.C->Repaint();
        EXPECT_TRUE(m.C->BackingImage() == during) << c.Centre;
        m.Release(x, 100);
        EXPECT_FALSE(m.C->EditingReference());
        EXPECT_NEAR(v[c.Centre - 1], 1.2, 0.005) << c.Centre;
        for (int i : c.Still)
            EXPECT_NEAR(v[i - 1], 1.0, 0.005) << c.Centre << " " << i;
    }
    EXPECT_EQ(m.C->Mode(), THistograph::modeLowerRef);

    // Without an upper reference curve the press falls back to measuring.
    m.C->SetMode(THistograph::modeUpperRef);
    m.Drag(100, 100, 100, 80);
    EXPECT_EQ(m.C->Mode(), THistograph::modeMeasure);
    EXPECT_FLOAT_EQ(m.C->Series(1).Data[23], 1.0f);
}

TEST(HistoMouse, ReferencePairsAreEditedAsTheirYValues)
{
    TMouseHost m;
    m.C->SetSeriesStyle(THistograph::dtUpperRef);
    const std::vector<float> pairs = {0, 1, 5, 1, 10, 1};
    m.C->SetSeriesDataXY(pairs.data(), 3, 1);
    m.C->SetMode(THistograph::modeUpperRef);
    m.C->SetReferenceRubberWidth(1);
    m.Drag(210, 100, 210, 80); // the middle value, 20 pixels (1.0) up
    ASSERT_EQ(m.C->Series(1).Count, 3);
    EXPECT_EQ(std::vector<float>(m.C->Series(1).Data, m.C->Series(1).Data + 3), (std::vector<float>{1, 2, 1}));
}

TEST(HistoMouse, ZoomTwiceThenRightClickRestoresTheFirstView)
{
    TMouseHost m;
    m.C->SetMode(THistograph::modeZoom);
    m.C->SetViewXGap(1);
    m.C->SetViewYGap(1);
    // The current view: X range, Y range and both steps.
    auto view = [&] {
        return std::array{m.C->ViewXCurrentMin(), m.C->ViewXCurrentMax(), m.C->ViewYMin(), m.C->ViewYMax(),
            m.C->ViewXGap(), m.C->ViewYGap()};
    };
    m.Drag(50, 60, 250, 160); // X 1 ... 6, Y 8 ... 3
    EXPECT_TRUE(m.C->Zoomed());
    EXPECT_EQ(view(), (std::array{1.0f, 6.0f, 3.0f, 8.0f, 0.5f, 0.5f}));
    // The second zoom keeps its steps proportional to the first view.
    m.Drag(10, 20, 210, 120); // X 1 ... 3.5
    EXPECT_FLOAT_EQ(m.C->ViewXCurrentMax(), 3.5f);
    EXPECT_FLOAT_EQ(m.C->ViewXGap(), 0.25f);

    // Refused rectangles change nothing: no width, no height.
    for (const QRect r : {QRect(QPoint(100, 50), QPoint(100, 150)), QRect(QPoint(50, 90), QPoint(250, 90))}) {
        m.Drag(r.left(), r.top(), r.right(), r.bottom());
        EXPECT_FLOAT_EQ(m.C->ViewXCurrentMax(), 3.5f);
        EXPECT_FLOAT_EQ(m.C->ViewYMax(), 8);
    }
    m.Drag(30, 30, 30, 30, Qt::RightButton);
    EXPECT_FALSE(m.C->Zoomed());
    EXPECT_EQ(view(), (std::array{0.0f, 10.0f, 0.0f, 10.0f, 1.0f, 1.0f}));

    // A narrow window far from zero: its labels would lie beyond 32760 pixels.
    m.C->SetViewXCurrentMin(1000);
    m.C->SetViewXCurrentMax(1010);
    m.Drag(100, 50, 101, 150);
    EXPECT_FALSE(m.C->Zoomed());
    EXPECT_FLOAT_EQ(m.C->ViewXCurrentMin(), 1000);
}

TEST(HistoMouse, DroppedColourPaintsTheAreaUnderThePointerAndALeavingDragNothing)
{
    TMouseHost m;
    m.C->SetTitleTop(QStringLiteral("Oben"));
    std::vector<float> y(11);
    SetFlat(m.C, 1, THistograph::dtData, y, 5); // row 120
    m.C->BackingImage();
    const TRect title = m.C->TitleRect(THistograph::ttTop);
    const TColor red = TColorGridHisto::CellColor(9);
    const TColor plotBefore = m.C->BkColor();
    // A drag that leaves the control gives the preview back; other sources are refused.
    bool accept = false;
    CallEvent(m.C->OnDragOver, m.C, m.Grid, 200, 100, dsDragEnter, accept);
    EXPECT_TRUE(accept);
    EXPECT_EQ(m.C->BkColor(), m.Grid->SelectColor()) << "the preview";
    CallEvent(m.C->OnDragOver, m.C, m.Grid, 200, 100, dsDragLeave, accept);
    EXPECT_EQ(m.C->BkColor(), plotBefore);
    CallEvent(m.C->OnDragOver, m.C, m.C, 200, 100, dsDragEnter, accept);
    EXPECT_FALSE(accept);


    m.DropColour(9, title.Left + 2, title.Top + 2);
    EXPECT_EQ(m.C->FontTitleTop()->Color(), red);
    EXPECT_NE(m.C->FontTitleBottom()->Color(), red);
    EXPECT_NE(m.C->Color(), red);
    EXPECT_EQ(m.C->BkColor(), plotBefore);
    EXPECT_EQ(m.C->Series(1).Color, clBlack);

    m.DropColour(12, 210, 123); // 2 pixels below the value at X = 5 (row 121)
    EXPECT_EQ(m.C->Series(1).Color, TColorGridHisto::CellColor(12));
    EXPECT_EQ(m.C->BkColor(), plotBefore) << "the preview of the plot was given back";
    m.DropColour(14, 200, 60);
    EXPECT_EQ(m.C->BkColor(), TColorGridHisto::CellColor(14));
    EXPECT_EQ(m.C->Series(1).Color, TColorGridHisto::CellColor(12));
    EXPECT_EQ(m.C->FontTitleTop()->Color(), red);
}

TEST(HistoMouse, ColourGridKeysInOneRowCellsAndMarkers)
{
    TMouseHost m;
    TColorGridHisto* g = m.Grid;
    // The cells show the markers in a colour that stands out.
    g->SetForegroundIndex(3);  // olive: dark, white text
    g->SetBackgroundIndex(15); // white: black text
    const QImage& img = g->BackingImage();
    auto count = [&](int Cell, QRgb Colour) {
        const TRect r = g->CellRect(Cell);
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                n += (img.pixel(x, y) & 0xFFFFFF) == Colour;
        return n;
    };
    EXPECT_GT(count(3, 0xFFFFFF), 0) << "white VG on olive";
    EXPECT_GT(count(15, 0x000000), 0) << "black HG on white";
    EXPECT_EQ(count(7, 0x000000), 0) << "no marker on silver";
    // The sunken frame: shadow at the top left of the cell's inner ring.
    const TRect r = g->CellRect(5);
    EXPECT_EQ(QRgbToColor(img.pixel(r.Left + 1, r.Top + 1)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(QRgbToColor(img.pixel(r.Left + 5, r.Top + 8)), TColorGridHisto::CellColor(5));

    struct Case {
        int From;
        Qt::Key Key;
        int To;
    };
    for (const Case c : {Case{4, Qt::Key_Down, 5}, Case{15, Qt::Key_Down, 0}, Case{0, Qt::Key_Up, 15},
             Case{6, Qt::Key_Up, 5}, Case{15, Qt::Key_Right, 0}, Case{0, Qt::Key_Left, 15},
             Case{7, Qt::Key_End, 15}, Case{7, Qt::Key_Home, 0}, Case{3, Qt::Key_Space, 4}}) {
        g->SetSelection(c.From);
        QTest::keyClick(g->Widget(), c.Key);
        EXPECT_EQ(g->Selection(), c.To) << c.From << " key " << c.Key;
        EXPECT_EQ(g->SelectColor(), TColorGridHisto::CellColor(c.To));
    }
    // Markers: F takes the selection while the marker is enabled.
    int changes = 0;
    g->OnChange = [&](TObject*) { ++changes; };
    g->SetSelection(9);
    QTest::keyClick(g->Widget(), Qt::Key_F);
    EXPECT_EQ(g->ForegroundIndex(), 9);
    g->SetBackgroundEnabled(false);
    QTest::keyClick(g->Widget(), Qt::Key_B);
    EXPECT_EQ(g->BackgroundIndex(), 15);
    EXPECT_EQ(changes, 1);
    // A new ordering resizes the grid to whole cells.
    g->SetGridOrdering(TColorGridHisto::go4x4);
    EXPECT_EQ(g->Columns(), 4);
    EXPECT_EQ(g->Width() % 4, 0);
    EXPECT_EQ(g->Height() % 4, 0);
}

TEST(HistoMouse, WeightsFormABellWithTaperedEnds)
{
    EXPECT_EQ(ReferenceWeights(1), std::vector<float>{1.0f});
    struct Case {
        int N, J;
        double W;
    };
    // 1.05239 * (exp(-12 (j + 1 - n/2)^2 / n^2) - 0.04978), ends x 0.1 and x 0.5 above n = 10.
    for (const Case c : {Case{30, 14, 1.05239 * (1 - 0.04978)}, Case{30, 15, 1.05239 * (std::exp(-12.0 / 900) - 0.04978)},
             Case{30, 0, 0.1 * 1.05239 * (std::exp(-12.0 * 196 / 900) - 0.04978)},
             Case{30, 28, 0.5 * 1.05239 * (std::exp(-12.0 * 196 / 900) - 0.04978)},
             Case{5, 0, 1.05239 * (std::exp(-12.0 * 2.25 / 25) - 0.04978)}}) {
        const std::vector<float> w = ReferenceWeights(c.N);
        ASSERT_EQ(int(w.size()), c.N);
        EXPECT_NEAR(w[std::size_t(c.J)], c.W, 1e-6) << c.N << " " << c.J;
    }
}

TEST(HistoMouse, PointsUnderAColumnForXYPairsLogarithmicXAndGaps)
{
    TMouseHost m;
    m.C->SetSeriesNumber(2);
    m.C->SetSeriesStyle(THistograph::dtDataXY);
    const std::vector<float> pairs = {0, 1, 2, 2, 2.5f, 3, 9, 4};
    m.C->SetSeriesDataXY(pairs.data(), 4, 1);
    THistograph::TSnap p;
    struct Case {
        int Column, Index;
    };
    // Columns 10 + 40 x: X = 2.2 lies nearest 2, 2.3 nearest 2.5, 20 beyond the last.
    for (const Case c : {Case{98, 2}, Case{102, 3}, Case{10, 1}, Case{400, 4}}) {
        ASSERT_TRUE(m.C->PointAtColumn(1, c.Column, p));
        EXPECT_EQ(p.Index, c.Index) << c.Column;
        EXPECT_EQ(p.Y, pairs[std::size_t(2 * c.Index - 1)]);
    }
    EXPECT_FALSE(m.C->PointAtColumn(2, 100, p)) << "no data";
    // A value that is no number never wins the snap.
    std::vector<float> gap(11, std::nanf(""));
    m.C->SetSeriesCurrent(2);
    m.C->SetSeriesStyle(THistograph::dtData);
    m.C->SetSeriesData(gap.data(), 11, 2);
    ASSERT_TRUE(m.C->Snap(98, 100, p));
    EXPECT_EQ(p.Series, 1);

    // Logarithmic X from 1 to 100 over a nominal range of 1 ... 100 (100 values).
    m.C->SetSeriesNumber(1);
    m.C->SetSeriesCurrent(1);
    m.C->SetSeriesStyle(THistograph::dtData);
    std::vector<float> y(100, 1);
    m.C->SetViewXNominalMin(1);
    m.C->SetViewXNominalMax(100);
    m.C->SetViewXCurrentMin(1);
    m.C->SetViewXCurrentMax(100);
    m.C->SetGridScale(THistograph::sclLogLin);
    m.C->SetSeriesData(y.data(), 100, 1);
    ASSERT_TRUE(m.C->PointAtColumn(1, 210, p)); // the middle column is X = 10
    EXPECT_EQ(p.Index, 10);
    EXPECT_FLOAT_EQ(p.X, 10);
}

TEST(HistoMouse, DropAreasAroundThePlot)
{
    TMouseHost m;
    m.C->SetGapLeft(60);
    m.C->SetGapBottom(50);
    m.C->SetTitleLeft(QStringLiteral("Links"));
    m.C->SetTitleBottom(QStringLiteral("Unten"));
    m.C->SetGridVisible(grdBoth);
    m.C->BackingImage();
    const TRect left = m.C->TitleRect(THistograph::ttLeft);
    const TRect bottom = m.C->TitleRect(THistograph::ttBottom);
    int series = 0;
    struct Case {
        int X, Y;
        THistograph::TDropArea Area;
    };
    // The plot spans columns 60 ... 410, rows 20 ... 190; vertical grid lines
    // at 60, 129, 199, ..., horizontal ones at 156, 122, 88, 54.
    for (const Case c : {Case{55, 100, THistograph::daYLabels}, Case{100, 195, THistograph::daXLabels},
             Case{left.Left + 1, left.Top + 1, THistograph::daTitleLeft},
             Case{bottom.Left + 1, bottom.Top + 1, THistograph::daTitleBottom}, Case{2, 2, THistograph::daControl},
             Case{127, 102, THistograph::daGrid}, Case{80, 102, THistograph::daPlot}}) {
        EXPECT_EQ(m.C->DropAreaAt(c.X, c.Y, series), c.Area) << c.X << "," << c.Y;
    }
}
