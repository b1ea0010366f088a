// Results of the selection, option and focus messages as callers read them.

#include "NEditFixture.h"

#include "editctl/EditState.h"

namespace editctl::test {

namespace {

class MessageInterfaceTest : public NEditTest {
protected:
    void SetUp() override {
        NEditTest::SetUp();
        create();
    }
    EditState& state() {
        EditState* result = nullptr;
        send(NEM_GETSTATE, 0, reinterpret_cast<LPARAM>(&result));
        return *result;
    }
};

TEST_F(MessageInterfaceTest, SetSelOrdersAndClampsItsEnds) {
    setText(u"abcdefgh");
    send(EM_SETSEL, 0, -1);
    EXPECT_EQ(selection(), std::make_pair(0, 8));
    send(EM_SETSEL, 5, 2);
    EXPECT_EQ(anchorIndex(), 2);
    EXPECT_EQ(caretIndex(), 5);
    send(EM_SETSEL, 3, 100);
    EXPECT_EQ(selection(), std::make_pair(3, 8));
    send(EM_SETSEL, static_cast<WPARAM>(-1), 4);
    EXPECT_EQ(selection(), std::make_pair(4, 8));
    // Typing is committed first, and the new ends count in the merged text.
    send(EM_SETSEL, 8, 8);
    type(u"ij");
    send(EM_SETSEL, 0, -1);
    EXPECT_EQ(selection(), std::make_pair(0, 10));
    EXPECT_FALSE(state().text.hasPendingEdit());
}

TEST_F(MessageInterfaceTest, GetSelPacksSixteenBitsAndStoresFullValues) {
    setText(std::u16string(70000, u'a'));
    send(EM_SETSEL, 65540, 70000);
    DWORD start = 0;
    DWORD end = 0;
    const LRESULT packed =
        send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 65540U);
    EXPECT_EQ(end, 70000U);
    EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(packed)), 65540 & 0xFFFF);
    EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(packed)), 70000 & 0xFFFF);
    EXPECT_EQ(send(EM_GETSEL), packed); // the outputs are optional
}

TEST_F(MessageInterfaceTest, PendingTypingIsCountedAndMergedForReaders) {
    setText(u"ab");
    send(EM_SETSEL, 1, 1);
    type(u"xy");
    EXPECT_TRUE(state().text.hasPendingInsertion());
    EXPECT_EQ(send(WM_GETTEXTLENGTH), 4);
    EXPECT_EQ(send(EM_LINEINDEX, static_cast<WPARAM>(-1)), 0);
    const auto* buffer = reinterpret_cast<const char16_t*>(send(NEM_GETBUFFER));
    EXPECT_EQ(std::u16string(buffer), u"axyb");
    EXPECT_EQ(send(EM_CANUNDO), 1);
}

TEST_F(MessageInterfaceTest, LineNumberOptionRelaysOutOnlyWhenItChanges) {
    EXPECT_EQ(send(NEM_SETOPTIONS, NEO_LINENUMBERS, NEO_LINENUMBERS), 1);
    EXPECT_TRUE(state().layout.lineNumbers);
    // A relayout measures the widest line afresh; a marker there shows whether one ran.
    state().layout.widestLine = 12345;
    send(NEM_SETOPTIONS, NEO_LINENUMBERS, NEO_LINENUMBERS);
    EXPECT_EQ(state().layout.widestLine, 12345);
    send(NEM_SETOPTIONS, NEO_UNDERLINE, NEO_UNDERLINE);
    EXPECT_EQ(state().layout.widestLine, 12345);
    send(NEM_SETOPTIONS, NEO_LINENUMBERS | NEO_UNDERLINE, 0);
    EXPECT_NE(state().layout.widestLine, 12345);
    EXPECT_EQ(state().options, 0U);
    send(NEM_SETOPTIONS, 0xFF, NEO_BACKSPACEINCHAR | 0x100);
    EXPECT_EQ(state().options, NEO_BACKSPACEINCHAR);
}

TEST_F(MessageInterfaceTest, FocusNotifiesAndOwnsTheCaret) {
    setText(u"abc");
    send(EM_SETSEL, 2, 2);
    SetFocus(parent);
    EXPECT_EQ(takeNotifications(), (std::vector<WORD>{EN_KILLFOCUS}));
    EXPECT_NE(platform::test::caretState().owner, edit);
    SetFocus(edit);
    EXPECT_EQ(takeNotifications(), (std::vector<WORD>{EN_SETFOCUS}));
    const auto caret = platform::test::caretState();
    EXPECT_EQ(caret.owner, edit);
    EXPECT_TRUE(caret.shown);
    EXPECT_EQ(caret.rect.left, 1 + 2 * kNarrow);
    EXPECT_EQ(caret.rect.top, 1);
    EXPECT_EQ(caret.rect.bottom - caret.rect.top, kLine);
}

} // namespace

} // namespace editctl::test
