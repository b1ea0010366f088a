#include "shell/CMainView.h"
#include "shell/DynamicMenus.h"

#include "resources/CommandIds.h"

#include <vector>

namespace shell {

void CMainView::FillInsertMenu(HMENU popup) const {
    HMENU insert = SubmenuAfter(popup, ID_INSERT_MARK);
    if (insert == nullptr)
        return;
    std::vector<std::u16string> labels;
    labels.reserve(templates_.count());
    for (std::size_t i = 0; i < templates_.count(); ++i)
        labels.push_back(templates_.entry(i).name);
    FillSubmenu(insert, labels, ID_TEMPLATE_FIRST);
}

void CMainView::OnTemplate(UINT id) {
    const HWND edit = editor_.hwnd();
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    // The whole selection, however long: %@% puts it back, so cutting it short would lose text.
    std::u16string_view selection;
    const char16_t* text = editor_.GetBuffer();
    const auto length = static_cast<DWORD>(SendMessage(edit, WM_GETTEXTLENGTH, 0, 0));
    if (text != nullptr && start < end && end <= length)
        selection = std::u16string_view(text + start, end - start);
    const document::TemplateExpansion expansion =
        templates_.expand(id - ID_TEMPLATE_FIRST, selection);
    SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(expansion.text.c_str()));
    const auto caret = static_cast<WPARAM>(start + expansion.caret);
    SendMessage(edit, EM_SETSEL, caret, static_cast<LPARAM>(caret));
    SendMessage(edit, EM_SCROLLCARET, 0, 0);
}

} // namespace shell
