#include "filters/Rchigh.h"

#include "platform/Streaming.h"

namespace Tessaron {

namespace {

[[maybe_unused]] const bool kRegistered = [] {
    RegisterClass<TRCHighpass>();
    return true;
}();

} // namespace

TRCHighpass::TRCHighpass(TComponent* AOwner)
    : TRCFilter(AOwner)
{
}

void TRCHighpass::DoFilter(float* Data, int Count)
{
    const float a = FA;
    float s = FState;
    for (int i = 0; i < Count; ++i) {
        const float x = Data[i];
        const float as = a * s;
        const float y = x - as;
        s = s - as + x;
        Data[i] = y;
    }
    FState = s;
}

} // namespace Tessaron
