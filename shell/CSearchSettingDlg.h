#pragma once
// The Search Option dialog: whether the search text is a regular expression and whether the
// search ignores case.

#include "shell/AppSettings.h"
#include "shell/CScrollDialog.h"

namespace shell {

class CSearchSettingDlg : public CScrollDialog {
public:
    explicit CSearchSettingDlg(const AppSettings& settings);
    // Writes the confirmed values over the fields this dialog edits.
    void CopyTo(AppSettings& settings) const;

protected:
    int onInitDialog() override;
    void doDataExchange(platform::DataExchange& dx) override;

private:
    int regex_;
    int ignoreCase_;
};

} // namespace shell
