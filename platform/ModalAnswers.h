#pragma once
// Answers queued by tests for modal loops, and the record of what was asked.

#include "platform/TestHooks.h"

#include <optional>

namespace platform {

// The next queued message-box answer, if a test queued one.
std::optional<int> takeQueuedMessageBoxAnswer();
// The next queued popup-menu choice, if a test queued one.
std::optional<UINT> takeQueuedPopupMenuAnswer();
// Records a shown message box or popup menu.
void recordMessageBox(test::MessageBoxCall call);
void recordPopupMenu(test::PopupMenuCall call);
// True where nobody can answer a modal loop (the headless platform, or a program that said so):
// an unanswered box or menu is then dismissed at once instead of waiting for ever.
bool modalLoopsUnattended();
void setModalLoopsUnattended();
// Forgets queued answers and records.
void clearModalAnswers();
// Forgets queued file-dialog answers and records.
void clearFileDialogAnswers();

} // namespace platform
