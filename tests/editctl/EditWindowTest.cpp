#include "EditWindowTestSupport.h"

#include "editctl/EditActions.h"
#include "editctl/NEditMessages.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

using editctl::test::EditWindowFixture;

namespace {

// 82 px wide: 80 px of text between the 1 px margins, ten 8 px characters.
constexpr int kWidth = 82;

TEST(EditWindowTest, CreationSetsTheWindowTextAndReadsTheStyle) {
    EditWindowFixture wrapping(kWidth, 100, 0, u"created");
    EXPECT_EQ(wrapping.text(), u"created");
    EXPECT_EQ(wrapping.send(NEM_ISWRAPSTYLE), 1);
    EXPECT_TRUE(wrapping.state().layout.wordWrap);
    EXPECT_EQ(wrapping.state().controlId, 1333);
    EditWindowFixture plain(kWidth, 100, WS_HSCROLL | ES_UPPERCASE, u"Shout");
    EXPECT_EQ(plain.send(NEM_ISWRAPSTYLE), 0);
    EXPECT_FALSE(plain.state().layout.wordWrap);
    EXPECT_EQ(plain.text(), u"SHOUT");
    EXPECT_EQ(plain.send(WM_GETFONT), reinterpret_cast<LRESULT>(plain.state().font));
}

TEST(EditWindowTest, LineQueriesAnswerPerDisplayLine) {
    EditWindowFixture f(kWidth, 100);
    f.setText(u"0123456789abc\rxy\r");
    // Display lines: "0123456789" (soft break), "abc\r", "xy\r", "".
    ASSERT_EQ(f.send(EM_GETLINECOUNT), 4);
    EXPECT_EQ(f.send(EM_LINEINDEX, 1), 10);
    EXPECT_EQ(f.send(EM_LINEINDEX, 3), 17);
    EXPECT_EQ(f.send(EM_LINEINDEX, 4), -1) << "the line count itself is past the end";
    EXPECT_EQ(f.send(EM_LINELENGTH, 11), 3) << "the CR is not counted";
    EXPECT_EQ(f.send(EM_LINELENGTH, 5), 10);
    EXPECT_EQ(f.send(EM_LINEFROMCHAR, 10), 1);
    EXPECT_EQ(f.send(EM_LINEFROMCHAR, 17), 3);
    std::u16string line(8, u'#');
    EXPECT_EQ(f.send(EM_GETLINE, 1, reinterpret_cast<LPARAM>(line.data())), 3);
    EXPECT_EQ(line, u"abc#####") << "no terminator is written";
    EXPECT_EQ(f.send(EM_GETLINE, 4, reinterpret_cast<LPARAM>(line.data())), 0);

    // -1 means the caret's line, or the selection for EM_LINELENGTH and EM_LINEFROMCHAR.
    editctl::EditState& state = f.state();
    state.caret = state.anchor = 15;
    EXPECT_EQ(f.send(EM_LINEINDEX, static_cast<WPARAM>(-1)), 14);
    EXPECT_EQ(f.send(EM_LINELENGTH, static_cast<WPARAM>(-1)), 2);
    state.anchor = 12;
    EXPECT_EQ(f.send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 1);
    EXPECT_EQ(f.send(EM_LINELENGTH, static_cast<WPARAM>(-1)), 2 + 1)
        << "'ab' before the selection and 'y' after it";
}

TEST(EditWindowTest, TextReadsSeeThePendingEdit) {
    EditWindowFixture f(kWidth, 100);
    f.setText(u"abc");
    editctl::EditState& state = f.state();
    state.caret = state.anchor = 1;
    editctl::insertAtCaretAndShow(state, u"XY", false);
    EXPECT_EQ(f.send(WM_GETTEXTLENGTH), 5);
    EXPECT_EQ(f.send(NEM_GETLENGTH), 5);
    ASSERT_TRUE(state.text.hasPendingInsertion());
    const auto* buffer = reinterpret_cast<const char16_t*>(f.send(NEM_GETBUFFER));
    EXPECT_EQ(std::u16string(buffer), u"aXYbc") << "merged and terminated";
    EXPECT_FALSE(state.text.hasPendingInsertion());
    EXPECT_EQ(state.undo.position(), 1) << "reading commits with recording";

    std::u16string copy(5, u'\0');
    EXPECT_EQ(f.send(NEM_COPYTEXT, 0, reinterpret_cast<LPARAM>(copy.data())), 10);
    EXPECT_EQ(copy, u"aXYbc");
    std::u16string shortBuffer(3, u'#');
    EXPECT_EQ(f.send(WM_GETTEXT, 3, reinterpret_cast<LPARAM>(shortBuffer.data())), 3);
    EXPECT_EQ(shortBuffer, u"aXY");
}

TEST(EditWindowTest, SetTextBytesTakesExactlyTheGivenCharacters) {
    EditWindowFixture f(kWidth, 100);
    const std::u16string source = u"12345678";
    // Seven bytes: three whole characters; the fourth is not a terminator and is not taken.
    EXPECT_EQ(f.send(NEM_SETTEXTBYTES, 7, reinterpret_cast<LPARAM>(source.data())), 1);
    EXPECT_EQ(f.text(), u"123");
    EXPECT_EQ(f.send(NEM_SETTEXTBYTES, 4, 0), 0);
    EXPECT_EQ(f.send(WM_SETTEXT, 0, 0), 0);
    EXPECT_EQ(f.text(), u"123");
    EXPECT_TRUE(f.state().checkInvariants());
}

TEST(EditWindowTest, EditsNotifyUpdateThenChange) {
    EditWindowFixture f(kWidth, 100);
    f.setText(u"abc");
    EditWindowFixture::notifications().clear();
    editctl::EditState& state = f.state();
    state.caret = state.anchor = 3;
    editctl::insertAtCaretAndShow(state, u"d", false);
    editctl::deleteAndShow(state, 0, 1);
    EXPECT_EQ(EditWindowFixture::notifications(),
              (std::vector<WORD>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(f.send(EM_GETMODIFY), 1);
    state.textLimit = 3;
    EditWindowFixture::notifications().clear();
    EXPECT_FALSE(editctl::insertAtCaretAndShow(state, u"e", false));
    EXPECT_EQ(EditWindowFixture::notifications(), (std::vector<WORD>{EN_MAXTEXT}));
}

TEST(EditWindowTest, SizeRelaysOutOnlyWithWordWrap) {
    EditWindowFixture wrapping(kWidth, 100);
    wrapping.setText(u"0123456789abcdefghij");
    ASSERT_EQ(wrapping.send(EM_GETLINECOUNT), 2);
    wrapping.resizeClient(42, 100);
    EXPECT_EQ(wrapping.send(EM_GETLINECOUNT), 4) << "re-wrapped at five characters";

    EditWindowFixture plain(kWidth, 100, WS_HSCROLL);
    plain.setText(u"0123456789abcdefghij");
    editctl::EditState& state = plain.state();
    state.layout.widestLine = 12345; // a relayout would measure it again
    plain.resizeClient(42, 100);
    EXPECT_EQ(state.layout.widestLine, 12345);
    EXPECT_EQ(plain.send(EM_GETLINECOUNT), 1);
}

TEST(EditWindowTest, WrapSettingsKeepTheTopLineAndRewrap) {
    EditWindowFixture f(kWidth, 100);
    f.setText(u"0123456789abcdefghij");
    EXPECT_EQ(f.send(NEM_SETWRAPCOLUMN, 4, 1), 0);
    EXPECT_EQ(f.send(NEM_GETWRAPCOLUMN), 4);
    EXPECT_EQ(f.send(EM_GETLINECOUNT), 5);
    f.send(NEM_SETWRAPCOLUMN, 0, 0); // stored only
    EXPECT_EQ(f.send(EM_GETLINECOUNT), 5);
    f.state().firstVisibleLine = 3; // showing "cdef"
    f.send(NEM_SETWORDWRAP, 0);
    EXPECT_EQ(f.send(EM_GETLINECOUNT), 1);
    EXPECT_EQ(f.state().firstVisibleLine, 0);
    f.send(NEM_SETWORDWRAP, 1);
    EXPECT_EQ(f.send(EM_GETLINECOUNT), 2);
    EXPECT_EQ(f.send(NEM_ISWRAPSTYLE), 1) << "the style is not changed";
}

TEST(EditWindowTest, TabStopsAndRectanglesChangeTheLayout) {
    EditWindowFixture f(kWidth, 100);
    f.setText(u"ab\tcd");
    EXPECT_EQ(f.send(EM_SETTABSTOPS, 1, 0), 0);
    const int stops[] = {8}; // two cells
    EXPECT_EQ(f.send(EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(stops)), 1);
    EXPECT_EQ(f.state().layout.tabSize, 2);
    const int zero[] = {0};
    f.send(EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(zero));
    EXPECT_EQ(f.state().layout.tabSize, 1) << "a tab always advances";

    RECT rect{};
    f.send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect, (RECT{1, 1, kWidth - 1, 99}));
    const RECT narrower{4, 2, kWidth - 20, 90};
    f.send(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&narrower));
    const editctl::Margins& margins = f.state().layout.margins;
    EXPECT_EQ(margins.top, 3);
    EXPECT_EQ(margins.right, 21);
    EXPECT_EQ(margins.bottom, 11);
    EXPECT_EQ(margins.left, 1) << "the full layout sets the left margin again";
}

TEST(EditWindowTest, ANewFontIsMeasuredAfresh) {
    EditWindowFixture f(kWidth, 100);
    f.setText(u"0123456789");
    ASSERT_EQ(f.send(EM_GETLINECOUNT), 1);
    // IPAGothic at 20 px draws half-width characters 10 px wide: eight fit in 80 px.
    LOGFONTW description{};
    description.lfHeight = -20;
    const std::u16string face = u"IPAGothic";
    std::copy(face.begin(), face.end(), description.lfFaceName);
    const HFONT wider = CreateFontIndirectW(&description);
    f.send(WM_SETFONT, reinterpret_cast<WPARAM>(wider), 0);
    DeleteObject(wider); // the control keeps its own copy
    EXPECT_EQ(f.send(EM_GETLINECOUNT), 2);
    EXPECT_EQ(f.send(EM_LINEINDEX, 1), 8);
}

TEST(EditWindowTest, SettingItsOwnFontKeepsTheFont) {
    EditWindowFixture f(kWidth, 100);
    f.setText(u"0123456789");
    const auto own = static_cast<WPARAM>(f.send(WM_GETFONT));
    ASSERT_NE(own, 0u);
    f.send(WM_SETFONT, own, 0);
    const auto font = reinterpret_cast<HFONT>(f.send(WM_GETFONT));
    ASSERT_NE(font, nullptr);
    LOGFONTW description{};
    ASSERT_NE(GetObjectW(font, sizeof(description), &description), 0);
    EXPECT_EQ(std::u16string(description.lfFaceName), u"KivTestFont");
    EXPECT_EQ(description.lfHeight, -16);
    EXPECT_EQ(f.state().layout.lineHeight, 16);
    EXPECT_EQ(f.send(EM_GETLINECOUNT), 1) << "still measured with the same font";
}

TEST(EditWindowTest, GetLineCopiesNoMoreThanTheBufferSizeInItsFirstWord) {
    EditWindowFixture f(kWidth, 100, WS_HSCROLL);
    f.setText(u"0123456789abcdef\rxy");
    std::u16string buffer(20, u'#');
    buffer[0] = 5;
    EXPECT_EQ(f.send(EM_GETLINE, 0, reinterpret_cast<LPARAM>(buffer.data())), 5);
    EXPECT_EQ(buffer, u"01234" + std::u16string(15, u'#'));
    buffer[0] = 0;
    EXPECT_EQ(f.send(EM_GETLINE, 1, reinterpret_cast<LPARAM>(buffer.data())), 0);
    EXPECT_EQ(buffer[1], u'1') << "a buffer of size 0 is not written";
    buffer[0] = 100;
    EXPECT_EQ(f.send(EM_GETLINE, 1, reinterpret_cast<LPARAM>(buffer.data())), 2);
    EXPECT_EQ(buffer.substr(0, 3), u"xy2");
}

TEST(EditWindowTest, CaseStylesDoNotDependOnTheLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const std::u16string mixed = u"äöü ß ſ ı ǅ ａｂｃ αβγ жэ İ";
    for (const char* locale : {"C", "C.UTF-8"}) {
        ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr);
        EditWindowFixture upper(kWidth, 100, ES_UPPERCASE, mixed.c_str());
        EXPECT_EQ(upper.text(), u"ÄÖÜ ß S I Ǆ ＡＢＣ ΑΒΓ ЖЭ İ") << locale;
        EditWindowFixture lower(kWidth, 100, ES_LOWERCASE, mixed.c_str());
        EXPECT_EQ(lower.text(), u"äöü ß ſ ı ǆ ａｂｃ αβγ жэ i") << locale;
    }
    std::setlocale(LC_ALL, previous.c_str());
}

