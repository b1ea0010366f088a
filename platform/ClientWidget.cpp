#include "platform/ClientWidget.h"

#include "platform/CaretInternal.h"
#include "platform/ControlHost.h"
#include "platform/CursorInternal.h"
#include "platform/FrameWidget.h"
#include "platform/InputDispatch.h"
#include "platform/InputMethodInternal.h"
#include "platform/KeyMap.h"
#include "platform/KeyState.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace platform {

namespace {

// Focus changes the window layer makes itself must not echo back as new SetFocus calls.
bool& settingFocus() {
    static bool flag = false;
    return flag;
}

WPARAM mouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    WPARAM keys = 0;
    if (buttons & Qt::LeftButton)
        keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        keys |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        keys |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        keys |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        keys |= MK_CONTROL;
    return keys;
}

LPARAM pointParam(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<std::int16_t>(x)),
                      static_cast<WORD>(static_cast<std::int16_t>(y)));
}

} // namespace

void setFocusQuietly(QWidget* widget) {
    settingFocus() = true;
    if (widget != nullptr)
        widget->setFocus(Qt::OtherFocusReason);
    settingFocus() = false;
}

bool focusBeingSetQuietly() {
    return settingFocus();
}

ClientWidget::ClientWidget(HWND hwnd, QWidget* frame) : QWidget(frame), hwnd_(hwnd) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    // Only SetFocus moves the focus, as on the handheld system.
    setFocusPolicy(Qt::NoFocus);
    // Whether the input method really composes here is the window's input context's business.
    setAttribute(Qt::WA_InputMethodEnabled);
    if (HCURSOR cursor = hwnd->windowClass->wc.hCursor; cursor != nullptr)
        setCursor(cursorShape(cursor));
}

bool ClientWidget::alive() const {
    return hwnd_->alive;
}

bool ClientWidget::event(QEvent* event) {
    if (event->type() == QEvent::InputMethod) {
        if (alive())
            deliverInputMethodEvent(hwnd_, *static_cast<QInputMethodEvent*>(event));
        event->accept();
        return true;
    }
    if (event->type() == QEvent::InputMethodQuery) {
        auto* query = static_cast<QInputMethodQueryEvent*>(event);
        for (unsigned bit = 1; bit != 0; bit <<= 1) {
            const auto q = static_cast<Qt::InputMethodQuery>(bit);
            if ((query->queries() & q) != 0 && alive())
                query->setValue(q, answerInputMethodQuery(hwnd_, q));
        }
        query->accept();
        return true;
    }
    const bool keyEvent = event->type() == QEvent::KeyPress ||
                          event->type() == QEvent::KeyRelease ||
                          event->type() == QEvent::ShortcutOverride;
    if (keyEvent && alive() && hostedInputWidget(hwnd_) != nullptr) {
        // A standard control's widget has had the key already; what it leaves goes no further.
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress && alive()) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        const bool plain = (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
        if (tab && plain) {
            // Tab moves between controls unless the window asks for it (WM_GETDLGCODE).
            if (wantsTab()) {
                keyPressEvent(key);
            } else {
                const bool forward =
                    key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier) == 0;
                QWidget::focusNextPrevChild(forward);
            }
            return true;
        }
    }
    return QWidget::event(event);
}

bool ClientWidget::wantsTab() {
    const LRESULT code = SendMessage(hwnd_, WM_GETDLGCODE, VK_TAB, 0);
    return (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) != 0;
}

bool ClientWidget::focusNextPrevChild(bool next) {
    if (alive() && wantsTab())
        return false;
    return QWidget::focusNextPrevChild(next);
}

void ClientWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (const QRect& r : event->region())
        painter.drawImage(r.topLeft(), hwnd_->backing, r);
    if (alive())
        drawCaret(hwnd_, painter);
}

