#include "histograph/RecorderTypes.h"

#include <platform/Streaming.h>

namespace Tessaron {
namespace {

// Window descriptions bind handlers to the recorders' own event types by name.
const bool kRegistered = [] {
    RegisterEventType<TNotifyCrossMove>();
    RegisterEventType<TNotifyCalculate>();
    return true;
}();

} // namespace
} // namespace Tessaron
