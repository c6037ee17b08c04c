#pragma once
// What the four filter demonstration windows share: their controls (a plot of
// input and output, the cutoff slider in "Eckfrequenz", the OK button) and the
// sweeping square wave that their histograph's timer filters block by block.
// Each window adds its filter component and its own handlers.

// The form fields' classes are complete here: the meta-object code of the
// published fields needs them.
#include <controls/Slider.h>
#include <histograph/Histo.h>
#include <platform/Buttons.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>
#include <platform/StdCtrls.h>

#include <array>

namespace Tessaron {

class TFilterComponent;

// One second of a square wave of amplitude 1.2 at 1000 samples per second,
// swept between 2 and 25 Hz by 0.1 Hz per block. The arrays keep their place
// for the owner's lifetime, since the histograph keeps their addresses.
struct TSquareSweep {
    static constexpr int SampleCount = 1000;
    static constexpr double Amplitude = 1.2;
    static constexpr double SamplePeriod = 0.001; // seconds
    static constexpr double LowestFrequency = 2.0;
    static constexpr double HighestFrequency = 25.0;
    static constexpr double FirstStep = 0.1;

    // Back to 2 Hz, rising.
    void Start();
    // Fills Input and Output with the square wave at SquareFrequency: it
    // starts at +1.2 and changes sign each time the running time has passed
    // another half period.
    void Generate();
    // One sweep step. The direction turns once the frequency has left
    // 2 .. 25 Hz, so the sweep goes up to just above 25 Hz and down to just
    // below 2 Hz.
    void Advance();

    double SquareFrequency = LowestFrequency;   // Hz, of the next block
    double SquareFrequencyStep = FirstStep;     // Hz per block, signed
    std::array<float, SampleCount> Input{};     // plotted as series 1
    std::array<float, SampleCount> Output{};    // filtered, plotted as series 2
};

// The base of the filter demonstration windows: the controls their
// descriptions share and the sweep that each timer tick advances.
class TFilterDemoForm : public TForm {
    Q_OBJECT
    Q_PROPERTY(Tessaron::TPanel* Panel1 MEMBER Panel1)
    Q_PROPERTY(Tessaron::TLabel* Label1 MEMBER Label1)
    Q_PROPERTY(Tessaron::THistograph* Histograph1 MEMBER Histograph1)
    Q_PROPERTY(Tessaron::TGroupBox* GroupBox1 MEMBER GroupBox1)
    Q_PROPERTY(Tessaron::TLabel* Label2 MEMBER Label2)
    Q_PROPERTY(Tessaron::TLabel* Label3 MEMBER Label3)
    Q_PROPERTY(Tessaron::TPanel* Panel2 MEMBER Panel2)
    Q_PROPERTY(Tessaron::TGroupBox* GroupBox2 MEMBER GroupBox2)
    Q_PROPERTY(Tessaron::TSlider* Slider1 MEMBER Slider1)
    Q_PROPERTY(Tessaron::TBitBtn* BitBtn1 MEMBER BitBtn1)

public:
    explicit TFilterDemoForm(TComponent* AOwner = nullptr);

    // The screenshot tour shows the sweep running.
    void TourStart() override;

    // The sweep's frequency and step for the next tick, and the plotted arrays.
    const TSquareSweep& Sweep() const { return FSweep; }

    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    THistograph* Histograph1 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TPanel* Panel2 = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TSlider* Slider1 = nullptr;
    TBitBtn* BitBtn1 = nullptr;

protected:
    // The creation step the windows share: the sweep starts at 2 Hz and
    // Filter runs at 1000 samples per second with the slider's cutoff.
    void StartDemo(TFilterComponent& Filter);
    // The slider's value is the cutoff frequency in Hz.
    void TakeCutoff(TFilterComponent& Filter);
    // One timer tick: generates the block, filters it from rest, plots input
    // (series 1) and output (series 2) with a single repaint, then advances
    // the sweep.
    void FilterTick(TFilterComponent& Filter);

private:
    TSquareSweep FSweep;
};

} // namespace Tessaron
