#pragma once
// Command-line arguments as the UTF-16 paths the document classes take.

#include <string>
#include <string_view>

namespace kivtool {

// The UTF-16 form of a path given on the command line in the system's UTF-8.
std::u16string pathArgument(std::string_view argument);

} // namespace kivtool
