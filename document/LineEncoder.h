#pragma once
// Encodes one line of UTF-16 text (without its line break) in a document encoding. Shift_JIS,
// UTF-8 and Windows-1252 go straight through the code-page converter (a character the code
// page lacks becomes '?'); EUC-JP and ISO-2022-JP are made from the Shift_JIS form; UTF-16
// units are written as they are, or byte-swapped for big endian.

#include "platform/CodePage932Spelling.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace document {

class LineEncoder {
public:
    // The bytes of `text` in encoding `encoding` (1-10; other ids give no bytes). ISO-2022-JP
    // starts in ASCII and ends with ESC ( B. The bytes stay valid until the next call.
    std::span<const std::uint8_t> encode(std::int32_t encoding, std::u16string_view text);
    // Makes code page 932 text (Shift_JIS, and EUC-JP and ISO-2022-JP through it) written with
    // the codes `spelling` kept (it must outlive the encoding); nullptr writes the usual ones.
    void setSpelling(const platform::Cp932Spelling* spelling) { spelling_ = spelling; }

private:
    std::span<const std::uint8_t> encodeCodePage(unsigned page, std::u16string_view text,
                                                 std::vector<std::uint8_t>& into);

    const platform::Cp932Spelling* spelling_ = nullptr;

    std::vector<std::uint8_t> pivot_;
    std::vector<std::uint8_t> output_;
};

} // namespace document
