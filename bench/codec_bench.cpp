// Opening and saving a document of about 100 MB, the way the editor does it (map the file,
// read it line by line into one UTF-16 text with CR breaks; write it back line by line with
// CR LF breaks), against glibc iconv converting the same file in the same run. Compare each
// kiv row with the iconv row of the same encoding and direction.
#include "document/DocumentDecoder.h"
#include "document/DocumentEncoder.h"
#include "document/EucSjisConverter.h"
#include "document/MappedFile.h"
#include "document/TextEncoding.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kFileBytes = 100u << 20; // the Shift_JIS file; the others follow from it

// Prose-like text of JIS X 0208 characters: runs of hiragana, katakana, common kanji and
// ASCII words, half-width katakana now and then, and CR LF breaks every few dozen characters.
std::u16string makeJapaneseText() {
    const std::u16string kanji = u"日本語文字漢字東京大阪名古屋時間今年会社学校先生電話番号"
                                 u"新聞雑誌映画音楽美術歴史地理数学科学経済政治社会問題解決"
                                 u"吾輩猫名前無所生見当薄暗湿泣記憶始人間者聞";
    const std::u16string ascii = u"the quick brown fox jumps over 12345 lazy dogs ";
    std::mt19937 rng(2026);
    std::u16string text;
    text.reserve(kFileBytes * 3 / 4);
    std::size_t bytes = 0; // as Shift_JIS
    std::size_t lineLength = 0;
    while (bytes < kFileBytes) {
        const unsigned kind = rng() % 10;
        const unsigned run = 1 + rng() % 6;
        for (unsigned i = 0; i < run; ++i) {
            if (kind < 4) {
                text += static_cast<char16_t>(0x3041 + rng() % 83);
                bytes += 2;
            } else if (kind < 6) {
                text += kanji[rng() % kanji.size()];
                bytes += 2;
            } else if (kind < 7) {
                text += static_cast<char16_t>(0x30A1 + rng() % 86);
                bytes += 2;
            } else if (kind < 9) {
                text += ascii[rng() % ascii.size()];
                bytes += 1;
            } else {
                text += static_cast<char16_t>(0xFF66 + rng() % 56);
                bytes += 1;
            }
        }
        text += (rng() % 3 == 0) ? u"。" : u"、";
        bytes += 2;
        lineLength += run + 1;
        if (lineLength > 40 + rng() % 40) {
            text += u"\r\n";
            bytes += 2;
            lineLength = 0;
        }
    }
    return text;
}

struct Corpus {
    std::filesystem::path folder;
    std::u16string editorText; // CR breaks, as the editor holds it
};

std::u16string u16(const std::filesystem::path& path) {
    const std::string narrow = path.string();
    return std::u16string(narrow.begin(), narrow.end());
}

void writeBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    platform::OutputFile file;
    if (!file.create(u16(path)) || !file.write(bytes) || !file.close()) {
        std::abort();
    }
}

// Writes japanese.sjis, .euc and .utf8 once per run (with the independent conversions of the
// code page and the EUC pivot), and removes them at exit.
const Corpus& corpus() {
    static const Corpus c = [] {
        Corpus made;
        made.folder = std::filesystem::temp_directory_path() / "kiv-codec-bench";
        std::filesystem::create_directories(made.folder);
        const std::u16string text = makeJapaneseText();
        std::vector<std::uint8_t> sjis(
            platform::maxEncodedSize(platform::CodePage::ShiftJis, text.size()));
        sjis.resize(platform::encodeFromUtf16(platform::CodePage::ShiftJis, text, sjis.data()));
        writeBytes(made.folder / "japanese.sjis", sjis);
        std::vector<std::uint8_t> euc(document::sjisToEucSize(sjis));
        document::sjisToEuc(sjis, euc.data());
        writeBytes(made.folder / "japanese.euc", euc);
        std::vector<std::uint8_t> utf8(
            platform::maxEncodedSize(platform::CodePage::Utf8, text.size()));
        utf8.resize(platform::encodeFromUtf16(platform::CodePage::Utf8, text, utf8.data()));
        writeBytes(made.folder / "japanese.utf8", utf8);
        for (char16_t unit : text) {
            if (unit != u'\n') {
                made.editorText.push_back(unit);
            }
        }
        std::atexit([] {
            std::filesystem::remove_all(std::filesystem::temp_directory_path() / "kiv-codec-bench");
        });
        return made;
    }();
    return c;
}

