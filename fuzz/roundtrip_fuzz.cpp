// Arbitrary bytes read in every encoding: a file that decodes cleanly (nothing lost, nothing
// saving would write otherwise) saves back to its own bytes, and the quick clean-decoding check
// agrees with what decoding replaced.
#include "document/DecodeCheck.h"
#include "document/DocumentDecoder.h"
#include "document/DocumentEncoder.h"
#include "document/EncodingDetector.h"
#include "document/TextEncoding.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using document::EncodingDetector;
    const std::span<const std::uint8_t> file(data, size);
    for (std::int32_t encoding = 1; encoding <= 10; ++encoding) {
        const std::int32_t lineBreak = document::isUtf16(encoding)
                                           ? EncodingDetector::scanUtf16LineBreak(file, encoding)
                                           : EncodingDetector::scanLineBreak(file);
        const document::DecodedDocument decoded =
            document::decodeDocumentBytes(file, encoding, lineBreak);
        if (document::decodesCleanly(file, encoding) == decoded.report.replaced.any()) {
            std::abort();
        }
        if (decoded.report.savesUnchanged()) {
            const auto saved =
                document::encodeDocumentBytes(decoded.text, encoding, lineBreak, decoded.spelling);
            if (!std::equal(saved.begin(), saved.end(), file.begin(), file.end())) {
                std::abort();
            }
        }
    }
    return 0;
}
