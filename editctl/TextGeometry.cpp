#include "editctl/TextGeometry.h"

#include "editctl/EditState.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace editctl {

namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kTab = u'\t';

int clampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// The x a tab starting at client x reaches; the rule counts from the text origin.
std::int64_t tabEnd(const EditState& state, std::int64_t x, std::int64_t origin) {
    return origin + LineLayout::tabStop(x - origin, std::max(state.layout.tabSize, 1),
                                        state.layout.cellWidth);
}

} // namespace

int textOriginX(const EditState& state) {
    return clampToInt(std::int64_t{state.layout.margins.left} -
                      std::int64_t{state.horizontalPosition} * state.layout.cellWidth);
}

int hitTest(EditState& state, int x, int y) {
    const LayoutParams& layout = state.layout;
    const int lineHeight = std::max(layout.lineHeight, 1);
    const std::int64_t line =
        (std::int64_t{y} - layout.margins.top) / lineHeight + state.firstVisibleLine;
    if (line < 0) {
        return 0;
    }
    const int count = state.lines.count();
    const int number = static_cast<int>(std::min<std::int64_t>(line, count - 1));
    const auto start = static_cast<int>(state.lines.start(number));
    const auto next = static_cast<int>(state.lines.start(number + 1));

    const std::int64_t origin = textOriginX(state);
    std::int64_t left = origin;
    for (int i = start; i < next; ++i) {
        const char16_t ch = state.text.at(i);
        if (ch == kCr) {
            return i;
        }
        if (ch == kTab) {
            const std::int64_t right = tabEnd(state, left, origin);
            if (x < right) {
                return i;
            }
            left = right;
            continue;
        }
        const int width = state.widths.width(ch);
        if (x < left + width) {
            const bool rightHalf = x - left > width / 2;
            return (left < layout.margins.left || rightHalf) ? i + 1 : i;
        }
        left += width;
    }
    // Past the end of a soft-wrapped line the caret stays on it, before its last character.
    return (number < count - 1 && next > start) ? next - 1 : next;
}

int caretX(EditState& state, int index) {
    const int line = state.lines.lineOf(index);
    const auto start = static_cast<int>(state.lines.start(line));
    const std::int64_t origin = textOriginX(state);
    std::int64_t x = origin;
    const int end = std::min(index, state.text.length());
    for (int i = start; i < end; ++i) {
        const char16_t ch = state.text.at(i);
        x = ch == kTab ? tabEnd(state, x, origin) : x + state.widths.width(ch);
    }
    return clampToInt(x);
}

int caretY(const EditState& state, int index) {
    const std::int64_t line = state.lines.lineOf(index);
    return clampToInt(std::int64_t{state.layout.margins.top} +
                      (line - state.firstVisibleLine) * state.layout.lineHeight);
}

} // namespace editctl
