#pragma once
// The input method's own composition window, for windows that do not draw the composition
// themselves: a small undecorated window next to the text, showing the composition string.
// Platform-only: includes the toolkit.

#include "platform/WinTypes.h"

#include <QPoint>

#include <string>

namespace platform {

// Shows text for hwnd with its top-left at a point in hwnd's client coordinates; an empty
// text hides it.
void showSystemComposition(HWND hwnd, QPoint clientPoint, const std::u16string& text);
// Hides it when it is shown for hwnd.
void hideSystemComposition(HWND hwnd);
// The text shown, or empty while hidden.
std::u16string shownSystemComposition();

} // namespace platform
