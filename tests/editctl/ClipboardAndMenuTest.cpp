// Copy, cut, paste and clear with the clipboard's CR LF line breaks, their keys, and the
// context menu's entries, greying and commands.

#include "NEditFixture.h"

namespace editctl::test {

namespace {

using platform::test::Control;
using platform::test::Shift;

class ClipboardAndMenuTest : public NEditTest {
protected:
    void SetUp() override {
        NEditTest::SetUp();
        create();
        putClipboard(u"");
    }
    // Opens the context menu, choosing `id`; returns what it showed.
    platform::test::PopupMenuCall openMenu(UINT id) {
        platform::test::queuePopupMenuAnswer(id);
        send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), 0);
        auto calls = platform::test::takePopupMenuCalls();
        EXPECT_EQ(calls.size(), 1U);
        return calls.empty() ? platform::test::PopupMenuCall{} : calls.front();
    }
    static bool greyed(const platform::test::MenuItemInfo& item) {
        return (item.flags & MF_GRAYED) != 0;
    }
};

TEST_F(ClipboardAndMenuTest, LineBreaksBecomeCrLfOnTheClipboardAndCrAgainOnPaste) {
    setText(u"a\rb");
    send(EM_SETSEL, 0, -1);
    send(WM_COPY);
    EXPECT_EQ(clipboardText(), u"a\r\nb");
    send(EM_SETSEL, 3, 3);
    send(WM_PASTE);
    EXPECT_EQ(text(), u"a\rba\rb");

    putClipboard(u"x\r\ny\r");
    send(WM_PASTE);
    EXPECT_EQ(text(), u"a\rba\rbx\ry\r"); // a final CR stays
    EXPECT_EQ(selection(), std::make_pair(10, 10));
}

TEST_F(ClipboardAndMenuTest, CopyOfNothingLeavesTheClipboardAlone) {
    putClipboard(u"kept");
    setText(u"abc");
    send(WM_COPY);
    send(WM_CUT);
    EXPECT_EQ(clipboardText(), u"kept");
    EXPECT_EQ(text(), u"abc");
}

TEST_F(ClipboardAndMenuTest, CopyOrCutWithoutMemoryLosesNothing) {
    putClipboard(u"kept");
    setText(u"abc\rdef");
    send(EM_SETSEL, 1, 6);
    platform::test::failLocalAllocAbove(0);
    send(WM_COPY);
    send(WM_CUT);
    platform::test::failLocalAllocAbove(SIZE_MAX);
    EXPECT_EQ(clipboardText(), u"kept");
    EXPECT_EQ(text(), u"abc\rdef") << "a cut that could not copy deletes nothing";
    EXPECT_EQ(selection(), std::make_pair(1, 6));
    send(WM_CUT);
    EXPECT_EQ(clipboardText(), u"bc\r\nde");
    EXPECT_EQ(text(), u"af");
}

TEST_F(ClipboardAndMenuTest, KeysForCutCopyPaste) {
    setText(u"abcd");
    send(EM_SETSEL, 0, 2);
    key(VK_INSERT, Control);
    EXPECT_EQ(clipboardText(), u"ab");
    key(VK_DELETE, Shift);
    EXPECT_EQ(text(), u"cd");
    key(VK_END);
    key(VK_INSERT, Shift);
    EXPECT_EQ(text(), u"cdab");
    send(EM_SETSEL, 1, 3);
    key('C', Control);
    key(VK_END);
    key('V', Control);
    EXPECT_EQ(text(), u"cdabda");
    // Cut then undo brings the text back; the clipboard keeps it.
    send(EM_SETSEL, 0, 2);
    key('X', Control);
    EXPECT_EQ(text(), u"abda");
    key('Z', Control);
    EXPECT_EQ(text(), u"cdabda");
    EXPECT_EQ(clipboardText(), u"cd");
}

TEST_F(ClipboardAndMenuTest, MenuEntriesAndGreying) {
    setText(u"abc");
    const auto menu = openMenu(0);
    ASSERT_EQ(menu.items.size(), 9U);
    const std::vector<std::pair<UINT_PTR, std::u16string>> expected{{EM_UNDO, u"元に戻す(&U)"},
                                                                    {EM_REDO, u"やり直し(&R)"},
                                                                    {0, u""},
                                                                    {WM_CUT, u"切り取り(&T)"},
                                                                    {WM_COPY, u"コピー(&C)"},
                                                                    {WM_PASTE, u"貼り付け(&P)"},
                                                                    {WM_CLEAR, u"削除(&D)"},
                                                                    {0, u""},
                                                                    {1, u"すべて選択(&A)"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (expected[i].first == 0) {
            EXPECT_NE(menu.items[i].flags & MF_SEPARATOR, 0U) << i;
            continue;
        }
        EXPECT_EQ(menu.items[i].id, expected[i].first) << i;
        EXPECT_EQ(menu.items[i].text, expected[i].second) << i;
    }
    EXPECT_EQ(menu.flags & TPM_RETURNCMD, static_cast<UINT>(TPM_RETURNCMD));
    // Nothing to undo or redo, no selection: only Paste and Select All are offered.
    const std::vector<bool> grey{true, true, false, true, true, false, true, false, false};
    for (std::size_t i = 0; i < grey.size(); ++i) {
        if (menu.items[i].flags & MF_SEPARATOR) {
            continue;
        }
        EXPECT_EQ(greyed(menu.items[i]), grey[i]) << i;
    }

    send(EM_SETSEL, 0, 1);
    type(u"x");
    const auto after = openMenu(0);
    EXPECT_FALSE(greyed(after.items[0])); // undo: a pending edit
    EXPECT_TRUE(greyed(after.items[1]));
    EXPECT_TRUE(greyed(after.items[3])); // typing left no selection
}

TEST_F(ClipboardAndMenuTest, MenuCommandsAreSentToTheControl) {
    setText(u"abc");
    openMenu(1);
    EXPECT_EQ(selection(), std::make_pair(0, 3));
    const auto menu = openMenu(WM_CUT);
    EXPECT_FALSE(greyed(menu.items[3]));
    EXPECT_EQ(text(), u"");
    EXPECT_EQ(clipboardText(), u"abc");
    openMenu(EM_UNDO);
    EXPECT_EQ(text(), u"abc");
    openMenu(EM_REDO);
    EXPECT_EQ(text(), u"");
    openMenu(WM_PASTE);
    EXPECT_EQ(text(), u"abc");
    // Read-only: the entries are offered but refused by the control.
    send(EM_SETREADONLY, 1);
    send(EM_SETSEL, 0, -1);
    const auto readOnly = openMenu(WM_CLEAR);
    EXPECT_FALSE(greyed(readOnly.items[6]));
    EXPECT_EQ(text(), u"abc");
}

} // namespace

} // namespace editctl::test
