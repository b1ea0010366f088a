#pragma once
// A list that every running copy shares: one named mutex and one named 65,536-byte block per
// list file. The block holds exactly the bytes of the list file: a 4-character tag, the total
// size (32-bit little endian, header included) and the list body. Copies pull the list out of
// the block before reading it, push it back after changing it, and the file is written from
// the block whenever a copy ends.

#include "platform/NamedMutex.h"
#include "platform/SharedMemory.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace document {

class SharedListStore {
public:
    static constexpr std::size_t kBlockSize = 65536;
    static constexpr std::size_t kHeaderSize = 8;
    using Tag = std::array<char, 4>;

    // Shared: through the named objects of the program directory. MemoryOnly: the list lives in
    // this object alone and is never saved (also what happens when the objects cannot be made).
    enum class Sharing { Shared, MemoryOnly };

    // Writes the list file from the block, then closes the named objects.
    virtual ~SharedListStore();
    SharedListStore(const SharedListStore&) = delete;
    SharedListStore& operator=(const SharedListStore&) = delete;

    // Replaces the entries by the list in the block; an uninitialised block or one with a
    // foreign tag gives an empty list. Does nothing without a block.
    void pull();
    // Publishes the entries into the block; the oldest entries that do not fit are left out.
    void push();
    // Writes the block to the list file (replacing it) when the block holds this list.
    void saveFile();

    // Whether the shared block is mapped.
    bool hasBlock() const { return block_ != nullptr && block_->valid(); }
    // The list file's full path.
    const std::string& filePath() const { return path_; }

    // Writes the list body into `destination` (oldest entries left out when they do not fit)
    // and returns the bytes written.
    virtual std::size_t serialize(std::span<std::byte> destination) const = 0;
    // Replaces the entries by those of `body`, keeping every complete entry before the first
    // empty string, damaged entry or the end of the bytes.
    virtual void deserialize(std::span<const std::byte> body) = 0;

    // The body of a block or list file image when it holds a list with `tag`: the bytes after
    // the header up to the size field, or to the end of the image when the field claims more;
    // empty when the field is smaller than the header. nullopt for a foreign tag or an image
    // shorter than the header.
    static std::optional<std::span<const std::byte>> bodyOf(std::span<const std::byte> image,
                                                            const Tag& tag);

protected:
    // Opens or creates the mutex "//kiv/<fileName>/mutex" and block "//kiv/<fileName>/share"
    // for the file `fileName` in the program directory. Derived classes call load() once built.
    SharedListStore(std::string fileName, const Tag& tag, Sharing sharing);
    // The first copy (block not yet holding this list) copies the list file into the block;
    // then pull. A block whose size field does not fit it is rewritten from what was read.
    void load();

private:
    // Calls `body` with the block while holding the mutex; does nothing without a block or when
    // the mutex cannot be taken.
    template <typename Body> void withBlockLocked(Body body);

    std::string fileName_;
    std::string path_;
    Tag tag_;
    std::unique_ptr<platform::NamedMutex> mutex_;
    std::unique_ptr<platform::SharedMemory> block_;
};

} // namespace document
