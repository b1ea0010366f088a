// An "nEdit" window on a 50-million-character document of mixed Japanese and ASCII lines,
// word wrap on at the window edge, with a real Japanese font:
//  - SetText: NEM_SETTEXTBYTES with the whole text, until it is laid out; compare with
//    CopyAndScanFloor, which only copies the same bytes and scans them once for CR (the ratio
//    is the figure to watch);
//  - FullLayout: the full layout pass alone over the text already set, as a change of font or
//    width runs it;
//  - the OneThread rows: the same with the layout kept on the calling thread;
//  - times are wall-clock times, since the layout of a large text uses every processor;
//  - Typing: 1000 characters typed one at a time into the middle through the insertion path
//    the keyboard uses, each with its relayout; median_us is the median cost of one character;
//  - the SetText row's counters report memory: live_bytes held by the control against the
//    budget of 2 bytes per character + 4 bytes per display line + 1 MiB.
#include "editctl/EditActions.h"
#include "editctl/EditOperations.h"
#include "editctl/EditState.h"
#include "editctl/EditWindowProc.h"
#include "editctl/GdiCharMetrics.h"
#include "platform/Gdi.h"
#include "platform/Window.h"
#include "support/RunWithApplication.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kTextUnits = 50'000'000;
constexpr int kClientWidth = 480;
constexpr int kClientHeight = 640;

// Lines of 0 to 160 characters: runs of kana and kanji, ASCII words, now and then a tab.
const std::u16string& documentText() {
    static const std::u16string text = [] {
        const std::u16string kanji = u"日本語文字漢字東京大阪名古屋時間今年会社学校先生電話番号"
                                     u"新聞雑誌映画音楽美術歴史地理数学科学経済政治社会問題解決";
        const std::u16string ascii = u"the quick brown fox jumps over 12345 lazy dogs ";
        std::mt19937 rng(50);
        std::u16string s;
        s.reserve(kTextUnits + 200);
        while (s.size() < kTextUnits) {
            const unsigned length = rng() % 161;
            for (unsigned n = 0; n < length;) {
                const unsigned kind = rng() % 10;
                const unsigned run = 1 + rng() % 8;
                for (unsigned i = 0; i < run && n < length; ++i, ++n) {
                    if (kind < 4) {
                        s += static_cast<char16_t>(0x3041 + rng() % 83);
                    } else if (kind < 6) {
                        s += kanji[rng() % kanji.size()];
                    } else if (kind < 9) {
                        s += ascii[rng() % ascii.size()];
                    } else {
                        s += i == 0 ? u'\t' : u'x';
                    }
                }
            }
            s += u'\r';
        }
        s.resize(kTextUnits);
        return s;
    }();
    return text;
}

// An "nEdit" window whose client area is kClientWidth x kClientHeight, with a real CJK font.
struct Control {
    HWND hwnd = nullptr;
    HFONT font = nullptr;

