#include "document/LineEncoder.h"

#include "document/EucSjisConverter.h"
#include "document/JisSjisConverter.h"
#include "document/TextEncoding.h"
#include "platform/CodePage.h"

namespace document {

namespace {

// Scratch buffers grow with some room to spare, so that slowly growing lines do not
// reallocate every time.
std::uint8_t* reserve(std::vector<std::uint8_t>& buffer, std::size_t size) {
    if (buffer.size() < size) {
        buffer.resize(size + 4096);
    }
    return buffer.data();
}

} // namespace

std::span<const std::uint8_t> LineEncoder::encodeCodePage(unsigned page, std::u16string_view text,
                                                          std::vector<std::uint8_t>& into) {
    const auto codePage = static_cast<platform::CodePage>(page);
    std::uint8_t* out = reserve(into, platform::maxEncodedSize(codePage, text.size()));
    return {out, platform::encodeFromUtf16(codePage, text, out, spelling_)};
}

std::span<const std::uint8_t> LineEncoder::encode(std::int32_t encoding, std::u16string_view text) {
    switch (encoding) {
    case ENC_SJIS:
        return encodeCodePage(932, text, output_);
    case ENC_EUC: {
        const std::span<const std::uint8_t> sjis = encodeCodePage(932, text, pivot_);
        std::uint8_t* out = reserve(output_, sjisToEucSize(sjis));
        return {out, sjisToEuc(sjis, out)};
    }
    case ENC_JIS: {
        const std::span<const std::uint8_t> sjis = encodeCodePage(932, text, pivot_);
        std::uint8_t* out = reserve(output_, sjisToJisSize(sjis));
        return {out, sjisToJis(sjis, out)};
    }
    case ENC_UTF8_BOM:
    case ENC_UTF8:
        return encodeCodePage(65001, text, output_);
    case ENC_LATIN:
        return encodeCodePage(1252, text, output_);
    case ENC_UTF16BE_BOM:
    case ENC_UTF16BE:
    case ENC_UTF16LE_BOM:
    case ENC_UTF16LE: {
        std::uint8_t* out = reserve(output_, text.size() * 2);
        const unsigned high = isBigEndianUtf16(encoding) ? 0 : 1;
        std::uint8_t* o = out;
        for (const char16_t unit : text) {
            o[high] = static_cast<std::uint8_t>(unit >> 8);
            o[1 - high] = static_cast<std::uint8_t>(unit & 0xFF);
            o += 2;
        }
        return {out, text.size() * 2};
    }
    default:
        return {};
    }
}

} // namespace document
