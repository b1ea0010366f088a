#include "document/ListBody.h"

#include <algorithm>

namespace document {

std::optional<std::u16string> ListBodyReader::readString() {
    std::u16string text;
    for (std::size_t at = position_; at + 1 < body_.size(); at += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned>(body_[at]) |
                                                (static_cast<unsigned>(body_[at + 1]) << 8));
        if (unit == 0) {
            position_ = at + 2;
            return text;
        }
        text.push_back(unit);
    }
    return std::nullopt;
}

bool ListBodyReader::readBytes(std::span<std::byte> out) {
    if (body_.size() - position_ < out.size())
        return false;
    std::copy_n(body_.begin() + static_cast<std::ptrdiff_t>(position_), out.size(), out.begin());
    position_ += out.size();
    return true;
}

bool ListBodyWriter::writeString(std::u16string_view text) {
    if (stringSize(text) > remaining())
        return false;
    for (const char16_t unit : text) {
        out_[position_++] = static_cast<std::byte>(unit & 0xFF);
        out_[position_++] = static_cast<std::byte>(unit >> 8);
    }
    out_[position_++] = std::byte{0};
    out_[position_++] = std::byte{0};
    return true;
}

bool ListBodyWriter::writeBytes(std::span<const std::byte> bytes) {
    if (bytes.size() > remaining())
        return false;
    std::copy(bytes.begin(), bytes.end(), out_.begin() + static_cast<std::ptrdiff_t>(position_));
    position_ += bytes.size();
    return true;
}

} // namespace document
