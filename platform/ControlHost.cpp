#include "platform/ControlHost.h"

#include "platform/ClientWidget.h"
#include "platform/GdiFontImpl.h"
#include "platform/GdiInternal.h"
#include "platform/InputDispatch.h"
#include "platform/KeyMap.h"
#include "platform/KeyState.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>

#include <algorithm>
#include <memory>
#include <unordered_map>

namespace platform {

namespace {

// Routes the toolkit's input to a hosted widget through the window's procedure first.
class ControlInput final : public QObject {
public:
    ControlInput(HWND hwnd, QWidget* widget)
        : QObject(widget), hwnd_(hwnd), watchedWidget_(widget) {}
    HWND hwnd() const { return hwnd_; }

    bool eventFilter(QObject* watched, QEvent* event) override;

    // Messages made from the toolkit event being delivered, and how many of them reached the
    // control's own procedure: only when all did does the widget get the event.
    int inFlight = 0;
    int passed = 0;
    QString passedChars; // the characters among them that arrived

private:
    bool routeKey(QKeyEvent* key, bool down);
    bool dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_;
    QPointer<QWidget> watchedWidget_;
};

// A key the program sent, being typed into a widget.
bool replaying = false;

struct Host {
    QPointer<QWidget> widget;      // what the control's messages act on
    QPointer<QWidget> focusWidget; // what takes the keyboard: the widget or its container
    ControlInput* input = nullptr;
    HFONT font = nullptr;
    bool programmatic = false;
    bool managesGeometry = false;
};

std::unordered_map<HWND, Host>& hosts() {
    static std::unordered_map<HWND, Host> map;
    return map;
}

Host* hostOf(HWND hwnd) {
    if (!IsWindow(hwnd))
        return nullptr;
    const auto it = hosts().find(hwnd);
    return it != hosts().end() ? &it->second : nullptr;
}

bool ControlInput::dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    ++inFlight;
    const bool delivered = dispatchInputMessage(hwnd_, msg, wParam, lParam);
    return delivered && IsWindow(hwnd_);
}

bool ControlInput::routeKey(QKeyEvent* key, bool down) {
    const Qt::KeyboardModifiers modifiers = effectiveModifiers(key->modifiers());
    noteModifiers(modifiers);
    const int vk = virtualKeyFor(key->key(), key->modifiers(), key->text());
    if (vk != 0)
        noteKey(vk, down);
    const bool alt = (modifiers & Qt::AltModifier) != 0;
    LPARAM flags = 1;
    if (!down)
        flags |= static_cast<LPARAM>(0xC0000000u);
    else if (key->isAutoRepeat())
        flags |= 0x40000000;
    inFlight = 0;
    passed = 0;
    passedChars.clear();
    if (vk != 0) {
        const bool system = alt || vk == VK_F10;
        const UINT msg =
            system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
        // A key that pre-translation consumed (a bar's Return, an accelerator) types nothing.
        if (!dispatch(msg, static_cast<WPARAM>(vk), flags))
            return true;
    }
    if (down) {
        for (const QChar c : key->text()) {
            if (c.unicode() == 0x7F)
                continue;
            if (!dispatch(alt ? WM_SYSCHAR : WM_CHAR, c.unicode(), flags))
                return true;
        }
    }
    // Tab never walks the toolkit's focus chain: focus moves only through SetFocus.
    if (vk == VK_TAB)
        return true;
    if (passed == inFlight)
        return false;
    // The procedure kept some of the characters back: the others are typed one by one.
    const QString chars = passedChars;
    if (watchedWidget_ == nullptr)
        return true;
    for (const QChar c : chars) {
        QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        const bool saved = replaying;
        replaying = true;
        QApplication::sendEvent(watchedWidget_, &typed);
        replaying = saved;
    }
    return true;
}

bool ControlInput::eventFilter(QObject* watched, QEvent* event) {
    if (!IsWindow(hwnd_))
        return false;
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        // A press gives the control the keyboard, as SetFocus does.
        if (GetFocus() != hwnd_ && IsWindowEnabled(hwnd_))
            SetFocus(hwnd_);
        return false;
    }
    if (watched != watchedWidget_)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (replaying)
            return false;
        return routeKey(static_cast<QKeyEvent*>(event), event->type() == QEvent::KeyPress);
    case QEvent::ShortcutOverride:
        // The widget's own editing keys win over the toolkit's shortcuts; the program's
        // accelerators come through pre-translation instead.
        event->accept();
        return false;
    case QEvent::FocusIn:
        // A click gave the widget the keyboard: the window takes the focus as SetFocus does.
        if (!focusBeingSetQuietly() && GetFocus() != hwnd_)
            SetFocus(hwnd_);
        return false;
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (!focusBeingSetQuietly() && reason == Qt::ActiveWindowFocusReason && GetFocus() == hwnd_)
            loseFocusToDesktop(hwnd_);
        return false;
    }
    case QEvent::ContextMenu: {
        // The program decides what a context menu shows.
        const QPoint at = static_cast<QContextMenuEvent*>(event)->globalPos();
        SendMessage(hwnd_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd_),
                    MAKELPARAM(static_cast<WORD>(at.x()), static_cast<WORD>(at.y())));
        return true;
    }
    default:
        return false;
    }
}

bool isKeyMessage(UINT msg) {
    return msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_CHAR || msg == WM_SYSKEYDOWN ||
           msg == WM_SYSKEYUP || msg == WM_SYSCHAR;
}

