// Sends an "nEdit" control random sequences of the messages its callers send, with random
// arguments: positions and lines out of range, buffers of every size, odd byte counts, any
// rectangle, tab stop, wrap column or spacing, the control's own font handed back, keys with
// Shift and Control, the pointer, the clipboard, and memory running out in the middle of a
// message. After every message it checks what must always hold:
//  - text store, line table and undo history are consistent, and the line table is exactly
//    what a full layout of the text gives;
//  - the text limit and the read-only flag change only by their own messages, a read-only
//    control is changed by no key, paste, cut, clear, undo or redo, and typing, pasting and
//    replacing never take a text past its limit;
//  - every read stays inside the caller's buffer and answers what the text holds;
//  - EM_SCROLL reports the lines the view moved, and the layout messages leave the caret in
//    view; an undo followed by a redo gives the text back.
// Fuzz with -detect_leaks=0.
#include "editctl/EditState.h"
#include "editctl/EditWindowProc.h"
#include "editctl/NEditMessages.h"
#include "fuzz/support/FuzzHost.h"
#include "platform/Clipboard.h"
#include "platform/ClipboardText.h"
#include "platform/Gdi.h"
#include "platform/TestHooks.h"
#include "platform/Window.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::uint8_t byte() {
        if (size == 0) {
            return 0;
        }
        --size;
        return *data++;
    }
    int word() { return byte() | byte() << 8; }
    // Mostly a position near [0, limit], now and then -1 or far beyond.
    int around(int limit) {
        const std::uint8_t kind = byte();
        if (kind < 8) {
            return -1;
        }
        if (kind < 16) {
            return limit + word();
        }
        return word() % (std::max(limit, 0) + 3);
    }
    std::u16string text(int length) {
        static const char16_t alphabet[] = {u'a',  u'b',   u' ',   u'\r',  u'\t',  u'あ', u'漢',
                                            u'W',  u'i',   0x3000, 0xD83D, 0xDE00, u'.',  u'x',
                                            u'\n', 0x00DF, u'A',   u'ı',   u'0',   u'\0'};
        std::u16string out;
        for (int i = 0; i < length; ++i) {
            const char16_t ch = alphabet[byte() % std::size(alphabet)];
            out += ch == u'\0' ? u'z' : ch;
        }
        return out;
    }
    // Short texts mostly, now and then one of many lines.
    std::u16string someText() {
        const std::uint8_t n = byte();
        if (n >= 250) {
            std::u16string lines;
            for (int i = 0; i < 1200; ++i) {
                lines += i % 7 == 0 ? u"a long line of words that wraps\r" : u"\r";
            }
            return lines;
        }
        return text(n % 48);
    }
};

// Names the broken rule's line before stopping, so a crash report says which rule broke. The
// line comes from the builtin both compilers have, as clang 14 has no std::source_location.
void check(bool condition, int line = __builtin_LINE()) {
    if (!condition) {
        std::fprintf(stderr, "nedit_messages_fuzz: check at line %d failed\n", line);
        std::abort();
    }
}

HWND parentWindow() {
    static const HWND parent = [] {
        kivfuzz::startHeadlessToolkit();
        editctl::registerNEditClass();
        return kivfuzz::createPlainParent(500, 400);
    }();
    return parent;
}

HFONT testFont(int height) {
    LOGFONTW description{};
    const std::u16string face = u"KivTestFont";
    face.copy(description.lfFaceName, LF_FACESIZE - 1);
    description.lfHeight = height;
    return CreateFontIndirectW(&description);
}

editctl::EditState& stateOf(HWND edit) {
    editctl::EditState* state = nullptr;
    SendMessage(edit, NEM_GETSTATE, 0, reinterpret_cast<LPARAM>(&state));
    check(state != nullptr);
    return *state;
}

// The logical text, read without committing anything.
std::u16string peek(const editctl::EditState& state) {
    return state.text.substr(0, state.text.length());
}

