#pragma once
// The encoding id every document carries, its menu and settings tables, and the bytes that an
// encoding writes for its byte order mark and for one line break.

#include "document/LineBreakKind.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace document {

enum TextEncoding : std::int32_t {
    ENC_NONE = 0, // detection failed: the file could not be opened
    ENC_SJIS = 1,
    ENC_EUC = 2,
    ENC_JIS = 3,
    ENC_UTF8_BOM = 4,
    ENC_UTF8 = 5,
    ENC_UTF16BE_BOM = 6,
    ENC_UTF16LE_BOM = 7,
    ENC_UTF16BE = 8,
    ENC_UTF16LE = 9,
    ENC_LATIN = 10,
};

// The File > Encoding commands in menu order, ended by {0, -1}.
std::span<const CommandValue> encodingCommandTable();
// The encoding id of a menu command, or -1 for a command that is not in the table.
std::int32_t encodingForCommand(int command);
// The encoding id for the settings row `newfilecharcode` (0-5 in menu order); -1 outside it.
std::int32_t encodingForSettingsRow(int row);
// True for the ids 1-10 (the ones a file can be read or written in).
bool isValidEncoding(std::int32_t id);
// True for the four UTF-16 ids 6-9.
bool isUtf16(std::int32_t id);
// True for the big-endian UTF-16 ids 6 and 8.
bool isBigEndianUtf16(std::int32_t id);
// The byte order mark written (and skipped on reading) for an id; empty for ids without one.
std::span<const std::uint8_t> byteOrderMark(std::int32_t id);
// The bytes of one line break of `lineBreak` in encoding `id`; empty for invalid ids.
std::span<const std::uint8_t> lineBreakBytes(std::int32_t id, std::int32_t lineBreak);
// A short unique name per id ("ShiftJIS", "UTF-16LE-BOM", ...); empty outside 1-10.
std::string_view encodingName(std::int32_t id);
// The id whose name (any case, also the menu texts "UTF-16" and "UTF-8") or decimal id 1-10
// is given; -1 otherwise.
std::int32_t encodingFromName(std::string_view name);

} // namespace document
