#include "shell/AppSettings.h"
#include "shell/VolumeScrollMode.h"

#include "document/ColorText.h"
#include "document/IniFile.h"

#include <gtest/gtest.h>

using document::IniFile;
using shell::AppSettings;
using shell::LoadSettings;
using shell::PlatformKind;
using shell::SaveSettings;

namespace {

AppSettings loadFrom(const std::string& kiv, const std::string& misc,
                     PlatformKind platform = PlatformKind::PocketPc) {
    IniFile init;
    init.loadText(kiv);
    IniFile colours;
    colours.loadText(misc);
    return LoadSettings(init, colours, platform);
}

} // namespace

TEST(SettingsLoading, EmptyFilesGiveTheDefaults) {
    const AppSettings s = loadFrom("", "");
    EXPECT_EQ(s.fontName, u"");
    EXPECT_EQ(s.fontSize, 0);
    EXPECT_EQ(s.tabSize, 4);
    EXPECT_EQ(s.mruNum, 5);
    EXPECT_EQ(s.newFileCharCode, 3);
    EXPECT_EQ(s.newFileLineBreak, 1);
    EXPECT_EQ(s.backspaceInChar, 0);
    EXPECT_EQ(s.backAsBackspace, 0);
    EXPECT_TRUE(s.firstRun);
    EXPECT_EQ(s.colorWindow, document::kColorUnset);
    EXPECT_EQ(s.colorUnderline, document::kColorUnset);

    const AppSettings phone = loadFrom("", "", PlatformKind::Smartphone);
    EXPECT_EQ(phone.backspaceInChar, 1);
    EXPECT_EQ(phone.backAsBackspace, 1);
    EXPECT_EQ(loadFrom("[init]\nbswmchar=0\n", "", PlatformKind::Smartphone).backspaceInChar, 0);
}

TEST(SettingsLoading, ValuesAsReadWithTheirOddities) {
    const AppSettings s = loadFrom("[init]\nfontsize=\ntabsize=\nlinespacing=abc\nfirst=1\n"
                                   "wordwrap_pos_p=300\nwordwrap_pos_l=-1\nxscrawl=6\n"
                                   "mrunum=42\nfontname=IPAゴシック\nregex=2\n",
                                   "[misc]\ncolor_window=FF0000\ncolor_windowtext=0x00ff00\n"
                                   "color_highlight=\ncolor_highlighttext=nothex\n");
    EXPECT_EQ(s.fontSize, 0);
    EXPECT_EQ(s.tabSize, 4);
    EXPECT_EQ(s.lineSpacing, 0);
    EXPECT_FALSE(s.firstRun);
    EXPECT_EQ(s.wrapColumnPortrait, 44);
    EXPECT_EQ(s.wrapColumnLandscape, 255);
    EXPECT_EQ(s.volumeScroll, 6);
    EXPECT_EQ(s.mruNum, 42) << "out-of-range values are used as read";
    EXPECT_EQ(s.regex, 2);
    EXPECT_EQ(s.fontName, u"IPAゴシック");
    EXPECT_EQ(s.colorWindow, RGB(0xFF, 0, 0));
    EXPECT_EQ(s.colorWindowText, RGB(0, 0xFF, 0));
    EXPECT_EQ(s.colorHighlight, document::kColorUnset);
    EXPECT_EQ(s.colorHighlightText, 0u);
    EXPECT_EQ(
        loadFrom("[init]\ncolor_window=FF0000\n[misc]\ncolor_window=FF0000\n", "").colorWindow,
        document::kColorUnset)
        << "colours are read from misc.ini only";
}

TEST(SettingsSaving, RowOrderNoFirstNoColoursAndRoundTrip) {
    AppSettings s = loadFrom("", "[misc]\ncolor_window=123456\n");
    s.fontName = u"Noto Sans";
    s.fontSize = 11;
    s.volumeScroll = 6;
    s.drawSymbol = shell::kSymbolTab | shell::kSymbolWideSpace;
    s.wrapColumnPortrait = 40;
    s.wrapColumnLandscape = 200;
    s.drawLineNumber = 1;
    IniFile init;
    init.loadText("[init]\n; mine\nfirst=1\n");
    SaveSettings(s, init);
    init.checkInvariants();
    EXPECT_EQ(init.text(),
              "[init]\n; mine\nfirst=1\nfontname=Noto Sans\nfontsize=11\ntabsize=4\nmenutenkey=0\n"
              "xscrawl=6\nnowordwrap=0\ndrawsymbol=10\nmrunum=5\nregex=0\nignorecase=0\n"
              "fullsc=0\nboldfont=0\ndisautodetect=0\nunderline=0\nlinespacing=0\n"
              "notfocusime=0\nnewfilecharcode=3\nnewfilelinebreak=1\nbswmchar=0\nbackasbs=0\n"
              "wordwrap_pos_p=40\nwordwrap_pos_l=200\ndrawlinenumber=1\n");
    IniFile misc;
    misc.loadText("[misc]\ncolor_window=123456\n");
    EXPECT_EQ(LoadSettings(init, misc, PlatformKind::PocketPc), [&] {
        AppSettings expected = s;
        expected.firstRun = false;
        return expected;
    }());

    IniFile fresh;
    SaveSettings(s, fresh);
    EXPECT_EQ(fresh.text().find("first="), std::string::npos);
    EXPECT_EQ(fresh.text().find("color_"), std::string::npos);
    shell::markFirstRunDone(fresh);
    EXPECT_EQ(fresh.readInt(u"init", u"first", 0), 1);
}

TEST(VolumeScroll, StoredValuesAndListPositions) {
    const int positionOf[] = {0, 2, 3, 4, 5, 6, 1};
    for (int value = 0; value <= 6; ++value) {
        EXPECT_EQ(shell::volumeScrollListPosition(value), positionOf[value]) << value;
        EXPECT_EQ(shell::volumeScrollStoredValue(positionOf[value]), value) << value;
    }
    EXPECT_EQ(shell::volumeScrollListPosition(7), 0);
    EXPECT_EQ(shell::volumeScrollListPosition(-1), 0);
    EXPECT_EQ(shell::volumeScrollStoredValue(7), 0);
}
