#pragma once
// Decodes a whole file into the editor's text the way opening a document does: detection in
// Auto mode, then line by line, lines joined with CR, with a report of everything the text
// does not keep of the file.

#include "document/DecodeReport.h"
#include "platform/CodePage932Spelling.h"
#include "platform/Files.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace document {

// Where decoding puts the editor's text as it goes: the units of each line and the CR between
// lines, in order.
class DecodedTextSink {
public:
    virtual ~DecodedTextSink() = default;
    // Appends `units`; false when there is no room for them, which stops decoding.
    virtual bool append(std::u16string_view units) = 0;
    // Drops everything appended: decoding starts again in another encoding.
    virtual void restart() = 0;
};

// Everything decoding learns about a file besides its text.
struct DecodeOutcome {
    std::int32_t encoding = 0;  // the encoding the file was read in
    std::int32_t lineBreak = 0; // the detected line break, or the one passed in
    DecodeReport report;        // what the text lost, and what saving it would write otherwise
    // Which code each character with several was read with: the document keeps it and hands it
    // to saving (encodeDocumentFile, findUnencodable), so that it writes those codes again.
    platform::Cp932Spelling spelling;
    // False when the sink refused units: the text is incomplete.
    bool complete = true;
};

struct DecodedDocument : DecodeOutcome {
    std::u16string text; // lines separated by CR, no break after the last line
};

// Decodes `bytes` into `sink` as decodeDocumentBytes() does, stopping at the first append the
// sink refuses.
DecodeOutcome decodeDocumentInto(std::span<const std::uint8_t> bytes, std::int32_t encoding,
                                 std::int32_t lineBreak, DecodedTextSink& sink);

// Reads the file at `path`. With `encoding` 0 (Auto) the encoding and line break are
// detected; otherwise the file is read in `encoding` and `lineBreak` is passed through.
// Empty when the file cannot be opened or read, or there is no memory for its text; `error`,
// when given, then says why (openFailureMessage() words it for the user).
std::optional<DecodedDocument> decodeDocumentFile(std::u16string_view path, std::int32_t encoding,
                                                  std::int32_t lineBreak,
                                                  platform::FileError* error = nullptr);

// The same for bytes already in memory; throws std::bad_alloc when the text does not fit.
DecodedDocument decodeDocumentBytes(std::span<const std::uint8_t> bytes, std::int32_t encoding,
                                    std::int32_t lineBreak);

} // namespace document
