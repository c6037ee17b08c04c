// Value changes per second of the dial, the slider, the analog meter, the bar
// graph and the panel meter: the clipped redraw of only what a change touches
// (indicator, button, pointer, column section, digits) against a full repaint
// of the control after each change, with and without ReduceFlicker where the
// control has it.
//
// The controls are set up as in their demonstration windows (the dial with
// ticks, labels and a caption, the slider with three ranges and a scale) and
// painted once; each iteration then moves the value by Step (1: a drag, the
// areas overlap; 50: a jump, two separate areas). "Full" sets the value and
// then repaints the whole control, as a control without the partial redraw
// would have to; the counter "changes/s" is the rate.
#include <controls/Bargraph.h>
#include <controls/Meter.h>
#include <controls/PMeter.h>
#include <controls/Slider.h>
#include <controls/dial.h>

#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>

using namespace Tessaron;

namespace {

std::unique_ptr<TDial> MakeDial()
{
    auto d = std::make_unique<TDial>();
    d->SetBounds(0, 0, 201, 193);
    d->SetIndicatorInner(55);
    d->SetTicks(true);
    d->SetLabels(true);
    d->SetIndicatorStyle(TDial::diaTriangle);
    d->SetCaption(QStringLiteral("U1"));
    d->BackingImage();
    return d;
}

std::unique_ptr<TSlider> MakeSlider(bool ReduceFlicker)
{
    auto s = std::make_unique<TSlider>();
    s->SetBounds(0, 0, 73, 233);
    s->SetButtonWidth(30);
    s->SetValueMax(50);
    s->SetRangeNumber(3);
    const TColor colors[] = {clLime, clYellow, clRed};
    const double limits[] = {20, 40, 50};
    for (int i = 0; i < 3; ++i) {
        s->SetRangeCurrent(i + 1);
        s->SetRangeColor(colors[i]);
        s->SetRangeLimit(limits[i]);
    }
    s->LabelingFont()->SetHeight(-11);
    s->LabelingFont()->SetStyle({});
    s->SetLabelingStyle(lbsBoth);
    s->SetReduceFlicker(ReduceFlicker);
    s->BackingImage();
    return s;
}

// Values 10 .. 10 + Span - 1 (of the control's scale), visited by Step.
template <class Control>
void Changes(benchmark::State& state, Control& control, double Scale, bool Full)
{
    const int step = int(state.range(0));
    int i = 0;
    for (auto _ : state) {
        i = (i + step) % 80;
        control.SetValue((10 + i) * Scale);
        if (Full)
            control.Repaint();
        benchmark::DoNotOptimize(control.Value());
    }
    state.counters["changes/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_DialPartial(benchmark::State& state)
{
    auto d = MakeDial();
    Changes(state, *d, 1.0, false);
}

void BM_DialFull(benchmark::State& state)
{
    auto d = MakeDial();
    Changes(state, *d, 1.0, true);
}

void BM_SliderPartial(benchmark::State& state)
{
    auto s = MakeSlider(false);
    Changes(state, *s, 0.5, false);
}

void BM_SliderFull(benchmark::State& state)
{
    auto s = MakeSlider(false);
    Changes(state, *s, 0.5, true);
}

void BM_SliderPartialReduceFlicker(benchmark::State& state)
{
    auto s = MakeSlider(true);
    Changes(state, *s, 0.5, false);
}

void BM_SliderFullReduceFlicker(benchmark::State& state)
{
    auto s = MakeSlider(true);
    Changes(state, *s, 0.5, true);
}

std::unique_ptr<TMeter> MakeMeter(bool ReduceFlicker)
{
    auto m = std::make_unique<TMeter>();
    m->SetBounds(0, 0, 201, 177);
    m->SetReduceFlicker(ReduceFlicker);
    m->BackingImage();
    return m;
}

std::unique_ptr<TBarGraph> MakeBarGraph()
{
    auto b = std::make_unique<TBarGraph>();
    b->SetBounds(0, 0, 73, 233);
    b->BackingImage();
    return b;
}

std::unique_ptr<TPanelMeter> MakePanelMeter()
{
    auto p = std::make_unique<TPanelMeter>();
    p->SetBounds(0, 0, 217, 81);
    p->SetValueMax(1000);
    p->BackingImage();
    return p;
}

void BM_MeterPartial(benchmark::State& state)
{
    auto m = MakeMeter(false);
    Changes(state, *m, 1.0, false);
}

void BM_MeterFull(benchmark::State& state)
{
    auto m = MakeMeter(false);
    Changes(state, *m, 1.0, true);
}

void BM_MeterPartialReduceFlicker(benchmark::State& state)
{
    auto m = MakeMeter(true);
    Changes(state, *m, 1.0, false);
}

void BM_BarGraphPartial(benchmark::State& state)
{
    auto b = MakeBarGraph();
    Changes(state, *b, 1.0, false);
}

void BM_BarGraphFull(benchmark::State& state)
{
    auto b = MakeBarGraph();
    Changes(state, *b, 1.0, true);
}

void BM_PanelMeterPartial(benchmark::State& state)
{
    auto p = MakePanelMeter();
    Changes(state, *p, 1.25, false);
}

void BM_PanelMeterFull(benchmark::State& state)
{
    auto p = MakePanelMeter();
    Changes(state, *p, 1.25, true);
}

} // namespace

BENCHMARK(BM_MeterPartial)->Arg(1)->Arg(50);
BENCHMARK(BM_MeterFull)->Arg(1)->Arg(50);
BENCHMARK(BM_MeterPartialReduceFlicker)->Arg(1)->Arg(50);
BENCHMARK(BM_BarGraphPartial)->Arg(1)->Arg(50);
BENCHMARK(BM_BarGraphFull)->Arg(1)->Arg(50);
BENCHMARK(BM_PanelMeterPartial)->Arg(1)->Arg(50);
BENCHMARK(BM_PanelMeterFull)->Arg(1)->Arg(50);
BENCHMARK(BM_DialPartial)->Arg(1)->Arg(50);
BENCHMARK(BM_DialFull)->Arg(1)->Arg(50);
BENCHMARK(BM_SliderPartial)->Arg(1)->Arg(50);
BENCHMARK(BM_SliderFull)->Arg(1)->Arg(50);
BENCHMARK(BM_SliderPartialReduceFlicker)->Arg(1)->Arg(50);
BENCHMARK(BM_SliderFullReduceFlicker)->Arg(1)->Arg(50);
