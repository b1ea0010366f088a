#include "search/CMyComboBox.h"

#include "platform/ControlMessages.h"
#include "platform/StandardControls.h"

namespace search {

bool CMyComboBox::Create(DWORD style, HWND parent, int id) {
    return createEx(0, WC_COMBOBOX, u"", style, RECT{}, parent, id);
}

bool CMyComboBox::Dropped() const {
    return hwnd() != nullptr && SendMessage(hwnd(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

bool CMyComboBox::preTranslateMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN) {
        if (msg.wParam == static_cast<WPARAM>(VK_DOWN)) {
            if (!Dropped())
                SendMessage(hwnd(), CB_SHOWDROPDOWN, 1, 0);
        } else if (GetKeyState(VK_CONTROL) < 0) {
            UINT clipboardMessage = 0;
            switch (msg.wParam) {
            case 'C':
                clipboardMessage = WM_COPY;
                break;
            case 'X':
                clipboardMessage = WM_CUT;
                break;
            case 'V':
                clipboardMessage = WM_PASTE;
                break;
            default:
                break;
            }
            if (clipboardMessage != 0) {
                SendMessage(hwnd(), clipboardMessage, 0, 0);
                return true;
            }
        }
    }
    return WindowObject::preTranslateMessage(msg);
}

const platform::MessageMap& CMyComboBox::messageMap() const {
    using platform::onMessage;
    static constexpr platform::MessageEntry entries[] = {
        onMessage<platform::WM_REFLECT + WM_COMMAND, &CMyComboBox::OnReflectedCommand>(),
    };
    static const platform::MessageMap map{&WindowObject::messageMap(), entries};
    return map;
}

// Typing hides the list, so the field shows what is typed.
LRESULT CMyComboBox::OnReflectedCommand(WPARAM wParam, LPARAM /*lParam*/) {
    if (HIWORD(wParam) != CBN_EDITCHANGE)
        return 0;
    if (Dropped())
        SendMessage(hwnd(), CB_SHOWDROPDOWN, 0, 0);
    return 1;
}

} // namespace search
