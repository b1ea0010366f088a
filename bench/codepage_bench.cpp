// Decoding and encoding about 48 MB of Japanese text with kiv's code-page converters, against
// glibc iconv converting the same bytes in the same run. Compare each kiv row with the iconv
// row of the same conversion (bytes_per_second).
#include "platform/CodePage.h"
#include "support/IconvReference.h"
#include "support/JapaneseText.h"

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdint>
#include <string>
#include <vector>

using platform::CodePage;

namespace {

constexpr std::size_t kTextUnits = 24u << 20; // about 48 MB as Shift_JIS

const std::u16string& japaneseText() {
    // The three extra kanji are NEC and IBM extensions that only CP932 has.
    static const std::u16string text =
        bench::makeJapaneseText(932, u"髙﨑纊", kTextUnits, bench::TextMeasure::CodeUnits);
    return text;
}

std::vector<std::uint8_t> encoded(CodePage page) {
    const auto& text = japaneseText();
    std::vector<std::uint8_t> out(platform::maxEncodedSize(page, text.size()));
    out.resize(platform::encodeFromUtf16(page, text, out.data()));
    return out;
}

const std::vector<std::uint8_t>& bytesOf(CodePage page) {
    static const auto sjis = encoded(CodePage::ShiftJis);
    static const auto utf8 = encoded(CodePage::Utf8);
    return page == CodePage::ShiftJis ? sjis : utf8;
}

const char* iconvName(CodePage page) {
    return page == CodePage::ShiftJis ? "CP932" : "UTF-8";
}

void decodeKiv(benchmark::State& state, CodePage page) {
    const auto& bytes = bytesOf(page);
    std::u16string out(bytes.size(), u'\0');
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::decodeToUtf16(page, bytes, out.data()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void decodeIconv(benchmark::State& state, CodePage page) {
    const auto& bytes = bytesOf(page);
    std::u16string out(bytes.size(), u'\0');
    iconv_t cd = iconv_open("UTF-16LE", iconvName(page));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            bench::runIconv(cd, bytes.data(), bytes.size(), out.data(), out.size() * 2));
        benchmark::ClobberMemory();
    }
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void encodeKiv(benchmark::State& state, CodePage page) {
    const auto& text = japaneseText();
    std::vector<std::uint8_t> out(platform::maxEncodedSize(page, text.size()));
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::encodeFromUtf16(page, text, out.data()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytesOf(page).size()));
}

void encodeIconv(benchmark::State& state, CodePage page) {
    const auto& text = japaneseText();
    std::vector<std::uint8_t> out(platform::maxEncodedSize(page, text.size()));
    iconv_t cd = iconv_open(iconvName(page), "UTF-16LE");
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            bench::runIconv(cd, text.data(), text.size() * 2, out.data(), out.size()));
        benchmark::ClobberMemory();
    }
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytesOf(page).size()));
}

} // namespace

BENCHMARK_CAPTURE(decodeKiv, ShiftJis, CodePage::ShiftJis)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decodeIconv, ShiftJis, CodePage::ShiftJis)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decodeKiv, Utf8, CodePage::Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decodeIconv, Utf8, CodePage::Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(encodeKiv, ShiftJis, CodePage::ShiftJis)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(encodeIconv, ShiftJis, CodePage::ShiftJis)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(encodeKiv, Utf8, CodePage::Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(encodeIconv, Utf8, CodePage::Utf8)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
