#pragma once
// An exclusive claim on a name ("//kiv/lock/home/me/a.txt") held by one process and readable by
// all: who holds it and which of its windows. It stands on an flock()ed file in the runtime
// folder, so the kernel drops the claim of a process that exits or is killed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Who holds a claim: a process and the window it names for "bring me to the front".
struct ClaimHolder {
    std::int64_t processId = 0;
    std::uint64_t window = 0;
    friend bool operator==(const ClaimHolder&, const ClaimHolder&) = default;
};

// This process's identity with the given window.
ClaimHolder currentProcessHolder(std::uint64_t window);

class FileClaim {
public:
    enum class Outcome { Claimed, HeldElsewhere, Unavailable };

    FileClaim() = default;
    ~FileClaim() { release(); }
    FileClaim(FileClaim&& other) noexcept;
    FileClaim& operator=(FileClaim&& other) noexcept;
    FileClaim(const FileClaim&) = delete;
    FileClaim& operator=(const FileClaim&) = delete;

    // Claims `name` for `self`, releasing any claim this object held. Claimed: held until
    // release(). HeldElsewhere: `holder` says by whom (another open claim, possibly of this very
    // process). Unavailable: the runtime folder or lock file cannot be used.
    Outcome claim(std::string_view name, const ClaimHolder& self, ClaimHolder* holder = nullptr);
    // Gives the claim up; nothing happens when none is held.
    void release();
    // Whether this object holds a claim.
    bool held() const { return fd_ >= 0; }

    // Who holds `name` now, without claiming it; nullopt when nobody does (or the lock files
    // cannot be used). A holder that has not yet written its identity reads as {pid 0, window 0}.
    static std::optional<ClaimHolder> holderOf(std::string_view name);

private:
    int fd_ = -1;
    std::string path_;
};

} // namespace platform
