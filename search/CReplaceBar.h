#pragma once
// The Replace bar: a find field over a replacement field, each a history combo box; its
// commands add the texts to the histories and report them to the owner.

#include "document/StringHistory.h"
#include "search/CBottomBar.h"
#include "search/CMyComboBox.h"

#include <string>

namespace search {

class CReplaceBar : public CBottomBar {
public:
    static constexpr int kFindComboId = 40000;
    static constexpr int kReplaceComboId = 40001;

    // seedText starts in the find field; the histories (the owner's, which outlive the bar)
    // fill the lists and hear every command.
    CReplaceBar(std::u16string seedText, document::StringHistory* findHistory,
                document::StringHistory* replaceHistory);

    HWND FindCombo() const { return findCombo_.hwnd(); }
    HWND ReplaceCombo() const { return replaceCombo_.hwnd(); }

    const platform::CommandMap& commandMap() const override;

protected:
    void CreateChildren() override;
    int OnLayout() override;
    bool OnEnterKey(const MSG& msg) override;
    bool OnUpKey(const MSG& msg) override;
    bool OnTabKey(const MSG& msg) override;
    void FocusInput() override;

private:
    void OnFindDown();
    void OnFindUp();
    void OnReplace();
    void OnReplaceAll();
    platform::CommandState SearchState() const;
    // Adds the find text to its history and refreshes its list; answers the text.
    std::u16string TakeFindText();
    // The same for the replacement.
    std::u16string TakeReplaceText();
    // Whether the focus is in combo and its list is closed.
    static bool KeyIn(const CMyComboBox& combo);

    HWND findLabel_ = nullptr;
    HWND replaceLabel_ = nullptr;
    CMyComboBox findCombo_;
    CMyComboBox replaceCombo_;
    std::u16string findLabelText_;
    std::u16string replaceLabelText_;
    document::StringHistory* findHistory_;
    document::StringHistory* replaceHistory_;
    std::u16string seedText_;
};

} // namespace search
