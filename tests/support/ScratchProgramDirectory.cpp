#include "support/ScratchProgramDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

void remember(const char* name, std::string& value, bool& had) {
    const char* old = std::getenv(name);
    had = old != nullptr;
    if (had)
        value = old;
}

void restore(const char* name, const std::string& value, bool had) {
    if (had)
        setenv(name, value.c_str(), 1);
    else
        unsetenv(name);
}

} // namespace

ScratchProgramDirectory::ScratchProgramDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kiv-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a scratch folder");
    root_ = pattern + "/";
    programDir_ = root_ + "program/";
    std::filesystem::create_directories(programDir_);
    std::filesystem::create_directory(root_ + "run");
    std::filesystem::permissions(root_ + "run", std::filesystem::perms::owner_all);
    remember("KIV_PROGRAM_DIR", oldProgramDir_, hadProgramDir_);
    remember("KIV_RUNTIME_DIR", oldRuntimeDir_, hadRuntimeDir_);
    setenv("KIV_PROGRAM_DIR", programDir_.c_str(), 1);
    setenv("KIV_RUNTIME_DIR", (root_ + "run").c_str(), 1);
}

ScratchProgramDirectory::~ScratchProgramDirectory() {
    restore("KIV_PROGRAM_DIR", oldProgramDir_, hadProgramDir_);
    restore("KIV_RUNTIME_DIR", oldRuntimeDir_, hadRuntimeDir_);
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void ScratchProgramDirectory::writeFile(const std::string& name, const std::string& bytes) const {
    std::ofstream out(programDir_ + name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ScratchProgramDirectory::readFile(const std::string& name) const {
    std::ifstream in(programDir_ + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool ScratchProgramDirectory::exists(const std::string& name) const {
    return std::filesystem::exists(programDir_ + name);
}
