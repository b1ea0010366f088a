#pragma once
// kivtool's subcommands register themselves here, one source file each, so that adding a
// command never touches the others.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kivtool {

// A command gets its arguments after the command name and returns the process exit status.
using CommandFunction = std::function<int(std::span<char* const> args)>;

struct Command {
    std::string name;
    std::string usage; // one line: "name ARGS...: what it does"
    CommandFunction run;
};

std::vector<Command>& commands();

// Registers a command at static-initialisation time; use as
//   static const kivtool::CommandRegistration reg{"detect", "...", runDetect};
struct CommandRegistration {
    CommandRegistration(std::string name, std::string usage, CommandFunction run);
};

} // namespace kivtool
