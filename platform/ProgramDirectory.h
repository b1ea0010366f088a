#pragma once
// The program's own folder: where its INI and list files live. On a desktop that is a per-user
// folder rather than the folder of the executable.

#include <string>

namespace platform {

// The program directory ending in '/' as UTF-8: KIV_PROGRAM_DIR, else $XDG_CONFIG_HOME/kiv, else
// $HOME/.config/kiv; created when missing. Read afresh on every call, so a test can switch it.
std::string programDirectory();

// The folder holding the default files that ship with the program ("misc_.ini", ...), ending
// in '/': <executable>/../share/kiv/ when installed, else the source tree's copy. Empty when
// neither exists.
std::string defaultFilesDirectory();

// The running program file's own path; empty when the system does not say.
std::string executablePath();

} // namespace platform
