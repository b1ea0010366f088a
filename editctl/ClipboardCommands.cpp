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

// Calls f(pointer, count) for each contiguous piece of the logical text [start, end).
template <class F> void forEachPiece(const TextStore& text, int start, int end, F&& f) {
    const TextStore::Spans spans = text.spansFrom(start);
    int left = end - start;
    for (int k = 0; k < spans.count && left > 0; ++k) {
        const TextStore::Span& span = spans.parts[static_cast<std::size_t>(k)];
        const int take = std::min(left, span.length);
        f(span.data, static_cast<std::size_t>(take));
        left -= take;
    }
}

// Puts the selection on the clipboard with CR LF line breaks. The block is had before the
// clipboard is emptied, so a copy that cannot get the memory leaves the clipboard as it was.
bool copyToClipboard(EditState& state) {
    commitPending(state, true);
    const int start = selectionStart(state);
    const int end = selectionEnd(state);
    if (start == end) {
        return false;
    }
    std::size_t crs = 0;
    forEachPiece(state.text, start, end, [&crs](const char16_t* piece, std::size_t length) {
        crs += static_cast<std::size_t>(std::count(piece, piece + length, kCr));
    });
    const auto length = static_cast<std::size_t>(end - start);
    auto* block = static_cast<char16_t*>(LocalAlloc(LPTR, (length + crs + 1) * sizeof(char16_t)));
    if (block == nullptr) {
        return false;
    }
    char16_t* out = block;
    forEachPiece(state.text, start, end, [&out](const char16_t* piece, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            *out++ = piece[i];
            if (piece[i] == kCr) {
                *out++ = kLf;
            }
        }
    });
    *out = 0;
    const OpenedClipboard clipboard(state.hwnd);
    if (!clipboard.isOpen() || !EmptyClipboard() ||
        SetClipboardData(CF_UNICODETEXT, block) == nullptr) {
        LocalFree(block);
        return false;
    }
    return true;
}

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
    copyToClipboard(state);
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
    // What could not be put on the clipboard is not deleted.
    if (copyToClipboard(state)) {
        SendMessage(state.hwnd, WM_CLEAR, 0, 0);
    }
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
