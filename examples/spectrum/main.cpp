// A spectrum analyser: a histograph shows the FFT of a test signal (two sines
// and some noise, the first one sweeping), computed with TFFT on each tick.
#include "ExampleRun.h"

#include <analysis/FFT.h>
#include <histograph/Histo.h>

#include <QApplication>
#include <QMainWindow>
#include <QRandomGenerator>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

using namespace Tessaron;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tessaron spectrum"));

    TFFT fft;
    fft.SetExponent(9); // 512 frequency bins of 1024 real samples
    fft.SetLeakFunction(TFFT::wnHanning);
    const int n = 2 * fft.Size();
    // The vectors belong to the FFT component; the histograph shows the
    // spectrum's array directly, so it must live as long as the plot.
    TVector* samples = fft.CreateVector(n);
    TComplexVector* spectrum = fft.CreateComplexVector(fft.Size());

    auto* plot = new THistograph;
    plot->SetTitleTop(QStringLiteral("Spectrum"));
    plot->SetTitleBottom(QStringLiteral("Frequency bin"));
    plot->SetTitleLeft(QStringLiteral("Amplitude"));
    plot->SetGridVisible(grdBoth);
    plot->SetViewXNominalMax(float(n / 2));
    plot->SetViewXCurrentMax(float(n / 2));
    plot->SetViewXGap(64);
    plot->SetViewYMin(0);
    plot->SetViewYMax(0.6f); // a Hanning window halves the amplitude
    plot->SetViewYGap(0.1f);
    plot->SetViewXDecimals(0);
    plot->SetSeriesColor(clBlue);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(plot->Widget());
    window.setCentralWidget(central);

    QTimer timer;
    double sweep = 20;
    QObject::connect(&timer, &QTimer::timeout, &window, [&] {
        sweep = sweep >= 400 ? 20 : sweep + 5;
        auto* random = QRandomGenerator::global();
        for (int i = 0; i < n; ++i) {
            const double t = double(i) / n;
            (*samples)[i] = float(std::sin(2 * std::numbers::pi * sweep * t)
                + 0.5 * std::sin(2 * std::numbers::pi * 120 * t) + 0.2 * (random->generateDouble() - 0.5));
        }
        // Windows the samples in place; Re holds the amplitude of each bin.
        fft.RealTransform(samples, spectrum, false);
        plot->SetSeriesData(spectrum->Re()->Data(), spectrum->Size(), 1);
    });
    timer.start(100);
    Example::QuitAfterTicks(timer, window);

    window.resize(600, 360);
    window.show();
    return app.exec();
}
