#pragma once
// Translation between the toolkit's key codes and virtual-key codes.

#include <QString>
#include <Qt>

namespace platform {

// The virtual key for a toolkit key event; 0 when there is none. Keys the toolkit reports
// with code 0 or a code outside its table fall back to the typed text when that is an ASCII
// letter or digit; other characters have no virtual key (they still arrive as characters).
int virtualKeyFor(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text);
// The toolkit key that a virtual key stands for (for injected and synthetic keys); 0 when
// there is none.
int qtKeyFor(int virtualKey);

} // namespace platform
