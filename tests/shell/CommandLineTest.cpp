#include "shell/CommandLine.h"

#include <gtest/gtest.h>

#include <random>

using shell::IsNoWordWrapOption;
using shell::JoinCommandLine;
using shell::ParseCommandLine;
using Arguments = std::vector<std::u16string>;

TEST(ParseCommandLine, SplitsAsTheEditorAlwaysHas) {
    const std::pair<std::u16string, Arguments> cases[] = {
        {u"a \"b c\" d", {u"a", u"b c", u"d"}},
        {u"", {u""}},
        {u"a  b", {u"a", u"", u"b"}},
        {u"\"my file.txt\" -NOWORDWRAP", {u"my file.txt", u"-NOWORDWRAP"}},
        // A quote left open keeps blanks; the end of the text still ends the argument.
        {u"\"a b", {u"a b"}},
        {u"x\"y z\" w", {u"x\"y z", u"w"}},
        {u"a ", {u"a", u""}},
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(ParseCommandLine(line), expected) << std::string(line.begin(), line.end());
}

// Arguments without quotes survive being joined into one line and split again.
TEST(ParseCommandLine, SplitsWhatJoinCommandLineJoined) {
    std::mt19937 random(20240611);
    const std::u16string alphabet = u"ab -.日本 /";
    for (int round = 0; round < 500; ++round) {
        Arguments arguments(1 + random() % 4);
        for (auto& argument : arguments) {
            const std::size_t length = random() % 6;
            for (std::size_t i = 0; i < length; ++i)
                argument += alphabet[random() % alphabet.size()];
        }
        EXPECT_EQ(ParseCommandLine(JoinCommandLine(arguments)), arguments);
    }
}

TEST(ParseCommandLine, TheWordWrapOptionIsRecognisedInAnyCase) {
    EXPECT_TRUE(IsNoWordWrapOption(u"-nowordwrap"));
    EXPECT_TRUE(IsNoWordWrapOption(u"-NoWordWrap"));
    EXPECT_FALSE(IsNoWordWrapOption(u"-nowordwrapx"));
    EXPECT_FALSE(IsNoWordWrapOption(u"nowordwrap"));
}
