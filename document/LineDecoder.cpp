#include "document/LineDecoder.h"

#include "document/EucSjisConverter.h"
#include "document/JisSjisConverter.h"
#include "document/TextEncoding.h"
#include "platform/CodePage.h"

namespace document {

namespace {

std::size_t decodeCodePage(platform::CodePage page, std::span<const std::uint8_t> bytes,
                           char16_t* out, std::size_t& replacements) {
    const platform::DecodeResult result = platform::decodeToUtf16Counted(page, bytes, out);
    replacements += result.replacements;
    return result.units;
}

std::size_t copyUtf16(std::span<const std::uint8_t> bytes, bool bigEndian, char16_t* out,
                      std::size_t& replacements) {
    const std::size_t units = bytes.size() / 2;
    const std::uint8_t* p = bytes.data();
    const unsigned high = bigEndian ? 0 : 1;
    for (std::size_t u = 0; u < units; ++u, p += 2) {
        out[u] = static_cast<char16_t>((p[high] << 8) | p[1 - high]);
    }
    if (bytes.size() % 2 != 0) {
        // Half a unit at the end of an odd-sized file is no character.
        out[units] = u'\uFFFD';
        ++replacements;
        return units + 1;
    }
    return units;
}

} // namespace

std::size_t LineDecoder::decode(std::int32_t encoding, std::span<const std::uint8_t> bytes,
                                char16_t* out, std::size_t& replacements) {
    switch (encoding) {
    case ENC_SJIS:
        return decodeCodePage(platform::CodePage::ShiftJis, bytes, out, replacements);
    case ENC_EUC:
    case ENC_JIS: {
        if (pivot_.size() < bytes.size()) {
            pivot_.resize(bytes.size() + 4096);
        }
        JisShiftState state = JisShiftState::Ascii;
        const std::size_t n = encoding == ENC_EUC ? eucToSjis(bytes, pivot_.data())
                                                  : jisToSjis(bytes, pivot_.data(), state);
        return decodeCodePage(platform::CodePage::ShiftJis, std::span(pivot_.data(), n), out,
                              replacements);
    }
    case ENC_UTF8_BOM:
    case ENC_UTF8:
        return decodeCodePage(platform::CodePage::Utf8, bytes, out, replacements);
    case ENC_LATIN:
        return decodeCodePage(platform::CodePage::Windows1252, bytes, out, replacements);
    case ENC_UTF16BE_BOM:
    case ENC_UTF16BE:
    case ENC_UTF16LE_BOM:
    case ENC_UTF16LE:
        return copyUtf16(bytes, isBigEndianUtf16(encoding), out, replacements);
    default:
        return 0;
    }
}

} // namespace document
