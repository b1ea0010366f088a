#include "document/TextEncoding.h"

#include "document/NameMatch.h"

#include <array>

namespace document {

namespace {

constexpr std::array<CommandValue, 7> kEncodingCommands{{
    {32774, ENC_SJIS},
    {32775, ENC_JIS},
    {32776, ENC_EUC},
    {32777, ENC_UTF8},
    {32778, ENC_UTF16LE_BOM},
    {32845, ENC_LATIN},
    {0, -1},
}};

constexpr std::array<std::string_view, 11> kNames{
    "",         "ShiftJIS", "EUC",  "JIS", "UTF-8-BOM", "UTF-8", "UTF-16BE-BOM", "UTF-16LE-BOM",
    "UTF-16BE", "UTF-16LE", "Latin"};

constexpr std::array<std::uint8_t, 3> kUtf8Mark{0xEF, 0xBB, 0xBF};
constexpr std::array<std::uint8_t, 2> kUtf16BeMark{0xFE, 0xFF};
constexpr std::array<std::uint8_t, 2> kUtf16LeMark{0xFF, 0xFE};

// Indexed by line-break id 1-3: CR, LF, CRLF.
constexpr std::array<std::uint8_t, 2> kCrLf8{0x0D, 0x0A};
constexpr std::array<std::uint8_t, 4> kCrLfLe{0x0D, 0x00, 0x0A, 0x00};
constexpr std::array<std::uint8_t, 4> kCrLfBe{0x00, 0x0D, 0x00, 0x0A};

} // namespace

std::span<const CommandValue> encodingCommandTable() {
    return kEncodingCommands;
}

std::int32_t encodingForCommand(int command) {
    return lookupCommand(kEncodingCommands, command);
}

std::int32_t encodingForSettingsRow(int row) {
    return valueAtRow(kEncodingCommands, row);
}

bool isValidEncoding(std::int32_t id) {
    return id >= ENC_SJIS && id <= ENC_LATIN;
}

bool isUtf16(std::int32_t id) {
    return id >= ENC_UTF16BE_BOM && id <= ENC_UTF16LE;
}

bool isBigEndianUtf16(std::int32_t id) {
    return id == ENC_UTF16BE_BOM || id == ENC_UTF16BE;
}

std::span<const std::uint8_t> byteOrderMark(std::int32_t id) {
    switch (id) {
    case ENC_UTF8_BOM:
        return kUtf8Mark;
    case ENC_UTF16BE_BOM:
        return kUtf16BeMark;
    case ENC_UTF16LE_BOM:
        return kUtf16LeMark;
    default:
        return {};
    }
}

std::span<const std::uint8_t> lineBreakBytes(std::int32_t id, std::int32_t lineBreak) {
    if (!isValidEncoding(id) || !isValidLineBreak(lineBreak)) {
        return {};
    }
    std::span<const std::uint8_t> both = kCrLf8;
    if (isUtf16(id)) {
        both = isBigEndianUtf16(id) ? std::span<const std::uint8_t>(kCrLfBe) : kCrLfLe;
    }
    const std::size_t unit = both.size() / 2;
    switch (lineBreak) {
    case LB_CR:
        return both.first(unit);
    case LB_LF:
        return both.subspan(unit);
    default:
        return both;
    }
}

std::string_view encodingName(std::int32_t id) {
    return isValidEncoding(id) ? kNames[static_cast<std::size_t>(id)] : std::string_view{};
}

std::int32_t encodingFromName(std::string_view name) {
    for (std::int32_t id = ENC_SJIS; id <= ENC_LATIN; ++id) {
        if (namesMatch(name, kNames[static_cast<std::size_t>(id)])) {
            return id;
        }
    }
    // The menu's own texts: "UTF-16" is the little-endian form with a mark.
    if (namesMatch(name, "UTF-16")) {
        return ENC_UTF16LE_BOM;
    }
    const int number = parseSmallNumber(name);
    return isValidEncoding(number) ? number : -1;
}

} // namespace document
