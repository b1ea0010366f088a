// Opening a Shift_JIS document of about 100 MB in the editor's real view to the first painted
// screen (detection, decoding into the load buffer, NEM_SETTEXTBYTES with the layout of word
// wrap, one paint), and saving it again (the check before saving, encoding, writing), against
// glibc iconv converting the same bytes each way in the same run. Compare kivOpen with
// iconvDecode (target at most 1.5x) and kivSave with iconvEncode (at most 2x). kivOpen also
// reports the peak memory the open added, as a multiple of the file's size (target at most 3.5).
#include "document/MappedFile.h"
#include "document/TextEncoding.h"
#include "editctl/NEditMessages.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/TestHooks.h"
#include "shell/CApplication.h"
#include "shell/CMainFrame.h"
#include "support/IconvReference.h"
#include "support/JapaneseText.h"
#include "support/RunWithApplication.h"

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kFileBytes = 100u << 20;

std::filesystem::path folder() {
    return std::filesystem::temp_directory_path() / "kiv-document-bench";
}

std::u16string u16(const std::filesystem::path& path) {
    const std::string narrow = path.string();
    return {narrow.begin(), narrow.end()};
}

std::filesystem::path sjisPath() {
    return folder() / "japanese.sjis";
}

void writeBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    platform::OutputFile file;
    if (!file.create(u16(path)) || !file.write(bytes) || !file.close())
        std::abort();
}

std::unique_ptr<shell::CApplication>& program() {
    static std::unique_ptr<shell::CApplication> app;
    return app;
}

// The editor program, started once in a program folder of its own; the file written once.
shell::CApplication& editor() {
    std::unique_ptr<shell::CApplication>& app = program();
    if (app == nullptr) {
        std::filesystem::create_directories(folder() / "program");
        std::filesystem::create_directories(folder() / "run");
        std::filesystem::permissions(folder() / "run", std::filesystem::perms::owner_all);
        setenv("KIV_PROGRAM_DIR", (folder() / "program/").c_str(), 1);
        setenv("KIV_RUNTIME_DIR", (folder() / "run").c_str(), 1);
        std::ofstream(folder() / "program/kiv.ini") << "[init]\nfirst=1\n";
        {
            const std::u16string text =
                bench::makeJapaneseText(2026, u"", kFileBytes, bench::TextMeasure::ShiftJisBytes);
            std::vector<std::uint8_t> sjis(
                platform::maxEncodedSize(platform::CodePage::ShiftJis, text.size()));
            sjis.resize(platform::encodeFromUtf16(platform::CodePage::ShiftJis, text, sjis.data()));
            writeBytes(sjisPath(), sjis);
        }
        auto made = std::make_unique<shell::CApplication>(u"");
        if (!made->InitInstance())
            std::abort();
        platform::test::pumpMessages();
        std::atexit([] { std::filesystem::remove_all(folder()); });
        app = std::move(made);
    }
    return *app;
}

shell::CMainView& view() {
    return editor().Frame()->View();
}

// The resident and peak resident memory of this process, in bytes.
std::size_t statusBytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field + ":"))
            return std::stoull(line.substr(field.size() + 1)) * 1024;
    }
    return 0;
}

void kivOpen(benchmark::State& state) {
    shell::CMainView& v = view();
    const std::u16string path = u16(sjisPath());
    const HWND edit = v.Editor().hwnd();
    double peakRatio = 0;
    for (auto _ : state) {
        state.PauseTiming();
        v.Editor().SetText(u"");
        platform::test::pumpMessages();
        // Peak resident memory counts from here.
        std::ofstream("/proc/self/clear_refs") << "5";
        const std::size_t before = statusBytes("VmRSS");
        state.ResumeTiming();
        if (!v.Open(path, shell::CMainView::OpenMode::Menu) || v.Encoding() != document::ENC_SJIS)
            std::abort();
        UpdateWindow(edit);
        state.PauseTiming();
        peakRatio = static_cast<double>(statusBytes("VmHWM") - before) /
                    static_cast<double>(std::filesystem::file_size(sjisPath()));
        platform::test::pumpMessages();
        state.ResumeTiming();
    }
    state.counters["peak_over_file"] = peakRatio;
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(sjisPath())));
}

void iconvDecode(benchmark::State& state) {
    editor();
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    for (auto _ : state) {
        document::MappedFile file;
        if (!file.open(u16(sjisPath())))
            std::abort();
        auto out = std::make_unique_for_overwrite<char16_t[]>(file.size());
        benchmark::DoNotOptimize(
            bench::runIconv(cd, file.data().data(), file.size(), out.get(), file.size() * 2));
        benchmark::ClobberMemory();
    }
    iconv_close(cd);
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(sjisPath())));
}

void kivSave(benchmark::State& state) {
    shell::CMainView& v = view();
    if (!v.Open(u16(sjisPath()), shell::CMainView::OpenMode::Menu))
        std::abort();
    const std::u16string out = u16(folder() / "saved.sjis");
    for (auto _ : state) {
        if (!v.Save(out))
            std::abort();
        platform::test::pumpMessages();
    }
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(sjisPath())));
}

void iconvEncode(benchmark::State& state) {
    shell::CMainView& v = view();
    if (!v.Open(u16(sjisPath()), shell::CMainView::OpenMode::Menu))
        std::abort();
    // iconv gets the text with its CR LF breaks already in place.
    std::u16string text;
    for (const char16_t* unit = v.Editor().GetBuffer(); *unit != u'\0'; ++unit) {
        text.push_back(*unit);
        if (*unit == u'\r')
            text.push_back(u'\n');
    }
    iconv_t cd = iconv_open("CP932", "UTF-16LE");
    for (auto _ : state) {
        const std::size_t capacity = text.size() * 2;
        auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
        const std::size_t n =
            bench::runIconv(cd, text.data(), text.size() * 2, bytes.get(), capacity);
        writeBytes(folder() / "saved.iconv", std::span<const std::uint8_t>(bytes.get(), n));
    }
    iconv_close(cd);
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(sjisPath())));
}

} // namespace

// Wall-clock time: the layout of a large text uses every processor.
BENCHMARK(kivOpen)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(iconvDecode)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(kivSave)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(iconvEncode)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    return bench::runWithApplication(argc, argv, [] { program().reset(); });
}
