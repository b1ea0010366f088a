#include "document/JisSjisConverter.h"

#include "document/EucSjisConverter.h"
#include "document/SjisJisPair.h"

#include <cstring>

namespace document {

namespace {

constexpr std::uint8_t kEsc = 0x1B;
constexpr std::uint8_t kToKanji[3] = {kEsc, '$', 'B'};
constexpr std::uint8_t kToAscii[3] = {kEsc, '(', 'B'};
constexpr std::uint8_t kToKana[3] = {kEsc, '(', 'I'};

bool isKanaByte(std::uint8_t b) {
    return b >= 0xA0 && b <= 0xDF;
}

// What a Shift_JIS byte at `i` is taken as when writing, and how many bytes it covers.
struct SjisUnit {
    JisShiftState state;
    std::size_t length;
};

SjisUnit classify(std::span<const std::uint8_t> in, std::size_t i) {
    const std::uint8_t b = in[i];
    if (isKanaByte(b)) {
        return {JisShiftState::Kana, 1};
    }
    if (b >= 0x80 && i + 1 < in.size() && in[i + 1] != 0) {
        return {JisShiftState::Kanji, 2};
    }
    return {JisShiftState::Ascii, 1};
}

} // namespace

std::size_t jisToSjis(std::span<const std::uint8_t> in, std::uint8_t* out, JisShiftState& state) {
    const std::size_t n = in.size();
    std::uint8_t* o = out;
    std::size_t i = 0;
    while (i < n) {
        const std::uint8_t b = in[i];
        if (b == kEsc && i + 2 < n) {
            const std::uint8_t e1 = in[i + 1];
            const std::uint8_t e2 = in[i + 2];
            if (e1 == '$' && e2 == 'B') {
                state = JisShiftState::Kanji;
                i += 3;
                continue;
            }
            if (e1 == '(' && (e2 == 'B' || e2 == 'I')) {
                state = e2 == 'B' ? JisShiftState::Ascii : JisShiftState::Kana;
                i += 3;
                continue;
            }
        }
        switch (state) {
        case JisShiftState::Kanji:
            if (i + 1 < n) {
                const BytePair s = document::jisToSjis(b, in[i + 1]);
                o[0] = s.first;
                o[1] = s.second;
                o += 2;
                i += 2;
                continue;
            }
            *o++ = kLoneLeadByte;
            break;
        case JisShiftState::Kana:
            *o++ = static_cast<std::uint8_t>(b + 0x80);
            break;
        case JisShiftState::Ascii:
            *o++ = b;
            break;
        }
        ++i;
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
        size += unit.length;
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
        if (unit.state == JisShiftState::Kanji) {
            const BytePair j = sjisToJis(in[i], in[i + 1]);
            o[0] = j.first;
            o[1] = j.second;
            o += 2;
        } else if (unit.state == JisShiftState::Kana) {
            *o++ = static_cast<std::uint8_t>(in[i] - 0x80);
        } else {
            *o++ = in[i];
        }
        i += unit.length;
    }
    std::memcpy(o, kToAscii, 3);
    o += 3;
    return static_cast<std::size_t>(o - out);
}

} // namespace document
