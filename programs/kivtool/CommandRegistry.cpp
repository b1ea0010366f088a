#include "CommandRegistry.h"

namespace kivtool {

std::vector<Command>& commands() {
    static std::vector<Command> all;
    return all;
}

CommandRegistration::CommandRegistration(std::string name, std::string usage, CommandFunction run) {
    commands().push_back(Command{std::move(name), std::move(usage), std::move(run)});
}

} // namespace kivtool
