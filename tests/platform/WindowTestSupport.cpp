#include "WindowTestSupport.h"

#include <optional>

namespace kivtest {

namespace {

std::vector<Received>& messages() {
    static std::vector<Received> list;
    return list;
}

Handler& handler() {
    static Handler h;
    return h;
}

LRESULT testProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    messages().push_back(Received{hwnd, msg, wParam, lParam, GetKeyState(VK_SHIFT) < 0,
                                  GetKeyState(VK_CONTROL) < 0});
    if (handler()) {
        if (const auto answer = handler()(hwnd, msg, wParam, lParam))
            return *answer;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void registerOnce() {
    static bool done = false;
    if (done)
        return;
    WNDCLASS wc;
    wc.lpfnWndProc = testProc;
    wc.lpszClassName = u"kivTestWindow";
    ASSERT_NE(RegisterClass(&wc), 0);
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = u"kivTestDbl";
    ASSERT_NE(RegisterClass(&wc), 0);
    done = true;
}

std::vector<HWND>& created() {
    static std::vector<HWND> list;
    return list;
}

} // namespace

void WindowTest::SetUp() {
    registerOnce();
    messages().clear();
    handler() = nullptr;
}

void WindowTest::TearDown() {
    handler() = nullptr;
    for (HWND hwnd : created())
        DestroyWindow(hwnd);
    created().clear();
    ReleaseCapture();
    SetFocus(nullptr);
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    platform::test::pumpMessages();
    platform::test::takeMessageBoxCalls();
    platform::test::takePopupMenuCalls();
}

HWND WindowTest::makeTopLevel(int width, int height, DWORD style, const char16_t* className) {
    HWND hwnd = CreateWindowEx(0, className, u"test", WS_VISIBLE | style, 10, 10, width, height,
                               nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(hwnd, nullptr);
    created().push_back(hwnd);
    platform::test::pumpMessages();
    return hwnd;
}

HWND WindowTest::makeChild(HWND parent, int id, int x, int y, int width, int height, DWORD style,
                           const char16_t* className) {
    HWND hwnd = CreateWindowEx(0, className, u"", WS_CHILD | WS_VISIBLE | style, x, y, width,
                               height, parent, childId(id), nullptr, nullptr);
    EXPECT_NE(hwnd, nullptr);
    platform::test::pumpMessages();
    return hwnd;
}

std::vector<Received> WindowTest::received(UINT msg) const {
    std::vector<Received> result;
    for (const auto& r : messages()) {
        if (r.msg == msg)
            result.push_back(r);
    }
    return result;
}

const std::vector<Received>& WindowTest::log() const {
    return messages();
}

void WindowTest::clearLog() {
    messages().clear();
}

void WindowTest::setHandler(Handler h) {
    handler() = std::move(h);
}

} // namespace kivtest
