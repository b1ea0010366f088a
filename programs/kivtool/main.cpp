// kivtool: kiv's command-line companion for scripts, on the editor's own code.
#include "CommandRegistry.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <span>

namespace {

void printUsage(std::FILE* to) {
    std::fprintf(to, "usage: kivtool COMMAND [ARGS...]\n\ncommands:\n");
    auto all = kivtool::commands();
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    for (const auto& command : all) {
        std::fprintf(to, "  %s\n", command.usage.c_str());
    }
    std::fprintf(to, "\n'kivtool COMMAND --help' explains one command.\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        printUsage(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    for (const auto& command : kivtool::commands()) {
        if (command.name == argv[1]) {
            return command.run(std::span<char* const>(argv + 2, static_cast<std::size_t>(argc - 2)));
        }
    }
    std::fprintf(stderr, "kivtool: unknown command '%s'\n", argv[1]);
    printUsage(stderr);
    return 2;
}
