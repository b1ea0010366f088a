#pragma once
// How the window layer draws the caret over its owner.

#include "platform/WindowInternal.h"

#include <QPainter>

#include <optional>

namespace platform {

// Draws the caret over hwnd's client area when hwnd owns it and it is in its shown phase.
void drawCaret(HWND hwnd, QPainter& painter);
// The caret's rectangle in hwnd's client coordinates while hwnd owns it, shown or not.
std::optional<QRect> caretRectOf(HWND hwnd);
// Stops and frees the blink timer before the toolkit goes away.
void releaseCaretTimer();

} // namespace platform