TEST(EditWindowTest, LineSpacingChangesTheLineHeight) {
    EditWindowFixture f(kWidth, 100);
    EXPECT_EQ(f.state().layout.lineHeight, 16);
    EXPECT_EQ(f.send(NEM_SETLINESPACING, 4), 1);
    EXPECT_EQ(f.state().layout.lineHeight, 20);
}

TEST(EditWindowTest, OutOfMemoryKeepsTheDocument) {
    EditWindowFixture f(kWidth, 100);
    f.setText(u"precious text");
    editctl::EditState& state = f.state();
    state.allocator.setFailureThreshold(20000);
    platform::test::takeMessageBoxCalls();
    platform::test::queueMessageBoxAnswer(IDOK);
    const std::u16string huge(50000, u'x');
    EXPECT_EQ(f.send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(huge.c_str())), 0);
    const auto calls = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, u"Out of Memory");
    EXPECT_EQ(calls[0].caption, u"Error!");
    EXPECT_EQ(calls[0].type & MB_ICONMASK, MB_ICONSTOP);
    EXPECT_EQ(calls[0].owner, f.edit);
    state.allocator.setFailureThreshold(std::nullopt);
    EXPECT_EQ(f.text(), u"precious text");
    EXPECT_TRUE(state.checkInvariants());
}

