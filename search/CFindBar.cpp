#include "search/CFindBar.h"

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
constexpr DWORD kComboStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | CBS_DROPDOWN | CBS_AUTOHSCROLL;

} // namespace

CFindBar::CFindBar(std::u16string seedText, document::StringHistory* findHistory)
    : findHistory_(findHistory), seedText_(std::move(seedText)) {}

void CFindBar::CreateChildren() {
    labelText_ = resources::loadString(IDS_FIND_LABEL);
    label_ = CreateWindowEx(0, WC_STATIC, labelText_.c_str(), kLabelStyle, 0, 0, 0, 0, hwnd(),
                            childId(kBarId), nullptr, nullptr);
    combo_.Create(kComboStyle, hwnd(), kComboId);
    SetWindowText(combo_.hwnd(), seedText_.c_str());
    HistoryCombo(combo_.hwnd(), *findHistory_, u"");
    ShowBarMenu(IDR_FINDBAR);
}

int CFindBar::OnLayout() {
    const int width = ClientWidth();
    const SIZE label = TextExtent(labelText_);
    const int line = InputLineHeight(label.cy);
    MoveWindow(label_, 0, 4, label.cx, label.cy, TRUE);
    MoveWindow(combo_.hwnd(), label.cx + 1, 1, width - label.cx - 2, ComboWindowHeight(line), TRUE);
    return line + 7;
}

bool CFindBar::KeyInClosedCombo() const {
    return FocusIsIn(combo_.hwnd()) && !combo_.Dropped();
}

bool CFindBar::OnEnterKey(const MSG& /*msg*/) {
    if (!KeyInClosedCombo())
        return false;
    PostCommand(ID_BAR_FIND);
    return true;
}

bool CFindBar::OnUpKey(const MSG& /*msg*/) {
    if (!KeyInClosedCombo())
        return false;
    PostCommand(ID_BAR_CANCEL);
    return true;
}

void CFindBar::FocusInput() {
    SetFocus(combo_.hwnd());
}

const platform::CommandMap& CFindBar::commandMap() const {
    using platform::onCommand;
    static constexpr platform::CommandEntry entries[] = {
        onCommand<&CFindBar::OnFind, &CFindBar::SearchState>(ID_BAR_FIND),
        onCommand<&CFindBar::OnFindUp, &CFindBar::SearchState>(ID_BAR_FINDUP),
    };
    static const platform::CommandMap map{&CBottomBar::commandMap(), entries};
    return map;
}

void CFindBar::OnFind() {
    Search(ID_BAR_FIND);
}

void CFindBar::OnFindUp() {
    Search(ID_BAR_FINDUP);
}

platform::CommandState CFindBar::SearchState() const {
    return platform::CommandState::enabledIf(GetWindowTextLength(combo_.hwnd()) > 0);
}

void CFindBar::Search(UINT id) {
    const std::u16string text = WindowText(combo_.hwnd());
    findHistory_->add(text);
    HistoryCombo(combo_.hwnd(), *findHistory_, text);
    if (IBarListener* listener = Listener(); listener != nullptr)
        listener->OnBarCommand(id, text, {});
}

} // namespace search
