#pragma once
// One primitive edit kept for undo and redo.

#include <cstdint>

namespace editctl {

enum class UndoKind : std::uint8_t { Empty = 0, Insertion = 1, Deletion = 2 };

struct UndoRecord {
    UndoKind kind = UndoKind::Empty;
    std::int32_t index = 0;  // logical index where the edit happened
    std::int32_t length = 0; // characters inserted or deleted
    // The characters (owned by the history): always present for a deletion; for an insertion
    // filled in at its first undo, so that redo can insert them again.
    char16_t* text = nullptr;
};

} // namespace editctl
