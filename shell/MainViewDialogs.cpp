#include "shell/CMainView.h"

#include "platform/ControlMessages.h"
#include "platform/Device.h"
#include "resources/UserMessages.h"
#include "shell/CApplication.h"
#include "shell/CCompatiDlg.h"
#include "shell/CSearchSettingDlg.h"
#include "shell/CSettingDlg.h"

namespace shell {

void CMainView::OnOption() {
    CSettingDlg dialog(settings_);
    if (dialog.doModal(GetParent(hwnd())) != IDOK)
        return;
    const int oldNoWordWrap = settings_.noWordWrap;
    dialog.CopyTo(settings_);
    AppSettings& s = settings_;
    if (s.noWordWrap != oldNoWordWrap) {
        wordWrapOn_ = s.noWordWrap != 1;
        editor_.SetWordWrap(wordWrapOn_);
    }
    SaveSettings(s, CApplication::Current()->IniStore());
    ApplyFont();
    PostMessage(GetParent(hwnd()), UM_REBUILDMENU, static_cast<WPARAM>(s.menuTenKey), 0);
    if (platform::platformKind() == platform::PlatformKind::PocketPc)
        editor_.SetScrollMode(s.volumeScroll);
    editor_.SetSymbols(static_cast<UINT>(s.drawSymbol));
    editor_.SetLineSpacing(s.lineSpacing);
    editor_.SetUnderline(s.underline != 0);
    editor_.SetWrapColumns(s.wrapColumnPortrait, s.wrapColumnLandscape);
    editor_.SetLineNumbers(s.drawLineNumber != 0);
}

void CMainView::OnSearchOption() {
    CSearchSettingDlg dialog(settings_);
    if (dialog.doModal(GetParent(hwnd())) != IDOK)
        return;
    dialog.CopyTo(settings_);
    editor_.SetSearchFlags(settings_.regex == 1, settings_.ignoreCase == 1);
    SaveSettings(settings_, CApplication::Current()->IniStore());
}

void CMainView::OnCompatibility() {
    CCompatiDlg dialog(settings_);
    if (dialog.doModal(GetParent(hwnd())) != IDOK)
        return;
    dialog.CopyTo(settings_);
    CApplication* app = CApplication::Current();
    SaveSettings(settings_, app->IniStore());
    editor_.SetNoImeOnFocus(settings_.notFocusIme != 0);
    editor_.SetBackspaceInChar(settings_.backspaceInChar != 0);
    app->SetBackAsBackspace(settings_.backAsBackspace != 0);
}

} // namespace shell
