// What users do with the keyboard: typing, selecting with Shift+arrows, cutting, pasting,
// undoing and redoing, and what the undo history and the modified flag make of it.

#include "NEditFixture.h"

#include "editctl/EditState.h"

namespace editctl::test {

namespace {

using platform::test::Control;
using platform::test::Shift;

class EditingSequencesTest : public NEditTest {
protected:
    void SetUp() override {
        NEditTest::SetUp();
        create();
    }
};

TEST_F(EditingSequencesTest, TypeSelectCutPasteUndoTwiceRedo) {
    type(u"hello world");
    key(VK_HOME);
    for (int i = 0; i < 5; ++i) {
        key(VK_RIGHT, Shift);
    }
    EXPECT_EQ(selection(), std::make_pair(0, 5));
    key('X', Control);
    EXPECT_EQ(text(), u" world");
    EXPECT_EQ(clipboardText(), u"hello");
    key(VK_END);
    send(WM_PASTE);
    EXPECT_EQ(text(), u" worldhello");
    EXPECT_EQ(selection(), std::make_pair(11, 11));

    key('Z', Control);
    EXPECT_EQ(text(), u" world");
    key('Z', Control);
    EXPECT_EQ(text(), u"hello world");
    EXPECT_EQ(selection(), std::make_pair(5, 5)); // after the restored text
    key('Y', Control);
    EXPECT_EQ(text(), u" world");
    key('Z', Control | Shift);
    EXPECT_EQ(text(), u" worldhello");
    EXPECT_EQ(send(EM_CANREDO), 0);
}

TEST_F(EditingSequencesTest, TypedRunsBecomeOneUndoStepEach) {
    type(u"abc");
    key('Z', Control);
    EXPECT_EQ(text(), u"");
    key('Y', Control);
    EXPECT_EQ(text(), u"abc");

    setText(u"");
    type(u"ab");
    key(VK_LEFT);
    type(u"cd");
    EXPECT_EQ(text(), u"acdb");
    send(EM_UNDO);
    EXPECT_EQ(text(), u"ab");
    send(EM_UNDO);
    EXPECT_EQ(text(), u"");
    EXPECT_EQ(send(EM_CANUNDO), 0);
}

TEST_F(EditingSequencesTest, EnterClosesAnUndoStep) {
    type(u"ab\rcd");
    EXPECT_EQ(text(), u"ab\rcd");
    send(EM_UNDO);
    EXPECT_EQ(text(), u"ab\r");
    send(EM_UNDO);
    EXPECT_EQ(text(), u"");
}

TEST_F(EditingSequencesTest, TypingOverASelectionTakesTwoUndoSteps) {
    setText(u"abcdef");
    send(EM_SETSEL, 1, 4);
    type(u"X");
    EXPECT_EQ(text(), u"aXef");
    send(EM_UNDO);
    EXPECT_EQ(text(), u"aef");
    send(EM_UNDO);
    EXPECT_EQ(text(), u"abcdef");
    send(EM_REDO);
    send(EM_REDO);
    EXPECT_EQ(text(), u"aXef");
}

TEST_F(EditingSequencesTest, RepeatedBackspaceOrDeleteIsOneStep) {
    setText(u"abcdef");
    send(EM_SETSEL, 4, 4);
    key(VK_BACK);
    key(VK_BACK);
    key(VK_BACK);
    EXPECT_EQ(text(), u"aef");
    EXPECT_EQ(selection(), std::make_pair(1, 1));
    send(EM_UNDO);
    EXPECT_EQ(text(), u"abcdef");
    EXPECT_EQ(send(EM_CANUNDO), 0);

    send(EM_SETSEL, 1, 1);
    key(VK_DELETE);
    key(VK_DELETE);
    EXPECT_EQ(text(), u"adef");
    send(EM_UNDO);
    EXPECT_EQ(text(), u"abcdef");

    // At the ends there is nothing to take away.
    send(EM_SETSEL, 0, 0);
    key(VK_BACK);
    send(EM_SETSEL, 6, 6);
    key(VK_DELETE);
    EXPECT_EQ(text(), u"abcdef");
}

TEST_F(EditingSequencesTest, SavePointAndModifiedFlagAcrossUndoRedo) {
    EXPECT_EQ(send(EM_GETMODIFY), 0);
    type(u"ab");
    EXPECT_EQ(send(EM_GETMODIFY), 1);
    EXPECT_EQ(text(), u"ab"); // saving reads the text
    send(EM_SETMODIFY, 0);
    type(u"c");
    EXPECT_EQ(send(EM_GETMODIFY), 1);
    send(EM_UNDO);
    EXPECT_EQ(text(), u"ab");
    EXPECT_EQ(send(EM_GETMODIFY), 0);
    send(EM_UNDO);
    EXPECT_EQ(send(EM_GETMODIFY), 1);
    send(EM_REDO);
    EXPECT_EQ(send(EM_GETMODIFY), 0);
    send(EM_REDO);
    EXPECT_EQ(send(EM_GETMODIFY), 1);
}

TEST_F(EditingSequencesTest, SavedTextLostFromTheRedoTailStaysModified) {
    type(u"ab");
    text();
    send(EM_SETMODIFY, 0); // "ab" saved
    key(VK_BACK);
    send(EM_UNDO);
    send(EM_UNDO); // back to "" with "ab" only reachable by redo
    EXPECT_EQ(send(EM_GETMODIFY), 1);
    type(u"x"); // drops the redo records: "ab" can no longer be reached
    send(EM_UNDO);
    send(EM_REDO);
    EXPECT_EQ(text(), u"x");
    EXPECT_EQ(send(EM_GETMODIFY), 1);
}

TEST_F(EditingSequencesTest, EmptiedHistoryDoesNotMistakeTextForSaved) {
    send(EM_SETMODIFY, 0);
    type(u"a");
    text();
    send(EM_EMPTYUNDOBUFFER);
    EXPECT_EQ(send(EM_CANUNDO), 0);
    type(u"b");
    send(EM_UNDO);
    EXPECT_EQ(text(), u"a");
    EXPECT_EQ(send(EM_GETMODIFY), 1);
}

TEST_F(EditingSequencesTest, UndoThenTypeDropsRedo) {
    type(u"ab");
    send(EM_UNDO);
    EXPECT_EQ(send(EM_CANREDO), 1);
    type(u"c");
    EXPECT_EQ(send(EM_CANUNDO), 1); // the typed run is pending
    EXPECT_EQ(text(), u"c");
    EXPECT_EQ(send(EM_CANREDO), 0);
}

TEST_F(EditingSequencesTest, NotificationsOfAnEditComeInOrder) {
    type(u"a");
    EXPECT_EQ(takeNotifications(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
    send(EM_LIMITTEXT, 2);
    type(u"bc");
    EXPECT_EQ(text(), u"ab");
    EXPECT_EQ(takeNotifications(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE, EN_MAXTEXT}));
}

TEST_F(EditingSequencesTest, TextLimitCutsPastedText) {
    send(EM_LIMITTEXT, 5);
    setText(u"abc");
    send(EM_SETSEL, 3, 3);
    putClipboard(u"12345");
    send(WM_PASTE);
    EXPECT_EQ(text(), u"abc12");
    // Replacing a selection frees its room first.
    send(EM_SETSEL, 0, 2);
    send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(u"xyz"));
    EXPECT_EQ(text(), u"xyc12");
}

TEST_F(EditingSequencesTest, UndoRestoresTextBeyondALoweredLimit) {
    setText(u"abcdef");
    send(EM_SETSEL, 0, 6);
    key(VK_DELETE);
    send(EM_LIMITTEXT, 3);
    send(EM_UNDO);
    EXPECT_EQ(text(), u"abcdef");
    send(EM_REDO);
    EXPECT_EQ(text(), u"");
}

TEST_F(EditingSequencesTest, MemoryFailuresKeepTheTextLimitAndTheSelectedText) {
    EditState* state = nullptr;
    send(NEM_GETSTATE, 0, reinterpret_cast<LPARAM>(&state));
    auto failing = [&](std::size_t bytes, auto&& action) {
        platform::test::queueMessageBoxAnswer(IDOK);
        state->allocator.setFailureThreshold(bytes);
        action();
        state->allocator.setFailureThreshold(std::nullopt);
        EXPECT_EQ(platform::test::takeMessageBoxCalls().size(), 1u);
        EXPECT_TRUE(state->checkInvariants());
    };
    // An undo that cannot get the memory to put 3000 characters back.
    setText(std::u16string(3000, u'x'));
    send(EM_SETSEL, 0, -1);
    send(WM_CLEAR);
    EXPECT_EQ(text(), u"");
    send(EM_LIMITTEXT, 5);
    failing(100, [&] { send(EM_UNDO); });
    EXPECT_EQ(text(), u"");
    type(u"abcdefgh");
    EXPECT_EQ(text(), u"abcde") << "the limit is still in force";

    // A selection replaced by more lines than the line table can take without growing.
    send(EM_LIMITTEXT, 0);
    setText(u"keep this text");
    send(EM_SETSEL, 5, 9);
    std::u16string lines;
    for (int i = 0; i < 300; ++i) {
        lines += u"a\r";
    }
    failing(2000, [&] { send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(lines.c_str())); });
    EXPECT_EQ(text(), u"keep this text");
    EXPECT_EQ(selection(), std::make_pair(5, 9));
    // A selection whose removal cannot be recorded: replaced whole, or not at all.
    setText(std::u16string(1000, u'x'));
    send(EM_SETSEL, 100, 700);
    platform::test::queueMessageBoxAnswer(IDOK);
    state->allocator.setFailureThreshold(1000);
    send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(u"y"));
    state->allocator.setFailureThreshold(std::nullopt);
    platform::test::takeMessageBoxCalls();
    const std::u16string after = text();
    EXPECT_TRUE(after == std::u16string(1000, u'x') ||
                after == std::u16string(100, u'x') + u"y" + std::u16string(300, u'x'))
        << "length " << after.size();
}

