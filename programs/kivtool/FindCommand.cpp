// kivtool find: searches a file the way Find and Find Up do in the editor.
#include "CommandRegistry.h"
#include "ReportText.h"

#include "document/DocumentDecoder.h"
#include "platform/CodePage.h"
#include "search/TextMatcher.h"

#include <charconv>
#include <memory>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kUsage =
    "find [--regex] [--ignore-case] [--backward] [--from N] [--all] PATTERN FILE: "
    "prints START END of the first match (character indices, end exclusive)";

struct FindOptions {
    bool regex = false;
    bool ignoreCase = false;
    bool backward = false;
    bool all = false;
    std::optional<std::size_t> from;
    std::u16string pattern;
    std::u16string path;
};

std::u16string fromUtf8(std::string_view bytes) {
    std::u16string out(bytes.size(), u'\0');
    const std::size_t units = platform::decodeToUtf16(
        platform::CodePage::Utf8,
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), out.data());
    out.resize(units);
    return out;
}

int usageError(const char* message) {
    std::fprintf(stderr, "kivtool find: %s\nusage: kivtool %s\n", message, kUsage);
    return 2;
}

int runFind(std::span<char* const> args) {
    FindOptions options;
    std::vector<std::string_view> operands;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            std::printf("usage: kivtool %s\n", kUsage);
            return 0;
        }
        if (arg == "--regex") {
            options.regex = true;
        } else if (arg == "--ignore-case") {
            options.ignoreCase = true;
        } else if (arg == "--backward") {
            options.backward = true;
        } else if (arg == "--all") {
            options.all = true;
        } else if (arg == "--from") {
            if (i + 1 >= args.size()) {
                return usageError("--from needs a number");
            }
            const std::string_view number = args[++i];
            std::size_t value = 0;
            const auto [end, error] =
                std::from_chars(number.data(), number.data() + number.size(), value);
            if (error != std::errc() || end != number.data() + number.size()) {
                return usageError("--from needs a non-negative number");
            }
            options.from = value;
        } else if (arg == "--") {
            operands.insert(operands.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                            args.end());
            break;
        } else if (arg.size() > 1 && arg[0] == '-' && operands.empty()) {
            return usageError("unknown option");
        } else {
            operands.push_back(arg);
        }
    }
    if (operands.size() != 2) {
        return usageError("expected PATTERN and FILE");
    }
    if (options.all && options.backward) {
        return usageError("--all searches forward only");
    }
    options.pattern = fromUtf8(operands[0]);
    options.path = fromUtf8(operands[1]);

    platform::FileError error;
    const auto document = document::decodeDocumentFile(options.path, 0, 0, &error);
    if (!document) {
        std::fprintf(stderr, "kivtool find: %.*s: %s\n", static_cast<int>(operands[1].size()),
                     operands[1].data(), kivtool::cannotOpen(error).c_str());
        return 2;
    }
    const std::u16string_view text = document->text;
    const std::unique_ptr<search::TextMatcher> matcher = search::MakeTextMatcher(options.regex);
    matcher->ignoreCase = options.ignoreCase ? 1 : 0;
    if (!matcher->Compile(options.pattern)) {
        std::fprintf(stderr, "kivtool find: the pattern is too large to compile\n");
        return 2;
    }
    const bool forward = !options.backward;
    std::size_t from = options.from.value_or(forward ? 0 : text.size());

    bool found = false;
    for (;;) {
        std::size_t start = from;
        std::size_t end = 0;
        if (!matcher->Find(forward, text, start, end)) {
            break;
        }
        found = true;
        std::printf("%zu %zu\n", start, end);
        if (!options.all) {
            break;
        }
        // The next search starts at the match's end, one past it for an empty match, so the
        // loop always moves on.
        from = end > start ? end : end + 1;
        if (from > text.size()) {
            break;
        }
    }
    return found ? 0 : 1;
}

const kivtool::CommandRegistration registration{"find", kUsage, runFind};

} // namespace
