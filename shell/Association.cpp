#include "shell/Association.h"

#include "platform/DesktopAssociation.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

#include <array>
#include <string>

namespace shell {

namespace {

constexpr const char* kDesktopEntry = "kiv.desktop";
// ".ini" first, then ".txt", as the offer always treats them.
constexpr std::array<const char*, 2> kExtensions{".ini", ".txt"};

int ask(int textId) {
    const std::u16string text(resources::loadString(textId));
    const std::u16string caption(resources::loadString(IDS_CONFIRM));
    return MessageBox(nullptr, text.c_str(), caption.c_str(), MB_YESNO);
}

} // namespace

void AskAssociation(AssociationAsk mode) {
    bool all = true;
    for (const char* extension : kExtensions) {
        all = all && platform::isDefaultApplication(platform::mimeTypeOfExtension(extension),
                                                    kDesktopEntry);
    }
    if (!all) {
        if (ask(IDS_ASSOCIATE) == IDYES) {
            for (const char* extension : kExtensions)
                platform::makeDefaultApplication(platform::mimeTypeOfExtension(extension),
                                                 kDesktopEntry);
        }
    } else if (mode == AssociationAsk::Menu && ask(IDS_UNASSOCIATE) == IDYES) {
        for (const char* extension : kExtensions)
            platform::stopBeingDefaultApplication(platform::mimeTypeOfExtension(extension),
                                                  kDesktopEntry);
    }
}

} // namespace shell
