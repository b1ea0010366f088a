#pragma once
// Decodes the bytes of one line (without its line break) in a document encoding to UTF-16.
// Shift_JIS, UTF-8 and Windows-1252 go straight through the code-page converter; EUC-JP and
// ISO-2022-JP are first turned into Shift_JIS; UTF-16 units are copied (swapped when big
// endian).

#include "document/JisShiftState.h"
#include "platform/CodePage.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace document {

class LineDecoder {
public:
    // Decodes `bytes` as encoding `encoding` (1-10) into `out`, which has room for
    // maxUnits(bytes.size()) units; returns what was written. Each invalid byte sequence
    // becomes one U+FFFD and is counted; a trailing odd byte of UTF-16 is one such sequence.
    // Code page 932 text (Shift_JIS, and EUC-JP and ISO-2022-JP through it) notes in `spelling`,
    // when given, the code of each character that has several. ISO-2022-JP goes on in the shift
    // state the previous line ended in. Other ids decode nothing.
    platform::DecodeResult decode(std::int32_t encoding, std::span<const std::uint8_t> bytes,
                                  char16_t* out, platform::Cp932Spelling* spelling = nullptr);
    // Starts a new text: ISO-2022-JP reads in ASCII again.
    void reset() { jisState_ = JisShiftState::Ascii; }

    // The most units decode() writes for `byteCount` bytes in any encoding.
    static std::size_t maxUnits(std::size_t byteCount) { return byteCount; }

private:
    // The Shift_JIS form of an EUC-JP or ISO-2022-JP line; reused between lines.
    std::vector<std::uint8_t> pivot_;
    JisShiftState jisState_ = JisShiftState::Ascii;
};

} // namespace document
