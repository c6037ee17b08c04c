// Canvas primitives, and scrolling a 400 x 240 plot area against redrawing it:
// the measure of what partial redraws save over full repaints.

#include <platform/Graphics.h>

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <vector>

using namespace Tessaron;

namespace {

std::vector<TPoint> Wave(int Count, int Width, int Height)
{
    std::vector<TPoint> points;
    points.reserve(size_t(Count));
    for (int i = 0; i < Count; ++i)
        points.emplace_back(i * Width / Count, Height / 2 + int((i * 7919 % 97) - 48) * Height / 120);
    return points;
}

void BM_LineTo(benchmark::State& state)
{
    TBitmap bitmap(400, 240);
    TCanvas* c = bitmap.Canvas();
    int i = 0;
    for (auto _ : state) {
        c->MoveTo(i % 400, 0);
        c->LineTo(399 - i % 400, 239);
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LineTo);

void BM_Polyline(benchmark::State& state)
{
    TBitmap bitmap(400, 240);
    const auto points = Wave(int(state.range(0)), 400, 240);
    for (auto _ : state)
        bitmap.Canvas()->Polyline(points);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Polyline)->Arg(400)->Arg(4000);

void BM_PolylineXor(benchmark::State& state)
{
    TBitmap bitmap(400, 240);
    bitmap.Canvas()->Pen()->SetMode(pmXor);
    const auto points = Wave(400, 400, 240);
    for (auto _ : state)
        bitmap.Canvas()->Polyline(points);
    state.SetItemsProcessed(state.iterations() * 400);
}
BENCHMARK(BM_PolylineXor);

void BM_PolylineClipped(benchmark::State& state)
{
    TBitmap bitmap(400, 240);
    bitmap.Canvas()->SetClipRegion(QRegion(10, 10, 380, 100) + QRegion(10, 130, 380, 100));
    const auto points = Wave(400, 400, 240);
    for (auto _ : state)
        bitmap.Canvas()->Polyline(points);
    state.SetItemsProcessed(state.iterations() * 400);
}
BENCHMARK(BM_PolylineClipped);

void BM_Polygon(benchmark::State& state)
{
    TBitmap bitmap(400, 240);
    bitmap.Canvas()->Brush()->SetColor(clRed);
    const TPoint points[] = {{10, 10}, {390, 40}, {300, 230}, {40, 200}, {200, 120}};
    for (auto _ : state)
        bitmap.Canvas()->Polygon(points, 5);
}
BENCHMARK(BM_Polygon);

void BM_TextOut(benchmark::State& state)
{
    TBitmap bitmap(400, 240);
    bitmap.Canvas()->Font()->SetName("Arial");
    for (auto _ : state)
        bitmap.Canvas()->TextOut(10, 10, "12:34:56  -1.25 V");
}
BENCHMARK(BM_TextOut);

// A plot area: background, grid and a curve, as a recorder draws it.
void DrawPlot(TCanvas* C, const TRect& R, const std::vector<TPoint>& Curve)
{
    C->Brush()->SetColor(clBlack);
    C->FillRect(R);
    C->Pen()->SetColor(clGray);
    for (int x = R.Left; x < R.Right; x += 40) {
        C->MoveTo(x, R.Top);
        C->LineTo(x, R.Bottom);
    }
    for (int y = R.Top; y < R.Bottom; y += 30) {
        C->MoveTo(R.Left, y);
        C->LineTo(R.Right, y);
    }
    C->Pen()->SetColor(clLime);
    C->Polyline(Curve);
}

void BM_RedrawPlotArea(benchmark::State& state)
{
    TBitmap bitmap(400, 240);
    const auto curve = Wave(400, 400, 240);
    for (auto _ : state)
        DrawPlot(bitmap.Canvas(), Rect(0, 0, 400, 240), curve);
}
BENCHMARK(BM_RedrawPlotArea);

void BM_ScrollPlotAreaAndDrawStrip(benchmark::State& state)
{
    TBitmap bitmap(400, 240);
    const auto curve = Wave(400, 400, 240);
    DrawPlot(bitmap.Canvas(), Rect(0, 0, 400, 240), curve);
    const std::vector<TPoint> strip(curve.end() - 4, curve.end());
    for (auto _ : state) {
        const QRegion uncovered = bitmap.Canvas()->ScrollRect(Rect(0, 0, 400, 240), -3, 0);
        bitmap.Canvas()->SetClipRegion(uncovered);
        DrawPlot(bitmap.Canvas(), TRect::FromQRect(uncovered.boundingRect()), strip);
        bitmap.Canvas()->ClearClipRegion();
    }
}
BENCHMARK(BM_ScrollPlotAreaAndDrawStrip);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
