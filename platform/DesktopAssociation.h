#pragma once
// The desktop's file-type association: which application opens files of a MIME type by
// default, as the desktop's own tools (xdg-mime and the user's mimeapps.list) record it.

#include <string>
#include <string_view>

namespace platform {

// The MIME type the desktop gives files named "*<extension>" (".txt"); empty when unknown.
std::string mimeTypeOfExtension(std::string_view extension);
// Whether the desktop entry `desktopFile` ("kiv.desktop") opens `mimeType` by default now.
bool isDefaultApplication(std::string_view mimeType, std::string_view desktopFile);
// Makes `desktopFile` the default application for `mimeType`; false when the desktop refused.
bool makeDefaultApplication(std::string_view mimeType, std::string_view desktopFile);
// Takes `desktopFile` out of the user's defaults for `mimeType`, so the desktop's own choice
// applies again; nothing changes when it is not the user's default. False when the user's
// association file could not be rewritten.
bool stopBeingDefaultApplication(std::string_view mimeType, std::string_view desktopFile);

} // namespace platform
