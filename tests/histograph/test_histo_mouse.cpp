// The histograph's mouse modes driven by synthesized mouse input on a shown
// control: measuring and calculate crosses, reference editing, zoom, and
// colours dragged from a colour grid.
#include <histograph/Colorhis.h>
#include <histograph/Histo.h>
#include <histograph/_Eca.h>

#include <QLocale>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

using namespace Tessaron;

namespace {

// A shown window holding a 420 x 240 histograph whose plot spans 400 x 200
// pixels (columns 10 ... 410, rows 20 ... 220), X 0 ... 10, Y 0 ... 10.
struct TMouseHost {
    TWinControl Host;
    THistograph* H = nullptr;
    TColorGridHisto* Grid = nullptr;

    TMouseHost()
    {
        Host.SetBounds(0, 0, 440, 300);
        H = new THistograph(&Host);
        H->SetParent(&Host);
        H->SetBounds(0, 0, 420, 240);
        H->SetGapLeft(10);
        H->SetGapRight(10);
        H->SetGapTop(20);
        H->SetGapBottom(20);
        Grid = new TColorGridHisto(&Host);
        Grid->SetParent(&Host);
        Grid->SetBounds(10, 260, 320, 16);
        Grid->SetGridOrdering(TColorGridHisto::go16x1);
        Grid->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { Grid->BeginDrag(true); };
        Host.Widget()->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Host.Widget()));
        H->BackingImage();
    }
    QWidget* W() const { return H->Widget(); }
    void Press(int X, int Y, Qt::MouseButton B = Qt::LeftButton) { QTest::mousePress(W(), B, {}, QPoint(X, Y)); }
    void Move(int X, int Y) { QTest::mouseMove(W(), QPoint(X, Y)); }
    void Release(int X, int Y, Qt::MouseButton B = Qt::LeftButton) { QTest::mouseRelease(W(), B, {}, QPoint(X, Y)); }
    void Drag(int X1, int Y1, int X2, int Y2, Qt::MouseButton B = Qt::LeftButton)
    {
        Press(X1, Y1, B);
        Move(X2, Y2);
        Release(X2, Y2, B);
    }
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
    QRgb At(int X, int Y) { return H->BackingImage().pixel(X, Y) & 0xFFFFFF; }
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
    m.H->SetSeriesNumber(2);
    std::vector<float> low(11), high(11);
    SetFlat(m.H, 1, THistograph::dtData, low, 2);
    SetFlat(m.H, 2, THistograph::dtData, high, 8);
    m.H->SetSeriesColor(clRed);
    struct Report {
        float X = -1, Y = -1;
        int Series = 0, Index = 0, Calls = 0;
    } r;
    m.H->OnCrossMove = [&](TObject*, float X, float Y, int S, int I) { r = {X, Y, S, I, r.Calls + 1}; };
    const QRgb before = m.At(130, 50);

    // Column 130 is value 4 (X = 3); row 80 is Y = 7, nearer the curve at 8.
    m.Move(128, 80);
    EXPECT_EQ(r.Calls, 1);
    EXPECT_FLOAT_EQ(r.X, 3);
    EXPECT_FLOAT_EQ(r.Y, 8);
    EXPECT_EQ(r.Series, 2);
    EXPECT_EQ(r.Index, 4);
    EXPECT_TRUE(m.H->Cross(2).Visible);
    EXPECT_NE(m.At(130, 50), before) << "the vertical line of the cross";
    // Row 200 (Y = 1) is nearer the curve at 2; a repaint places the cross again.
    m.Move(130, 200);
    EXPECT_EQ(r.Series, 1);
    const int calls = r.Calls;
    m.H->Repaint();
    EXPECT_EQ(r.Calls, calls + 1);
    EXPECT_NE(m.At(130, 50), before);

    // Leaving the plot removes the cross and restores the picture.
    m.Move(5, 5);
    EXPECT_FALSE(m.H->Cross(2).Visible);
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
    m.H->SetSeriesData(y.data(), 11, 1);
    m.H->SetMode(THistograph::modeCalculate);
    m.H->SetShowValueBar(true);
    TFormCalculateBar* bar = m.H->ValueBar();
    ASSERT_TRUE(bar && bar->Visible());
    EXPECT_TRUE(bar->deltax->Enabled());
    int calculations = 0;
    m.H->OnCalculate = [&](TObject*, int, int, float, float, float, float) { ++calculations; };

    // X = 1 at column 50 with the left button, X = 3 at column 130 with the right.
    m.Drag(50, 100, 50, 100);
    m.Drag(130, 100, 130, 100, Qt::RightButton);
    EXPECT_TRUE(m.H->Cross(0).Visible && m.H->Cross(1).Visible);
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
    m.H->SetMode(THistograph::modeMeasure);
    EXPECT_FALSE(m.H->Cross(0).Visible || m.H->Cross(1).Visible);
    EXPECT_FALSE(bar->deltax->Enabled());
    m.H->SetShowValueBar(false);
    EXPECT_FALSE(m.H->ShowValueBar());
    QLocale::setDefault(QLocale::c());
}

