#pragma once
// Building list file images byte by byte for the list tests.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class ListImage {
public:
    // Starts an image with `tag` and a size field to be filled by finish() (or `size`).
    explicit ListImage(std::string_view tag) {
        bytes_.insert(bytes_.end(), tag.begin(), tag.end());
        append32(0);
    }
    // Appends a UTF-16LE string and, unless told otherwise, its terminator.
    ListImage& string(std::u16string_view text, bool terminate = true) {
        for (char16_t c : text) {
            bytes_.push_back(static_cast<char>(c & 0xFF));
            bytes_.push_back(static_cast<char>(c >> 8));
        }
        if (terminate)
            bytes_.append(2, '\0');
        return *this;
    }
    // Appends a FileRecord image whose first value is `caret`, or only `length` of its bytes.
    ListImage& record(std::int32_t caret, std::size_t length = 64) {
        std::string rec(64, '\0');
        for (int i = 0; i < 4; ++i)
            rec[i] = static_cast<char>((static_cast<std::uint32_t>(caret) >> (8 * i)) & 0xFF);
        bytes_.append(rec.substr(0, length));
        return *this;
    }
    // Appends raw bytes.
    ListImage& raw(std::string_view more) {
        bytes_.append(more);
        return *this;
    }
    // The image with the size field set to its length, or to `size` when given.
    std::string finish(std::int64_t size = -1) const {
        std::string image = bytes_;
        const auto value = static_cast<std::uint32_t>(size < 0 ? image.size() : size);
        for (int i = 0; i < 4; ++i)
            image[4 + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        return image;
    }

private:
    void append32(std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    std::string bytes_;
};

inline std::span<const std::byte> asBytes(const std::string& text) {
    return {reinterpret_cast<const std::byte*>(text.data()), text.size()};
}
