#include "search/BarProgram.h"

#include "platform/ControlMessages.h"

namespace kivtest {

void BarProgram::startWith(const std::u16string& text, const std::string& init) {
    start("[init]\nfirst=1\n" + init);
    view().Editor().SetText(text);
    select(0, 0);
    SetFocus(editor());
    platform::test::pumpMessages();
}

void BarProgram::select(int start, int end) {
    SendMessage(editor(), EM_SETSEL, static_cast<WPARAM>(start), end);
}

BarProgram::Selection BarProgram::selection() {
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

void BarProgram::press(int virtualKey, unsigned modifiers) {
    platform::test::pressKey(GetFocus(), virtualKey, modifiers);
    platform::test::pumpMessages();
    platform::test::pumpMessages();
}

void BarProgram::type(const std::u16string& text) {
    platform::test::typeText(GetFocus(), text);
    platform::test::pumpMessages();
}

search::CBottomBar* BarProgram::bar() {
    return dynamic_cast<search::CBottomBar*>(view().Bar());
}

std::u16string BarProgram::focusedText() {
    return textOf(GetFocus());
}

std::u16string BarProgram::textOf(HWND window) {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLength(window)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowText(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::vector<std::u16string> BarProgram::items(HWND combo) {
    std::vector<std::u16string> out;
    const LRESULT count = SendMessage(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto index = static_cast<WPARAM>(i);
        std::u16string item(
            static_cast<std::size_t>(SendMessage(combo, CB_GETLBTEXTLEN, index, 0)) + 1, u'\0');
        item.resize(static_cast<std::size_t>(
            SendMessage(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item.data()))));
        out.push_back(item);
    }
    return out;
}

std::vector<std::u16string> BarProgram::menuTexts() {
    std::vector<std::u16string> texts;
    for (const auto& item : pressSoftKey(1).items)
        texts.push_back(item.text);
    return texts;
}

void BarProgram::chooseFromMenu(const std::u16string& text) {
    const HWND focus = GetFocus();
    const auto shown = pressSoftKey(1);
    const auto* item = findItem(shown, text);
    ASSERT_NE(item, nullptr) << "no menu item like that";
    const auto id = static_cast<UINT>(item->id);
    SetFocus(focus);
    pressSoftKey(1, id);
}

std::vector<std::u16string> BarProgram::messages() {
    std::vector<std::u16string> shown;
    for (const auto& call : platform::test::takeMessageBoxCalls())
        shown.push_back(call.text);
    return shown;
}

} // namespace kivtest
