// File-system helpers: folder deletion that never follows links out, text
// files in the code page with CR LF, names and folders of paths.
#include "harness/fixture.h"

#include "platform/codepage.h"
#include "platform/filesystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace platform;
using harness::readBytes;
using harness::writeBytes;

namespace {

TEST(FileSystem, DeleteFolderRemovesLinksButNotWhatTheyPointTo)
{
    QTemporaryDir dir;
    const QString outside = dir.filePath("outside");
    ASSERT_TRUE(writeBytes(outside + "/keep.txt", "keep"));
    ASSERT_TRUE(writeBytes(dir.filePath("single.txt"), "single"));

    const QString layer = dir.filePath("program/LAYER");
    ASSERT_TRUE(writeBytes(layer + "/one0.wmf", "x"));
    ASSERT_TRUE(writeBytes(layer + "/sub/one1.wmf", "y"));
    QFile::setPermissions(layer + "/sub/one1.wmf", QFile::ReadOwner); // read-only files go too
    ASSERT_TRUE(QFile::link(outside, layer + "/link-to-folder"));
    ASSERT_TRUE(QFile::link(dir.filePath("single.txt"), layer + "/link-to-file"));
    ASSERT_TRUE(QFile::link(outside, layer + "/sub/deeper-link"));

    EXPECT_TRUE(fs::DeleteFolder(layer));
    EXPECT_FALSE(QFileInfo::exists(layer));
    EXPECT_EQ(readBytes(outside + "/keep.txt"), QByteArray("keep"));
    EXPECT_EQ(readBytes(dir.filePath("single.txt")), QByteArray("single"));
    EXPECT_TRUE(fs::FolderExists(dir.filePath("program")));
}

TEST(FileSystem, DeleteFolderRefusesALinkGivenAsTheFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeBytes(dir.filePath("real/keep.txt"), "keep"));
    ASSERT_TRUE(QFile::link(dir.filePath("real"), dir.filePath("LAYER")));
    EXPECT_FALSE(fs::DeleteFolder(dir.filePath("LAYER")));
    EXPECT_EQ(readBytes(dir.filePath("real/keep.txt")), QByteArray("keep"));
}

TEST(FileSystem, TextFilesInCodePageWithCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("lamo_script.scr");
    const QString text = QStringLiteral("-LAYER\nON\r\n\u753b\u5c64\rX\uac00");
    ASSERT_TRUE(fs::WriteText(path, text));
    EXPECT_EQ(readBytes(path), toAnsi(QStringLiteral("-LAYER\r\nON\r\n\u753b\u5c64\r\nX?")));
    EXPECT_EQ(fs::ReadAllText(path), QStringLiteral("-LAYER\r\nON\r\n\u753b\u5c64\r\nX?"));
    ASSERT_TRUE(fs::AppendText(path, QStringLiteral("\n\u7d42")));
    EXPECT_EQ(readBytes(path), toAnsi(QStringLiteral("-LAYER\r\nON\r\n\u753b\u5c64\r\nX?\r\n\u7d42")));

    EXPECT_FALSE(fs::ReadAllText(dir.filePath("missing.txt")).has_value());
    EXPECT_FALSE(fs::WriteText(dir.filePath("no/such/folder/x.txt"), "x"));
}

TEST(FileSystem, NamesAndFolders)
{
    EXPECT_EQ(fs::GetFileName("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(fs::GetFileName("c.txt"), "c.txt");
    EXPECT_EQ(fs::GetFileName("/a/b/"), "b");
    EXPECT_EQ(fs::GetParentFolder("/a/b/c.txt"), "/a/b");
    EXPECT_EQ(fs::GetParentFolder("/c.txt"), "/");
    EXPECT_EQ(fs::GetParentFolder("c.txt"), "");
    EXPECT_EQ(fs::join("/a/", "/b"), "/a/b");
    EXPECT_EQ(fs::join("/a", "b"), "/a/b");
    EXPECT_EQ(fs::absoluteTo("/prog", "LAMOR.ini"), "/prog/LAMOR.ini");
    EXPECT_EQ(fs::absoluteTo("/prog", "/etc/x.ini"), "/etc/x.ini");
}

TEST(FileSystem, ExistsAndCreate)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("a/b");
    EXPECT_FALSE(fs::FolderExists(folder));
    EXPECT_TRUE(fs::CreateFolder(folder));
    EXPECT_TRUE(fs::FolderExists(folder));
    EXPECT_FALSE(fs::FileExists(folder));
    ASSERT_TRUE(writeBytes(folder + "/f.txt", "x"));
    EXPECT_TRUE(fs::FileExists(folder + "/f.txt"));
    EXPECT_FALSE(fs::FolderExists(folder + "/f.txt"));
    EXPECT_TRUE(fs::IsFixedDrive(folder + "/new.ini"));
}

} // namespace