TEST(HistoMouse, LowerReferenceBendsLikeARubberBandAndChangesAtRelease)
{
    TMouseHost m;
    m.H->SetViewYMin(0);
    m.H->SetViewYMax(2);
    m.H->SetShowValues(false);
    m.H->SetReferenceRubberWidth(30);
    std::vector<float> ref(101);
    SetFlat(m.H, 1, THistograph::dtLowerRef, ref, 1);
    m.H->SetMode(THistograph::modeLowerRef);
    int reportedIndex = 0;
    float reportedY = 0;
    m.H->OnReferenceMove = [&](TObject*, float, float Y, int, int I) {
        reportedIndex = I;
        reportedY = Y;
    };
    const float* v = m.H->Series(1).Data;

    // 101 values over 400 columns: value i at column 6 + 4 i. Both presses
    // lift by 20 pixels (0.2); the centre keeps its weight near the start too.
    struct Case {
        int Centre;
        std::vector<int> Still; // indices that barely move
    };
    for (const Case& c : {Case{51, {36, 66, 20, 90}}, Case{3, {18, 40}}}) {
        SetFlat(m.H, 1, THistograph::dtLowerRef, ref, 1);
        const int x = 6 + 4 * c.Centre;
        m.Press(x, 120);
        ASSERT_TRUE(m.H->EditingReference()) << c.Centre;
        m.Move(x, 100);
        EXPECT_EQ(reportedIndex, c.Centre);
        EXPECT_NEAR(reportedY, 1.2, 0.005) << c.Centre;
        EXPECT_EQ(v[c.Centre - 1], 1.0f) << "unchanged until the release";
        m.Release(x, 100);
        EXPECT_FALSE(m.H->EditingReference());
        EXPECT_NEAR(v[c.Centre - 1], 1.2, 0.005) << c.Centre;
        for (int i : c.Still)
            EXPECT_NEAR(v[i - 1], 1.0, 0.005) << c.Centre << " " << i;
    }
    EXPECT_EQ(m.H->Mode(), THistograph::modeLowerRef);

    // Without an upper reference curve the press falls back to measuring.
    m.H->SetMode(THistograph::modeUpperRef);
    m.Drag(100, 100, 100, 80);
    EXPECT_EQ(m.H->Mode(), THistograph::modeMeasure);
    EXPECT_FLOAT_EQ(v[23], 1.0f);
}

TEST(HistoMouse, ReferencePairsAreEditedAsTheirYValues)
{
    TMouseHost m;
    m.H->SetSeriesStyle(THistograph::dtUpperRef);
    const std::vector<float> pairs = {0, 1, 5, 1, 10, 1};
    m.H->SetSeriesDataXY(pairs.data(), 3, 1);
    m.H->SetMode(THistograph::modeUpperRef);
    m.H->SetReferenceRubberWidth(1);
    m.Drag(210, 100, 210, 80); // the middle value, 20 pixels (1.0) up
    ASSERT_EQ(m.H->Series(1).Count, 3);
    EXPECT_EQ(std::vector<float>(m.H->Series(1).Data, m.H->Series(1).Data + 3), (std::vector<float>{1, 2, 1}));
}

