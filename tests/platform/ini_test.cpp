// Settings-file functions: the Windows profile semantics the program's
// settings rely on, as one table of cases, plus the code page and the
// read-only file.
#include "harness/fixture.h"

#include "platform/codepage.h"
#include "platform/filesystem.h"
#include "platform/ini.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace platform;
using harness::readBytes;
using harness::writeBytes;

namespace {

struct IniCase {
    const char *name;
    std::optional<QString> file; // nothing: the file does not exist
    enum Op { Read, ReadInt, Write } op;
    QString section;
    QString key;
    QString arg;                  // default (Read), value (Write)
    int intDefault = 0;           // ReadInt
    QString expect;               // Read: the string; Write: the whole file afterwards
    int expectInt = 0;            // ReadInt
    bool expectOk = true;         // Write
};

QString longText(const QString &unit, int n)
{
    QString s;
    for (int i = 0; i < n; ++i)
        s += unit;
    return s;
}

const QString kOptions = QStringLiteral(
    "; Lamoria settings\r\n"
    "[Option]\r\n"
    "delimiter=-\r\n"
    "AutoHide = 1\r\n"
    "\r\n"
    "[FormView]\r\n"
    "height=6000\r\n");

std::vector<IniCase> cases()
{
    using S = QString;
    return {
        // Reading
        {"NamesIgnoreCase", S("[option]\r\nDELIMITER=_\r\n"), IniCase::Read, "Option", "delimiter", "-", 0, "_"},
        {"FirstSectionOnly", S("[A]\r\nk=1\r\n[a]\r\nk=2\r\nj=3\r\n"), IniCase::Read, "A", "j", "none", 0, "none"},
        {"FirstKeyWins", S("[A]\r\nk=1\r\nK=2\r\n"), IniCase::Read, "A", "k", "", 0, "1"},
        {"ValueAndKeyTrimmed", S("[A]\r\n  k \t=  v a l \t \r\n"), IniCase::Read, "A", "k", "", 0, "v a l"},
        {"SectionNameTrimmed", S("[ A ]\r\nk=1\r\n"), IniCase::Read, "A", "k", "", 0, "1"},
        {"QuotesStripped", S("[A]\r\nk=\"  x  \"\r\n"), IniCase::Read, "A", "k", "", 0, "  x  "},
        {"UnmatchedQuotesKept", S("[A]\r\nk='x\"\r\n"), IniCase::Read, "A", "k", "", 0, "'x\""},
        {"MissingKeyGivesDefaultWithoutTrailingSpaces", S("[A]\r\n"), IniCase::Read, "A", "k", " d  ", 0, " d"},
        {"EmptyValueIsNotDefault", S("[Option]\r\ndelimiter=\r\n"), IniCase::Read, "Option", "delimiter", "-", 0, ""},
        {"EscapedSpaceUntouched", S("[Option]\r\ndelimiter=\\s\r\n"), IniCase::Read, "Option", "delimiter", "-", 0, "\\s"},
        {"IdeographicSpaceNotTrimmed", S("[Option]\r\ndelimiter=\u3000\r\n"), IniCase::Read, "Option", "delimiter", "-", 0, "\u3000"},
        {"CutTo254Bytes", S("[A]\r\nk=") + longText("a", 300) + "\r\n", IniCase::Read, "A", "k", "", 0, longText("a", 254)},
        {"CutNeverSplitsDoubleByte", S("[A]\r\nk=a") + longText("\u3042", 200) + "\r\n", IniCase::Read, "A", "k", "", 0,
         "a" + longText("\u3042", 126)},
        {"KeysBeforeFirstSectionIgnored", S("k=0\r\n[A]\r\nj=1\r\n"), IniCase::Read, "A", "k", "d", 0, "d"},
        {"CommentIsNoKey", S("[A]\r\n;k=9\r\nk=1\r\n"), IniCase::Read, "A", "k", "", 0, "1"},
        {"LfLineEnds", S("[A]\nk=1\n"), IniCase::Read, "A", "k", "", 0, "1"},
        {"BrokenHeaderStartsNoSection", S("[A]\r\n[broken\r\nk=1\r\n"), IniCase::Read, "A", "k", "", 0, "1"},
        {"KeyOfNextSectionNotFound", S("[A]\r\n[B]\r\nk=1\r\n"), IniCase::Read, "A", "k", "d", 0, "d"},
        {"MissingFileGivesDefault", std::nullopt, IniCase::Read, "A", "k", "d", 0, "d"},
        {"JapaneseNames", S("[\u30be\u30fc\u30f3]\r\n\u8868\u793a=\u30bd\u30fc\u30b9\uff71\r\n"), IniCase::Read,
         "\u30be\u30fc\u30f3", "\u8868\u793a", "", 0, "\u30bd\u30fc\u30b9\uff71"},

        // Integers
        {"IntLeadingDigits", S("[A]\r\nk=12abc\r\n"), IniCase::ReadInt, "A", "k", "", 7, "", 12},
        {"IntHexPrefix", S("[A]\r\nk=0x1F\r\n"), IniCase::ReadInt, "A", "k", "", 7, "", 31},
        {"IntUpperCasePrefixIsNone", S("[A]\r\nk=0X1F\r\n"), IniCase::ReadInt, "A", "k", "", 7, "", 0},
        {"IntBinaryPrefix", S("[A]\r\nk=-0b101\r\n"), IniCase::ReadInt, "A", "k", "", 7, "", -5},
        {"IntNegative", S("[A]\r\nk=-5\r\n"), IniCase::ReadInt, "A", "k", "", 7, "", -5},
        {"IntPlus", S("[A]\r\nk=+7\r\n"), IniCase::ReadInt, "A", "k", "", 0, "", 7},
        {"IntLetters", S("[A]\r\nk=abc\r\n"), IniCase::ReadInt, "A", "k", "", 7, "", 0},
        {"IntEmptyGivesDefault", S("[A]\r\nk=\r\n"), IniCase::ReadInt, "A", "k", "", 7, "", 7},
        {"IntMissingGivesDefault", S("[A]\r\n"), IniCase::ReadInt, "A", "k", "", 7, "", 7},
        {"IntWraps", S("[A]\r\nk=4294967297\r\n"), IniCase::ReadInt, "A", "k", "", 7, "", 1},
        {"IntQuoted", S("[A]\r\nk=\"5\"\r\n"), IniCase::ReadInt, "A", "k", "", 7, "", 5},

        // Writing
        {"ReplaceKeepsEverythingElse", kOptions, IniCase::Write, "option", "DELIMITER", "\\s", 0,
         S(kOptions).replace("delimiter=-", "delimiter=\\s")},
        {"ReplaceKeepsKeySpellingAndIndent", S("[A]\r\n  Key  = old \r\nz=1\r\n"), IniCase::Write, "a", "KEY", "new", 0,
         "[A]\r\n  Key=new\r\nz=1\r\n"},
        {"MissingKeyAfterLastLineOfSection", kOptions, IniCase::Write, "Option", "SmallViewClass", "0", 0,
         S(kOptions).replace("AutoHide = 1\r\n", "AutoHide = 1\r\nSmallViewClass=0\r\n")},
        {"MissingSectionAtEnd", kOptions, IniCase::Write, "Script", "ChkAppPath", "1", 0,
         kOptions + "[Script]\r\nChkAppPath=1\r\n"},
        {"NoLineBreakAtEnd", S("[A]\r\nk=1"), IniCase::Write, "A", "j", "2", 0, "[A]\r\nk=1\r\nj=2\r\n"},
        {"NoLineBreakAtEndNewSection", S("[A]\r\nk=1"), IniCase::Write, "B", "j", "2", 0, "[A]\r\nk=1\r\n[B]\r\nj=2\r\n"},
        {"MissingFileCreated", std::nullopt, IniCase::Write, "A", "k", "v", 0, "[A]\r\nk=v\r\n"},
        {"LfFileKeepsItsLines", S("[A]\nk=1\n\n[B]\n"), IniCase::Write, "A", "j", "2", 0, "[A]\nk=1\nj=2\r\n\n[B]\n"},
        {"FirstSectionAndKeyReplaced", S("[A]\r\nk=1\r\nk=3\r\n[a]\r\nk=2\r\n"), IniCase::Write, "A", "k", "9", 0,
         "[A]\r\nk=9\r\nk=3\r\n[a]\r\nk=2\r\n"},
        {"EmptyValueWritten", S("[A]\r\nk=1\r\n"), IniCase::Write, "A", "k", "", 0, "[A]\r\nk=\r\n"},
        {"LineBreakInValueRefused", S("[A]\r\nk=1\r\n"), IniCase::Write, "A", "k", "x\r\n[B]\r\ny=2", 0,
         "[A]\r\nk=1\r\n", 0, false},
        {"LineBreakInKeyRefused", S("[A]\r\nk=1\r\n"), IniCase::Write, "A", "k\nz", "x", 0, "[A]\r\nk=1\r\n", 0, false},
    };
}

void PrintTo(const IniCase &c, std::ostream *os) { *os << c.name; }

class IniTable : public ::testing::TestWithParam<IniCase> {};

TEST_P(IniTable, Behaves)
{
    const IniCase &c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("LAMOR.ini"));
    if (c.file) {
        ASSERT_TRUE(writeBytes(path, toAnsi(*c.file)));
    }
    switch (c.op) {
    case IniCase::Read:
        EXPECT_EQ(GetPrivateProfileString(c.section, c.key, c.arg, path), c.expect);
        break;
    case IniCase::ReadInt:
        EXPECT_EQ(GetPrivateProfileInt(c.section, c.key, c.intDefault, path), c.expectInt);
        break;
    case IniCase::Write:
        EXPECT_EQ(WritePrivateProfileString(c.section, c.key, c.arg, path), c.expectOk);
        EXPECT_EQ(readBytes(path), toAnsi(c.expect));
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Profile, IniTable, ::testing::ValuesIn(cases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Ini, ShiftJisFileReadAndRewrittenKeepingItsOtherLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("LAMOR.ini"));
    // Written by the Windows program: CP932 bytes.  "ゾ" ends in the byte of
    // "]" and "ソ"/"表" in that of "\", which must not confuse the reader.
    const QString text = QStringLiteral(
        "[Script]\r\n"
        "; \u30b9\u30af\u30ea\u30d7\u30c8\u306e\u8a2d\u5b9a\r\n"
        "TxtScriptFile(0)=C:\\\u8868\u793a\\\u30bd\u30fc\u30b9.txt\r\n"
        "TxtLayerKey(0)=<\u753b\u5c64>\r\n"
        "[\u30be\u30fc\u30f3]\r\n"
        "\u540d\u524d=\uff9a\uff72\uff94\r\n");
    const QByteArray original = toAnsi(text);
    ASSERT_TRUE(original.contains(QByteArray("\x83\x5c", 2))); // ソ
    ASSERT_TRUE(writeBytes(path, original));

    EXPECT_EQ(GetPrivateProfileString("script", "txtscriptfile(0)", "", path),
              QStringLiteral("C:\\\u8868\u793a\\\u30bd\u30fc\u30b9.txt"));
    EXPECT_EQ(GetPrivateProfileString("\u30be\u30fc\u30f3", "\u540d\u524d", "", path), QStringLiteral("\uff9a\uff72\uff94"));

    ASSERT_TRUE(WritePrivateProfileString("Script", "TxtLayerKey(0)", "<\u30ec\u30a4\u30e4\u30fc>", path));
    const QByteArray after = readBytes(path);
    QByteArray expected = original;
    expected.replace(toAnsi(QStringLiteral("<\u753b\u5c64>")), toAnsi(QStringLiteral("<\u30ec\u30a4\u30e4\u30fc>")));
    EXPECT_EQ(after, expected);
    EXPECT_EQ(GetPrivateProfileString("Script", "TxtLayerKey(0)", "", path), QStringLiteral("<\u30ec\u30a4\u30e4\u30fc>"));
}

TEST(Ini, ReadOnlyFileIsReadButNeverWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("LAMOR.ini"));
    const QByteArray bytes = toAnsi(QStringLiteral("[Option]\r\nAutoHide=0\r\n"));
    ASSERT_TRUE(writeBytes(path, bytes));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    EXPECT_TRUE(fs::IsReadOnly(path));
    EXPECT_EQ(GetPrivateProfileInt("Option", "AutoHide", 1, path), 0);
    EXPECT_FALSE(WritePrivateProfileString("Option", "AutoHide", "1", path));
    EXPECT_FALSE(WritePrivateProfileString("FormView", "height", "6000", path));
    EXPECT_EQ(readBytes(path), bytes);

    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_FALSE(fs::IsReadOnly(path));
    EXPECT_TRUE(WritePrivateProfileString("Option", "AutoHide", "1", path));
}

} // namespace
