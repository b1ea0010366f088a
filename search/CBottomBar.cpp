#include "search/CBottomBar.h"

#include "platform/AppObject.h"
#include "platform/Gdi.h"
#include "resources/CommandIds.h"
#include "resources/UserMessages.h"

namespace search {

namespace {

constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;

HWND mainWindow() {
    const platform::AppObject* app = platform::AppObject::current();
    return app != nullptr ? app->mainWindowHandle() : nullptr;
}

} // namespace

CBottomBar::~CBottomBar() {
    if (const HWND frame = mainWindow(); frame != nullptr)
        PostMessage(frame, UM_BARMENU, 0, 0);
}

void CBottomBar::Create(HWND parent, IBarListener* listener) {
    listener_ = listener;
    // Neither the bar's window nor its children are checked: a bar that could not be made
    // simply shows less.
    createEx(0, u"STATIC", u"", kBarStyle, RECT{0, 0, 100, 100}, parent, kBarId);
    CreateChildren();
    barHeight_ = OnLayout();
    created_ = true;
}

bool CBottomBar::OnEnterKey(const MSG& /*msg*/) {
    return false;
}

bool CBottomBar::OnUpKey(const MSG& /*msg*/) {
    return false;
}

bool CBottomBar::OnDownKey(const MSG& /*msg*/) {
    return false;
}

bool CBottomBar::OnTabKey(const MSG& /*msg*/) {
    return false;
}

bool CBottomBar::preTranslateMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN) {
        switch (msg.wParam) {
        case VK_TAB:
            if (OnTabKey(msg))
                return true;
            break;
        case VK_RETURN:
            if (OnEnterKey(msg))
                return true;
            break;
        case VK_ESCAPE:
            PostCommand(ID_BAR_CANCEL);
            return true;
        case VK_UP:
            if (OnUpKey(msg))
                return true;
            break;
        case VK_DOWN:
            if (OnDownKey(msg))
                return true;
            break;
        default:
            break;
        }
    }
    return WindowObject::preTranslateMessage(msg);
}

bool CBottomBar::routeCommand(UINT id, platform::CommandState* query) {
    const HWND focus = GetFocus();
    if (focus != nullptr && hwnd() != nullptr && GetParent(focus) == hwnd()) {
        if (WindowObject* child = WindowObject::fromHandle(focus);
            child != nullptr && child->routeCommand(id, query))
            return true;
    }
    return WindowObject::routeCommand(id, query);
}

const platform::MessageMap& CBottomBar::messageMap() const {
    using platform::onMessage;
    static constexpr platform::MessageEntry entries[] = {
        onMessage<WM_SIZE, &CBottomBar::OnSize>(),
        onMessage<WM_SETFOCUS, &CBottomBar::OnSetFocus>(),
    };
    static const platform::MessageMap map{&WindowObject::messageMap(), entries};
    return map;
}

const platform::CommandMap& CBottomBar::commandMap() const {
    using platform::onCommand;
    static constexpr platform::CommandEntry entries[] = {
        onCommand<&CBottomBar::OnCancel>(ID_BAR_CANCEL),
    };
    static const platform::CommandMap map{&WindowObject::commandMap(), entries};
    return map;
}

LRESULT CBottomBar::OnSize(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = defaultProc(WM_SIZE, wParam, lParam);
    if (created_)
        OnLayout();
    return result;
}

LRESULT CBottomBar::OnSetFocus(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = defaultProc(WM_SETFOCUS, wParam, lParam);
    FocusInput();
    return result;
}

// The owner deletes the bar during the call, so nothing may follow it.
void CBottomBar::OnCancel() {
    if (listener_ != nullptr)
        listener_->OnBarCommand(ID_BAR_CANCEL, {}, {});
}

void CBottomBar::PostCommand(UINT id) const {
    PostMessage(hwnd(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
}

void CBottomBar::ShowBarMenu(int menuId) {
    PostMessage(mainWindow(), UM_BARMENU, static_cast<WPARAM>(menuId), 1);
}

SIZE CBottomBar::TextExtent(std::u16string_view text) const {
    SIZE size{0, 0};
    if (const HDC dc = GetDC(hwnd()); dc != nullptr) {
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
        ReleaseDC(hwnd(), dc);
    }
    return size;
}

int CBottomBar::ClientWidth() const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    return client.right - client.left;
}

std::u16string WindowText(HWND hwnd) {
    const int length = GetWindowTextLength(hwnd);
    if (length <= 0)
        return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const int got = GetWindowText(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
    return text;
}

bool FocusIsIn(HWND control) {
    const HWND focus = GetFocus();
    return control != nullptr && focus != nullptr &&
           (focus == control || GetParent(focus) == control);
}

} // namespace search
