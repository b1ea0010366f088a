#include "shell/CSettingDlg.h"

#include "platform/ControlMessages.h"
#include "platform/DataExchange.h"
#include "platform/Device.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "shell/VolumeScrollMode.h"

#include <climits>
#include <optional>

namespace shell {

namespace {

constexpr int kNotSetItem = 0;
// Tab stops are a quarter of a dialog unit per tab width unit, so a larger width would not
// fit the control's stops.
constexpr int kMaxTabSize = INT_MAX / 4;

int checked(int value) {
    return value == 1 ? 1 : 0;
}

std::u16string itemText(HWND list, LRESULT index) {
    const LRESULT length = SendMessage(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    SendMessage(list, CB_GETLBTEXT, static_cast<WPARAM>(index),
                reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::u16string windowText(HWND hwnd) {
    const LRESULT length = SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0)
        return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    GetWindowText(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// The decimal value of digits (empty gives 0); nullopt when it is not a number up to limit.
std::optional<int> decimal(std::u16string_view digits, int limit) {
    long long value = 0;
    for (const char16_t c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<int>(value);
}

} // namespace

CSettingDlg::CSettingDlg(const AppSettings& s)
    : CScrollDialog(*resources::loadDialog(IDD_SETTINGS)), fontName_(s.fontName),
      fontSize_(s.fontSize), tabSize_(s.tabSize), menuTenKey_(s.menuTenKey),
      volumePosition_(volumeScrollListPosition(s.volumeScroll)), noWordWrap_(s.noWordWrap),
      showLineBreak_((s.drawSymbol & kSymbolLineBreak) != 0 ? 1 : 0),
      showTab_((s.drawSymbol & kSymbolTab) != 0 ? 1 : 0),
      showWideSpace_((s.drawSymbol & kSymbolWideSpace) != 0 ? 1 : 0),
      showSpace_((s.drawSymbol & kSymbolSpace) != 0 ? 1 : 0), recentCount_(s.mruNum),
      fullScreen_(s.fullScreen), bold_(s.boldFont), noAutoDetect_(s.disableAutoDetect),
      underline_(s.underline), lineSpacing_(s.lineSpacing), newFileEncoding_(s.newFileCharCode),
      newFileLineBreak_(s.newFileLineBreak), wrapPortrait_(s.wrapColumnPortrait),
      wrapLandscape_(s.wrapColumnLandscape), lineNumbers_(s.drawLineNumber) {}

void CSettingDlg::CopyTo(AppSettings& s) const {
    s.fontName = fontName_;
    s.fontSize = fontSize_;
    s.tabSize = tabSize_;
    s.menuTenKey = menuTenKey_;
    s.volumeScroll = volumeScrollStoredValue(volumePosition_);
    s.noWordWrap = noWordWrap_;
    s.drawSymbol = checked(showLineBreak_) * kSymbolLineBreak + checked(showTab_) * kSymbolTab +
                   checked(showSpace_) * kSymbolSpace + checked(showWideSpace_) * kSymbolWideSpace;
    s.mruNum = recentCount_;
    s.fullScreen = fullScreen_;
    s.boldFont = bold_;
    s.disableAutoDetect = noAutoDetect_;
    s.underline = underline_;
    s.lineSpacing = lineSpacing_;
    s.newFileCharCode = newFileEncoding_;
    s.newFileLineBreak = newFileLineBreak_;
    s.wrapColumnPortrait = wrapPortrait_;
    s.wrapColumnLandscape = wrapLandscape_;
    s.drawLineNumber = lineNumbers_;
}

int CSettingDlg::onInitDialog() {
    fontList_.subclass(item(IDC_FONT_NAME));
    const int result = CScrollDialog::onInitDialog();
    if (result == -1 || !CreateMenuBar())
        return -1;

    const HWND fonts = fontList_.hwnd();
    const std::u16string notSet(resources::loadString(IDS_FONT_NOTSET));
    SendMessage(fonts, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(notSet.c_str()));
    SendMessage(fonts, CB_SETCURSEL, kNotSetItem, 0);
    fontList_.Fill(DEFAULT_CHARSET, false);
    const LRESULT count = SendMessage(fonts, CB_GETCOUNT, 0, 0);
    for (LRESULT i = count - 1; i > kNotSetItem; --i) {
        if (itemText(fonts, i) == fontName_) {
            SendMessage(fonts, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            break;
        }
    }

    const HWND sizes = item(IDC_FONT_SIZE);
    const LRESULT sizeCount = SendMessage(sizes, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < sizeCount; ++i) {
        if (decimal(itemText(sizes, i), INT_MAX) == fontSize_) {
            SendMessage(sizes, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            break;
        }
    }
    SetDlgItemInt(hwnd(), IDC_TAB_SIZE, static_cast<UINT>(tabSize_), TRUE);
    EnableFontOptions();
    if (platform::platformKind() == platform::PlatformKind::PocketPc) {
        for (const int id : {IDC_MENU_TENKEY, IDC_VOLUME_LABEL, IDC_VOLUME_SCROLL})
            ShowWindow(item(id), SW_SHOW);
    }
    return result;
}

bool CSettingDlg::onNotification(int id, UINT code, HWND /*control*/) {
    if (id != IDC_FONT_NAME || code != CBN_SELCHANGE)
        return false;
    EnableFontOptions();
    return true;
}

void CSettingDlg::EnableFontOptions() {
    const bool ownFont = SendMessage(fontList_.hwnd(), CB_GETCURSEL, 0, 0) != kNotSetItem;
    EnableWindow(item(IDC_FONT_SIZE), ownFont ? TRUE : FALSE);
    EnableWindow(item(IDC_BOLD), ownFont ? TRUE : FALSE);
}

void CSettingDlg::doDataExchange(platform::DataExchange& dx) {
    dx.check(IDC_MENU_TENKEY, menuTenKey_);
    dx.comboIndex(IDC_VOLUME_SCROLL, volumePosition_);
    dx.check(IDC_NO_WORDWRAP, noWordWrap_);
    dx.check(IDC_SHOW_LINEBREAK, showLineBreak_);
    dx.check(IDC_SHOW_TAB, showTab_);
    dx.check(IDC_SHOW_WIDESPACE, showWideSpace_);
    dx.check(IDC_SHOW_SPACE, showSpace_);
    dx.integer(IDC_RECENT_COUNT, recentCount_, 1, 9);
    dx.check(IDC_FULL_SCREEN, fullScreen_);
    dx.check(IDC_BOLD, bold_);
    dx.check(IDC_NO_AUTODETECT, noAutoDetect_);
    dx.check(IDC_UNDERLINE, underline_);
    dx.integer(IDC_LINE_SPACING, lineSpacing_, 0, 99);
    dx.comboIndex(IDC_NEWFILE_ENCODING, newFileEncoding_);
    dx.comboIndex(IDC_NEWFILE_LINEBREAK, newFileLineBreak_);
    dx.byteValue(IDC_WRAP_PORTRAIT, wrapPortrait_);
    dx.byteValue(IDC_WRAP_LANDSCAPE, wrapLandscape_);
    dx.check(IDC_LINE_NUMBERS, lineNumbers_);
}

void CSettingDlg::onOK() {
    const HWND fonts = fontList_.hwnd();
    const LRESULT font = SendMessage(fonts, CB_GETCURSEL, 0, 0);
    fontName_ = font > kNotSetItem ? itemText(fonts, font) : std::u16string();
    const HWND sizes = item(IDC_FONT_SIZE);
    const LRESULT size = SendMessage(sizes, CB_GETCURSEL, 0, 0);
    fontSize_ = size >= 0 ? decimal(itemText(sizes, size), INT_MAX).value_or(0) : 0;
    const auto tabSize = decimal(windowText(item(IDC_TAB_SIZE)), kMaxTabSize);
    if (!tabSize.has_value()) {
        platform::DataExchange dx(hwnd(), true);
        dx.fail(IDC_TAB_SIZE, u"Please enter an integer.");
        return;
    }
    tabSize_ = *tabSize;
    CScrollDialog::onOK();
}

} // namespace shell
