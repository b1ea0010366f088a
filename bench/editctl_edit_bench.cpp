// Single edits in the middle of very large texts, sent to a visible "nEdit" window as the
// keyboard sends them and painted before the next one: a typed character (WM_CHAR), Return
// (WM_CHAR CR) and Backspace joining the line it made back (WM_KEYDOWN VK_BACK). Texts: 50
// million characters in about 1.75 million lines of mixed Japanese and ASCII, and one line of
// 10 million characters of minified data; each with word wrap on and off. Every edit is timed
// on its own: the message itself (median_us, p99_us: the figures to watch, targets 50 us and
// 1 ms, which should not grow with the text) and the paint it causes (paint_median_us, which
// grows with the lines repainted, not with the text). A resize right after an edit in the long
// line is timed against the same resize once the line has settled.
#include "editctl/NEditMessages.h"
#include "platform/TestHooks.h"
#include "platform/Window.h"
#include "support/EditWindow.h"
#include "support/RunWithApplication.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kManyLinesUnits = 50'000'000;
constexpr std::size_t kOneLineUnits = 10'000'000;
constexpr int kSamples = 2000;
// Return and Backspace in the single line re-break the rest of it: fewer samples suffice.
constexpr int kPairSamples = 400;

// Lines of 0 to 55 characters (1.75 million lines in all): kana, kanji and ASCII words.
const std::u16string& manyLines() {
    static const std::u16string text = [] {
        const std::u16string kanji = u"日本語文字漢字東京大阪時間今年会社学校先生電話番号新聞";
        const std::u16string ascii = u"the quick brown fox jumps over 12345 lazy dogs ";
        std::mt19937 rng(1750);
        std::u16string s;
        s.reserve(kManyLinesUnits + 64);
        while (s.size() < kManyLinesUnits) {
            const unsigned length = rng() % 56;
            for (unsigned n = 0; n < length; ++n) {
                const unsigned kind = rng() % 3;
                s += kind == 0   ? static_cast<char16_t>(0x3041 + rng() % 83)
                     : kind == 1 ? kanji[rng() % kanji.size()]
                                 : ascii[rng() % ascii.size()];
            }
            s += u'\r';
        }
        s.resize(kManyLinesUnits);
        return s;
    }();
    return text;
}

// One line of records without a space, as minified data comes.
const std::u16string& oneLine() {
    static const std::u16string text = [] {
        std::mt19937 rng(10);
        std::u16string s;
        s.reserve(kOneLineUnits + 64);
        while (s.size() < kOneLineUnits) {
            const std::string record = "{\"id\":" + std::to_string(rng() % 100000) +
                                       ",\"name\":\"item" + std::to_string(rng() % 1000) +
                                       "\",\"ok\":true},";
            s.append(record.begin(), record.end());
        }
        s.resize(kOneLineUnits);
        return s;
    }();
    return text;
}

enum class Edit { Character, ReturnThenBackspace };

// Times each edit, including the paint it causes; reports the median and the 99th percentile.
void measure(benchmark::State& bench, const std::u16string& text, bool wrap, Edit edit) {
    bench::EditWindow window;
    SendMessage(window.edit, NEM_SETWORDWRAP, wrap ? 1 : 0, 0);
    window.load(text);
    const auto line = static_cast<WPARAM>(SendMessage(window.edit, EM_GETLINECOUNT, 0, 0) / 2);
    const auto start = static_cast<WPARAM>(SendMessage(window.edit, EM_LINEINDEX, line, 0));
    const WPARAM at = start + 3;
    SendMessage(window.edit, EM_SETSEL, at, static_cast<LPARAM>(at));
    SendMessage(window.edit, EM_SCROLLCARET, 0, 0);
    // The first edit here moves the text's and the line table's gaps from the end to the caret.
    SendMessage(window.edit, WM_CHAR, u'x', 0);
    SendMessage(window.edit, WM_KEYDOWN, VK_BACK, 0);
    platform::test::pumpMessages();

    std::vector<double> edits;
    std::vector<double> joins;
    std::vector<double> paints;
    using Clock = std::chrono::steady_clock;
    auto micros = [](Clock::time_point from, Clock::time_point to) {
        return std::chrono::duration<double, std::micro>(to - from).count();
    };
    auto timed = [&](std::vector<double>& into, UINT message, WPARAM wParam) {
        const auto begin = Clock::now();
        SendMessage(window.edit, message, wParam, 0);
        const auto sent = Clock::now();
        platform::test::pumpMessages();
        paints.push_back(micros(sent, Clock::now()));
        into.push_back(micros(begin, sent));
    };
    for (auto _ : bench) {
        edits.clear();
        joins.clear();
        paints.clear();
        const auto begin = Clock::now();
        const int samples = edit == Edit::Character ? kSamples : kPairSamples;
        for (int i = 0; i < samples; ++i) {
            if (edit == Edit::Character) {
                // Back to the same place now and then, so the caret stays in view.
                if (i % 32 == 0) {
                    SendMessage(window.edit, EM_SETSEL, at, static_cast<LPARAM>(at));
                }
                timed(edits, WM_CHAR, i % 7 == 6 ? u' ' : u'a' + i % 26);
            } else {
                timed(edits, WM_CHAR, u'\r');
                timed(joins, WM_KEYDOWN, VK_BACK);
            }
        }
        bench.SetIterationTime(std::chrono::duration<double>(Clock::now() - begin).count());
    }
    auto report = [&](const char* name, std::vector<double>& samples) {
        std::sort(samples.begin(), samples.end());
        const std::string prefix = name;
        bench.counters[prefix + "median_us"] = samples[samples.size() / 2];
        bench.counters[prefix + "p99_us"] = samples[samples.size() * 99 / 100];
        bench.counters[prefix + "max_us"] = samples.back();
    };
    if (edit == Edit::Character) {
        report("", edits);
    } else {
        report("return_", edits);
        report("join_", joins);
    }
    std::sort(paints.begin(), paints.end());
    bench.counters["paint_median_us"] = paints[paints.size() / 2];
}

