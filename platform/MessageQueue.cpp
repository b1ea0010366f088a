#include "platform/MessageQueue.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace platform {

namespace {

const QEvent::Type kCallEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class CallEvent final : public QEvent {
public:
    explicit CallEvent(std::function<void()> call) : QEvent(kCallEvent), call(std::move(call)) {}
    std::function<void()> call;
};

int& pending() {
    static int count = 0;
    return count;
}

class Dispatcher final : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() != kCallEvent)
            return QObject::event(e);
        pending() -= 1;
        static_cast<CallEvent*>(e)->call();
        return true;
    }
};

Dispatcher& dispatcher() {
    static Dispatcher d;
    return d;
}

void post(std::function<void()> call, int priority) {
    pending() += 1;
    // The event queue takes ownership of the event.
    QCoreApplication::postEvent(&dispatcher(), new CallEvent(std::move(call)), priority);
}

} // namespace

void postCall(std::function<void()> call) {
    post(std::move(call), Qt::NormalEventPriority);
}

void postPaintRequest(HWND hwnd) {
    const std::uint64_t serial = windowSerial(hwnd);
    post(
        [hwnd, serial] {
            if (windowSerial(hwnd) != serial)
                return;
            hwnd->paintQueued = false;
            paintIfNeeded(hwnd);
        },
        Qt::LowEventPriority);
}

int pendingPosted() {
    return pending();
}

void drainPostedMessages() {
    // A window that posts to itself on every message would never let the queue empty, so
    // the number of rounds is bounded.
    for (int round = 0; round < 10000; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (pending() == 0)
            break;
    }
    QCoreApplication::processEvents();
}

} // namespace platform

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd == nullptr)
        return TRUE;
    const std::uint64_t serial = platform::windowSerial(hwnd);
    if (serial == 0)
        return FALSE;
    platform::postCall([=] {
        if (platform::windowSerial(hwnd) == serial)
            SendMessage(hwnd, msg, wParam, lParam);
    });
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    platform::postCall([exitCode] { QCoreApplication::exit(exitCode); });
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr || w->proc == nullptr)
        return 0;
    return w->proc(hwnd, msg, wParam, lParam);
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (proc == nullptr)
        return 0;
    return proc(hwnd, msg, wParam, lParam);
}
