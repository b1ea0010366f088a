#include "shell/EditorProgram.h"

#include "platform/WindowObject.h"
#include "resources/CommandIds.h"
#include "resources/UserMessages.h"

#include <gtest/gtest.h>

using kivtest::EditorProgram;
using kivtest::findItem;

namespace {

void command(HWND hwnd, UINT id) {
    SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    platform::test::pumpMessages();
}

int lineCount(HWND edit) {
    return static_cast<int>(SendMessage(edit, EM_GETLINECOUNT, 0, 0));
}

// A stand-in for a bottom bar: it handles one command of its own and records it.
class FakeBar : public platform::WindowObject {
public:
    static constexpr UINT kOwnCommand = ID_BAR_FIND;
    std::vector<UINT> ran;

    const platform::CommandMap& commandMap() const override {
        static constexpr platform::CommandEntry entries[] = {
            platform::onCommandRange<&FakeBar::run>(ID_BAR_FIND, ID_BAR_CANCEL)};
        static const platform::CommandMap map{&WindowObject::commandMap(), entries};
        return map;
    }

private:
    void run(UINT id) { ran.push_back(id); }
};

} // namespace

using CommandTable = EditorProgram;

TEST_F(CommandTable, FontSizeStepsByOneInsideItsLimits) {
    const std::pair<int, int> up[] = {{95, 96}, {96, 96}, {0, 1}};
    for (const auto& [from, to] : up) {
        start("[init]\nfirst=1\nfontname=KivTestFont\nfontsize=" + std::to_string(from) + "\n");
        command(frame().hwnd(), ID_VIEW_FONTUP);
        EXPECT_EQ(view().Settings().fontSize, to);
        stop();
    }
    const std::pair<int, int> down[] = {{5, 4}, {4, 4}, {0, 0}};
    for (const auto& [from, to] : down) {
        start("[init]\nfirst=1\nfontsize=" + std::to_string(from) + "\n");
        command(frame().hwnd(), ID_VIEW_FONTDOWN);
        EXPECT_EQ(view().Settings().fontSize, to);
        // Without a face name the control keeps its own font.
        EXPECT_EQ(SendMessage(editor(), WM_GETFONT, 0, 0), 0);
        stop();
    }
}

TEST_F(CommandTable, FontSizeChangesReachTheFileOnlyWhenADialogSavesThem) {
    start("[init]\nfirst=1\nfontsize=10\n");
    command(frame().hwnd(), ID_VIEW_FONTUP);
    stop();
    EXPECT_NE(scratch_.readFile("kiv.ini").find("fontsize=10"), std::string::npos);
}

TEST_F(CommandTable, WordWrapTogglesTheControlAndItsMarkShowsWhetherLinesWrap) {
    start("[init]\nfirst=1\nnowordwrap=2\n");
    platform::test::typeText(editor(), std::u16string(300, u'x'));
    EXPECT_EQ(lineCount(editor()), 1);
    // 2 becomes 1: still no wrap.
    command(frame().hwnd(), ID_VIEW_WORDWRAP);
    EXPECT_EQ(view().Settings().noWordWrap, 1);
    EXPECT_EQ(lineCount(editor()), 1);
    EXPECT_EQ(pressSoftKey(1).items.size(), 8u);
    command(frame().hwnd(), ID_VIEW_WORDWRAP);
    EXPECT_EQ(view().Settings().noWordWrap, 0);
    EXPECT_GT(lineCount(editor()), 1);
    const auto menu = pressSoftKey(1);
    EXPECT_TRUE((findItem(menu, u"View")->submenu.at(2).flags & MF_CHECKED) != 0);
}

