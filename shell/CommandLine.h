#pragma once
// Splitting the program's command line into arguments, the way the editor always has.

#include <string>
#include <string_view>
#include <vector>

namespace shell {

// Splits at blanks outside double quotes. Every double quote toggles the quoting; when an
// argument ends, a quote at its start and a quote just before its end are dropped. The text
// after the last blank is always an argument, so an empty line gives one empty argument and
// two blanks in a row give an empty one between them.
std::vector<std::u16string> ParseCommandLine(std::u16string_view commandLine);

// The command-line text that ParseCommandLine splits back into `arguments`: an argument with
// a blank (or an empty one) is put in double quotes.
std::u16string JoinCommandLine(const std::vector<std::u16string>& arguments);

// True for the option "-nowordwrap" in any letter case.
bool IsNoWordWrapOption(std::u16string_view argument);

} // namespace shell
