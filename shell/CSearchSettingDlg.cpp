#include "shell/CSearchSettingDlg.h"

#include "platform/DataExchange.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

namespace shell {

CSearchSettingDlg::CSearchSettingDlg(const AppSettings& s)
    : CScrollDialog(*resources::loadDialog(IDD_SEARCH_OPTION)), regex_(s.regex),
      ignoreCase_(s.ignoreCase) {}

void CSearchSettingDlg::CopyTo(AppSettings& s) const {
    s.regex = regex_;
    s.ignoreCase = ignoreCase_;
}

int CSearchSettingDlg::onInitDialog() {
    const int result = CScrollDialog::onInitDialog();
    return result == -1 || !CreateMenuBar() ? -1 : result;
}

void CSearchSettingDlg::doDataExchange(platform::DataExchange& dx) {
    dx.check(IDC_REGEX, regex_);
    dx.check(IDC_IGNORE_CASE, ignoreCase_);
}

} // namespace shell
