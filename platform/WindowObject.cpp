#include "platform/WindowObject.h"

#include <unordered_map>

namespace platform {

namespace {

std::unordered_map<HWND, WindowObject*>& attached() {
    static std::unordered_map<HWND, WindowObject*> objects;
    return objects;
}

// The object whose createEx is running: the first message of a window of an object class
// attaches it. Nested creations (a window creating children in WM_CREATE) save and restore it.
WindowObject*& objectBeingCreated() {
    static WindowObject* object = nullptr;
    return object;
}

class CreationScope {
public:
    explicit CreationScope(WindowObject* object) : saved_(objectBeingCreated()) {
        objectBeingCreated() = object;
    }
    ~CreationScope() { objectBeingCreated() = saved_; }
    CreationScope(const CreationScope&) = delete;
    CreationScope& operator=(const CreationScope&) = delete;

private:
    WindowObject* saved_;
};

const CommandEntry* findCommand(const CommandMap* map, UINT id) {
    for (; map != nullptr; map = map->base) {
        for (const CommandEntry& entry : map->entries) {
            if (id >= entry.first && id <= entry.last)
                return &entry;
        }
    }
    return nullptr;
}

const MessageEntry* findMessage(const MessageMap* map, UINT message) {
    for (; map != nullptr; map = map->base) {
        for (const MessageEntry& entry : map->entries) {
            if (entry.message == message)
                return &entry;
        }
    }
    return nullptr;
}

bool isObjectClass(const char16_t* className) {
    WNDCLASS wc;
    return GetClassInfo(nullptr, className, &wc) != FALSE && wc.lpfnWndProc == &objectWindowProc;
}

} // namespace

const CommandMap& CommandTarget::commandMap() const {
    static const CommandMap none{nullptr, {}};
    return none;
}

bool CommandTarget::routeCommand(UINT id, CommandState* query) {
    return handleOwnCommand(id, query);
}

bool CommandTarget::handleOwnCommand(UINT id, CommandState* query) {
    const CommandEntry* entry = findCommand(&commandMap(), id);
    if (entry == nullptr)
        return false;
    if (query != nullptr) {
        if (entry->run == nullptr)
            *query = CommandState::greyed();
        else
            *query = entry->state != nullptr ? entry->state(*this, id) : CommandState{};
        return true;
    }
    if (entry->run != nullptr)
        entry->run(*this, id);
    return true;
}

bool CommandTarget::executeCommand(UINT id) {
    CommandState state;
    if (!routeCommand(id, &state))
        return false;
    if (state.enabled)
        routeCommand(id, nullptr);
    return true;
}

WindowObject::~WindowObject() {
    if (hwnd_ != nullptr) {
        const HWND hwnd = hwnd_;
        detach();
        DestroyWindow(hwnd);
    }
}

WindowObject* WindowObject::fromHandle(HWND hwnd) {
    const auto it = attached().find(hwnd);
    return it != attached().end() ? it->second : nullptr;
}

ATOM WindowObject::registerClass(WNDCLASS wc) {
    wc.lpfnWndProc = &objectWindowProc;
    return RegisterClass(&wc);
}

bool WindowObject::createEx(DWORD exStyle, const char16_t* className, const char16_t* text,
                            DWORD style, const RECT& rect, HWND parent, int id, void* param) {
    if (hwnd_ != nullptr)
        return false;
    const bool own = isObjectClass(className);
    HWND hwnd = nullptr;
    {
        CreationScope scope(own ? this : nullptr);
        hwnd = CreateWindowEx(exStyle, className, text, style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent,
                              (style & WS_CHILD) != 0 ? childId(id) : nullptr, nullptr, param);
    }
    if (hwnd == nullptr) {
        if (hwnd_ != nullptr)
            detach();
        return false;
    }
    return own ? hwnd_ == hwnd : subclass(hwnd);
}

bool WindowObject::subclass(HWND hwnd) {
    if (hwnd_ != nullptr || !IsWindow(hwnd) || fromHandle(hwnd) != nullptr)
        return false;
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtr(hwnd, GWLP_WNDPROC));
    SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&objectWindowProc));
    attach(hwnd, previous);
    return true;
}

