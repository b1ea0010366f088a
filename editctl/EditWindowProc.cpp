#include "editctl/EditWindowProc.h"

#include "editctl/EditActions.h"
#include "editctl/EditHandlers.h"
#include "editctl/EditState.h"
#include "editctl/ImeCompWindow.h"
#include "editctl/LayoutSettling.h"
#include "editctl/MessageTable.h"

namespace editctl {

namespace {

template <class T> T* pointer(LPARAM value) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    return reinterpret_cast<T*>(value);
}

// After a failed message: tell the user, and keep the text unless it has become inconsistent,
// in which case an empty text is the only safe state left.
void recoverFromFailure(HWND hwnd) {
    MessageBox(hwnd, u"Out of Memory", u"Error!", MB_OK | MB_ICONSTOP);
    EditState* state = stateOf(hwnd);
    if (state == nullptr || state->checkInvariants()) {
        return;
    }
    try {
        replaceAllAndShow(*state, std::u16string_view());
    } catch (...) {
        // Not even an empty text could be had; the next message tries again.
    }
}

} // namespace

LRESULT nEditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_CREATE) {
            return onCreate(hwnd, pointer<const CREATESTRUCT>(lParam));
        }
        if (message == WM_DESTROY) {
            onDestroy(hwnd);
            return DefWindowProc(hwnd, message, wParam, lParam);
        }
        const MessageRow* row = findMessage(message);
        EditState* state = stateOf(hwnd);
        if (state == nullptr) {
            return row != nullptr && row->withoutState() == WithoutState::AnswerZero
                       ? 0
                       : DefWindowProc(hwnd, message, wParam, lParam);
        }
        // Every answer is the one a complete layout gives.
        LRESULT result = 0;
        if (row != nullptr) {
            row->settleBefore(*state, wParam, lParam);
            result = row->run(*state, hwnd, wParam, lParam);
        } else {
            settleForMessage(*state, kUnlistedSettling, nullptr, wParam, lParam);
            result = DefWindowProc(hwnd, message, wParam, lParam);
        }
        // The message may have destroyed the window and its state.
        if (EditState* after = stateOf(hwnd); after != nullptr) {
            scheduleSettling(*after);
        }
        return result;
    } catch (...) {
        recoverFromFailure(hwnd);
        return message == WM_CREATE ? -1 : 0;
    }
}

ATOM registerNEditClass() {
    static const ATOM atom = [] {
        registerImeCompClass();
        WNDCLASS wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = nEditWindowProc;
        wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
        wc.hbrBackground = nullptr;
        wc.lpszClassName = kNEditClassName;
        return RegisterClass(&wc);
    }();
    return atom;
}

} // namespace editctl
