#pragma once
// The real editor program, started headless in a scratch program directory for one test:
// the application object, its frame, view and editor, driven through the platform's input
// path and answered through its modal hooks.

#include "support/ScratchProgramDirectory.h"

#include "platform/TestHooks.h"
#include "shell/CApplication.h"
#include "shell/CMainFrame.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kivtest {

class EditorProgram : public ::testing::Test {
protected:
    void TearDown() override;

    // Writes kiv.ini, then starts the program with commandLine; fails the test when start-up
    // fails.
    void start(const std::string& kivIni = "", const std::u16string& commandLine = u"");
    // Ends the program as the destructor of main's application object would.
    void stop();

    shell::CApplication& app() { return *app_; }
    shell::CMainFrame& frame() { return *app_->Frame(); }
    shell::CMainView& view() { return frame().View(); }
    HWND editor() { return view().Editor().hwnd(); }
    std::u16string caption();
    std::u16string text();

    // Presses soft key index (F1 or F2) on the focused window with the popup choice queued;
    // returns the popup as it was shown (an empty call when none was).
    platform::test::PopupMenuCall pressSoftKey(int index, UINT choice = 0);

    ScratchProgramDirectory scratch_;

private:
    std::unique_ptr<shell::CApplication> app_;
};

// The item of a recorded popup with that text.
const platform::test::MenuItemInfo* findItem(const platform::test::PopupMenuCall& call,
                                             const std::u16string& text);

} // namespace kivtest
