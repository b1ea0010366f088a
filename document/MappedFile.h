#pragma once
// A whole file in memory, for reading documents and list files. The bytes are read rather than
// mapped, so another program shortening or rewriting the file meanwhile can neither fault the
// editor nor change text that is being decoded.

#include "platform/Files.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace document {

// The largest file the editor opens: a file decodes to at most one character per byte, and the
// edit control holds at most this many characters.
inline constexpr std::uint64_t kMaxDocumentBytes = 0x7FFF0000;

class MappedFile {
public:
    // Opens an existing regular file of at most `maxBytes` and reads it; a 0-byte file succeeds
    // with empty data. False with error() set when it cannot be opened or read, and then
    // nothing is held.
    bool open(std::u16string_view path, std::uint64_t maxBytes = kMaxDocumentBytes);
    // Releases the bytes; safe to call twice.
    void close();
    // The file's bytes; empty when closed.
    std::span<const std::uint8_t> data() const { return contents_.data(); }
    // The file's size in bytes.
    std::size_t size() const { return contents_.data().size(); }
    // Why the last open() failed.
    const platform::FileError& error() const { return error_; }

private:
    platform::FileContents contents_;
    platform::FileError error_;
};

} // namespace document
