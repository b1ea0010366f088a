#pragma once
// Writes a file through a 64 KiB buffer, so that the system is called once per 64 KiB.

#include "platform/Files.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace document {

class BufferedFileWriter {
public:
    static constexpr std::size_t kBufferSize = 65536;

    BufferedFileWriter() = default;
    // Closes the file (writing out the buffer) if it is still open.
    ~BufferedFileWriter();
    BufferedFileWriter(const BufferedFileWriter&) = delete;
    BufferedFileWriter& operator=(const BufferedFileWriter&) = delete;

    // Creates the file, replacing an existing one, for writing with shared read access; false
    // when it cannot be created.
    bool open(std::u16string_view path);
    // Appends bytes; full buffers go to the file as they fill.
    void write(std::span<const std::uint8_t> bytes);
    // Writes out what is buffered and closes the file. False when any write since open() (or
    // closing itself) failed, so a caller never takes a short file for a saved one. Safe to
    // call twice.
    bool close();
    // True when a write to the file has failed since open().
    bool failed() const { return failed_; }

private:
    void flush();

    platform::OutputFile file_;
    std::array<std::uint8_t, kBufferSize> buffer_{};
    std::size_t fill_ = 0;
    bool failed_ = false;
};

} // namespace document