// The line starts a full layout of the same text with the same measures gives.
void checkLayoutIsFull(editctl::EditState& state) {
    if (state.layout.clientWidth <= 0 || state.layout.layoutPending) {
        return;
    }
    editctl::BlockAllocator allocator;
    editctl::LineTable lines(allocator);
    editctl::LayoutParams params = state.layout;
    editctl::LineLayout layouter(state.text, lines, state.widths, params);
    layouter.layoutAll();
    check(lines.count() == state.lines.count());
    for (int i = 0; i <= lines.count(); ++i) {
        check(lines.start(i) == state.lines.start(i));
    }
    check(params.margins.left == state.layout.margins.left);
}

bool caretInView(editctl::EditState& state) {
    const int visible = state.layout.clientHeight / std::max(state.layout.lineHeight, 1);
    if (state.layout.clientWidth <= 0 || visible < 1) {
        return true;
    }
    const int line = state.lines.lineOf(state.caret);
    return line >= state.firstVisibleLine && line < state.firstVisibleLine + visible;
}

// Reads through every reading message and checks each answer against the text.
void checkReads(HWND edit, Reader& in) {
    editctl::EditState& state = stateOf(edit);
    switch (in.byte() % 6) {
    case 0: {
        const auto size = static_cast<std::size_t>(in.around(state.text.length()) & 0xFFFF);
        const auto buffer = std::make_unique<char16_t[]>(std::max<std::size_t>(size, 1));
        const auto copied = static_cast<std::size_t>(
            SendMessage(edit, WM_GETTEXT, size, reinterpret_cast<LPARAM>(buffer.get())));
        const std::u16string text = peek(state);
        check(copied <= size && copied <= text.size());
        check(text.compare(0, copied, buffer.get(), copied) == 0);
        break;
    }
    case 1: {
        const int line = in.around(state.lines.count());
        const auto size = static_cast<std::size_t>(in.byte() % 80);
        const auto buffer = std::make_unique<char16_t[]>(std::max<std::size_t>(size, 1));
        buffer[0] = static_cast<char16_t>(size);
        const LRESULT copied = SendMessage(edit, EM_GETLINE, static_cast<WPARAM>(line),
                                           reinterpret_cast<LPARAM>(buffer.get()));
        check(copied >= 0 && static_cast<std::size_t>(copied) <= size);
        if (line < 0 || line >= state.lines.count()) {
            check(copied == 0);
        } else if (copied > 0) {
            const auto start = static_cast<int>(state.lines.start(line));
            check(state.text.substr(start, static_cast<int>(copied)) ==
                  std::u16string(buffer.get(), static_cast<std::size_t>(copied)));
        }
        break;
    }
    case 2: {
        DWORD start = 0;
        DWORD end = 0;
        const LRESULT packed = SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                           reinterpret_cast<LPARAM>(&end));
        check(start <= end && end <= static_cast<DWORD>(state.text.length()));
        check(packed == MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end)));
        break;
    }
    case 3: {
        const int line = in.around(state.lines.count());
        const LRESULT index = SendMessage(edit, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
        if (line >= state.lines.count()) {
            check(index == -1);
        } else {
            const int of = line < 0 ? state.lines.lineOf(state.caret) : line;
            check(index == state.lines.start(of));
        }
        const int at = in.around(state.text.length());
        const LRESULT lineOfAt = SendMessage(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(at), 0);
        check(lineOfAt >= 0 && lineOfAt < state.lines.count());
        const LRESULT length = SendMessage(edit, EM_LINELENGTH, static_cast<WPARAM>(at), 0);
        check(length >= 0 && length <= state.text.length());
        break;
    }
    case 4: {
        const auto length = static_cast<std::size_t>(SendMessage(edit, NEM_GETLENGTH, 0, 0));
        const auto buffer = std::make_unique<char16_t[]>(std::max<std::size_t>(length, 1));
        const LRESULT bytes =
            SendMessage(edit, NEM_COPYTEXT, 0, reinterpret_cast<LPARAM>(buffer.get()));
        check(bytes == static_cast<LRESULT>(length * 2));
        check(peek(state) == std::u16string(buffer.get(), length));
        break;
    }
    default: {
        const auto* buffer =
            reinterpret_cast<const char16_t*>(SendMessage(edit, NEM_GETBUFFER, 0, 0));
        const std::u16string text = peek(state);
        check(buffer != nullptr && buffer[text.size()] == u'\0');
        check(text == std::u16string(buffer, text.size()));
        break;
    }
    }
}

