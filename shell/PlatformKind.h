#pragma once
// Which kind of handheld the program runs as; fixed for the whole run.

#include "platform/Device.h"

namespace shell {

using platform::PlatformKind;

} // namespace shell
