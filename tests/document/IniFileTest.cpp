#include "document/IniFile.h"

#include "document/ColorText.h"
#include "support/ScratchProgramDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

using document::IniFile;

namespace {

std::string textAfter(IniFile& ini) {
    ini.checkInvariants();
    return ini.text();
}

} // namespace

TEST(IniFileReading, KeyLinesAreTrimmedAndCommentsCut) {
    IniFile ini;
    ini.loadText("[init]\ntabsize = 4 ; four columns\n\tfontname =\tＭＳ ゴシック \nplain line\n");
    EXPECT_EQ(ini.readInt(u"init", u"tabsize", 9), 4);
    EXPECT_EQ(ini.readString(u"init", u"fontname"), u"ＭＳ ゴシック");
    EXPECT_EQ(ini.readString(u"init", u"plain line"), u"");
    EXPECT_EQ(ini.readString(u"init", u"missing"), u"");
    EXPECT_EQ(ini.readString(u"nosuch", u"tabsize"), u"");
}

TEST(IniFileReading, FirstSectionAndFirstKeyWinAndNamesAreCaseSensitive) {
    IniFile ini;
    ini.loadText("[a]\nk=1\nk=2\n[A]\nk=3\n[a]\nk=4\nj=5\n");
    EXPECT_EQ(ini.readInt(u"a", u"k", 0), 1);
    EXPECT_EQ(ini.readInt(u"A", u"k", 0), 3);
    EXPECT_EQ(ini.readInt(u"a", u"j", -7), -7) << "a later duplicate section is never consulted";
    EXPECT_EQ(ini.readInt(u"a", u"K", -7), -7);
    ini.writeInt(u"a", u"k", 9);
    EXPECT_EQ(textAfter(ini), "[a]\nk=9\nk=2\n[A]\nk=3\n[a]\nk=4\nj=5\n");
}

TEST(IniFileReading, IntegersZeroEmptyAndGarbage) {
    IniFile ini;
    ini.loadText("[s]\nzero=0\nempty=\nword=abc\nlead=-12px\nplus=+7\nhuge=99999999999\n"
                 "tiny=-99999999999\n");
    EXPECT_EQ(ini.readInt(u"s", u"zero", 5), 0);
    EXPECT_EQ(ini.readInt(u"s", u"empty", 5), 5);
    EXPECT_EQ(ini.readInt(u"s", u"absent", 5), 5);
    EXPECT_EQ(ini.readInt(u"s", u"word", 5), 0);
    EXPECT_EQ(ini.readInt(u"s", u"lead", 5), -12);
    EXPECT_EQ(ini.readInt(u"s", u"plus", 5), 7);
    EXPECT_EQ(ini.readInt(u"s", u"huge", 5), 2147483647);
    EXPECT_EQ(ini.readInt(u"s", u"tiny", 5), -2147483647 - 1);
}

TEST(IniFileReading, LinesAndLongLines) {
    IniFile ini;
    ini.loadText("[s]\nlast=whole");
    EXPECT_EQ(ini.readString(u"s", u"last"), u"whole");

    // 1022 characters per read: a longer physical line becomes several lines.
    const std::string longValue(2500, 'x');
    ini.loadText("[s]\nk=" + longValue + "\nnext=1\n");
    EXPECT_EQ(ini.readString(u"s", u"k"), std::u16string(1020, u'x'));
    EXPECT_EQ(ini.readInt(u"s", u"next", 0), 1);
    EXPECT_EQ(ini.text(), "[s]\nk=" + std::string(1020, 'x') + "\n" + std::string(1022, 'x') +
                              "\n" + std::string(458, 'x') + "\nnext=1\n");

    // Characters, not bytes, are counted, and a line of exactly 1022 characters stays one line.
    std::string kana;
    for (int i = 0; i < 1020; ++i)
        kana += "あ";
    ini.loadText("[s]\nk=" + kana + "\nnext=2\n");
    EXPECT_EQ(ini.readString(u"s", u"k").size(), 1020u);
    EXPECT_EQ(ini.text(), "[s]\nk=" + kana + "\nnext=2\n");
}

TEST(IniFileWriting, ReplacesOnlyTheKeyLineAndKeepsEverythingElse) {
    const std::string original = "\xEF\xBB\xBF; written by hand\n[init]\r\n; comment\r\n"
                                 "tabsize = 4 ; four\r\nodd \xFF\xFE bytes\r\n\r\n[other]\nx=1\n";
    IniFile ini;
    ini.loadText(original);
    EXPECT_EQ(ini.readInt(u"init", u"tabsize", 0), 4) << "CR LF line ends read like LF";
    EXPECT_EQ(textAfter(ini), original) << "an untouched store writes back every byte";
    ini.writeInt(u"init", u"tabsize", 8);
    EXPECT_EQ(textAfter(ini), "\xEF\xBB\xBF; written by hand\n[init]\r\n; comment\r\ntabsize=8\n"
                              "odd \xFF\xFE bytes\r\n\r\n[other]\nx=1\n");
}

