// The lexer: tokens, escapes, class bodies and counts.
#include "search/RegexParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace search {
namespace {

using Token = RegexParser::Token;

std::vector<Token> tokensOf(std::u16string_view pattern) {
    RegexParser parser(pattern);
    std::vector<Token> tokens;
    for (int i = 0; i < 100; ++i) {
        parser.next();
        tokens.push_back(parser.token());
        if (parser.token() == Token::End) {
            break;
        }
    }
    return tokens;
}

struct Lexed {
    Token token;
    char16_t ch;
    std::u16string classText;
};

Lexed firstToken(std::u16string_view pattern) {
    RegexParser parser(pattern);
    parser.next();
    return {parser.token(), parser.ch(), std::u16string(parser.classText())};
}

TEST(RegexLexer, OperatorsAreReadLongestFirstInTableOrder) {
    EXPECT_EQ(
        tokensOf(u"()*?+???*|+|?^$"),
        (std::vector<Token>{Token::Open, Token::Close, Token::LazyStar, Token::LazyPlus,
                            Token::LazyQuestion, Token::Star, Token::Alt, Token::Plus, Token::Alt,
                            Token::Question, Token::LineStart, Token::LineEnd, Token::End}));
    // "*??" is "*?" then "?".
    EXPECT_EQ(tokensOf(u"*??"), (std::vector<Token>{Token::LazyStar, Token::Question, Token::End}));
}

TEST(RegexLexer, EndRepeatsAndNeverPassesThePatternEnd) {
    RegexParser parser(u"a");
    parser.next();
    EXPECT_EQ(parser.token(), Token::Literal);
    for (int i = 0; i < 3; ++i) {
        parser.next();
        EXPECT_EQ(parser.token(), Token::End);
    }
    // The pattern ends at its first U+0000.
    EXPECT_EQ(tokensOf(std::u16string_view(u"a\0b", 3)),
              (std::vector<Token>{Token::Literal, Token::End}));
}

TEST(RegexLexer, StrayClosingBracketsAndBracesAreLiterals) {
    EXPECT_EQ(firstToken(u"]").token, Token::Literal);
    EXPECT_EQ(firstToken(u"]").ch, u']');
    EXPECT_EQ(firstToken(u"}").ch, u'}');
    EXPECT_EQ(tokensOf(u"}?"), (std::vector<Token>{Token::Literal, Token::Question, Token::End}));
}

TEST(RegexLexer, EscapesDecodeToLiteralsOrClasses) {
    struct Case {
        std::u16string_view pattern;
        Token token;
        char16_t ch;
        std::u16string_view classText;
    };
    const Case cases[] = {
        {u"\\d", Token::Class, 0, u"0-9"},
        {u"\\D", Token::Class, 0, u"^0-9"},
        {u"\\s", Token::Class, 0, u"\t\r\n "},
        {u"\\S", Token::Class, 0, u"^\t\r\n "},
        {u"\\w", Token::Class, 0, u"0-9a-zA-Z_"},
        {u"\\W", Token::Class, 0, u"^0-9a-zA-Z_"},
        {u"\\n", Token::Literal, u'\r', u""},
        {u"\\N", Token::Literal, u'\r', u""},
        {u"\\r", Token::Literal, u'\r', u""},
        {u"\\R", Token::Literal, u'\r', u""},
        {u"\\t", Token::Literal, u'\t', u""},
        {u"\\T", Token::Literal, u'\t', u""},
        {u"\\x41", Token::Literal, u'A', u""},
        {u"\\X7e", Token::Literal, u'~', u""},
        {u"\\u3042", Token::Literal, u'\u3042', u""},
        {u"\\U00e9", Token::Literal, u'\u00e9', u""},
        {u"\\q", Token::Literal, u'q', u""},
        {u"\\\\", Token::Literal, u'\\', u""},
        {u"\\.", Token::Literal, u'.', u""},
        {u"\\1", Token::Literal, u'1', u""},
        {u"\\^", Token::Literal, u'^', u""},
        // No hex digit, or a decoded U+0000: the empty class, which matches nothing.
        {u"\\xg", Token::Class, 0, u""},
        {u"\\x", Token::Class, 0, u""},
        {u"\\u", Token::Class, 0, u""},
        {u"\\x00", Token::Class, 0, u""},
        // A lone trailing backslash is a literal backslash.
        {u"\\", Token::Literal, u'\\', u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern.begin(), c.pattern.end()));
        const Lexed lexed = firstToken(c.pattern);
        EXPECT_EQ(lexed.token, c.token);
        if (c.token == Token::Literal) {
            EXPECT_EQ(lexed.ch, c.ch);
        } else {
            EXPECT_EQ(lexed.classText, c.classText);
        }
    }
}

