// Round trips: unchanged drawings save byte for byte; changed ones are read
// back by ezdxf with the new layer states, no audit errors and the same
// objects.
#include "dxf_test_util.h"

#include <QFileInfo>

#include <set>

using namespace dxftest;
using host::Drawing;
using host::LayerId;
using host::NoLayer;

namespace {

// The bytes up to and including the EOF group: what a save must give back.
QByteArray upToEof(const QByteArray &in)
{
    if (in.startsWith("AutoCAD Binary DXF"))
        return in; // the binary samples end at EOF
    qsizetype at = -1;
    for (qsizetype from = 0;;) {
        const qsizetype i = in.indexOf("\nEOF", from);
        if (i < 0)
            break;
        // "EOF" must be the value of a group 0.
        const qsizetype lineStart = in.lastIndexOf('\n', i - 1) + 1;
        if (in.mid(lineStart, i - lineStart).trimmed() == "0") {
            at = i + 4;
            break;
        }
        from = i + 1;
    }
    if (at < 0)
        return in;
    if (at < in.size() && in[at] == '\r')
        ++at;
    if (at < in.size() && in[at] == '\n')
        ++at;
    return in.left(at);
}

} // namespace

TEST(DxfRoundtrip, EverySampleSavesByteIdentical)
{
    if (!haveSamples())
        GTEST_SKIP() << "no shared samples at " << str(samplesDir());
    QTemporaryDir tmp;
    const QStringList names = sampleNames();
    ASSERT_FALSE(names.isEmpty());
    for (const QString &name : names) {
        SCOPED_TRACE(str(name));
        const QByteArray in = readAll(samplesDir() + QLatin1Char('/') + name);
        std::unique_ptr<Drawing> dwg;
        ASSERT_NO_THROW(dwg = Drawing::load(samplesDir() + QLatin1Char('/') + name));
        EXPECT_FALSE(dwg->isDirty());
        const QString out = tmp.filePath(name);
        dwg->save(out);
        const QByteArray saved = readAll(out);
        EXPECT_TRUE(saved == upToEof(in)) << "saved " << saved.size() << " bytes of "
                                          << upToEof(in).size();
        EXPECT_TRUE(dwg->toBytes() == saved);
        EXPECT_EQ(dwg->isBinary(), in.startsWith("AutoCAD Binary DXF"));
    }
}

TEST(DxfRoundtrip, BytesAfterEofAreDropped)
{
    const QByteArray body = r12Fixture();
    const auto dwg = Drawing::fromBytes(body + "garbage\nafter\n  0\nEOF\n");
    EXPECT_TRUE(dwg->toBytes() == body);
}

TEST(DxfRoundtrip, OwnDrawingsSaveByteIdentical)
{
    const QByteArray example = readAll(examplePath());
    ASSERT_FALSE(example.isEmpty()) << "missing " << str(examplePath());
    struct Case {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"example", example},
        {"template", Drawing::newDrawingTemplate()},
        {"r12 fixture", r12Fixture()},
        {"crlf r12 fixture", QByteArray(r12Fixture()).replace("\n", "\r\n")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const auto dwg = Drawing::fromBytes(c.bytes);
        EXPECT_TRUE(dwg->toBytes() == c.bytes);
    }
}

TEST(DxfRoundtrip, NewDrawingIsValidForEzdxf)
{
    if (!haveEzdxf())
        GTEST_SKIP() << "python3-ezdxf is not installed";
    QTemporaryDir tmp;
    const auto dwg = Drawing::createNew();
    EXPECT_EQ(str(dwg->acadVersion()), "AC1015");
    EXPECT_FALSE(dwg->isDirty());
    ASSERT_EQ(dwg->layerCount(), 1);
    EXPECT_EQ(str(dwg->layerName(dwg->layerAt(0))), "0");
    EXPECT_EQ(dwg->currentLayer(), dwg->layerAt(0));
    EXPECT_EQ(dwg->linetypeNames(), (QStringList{"ByBlock", "ByLayer", "Continuous"}));
    const auto layouts = dwg->layouts();
    ASSERT_EQ(layouts.size(), 2u);
    EXPECT_TRUE(layouts[0].isModel);
    EXPECT_EQ(str(layouts[1].name), "Layout1");
    ASSERT_EQ(dwg->viewports(1).size(), 1u);
    EXPECT_EQ(dwg->viewports(1)[0].id, 1);

    // A new layer must be a valid record too.
    dwg->addLayer(QStringLiteral("A-WALL-NEW"));
    dwg->setCurrentLayer(dwg->findLayer(QStringLiteral("A-WALL-NEW")));
    const QString path = tmp.filePath(QStringLiteral("new.dxf"));
    dwg->save(path);
    const EzdxfView v = ezdxfRead(path);
    ASSERT_TRUE(v.ran) << str(v.failure);
    EXPECT_FALSE(v.auditErrors) << str(v.auditMessages.join(QLatin1Char('\n')));
    EXPECT_EQ(str(v.clayer), "A-WALL-NEW");
    EXPECT_FALSE(v.layer(QStringLiteral("A-WALL-NEW")).isEmpty());
}

