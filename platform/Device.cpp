#include "platform/Device.h"

#include "platform/Window.h"

#include <cstdlib>
#include <optional>
#include <string_view>

namespace platform {

namespace {

std::optional<PlatformKind>& chosenKind() {
    static std::optional<PlatformKind> kind;
    return kind;
}

HWND& screenWindow() {
    static HWND hwnd = nullptr;
    return hwnd;
}

} // namespace

PlatformKind platformKind() {
    if (!chosenKind()) {
        const char* device = std::getenv("KIV_DEVICE");
        const bool smartphone = device != nullptr && std::string_view(device) == "smartphone";
        chosenKind() = smartphone ? PlatformKind::Smartphone : PlatformKind::PocketPc;
    }
    return *chosenKind();
}

void setScreenWindow(HWND hwnd) {
    screenWindow() = hwnd;
}

bool screenIsPortrait() {
    RECT r;
    const HWND screen = IsWindow(screenWindow()) ? screenWindow() : GetDesktopWindow();
    GetWindowRect(screen, &r);
    return r.right - r.left < r.bottom - r.top;
}

} // namespace platform

namespace platform::test {

void setPlatformKind(PlatformKind kind) {
    chosenKind() = kind;
}

} // namespace platform::test
