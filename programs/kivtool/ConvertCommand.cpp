// kivtool convert: reads a file as opening a document does and writes it as saving does.
#include "CommandRegistry.h"
#include "PathArgument.h"
#include "ReportText.h"
#include "document/DocumentDecoder.h"
#include "document/DocumentEncoder.h"
#include "document/EncodeCheck.h"
#include "document/EncodingDetector.h"
#include "document/MappedFile.h"
#include "document/TextEncoding.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kHelp =
    "usage: kivtool convert [--from ENC] --to ENC [--linebreak LB] [--allow-loss] IN OUT\n"
    "\n"
    "Reads IN exactly as kiv opens a document (the encoding is detected unless --from is\n"
    "given; lines end at CR, LF or CR LF) and writes OUT exactly as kiv saves one (the\n"
    "encoding's byte order mark, every line break as LB, none after the last line).\n"
    "ENC is an id 1-10 or a name that 'kivtool detect' prints: ShiftJIS EUC JIS UTF-8-BOM\n"
    "UTF-8 UTF-16BE-BOM UTF-16LE-BOM UTF-16BE UTF-16LE Latin (\"UTF-16\" is UTF-16LE-BOM).\n"
    "LB is 1-3 or CR, LF, CRLF; it defaults to IN's first line break (CRLF when it has none).\n"
    "A conversion that would lose text is refused with exit status 3 and writes nothing: it\n"
    "says how many invalid byte sequences IN holds (each would become U+FFFD), how many of\n"
    "its lines hold a NUL (the rest of such a line is left out) and how many characters\n"
    "OUT's encoding lacks (each would become '?'), and where the first of each is. With\n"
    "--allow-loss it converts all the same and reports the same on stderr. Mixed line breaks\n"
    "are reported but not refused. IN may be OUT. Exit status: 0 converted, 1 a file could not\n"
    "be read or written, 2 a usage error, 3 refused.\n";

struct Options {
    std::int32_t from = document::ENC_NONE;
    std::int32_t to = -1;
    std::int32_t lineBreak = -1;
    bool allowLoss = false;
    const char* in = nullptr;
    const char* out = nullptr;
};

int usageError(const char* message, std::string_view detail = "") {
    std::fprintf(stderr, "kivtool convert: %s%.*s\n(see 'kivtool convert --help')\n", message,
                 static_cast<int>(detail.size()), detail.data());
    return 2;
}

// Parses the arguments; an exit status when they are not usable (or --help was asked).
std::optional<int> parse(std::span<char* const> args, Options& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (arg == "--allow-loss") {
            options.allowLoss = true;
            continue;
        }
        if (arg == "--from" || arg == "--to" || arg == "--linebreak") {
            if (i + 1 == args.size()) {
                return usageError("missing value after ", arg);
            }
            const std::string_view value = args[++i];
            if (arg == "--linebreak") {
                options.lineBreak = document::lineBreakFromName(value);
                if (options.lineBreak < 0) {
                    return usageError("unknown line break: ", value);
                }
                continue;
            }
            const std::int32_t encoding = document::encodingFromName(value);
            if (encoding < 0) {
                return usageError("unknown encoding: ", value);
            }
            (arg == "--from" ? options.from : options.to) = encoding;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError("unknown option: ", arg);
        } else if (options.in == nullptr) {
            options.in = args[i];
        } else if (options.out == nullptr) {
            options.out = args[i];
        } else {
            return usageError("too many files: ", arg);
        }
    }
    if (options.to < 0) {
        return usageError("--to ENC is required");
    }
    if (options.out == nullptr) {
        return usageError("IN and OUT are required");
    }
    return std::nullopt;
}

int runConvert(std::span<char* const> args) {
    Options options;
    if (const std::optional<int> status = parse(args, options)) {
        return *status;
    }
    document::DecodedDocument decoded;
    {
        document::MappedFile file;
        if (!file.open(kivtool::pathArgument(options.in))) {
            std::fprintf(stderr, "kivtool convert: %s: %s\n", options.in,
                         kivtool::cannotOpen(file.error()).c_str());
            return 1;
        }
        std::int32_t lineBreak = document::LB_CRLF;
        if (options.from != document::ENC_NONE) {
            // The encoding is given; the line break is still the file's own.
            lineBreak =
                document::isUtf16(options.from)
                    ? document::EncodingDetector::scanUtf16LineBreak(file.data(), options.from)
                    : document::EncodingDetector::scanLineBreak(file.data());
        }
        decoded = document::decodeDocumentBytes(file.data(), options.from, lineBreak);
        // The bytes are released here, so OUT may be IN.
    }
    const std::int32_t lineBreak = options.lineBreak > 0 ? options.lineBreak : decoded.lineBreak;
    std::vector<std::string> losses;
    for (const std::string& loss : kivtool::describeLosses(decoded.report)) {
        losses.push_back(std::string(options.in) + ": " + loss);
    }
    const document::Occurrences lacking =
        document::findUnencodable(decoded.text, options.to, decoded.spelling);
    for (const std::string& loss : kivtool::describeUnencodable(lacking, options.to)) {
        losses.push_back(loss);
    }
    for (const std::string& loss : losses) {
        std::fprintf(stderr, "kivtool convert: %s\n", loss.c_str());
    }
    if (!losses.empty() && !options.allowLoss) {
        std::fprintf(stderr, "kivtool convert: nothing written; --allow-loss converts all the "
                             "same\n");
        return 3;
    }
    if (decoded.report.mixedBreaks()) {
        std::fprintf(stderr, "kivtool convert: %s: mixed line breaks, all written as %s\n",
                     options.in, std::string(document::lineBreakName(lineBreak)).c_str());
    }
    if (!document::encodeDocumentFile(kivtool::pathArgument(options.out), decoded.text, options.to,
                                      lineBreak, decoded.spelling)) {
        std::fprintf(stderr, "kivtool convert: %s: cannot write the file\n", options.out);
        return 1;
    }
    return 0;
}

const kivtool::CommandRegistration registration{
    "convert",
    "convert [--from ENC] --to ENC [--linebreak LB] [--allow-loss] IN OUT: re-encode a text file",
    runConvert};

} // namespace
