// The pattern-matching function: matches handed back, the whole-match form,
// and the error box of a malformed pattern.
#include "harness/fixture.h"

#include "util/reg_exp.h"

using namespace platform;

namespace {

struct RegExpCase {
    const char *name;
    const char *target;
    const char *pattern;
    bool whole;
    bool result;
    QStringList matches;
};

class RegExpFunction : public harness::PlatformFixture,
                       public ::testing::WithParamInterface<RegExpCase> {};

TEST_P(RegExpFunction, ResultAndMatches)
{
    const RegExpCase &c = GetParam();
    QStringList matches{QStringLiteral("left over")};
    EXPECT_EQ(util::pu_fun_bRegExp(platform(), QString::fromUtf8(c.target), QString::fromUtf8(c.pattern),
                                   matches, c.whole),
              c.result);
    EXPECT_EQ(matches, c.matches);
    EXPECT_TRUE(ui().shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegExpFunction,
    ::testing::Values(
        RegExpCase{"Lineweight", "0.25 mm", "[0-2]\\.[0-9]{1,2}", false, true, {"0.25"}},
        RegExpCase{"LineweightTwo", "2.11 mm", "[0-2]\\.[0-9]{1,2}", false, true, {"2.11"}},
        RegExpCase{"NoMatch", "Default", "[0-2]\\.[0-9]{1,2}", false, false, {}},
        RegExpCase{"EveryOccurrence", "A-1 B-2 C-3", "[A-Z]-\\d", false, true, {"A-1", "B-2", "C-3"}},
        RegExpCase{"CaseSensitive", "WALL", "wall", false, false, {}},
        RegExpCase{"EmptyTextMalformedPattern", "", "(", false, false, {}},
        RegExpCase{"WholeMatch", "A-WALL", "A-\\w+", true, true, {}},
        RegExpCase{"WholeMatchTextAround", "xA-WALL", "A-\\w+", true, false, {}},
        RegExpCase{"WholeMatchFirstOnly", "A-1 A-2", "A-\\d", true, false, {}}),
    [](const ::testing::TestParamInfo<RegExpCase> &i) { return std::string(i.param.name); });

class RegExpFunctionError : public harness::PlatformFixture {};

TEST_F(RegExpFunctionError, MalformedPatternShowsItsBoxOnce)
{
    ui().expectMsgBox(QStringLiteral("予期せぬエラー\r番号：5020\r内容：Expected ')' in regular expression"),
                      vbOKOnly + vbCritical, vbOK, QStringLiteral("pu_fun_bRegExp"));
    QStringList matches{QStringLiteral("old")};
    EXPECT_FALSE(util::pu_fun_bRegExp(platform(), QStringLiteral("A-(1"), QStringLiteral("A-(1"), matches, false));
    EXPECT_TRUE(matches.isEmpty());
    EXPECT_EQ(ui().shown().size(), 1u);
}

} // namespace
