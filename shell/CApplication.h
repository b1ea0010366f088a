#pragma once
// The one application object: it starts the program in its fixed order, owns the two INI
// stores for the whole run, and handles the application-wide commands (About, Association).

#include "document/IniFile.h"
#include "platform/AppObject.h"

#include <cstdint>
#include <memory>
#include <string>

namespace shell {

class CMainFrame;

class CApplication : public platform::AppObject {
public:
    // commandLine is the program's command line as one text (see JoinCommandLine).
    explicit CApplication(std::u16string commandLine);
    // Destroys the frame first; then each INI store writes its file if it changed.
    ~CApplication() override;

    // The application object of this run, or null.
    static CApplication* Current();

    // Start-up: registers the edit control, seeds and loads the program files, and creates,
    // shows and updates the main frame. False when the program must end.
    bool InitInstance();

    const std::u16string& CommandLine() const { return commandLine_; }
    // "kiv.ini" (section "init") and "misc.ini" (section "misc").
    document::IniFile& IniStore() { return iniStore_; }
    document::IniFile& MiscStore() { return miscStore_; }
    CMainFrame* Frame() const { return frame_.get(); }

    // The Status22 value saved when a menu loop began, restored when it ends.
    std::int32_t& RememberedStatus22() { return rememberedStatus22_; }
    // Whether the settings dialogs cover the whole screen.
    bool FullScreenDialogs() const { return fullScreenDialogs_; }
    void SetFullScreenDialogs(bool on) { fullScreenDialogs_ = on; }
    // Whether the hardware Back key acts as Backspace.
    bool BackAsBackspace() const { return backAsBackspace_; }
    void SetBackAsBackspace(bool on) { backAsBackspace_ = on; }

    // Labels the editor's context menu as the frame labels its soft-key menus.
    void prepareMenu(HMENU popup) override;
    const platform::CommandMap& commandMap() const override;

private:
    void OnAppAbout();
    // Offers to add or remove the desktop association of "*.txt" and "*.ini".
    void OnAssociation();

    document::IniFile iniStore_;
    document::IniFile miscStore_;
    std::int32_t rememberedStatus22_ = 0;
    bool backAsBackspace_ = false;
    bool fullScreenDialogs_ = false;
    std::u16string commandLine_;
    std::unique_ptr<CMainFrame> frame_;
};

} // namespace shell