const char* suffixOf(std::int32_t encoding) {
    return encoding == document::ENC_SJIS ? "sjis" : encoding == document::ENC_EUC ? "euc" : "utf8";
}

const char* iconvName(std::int32_t encoding) {
    return encoding == document::ENC_SJIS  ? "CP932"
           : encoding == document::ENC_EUC ? "EUC-JP"
                                           : "UTF-8";
}

std::filesystem::path inputPath(std::int32_t encoding) {
    return corpus().folder / (std::string("japanese.") + suffixOf(encoding));
}

// One whole-buffer iconv conversion; the text holds only characters both sides convert.
std::size_t runIconv(iconv_t cd, const void* in, std::size_t inBytes, void* out,
                     std::size_t outBytes) {
    char* src = const_cast<char*>(static_cast<const char*>(in));
    char* dst = static_cast<char*>(out);
    std::size_t left = outBytes;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &src, &inBytes, &dst, &left) == static_cast<std::size_t>(-1)) {
        std::abort();
    }
    return outBytes - left;
}

void decodeKiv(benchmark::State& state, std::int32_t encoding) {
    const std::u16string path = u16(inputPath(encoding));
    for (auto _ : state) {
        const auto decoded = document::decodeDocumentFile(path, encoding, document::LB_CRLF);
        benchmark::DoNotOptimize(decoded->text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(
        state.iterations() * std::filesystem::file_size(inputPath(encoding))));
}

void decodeIconv(benchmark::State& state, std::int32_t encoding) {
    const std::u16string path = u16(inputPath(encoding));
    iconv_t cd = iconv_open("UTF-16LE", iconvName(encoding));
    for (auto _ : state) {
        document::MappedFile file;
        if (!file.open(path)) {
            std::abort();
        }
        auto out = std::make_unique_for_overwrite<char16_t[]>(file.size());
        benchmark::DoNotOptimize(
            runIconv(cd, file.data().data(), file.size(), out.get(), file.size() * 2));
        benchmark::ClobberMemory();
    }
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<std::int64_t>(
        state.iterations() * std::filesystem::file_size(inputPath(encoding))));
}

void encodeKiv(benchmark::State& state, std::int32_t encoding) {
    const std::u16string& text = corpus().editorText;
    const std::u16string out = u16(corpus().folder / "out.kiv");
    for (auto _ : state) {
        if (!document::encodeDocumentFile(out, text, encoding, document::LB_CRLF)) {
            std::abort();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(
        state.iterations() * std::filesystem::file_size(inputPath(encoding))));
}

void encodeIconv(benchmark::State& state, std::int32_t encoding) {
    const std::u16string& text = corpus().editorText;
    // iconv gets the text with its CR LF breaks already in place.
    std::u16string withBreaks;
    withBreaks.reserve(text.size() * 11 / 10);
    for (char16_t unit : text) {
        withBreaks.push_back(unit);
        if (unit == u'\r') {
            withBreaks.push_back(u'\n');
        }
    }
    iconv_t cd = iconv_open(iconvName(encoding), "UTF-16LE");
    const auto out = corpus().folder / "out.iconv";
    for (auto _ : state) {
        const std::size_t capacity = withBreaks.size() * 3;
        auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
        const std::size_t n =
            runIconv(cd, withBreaks.data(), withBreaks.size() * 2, bytes.get(), capacity);
        writeBytes(out, std::span<const std::uint8_t>(bytes.get(), n));
    }
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<std::int64_t>(
        state.iterations() * std::filesystem::file_size(inputPath(encoding))));
}

} // namespace

BENCHMARK_CAPTURE(decodeKiv, sjis, document::ENC_SJIS)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(decodeIconv, sjis, document::ENC_SJIS)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(decodeKiv, euc, document::ENC_EUC)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(decodeIconv, euc, document::ENC_EUC)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(decodeKiv, utf8, document::ENC_UTF8)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(decodeIconv, utf8, document::ENC_UTF8)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(encodeKiv, sjis, document::ENC_SJIS)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(encodeIconv, sjis, document::ENC_SJIS)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(encodeKiv, euc, document::ENC_EUC)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(encodeIconv, euc, document::ENC_EUC)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(encodeKiv, utf8, document::ENC_UTF8)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(encodeIconv, utf8, document::ENC_UTF8)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

BENCHMARK_MAIN();