    Control() {
        editctl::registerNEditClass();
        hwnd = CreateWindowEx(0, u"nEdit", u"", WS_OVERLAPPED | WS_VSCROLL, 0, 0, kClientWidth,
                              kClientHeight, nullptr, nullptr, nullptr, nullptr);
        RECT client{};
        GetClientRect(hwnd, &client);
        MoveWindow(hwnd, 0, 0, 2 * kClientWidth - client.right, 2 * kClientHeight - client.bottom,
                   FALSE);
        LOGFONTW description{};
        description.lfHeight = -16;
        const std::u16string face = u"IPAGothic";
        std::copy(face.begin(), face.end(), description.lfFaceName);
        font = CreateFontIndirectW(&description);
        SendMessage(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    }
    ~Control() {
        DestroyWindow(hwnd);
        DeleteObject(font);
    }
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    editctl::EditState& state() const {
        editctl::EditState* state = nullptr;
        SendMessage(hwnd, NEM_GETSTATE, 0, reinterpret_cast<LPARAM>(&state));
        return *state;
    }
    void setText(const std::u16string& text) const {
        SendMessage(hwnd, NEM_SETTEXTBYTES, text.size() * sizeof(char16_t),
                    reinterpret_cast<LPARAM>(text.c_str()));
    }
};

// Keeps the whole layout on the calling thread.
void useOneThread(editctl::EditState& state) {
    state.layouter.setParallelism({.minLength = std::numeric_limits<int>::max()});
}

void SetText(benchmark::State& bench, bool oneThread) {
    const std::u16string& text = documentText();
    std::size_t liveBytes = 0;
    int lines = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        auto control = std::make_unique<Control>();
        if (oneThread) {
            useOneThread(control->state());
        }
        bench.ResumeTiming();
        control->setText(text);
        bench.PauseTiming();
        const editctl::EditState& state = control->state();
        liveBytes = state.allocator.liveBytes() + sizeof(editctl::EditState);
        lines = state.lines.count();
        control.reset();
        bench.ResumeTiming();
    }
    const double budget = 2.0 * static_cast<double>(text.size()) + 4.0 * lines + 1024.0 * 1024.0;
    bench.counters["display_lines"] = lines;
    bench.counters["live_bytes"] = static_cast<double>(liveBytes);
    bench.counters["budget_bytes"] = budget;
    bench.counters["bytes_per_char"] =
        static_cast<double>(liveBytes) / static_cast<double>(text.size());
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations()) *
                            static_cast<std::int64_t>(text.size() * sizeof(char16_t)));
}
BENCHMARK_CAPTURE(SetText, Threads, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK_CAPTURE(SetText, OneThread, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

void CopyAndScanFloor(benchmark::State& bench) {
    const std::u16string& text = documentText();
    for (auto _ : bench) {
        auto copy = std::make_unique_for_overwrite<char16_t[]>(text.size() + 1);
        std::memcpy(copy.get(), text.data(), text.size() * sizeof(char16_t));
        std::size_t breaks = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            breaks += copy[i] == u'\r' ? 1 : 0;
        }
        benchmark::DoNotOptimize(breaks);
        benchmark::DoNotOptimize(copy.get());
    }
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations()) *
                            static_cast<std::int64_t>(text.size() * sizeof(char16_t)));
}
BENCHMARK(CopyAndScanFloor)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void FullLayout(benchmark::State& bench, bool oneThread) {
    const Control control;
    control.setText(documentText());
    editctl::EditState& state = control.state();
    if (oneThread) {
        useOneThread(state);
    }
    for (auto _ : bench) {
        state.layouter.layoutAll();
    }
}
BENCHMARK_CAPTURE(FullLayout, Threads, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(3)
    ->UseRealTime();
BENCHMARK_CAPTURE(FullLayout, OneThread, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(3)
    ->UseRealTime();

void Typing(benchmark::State& bench) {
    const Control control;
    control.setText(documentText());
    editctl::EditState& state = control.state();
    const std::u16string typed = u"かな漢字 and words ";
    std::vector<double> micros;
    for (auto _ : bench) {
        // Into the middle of a line near the middle of the text.
        const int line = state.lines.count() / 2;
        state.caret = state.anchor = static_cast<int>(state.lines.start(line)) + 3;
        micros.clear();
        for (int i = 0; i < 1000; ++i) {
            const std::u16string one(1, typed[static_cast<std::size_t>(i) % typed.size()]);
            const auto start = std::chrono::steady_clock::now();
            editctl::insertAtCaretAndShow(state, one, false);
            const auto end = std::chrono::steady_clock::now();
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
        bench.PauseTiming();
        editctl::commitPending(state, true);
        bench.ResumeTiming();
    }
    std::sort(micros.begin(), micros.end());
    bench.counters["median_us"] = micros[micros.size() / 2];
    bench.counters["p90_us"] = micros[micros.size() * 9 / 10];
    bench.counters["max_us"] = micros.back();
}
BENCHMARK(Typing)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithApplication(argc, argv);
}
