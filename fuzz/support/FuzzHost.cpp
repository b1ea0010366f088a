#include "fuzz/support/FuzzHost.h"

#include "platform/Application.h"

#include <cstdlib>
#include <memory>

namespace kivfuzz {

void startHeadlessToolkit() {
    static int argc = 1;
    static char name[] = "kiv_fuzz";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Never torn down: the toolkit's font caches must outlive every static destructor.
    static platform::Application* const application =
        std::make_unique<platform::Application>(argc, argv).release();
    (void)application;
}

HWND createPlainParent(int width, int height) {
    static const bool registered = [] {
        WNDCLASS wc;
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = u"kivFuzzParent";
        return RegisterClass(&wc) != 0;
    }();
    (void)registered;
    return CreateWindow(u"kivFuzzParent", u"", WS_OVERLAPPED | WS_VISIBLE, 0, 0, width, height,
                        nullptr, nullptr, nullptr, nullptr);
}

} // namespace kivfuzz
