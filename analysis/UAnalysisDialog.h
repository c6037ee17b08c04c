#pragma once
// What the five analysis dialogs have in common: the test signals, the
// sweeping signal frequency, the window buttons, the "Start"/"Stopp" button
// with its timer, and closing. Each dialog derives its own class with its
// description, creation handler, function buttons and computation.

// The form fields' classes are complete here: the meta-object code of the
// published fields needs them.
#include <analysis/FFT.h>
#include <histograph/Histo.h>
#include <platform/ExtCtrls.h>
#include <platform/Forms.h>
#include <platform/StdCtrls.h>

namespace Tessaron {

// The test signals of the function buttons.
namespace AnalysisSignal {

enum TFunctionType : int {
    ftSine = 0,      // "Sinus": sin(i * f)
    ftSquare = 1,    // "Rechteck": 1 where sin(i * f) > 0, else -1
    ftSawtooth = 2,  // "Sägezahn": rises by 1 / (pi / f) per sample, from -1 + step up to just over 1
    ftNoise = 3,     // "Rauschen": uniform in [-0.5, 0.5)
    ftNoisySine = 4, // "Verr. Sinus": 0.2 * sin(i * f) plus noise
};

// The fixed angular step of signal 1 in the two-signal dialogs: about five
// periods in 256 samples.
inline constexpr float FixedStep = 0.122718f;

// The sawtooth's increment per sample for the angular step Step, rounded once
// to a float: one period of the sine is one rise from -1 to 1.
float SawtoothIncrement(float Step);

// Writes Count samples of signal FunctionType with the angular step Step
// (radians per sample) into Data. An unknown type writes nothing.
void Generate(float* Data, int Count, int FunctionType, float Step);

} // namespace AnalysisSignal

// The slowly sweeping signal frequency: an angular step that moves by
// FrequencyStep per computation and turns back at the turning points.
struct TFrequencySweep {
    // The turning test: strictly beyond the limits, or reaching them.
    enum TTurn : int { turnBeyond, turnReaching };

    float Frequency = 0.0f;
    float FrequencyStep = 0.0f;
    float Low = 0.0f;
    float High = 0.0f;
    TTurn Turn = turnBeyond;

    // Whether the frequency meets the turning test now.
    bool AtTurningPoint() const;
    // One step, taken first in every computation: the step is reversed when
    // the frequency meets the turning test, then added.
    void Advance();

    // The one-signal dialogs: from 0.1 by 0.002, turning beyond 0.005 and 0.5.
    static TFrequencySweep Wide() { return {0.1f, 0.002f, 0.005f, 0.5f, turnBeyond}; }
    // The two-signal dialogs: from 0.031 by 0.001, turning on reaching 0.01 or 0.15.
    static TFrequencySweep Narrow() { return {0.031f, 0.001f, 0.01f, 0.15f, turnReaching}; }
};

class TAnalysisDialog : public TForm {
    Q_OBJECT
    Q_PROPERTY(Tessaron::TFFT* FFT1 MEMBER FFT1)
    Q_PROPERTY(Tessaron::TTimer* Timer1 MEMBER Timer1)
    Q_PROPERTY(Tessaron::THistograph* Histograph1 MEMBER Histograph1)
    Q_PROPERTY(Tessaron::THistograph* Histograph2 MEMBER Histograph2)
    Q_PROPERTY(Tessaron::TGroupBox* GroupBox1 MEMBER GroupBox1)
    Q_PROPERTY(Tessaron::TButton* Button1 MEMBER Button1)
    Q_PROPERTY(Tessaron::TButton* Button2 MEMBER Button2)
    Q_PROPERTY(Tessaron::TButton* Button3 MEMBER Button3)
    Q_PROPERTY(Tessaron::TGroupBox* GroupBox2 MEMBER GroupBox2)
    Q_PROPERTY(Tessaron::TButton* Button4 MEMBER Button4)
    Q_PROPERTY(Tessaron::TButton* Button5 MEMBER Button5)
    Q_PROPERTY(Tessaron::TButton* Button6 MEMBER Button6)
    Q_PROPERTY(Tessaron::TButton* Button7 MEMBER Button7)
    Q_PROPERTY(Tessaron::TButton* Button9 MEMBER Button9)
    Q_PROPERTY(Tessaron::TButton* Button8 MEMBER Button8)
    Q_PROPERTY(Tessaron::TLabel* Label1 MEMBER Label1)
    Q_PROPERTY(Tessaron::TLabel* Label2 MEMBER Label2)
    Q_PROPERTY(Tessaron::TLabel* Label3 MEMBER Label3)

public:
    // Closing in any way (also with the close box) stops the sweep.
    Q_INVOKABLE void FormClose(Tessaron::TObject* Sender, Tessaron::TForm::TCloseAction& Action);
    Q_INVOKABLE void Timer1Timer(Tessaron::TObject* Sender);
    // The window buttons "Rechteck", "Hamming", "Hanning", "Blackman": set the
    // window, then compute.
    Q_INVOKABLE void Button4Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button5Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button6Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button7Click(Tessaron::TObject* Sender);
    // "Dieses Fenster schließen": stops the sweep and closes the dialog.
    Q_INVOKABLE void Button8Click(Tessaron::TObject* Sender);
    // "Start"/"Stopp": switches the timer and the caption.
    Q_INVOKABLE void Button9Click(Tessaron::TObject* Sender);

