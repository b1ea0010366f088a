#pragma once
// Files as the editor needs them: an existing file opened for shared reading and read whole
// into memory, a file created (or replaced) for writing, and a few whole-file helpers. Paths are
// UTF-16 and reach the system as UTF-8. Failures are reported as false or an empty optional,
// never as exceptions.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// Why a file could not be opened or read.
struct FileError {
    enum class Kind : int {
        None,        // nothing failed
        System,      // the system refused; `code` is its error number
        Folder,      // the path names a folder
        Pipe,        // a named pipe: opening or reading it would wait for a writer
        Device,      // a device: reading it could block, never end or change the device
        Socket,      // a socket
        TooLarge,    // larger than the caller can hold
        Changing,    // another program kept changing the file while it was read
        OutOfMemory, // no memory for the file's bytes
    };
    Kind kind = Kind::None;
    int code = 0;           // the system's error number, for Kind::System
    std::uint64_t size = 0; // the file's size in bytes, for Kind::TooLarge

    bool failed() const { return kind != Kind::None; }
    // The system's own words for `code` ("No such file or directory"); empty for other kinds.
    std::string systemReason() const;
};

// An existing file opened for reading; others may read and write it meanwhile.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens an existing regular file (closing any file held before); false with error() set
    // when it cannot be opened. Folders, pipes, devices and sockets are refused by their type
    // before anything is opened, so a pipe without a writer never blocks the caller.
    bool open(std::u16string_view path);
    // Whether a file is open.
    bool isOpen() const { return fd_ >= 0; }
    // Why the last open() failed.
    const FileError& error() const { return error_; }
    // The file's current size in bytes; empty when no file is open or it cannot be queried.
    std::optional<std::uint64_t> size() const;
    // Closes the file; safe to call when nothing is open.
    void close();
    // The system descriptor, for FileContents; -1 when closed.
    int descriptor() const { return fd_; }

private:
    int fd_ = -1;
    FileError error_;
};

// A whole file's bytes in memory of their own. They are read, not mapped: a mapping faults
// (and kills the program) when another program shortens the file while it is mapped, while
// these bytes stay as they were read whatever happens to the file afterwards.
class FileContents {
public:
    FileContents() = default;
    ~FileContents();
    FileContents(FileContents&& other) noexcept;
    FileContents& operator=(FileContents&& other) noexcept;
    FileContents(const FileContents&) = delete;
    FileContents& operator=(const FileContents&) = delete;

    // Reads the whole of an open file (releasing any bytes held before). False with error()
    // set when the file is larger than `maxBytes`, there is no memory for it, a read fails, or
    // another program keeps changing it: a file whose size or modification time moved while
    // it was read is read again, a few times, so the bytes are never half old and half new.
    bool read(const InputFile& file, std::uint64_t maxBytes);
    // The bytes read; empty when nothing is held.
    std::span<const std::uint8_t> data() const { return {data_, size_}; }
    // Why the last read() failed.
    const FileError& error() const { return error_; }
    // Gives the memory back; safe to call twice.
    void release();

private:
    bool readOnce(int fd, std::uint64_t maxBytes, bool& changed);

    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    FileError error_;
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
