#pragma once
// Files as the editor needs them: an existing file opened for shared reading and mapped
// read-only, a file created (or replaced) for writing, and a few whole-file helpers. Paths are
// UTF-16 and reach the system as UTF-8. Failures are reported as false or an empty optional,
// never as exceptions.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// An existing file opened for reading; others may read and write it meanwhile.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens an existing file (closing any file held before); false when it cannot be opened or
    // is not a regular file.
    bool open(std::u16string_view path);
    // Whether a file is open.
    bool isOpen() const { return fd_ >= 0; }
    // The file's current size in bytes; empty when no file is open or it cannot be queried.
    std::optional<std::uint64_t> size() const;
    // Closes the file; safe to call when nothing is open.
    void close();
    // The system descriptor, for FileMapping; -1 when closed.
    int descriptor() const { return fd_; }

private:
    int fd_ = -1;
};

// A read-only mapping of a whole InputFile. It stays valid after the file is closed.
class FileMapping {
public:
    FileMapping() = default;
    ~FileMapping();
    FileMapping(FileMapping&& other) noexcept;
    FileMapping& operator=(FileMapping&& other) noexcept;
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;

    // Maps the whole file (releasing any mapping held before). A 0-byte file succeeds with
    // empty data and no mapping; false when the file is not open or cannot be mapped.
    bool map(const InputFile& file);
    // The mapped bytes; empty when nothing is mapped.
    std::span<const std::uint8_t> data() const { return {data_, size_}; }
    // Releases the mapping; safe to call twice.
    void unmap();

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

// A file created for writing, replacing (truncating) an existing one; others may read it.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the file or empties an existing one (closing any file held before); false when
    // it cannot be created.
    bool create(std::u16string_view path);
    // Whether a file is open.
    bool isOpen() const { return fd_ >= 0; }
    // Writes all bytes at the end of what was written; false when not all could be written.
    bool write(std::span<const std::uint8_t> bytes);
    // Closes the file; false when the system reported an error on closing. Safe to call twice
    // (a second call returns true).
    bool close();

private:
    int fd_ = -1;
};

// Whether a file (or folder) exists at the path.
bool fileExists(std::u16string_view path);

// Copies `from` to `to` unless `to` already exists; true when the copy was made. A failed
// copy leaves no partial target behind.
bool copyFileIfAbsent(std::u16string_view from, std::u16string_view to);

// The full path of the running program's executable; empty when it cannot be found.
std::optional<std::u16string> programPath();

// A UTF-16 path as the system's UTF-8 bytes (a lone surrogate becomes U+FFFD).
std::string systemPath(std::u16string_view path);

} // namespace platform
