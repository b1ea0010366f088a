#pragma once
// The Find bar: "Find: " and a history combo box; Find and Find Up report the text to the
// owner after adding it to the find history.

#include "document/StringHistory.h"
#include "search/CBottomBar.h"
#include "search/CMyComboBox.h"

#include <string>

namespace search {

class CFindBar : public CBottomBar {
public:
    static constexpr int kComboId = 40000;

    // seedText starts in the field; findHistory (the owner's, which outlives the bar) fills
    // the list and hears every search.
    CFindBar(std::u16string seedText, document::StringHistory* findHistory);

    HWND Combo() const { return combo_.hwnd(); }

    const platform::CommandMap& commandMap() const override;

protected:
    void CreateChildren() override;
    int OnLayout() override;
    bool OnEnterKey(const MSG& msg) override;
    bool OnUpKey(const MSG& msg) override;
    void FocusInput() override;

private:
    void OnFind();
    void OnFindUp();
    platform::CommandState SearchState() const;
    // Adds the field's text to the history, refreshes the list and reports command id.
    void Search(UINT id);
    // Whether a key goes to the bar: the focus is in the combo and its list is closed.
    bool KeyInClosedCombo() const;

    HWND label_ = nullptr;
    std::u16string labelText_;
    CMyComboBox combo_;
    document::StringHistory* findHistory_;
    std::u16string seedText_;
};

} // namespace search