TEST(IniFileWriting, NewKeysAndSectionsAreAppended) {
    IniFile ini;
    ini.loadText("[init]\na=1\n[misc]\nb=2\n");
    ini.writeString(u"init", u"c", u"three");
    ini.writeString(u"new", u"d", u"four");
    ini.writeInt(u"new", u"e", -5);
    EXPECT_EQ(textAfter(ini), "[init]\na=1\nc=three\n[misc]\nb=2\n[new]\nd=four\ne=-5\n");
    EXPECT_TRUE(ini.dirty());
}

TEST(IniFileWriting, AWriteIsAlwaysOneLine) {
    IniFile ini;
    ini.writeString(u"s\nx", u"key", std::u16string_view(u"two\nlines\r\0end", 14));
    ini.writeString(u"s", u"[k", u"v");
    ini.checkInvariants();
    IniFile again;
    again.loadText(ini.text());
    EXPECT_EQ(again.sectionCount(), 2u);
    EXPECT_EQ(again.readString(u"s x", u"key"), u"two lines  end");
    EXPECT_EQ(again.readString(u"s", u"[k"), u"v");
}

TEST(IniFileWriting, MoreThanAHundredSectionsAreAllKept) {
    IniFile ini;
    for (int i = 0; i < 150; ++i)
        ini.writeInt(u"s" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                         std::u16string(static_cast<std::size_t>(i / 26), u'x'),
                     u"n", i);
    IniFile again;
    again.loadText(ini.text());
    EXPECT_EQ(again.sectionCount(), 150u);
    EXPECT_EQ(again.readInt(u"sTxxxxx", u"n", -1), 149);
}

TEST(IniFileStorage, SavesOnlyWhenChangedAndOnDestruction) {
    ScratchProgramDirectory dir;
    dir.writeFile("kiv.ini", "[init]\nfirst=1\n");
    const std::string path = dir.programDir() + "kiv.ini";
    {
        IniFile ini;
        ini.load(path);
        EXPECT_EQ(ini.readInt(u"init", u"first", 0), 1);
        std::filesystem::remove(path);
        EXPECT_TRUE(ini.save());
        EXPECT_FALSE(dir.exists("kiv.ini")) << "an unchanged store writes nothing";
        ini.writeInt(u"init", u"fontsize", 11);
    }
    EXPECT_EQ(dir.readFile("kiv.ini"), "[init]\nfirst=1\nfontsize=11\n");
}

TEST(IniFileStorage, MissingAndUnwritableFiles) {
    ScratchProgramDirectory dir;
    IniFile ini;
    ini.load(dir.programDir() + "nosuch/kiv.ini");
    EXPECT_EQ(ini.sectionCount(), 0u);
    EXPECT_EQ(ini.readInt(u"init", u"tabsize", 4), 4);
    ini.writeInt(u"init", u"tabsize", 8);
    EXPECT_FALSE(ini.save());
    EXPECT_TRUE(ini.dirty()) << "changes that could not be written are not reported as saved";
}

TEST(ColorText, HexadecimalRrggbb) {
    using document::parseColorText;
    EXPECT_EQ(parseColorText(u"FF8000"), RGB(0xFF, 0x80, 0x00));
    EXPECT_EQ(parseColorText(u"0xff8000"), RGB(0xFF, 0x80, 0x00));
    EXPECT_EQ(parseColorText(u"  0X0000ff"), RGB(0, 0, 0xFF));
    EXPECT_EQ(parseColorText(u""), document::kColorUnset);
    EXPECT_EQ(parseColorText(u"zz"), 0u);
    EXPECT_EQ(parseColorText(u"12G4"), RGB(0, 0, 0x12)) << "reading stops at the first non-digit";
    EXPECT_EQ(parseColorText(u"ABFF8000"), RGB(0xFF, 0x80, 0x00)) << "only six digits count";
    EXPECT_EQ(parseColorText(u"0x"), 0u);
    IniFile ini;
    ini.loadText("[misc]\ncolor_window=FF0000\ncolor_highlight=\n");
    EXPECT_EQ(ini.readColor(u"misc", u"color_window"), RGB(0xFF, 0, 0));
    EXPECT_EQ(ini.readColor(u"misc", u"color_highlight"), document::kColorUnset);
    EXPECT_EQ(ini.readColor(u"misc", u"color_underline"), document::kColorUnset);
}
