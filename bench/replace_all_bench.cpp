// Replace All of 100,000 matches in a 20 MB Japanese document held by an "nEdit" control,
// against building the same result with std::u16string operations (find each match, append
// the text between and the replacement) over the same text in the same run: the floor any
// Replace All has to pay. Compare "replace_all/..." with "u16string_floor/..." (target: at
// most 3 times the floor, and under 2 s). The step-by-step rows show, on a text a tenth of the
// size, what one replace-selection per match costs.
#include "editctl/NEditMessages.h"
#include "platform/TestHooks.h"
#include "platform/Window.h"
#include "search/SearchDriver.h"
#include "support/EditWindow.h"
#include "support/JapaneseText.h"
#include "support/RunWithApplication.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

namespace {

constexpr std::u16string_view kMarker = u"\u25c6\u7f6e\u63db";            // ◆置換
constexpr std::u16string_view kReplacement = u"\u25c7\u5909\u63db\u5f8c"; // ◇変換後

// `units` of prose with CR line breaks, and `matches` markers spread evenly through it.
std::u16string makeDocument(std::size_t units, std::size_t matches) {
    std::u16string prose = bench::makeJapaneseText(16, u"", units, bench::TextMeasure::CodeUnits);
    prose.erase(std::remove(prose.begin(), prose.end(), u'\n'), prose.end());
    std::u16string text;
    text.reserve(prose.size() + matches * kMarker.size());
    const std::size_t gap = prose.size() / matches;
    for (std::size_t i = 0; i < matches; ++i) {
        text.append(prose, i * gap, gap);
        text += kMarker;
    }
    return text;
}

template <class ReplaceAllFunction>
void replaceInControl(benchmark::State& state, std::size_t units, std::size_t matches,
                      ReplaceAllFunction replaceAll) {
    const std::u16string text = makeDocument(units, matches);
    bench::EditWindow control;
    int count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        control.load(text);
        platform::test::queueMessageBoxAnswer(IDOK);
        state.ResumeTiming();
        count = replaceAll(control.edit, search::SearchFlags{}, kMarker, kReplacement,
                           [] { return DWORD{0}; });
    }
    state.counters["matches"] = count;
    state.counters["MB"] = static_cast<double>(text.size() * 2) / 1e6;
}

void u16stringFloor(benchmark::State& state, std::size_t units, std::size_t matches) {
    const std::u16string text = makeDocument(units, matches);
    std::u16string result;
    std::size_t count = 0;
    for (auto _ : state) {
        result.clear();
        result.reserve(text.size() + matches * kReplacement.size());
        count = 0;
        std::size_t from = 0;
        for (std::size_t at = text.find(kMarker); at != std::u16string::npos;
             at = text.find(kMarker, from)) {
            result.append(text, from, at - from);
            result += kReplacement;
            from = at + kMarker.size();
            ++count;
        }
        result.append(text, from);
        benchmark::DoNotOptimize(result.data());
    }
    state.counters["matches"] = static_cast<double>(count);
}

constexpr std::size_t kLargeUnits = std::size_t{10} << 20; // 20 MB
constexpr std::size_t kLargeMatches = 100000;

const bool registered = [] {
    benchmark::RegisterBenchmark("replace_all/20MB_100000",
                                 [](benchmark::State& state) {
                                     replaceInControl(state, kLargeUnits, kLargeMatches,
                                                      search::ReplaceAll);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark(
        "u16string_floor/20MB_100000",
        [](benchmark::State& state) { u16stringFloor(state, kLargeUnits, kLargeMatches); })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("replace_all/2MB_10000",
                                 [](benchmark::State& state) {
                                     replaceInControl(state, kLargeUnits / 10, kLargeMatches / 10,
                                                      search::ReplaceAll);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("stepwise/2MB_10000",
                                 [](benchmark::State& state) {
                                     replaceInControl(state, kLargeUnits / 10, kLargeMatches / 10,
                                                      search::ReplaceAllStepwise);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    return true;
}();

} // namespace

int main(int argc, char** argv) {
    return bench::runWithApplication(argc, argv);
}
