#pragma once
// How the window layer hands the desktop input method's events and questions to the input
// contexts. Platform-only: includes the toolkit.

#include "platform/WindowInternal.h"

#include <QInputMethodEvent>
#include <QVariant>

namespace platform {

// Whether the input method may compose for hwnd now: its context is attached and open and
// the window is enabled.
bool inputMethodAccepted(HWND hwnd);
// Turns one input-method event for hwnd into its composition messages.
void deliverInputMethodEvent(HWND hwnd, const QInputMethodEvent& event);
// The answer to one of the input method's queries about hwnd (client coordinates); an
// invalid value for queries the window does not answer.
QVariant answerInputMethodQuery(HWND hwnd, Qt::InputMethodQuery query);
// The default window procedure's share of the input-method messages.
LRESULT defaultInputMethodMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// A window being destroyed: its composition, form positions and system composition window go.
void forgetInputMethodWindow(HWND hwnd);

} // namespace platform
