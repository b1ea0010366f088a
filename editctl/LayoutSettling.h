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

// True when the message reads nothing of the layout beyond what its own handler settles:
// text queries, edits at the caret, painting, the settling timer.
bool runsUnsettled(UINT message, WPARAM wParam);
// Settles every line.
void settleEverything(EditState& state);
// Settles the lines in view and the caret's line, before painting.
void settleForPaint(EditState& state);
// One timer step: settles a bounded stretch and stops the timer when nothing is left.
void settleStep(EditState& state);
// Starts the timer while lines are unsettled.
void scheduleSettling(EditState& state);

} // namespace editctl
