#include "editctl/WordSelection.h"

#include "editctl/LineTable.h"
#include "editctl/TextStore.h"

namespace editctl {

namespace {

constexpr char16_t kCr = u'\r';

bool isSeparator(char16_t ch) {
    return ch == u' ' || ch == u'\t';
}

// Start of the logical line holding the display line: the first display line whose preceding
// character is a CR, or line 0.
int logicalLineStart(const TextStore& text, const LineTable& lines, int line) {
    while (line > 0) {
        const auto start = static_cast<int>(lines.start(line));
        if (text.at(start - 1) == kCr) {
            return start;
        }
        --line;
    }
    return 0;
}

} // namespace

WordRange wordAround(const TextStore& text, const LineTable& lines, int index) {
    const int length = text.length();
    int unitStart = logicalLineStart(text, lines, lines.lineOf(index));
    while (unitStart < length) {
        const char16_t first = text.at(unitStart);
        if (first == kCr) {
            break;
        }
        int unitEnd = unitStart + 1;
        if (!isSeparator(first)) {
            while (unitEnd < length) {
                const char16_t ch = text.at(unitEnd);
                if (ch == kCr || isSeparator(ch)) {
                    break;
                }
                ++unitEnd;
            }
        }
        if (unitEnd > index) {
            return WordRange{unitStart, unitEnd, true};
        }
        unitStart = unitEnd;
    }
    return WordRange{index, index, false};
}

} // namespace editctl
