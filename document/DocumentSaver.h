#pragma once
// Saving a document in one call: the editor's text (lines separated by CR) is encoded in the
// document's encoding and line break and written through a ReplacingFile, so a failed save
// never leaves the old file damaged and never passes for a saved one.

#include "platform/CodePage932Spelling.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace document {

struct SaveResult {
    bool saved = false;
    std::u16string failedPath; // the file the system refused (a symbolic link's target)
    std::u16string reason;     // the system's words for why ("Permission denied")

    explicit operator bool() const { return saved; }
};

// Writes `text` to `path` the way encodeDocumentFile() does (byte order mark once, every CR as
// `lineBreak`'s bytes, no break after the last line, '?' for characters the encoding lacks),
// replacing the file only once the whole content is on disk. On failure the file at `path`
// keeps its previous content and the result names the path and the reason.
SaveResult saveDocumentFile(std::u16string_view path, std::u16string_view text,
                            std::int32_t encoding, std::int32_t lineBreak,
                            const platform::Cp932Spelling& spelling = platform::Cp932Spelling{});

} // namespace document
