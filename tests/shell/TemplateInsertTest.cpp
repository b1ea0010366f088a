#include "shell/EditorProgram.h"

#include "platform/LocalTime.h"
#include "resources/CommandIds.h"

#include <gtest/gtest.h>

#include <string>

using kivtest::EditorProgram;
using kivtest::findItem;

namespace {

class TemplateInsert : public EditorProgram {
protected:
    void TearDown() override {
        platform::test::releaseClock();
        EditorProgram::TearDown();
    }
    void command(UINT id) {
        SendMessage(frame().hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        platform::test::pumpMessages();
    }
    void select(int start, int end) { SendMessage(editor(), EM_SETSEL, start, end); }
    std::pair<DWORD, DWORD> selection() {
        DWORD start = 0;
        DWORD end = 0;
        SendMessage(editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                    reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    // The Insert submenu as the Menu soft key shows it.
    std::vector<platform::test::MenuItemInfo> insertMenu() {
        const auto menu = pressSoftKey(1);
        const auto* insert = findItem(menu, u"Insert");
        return insert != nullptr ? insert->submenu : std::vector<platform::test::MenuItemInfo>{};
    }
};

} // namespace

TEST_F(TemplateInsert, TheInsertMenuListsTheTemplatesOrSaysThereAreNone) {
    scratch_.writeFile("template.ini", "Date=%year%\n;Hidden=x\nQuote=[%@%]\n");
    start("[init]\nfirst=1\n");
    auto items = insertMenu();
    ASSERT_EQ(items.size(), 2U);
    EXPECT_EQ(items[0].text, u"Date");
    EXPECT_EQ(items[0].id, ID_TEMPLATE_FIRST);
    EXPECT_EQ(items[1].text, u"Quote");
    EXPECT_EQ(items[1].id, ID_TEMPLATE_FIRST + 1);
    EXPECT_EQ(items[1].flags & MF_GRAYED, 0U);
    stop();

    scratch_.writeFile("template.ini", "; nothing but a comment\n");
    start("[init]\nfirst=1\n");
    items = insertMenu();
    ASSERT_EQ(items.size(), 1U);
    EXPECT_EQ(items[0].text, u"(なし)");
    EXPECT_NE(items[0].flags & MF_GRAYED, 0U);
}

TEST_F(TemplateInsert, ReplacesTheSelectionUndoablyWithTheCaretWhereItSays) {
    platform::test::fixClock(platform::LocalTime{2010, 3, 7, 0, 21, 4, 9});
    scratch_.writeFile("template.ini",
                       "Quote=[%@%]\nStamp=%YEAR%-%Month%-%date%%n%%!%(%dayofweekj%)\n");
    start("[init]\nfirst=1\n");
    view().Editor().SetText(u"say abc now");
    select(4, 7);
    command(ID_TEMPLATE_FIRST);
    EXPECT_EQ(text(), u"say [abc] now");
    EXPECT_EQ(selection(), std::make_pair(DWORD{9}, DWORD{9}));

    // The control records a replacement as a deletion and an insertion: two steps back.
    SendMessage(editor(), EM_UNDO, 0, 0);
    EXPECT_EQ(text(), u"say  now");
    SendMessage(editor(), EM_UNDO, 0, 0);
    EXPECT_EQ(text(), u"say abc now");

    select(0, 3);
    command(ID_TEMPLATE_FIRST + 1);
    EXPECT_EQ(text(), u"2010-03-07\r(日) abc now");
    EXPECT_EQ(selection(), std::make_pair(DWORD{11}, DWORD{11}));

    // An id past the templates replaces the selection by nothing.
    select(0, 4);
    command(ID_TEMPLATE_LAST);
    EXPECT_EQ(text(), u"-03-07\r(日) abc now");
    EXPECT_EQ(selection(), std::make_pair(DWORD{0}, DWORD{0}));
}

// However long the selection, %@% gives all of it back: the insertion loses none of it.
TEST_F(TemplateInsert, ALongSelectionComesBackWhole) {
    scratch_.writeFile("template.ini", "Quote=[%@%]\n");
    start("[init]\nfirst=1\n");
    const std::u16string text(1048576 + 10, u'a');
    view().Editor().SetText(text);
    select(0, static_cast<int>(text.size()));
    command(ID_TEMPLATE_FIRST);
    EXPECT_EQ(this->text(), u"[" + text + u"]");
}

// The shipped templates expand completely: no "%" is left behind by a name nobody knows.
TEST_F(TemplateInsert, EveryShippedTemplateExpandsWithoutLeftovers) {
    platform::test::fixClock(platform::LocalTime{2026, 12, 8, 2, 8, 30, 0});
    start("[init]\nfirst=1\n");
    const auto& templates = view().Templates();
    ASSERT_GE(templates.count(), 5U);
    bool quotesSelection = false;
    for (std::size_t k = 0; k < templates.count(); ++k) {
        const auto& entry = templates.entry(k);
        const auto out = templates.expand(k, u"SEL");
        EXPECT_EQ(out.text.find(u'%'), std::u16string::npos);
        EXPECT_LE(out.caret, out.text.size());
        quotesSelection = quotesSelection || out.text.find(u"SEL") != std::u16string::npos;
        EXPECT_FALSE(entry.name.empty());
    }
    EXPECT_TRUE(quotesSelection);
}
