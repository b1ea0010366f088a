#pragma once
// The files a fresh program directory starts from.

#include <string_view>

namespace document {

// Copies the shipped default files ("misc_.ini", "template_<tag>.ini") into the program
// directory, then "misc_.ini" to "misc.ini" and "template_<tag>.ini" to "template.ini"; every
// copy happens only when its target is missing, so nothing the user has is ever replaced.
void seedProgramFiles(std::string_view languageTag);

} // namespace document
