#include "document/DefaultFiles.h"

#include "platform/ProgramDirectory.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace document {

namespace {

// Copies unless the target exists; failures are not reported (a missing default only means
// the program starts from built-in defaults).
void copyUnlessPresent(const std::string& from, const std::string& to) {
    std::error_code error;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::skip_existing, error);
}

} // namespace

void seedProgramFiles(std::string_view languageTag) {
    const std::string programDir = platform::programDirectory();
    if (programDir.empty())
        return;
    const std::string misc = "misc_.ini";
    const std::string templates = "template_" + std::string(languageTag) + ".ini";
    if (const std::string defaults = platform::defaultFilesDirectory(); !defaults.empty()) {
        copyUnlessPresent(defaults + misc, programDir + misc);
        copyUnlessPresent(defaults + templates, programDir + templates);
    }
    copyUnlessPresent(programDir + misc, programDir + "misc.ini");
    copyUnlessPresent(programDir + templates, programDir + "template.ini");
}

} // namespace document
