#include "document/NameMatch.h"

namespace document {

std::int32_t lookupCommand(std::span<const CommandValue> table, int command) {
    for (const CommandValue& row : table) {
        if (row.command == 0) {
            break;
        }
        if (row.command == command) {
            return row.value;
        }
    }
    return -1;
}

std::int32_t valueAtRow(std::span<const CommandValue> table, int row) {
    // The terminating row is not a value.
    if (row < 0 || row >= static_cast<int>(table.size()) - 1) {
        return -1;
    }
    return table[static_cast<std::size_t>(row)].value;
}

bool namesMatch(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

int parseSmallNumber(std::string_view text) {
    if (text.empty() || text.size() > 2) {
        return -1;
    }
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace document
