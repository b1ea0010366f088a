// Compiles a random pattern and searches a random text with it both ways, from a random start,
// with and without case folding; also runs the literal matcher on the same input. Any crash,
// hang, sanitizer report or out-of-range result is a fault.
//
// Input: byte 0 holds flags and the start index, then the pattern, a 0xFF byte, and the text.
// Bytes below 0x80 are those ASCII units; higher bytes pick units that matter to the engine
// (line breaks, NUL, Japanese, the top of the range).
//
// Patterns compile with a small node budget: a counted repetition otherwise builds programs of
// a hundred thousand states, and a run costs a second instead of microseconds, while a small
// budget reaches the same refusals and the same code.
#include "search/PlainMatcher.h"
#include "search/RegexProgram.h"
#include "search/RegexSearch.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

char16_t unitFor(std::uint8_t byte) {
    static constexpr char16_t kSpecial[] = {
        u'\r',     u'\n',     u'\0', u'\u3042', u'\u30a2', u'\u65e5', u'\uFFFD', u'\uFFFE',
        u'\uFFFF', u'\u00e4', u'\t', u' ',      u'\uff21', u'\u00c4', u'\\',     u'a'};
    if (byte < 0x80) {
        return static_cast<char16_t>(byte);
    }
    return kSpecial[byte % (sizeof(kSpecial) / sizeof(kSpecial[0]))];
}

void check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

constexpr std::size_t kNodeBudget = 256;

void searchBothWays(const search::RegexProgram& program, std::u16string_view text,
                    std::size_t start, bool ignoreCase, bool startsLine) {
    std::vector<search::CaptureSpan> captures;
    for (const bool forward : {true, false}) {
        const int slots =
            search::RegexSearch(program, text, captures, ignoreCase, start, forward, startsLine);
        if (slots == 0) {
            check(captures.empty());
            continue;
        }
        check(slots == program.groupSlots() && captures.size() == static_cast<std::size_t>(slots));
        const search::CaptureSpan match = captures[0];
        check(match.start <= match.end && match.end <= text.size());
        check(forward ? match.start >= std::min(start, text.size()) : match.start < start);
        // A view that does not begin a line has no line start at 0.
        check(startsLine || !program.hasLineStart() || match.start != 0);
        for (const search::CaptureSpan& group : captures) {
            check(group.start <= text.size() && group.end <= text.size());
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t flags = data[0];
    std::u16string pattern;
    std::u16string text;
    bool inText = false;
    for (std::size_t i = 1; i < size; ++i) {
        if (!inText && data[i] == 0xFF) {
            inText = true;
            continue;
        }
        (inText ? text : pattern) += unitFor(data[i]);
    }
    const bool startsLine = (flags & 4) == 0;
    const std::size_t start = text.empty() ? 0 : (flags >> 3) % (text.size() + 2);

    if (auto program = search::RegexProgram::Compile(pattern, kNodeBudget)) {
        program->checkInvariants();
        searchBothWays(*program, text, start, (flags & 1) != 0, startsLine);
        if ((flags & 2) != 0) {
            searchBothWays(*program, text, start, (flags & 1) == 0, startsLine);
        }
    }

    search::PlainMatcher plain;
    plain.ignoreCase = flags & 1;
    plain.Compile(pattern);
    for (const bool forward : {true, false}) {
        std::size_t position = start;
        std::size_t end = 0;
        if (plain.Find(forward, text, position, end)) {
            check(position <= text.size() && end == position + pattern.size() &&
                  end <= text.size());
        }
    }
    return 0;
}
