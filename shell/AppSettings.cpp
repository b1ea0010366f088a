#include "shell/AppSettings.h"

#include "document/IniFile.h"

#include <utility>

namespace shell {

namespace {

constexpr std::u16string_view kInit = u"init";
constexpr std::u16string_view kMisc = u"misc";

} // namespace

AppSettings LoadSettings(const document::IniFile& init, const document::IniFile& misc,
                         PlatformKind platform) {
    const int smartphoneDefault = platform == PlatformKind::Smartphone ? 1 : 0;
    auto number = [&](std::u16string_view key, int fallback) {
        return init.readInt(kInit, key, fallback);
    };
    AppSettings s;
    s.fontName = init.readString(kInit, u"fontname");
    s.fontSize = number(u"fontsize", 0);
    s.tabSize = number(u"tabsize", 4);
    s.menuTenKey = number(u"menutenkey", 0);
    s.volumeScroll = number(u"xscrawl", 0);
    s.noWordWrap = number(u"nowordwrap", 0);
    s.drawSymbol = number(u"drawsymbol", 0);
    s.mruNum = number(u"mrunum", 5);
    s.regex = number(u"regex", 0);
    s.ignoreCase = number(u"ignorecase", 0);
    s.fullScreen = number(u"fullsc", 0);
    s.boldFont = number(u"boldfont", 0);
    s.disableAutoDetect = number(u"disautodetect", 0);
    s.firstRun = number(u"first", 0) == 0;
    s.colorHighlight = misc.readColor(kMisc, u"color_highlight");
    s.colorHighlightText = misc.readColor(kMisc, u"color_highlighttext");
    s.colorWindow = misc.readColor(kMisc, u"color_window");
    s.colorWindowText = misc.readColor(kMisc, u"color_windowtext");
    s.colorUnderline = misc.readColor(kMisc, u"color_underline");
    s.underline = number(u"underline", 0);
    s.lineSpacing = number(u"linespacing", 0);
    s.notFocusIme = number(u"notfocusime", 0);
    s.newFileCharCode = number(u"newfilecharcode", 3);
    s.newFileLineBreak = number(u"newfilelinebreak", 1);
    s.backspaceInChar = number(u"bswmchar", smartphoneDefault);
    s.backAsBackspace = number(u"backasbs", smartphoneDefault);
    s.wrapColumnPortrait = static_cast<std::uint8_t>(number(u"wordwrap_pos_p", 0) & 0xFF);
    s.wrapColumnLandscape = static_cast<std::uint8_t>(number(u"wordwrap_pos_l", 0) & 0xFF);
    s.drawLineNumber = number(u"drawlinenumber", 0);
    return s;
}

void SaveSettings(const AppSettings& s, document::IniFile& init) {
    init.writeString(kInit, u"fontname", s.fontName);
    const std::pair<std::u16string_view, int> numbers[] = {
        {u"fontsize", s.fontSize},
        {u"tabsize", s.tabSize},
        {u"menutenkey", s.menuTenKey},
        {u"xscrawl", s.volumeScroll},
        {u"nowordwrap", s.noWordWrap},
        {u"drawsymbol", s.drawSymbol},
        {u"mrunum", s.mruNum},
        {u"regex", s.regex},
        {u"ignorecase", s.ignoreCase},
        {u"fullsc", s.fullScreen},
        {u"boldfont", s.boldFont},
        {u"disautodetect", s.disableAutoDetect},
        {u"underline", s.underline},
        {u"linespacing", s.lineSpacing},
        {u"notfocusime", s.notFocusIme},
        {u"newfilecharcode", s.newFileCharCode},
        {u"newfilelinebreak", s.newFileLineBreak},
        {u"bswmchar", s.backspaceInChar},
        {u"backasbs", s.backAsBackspace},
        {u"wordwrap_pos_p", s.wrapColumnPortrait},
        {u"wordwrap_pos_l", s.wrapColumnLandscape},
        {u"drawlinenumber", s.drawLineNumber},
    };
    for (const auto& [key, value] : numbers)
        init.writeInt(kInit, key, value);
}

void markFirstRunDone(document::IniFile& init) {
    init.writeInt(kInit, u"first", 1);
}

} // namespace shell
