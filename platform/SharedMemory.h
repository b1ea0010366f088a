#pragma once
// A named memory section that every process of this user can map ("//kiv/file.mru/share"):
// POSIX shared memory. Like the handheld system's sections it disappears when its last user
// closes it, so a fresh start finds it zeroed. Names are scoped by the program directory.

#include <cstddef>
#include <span>
#include <string_view>

namespace platform {

class SharedMemory {
public:
    // Creates or opens the section `name` with at least `size` bytes (new bytes are zero) and
    // maps `size` bytes of it read-write; check valid().
    SharedMemory(std::string_view name, std::size_t size);
    // Unmaps; the section is removed when no other process has it open.
    ~SharedMemory();
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;

    // Whether the section is mapped.
    bool valid() const { return data_ != nullptr; }
    // The mapped bytes (empty when not valid). Other processes may change them at any time
    // unless a mutex says otherwise.
    std::span<std::byte> bytes() const { return {data_, data_ ? size_ : 0}; }

private:
    std::byte* data_ = nullptr;
    std::size_t size_ = 0;
    int usersFd_ = -1;
    char name_[128] = {};
};

} // namespace platform
