#pragma once
// A temporary program directory and runtime folder for one test: KIV_PROGRAM_DIR and
// KIV_RUNTIME_DIR point into a fresh folder that is removed afterwards, so named objects and
// list files never meet those of another test or of a running editor.

#include <string>

class ScratchProgramDirectory {
public:
    ScratchProgramDirectory();
    ~ScratchProgramDirectory();
    ScratchProgramDirectory(const ScratchProgramDirectory&) = delete;
    ScratchProgramDirectory& operator=(const ScratchProgramDirectory&) = delete;

    // The program directory, ending in '/'.
    const std::string& programDir() const { return programDir_; }
    // The scratch root, ending in '/' (for other files a test needs).
    const std::string& root() const { return root_; }
    // Writes `bytes` to programDir() + name.
    void writeFile(const std::string& name, const std::string& bytes) const;
    // The bytes of programDir() + name; empty when missing.
    std::string readFile(const std::string& name) const;
    // Whether programDir() + name exists.
    bool exists(const std::string& name) const;

private:
    std::string root_;
    std::string programDir_;
    std::string oldProgramDir_;
    std::string oldRuntimeDir_;
    bool hadProgramDir_ = false;
    bool hadRuntimeDir_ = false;
};
