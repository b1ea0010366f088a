#include "platform/FrameWidget.h"
#include "platform/WindowInternal.h"

#include <algorithm>

namespace {

platform::ScrollBarState* barOf(HWND hwnd, int bar) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return nullptr;
    if (bar == SB_VERT)
        return &w->vbar;
    if (bar == SB_HORZ)
        return &w->hbar;
    return nullptr;
}

// The highest position: the range's end less what one page shows.
int maxPosition(const platform::ScrollBarState& s) {
    const auto page = static_cast<long long>(std::min<UINT>(s.page, 0x7FFFFFFF));
    const long long top = static_cast<long long>(s.maxPos) - std::max(page - 1, 0LL);
    return static_cast<int>(std::max<long long>(s.minPos, top));
}

bool scrollable(const platform::ScrollBarState& s) {
    return static_cast<long long>(s.maxPos) - s.minPos + 1 > static_cast<long long>(s.page) &&
           s.maxPos > s.minPos;
}

void showBar(HWND hwnd, platform::ScrollBarState& s, bool show) {
    if (s.shown == show)
        return;
    s.shown = show;
    platform::syncClientArea(hwnd);
}

} // namespace

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL /*redraw*/) {
    platform::ScrollBarState* s = barOf(hwnd, bar);
    if (s == nullptr || info == nullptr)
        return 0;
    if (info->fMask & SIF_RANGE) {
        s->minPos = info->nMin;
        s->maxPos = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & SIF_PAGE)
        s->page = static_cast<UINT>(
            std::min<long long>(info->nPage, static_cast<long long>(s->maxPos) - s->minPos + 1));
    if (info->fMask & SIF_POS)
        s->pos = info->nPos;
    s->pos = std::clamp(s->pos, s->minPos, maxPosition(*s));
    const int pos = s->pos;
    if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
        // A bar with nothing to scroll disappears, or is only disabled when asked to stay.
        if (scrollable(*s)) {
            s->enabled = true;
            showBar(hwnd, *s, true);
        } else if (info->fMask & SIF_DISABLENOSCROLL) {
            s->enabled = false;
            showBar(hwnd, *s, true);
        } else {
            showBar(hwnd, *s, false);
        }
    }
    if (PlatformWindow* w = platform::liveWindow(hwnd); w != nullptr)
        w->frame->mirrorBar(bar);
    return pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
    const platform::ScrollBarState* s = barOf(hwnd, bar);
    if (s == nullptr || info == nullptr)
        return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = s->minPos;
        info->nMax = s->maxPos;
    }
    if (info->fMask & SIF_PAGE)
        info->nPage = s->page;
    if (info->fMask & SIF_POS)
        info->nPos = s->pos;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = s->tracking ? s->trackPos : s->pos;
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
    const platform::ScrollBarState* s = barOf(hwnd, bar);
    if (s == nullptr)
        return 0;
    const int old = s->pos;
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = pos;
    SetScrollInfo(hwnd, bar, &info, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar) {
    const platform::ScrollBarState* s = barOf(hwnd, bar);
    return s != nullptr ? s->pos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
    if (barOf(hwnd, bar) == nullptr)
        return FALSE;
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = minPos;
    info.nMax = maxPos;
    SetScrollInfo(hwnd, bar, &info, redraw);
    return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
    bool any = false;
    for (int which : {SB_VERT, SB_HORZ}) {
        if (bar != SB_BOTH && static_cast<int>(bar) != which)
            continue;
        platform::ScrollBarState* s = barOf(hwnd, which);
        if (s == nullptr)
            continue;
        s->enabled = arrows != ESB_DISABLE_BOTH;
        hwnd->frame->mirrorBar(which);
        any = true;
    }
    return any ? TRUE : FALSE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    bool any = false;
    for (int which : {SB_VERT, SB_HORZ}) {
        if (bar != SB_BOTH && bar != which)
            continue;
        platform::ScrollBarState* s = barOf(hwnd, which);
        if (s == nullptr)
            continue;
        showBar(hwnd, *s, show != FALSE);
        any = true;
    }
    return any ? TRUE : FALSE;
}
