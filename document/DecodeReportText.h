#pragma once
// How a decode report and the check before saving are worded for people, one line per finding;
// the editor's questions and kivtool's reports say the same things in the same words.

#include "document/DecodeReport.h"
#include "document/TextPlace.h"

#include <cstdint>
#include <string>
#include <vector>

namespace document {

// " (first at line L, column C)".
std::string firstPlace(const Occurrences& occurrences);

// The losses of reading: invalid sequences and lines cut at a NUL; empty when there are none.
std::vector<std::string> describeLosses(const DecodeReport& report);

// The rest of what keeps a save from giving back the file's bytes: mixed or other line breaks,
// respelled places, an added mark; empty when there is none.
std::vector<std::string> describeChanges(const DecodeReport& report, std::int32_t lineBreak);

// Characters saving in `encoding` cannot write as themselves: "NAME lacks N characters, each
// written as '?' (first at ...)"; empty when there are none.
std::vector<std::string> describeUnencodable(const Occurrences& unencodable, std::int32_t encoding);

} // namespace document
