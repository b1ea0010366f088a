#include "editctl/LineLayout.h"

#include "editctl/COomEx.h"
#include "editctl/LineTable.h"
#include "editctl/TextStore.h"
#include "editctl/WidthCache.h"

#include <algorithm>
#include <limits>
#include <new>

namespace editctl {

namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kTab = u'\t';

} // namespace

LineLayout::LineLayout(const TextStore& text, LineTable& lines, WidthCache& widths,
                       LayoutParams& params)
    : text_(text), lines_(lines), widths_(widths), params_(params) {}

int LineLayout::availableWidth() const noexcept {
    if (params_.wrapColumn > 0) {
        return params_.wrapColumn * params_.cellWidth;
    }
    return params_.clientWidth - params_.margins.right - params_.margins.left;
}

std::int64_t LineLayout::tabStop(std::int64_t x, int tabSize, int cellWidth) noexcept {
    const std::int64_t stop = std::max<std::int64_t>(std::int64_t{tabSize} * cellWidth, 1);
    std::int64_t gap = stop - x % stop;
    if (gap < cellWidth) {
        gap += stop;
    }
    return x + gap;
}

int LineLayout::endOfLine(int start) {
    const int length = text_.length();
    if (params_.wordWrap && params_.clientWidth < 1) {
        return length;
    }
    if (start >= length) {
        return start;
    }
    const std::int64_t limitX =
        params_.wordWrap ? availableWidth() : std::numeric_limits<std::int64_t>::max();
    const int limitColumns = params_.columnLimit;
    const int tabSize = std::max(params_.tabSize, 1);
    const int cellWidth = params_.cellWidth;

    std::int64_t x = 0;
    std::int64_t overflowX = 0; // where the character that did not fit would have ended
    int columns = 0;
    int wordStart = -1; // start of the open word, -1 when none
    std::int64_t wordFirstX = 0;
    int i = start;
    bool broke = false;
    const TextStore::Spans spans = text_.spansFrom(start);
    for (int k = 0; k < spans.count && !broke; ++k) {
        const char16_t* p = spans.parts[static_cast<std::size_t>(k)].data;
        const char16_t* const end = p + spans.parts[static_cast<std::size_t>(k)].length;
        for (; p != end; ++p, ++i) {
            const char16_t ch = *p;
            if (ch == kCr) {
                params_.widestLine =
                    static_cast<int>(std::max<std::int64_t>(params_.widestLine, x));
                return i;
            }
            if (ch == kTab) {
                const std::int64_t nx = tabStop(x, tabSize, cellWidth);
                const int nextColumns = columns + (tabSize - columns % tabSize);
                if (nx > limitX || nextColumns > limitColumns) {
                    overflowX = nx;
                    broke = true;
                    break;
                }
                columns = nextColumns;
                wordStart = -1;
                x = nx;
                continue;
            }
            const std::int64_t nx = x + widths_.width(ch);
            if (nx > limitX || columns + 1 > limitColumns) {
                overflowX = nx;
                broke = true;
                break;
            }
            ++columns;
            if (ch == u' ' || ch >= 0x100) {
                wordStart = -1;
            } else if (wordStart < 0) {
                wordStart = i;
                wordFirstX = nx;
            }
            x = nx;
        }
    }
    std::int64_t reached = x;
    int result = i;
    if (!broke) {
        result = length;
    } else if (wordStart >= 0 && wordStart != start) {
        // The word that does not fit moves down whole, together with what broke it.
        reached = wordFirstX;
        result = wordStart;
    } else if (columns == 0) {
        // Nothing fitted: take one character anyway so every line makes progress.
        reached = overflowX;
        result = i + 1;
    }
    params_.widestLine = static_cast<int>(std::min<std::int64_t>(
        std::max<std::int64_t>(params_.widestLine, reached), std::numeric_limits<int>::max()));
    return result;
}

int LineLayout::gutterMargin(int zeroWidth) const noexcept {
    return params_.lineNumbers ? zeroWidth * (params_.lineNumberDigits + 1) : 1;
}

bool LineLayout::gutterOutgrown() const noexcept {
    if (!params_.lineNumbers) {
        return false;
    }
    long long limit = 1;
    for (int d = 0; d < params_.lineNumberDigits && limit <= lines_.count(); ++d) {
        limit *= 10;
    }
    return lines_.count() >= limit;
}

void LineLayout::layoutAll() {
    const int zeroWidth = widths_.width(u'0');
    if (params_.clientWidth == 0) {
        return;
    }
    const int length = text_.length();
    const auto growBy = static_cast<std::size_t>(length / 30);
    const bool gutterMovesWrap = params_.wordWrap && params_.wrapColumn == 0;
    bool restart = true;
    while (restart) {
        restart = false;
        params_.margins.left = gutterMargin(zeroWidth);
        params_.widestLine = 0;
        lines_.beginRebuild();
        long long nextPowerOfTen = 1;
        for (int d = 0; d < params_.lineNumberDigits; ++d) {
            nextPowerOfTen *= 10;
        }
        int start = 0;
        for (;;) {
            const int end = endOfLine(start);
            int next = end;
            if (end < length && text_.at(end) == kCr) {
                next = end + 1;
            } else if (end >= length) {
                break;
            }
            if (params_.lineNumbers && lines_.count() + 1 >= nextPowerOfTen) {
                ++params_.lineNumberDigits;
                nextPowerOfTen *= 10;
                if (gutterMovesWrap) {
                    // The available width shrank: everything so far may wrap differently.
                    restart = true;
                    break;
                }
                params_.margins.left = gutterMargin(zeroWidth);
            }
            lines_.appendStart(static_cast<std::uint32_t>(next), growBy,
                               static_cast<std::uint32_t>(length));
            start = next;
        }
    }
    lines_.finishRebuild(static_cast<std::uint32_t>(length));
    params_.layoutPending = false;
}

} // namespace editctl
