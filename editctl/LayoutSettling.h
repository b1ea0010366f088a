#pragma once
// Lines an edit left unsettled are re-broken before anything reads them: all of them before a
// message that asks about lines, the visible ones before painting, and the rest in bounded
// steps on a timer between messages. Each settles, repaints what moved and updates the bars.

#include "platform/Window.h"

namespace editctl {

struct EditState;

// The timer that settles the layout step by step.
constexpr UINT_PTR kSettleTimer = 0x6E45;
// Characters re-broken per timer step (a fraction of a millisecond).
constexpr int kSettleStepCharacters = 1 << 18;

// What a message needs of the unsettled lines before its handler runs.
enum class Settling : unsigned char {
    Everything, // it reads lines: all of them are settled first
    Nothing,    // it reads only the text, or settles what it reads itself
    ByRule,     // a rule of its own decides from the parameters
};
// Settles what one message needs, given its parameters.
using SettleRule = void (*)(EditState& state, WPARAM wParam, LPARAM lParam);

// Before a message: settles as `settling` (and for ByRule, `rule`) says, when anything is
// unsettled.
void settleForMessage(EditState& state, Settling settling, SettleRule rule, WPARAM wParam,
                      LPARAM lParam);
// WM_KEYDOWN: everything for the keys that move the caret or change its shape, whose handlers
// read lines; the other keys edit at the caret or send messages of their own.
void settleForKey(EditState& state, WPARAM key, LPARAM lParam);
// EM_SETSEL: the lines of the old and the new selection, the only ones it reads.
void settleForSelection(EditState& state, WPARAM start, LPARAM end);
// Settles every line.
void settleEverything(EditState& state);
// Settles the lines in view and the caret's line, before painting.
void settleForPaint(EditState& state);
// One timer step: settles a bounded stretch and stops the timer when nothing is left.
void settleStep(EditState& state);
// Starts the timer while lines are unsettled.
void scheduleSettling(EditState& state);

} // namespace editctl
