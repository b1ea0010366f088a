#pragma once
// Small helpers shared by the id tables: command and row lookup, and name matching for command
// lines.

#include "document/LineBreakKind.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace document {

// Linear search from the first row up to the {0, -1} terminator; -1 when the command is absent.
std::int32_t lookupCommand(std::span<const CommandValue> table, int command);
// The value of row `row` before the terminator; -1 for any other row.
std::int32_t valueAtRow(std::span<const CommandValue> table, int row);
// ASCII case-insensitive equality.
bool namesMatch(std::string_view a, std::string_view b);
// A decimal number of one or two digits, or -1 for anything else.
int parseSmallNumber(std::string_view text);

} // namespace document
