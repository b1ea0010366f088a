#pragma once
// A mutex that every process of this user can open by name ("//kiv/file.mru/mutex"). It stands
// on an flock()ed lock file in the runtime folder, so a process that dies releases it. Names are
// scoped by the program directory: copies that share a program directory share the mutex.

#include <memory>
#include <string_view>

namespace platform {

class NamedMutex {
public:
    // Creates or opens the mutex `name` (not taken); check valid().
    explicit NamedMutex(std::string_view name);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // Whether the mutex could be created or opened.
    bool valid() const { return entry_ != nullptr; }
    // Waits without a time limit until this thread holds the mutex; a thread that already holds
    // it takes it again (each lock needs its unlock). False when the wait failed.
    bool lock();
    // Gives back one lock() of this thread; the mutex is free once every lock is given back.
    void unlock();

    struct Entry;

private:
    std::shared_ptr<Entry> entry_;
};

// Holds a NamedMutex for a scope; owns() says whether the wait succeeded.
class NamedMutexLock {
public:
    explicit NamedMutexLock(NamedMutex& mutex) : mutex_(mutex), owns_(mutex.lock()) {}
    ~NamedMutexLock() {
        if (owns_)
            mutex_.unlock();
    }
    NamedMutexLock(const NamedMutexLock&) = delete;
    NamedMutexLock& operator=(const NamedMutexLock&) = delete;
    // Whether the mutex is held.
    bool owns() const { return owns_; }

private:
    NamedMutex& mutex_;
    bool owns_;
};

} // namespace platform
