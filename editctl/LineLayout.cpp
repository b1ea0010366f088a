#include "editctl/LineLayout.h"

#include "editctl/COomEx.h"
#include "editctl/LineTable.h"
#include "editctl/RunClasses.h"
#include "editctl/TextStore.h"
#include "editctl/WidthCache.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <new>

namespace editctl {

namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kTab = u'\t';
// Characters whose widths are summed before one comparison with the limit.
constexpr int kRun = 8;

// A word kept whole by word wrap is a run of characters below U+0100 other than space, tab
// and CR.
bool isWordCharacter(char16_t ch) noexcept {
    return ch < 0x100 && ch != u' ' && ch != kTab && ch != kCr;
}

// a mod b for a >= 0, b > 0, without a division when b is a power of two (the usual tab stop).
template <typename T> T remainder(T a, T b) noexcept {
    return (b & (b - 1)) == 0 ? (a & (b - 1)) : a % b;
}

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
    std::int64_t gap = stop - remainder(x, stop);
    if (gap < cellWidth) {
        gap += stop;
    }
    return x + gap;
}

namespace {

// Widths for the calling thread: what is not known yet is measured.
struct MeasuringWidths {
    WidthCache& cache;
    int width(char16_t ch) { return cache.width(ch); }
};

// Widths for a helper thread, which must not measure: an unknown width counts as 0 and is
// noted, and the line found is then not to be used.
struct KnownWidths {
    const WidthCache& cache;
    bool unknownMet = false;
    int width(char16_t ch) noexcept {
        const std::uint16_t known = cache.known(ch);
        unknownMet = unknownMet || known == WidthCache::kUnknown;
        return known == WidthCache::kUnknown ? 0 : known;
    }
};

} // namespace

int LineLayout::endOfLine(int start) {
    return breakLine(start, params_.widestLine).end;
}

LineLayout::LineEnd LineLayout::breakLine(int start, int& widest) {
    MeasuringWidths widths{widths_};
    return breakLineWith(start, widths, widest);
}

LineLayout::LineEnd LineLayout::breakLineKnown(int start, int& widest, bool& unknownMet) const {
    KnownWidths widths{widths_};
    const LineEnd line = breakLineWith(start, widths, widest);
    unknownMet = widths.unknownMet;
    return line;
}

