#include "search/CJumpLineNo.h"

#include "platform/ControlMessages.h"
#include "platform/StandardControls.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "search/BarLayout.h"

#include <limits>

namespace search {

namespace {

constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE;
// Single-line (no ES_MULTILINE), so the editor makes a standard edit field.
constexpr DWORD kInputStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_NUMBER;

} // namespace

void CJumpLineNo::CreateChildren() {
    labelText_ = resources::loadString(IDS_LINENUMBER_LABEL);
    label_ = CreateWindowEx(0, WC_STATIC, labelText_.c_str(), kLabelStyle, 0, 0, 0, 0, hwnd(),
                            childId(kBarId), nullptr, nullptr);
    input_.Create(kInputStyle, RECT{}, hwnd(), kInputId);
    ShowBarMenu(IDR_JUMPBAR);
}

int CJumpLineNo::OnLayout() {
    const int width = ClientWidth();
    const SIZE label = TextExtent(labelText_);
    const int line = InputLineHeight(label.cy);
    MoveWindow(label_, 0, 4, label.cx, label.cy, TRUE);
    MoveWindow(input_.hwnd(), label.cx + 1, 1, width - label.cx - 2, line, TRUE);
    return line + 7;
}

bool CJumpLineNo::OnEnterKey(const MSG& /*msg*/) {
    PostCommand(ID_BAR_GOTO);
    return true;
}

void CJumpLineNo::FocusInput() {
    SetFocus(input_.hwnd());
}

const platform::CommandMap& CJumpLineNo::commandMap() const {
    using platform::onCommand;
    static constexpr platform::CommandEntry entries[] = {
        onCommand<&CJumpLineNo::OnGoTo, &CJumpLineNo::GoToState>(ID_BAR_GOTO),
    };
    static const platform::CommandMap map{&CBottomBar::commandMap(), entries};
    return map;
}

platform::CommandState CJumpLineNo::GoToState() const {
    return platform::CommandState::enabledIf(GetWindowTextLength(input_.hwnd()) > 0);
}

// The owner closes the bar during the report.
void CJumpLineNo::OnGoTo() {
    const std::u16string text = WindowText(input_.hwnd());
    if (IBarListener* listener = Listener(); listener != nullptr)
        listener->OnBarCommand(ID_BAR_GOTO, text, {});
}

int LineNumberValue(std::u16string_view text) {
    constexpr int kMax = std::numeric_limits<int>::max();
    int value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9')
            break;
        const int digit = c - u'0';
        if (value > (kMax - digit) / 10)
            return kMax;
        value = value * 10 + digit;
    }
    return value;
}

} // namespace search
