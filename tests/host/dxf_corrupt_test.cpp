// Bad input: files that are not DXF, truncated or corrupt give DxfError
// naming the file and line, never a crash.  Saving fails safely.
#include "dxf_test_util.h"

#include <QFileInfo>

#include <random>

#include <unistd.h>

using namespace dxftest;
using host::Drawing;
using host::DxfError;

namespace {

// Loads bytes; returns the error or an empty message when it loaded.
struct Outcome {
    bool loaded = false;
    QString message;
    qint64 line = 0;
};

Outcome tryLoad(const QByteArray &bytes, const QString &name = QStringLiteral("bad.dxf"))
{
    Outcome o;
    try {
        Drawing::fromBytes(bytes, name);
        o.loaded = true;
    } catch (const DxfError &e) {
        o.message = e.description();
        o.line = e.line();
        EXPECT_EQ(e.number(), acad::err::FileError);
        EXPECT_TRUE(e.description().startsWith(name)) << str(e.description());
    }
    return o;
}

// Where the EOF group starts: cutting before it truncates the drawing.
qsizetype eofGroup(const QByteArray &b)
{
    if (b.startsWith("AutoCAD Binary DXF"))
        return b.size() - 4; // "\0\0EOF\0" ends the binary samples
    // The first "EOF" line after a "0" line (bytes may follow it).
    for (qsizetype from = 0;;) {
        const qsizetype i = b.indexOf("\nEOF", from);
        if (i < 0)
            return b.size();
        const qsizetype lineStart = b.lastIndexOf('\n', i - 1) + 1;
        if (b.mid(lineStart, i - lineStart).trimmed() == "0")
            return lineStart;
        from = i + 1;
    }
}

} // namespace

TEST(DxfCorrupt, NotADxfFile)
{
    const struct {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"text", QByteArray("hello world\nthis is not a drawing\n")},
        {"png", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
        {"zero bytes", QByteArray(64, '\0')},
        {"group but no section", QByteArray("  0\nLINE\n  8\n0\n  0\nEOF\n")},
        {"binary sentinel only", QByteArray("AutoCAD Binary DXF\r\n\x1a\0", 22)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome o = tryLoad(c.bytes);
        EXPECT_FALSE(o.loaded);
        EXPECT_FALSE(o.message.isEmpty());
    }
    const Outcome o = tryLoad("hello world\nthis is not a drawing\n");
    EXPECT_TRUE(o.message.contains(QLatin1String("line 1"))) << str(o.message);
    EXPECT_TRUE(o.message.contains(QLatin1String("not a DXF"))) << str(o.message);
}

TEST(DxfCorrupt, StructureErrorsNameTheLine)
{
    const QByteArray good = r12Fixture();
    auto lineOf = [&](const QByteArray &b, const QByteArray &text) {
        return qint64(b.left(b.indexOf(text)).count('\n') + 1);
    };
    const struct {
        const char *what;
        QByteArray from, to;
        const char *message;
    } cases[] = {
        {"group code not a number", "  0\nINSERT\n", "  x\nINSERT\n", "invalid group code"},
        {"group code out of range", " 62\n     2\n", "9999\n     2\n", "invalid group code"},
        {"missing ENDSEC", "  0\nENDSEC\n  0\nSECTION\n  2\nBLOCKS\n", "  0\nSECTION\n  2\nBLOCKS\n",
         "missing ENDSEC"},
        {"ENDTAB outside a table", "  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nBLOCKS\n",
         "  0\nENDTAB\n  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nBLOCKS\n", "ENDTAB outside"},
        {"ENDBLK without BLOCK", "  0\nENDBLK\n  5\n22\n", "  0\nENDBLK\n  5\n22\n  0\nENDBLK\n",
         "ENDBLK without BLOCK"},
        {"layer flags not a number", " 70\n     1\n 62\n     6\n", " 70\n   one\n 62\n     6\n",
         "invalid integer"},
        {"bad handle", "  5\n30\n", "  5\nXYZ\n", "invalid handle"},
        {"space not a number", " 67\n     1\n", " 67\n     a\n", "invalid integer"},
        {"layer without a name", "  2\nUNUSED\n", "", "LAYER without a name"},
        {"no EOF", "  0\nEOF\n", "", "no EOF"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray bad = good;
        const qsizetype at = bad.indexOf(c.from);
        ASSERT_GE(at, 0);
        bad.replace(at, c.from.size(), c.to);
        const Outcome o = tryLoad(bad);
        ASSERT_FALSE(o.loaded);
        EXPECT_TRUE(o.message.contains(QLatin1String(c.message))) << str(o.message);
        EXPECT_GE(o.line, lineOf(good, c.from) - 2) << str(o.message);
        EXPECT_LE(o.line, lineOf(good, c.from) + 8) << str(o.message);
    }
}

TEST(DxfCorrupt, TruncatedFilesAreRefused)
{
    QList<QPair<QString, QByteArray>> files;
    files << qMakePair(QStringLiteral("example.dxf"), readAll(examplePath()));
    files << qMakePair(QStringLiteral("r12"), r12Fixture());
    if (haveSamples())
        for (const QString &n : sampleNames())
            files << qMakePair(n, readAll(samplesDir() + QLatin1Char('/') + n));
    for (const auto &[name, bytes] : files) {
        SCOPED_TRACE(str(name));
        const qsizetype end = eofGroup(bytes);
        ASSERT_GT(end, 40);
        for (const qsizetype cut : {qsizetype(1), qsizetype(7), qsizetype(30), end / 7, end / 3,
                                    end / 2, end - end / 5, end - 3, end - 1}) {
            SCOPED_TRACE(cut);
            const Outcome o = tryLoad(bytes.left(cut), name);
            EXPECT_FALSE(o.loaded);
        }
    }
}

TEST(DxfCorrupt, DamagedBytesNeverCrash)
{
    // Random damage: the load either succeeds or reports a DxfError; the
    // sanitizer build checks the memory side.
    QList<QByteArray> inputs{readAll(examplePath()), r12Fixture()};
    if (haveSamples())
        inputs << readAll(samplesDir() + QStringLiteral("/acadsharp_sample_AC1015_binary.dxf"))
               << readAll(samplesDir() + QStringLiteral("/libredwg_gh109_1.dxf"));
    std::mt19937 rng(12345);
    for (const QByteArray &input : inputs) {
        for (int round = 0; round < 40; ++round) {
            QByteArray b = input;
            std::uniform_int_distribution<qsizetype> pos(0, b.size() - 1);
            std::uniform_int_distribution<int> byte(0, 255);
            const int n = 1 + round % 8;
            for (int k = 0; k < n; ++k)
                b[pos(rng)] = char(byte(rng));
            try {
                const auto d = Drawing::fromBytes(b);
                // Whatever loaded can be looked at and written.
                for (int i = 0; i < d->layerCount(); ++i)
                    d->layerObjectCount(d->layerAt(i));
                for (host::EntityId e : d->topLevelEntities())
                    d->entityGeometry(e);
                d->toBytes();
            } catch (const DxfError &) {
            }
        }
    }
}

TEST(DxfCorrupt, LoadErrorsNameTheFile)
{
    QTemporaryDir tmp;
    const QString missing = tmp.filePath(QStringLiteral("missing.dxf"));
    try {
        Drawing::load(missing);
        FAIL() << "loaded a missing file";
    } catch (const DxfError &e) {
        EXPECT_EQ(e.file(), missing);
        EXPECT_TRUE(e.description().contains(missing));
    }
    const QString bad = tmp.filePath(QStringLiteral("bad.dxf"));
    QByteArray b = r12Fixture();
    b.replace("  0\nINSERT\n", "  0\nINSERT\nx\n");
    writeAll(bad, b);
    try {
        Drawing::load(bad);
        FAIL() << "loaded a bad file";
    } catch (const DxfError &e) {
        EXPECT_EQ(e.file(), bad);
        EXPECT_GT(e.line(), 50);
        EXPECT_TRUE(e.description().contains(QStringLiteral("line %1").arg(e.line())));
    }
}

TEST(DxfSave, KeepsTheOldFileAsBak)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("plan.dxf"));
    const QByteArray original = r12Fixture();
    writeAll(path, original);
    auto d = Drawing::load(path);
    d->setLayerColor(d->findLayer(QStringLiteral("WALL")), 9);
    d->save(path);
    EXPECT_FALSE(d->isDirty());
    EXPECT_TRUE(readAll(path + QStringLiteral(".bak")) == original);
    EXPECT_EQ(Drawing::load(path)->layerColor(Drawing::load(path)->findLayer(QStringLiteral("WALL"))), 9);
    // Nothing else is left in the folder.
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("plan.dxf"), QStringLiteral("plan.dxf.bak")}));
}