TEST(RegexLexer, HexEscapesReadAtMostTheirDigitCount) {
    // "\x4142" is "A" then the literals "4" and "2"; "\u30421" is U+3042 then "1".
    RegexParser parser(u"\\x4142");
    parser.next();
    EXPECT_EQ(parser.ch(), u'A');
    parser.next();
    EXPECT_EQ(parser.ch(), u'4');
    RegexParser wide(u"\\u30421");
    wide.next();
    EXPECT_EQ(wide.ch(), u'\u3042');
    wide.next();
    EXPECT_EQ(wide.ch(), u'1');
    EXPECT_EQ(tokensOf(u"\\x"), (std::vector<Token>{Token::Class, Token::End}));
}

TEST(RegexLexer, DotIsTabAndEverythingFromSpaceToFFFD) {
    const Lexed dot = firstToken(u".");
    EXPECT_EQ(dot.token, Token::Class);
    EXPECT_EQ(dot.classText, u"\t -\uFFFD");
}

TEST(RegexLexer, ClassBodies) {
    struct Case {
        std::u16string_view pattern;
        std::u16string_view classText;
    };
    const Case cases[] = {
        {u"[abc]", u"abc"},
        {u"[]a]", u"]a"},
        {u"[^]a]", u"^]a"},
        {u"[]^]a]", u"]^]a"},
        {u"[^a-z]", u"^a-z"},
        {u"[a-c\\d]", u"a-c\\d"},
        {u"[\\W\\\\]", u"\\W\\\\"},
        {u"[\\x41-\\x43]", u"A-C"},
        {u"[\\n\\t\\q]", u"\r\tq"},
        {u"[\\-\\^]", u"-^"},
        {u"[\\u3042-\\u3093]", u"\u3042-\u3093"},
        // A decoded U+0000 ends the class text.
        {u"[ab\\x00cd]", u"ab"},
        {u"[]", u"]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern.begin(), c.pattern.end()));
        RegexParser parser(c.pattern);
        parser.next();
        if (c.pattern == u"[]") {
            // "]" first is a member, so the class is unterminated.
            EXPECT_EQ(parser.token(), Token::End);
            continue;
        }
        EXPECT_EQ(parser.token(), Token::Class);
        EXPECT_EQ(parser.classText(), c.classText);
        parser.next();
        EXPECT_EQ(parser.token(), Token::End);
    }
}

TEST(RegexLexer, UnterminatedClassesEndThePattern) {
    for (std::u16string_view pattern : {u"[abc", u"[", u"[\\", u"[a\\x", u"[\\u12", u"[^"}) {
        SCOPED_TRACE(std::string(pattern.begin(), pattern.end()));
        EXPECT_EQ(tokensOf(pattern), (std::vector<Token>{Token::End}));
    }
}

TEST(RegexLexer, LongClassBodiesAreTruncatedAtAWholeMember) {
    std::u16string body(300, u'a');
    const std::u16string pattern = u"[" + body + u"]b";
    RegexParser parser(pattern);
    parser.next();
    EXPECT_EQ(parser.token(), Token::Class);
    EXPECT_EQ(parser.classText().size(), RegexParser::kClassTextSize - 1);
    parser.next();
    EXPECT_EQ(parser.token(), Token::Literal);
    EXPECT_EQ(parser.ch(), u'b');

    // A two-unit escape that no longer fits is dropped whole, not split.
    const std::u16string escapePattern = u"[" + std::u16string(254, u'a') + u"\\dz]";
    RegexParser escape(escapePattern);
    escape.next();
    EXPECT_EQ(escape.classText(), std::u16string(254, u'a'));
}

TEST(RegexLexer, Counts) {
    struct Case {
        std::u16string_view pattern;
        Token token;
        int min;
        int max;
    };
    const Case cases[] = {
        {u"{3}", Token::Count, 3, 3},
        {u"{2,4}", Token::Count, 2, 4},
        {u"{2,}", Token::Count, 2, 0},
        {u"{,5}", Token::Count, 0, 5},
        {u"{}", Token::Count, 0, 0},
        {u"{a}", Token::Count, 0, 0},
        {u"{1 2}", Token::Count, 12, 12},
        {u"{1,2,3}", Token::Count, 1, 23},
        {u"{3,1}", Token::Count, 3, 1},
        {u"{2,4}?", Token::LazyCount, 2, 4},
        {u"{99999999999}", Token::Count, 2147483647, 2147483647},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern.begin(), c.pattern.end()));
        RegexParser parser(c.pattern);
        parser.next();
        EXPECT_EQ(parser.token(), c.token);
        EXPECT_EQ(parser.repMin(), c.min);
        EXPECT_EQ(parser.repMax(), c.max);
    }
    EXPECT_EQ(tokensOf(u"{"), (std::vector<Token>{Token::End}));
    EXPECT_EQ(tokensOf(u"{2"), (std::vector<Token>{Token::End}));
    EXPECT_EQ(tokensOf(u"{2,3"), (std::vector<Token>{Token::End}));
}

} // namespace
} // namespace search
