#include "search/SearchDriver.h"

#include "editctl/NEditMessages.h"
#include "search/CaseFold.h"
#include "search/SearchStrings.h"
#include "search/TextMatcher.h"

#include <memory>
#include <string>
#include <vector>

namespace search {

namespace {

constexpr DWORD kPatience = 30000; // ms of Replace All before asking whether to go on

struct Span {
    std::size_t start = 0;
    std::size_t end = 0;
};

// The whole text, valid until the next change.
std::u16string_view editText(HWND edit) {
    const auto* buffer = reinterpret_cast<const char16_t*>(SendMessage(edit, NEM_GETBUFFER, 0, 0));
    const LRESULT length = SendMessage(edit, WM_GETTEXTLENGTH, 0, 0);
    if (buffer == nullptr || length <= 0) {
        return {};
    }
    return {buffer, static_cast<std::size_t>(length)};
}

Span selection(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

void selectAndShow(HWND edit, Span span) {
    SendMessage(edit, EM_SETSEL, span.start, static_cast<LPARAM>(span.end));
    SendMessage(edit, EM_SCROLLCARET, 0, 0);
}

std::unique_ptr<TextMatcher> compile(SearchFlags flags, std::u16string_view pattern) {
    std::unique_ptr<TextMatcher> matcher = MakeTextMatcher(flags.useRegex);
    matcher->ignoreCase = flags.ignoreCase ? 1 : 0;
    if (!matcher->Compile(pattern)) {
        return nullptr;
    }
    return matcher;
}

// The replacement as the control's replace-selection takes it: up to its first U+0000.
std::u16string insertedText(std::u16string_view replacement) {
    return std::u16string(replacement.substr(0, replacement.find(u'\0')));
}

// Units of the character at i: 2 for a surrogate pair, else 1.
std::size_t characterLength(std::u16string_view text, std::size_t i) {
    const bool pair = i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF &&
                      text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    return pair ? 2 : 1;
}

bool beginsLine(std::u16string_view text, std::size_t i) {
    return i == 0 || isLineBreak(text[i - 1]);
}

bool findNext(HWND edit, const TextMatcher& matcher, bool forward, bool include) {
    const std::u16string_view text = editText(edit);
    const Span selected = selection(edit);
    for (;;) {
        std::size_t position = forward == include ? selected.start : selected.end;
        std::size_t end = 0;
        if (!matcher.Find(forward, text, position, end)) {
            return false;
        }
        if (include && position == selected.start && end == selected.end) {
            include = false; // the selection itself: look past it
            continue;
        }
        selectAndShow(edit, {position, end});
        return true;
    }
}

// The count, the clock and the one question of a Replace All run.
class ReplaceAllRun {
public:
    ReplaceAllRun(HWND edit, const TickSource& ticks)
        : edit_(edit), ticks_(ticks), start_(ticks()) {}

    // Counts one replacement.
    void replaced() { ++count_; }
    // True while 30 s have not passed, or once the user has said to go on.
    bool patienceLeft() const { return asked_ || ticks_() - start_ <= kPatience; }
    // Asks once whether to go on; true for OK.
    bool askToGoOn() {
        asked_ = true;
        return MessageBox(edit_, kNeedTimeText, kConfirmCaption, MB_OKCANCEL) == IDOK;
    }
    // "N total mades." when anything was replaced; answers the count.
    int finish() const {
        if (count_ > 0) {
            const std::u16string message = formatCount(kTotalMadesFormat, count_);
            MessageBox(edit_, message.c_str(), kConfirmCaption, MB_OK);
        }
        return count_;
    }
    int count() const { return count_; }

private:
    HWND edit_;
    const TickSource& ticks_;
    DWORD start_;
    bool asked_ = false;
    int count_ = 0;
};

int replaceStepwise(HWND edit, const TextMatcher& matcher, const std::u16string& replacement,
                    ReplaceAllRun& run, std::size_t position) {
    std::u16string_view text = editText(edit);
    std::size_t end = 0;
    bool found = position <= text.size() && matcher.Find(true, text, position, end);
    while (found) {
        const bool empty = end == position;
        selectAndShow(edit, {position, end});
        SendMessage(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(replacement.c_str()));
        run.replaced();
        text = editText(edit);
        position += replacement.size();
        if (empty) {
            position += characterLength(text, position);
        }
        if (!run.patienceLeft()) {
            if (!run.askToGoOn()) {
                break;
            }
            text = editText(edit);
        }
        found = position <= text.size() && matcher.Find(true, text, position, end);
    }
    return run.finish();
}

// Matches of a Replace All found ahead of the replacements: each search runs on the original
// text from where the replaced text would resume, so the list is what the step-by-step run
// would find, and the control replaces it in one pass.
class MatchGatherer {
public:
    MatchGatherer(HWND edit, const TextMatcher& matcher, std::size_t replacementLength,
                  bool replacementEndsLine)
        : edit_(edit), matcher_(matcher), replacementLength_(replacementLength),
          replacementEndsLine_(replacementEndsLine), text_(editText(edit)) {}

    // Finds and records the next match; false when there is none.
    bool next() {
        if (done_) {
            return false;
        }
        std::size_t start = resume_;
        std::size_t end = 0;
        bool found = false;
        if (startsLine_ == beginsLine(text_, resume_)) {
            found = matcher_.Find(true, text_, start, end);
        } else {
            start = 0;
            found = matcher_.FindInTail(text_.substr(resume_), startsLine_, start, end);
            start += resume_;
            end += resume_;
        }
        if (!found) {
            done_ = true;
            return false;
        }
        matches_.push_back({static_cast<int>(start), static_cast<int>(end)});
        shift_ += static_cast<long long>(replacementLength_) - static_cast<long long>(end - start);
        if (end == start) {
            // The replaced text resumes after the inserted text and one original character.
            if (start >= text_.size()) {
                done_ = true;
            } else {
                resume_ = start + characterLength(text_, start);
                startsLine_ = beginsLine(text_, resume_);
            }
        } else {
            const bool matchBeganLine = start == resume_ ? startsLine_ : beginsLine(text_, start);
            resume_ = end;
            startsLine_ = replacementLength_ > 0 ? replacementEndsLine_ : matchBeganLine;
        }
        return true;
    }

    // Hands the gathered matches to the control; false when it did not replace them all.
    bool flush(const std::u16string& replacement) {
        if (matches_.empty()) {
            return true;
        }
        NEditReplaceMatches request;
        request.matches = matches_.data();
        request.count = static_cast<int>(matches_.size());
        request.text = replacement.c_str();
        request.length = static_cast<int>(replacement.size());
        const LRESULT replaced =
            SendMessage(edit_, NEM_REPLACEMATCHES, 0, reinterpret_cast<LPARAM>(&request));
        if (replaced != request.count) {
            return false;
        }
        // The text is now the replaced one: go on in its coordinates.
        matches_.clear();
        text_ = editText(edit_);
        resume_ = static_cast<std::size_t>(static_cast<long long>(resume_) + shift_);
        shift_ = 0;
        return true;
    }

private:
    HWND edit_;
    const TextMatcher& matcher_;
    std::size_t replacementLength_;
    bool replacementEndsLine_;
    std::u16string_view text_;
    std::vector<NEditMatch> matches_;
    std::size_t resume_ = 0; // index of the original text where the next search starts
    bool startsLine_ = true; // whether the replaced text has a line start there
    long long shift_ = 0;    // length change of the gathered replacements
    bool done_ = false;
};

bool acceptsMatchLists(HWND edit) {
    const NEditReplaceMatches probe;
    return SendMessage(edit, NEM_REPLACEMATCHES, 0, reinterpret_cast<LPARAM>(&probe)) == 0;
}

} // namespace

bool FindNext(HWND edit, SearchFlags flags, std::u16string_view pattern, bool forward,
              bool include) {
    const std::unique_ptr<TextMatcher> matcher = compile(flags, pattern);
    return matcher && findNext(edit, *matcher, forward, include);
}

bool ReplaceOne(HWND edit, SearchFlags flags, std::u16string_view pattern,
                std::u16string_view replacement, bool forward) {
    const std::unique_ptr<TextMatcher> matcher = compile(flags, pattern);
    if (!matcher) {
        return false;
    }
    const std::u16string_view text = editText(edit);
    const Span selected = selection(edit);
    std::size_t position = selected.start;
    std::size_t end = 0;
    if (!matcher->Find(forward, text, position, end)) {
        return false;
    }
    selectAndShow(edit, {position, end});
    if (position == selected.start && end == selected.end) {
        const std::u16string inserted = insertedText(replacement);
        SendMessage(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(inserted.c_str()));
        findNext(edit, *matcher, forward, false);
    }
    return true;
}

int ReplaceAll(HWND edit, SearchFlags flags, std::u16string_view pattern,
               std::u16string_view replacement, const TickSource& ticks) {
    const std::unique_ptr<TextMatcher> matcher = compile(flags, pattern);
    if (!matcher) {
        return 0;
    }
    const std::u16string inserted = insertedText(replacement);
    ReplaceAllRun run(edit, ticks);
    if (!acceptsMatchLists(edit)) {
        return replaceStepwise(edit, *matcher, inserted, run, 0);
    }
    MatchGatherer gatherer(edit, *matcher, inserted.size(),
                           !inserted.empty() && isLineBreak(inserted.back()));
    while (gatherer.next()) {
        run.replaced();
        if (!run.patienceLeft()) {
            // What the user is asked about is on the screen already.
            if (!gatherer.flush(inserted)) {
                return run.count();
            }
            if (!run.askToGoOn()) {
                break;
            }
        }
    }
    if (!gatherer.flush(inserted)) {
        return run.count(); // the control ran out of memory and has said so
    }
    return run.finish();
}

int ReplaceAllStepwise(HWND edit, SearchFlags flags, std::u16string_view pattern,
                       std::u16string_view replacement, const TickSource& ticks) {
    const std::unique_ptr<TextMatcher> matcher = compile(flags, pattern);
    if (!matcher) {
        return 0;
    }
    ReplaceAllRun run(edit, ticks);
    return replaceStepwise(edit, *matcher, insertedText(replacement), run, 0);
}

} // namespace search