void TypeManyLines(benchmark::State& bench, bool wrap) {
    measure(bench, manyLines(), wrap, Edit::Character);
}
void ReturnAndJoinManyLines(benchmark::State& bench, bool wrap) {
    measure(bench, manyLines(), wrap, Edit::ReturnThenBackspace);
}
void TypeOneLine(benchmark::State& bench, bool wrap) {
    measure(bench, oneLine(), wrap, Edit::Character);
}
void ReturnAndJoinOneLine(benchmark::State& bench, bool wrap) {
    measure(bench, oneLine(), wrap, Edit::ReturnThenBackspace);
}

// A resize with word wrap lays the whole text out again. Right after an edit in the long line
// most of it is still unsettled; resize_after_edit_ms times that resize, resize_settled_ms the
// same resize once the line has been settled (EM_GETLINECOUNT), and after_edit_ratio compares
// them: settling first would be work the full layout repeats.
void ResizeAfterEditOneLine(benchmark::State& bench) {
    bench::EditWindow window;
    window.load(oneLine());
    RECT frame{};
    GetWindowRect(window.edit, &frame);
    const int height = frame.bottom - frame.top;
    int width = frame.right - frame.left;
    std::vector<double> afterEdit;
    std::vector<double> settled;
    using Clock = std::chrono::steady_clock;
    auto resized = [&](std::vector<double>& into) {
        width = width == 480 ? 472 : 480;
        const auto begin = Clock::now();
        MoveWindow(window.edit, 0, 0, width, height, TRUE);
        into.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
        platform::test::pumpMessages();
    };
    for (auto _ : bench) {
        const auto begin = Clock::now();
        for (int i = 0; i < 8; ++i) {
            SendMessage(window.edit, EM_SETSEL, 1000, 1000);
            SendMessage(window.edit, WM_CHAR, u'a', 0);
            resized(afterEdit);
            SendMessage(window.edit, WM_CHAR, u'b', 0);
            SendMessage(window.edit, EM_GETLINECOUNT, 0, 0);
            resized(settled);
        }
        bench.SetIterationTime(std::chrono::duration<double>(Clock::now() - begin).count());
    }
    std::sort(afterEdit.begin(), afterEdit.end());
    std::sort(settled.begin(), settled.end());
    const double afterEditMedian = afterEdit[afterEdit.size() / 2];
    const double settledMedian = settled[settled.size() / 2];
    bench.counters["resize_after_edit_ms"] = afterEditMedian;
    bench.counters["resize_settled_ms"] = settledMedian;
    bench.counters["after_edit_ratio"] = afterEditMedian / settledMedian;
}

BENCHMARK_CAPTURE(TypeManyLines, wrap, true)->Iterations(1)->UseManualTime();
BENCHMARK_CAPTURE(TypeManyLines, nowrap, false)->Iterations(1)->UseManualTime();
BENCHMARK_CAPTURE(ReturnAndJoinManyLines, wrap, true)->Iterations(1)->UseManualTime();
BENCHMARK_CAPTURE(ReturnAndJoinManyLines, nowrap, false)->Iterations(1)->UseManualTime();
BENCHMARK_CAPTURE(TypeOneLine, wrap, true)->Iterations(1)->UseManualTime();
BENCHMARK_CAPTURE(TypeOneLine, nowrap, false)->Iterations(1)->UseManualTime();
BENCHMARK_CAPTURE(ReturnAndJoinOneLine, wrap, true)->Iterations(1)->UseManualTime();
BENCHMARK_CAPTURE(ReturnAndJoinOneLine, nowrap, false)->Iterations(1)->UseManualTime();
BENCHMARK(ResizeAfterEditOneLine)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithApplication(argc, argv);
}
