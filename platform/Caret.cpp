#include "platform/CaretInternal.h"

#include "platform/ClientWidget.h"
#include "platform/TestHooks.h"

#include <QTimer>

namespace {

struct CaretData {
    HWND owner = nullptr;
    QRect rect;
    bool grey = false;
    int hideCount = 1; // shown only at 0
    bool phaseOn = true;
    UINT blinkTime = 500;
    std::unique_ptr<QTimer> blink;
};

CaretData& caret() {
    static CaretData c;
    return c;
}

void repaintCaret() {
    auto& c = caret();
    if (PlatformWindow* w = platform::liveWindow(c.owner); w != nullptr)
        w->client->update(c.rect);
}

// Every change makes the caret visible at once, so it never vanishes while it moves.
void restartBlink() {
    auto& c = caret();
    c.phaseOn = true;
    if (!c.blink) {
        c.blink = std::make_unique<QTimer>();
        QObject::connect(c.blink.get(), &QTimer::timeout, [] {
            caret().phaseOn = !caret().phaseOn;
            repaintCaret();
        });
    }
    c.blink->start(static_cast<int>(c.blinkTime));
}

bool ownsOrNull(HWND hwnd) {
    return hwnd == nullptr || hwnd == caret().owner;
}

} // namespace

namespace platform {

void drawCaret(HWND hwnd, QPainter& painter) {
    const auto& c = caret();
    if (c.owner != hwnd || c.hideCount > 0 || !c.phaseOn || c.rect.isEmpty())
        return;
    const QRect r = c.rect.intersected(QRect(QPoint(0, 0), hwnd->backing.size()));
    if (r.isEmpty())
        return;
    // An inverted block over what was painted (a grey caret inverts half the pixels).
    QImage block = hwnd->backing.copy(r);
    block.invertPixels();
    if (c.grey) {
        for (int y = 0; y < block.height(); ++y) {
            for (int x = (y % 2); x < block.width(); x += 2)
                block.setPixel(x, y, hwnd->backing.pixel(r.left() + x, r.top() + y));
        }
    }
    painter.drawImage(r.topLeft(), block);
}

std::optional<QRect> caretRectOf(HWND hwnd) {
    const auto& c = caret();
    if (hwnd == nullptr || c.owner != hwnd)
        return std::nullopt;
    return c.rect;
}

void forgetCaret(HWND hwnd) {
    if (caret().owner == hwnd)
        DestroyCaret();
}

} // namespace platform

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height) {
    if (!IsWindow(hwnd) || width < 0 || height < 0)
        return FALSE;
    DestroyCaret();
    auto& c = caret();
    c.owner = hwnd;
    c.rect = QRect(0, 0, width, height);
    c.grey = bitmap != nullptr;
    c.hideCount = 1;
    return TRUE;
}

BOOL DestroyCaret() {
    auto& c = caret();
    if (c.owner == nullptr)
        return FALSE;
    repaintCaret();
    c.owner = nullptr;
    c.rect = QRect();
    c.hideCount = 1;
    if (c.blink)
        c.blink->stop();
    return TRUE;
}

BOOL SetCaretPos(int x, int y) {
    auto& c = caret();
    if (c.owner == nullptr)
        return FALSE;
    repaintCaret();
    c.rect.moveTopLeft(QPoint(x, y));
    restartBlink();
    repaintCaret();
    return TRUE;
}

BOOL GetCaretPos(POINT* point) {
    const auto& c = caret();
    if (point == nullptr || c.owner == nullptr)
        return FALSE;
    *point = POINT{c.rect.left(), c.rect.top()};
    return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
    auto& c = caret();
    if (c.owner == nullptr || !ownsOrNull(hwnd) || c.hideCount == 0)
        return FALSE;
    c.hideCount -= 1;
    if (c.hideCount == 0) {
        restartBlink();
        repaintCaret();
    }
    return TRUE;
}

BOOL HideCaret(HWND hwnd) {
    auto& c = caret();
    if (c.owner == nullptr || !ownsOrNull(hwnd))
        return FALSE;
    if (c.hideCount == 0)
        repaintCaret();
    c.hideCount += 1;
    return TRUE;
}

UINT GetCaretBlinkTime() {
    return caret().blinkTime;
}

BOOL SetCaretBlinkTime(UINT milliseconds) {
    if (milliseconds == 0)
        return FALSE;
    caret().blinkTime = milliseconds;
    if (caret().blink && caret().blink->isActive())
        restartBlink();
    return TRUE;
}

namespace platform {

void releaseCaretTimer() {
    DestroyCaret();
    caret().blink.reset();
}

} // namespace platform

platform::test::CaretState platform::test::caretState() {
    const auto& c = caret();
    const bool shown = c.owner != nullptr && c.hideCount == 0;
    return CaretState{c.owner, platform::toRECT(c.rect), shown};
}
