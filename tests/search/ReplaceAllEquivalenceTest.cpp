// Replace All through a list of matches against Replace All made of single replace-selection
// steps, on random texts, patterns, replacements, window shapes and edit histories: both must
// leave the same text, undo records, selection, modified state, view and messages.
#include "search/SearchDriver.h"

#include "editctl/EditState.h"
#include "editctl/NEditFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace search {
namespace {

struct RecordCopy {
    editctl::UndoKind kind;
    int index;
    int length;
    std::u16string text; // a deletion's characters
    friend bool operator==(const RecordCopy&, const RecordCopy&) = default;
};

// Everything a person or a later command can observe of the control.
struct Observed {
    std::u16string text;
    int caret = 0;
    int anchor = 0;
    bool modified = false;
    int savedPoint = 0;
    int undoPosition = 0;
    std::vector<RecordCopy> records; // undoable ones, then the redo tail
    int firstVisibleLine = 0;
    int horizontalPosition = 0;
    int maxFirstLine = 0;
    int maxHorizontalPosition = 0;
    std::vector<std::int64_t> lineStarts;
    int count = 0;
    std::vector<std::u16string> messages;
    friend bool operator==(const Observed&, const Observed&) = default;
};

void PrintTo(const Observed& o, std::ostream* out) {
    *out << testing::PrintToString(o.text) << " caret " << o.caret << " anchor " << o.anchor
         << " modified " << o.modified << " saved " << o.savedPoint << " undo " << o.undoPosition
         << " view " << o.firstVisibleLine << "/" << o.maxFirstLine << " " << o.horizontalPosition
         << "/" << o.maxHorizontalPosition << " count " << o.count << " lines";
    for (const std::int64_t start : o.lineStarts) {
        *out << " " << start;
    }
    *out << " records";
    for (const RecordCopy& r : o.records) {
        *out << " " << static_cast<int>(r.kind) << ":" << r.index << "+" << r.length;
    }
}

editctl::EditState& stateOf(HWND edit) {
    editctl::EditState* state = nullptr;
    SendMessage(edit, NEM_GETSTATE, 0, reinterpret_cast<LPARAM>(&state));
    return *state;
}

Observed observe(HWND edit, int count) {
    editctl::EditState& s = stateOf(edit);
    EXPECT_TRUE(s.checkInvariants());
    Observed o;
    o.text = s.text.substr(0, s.text.length());
    o.caret = s.caret;
    o.anchor = s.anchor;
    o.modified = s.modified;
    o.savedPoint = s.savedPoint;
    o.undoPosition = s.undo.position();
    for (int i = 0; i < s.undo.capacity() && s.undo.at(i).kind != editctl::UndoKind::Empty; ++i) {
        const editctl::UndoRecord& r = s.undo.at(i);
        const bool hasText = r.kind == editctl::UndoKind::Deletion && r.text != nullptr;
        o.records.push_back(
            {r.kind, r.index, r.length,
             hasText ? std::u16string(r.text, static_cast<std::size_t>(r.length)) : u""});
    }
    o.firstVisibleLine = s.firstVisibleLine;
    o.horizontalPosition = s.horizontalPosition;
    o.maxFirstLine = s.maxFirstLine;
    o.maxHorizontalPosition = s.maxHorizontalPosition;
    for (int line = 0; line <= s.lines.count(); ++line) {
        o.lineStarts.push_back(s.lines.start(line));
    }
    o.count = count;
    for (const auto& call : platform::test::takeMessageBoxCalls()) {
        o.messages.push_back(call.text);
    }
    return o;
}

class ReplaceAllEquivalenceTest : public editctl::test::NEditTest {
protected:
    std::mt19937 rng{20240611};

    std::size_t below(std::size_t n) { return n == 0 ? 0 : rng() % n; }
    bool chance(unsigned percent) { return rng() % 100 < percent; }

    std::u16string randomText(std::u16string_view alphabet, std::size_t maxLength) {
        std::u16string s;
        const std::size_t n = below(maxLength + 1);
        for (std::size_t i = 0; i < n; ++i) {
            if (chance(3)) {
                s += u"\U0001F600";
            } else {
                s += alphabet[below(alphabet.size())];
            }
        }
        return s;
    }