// Types a key message the program sent into the widget, as the keyboard would have.
void replayKey(Host& host, UINT msg, WPARAM wParam) {
    QWidget* target = host.focusWidget;
    if (target == nullptr)
        return;
    QKeyEvent* event = nullptr;
    const bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
    if (msg == WM_CHAR || msg == WM_SYSCHAR) {
        const QString text(QChar(static_cast<char16_t>(wParam)));
        // Control characters are editing keys the widget takes from their key code instead.
        if (wParam < 0x20)
            return;
        event = new QKeyEvent(QEvent::KeyPress, 0, Qt::NoModifier, text);
    } else {
        const int key = qtKeyFor(static_cast<int>(wParam));
        if (key == 0 || (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde))
            return; // printable keys type through WM_CHAR
        event = new QKeyEvent(down ? QEvent::KeyPress : QEvent::KeyRelease, key,
                              effectiveModifiers(Qt::NoModifier));
    }
    const std::unique_ptr<QKeyEvent> owned(event);
    const bool saved = replaying;
    replaying = true;
    QApplication::sendEvent(target, owned.get());
    replaying = saved;
}

} // namespace

void hostWidget(HWND hwnd, QWidget* widget, bool routeInput) {
    widget->setGeometry(QRect(QPoint(0, 0), hwnd->client->size()));
    // The widget covers the window; where it draws nothing the desktop's colour shows.
    widget->setAutoFillBackground(true);
    if (routeInput) {
        adoptWidget(hwnd, widget, widget);
    } else {
        Host& host = hosts()[hwnd];
        host.widget = widget;
        host.focusWidget = widget;
        widget->setFocusPolicy(Qt::ClickFocus);
        hwnd->client->setFocusProxy(widget);
    }
    Host& host = hosts()[hwnd];
    host.managesGeometry = true;
    widget->setFont(controlFont(hwnd));
    widget->show();
}

void adoptWidget(HWND hwnd, QWidget* widget, QWidget* focusWidget) {
    Host& host = hosts()[hwnd];
    host.widget = widget;
    host.focusWidget = focusWidget;
    host.input = new ControlInput(hwnd, focusWidget);
    focusWidget->installEventFilter(host.input);
    // A press on the widget inside a container (a combo box's field) focuses too.
    if (widget != focusWidget)
        widget->installEventFilter(host.input);
    // Only SetFocus and clicks move the focus; Tab is the dialog's business.
    focusWidget->setFocusPolicy(Qt::ClickFocus);
    hwnd->client->setFocusProxy(focusWidget);
}

QWidget* hostedWidget(HWND hwnd) {
    Host* host = hostOf(hwnd);
    return host != nullptr ? host->widget.data() : nullptr;
}

QWidget* hostedInputWidget(HWND hwnd) {
    Host* host = hostOf(hwnd);
    return host != nullptr ? host->focusWidget.data() : nullptr;
}

LRESULT hostedControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Host* host = hostOf(hwnd);
    if (host == nullptr)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    if (isKeyMessage(msg)) {
        // The toolkit event these messages came from goes on to the widget only when every
        // one of them arrives here.
        if (host->input != nullptr && host->input->inFlight > host->input->passed) {
            ++host->input->passed;
            if (msg == WM_CHAR)
                host->input->passedChars.append(QChar(static_cast<char16_t>(wParam)));
        } else
            replayKey(*host, msg, wParam);
        return 0;
    }
    switch (msg) {
    case WM_SIZE:
        if (host->widget != nullptr && host->managesGeometry)
            host->widget->setGeometry(QRect(QPoint(0, 0), hwnd->client->size()));
        return 0;
    case WM_SETFONT:
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        host->font = reinterpret_cast<HFONT>(wParam);
        if (host->widget != nullptr && host->managesGeometry)
            host->widget->setFont(controlFont(hwnd));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(host->font);
    case WM_NCDESTROY:
        hwnd->client->setFocusProxy(nullptr);
        if (host->input != nullptr) {
            for (QWidget* w : {host->focusWidget.data(), host->widget.data()}) {
                if (w != nullptr)
                    w->removeEventFilter(host->input);
            }
            host->input->deleteLater();
        }
        hosts().erase(hwnd);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

void notifyParent(HWND hwnd, UINT code) {
    const HWND parent = GetParent(hwnd);
    if (parent == nullptr)
        return;
    const WPARAM wParam =
        MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), static_cast<WORD>(code));
    SendMessage(parent, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(hwnd));
}

bool changingProgrammatically(HWND hwnd) {
    const Host* host = hostOf(hwnd);
    return host != nullptr && host->programmatic;
}

ProgrammaticChange::ProgrammaticChange(HWND hwnd) : hwnd_(hwnd) {
    Host* host = hostOf(hwnd);
    saved_ = host != nullptr && host->programmatic;
    if (host != nullptr)
        host->programmatic = true;
}

ProgrammaticChange::~ProgrammaticChange() {
    if (Host* host = hostOf(hwnd_); host != nullptr)
        host->programmatic = saved_;
}

LRESULT copyText(const QString& text, WPARAM size, LPARAM buffer) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    auto* out = reinterpret_cast<char16_t*>(buffer);
    if (out == nullptr || size == 0)
        return 0;
    const auto count = std::min<std::size_t>(static_cast<std::size_t>(text.size()), size - 1);
    std::copy_n(reinterpret_cast<const char16_t*>(text.utf16()), count, out);
    out[count] = u'\0';
    return static_cast<LRESULT>(count);
}

QString textParam(LPARAM text) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    const auto* s = reinterpret_cast<const char16_t*>(text);
    return s != nullptr ? QString::fromUtf16(s) : QString();
}

QFont controlFont(HWND hwnd) {
    const Host* host = hostOf(hwnd);
    const HFONT font = host != nullptr && host->font != nullptr ? host->font : gdi::defaultFont();
    return gdi::toolkitFont(font);
}

} // namespace platform
