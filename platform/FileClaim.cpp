#include "platform/FileClaim.h"

#include "platform/RuntimeDirectory.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>

namespace platform {

namespace {

constexpr std::array<char, 4> kMagic{'K', 'I', 'V', 'L'};
constexpr std::size_t kRecordSize = 4 + 8 + 8;

std::string claimPath(std::string_view name) {
    const std::string dir = runtimeDirectory();
    if (dir.empty())
        return {};
    return dir + namedObjectFileName("claims", name) + ".claim";
}

// The file at `path` is still the one `fd` has open: a releasing holder unlinks the file while
// it holds the lock, so a lock taken on an unlinked file means nothing.
bool stillLinked(int fd, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return fstat(fd, &opened) == 0 && lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

bool writeRecord(int fd, const ClaimHolder& holder) {
    std::array<char, kRecordSize> record{};
    std::memcpy(record.data(), kMagic.data(), kMagic.size());
    std::memcpy(record.data() + 4, &holder.processId, 8);
    std::memcpy(record.data() + 12, &holder.window, 8);
    return ftruncate(fd, 0) == 0 &&
           pwrite(fd, record.data(), record.size(), 0) == static_cast<ssize_t>(record.size());
}

// The holder writes its record right after taking the lock; give it a moment to do so.
ClaimHolder readRecord(int fd) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        std::array<char, kRecordSize> record{};
        if (pread(fd, record.data(), record.size(), 0) == static_cast<ssize_t>(record.size()) &&
            std::memcmp(record.data(), kMagic.data(), kMagic.size()) == 0) {
            ClaimHolder holder;
            std::memcpy(&holder.processId, record.data() + 4, 8);
            std::memcpy(&holder.window, record.data() + 12, 8);
            return holder;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return {};
}

} // namespace

ClaimHolder currentProcessHolder(std::uint64_t window) {
    return {static_cast<std::int64_t>(getpid()), window};
}

FileClaim::FileClaim(FileClaim&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

FileClaim& FileClaim::operator=(FileClaim&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

FileClaim::Outcome FileClaim::claim(std::string_view name, const ClaimHolder& self,
                                    ClaimHolder* holder) {
    release();
    const std::string path = claimPath(name);
    if (path.empty())
        return Outcome::Unavailable;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return Outcome::Unavailable;
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR) {
                close(fd);
                continue;
            }
            if (errno != EWOULDBLOCK) {
                close(fd);
                return Outcome::Unavailable;
            }
            // Only a holder's lock is exclusive; a copy that merely looks (holderOf) takes a
            // shared one for a moment. When a shared lock can be had, nobody holds the claim.
            if (flock(fd, LOCK_SH | LOCK_NB) == 0) {
                close(fd);
                std::this_thread::sleep_for(std::chrono::microseconds(200));
                continue;
            }
            if (holder != nullptr)
                *holder = readRecord(fd);
            close(fd);
            return Outcome::HeldElsewhere;
        }
        if (!stillLinked(fd, path)) {
            close(fd);
            continue;
        }
        if (!writeRecord(fd, self)) {
            unlink(path.c_str());
            close(fd);
            return Outcome::Unavailable;
        }
        fd_ = fd;
        path_ = path;
        return Outcome::Claimed;
    }
    return Outcome::Unavailable;
}

void FileClaim::release() {
    if (fd_ < 0)
        return;
    // Unlinking while still locked keeps the folder clean and is safe: anyone who locks the
    // old file afterwards sees that it is no longer linked and starts over.
    unlink(path_.c_str());
    close(fd_);
    fd_ = -1;
    path_.clear();
}

std::optional<ClaimHolder> FileClaim::holderOf(std::string_view name) {
    const std::string path = claimPath(name);
    if (path.empty())
        return std::nullopt;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return std::nullopt;
    std::optional<ClaimHolder> result;
    if (flock(fd, LOCK_SH | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            result = readRecord(fd);
    }
    close(fd);
    return result;
}

} // namespace platform
