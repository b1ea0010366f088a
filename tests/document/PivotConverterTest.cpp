#include "CodecTestSupport.h"
#include "document/EucSjisConverter.h"
#include "document/JisSjisConverter.h"
#include "document/SjisJisPair.h"

#include <gtest/gtest.h>

using namespace document;
using codectest::Bytes;
using codectest::bytes;

namespace {

Bytes eucToSjisBytes(const Bytes& in) {
    Bytes out(in.size());
    out.resize(eucToSjis(in, out.data()));
    return out;
}

Bytes sjisToEucBytes(const Bytes& in) {
    Bytes out(sjisToEucSize(in));
    EXPECT_EQ(sjisToEuc(in, out.data()), out.size());
    return out;
}

Bytes jisToSjisBytes(const Bytes& in, JisShiftState& state) {
    Bytes out(in.size());
    out.resize(jisToSjis(in, out.data(), state));
    return out;
}

Bytes sjisToJisBytes(const Bytes& in) {
    Bytes out(sjisToJisSize(in));
    EXPECT_EQ(sjisToJis(in, out.data()), out.size());
    return out;
}

} // namespace

TEST(SjisJisPair, EveryJisCellRoundTripsAndKnownCellsLandRight) {
    for (int j1 = 0x21; j1 <= 0x7E; ++j1) {
        for (int j2 = 0x21; j2 <= 0x7E; ++j2) {
            const BytePair s =
                jisToSjis(static_cast<std::uint8_t>(j1), static_cast<std::uint8_t>(j2));
            ASSERT_TRUE((s.first >= 0x81 && s.first <= 0x9F) ||
                        (s.first >= 0xE0 && s.first <= 0xEF));
            ASSERT_TRUE(s.second >= 0x40 && s.second <= 0xFC && s.second != 0x7F);
            ASSERT_EQ(sjisToJis(s.first, s.second), (BytePair{std::uint8_t(j1), std::uint8_t(j2)}));
        }
    }
    EXPECT_EQ(jisToSjis(0x24, 0x22), (BytePair{0x82, 0xA0})); // HIRAGANA A
    EXPECT_EQ(jisToSjis(0x30, 0x21), (BytePair{0x88, 0x9F})); // the first level-1 kanji
    EXPECT_EQ(jisToSjis(0x7E, 0x7E), (BytePair{0xEF, 0xFC}));
    EXPECT_EQ(sjisToJis(0x87, 0x40), (BytePair{0x2D, 0x21})); // circled digit one, row 13
}

TEST(EucSjisConverter, PairsKanaAndAsciiBothWays) {
    // "A" HIRAGANA-A half-width-KA.
    const Bytes euc = bytes("A\xA4\xA2\x8E\xB6");
    const Bytes sjis = bytes("A\x82\xA0\xB6");
    EXPECT_EQ(eucToSjisBytes(euc), sjis);
    EXPECT_EQ(sjisToEucBytes(sjis), euc);
    EXPECT_EQ(eucToSjisBytes(bytes("\x8E\xB1")), bytes("\xB1"));
    EXPECT_EQ(sjisToEucBytes(bytes("\xB1")), bytes("\x8E\xB1"));
}

TEST(EucSjisConverter, LoneLeadBytesNeverPairWithWhatIsNotThere) {
    // At the end of the line the following line break is outside the span and not read.
    EXPECT_EQ(eucToSjisBytes(bytes("a\xA4")), bytes("a\x85"));
    EXPECT_EQ(eucToSjisBytes(bytes("\xA4")), bytes("\x85"));
    // Before a NUL the high byte stands alone and the NUL survives.
    EXPECT_EQ(eucToSjisBytes(bytes(std::string_view("\xA4\0b", 3))),
              bytes(std::string_view("\x85\0b", 3)));
    // A stray high byte does not swallow the ASCII after it, nor an 8E the kanji after it.
    EXPECT_EQ(eucToSjisBytes(bytes("\xA4"
                                   "A\x8E\xE0\xA1")),
              bytes("\x85"
                    "A\x85\xE0\x9F"));
    // A JIS X 0212 character (8F and two bytes) is one invalid sequence.
    EXPECT_EQ(eucToSjisBytes(bytes("\x8F\xB0\xA1z")), bytes("\x85z"));
    EXPECT_EQ(eucToSjisBytes(bytes("\x8F\xB0z")), bytes("\x85\x85z"));
    // Encoding: a trailing lead byte is not paired with a byte past the span.
    EXPECT_EQ(sjisToEucBytes(bytes("a\x82")), bytes("a?"));
}

