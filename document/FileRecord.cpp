#include "document/FileRecord.h"

namespace document {

void FileRecord::store(std::span<std::byte, kBytes> out) const {
    for (std::size_t i = 0; i < kValues; ++i) {
        const auto value = static_cast<std::uint32_t>(values[i]);
        for (std::size_t b = 0; b < 4; ++b)
            out[i * 4 + b] = static_cast<std::byte>((value >> (8 * b)) & 0xFF);
    }
}

FileRecord FileRecord::load(std::span<const std::byte, kBytes> in) {
    FileRecord record;
    for (std::size_t i = 0; i < kValues; ++i) {
        std::uint32_t value = 0;
        for (std::size_t b = 0; b < 4; ++b)
            value |= static_cast<std::uint32_t>(in[i * 4 + b]) << (8 * b);
        record.values[i] = static_cast<std::int32_t>(value);
    }
    return record;
}

} // namespace document
