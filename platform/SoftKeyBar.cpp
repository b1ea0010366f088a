#include "platform/SoftKeyBar.h"

#include "platform/ClientWidget.h"
#include "platform/DialogInternal.h"
#include "platform/FrameWidget.h"
#include "platform/Gdi.h"
#include "platform/WindowInternal.h"

#include <QPointer>
#include <QPushButton>

#include <array>
#include <memory>
#include <unordered_map>

namespace {

constexpr int kMaxKeys = 2;
constexpr int kMargin = 2;

struct BarState {
    HMENU menu = nullptr;
    int keyCount = 0;
    std::array<QPointer<QPushButton>, kMaxKeys> keys;
};

std::unordered_map<HWND, std::unique_ptr<BarState>>& bars() {
    static std::unordered_map<HWND, std::unique_ptr<BarState>> states;
    return states;
}

BarState* stateOf(HWND hwnd) {
    const auto it = bars().find(hwnd);
    return it != bars().end() ? it->second.get() : nullptr;
}

void layoutKeys(HWND hwnd, const BarState& state) {
    RECT client;
    GetClientRect(hwnd, &client);
    const int half = client.right / kMaxKeys;
    for (int i = 0; i < kMaxKeys; ++i) {
        if (QPushButton* key = state.keys[static_cast<std::size_t>(i)]) {
            const int left = i * half + kMargin;
            const int right = (i + 1 == kMaxKeys ? client.right : (i + 1) * half) - kMargin;
            key->setGeometry(left, kMargin, std::max(right - left, 0),
                             std::max(static_cast<int>(client.bottom) - 2 * kMargin, 0));
        }
    }
}

void clearMenu(BarState& state) {
    for (auto& key : state.keys) {
        if (key)
            key->deleteLater();
        key.clear();
    }
    if (state.menu != nullptr)
        DestroyMenu(state.menu);
    state.menu = nullptr;
    state.keyCount = 0;
}

std::u16string itemText(HMENU menu, int index) {
    std::array<char16_t, 256> text{};
    GetMenuString(menu, static_cast<UINT>(index), text.data(), static_cast<int>(text.size()),
                  MF_BYPOSITION);
    return std::u16string(text.data());
}

BOOL setMenu(HWND hwnd, BarState& state, HMENU menu) {
    clearMenu(state);
    const int count = GetMenuItemCount(menu);
    if (count < 0)
        return FALSE;
    state.menu = menu;
    state.keyCount = std::min(count, kMaxKeys);
    QWidget* client = hwnd->client;
    for (int i = 0; i < state.keyCount; ++i) {
        auto* key = new QPushButton(QString::fromStdU16String(itemText(menu, i)), client);
        // The keys never take the keyboard focus away from the text.
        key->setFocusPolicy(Qt::NoFocus);
        QObject::connect(key, &QPushButton::clicked, key, [hwnd, i] {
            if (IsWindow(hwnd))
                SendMessage(hwnd, SKBM_PRESS, static_cast<WPARAM>(i), 0);
        });
        key->show();
        state.keys[static_cast<std::size_t>(i)] = key;
    }
    layoutKeys(hwnd, state);
    return TRUE;
}

// The popup opens above the key, aligned with the key's outer edge.
BOOL press(HWND hwnd, const BarState& state, int index) {
    if (index < 0 || index >= state.keyCount)
        return FALSE;
    const HWND owner = GetParent(hwnd);
    if (HMENU popup = GetSubMenu(state.menu, index); popup != nullptr) {
        RECT client;
        GetClientRect(hwnd, &client);
        POINT at{index == 0 ? 0 : client.right, 0};
        ClientToScreen(hwnd, &at);
        const UINT align = index == 0 ? TPM_LEFTALIGN : TPM_RIGHTALIGN;
        TrackPopupMenu(popup, align | TPM_BOTTOMALIGN, at.x, at.y, 0, owner, nullptr);
        return TRUE;
    }
    const UINT id = GetMenuItemID(state.menu, index);
    PostMessage(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
    return TRUE;
}

LRESULT barProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        bars()[hwnd] = std::make_unique<BarState>();
        break;
    case WM_NCDESTROY:
        if (BarState* state = stateOf(hwnd))
            clearMenu(*state);
        bars().erase(hwnd);
        break;
    case WM_SIZE:
        if (BarState* state = stateOf(hwnd))
            layoutKeys(hwnd, *state);
        return 0;
    case SKBM_SETMENU:
        if (BarState* state = stateOf(hwnd))
            return setMenu(hwnd, *state, reinterpret_cast<HMENU>(lParam)); // NOLINT
        return FALSE;
    case SKBM_GETBUTTONMENU:
        if (BarState* state = stateOf(hwnd);
            state != nullptr && wParam < kMaxKeys && static_cast<int>(wParam) < state->keyCount)
            return reinterpret_cast<LRESULT>(GetSubMenu(state->menu, static_cast<int>(wParam)));
        return 0;
    case SKBM_PRESS:
        if (const BarState* state = stateOf(hwnd))
            return press(hwnd, *state, static_cast<int>(wParam));
        return FALSE;
    case SKBM_GETBUTTONCOUNT:
        if (const BarState* state = stateOf(hwnd))
            return state->keyCount;
        return 0;
    default:
        break;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

void registerBarClass() {
    static const bool registered = [] {
        WNDCLASS wc;
        wc.lpfnWndProc = &barProc;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = kSoftKeyBarClass;
        return RegisterClass(&wc) != 0;
    }();
    (void)registered;
}

HWND topLevelOf(HWND hwnd) {
    while (IsWindow(hwnd) && (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) != 0 &&
           GetParent(hwnd) != nullptr)
        hwnd = GetParent(hwnd);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

} // namespace

HWND CreateSoftKeyBar(HWND parent, int id, DWORD style) {
    if (!IsWindow(parent))
        return nullptr;
    registerBarClass();
    RECT client;
    GetClientRect(parent, &client);
    const int height = SoftKeyBarHeight();
    const HWND bar =
        CreateWindowEx(0, kSoftKeyBarClass, u"", style | WS_CHILD, 0, client.bottom - height,
                       client.right, height, parent, childId(id), nullptr, nullptr);
    if (bar != nullptr && IsDialogWindow(parent))
        platform::dockSoftKeyBar(parent, bar);
    return bar;
}

int SoftKeyBarHeight() {
    static const int height = QPushButton(QStringLiteral("Menu")).sizeHint().height() + 2 * kMargin;
    return height;
}

bool IsSoftKeyBar(HWND hwnd) {
    return IsWindow(hwnd) && stateOf(hwnd) != nullptr;
}

HWND SoftKeyBarOf(HWND hwnd) {
    const HWND top = topLevelOf(hwnd);
    if (top == nullptr)
        return nullptr;
    // The toolkit keeps siblings in stacking order, the topmost last.
    HWND best = nullptr;
    // A dialog's docked bar is not among the client's children (index -1) but still counts.
    qsizetype bestIndex = -2;
    const QObjectList& stack = top->client->children();
    for (const auto& [bar, state] : bars()) {
        if (GetParent(bar) != top || !IsWindowVisible(bar))
            continue;
        const qsizetype index = stack.indexOf(static_cast<QObject*>(bar->frame));
        if (index > bestIndex) {
            best = bar;
            bestIndex = index;
        }
    }
    return best;
}

namespace platform {

SoftKeyMenuBar::~SoftKeyMenuBar() {
    destroyWindow();
}

bool SoftKeyMenuBar::create(HWND parent, int id, DWORD style) {
    destroyWindow();
    hwnd_ = CreateSoftKeyBar(parent, id, style);
    serial_ = windowSerial(hwnd_);
    return hwnd_ != nullptr;
}

bool SoftKeyMenuBar::loadMenu(HMENU menu) {
    if (hwnd() != nullptr &&
        SendMessage(hwnd_, SKBM_SETMENU, 0, reinterpret_cast<LPARAM>(menu)) != FALSE)
        return true;
    DestroyMenu(menu);
    return false;
}

void SoftKeyMenuBar::destroyWindow() {
    if (hwnd() != nullptr)
        DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    serial_ = 0;
}

HWND SoftKeyMenuBar::hwnd() const {
    return hwnd_ != nullptr && windowSerial(hwnd_) == serial_ ? hwnd_ : nullptr;
}

HMENU SoftKeyMenuBar::buttonMenu(int index) const {
    if (hwnd() == nullptr)
        return nullptr;
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    return reinterpret_cast<HMENU>(
        SendMessage(hwnd_, SKBM_GETBUTTONMENU, static_cast<WPARAM>(index), 0));
}

} // namespace platform
