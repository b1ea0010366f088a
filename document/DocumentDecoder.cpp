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

// Fills a string that already holds room for every unit, so it is never copied while it grows.
class StringSink : public DecodedTextSink {
public:
    explicit StringSink(std::u16string& text) : text_(text) {}
    bool append(std::u16string_view units) override {
        text_.append(units);
        return true;
    }
    void restart() override { text_.clear(); }

private:
    std::u16string& text_;
};

// Decodes in a known encoding.
DecodeOutcome decodeAs(std::span<const std::uint8_t> bytes, std::int32_t encoding,
                       std::int32_t lineBreak, DecodedTextSink& sink) {
    DecodeOutcome result;
    result.lineBreak = lineBreak;
    result.encoding = encoding;
    DecodeReport& report = result.report;
    LineReader reader;
    reader.attach(bytes, result.encoding);
    reader.noteSpelling(&result.spelling);
    LineEncoder jisEncoder;
    jisEncoder.setSpelling(&result.spelling);
    const bool jis = result.encoding == ENC_JIS;
    std::size_t lineNumber = 0;
    bool textEmpty = true;
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
        if ((lineNumber != 1 && !sink.append(u"\r")) || !sink.append(line)) {
            result.complete = false;
            return result;
        }
        textEmpty = textEmpty && lineNumber == 1 && line.empty();
    }
    const std::span<const std::uint8_t> mark = byteOrderMark(result.encoding);
    const bool marked = !mark.empty() && bytes.size() >= mark.size() &&
                        std::memcmp(bytes.data(), mark.data(), mark.size()) == 0;
    report.markRewritten = !mark.empty() && marked == textEmpty;
    return result;
}

} // namespace

DecodeOutcome decodeDocumentInto(std::span<const std::uint8_t> bytes, std::int32_t encoding,
                                 std::int32_t lineBreak, DecodedTextSink& sink) {
    if (encoding != ENC_NONE) {
        return decodeAs(bytes, encoding, lineBreak, sink);
    }
    // The guess is confirmed by decoding in it: a clean decoding is what detection would
    // have checked in a pass of its own.
    const std::int32_t guess = EncodingDetector::guessBytes(bytes, lineBreak);
    DecodeOutcome result = decodeAs(bytes, guess, lineBreak, sink);
    if (!result.complete || !result.report.replaced.any()) {
        return result;
    }
    sink.restart();
    const std::int32_t detected = EncodingDetector::detectBytes(bytes, lineBreak);
    return decodeAs(bytes, detected, lineBreak, sink);
}

DecodedDocument decodeDocumentBytes(std::span<const std::uint8_t> bytes, std::int32_t encoding,
                                    std::int32_t lineBreak) {
    DecodedDocument result;
    // No encoding yields more units than bytes, and pages reserved but never written cost
    // no memory.
    result.text.reserve(bytes.size());
    StringSink sink(result.text);
    static_cast<DecodeOutcome&>(result) = decodeDocumentInto(bytes, encoding, lineBreak, sink);
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
