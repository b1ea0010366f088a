#pragma once
// Lookup of registered window classes.

#include "platform/WindowInternal.h"

#include <memory>
#include <string_view>

namespace platform {

// Registers the standard control and dialog classes once.
void registerStandardClasses();
// The class registered under name (ASCII case ignored), or null. The standard classes are
// registered on first use.
std::shared_ptr<WindowClass> findWindowClass(std::u16string_view name);

} // namespace platform
