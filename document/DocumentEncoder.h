#pragma once
// Writes the editor's text (lines separated by CR) to a file the way saving a document does.

#include <cstdint>
#include <string_view>

namespace document {

// Creates (or replaces) the file at `path` and writes `text` in `encoding` (1-10): the byte
// order mark once in front of the first line, every CR replaced by `lineBreak`'s bytes, no
// break after the last line; an empty text writes an empty file. False when the file cannot
// be created or a write fails.
bool encodeDocumentFile(std::u16string_view path, std::u16string_view text, std::int32_t encoding,
                        std::int32_t lineBreak);

} // namespace document
