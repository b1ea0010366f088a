#pragma once
// How kivtool words what decoding and encoding report, one line per finding (the wording is
// the editor's own, document/DecodeReportText.h).

#include "document/DecodeReportText.h"
#include "platform/Files.h"

#include <string>

namespace kivtool {

using document::describeChanges;
using document::describeLosses;
using document::describeUnencodable;
using document::firstPlace;

// "cannot open the file: REASON".
std::string cannotOpen(const platform::FileError& error);

} // namespace kivtool
