// An instrument panel in a QMainWindow: an analog meter, a bar graph and a
// panel meter show a signal whose amplitude the slider sets. The components'
// widgets sit in ordinary Qt layouts; a QTimer drives the signal.
#include "ExampleRun.h"

#include <controls/Bargraph.h>
#include <controls/Meter.h>
#include <controls/PMeter.h>
#include <controls/Slider.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

using namespace Tessaron;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tessaron instrument panel"));

    // Components without an owner belong to their widget: the window deletes them.
    auto* meter = new TMeter;
    auto* bar = new TBarGraph;
    auto* display = new TPanelMeter;
    auto* slider = new TSlider;
    for (auto* c : std::initializer_list<TControl*>{meter, bar, display, slider})
        c->SetColor(clBtnFace);
    slider->SetValue(80);
    display->SetDecimalPoint(3); // "100.0"
    display->SetValueMin(0);
    display->SetValueMax(100);

    auto* central = new QWidget;
    auto* row = new QHBoxLayout(central);
    auto* column = new QVBoxLayout;
    column->addWidget(meter->Widget(), 3);
    column->addWidget(display->Widget(), 1);
    row->addLayout(column, 1);
    row->addWidget(bar->Widget());
    row->addWidget(slider->Widget());
    window.setCentralWidget(central);

    // The slider's event, connected like a Qt signal; the amplitude it sets
    // is shown in the status bar.
    double amplitude = slider->Value();
    auto* status = new QLabel;
    window.statusBar()->addWidget(status);
    auto showAmplitude = [&] {
        amplitude = slider->Value();
        status->setText(QStringLiteral("Amplitude %1 %").arg(amplitude, 0, 'f', 0));
    };
    Connect(slider, &TSlider::OnValueChange, &window, showAmplitude);
    showAmplitude();

    QTimer timer;
    double phase = 0;
    QObject::connect(&timer, &QTimer::timeout, &window, [&] {
        phase += 0.15;
        const double value = amplitude * (0.5 + 0.5 * std::sin(phase));
        meter->SetValue(value);
        bar->SetValue(value);
        display->SetValue(value);
    });
    timer.start(50);
    Example::QuitAfterTicks(timer, window);

    window.resize(560, 360);
    window.show();
    return app.exec();
}
