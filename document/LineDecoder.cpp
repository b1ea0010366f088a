#include "document/LineDecoder.h"

#include "document/EucSjisConverter.h"
#include "document/JisSjisConverter.h"
#include "document/TextEncoding.h"

namespace document {

namespace {

platform::DecodeResult copyUtf16(std::span<const std::uint8_t> bytes, bool bigEndian,
                                 char16_t* out) {
    const std::size_t units = bytes.size() / 2;
    const std::uint8_t* p = bytes.data();
    const unsigned high = bigEndian ? 0 : 1;
    for (std::size_t u = 0; u < units; ++u, p += 2) {
        out[u] = static_cast<char16_t>((p[high] << 8) | p[1 - high]);
    }
    platform::DecodeResult result;
    result.units = units;
    if (bytes.size() % 2 != 0) {
        // Half a unit at the end of an odd-sized file is no character.
        out[units] = u'\uFFFD';
        result.units = units + 1;
        result.replacements = 1;
        result.firstReplacement = units;
    }
    return result;
}

} // namespace

platform::DecodeResult LineDecoder::decode(std::int32_t encoding,
                                           std::span<const std::uint8_t> bytes, char16_t* out,
                                           platform::Cp932Spelling* spelling) {
    using platform::CodePage;
    switch (encoding) {
    case ENC_SJIS:
        return platform::decodeToUtf16Counted(CodePage::ShiftJis, bytes, out, spelling);
    case ENC_EUC:
    case ENC_JIS: {
        if (pivot_.size() < bytes.size()) {
            pivot_.resize(bytes.size() + 4096);
        }
        const std::size_t n = encoding == ENC_EUC ? eucToSjis(bytes, pivot_.data())
                                                  : jisToSjis(bytes, pivot_.data(), jisState_);
        return platform::decodeToUtf16Counted(CodePage::ShiftJis, std::span(pivot_.data(), n), out,
                                              spelling);
    }
    case ENC_UTF8_BOM:
    case ENC_UTF8:
        return platform::decodeToUtf16Counted(CodePage::Utf8, bytes, out);
    case ENC_LATIN:
        return platform::decodeToUtf16Counted(CodePage::Windows1252, bytes, out);
    case ENC_UTF16BE_BOM:
    case ENC_UTF16BE:
    case ENC_UTF16LE_BOM:
    case ENC_UTF16LE:
        return copyUtf16(bytes, isBigEndianUtf16(encoding), out);
    default:
        return {};
    }
}

} // namespace document
