#include "platform/SharedMemory.h"

#include "platform/ProgramDirectory.h"
#include "platform/RuntimeDirectory.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace platform {

namespace {

int retryFlock(int fd, int operation) {
    int result = 0;
    do {
        result = flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    return result;
}

} // namespace

// Every user holds a shared flock() on a companion "users" file while it has the section open.
// The one that can turn its lock exclusive on closing is the last user and unlinks the section;
// an opener waits for that before it creates a fresh one.
SharedMemory::SharedMemory(std::string_view name, std::size_t size) {
    const std::string dir = runtimeDirectory();
    if (dir.empty() || size == 0)
        return;
    const std::string key = namedObjectFileName(programDirectory(), name);
    const std::string shmName = "/" + key;
    if (shmName.size() >= sizeof name_)
        return;
    std::memcpy(name_, shmName.c_str(), shmName.size() + 1);

    usersFd_ =
        open((dir + key + ".users").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (usersFd_ < 0 || retryFlock(usersFd_, LOCK_SH) != 0) {
        if (usersFd_ >= 0)
            close(usersFd_);
        usersFd_ = -1;
        return;
    }
    const int fd = shm_open(name_, O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    struct stat info {};
    // A section that another user planted under our name is never used.
    const bool ours = fstat(fd, &info) == 0 && info.st_uid == geteuid();
    const bool sized = ours && (static_cast<std::size_t>(info.st_size) >= size ||
                                ftruncate(fd, static_cast<off_t>(size)) == 0);
    if (sized) {
        void* mapped = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (mapped != MAP_FAILED) {
            data_ = static_cast<std::byte*>(mapped);
            size_ = size;
        }
    }
    close(fd);
}

SharedMemory::~SharedMemory() {
    if (data_ != nullptr)
        munmap(data_, size_);
    if (usersFd_ < 0)
        return;
    if (flock(usersFd_, LOCK_EX | LOCK_NB) == 0 && name_[0] != '\0')
        shm_unlink(name_);
    close(usersFd_);
}

} // namespace platform
