#pragma once
// The text of a file being opened, gathered in anonymous memory so that a large document never
// passes through the small-object heap. It grows in whole steps; when a step cannot be had the
// buffer keeps what it holds and raises its error flag.

#include "document/DocumentDecoder.h"

#include <cstddef>
#include <string_view>

namespace shell {

class LoadBuffer : public document::DecodedTextSink {
public:
    // The initial capacity and the growth step, in characters.
    static constexpr std::size_t kStep = 0x2000000;

    // `step` characters of room at first, more in multiples of `step`.
    explicit LoadBuffer(std::size_t step = kStep);
    ~LoadBuffer() override;
    LoadBuffer(const LoadBuffer&) = delete;
    LoadBuffer& operator=(const LoadBuffer&) = delete;

    // Appends units, growing when they do not fit; false, with the error flag set, when the
    // buffer could not grow (nothing of `units` is appended then).
    bool append(std::u16string_view units) override;
    // Empties the text, keeping the room.
    void restart() override { size_ = 0; }
    // Whether an append could not get room.
    bool failed() const { return failed_; }
    // The units appended so far.
    std::u16string_view text() const { return {data_, size_}; }
    // The room held now, in characters.
    std::size_t capacity() const { return capacity_; }

private:
    bool grow(std::size_t needed);

    std::size_t step_;
    char16_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    bool failed_ = false;
};

} // namespace shell
