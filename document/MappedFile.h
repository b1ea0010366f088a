#pragma once
// A whole file mapped read-only, for reading documents and list files straight from memory.

#include "platform/Files.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace document {

class MappedFile {
public:
    // Opens an existing file for shared reading and maps it; a 0-byte file succeeds with empty
    // data. False when it cannot be opened or mapped, and then nothing is left open.
    bool open(std::u16string_view path);
    // Releases the mapping and the file; safe to call twice.
    void close();
    // The file's bytes; empty when closed.
    std::span<const std::uint8_t> data() const { return mapping_.data(); }
    // The file's size in bytes.
    std::size_t size() const { return mapping_.data().size(); }

private:
    platform::InputFile file_;
    platform::FileMapping mapping_;
};

} // namespace document