TEST(EditWindowTest, OutOfMemoryWithBrokenStateEmptiesTheText) {
    EditWindowFixture f(kWidth, 100);
    f.setText(u"inconsistent");
    editctl::EditState& state = f.state();
    state.caret = 1000; // past the end: the state can no longer be trusted
    state.allocator.setFailureThreshold(20000);
    platform::test::queueMessageBoxAnswer(IDOK);
    const std::u16string huge(50000, u'x');
    f.send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(huge.c_str()));
    platform::test::takeMessageBoxCalls();
    state.allocator.setFailureThreshold(std::nullopt);
    EXPECT_EQ(f.send(WM_GETTEXTLENGTH), 0);
    EXPECT_TRUE(state.checkInvariants());
}

TEST(EditWindowTest, OddArgumentsGetDefinedAnswers) {
    EditWindowFixture f(kWidth, 100);
    f.setText(u"abc\rdef");
    char16_t buffer[16] = {u'#'};
    EXPECT_EQ(f.send(EM_LINEINDEX, static_cast<WPARAM>(-5)), -1);
    EXPECT_EQ(f.send(EM_LINELENGTH, 1000000), 3) << "past the end is the last line";
    EXPECT_EQ(f.send(EM_LINEFROMCHAR, 1000000), 1);
    EXPECT_EQ(f.send(EM_GETLINE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(buffer)), 0);
    EXPECT_EQ(f.send(EM_GETLINE, 0, 0), 0);
    EXPECT_EQ(f.send(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 0);
    EXPECT_EQ(buffer[0], u'#') << "no room, not even for a terminator";
    EXPECT_EQ(f.send(WM_GETTEXT, 10, 0), 0);
    EXPECT_EQ(f.send(NEM_COPYTEXT, 0, 0), 0);
    EXPECT_EQ(f.send(EM_GETRECT, 0, 0), 0);
    EXPECT_EQ(f.send(EM_SETRECTNP, 0, 0), 0);
    EXPECT_EQ(f.send(NEM_GETSTATE, 0, 0), 0);

    const RECT inverted{70, 90, 10, 5};
    f.send(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&inverted));
    f.send(NEM_SETWRAPCOLUMN, static_cast<WPARAM>(-1), 1);
    EXPECT_EQ(f.send(NEM_GETWRAPCOLUMN), 0x8000);
    f.send(NEM_SETLINESPACING, static_cast<WPARAM>(-3));
    EXPECT_EQ(f.state().layout.lineSpacing, 0);
    f.resizeClient(0, 0);
    editctl::insertAtCaretAndShow(f.state(), u"x\ry", false);
    f.resizeClient(kWidth, 100);
    EXPECT_EQ(f.text(), u"x\ryabc\rdef");
    EXPECT_TRUE(f.state().checkInvariants());
}

} // namespace