void sendKey(HWND edit, Reader& in) {
    static const int keys[] = {VK_LEFT,  VK_RIGHT, VK_UP,   VK_DOWN,   VK_HOME,   VK_END,
                               VK_PRIOR, VK_NEXT,  VK_BACK, VK_DELETE, VK_INSERT, VK_RETURN,
                               'A',      'C',      'V',     'X',       'Z',       'Y'};
    const int key = keys[in.byte() % std::size(keys)];
    const std::uint8_t how = in.byte();
    if (how % 3 == 0) {
        SendMessage(edit, WM_KEYDOWN, static_cast<WPARAM>(key), 0);
    } else {
        platform::test::pressKey(edit, key, how >> 2 & 3);
    }
}

void sendScroll(HWND edit, Reader& in) {
    editctl::EditState& state = stateOf(edit);
    switch (in.byte() % 5) {
    case 0: {
        const WPARAM code = in.byte() % 5;
        const int before = state.firstVisibleLine;
        const LRESULT result = SendMessage(edit, EM_SCROLL, code, 0);
        const int moved = state.firstVisibleLine - before;
        check(result == (moved == 0 ? 0 : MAKELONG(static_cast<WORD>(moved), 1)));
        break;
    }
    case 1:
        SendMessage(edit, EM_LINESCROLL, static_cast<WPARAM>(in.around(40)), in.around(60));
        check(caretInView(state));
        break;
    case 2:
        SendMessage(edit, EM_SCROLLCARET, in.byte() & 1, 0);
        check(caretInView(state));
        break;
    case 3:
        SendMessage(edit, (in.byte() & 1) != 0 ? WM_VSCROLL : WM_HSCROLL,
                    MAKEWPARAM(in.byte() % 9, in.word()), 0);
        break;
    default:
        SendMessage(edit, WM_MOUSEWHEEL, MAKEWPARAM(0, (in.byte() & 1) != 0 ? 120 : -120), 0);
        break;
    }
}

// Whether the lines are those of a full layout with the settings as they stand now.
enum class Relayout { None, Full, Deferred };

