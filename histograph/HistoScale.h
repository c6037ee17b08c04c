#pragma once
// The histograph's axis arithmetic: label formats, the step guard, tick and
// label placement of linear axes, decades and minor grid values of
// logarithmic axes. Plain functions and values, usable without a control.

#include <QString>

#include <functional>

namespace Tessaron {
namespace HistoScale {

// The picture format of the labels of an axis from Lo to Hi: "#.##E-00" when
// Lo <= -100000, Hi >= 100000 or Hi - Lo < 0.001; otherwise "0." followed by
// Decimals zeros, or "0" when Decimals <= 0.
QString LabelFormat(double Lo, double Hi, int Decimals);

// The step guard: when Trunc((Hi - Lo) * 2 / Gap) exceeds Pixels, at least two
// pixels per step are needed and the gap becomes (Hi - Lo) * 2 / Pixels.
// Returns true (with the new gap in Gap) when it changed the gap.
bool GuardGap(double Lo, double Hi, int Pixels, double& Gap);

// A linear axis of Pixels pixels from Lo to Hi with ticks every Gap.
struct TLinearAxis {
    double Lo = 0.0;
    double Hi = 1.0;
    double Gap = 1.0;
    int Pixels = 1;

    // The first tick at or above Lo is FirstMultiple() * Gap: Trunc(Lo / Gap),
    // plus one when that multiple lies below Lo.
    double FirstMultiple() const;
    // Pixels per step: Trunc(Pixels * Gap / (Hi - Lo)).
    int StepPixels() const;
    // Labels every LabelEvery() ticks: the least count whose pixel distance is
    // at least NeedPixels.
    int LabelEvery(int NeedPixels) const;
    // Pixel offset of value V from the axis start:
    // Trunc(Pixels * V / (Hi - Lo)) - Trunc(Pixels * Lo / (Hi - Lo)).
    int Offset(double V) const;
    // Calls F(value) for every Every-th tick from the first one while the value
    // is <= Hi (Inclusive) or < Hi. Tick values are whole multiples of Gap,
    // compared with a tolerance of a ten-thousandth of a step: a gap stored as
    // a float (0.1 is 0.100000001) must not lose the tick that falls on Hi.
    void ForEachTick(int Every, bool Inclusive, const std::function<void(double)>& F) const;
};

// The decades of a logarithmic axis from Lo to Hi (both > 0): 10^First ...
// 10^Last, the powers of ten inside [Lo, Hi].
struct TDecades {
    int First = 0;
    int Last = -1;
};
TDecades DecadeRange(double Lo, double Hi);

// The label of decade K: "#E+00" when the axis reaches below 10^-3 or above
// 10^3 (First < -3 or Last > 3), otherwise the general format with four
// significant digits ("0.001" ... "1000").
QString DecadeLabel(int K, const TDecades& Decades);

// Calls F(value) for every minor grid value m * 10^e (m = 1 ... 9) from the
// first one >= Lo while it is < Hi.
void ForEachMinorValue(double Lo, double Hi, const std::function<void(double)>& F);

} // namespace HistoScale
} // namespace Tessaron
