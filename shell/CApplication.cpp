#include "shell/CApplication.h"

#include "document/DefaultFiles.h"
#include "editctl/EditWindowProc.h"
#include "platform/ProgramDirectory.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "shell/AboutBox.h"
#include "shell/Association.h"
#include "shell/CMainFrame.h"

namespace shell {

namespace {

std::string utf8(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text)
        out += static_cast<char>(c); // the language tag is ASCII
    return out;
}

} // namespace

CApplication::CApplication(std::u16string commandLine) : commandLine_(std::move(commandLine)) {}

CApplication::~CApplication() {
    frame_.reset();
}

CApplication* CApplication::Current() {
    return static_cast<CApplication*>(platform::AppObject::current());
}

bool CApplication::InitInstance() {
    if (editctl::registerNEditClass() == 0)
        return false;
    const std::string programDir = platform::programDirectory();
    const std::u16string tag(resources::loadString(IDS_LANGUAGE_TAG));
    document::seedProgramFiles(utf8(tag));
    iniStore_.load(programDir + "kiv.ini");
    miscStore_.load(programDir + "misc.ini");
    frame_ = std::make_unique<CMainFrame>();
    setMainWindow(frame_.get());
    if (!frame_->LoadFrame()) {
        setMainWindow(nullptr);
        frame_.reset();
        return false;
    }
    ShowWindow(frame_->hwnd(), SW_SHOWNORMAL);
    UpdateWindow(frame_->hwnd());
    return true;
}

void CApplication::prepareMenu(HMENU popup) {
    if (frame_ != nullptr)
        frame_->LabelMenuItems(popup);
}

void CApplication::OnAppAbout() {
    ShowAboutBox(mainWindowHandle());
}

void CApplication::OnAssociation() {
    AskAssociation(AssociationAsk::Menu);
}

const platform::CommandMap& CApplication::commandMap() const {
    using platform::onCommand;
    static constexpr platform::CommandEntry entries[] = {
        onCommand<&CApplication::OnAppAbout>(ID_APP_ABOUT),
        onCommand<&CApplication::OnAssociation>(ID_TOOLS_ASSOCIATION),
    };
    static const platform::CommandMap map{&AppObject::commandMap(), entries};
    return map;
}

} // namespace shell
