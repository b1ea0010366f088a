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

// Before a message: settles what it reads and its handler does not settle itself (all lines,
// for most; nothing for text queries, edits at the caret, painting and the settling timer).
void settleForMessage(EditState& state, UINT message, WPARAM wParam, LPARAM lParam);
// Settles every line.
void settleEverything(EditState& state);
// Settles the lines in view and the caret's line, before painting.
void settleForPaint(EditState& state);
// One timer step: settles a bounded stretch and stops the timer when nothing is left.
void settleStep(EditState& state);
// Starts the timer while lines are unsettled.
void scheduleSettling(EditState& state);

} // namespace editctl
