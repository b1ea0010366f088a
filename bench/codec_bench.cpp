// Opening and saving a document of about 100 MB, the way the editor does it (map the file,
// read it line by line into one UTF-16 text with CR breaks; write it back line by line with
// CR LF breaks), against glibc iconv converting the same file in the same run. Compare each
// kiv row with the iconv row of the same encoding and direction. The auto rows open the file
// with detection (the encoding confirmed on the whole file), the check rows run the check
// before saving over the whole text.
#include "document/DocumentDecoder.h"
#include "document/DocumentEncoder.h"
#include "document/EncodeCheck.h"
#include "document/EucSjisConverter.h"
#include "document/MappedFile.h"
#include "document/TextEncoding.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "support/IconvReference.h"
#include "support/JapaneseText.h"

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kFileBytes = 100u << 20; // the Shift_JIS file; the others follow from it

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
        const std::u16string text =
            bench::makeJapaneseText(2026, u"", kFileBytes, bench::TextMeasure::ShiftJisBytes);
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

void decodeKiv(benchmark::State& state, std::int32_t encoding) {
    const std::u16string path = u16(inputPath(encoding));
    for (auto _ : state) {
        const auto decoded = document::decodeDocumentFile(path, encoding, document::LB_CRLF);
        benchmark::DoNotOptimize(decoded->text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(
        state.iterations() * std::filesystem::file_size(inputPath(encoding))));
}

void decodeKivAuto(benchmark::State& state, std::int32_t encoding) {
    const std::u16string path = u16(inputPath(encoding));
    for (auto _ : state) {
        const auto decoded = document::decodeDocumentFile(path, document::ENC_NONE, 0);
        if (decoded->encoding != encoding) {
            std::abort();
        }
        benchmark::DoNotOptimize(decoded->text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(
        state.iterations() * std::filesystem::file_size(inputPath(encoding))));
}

void checkKiv(benchmark::State& state, std::int32_t encoding) {
    const std::u16string& text = corpus().editorText;
    for (auto _ : state) {
        benchmark::DoNotOptimize(document::findUnencodable(text, encoding).count);
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
            bench::runIconv(cd, file.data().data(), file.size(), out.get(), file.size() * 2));
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
            bench::runIconv(cd, withBreaks.data(), withBreaks.size() * 2, bytes.get(), capacity);
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

BENCHMARK_CAPTURE(decodeKivAuto, sjis, document::ENC_SJIS)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(decodeKivAuto, euc, document::ENC_EUC)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(decodeKivAuto, utf8, document::ENC_UTF8)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(checkKiv, sjis, document::ENC_SJIS)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(checkKiv, euc, document::ENC_EUC)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
