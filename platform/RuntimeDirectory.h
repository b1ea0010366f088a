#pragma once
// Where this user's named kernel objects live: lock files and local sockets. Tests point it at
// a temporary folder with KIV_RUNTIME_DIR.

#include <string>
#include <string_view>

namespace platform {

// The per-user runtime folder ending in '/': KIV_RUNTIME_DIR, else $XDG_RUNTIME_DIR/kiv, else
// /tmp/kiv-<uid>; created with mode 0700 when missing. Empty when no folder that only this user
// can reach is available (a symbolic link, another owner or open permissions are refused).
std::string runtimeDirectory();

// A file-system-safe name (no '/', at most ~80 bytes) for the object `name` inside `scope`:
// different (scope, name) pairs give different names, equal pairs the same one.
std::string namedObjectFileName(std::string_view scope, std::string_view name);

} // namespace platform
