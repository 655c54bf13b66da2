// The lamoria-dxf command-line tool.
#include "dxf_test_util.h"

#include <QCoreApplication>
#include <QFileInfo>

using namespace dxftest;
using host::Drawing;

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out, err;
};

QString tool()
{
    // tests/test_host and src/lamoria-dxf in the same build tree.
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../src/lamoria-dxf");
}

ToolRun run(const QStringList &args)
{
    ToolRun r;
    QProcess p;
    p.start(tool(), args);
    if (!p.waitForFinished(120000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

class DxfCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFileInfo(tool()).isExecutable())
            GTEST_SKIP() << "lamoria-dxf is not built at " << str(tool());
        in = tmp.filePath(QStringLiteral("in.dxf"));
        out = tmp.filePath(QStringLiteral("out.dxf"));
        writeAll(in, readAll(examplePath()));
    }
    QTemporaryDir tmp;
    QString in, out;
};

} // namespace

TEST_F(DxfCli, InfoListsVersionEncodingLayersAndCurrent)
{
    const ToolRun r = run({QStringLiteral("info"), in});
    ASSERT_EQ(r.exitCode, 0) << str(r.err);
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(str(lines[0]), "version: AC1015 (R2000)");
    EXPECT_EQ(str(lines[1]), "encoding: ANSI_932");
    EXPECT_EQ(str(lines.last()), "current layer: 0");
    EXPECT_TRUE(lines.contains(QStringLiteral("A-WALL-NEW\ttrue\tfalse\tfalse\ttrue\tfalse\t7\tContinuous\t50\t3")));
    EXPECT_TRUE(lines.contains(QStringLiteral("E-POWR-NEW\ttrue\ttrue\tfalse\ttrue\tfalse\t140\tContinuous\t-3\t6")));
    EXPECT_TRUE(lines.contains(QStringLiteral("A-壁-既存\ttrue\tfalse\tfalse\ttrue\tfalse\t9\tContinuous\t-3\t1")));
    EXPECT_EQ(lines.size(), 2 + Drawing::load(in)->layerCount() + 1);
}

TEST_F(DxfCli, RoundtripSetAndRename)
{
    ToolRun r = run({QStringLiteral("roundtrip"), in, out});
    ASSERT_EQ(r.exitCode, 0) << str(r.err);
    EXPECT_TRUE(readAll(out) == readAll(in));

    const struct {
        QStringList args;
        std::function<bool(Drawing &)> check;
    } cases[] = {
        {{"A-DOOR-NEW", "LayerOn", "false"}, [](Drawing &d) { return !d.layerOn(d.findLayer("A-DOOR-NEW")); }},
        {{"a-door-new", "Freeze", "true"}, [](Drawing &d) { return d.layerFrozen(d.findLayer("A-DOOR-NEW")); }},
        {{"A-DOOR-NEW", "Lock", "true"}, [](Drawing &d) { return d.layerLocked(d.findLayer("A-DOOR-NEW")); }},
        {{"A-DOOR-NEW", "Plottable", "false"}, [](Drawing &d) { return !d.layerPlottable(d.findLayer("A-DOOR-NEW")); }},
        {{"A-DOOR-NEW", "ViewportDefault", "true"},
         [](Drawing &d) { return d.layerFrozenInNewViewports(d.findLayer("A-DOOR-NEW")); }},
        {{"A-DOOR-NEW", "Color", "200"}, [](Drawing &d) { return d.layerColor(d.findLayer("A-DOOR-NEW")) == 200; }},
        {{"A-DOOR-NEW", "Linetype", "DASHED"},
         [](Drawing &d) { return d.layerLinetype(d.findLayer("A-DOOR-NEW")) == QLatin1String("DASHED"); }},
        {{"A-DOOR-NEW", "Lineweight", "35"}, [](Drawing &d) { return d.layerLineweight(d.findLayer("A-DOOR-NEW")) == 35; }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(str(c.args.join(QLatin1Char(' '))));
        QFile::remove(out);
        r = run(QStringList{QStringLiteral("set"), in, out} + c.args);
        ASSERT_EQ(r.exitCode, 0) << str(r.err);
        const auto d = Drawing::load(out);
        EXPECT_TRUE(c.check(*d));
    }

    r = run({QStringLiteral("rename"), in, out, QStringLiteral("A-GLAZ-NEW"), QStringLiteral("A-窓-新設")});
    ASSERT_EQ(r.exitCode, 0) << str(r.err);
    const auto d = Drawing::load(out);
    EXPECT_EQ(d->findLayer(QStringLiteral("A-GLAZ-NEW")), host::NoLayer);
    EXPECT_EQ(d->layerObjectCount(d->findLayer(QStringLiteral("A-窓-新設"))), 9);
}

TEST_F(DxfCli, ErrorsGoToStderrAndLeaveOutAlone)
{
    const QByteArray previous("previous contents");
    writeAll(out, previous);
    QByteArray broken = readAll(examplePath());
    broken.replace("ENTITIES\r\n", "ENTITIES\r\nxx\r\n");
    const QString bad = tmp.filePath(QStringLiteral("bad.dxf"));
    writeAll(bad, broken);
    const struct {
        const char *what;
        QStringList args;
        QString mustName;
    } cases[] = {
        {"bad DXF", {"roundtrip", bad, out}, bad + QStringLiteral(": line ")},
        {"missing input", {"info", tmp.filePath("none.dxf")}, tmp.filePath("none.dxf")},
        {"unknown layer", {"set", in, out, "NOPE", "LayerOn", "false"}, in},
        {"bad boolean", {"set", in, out, "A-DOOR-NEW", "Lock", "yes"}, in},
        {"bad property", {"set", in, out, "A-DOOR-NEW", "Colour", "1"}, in},
        {"colour out of range", {"set", in, out, "A-DOOR-NEW", "Color", "256"}, in},
        {"freeze the current layer", {"set", in, out, "0", "Freeze", "true"}, in},
        {"rename to an existing name", {"rename", in, out, "A-DOOR-NEW", "a-glaz-new"}, in},
        {"unwritable output", {"roundtrip", in, tmp.filePath("no/such/dir/out.dxf")}, tmp.filePath("no/such/dir/out.dxf")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const ToolRun r = run(c.args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(c.mustName)) << str(r.err);
        EXPECT_TRUE(readAll(out) == previous);
    }
    EXPECT_EQ(run({QStringLiteral("frobnicate")}).exitCode, 2);
}
