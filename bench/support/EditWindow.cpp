#include "support/EditWindow.h"

#include "editctl/EditWindowProc.h"
#include "editctl/NEditMessages.h"
#include "platform/Gdi.h"
#include "platform/TestHooks.h"

#include <algorithm>

namespace bench {

EditWindow::EditWindow() {
    editctl::registerNEditClass();
    edit = CreateWindow(kNEditClassName, u"", WS_OVERLAPPED | WS_VISIBLE | WS_VSCROLL, 0, 0, 480,
                        640, nullptr, nullptr, nullptr, nullptr);
    LOGFONTW description{};
    const std::u16string_view face = u"KivTestFont";
    std::copy(face.begin(), face.end(), description.lfFaceName);
    const HFONT font = CreateFontIndirectW(&description);
    SendMessage(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    DeleteObject(font);
    SetFocus(edit);
    platform::test::pumpMessages();
}

EditWindow::~EditWindow() {
    DestroyWindow(edit);
}

void EditWindow::load(std::u16string_view text) {
    SendMessage(edit, NEM_SETTEXTBYTES, text.size() * 2, reinterpret_cast<LPARAM>(text.data()));
    platform::test::pumpMessages();
}

} // namespace bench
