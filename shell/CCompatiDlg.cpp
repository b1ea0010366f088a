#include "shell/CCompatiDlg.h"

#include "platform/DataExchange.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

namespace shell {

CCompatiDlg::CCompatiDlg(const AppSettings& s)
    : CScrollDialog(*resources::loadDialog(IDD_COMPATIBILITY)), noImeOnFocus_(s.notFocusIme),
      backspaceInChar_(s.backspaceInChar), backAsBackspace_(s.backAsBackspace) {}

void CCompatiDlg::CopyTo(AppSettings& s) const {
    s.notFocusIme = noImeOnFocus_;
    s.backspaceInChar = backspaceInChar_;
    s.backAsBackspace = backAsBackspace_;
}

int CCompatiDlg::onInitDialog() {
    const int result = CScrollDialog::onInitDialog();
    return result == -1 || !CreateMenuBar() ? -1 : result;
}

void CCompatiDlg::doDataExchange(platform::DataExchange& dx) {
    dx.check(IDC_NO_IME_ON_FOCUS, noImeOnFocus_);
    dx.check(IDC_BACKSPACE_IN_CHAR, backspaceInChar_);
    dx.check(IDC_BACK_AS_BACKSPACE, backAsBackspace_);
}

} // namespace shell