TEST_F(CommandTable, AcceleratorsRunCommandsAndTypeNothing) {
    start("[init]\nfirst=1\n");
    platform::test::typeText(editor(), u"日本語 text");
    platform::test::pressKey(editor(), 'A', platform::test::Control);
    platform::test::pressKey(editor(), 'C', platform::test::Control);
    EXPECT_EQ(platform::test::desktopClipboardText(), u"日本語 text");
    platform::test::pressKey(editor(), VK_END);
    platform::test::pressKey(editor(), 'V', platform::test::Control);
    EXPECT_EQ(text(), u"日本語 text日本語 text");
    platform::test::pressKey(editor(), 'Z', platform::test::Control);
    EXPECT_EQ(text(), u"日本語 text");
    // Ctrl+O first offers the changed text for saving; Cancel keeps everything.
    platform::test::queueMessageBoxAnswer(IDCANCEL);
    platform::test::pressKey(editor(), 'O', platform::test::Control);
    platform::test::pumpMessages();
    const auto asked = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, u"File is modified.Save?");
    EXPECT_EQ(text(), u"日本語 text");
    // With Shift held the combination is another one and reaches the control.
    platform::test::pressKey(editor(), 'Q', platform::test::Control | platform::test::Shift);
    platform::test::pumpMessages();
    EXPECT_TRUE(IsWindow(frame().hwnd()));
    platform::test::queueMessageBoxAnswer(IDNO);
    platform::test::pressKey(editor(), 'Q', platform::test::Control);
    platform::test::pumpMessages();
    EXPECT_EQ(app().Frame()->hwnd(), nullptr);
}

TEST_F(CommandTable, TypingMarksTheCaptionOnce) {
    start("[init]\nfirst=1\n");
    platform::test::typeText(editor(), u"あ");
    platform::test::pumpMessages();
    EXPECT_EQ(caption(), u"kiv*");
    SetWindowText(frame().hwnd(), u"kiv");
    platform::test::typeText(editor(), u"い");
    platform::test::pumpMessages();
    // The modified state did not change again, so nothing was reported.
    EXPECT_EQ(caption(), u"kiv");
}

TEST_F(CommandTable, CaretCommandsOfTheGoToMenu) {
    start("[init]\nfirst=1\n");
    platform::test::typeText(editor(), u"one\rtwo\rthree");
    const auto selection = [&] {
        DWORD start = 0;
        DWORD end = 0;
        SendMessage(editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                    reinterpret_cast<LPARAM>(&end));
        return std::pair<DWORD, DWORD>(start, end);
    };
    command(frame().hwnd(), ID_GOTO_FIRSTLINE);
    EXPECT_EQ(selection(), (std::pair<DWORD, DWORD>(0, 0)));
    command(frame().hwnd(), ID_GOTO_LASTLINE);
    EXPECT_EQ(selection(), (std::pair<DWORD, DWORD>(8, 8)));
    command(frame().hwnd(), ID_EDIT_SELECTALL);
    EXPECT_EQ(selection(), (std::pair<DWORD, DWORD>(0, 13)));
    command(frame().hwnd(), ID_GOTO_FIRSTLINE);
    // Next Page is a Page Down key stroke, arriving after the current message.
    command(frame().hwnd(), ID_GOTO_NEXTPAGE);
    EXPECT_GT(selection().first, 0u);
    command(frame().hwnd(), ID_GOTO_PREVPAGE);
    EXPECT_EQ(selection().first, 0u);
}

TEST_F(CommandTable, CommandsGoToTheFocusedEditorOrElseToTheOpenBar) {
    start("[init]\nfirst=1\n");
    auto owned = std::make_unique<FakeBar>();
    FakeBar* bar = owned.get();
    ASSERT_TRUE(bar->createEx(0, u"KivView", u"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 100, 20},
                              view().hwnd(), 0xFFFF));
    view().ShowBar(std::move(owned), 24);
    EXPECT_EQ(GetFocus(), bar->hwnd());
    RECT editRect;
    GetClientRect(editor(), &editRect);
    RECT viewRect;
    GetClientRect(view().hwnd(), &viewRect);
    EXPECT_EQ(editRect.bottom, viewRect.bottom - 24);

    // The editor's commands are greyed while the bar has the focus; the bar's own run there.
    auto menu = pressSoftKey(1);
    EXPECT_TRUE((findItem(menu, u"Edit")->submenu.at(0).flags & MF_GRAYED) != 0);
    command(frame().hwnd(), FakeBar::kOwnCommand);
    EXPECT_EQ(bar->ran, std::vector<UINT>{FakeBar::kOwnCommand});

    // Focus moving into the text cancels the bar, as its Cancel key would.
    SetFocus(editor());
    platform::test::pumpMessages();
    EXPECT_EQ(bar->ran.back(), ID_BAR_CANCEL);
    menu = pressSoftKey(1);
    EXPECT_FALSE((findItem(menu, u"Edit")->submenu.at(0).flags & MF_GRAYED) != 0);

    view().CloseBar();
    EXPECT_EQ(GetFocus(), editor());
    GetClientRect(editor(), &editRect);
    EXPECT_EQ(editRect.bottom, viewRect.bottom);
}
