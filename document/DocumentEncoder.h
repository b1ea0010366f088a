#pragma once
// Writes the editor's text (lines separated by CR) to a file the way saving a document does.

#include "platform/CodePage932Spelling.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace document {

// Creates (or replaces) the file at `path` and writes `text` in `encoding` (1-10): the byte
// order mark once in front of the first line, every CR replaced by `lineBreak`'s bytes, no
// break after the last line; an empty text writes an empty file. Characters with several
// code page 932 codes are written with the ones `spelling` (the document's, from decoding)
// kept. False when the file cannot be created or a write fails. Characters the encoding lacks
// become '?': findUnencodable() finds them first, without writing anything.
bool encodeDocumentFile(std::u16string_view path, std::u16string_view text, std::int32_t encoding,
                        std::int32_t lineBreak,
                        const platform::Cp932Spelling& spelling = platform::Cp932Spelling{});

// Hands the bytes encodeDocumentFile() writes to `sink`, piece by piece in order; stops at the
// first piece the sink refuses and returns false then.
bool encodeDocumentTo(std::u16string_view text, std::int32_t encoding, std::int32_t lineBreak,
                      const platform::Cp932Spelling& spelling,
                      const std::function<bool(std::span<const std::uint8_t>)>& sink);

// The bytes encodeDocumentFile() writes, in memory.
std::vector<std::uint8_t>
encodeDocumentBytes(std::u16string_view text, std::int32_t encoding, std::int32_t lineBreak,
                    const platform::Cp932Spelling& spelling = platform::Cp932Spelling{});

} // namespace document