TEST_F(EditingSequencesTest, TypingPastLine999WidensTheGutter) {
    send(NEM_SETOPTIONS, NEO_LINENUMBERS, NEO_LINENUMBERS);
    // 36 narrow characters fill the text area beside a 3-digit gutter exactly.
    setText(std::u16string(998, u'\r') + u"012345678901234567890123456789012345");
    EditState* state = nullptr;
    send(NEM_GETSTATE, 0, reinterpret_cast<LPARAM>(&state));
    ASSERT_EQ(state->layout.lineNumberDigits, 3);
    ASSERT_EQ(state->layout.margins.left, 4 * kNarrow);
    send(EM_SETSEL, 998, 998);
    type(u"\r");
    EXPECT_EQ(state->layout.lineNumberDigits, 4);
    EXPECT_EQ(state->layout.margins.left, 5 * kNarrow);
    // The narrower text area wraps the long last line.
    EXPECT_EQ(send(EM_GETLINECOUNT), 1001);
    EXPECT_TRUE(state->checkInvariants());
}

TEST_F(EditingSequencesTest, OverwriteModeReplacesUpToALineBreak) {
    setText(u"ab\rc");
    key(VK_INSERT);
    type(u"xyz");
    EXPECT_EQ(text(), u"xyz\rc");
    send(EM_UNDO); // the inserted characters
    EXPECT_EQ(text(), u"\rc");
    send(EM_UNDO); // the overwritten ones
    EXPECT_EQ(text(), u"ab\rc");
    // Enter inserts even in overwrite mode; at the end of the text characters are added.
    send(EM_SETSEL, 1, 1);
    type(u"\r");
    EXPECT_EQ(text(), u"a\rb\rc");
    send(EM_SETSEL, 5, 5);
    type(u"de");
    EXPECT_EQ(text(), u"a\rb\rcde");
    key(VK_INSERT);
    send(EM_SETSEL, 0, 0);
    type(u"q");
    EXPECT_EQ(text(), u"qa\rb\rcde");
}

