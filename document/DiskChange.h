#pragma once
// Whether another program changed or removed the document's file since this copy opened or
// last saved it: the file's identity, size and modification time are remembered then and
// compared before the next save.

#include "platform/FileStamp.h"

#include <optional>
#include <string>
#include <string_view>

namespace document {

class DiskChange {
public:
    enum class State {
        Unchanged, // the file is as it was remembered (or nothing was remembered)
        Changed,   // another file stands there now, or its size or modification time moved
        Removed,   // no file is there any more
    };

    // Remembers the file at `path` as it is now (after a successful open or save); a path with
    // no file behind it remembers nothing.
    void remember(std::u16string_view path);
    // Forgets what was remembered (a new, untitled document).
    void forget();
    // How the file at `path` compares with what was remembered for that same path; Unchanged
    // when nothing was remembered for it.
    State check(std::u16string_view path) const;

private:
    std::u16string path_;
    std::optional<platform::FileStamp> stamp_;
};

} // namespace document
