// nedit-host [file] [-nowordwrap] [-symbols] [-linenumbers] [-underline]
//
// One window holding one "nEdit" control, so that a person can try the control on its own and
// a script can drive it. The file named on the command line is read as UTF-8. When the window
// closes, or on Ctrl+Q, the control's final text goes to standard output as UTF-8 with LF line
// breaks.

#include "HostText.h"

#include "editctl/EditWindowProc.h"
#include "editctl/NEditMessages.h"
#include "platform/Application.h"
#include "platform/Gdi.h"
#include "platform/Window.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

constexpr int kControlId = 1333;
constexpr WPARAM kCtrlQ = 0x11; // the character Ctrl+Q types

struct Options {
    const char* file = nullptr;
    bool noWordWrap = false;
    bool symbols = false;
    bool lineNumbers = false;
    bool underline = false;
};

struct Host {
    Options options;
    std::u16string initialText;
    HWND edit = nullptr;
    WNDPROC editProc = nullptr;
    HFONT font = nullptr;
    bool written = false;
};

Host host;

// Writes the control's text once, however the window ends.
void writeFinalText() {
    if (host.written || host.edit == nullptr) {
        return;
    }
    host.written = true;
    const auto length = static_cast<std::size_t>(SendMessage(host.edit, WM_GETTEXTLENGTH, 0, 0));
    const auto* text =
        reinterpret_cast<const char16_t*>(SendMessage(host.edit, NEM_GETBUFFER, 0, 0));
    const std::string out = nedithost::toUtf8WithLf(
        text != nullptr ? std::u16string_view(text, length) : std::u16string_view());
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
}

// Ctrl+Q belongs to the host: the control never sees it.
LRESULT editSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == 'Q' && GetKeyState(VK_CONTROL) < 0) {
        PostMessage(GetParent(hwnd), WM_CLOSE, 0, 0);
        return 0;
    }
    if (message == WM_CHAR && wParam == kCtrlQ) {
        return 0;
    }
    return CallWindowProc(host.editProc, hwnd, message, wParam, lParam);
}

void createEdit(HWND frame, int width, int height) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_NOHIDESEL | ES_AUTOVSCROLL | ES_MULTILINE;
    if (host.options.noWordWrap) {
        style |= WS_HSCROLL | ES_AUTOHSCROLL;
    }
    host.edit = CreateWindow(kNEditClassName, u"", style, 0, 0, width, height, frame,
                             childId(kControlId), nullptr, nullptr);
    if (host.edit == nullptr) {
        return;
    }
    host.editProc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(host.edit, GWLP_WNDPROC));
    SetWindowLongPtr(host.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&editSubclassProc));

    LOGFONTW description;
    description.lfHeight = -16;
    const std::u16string face = u"IPAGothic";
    std::copy(face.begin(), face.end(), description.lfFaceName);
    host.font = CreateFontIndirectW(&description);
    SendMessage(host.edit, WM_SETFONT, reinterpret_cast<WPARAM>(host.font), 0);
    UINT symbols = 0;
    if (host.options.symbols) {
        symbols = NES_LINEBREAK | NES_TAB | NES_SPACE | NES_WIDESPACE;
    }
    SendMessage(host.edit, NEM_SETSYMBOLS, symbols, 0);
    UINT options = 0;
    if (host.options.lineNumbers) {
        options |= NEO_LINENUMBERS;
    }
    if (host.options.underline) {
        options |= NEO_UNDERLINE;
    }
    SendMessage(host.edit, NEM_SETOPTIONS, NEO_LINENUMBERS | NEO_UNDERLINE, options);
    // The text goes in by length, so that NUL characters in the file survive.
    std::u16string text = host.initialText;
    const std::size_t bytes = text.size() * sizeof(char16_t);
    text.push_back(u'\0');
    SendMessage(host.edit, NEM_SETTEXTBYTES, bytes, reinterpret_cast<LPARAM>(text.data()));
    SendMessage(host.edit, EM_SETMODIFY, 0, 0);
    SetFocus(host.edit);
}

LRESULT frameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        RECT client{};
        GetClientRect(hwnd, &client);
        createEdit(hwnd, client.right, client.bottom);
        return host.edit != nullptr ? 0 : -1;
    }
    case WM_SIZE:
        if (host.edit != nullptr) {
            MoveWindow(host.edit, 0, 0, LOWORD(static_cast<DWORD>(lParam)),
                       HIWORD(static_cast<DWORD>(lParam)), TRUE);
        }
        return 0;
    case WM_SETFOCUS:
        if (host.edit != nullptr) {
            SetFocus(host.edit);
        }
        return 0;
    case WM_CLOSE:
        writeFinalText();
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        writeFinalText();
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

bool readOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-nowordwrap") {
            options.noWordWrap = true;
        } else if (arg == "-symbols") {
            options.symbols = true;
        } else if (arg == "-linenumbers") {
            options.lineNumbers = true;
        } else if (arg == "-underline") {
            options.underline = true;
        } else if (!arg.starts_with("-") && options.file == nullptr) {
            options.file = argv[i];
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    platform::Application app(argc, argv);
    if (!readOptions(argc, argv, host.options)) {
        std::fputs("usage: nedit-host [file] [-nowordwrap] [-symbols] [-linenumbers] "
                   "[-underline]\n",
                   stderr);
        return 2;
    }
    if (host.options.file != nullptr) {
        std::ifstream in(host.options.file, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "nedit-host: cannot read %s\n", host.options.file);
            return 1;
        }
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        if (in.bad()) {
            std::fprintf(stderr, "nedit-host: cannot read %s\n", host.options.file);
            return 1;
        }
        host.initialText = nedithost::fromUtf8File(bytes);
    }
    if (editctl::registerNEditClass() == 0) {
        return 1;
    }
    WNDCLASS wc;
    wc.lpfnWndProc = frameProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = u"neditHost";
    if (RegisterClass(&wc) == 0) {
        return 1;
    }
    const HWND frame =
        CreateWindow(u"neditHost", u"nEdit", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                     CW_USEDEFAULT, 640, 480, nullptr, nullptr, nullptr, nullptr);
    if (frame == nullptr) {
        std::fputs("nedit-host: the window could not be made\n", stderr);
        return 1;
    }
    const int status = app.run();
    DeleteObject(host.font);
    return status;
}