template <class Widths>
LineLayout::LineEnd LineLayout::breakLineWith(int start, Widths& widths, int& widest) const {
    const int length = text_.length();
    if (params_.wordWrap && params_.clientWidth < 1) {
        return {length, false};
    }
    if (start >= length) {
        return {start, false};
    }
    const std::int64_t limitX =
        params_.wordWrap ? availableWidth() : std::numeric_limits<std::int64_t>::max();
    const int limitColumns = params_.columnLimit;
    const int tabSize = std::max(params_.tabSize, 1);
    const int cellWidth = params_.cellWidth;
    auto endAtCr = [&](int at, std::int64_t x) {
        widest = static_cast<int>(std::min<std::int64_t>(std::max<std::int64_t>(widest, x),
                                                         std::numeric_limits<int>::max()));
        return LineEnd{at, true};
    };

    // The loop adds widths eight at a time and compares once with the limit; only a CR, a tab,
    // an unmeasured character or the break itself needs more. It remembers where the last
    // character that is not part of a word was, which tells the word a break cuts.
    std::int64_t x = 0;
    std::int64_t overflowX = 0; // where the character that did not fit would have ended
    int columns = 0;            // cells used before index i
    int lastNonWord = start - 1;
    int i = start;
    bool broke = false;
    const TextStore::Spans spans = text_.spansFrom(start);
    for (int k = 0; k < spans.count && !broke; ++k) {
        const char16_t* const begin = spans.parts[static_cast<std::size_t>(k)].data;
        const char16_t* const end = begin + spans.parts[static_cast<std::size_t>(k)].length;
        // Cells used before p are (p - begin) + cellOffset; a tab adds its extra cells here.
        int cellOffset = columns;
        // The first character the column limit refuses, or `end`.
        auto columnStop = [&] {
            const std::int64_t left = std::int64_t{limitColumns} - cellOffset;
            return left < end - begin ? begin + std::max<std::int64_t>(left, 0) : end;
        };
        // Notes the last set bit of `nonWord` (bit j: p[j] is no word character).
        auto noteNonWord = [&](const char16_t* p, unsigned nonWord) {
            const int last = static_cast<int>(p - begin) + (31 - std::countl_zero(nonWord));
            lastNonWord = nonWord != 0 ? i + last : lastNonWord;
        };
        const char16_t* stop = columnStop();
        const char16_t* p = begin;
        for (;;) {
            if (stop - p >= kRun) {
                const RunClasses classes = classifyRun(p);
                std::uint32_t sum = 0;
                for (int j = 0; j < kRun; ++j) {
                    sum += widths_.known(p[j]);
                }
                // An unknown width alone makes the sum reach kUnknown, so smaller sums need no
                // further look; larger ones are looked at unit by unit.
                const unsigned special =
                    classes.control | (sum >= WidthCache::kUnknown ? unmeasured(p) : 0U);
                const unsigned nonWord = classes.nonWord;
                if (special == 0 && x + sum <= limitX) {
                    noteNonWord(p, nonWord);
                    x += sum;
                    p += kRun;
                    continue;
                }
                // Widths are never negative, so the characters that fit are a prefix of the
                // ordinary ones; counting them needs no branch.
                const int ordinary = special != 0 ? std::countr_zero(special) : kRun;
                std::int64_t reach = x;
                int fit = 0;
                for (int j = 0; j < kRun; ++j) {
                    // A fixed count of steps with no branch: nothing is mispredicted. What is
                    // added past the ordinary characters counts for nothing.
                    reach += widths_.known(p[j]);
                    const bool fits = (j < ordinary) & (reach <= limitX);
                    fit += static_cast<int>(fits);
                    x = fits ? reach : x;
                }
                noteNonWord(p, nonWord & ((1U << fit) - 1));
                p += fit;
                if (fit < ordinary) {
                    overflowX = x + widths_.known(*p);
                    broke = true;
                    break;
                }
            } else if (p == stop) {
                break;
            }
            // One character the general way: a control character, one not measured yet, or
            // one of the last few before the column limit or the end of the piece.
            const char16_t ch = *p;
            if (ch == kCr) {
                return endAtCr(i + static_cast<int>(p - begin), x);
            }
            if (ch == kTab) {
                const int used = static_cast<int>(p - begin) + cellOffset;
                const std::int64_t nx = tabStop(x, tabSize, cellWidth);
                const int nextColumns = used + (tabSize - remainder(used, tabSize));
                if (nx > limitX || nextColumns > limitColumns) {
                    overflowX = nx;
                    broke = true;
                    break;
                }
                cellOffset += nextColumns - used - 1;
                x = nx;
                noteNonWord(p, 1);
                ++p;
                // The column limit moved closer, but not behind the tab.
                stop = columnStop();
                continue;
            }
            const std::int64_t nx = x + widths.width(ch);
            if (nx > limitX) {
                overflowX = nx;
                broke = true;
                break;
            }
            x = nx;
            noteNonWord(p, isWordCharacter(ch) ? 0 : 1);
            ++p;
        }
        if (!broke && p != end) {
            // The column limit refuses the character at p, unless it ends the line.
            const char16_t ch = *p;
            if (ch == kCr) {
                return endAtCr(i + static_cast<int>(p - begin), x);
            }
            overflowX = ch == kTab ? tabStop(x, tabSize, cellWidth) : x + widths.width(ch);
            broke = true;
        }
        columns = static_cast<int>(p - begin) + cellOffset;
        i += static_cast<int>(p - begin);
    }
    std::int64_t reached = x;
    int result = i;
    const int wordStart = lastNonWord + 1;
    if (!broke) {
        result = length;
    } else if (wordStart > start && wordStart < i) {
        // The word that does not fit moves down whole, together with what broke it. The
        // widest-line measure counts it up to the end of its first character, which only
        // needs working out when the line could be the widest yet.
        reached = x > widest ? endOfFirstCharacter(wordStart, i, x) : 0;
        result = wordStart;
    } else if (columns == 0) {
        // Nothing fitted: take one character anyway so every line makes progress.
        reached = overflowX;
        result = i + 1;
    }
    widest = static_cast<int>(std::min<std::int64_t>(std::max<std::int64_t>(widest, reached),
                                                     std::numeric_limits<int>::max()));
    // A character taken alone may be followed by the CR, which then ends this line too.
    return {result, result < length && text_.at(result) == kCr};
}

unsigned LineLayout::unmeasured(const char16_t* p) const noexcept {
    unsigned bits = 0;
    for (int j = 0; j < kRun; ++j) {
        bits |= static_cast<unsigned>(widths_.known(p[j]) == WidthCache::kUnknown) << j;
    }
    return bits;
}

std::int64_t LineLayout::endOfFirstCharacter(int wordStart, int i, std::int64_t x) const noexcept {
    // Word characters are never tabs, so their widths can be taken off one by one.
    for (int j = i - 1; j > wordStart; --j) {
        x -= widths_.known(text_.at(j));
    }
    return x;
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
    // Breaking never asks for the width of a tab or a CR, but eight characters are summed only
    // once all their widths are known: knowing these keeps the runs holding one on that path.
    widths_.width(kTab);
    widths_.width(kCr);
    if (params_.clientWidth == 0) {
        return;
    }
    if (layoutInPieces(zeroWidth)) {
        params_.layoutPending = false;
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
            const LineEnd line = breakLine(start, params_.widestLine);
            int next = line.end;
            if (line.atCr) {
                next = line.end + 1;
            } else if (line.end >= length) {
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
