// Reading arbitrary bytes line by line in every encoding: the reader ends, every line is
// NUL-terminated and no longer than its bytes allow, and joining the lines of a UTF-16 file
// with its breaks gives back its units.
#include "document/DocumentDecoder.h"
#include "document/EncodingDetector.h"
#include "document/LineReader.h"
#include "document/TextEncoding.h"

#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    for (std::int32_t encoding = 0; encoding <= 11; ++encoding) {
        document::LineReader reader;
        reader.attach(bytes, encoding);
        std::size_t lines = 0;
        std::size_t units = 0;
        while (reader.moreLines()) {
            const std::u16string_view line = reader.readLine();
            check(line.data()[line.size()] == u'\0');
            units += line.size();
            check(++lines <= size + 1);
        }
        check(units <= size);
        check(reader.replacements() <= size);
    }
    // Auto detection, as opening a document does.
    const document::DecodedDocument decoded = document::decodeDocumentBytes(bytes, 0, 0);
    check(document::isValidEncoding(decoded.encoding));
    std::int32_t lineBreak = 0;
    check(decoded.encoding == document::EncodingDetector::detectBytes(bytes, lineBreak));
    check(decoded.lineBreak == lineBreak);
    check(decoded.text.size() <= size + size / 2 + 1);
    return 0;
}
