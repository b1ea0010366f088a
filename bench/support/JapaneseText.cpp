#include "support/JapaneseText.h"

#include <random>

namespace bench {

std::u16string makeJapaneseText(unsigned seed, std::u16string_view extraKanji, std::size_t limit,
                                TextMeasure measure) {
    std::u16string kanji = u"日本語文字漢字東京大阪名古屋時間今年会社学校先生電話番号"
                           u"新聞雑誌映画音楽美術歴史地理数学科学経済政治社会問題解決"
                           u"吾輩猫名前無所生見当薄暗湿泣記憶始人間者聞";
    kanji += extraKanji;
    const std::u16string ascii = u"the quick brown fox jumps over 12345 lazy dogs ";
    std::mt19937 rng(seed);
    std::u16string text;
    text.reserve(measure == TextMeasure::CodeUnits ? limit + 64 : limit * 3 / 4);
    std::size_t bytes = 0; // as Shift_JIS
    const auto size = [&] { return measure == TextMeasure::CodeUnits ? text.size() : bytes; };
    std::size_t lineLength = 0;
    while (size() < limit) {
        const unsigned kind = rng() % 10;
        const unsigned run = 1 + rng() % 6;
        for (unsigned i = 0; i < run; ++i) {
            if (kind < 4) {
                text += static_cast<char16_t>(0x3041 + rng() % 83); // hiragana
                bytes += 2;
            } else if (kind < 6) {
                text += kanji[rng() % kanji.size()];
                bytes += 2;
            } else if (kind < 7) {
                text += static_cast<char16_t>(0x30A1 + rng() % 86); // katakana
                bytes += 2;
            } else if (kind < 9) {
                text += ascii[rng() % ascii.size()];
                bytes += 1;
            } else {
                text += static_cast<char16_t>(0xFF66 + rng() % 56); // half-width katakana
                bytes += 1;
            }
        }
        text += (rng() % 3 == 0) ? u"。" : u"、";
        bytes += 2;
        lineLength += run + 1;
        if (lineLength > 40 + rng() % 40) {
            text += u"\r\n";
            bytes += 2;
            lineLength = 0;
        }
    }
    return text;
}

} // namespace bench
