#pragma once
// The Settings dialog: font, tabs, symbols, wrap columns, recent files and the defaults of a
// new document. It works on its own copy of the values and hands them back on OK.

#include "shell/AppSettings.h"
#include "shell/CEnumFontCombo.h"
#include "shell/CScrollDialog.h"

#include <string>

namespace shell {

class CSettingDlg : public CScrollDialog {
public:
    // The dialog starts from the values of settings.
    explicit CSettingDlg(const AppSettings& settings);

    // Writes the confirmed values over the fields this dialog edits.
    void CopyTo(AppSettings& settings) const;

protected:
    int onInitDialog() override;
    void doDataExchange(platform::DataExchange& dx) override;
    // A new choice in the font list enables or greys the size list and Bold.
    bool onNotification(int id, UINT code, HWND control) override;
    void onOK() override;

private:
    // The size list and Bold apply only to a font of the program's own.
    void EnableFontOptions();

    CEnumFontCombo fontList_;
    std::u16string fontName_;
    int fontSize_;
    int tabSize_;
    int menuTenKey_;
    int volumePosition_; // list position, not the stored value
    int noWordWrap_;
    int showLineBreak_;
    int showTab_;
    int showWideSpace_;
    int showSpace_;
    int recentCount_;
    int fullScreen_;
    int bold_;
    int noAutoDetect_;
    int underline_;
    int lineSpacing_;
    int newFileEncoding_;
    int newFileLineBreak_;
    BYTE wrapPortrait_;
    BYTE wrapLandscape_;
    int lineNumbers_;
};

} // namespace shell
