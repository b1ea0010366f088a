#pragma once
// Text between the control and the system clipboard: CR line breaks inside the control, CR LF
// on the clipboard.

#include "platform/Window.h"

#include <string>
#include <string_view>

namespace editctl {

struct EditState;

// WM_COPY: the selection goes to the clipboard with every CR written as CR LF; a copy that
// cannot get the memory leaves the clipboard as it was.
LRESULT copySelection(EditState& state);
// WM_PASTE: the clipboard's text replaces the selection, each CR LF taken as one CR. Refused
// when read-only.
LRESULT pasteClipboard(EditState& state);
// WM_CUT: copy, then clear only when the copy succeeded. Refused when read-only.
LRESULT cutSelection(EditState& state);
// WM_CLEAR: deletes a non-empty selection. Refused when read-only.
LRESULT clearSelection(EditState& state);

// Clipboard text with each CR LF pair turned into a single CR; lone CRs and LFs stay.
std::u16string fromClipboardBreaks(std::u16string_view text);

} // namespace editctl
