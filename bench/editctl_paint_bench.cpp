// A full screen of the edit control (80 columns by 60 lines of mixed Japanese and ASCII text
// with tabs, spaces, ideographic spaces and line breaks; all symbols, line numbers, the
// caret-line underline and a selection on) painted through the one-line strip, against the
// same text drawn straight onto the screen with one text call per line in the same run. The
// target is well under one frame (16 ms) per full paint.
#include "editctl/CharMetrics.h"
#include "editctl/ColorSlots.h"
#include "editctl/EditOperations.h"
#include "editctl/EditState.h"
#include "editctl/EditWindowProc.h"
#include "editctl/NEditMessages.h"
#include "editctl/Paint.h"
#include "platform/Gdi.h"
#include "platform/Window.h"
#include "support/RunWithApplication.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>

namespace {

constexpr int kColumns = 80;
constexpr int kLines = 60;

class DcMetrics : public editctl::CharMetrics {
public:
    explicit DcMetrics(HDC dc) : dc_(dc) {}
    int charWidth(char16_t ch) override {
        SIZE size{};
        return GetTextExtentPoint32W(dc_, &ch, 1, &size) ? size.cx : 0;
    }
    int fontHeight() override {
        TEXTMETRICW metrics{};
        return GetTextMetricsW(dc_, &metrics) ? metrics.tmHeight : 0;
    }
    int averageCharWidth() override {
        TEXTMETRICW metrics{};
        return GetTextMetricsW(dc_, &metrics) ? metrics.tmAveCharWidth : 0;
    }

private:
    HDC dc_;
};

std::u16string mixedText(int lines) {
    const std::u16string japanese = u"日本語の文章を編集する人のための軽いエディタ東京大阪";
    const std::u16string ascii = u"the quick brown fox jumps over the lazy dog 0123456789";
    std::mt19937 rng(60);
    std::u16string text;
    for (int line = 0; line < lines; ++line) {
        int columns = 0;
        while (columns < kColumns - 4) {
            switch (rng() % 8) {
            case 0:
                text += u'\t';
                columns += 8 - columns % 8;
                break;
            case 1:
                text += u'\u3000';
                columns += 2;
                break;
            case 2:
            case 3:
            case 4:
                text += japanese[rng() % japanese.size()];
                columns += 2;
                break;
            default:
                text += ascii[rng() % ascii.size()];
                columns += 1;
                break;
            }
        }
        text += u'\r';
    }
    return text;
}

// A client area and an edit state showing kLines lines of kColumns cells.
struct Screen {
    Screen() {
        LOGFONTW description;
        description.lfHeight = -14;
        const std::u16string face = u"IPAGothic";
        std::copy(face.begin(), face.end(), description.lfFaceName);
        font = CreateFontIndirectW(&description);
        state.memoryDc = CreateCompatibleDC(nullptr);
        SelectObject(state.memoryDc, font);
        SetTextAlign(state.memoryDc, TA_LEFT | TA_TOP);
        SetBkMode(state.memoryDc, TRANSPARENT);
        state.metrics = std::make_unique<DcMetrics>(state.memoryDc);
        state.widths.setMetrics(state.metrics.get());
        state.options = NEO_LINENUMBERS | NEO_UNDERLINE;
        state.symbols = NES_LINEBREAK | NES_TAB | NES_SPACE | NES_WIDESPACE;
        state.layout.lineNumbers = true;
        state.layout.lineSpacing = 2;
        editctl::readFontMeasures(state);
        width = (kColumns + 4) * state.layout.cellWidth + 2;
        height = kLines * state.layout.lineHeight + 2;
        state.layout.clientWidth = width;
        state.layout.clientHeight = height;
        editctl::replaceAllText(state, mixedText(kLines * 3));
        state.anchor = 700;
        state.caret = 1500;
        state.lineStrip = CreateCompatibleBitmap(state.memoryDc, width, state.layout.lineHeight);
        SelectObject(state.memoryDc, state.lineStrip);
        target = CreateCompatibleDC(nullptr);
        targetBitmap = CreateCompatibleBitmap(target, width, height);
        SelectObject(target, targetBitmap);
        SelectObject(target, font);
    }
    ~Screen() {
        DeleteDC(target);
        DeleteObject(targetBitmap);
        DeleteDC(state.memoryDc);
        DeleteObject(state.lineStrip);
        DeleteObject(font);
    }

