#pragma once
// The composition string as the window sees it, read from the desktop input method's preedit.
// Platform-only: includes the toolkit.

#include "platform/WinTypes.h"

#include <QInputMethodEvent>

#include <string>
#include <vector>

namespace platform {

struct Composition {
    std::u16string text;
    std::vector<BYTE> attributes; // one ATTR_ byte per UTF-16 unit
    std::vector<DWORD> clauses;   // increasing unit offsets from 0 to the length; none when empty
    int cursor = 0;               // 0 ... length
    friend bool operator==(const Composition&, const Composition&) = default;
};

// Reads a preedit and its attributes. The toolkit carries no attribute bytes, only formats:
// while the input method converts, the clause being converted is drawn highlighted (it has a
// background) and every other character is converted text; before any conversion nothing is
// highlighted and every character is input. Each format range is a clause. Ranges and the
// cursor outside the preedit are cut to it; without a cursor it stands at the end.
Composition compositionFromPreedit(const QString& preedit,
                                   const QList<QInputMethodEvent::Attribute>& attributes);

} // namespace platform
