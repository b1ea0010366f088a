#pragma once
// One running copy edits a file at a time: the copy that edits it holds the file's lock, and
// the others can see which copy (and which of its windows) that is. A copy that exits or dies
// never leaves a file locked.

#include "platform/FileClaim.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace document {

class FileLock {
public:
    enum class Result {
        Claimed,       // this copy holds the lock now
        HeldElsewhere, // another holder has it (possibly another lock of this very copy)
        Unavailable,   // locks cannot be used here; the caller goes on without one
    };
    struct Outcome {
        Result result = Result::Unavailable;
        platform::ClaimHolder holder; // who holds it, for HeldElsewhere
    };

    FileLock() = default;

    // Claims the lock of `path` for this copy's window `window`, giving up any lock held
    // before. A held lock is never taken over.
    Outcome claim(std::u16string_view path, std::uint64_t window);
    // Gives the lock up; nothing happens when none is held.
    void release();
    // Whether a lock is held.
    bool held() const { return claim_.held(); }
    // The path of the held lock; empty when none is held.
    const std::u16string& path() const { return path_; }

    // The holder of the lock of `path` now, without claiming it; nullopt when unclaimed.
    static std::optional<platform::ClaimHolder> holderOf(std::u16string_view path);
    // Asks the copy that holds a lock to bring its window to the front; false when the request
    // could not be delivered.
    static bool bringToFront(const platform::ClaimHolder& holder);
    // The lock's name: "//kiv/lock/" followed by the absolute path with symbolic links, "." and
    // ".." resolved, so that every spelling of one file names one lock.
    static std::string lockName(std::u16string_view path);

private:
    platform::FileClaim claim_;
    std::u16string path_;
};

} // namespace document
