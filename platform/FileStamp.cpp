#include "platform/FileStamp.h"

#include "platform/Files.h"

#include <sys/stat.h>

namespace platform {

std::optional<FileStamp> fileStamp(std::u16string_view path) {
    const std::string name = systemPath(path);
    struct stat st {};
    if (name.empty() || name.find('\0') != std::string::npos || ::stat(name.c_str(), &st) != 0)
        return std::nullopt;
    return FileStamp{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                     static_cast<std::uint64_t>(st.st_size),
                     static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 +
                         st.st_mtim.tv_nsec};
}

} // namespace platform
