#include "shell/EditorProgram.h"

#include "document/LineBreakKind.h"
#include "document/TextEncoding.h"
#include "editctl/NEditMessages.h"
#include "platform/SoftKeyBar.h"

#include <gtest/gtest.h>

#include <fstream>

using kivtest::EditorProgram;

namespace {

bool wraps(HWND edit) {
    return (GetWindowLong(edit, GWL_STYLE) & WS_HSCROLL) == 0;
}

} // namespace

using StartUp = EditorProgram;

TEST_F(StartUp, SeedsTheProgramFilesLoadsTheSettingsAndShowsAnEmptyDocument) {
    scratch_.writeFile("misc.ini", "[misc]\ncolor_window=FF0000\n");
    start("[init]\nfontname=KivTestFont\nfontsize=12\ntabsize=8\nnewfilecharcode=0\n"
          "newfilelinebreak=2\nwordwrap_pos_l=300\nwordwrap_pos_p=20\n");
    // The user's misc.ini is kept; the template is seeded from the shipped default.
    EXPECT_EQ(scratch_.readFile("misc.ini"), "[misc]\ncolor_window=FF0000\n");
    EXPECT_TRUE(scratch_.exists("template.ini"));
    EXPECT_EQ(view().Settings().tabSize, 8);
    EXPECT_EQ(view().Encoding(), document::encodingForSettingsRow(0));
    EXPECT_EQ(view().LineBreak(), document::LB_LF);
    EXPECT_EQ(caption(), u"kiv");
    EXPECT_EQ(text(), u"");
    EXPECT_EQ(GetFocus(), editor());
    EXPECT_NE(SendMessage(editor(), WM_GETFONT, 0, 0), 0);
    // The background is the colour of misc.ini, red.
    EXPECT_EQ(platform::test::clientPixel(editor(), 200, 200), RGB(255, 0, 0));
    // The wrap column follows the frame's orientation (landscape here: 300 keeps 44).
    const bool portrait = platform::screenIsPortrait();
    EXPECT_EQ(SendMessage(editor(), NEM_GETWRAPCOLUMN, 0, 0), portrait ? 20 : 44);
    EXPECT_TRUE(IsWindowVisible(frame().hwnd()));
    EXPECT_TRUE(IsSoftKeyBar(frame().MainMenuBar().hwnd()));
}

TEST_F(StartUp, TheFirstRunIsMarkedOnceAndLaterRunsLeaveTheFileAlone) {
    start();
    EXPECT_TRUE(view().Settings().firstRun);
    stop();
    const std::string afterFirst = scratch_.readFile("kiv.ini");
    EXPECT_EQ(afterFirst, "[init]\nfirst=1\n");
    start();
    EXPECT_FALSE(view().Settings().firstRun);
    stop();
    EXPECT_EQ(scratch_.readFile("kiv.ini"), afterFirst);
}

TEST_F(StartUp, TheCommandLineNamesOneFileAndTurnsWordWrapOffForThisRunOnly) {
    const std::string notes = scratch_.root() + "notes with blanks.txt";
    std::ofstream(notes) << "メモ\n";
    const std::u16string path(notes.begin(), notes.end());
    start("[init]\nfirst=1\n", u"\"" + path + u"\" -NoWordWrap second.txt");
    EXPECT_EQ(view().CommandLinePath(), path);
    EXPECT_EQ(view().Path(), path);
    EXPECT_EQ(text(), u"メモ\r");
    EXPECT_EQ(caption(), u"notes with blanks.txt");
    EXPECT_FALSE(wraps(editor()));
    EXPECT_FALSE(view().WordWrapOn());
    EXPECT_EQ(view().Settings().noWordWrap, 0);
    stop();
    EXPECT_EQ(scratch_.readFile("kiv.ini").find("nowordwrap"), std::string::npos);
    start("[init]\nfirst=1\n", u"  -x");
    EXPECT_TRUE(wraps(editor()));
    EXPECT_EQ(view().CommandLinePath(), u"");
}

TEST_F(StartUp, TheSettingToDisableWordWrapShapesTheEditWindow) {
    start("[init]\nfirst=1\nnowordwrap=2\n");
    EXPECT_FALSE(wraps(editor()));
}
