#pragma once
// For tests only: answers for modal dialogs queued in advance, and the record of the dialogs
// run. The real program never uses these.

#include "platform/ControlMessages.h"

#include <functional>
#include <string>
#include <vector>

namespace platform::test {

// The next modal dialog is answered: once it is initialised and shown, setControls runs with
// the dialog window (it may set controls with messages or synthetic input, grab the window,
// read what it shows), then the button with id `button` is pressed as a click would (IDOK,
// IDCANCEL or any command id). A dialog still open afterwards (a validation failure keeps
// it open) takes the next queued answer; with none left it is dismissed like an unanswered
// one: on the headless platform at once, as with Cancel.
void queueDialogAnswer(std::function<void(HWND dialog)> setControls, int button = IDOK);

struct DialogCall {
    HWND owner;
    std::u16string caption;
    INT_PTR result;
    int answersUsed; // queued answers this dialog took
};
// The modal dialogs run since the last call, oldest first; clears the log.
std::vector<DialogCall> takeDialogCalls();

} // namespace platform::test
