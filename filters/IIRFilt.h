#pragma once
// Butterworth low-pass, band-pass and high-pass of even order 2 .. 10, a
// cascade of sections designed by the bilinear transform with pre-warped
// frequencies.

#include <filters/FilterBase.h>
#include <filters/IIRKernel.h>

namespace Tessaron {

class TIIRFilter : public TFilterComponent {
    Q_OBJECT
    Q_PROPERTY(float CutoffHighFrequency READ CutoffHighFrequency WRITE SetCutoffHighFrequency)
    Q_PROPERTY(int Order READ Order WRITE SetOrder)
    Q_PROPERTY(TIirFilterOutput FilterOutput READ FilterOutput WRITE SetFilterOutput)

public:
    enum TIirFilterOutput : quint8 { iirLowPass, iirBandPass, iirHighPass };
    Q_ENUM(TIirFilterOutput)

    explicit TIIRFilter(TComponent* AOwner = nullptr);

    // Upper band edge fh in Hz for the band-pass, 0.75 by default; the rule of
    // the other frequencies. Frequencies are not checked against fs/2 or
    // against each other: fc >= fs/2 or fh <= fc give meaningless coefficients.
    float CutoffHighFrequency() const { return FCutoffHighFrequency; }
    void SetCutoffHighFrequency(float Value);
    // Filter order, 2 by default. Values outside 2 .. 10 are ignored, odd ones
    // rounded down (3 gives 2); each two orders make one section. The delay
    // table is kept.
    int Order() const { return FOrder; }
    void SetOrder(int Value);
    // Response type, iirLowPass by default. Every assignment recomputes the
    // coefficients, also of the current value; a value outside the enumeration
    // is ignored. The delay table is kept, so a Reset is advisable after
    // switching between the band-pass and the others.
    TIirFilterOutput FilterOutput() const { return FFilterOutput; }
    void SetFilterOutput(TIirFilterOutput Value);

    // Number of cascaded sections, Order div 2 as last set through Order
    // (reading "Floats" leaves it alone).
    int SectionCount() const { return FSectionCount; }

    // Clears all 30 values of the delay table.
    void Reset() override;

protected:
    void UpdateCoefficients() override;
    void DoFilter(float* Data, int Count) override;

    int FloatsExtendedCount() const override { return 1; }
    std::vector<TFloatsInteger> FloatsIntegerRanges() const override;
    void GetFloatsExtra(std::vector<double>& Extended, std::vector<int>& Integers) const override;
    void SetFloatsExtra(const std::vector<float>& Extended, const std::vector<int>& Integers) override;

private:
    IIRKernel::TShape Shape() const;

    float FCutoffHighFrequency = 0.75f;
    int FOrder = 2;
    TIirFilterOutput FFilterOutput = iirLowPass;
    int FSectionCount = 1;
    IIRKernel::TCoefficients FCoeff = {}; // c1 .. c5 of each section
    IIRKernel::TDelayTable FDelay = {};
};

using TIirFilterOutput = TIIRFilter::TIirFilterOutput;
inline constexpr TIirFilterOutput iirLowPass = TIIRFilter::iirLowPass;
inline constexpr TIirFilterOutput iirBandPass = TIIRFilter::iirBandPass;
inline constexpr TIirFilterOutput iirHighPass = TIIRFilter::iirHighPass;

} // namespace Tessaron
