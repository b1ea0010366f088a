#include "platform/ModalAnswers.h"

#include "platform/DialogAnswers.h"
#include "platform/WindowInternal.h"

#include <deque>

namespace {

struct Answers {
    std::deque<int> messageBoxes;
    std::deque<UINT> popupMenus;
    std::vector<platform::test::MessageBoxCall> boxCalls;
    std::vector<platform::test::PopupMenuCall> menuCalls;
};

Answers& answers() {
    static Answers a;
    return a;
}

bool& unattended() {
    static bool value = false;
    return value;
}

template <typename T> std::optional<T> popFront(std::deque<T>& queue) {
    if (queue.empty())
        return std::nullopt;
    T value = queue.front();
    queue.pop_front();
    return value;
}

} // namespace

namespace platform {

std::optional<int> takeQueuedMessageBoxAnswer() {
    return popFront(answers().messageBoxes);
}

std::optional<UINT> takeQueuedPopupMenuAnswer() {
    return popFront(answers().popupMenus);
}

void recordMessageBox(test::MessageBoxCall call) {
    answers().boxCalls.push_back(std::move(call));
}

void recordPopupMenu(test::PopupMenuCall call) {
    answers().menuCalls.push_back(std::move(call));
}

bool modalLoopsUnattended() {
    return unattended() || headlessDisplay();
}

void setModalLoopsUnattended() {
    unattended() = true;
}

void clearModalAnswers() {
    answers() = Answers{};
    clearDialogAnswers();
}

} // namespace platform

namespace platform::test {

void forgetModalAnswers() {
    clearModalAnswers();
    clearFileDialogAnswers();
}

void queueMessageBoxAnswer(int result) {
    answers().messageBoxes.push_back(result);
}

void queuePopupMenuAnswer(UINT id) {
    answers().popupMenus.push_back(id);
}

std::vector<MessageBoxCall> takeMessageBoxCalls() {
    return std::exchange(answers().boxCalls, {});
}

std::vector<PopupMenuCall> takePopupMenuCalls() {
    return std::exchange(answers().menuCalls, {});
}

} // namespace platform::test
