#pragma once
// Answers queued by tests for modal dialogs, and the record of the dialogs run.

#include "platform/DialogTestHooks.h"

#include <optional>

namespace platform {

struct DialogAnswer {
    std::function<void(HWND)> setControls;
    int button = IDOK;
};

// The next queued answer, if a test queued one.
std::optional<DialogAnswer> takeQueuedDialogAnswer();
// Records a dialog that ran.
void recordDialog(test::DialogCall call);
// Forgets queued answers and records.
void clearDialogAnswers();

} // namespace platform
