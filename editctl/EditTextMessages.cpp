// Messages that put text into the control and read text and display lines out of it.

#include "editctl/EditActions.h"
#include "editctl/EditHandlers.h"
#include "editctl/EditOperations.h"
#include "editctl/EditState.h"

#include <algorithm>
#include <string_view>

namespace editctl {

namespace {

// Length of the display line `line`, its terminating CR not counted.
int displayLineLength(const EditState& state, int line) {
    const auto start = static_cast<int>(state.lines.start(line));
    const auto next = static_cast<int>(state.lines.start(line + 1));
    if (next > start && state.text.at(next - 1) == u'\r') {
        return next - start - 1;
    }
    return next - start;
}

// WPARAM values that stand for -1 ("the caret" / "the selection").
bool isMinusOne(WPARAM value) {
    return static_cast<LONG>(value) == -1;
}

int clampIndex(const EditState& state, WPARAM value) {
    const auto index = static_cast<long long>(static_cast<LONG>(value));
    return static_cast<int>(std::clamp<long long>(index, 0, state.text.length()));
}

} // namespace

LRESULT onSetText(EditState& state, const char16_t* text) {
    if (text == nullptr) {
        return 0;
    }
    replaceAllAndShow(state, std::u16string_view(text));
    return 1;
}

LRESULT onSetTextBytes(EditState& state, WPARAM bytes, const char16_t* text) {
    if (text == nullptr) {
        return 0;
    }
    replaceAllAndShow(state, std::u16string_view(text, bytes / sizeof(char16_t)));
    return 1;
}

LRESULT onGetText(EditState& state, WPARAM size, char16_t* buffer) {
    if (buffer == nullptr) {
        return 0;
    }
    commitPending(state, true);
    const int length = state.text.length();
    const auto copied = static_cast<int>(std::min<WPARAM>(size, static_cast<WPARAM>(length)));
    state.text.copyOut(0, copied, buffer);
    // A terminator only where the caller's buffer has room for it.
    if (static_cast<WPARAM>(copied) < size) {
        buffer[copied] = 0;
    }
    return copied;
}

LRESULT onCopyText(EditState& state, char16_t* buffer) {
    if (buffer == nullptr) {
        return 0;
    }
    commitPending(state, true);
    const int length = state.text.length();
    state.text.copyOut(0, length, buffer);
    return static_cast<LRESULT>(length) * 2;
}

LRESULT onGetBuffer(EditState& state) {
    commitPending(state, true);
    return reinterpret_cast<LRESULT>(state.text.contiguousText());
}

LRESULT onLineIndex(const EditState& state, WPARAM line) {
    if (isMinusOne(line)) {
        return static_cast<LRESULT>(state.lines.start(state.lines.lineOf(state.caret)));
    }
    if (line >= static_cast<WPARAM>(state.lines.count())) {
        return -1;
    }
    return static_cast<LRESULT>(state.lines.start(static_cast<int>(line)));
}

LRESULT onLineLength(const EditState& state, WPARAM index) {
    if (!isMinusOne(index)) {
        return displayLineLength(state, state.lines.lineOf(clampIndex(state, index)));
    }
    const int selStart = std::min(state.caret, state.anchor);
    const int selEnd = std::max(state.caret, state.anchor);
    if (selStart == selEnd) {
        return displayLineLength(state, state.lines.lineOf(state.caret));
    }
    // The unselected characters on the first and last lines of the selection.
    const int firstLine = state.lines.lineOf(selStart);
    const int lastLine = state.lines.lineOf(selEnd);
    const auto lastStart = static_cast<int>(state.lines.start(lastLine));
    const int lastEnd = lastStart + displayLineLength(state, lastLine);
    return (selStart - static_cast<int>(state.lines.start(firstLine))) +
           std::max(lastEnd - selEnd, 0);
}

LRESULT onLineFromChar(const EditState& state, WPARAM index) {
    if (isMinusOne(index)) {
        return state.lines.lineOf(std::min(state.caret, state.anchor));
    }
    return state.lines.lineOf(clampIndex(state, index));
}

LRESULT onGetLine(const EditState& state, WPARAM line, char16_t* buffer) {
    if (buffer == nullptr || line >= static_cast<WPARAM>(state.lines.count())) {
        return 0;
    }
    // The caller says in the buffer's first word how many characters it holds.
    const int room = buffer[0];
    const int number = static_cast<int>(line);
    const int length = std::min(displayLineLength(state, number), room);
    state.text.copyOut(static_cast<int>(state.lines.start(number)), length, buffer);
    return length;
}

} // namespace editctl
