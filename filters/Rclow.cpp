#include "filters/Rclow.h"

#include "platform/Streaming.h"

#include <cmath>
#include <numbers>

namespace Tessaron {

namespace {

[[maybe_unused]] const bool kRegistered = [] {
    RegisterClass<TRCLowpass>();
    return true;
}();

} // namespace

TRCFilter::TRCFilter(TComponent* AOwner)
    : TFilterComponent(AOwner)
{
    UpdateCoefficients();
}

void TRCFilter::Reset()
{
    FState = 0.0f;
}

void TRCFilter::UpdateCoefficients()
{
    const long double pi = std::numbers::pi_v<long double>;
    FB = static_cast<float>(
        std::exp(-2.0L * pi * static_cast<long double>(FCutoffFrequency) / static_cast<long double>(FSampleFrequency)));
    FA = 1.0f - FB;
}

TRCLowpass::TRCLowpass(TComponent* AOwner)
    : TRCFilter(AOwner)
{
}

void TRCLowpass::DoFilter(float* Data, int Count)
{
    // One recursion s := (s - a*s) + x per sample; its chain of multiply,
    // subtract and add bounds the speed, so the plain loop is the fast one.
    const float a = FA;
    float s = FState;
    for (int i = 0; i < Count; ++i) {
        const float x = Data[i];
        const float y = a * s;
        s = s - y + x;
        Data[i] = y;
    }
    FState = s;
}

} // namespace Tessaron
