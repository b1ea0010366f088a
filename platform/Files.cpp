#include "platform/Files.h"

#include "platform/CodePage.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
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
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
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

InputFile::~InputFile() {
    close();
}

InputFile::InputFile(InputFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

bool InputFile::open(std::u16string_view path) {
    close();
    const std::string name = openableName(path);
    if (name.empty())
        return false;
    const int fd = openRetrying(name, O_RDONLY);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
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

FileMapping::~FileMapping() {
    unmap();
}

FileMapping::FileMapping(FileMapping&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

FileMapping& FileMapping::operator=(FileMapping&& other) noexcept {
    if (this != &other) {
        unmap();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

bool FileMapping::map(const InputFile& file) {
    unmap();
    const auto size = file.size();
    if (!size)
        return false;
    if (*size == 0)
        return true;
    if (*size > SIZE_MAX)
        return false;
    void* p = ::mmap(nullptr, static_cast<std::size_t>(*size), PROT_READ, MAP_PRIVATE,
                     file.descriptor(), 0);
    if (p == MAP_FAILED)
        return false;
    data_ = static_cast<const std::uint8_t*>(p);
    size_ = static_cast<std::size_t>(*size);
    return true;
}

void FileMapping::unmap() {
    if (data_ != nullptr)
        ::munmap(const_cast<std::uint8_t*>(data_), size_);
    data_ = nullptr;
    size_ = 0;
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
