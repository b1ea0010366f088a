// kivtool detect: the encoding and line break that opening each file in Auto mode would use.
#include "CommandRegistry.h"
#include "PathArgument.h"
#include "document/EncodingDetector.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* kHelp =
    "usage: kivtool detect FILE...\n"
    "\n"
    "Prints, for each FILE, the encoding and line break that kiv detects when it opens the\n"
    "file in Auto mode, by name and id, for example:\n"
    "  notes.txt: ShiftJIS(1) CRLF(3)\n"
    "Encodings: ShiftJIS(1) EUC(2) JIS(3) UTF-8-BOM(4) UTF-8(5) UTF-16BE-BOM(6)\n"
    "UTF-16LE-BOM(7) UTF-16BE(8) UTF-16LE(9) Latin(10); line breaks: CR(1) LF(2) CRLF(3).\n"
    "A file that cannot be opened is reported on stderr and the exit status is 1.\n";

int runDetect(std::span<char* const> args) {
    if (args.empty()) {
        std::fputs(kHelp, stderr);
        return 2;
    }
    if (std::strcmp(args[0], "--help") == 0 || std::strcmp(args[0], "-h") == 0) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    int status = 0;
    for (const char* file : args) {
        std::int32_t lineBreak = 0;
        const std::int32_t encoding =
            document::EncodingDetector::detect(kivtool::pathArgument(file), lineBreak);
        if (encoding == document::ENC_NONE) {
            std::fprintf(stderr, "kivtool detect: %s: cannot open the file\n", file);
            status = 1;
            continue;
        }
        const std::string encodingName(document::encodingName(encoding));
        const std::string lineBreakName(document::lineBreakName(lineBreak));
        std::printf("%s: %s(%d) %s(%d)\n", file, encodingName.c_str(), encoding,
                    lineBreakName.c_str(), lineBreak);
    }
    return status;
}

const kivtool::CommandRegistration registration{
    "detect", "detect FILE...: print each file's detected encoding and line break", runDetect};

} // namespace
