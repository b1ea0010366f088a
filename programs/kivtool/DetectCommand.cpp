// kivtool detect: the encoding and line break that opening each file in Auto mode would use.
#include "CommandRegistry.h"
#include "PathArgument.h"
#include "ReportText.h"
#include "document/DocumentDecoder.h"
#include "document/MappedFile.h"
#include "document/TextEncoding.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kHelp =
    "usage: kivtool detect FILE...\n"
    "\n"
    "Prints, for each FILE, the encoding and line break that kiv detects when it opens the\n"
    "file in Auto mode, by name and id, for example:\n"
    "  notes.txt: ShiftJIS(1) CRLF(3)\n"
    "Encodings: ShiftJIS(1) EUC(2) JIS(3) UTF-8-BOM(4) UTF-8(5) UTF-16BE-BOM(6)\n"
    "UTF-16LE-BOM(7) UTF-16BE(8) UTF-16LE(9) Latin(10); line breaks: CR(1) LF(2) CRLF(3).\n"
    "When opening the file would not keep every byte of it, indented lines follow that say\n"
    "why, for example:\n"
    "  not clean: 2 lines hold a NUL; the rest of each is left out (first at line 4, column 7)\n"
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
    for (const char* path : args) {
        document::MappedFile file;
        if (!file.open(kivtool::pathArgument(path))) {
            std::fprintf(stderr, "kivtool detect: %s: %s\n", path,
                         kivtool::cannotOpen(file.error()).c_str());
            status = 1;
            continue;
        }
        const document::DecodedDocument decoded =
            document::decodeDocumentBytes(file.data(), document::ENC_NONE, 0);
        const std::string encodingName(document::encodingName(decoded.encoding));
        const std::string lineBreakName(document::lineBreakName(decoded.lineBreak));
        std::printf("%s: %s(%d) %s(%d)\n", path, encodingName.c_str(), decoded.encoding,
                    lineBreakName.c_str(), decoded.lineBreak);
        std::vector<std::string> findings = kivtool::describeLosses(decoded.report);
        const std::vector<std::string> changes =
            kivtool::describeChanges(decoded.report, decoded.lineBreak);
        findings.insert(findings.end(), changes.begin(), changes.end());
        for (const std::string& finding : findings) {
            std::printf("  not clean: %s\n", finding.c_str());
        }
    }
    return status;
}

const kivtool::CommandRegistration registration{
    "detect", "detect FILE...: print each file's detected encoding and line break", runDetect};

} // namespace
