#include "stripchart/Fastlog_Unit.h"

#include <platform/FormRegistry.h>

namespace Tessaron {

TFastlog_Demo* Fastlog_Demo = nullptr;

namespace {
[[maybe_unused]] const bool registered = RegisterForm<TFastlog_Demo>(&Fastlog_Demo);
}

} // namespace Tessaron