namespace {

// Layer states as (name, on, frozen, locked, plot, vpdefault, colour,
// linetype upper case, lineweight), to compare with ezdxf.
QStringList modelStates(const Drawing &d)
{
    QStringList out;
    for (int i = 0; i < d.layerCount(); ++i) {
        const LayerId l = d.layerAt(i);
        out << QStringLiteral("%1 %2%3%4%5%6 %7 %8 %9")
                   .arg(d.layerName(l))
                   .arg(int(d.layerOn(l)))
                   .arg(int(d.layerFrozen(l)))
                   .arg(int(d.layerLocked(l)))
                   .arg(int(d.layerPlottable(l)))
                   .arg(int(d.layerFrozenInNewViewports(l)))
                   .arg(d.layerColor(l))
                   .arg(d.layerLinetype(l).toUpper())
                   .arg(d.layerLineweight(l));
    }
    return out;
}

QStringList ezdxfStates(const EzdxfView &v)
{
    QStringList out;
    for (const auto &x : v.layers) {
        const QJsonArray a = x.toArray();
        out << QStringLiteral("%1 %2%3%4%5%6 %7 %8 %9")
                   .arg(a[0].toString())
                   .arg(int(a[1].toBool()))
                   .arg(int(a[2].toBool()))
                   .arg(int(a[3].toBool()))
                   .arg(int(a[4].toBool()))
                   .arg(int(a[5].toBool()))
                   .arg(a[6].toInt())
                   .arg(a[7].toString().toUpper())
                   .arg(a[8].toInt());
    }
    return out;
}

// Changes every kind of layer state the program writes, on whatever layers
// the drawing offers, and returns what it did.
QStringList changeLayers(Drawing &d)
{
    QStringList did;
    const LayerId current = d.currentLayer();
    // Layers by use: a used one to rename, unused ones to change.
    LayerId used = NoLayer;
    std::vector<LayerId> others;
    for (int i = 0; i < d.layerCount(); ++i) {
        const LayerId l = d.layerAt(i);
        const QString n = d.layerName(l);
        if (n == QLatin1String("0") || d.layerIsXref(l) || l == current)
            continue;
        if (used == NoLayer && d.layerObjectCount(l) > 0)
            used = l;
        else
            others.push_back(l);
    }
    if (used != NoLayer) {
        const QString to = d.layerName(used) + QStringLiteral("_RENAMED");
        d.setLayerName(used, to);
        did << QStringLiteral("rename ") + to;
    }
    const bool r2000 = d.acadVersion() >= QLatin1String("AC1015");
    QString dashed;
    for (const QString &lt : d.linetypeNames())
        if (lt.compare(QLatin1String("ByLayer"), Qt::CaseInsensitive) != 0
            && lt.compare(QLatin1String("ByBlock"), Qt::CaseInsensitive) != 0
            && lt.compare(QLatin1String("Continuous"), Qt::CaseInsensitive) != 0)
            dashed = lt;
    for (size_t k = 0; k < others.size() && k < 8; ++k) {
        const LayerId l = others[k];
        switch (k) {
        case 0: d.setLayerFrozen(l, !d.layerFrozen(l)); break;
        case 1: d.setLayerOn(l, !d.layerOn(l)); break;
        case 2: d.setLayerColor(l, d.layerColor(l) == 42 ? 43 : 42); break;
        case 3: d.setLayerLocked(l, !d.layerLocked(l)); break;
        case 4: d.setLayerFrozenInNewViewports(l, !d.layerFrozenInNewViewports(l)); break;
        case 5:
            if (r2000)
                d.setLayerPlottable(l, !d.layerPlottable(l));
            break;
        case 6:
            if (r2000)
                d.setLayerLineweight(l, d.layerLineweight(l) == 50 ? 25 : 50);
            break;
        case 7:
            if (!dashed.isEmpty())
                d.setLayerLinetype(l, dashed);
            break;
        }
        did << d.layerName(l);
    }
    // A new layer made current, and an unused one deleted.
    const LayerId added = d.addLayer(QStringLiteral("LAMORIA-NEW"));
    d.setLayerColor(added, 5);
    d.setCurrentLayer(added);
    for (int i = d.layerCount() - 1; i >= 0; --i) {
        const LayerId l = d.layerAt(i);
        if (l != added && d.layerObjectCount(l) == 0
            && d.layerName(l).compare(QLatin1String("Defpoints"), Qt::CaseInsensitive) != 0
            && d.layerName(l) != QLatin1String("0") && !d.layerIsXref(l)) {
            did << QStringLiteral("delete ") + d.layerName(l);
            d.deleteLayer(l);
            break;
        }
    }
    return did;
}

} // namespace

