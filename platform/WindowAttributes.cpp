#include "platform/ClientWidget.h"
#include "platform/FrameWidget.h"
#include "platform/InputMethodInternal.h"
#include "platform/WindowInternal.h"

#include <algorithm>

namespace {

// Copies text into a caller's buffer of size units with a terminator; returns the units
// copied (without the terminator).
int copyText(std::u16string_view text, char16_t* buffer, int size) {
    if (buffer == nullptr || size <= 0)
        return 0;
    const auto n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(size - 1));
    std::copy_n(text.begin(), n, buffer);
    buffer[n] = u'\0';
    return static_cast<int>(n);
}

void applyStyle(HWND hwnd, DWORD oldStyle, DWORD newStyle) {
    using namespace platform;
    if ((oldStyle ^ newStyle) & WS_DISABLED)
        hwnd->frame->setEnabled((newStyle & WS_DISABLED) == 0);
    bool barsChanged = false;
    if ((oldStyle ^ newStyle) & WS_VSCROLL) {
        hwnd->vbar.shown = (newStyle & WS_VSCROLL) != 0;
        barsChanged = true;
    }
    if ((oldStyle ^ newStyle) & WS_HSCROLL) {
        hwnd->hbar.shown = (newStyle & WS_HSCROLL) != 0;
        barsChanged = true;
    }
    if (barsChanged || ((oldStyle ^ newStyle) & WS_BORDER)) {
        syncClientArea(hwnd);
        hwnd->frame->update();
    }
    if (IsWindow(hwnd) && ((oldStyle ^ newStyle) & WS_VISIBLE))
        ShowWindow(hwnd, (newStyle & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
}

} // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return 0;
    switch (msg) {
    case WM_NCCREATE: {
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        if (cs != nullptr && cs->lpszName != nullptr)
            DefWindowProc(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(cs->lpszName));
        return TRUE;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SETTEXT: {
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        const auto* text = reinterpret_cast<const char16_t*>(lParam);
        w->text = text != nullptr ? std::u16string(text) : std::u16string();
        if (w->frame->isWindow())
            w->frame->setWindowTitle(QString::fromStdU16String(w->text));
        return TRUE;
    }
    case WM_GETTEXT:
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        return copyText(w->text, reinterpret_cast<char16_t*>(lParam),
                        static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFF)));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        return platform::eraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_IME_SETCONTEXT:
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION:
    case WM_IME_CHAR:
        return platform::defaultInputMethodMessage(hwnd, msg, wParam, lParam);
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_CONTEXTMENU:
        // Unhandled, these bubble up to the parent.
        if ((w->style & WS_CHILD) != 0 && w->parent != nullptr)
            return SendMessage(w->parent, msg, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return 0;
    switch (index) {
    case GWLP_USERDATA:
        return w->userData;
    case GWL_STYLE: {
        DWORD style = w->style;
        if (!w->frame->isHidden())
            style |= WS_VISIBLE;
        return static_cast<LONG_PTR>(style);
    }
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(w->exStyle);
    case GWL_ID:
        return w->id;
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(w->parent);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    default:
        return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return 0;
    const LONG_PTR old = GetWindowLongPtr(hwnd, index);
    switch (index) {
    case GWLP_USERDATA:
        w->userData = value;
        break;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
        // Styles travel as 32 bits; a sign-extended value must not leak into them.
        STYLESTRUCT change{static_cast<DWORD>(old), static_cast<DWORD>(value)};
        const auto changeParam = reinterpret_cast<LPARAM>(&change);
        SendMessage(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), changeParam);
        if (!IsWindow(hwnd))
            return old;
        if (index == GWL_STYLE) {
            w->style = change.styleNew & ~WS_VISIBLE;
            applyStyle(hwnd, change.styleOld, change.styleNew);
        } else {
            w->exStyle = change.styleNew;
            platform::syncClientArea(hwnd);
            w->frame->update();
        }
        if (IsWindow(hwnd))
            SendMessage(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), changeParam);
        break;
    }
    case GWL_ID:
        w->id = static_cast<int>(value);
        break;
    case GWLP_WNDPROC:
        if (value != 0) {
            // NOLINTNEXTLINE(performance-no-int-to-ptr)
            w->proc = reinterpret_cast<WNDPROC>(value);
        }
        break;
    case GWLP_HINSTANCE:
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        w->instance = reinterpret_cast<HINSTANCE>(value);
        break;
    default:
        return 0;
    }
    return old;
}

LONG GetWindowLong(HWND hwnd, int index) {
    return static_cast<LONG>(GetWindowLongPtr(hwnd, index));
}

LONG SetWindowLong(HWND hwnd, int index, LONG value) {
    const LONG_PTR wide = (index == GWL_STYLE || index == GWL_EXSTYLE)
                              ? static_cast<LONG_PTR>(static_cast<DWORD>(value))
                              : static_cast<LONG_PTR>(value);
    return static_cast<LONG>(SetWindowLongPtr(hwnd, index, wide));
}

HWND GetParent(HWND hwnd) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    return w != nullptr ? w->parent : nullptr;
}

HWND GetWindow(HWND hwnd, UINT relation) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return nullptr;
    const auto all = platform::liveWindows();
    std::vector<HWND> siblings;
    for (HWND other : all) {
        if (other->parent == w->parent)
            siblings.push_back(other);
    }
    const auto self = std::find(siblings.begin(), siblings.end(), hwnd);
    switch (relation) {
    case GW_CHILD:
        for (HWND other : all) {
            if (other->parent == hwnd && (other->style & WS_CHILD) != 0)
                return other;
        }
        return nullptr;
    case GW_HWNDFIRST:
        return siblings.front();
    case GW_HWNDLAST:
        return siblings.back();
    case GW_HWNDNEXT:
        return self + 1 != siblings.end() ? *(self + 1) : nullptr;
    case GW_HWNDPREV:
        return self != siblings.begin() ? *(self - 1) : nullptr;
    case GW_OWNER:
        return (w->style & WS_CHILD) == 0 ? w->parent : nullptr;
    default:
        return nullptr;
    }
}

int GetDlgCtrlID(HWND hwnd) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    return w != nullptr ? w->id : 0;
}

HWND GetDlgItem(HWND parent, int id) {
    for (HWND w : platform::liveWindows()) {
        if (w->parent == parent && (w->style & WS_CHILD) != 0 && w->id == id)
            return w;
    }
    return nullptr;
}

int GetClassName(HWND hwnd, char16_t* buffer, int size) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return 0;
    return copyText(w->windowClass->name, buffer, size);
}

BOOL SetWindowText(HWND hwnd, const char16_t* text) {
    if (!IsWindow(hwnd))
        return FALSE;
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

int GetWindowText(HWND hwnd, char16_t* buffer, int size) {
    if (buffer == nullptr || size <= 0)
        return 0;
    buffer[0] = u'\0';
    return static_cast<int>(
        SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd) {
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}
