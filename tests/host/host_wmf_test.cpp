// The placeable metafile writer, checked by libwmf's converter.
#include "host/wmf_writer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

host::Primitive line(std::vector<QPointF> pts, bool closed = false)
{
    host::Primitive p;
    p.kind = host::Primitive::Kind::Polyline;
    p.points = std::move(pts);
    p.closed = closed;
    p.color = qRgb(255, 0, 0);
    return p;
}

host::Primitive circle(QPointF c, double r, double a0 = 0, double a1 = 360, bool arc = false)
{
    host::Primitive p;
    p.kind = arc ? host::Primitive::Kind::Arc : host::Primitive::Kind::Circle;
    p.center = c;
    p.radius = r;
    p.startAngle = a0;
    p.endAngle = a1;
    p.color = qRgb(0, 255, 0);
    return p;
}

host::Primitive text(QPointF at, const QString &s, double rotation = 0)
{
    host::Primitive p;
    p.kind = host::Primitive::Kind::Text;
    p.position = at;
    p.text = s;
    p.height = 5;
    p.rotation = rotation;
    p.color = qRgb(255, 255, 255);
    return p;
}

class WmfWriter : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("wmf2svg")).isEmpty())
            GTEST_SKIP() << "wmf2svg (libwmf-bin) is not installed";
    }
    // Writes, checks the placeable header, converts; the SVG text.
    QString convert(const host::Primitives &prims)
    {
        const QString wmf = m_dir.filePath(QStringLiteral("p.wmf"));
        QString error;
        EXPECT_TRUE(host::writePlaceableWmf(wmf, prims, &error)) << error.toStdString();
        QFile f(wmf);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray b = f.readAll();
        EXPECT_GE(b.size(), 22 + 18);
        auto word = [&](int i) { return quint16(quint8(b[i]) | (quint8(b[i + 1]) << 8)); };
        quint16 sum = 0;
        for (int i = 0; i < 20; i += 2)
            sum ^= word(i);
        EXPECT_EQ(sum, word(20)) << "header checksum";
        EXPECT_EQ(word(0), 0xCDD7);
        EXPECT_EQ(word(2), 0x9AC6);
        // The size field of the metafile header counts every word after the
        // placeable header.
        const quint32 words = word(22 + 6) | (quint32(word(22 + 8)) << 16);
        EXPECT_EQ(qsizetype(words) * 2, b.size() - 22);
        const QString svg = wmf + QStringLiteral(".svg");
        QProcess p;
        p.start(QStringLiteral("wmf2svg"), {QStringLiteral("-o"), svg, wmf});
        p.waitForFinished(30000);
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        QFile s(svg);
        if (!s.open(QIODevice::ReadOnly))
            return QString();
        return QString::fromUtf8(s.readAll());
    }
    QTemporaryDir m_dir;
};

TEST_F(WmfWriter, EveryPrimitiveKindConverts)
{
    const QString svg = convert({line({{0, 0}, {100, 0}}), line({{0, 0}, {50, 50}, {100, 0}}, true),
                                 circle({50, 30}, 10), circle({20, 40}, 8, 0, 90, true),
                                 text({10, 10}, QStringLiteral("WALL")),
                                 text({10, 60}, QStringLiteral("壁 A-WALL"), 90)});
    ASSERT_FALSE(svg.isEmpty());
    EXPECT_GE(svg.count(QStringLiteral("<text")), 2) << svg.toStdString();
    EXPECT_TRUE(svg.contains(QStringLiteral("WALL")));
    EXPECT_TRUE(svg.contains(QStringLiteral("<ellipse")) || svg.contains(QStringLiteral("<path")));
}

TEST_F(WmfWriter, EmptyAndDegenerateInputsStillMakeAValidFile)
{
    EXPECT_FALSE(convert({}).isEmpty());
    EXPECT_FALSE(convert({line({{5, 5}, {5, 5}})}).isEmpty()); // a point
    // A polyline longer than one record holds is split.
    std::vector<QPointF> many;
    for (int i = 0; i < 20000; ++i)
        many.emplace_back(i, (i % 2) * 10);
    EXPECT_FALSE(convert({line(many, true)}).isEmpty());
}

TEST_F(WmfWriter, FailedWriteLeavesNoFile)
{
    const QString target = m_dir.filePath(QStringLiteral("missing/dir/p.wmf"));
    QString error;
    EXPECT_FALSE(host::writePlaceableWmf(target, {line({{0, 0}, {1, 1}})}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(target));
}

} // namespace