TEST(DxfSave, FailureLeavesTheOriginalAndSaysWhy)
{
    QTemporaryDir tmp;
    auto d = Drawing::fromBytes(r12Fixture());
    d->setLayerColor(d->findLayer(QStringLiteral("WALL")), 9);

    // A folder that does not exist.
    const QString nowhere = tmp.filePath(QStringLiteral("no/such/folder/plan.dxf"));
    try {
        d->save(nowhere);
        FAIL() << "saved into a missing folder";
    } catch (const acad::AcadError &e) {
        EXPECT_EQ(e.number(), acad::err::FileError);
        EXPECT_TRUE(e.description().contains(nowhere)) << str(e.description());
        EXPECT_TRUE(e.description().contains(QLatin1String("No such file"))) << str(e.description());
    }
    EXPECT_TRUE(d->isDirty());

    // The target is a folder: it stays, and no temporary file is left.
    const QString folder = tmp.filePath(QStringLiteral("plan.dxf"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_EQ(errorOf([&] { d->save(folder); }), acad::err::FileError);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList());

    // A read-only folder (not for root, who may write anyway).
    if (::geteuid() != 0) {
        const QString ro = tmp.filePath(QStringLiteral("ro"));
        ASSERT_TRUE(QDir().mkdir(ro));
        const QString inRo = ro + QStringLiteral("/plan.dxf");
        writeAll(inRo, r12Fixture());
        QFile::setPermissions(ro, QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_EQ(errorOf([&] { d->save(inRo); }), acad::err::FileError);
        QFile::setPermissions(ro, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_TRUE(readAll(inRo) == r12Fixture());
        // A write-protected file is not replaced.
        QFile::setPermissions(inRo, QFile::ReadOwner);
        EXPECT_EQ(errorOf([&] { d->save(inRo); }), acad::err::FileError);
        EXPECT_TRUE(readAll(inRo) == r12Fixture());
    }
}
