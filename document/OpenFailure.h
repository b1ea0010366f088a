#pragma once
// What the user is told when a file cannot be opened: the editor's message with the path, and
// on a line of its own why, in the system's words where the system refused.

#include "platform/Files.h"

#include <string>
#include <string_view>

namespace document {

// Why the file could not be read, as one sentence ("Permission denied.", "It is a folder, not
// a file.", ...).
std::string openFailureReason(const platform::FileError& error);

// The text of the message box: "Can't open the file.\r\n", the path and "\r\n" with the reason;
// "Out of memory.\r\n" and the path when the text did not fit in memory.
std::u16string openFailureMessage(std::u16string_view path, const platform::FileError& error);

} // namespace document
