#pragma once
// A combo box that lists the installed font families, in the order the platform enumerates
// them, keeping each family's description; it tells its owner when the user picks another.

#include "platform/Gdi.h"
#include "platform/WindowObject.h"

#include <functional>
#include <vector>

namespace shell {

class CEnumFontCombo : public platform::WindowObject {
public:
    // Appends the face name of every installed family of charSet to the list, unsorted and
    // with duplicates kept, and stores its description; clearFirst empties the list first.
    void Fill(BYTE charSet, bool clearFirst);
    // The descriptions stored so far, one per name added.
    const std::vector<LOGFONTW>& Descriptions() const { return descriptions_; }
    // Called when the user selects another item.
    void OnSelectionChange(std::function<void()> handler) {
        selectionChanged_ = std::move(handler);
    }

    const platform::MessageMap& messageMap() const override;

protected:
    void onWindowGone() override { descriptions_.clear(); }

private:
    static int AddFamily(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD fontType,
                         LPARAM data);
    LRESULT OnReflectedCommand(WPARAM wParam, LPARAM lParam);

    std::vector<LOGFONTW> descriptions_;
    std::function<void()> selectionChanged_;
};

} // namespace shell
