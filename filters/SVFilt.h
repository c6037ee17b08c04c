#pragma once
// Digital state-variable filter: two integrators give low-pass, band-pass,
// high-pass and notch outputs from one recursion.

#include <filters/FilterBase.h>

namespace Tessaron {

class TStateVariableFilter : public TFilterComponent {
    Q_OBJECT
    Q_PROPERTY(float Q READ Q WRITE SetQ)
    Q_PROPERTY(TFilterOutput FilterOutput READ FilterOutput WRITE SetFilterOutput)

public:
    enum TFilterOutput : quint8 { foLowPass, foBandPass, foHighPass, foNotch };
    Q_ENUM(TFilterOutput)

    explicit TStateVariableFilter(TComponent* AOwner = nullptr);

    // Quality factor, 1.0 by default; a value that is not a finite number
    // greater than 0.4 is ignored. The damping is 1/Q.
    float Q() const { return FQ; }
    void SetQ(float Value);
    // The output that replaces the samples, foLowPass by default. Switching
    // changes neither the coefficients nor the integrator states; a value
    // outside the enumeration is ignored.
    TFilterOutput FilterOutput() const { return FFilterOutput; }
    void SetFilterOutput(TFilterOutput Value);

    // Clears both integrator states.
    void Reset() override;

protected:
    void UpdateCoefficients() override;
    void DoFilter(float* Data, int Count) override;

    int FloatsExtendedCount() const override { return 1; }
    std::vector<TFloatsInteger> FloatsIntegerRanges() const override;
    void GetFloatsExtra(std::vector<double>& Extended, std::vector<int>& Integers) const override;
    void SetFloatsExtra(const std::vector<float>& Extended, const std::vector<int>& Integers) override;

private:
    float FQ = 1.0f;
    TFilterOutput FFilterOutput = foLowPass;
    float FDamping = 1.0f;              // 1/Q
    float FFrequencyCoefficient = 0.0f; // 2*sin(pi*fc/fs), rounded once
    float FLow = 0.0f;                  // output of the second integrator
    float FBand = 0.0f;                 // output of the first integrator
};

using TFilterOutput = TStateVariableFilter::TFilterOutput;
inline constexpr TFilterOutput foLowPass = TStateVariableFilter::foLowPass;
inline constexpr TFilterOutput foBandPass = TStateVariableFilter::foBandPass;
inline constexpr TFilterOutput foHighPass = TStateVariableFilter::foHighPass;
inline constexpr TFilterOutput foNotch = TStateVariableFilter::foNotch;

} // namespace Tessaron
