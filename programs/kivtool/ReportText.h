#pragma once
// How kivtool words what decoding and encoding report, one line per finding.

#include "document/DecodeReport.h"
#include "document/TextPlace.h"
#include "platform/Files.h"

#include <string>
#include <vector>

namespace kivtool {

// " (first at line L, column C)".
std::string firstPlace(const document::Occurrences& occurrences);

// The losses of reading: invalid sequences and lines cut at a NUL; empty when there are none.
std::vector<std::string> describeLosses(const document::DecodeReport& report);

// The rest of what keeps a save from giving back the file's bytes: mixed or other line breaks,
// respelled places, an added mark; empty when there is none.
std::vector<std::string> describeChanges(const document::DecodeReport& report,
                                         std::int32_t lineBreak);

// "cannot open the file: REASON".
std::string cannotOpen(const platform::FileError& error);

} // namespace kivtool
