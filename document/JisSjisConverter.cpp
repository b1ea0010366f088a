#include "document/JisSjisConverter.h"

#include "document/EucSjisConverter.h"
#include "document/SjisJisPair.h"

#include <cstring>
#include <optional>

namespace document {

namespace {

constexpr std::uint8_t kEsc = 0x1B;
constexpr std::uint8_t kToKanji[3] = {kEsc, '$', 'B'};
constexpr std::uint8_t kToAscii[3] = {kEsc, '(', 'B'};
constexpr std::uint8_t kToKana[3] = {kEsc, '(', 'I'};

bool isKanaByte(std::uint8_t b) {
    return b >= 0xA0 && b <= 0xDF;
}

// How one Shift_JIS character at `i` is written: its state, its output bytes and how many
// input bytes it covers. A character ISO-2022-JP lacks (a single byte 80 or FD-FF, a vendor or
// user-defined row) becomes '?' in ASCII, as the code page does with characters it lacks.
struct SjisUnit {
    JisShiftState state;
    std::uint8_t bytes[2];
    std::size_t length;
};

SjisUnit classify(std::span<const std::uint8_t> in, std::size_t i) {
    const std::uint8_t b = in[i];
    if (b < 0x80) {
        return {JisShiftState::Ascii, {b, 0}, 1};
    }
    if (isKanaByte(b) && jisCarries(b)) {
        return {JisShiftState::Kana, {static_cast<std::uint8_t>(b - 0x80), 0}, 1};
    }
    if (isSjisLeadByte(b) && i + 1 < in.size() && in[i + 1] != 0) {
        if (jisCarries(static_cast<std::uint16_t>((b << 8) | in[i + 1]))) {
            const BytePair j = sjisToJis(b, in[i + 1]);
            return {JisShiftState::Kanji, {j.first, j.second}, 2};
        }
        return {JisShiftState::Ascii, {'?', 0}, 2};
    }
    return {JisShiftState::Ascii, {'?', 0}, 1};
}

// The state an escape sequence switches to. ESC $ @ (the 1978 kanji set) is read as ESC $ B and
// ESC ( J (JIS-Roman) as ESC ( B: their few differing cells are mapped as the newer sets.
std::optional<JisShiftState> escapeTarget(std::uint8_t e1, std::uint8_t e2) {
    if (e1 == '$' && (e2 == 'B' || e2 == '@')) {
        return JisShiftState::Kanji;
    }
    if (e1 == '(' && (e2 == 'B' || e2 == 'J')) {
        return JisShiftState::Ascii;
    }
    if (e1 == '(' && e2 == 'I') {
        return JisShiftState::Kana;
    }
    return std::nullopt;
}

std::size_t outputLength(const SjisUnit& unit) {
    return unit.state == JisShiftState::Kanji ? 2 : 1;
}

} // namespace

bool jisCarries(std::uint16_t code) {
    if (code < 0x80) {
        return true;
    }
    // A0 is no JIS X 0201 katakana: in kana mode it would read back as a space.
    if (code < 0x100) {
        return code >= 0xA1 && code <= 0xDF;
    }
    return isJisCell(
        sjisToJis(static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code)));
}

std::size_t jisToSjis(std::span<const std::uint8_t> in, std::uint8_t* out, JisShiftState& state) {
    const std::size_t n = in.size();
    std::uint8_t* o = out;
    std::size_t i = 0;
    while (i < n) {
        const std::uint8_t b = in[i];
        if (b == kEsc && i + 2 < n) {
            if (const std::optional<JisShiftState> to = escapeTarget(in[i + 1], in[i + 2])) {
                state = *to;
                i += 3;
                continue;
            }
        }
        auto isJisByte = [](std::uint8_t c) { return c >= 0x21 && c <= 0x7E; };
        if (b <= 0x20 || state == JisShiftState::Ascii) {
            *o++ = b;
            ++i;
        } else if (state == JisShiftState::Kanji && isJisByte(b) && i + 1 < n &&
                   isJisByte(in[i + 1])) {
            const BytePair s = document::jisToSjis(b, in[i + 1]);
            o[0] = s.first;
            o[1] = s.second;
            o += 2;
            i += 2;
        } else if (state == JisShiftState::Kana && b >= 0x21 && b <= 0x5F) {
            *o++ = static_cast<std::uint8_t>(b + 0x80);
            ++i;
        } else {
            *o++ = kInvalidSequence;
            ++i;
        }
    }
    return static_cast<std::size_t>(o - out);
}

std::size_t sjisToJisSize(std::span<const std::uint8_t> in) {
    std::size_t size = 3;
    JisShiftState state = JisShiftState::Ascii;
    for (std::size_t i = 0; i < in.size();) {
        const SjisUnit unit = classify(in, i);
        if (unit.state != state) {
            size += 3;
            state = unit.state;
        }
        size += outputLength(unit);
        i += unit.length;
    }
    return size;
}

std::size_t sjisToJis(std::span<const std::uint8_t> in, std::uint8_t* out) {
    std::uint8_t* o = out;
    JisShiftState state = JisShiftState::Ascii;
    for (std::size_t i = 0; i < in.size();) {
        const SjisUnit unit = classify(in, i);
        if (unit.state != state) {
            const std::uint8_t* escape = unit.state == JisShiftState::Kanji  ? kToKanji
                                         : unit.state == JisShiftState::Kana ? kToKana
                                                                             : kToAscii;
            std::memcpy(o, escape, 3);
            o += 3;
            state = unit.state;
        }
        o[0] = unit.bytes[0];
        if (unit.state == JisShiftState::Kanji) {
            o[1] = unit.bytes[1];
        }
        o += outputLength(unit);
        i += unit.length;
    }
    std::memcpy(o, kToAscii, 3);
    o += 3;
    return static_cast<std::size_t>(o - out);
}

} // namespace document