void WindowObject::destroyWindow() {
    if (hwnd_ != nullptr)
        DestroyWindow(hwnd_);
}

void WindowObject::attach(HWND hwnd, WNDPROC previous) {
    hwnd_ = hwnd;
    previousProc_ = previous;
    attached()[hwnd] = this;
}

void WindowObject::detach() {
    attached().erase(hwnd_);
    // A subclassed window goes back to its own procedure.
    if (previousProc_ != &DefWindowProc && IsWindow(hwnd_) &&
        GetWindowLongPtr(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&objectWindowProc))
        SetWindowLongPtr(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
    hwnd_ = nullptr;
    previousProc_ = nullptr;
}

const MessageMap& WindowObject::messageMap() const {
    static const MessageMap none{nullptr, {}};
    return none;
}

LRESULT WindowObject::windowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const MessageEntry* entry = findMessage(&messageMap(), message))
        return entry->call(*this, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        // A control's notification goes to the control's own object first; a click, a menu
        // choice or an accelerator is a command. Either may delete this object.
        if (lParam != 0) {
            if (reflectCommand(wParam, lParam) || HIWORD(wParam) != 0)
                return 0;
        }
        if (executeCommand(LOWORD(wParam)))
            return 0;
        break;
    case WM_INITMENUPOPUP:
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        updateMenuStates(reinterpret_cast<HMENU>(wParam));
        break;
    default:
        break;
    }
    return defaultProc(message, wParam, lParam);
}

bool WindowObject::reflectCommand(WPARAM wParam, LPARAM lParam) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    WindowObject* child = fromHandle(reinterpret_cast<HWND>(lParam));
    if (child == nullptr || child == this)
        return false;
    const MessageEntry* entry = findMessage(&child->messageMap(), WM_REFLECT + WM_COMMAND);
    return entry != nullptr && entry->call(*child, wParam, lParam) != 0;
}

LRESULT WindowObject::defaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd_ == nullptr)
        return 0;
    return CallWindowProc(previousProc_, hwnd_, message, wParam, lParam);
}

bool WindowObject::preTranslateMessage(MSG& /*msg*/) {
    return false;
}

void WindowObject::updateMenuStates(HMENU popup) {
    const int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(popup, i); sub != nullptr) {
            updateMenuStates(sub);
            continue;
        }
        const UINT id = GetMenuItemID(popup, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue; // a separator
        CommandState state;
        if (!routeCommand(id, &state))
            state = CommandState::greyed();
        const UINT where = static_cast<UINT>(i);
        EnableMenuItem(popup, where, MF_BYPOSITION | (state.enabled ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(popup, where, MF_BYPOSITION | (state.checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

LRESULT objectWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowObject* object = WindowObject::fromHandle(hwnd);
    if (object == nullptr) {
        WindowObject* creating = objectBeingCreated();
        if (creating == nullptr || creating->hwnd_ != nullptr)
            return DefWindowProc(hwnd, message, wParam, lParam);
        creating->attach(hwnd, &DefWindowProc);
        object = creating;
    }
    if (message == WM_NCDESTROY) {
        const WNDPROC previous = object->previousProc_;
        object->detach();
        const LRESULT result = CallWindowProc(previous, hwnd, message, wParam, lParam);
        object->onWindowGone();
        return result;
    }
    return object->windowProc(message, wParam, lParam);
}

bool preTranslateInput(MSG& msg) {
    for (HWND hwnd = msg.hwnd; hwnd != nullptr; hwnd = GetParent(hwnd)) {
        WindowObject* object = WindowObject::fromHandle(hwnd);
        if (object != nullptr && object->preTranslateMessage(msg))
            return true;
        if ((GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    return false;
}

} // namespace platform
