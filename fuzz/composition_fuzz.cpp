// Feeds an "nEdit" control what a desktop input method might send, in any order: preedits of
// any length and content (surrogates, line breaks, tabs) with format ranges and cursors inside
// or outside them, commits, mixed with caret moves, insert and overwrite mode, read-only,
// focus changes, font, spacing and size changes. Checks what must hold: the control's text
// and line table stay consistent, a commit to a writable control in insert mode replaces the
// selection by exactly the committed text, a read-only control never changes, and the
// composition window's region stays inside the window. Fuzz with -detect_leaks=0.
#include "editctl/EditState.h"
#include "editctl/EditWindowProc.h"
#include "editctl/NEditMessages.h"
#include "fuzz/support/FuzzHost.h"
#include "platform/Gdi.h"
#include "platform/TestHooks.h"
#include "platform/Window.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::uint8_t byte() {
        if (size == 0)
            return 0;
        --size;
        return *data++;
    }
    int small() { return static_cast<int>(static_cast<std::int8_t>(byte())); }
    std::u16string text(int length) {
        static const char16_t alphabet[] = {u'a',  u'あ', u'漢', 0xD83D, 0xDE00,
                                            u'\r', u'\t', u' ',  0xDC00, u'ｎ'};
        std::u16string out;
        for (int i = 0; i < length; ++i)
            out += alphabet[byte() % std::size(alphabet)];
        return out;
    }
};

void check(bool condition) {
    if (!condition)
        std::abort();
}

struct Host {
    HWND parent = nullptr;
    HWND edit = nullptr;
};

HFONT testFont(int height) {
    LOGFONTW description{};
    const std::u16string face = u"KivTestFont";
    face.copy(description.lfFaceName, LF_FACESIZE - 1);
    description.lfHeight = height;
    return CreateFontIndirectW(&description);
}

Host& host() {
    static Host h = [] {
        kivfuzz::startHeadlessToolkit();
        editctl::registerNEditClass();
        Host made;
        made.parent = kivfuzz::createPlainParent(400, 300);
        made.edit = CreateWindow(kNEditClassName, u"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0,
                                 200, 120, made.parent, childId(1333), nullptr, nullptr);
        return made;
    }();
    return h;
}

editctl::EditState& stateOf(HWND edit) {
    editctl::EditState* state = nullptr;
    SendMessage(edit, NEM_GETSTATE, 0, reinterpret_cast<LPARAM>(&state));
    check(state != nullptr);
    return *state;
}

std::u16string textOf(HWND edit) {
    const auto length = static_cast<std::size_t>(SendMessage(edit, WM_GETTEXTLENGTH, 0, 0));
    std::u16string text(length + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        SendMessage(edit, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// Sends one input-method event and checks what a commit did to the text.
void sendEvent(HWND edit, const std::u16string& preedit,
               const std::vector<platform::test::PreeditFormat>& formats, int cursor,
               const std::u16string& commit) {
    editctl::EditState& state = stateOf(edit);
    const bool delivered = platform::test::inputMethodAccepted(edit);
    const bool writable = !state.readOnly;
    const bool inserting = state.insertMode;
    const std::u16string before = textOf(edit);
    const auto from = static_cast<std::size_t>(std::min(state.caret, state.anchor));
    const auto to = static_cast<std::size_t>(std::max(state.caret, state.anchor));
    platform::test::inputMethodEvent(edit, preedit, formats, cursor, commit);
    platform::test::pumpMessages();
    const std::u16string after = textOf(edit);
    if (!delivered || commit.empty() || !writable) {
        check(after == before);
    } else if (inserting) {
        check(after == before.substr(0, from) + commit + before.substr(to));
    } else {
        check(after.compare(0, from, before, 0, from) == 0 &&
              after.compare(from, commit.size(), commit) == 0);
    }
}

void checkComposition(HWND edit) {
    const HWND composition = GetWindow(edit, GW_CHILD);
    check(composition != nullptr);
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(composition, region) != 0) {
        RECT box{};
        RECT client{};
        GetRgnBox(region, &box);
        GetClientRect(edit, &client);
        // With word wrap on, rows wrap at the editor's right edge and a composition moved left
        // stops at its left edge (every character is narrower than an editor this wide).
        if (client.right >= 64 && box.right > box.left)
            check(box.left >= 0 && box.right <= client.right);
    }
    DeleteObject(region);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Host& h = host();
    Reader in{data, size};
    SendMessage(h.edit, EM_SETREADONLY, 0, 0);
    SetFocus(h.edit);
    if (!stateOf(h.edit).insertMode)
        SendMessage(h.edit, WM_KEYDOWN, VK_INSERT, 0);
    SendMessage(h.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"line one\rline two"));
    const HFONT font = testFont(-16);
    SendMessage(h.edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    DeleteObject(font);
    platform::test::inputMethodEvent(h.edit, {}, {}, -1, {});
    for (int step = 0; step < 64 && in.size > 0; ++step) {
        const std::uint8_t op = in.byte();
        switch (op % 8) {
        case 0:
        case 1: {
            const std::u16string preedit = in.text(in.byte() % 72);
            std::vector<platform::test::PreeditFormat> formats;
            for (int n = in.byte() % 5; n > 0; --n)
                formats.push_back({in.small(), in.small(), (in.byte() & 1) != 0});
            const int cursor = in.small();
            const std::u16string commit = (op & 0x10) != 0 ? in.text(in.byte() % 12) : u"";
            sendEvent(h.edit, preedit, formats, cursor, commit);
            break;
        }
        case 2:
            sendEvent(h.edit, {}, {}, -1, in.text(in.byte() % 20));
            break;
        case 3:
            SendMessage(h.edit, EM_SETSEL, in.byte() % 40, in.byte() % 40);
            break;
        case 4:
            SendMessage(h.edit, WM_KEYDOWN, VK_INSERT, 0);
            break;
        case 5:
            SendMessage(h.edit, EM_SETREADONLY, in.byte() & 1, 0);
            break;
        case 6:
            SetFocus((op & 0x10) != 0 ? h.parent : h.edit);
            break;
        default: {
            const std::uint8_t what = in.byte();
            if (what % 3 == 0) {
                SendMessage(h.edit, NEM_SETLINESPACING, what % 9, 0);
            } else if (what % 3 == 1) {
                const HFONT other = testFont(-8 - what % 24);
                SendMessage(h.edit, WM_SETFONT, reinterpret_cast<WPARAM>(other), 0);
                DeleteObject(other);
                SendMessage(h.edit, NEM_SETIMEUNDERLINE, what & 1, 0);
            } else {
                MoveWindow(h.edit, 0, 0, 8 + in.byte(), 8 + in.byte() % 200, TRUE);
            }
            break;
        }
        }
        platform::test::pumpMessages();
        check(stateOf(h.edit).checkInvariants());
        checkComposition(h.edit);
    }
    // Whatever was left composing ends, and the control is writable for the next input.
    platform::test::inputMethodEvent(h.edit, {}, {}, -1, {});
    platform::test::pumpMessages();
    MoveWindow(h.edit, 0, 0, 200, 120, TRUE);
    return 0;
}
