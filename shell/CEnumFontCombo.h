#pragma once
// A combo box that lists the installed font families, in the order the platform enumerates
// them, keeping each family's description.

#include "platform/Gdi.h"
#include "platform/WindowObject.h"

#include <vector>

namespace shell {

class CEnumFontCombo : public platform::WindowObject {
public:
    // Appends the face name of every installed family of charSet to the list, unsorted and
    // with duplicates kept, and stores its description; clearFirst empties the list first.
    void Fill(BYTE charSet, bool clearFirst);
    // The descriptions stored so far, one per name added.
    const std::vector<LOGFONTW>& Descriptions() const { return descriptions_; }

protected:
    void onWindowGone() override { descriptions_.clear(); }

private:
    static int AddFamily(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD fontType,
                         LPARAM data);

    std::vector<LOGFONTW> descriptions_;
};

} // namespace shell
