#pragma once
// The line-break id every document carries, and the File > Linebreak menu and settings tables.

#include <cstdint>
#include <span>
#include <string_view>

namespace document {

enum LineBreakKind : std::int32_t { LB_CR = 1, LB_LF = 2, LB_CRLF = 3 };

// One row of a menu-command table; a table ends with the row {0, -1}.
struct CommandValue {
    int command;
    std::int32_t value;
};

// The File > Linebreak commands in menu order, ended by {0, -1}.
std::span<const CommandValue> lineBreakCommandTable();
// The line-break id of a menu command, or -1 for a command that is not in the table.
std::int32_t lineBreakForCommand(int command);
// The line-break id for the settings row `newfilelinebreak` (0 CR, 1 CRLF, 2 LF); -1 outside 0-2.
std::int32_t lineBreakForSettingsRow(int row);
// True for the ids 1-3.
bool isValidLineBreak(std::int32_t id);
// "CR", "LF" or "CRLF"; an empty view for an id outside 1-3.
std::string_view lineBreakName(std::int32_t id);
// The id whose name matches (any case) or whose decimal id is given; -1 otherwise.
std::int32_t lineBreakFromName(std::string_view name);

} // namespace document
