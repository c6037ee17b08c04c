#include "filters/IIRFilt.h"

#include "platform/Streaming.h"

#include <climits>

namespace Tessaron {

namespace {

[[maybe_unused]] const bool kRegistered = [] {
    RegisterClass<TIIRFilter>();
    return true;
}();

} // namespace

TIIRFilter::TIIRFilter(TComponent* AOwner)
    : TFilterComponent(AOwner)
{
    UpdateCoefficients();
}

void TIIRFilter::SetCutoffHighFrequency(float Value)
{
    AssignFrequency(FCutoffHighFrequency, Value);
}

void TIIRFilter::SetOrder(int Value)
{
    if (Value == FOrder || Value < 2 || Value > 10)
        return;
    FOrder = (Value / 2) * 2;
    FSectionCount = Value / 2;
    UpdateCoefficients();
}

void TIIRFilter::SetFilterOutput(TIirFilterOutput Value)
{
    if (Value > iirHighPass)
        return;
    FFilterOutput = Value;
    UpdateCoefficients();
}

void TIIRFilter::Reset()
{
    for (auto& row : FDelay)
        for (float& w : row)
            w = 0.0f;
}

IIRKernel::TShape TIIRFilter::Shape() const
{
    using IIRKernel::TShape;
    return FFilterOutput == iirBandPass ? TShape::BandPass
        : FFilterOutput == iirHighPass  ? TShape::HighPass
                                        : TShape::LowPass;
}

void TIIRFilter::UpdateCoefficients()
{
    IIRKernel::Design(Shape(), FSectionCount, FSampleFrequency, FCutoffFrequency, FCutoffHighFrequency, FCoeff);
}

void TIIRFilter::DoFilter(float* Data, int Count)
{
    IIRKernel::Filter(Shape(), FSectionCount, FCoeff, FDelay, Data, Count);
}

std::vector<TFilterComponent::TFloatsInteger> TIIRFilter::FloatsIntegerRanges() const
{
    return {{INT_MIN, INT_MAX}, {iirLowPass, iirHighPass}};
}

void TIIRFilter::GetFloatsExtra(std::vector<double>& Extended, std::vector<int>& Integers) const
{
    Extended = {double(FCutoffHighFrequency)};
    Integers = {FOrder, int(FFilterOutput)};
}

void TIIRFilter::SetFloatsExtra(const std::vector<float>& Extended, const std::vector<int>& Integers)
{
    FCutoffHighFrequency = Extended[0];
    FOrder = Integers[0];
    FFilterOutput = TIirFilterOutput(Integers[1]);
}

} // namespace Tessaron
