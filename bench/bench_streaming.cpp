// Reading and writing stored window descriptions: a window with 36 lamps (as
// the LED demonstration has) and a window holding a 1024 x 768 x 8 bit
// picture as binary data (as the main window has).

#include <platform/Streaming.h>

#include <benchmark/benchmark.h>

#include <memory>

namespace BenchStream {
Q_NAMESPACE

enum TBenchStyle { bsCircle, bsRectangle, bsArrowLeft, bsArrowRight };
Q_ENUM_NS(TBenchStyle)

class TBenchLamp : public Tessaron::TComponent {
    Q_OBJECT
    Q_PROPERTY(int Left MEMBER Left)
    Q_PROPERTY(int Top MEMBER Top)
    Q_PROPERTY(int Width MEMBER Width)
    Q_PROPERTY(int Height MEMBER Height)
    Q_PROPERTY(int ColorActive MEMBER ColorActive)
    Q_PROPERTY(bool Flashing MEMBER Flashing)
    Q_PROPERTY(int FlashInterval MEMBER FlashInterval)
    Q_PROPERTY(BenchStream::TBenchStyle Style MEMBER Style)
    Q_PROPERTY(Tessaron::TNotifyEvent OnClick MEMBER OnClick)
public:
    using TComponent::TComponent;
    int Left = 0, Top = 0, Width = 25, Height = 25, ColorActive = 255, FlashInterval = 1000;
    bool Flashing = false;
    TBenchStyle Style = bsCircle;
    Tessaron::TNotifyEvent OnClick;
};

class TBenchForm : public Tessaron::TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(QByteArray Data MEMBER Data)
public:
    using TComponent::TComponent;
    QString Caption;
    QByteArray Data;
    Q_INVOKABLE void LampClick(Tessaron::TObject*) {}
};

} // namespace BenchStream

using namespace BenchStream;
using namespace Tessaron;

namespace {

void Register()
{
    static bool done = [] {
        RegisterClass<TBenchLamp>();
        RegisterClass<TBenchForm>();
        return true;
    }();
    (void)done;
}

QByteArray LampWindow()
{
    TBenchForm form;
    form.SetName("Led_Demo");
    form.Caption = "TLed Demo";
    for (int i = 0; i < 36; ++i) {
        auto* lamp = new TBenchLamp(&form);
        lamp->SetName(QStringLiteral("Led%1").arg(i + 1));
        lamp->Left = 48 + 40 * (i % 6);
        lamp->Top = 72 + 32 * (i / 6);
        lamp->ColorActive = 0x00FFFF * (i % 2);
        lamp->Flashing = i % 3 == 0;
        lamp->FlashInterval = 100 * (i % 10 + 1);
        lamp->Style = TBenchStyle(i % 4);
        BindEvent(lamp, "OnClick", &form, "LampClick");
    }
    return WriteComponentText(&form);
}

QByteArray PictureWindow()
{
    TBenchForm form;
    form.SetName("Tessaron32");
    form.Data = QByteArray(1078 + 1024 * 768, '\0');
    for (qsizetype i = 0; i < form.Data.size(); ++i)
        form.Data[i] = char((i * 7919) >> 5);
    return WriteComponentText(&form);
}

void Read(benchmark::State& State, const QByteArray& Text)
{
    Register();
    for (auto _ : State) {
        TBenchForm form;
        ReadComponentText(&form, Text, "bench");
        benchmark::DoNotOptimize(form.ComponentCount());
    }
    State.SetBytesProcessed(int64_t(State.iterations()) * Text.size());
}

void Write(benchmark::State& State, const QByteArray& Text)
{
    Register();
    TBenchForm form;
    ReadComponentText(&form, Text, "bench");
    for (auto _ : State) {
        QByteArray out = WriteComponentText(&form);
        benchmark::DoNotOptimize(out.data());
    }
    State.SetBytesProcessed(int64_t(State.iterations()) * Text.size());
}

void BM_ReadLampWindow(benchmark::State& State)
{
    Register();
    Read(State, LampWindow());
}

void BM_WriteLampWindow(benchmark::State& State)
{
    Register();
    Write(State, LampWindow());
}

void BM_ReadPictureWindow(benchmark::State& State)
{
    Register();
    Read(State, PictureWindow());
}

void BM_WritePictureWindow(benchmark::State& State)
{
    Register();
    Write(State, PictureWindow());
}

} // namespace

BENCHMARK(BM_ReadLampWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteLampWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadPictureWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePictureWindow)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

#include "bench_streaming.moc"