    std::u16string randomPattern(bool regex) {
        if (!regex) {
            std::u16string p = randomText(u"abA \r", 3);
            return p.empty() ? u"a" : p;
        }
        static const std::u16string_view pieces[] = {
            u"a", u"b",  u"A",  u"a*", u"b+",  u"[ab]",  u".",   u"x*",   u"\r",
            u"$", u" ?", u"a?", u"\t", u"\r?", u"(a|b)", u"b*?", u"[^a]", u"\u3042"};
        std::u16string p = chance(30) ? u"^" : u"";
        const std::size_t n = 1 + below(3);
        for (std::size_t i = 0; i < n; ++i) {
            p += pieces[below(std::size(pieces))];
        }
        return p;
    }

    // The same random start on both controls: window shape, wrapping, text, view, selection,
    // and now and then a saved point, an edit and an undone edit (a redo tail).
    void prepareBoth(HWND a, HWND b, std::u16string_view text) {
        const bool wrap = chance(50);
        const int wrapColumn = chance(30) ? static_cast<int>(3 + below(12)) : 0;
        const auto length = static_cast<int>(text.size());
        const int selStart = static_cast<int>(below(static_cast<std::size_t>(length) + 1));
        const int selEnd =
            selStart + static_cast<int>(below(static_cast<std::size_t>(length - selStart) + 1));
        const int scrollTo = static_cast<int>(below(static_cast<std::size_t>(length) + 1));
        const bool saved = chance(30);
        const bool typed = chance(40);
        const bool undone = chance(50);
        const int typeAt = static_cast<int>(below(static_cast<std::size_t>(length) + 1));
        const std::u16string copy(text);
        for (const HWND edit : {a, b}) {
            SendMessage(edit, NEM_SETWORDWRAP, wrap ? 1 : 0, 0);
            SendMessage(edit, NEM_SETWRAPCOLUMN, static_cast<WPARAM>(wrapColumn), 1);
            SendMessage(edit, NEM_SETTEXTBYTES, copy.size() * 2,
                        reinterpret_cast<LPARAM>(copy.data()));
            SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(scrollTo), scrollTo);
            SendMessage(edit, EM_SCROLLCARET, 0, 0);
            if (typed) {
                SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(typeAt), typeAt);
                SendMessage(edit, WM_CHAR, u'z', 0);
                SendMessage(edit, WM_CHAR, u'z', 0);
                if (saved) {
                    SendMessage(edit, EM_SETMODIFY, 0, 0);
                }
                if (undone) {
                    SendMessage(edit, EM_UNDO, 0, 0);
                }
            }
            SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(selStart), selEnd);
        }
    }
};

TEST_F(ReplaceAllEquivalenceTest, ListsAndStepsLeaveTheSameControl) {
    struct Shape {
        int width;
        int height;
    };
    const Shape shapes[] = {{322, 162}, {82, 50}, {130, 34}};
    for (int round = 0; round < 400; ++round) {
        const Shape shape = shapes[below(std::size(shapes))];
        const DWORD style = (chance(50) ? WS_HSCROLL : 0) | (chance(10) ? ES_LOWERCASE : 0);
        create(style, shape.width, shape.height);
        const HWND a = edit;
        create(style, shape.width, shape.height);
        const HWND b = edit;
        const std::u16string text = randomText(u"aabb  A\r\r\t\u3042x", chance(20) ? 400 : 60);
        const bool regex = chance(60);
        const SearchFlags flags{regex, chance(30)};
        const std::u16string pattern = randomPattern(regex);
        const std::u16string replacement = randomText(u"ab\r ", 3);
        prepareBoth(a, b, text);
        const TickSource never = [] { return DWORD{0}; };
        takeNotifications();

        const int fastCount = ReplaceAll(a, flags, pattern, replacement, never);
        const Observed fast = observe(a, fastCount);
        const std::vector<WORD> fastNotes = takeNotifications();
        const int stepCount = ReplaceAllStepwise(b, flags, pattern, replacement, never);
        const Observed steps = observe(b, stepCount);
        takeNotifications();

        ASSERT_EQ(fast, steps) << "round " << round << " pattern '"
                               << testing::PrintToString(pattern) << "' replacement '"
                               << testing::PrintToString(replacement) << "'";
        // The list really went in one pass: the parent hears of the change once.
        const bool changed = std::count(fastNotes.begin(), fastNotes.end(), EN_CHANGE) > 0;
        EXPECT_EQ(std::count(fastNotes.begin(), fastNotes.end(), EN_CHANGE), changed ? 1 : 0);
        DestroyWindow(a);
        DestroyWindow(b);
    }
}

} // namespace
} // namespace search
