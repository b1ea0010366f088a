#pragma once
// Pixel widths of UTF-16 code units, measured once per font. Entries are 16 bits wide, so even
// the largest glyphs of big fonts on dense screens are kept exactly.

#include <array>
#include <cstdint>

namespace editctl {

class CharMetrics;

class WidthCache {
public:
    // Widths wider than this are kept as this (no font comes near it).
    static constexpr int kMaxWidth = 0xFFFE;
    // What known() gives for a code unit not measured yet.
    static constexpr std::uint16_t kUnknown = 0xFFFF;

    WidthCache() { clear(); }

    // Measures through `metrics` from now on (null: every unmeasured width is 0).
    void setMetrics(CharMetrics* metrics) noexcept { metrics_ = metrics; }
    // Forgets every width (the font changed).
    void clear() noexcept { widths_.fill(kUnknown); }
    // The width of `ch`, measured on first use.
    int width(char16_t ch) {
        const std::uint16_t cached = widths_[ch];
        return cached != kUnknown ? cached : measure(ch);
    }
    // The width of `ch` if it has been measured, else kUnknown; never measures.
    std::uint16_t known(char16_t ch) const noexcept { return widths_[ch]; }

private:
    int measure(char16_t ch);

    CharMetrics* metrics_ = nullptr;
    std::array<std::uint16_t, 65536> widths_;
};

} // namespace editctl
