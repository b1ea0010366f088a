#include "platform/CodePage.h"

#include "platform/CodePageConverters.h"

namespace platform {

std::size_t decodeToUtf16(CodePage page, std::span<const std::uint8_t> in, char16_t* out) {
    return decodeToUtf16Counted(page, in, out).units;
}

DecodeResult decodeToUtf16Counted(CodePage page, std::span<const std::uint8_t> in, char16_t* out) {
    switch (page) {
    case CodePage::ShiftJis:
        return detail::decodeShiftJis(in, out);
    case CodePage::Utf8:
        return detail::decodeUtf8(in, out);
    case CodePage::Windows1252:
        return detail::decodeWindows1252(in, out);
    }
    return {};
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

std::size_t encodeFromUtf16(CodePage page, std::u16string_view in, std::uint8_t* out) {
    switch (page) {
    case CodePage::ShiftJis:
        return detail::encodeShiftJis(in, out);
    case CodePage::Utf8:
        return detail::encodeUtf8(in, out);
    case CodePage::Windows1252:
        return detail::encodeWindows1252(in, out);
    }
    return 0;
}

} // namespace platform
