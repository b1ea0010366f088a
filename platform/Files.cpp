#include "platform/Files.h"

#include "platform/AnonymousMemory.h"
#include "platform/CodePage.h"
#include "platform/FileWriteFaultInternal.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

namespace platform {
namespace {

int openRetrying(const std::string& path, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    return writeAllBytes(fd, data, size);
}

} // namespace

std::string systemPath(std::u16string_view path) {
    std::string bytes(maxEncodedSize(CodePage::Utf8, path.size()), '\0');
    const std::size_t n =
        encodeFromUtf16(CodePage::Utf8, path, reinterpret_cast<std::uint8_t*>(bytes.data()));
    bytes.resize(n);
    return bytes;
}

namespace {

// The system name to open `path` by; empty for an empty path or one with an embedded NUL,
// which would open a different file.
std::string openableName(std::u16string_view path) {
    std::string name = systemPath(path);
    if (name.find('\0') != std::string::npos)
        name.clear();
    return name;
}

} // namespace

std::string FileError::systemReason() const {
    return kind == Kind::System ? std::system_category().message(code) : std::string();
}

namespace {

// The refusal for a path that exists but is no regular file; Kind::None for a regular one.
FileError::Kind refusalFor(mode_t mode) {
    if (S_ISREG(mode))
        return FileError::Kind::None;
    if (S_ISDIR(mode))
        return FileError::Kind::Folder;
    if (S_ISFIFO(mode))
        return FileError::Kind::Pipe;
    if (S_ISSOCK(mode))
        return FileError::Kind::Socket;
    return FileError::Kind::Device;
}

FileError systemError(int code) {
    return {FileError::Kind::System, code, 0};
}

} // namespace

InputFile::~InputFile() {
    close();
}

InputFile::InputFile(InputFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), error_(other.error_) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        error_ = other.error_;
    }
    return *this;
}

bool InputFile::open(std::u16string_view path) {
    close();
    error_ = {};
    const std::string name = openableName(path);
    if (name.empty()) {
        error_ = systemError(ENOENT);
        return false;
    }
    // The type is checked before opening: opening a pipe waits for a writer, and opening some
    // devices acts on them.
    struct stat st {};
    if (::stat(name.c_str(), &st) != 0) {
        error_ = systemError(errno);
        return false;
    }
    if (const FileError::Kind refusal = refusalFor(st.st_mode); refusal != FileError::Kind::None) {
        error_.kind = refusal;
        return false;
    }
    // O_NONBLOCK keeps the open from waiting should the path be swapped for a pipe meanwhile;
    // the type is checked again on what was opened.
    const int fd = openRetrying(name, O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        error_ = systemError(errno);
        return false;
    }
    if (::fstat(fd, &st) != 0) {
        error_ = systemError(errno);
        ::close(fd);
        return false;
    }
    if (const FileError::Kind refusal = refusalFor(st.st_mode); refusal != FileError::Kind::None) {
        error_.kind = refusal;
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    fd_ = fd;
    return true;
}

std::optional<std::uint64_t> InputFile::size() const {
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0 || st.st_size < 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

void InputFile::close() {
    if (fd_ >= 0)
        ::close(std::exchange(fd_, -1));
}

FileContents::~FileContents() {
    release();
}

FileContents::FileContents(FileContents&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)), error_(other.error_) {}

FileContents& FileContents::operator=(FileContents&& other) noexcept {
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        error_ = other.error_;
    }
    return *this;
}

void FileContents::release() {
    unmapAnonymousMemory(data_, capacity_);
    data_ = nullptr;
    size_ = 0;
    capacity_ = 0;
}

