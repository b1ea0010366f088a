#pragma once
// Lookup of registered window classes.

#include "platform/WindowInternal.h"

#include <memory>
#include <string_view>

namespace platform {

// The class registered under name (ASCII case ignored), or null.
std::shared_ptr<WindowClass> findWindowClass(std::u16string_view name);

} // namespace platform
