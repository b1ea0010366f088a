#pragma once
// The drop-down list of a history combo box, kept equal to its history.

#include "document/StringHistory.h"
#include "platform/WinTypes.h"

#include <string_view>

namespace search {

// Rebuilds combo's list so that it holds history's entries, each once, most recent first,
// leaving the text in the combo's field alone. `current` is the text just added to the
// history (empty when the history did not change): an item equal to it is kept rather than
// deleted and added again.
void HistoryCombo(HWND combo, const document::StringHistory& history, std::u16string_view current);

} // namespace search
