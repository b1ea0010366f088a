#include "document/DecodeReportText.h"

#include "document/LineBreakKind.h"
#include "document/TextEncoding.h"

namespace document {

std::string firstPlace(const Occurrences& occurrences) {
    return " (first at line " + std::to_string(occurrences.first.line) + ", column " +
           std::to_string(occurrences.first.column) + ")";
}

std::vector<std::string> describeLosses(const DecodeReport& report) {
    std::vector<std::string> lines;
    if (report.replaced.any()) {
        lines.push_back(std::to_string(report.replaced.count) +
                        " invalid byte sequences, each read as U+FFFD" +
                        firstPlace(report.replaced));
    }
    if (report.nulCuts.any()) {
        lines.push_back(std::to_string(report.nulCuts.count) +
                        " lines hold a NUL; the rest of each is left out" +
                        firstPlace(report.nulCuts));
    }
    return lines;
}

std::vector<std::string> describeChanges(const DecodeReport& report, std::int32_t lineBreak) {
    std::vector<std::string> lines;
    if (report.mixedBreaks()) {
        std::string kinds;
        for (const auto kind : {LB_CR, LB_LF, LB_CRLF}) {
            if ((report.breakKinds & (1u << kind)) != 0) {
                kinds += (kinds.empty() ? "" : ", ") + std::string(lineBreakName(kind));
            }
        }
        lines.push_back("mixed line breaks (" + kinds + ")");
    }
    if (report.otherBreaks.any()) {
        lines.push_back(std::to_string(report.otherBreaks.count) + " line breaks become " +
                        std::string(lineBreakName(lineBreak)) + firstPlace(report.otherBreaks));
    }
    if (report.respelled.any()) {
        lines.push_back(std::to_string(report.respelled.count) +
                        " places are written back with other bytes for the same characters" +
                        firstPlace(report.respelled));
    }
    if (report.markRewritten) {
        lines.push_back("the byte order mark is written otherwise (added, or dropped with an "
                        "empty text)");
    }
    return lines;
}

std::vector<std::string> describeUnencodable(const Occurrences& unencodable,
                                             std::int32_t encoding) {
    if (!unencodable.any()) {
        return {};
    }
    return {std::string(encodingName(encoding)) + " lacks " + std::to_string(unencodable.count) +
            " characters, each written as '?'" + firstPlace(unencodable)};
}

} // namespace document
