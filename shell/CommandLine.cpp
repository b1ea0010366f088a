#include "shell/CommandLine.h"

namespace shell {

namespace {

std::u16string trimQuotes(std::u16string_view argument) {
    if (!argument.empty() && argument.front() == u'"')
        argument.remove_prefix(1);
    if (!argument.empty() && argument.back() == u'"')
        argument.remove_suffix(1);
    return std::u16string(argument);
}

char16_t lowerAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

} // namespace

std::vector<std::u16string> ParseCommandLine(std::u16string_view commandLine) {
    std::vector<std::u16string> arguments;
    bool inQuotes = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < commandLine.size(); ++i) {
        if (commandLine[i] == u'"') {
            inQuotes = !inQuotes;
        } else if (commandLine[i] == u' ' && !inQuotes) {
            arguments.push_back(trimQuotes(commandLine.substr(start, i - start)));
            start = i + 1;
        }
    }
    arguments.push_back(trimQuotes(commandLine.substr(start)));
    return arguments;
}

std::u16string JoinCommandLine(const std::vector<std::u16string>& arguments) {
    std::u16string line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0)
            line += u' ';
        const std::u16string& argument = arguments[i];
        const bool quote = argument.empty() || argument.find(u' ') != std::u16string::npos;
        line += quote ? u'"' + argument + u'"' : argument;
    }
    return line;
}

bool IsNoWordWrapOption(std::u16string_view argument) {
    constexpr std::u16string_view option = u"-nowordwrap";
    if (argument.size() != option.size())
        return false;
    for (std::size_t i = 0; i < option.size(); ++i) {
        if (lowerAscii(argument[i]) != option[i])
            return false;
    }
    return true;
}

} // namespace shell
