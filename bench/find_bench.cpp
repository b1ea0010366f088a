// Find over a 100 MB decoded document in an "nEdit" control, against grep over the same text
// as a UTF-8 file in the same run (wall-clock times, grep's start-up included). The only match
// stands at the far end (the start, for Find Up), so every search reads the whole text.
// Compare "find/literal" with "grep/F" (target: at most 2 times) and "find/regex_*" with
// "grep/E" (target: at most 3 times). The periodic rows search "a" x 999 + "b" in a text of "a"s,
// the worst case of a scan that compares the pattern at every position ("naive/periodic").
#include "editctl/NEditMessages.h"
#include "platform/CodePage.h"
#include "platform/TestHooks.h"
#include "platform/Window.h"
#include "search/SearchDriver.h"
#include "support/EditWindow.h"
#include "support/JapaneseText.h"
#include "support/RunWithApplication.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kUnits = std::size_t{50} << 20; // 100 MB of UTF-16
// Never generated: ◆終端◆ at the end, ◇始端◇ at the start.
constexpr std::u16string_view kMarker = u"\u25c6\u7d42\u7aef\u25c6";
constexpr std::u16string_view kStartMarker = u"\u25c7\u59cb\u7aef\u25c7";

struct Document {
    std::u16string text;            // as the control holds it, CR line breaks
    std::filesystem::path utf8File; // the same text as a file, LF line breaks
};

std::filesystem::path writeUtf8(const std::u16string& text, const char* name) {
    std::u16string lines = text;
    std::replace(lines.begin(), lines.end(), u'\r', u'\n');
    std::vector<std::uint8_t> bytes(
        platform::maxEncodedSize(platform::CodePage::Utf8, lines.size()));
    bytes.resize(platform::encodeFromUtf16(platform::CodePage::Utf8, lines, bytes.data()));
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

const Document& japanese() {
    static const Document document = [] {
        Document d;
        d.text = bench::makeJapaneseText(100, u"", kUnits, bench::TextMeasure::CodeUnits);
        d.text.erase(std::remove(d.text.begin(), d.text.end(), u'\n'), d.text.end());
        d.text.insert(0, kStartMarker);
        d.text += kMarker;
        d.text += u"123";
        d.utf8File = writeUtf8(d.text, "kiv_find_bench_japanese.txt");
        return d;
    }();
    return document;
}

// "a" x 999 then "b", and its mirror image.
const std::u16string kPeriodic = std::u16string(999, u'a') + u"b";
const std::u16string kPeriodicBack = u"b" + std::u16string(999, u'a');

const Document& periodic() {
    static const Document document = [] {
        Document d;
        d.text = std::u16string(kUnits, u'a');
        for (std::size_t i = 4096; i < kUnits; i += 4096) {
            d.text[i] = u'\r';
        }
        d.text.replace(0, kPeriodicBack.size(), kPeriodicBack);
        d.text += kPeriodic;
        d.utf8File = writeUtf8(d.text, "kiv_find_bench_periodic.txt");
        return d;
    }();
    return document;
}

// One control for every Find row: loading 100 MB takes longer than the searches.
std::optional<bench::EditWindow> control;

void find(benchmark::State& state, const Document* (*document)(), std::u16string pattern,
          search::SearchFlags flags, bool forward) {
    const Document& d = *document();
    static const Document* loaded = nullptr;
    if (!control) {
        control.emplace();
    }
    if (loaded != &d) {
        control->load(d.text);
        loaded = &d;
    }
    DWORD start = 0;
    for (auto _ : state) {
        const int from = forward ? 0 : -1;
        SendMessage(control->edit, EM_SETSEL, static_cast<WPARAM>(from), from);
        if (!search::FindNext(control->edit, flags, pattern, forward, false)) {
            state.SkipWithError("no match");
        }
        SendMessage(control->edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    }
    state.counters["at"] = start;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * d.text.size() * 2));
}

// grep -F in the byte locale (its fastest), grep -E in UTF-8 (so a bracket means characters).
void grep(benchmark::State& state, const Document* (*document)(), const char* options,
          std::u16string_view pattern) {
    const Document& d = *document();
    std::string utf8(platform::maxEncodedSize(platform::CodePage::Utf8, pattern.size()), '\0');
    utf8.resize(platform::encodeFromUtf16(platform::CodePage::Utf8, pattern,
                                          reinterpret_cast<std::uint8_t*>(utf8.data())));
    const std::string command =
        std::string(std::string_view(options) == "-F" ? "LC_ALL=C" : "LC_ALL=C.UTF-8") +
        " grep -q " + options + " -e '" + utf8 + "' '" + d.utf8File.string() + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("grep found nothing");
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(
        state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(d.utf8File))));
}

// The scan that compares the pattern at every position: n x m work on periodic text.
void naiveScan(benchmark::State& state, const Document* (*document)(),
               std::u16string_view pattern) {
    const std::u16string& text = document()->text;
    std::size_t at = 0;
    for (auto _ : state) {
        at = text.size();
        for (std::size_t i = 0; i + pattern.size() <= text.size(); ++i) {
            if (std::equal(pattern.begin(), pattern.end(),
                           text.begin() + static_cast<std::ptrdiff_t>(i))) {
                at = i;
                break;
            }
        }
        benchmark::DoNotOptimize(at);
    }
    state.counters["at"] = static_cast<double>(at);
}

const Document* japaneseDocument() {
    return &japanese();
}
const Document* periodicDocument() {
    return &periodic();
}

const std::u16string kLiteral = std::u16string(kMarker) + u"123";
const std::u16string kRegexPrefix = std::u16string(kMarker) + u"[0-9]+";
const std::u16string kRegexClass = u"[\u25c6\u25c7]\u7d42\u7aef[\u25c6\u25c7][0-9]";

const bool registered = [] {
    using search::SearchFlags;
    auto add = [](const char* name, auto&&... args) {
        benchmark::RegisterBenchmark(name, args...)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5)
            ->UseRealTime();
    };
    add("find/literal", find, japaneseDocument, kLiteral, SearchFlags{}, true);
    add("find/literal_up", find, japaneseDocument, std::u16string(kStartMarker), SearchFlags{},
        false);
    add("find/literal_ignore_case", find, japaneseDocument, kLiteral, SearchFlags{false, true},
        true);
    add("grep/F", grep, japaneseDocument, "-F", kLiteral);
    add("find/regex_prefix", find, japaneseDocument, kRegexPrefix, SearchFlags{true, false}, true);
    add("find/regex_class", find, japaneseDocument, kRegexClass, SearchFlags{true, false}, true);
    add("grep/E_prefix", grep, japaneseDocument, "-E", kRegexPrefix);
    add("grep/E_class", grep, japaneseDocument, "-E", kRegexClass);
    add("find/periodic", find, periodicDocument, kPeriodic, SearchFlags{}, true);
    add("find/periodic_up", find, periodicDocument, kPeriodicBack, SearchFlags{}, false);
    add("grep/F_periodic", grep, periodicDocument, "-F", std::u16string_view(kPeriodic));
    add("naive/periodic", naiveScan, periodicDocument, std::u16string_view(kPeriodic));
    return true;
}();

} // namespace

int main(int argc, char** argv) {
    return bench::runWithApplication(argc, argv, [] { control.reset(); });
}
