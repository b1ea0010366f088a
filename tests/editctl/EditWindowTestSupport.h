#pragma once
// An "nEdit" control inside a parent window that records its notifications, with the
// deterministic test font (8 px below U+0100, 16 px above, 16 px high) selected.

#include "editctl/EditState.h"
#include "editctl/EditWindowProc.h"
#include "platform/Gdi.h"
#include "platform/Window.h"

#include <algorithm>
#include <string>
#include <vector>

namespace editctl::test {

class EditWindowFixture {
public:
    // Notification codes the parent received, oldest first.
    static std::vector<WORD>& notifications() {
        static std::vector<WORD> codes;
        return codes;
    }

    // A control with a client area of `width` x `height` pixels and the given extra styles.
    EditWindowFixture(int width, int height, DWORD style = 0, const char16_t* text = u"") {
        registerNEditClass();
        registerParentClass();
        parent = CreateWindowEx(0, u"EditTestParent", u"", WS_OVERLAPPED, 0, 0, width + 40,
                                height + 40, nullptr, nullptr, nullptr, nullptr);
        edit = CreateWindowEx(0, u"nEdit", text, WS_CHILD | WS_VISIBLE | style, 0, 0, width, height,
                              parent, childId(1333), nullptr, nullptr);
        LOGFONTW description{};
        description.lfHeight = -16;
        const std::u16string face = u"KivTestFont";
        std::copy(face.begin(), face.end(), description.lfFaceName);
        font = CreateFontIndirectW(&description);
        SendMessage(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        resizeClient(width, height);
        notifications().clear();
    }
    // Sizes the control so that its client area, scroll bars aside, is width x height.
    void resizeClient(int width, int height) const {
        RECT client{};
        GetClientRect(edit, &client);
        RECT outer{};
        GetWindowRect(edit, &outer);
        MoveWindow(edit, 0, 0, width + (outer.right - outer.left - client.right),
                   height + (outer.bottom - outer.top - client.bottom), TRUE);
    }
    ~EditWindowFixture() {
        DestroyWindow(parent);
        DeleteObject(font);
    }
    EditWindowFixture(const EditWindowFixture&) = delete;
    EditWindowFixture& operator=(const EditWindowFixture&) = delete;

    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessage(edit, message, wParam, lParam);
    }
    void setText(const std::u16string& text) const {
        send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    std::u16string text() const {
        std::u16string buffer(static_cast<std::size_t>(send(WM_GETTEXTLENGTH)) + 1, u'\0');
        const auto copied =
            send(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
        buffer.resize(static_cast<std::size_t>(copied));
        return buffer;
    }
    EditState& state() const {
        EditState* state = nullptr;
        send(NEM_GETSTATE, 0, reinterpret_cast<LPARAM>(&state));
        return *state;
    }

    HWND parent = nullptr;
    HWND edit = nullptr;
    HFONT font = nullptr;

private:
    static LRESULT parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COMMAND && LOWORD(wParam) == 1333) {
            notifications().push_back(HIWORD(wParam));
            return 0;
        }
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    static void registerParentClass() {
        static const ATOM atom = [] {
            WNDCLASS wc;
            wc.lpfnWndProc = parentProc;
            wc.lpszClassName = u"EditTestParent";
            return RegisterClass(&wc);
        }();
        (void)atom;
    }
};

} // namespace editctl::test
