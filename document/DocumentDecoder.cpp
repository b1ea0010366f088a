#include "document/DocumentDecoder.h"

#include "document/EncodingDetector.h"
#include "document/LineReader.h"
#include "document/MappedFile.h"

namespace document {

DecodedDocument decodeDocumentBytes(std::span<const std::uint8_t> bytes, std::int32_t encoding,
                                    std::int32_t lineBreak) {
    DecodedDocument result;
    result.lineBreak = lineBreak;
    result.encoding = encoding;
    if (encoding == ENC_NONE) {
        result.encoding = EncodingDetector::detectBytes(bytes, result.lineBreak);
    }
    // No encoding yields more units than bytes, and pages reserved but never written cost
    // no memory, so the text never has to be copied while it grows.
    result.text.reserve(bytes.size());
    LineReader reader;
    reader.attach(bytes, result.encoding);
    bool first = true;
    while (reader.moreLines()) {
        std::u16string_view line = reader.readLine();
        // The editor's text is NUL-terminated: a line ends at its first NUL.
        if (const std::size_t nul = line.find(u'\0'); nul != std::u16string_view::npos) {
            line = line.substr(0, nul);
            ++result.truncatedLines;
        }
        if (!first) {
            result.text.push_back(u'\r');
        }
        first = false;
        result.text.append(line);
    }
    result.replacements = reader.replacements();
    return result;
}

std::optional<DecodedDocument> decodeDocumentFile(std::u16string_view path, std::int32_t encoding,
                                                  std::int32_t lineBreak) {
    MappedFile file;
    if (!file.open(path)) {
        return std::nullopt;
    }
    return decodeDocumentBytes(file.data(), encoding, lineBreak);
}

} // namespace document