    // The screenshot tour presses "Start".
    void TourStart() override;

    // One computation: advance the sweep, generate the signals, transform,
    // plot. Does nothing before the creation handler made the vectors.
    virtual void Calculate() = 0;

    TFFT* FFT1 = nullptr;
    TTimer* Timer1 = nullptr;
    THistograph* Histograph1 = nullptr;
    THistograph* Histograph2 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TButton* Button3 = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TButton* Button4 = nullptr;
    TButton* Button5 = nullptr;
    TButton* Button6 = nullptr;
    TButton* Button7 = nullptr;
    TButton* Button9 = nullptr;
    TButton* Button8 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;

    // The test signal (AnalysisSignal::TFunctionType), "Sinus" at first.
    int FunctionType = AnalysisSignal::ftSine;
    // The signal frequency; each dialog's creation handler sets its start.
    TFrequencySweep Sweep;

protected:
    explicit TAnalysisDialog(TComponent* AOwner);

    // Sets the window and computes.
    void ChooseWindow(TLeakType Kind);
    // Sets the Y view of Plot as one change (one repaint).
    static void SetYView(THistograph* Plot, float Min, float Max, float Gap);
    // The correlation view for FunctionType: -1 ... 1 for the periodic
    // signals, -0.1 ... 0.1 for the noisy ones.
    static void SetCorrelationView(THistograph* Plot, int FunctionType);
    // Stops the timer and shows "Start".
    void StopSweep();
};

// The dialogs with two input signals (cross-correlation, cross power
// spectrum): signal 1 of any type at the fixed step, signal 2 "Sinus" or
// "Rechteck" at the sweeping frequency, each plotted in its own histograph.
class TTwoSignalDialog : public TAnalysisDialog {
    Q_OBJECT
    Q_PROPERTY(Tessaron::TButton* Button10 MEMBER Button10)
    Q_PROPERTY(Tessaron::TButton* Button11 MEMBER Button11)
    Q_PROPERTY(Tessaron::THistograph* Histograph3 MEMBER Histograph3)
    Q_PROPERTY(Tessaron::TGroupBox* GroupBox3 MEMBER GroupBox3)
    Q_PROPERTY(Tessaron::TButton* Button12 MEMBER Button12)
    Q_PROPERTY(Tessaron::TButton* Button13 MEMBER Button13)

public:
    // Buttons "Sinus" and "Rechteck" of "Funktion 2".
    Q_INVOKABLE void Button12Click(Tessaron::TObject* Sender);
    Q_INVOKABLE void Button13Click(Tessaron::TObject* Sender);

    TButton* Button10 = nullptr;
    TButton* Button11 = nullptr;
    THistograph* Histograph3 = nullptr;
    TGroupBox* GroupBox3 = nullptr;
    TButton* Button12 = nullptr;
    TButton* Button13 = nullptr;

    // The type of signal 2: ftSine or ftSquare.
    int FunctionType2 = AnalysisSignal::ftSine;

    // N elements each, made by FFT1 in the creation handler.
    TComplexVector* Signal1 = nullptr;
    TComplexVector* Signal2 = nullptr;
    TComplexVector* Work1 = nullptr;
    TComplexVector* Work2 = nullptr;
    TComplexVector* Result = nullptr;

protected:
    explicit TTwoSignalDialog(TComponent* AOwner);

    // Sets the exponent, makes the vectors and sets the sweep's start.
    void CreateVectors(int Exponent);
    // Advances the sweep, generates both signals and copies them into the
    // work vectors, windowed. False before the vectors exist.
    bool PrepareSignals();
    // Plots signal 1, signal 2 (N values each) and ResultCount values of
    // Result.Re.
    void PlotSignals(int ResultCount);
};

} // namespace Tessaron
