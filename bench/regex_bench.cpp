// Ten patterns a user would type, each searched forward over a 20 MB mixed Japanese/ASCII
// text from the start to the end (every match, each search starting at the previous match's
// end), by the editor's engine and by std::regex (ECMAScript, wide characters) over the same
// text in the same run. Compare the "engine/..." and "std_regex/..." times per pattern.
#include "search/RegexProgram.h"
#include "search/RegexSearch.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <random>
#include <regex>
#include <string>
#include <vector>

namespace {

// 10 M UTF-16 units = 20 MB of text.
constexpr std::size_t kTextUnits = std::size_t{10} << 20;

struct BenchPattern {
    const char* name;
    std::u16string pattern;
    std::wstring standard; // the same search for std::regex
    bool ignoreCase;
};

const std::vector<BenchPattern>& benchPatterns() {
    static const std::vector<BenchPattern> patterns = {
        {"literal_word", u"function", L"function", false},
        {"japanese_word", u"東京都", L"東京都", false},
        {"katakana_run", u"[ァ-ヶー]+", L"[ァ-ヶー]+", false},
        {"digits", u"\\d+", L"\\d+", false},
        {"three_words", u"apple|banana|cherry", L"apple|banana|cherry", false},
        {"hash_line", u"^#.*", L"^#.*", false},
        {"colou_r", u"colou?r", L"colou?r", false},
        {"lazy_quote", u"「.*?」", L"「.*?」", false},
        {"ignore_case", u"error", L"error", true},
        {"no_match", u"zqxjv", L"zqxjv", false},
    };
    return patterns;
}

// Deterministic lines of ASCII words, numbers and Japanese words, some of them comments or
// quotes, joined with CR as the editor holds them. Lines stay short, as std::regex recurses
// per character.
const std::u16string& benchText() {
    static const std::u16string text = [] {
        static const std::vector<std::u16string> words = {
            u"the",      u"function", u"return", u"value", u"color",    u"colour",
            u"apple",    u"banana",   u"cherry", u"Error", u"ERROR",    u"error",
            u"list",     u"data",     u"東京都", u"大阪",  u"日本語",   u"テキスト",
            u"エディタ", u"ファイル", u"の",     u"を",    u"は",       u"します",
            u"検索",     u"置換",     u"、",     u"。",    u"ひらがな", u"コンピューター",
        };
        std::mt19937 rng(4242);
        std::u16string out;
        out.reserve(kTextUnits + 256);
        while (out.size() < kTextUnits) {
            const unsigned kind = rng() % 10;
            if (kind == 0) {
                out += u"# ";
            }
            const unsigned count = 3 + rng() % 12;
            for (unsigned i = 0; i < count; ++i) {
                const unsigned pick = rng() % 40;
                if (pick < words.size()) {
                    out += words[pick];
                } else if (pick < 35) {
                    out += std::u16string(u"0123456789").substr(0, 1 + rng() % 6);
                } else {
                    out += u"「";
                    out += words[rng() % words.size()];
                    out += u"」";
                }
                out += (pick % 3 == 0) ? u"" : u" ";
            }
            out += u'\r';
        }
        return out;
    }();
    return text;
}

void engineSearch(benchmark::State& state, const BenchPattern* pattern) {
    const std::u16string& text = benchText();
    std::size_t matches = 0;
    for (auto _ : state) {
        const search::RegexProgramPtr program = search::RegexProgram::Compile(pattern->pattern);
        std::vector<search::CaptureSpan> captures;
        matches = 0;
        std::size_t from = 0;
        while (from < text.size() && search::RegexSearch(*program, text, captures,
                                                         pattern->ignoreCase, from, true) != 0) {
            ++matches;
            from = captures[0].end > captures[0].start ? captures[0].end : captures[0].end + 1;
        }
        benchmark::DoNotOptimize(matches);
    }
    state.counters["matches"] = static_cast<double>(matches);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size() * 2));
}

void standardSearch(benchmark::State& state, const BenchPattern* pattern) {
    static const std::wstring text(benchText().begin(), benchText().end());
    std::size_t matches = 0;
    for (auto _ : state) {
        auto flags = std::regex_constants::ECMAScript | std::regex_constants::multiline;
        if (pattern->ignoreCase) {
            flags |= std::regex_constants::icase;
        }
        const std::wregex re(pattern->standard, flags);
        matches = static_cast<std::size_t>(std::distance(
            std::wsregex_iterator(text.begin(), text.end(), re), std::wsregex_iterator()));
        benchmark::DoNotOptimize(matches);
    }
    state.counters["matches"] = static_cast<double>(matches);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size() * 2));
}

// Nested repetitions over a line of 40 "a"s: a walk without memory takes exponential time.
void nestedRepetition(benchmark::State& state, const char16_t* pattern) {
    const std::u16string line(40, u'a');
    const search::RegexProgramPtr program = search::RegexProgram::Compile(pattern);
    std::vector<search::CaptureSpan> captures;
    for (auto _ : state) {
        benchmark::DoNotOptimize(search::RegexSearch(*program, line, captures, false, 0, true));
    }
}

const bool registered = [] {
    benchmark::RegisterBenchmark("engine/nested/(a+)+b", nestedRepetition, u"(a+)+b")
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("engine/nested/(a|aa)*c", nestedRepetition, u"(a|aa)*c")
        ->Unit(benchmark::kMicrosecond);
    for (const BenchPattern& pattern : benchPatterns()) {
        benchmark::RegisterBenchmark((std::string("engine/") + pattern.name).c_str(), engineSearch,
                                     &pattern)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
        benchmark::RegisterBenchmark((std::string("std_regex/") + pattern.name).c_str(),
                                     standardSearch, &pattern)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
    return true;
}();

} // namespace

BENCHMARK_MAIN();
