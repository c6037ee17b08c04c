#pragma once
// First-order RC filters on sampled data: the shared coefficients and capacitor
// state, and the low-pass.

#include <filters/FilterBase.h>

namespace Tessaron {

// A first-order RC section: b = exp(-2*pi*fc/fs) is the state's decay per
// sample and a = 1 - b the input weight. The capacitor state is kept between
// Filter calls and across setting changes; only Reset clears it.
class TRCFilter : public TFilterComponent {
    Q_OBJECT

public:
    explicit TRCFilter(TComponent* AOwner = nullptr);

    void Reset() override;

protected:
    void UpdateCoefficients() override;

    float FState = 0.0f; // s, the capacitor state
    float FA = 0.0f;     // 1 - b
    float FB = 0.0f;     // exp(-2*pi*fc/fs), rounded once
};

// RC low-pass: y[n] = b*y[n-1] + a*x[n-1], unity gain at DC, the output one
// sample behind the input.
class TRCLowpass : public TRCFilter {
    Q_OBJECT

public:
    explicit TRCLowpass(TComponent* AOwner = nullptr);

protected:
    void DoFilter(float* Data, int Count) override;
};

} // namespace Tessaron
