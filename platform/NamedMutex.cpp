#include "platform/NamedMutex.h"

#include "platform/ProgramDirectory.h"
#include "platform/RuntimeDirectory.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace platform {

// flock() locks belong to an open file, not a thread, so all NamedMutex objects of one name in
// this process share one open file, and threads of this process queue on a condition variable
// before they compete with other processes.
struct NamedMutex::Entry {
    explicit Entry(int descriptor) : fd(descriptor) {}
    ~Entry() { close(fd); }
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

    int fd;
    std::mutex guard;
    std::condition_variable freed;
    std::thread::id owner;
    int depth = 0;
};

namespace {

std::mutex registryGuard;
std::map<std::string, std::weak_ptr<NamedMutex::Entry>>& registry() {
    static std::map<std::string, std::weak_ptr<NamedMutex::Entry>> entries;
    return entries;
}

} // namespace

NamedMutex::NamedMutex(std::string_view name) {
    const std::string dir = runtimeDirectory();
    if (dir.empty())
        return;
    const std::string path = dir + namedObjectFileName(programDirectory(), name) + ".mutex";
    const std::lock_guard<std::mutex> hold(registryGuard);
    auto& slot = registry()[path];
    entry_ = slot.lock();
    if (entry_)
        return;
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return;
    entry_ = std::make_shared<Entry>(fd);
    slot = entry_;
}

NamedMutex::~NamedMutex() {
    if (!entry_)
        return;
    const std::lock_guard<std::mutex> hold(registryGuard);
    entry_.reset();
    for (auto it = registry().begin(); it != registry().end();) {
        it = it->second.expired() ? registry().erase(it) : std::next(it);
    }
}

bool NamedMutex::lock() {
    if (!entry_)
        return false;
    Entry& e = *entry_;
    const auto self = std::this_thread::get_id();
    std::unique_lock<std::mutex> guard(e.guard);
    if (e.owner == self) {
        ++e.depth;
        return true;
    }
    e.freed.wait(guard, [&] { return e.owner == std::thread::id(); });
    e.owner = self;
    guard.unlock();
    int result = 0;
    do {
        result = flock(e.fd, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    guard.lock();
    if (result != 0) {
        e.owner = std::thread::id();
        e.freed.notify_one();
        return false;
    }
    e.depth = 1;
    return true;
}

void NamedMutex::unlock() {
    if (!entry_)
        return;
    Entry& e = *entry_;
    const std::lock_guard<std::mutex> guard(e.guard);
    if (e.owner != std::this_thread::get_id() || e.depth == 0)
        return;
    if (--e.depth > 0)
        return;
    flock(e.fd, LOCK_UN);
    e.owner = std::thread::id();
    e.freed.notify_one();
}

} // namespace platform
