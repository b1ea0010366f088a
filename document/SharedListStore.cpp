#include "document/SharedListStore.h"

#include "document/BufferedFileWriter.h"
#include "document/MappedFile.h"
#include "document/Utf8Text.h"
#include "platform/ProgramDirectory.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace document {

namespace {

std::uint32_t readLe32(std::span<const std::byte> bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

void writeLe32(std::span<std::byte> bytes, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
}

bool tagAt(std::span<const std::byte> image, const SharedListStore::Tag& tag) {
    return image.size() >= tag.size() && std::memcmp(image.data(), tag.data(), tag.size()) == 0;
}

// Reads at most `limit` bytes of the file; the bytes beyond the block could never be used.
std::vector<std::byte> readFilePrefix(const std::string& path, std::size_t limit) {
    MappedFile file;
    if (!file.open(utf8ToUtf16(path)))
        return {};
    const auto data = file.data().first(std::min(limit, file.size()));
    std::vector<std::byte> bytes(data.size());
    std::memcpy(bytes.data(), data.data(), data.size());
    return bytes;
}

} // namespace

SharedListStore::SharedListStore(std::string fileName, const Tag& tag, Sharing sharing)
    : fileName_(std::move(fileName)), tag_(tag) {
    if (sharing == Sharing::MemoryOnly)
        return;
    const std::string directory = platform::programDirectory();
    if (directory.empty())
        return;
    path_ = directory + fileName_;
    mutex_ = std::make_unique<platform::NamedMutex>("//kiv/" + fileName_ + "/mutex");
    if (!mutex_->valid())
        return;
    block_ = std::make_unique<platform::SharedMemory>("//kiv/" + fileName_ + "/share", kBlockSize);
}

SharedListStore::~SharedListStore() {
    saveFile();
}

std::optional<std::span<const std::byte>> SharedListStore::bodyOf(std::span<const std::byte> image,
                                                                  const Tag& tag) {
    if (image.size() < kHeaderSize || !tagAt(image, tag))
        return std::nullopt;
    const std::uint32_t total = readLe32(image.subspan(4, 4));
    if (total < kHeaderSize)
        return std::span<const std::byte>{};
    const std::size_t end = std::min<std::size_t>(total, image.size());
    return image.subspan(kHeaderSize, end - kHeaderSize);
}

template <typename Body> void SharedListStore::withBlockLocked(Body body) {
    if (!hasBlock())
        return;
    const platform::NamedMutexLock lock(*mutex_);
    if (lock.owns())
        body(block_->bytes());
}

void SharedListStore::load() {
    withBlockLocked([this](std::span<std::byte> block) {
        if (tagAt(block, tag_)) {
            pull();
            return;
        }
        const std::vector<std::byte> file = readFilePrefix(path_, kBlockSize);
        if (!file.empty()) {
            std::copy(file.begin(), file.end(), block.begin());
            std::fill(block.begin() + static_cast<std::ptrdiff_t>(file.size()), block.end(),
                      std::byte{0});
        }
        pull();
        // A file whose size field is not its length (a cut file, one longer than the block) is
        // republished from the entries that could be read, so the block and later saves agree.
        if (tagAt(block, tag_) && readLe32(block.subspan(4, 4)) != file.size())
            push();
    });
}

void SharedListStore::pull() {
    withBlockLocked([this](std::span<std::byte> block) {
        const auto body = bodyOf(block, tag_);
        deserialize(body.value_or(std::span<const std::byte>{}));
    });
}

void SharedListStore::push() {
    withBlockLocked([this](std::span<std::byte> block) {
        std::memcpy(block.data(), tag_.data(), tag_.size());
        const std::size_t body = serialize(block.subspan(kHeaderSize));
        writeLe32(block.subspan(4, 4), static_cast<std::uint32_t>(kHeaderSize + body));
    });
}

void SharedListStore::saveFile() {
    withBlockLocked([this](std::span<const std::byte> block) {
        if (!tagAt(block, tag_))
            return;
        const std::uint32_t total = readLe32(block.subspan(4, 4));
        if (total < kHeaderSize || total > kBlockSize)
            return;
        BufferedFileWriter out;
        if (!out.open(utf8ToUtf16(path_)))
            return;
        out.write({reinterpret_cast<const std::uint8_t*>(block.data()), total});
        out.close();
    });
}

} // namespace document
