#include "editctl/Paint.h"

#include "editctl/ColorSlots.h"
#include "editctl/EditState.h"

#include <algorithm>

namespace editctl {

namespace {

// Division rounding towards minus infinity, for rows above the top margin.
long long floorDiv(long long a, long long b) {
    const long long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

void paintUpdateArea(EditState& state, HDC target, const RECT& update, const PaintArea& area) {
    const HBRUSH brush = CreateSolidBrush(resolvedColor(state, NEC_WINDOW));
    const int lineHeight = state.layout.lineHeight;
    const int top = state.layout.margins.top;
    const int first = state.firstVisibleLine;
    // Where the window colour below the text starts.
    long long belowText = update.top;
    if (lineHeight > 0 && state.memoryDc != nullptr && state.lineStrip != nullptr) {
        LinePainter painter(state, state.memoryDc, area);
        const RECT strip{update.left, 0, update.right, lineHeight};
        const int width = update.right - update.left;
        // The lines whose rows meet the update area, counted from the top margin down, so that
        // a top margin taller than a line leaves no line unpainted.
        const long long from =
            std::max<long long>(first + floorDiv(update.top - top, lineHeight), 0);
        const long long to = std::min<long long>(
            first + floorDiv(update.bottom - 1 - top, lineHeight), state.lines.count() - 1);
        for (long long line = from; line <= to; ++line) {
            const long long y = top + (line - first) * lineHeight;
            FillRect(state.memoryDc, &strip, brush);
            painter.paintLine(static_cast<int>(line));
            BitBlt(target, update.left, static_cast<int>(y), width, lineHeight, state.memoryDc,
                   update.left, 0, SRCCOPY);
        }
        // Below the text, or below the last line drawn.
        const long long end = std::min<long long>(to + 1, state.lines.count());
        belowText = std::max(belowText, top + (end - first) * lineHeight);
    }
    if (belowText < update.bottom) {
        const RECT below{update.left, static_cast<LONG>(belowText), update.right, update.bottom};
        FillRect(target, &below, brush);
    }
    if (state.marginRegion != nullptr) {
        FillRgn(target, state.marginRegion, brush);
    }
    DeleteObject(brush);
}

} // namespace editctl
