#include "platform/ClientWidget.h"
#include "platform/FrameWidget.h"
#include "platform/GdiInternal.h"
#include "platform/MessageQueue.h"
#include "platform/WindowInternal.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace {

// The client area as the window is laid out now (WM_SIZE may not have been sent yet).
QRect clientRect(const PlatformWindow* w) {
    return QRect(QPoint(0, 0), w->frame->clientGeometry().size());
}

// The client-coordinate clip for drawing: the window region (kept in window coordinates)
// moved to client coordinates, or everything.
QRegion visibleClient(const PlatformWindow* w) {
    QRegion all(clientRect(w));
    if (!w->windowRegion)
        return all;
    const QPoint origin = w->frame->clientGeometry().topLeft();
    return all & w->windowRegion->translated(-origin);
}

// A context's clip as the drawing library takes it: an empty region means "no clip", so
// nothing-to-draw is expressed by a region that lies wholly outside the image.
QRegion dcClip(const QRegion& region) {
    return region.isEmpty() ? QRegion(-2, -2, 1, 1) : region;
}

struct OpenPaint {
    HWND hwnd;
    HDC dc;
    QRegion region;
};

std::vector<OpenPaint>& openPaints() {
    static std::vector<OpenPaint> list;
    return list;
}

int regionKind(const QRegion& r) {
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// Adds client-area pixels to the window's update region and asks for a paint; an empty
// addition changes nothing (not even the pending erase).
void addToUpdate(HWND hwnd, PlatformWindow* w, const QRegion& pixels, BOOL erase) {
    if (pixels.isEmpty())
        return;
    w->update += pixels;
    if (erase)
        w->erasePending = true;
    platform::schedulePaint(hwnd);
}

} // namespace

namespace platform {

void schedulePaint(HWND hwnd) {
    PlatformWindow* w = liveWindow(hwnd);
    if (w == nullptr || w->paintQueued || w->update.isEmpty())
        return;
    w->paintQueued = true;
    postPaintRequest(hwnd);
}

void paintIfNeeded(HWND hwnd) {
    PlatformWindow* w = liveWindow(hwnd);
    if (w == nullptr || w->update.isEmpty() || !w->frame->isVisible())
        return;
    SendMessage(hwnd, WM_PAINT, 0, 0);
}

LRESULT eraseBackground(HWND hwnd, HDC dc) {
    PlatformWindow* w = liveWindow(hwnd);
    if (w == nullptr || dc == nullptr)
        return 0;
    HBRUSH brush = w->windowClass->wc.hbrBackground;
    if (brush == nullptr)
        return 0;
    // A class brush may be given as a system colour index + 1, as on the handheld system.
    const auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value <= 64)
        brush = GetSysColorBrush(static_cast<int>(value) - 1);
    const RECT r = toRECT(clientRect(w));
    FillRect(dc, &r, brush);
    return 1;
}

} // namespace platform

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return FALSE;
    const QRect all = clientRect(w);
    const QRect r = rect != nullptr ? platform::toQRect(*rect).intersected(all) : all;
    addToUpdate(hwnd, w, QRegion(r), erase);
    return TRUE;
}

BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return FALSE;
    if (region == nullptr)
        return InvalidateRect(hwnd, nullptr, erase);
    addToUpdate(hwnd, w, platform::gdi::regionPixels(region) & clientRect(w), erase);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return FALSE;
    if (rect == nullptr)
        w->update = QRegion();
    else
        w->update -= platform::toQRect(*rect);
    if (w->update.isEmpty())
        w->erasePending = false;
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return FALSE;
    const QRect bounds = w->update.boundingRect();
    if (rect != nullptr)
        *rect = bounds.isEmpty() ? RECT{} : platform::toRECT(bounds);
    if (erase && w->erasePending && !bounds.isEmpty()) {
        w->erasePending = false;
        HDC dc = platform::gdi::createImageDC(&w->backing, dcClip(w->update & visibleClient(w)));
        SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        platform::gdi::releaseImageDC(dc);
    }
    return bounds.isEmpty() ? FALSE : TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr || ps == nullptr)
        return nullptr;
    const QRegion region = w->update & clientRect(w);
    const bool erase = w->erasePending;
    w->update = QRegion();
    w->erasePending = false;
    *ps = PAINTSTRUCT{};
    ps->hdc = platform::gdi::createImageDC(&w->backing, dcClip(region & visibleClient(w)));
    ps->rcPaint = region.isEmpty() ? RECT{} : platform::toRECT(region.boundingRect());
    // fErase tells the procedure that the background still needs erasing.
    if (erase)
        ps->fErase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps->hdc), 0) == 0
                         ? TRUE
                         : FALSE;
    openPaints().push_back(OpenPaint{hwnd, ps->hdc, region});
    return ps->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (ps == nullptr || ps->hdc == nullptr)
        return FALSE;
    auto& list = openPaints();
    const auto it =
        std::find_if(list.begin(), list.end(), [&](const OpenPaint& p) { return p.dc == ps->hdc; });
    if (it == list.end())
        return FALSE;
    const QRegion region = it->region;
    list.erase(it);
    platform::gdi::releaseImageDC(ps->hdc);
    if (PlatformWindow* w = platform::liveWindow(hwnd); w != nullptr)
        w->client->update(region);
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    if (!IsWindow(hwnd))
        return FALSE;
    platform::paintIfNeeded(hwnd);
    return TRUE;
}

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip,
                   HRGN updateRegion, RECT* updateRect, UINT flags) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return 0; // ERROR
    const QRect all = clientRect(w);
    QRect area = scroll != nullptr ? platform::toQRect(*scroll).intersected(all) : all;
    if (clip != nullptr)
        area = area.intersected(platform::toQRect(*clip));
    const QPoint offset(dx, dy);
    QRegion band;
    if (!area.isEmpty()) {
        // Pixels move inside the area; what moved in from outside it is the uncovered band.
        const QRect moved = area.translated(offset).intersected(area);
        const QRect source = moved.translated(-offset);
        if (!moved.isEmpty()) {
            const QImage pixels = w->backing.copy(source);
            QPainter painter(&w->backing);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(moved.topLeft(), pixels);
        }
        band = QRegion(area) - QRegion(moved);
        // What was waiting to be painted moves with its pixels.
        const QRegion pendingInside = w->update & area;
        w->update = (w->update - area) + (pendingInside.translated(offset) & area);
        w->client->update(area);
    }
    if ((flags & SW_SCROLLCHILDREN) != 0) {
        // Without a scroll rectangle every child moves, the ones outside the visible part too
        // (a dialog taller than its window scrolls them in).
        for (HWND child : platform::liveWindows()) {
            if (child->parent == hwnd && (child->style & WS_CHILD) != 0 && child != w->dockedBar &&
                (scroll == nullptr || area.intersects(child->frame->geometry())))
                child->frame->move(child->frame->pos() + offset);
        }
    }
    if (updateRegion != nullptr)
        platform::gdi::setRegionPixels(updateRegion, band);
    if (updateRect != nullptr)
        *updateRect = band.isEmpty() ? RECT{} : platform::toRECT(band.boundingRect());
    if ((flags & SW_INVALIDATE) != 0 && !band.isEmpty()) {
        w->update += band;
        if ((flags & SW_ERASE) != 0)
            w->erasePending = true;
    }
    platform::schedulePaint(hwnd);
    return regionKind(band);
}

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return 0;
    if (region == nullptr) {
        w->windowRegion.reset();
        w->frame->clearMask();
    } else {
        w->windowRegion = platform::gdi::regionPixels(region);
        // The headless platform cannot shape top-level windows; painting is clipped anyway.
        // The toolkit takes an empty mask for no mask at all; an empty region shows nothing.
        if (!w->frame->isWindow() || !platform::headlessDisplay())
            w->frame->setMask(w->windowRegion->isEmpty() ? QRegion(-1, -1, 1, 1)
                                                         : *w->windowRegion);
        // The window owns the region from now on.
        DeleteObject(region);
    }
    if (redraw)
        InvalidateRect(hwnd, nullptr, TRUE);
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr || region == nullptr || !w->windowRegion)
        return 0;
    platform::gdi::setRegionPixels(region, *w->windowRegion);
    return CombineRgn(region, region, nullptr, RGN_COPY);
}

HDC GetDC(HWND hwnd) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return nullptr;
    HDC dc = platform::gdi::createImageDC(&w->backing, dcClip(visibleClient(w)));
    openPaints().push_back(OpenPaint{hwnd, dc, QRegion(clientRect(w))});
    return dc;
}

int ReleaseDC(HWND hwnd, HDC dc) {
    auto& list = openPaints();
    const auto it =
        std::find_if(list.begin(), list.end(), [&](const OpenPaint& p) { return p.dc == dc; });
    if (it == list.end())
        return 0;
    list.erase(it);
    platform::gdi::releaseImageDC(dc);
    if (PlatformWindow* w = platform::liveWindow(hwnd); w != nullptr)
        w->client->update();
    return 1;
}