    editctl::EditState state;
    HFONT font = nullptr;
    HDC target = nullptr;
    HBITMAP targetBitmap = nullptr;
    int width = 0;
    int height = 0;
};

void BM_FullScreenPaint(benchmark::State& run) {
    Screen screen;
    editctl::PaintArea area;
    area.right = screen.width;
    area.selectionShown = true;
    area.caretLine = screen.state.lines.lineOf(screen.state.caret);
    const RECT update{0, 0, screen.width, screen.height};
    for (auto _ : run) {
        editctl::paintUpdateArea(screen.state, screen.target, update, area);
        benchmark::ClobberMemory();
    }
    run.counters["lines"] = screen.state.lines.count();
}
BENCHMARK(BM_FullScreenPaint)->Unit(benchmark::kMillisecond);

// The same screen through the window: InvalidateRect and a WM_PAINT of the "nEdit" control,
// BeginPaint and EndPaint included.
LRESULT parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(hwnd, message, wParam, lParam);
}

void BM_WindowFullScreenPaint(benchmark::State& run) {
    Screen screen;
    WNDCLASS wc;
    wc.lpfnWndProc = parentProc;
    wc.lpszClassName = u"paintBenchParent";
    RegisterClass(&wc);
    editctl::registerNEditClass();
    const HWND parent =
        CreateWindow(u"paintBenchParent", u"", WS_OVERLAPPED | WS_VISIBLE, 0, 0, screen.width + 40,
                     screen.height + 40, nullptr, nullptr, nullptr, nullptr);
    const HWND edit =
        CreateWindow(kNEditClassName, u"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_NOHIDESEL, 0, 0,
                     screen.width, screen.height, parent, childId(1333), nullptr, nullptr);
    SendMessage(edit, WM_SETFONT, reinterpret_cast<WPARAM>(screen.font), 0);
    SendMessage(edit, NEM_SETSYMBOLS, screen.state.symbols, 0);
    SendMessage(edit, NEM_SETOPTIONS, screen.state.options, screen.state.options);
    SendMessage(edit, NEM_SETLINESPACING, static_cast<WPARAM>(screen.state.layout.lineSpacing), 0);
    const std::u16string text = mixedText(kLines * 3);
    SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessage(edit, EM_SETSEL, 700, 1500);
    SetFocus(edit);
    UpdateWindow(edit);
    for (auto _ : run) {
        InvalidateRect(edit, nullptr, FALSE);
        UpdateWindow(edit);
    }
    DestroyWindow(parent);
}
BENCHMARK(BM_WindowFullScreenPaint)->Unit(benchmark::kMillisecond);

// The reference: every visible line drawn with one opaque text call, straight to the target.
void BM_ReferenceOneTextCallPerLine(benchmark::State& run) {
    Screen screen;
    const editctl::EditState& state = screen.state;
    const int lineHeight = state.layout.lineHeight;
    std::u16string line;
    for (auto _ : run) {
        for (int i = 0; i < kLines; ++i) {
            const int start = static_cast<int>(state.lines.start(i));
            const int end = static_cast<int>(state.lines.start(i + 1));
            line = state.text.substr(start, end - start);
            const RECT cell{0, 1 + i * lineHeight, screen.width, 1 + (i + 1) * lineHeight};
            ExtTextOutW(screen.target, state.layout.margins.left, cell.top, ETO_OPAQUE, &cell,
                        line.data(), static_cast<UINT>(line.size()), nullptr);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ReferenceOneTextCallPerLine)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithApplication(argc, argv);
}
