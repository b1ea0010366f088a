#include "ReportText.h"

#include "document/OpenFailure.h"

namespace kivtool {

std::string cannotOpen(const platform::FileError& error) {
    return "cannot open the file: " + document::openFailureReason(error);
}

} // namespace kivtool