TEST(DxfRoundtrip, AfterLayerChangesEzdxfSeesTheNewStates)
{
    if (!haveEzdxf())
        GTEST_SKIP() << "python3-ezdxf is not installed";
    QTemporaryDir tmp;
    QStringList files;
    files << examplePath();
    if (haveSamples())
        for (const QString &n : sampleNames())
            files << samplesDir() + QLatin1Char('/') + n;
    for (const QString &file : files) {
        SCOPED_TRACE(str(file));
        const auto dwg = Drawing::load(file);
        if (dwg->layerCount() == 0)
            continue; // no layer table to change
        const EzdxfView before = ezdxfRead(file);
        ASSERT_TRUE(before.ran) << str(before.failure);
        const QStringList did = changeLayers(*dwg);
        EXPECT_TRUE(dwg->isDirty());
        const QString out = tmp.filePath(QFileInfo(file).fileName());
        dwg->save(out);
        EXPECT_EQ(readAll(out).startsWith("AutoCAD Binary DXF"), dwg->isBinary());
        const EzdxfView after = ezdxfRead(out);
        ASSERT_TRUE(after.ran) << str(after.failure);
        EXPECT_FALSE(after.auditErrors) << str(after.auditMessages.join(QLatin1Char('\n')));
        EXPECT_EQ(after.entities, before.entities);
        EXPECT_EQ(str(after.clayer), "LAMORIA-NEW");
        // Every layer as the model has it (ezdxf may add "Defpoints" or
        // missing defaults: compare the model's layers).
        const QStringList ours = modelStates(*dwg);
        const QStringList theirs = ezdxfStates(after);
        for (const QString &s : ours)
            EXPECT_TRUE(theirs.contains(s)) << str(s) << " (changed: " << str(did.join(", ")) << ")";
        // And what a fresh load of our file reports agrees.
        const auto again = Drawing::load(out);
        EXPECT_EQ(modelStates(*again), ours);
    }
}

TEST(DxfRoundtrip, RenamedLayerKeepsItsObjectsInEzdxf)
{
    if (!haveEzdxf())
        GTEST_SKIP() << "python3-ezdxf is not installed";
    QTemporaryDir tmp;
    const auto dwg = Drawing::load(examplePath());
    const LayerId cols = dwg->findLayer(QStringLiteral("S-COLS-EXST"));
    ASSERT_NE(cols, NoLayer);
    const int count = dwg->layerObjectCount(cols);
    dwg->setLayerName(cols, QStringLiteral("S-柱-既存"));
    const QString out = tmp.filePath(QStringLiteral("renamed.dxf"));
    dwg->save(out);
    // Objects on the layer, also inside blocks, by ezdxf's count.
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"),
             QStringLiteral("import sys, ezdxf\n"
                            "doc = ezdxf.readfile(sys.argv[1])\n"
                            "n = sum(1 for b in doc.blocks for e in b if e.dxf.layer == sys.argv[2])\n"
                            "o = sum(1 for b in doc.blocks for e in b if e.dxf.layer == sys.argv[3])\n"
                            "print(n, o)\n"),
             out, QStringLiteral("S-柱-既存"), QStringLiteral("S-COLS-EXST")});
    ASSERT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.readAllStandardOutput().trimmed().toStdString(),
              (QString::number(count) + QStringLiteral(" 0")).toStdString());
}