TEST_F(EditingSequencesTest, BackspaceOnKeyDownOrOnCharacter) {
    setText(u"abc");
    send(EM_SETSEL, 3, 3);
    key(VK_BACK);
    send(WM_CHAR, 8);
    EXPECT_EQ(text(), u"ab");
    send(NEM_SETOPTIONS, NEO_BACKSPACEINCHAR, NEO_BACKSPACEINCHAR);
    key(VK_BACK);
    EXPECT_EQ(text(), u"ab");
    send(WM_CHAR, 8);
    EXPECT_EQ(text(), u"a");
}

TEST_F(EditingSequencesTest, ControlAndEscapeCharactersAreNotTyped) {
    type(u"a");
    send(WM_CHAR, 27);
    {
        const HeldKeys control(Control);
        send(WM_CHAR, 3);
    }
    send(WM_IME_CHAR, u'日');
    type(u"\t");
    EXPECT_EQ(text(), u"a日\t");
}

TEST_F(EditingSequencesTest, ReadOnlyRefusesEditingButNotReplacement) {
    setText(u"abc");
    putClipboard(u"zz");
    EXPECT_EQ(send(EM_SETREADONLY, 1), 1);
    EXPECT_EQ(send(NEM_GETREADONLY), 1);
    EXPECT_NE(GetWindowLong(edit, GWL_STYLE) & ES_READONLY, 0);
    send(EM_SETSEL, 0, 2);
    type(u"x");
    send(WM_IME_CHAR, u'日');
    key(VK_BACK);
    key(VK_DELETE);
    send(WM_CUT);
    send(WM_CLEAR);
    send(WM_PASTE);
    EXPECT_EQ(text(), u"abc");

    send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(u"q"));
    EXPECT_EQ(text(), u"qc");
    send(EM_UNDO);
    EXPECT_EQ(text(), u"qc");
    send(WM_COPY); // copying is not an edit
    EXPECT_EQ(clipboardText(), u"zz");
    send(EM_SETSEL, 0, 1);
    send(WM_COPY);
    EXPECT_EQ(clipboardText(), u"q");
    send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"new"));
    EXPECT_EQ(text(), u"new");

    send(EM_SETREADONLY, 0);
    send(EM_SETSEL, 3, 3);
    EXPECT_EQ(GetWindowLong(edit, GWL_STYLE) & ES_READONLY, 0);
    type(u"!");
    EXPECT_EQ(text(), u"new!");
}

} // namespace

} // namespace editctl::test
