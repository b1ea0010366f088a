#pragma once
// What identifies a file's content on disk without reading it: the file itself (device and
// inode, symbolic links followed), its size and its modification time.

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNanoseconds = 0; // since the epoch

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file at `path` now; nullopt when nothing is there (or it cannot be asked).
std::optional<FileStamp> fileStamp(std::u16string_view path);

} // namespace platform
