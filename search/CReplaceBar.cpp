#include "search/CReplaceBar.h"

#include "platform/ControlMessages.h"
#include "platform/StandardControls.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "search/BarLayout.h"
#include "search/HistoryCombo.h"

#include <utility>

namespace search {

namespace {

constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE;
// No combo type bits: a combo box with an editable field.
constexpr DWORD kComboStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;

HWND makeLabel(HWND parent, const std::u16string& text) {
    return CreateWindowEx(0, WC_STATIC, text.c_str(), kLabelStyle, 0, 0, 0, 0, parent,
                          childId(CBottomBar::kBarId), nullptr, nullptr);
}

} // namespace

CReplaceBar::CReplaceBar(std::u16string seedText, document::StringHistory* findHistory,
                         document::StringHistory* replaceHistory)
    : findHistory_(findHistory), replaceHistory_(replaceHistory), seedText_(std::move(seedText)) {}

void CReplaceBar::CreateChildren() {
    findLabelText_ = resources::loadString(IDS_FIND_LABEL);
    replaceLabelText_ = resources::loadString(IDS_REPLACE_LABEL);
    findLabel_ = makeLabel(hwnd(), findLabelText_);
    replaceLabel_ = makeLabel(hwnd(), replaceLabelText_);
    findCombo_.Create(kComboStyle, hwnd(), kFindComboId);
    replaceCombo_.Create(kComboStyle, hwnd(), kReplaceComboId);
    HistoryCombo(findCombo_.hwnd(), *findHistory_, u"");
    HistoryCombo(replaceCombo_.hwnd(), *replaceHistory_, u"");
    SetWindowText(findCombo_.hwnd(), seedText_.c_str());
    ShowBarMenu(IDR_REPLACEBAR);
}

// Both labels take the width of the find label, so the fields line up.
int CReplaceBar::OnLayout() {
    const int width = ClientWidth();
    const SIZE label = TextExtent(findLabelText_);
    const int line = InputLineHeight(label.cy);
    const int comboWidth = width - label.cx - 2;
    MoveWindow(findLabel_, 0, 4, label.cx, label.cy, TRUE);
    MoveWindow(findCombo_.hwnd(), label.cx + 1, 1, comboWidth, ComboWindowHeight(line), TRUE);
    MoveWindow(replaceLabel_, 0, line + 5, label.cx, label.cy, TRUE);
    MoveWindow(replaceCombo_.hwnd(), label.cx + 1, line + 2, comboWidth, ComboWindowHeight(line),
               TRUE);
    return (line + 4) * 2;
}

bool CReplaceBar::KeyIn(const CMyComboBox& combo) {
    return FocusIsIn(combo.hwnd()) && !combo.Dropped();
}

bool CReplaceBar::OnEnterKey(const MSG& /*msg*/) {
    if (KeyIn(findCombo_)) {
        SetFocus(replaceCombo_.hwnd());
        return true;
    }
    if (KeyIn(replaceCombo_)) {
        PostCommand(ID_BAR_REPLACE_FINDDOWN);
        return true;
    }
    return false;
}

bool CReplaceBar::OnUpKey(const MSG& /*msg*/) {
    if (KeyIn(findCombo_)) {
        PostCommand(ID_BAR_CANCEL);
        return true;
    }
    if (KeyIn(replaceCombo_)) {
        SetFocus(findCombo_.hwnd());
        return true;
    }
    return false;
}

bool CReplaceBar::OnTabKey(const MSG& /*msg*/) {
    if (KeyIn(findCombo_)) {
        SetFocus(replaceCombo_.hwnd());
        return true;
    }
    if (KeyIn(replaceCombo_)) {
        SetFocus(findCombo_.hwnd());
        return true;
    }
    return false;
}

void CReplaceBar::FocusInput() {
    SetFocus(findCombo_.hwnd());
}

const platform::CommandMap& CReplaceBar::commandMap() const {
    using platform::onCommand;
    static constexpr platform::CommandEntry entries[] = {
        onCommand<&CReplaceBar::OnFindDown, &CReplaceBar::SearchState>(ID_BAR_REPLACE_FINDDOWN),
        onCommand<&CReplaceBar::OnFindUp, &CReplaceBar::SearchState>(ID_BAR_REPLACE_FINDUP),
        onCommand<&CReplaceBar::OnReplace, &CReplaceBar::SearchState>(ID_BAR_REPLACE),
        onCommand<&CReplaceBar::OnReplaceAll, &CReplaceBar::SearchState>(ID_BAR_REPLACEALL),
    };
    static const platform::CommandMap map{&CBottomBar::commandMap(), entries};
    return map;
}

platform::CommandState CReplaceBar::SearchState() const {
    return platform::CommandState::enabledIf(GetWindowTextLength(findCombo_.hwnd()) > 0);
}

std::u16string CReplaceBar::TakeFindText() {
    std::u16string text = WindowText(findCombo_.hwnd());
    findHistory_->add(text);
    HistoryCombo(findCombo_.hwnd(), *findHistory_, text);
    return text;
}

std::u16string CReplaceBar::TakeReplaceText() {
    std::u16string text = WindowText(replaceCombo_.hwnd());
    replaceHistory_->add(text);
    HistoryCombo(replaceCombo_.hwnd(), *replaceHistory_, text);
    return text;
}

// Each report may be the last thing the bar does: Replace All closes it.
void CReplaceBar::OnFindDown() {
    const std::u16string text = TakeFindText();
    if (IBarListener* listener = Listener(); listener != nullptr)
        listener->OnBarCommand(ID_BAR_FIND, text, {});
}

void CReplaceBar::OnFindUp() {
    const std::u16string text = TakeFindText();
    if (IBarListener* listener = Listener(); listener != nullptr)
        listener->OnBarCommand(ID_BAR_FINDUP, text, {});
}

void CReplaceBar::OnReplace() {
    const std::u16string text = TakeFindText();
    const std::u16string replacement = TakeReplaceText();
    if (IBarListener* listener = Listener(); listener != nullptr)
        listener->OnBarCommand(ID_BAR_REPLACE, text, replacement);
}

void CReplaceBar::OnReplaceAll() {
    const std::u16string text = TakeFindText();
    const std::u16string replacement = TakeReplaceText();
    if (IBarListener* listener = Listener(); listener != nullptr)
        listener->OnBarCommand(ID_BAR_REPLACEALL, text, replacement);
}

} // namespace search
