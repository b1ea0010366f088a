#include "shell/EditorProgram.h"

#include "editctl/NEditMessages.h"
#include "platform/HandheldShell.h"
#include "platform/Registry.h"

#include <array>

namespace kivtest {

void EditorProgram::start(const std::string& kivIni, const std::u16string& commandLine) {
    if (!kivIni.empty())
        scratch_.writeFile("kiv.ini", kivIni);
    platform::test::takePopupMenuCalls();
    platform::test::takeMessageBoxCalls();
    app_ = std::make_unique<shell::CApplication>(commandLine);
    ASSERT_TRUE(app_->InitInstance());
    SetForegroundWindow(frame().hwnd());
    // The activation arrives from the toolkit, late on a loaded machine, and posts messages of
    // its own; a test that began before it would see it land in the middle.
    platform::test::pumpUntil([this] { return GetActiveWindow() == frame().hwnd(); }, 5000);
    platform::test::pumpMessages();
    platform::test::pumpMessages();
}

void EditorProgram::stop() {
    app_.reset();
    platform::test::pumpMessages();
}

void EditorProgram::TearDown() {
    stop();
    SendShiftKey(false);
    platform::test::clearRegistry();
    platform::test::setPlatformKind(platform::PlatformKind::PocketPc);
}

std::u16string EditorProgram::caption() {
    std::array<char16_t, 300> buffer{};
    GetWindowText(frame().hwnd(), buffer.data(), static_cast<int>(buffer.size()));
    return buffer.data();
}

std::u16string EditorProgram::text() {
    const auto length = static_cast<std::size_t>(SendMessage(editor(), WM_GETTEXTLENGTH, 0, 0));
    const auto* buffer =
        reinterpret_cast<const char16_t*>(SendMessage(editor(), NEM_GETBUFFER, 0, 0));
    return std::u16string(buffer, length);
}

platform::test::PopupMenuCall EditorProgram::pressSoftKey(int index, UINT choice) {
    platform::test::takePopupMenuCalls();
    platform::test::queuePopupMenuAnswer(choice);
    platform::test::pressKey(GetFocus(), index == 0 ? VK_F1 : VK_F2);
    // The chosen command is posted, and may post requests of its own.
    platform::test::pumpMessages();
    platform::test::pumpMessages();
    auto calls = platform::test::takePopupMenuCalls();
    if (calls.empty())
        return {};
    return calls.back();
}

const platform::test::MenuItemInfo* findItem(const platform::test::PopupMenuCall& call,
                                             const std::u16string& text) {
    for (const auto& item : call.items) {
        if (item.text == text)
            return &item;
    }
    return nullptr;
}

} // namespace kivtest
