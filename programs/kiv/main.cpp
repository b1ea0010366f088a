#include "document/DefaultFiles.h"
#include "platform/Application.h"
#include "platform/Gdi.h"
#include "platform/Window.h"

namespace {

// The program's top-level window until the shell's frame takes its place.
LRESULT frameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace

int main(int argc, char** argv) {
    platform::Application app(argc, argv);
    // A fresh program directory gets its default colour and template files before anything
    // reads them.
    document::seedProgramFiles("0409");
    WNDCLASS wc;
    wc.lpfnWndProc = frameProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = u"kivFrame";
    if (RegisterClass(&wc) == 0)
        return 1;
    HWND frame = CreateWindow(u"kivFrame", u"kiv", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                              CW_USEDEFAULT, 480, 640, nullptr, nullptr, nullptr, nullptr);
    if (frame == nullptr)
        return 1;
    return app.run();
}
