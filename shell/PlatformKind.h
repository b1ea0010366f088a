#pragma once
// Which kind of handheld the program runs as; fixed for the whole run.

#include <cstdint>

namespace shell {

enum class PlatformKind : std::uint8_t {
    Other = 1,      // another device of the same family
    PocketPc = 2,   // touch screen with a soft input panel
    Smartphone = 3, // no touch screen
    Unknown = 255,
};

} // namespace shell