Relayout sendLayoutChange(HWND edit, Reader& in) {
    editctl::EditState& state = stateOf(edit);
    switch (in.byte() % 9) {
    case 0:
        SendMessage(edit, NEM_SETWORDWRAP, in.byte() & 1, 0);
        check(caretInView(state));
        return Relayout::Full;
    case 1: {
        // A wrap column given without "apply now" waits for the next full layout.
        const bool now = (in.byte() & 1) != 0;
        const int before = state.layout.wrapColumn;
        SendMessage(edit, NEM_SETWRAPCOLUMN, static_cast<WPARAM>(in.byte() % 24), now ? 1 : 0);
        if (now) {
            check(caretInView(state));
            return Relayout::Full;
        }
        return state.layout.wrapColumn != before ? Relayout::Deferred : Relayout::None;
    }
    case 2:
        SendMessage(edit, NEM_SETLINESPACING, static_cast<WPARAM>(in.byte() % 40), 0);
        check(caretInView(state));
        return Relayout::Full;
    case 3: {
        const UINT options = state.options;
        SendMessage(edit, NEM_SETOPTIONS, in.byte() % 16, in.byte() % 16);
        return ((options ^ state.options) & NEO_LINENUMBERS) != 0 ? Relayout::Full : Relayout::None;
    }
    case 4:
        SendMessage(edit, NEM_SETSYMBOLS, in.byte() % 16, 0);
        SendMessage(edit, NEM_SETIMEUNDERLINE, in.byte() & 1, 0);
        return Relayout::None;
    case 5:
        SendMessage(edit, NEM_SETCOLOR, static_cast<WPARAM>(in.around(5)),
                    (in.byte() & 1) != 0 ? -1 : static_cast<LPARAM>(in.word()) << 8);
        return Relayout::None;
    case 6: {
        std::vector<int> stops(in.byte() % 3 + 1);
        for (int& stop : stops) {
            stop = in.around(64);
        }
        const bool given = (in.byte() & 7) != 0;
        SendMessage(edit, EM_SETTABSTOPS, static_cast<WPARAM>(in.byte() % 4),
                    given ? reinterpret_cast<LPARAM>(stops.data()) : 0);
        return given ? Relayout::Full : Relayout::None;
    }
    case 7: {
        const RECT rect{in.around(40), in.around(40), in.around(400), in.around(300)};
        SendMessage(edit, (in.byte() & 1) != 0 ? EM_SETRECT : EM_SETRECTNP, 0,
                    reinterpret_cast<LPARAM>(&rect));
        return Relayout::Full;
    }
    default:
        SendMessage(edit, NEM_REFORMAT, in.byte() & 1, 0);
        return Relayout::Full;
    }
}

