#pragma once
// What kind of handheld the program runs as, and which way its screen is turned. On a desktop
// the kind is fixed for the run (a Pocket PC, unless KIV_DEVICE=smartphone), and the screen
// the editor lays itself out for is its main window: portrait while that window is narrower
// than it is tall.

#include "platform/WinTypes.h"

#include <cstdint>

namespace platform {

enum class PlatformKind : std::uint8_t {
    Other = 1,      // another device of the same family
    PocketPc = 2,   // touch screen with a soft input panel
    Smartphone = 3, // no touch screen
    Unknown = 255,
};

// The kind of this run, read from the environment on first use.
PlatformKind platformKind();
// The window whose size stands for the screen's (the main frame); null: the desktop's
// available area.
void setScreenWindow(HWND hwnd);
// True when the screen is narrower than it is tall (a square screen is landscape).
bool screenIsPortrait();

} // namespace platform

namespace platform::test {

// Makes platformKind() answer kind until the next call (tests only).
void setPlatformKind(PlatformKind kind);

} // namespace platform::test
