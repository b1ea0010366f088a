#pragma once
// A parent window holding one "nEdit" control on the deterministic test font (8 px narrow and
// 16 px wide characters, 16 px lines), driven through messages as the editor drives it. The
// parent records every notification the control sends.

#include "editctl/NEditMessages.h"
#include "platform/TestHooks.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace editctl::test {

// Holds Shift and/or Control (platform::test::Modifier bits) while it lives.
class HeldKeys {
public:
    explicit HeldKeys(unsigned modifiers);
    ~HeldKeys();
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    unsigned modifiers_;
};

class NEditTest : public ::testing::Test {
protected:
    // Text area of 40 narrow characters by 10 lines, inside 1-pixel margins.
    static constexpr int kWidth = 322;
    static constexpr int kHeight = 162;
    static constexpr int kLine = 16;
    static constexpr int kNarrow = 8;

    void SetUp() override;
    void TearDown() override;

    // Makes the control (style added to WS_CHILD | WS_VISIBLE | WS_VSCROLL) with a client area
    // of the given size, gives it the test font and the focus.
    void create(DWORD style = 0, int width = kWidth, int height = kHeight);
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    void setText(std::u16string_view text);
    std::u16string text();
    // Selection start and end as EM_GETSEL stores them.
    std::pair<int, int> selection();
    int caretLine() { return static_cast<int>(send(EM_LINEFROMCHAR, caretIndex())); }
    // The moving end of the selection (read through EM_GETSEL and the last known anchor is
    // not possible, so through the state record).
    int caretIndex();
    int anchorIndex();

    // One WM_CHAR per UTF-16 unit.
    void type(std::u16string_view chars);
    // WM_KEYDOWN with modifiers held.
    void key(int virtualKey, unsigned modifiers = platform::test::None);
    // A tap (button down and up) at a client point.
    void tap(int x, int y, unsigned modifiers = platform::test::None);
    // A double tap; with `release` false the button stays down for a word drag.
    void doubleTap(int x, int y, bool release = true);
    // The client point of the middle of character cell (column, line) of narrow characters.
    static LPARAM cell(int column, int line);

    // Notification codes received since the last call.
    std::vector<WORD> takeNotifications();
    // Puts text on the clipboard / reads it back, as another program would.
    void putClipboard(std::u16string_view text);
    std::u16string clipboardText();

    HWND parent = nullptr;
    HWND edit = nullptr;
};

} // namespace editctl::test
