#pragma once
// The real editor program with its bottom bars, driven as a person drives it: accelerators,
// keys and typing reach the focused window through the platform's input path.

#include "shell/EditorProgram.h"

#include "platform/TestHooks.h"
#include "search/CBottomBar.h"

#include <string>
#include <utility>
#include <vector>

namespace kivtest {

class BarProgram : public EditorProgram {
protected:
    using Selection = std::pair<DWORD, DWORD>;

    // Starts the program (first run already done) and puts text with CR line breaks into
    // the editor with nothing selected at 0.
    void startWith(const std::u16string& text, const std::string& init = "");
    void select(int start, int end);
    Selection selection();
    // Presses a key on the focused window and lets what it posts run.
    void press(int virtualKey, unsigned modifiers = platform::test::None);
    // Types text into the focused window.
    void type(const std::u16string& text);
    // The open bar, or null.
    search::CBottomBar* bar();
    // The text of the focused field, of a window, and the items of a combo box's list.
    std::u16string focusedText();
    static std::u16string textOf(HWND window);
    static std::vector<std::u16string> items(HWND combo);
    // The texts of the right soft key's popup, and running an item of it by its text.
    std::vector<std::u16string> menuTexts();
    void chooseFromMenu(const std::u16string& text);
    // The message boxes shown since the last call, as their texts.
    static std::vector<std::u16string> messages();
};

} // namespace kivtest
