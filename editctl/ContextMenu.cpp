#include "editctl/ControlMessages.h"

#include "editctl/EditState.h"

namespace editctl {

namespace {

// "Select all" has no message of its own.
constexpr UINT kSelectAll = 1;

} // namespace

LRESULT onContextMenu(EditState& state) {
    const HWND hwnd = state.hwnd;
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const UINT noSelection = start == end ? MF_GRAYED : MF_ENABLED;
    const auto greyedUnless = [hwnd](UINT query) {
        return SendMessage(hwnd, query, 0, 0) == 1 ? MF_ENABLED : MF_GRAYED;
    };

    const HMENU menu = CreatePopupMenu();
    if (menu == nullptr) {
        return 0;
    }
    AppendMenu(menu, MF_STRING | greyedUnless(EM_CANUNDO), EM_UNDO, u"元に戻す(&U)");
    AppendMenu(menu, MF_STRING | greyedUnless(EM_CANREDO), EM_REDO, u"やり直し(&R)");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menu, MF_STRING | noSelection, WM_CUT, u"切り取り(&T)");
    AppendMenu(menu, MF_STRING | noSelection, WM_COPY, u"コピー(&C)");
    AppendMenu(menu, MF_STRING, WM_PASTE, u"貼り付け(&P)");
    AppendMenu(menu, MF_STRING | noSelection, WM_CLEAR, u"削除(&D)");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menu, MF_STRING, kSelectAll, u"すべて選択(&A)");

    POINT at{};
    GetCursorPos(&at);
    const auto chosen = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, at.x, at.y, 0, hwnd, nullptr));
    DestroyMenu(menu);
    if (chosen == kSelectAll) {
        SendMessage(hwnd, EM_SETSEL, 0, -1);
    } else if (chosen != 0) {
        SendMessage(hwnd, chosen, 0, 0);
    }
    return 0;
}

} // namespace editctl
