#include "platform/ReplacingFile.h"

#include "platform/CodePage.h"
#include "platform/FileWriteFaultInternal.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

std::u16string fromSystem(const std::string& name) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(name.data());
    std::u16string path(name.size(), u'\0');
    path.resize(decodeToUtf16(CodePage::Utf8, std::span(bytes, name.size()), path.data()));
    return path;
}

// The file a path names, symbolic links followed (also one that names a file not made yet).
std::string resolvedTarget(const std::string& name) {
    std::string current = name;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
        if (n <= 0)
            return current;
        link.resize(static_cast<std::size_t>(n));
        if (link.front() != '/') {
            const std::size_t slash = current.rfind('/');
            if (slash != std::string::npos)
                link.insert(0, current, 0, slash + 1);
        }
        current = link;
    }
    return current;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

bool readWhole(int fd, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
}

// Whether this user may write the file. The superuser may write any file, but one without any
// write permission was made read-only on purpose and is not written either.
bool writable(const std::string& path, const struct stat& st) {
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        return false;
    return ::geteuid() != 0 || (st.st_mode & 0222) != 0;
}

void flushFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        flushToDisk(fd);
        ::close(fd);
    }
}

} // namespace

std::string WriteError::systemReason() const {
    return code != 0 ? std::system_category().message(code) : std::string();
}

ReplacingFile::~ReplacingFile() {
    abandon();
}

bool ReplacingFile::fail(int code) {
    if (!error_.failed())
        error_.code = code != 0 ? code : EIO;
    return false;
}

void ReplacingFile::reset() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    method_ = Method::None;
    temporary_.clear();
    oldBytes_.clear();
    oldBytes_.shrink_to_fit();
    written_ = 0;
}

bool ReplacingFile::begin(std::u16string_view target) {
    abandon();
    error_ = WriteError{std::u16string(target), 0};
    const std::string name = systemPath(target);
    if (name.empty() || name.find('\0') != std::string::npos)
        return fail(ENOENT);
    target_ = resolvedTarget(name);
    if (target_ != name)
        error_.path = fromSystem(target_);
    struct stat st {};
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return fail(EISDIR);
    if (exists && !S_ISREG(st.st_mode))
        return fail(EINVAL);
    // Renaming over a file needs only the folder's permission, so a file its owner made
    // read-only would be replaced all the same; it is refused as writing it would be.
    if (exists && !writable(target_, st))
        return fail(EACCES);

    std::string temporary = folderOf(target_) + "/.kiv-save-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd >= 0) {
        // The new file takes the old one's permissions (and owner, where allowed).
        const mode_t mode = exists ? st.st_mode & 07777 : 0666 & ~currentUmask();
        ::fchmod(fd, mode);
        if (exists && ::fchown(fd, st.st_uid, st.st_gid) != 0)
            ::fchmod(fd, mode);
        fd_ = fd;
        temporary_ = temporary;
        method_ = Method::Replace;
        return true;
    }
    const int folderError = errno;
    // The folder takes no new file: write the file itself, keeping its bytes to put back.
    if (!exists)
        return fail(folderError);
    const int inPlace = ::open(target_.c_str(), O_RDWR | O_CLOEXEC);
    if (inPlace < 0)
        return fail(errno == ENOENT ? folderError : errno);
    if (!readWhole(inPlace, oldBytes_) || ::ftruncate(inPlace, 0) != 0 ||
        ::lseek(inPlace, 0, SEEK_SET) != 0) {
        const int code = errno;
        ::close(inPlace);
        oldBytes_.clear();
        return fail(code);
    }
    fd_ = inPlace;
    method_ = Method::InPlace;
    return true;
}

bool ReplacingFile::write(std::span<const std::uint8_t> bytes) {
    if (fd_ < 0 || error_.failed())
        return fail(EBADF);
    if (!writeAllBytes(fd_, bytes.data(), bytes.size()))
        return fail(errno);
    written_ += bytes.size();
    return true;
}

bool ReplacingFile::commit() {
    if (fd_ < 0 || error_.failed()) {
        abandon();
        return fail(EBADF);
    }
    if (!flushToDisk(fd_)) {
        const int code = errno;
        abandon();
        return fail(code);
    }
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0) {
        const int code = errno;
        abandon();
        return fail(code);
    }
    if (method_ == Method::Replace && ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int code = errno;
        abandon();
        return fail(code);
    }
    flushFolder(folderOf(target_));
    temporary_.clear();
    oldBytes_.clear();
    method_ = Method::None;
    return true;
}

bool ReplacingFile::restoreInPlace() {
    const int fd = fd_ >= 0 ? fd_ : ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
    fd_ = -1;
    if (fd < 0)
        return false;
    // Putting the old bytes back must not meet the fault that stopped the new ones.
    bool restored = ::ftruncate(fd, 0) == 0 && ::lseek(fd, 0, SEEK_SET) == 0;
    for (std::size_t done = 0; restored && done < oldBytes_.size();) {
        const ssize_t n = ::write(fd, oldBytes_.data() + done, oldBytes_.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        restored = n > 0;
        done += n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    ::close(fd);
    return restored;
}

void ReplacingFile::abandon() {
    if (method_ == Method::Replace) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        ::unlink(temporary_.c_str());
    } else if (method_ == Method::InPlace) {
        restoreInPlace();
    }
    reset();
}

} // namespace platform
