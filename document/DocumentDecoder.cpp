#include "document/DocumentDecoder.h"

#include "document/EncodingDetector.h"
#include "document/LineEncoder.h"
#include "document/LineReader.h"
#include "document/MappedFile.h"
#include "document/TextEncoding.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace document {

namespace {

// Whether saving `line` in ISO-2022-JP writes back `bytes`, the line as read: the escape
// sequences of a line are only known to come back by writing them.
bool jisWritesBack(LineEncoder& encoder, std::u16string_view line,
                   std::span<const std::uint8_t> bytes) {
    const std::span<const std::uint8_t> written =
        line.empty() ? std::span<const std::uint8_t>{} : encoder.encode(ENC_JIS, line);
    return std::ranges::equal(written, bytes);
}

} // namespace

DecodedDocument decodeDocumentBytes(std::span<const std::uint8_t> bytes, std::int32_t encoding,
                                    std::int32_t lineBreak) {
    DecodedDocument result;
    result.lineBreak = lineBreak;
    result.encoding = encoding;
    if (encoding == ENC_NONE) {
        result.encoding = EncodingDetector::detectBytes(bytes, result.lineBreak);
    }
    DecodeReport& report = result.report;
    // No encoding yields more units than bytes, and pages reserved but never written cost
    // no memory, so the text never has to be copied while it grows.
    result.text.reserve(bytes.size());
    LineReader reader;
    reader.attach(bytes, result.encoding);
    reader.noteSpelling(&result.spelling);
    LineEncoder jisEncoder;
    jisEncoder.setSpelling(&result.spelling);
    const bool jis = result.encoding == ENC_JIS;
    std::size_t lineNumber = 0;
    while (reader.moreLines()) {
        std::u16string_view line = reader.readLine();
        const LineReader::LineFacts& facts = reader.lastLine();
        ++lineNumber;
        // The editor's text is NUL-terminated: a line ends at its first NUL.
        if (const std::size_t nul = line.find(u'\0'); nul != std::u16string_view::npos) {
            line = line.substr(0, nul);
            report.nulCuts.add({lineNumber, nul + 1});
        }
        report.replaced.add({lineNumber, facts.decoded.firstReplacement + 1},
                            facts.decoded.replacements);
        if (jis) {
            if (!jisWritesBack(jisEncoder, line, facts.bytes)) {
                report.respelled.add({lineNumber, 1});
            }
        } else {
            report.respelled.add({lineNumber, facts.decoded.firstRespelling + 1},
                                 facts.decoded.respellings);
        }
        if (facts.lineBreak != 0) {
            report.breakKinds |= 1u << facts.lineBreak;
            if (facts.lineBreak != result.lineBreak) {
                report.otherBreaks.add({lineNumber, line.size() + 1});
            }
        }
        if (lineNumber != 1) {
            result.text.push_back(u'\r');
        }
        result.text.append(line);
    }
    const std::span<const std::uint8_t> mark = byteOrderMark(result.encoding);
    const bool marked = !mark.empty() && bytes.size() >= mark.size() &&
                        std::memcmp(bytes.data(), mark.data(), mark.size()) == 0;
    report.markRewritten = !mark.empty() && marked == result.text.empty();
    return result;
}

std::optional<DecodedDocument> decodeDocumentFile(std::u16string_view path, std::int32_t encoding,
                                                  std::int32_t lineBreak,
                                                  platform::FileError* error) {
    MappedFile file;
    if (!file.open(path)) {
        if (error != nullptr) {
            *error = file.error();
        }
        return std::nullopt;
    }
    try {
        return decodeDocumentBytes(file.data(), encoding, lineBreak);
    } catch (const std::bad_alloc&) {
        if (error != nullptr) {
            *error = {platform::FileError::Kind::OutOfMemory, 0, file.size()};
        }
        return std::nullopt;
    }
}

} // namespace document
