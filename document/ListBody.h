#pragma once
// Bounded reading and writing of list bodies: UTF-16 little-endian strings ended by a 16-bit 0
// and raw records. The bytes may come from a damaged file or another process, so no read or
// write ever leaves the span it was given.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace document {

class ListBodyReader {
public:
    // Reads from `body`; an odd last byte can never be part of a string.
    explicit ListBodyReader(std::span<const std::byte> body) : body_(body) {}
    // The next string up to its terminator (consumed); nullopt when the body ends first.
    std::optional<std::u16string> readString();
    // Copies the next out.size() bytes; false (consuming nothing) when fewer remain.
    bool readBytes(std::span<std::byte> out);

private:
    std::span<const std::byte> body_;
    std::size_t position_ = 0;
};

class ListBodyWriter {
public:
    // Writes into `destination` from its start.
    explicit ListBodyWriter(std::span<std::byte> destination) : out_(destination) {}
    // Bytes still free.
    std::size_t remaining() const { return out_.size() - position_; }
    // Bytes written so far.
    std::size_t written() const { return position_; }
    // Appends the string and its terminator; false, writing nothing, when they do not fit.
    bool writeString(std::u16string_view text);
    // Appends raw bytes; false, writing nothing, when they do not fit.
    bool writeBytes(std::span<const std::byte> bytes);
    // Bytes writeString needs for `text`.
    static std::size_t stringSize(std::u16string_view text) { return (text.size() + 1) * 2; }

private:
    std::span<std::byte> out_;
    std::size_t position_ = 0;
};

// Writes a whole list body into `destination`: what `fill` writes through the writer, then the
// final 16-bit 0, whose two bytes are always kept free. Returns the body's size; 0 when
// `destination` cannot hold even the final terminator.
template <typename Fill> std::size_t writeListBody(std::span<std::byte> destination, Fill fill) {
    if (destination.size() < 2)
        return 0;
    ListBodyWriter writer(destination.first(destination.size() - 2));
    fill(writer);
    const std::size_t end = writer.written();
    destination[end] = std::byte{0};
    destination[end + 1] = std::byte{0};
    return end + 2;
}

} // namespace document
