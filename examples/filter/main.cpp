// A filter on a noisy signal: a Butterworth low-pass (TIIRFilter) cleans a
// sine with noise; the histograph shows both, the slider sets the cutoff.
#include "ExampleRun.h"

#include <controls/Slider.h>
#include <filters/IIRFilt.h>
#include <histograph/Histo.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QRandomGenerator>
#include <QTimer>

#include <array>
#include <cmath>
#include <numbers>

using namespace Tessaron;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tessaron filter"));

    constexpr int kCount = 500;
    constexpr float kSampleRate = 1000.0f;
    // The histograph shows these arrays directly; they outlive the plot.
    static std::array<float, kCount> noisy;
    static std::array<float, kCount> filtered;

    TIIRFilter lowpass;
    lowpass.SetSampleFrequency(kSampleRate);
    lowpass.SetCutoffFrequency(20.0f);
    lowpass.SetOrder(4);

    auto* plot = new THistograph;
    plot->SetTitleTop(QStringLiteral("Low-pass of a noisy 5 Hz sine"));
    plot->SetTitleBottom(QStringLiteral("Sample"));
    plot->SetGridVisible(grdBoth);
    plot->SetViewXNominalMax(kCount);
    plot->SetViewXCurrentMax(kCount);
    plot->SetViewXGap(100);
    plot->SetViewXDecimals(0);
    plot->SetViewYMin(-2);
    plot->SetViewYMax(2);
    plot->SetViewYGap(0.5f);
    plot->SetSeriesNumber(2);
    plot->SetSeriesCurrent(1);
    plot->SetSeriesColor(clGray);
    plot->SetSeriesCurrent(2);
    plot->SetSeriesColor(clRed);

    // The cutoff in Hz, 2 to 100.
    auto* cutoff = new TSlider;
    cutoff->SetValueMin(2);
    cutoff->SetValueMax(100);
    cutoff->SetValue(20);
    Connect(cutoff, &TSlider::OnValueChange, &window,
        [&] { lowpass.SetCutoffFrequency(float(cutoff->Value())); });

    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    layout->addWidget(plot->Widget(), 1);
    layout->addWidget(cutoff->Widget());
    window.setCentralWidget(central);

    QTimer timer;
    int start = 0;
    QObject::connect(&timer, &QTimer::timeout, &window, [&] {
        auto* random = QRandomGenerator::global();
        for (int i = 0; i < kCount; ++i) {
            const double t = (start + i) / double(kSampleRate);
            noisy[i] = float(std::sin(2 * std::numbers::pi * 5 * t) + 0.8 * (random->generateDouble() - 0.5));
        }
        start += kCount;
        filtered = noisy;
        // Filters in place, continuing from the previous block.
        lowpass.Filter(filtered.data(), kCount);
        plot->SetEnableUpdate(false);
        plot->SetSeriesData(noisy.data(), kCount, 1);
        plot->SetSeriesData(filtered.data(), kCount, 2);
        plot->SetEnableUpdate(true);
    });
    timer.start(100);
    Example::QuitAfterTicks(timer, window);

    window.resize(640, 360);
    window.show();
    return app.exec();
}
