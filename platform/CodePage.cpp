#include "platform/CodePage.h"

#include "platform/CodePageConverters.h"

namespace platform {

std::size_t decodeToUtf16(CodePage page, std::span<const std::uint8_t> in, char16_t* out) {
    return decodeToUtf16Counted(page, in, out).units;
}

DecodeResult decodeToUtf16Counted(CodePage page, std::span<const std::uint8_t> in, char16_t* out,
                                  Cp932Spelling* spelling) {
    switch (page) {
    case CodePage::ShiftJis:
        return detail::decodeShiftJis(in, out, spelling);
    case CodePage::Utf8:
        return detail::decodeUtf8(in, out);
    case CodePage::Windows1252:
        return detail::decodeWindows1252(in, out);
    }
    return {};
}

bool decodesCleanly(CodePage page, std::span<const std::uint8_t> in) {
    switch (page) {
    case CodePage::ShiftJis:
        return detail::shiftJisDecodesCleanly(in);
    case CodePage::Utf8:
        return detail::utf8DecodesCleanly(in);
    case CodePage::Windows1252:
        return true;
    }
    return false;
}

std::size_t maxEncodedSize(CodePage page, std::size_t units) {
    switch (page) {
    case CodePage::ShiftJis:
        return 2 * units;
    case CodePage::Utf8:
        return 3 * units; // a surrogate pair is 2 units for 4 bytes
    case CodePage::Windows1252:
        return units;
    }
    return 0;
}

std::size_t encodeFromUtf16(CodePage page, std::u16string_view in, std::uint8_t* out,
                            const Cp932Spelling* spelling) {
    switch (page) {
    case CodePage::ShiftJis:
        return detail::encodeShiftJis(in, out, spelling);
    case CodePage::Utf8:
        return detail::encodeUtf8(in, out);
    case CodePage::Windows1252:
        return detail::encodeWindows1252(in, out);
    }
    return 0;
}

UnencodableScan findUnencodable(CodePage page, std::u16string_view text,
                                const Cp932Spelling* spelling, bool (*carries)(std::uint16_t)) {
    switch (page) {
    case CodePage::ShiftJis:
        return detail::findUnencodableShiftJis(text, spelling, carries);
    case CodePage::Windows1252:
        return detail::findUnencodableWindows1252(text);
    case CodePage::Utf8:
        break;
    }
    // UTF-8 writes every character; only a lone surrogate, which is none, is lost.
    UnencodableScan scan;
    const char16_t* const begin = text.data();
    const char16_t* const end = begin + text.size();
    for (const char16_t* p = begin; p < end;) {
        const std::size_t n = detail::surrogateLength(p, end);
        if (n == 1) {
            if (scan.count++ == 0)
                scan.first = static_cast<std::size_t>(p - begin);
        }
        p += n == 0 ? 1 : n;
    }
    return scan;
}

} // namespace platform
