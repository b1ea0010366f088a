#pragma once
// The Compatibility dialog: how the input method, Backspace and the hardware Back key behave
// on devices that differ.

#include "shell/AppSettings.h"
#include "shell/CScrollDialog.h"

namespace shell {

class CCompatiDlg : public CScrollDialog {
public:
    explicit CCompatiDlg(const AppSettings& settings);
    // Writes the confirmed values over the fields this dialog edits.
    void CopyTo(AppSettings& settings) const;

protected:
    int onInitDialog() override;
    void doDataExchange(platform::DataExchange& dx) override;

private:
    int noImeOnFocus_;
    int backspaceInChar_;
    int backAsBackspace_;
};

} // namespace shell
