// Detection over arbitrary bytes: always an encoding 1-10 and a line break 1-3, never a read
// outside the data.
#include "document/EncodingDetector.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    std::int32_t lineBreak = 0;
    const std::int32_t encoding = document::EncodingDetector::detectBytes(bytes, lineBreak);
    if (!document::isValidEncoding(encoding) || !document::isValidLineBreak(lineBreak)) {
        std::abort();
    }
    for (std::int32_t utf16 = document::ENC_UTF16BE_BOM; utf16 <= document::ENC_UTF16LE; ++utf16) {
        if (!document::isValidLineBreak(
                document::EncodingDetector::scanUtf16LineBreak(bytes, utf16))) {
            std::abort();
        }
    }
    return 0;
}
