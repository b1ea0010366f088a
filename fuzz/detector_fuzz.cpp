// Detection over arbitrary bytes: always an encoding 1-10 that reads the whole file without a
// replaced sequence and a line break 1-3, never a read outside the data. An odd first byte puts
// more than a sample of ASCII in front of the rest, so that the look past an ASCII start is
// taken as well.
#include "document/DecodeCheck.h"
#include "document/EncodingDetector.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::uint8_t> file;
    if (size != 0 && (data[0] & 1) != 0) {
        file.assign(document::EncodingDetector::kSampleSize + data[0], 'a');
    }
    file.insert(file.end(), data, data + size);
    std::int32_t lineBreak = 0;
    const std::int32_t encoding = document::EncodingDetector::detectBytes(file, lineBreak);
    if (!document::isValidEncoding(encoding) || !document::isValidLineBreak(lineBreak) ||
        !document::decodesCleanly(file, encoding)) {
        std::abort();
    }
    for (std::int32_t utf16 = document::ENC_UTF16BE_BOM; utf16 <= document::ENC_UTF16LE; ++utf16) {
        if (!document::isValidLineBreak(
                document::EncodingDetector::scanUtf16LineBreak(file, utf16))) {
            std::abort();
        }
    }
    return 0;
}
