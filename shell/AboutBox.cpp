#include "shell/AboutBox.h"

#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

#include <string>

namespace shell {

void ShowAboutBox(HWND owner) {
    std::u16string text(resources::loadString(IDS_ABOUT_NAME));
    text += u'\n';
    text += resources::loadString(IDS_ABOUT_NOTE);
    const std::u16string caption(resources::loadString(IDS_ABOUT_CAPTION));
    MessageBox(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

} // namespace shell
