#pragma once
// An owned array of trivially copyable elements obtained from a BlockAllocator. Move-only; the
// storage goes back to its allocator when the Block is destroyed or reset.

#include "editctl/BlockAllocator.h"
#include "editctl/COomEx.h"

#include <cstddef>
#include <limits>
#include <type_traits>
#include <utility>

namespace editctl {

template <class T> class Block {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    Block() = default;
    // Allocates room for `count` elements (zero-filled when asked); throws COomEx on failure.
    Block(BlockAllocator& allocator, std::size_t count, bool zeroed = false)
        : allocator_(&allocator), count_(count) {
        if (count > std::numeric_limits<std::size_t>::max() / sizeof(T)) {
            throw COomEx(std::numeric_limits<std::size_t>::max());
        }
        data_ = static_cast<T*>(allocator.allocate(count * sizeof(T), zeroed));
    }
    ~Block() { reset(); }
    Block(Block&& other) noexcept
        : allocator_(other.allocator_), data_(std::exchange(other.data_, nullptr)),
          count_(std::exchange(other.count_, 0)) {}
    Block& operator=(Block&& other) noexcept {
        if (this != &other) {
            reset();
            allocator_ = other.allocator_;
            data_ = std::exchange(other.data_, nullptr);
            count_ = std::exchange(other.count_, 0);
        }
        return *this;
    }
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;

    // Frees the storage; the Block becomes empty.
    void reset() noexcept {
        if (data_ != nullptr) {
            allocator_->deallocate(data_, count_ * sizeof(T));
        }
        data_ = nullptr;
        count_ = 0;
    }
    // Gives up ownership; the caller frees the storage with deallocate(ptr, count * sizeof(T)).
    T* release() noexcept {
        count_ = 0;
        return std::exchange(data_, nullptr);
    }

    // Shrinks to `count` elements without moving them when the allocator can (mapped blocks);
    // false, with nothing changed, when it cannot.
    bool shrinkInPlace(std::size_t count) noexcept {
        if (data_ == nullptr ||
            !allocator_->shrinkInPlace(data_, count_ * sizeof(T), count * sizeof(T))) {
            return false;
        }
        count_ = count;
        return true;
    }

    // Grows to `count` elements keeping them, without copying when the allocator can (mapped
    // blocks; the storage may move); false, with nothing changed, when it cannot.
    bool growMapped(std::size_t count) noexcept {
        if (data_ == nullptr || count < count_ ||
            count > std::numeric_limits<std::size_t>::max() / sizeof(T)) {
            return false;
        }
        void* moved = allocator_->growMapped(data_, count_ * sizeof(T), count * sizeof(T));
        if (moved == nullptr) {
            return false;
        }
        data_ = static_cast<T*>(moved);
        count_ = count;
        return true;
    }

    T* data() noexcept { return data_; }
    const T* data() const noexcept { return data_; }
    // Number of elements the storage holds.
    std::size_t capacity() const noexcept { return count_; }
    T& operator[](std::size_t i) noexcept { return data_[i]; }
    const T& operator[](std::size_t i) const noexcept { return data_[i]; }
    explicit operator bool() const noexcept { return data_ != nullptr; }

private:
    BlockAllocator* allocator_ = nullptr;
    T* data_ = nullptr;
    std::size_t count_ = 0;
};

} // namespace editctl
