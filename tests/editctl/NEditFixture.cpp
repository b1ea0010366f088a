#include "NEditFixture.h"

#include "editctl/EditState.h"
#include "editctl/EditWindowProc.h"
#include "platform/Gdi.h"

#include <algorithm>

namespace editctl::test {

namespace {

std::vector<WORD>& notifications() {
    static std::vector<WORD> codes;
    return codes;
}

LRESULT parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        notifications().push_back(HIWORD(wParam));
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

void registerParent() {
    static const bool registered = [] {
        WNDCLASS wc;
        wc.lpfnWndProc = parentProc;
        wc.lpszClassName = u"kivEditTestParent";
        return RegisterClass(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
}

void inject(BYTE virtualKey, bool down) {
    keybd_event(virtualKey, 0, down ? 0 : KEYEVENTF_KEYUP, 0);
}

} // namespace

HeldKeys::HeldKeys(unsigned modifiers) : modifiers_(modifiers) {
    if ((modifiers_ & platform::test::Shift) != 0) {
        inject(VK_SHIFT, true);
    }
    if ((modifiers_ & platform::test::Control) != 0) {
        inject(VK_CONTROL, true);
    }
}

HeldKeys::~HeldKeys() {
    if ((modifiers_ & platform::test::Shift) != 0) {
        inject(VK_SHIFT, false);
    }
    if ((modifiers_ & platform::test::Control) != 0) {
        inject(VK_CONTROL, false);
    }
}

void NEditTest::SetUp() {
    registerParent();
    ASSERT_NE(registerNEditClass(), 0);
    parent = CreateWindow(u"kivEditTestParent", u"parent", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 600,
                          400, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    notifications().clear();
}

void NEditTest::TearDown() {
    if (parent != nullptr) {
        DestroyWindow(parent);
    }
    platform::test::pumpMessages();
    platform::test::takePopupMenuCalls();
    platform::test::takeMessageBoxCalls();
}

void NEditTest::create(DWORD style, int width, int height) {
    edit = CreateWindow(kNEditClassName, u"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, 0, 0,
                        width, height, parent, childId(1333), nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    // The scroll bars take their room from the window; give it back to the client area.
    RECT client{};
    GetClientRect(edit, &client);
    MoveWindow(edit, 0, 0, 2 * width - client.right, 2 * height - client.bottom, TRUE);
    GetClientRect(edit, &client);
    ASSERT_EQ(client.right, width);
    ASSERT_EQ(client.bottom, height);
    LOGFONTW description{};
    const std::u16string_view face = u"KivTestFont";
    std::copy(face.begin(), face.end(), description.lfFaceName);
    description.lfHeight = -16;
    const HFONT font = CreateFontIndirectW(&description);
    send(WM_SETFONT, reinterpret_cast<WPARAM>(font));
    DeleteObject(font);
    SetFocus(edit);
    platform::test::pumpMessages();
    notifications().clear();
}

LRESULT NEditTest::send(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessage(edit, message, wParam, lParam);
}

void NEditTest::setText(std::u16string_view value) {
    const std::u16string copy(value);
    ASSERT_EQ(send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str())), 1);
}

std::u16string NEditTest::text() {
    const auto length = static_cast<std::size_t>(send(WM_GETTEXTLENGTH));
    std::u16string buffer(length + 1, u'\0');
    const auto copied = send(WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(copied));
    return buffer;
}

std::pair<int, int> NEditTest::selection() {
    DWORD start = 0;
    DWORD end = 0;
    send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

int NEditTest::caretIndex() {
    EditState* state = nullptr;
    send(NEM_GETSTATE, 0, reinterpret_cast<LPARAM>(&state));
    return state != nullptr ? state->caret : -1;
}

int NEditTest::anchorIndex() {
    EditState* state = nullptr;
    send(NEM_GETSTATE, 0, reinterpret_cast<LPARAM>(&state));
    return state != nullptr ? state->anchor : -1;
}

void NEditTest::type(std::u16string_view chars) {
    for (const char16_t ch : chars) {
        send(WM_CHAR, ch);
    }
}

void NEditTest::key(int virtualKey, unsigned modifiers) {
    const HeldKeys held(modifiers);
    send(WM_KEYDOWN, static_cast<WPARAM>(virtualKey));
}

void NEditTest::tap(int x, int y, unsigned modifiers) {
    const WPARAM flags = (modifiers & platform::test::Shift) != 0 ? MK_SHIFT : 0;
    const LPARAM point = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
    send(WM_LBUTTONDOWN, MK_LBUTTON | flags, point);
    send(WM_LBUTTONUP, flags, point);
}

void NEditTest::doubleTap(int x, int y, bool release) {
    tap(x, y);
    const LPARAM point = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
    send(WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    if (release) {
        send(WM_LBUTTONUP, 0, point);
    }
}

LPARAM NEditTest::cell(int column, int line) {
    return MAKELPARAM(static_cast<WORD>(1 + column * kNarrow + kNarrow / 2 - 1),
                      static_cast<WORD>(1 + line * kLine + kLine / 2));
}

std::vector<WORD> NEditTest::takeNotifications() {
    return std::exchange(notifications(), {});
}

void NEditTest::putClipboard(std::u16string_view value) {
    ASSERT_TRUE(OpenClipboard(parent));
    EmptyClipboard();
    auto* block = static_cast<char16_t*>(LocalAlloc(LPTR, (value.size() + 1) * sizeof(char16_t)));
    std::copy(value.begin(), value.end(), block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

std::u16string NEditTest::clipboardText() {
    if (!OpenClipboard(parent)) {
        return u"<closed>";
    }
    const auto* data = static_cast<const char16_t*>(GetClipboardData(CF_UNICODETEXT));
    std::u16string result = data != nullptr ? std::u16string(data) : u"<none>";
    CloseClipboard();
    return result;
}

} // namespace editctl::test
