#include "platform/KeyState.h"

#include "platform/ClientWidget.h"
#include "platform/KeyMap.h"
#include "platform/WindowInternal.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>

#include <array>

namespace platform {

namespace {

struct KeyStateTable {
    std::array<bool, 256> down{};
    std::array<bool, 256> toggled{};
    Qt::KeyboardModifiers modifiers;
    Qt::MouseButtons buttons;
    bool injectedShift = false;
    bool injectedControl = false;
    bool injectedAlt = false;
};

KeyStateTable& table() {
    static KeyStateTable state;
    return state;
}

bool modifierHeld(int virtualKey, Qt::KeyboardModifiers modifiers) {
    const auto& t = table();
    switch (virtualKey) {
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT:
        return (modifiers & Qt::ShiftModifier) || t.injectedShift;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
        return (modifiers & Qt::ControlModifier) || t.injectedControl;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
        return (modifiers & Qt::AltModifier) || t.injectedAlt;
    default:
        return false;
    }
}

SHORT stateBits(bool held, bool toggled) {
    return static_cast<SHORT>((held ? 0x8000 : 0) | (toggled ? 1 : 0));
}

SHORT keyState(int virtualKey, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    if (virtualKey < 0 || virtualKey > 255)
        return 0;
    const auto& t = table();
    const auto index = static_cast<std::size_t>(virtualKey);
    switch (virtualKey) {
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT:
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
        return stateBits(modifierHeld(virtualKey, modifiers), t.toggled[index]);
    case VK_LBUTTON:
        return stateBits(buttons & Qt::LeftButton, false);
    case VK_RBUTTON:
        return stateBits(buttons & Qt::RightButton, false);
    case VK_MBUTTON:
        return stateBits(buttons & Qt::MiddleButton, false);
    default:
        return stateBits(t.down[index], t.toggled[index]);
    }
}

} // namespace

void noteModifiers(Qt::KeyboardModifiers modifiers) {
    table().modifiers = modifiers;
}

void noteButtons(Qt::MouseButtons buttons) {
    table().buttons = buttons;
}

void noteKey(int virtualKey, bool down) {
    if (virtualKey <= 0 || virtualKey > 255)
        return;
    auto& t = table();
    const auto index = static_cast<std::size_t>(virtualKey);
    // Letting go of the real key ends an injected hold of it too, as on a real keyboard.
    if (!down && virtualKey == VK_SHIFT)
        t.injectedShift = false;
    if (down && !t.down[index])
        t.toggled[index] = !t.toggled[index];
    t.down[index] = down;
}

Qt::KeyboardModifiers effectiveModifiers(Qt::KeyboardModifiers eventModifiers) {
    const auto& t = table();
    Qt::KeyboardModifiers result = eventModifiers;
    if (t.injectedShift)
        result |= Qt::ShiftModifier;
    if (t.injectedControl)
        result |= Qt::ControlModifier;
    if (t.injectedAlt)
        result |= Qt::AltModifier;
    return result;
}

void resetKeyState() {
    table() = KeyStateTable{};
}

} // namespace platform

SHORT GetKeyState(int virtualKey) {
    const auto& t = platform::table();
    return platform::keyState(virtualKey, t.modifiers, t.buttons);
}

SHORT GetAsyncKeyState(int virtualKey) {
    return platform::keyState(virtualKey, QGuiApplication::queryKeyboardModifiers(),
                              QGuiApplication::mouseButtons());
}

void keybd_event(BYTE virtualKey, BYTE /*scanCode*/, DWORD flags, std::uintptr_t /*extraInfo*/) {
    auto& t = platform::table();
    const bool down = (flags & KEYEVENTF_KEYUP) == 0;
    switch (virtualKey) {
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT:
        t.injectedShift = down;
        return;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
        t.injectedControl = down;
        return;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
        t.injectedAlt = down;
        return;
    default:
        break;
    }
    // Other keys travel as the toolkit's own key events to the focus window, so they are
    // translated exactly like typed ones, after the current message.
    PlatformWindow* target = platform::liveWindow(GetFocus());
    const int qtKey = platform::qtKeyFor(virtualKey);
    if (target == nullptr || qtKey == 0)
        return;
    QWidget* widget = target->client;
    QCoreApplication::postEvent(widget,
                                new QKeyEvent(down ? QEvent::KeyPress : QEvent::KeyRelease, qtKey,
                                              platform::effectiveModifiers(Qt::NoModifier)));
}

BOOL GetCursorPos(POINT* point) {
    if (point == nullptr)
        return FALSE;
    const QPoint p = QCursor::pos();
    *point = POINT{p.x(), p.y()};
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    QCursor::setPos(x, y);
    return TRUE;
}