TEST(HistoMouse, ZoomTwiceThenRightClickRestoresTheFirstView)
{
    TMouseHost m;
    m.H->SetMode(THistograph::modeZoom);
    m.H->SetViewXGap(1);
    m.H->SetViewYGap(1);
    m.Drag(50, 60, 250, 160); // X 1 ... 6, Y 8 ... 3
    EXPECT_TRUE(m.H->Zoomed());
    EXPECT_FLOAT_EQ(m.H->ViewXCurrentMin(), 1);
    EXPECT_FLOAT_EQ(m.H->ViewXCurrentMax(), 6);
    EXPECT_FLOAT_EQ(m.H->ViewYMin(), 3);
    EXPECT_FLOAT_EQ(m.H->ViewYMax(), 8);
    EXPECT_FLOAT_EQ(m.H->ViewXGap(), 0.5f);
    EXPECT_FLOAT_EQ(m.H->ViewYGap(), 0.5f);
    // The second zoom keeps its steps proportional to the first view.
    m.Drag(10, 20, 210, 120); // X 1 ... 3.5
    EXPECT_FLOAT_EQ(m.H->ViewXCurrentMax(), 3.5f);
    EXPECT_FLOAT_EQ(m.H->ViewXGap(), 0.25f);

    // Refused rectangles change nothing: no width, no height.
    for (const QRect r : {QRect(QPoint(100, 50), QPoint(100, 150)), QRect(QPoint(50, 90), QPoint(250, 90))}) {
        m.Drag(r.left(), r.top(), r.right(), r.bottom());
        EXPECT_FLOAT_EQ(m.H->ViewXCurrentMax(), 3.5f);
        EXPECT_FLOAT_EQ(m.H->ViewYMax(), 8);
    }
    m.Drag(30, 30, 30, 30, Qt::RightButton);
    EXPECT_FALSE(m.H->Zoomed());
    EXPECT_FLOAT_EQ(m.H->ViewXCurrentMin(), 0);
    EXPECT_FLOAT_EQ(m.H->ViewXCurrentMax(), 10);
    EXPECT_FLOAT_EQ(m.H->ViewYMin(), 0);
    EXPECT_FLOAT_EQ(m.H->ViewYMax(), 10);
    EXPECT_FLOAT_EQ(m.H->ViewXGap(), 1);
    EXPECT_FLOAT_EQ(m.H->ViewYGap(), 1);

    // A narrow window far from zero: its labels would lie beyond 32760 pixels.
    m.H->SetViewXCurrentMin(1000);
    m.H->SetViewXCurrentMax(1010);
    m.Drag(100, 50, 101, 150);
    EXPECT_FALSE(m.H->Zoomed());
    EXPECT_FLOAT_EQ(m.H->ViewXCurrentMin(), 1000);
}

TEST(HistoMouse, DroppedColourPaintsTheAreaUnderThePointer)
{
    TMouseHost m;
    m.H->SetTitleTop(QStringLiteral("Oben"));
    std::vector<float> y(11);
    SetFlat(m.H, 1, THistograph::dtData, y, 5); // row 120
    m.H->BackingImage();
    const TRect title = m.H->TitleRect(THistograph::ttTop);
    const TColor red = TColorGridHisto::CellColor(9);
    const TColor plotBefore = m.H->BkColor();

    m.DropColour(9, title.Left + 2, title.Top + 2);
    EXPECT_EQ(m.H->FontTitleTop()->Color(), red);
    EXPECT_NE(m.H->FontTitleBottom()->Color(), red);
    EXPECT_NE(m.H->Color(), red);
    EXPECT_EQ(m.H->BkColor(), plotBefore);
    EXPECT_EQ(m.H->Series(1).Color, clBlack);

    m.DropColour(12, 210, 123); // 2 pixels below the value at X = 5 (row 121)
    EXPECT_EQ(m.H->Series(1).Color, TColorGridHisto::CellColor(12));
    EXPECT_EQ(m.H->BkColor(), plotBefore) << "the preview of the plot was given back";
    m.DropColour(14, 200, 60);
    EXPECT_EQ(m.H->BkColor(), TColorGridHisto::CellColor(14));
    EXPECT_EQ(m.H->Series(1).Color, TColorGridHisto::CellColor(12));
    EXPECT_EQ(m.H->FontTitleTop()->Color(), red);
}

TEST(HistoMouse, ColourGridKeysInOneRow)
{
    TMouseHost m;
    TColorGridHisto* g = m.Grid;
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
    EXPECT_EQ(g->BackgroundIndex(), 0);
    EXPECT_EQ(changes, 1);
    // The basic colours: black, ..., silver, then grey, red, ..., white.
    EXPECT_EQ(TColorGridHisto::CellColor(7), RGB(192, 192, 192));
    EXPECT_EQ(TColorGridHisto::CellColor(8), RGB(128, 128, 128));
    EXPECT_EQ(TColorGridHisto::CellColor(15), RGB(255, 255, 255));
}
