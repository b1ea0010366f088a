// Decoding and encoding about 48 MB of Japanese text with kiv's code-page converters, against
// glibc iconv converting the same bytes in the same run. Compare each kiv row with the iconv
// row of the same conversion (bytes_per_second).
#include "platform/CodePage.h"

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using platform::CodePage;

namespace {

constexpr std::size_t kTextUnits = 24u << 20; // about 48 MB as Shift_JIS

// Prose-like text: runs of hiragana, katakana, common kanji and ASCII words, half-width
// katakana now and then, punctuation, and CR LF line breaks every few dozen characters.
std::u16string makeJapaneseText() {
    const std::u16string kanji = u"日本語文字漢字東京大阪名古屋時間今年会社学校先生電話番号"
                                 u"新聞雑誌映画音楽美術歴史地理数学科学経済政治社会問題解決"
                                 u"吾輩猫名前無所生見当薄暗湿泣記憶始人間者聞髙﨑纊";
    const std::u16string ascii = u"the quick brown fox jumps over 12345 lazy dogs ";
    std::mt19937 rng(932);
    std::u16string text;
    text.reserve(kTextUnits + 64);
    std::size_t lineLength = 0;
    while (text.size() < kTextUnits) {
        const unsigned kind = rng() % 10;
        const unsigned run = 1 + rng() % 6;
        for (unsigned i = 0; i < run; ++i) {
            if (kind < 4)
                text += static_cast<char16_t>(0x3041 + rng() % 83); // hiragana
            else if (kind < 6)
                text += kanji[rng() % kanji.size()];
            else if (kind < 7)
                text += static_cast<char16_t>(0x30A1 + rng() % 86); // katakana
            else if (kind < 9)
                text += ascii[rng() % ascii.size()];
            else
                text += static_cast<char16_t>(0xFF66 + rng() % 56); // half-width katakana
        }
        text += (rng() % 3 == 0) ? u"。" : u"、";
        lineLength += run + 1;
        if (lineLength > 40 + rng() % 40) {
            text += u"\r\n";
            lineLength = 0;
        }
    }
    return text;
}

const std::u16string& japaneseText() {
    static const std::u16string text = makeJapaneseText();
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

// Runs one whole-buffer iconv conversion; aborts the benchmark when iconv stops early, since
// the text holds only characters both sides can convert.
std::size_t runIconv(iconv_t cd, const void* in, std::size_t inBytes, void* out,
                     std::size_t outBytes) {
    char* src = const_cast<char*>(static_cast<const char*>(in));
    char* dst = static_cast<char*>(out);
    std::size_t left = outBytes;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &src, &inBytes, &dst, &left) == static_cast<std::size_t>(-1))
        std::abort();
    return outBytes - left;
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
            runIconv(cd, bytes.data(), bytes.size(), out.data(), out.size() * 2));
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
            runIconv(cd, text.data(), text.size() * 2, out.data(), out.size()));
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
