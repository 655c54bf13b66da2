// The ANSI code page (CP932) used for every text file.
#include "harness/printers.h"
#include "platform/codepage.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

QByteArray bytes(std::initializer_list<int> b)
{
    QByteArray out;
    for (int c : b)
        out.append(static_cast<char>(c));
    return out;
}

struct Mapping {
    const char *name;
    QString text;
    QByteArray ansi;
};

void PrintTo(const Mapping &m, std::ostream *os) { *os << m.name; }

class CodePageMapping : public ::testing::TestWithParam<Mapping> {};

// Both directions, with the code page's own choices where Unicode and
// Shift-JIS tables disagree.
TEST_P(CodePageMapping, EncodesAndDecodes)
{
    const Mapping &m = GetParam();
    EXPECT_EQ(toAnsi(m.text), m.ansi);
    EXPECT_EQ(fromAnsi(m.ansi), m.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cp932, CodePageMapping,
    ::testing::Values(
        Mapping{"Ascii", QStringLiteral("A-1\\~"), QByteArray("A-1\\~")},
        Mapping{"HalfWidthKatakana", QStringLiteral("\uff9a\uff72\uff94"), bytes({0xDA, 0xB2, 0xD4})},
        Mapping{"Kanji", QStringLiteral("\u753b\u5c64"), bytes({0x89, 0xE6, 0x91, 0x77})},
        Mapping{"TrailByteBackslash", QStringLiteral("\u30bd\u8868"), bytes({0x83, 0x5C, 0x95, 0x5C})},
        Mapping{"FullwidthTildeIsWaveDashCode", QStringLiteral("\uff5e"), bytes({0x81, 0x60})},
        Mapping{"FullwidthHyphenMinus", QStringLiteral("\uff0d"), bytes({0x81, 0x7C})},
        Mapping{"NecCircledDigit", QStringLiteral("\u2460"), bytes({0x87, 0x40})},
        Mapping{"IbmExtension", QStringLiteral("\u2170"), bytes({0xFA, 0x40})},
        Mapping{"NotSignPrefersJisRow", QStringLiteral("\uffe2"), bytes({0x81, 0xCA})},
        Mapping{"BecausePrefersJisRow", QStringLiteral("\u2235"), bytes({0x81, 0xE6})},
        Mapping{"IdeographicSpace", QStringLiteral("\u3000"), bytes({0x81, 0x40})}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CodePage, RoundTripOfJapaneseText)
{
    const QString text = QStringLiteral(
        "\u753b\u5c64\u540d\u306b\u7121\u52b9\u306a\u6587\u5b57\u304c\u542b\u307e\u308c\u3066\u3044\u307e\u3059\u3002\r\n"
        "\u7121\u52b9\u6587\u5b57\u3000<>/\\\":?*|,=`\r\n\u30b9\u30af\u30ea\u30d7\u30c8\uff7d\uff78\uff98\uff8c\uff9f\uff84 \u2460\u2170\u337b");
    EXPECT_TRUE(isAnsiRepresentable(text));
    EXPECT_EQ(fromAnsi(toAnsi(text)), text);
}

TEST(CodePage, UnrepresentableCharactersBecomeQuestionMarks)
{
    // Hangul, a character outside the BMP (one "?" for its surrogate pair),
    // an accented Latin letter.
    const QString text = QStringLiteral("A\ud55c-") + QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("-\u00e9B");
    EXPECT_FALSE(isAnsiRepresentable(text));
    EXPECT_EQ(toAnsi(text), QByteArray("A?-?-?B"));
}

TEST(CodePage, DuplicateCodesDecodeToOneCharacterAndEncodeToTheWindowsChoice)
{
    // The NEC-selected IBM extension 0xED40 and the IBM extension 0xFA5C are
    // one character; Windows writes the IBM code.
    const QString fromNec = fromAnsi(bytes({0xED, 0x40}));
    EXPECT_EQ(fromNec, QStringLiteral("\u7e8a"));
    EXPECT_EQ(fromAnsi(bytes({0xFA, 0x5C})), fromNec);
    EXPECT_EQ(toAnsi(fromNec), bytes({0xFA, 0x5C}));
}

TEST(CodePage, InvalidBytesDecodeToTheDefaultCharacter)
{
    // An unassigned double-byte code and a lead byte cut off at the end.
    EXPECT_EQ(fromAnsi(bytes({'a', 0x85, 0x40, 'b'})), QStringLiteral("a\u30fbb"));
    EXPECT_EQ(fromAnsi(bytes({'a', 0x82})), QStringLiteral("a\u30fb"));
}

} // namespace
