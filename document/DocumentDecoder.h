#pragma once
// Decodes a whole file into the editor's text the way opening a document does: detection in
// Auto mode, then line by line, lines joined with CR.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace document {

struct DecodedDocument {
    std::u16string text;            // lines separated by CR, no break after the last line
    std::int32_t encoding = 0;      // the encoding the file was read in
    std::int32_t lineBreak = 0;     // the detected line break, or the one passed in
    std::size_t replacements = 0;   // invalid byte sequences that became U+FFFD
    std::size_t truncatedLines = 0; // lines holding a NUL; the text after it was left out
};

// Reads the file at `path`. With `encoding` 0 (Auto) the encoding and line break are
// detected; otherwise the file is read in `encoding` and `lineBreak` is passed through.
// Empty when the file cannot be opened or mapped.
std::optional<DecodedDocument> decodeDocumentFile(std::u16string_view path, std::int32_t encoding,
                                                  std::int32_t lineBreak);

// The same for bytes already in memory.
DecodedDocument decodeDocumentBytes(std::span<const std::uint8_t> bytes, std::int32_t encoding,
                                    std::int32_t lineBreak);

} // namespace document
