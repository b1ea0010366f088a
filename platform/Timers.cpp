#include "platform/WindowInternal.h"

#include <QElapsedTimer>
#include <QTimer>

#include <map>
#include <memory>

namespace {

// Timers are deleted from the event loop, so a handler may kill the timer that called it.
struct LaterDeleter {
    void operator()(QTimer* timer) const {
        timer->stop();
        timer->deleteLater();
    }
};
using TimerPtr = std::unique_ptr<QTimer, LaterDeleter>;

struct TimerKey {
    HWND hwnd;
    UINT_PTR id;
    friend bool operator<(const TimerKey& a, const TimerKey& b) {
        return a.hwnd != b.hwnd ? std::less<HWND>()(a.hwnd, b.hwnd) : a.id < b.id;
    }
};

struct Timers {
    std::map<TimerKey, TimerPtr> running;
    UINT_PTR nextThreadId = 1;
};

Timers& timers() {
    static Timers t;
    return t;
}

} // namespace

namespace platform {

void killTimersOf(HWND hwnd) {
    auto& running = timers().running;
    for (auto it = running.begin(); it != running.end();) {
        if (it->first.hwnd == hwnd)
            it = running.erase(it);
        else
            ++it;
    }
}

void releaseAllTimers() {
    timers().running.clear();
}

} // namespace platform

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, TIMERPROC proc) {
    auto& t = timers();
    if (hwnd != nullptr && !IsWindow(hwnd))
        return 0;
    if (hwnd == nullptr) {
        // Thread timers get fresh ids so they never replace each other.
        id = t.nextThreadId++;
    }
    const std::uint64_t serial = platform::windowSerial(hwnd);
    TimerPtr timer(new QTimer);
    timer->setInterval(
        static_cast<int>(std::min<UINT>(std::max<UINT>(milliseconds, 1), 0x7FFFFFFF)));
    QObject::connect(timer.get(), &QTimer::timeout, [hwnd, id, proc, serial] {
        if (hwnd != nullptr && platform::windowSerial(hwnd) != serial)
            return;
        if (proc != nullptr)
            proc(hwnd, WM_TIMER, id, GetTickCount());
        else
            SendMessage(hwnd, WM_TIMER, id, 0);
    });
    timer->start();
    t.running[TimerKey{hwnd, id}] = std::move(timer);
    return hwnd == nullptr ? id : (id != 0 ? id : 1);
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    return timers().running.erase(TimerKey{hwnd, id}) > 0 ? TRUE : FALSE;
}

DWORD GetTickCount() {
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return static_cast<DWORD>(clock.elapsed());
}
