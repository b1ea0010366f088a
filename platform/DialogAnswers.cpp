#include "platform/DialogAnswers.h"

#include <deque>
#include <utility>

namespace platform {

namespace {

struct Answers {
    std::deque<DialogAnswer> queued;
    std::vector<test::DialogCall> calls;
};

Answers& answers() {
    static Answers a;
    return a;
}

} // namespace

std::optional<DialogAnswer> takeQueuedDialogAnswer() {
    auto& queued = answers().queued;
    if (queued.empty())
        return std::nullopt;
    DialogAnswer answer = std::move(queued.front());
    queued.pop_front();
    return answer;
}

void recordDialog(test::DialogCall call) {
    answers().calls.push_back(std::move(call));
}

void clearDialogAnswers() {
    answers() = Answers{};
}

} // namespace platform

namespace platform::test {

void queueDialogAnswer(std::function<void(HWND)> setControls, int button) {
    answers().queued.push_back(DialogAnswer{std::move(setControls), button});
}

std::vector<DialogCall> takeDialogCalls() {
    return std::exchange(answers().calls, {});
}

} // namespace platform::test
