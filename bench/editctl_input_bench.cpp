// Caret moves, paging and undo/redo in an "nEdit" control, each measured on a small and on a
// large document in the same run: the large row should cost about what the small row costs
// (per key, per page, per record), whatever the document's length.
#include "editctl/EditWindowProc.h"
#include "editctl/NEditMessages.h"
#include "platform/Gdi.h"
#include "platform/TestHooks.h"
#include "platform/Window.h"
#include "support/RunWithApplication.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

namespace {

// A control of 80 x 60 cells of the test font in a top-level window.
class Control {
public:
    explicit Control(const std::u16string& text) {
        editctl::registerNEditClass();
        parent_ = CreateWindow(u"nEdit", u"", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 660, 980, nullptr,
                               nullptr, nullptr, nullptr);
        edit = parent_;
        LOGFONTW description{};
        const std::u16string_view face = u"KivTestFont";
        std::copy(face.begin(), face.end(), description.lfFaceName);
        const HFONT font = CreateFontIndirectW(&description);
        SendMessage(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        DeleteObject(font);
        SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SetFocus(edit);
        platform::test::pumpMessages();
    }
    ~Control() { DestroyWindow(parent_); }
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessage(edit, message, wParam, lParam);
    }
    HWND edit = nullptr;

private:
    HWND parent_ = nullptr;
};

// Lines of 30 to 70 characters of mixed ASCII and Japanese, `characters` in all.
std::u16string makeDocument(std::size_t characters) {
    const std::u16string words[] = {u"edit ", u"日本語の", u"text ", u"文字列", u"line ", u"漢字"};
    std::u16string text;
    text.reserve(characters + 80);
    std::size_t line = 0;
    unsigned seed = 7;
    while (text.size() < characters) {
        seed = seed * 1103515245u + 12345u;
        text += words[(seed >> 16) % 6];
        line += 5;
        if (line > 30 + (seed >> 8) % 40) {
            text += u'\r';
            line = 0;
        }
    }
    text.resize(characters);
    return text;
}

void caretDownKeyByKey(benchmark::State& state) {
    const auto lines = static_cast<std::size_t>(state.range(0));
    Control control(makeDocument(lines * 45));
    for (auto _ : state) {
        control.send(EM_SETSEL, 0, 0);
        control.send(EM_SCROLLCARET);
        for (int i = 0; i < 10000; ++i) {
            control.send(WM_KEYDOWN, VK_DOWN);
        }
        platform::test::pumpMessages();
    }
    state.SetItemsProcessed(state.iterations() * 10000);
    state.counters["lines"] = static_cast<double>(control.send(EM_GETLINECOUNT));
}
BENCHMARK(caretDownKeyByKey)->Arg(20000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void pageDown(benchmark::State& state) {
    Control control(makeDocument(static_cast<std::size_t>(state.range(0))));
    const LRESULT lastLine = control.send(EM_GETLINECOUNT) - 1;
    for (auto _ : state) {
        control.send(WM_KEYDOWN, VK_NEXT);
        platform::test::pumpMessages();
        if (control.send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)) >= lastLine - 100) {
            control.send(EM_SETSEL, 0, 0);
            control.send(EM_SCROLLCARET);
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(pageDown)->Arg(1000000)->Arg(50000000)->Unit(benchmark::kMicrosecond);

// 10000 typed runs of 8 characters at the end of the document, each closed by a caret move;
// one iteration undoes all of them and redoes them again.
void undoRedoTypedRuns(benchmark::State& state) {
    Control control(makeDocument(static_cast<std::size_t>(state.range(0))));
    control.send(EM_SETSEL, static_cast<WPARAM>(-1), -1);
    for (int run = 0; run < 10000; ++run) {
        for (const char16_t ch : std::u16string_view(u"typed 字\r")) {
            control.send(WM_CHAR, ch);
        }
        control.send(WM_KEYDOWN, VK_RIGHT);
    }
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) {
            control.send(EM_UNDO);
        }
        for (int i = 0; i < 10000; ++i) {
            control.send(EM_REDO);
        }
        platform::test::pumpMessages();
    }
    state.SetItemsProcessed(state.iterations() * 20000);
}
BENCHMARK(undoRedoTypedRuns)->Arg(100000)->Arg(2000000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithApplication(argc, argv);
}
