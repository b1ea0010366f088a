#pragma once
// The tables a window object is driven by: which window messages it handles, and which
// numeric commands it runs with which state rule. Each class writes its tables once, as data;
// dispatch, command routing and menu-item states all read them.
//
//   const MessageMap& messageMap() const override {
//       static constexpr MessageEntry entries[] = {onMessage<WM_SIZE, &CView::OnSize>()};
//       static const MessageMap map{&WindowObject::messageMap(), entries};
//       return map;
//   }

#include "platform/WinTypes.h"

#include <span>
#include <type_traits>

namespace platform {

class CommandTarget;
class WindowObject;

// What a menu item or an accelerator of a command may do right now.
struct CommandState {
    bool enabled = true;
    bool checked = false;

    static constexpr CommandState enabledIf(bool on) { return CommandState{on, false}; }
    static constexpr CommandState checkedIf(bool on) { return CommandState{true, on}; }
    static constexpr CommandState greyed() { return CommandState{false, false}; }
    friend bool operator==(const CommandState&, const CommandState&) = default;
};

struct MessageEntry {
    UINT message;
    LRESULT (*call)(WindowObject& target, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
    const MessageMap* base; // consulted after this one; null ends the chain
    std::span<const MessageEntry> entries;
};

// One command, or an inclusive range of ids that one handler serves. A null `run` marks a
// command that exists but is not connected yet: it is answered as greyed and does nothing.
// A null `state` means always enabled and unchecked.
struct CommandEntry {
    UINT first;
    UINT last;
    void (*run)(CommandTarget& target, UINT id);
    CommandState (*state)(CommandTarget& target, UINT id);
};

struct CommandMap {
    const CommandMap* base;
    std::span<const CommandEntry> entries;
};

namespace detail {

template <class Member> struct MemberClass;
template <class C, class F> struct MemberClass<F C::*> { using type = C; };
template <auto Member> using ClassOf = typename MemberClass<decltype(Member)>::type;

template <auto Handler> LRESULT callMessage(WindowObject& target, WPARAM wParam, LPARAM lParam) {
    return (static_cast<ClassOf<Handler>&>(target).*Handler)(wParam, lParam);
}

// Handlers and rules may take the command id (ranges need it) or not.
template <auto Handler> void runCommand(CommandTarget& target, UINT id) {
    auto& object = static_cast<ClassOf<Handler>&>(target);
    if constexpr (std::is_invocable_v<decltype(Handler), ClassOf<Handler>&, UINT>)
        (object.*Handler)(id);
    else
        (object.*Handler)();
}

template <auto Rule> CommandState commandState(CommandTarget& target, UINT id) {
    const auto& object = static_cast<const ClassOf<Rule>&>(target);
    if constexpr (std::is_invocable_v<decltype(Rule), const ClassOf<Rule>&, UINT>)
        return (object.*Rule)(id);
    else
        return (object.*Rule)();
}

} // namespace detail

// A message handler `LRESULT Class::Handler(WPARAM, LPARAM)`; its answer is the message's.
template <UINT Message, auto Handler> constexpr MessageEntry onMessage() {
    return MessageEntry{Message, &detail::callMessage<Handler>};
}

// A command handler `void Class::Handler()` or `void Class::Handler(UINT id)`, always enabled.
template <auto Handler> constexpr CommandEntry onCommand(UINT id) {
    return CommandEntry{id, id, &detail::runCommand<Handler>, nullptr};
}
// A command handler with its state rule `CommandState Class::Rule() const` (or taking the id).
template <auto Handler, auto Rule> constexpr CommandEntry onCommand(UINT id) {
    return CommandEntry{id, id, &detail::runCommand<Handler>, &detail::commandState<Rule>};
}
template <auto Handler> constexpr CommandEntry onCommandRange(UINT first, UINT last) {
    return CommandEntry{first, last, &detail::runCommand<Handler>, nullptr};
}
template <auto Handler, auto Rule> constexpr CommandEntry onCommandRange(UINT first, UINT last) {
    return CommandEntry{first, last, &detail::runCommand<Handler>, &detail::commandState<Rule>};
}
// A command whose behaviour is not built yet: its menu items are greyed and its accelerators
// do nothing until the entry names a handler.
constexpr CommandEntry notConnected(UINT id) {
    return CommandEntry{id, id, nullptr, nullptr};
}
constexpr CommandEntry notConnectedRange(UINT first, UINT last) {
    return CommandEntry{first, last, nullptr, nullptr};
}

} // namespace platform
