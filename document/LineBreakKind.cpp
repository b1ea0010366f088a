#include "document/LineBreakKind.h"

#include "document/NameMatch.h"

#include <array>

namespace document {

namespace {

constexpr std::array<CommandValue, 4> kLineBreakCommands{{
    {32779, LB_CR},
    {32780, LB_CRLF},
    {32781, LB_LF},
    {0, -1},
}};

constexpr std::array<std::string_view, 4> kNames{"", "CR", "LF", "CRLF"};

} // namespace

std::span<const CommandValue> lineBreakCommandTable() {
    return kLineBreakCommands;
}

std::int32_t lineBreakForCommand(int command) {
    return lookupCommand(kLineBreakCommands, command);
}

std::int32_t lineBreakForSettingsRow(int row) {
    return valueAtRow(kLineBreakCommands, row);
}

bool isValidLineBreak(std::int32_t id) {
    return id >= LB_CR && id <= LB_CRLF;
}

std::string_view lineBreakName(std::int32_t id) {
    return isValidLineBreak(id) ? kNames[static_cast<std::size_t>(id)] : std::string_view{};
}

std::int32_t lineBreakFromName(std::string_view name) {
    for (std::int32_t id = LB_CR; id <= LB_CRLF; ++id) {
        if (namesMatch(name, kNames[static_cast<std::size_t>(id)])) {
            return id;
        }
    }
    const int number = parseSmallNumber(name);
    return isValidLineBreak(number) ? number : -1;
}

} // namespace document
