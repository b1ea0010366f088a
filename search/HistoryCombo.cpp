#include "search/HistoryCombo.h"

#include "platform/ControlMessages.h"
#include "platform/Window.h"

#include <string>

namespace search {

namespace {

std::u16string itemText(HWND combo, WPARAM index) {
    const LRESULT length = SendMessage(combo, CB_GETLBTEXTLEN, index, 0);
    if (length <= 0)
        return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const LRESULT got =
        SendMessage(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

} // namespace

void HistoryCombo(HWND combo, const document::StringHistory& history, std::u16string_view current) {
    // From the last item to the first, so the indices still to visit do not move.
    bool kept = false;
    for (LRESULT i = SendMessage(combo, CB_GETCOUNT, 0, 0) - 1; i >= 0; --i) {
        const auto index = static_cast<WPARAM>(i);
        if (!current.empty() && !kept && itemText(combo, index) == current)
            kept = true;
        else
            SendMessage(combo, CB_DELETESTRING, index, 0);
    }
    // The kept item stands for the history's first entry only when it is that entry.
    std::size_t first = 0;
    if (kept) {
        if (history.count() > 0 && history.entry(0) == current)
            first = 1;
        else
            SendMessage(combo, CB_DELETESTRING, 0, 0);
    }
    for (std::size_t i = first; i < history.count(); ++i) {
        const std::u16string entry(history.entry(i));
        SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

} // namespace search
