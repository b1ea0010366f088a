#pragma once
// The messages the "nEdit" window procedure answers, one row each: its handler, what it needs
// of the lines an edit left unsettled, and its answer while the window has no state yet. The
// dispatch, the settling before a message and the answers without a state all read this table.

#include "editctl/LayoutSettling.h"
#include "platform/Window.h"

#include <cstddef>
#include <span>

namespace editctl {

struct EditState;

// Runs a message with the control's state and returns its answer.
using MessageHandler = LRESULT (*)(EditState& state, HWND hwnd, WPARAM wParam, LPARAM lParam);

// The answer to a message that arrives before the state exists or after it is gone.
enum class WithoutState : unsigned char {
    AnswerZero,       // answered with 0
    DefaultProcedure, // left to the default procedure (painting validates, timers end there)
};

class MessageRow {
public:
    // A message settled as `settling` says; a rule of its own needs the other constructor.
    consteval MessageRow(UINT message, Settling settling, MessageHandler handler,
                         WithoutState withoutState = WithoutState::AnswerZero)
        : message_(message), settling_(settling), rule_(nullptr), handler_(handler),
          withoutState_(withoutState) {
        if (settling == Settling::ByRule) {
            throw "a message settled by a rule names the rule";
        }
    }
    // A message whose rule settles what it needs from its parameters.
    consteval MessageRow(UINT message, SettleRule rule, MessageHandler handler)
        : message_(message), settling_(Settling::ByRule), rule_(rule), handler_(handler),
          withoutState_(WithoutState::AnswerZero) {}
    // Every row has a handler and every rule a function.
    MessageRow(UINT, Settling, std::nullptr_t, WithoutState = WithoutState::AnswerZero) = delete;
    MessageRow(UINT, std::nullptr_t, MessageHandler) = delete;
    MessageRow(UINT, SettleRule, std::nullptr_t) = delete;

    constexpr UINT message() const noexcept { return message_; }
    // Settles what the handler reads and does not settle itself.
    void settleBefore(EditState& state, WPARAM wParam, LPARAM lParam) const {
        settleForMessage(state, settling_, rule_, wParam, lParam);
    }
    // Runs the handler.
    LRESULT run(EditState& state, HWND hwnd, WPARAM wParam, LPARAM lParam) const {
        return handler_(state, hwnd, wParam, lParam);
    }
    constexpr WithoutState withoutState() const noexcept { return withoutState_; }

private:
    UINT message_;
    Settling settling_;
    SettleRule rule_;
    MessageHandler handler_;
    WithoutState withoutState_;
};

// Messages without a row go to the default procedure. They are settled as ones that read
// lines, since what may come of them there is not known here.
constexpr Settling kUnlistedSettling = Settling::Everything;

// The row of `message`, or null when the control leaves it to the default procedure.
const MessageRow* findMessage(UINT message) noexcept;
// Every row, ordered by message.
std::span<const MessageRow> messageTable() noexcept;

} // namespace editctl
