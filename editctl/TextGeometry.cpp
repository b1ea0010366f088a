#include "editctl/TextGeometry.h"

#include "editctl/EditState.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

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
    return caretXAtOffset(state, offsetAfter(state, 0, start, index));
}

std::int64_t offsetAfter(EditState& state, std::int64_t offset, int from, int to) {
    const int tabSize = std::max(state.layout.tabSize, 1);
    const int cellWidth = state.layout.cellWidth;
    const TextStore::Spans spans = state.text.spansFrom(from);
    int left = std::min(to, state.text.length()) - from;
    for (int k = 0; k < spans.count && left > 0; ++k) {
        const TextStore::Span& span = spans.parts[static_cast<std::size_t>(k)];
        const int take = std::min(left, span.length);
        for (const char16_t ch : std::u16string_view(span.data, static_cast<std::size_t>(take))) {
            offset = ch == kTab ? LineLayout::tabStop(offset, tabSize, cellWidth)
                                : offset + state.widths.width(ch);
        }
        left -= take;
    }
    return offset;
}

int caretXAtOffset(const EditState& state, std::int64_t offset) {
    return clampToInt(std::int64_t{textOriginX(state)} + offset);
}

int caretY(const EditState& state, int index) {
    const std::int64_t line = state.lines.lineOf(index);
    return clampToInt(std::int64_t{state.layout.margins.top} +
                      (line - state.firstVisibleLine) * state.layout.lineHeight);
}

} // namespace editctl
