#include "document/TemplateList.h"
#include "document/Utf8Text.h"

#include "support/ScratchProgramDirectory.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using document::expandTemplate;
using document::TemplateList;

namespace {

// Sunday, 7 March 2010, 09:05:03.
constexpr platform::LocalTime kSunday{2010, 3, 7, 0, 9, 5, 3};

std::string narrow(const std::u16string& text) {
    return document::utf16ToUtf8(text);
}

struct Case {
    std::u16string text;
    std::u16string selection;
    std::u16string output;
    std::size_t caret;
};

} // namespace

TEST(TemplateMacros, DateAndTimeNamesInAnyCaseComeFromOneReading) {
    const auto out = expandTemplate(
        u"%YEAR%-%Month%-%date% %hour%:%MINUTE%:%second% %DayOfWeek% %dayofweekj%", u"", kSunday);
    EXPECT_EQ(narrow(out.text), "2010-03-07 09:05:03 Sun 日");
    EXPECT_EQ(out.caret, out.text.size());

    const std::u16string weekdays[] = {u"Sun日", u"Mon月", u"Tue火", u"Wed水",
                                       u"Thu木", u"Fri金", u"Sat土"};
    for (int day = 0; day < 7; ++day) {
        platform::LocalTime now = kSunday;
        now.dayOfWeek = day;
        EXPECT_EQ(expandTemplate(u"%dayofweek%%DAYOFWEEKJ%", u"", now).text, weekdays[day]);
    }
    // A year below 1000 keeps four digits; a day past the week's end never reads out of range.
    platform::LocalTime odd{987, 12, 31, 13, 23, 59, 60};
    EXPECT_EQ(narrow(expandTemplate(u"%year%/%month%/%date% %dayofweek%", u"", odd).text),
              "0987/12/31 Sat");
}

TEST(TemplateMacros, PercentSignsSelectionCaretAndUnknownNames) {
    const Case cases[] = {
        {u"100%%", u"", u"100%", 4},
        {u"[%@%]", u"abc", u"[abc]", 5},
        {u"[%!%]", u"", u"[]", 1},
        {u"[%@%%!%]", u"", u"[]", 1},
        {u"a%b", u"sel", u"a", 1},
        {u"a%%%b", u"", u"a%", 2},
        {u"x%n%y%t%z", u"", u"x\ry\tz", 5},
        {u"<%x%>%NotAMacro%", u"", u"<>", 2},
        {u"%!%a%!%b", u"", u"ab", 1},
        {u"%@%%!%-%@%", u"日本", u"日本-日本", 2},
        {u"", u"gone", u"", 0},
    };
    for (const Case& c : cases) {
        const auto out = expandTemplate(c.text, c.selection, kSunday);
        EXPECT_EQ(out.text, c.output) << narrow(c.text);
        EXPECT_EQ(out.caret, c.caret) << narrow(c.text);
    }
}

// Any text survives being written as a template: every "%" doubled, a %!% where the caret
// should go and a %@% where the selection goes.
TEST(TemplateMacros, EscapedTextExpandsBackWithCaretAndSelectionInPlace) {
    std::mt19937 random(14);
    const std::u16string alphabet = u"ab%!@n日\r\t ";
    for (int round = 0; round < 500; ++round) {
        std::u16string plain;
        const std::size_t length = random() % 12;
        for (std::size_t i = 0; i < length; ++i)
            plain += alphabet[random() % alphabet.size()];
        const std::size_t caretAt = random() % (plain.size() + 1);
        const std::size_t selectionAt = random() % (plain.size() + 1);
        const std::u16string selection = round % 2 == 0 ? u"" : u"S%x%";
        std::u16string text;
        std::u16string expected;
        std::size_t expectedCaret = 0;
        for (std::size_t i = 0; i <= plain.size(); ++i) {
            if (i == selectionAt) {
                text += u"%@%";
                expected += selection;
            }
            if (i == caretAt) {
                text += u"%!%";
                expectedCaret = expected.size();
            }
            if (i < plain.size()) {
                text += plain[i] == u'%' ? u"%%" : std::u16string(1, plain[i]);
                expected += plain[i];
            }
        }
        const auto out = expandTemplate(text, selection, kSunday);
        ASSERT_EQ(out.text, expected) << narrow(text);
        ASSERT_EQ(out.caret, expectedCaret) << narrow(text);
    }
}

TEST(TemplateFile, ReadsNamedLinesSkipsTheRestAndStopsAtForty) {
    ScratchProgramDirectory scratch;
    std::string file = "\xEF\xBB\xBF; a comment line=with an equals sign\n"
                       "name only\n"
                       "=text without a name\n"
                       "empty text=\n"
                       "  ;indented comment=x\n"
                       " \xE3\x80\x80 日付 \t= %year% = kept  \r\n"
                       "crlf=one\r\n"
                       "cr=two\r"
                       "   \n";
    for (int i = 4; i <= 41; ++i)
        file += "t" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    scratch.writeFile("template.ini", file);

    TemplateList list;
    list.load(document::utf8ToUtf16(scratch.programDir() + "template.ini"));
    ASSERT_EQ(list.count(), 40U);
    EXPECT_EQ(narrow(list.entry(0).name), "日付");
    EXPECT_EQ(narrow(list.entry(0).text), " %year% = kept  ");
    EXPECT_EQ(narrow(list.entry(1).name), "crlf");
    EXPECT_EQ(narrow(list.entry(1).text), "one");
    EXPECT_EQ(narrow(list.entry(2).text), "two");
    EXPECT_EQ(narrow(list.entry(39).name), "t40");
    EXPECT_EQ(list.expand(40, u"x").text, u"");

    list.load(document::utf8ToUtf16(scratch.programDir() + "missing.ini"));
    EXPECT_EQ(list.count(), 0U);
    EXPECT_EQ(list.expand(0, u"x").text, u"");
}
