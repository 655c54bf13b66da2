// The regular-expression component: ECMAScript-style matching, errors at
// matching time, a bounded end to runaway patterns, replacement syntax.
#include "harness/printers.h"
#include "platform/regexp.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace platform;

namespace {

struct MatchCase {
    const char *name;
    QString pattern;
    QString text;
    bool global;
    bool ignoreCase;
    bool multiLine;
    QStringList matches; // empty: Test is false
};

void PrintTo(const MatchCase &c, std::ostream *os) { *os << c.name; }

class RegExpMatching : public ::testing::TestWithParam<MatchCase> {};

TEST_P(RegExpMatching, TestAndExecuteAgree)
{
    const MatchCase &c = GetParam();
    RegExp re;
    re.setGlobal(c.global);
    re.setIgnoreCase(c.ignoreCase);
    re.setMultiLine(c.multiLine);
    re.setPattern(c.pattern);
    EXPECT_EQ(re.Test(c.text), !c.matches.isEmpty());
    const MatchCollection m = re.Execute(c.text);
    QStringList values;
    for (const Match &x : m) {
        values << x.Value;
        EXPECT_EQ(c.text.mid(x.FirstIndex, x.Length), x.Value);
    }
    EXPECT_EQ(values, c.matches);
}

const QStringList none;

INSTANTIATE_TEST_SUITE_P(
    Syntax, RegExpMatching,
    ::testing::Values(
        MatchCase{"Lineweight", "[0-2]\\.[0-9]{1,2}", "0.25 mm", true, false, false, {"0.25"}},
        MatchCase{"LineweightTwo", "[0-2]\\.[0-9]{1,2}", "2.11 mm", true, false, false, {"2.11"}},
        MatchCase{"LineweightNone", "[0-2]\\.[0-9]{1,2}", "Default", true, false, false, none},
        MatchCase{"GlobalFindsAllInOrder", "[0-9]+", "A1-B22-C333", true, false, false, {"1", "22", "333"}},
        MatchCase{"NotGlobalFindsFirst", "[0-9]+", "A1-B22-C333", false, false, false, {"1"}},
        MatchCase{"CaseSensitive", "wall", "A-WALL", true, false, false, none},
        MatchCase{"IgnoreCase", "wall", "A-WALL", true, true, false, {"WALL"}},
        MatchCase{"ClassPattern", "^A-.+-NEW$", "a-wall-new", true, true, true, {"a-wall-new"}},
        MatchCase{"FirstClass", "^.+?-", "A-WALL-NEW", true, true, true, {"A-"}},
        MatchCase{"DollarOnlyAtEnd", "a$", "a\n", true, false, false, none},
        MatchCase{"DollarBeforeLineBreakInMultiLine", "a$", "a\nba", true, false, true, {"a", "a"}},
        MatchCase{"CaretAfterCrInMultiLine", "^b", "a\rb", true, false, true, {"b"}},
        MatchCase{"CaretOnlyAtStart", "^b", "a\nb", true, false, false, none},
        MatchCase{"DotStopsAtLf", "a.c", "a\nc", true, false, false, none},
        MatchCase{"HexSpace", "A\\x20B", "A B", true, false, false, {"A B"}},
        MatchCase{"UnicodeEscape", "A\\u3000B", "A\u3000B", true, false, false, {"A\u3000B"}},
        MatchCase{"EscapedLetterIsLetter", "\\e", "e", true, false, false, {"e"}},
        MatchCase{"EmptyClassNeverMatches", "a[]", "a]", true, false, false, none},
        MatchCase{"NegatedEmptyClassMatchesAll", "a[^]b", "a\nb", true, false, false, {"a\nb"}},
        MatchCase{"NoPosixClasses", "[[:a]+", "[:a", true, false, false, {"[:a"}},
        MatchCase{"LiteralBraces", "a{,2}", "a{,2}", true, false, false, {"a{,2}"}},
        MatchCase{"Lookahead", "\\d+(?=mm)", "5cm 25mm", true, false, false, {"25"}},
        MatchCase{"EmptyMatchesAdvance", "x*", "ab", true, false, false, {"", "", ""}},
        MatchCase{"Alternation", "^(A|B)-", "B-1", true, false, false, {"B-"}},
        MatchCase{"JapaneseIgnoreCase", "\u753b\u5c64[\uff21-\uff3a]", "\u753b\u5c64\uff41", true, true, false,
                  {"\u753b\u5c64\uff41"}}),
    [](const auto &info) { return std::string(info.param.name); });

struct ErrorCase {
    const char *name;
    QString pattern;
    long number;
};

void PrintTo(const ErrorCase &c, std::ostream *os) { *os << c.name; }

class RegExpErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(RegExpErrors, RaisedWhenMatchingNotWhenSet)
{
    const ErrorCase &c = GetParam();
    RegExp re;
    re.setGlobal(true);
    EXPECT_NO_THROW(re.setPattern(c.pattern));
    auto expectError = [&](auto call) {
        try {
            call();
            ADD_FAILURE() << "no error for " << c.pattern.toStdString();
        } catch (const PlatformError &e) {
            EXPECT_EQ(e.number(), c.number) << e.description().toStdString();
            EXPECT_FALSE(e.description().isEmpty());
        }
    };
    expectError([&] { re.Test(QStringLiteral("abc")); });
    expectError([&] { re.Execute(QStringLiteral("abc")); });
    expectError([&] { re.Replace(QStringLiteral("abc"), QStringLiteral("x")); });
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, RegExpErrors,
    ::testing::Values(ErrorCase{"OpenGroup", "(a", regexp_err::ExpectedParen},
                      ErrorCase{"OpenClass", "[a", regexp_err::ExpectedBracket},
                      ErrorCase{"LeadingStar", "*a", regexp_err::UnexpectedQuantifier},
                      ErrorCase{"StarAfterBar", "x|*", regexp_err::UnexpectedQuantifier},
                      ErrorCase{"DoubleStar", "a**", regexp_err::UnexpectedQuantifier},
                      ErrorCase{"Possessive", "a++", regexp_err::UnexpectedQuantifier},
                      ErrorCase{"PcreVerb", "(*LIMIT_MATCH=999999999)a", regexp_err::UnexpectedQuantifier},
                      ErrorCase{"CloseWithoutOpen", "a)", regexp_err::Syntax},
                      ErrorCase{"BadRange", "[z-a]", regexp_err::InvalidRange},
                      ErrorCase{"NamedGroup", "(?<n>a)", regexp_err::Syntax},
                      ErrorCase{"InlineFlag", "(?i)a", regexp_err::Syntax},
                      ErrorCase{"BracesOutOfOrder", "a{3,1}", regexp_err::Syntax},
                      ErrorCase{"TrailingBackslash", "a\\", regexp_err::Syntax}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(RegExp, RunawayPatternEndsInErrorInBoundedTime)
{
    RegExp re;
    re.setGlobal(true);
    re.setPattern(QStringLiteral("(a+)+$"));
    const QString text = QString(40, QLatin1Char('a')) + QLatin1Char('!');
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 3; ++i) {
        try {
            re.Test(text);
            FAIL() << "the runaway pattern came to an end by itself";
        } catch (const PlatformError &e) {
            EXPECT_EQ(e.number(), regexp_err::OutOfStack);
        }
    }
    EXPECT_LT(timer.elapsed(), 5000);
    // The same object still serves a harmless text.
    EXPECT_TRUE(re.Test(QStringLiteral("aaa")));
}

TEST(RegExp, ReplaceSyntax)
{
    RegExp re;
    re.setPattern(QStringLiteral("([A-Z])([0-9])"));
    EXPECT_EQ(re.Replace("A1-B2", "$2$1"), QStringLiteral("1A-B2"));
    re.setGlobal(true);
    EXPECT_EQ(re.Replace("A1-B2", "$2$1"), QStringLiteral("1A-2B"));
    EXPECT_EQ(re.Replace("A1-B2", "[$&]"), QStringLiteral("[A1]-[B2]"));
    EXPECT_EQ(re.Replace("A1-B2", "$$1"), QStringLiteral("$1-$1"));
    EXPECT_EQ(re.Replace("A1-B2", "$9"), QStringLiteral("$9-$9"));  // no group 9: literal
    EXPECT_EQ(re.Replace("A1-B2", "$10"), QStringLiteral("A0-B0")); // group 1, then "0"
    EXPECT_EQ(re.Replace("xA1y", "<$`|$'>"), QStringLiteral("x<x|y>y"));
    re.setPattern(QStringLiteral("\\x20"));
    EXPECT_EQ(re.Replace(" a b ", ""), QStringLiteral("ab"));
}

} // namespace
