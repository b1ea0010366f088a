#pragma once
// The held state of keys and buttons as input events report it, plus injected modifiers.

#include <Qt>

namespace platform {

// Records the modifiers and buttons an input event carried.
void noteModifiers(Qt::KeyboardModifiers modifiers);
void noteButtons(Qt::MouseButtons buttons);
// Records a key going down or up.
void noteKey(int virtualKey, bool down);
// The modifiers an event should carry: the recorded ones plus injected ones.
Qt::KeyboardModifiers effectiveModifiers(Qt::KeyboardModifiers eventModifiers);
// Clears every recorded and injected state.
void resetKeyState();

} // namespace platform