void ClientWidget::deliverKey(QKeyEvent* event, bool down) {
    const Qt::KeyboardModifiers modifiers = effectiveModifiers(event->modifiers());
    noteModifiers(modifiers);
    const int vk = virtualKeyFor(event->key(), event->modifiers(), event->text());
    if (vk != 0)
        noteKey(vk, down);
    const bool alt = (modifiers & Qt::AltModifier) != 0;
    LPARAM flags = 1;
    if (!down)
        flags |= static_cast<LPARAM>(0xC0000000u);
    else if (event->isAutoRepeat())
        flags |= 0x40000000;
    if (vk != 0) {
        const bool system = alt || vk == VK_F10;
        const UINT msg =
            system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
        // A key-down that pre-translation consumed (an accelerator, a soft key) types nothing.
        if (!dispatchInputMessage(hwnd_, msg, static_cast<WPARAM>(vk), flags))
            return;
    }
    if (!down)
        return;
    // One character message per UTF-16 unit of the typed text; DEL comes with the Delete
    // key, which types nothing on the handheld system.
    const QString text = event->text();
    for (const QChar c : text) {
        if (!alive())
            return;
        if (c.unicode() == 0x7F)
            continue;
        dispatchInputMessage(hwnd_, alt ? WM_SYSCHAR : WM_CHAR, c.unicode(), flags);
    }
}

void ClientWidget::keyPressEvent(QKeyEvent* event) {
    if (alive())
        deliverKey(event, true);
}

void ClientWidget::keyReleaseEvent(QKeyEvent* event) {
    if (alive())
        deliverKey(event, false);
}

void ClientWidget::deliverMouse(QMouseEvent* event, UINT leftMsg, UINT rightMsg, UINT middleMsg) {
    if (!alive())
        return;
    const Qt::KeyboardModifiers modifiers = effectiveModifiers(event->modifiers());
    noteModifiers(modifiers);
    noteButtons(event->buttons());
    UINT msg = leftMsg;
    if (event->button() == Qt::RightButton)
        msg = rightMsg;
    else if (event->button() == Qt::MiddleButton)
        msg = middleMsg;
    else if (event->button() != Qt::LeftButton && event->button() != Qt::NoButton)
        return;
    // With the capture set, every mouse message goes to the capturing window.
    HWND target = hwnd_;
    if (PlatformWindow* capture = liveWindow(GetCapture()); capture != nullptr)
        target = capture;
    const QPoint p = target->client->mapFromGlobal(event->globalPosition().toPoint());
    dispatchInputMessage(target, msg, mouseKeys(event->buttons(), modifiers),
                         pointParam(p.x(), p.y()));
}

void ClientWidget::mousePressEvent(QMouseEvent* event) {
    deliverMouse(event, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN);
}

void ClientWidget::mouseReleaseEvent(QMouseEvent* event) {
    deliverMouse(event, WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP);
}

void ClientWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // Only classes with CS_DBLCLKS see double clicks; others get a second press.
    if (alive() && (hwnd_->windowClass->wc.style & CS_DBLCLKS) != 0)
        deliverMouse(event, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK);
    else
        deliverMouse(event, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN);
}

void ClientWidget::mouseMoveEvent(QMouseEvent* event) {
    deliverMouse(event, WM_MOUSEMOVE, WM_MOUSEMOVE, WM_MOUSEMOVE);
}

void ClientWidget::wheelEvent(QWheelEvent* event) {
    if (!alive())
        return;
    const Qt::KeyboardModifiers modifiers = effectiveModifiers(event->modifiers());
    noteModifiers(modifiers);
    const QPoint angle = event->angleDelta();
    const bool horizontal = angle.y() == 0 && angle.x() != 0;
    const int delta = horizontal ? angle.x() : angle.y();
    if (delta == 0)
        return;
    // The wheel reports screen coordinates, as on the handheld system.
    const QPoint g = event->globalPosition().toPoint();
    const WPARAM keys = mouseKeys(event->buttons(), modifiers);
    dispatchInputMessage(
        hwnd_, horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL,
        MAKEWPARAM(static_cast<WORD>(keys), static_cast<WORD>(static_cast<std::int16_t>(delta))),
        pointParam(g.x(), g.y()));
}

void ClientWidget::focusInEvent(QFocusEvent* /*event*/) {
    // The desktop gave this window the keyboard (a click on the window, re-activation).
    if (!settingFocus() && alive() && GetFocus() != hwnd_)
        SetFocus(hwnd_);
}

void ClientWidget::focusOutEvent(QFocusEvent* event) {
    // Menus opening keep the focus where it is; the program losing the keyboard to another
    // program or window takes it away.
    if (settingFocus() || !alive() || event->reason() == Qt::PopupFocusReason)
        return;
    if (GetFocus() == hwnd_ && event->reason() == Qt::ActiveWindowFocusReason)
        loseFocusToDesktop(hwnd_);
}

} // namespace platform