Relayout sendWindowChange(HWND edit, Reader& in) {
    switch (in.byte() % 5) {
    case 0:
        // Without word wrap the lines do not depend on the width.
        MoveWindow(edit, 0, 0, in.byte() * 2, in.byte() * 2, TRUE);
        return stateOf(edit).layout.wordWrap ? Relayout::Full : Relayout::None;
    case 1: {
        if ((in.byte() & 1) != 0) {
            // The control's own copy handed back to it.
            SendMessage(edit, WM_SETFONT, static_cast<WPARAM>(SendMessage(edit, WM_GETFONT, 0, 0)),
                        0);
        } else {
            const HFONT font = testFont(-4 - in.byte() % 40);
            SendMessage(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
            DeleteObject(font);
        }
        const auto own = reinterpret_cast<HFONT>(SendMessage(edit, WM_GETFONT, 0, 0));
        LOGFONTW description{};
        check(own != nullptr && GetObjectW(own, sizeof(description), &description) != 0);
        return Relayout::Full;
    }
    case 2:
        SetFocus((in.byte() & 1) != 0 ? edit : parentWindow());
        return Relayout::None;
    case 3:
        SendMessage(edit, EM_SETMODIFY, in.byte() & 1, 0);
        return Relayout::None;
    default:
        SendMessage(edit, WM_LBUTTONDOWN + in.byte() % 4, in.byte() & MK_SHIFT,
                    MAKELPARAM(in.around(300), in.around(200)));
        return Relayout::None;
    }
}

void sendReplaceMatches(HWND edit, Reader& in) {
    const int length = stateOf(edit).text.length();
    std::vector<NEditMatch> matches(in.byte() % 6);
    int at = 0;
    for (NEditMatch& match : matches) {
        // Mostly in order and inside the text; the rest malformed.
        match.start = (in.byte() & 7) != 0 ? at + in.byte() % 4 : in.around(length);
        match.end = (in.byte() & 7) != 0 ? match.start + in.byte() % 4 : in.around(length);
        at = match.end;
    }
    const std::u16string text = in.text(in.byte() % 5);
    const NEditReplaceMatches request{matches.data(), static_cast<int>(matches.size()),
                                      text.c_str(), static_cast<int>(text.size())};
    const LRESULT replaced =
        SendMessage(edit, NEM_REPLACEMATCHES, 0, reinterpret_cast<LPARAM>(&request));
    check(replaced == -1 || (replaced >= 0 && replaced <= static_cast<LRESULT>(matches.size())));
}

void putClipboard(HWND owner, const std::u16string& value) {
    check(OpenClipboard(owner) != 0);
    EmptyClipboard();
    auto* block = static_cast<char16_t*>(LocalAlloc(LPTR, (value.size() + 1) * sizeof(char16_t)));
    check(block != nullptr);
    std::copy(value.begin(), value.end(), block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

std::u16string clipboardText(HWND owner) {
    check(OpenClipboard(owner) != 0);
    const auto* data = static_cast<const char16_t*>(GetClipboardData(CF_UNICODETEXT));
    std::u16string result = data != nullptr ? std::u16string(data) : u"";
    CloseClipboard();
    return result;
}

// What one step may change, to tell afterwards whether it changed what it must not.
enum class Kind { Other, Input, Typing, Limit, ReadOnly };

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const HWND parent = parentWindow();
    Reader in{data, size};
    const std::uint8_t styleBits = in.byte();
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ((styleBits & 1) ? WS_HSCROLL : 0) |
                        ((styleBits & 2) ? ES_READONLY : 0) | ((styleBits & 4) ? ES_LOWERCASE : 0) |
                        ((styleBits & 8) ? ES_UPPERCASE : 0) |
                        ((styleBits & 16) ? ES_NOHIDESEL : 0);
    const HWND edit = CreateWindow(kNEditClassName, u"start\rtext", style, 0, 0, 240, 160, parent,
                                   childId(1333), nullptr, nullptr);
    check(edit != nullptr);
    const HFONT font = testFont(-16);
    SendMessage(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    DeleteObject(font);
    SetFocus(edit);
    if ((styleBits & 32) != 0) {
        // Full layouts shared among threads in pieces of a few characters.
        stateOf(edit).layouter.setParallelism({.minLength = 0,
                                               .prefix = in.byte() % 64,
                                               .pieceLength = 1 + in.byte() % 64,
                                               .threads = 2 + (styleBits >> 6)});
    }

    bool layoutDeferred = false;
    for (int step = 0; step < 96 && in.size > 0; ++step) {
        editctl::EditState& state = stateOf(edit);
        const int limitBefore = state.textLimit;
        const bool readOnlyBefore = state.readOnly;
        const std::u16string textBefore = peek(state);
        Kind kind = Kind::Other;
        Relayout relayout = Relayout::None;
        const std::uint8_t op = in.byte();
        // Now and then a large request of the message finds no memory. Small ones still succeed,
        // as they do in practice: the empty text that the control falls back to needs them.
        const bool starved = op >= 240;
        const std::size_t starvedAbove =
            8192 + static_cast<std::size_t>(starved ? in.byte() : 0) * 64;
        auto starve = [&](bool on) {
            if (starved) {
                state.allocator.setFailureThreshold(on ? std::optional(starvedAbove)
                                                       : std::nullopt);
                platform::test::failLocalAllocAbove(on ? starvedAbove : SIZE_MAX);
            }
        };
        starve(true);
        switch (op % 15) {
        case 0:
        case 1:
            kind = Kind::Typing;
            SendMessage(edit, (op & 0x80) != 0 ? WM_IME_CHAR : WM_CHAR,
                        (in.byte() & 7) == 0 ? 8 : in.text(1)[0], 0);
            break;
        case 2:
            kind = Kind::Input;
            sendKey(edit, in);
            break;
        case 3:
            SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(in.around(state.text.length())),
                        in.around(state.text.length()));
            break;
        case 4: {
            kind = Kind::Typing;
            const std::u16string text = in.someText();
            SendMessage(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
            break;
        }
        case 5: {
            const std::u16string text = in.someText();
            relayout = Relayout::Full;
            if ((op & 0x80) != 0) {
                SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
            } else {
                // An odd byte count drops its half character.
                SendMessage(edit, NEM_SETTEXTBYTES, text.size() * 2 + (in.byte() & 1),
                            reinterpret_cast<LPARAM>(text.c_str()));
            }
            break;
        }
        case 6:
            checkReads(edit, in);
            break;
        case 7:
            sendScroll(edit, in);
            break;
        case 8: {
            kind = Kind::Input;
            const std::uint8_t which = in.byte() % 5;
            if (which == 4 && SendMessage(edit, EM_CANUNDO, 0, 0) != 0 && !state.readOnly) {
                // Undo and redo at once give back the text, whatever was pending.
                const std::u16string before = peek(state);
                SendMessage(edit, EM_UNDO, 0, 0);
                SendMessage(edit, EM_REDO, 0, 0);
                check(starved || peek(state) == before);
            } else {
                SendMessage(edit, which == 0 ? EM_UNDO : which == 1 ? WM_UNDO : EM_REDO, 0, 0);
            }
            break;
        }
        case 9: {
            static const UINT clipboard[] = {WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR};
            const UINT message = clipboard[in.byte() % 4];
            kind = message == WM_PASTE ? Kind::Typing : Kind::Input;
            starve(false);
            if ((in.byte() & 3) == 0) {
                putClipboard(parent, in.text(in.byte() % 12));
            }
            const std::u16string held = clipboardText(parent);
            const int from = std::min(state.caret, state.anchor);
            const int to = std::max(state.caret, state.anchor);
            std::u16string copied;
            for (const char16_t ch : textBefore.substr(static_cast<std::size_t>(from),
                                                       static_cast<std::size_t>(to - from))) {
                copied += ch == u'\r' ? u"\r\n" : std::u16string(1, ch);
            }
            // The desktop keeps its own line breaks; a lone LF comes back as CR LF.
            copied = platform::fromDesktopLineBreaks(platform::toDesktopLineBreaks(copied));
            starve(true);
            SendMessage(edit, message, 0, 0);
            starve(false);
            const std::u16string after = clipboardText(parent);
            if (message == WM_COPY || (message == WM_CUT && !state.readOnly)) {
                // A copy has its memory and replaces the clipboard, or keeps what it held.
                check(from == to ? after == held : after == copied || (starved && after == held));
            } else {
                check(after == held);
            }
            break;
        }
        case 10:
            relayout = sendLayoutChange(edit, in);
            break;
        case 11:
            relayout = sendWindowChange(edit, in);
            break;
        case 12:
            kind = Kind::Limit;
            SendMessage(edit, EM_LIMITTEXT, static_cast<WPARAM>(in.byte() % 64), 0);
            break;
        case 13:
            kind = Kind::ReadOnly;
            SendMessage(edit, EM_SETREADONLY, in.byte() & 1, 0);
            break;
        default:
            sendReplaceMatches(edit, in);
            break;
        }
        starve(false);
        platform::test::pumpMessages();
        platform::test::takeMessageBoxCalls();
        platform::test::takePopupMenuCalls();

        check(&stateOf(edit) == &state);
        check(state.checkInvariants());
        // A full layout does not run without a client width; it waits for one.
        if (relayout == Relayout::Deferred ||
            (relayout != Relayout::None && state.layout.clientWidth == 0)) {
            layoutDeferred = true;
        } else if (relayout == Relayout::Full) {
            layoutDeferred = false;
        }
        if (!layoutDeferred) {
            checkLayoutIsFull(state);
        }
        check(kind == Kind::Limit || state.textLimit == limitBefore);
        check(kind == Kind::ReadOnly || state.readOnly == readOnlyBefore);
        const std::u16string textAfter = peek(state);
        if (readOnlyBefore && (kind == Kind::Input || kind == Kind::Typing) && op % 15 != 4) {
            check(textAfter == textBefore || (starved && textAfter.empty()));
        }
        if (kind == Kind::Typing && state.textLimit > 0 &&
            textBefore.size() <= static_cast<std::size_t>(state.textLimit)) {
            check(textAfter.size() <= static_cast<std::size_t>(state.textLimit));
        }
    }
    DestroyWindow(edit);
    platform::test::pumpMessages();
    return 0;
}