namespace {

bool sameVersion(const struct stat& a, const struct stat& b) {
    return a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

} // namespace

bool FileContents::readOnce(int fd, std::uint64_t maxBytes, bool& changed) {
    release();
    struct stat before {};
    if (::fstat(fd, &before) != 0) {
        error_ = systemError(errno);
        return false;
    }
    const auto expected = static_cast<std::uint64_t>(before.st_size);
    if (expected > maxBytes || expected >= SIZE_MAX / 2) {
        error_ = {FileError::Kind::TooLarge, 0, expected};
        return false;
    }
    // One byte more than the size shows whether the file grew; files that report no size
    // (such as the system's own status files) are read until their end.
    const std::uint64_t limit = std::min<std::uint64_t>(maxBytes, SIZE_MAX / 2);
    std::size_t room = static_cast<std::size_t>(expected) + (expected == 0 ? 65536 : 1);
    for (;;) {
        if (capacity_ < room) {
            auto* grown = static_cast<std::uint8_t*>(mapAnonymousMemory(room));
            if (grown == nullptr) {
                error_ = {FileError::Kind::OutOfMemory, 0, expected};
                return false;
            }
            if (size_ != 0)
                std::memcpy(grown, data_, size_);
            const std::size_t kept = size_;
            release();
            data_ = grown;
            size_ = kept;
            capacity_ = room;
        }
        const ssize_t n = ::pread(fd, data_ + size_, capacity_ - size_, static_cast<off_t>(size_));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error_ = systemError(errno);
            release();
            return false;
        }
        if (n == 0)
            break;
        size_ += static_cast<std::size_t>(n);
        if (size_ > limit) {
            error_ = {FileError::Kind::TooLarge, 0, size_};
            release();
            return false;
        }
        if (size_ == capacity_)
            room = static_cast<std::size_t>(std::min<std::uint64_t>(2 * capacity_, limit + 1));
    }
    struct stat after {};
    if (::fstat(fd, &after) != 0) {
        error_ = systemError(errno);
        release();
        return false;
    }
    changed = !sameVersion(before, after) || (expected != 0 && size_ != expected);
    return true;
}

bool FileContents::read(const InputFile& file, std::uint64_t maxBytes) {
    error_ = {};
    if (!file.isOpen()) {
        release();
        error_ = systemError(EBADF);
        return false;
    }
    constexpr int kAttempts = 4;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        bool changed = false;
        if (!readOnce(file.descriptor(), maxBytes, changed))
            return false;
        if (!changed)
            return true;
    }
    release();
    error_.kind = FileError::Kind::Changing;
    return false;
}

OutputFile::~OutputFile() {
    close();
}

OutputFile::OutputFile(OutputFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

bool OutputFile::create(std::u16string_view path) {
    close();
    const std::string name = openableName(path);
    if (name.empty())
        return false;
    fd_ = openRetrying(name, O_WRONLY | O_CREAT | O_TRUNC, 0666);
    return fd_ >= 0;
}

bool OutputFile::write(std::span<const std::uint8_t> bytes) {
    return fd_ >= 0 && writeAll(fd_, bytes.data(), bytes.size());
}

bool OutputFile::close() {
    if (fd_ < 0)
        return true;
    // close() may report a deferred write error (a full disk on a network file system).
    return ::close(std::exchange(fd_, -1)) == 0;
}

bool fileExists(std::u16string_view path) {
    const std::string name = openableName(path);
    struct stat st {};
    return !name.empty() && ::stat(name.c_str(), &st) == 0;
}

bool copyFileIfAbsent(std::u16string_view from, std::u16string_view to) {
    InputFile source;
    if (!source.open(from))
        return false;
    const std::string target = openableName(to);
    if (target.empty())
        return false;
    // O_EXCL makes "unless it exists" one step, so two copies never both write the target.
    const int fd = openRetrying(target, O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0)
        return false;
    std::vector<std::uint8_t> buffer(65536);
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(source.descriptor(), buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        if (!writeAll(fd, buffer.data(), static_cast<std::size_t>(n))) {
            ok = false;
            break;
        }
    }
    if (::close(fd) != 0)
        ok = false;
    if (!ok)
        ::unlink(target.c_str());
    return ok;
}

std::optional<std::u16string> programPath() {
    std::vector<char> buffer(PATH_MAX);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return std::nullopt;
        if (static_cast<std::size_t>(n) < buffer.size()) {
            std::u16string path(static_cast<std::size_t>(n), u'\0');
            const std::size_t units = decodeToUtf16(
                CodePage::Utf8,
                {reinterpret_cast<const std::uint8_t*>(buffer.data()), static_cast<std::size_t>(n)},
                path.data());
            path.resize(units);
            return path;
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace platform
