#pragma once
// Writing a new content for an existing (or new) file so that the old content survives any
// failure: the bytes go to a temporary file beside the target, are flushed to disk, and the
// temporary file is renamed over the target only when all of it is there. The target keeps
// its permissions, and a symbolic link keeps pointing to the file it names, which is the one
// replaced. Where the folder takes no new file but the target itself is writable, the target
// is written in place; its old bytes are kept in memory and put back when a write fails.

#include "platform/Files.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Why writing a file failed: the file the system refused and its reason.
struct WriteError {
    std::u16string path; // the path as given, or the file a symbolic link names
    int code = 0;        // the system's error number; 0 when nothing failed

    bool failed() const { return code != 0; }
    // The system's own words for `code` ("No space left on device").
    std::string systemReason() const;
};

class ReplacingFile {
public:
    enum class Method { None, Replace, InPlace };

    ReplacingFile() = default;
    // Abandons an uncommitted write, leaving the target as it was.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Starts writing a new content for `target` (abandoning one begun before). Refuses a target
    // that is a folder or any other non-regular file, and a file this user may not write or
    // that has no write permission for anyone. False with error() set.
    bool begin(std::u16string_view target);
    // Appends bytes; false with error() set when not all could be written. After a failure
    // every further write fails at once.
    bool write(std::span<const std::uint8_t> bytes);
    // Flushes the new content to disk and puts it in the target's place (and flushes the
    // folder). False with error() set; the target then holds its old content.
    bool commit();
    // Gives the new content up: the temporary file is removed, or the target's old bytes are
    // put back. Safe to call when nothing was begun.
    void abandon();

    // How the content is being written: beside the target, or in place.
    Method method() const { return method_; }
    // The first failure since begin().
    const WriteError& error() const { return error_; }

private:
    bool fail(int code);
    bool restoreInPlace();
    void reset();

    int fd_ = -1;
    Method method_ = Method::None;
    std::string target_;                 // the file written, symbolic links followed
    std::string temporary_;              // the file beside it, for Method::Replace
    std::vector<std::uint8_t> oldBytes_; // the target's bytes, for Method::InPlace
    std::uint64_t written_ = 0;
    WriteError error_;
};

} // namespace platform
