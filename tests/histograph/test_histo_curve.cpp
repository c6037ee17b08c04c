// Curve points of the histograph without a control: the reduced Yt curve draws
// exactly the pixels of the full polyline, the visible range and the gaps.

#include <histograph/HistoCurve.h>

#include "HistoTestSupport.h"

#include <platform/Graphics.h>

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

using namespace Tessaron;
using HistoTest::Differences;

namespace {

// The plot of a 417 x 241 histograph with the default gaps.
const TRect kAxis(70, 40, 377, 181);

enum class TData { Noise, Walk, Steps, Specials };

std::vector<float> MakeData(TData Kind, int Count, unsigned Seed)
{
    std::mt19937 gen(Seed);
    std::uniform_real_distribution<float> uni(-1.2f, 1.2f);
    std::normal_distribution<float> step(0.0f, 0.05f);
    std::vector<float> v(static_cast<std::size_t>(Count));
    float walk = 0;
    const float inf = std::numeric_limits<float>::infinity();
    for (int i = 0; i < Count; ++i) {
        switch (Kind) {
        case TData::Noise: v[std::size_t(i)] = uni(gen); break;
        case TData::Walk: walk += step(gen); v[std::size_t(i)] = walk; break;
        // Few distinct values: many equal keys in every column.
        case TData::Steps: v[std::size_t(i)] = float(int(uni(gen) * 4)) / 4; break;
        case TData::Specials: {
            const unsigned r = gen() % 100;
            v[std::size_t(i)] = r == 0 ? std::nanf("") : r == 1 ? inf : r == 2 ? -inf : r == 3 ? 1e30f : uni(gen);
            break;
        }
        }
    }
    return v;
}

QImage Render(const TCurvePoints& Points)
{
    QImage image(417, 241, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    canvas.SetClipRegion(QRegion(kAxis.ToQRect()));
    canvas.Pen()->SetColor(clBlack);
    for (int r = 0; r < Points.RunCount(); ++r) {
        int count = 0;
        const TPoint* p = Points.Run(r, count);
        canvas.Polyline(p, count);
    }
    canvas.Flush();
    return image;
}

// The full polyline of every value, written straight from the drawing rule
// of a Yt curve: x = Trunc(x0 + i * dx), y = Trunc(y0 + v * dy) + 1 within
// +-30000; a NaN value ends the line.
TCurvePoints FullPolyline(const std::vector<float>& Data, double X0, double DX, double Y0, double DY)
{
    TCurvePoints p;
    for (std::size_t i = 0; i < Data.size(); ++i) {
        const float v = Data[i];
        if (std::isnan(v)) {
            p.EndRun();
            continue;
        }
        const double x = std::trunc(X0 + double(i + 1) * DX);
        const double y = std::trunc(Y0 + double(v) * DY) + 1;
        p.Add(int(std::clamp(x, -30000.0, 30000.0)), int(std::clamp(y, -30000.0, 30000.0)));
    }
    p.EndRun();
    return p;
}

struct TView {
    const char* Name;
    double CurrentMin, CurrentMax;  // visible part of the nominal 0 ... 10
};

} // namespace

TEST(HistoCurve, ReducedColumnsDrawTheFullPolyline)
{
    const TView views[] = {{"whole", 0, 10}, {"zoomed", 3.3, 4.1}, {"end", 9.97, 10}, {"beyond", -2, 12}};
    const int counts[] = {2, 5, 306, 307, 4099, 100003, 1000000};
    const TData kinds[] = {TData::Noise, TData::Walk, TData::Steps, TData::Specials};
    // Y from -1 to 1 over the 141 pixel rows.
    const double dy = -141.0 / 2;
    const double y0 = 181 + 141.0 * -1 / 2;
    const TCurveYMap yMap = TCurveYMap::Linear(y0, dy);
    unsigned seed = 1;
    for (const TData kind : kinds)
        for (const int count : counts)
            for (const TView& view : views) {
                // Long lines to +-30000 are slow to draw: few values with them;
                // a million values only once.
                const bool once = kind == TData::Noise && view.CurrentMin == 0;
                if ((kind == TData::Specials && count > 5000) || (count >= 1000000 && !once))
                    continue;
                const std::vector<float> data = MakeData(kind, count, seed++);
                const double range = view.CurrentMax - view.CurrentMin;
                const double dx = (307 * 10 / range) / (count - 1);
                const double x0 = 70 + 307 * (0 - view.CurrentMin) / range - dx;
                TCurvePoints reduced;
                BuildYtCurve(data.data(), count, TCurveXMap::Linear(x0, dx), yMap, kAxis, true,
                    reduced);
                const QImage expected = Render(FullPolyline(data, x0, dx, y0, dy));
                EXPECT_EQ(Differences(Render(reduced), expected), 0)
                    << "kind " << int(kind) << ", " << count << " values, " << view.Name;
                if (count >= 100000 && view.CurrentMin == 0) {
                    EXPECT_LE(reduced.PointCount(), 4u * 307 + 8) << count;
                }
            }
}

TEST(HistoCurve, ReducedColumnsOnLogarithmicAxes)
{
    const THistoMapping m = HistoTest::DefaultMapping(true, true);
    const TCurveYMap yMap = TCurveYMap::Logarithmic(m);
    std::mt19937 gen(7);
    std::uniform_real_distribution<float> uni(0.0f, 1.0f);
    for (const int count : {50, 1000, 200000}) {
        std::vector<float> data(static_cast<std::size_t>(count));
        for (float& v : data) {
            // Spread over decades, with zeros, negatives and values below the
            // tenth of the minimum that non-positive values are drawn at.
            const unsigned r = gen() % 10;
            v = r == 0 ? 0.0f : r == 1 ? -uni(gen) : r == 2 ? 0.00001f * uni(gen) : std::pow(10.0f, -4 * uni(gen));
        }
        const double step = (256 - 0.00001) / (count - 1);
        const TCurveXMap xMap = TCurveXMap::Logarithmic(m, 0.00001, 1, step);
        TCurvePoints reduced;
        TCurvePoints full;
        BuildYtCurve(data.data(), count, xMap, yMap, kAxis, true, reduced);
        BuildYtCurve(data.data(), count, xMap, yMap, kAxis, false, full);
        EXPECT_EQ(Differences(Render(reduced), Render(full)), 0) << count;
        if (count > 1000) {
            EXPECT_LT(reduced.PointCount(), full.PointCount() / 10) << count;
        }
    }
}

TEST(HistoCurve, OnlyTheVisibleIndicesAreConverted)
{
    const std::vector<float> data = MakeData(TData::Noise, 1000000, 3);
    const TCurveYMap yMap = TCurveYMap::Linear(110, -70);
    // Nominal 0 ... 10, visible 5 ... 5.01: about 1000 values over 307 columns.
    const double dx = (307 * 10 / 0.01) / (1000000 - 1);
    const double x0 = 70 + 307 * -5 / 0.01 - dx;
    const TCurveXMap xMap = TCurveXMap::Linear(x0, dx);
    TCurvePoints full;
    BuildYtCurve(data.data(), 1000000, xMap, yMap, kAxis, false, full);
    EXPECT_GE(full.PointCount(), 1000u);
    EXPECT_LE(full.PointCount(), 1004u);
    // The first point lies left of the clip, the second inside; the same at the right.
    const std::vector<TPoint>& p = full.Points();
    EXPECT_LT(p.front().x(), kAxis.Left);
    EXPECT_GE(p[1].x(), kAxis.Left);
    EXPECT_GE(p.back().x(), kAxis.Right);
    EXPECT_LT(p[p.size() - 2].x(), kAxis.Right);

    // A narrower clip narrows the range further.
    TCurvePoints part;
    BuildYtCurve(data.data(), 1000000, xMap, yMap, TRect(200, 40, 210, 181), false, part);
    EXPECT_LE(part.PointCount(), 40u);

    // Entirely outside: nothing.
    TCurvePoints none;
    BuildYtCurve(data.data(), 1000000, TCurveXMap::Linear(400, 1), yMap, kAxis, true, none);
    EXPECT_EQ(none.PointCount(), 0u);
}

TEST(HistoCurve, NaNSamplesLeaveGapsAndExtremesStandJustOutsideTheClip)
{
    const float nan = std::nanf("");
    const TCurveYMap yMap = TCurveYMap::Linear(100, -10);
    const TCurveXMap xMap = TCurveXMap::Linear(70, 10);  // value i at x = 70 + 10 i
    struct Case {
        std::vector<float> Data;
        int Runs;
        int Points;
    };
    const std::vector<Case> cases = {
        {{1, 2, nan, 3, 4}, 2, 4},
        {{nan, nan, nan}, 0, 0},
        {{1, nan, 2}, 2, 2},  // single points: runs of one, drawn as nothing
        {{nan, 1, 2, 3, nan}, 1, 3},
    };
    for (const Case& c : cases)
        for (const bool reduce : {false, true}) {
            TCurvePoints p;
            BuildYtCurve(c.Data.data(), int(c.Data.size()), xMap, yMap, TRect(0, 0, 400, 400), reduce, p);
            EXPECT_EQ(p.RunCount(), c.Runs);
            EXPECT_EQ(int(p.PointCount()), c.Points);
        }
    // Within one column: the stretches on both sides of a NaN stay apart.
    std::vector<float> column(100, 0.5f);
    column[10] = 1.9f;
    column[50] = nan;
    column[70] = -1.9f;
    TCurvePoints p;
    BuildYtCurve(column.data(), 100, TCurveXMap::Linear(200, 0.001), yMap, TRect(0, 0, 400, 400), true, p);
    ASSERT_EQ(p.RunCount(), 2);
    int count = 0;
    const TPoint* first = p.Run(0, count);
    EXPECT_EQ(count, 3);  // first, the high value, last before the gap
    EXPECT_EQ(first[1].y(), yMap.Pixel(1.9f));
    const TPoint* second = p.Run(1, count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(second[1].y(), yMap.Pixel(-1.9f));

    // Kept extremes beyond the clip stand just outside it: all 200 values in
    // column 100, then one more in column 101; rows 40 ... 180 are visible,
    // the infinite values stand at 39 and 182.
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<float> extremes(201, 0.5f);
    extremes[20] = inf;
    extremes[30] = -inf;
    extremes[40] = 1e30f;
    TCurvePoints e;
    BuildYtCurve(extremes.data(), 201, TCurveXMap::Linear(100, 1 / 200.5), TCurveYMap::Linear(110, -70), kAxis, true, e);
    ASSERT_EQ(e.RunCount(), 1);
    EXPECT_EQ(e.Points(), (std::vector<TPoint>{{100, 76}, {100, 39}, {100, 182}, {100, 76}, {101, 76}}));

    // XY pairs are all converted; a NaN member ends a run.
    const std::vector<float> pairs = {0, 0, 1, 1, nan, 5, 2, 0, 3, nan, 4, 1};
    TCurvePoints xy;
    BuildXYCurve(pairs.data(), 6, TCurveXMap::Linear(10, 10), TCurveYMap::Linear(50, -10), xy);
    ASSERT_EQ(xy.RunCount(), 3);
    EXPECT_EQ(xy.Points(), (std::vector<TPoint>{{10, 51}, {20, 41}, {30, 51}, {50, 41}}));
}
