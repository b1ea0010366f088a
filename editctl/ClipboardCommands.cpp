#include "editctl/ClipboardCommands.h"

#include "editctl/CaretMovement.h"
#include "editctl/EditActions.h"
#include "editctl/EditOperations.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"
#include "editctl/KeyInput.h"

#include <algorithm>

namespace editctl {

namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';

// Closes the clipboard when the operation ends, however it ends.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (open_) {
            CloseClipboard();
        }
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool isOpen() const { return open_; }

private:
    bool open_;
};

} // namespace

std::u16string fromClipboardBreaks(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        result.push_back(text[i]);
        if (text[i] == kCr && i + 1 < text.size() && text[i + 1] == kLf) {
            ++i;
        }
    }
    return result;
}

LRESULT copySelection(EditState& state) {
    commitPending(state, true);
    const int start = selectionStart(state);
    const int end = selectionEnd(state);
    if (start == end) {
        return 0;
    }
    const OpenedClipboard clipboard(state.hwnd);
    if (!clipboard.isOpen() || !EmptyClipboard()) {
        return 0;
    }
    const char16_t* selected = state.text.baseText() + start;
    const auto length = static_cast<std::size_t>(end - start);
    const auto crs = static_cast<std::size_t>(std::count(selected, selected + length, kCr));
    auto* block = static_cast<char16_t*>(LocalAlloc(LPTR, (length + crs + 1) * sizeof(char16_t)));
    if (block == nullptr) {
        return 0;
    }
    char16_t* out = block;
    for (std::size_t i = 0; i < length; ++i) {
        *out++ = selected[i];
        if (selected[i] == kCr) {
            *out++ = kLf;
        }
    }
    *out = 0;
    if (SetClipboardData(CF_UNICODETEXT, block) == nullptr) {
        LocalFree(block);
    }
    return 0;
}

LRESULT pasteClipboard(EditState& state) {
    if (state.readOnly || !IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        return 0;
    }
    const OpenedClipboard clipboard(state.hwnd);
    if (!clipboard.isOpen()) {
        return 0;
    }
    const WaitCursor wait;
    const auto* data = static_cast<const char16_t*>(GetClipboardData(CF_UNICODETEXT));
    if (data == nullptr) {
        return 0;
    }
    typeText(state, fromClipboardBreaks(std::u16string_view(data)), true);
    return 0;
}

LRESULT cutSelection(EditState& state) {
    if (state.readOnly) {
        return 0;
    }
    SendMessage(state.hwnd, WM_COPY, 0, 0);
    SendMessage(state.hwnd, WM_CLEAR, 0, 0);
    return 0;
}

LRESULT clearSelection(EditState& state) {
    if (state.readOnly || state.caret == state.anchor) {
        return 0;
    }
    state.rememberedColumn = 0;
    deleteAndShow(state, selectionStart(state), selectionEnd(state));
    return 0;
}

} // namespace editctl
