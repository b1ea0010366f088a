#include "ReportText.h"

#include "document/LineBreakKind.h"
#include "document/OpenFailure.h"

namespace kivtool {

std::string firstPlace(const document::Occurrences& occurrences) {
    return " (first at line " + std::to_string(occurrences.first.line) + ", column " +
           std::to_string(occurrences.first.column) + ")";
}

std::vector<std::string> describeLosses(const document::DecodeReport& report) {
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

std::vector<std::string> describeChanges(const document::DecodeReport& report,
                                         std::int32_t lineBreak) {
    std::vector<std::string> lines;
    if (report.mixedBreaks()) {
        std::string kinds;
        for (const auto kind : {document::LB_CR, document::LB_LF, document::LB_CRLF}) {
            if ((report.breakKinds & (1u << kind)) != 0) {
                kinds += (kinds.empty() ? "" : ", ") + std::string(document::lineBreakName(kind));
            }
        }
        lines.push_back("mixed line breaks (" + kinds + ")");
    }
    if (report.otherBreaks.any()) {
        lines.push_back(std::to_string(report.otherBreaks.count) + " line breaks become " +
                        std::string(document::lineBreakName(lineBreak)) +
                        firstPlace(report.otherBreaks));
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

std::string cannotOpen(const platform::FileError& error) {
    return "cannot open the file: " + document::openFailureReason(error);
}

} // namespace kivtool
