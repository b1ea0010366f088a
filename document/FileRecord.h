#pragma once
// What the editor remembers per file: sixteen 32-bit integers, stored little endian.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace document {

struct FileRecord {
    static constexpr std::size_t kValues = 16;
    static constexpr std::size_t kBytes = kValues * 4;

    // [0] caret position in characters, [1] automatic save flag (0 or 1), the rest 0.
    std::array<std::int32_t, kValues> values{};

    // The remembered caret position (selection start).
    std::int32_t caretPosition() const { return values[0]; }
    // Sets the remembered caret position.
    void setCaretPosition(std::int32_t position) { values[0] = position; }
    // The automatic-save flag as stored (0 off, 1 on).
    std::int32_t autoSave() const { return values[1]; }
    // Sets the automatic-save flag.
    void setAutoSave(std::int32_t flag) { values[1] = flag; }

    // Writes the 64-byte little-endian image.
    void store(std::span<std::byte, kBytes> out) const;
    // Reads a 64-byte little-endian image.
    static FileRecord load(std::span<const std::byte, kBytes> in);

    friend bool operator==(const FileRecord&, const FileRecord&) = default;
};

} // namespace document
