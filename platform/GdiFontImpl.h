#pragma once
// A font object: the toolkit font made from a description, its metrics, and per-code-unit
// widths and glyphs cached so that measuring and drawing runs costs no font lookups.

#include "platform/GdiObjects.h"

#include <QFont>
#include <QFontMetrics>
#include <QRawFont>

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform::gdi {

// The face name that selects the deterministic test font.
inline constexpr std::u16string_view kTestFontFace = u"KivTestFont";
// The face used when a description names none or an unknown one.
std::u16string defaultFaceName();

class FontImpl final : public Font, public Managed {
public:
    // Builds the font for a description (lfFaceName must be zero-terminated within its array).
    explicit FontImpl(const LOGFONTW& description);
    DWORD objectType() const override { return OBJ_FONT; }

    // The description it was made from (the face name as asked for).
    const LOGFONTW& description() const { return description_; }
    // Whether this is the deterministic test font.
    bool isTestFont() const { return testFont_; }
    // The toolkit font (the default face at the same size for the test font).
    const QFont& toolkitFont() const { return font_; }
    // Height, ascent, widths and so on.
    const TEXTMETRICW& textMetrics() const { return metrics_; }

    // The advance of one code unit in pixels; a surrogate counts as half a full-width cell.
    int width(char16_t unit);
    // The sum of the widths of the code units.
    long extent(std::u16string_view text);

    // A glyph to draw: which face (see face()) and the glyph index in it.
    struct Glyph {
        int face = -1; // -1: nothing to draw
        std::uint32_t index = 0;
    };
    // The glyph for a code point, found through the toolkit's font fallback.
    Glyph glyph(char32_t codePoint);
    // A face that glyph() referred to.
    const QRawFont& face(int index) const { return faces_[static_cast<std::size_t>(index)]; }

private:
    void initRealFont();
    void initTestFont();
    int measure(char16_t unit) const;
    Glyph findGlyph(char32_t codePoint);

    LOGFONTW description_;
    bool testFont_ = false;
    QFont font_;
    std::optional<QFontMetrics> fontMetrics_;
    TEXTMETRICW metrics_;
    int fullWidth_ = 0;                // advance of U+3000, for surrogates
    std::vector<std::int16_t> widths_; // per code unit, -1 = not measured yet
    std::unordered_map<char32_t, Glyph> glyphs_;
    std::vector<QRawFont> faces_;
};

// The concrete font behind a handle, or nullptr.
FontImpl* fontOf(HFONT font);
// The font a context uses when none was selected.
HFONT defaultFont();

} // namespace platform::gdi