TEST(EucSjisConverter, CharactersEucLacksBecomeQuestionMarksWithoutEatingTheNext) {
    // Single bytes 80 and FD-FF of the code page, and the IBM extension row FA.
    EXPECT_EQ(sjisToEucBytes(bytes("\x80"
                                   "A\xFD"
                                   "B")),
              bytes("?A?B"));
    EXPECT_EQ(sjisToEucBytes(bytes("\xFA\x40"
                                   "C")),
              bytes("?C"));
    EXPECT_EQ(sjisToJisBytes(bytes("\x80"
                                   "A\xFA\x40\x82\xA0")),
              bytes("?A?\x1B$B$\"\x1B(B"));
    // Byte A0 of the code page survives EUC-JP; JIS X 0201 has no such katakana.
    EXPECT_EQ(sjisToEucBytes(bytes("\xA0")), bytes("\x8E\xA0"));
    EXPECT_EQ(sjisToJisBytes(bytes("\xA0\xB1")), bytes("?\x1B(I1\x1B(B"));
}

TEST(JisSjisConverter, EscapesSwitchStateAndAreDropped) {
    JisShiftState state = JisShiftState::Ascii;
    // A, kanji mode HIRAGANA-A, kana mode half-width KA, back to ASCII, B.
    EXPECT_EQ(jisToSjisBytes(bytes("A\x1B$B$\"\x1B(I6\x1B(BB"), state), bytes("A\x82\xA0\xB6"
                                                                              "B"));
    EXPECT_EQ(state, JisShiftState::Ascii);
    // ESC $ @ (the 1978 kanji set) reads as ESC $ B, ESC ( J (JIS-Roman) as ESC ( B.
    state = JisShiftState::Ascii;
    EXPECT_EQ(jisToSjisBytes(bytes("\x1B$@$\"\x1B(J\\"), state), bytes("\x82\xA0\\"));
    EXPECT_EQ(state, JisShiftState::Ascii);
    // A state left open stays with the caller, and an odd byte in kanji mode stands alone.
    state = JisShiftState::Ascii;
    EXPECT_EQ(jisToSjisBytes(bytes("\x1B$B$\"$"), state), bytes("\x82\xA0\x85"));
    EXPECT_EQ(state, JisShiftState::Kanji);
    // Bytes no JIS mode has are invalid sequences; controls and space pass in every mode.
    state = JisShiftState::Ascii;
    EXPECT_EQ(jisToSjisBytes(bytes("\x1B$B\xA4\xA2 \t\x1B(I\x60"
                                   "1"),
                             state),
              bytes("\x85\x85 \t\x85\xB1"));
    // A truncated escape at the end is taken as ordinary bytes.
    state = JisShiftState::Ascii;
    EXPECT_EQ(jisToSjisBytes(bytes("\x1B$"), state), bytes("\x1B$"));
}

TEST(JisSjisConverter, WritingClosesEveryLineWithAsciiEscape) {
    EXPECT_EQ(sjisToJisBytes(bytes("A\x8A\xBF")), bytes("A\x1B$B4A\x1B(B"));
    EXPECT_EQ(sjisToJisBytes(bytes("A")), bytes("A\x1B(B"));
    EXPECT_EQ(sjisToJisBytes(bytes("\xB6\x82\xA0"
                                   "a")),
              bytes("\x1B(I6\x1B$B$\"\x1B(Ba\x1B(B"));
    EXPECT_EQ(sjisToJisBytes({}), bytes("\x1B(B"));
}
