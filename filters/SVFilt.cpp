#include "filters/SVFilt.h"

#include "platform/Streaming.h"

#include <cmath>
#include <numbers>

namespace Tessaron {

namespace {

[[maybe_unused]] const bool kRegistered = [] {
    RegisterClass<TStateVariableFilter>();
    return true;
}();

// One pass per sample; the chain band -> low -> high -> band (14 cycles of
// multiply and add latency) bounds the speed whatever the output, so the
// output choice is lifted out of the loop and nothing else is needed.
template <TStateVariableFilter::TFilterOutput Output>
void RunStateVariable(float* Data, int Count, float F, float D, float& Low, float& Band)
{
    float low = Low;
    float band = Band;
    for (int i = 0; i < Count; ++i) {
        const float x = Data[i];
        low = F * band + low;
        const float high = x - low - D * band;
        band = F * high + band;
        if constexpr (Output == TStateVariableFilter::foLowPass)
            Data[i] = low;
        else if constexpr (Output == TStateVariableFilter::foBandPass)
            Data[i] = band;
        else if constexpr (Output == TStateVariableFilter::foHighPass)
            Data[i] = high;
        else
            Data[i] = high + low;
    }
    Low = low;
    Band = band;
}

} // namespace

TStateVariableFilter::TStateVariableFilter(TComponent* AOwner)
    : TFilterComponent(AOwner)
{
    UpdateCoefficients();
}

void TStateVariableFilter::SetQ(float Value)
{
    if (!IsAbove(Value, 0.4f) || Value == FQ)
        return;
    FQ = Value;
    UpdateCoefficients();
}

void TStateVariableFilter::SetFilterOutput(TFilterOutput Value)
{
    if (Value > foNotch)
        return;
    FFilterOutput = Value;
}

void TStateVariableFilter::Reset()
{
    FLow = 0.0f;
    FBand = 0.0f;
}

void TStateVariableFilter::UpdateCoefficients()
{
    const long double pi = std::numbers::pi_v<long double>;
    FDamping = static_cast<float>(1.0L / static_cast<long double>(FQ));
    FFrequencyCoefficient = static_cast<float>(
        2.0L * std::sin(pi * static_cast<long double>(FCutoffFrequency) / static_cast<long double>(FSampleFrequency)));
}

void TStateVariableFilter::DoFilter(float* Data, int Count)
{
    const float F = FFrequencyCoefficient;
    const float D = FDamping;
    switch (FFilterOutput) {
    case foLowPass:
        RunStateVariable<foLowPass>(Data, Count, F, D, FLow, FBand);
        break;
    case foBandPass:
        RunStateVariable<foBandPass>(Data, Count, F, D, FLow, FBand);
        break;
    case foHighPass:
        RunStateVariable<foHighPass>(Data, Count, F, D, FLow, FBand);
        break;
    case foNotch:
        RunStateVariable<foNotch>(Data, Count, F, D, FLow, FBand);
        break;
    }
}

std::vector<TFilterComponent::TFloatsInteger> TStateVariableFilter::FloatsIntegerRanges() const
{
    return {{foLowPass, foNotch}};
}

void TStateVariableFilter::GetFloatsExtra(std::vector<double>& Extended, std::vector<int>& Integers) const
{
    Extended = {double(FQ)};
    Integers = {int(FFilterOutput)};
}

void TStateVariableFilter::SetFloatsExtra(const std::vector<float>& Extended, const std::vector<int>& Integers)
{
    FQ = Extended[0];
    FFilterOutput = TFilterOutput(Integers[0]);
}

} // namespace Tessaron
