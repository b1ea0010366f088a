// Encoding arbitrary UTF-16 lines in every encoding: the pivots' size functions agree with
// what they write, UTF-16 encodings give back the units exactly, and for the other encodings
// a second round of encoding what was decoded gives the same bytes (the code page and the
// pivots agree with each other).
#include "document/EucSjisConverter.h"
#include "document/JisSjisConverter.h"
#include "document/LineDecoder.h"
#include "document/LineEncoder.h"
#include "document/TextEncoding.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::u16string decode(document::LineDecoder& decoder, std::int32_t encoding,
                      std::span<const std::uint8_t> bytes) {
    std::u16string text(document::LineDecoder::maxUnits(bytes.size()), u'\0');
    decoder.reset();
    text.resize(decoder.decode(encoding, bytes, text.data()).units);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string text(size / 2, u'\0');
    if (!text.empty()) {
        std::memcpy(text.data(), data, text.size() * 2);
    }
    const bool hasControl = text.find_first_of(u"\x1B\r\n") != std::u16string::npos;

    // The pivots on raw Shift_JIS bytes.
    const std::span<const std::uint8_t> raw(data, size);
    std::vector<std::uint8_t> out(document::sjisToEucSize(raw));
    check(document::sjisToEuc(raw, out.data()) == out.size());
    out.assign(document::sjisToJisSize(raw), 0);
    check(document::sjisToJis(raw, out.data()) == out.size());

    document::LineEncoder encoder;
    document::LineEncoder again;
    document::LineDecoder decoder;
    for (std::int32_t encoding = 1; encoding <= 10; ++encoding) {
        const auto first = encoder.encode(encoding, text);
        const std::vector<std::uint8_t> bytes(first.begin(), first.end());
        const std::u16string decoded = decode(decoder, encoding, bytes);
        if (document::isUtf16(encoding)) {
            check(decoded == text);
            continue;
        }
        // ESC, CR and LF in the text are taken for escapes and line breaks when read back.
        if (hasControl && encoding == document::ENC_JIS) {
            continue;
        }
        const auto second = again.encode(encoding, decoded);
        check(std::vector<std::uint8_t>(second.begin(), second.end()) == bytes);
    }
    return 0;
}
