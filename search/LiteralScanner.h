#pragma once
// Finds a fixed run of UTF-16 units in a text, optionally folding A-Z, with a skip table keyed
// on the low byte of each unit (units sharing a low byte share the smallest skip), so the scan
// usually looks at a fraction of the text, Japanese text included.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace search {

class LiteralScanner {
public:
    static constexpr std::size_t npos = std::u16string_view::npos;

    // Prepares to search for `literal` (folding A-Z on both sides when foldCase is set).
    LiteralScanner(std::u16string_view literal, bool foldCase);

    // The first index i >= from with the literal at i, or npos.
    std::size_t find(std::u16string_view text, std::size_t from) const;
    // The last index i <= last with the literal at i, or npos.
    std::size_t findBackward(std::u16string_view text, std::size_t last) const;
    // True when the literal stands at index i of text.
    bool matchesAt(std::u16string_view text, std::size_t i) const;

    std::size_t length() const { return literal_.size(); }

private:
    char16_t unit(char16_t c) const;

    std::u16string literal_; // folded when foldCase_
    bool foldCase_;
    std::array<std::uint32_t, 256> skip_{};
};

} // namespace search
