// The layer rules of the drawing model as a table of cases, and what a
// change writes into the file.
#include "dxf_test_util.h"

using namespace dxftest;
using host::Drawing;
using host::EntityId;
using host::LayerId;
using host::NoEntity;
using host::NoLayer;
namespace err = acad::err;

namespace {

struct RuleCase {
    const char *what;
    std::function<void(Drawing &)> call;
    long error; // 0: accepted
};

// The example drawing (R2000, ANSI_932) with current layer A-WALL-NEW, and
// the R12 fixture.
std::unique_ptr<Drawing> example()
{
    auto d = Drawing::load(examplePath());
    d->setCurrentLayer(d->findLayer(QStringLiteral("A-WALL-NEW")));
    return d;
}

LayerId L(Drawing &d, const char *name)
{
    const LayerId l = d.findLayer(QString::fromUtf8(name));
    EXPECT_NE(l, NoLayer) << name;
    return l;
}

} // namespace

TEST(DxfLayerRules, TableOfCases)
{
    const RuleCase cases[] = {
        // Names
        {"add empty name", [](Drawing &d) { d.addLayer(QString()); }, err::InvalidInput},
        {"add 255 characters", [](Drawing &d) { d.addLayer(QString(255, QLatin1Char('x'))); }, 0},
        {"add 256 characters", [](Drawing &d) { d.addLayer(QString(256, QLatin1Char('x'))); },
         err::InvalidInput},
        {"add Japanese name", [](Drawing &d) { d.addLayer(QStringLiteral("設備-照明")); }, 0},
        {"add name with spaces and -", [](Drawing &d) { d.addLayer(QStringLiteral("A WALL-x")); }, 0},
        // Rename
        {"rename 0", [](Drawing &d) { d.setLayerName(L(d, "0"), QStringLiteral("ZERO")); },
         err::InvalidInput},
        {"rename to another layer's name, other case",
         [](Drawing &d) { d.setLayerName(L(d, "A-DOOR-NEW"), QStringLiteral("a-glaz-new")); },
         err::DuplicateKey},
        {"rename to own name, other case",
         [](Drawing &d) { d.setLayerName(L(d, "A-DOOR-NEW"), QStringLiteral("a-door-new")); }, 0},
        {"rename to invalid name",
         [](Drawing &d) { d.setLayerName(L(d, "A-DOOR-NEW"), QStringLiteral("A:DOOR")); },
         err::InvalidInput},
        {"rename to empty", [](Drawing &d) { d.setLayerName(L(d, "A-DOOR-NEW"), QString()); },
         err::InvalidInput},
        {"rename current layer",
         [](Drawing &d) { d.setLayerName(L(d, "A-WALL-NEW"), QStringLiteral("A-WALL-NEU")); }, 0},
        // Delete
        {"delete 0", [](Drawing &d) { d.deleteLayer(L(d, "0")); }, err::LockedOrInUse},
        {"delete Defpoints", [](Drawing &d) { d.deleteLayer(L(d, "defpoints")); }, err::LockedOrInUse},
        {"delete current layer", [](Drawing &d) { d.deleteLayer(L(d, "A-WALL-NEW")); },
         err::LockedOrInUse},
        {"delete layer with objects", [](Drawing &d) { d.deleteLayer(L(d, "A-GLAZ-NEW")); },
         err::LockedOrInUse},
        {"delete layer with objects only inside a block",
         [](Drawing &d) {
             // Move the model-space columns away; the block COL-400 still
             // has objects on S-COLS-EXST.
             for (EntityId e : d.layerEntities(L(d, "S-COLS-EXST")))
                 d.setEntityLayer(e, QStringLiteral("0"));
             EXPECT_TRUE(d.layerEntities(L(d, "S-COLS-EXST")).empty());
             d.deleteLayer(L(d, "S-COLS-EXST"));
         },
         err::LockedOrInUse},
        {"delete unused layer",
         [](Drawing &d) { d.deleteLayer(d.addLayer(QStringLiteral("TEMP"))); }, 0},
        // Current layer and freezing
        {"freeze current layer", [](Drawing &d) { d.setLayerFrozen(L(d, "A-WALL-NEW"), true); },
         err::InvalidLayer},
        {"thaw current layer", [](Drawing &d) { d.setLayerFrozen(L(d, "A-WALL-NEW"), false); }, 0},
        {"make frozen layer current", [](Drawing &d) { d.setCurrentLayer(L(d, "E-POWR-NEW")); },
         err::InvalidLayer},
        {"turn current layer off", [](Drawing &d) { d.setLayerOn(L(d, "A-WALL-NEW"), false); }, 0},
        {"lock current layer", [](Drawing &d) { d.setLayerLocked(L(d, "A-WALL-NEW"), true); }, 0},
        // Colour, lineweight, linetype
        {"colour 0", [](Drawing &d) { d.setLayerColor(L(d, "A-DOOR-NEW"), 0); }, err::InvalidInput},
        {"colour 256", [](Drawing &d) { d.setLayerColor(L(d, "A-DOOR-NEW"), 256); }, err::InvalidInput},
        {"colour 1", [](Drawing &d) { d.setLayerColor(L(d, "A-DOOR-NEW"), 1); }, 0},
        {"colour 255", [](Drawing &d) { d.setLayerColor(L(d, "A-DOOR-NEW"), 255); }, 0},
        {"lineweight 7", [](Drawing &d) { d.setLayerLineweight(L(d, "A-DOOR-NEW"), 7); },
         err::InvalidInput},
        {"lineweight -1 (by layer)", [](Drawing &d) { d.setLayerLineweight(L(d, "A-DOOR-NEW"), -1); },
         err::InvalidInput},
        {"lineweight 211", [](Drawing &d) { d.setLayerLineweight(L(d, "A-DOOR-NEW"), 211); }, 0},
        {"lineweight -3", [](Drawing &d) { d.setLayerLineweight(L(d, "A-WALL-NEW"), -3); }, 0},
        {"linetype not loaded",
         [](Drawing &d) { d.setLayerLinetype(L(d, "A-DOOR-NEW"), QStringLiteral("DASHDOT")); },
         err::KeyNotFound},
        {"linetype ByLayer",
         [](Drawing &d) { d.setLayerLinetype(L(d, "A-DOOR-NEW"), QStringLiteral("ByLayer")); },
         err::KeyNotFound},
        {"linetype loaded, other case",
         [](Drawing &d) { d.setLayerLinetype(L(d, "A-DOOR-NEW"), QStringLiteral("dashed")); }, 0},
        // Erased layers and indexes
        {"property of a deleted layer",
         [](Drawing &d) {
             const LayerId l = d.addLayer(QStringLiteral("GONE"));
             d.deleteLayer(l);
             d.layerOn(l);
         },
         err::ObjectErased},
        {"layer index out of range", [](Drawing &d) { d.layerAt(d.layerCount()); }, err::InvalidIndex},
        // Entities
        {"object to a missing layer",
         [](Drawing &d) { d.setEntityLayer(d.layerEntities(L(d, "A-GLAZ-NEW"))[0], QStringLiteral("NOPE")); },
         err::KeyNotFound},
        {"object colour 257",
         [](Drawing &d) { d.setEntityColor(d.layerEntities(L(d, "A-GLAZ-NEW"))[0], 257); },
         err::InvalidInput},
        {"object linetype not loaded",
         [](Drawing &d) {
             d.setEntityLinetype(d.layerEntities(L(d, "A-GLAZ-NEW"))[0], QStringLiteral("DASHDOT"));
         },
         err::KeyNotFound},
        {"text of a line",
         [](Drawing &d) { d.setEntityText(d.layerEntities(L(d, "A-GLAZ-NEW"))[0], QStringLiteral("x")); },
         err::InvalidInput},
    };
    for (const RuleCase &c : cases) {
        SCOPED_TRACE(c.what);
        auto d = example();
        EXPECT_EQ(errorOf([&] { c.call(*d); }), c.error);
    }
}

TEST(DxfLayerRules, EveryForbiddenCharacterIsRefused)
{
    auto d = example();
    const int before = d->layerCount();
    for (QChar c : QStringLiteral("<>/\\\":;?*|,=`")) {
        SCOPED_TRACE(QString(c).toStdString());
        EXPECT_EQ(errorOf([&] { d->addLayer(QStringLiteral("A") + c + QStringLiteral("B")); }),
                  err::InvalidInput);
        EXPECT_EQ(errorOf([&] { d->setLayerName(L(*d, "A-DOOR-NEW"), QStringLiteral("X") + c); }),
                  err::InvalidInput);
    }
    EXPECT_EQ(d->layerCount(), before);
    EXPECT_NE(d->findLayer(QStringLiteral("A-DOOR-NEW")), NoLayer);
}

TEST(DxfLayerRules, NamesAreFoundAndAddedIgnoringCase)
{
    auto d = example();
    const LayerId wall = L(*d, "A-WALL-NEW");
    EXPECT_EQ(d->findLayer(QStringLiteral("a-wall-new")), wall);
    EXPECT_EQ(d->findLayer(QStringLiteral("a-壁-既存")), L(*d, "A-壁-既存"));
    const int count = d->layerCount();
    EXPECT_EQ(d->addLayer(QStringLiteral("a-Wall-NEW")), wall);
    EXPECT_EQ(d->layerCount(), count);
    EXPECT_EQ(str(d->layerName(wall)), "A-WALL-NEW");
    EXPECT_EQ(d->findLayer(QStringLiteral("A-WALL")), NoLayer);
    // A case-only rename keeps the layer findable under both spellings.
    d->setLayerName(wall, QStringLiteral("a-wall-new"));
    EXPECT_EQ(d->findLayer(QStringLiteral("A-WALL-NEW")), wall);
    EXPECT_EQ(str(d->layerName(wall)), "a-wall-new");
}

TEST(DxfLayerRules, NewLayerDefaultsAndHandle)
{
    auto d = example();
    const QByteArray before = d->toBytes();
    const LayerId l = d->addLayer(QStringLiteral("Z-NEW-LAYER"));
    EXPECT_TRUE(d->layerOn(l));
    EXPECT_FALSE(d->layerFrozen(l));
    EXPECT_FALSE(d->layerLocked(l));
    EXPECT_TRUE(d->layerPlottable(l));
    EXPECT_EQ(d->layerColor(l), 7);
    EXPECT_EQ(str(d->layerLinetype(l)), "Continuous");
    EXPECT_EQ(d->layerLineweight(l), -3);
    EXPECT_EQ(d->layerIndex(l), d->layerCount() - 1);
    // Reloaded: a record with a fresh handle, owned by the layer table, and
    // $HANDSEED above it.
    const auto again = Drawing::fromBytes(d->toBytes());
    const LayerId m = again->findLayer(QStringLiteral("Z-NEW-LAYER"));
    ASSERT_NE(m, NoLayer);
    const QByteArray bytes = again->toBytes();
    const qsizetype at = bytes.indexOf("\r\nZ-NEW-LAYER\r\n");
    const QByteArray record = bytes.mid(bytes.lastIndexOf("LAYER\r\n", at), at - bytes.lastIndexOf("LAYER\r\n", at));
    EXPECT_TRUE(record.contains("\r\n330\r\n2\r\n")) << record.toStdString();
    EXPECT_TRUE(record.contains("AcDbLayerTableRecord"));
    EXPECT_FALSE(record.contains("{ACAD_XDICTIONARY"));
    const qsizetype h = record.indexOf("  5\r\n") + 5;
    const QByteArray handle = record.mid(h, record.indexOf("\r\n", h) - h);
    // The handle is the old $HANDSEED, which moved past it.
    auto seed = [](const QByteArray &b) {
        const qsizetype s = b.indexOf("$HANDSEED\r\n  5\r\n") + 16;
        return b.mid(s, b.indexOf("\r\n", s) - s).toULongLong(nullptr, 16);
    };
    EXPECT_EQ(handle.toULongLong(nullptr, 16), seed(before));
    EXPECT_EQ(before.count("\r\n  5\r\n" + handle + "\r\n"), 1) << "handle in use";
    EXPECT_GT(seed(bytes), handle.toULongLong(nullptr, 16));
}

TEST(DxfLayerRules, ChangesRewriteOnlyTheirValues)
{
    // Each change against the unchanged file: the lines that differ.
    struct Case {
        const char *what;
        std::function<void(Drawing &)> change;
        QByteArray removed, added; // the one changed stretch
    } cases[] = {
        {"colour keeps the off sign",
         [](Drawing &d) { d.setLayerColor(L(d, "A-WALL-DEMO"), 42); },
         "A-WALL-DEMO\r\n 70\r\n     0\r\n 62\r\n    -1\r\n", "A-WALL-DEMO\r\n 70\r\n     0\r\n 62\r\n   -42\r\n"},
        {"off", [](Drawing &d) { d.setLayerOn(L(d, "A-DOOR-NEW"), false); },
         "A-DOOR-NEW\r\n 70\r\n     0\r\n 62\r\n     3\r\n", "A-DOOR-NEW\r\n 70\r\n     0\r\n 62\r\n    -3\r\n"},
        {"freeze", [](Drawing &d) { d.setLayerFrozen(L(d, "A-DOOR-NEW"), true); },
         "A-DOOR-NEW\r\n 70\r\n     0\r\n", "A-DOOR-NEW\r\n 70\r\n     1\r\n"},
        {"frozen in new viewports off",
         [](Drawing &d) { d.setLayerFrozenInNewViewports(L(d, "M-HVAC-NEW"), false); },
         "M-HVAC-NEW\r\n 70\r\n     2\r\n", "M-HVAC-NEW\r\n 70\r\n     0\r\n"},
        {"lock", [](Drawing &d) { d.setLayerLocked(L(d, "A-DOOR-NEW"), true); },
         "A-DOOR-NEW\r\n 70\r\n     0\r\n", "A-DOOR-NEW\r\n 70\r\n     4\r\n"},
        {"not plotted adds 290",
         [](Drawing &d) { d.setLayerPlottable(L(d, "A-DOOR-NEW"), false); },
         "A-DOOR-NEW\r\n 70\r\n     0\r\n 62\r\n     3\r\n  6\r\nContinuous\r\n370",
         "A-DOOR-NEW\r\n 70\r\n     0\r\n 62\r\n     3\r\n  6\r\nContinuous\r\n290\r\n     0\r\n370"},
        {"plotted again", [](Drawing &d) { d.setLayerPlottable(L(d, "P-PIPE-DEMO"), true); },
         "P-PIPE-DEMO\r\n 70\r\n     0\r\n 62\r\n     5\r\n  6\r\nDASHED\r\n290\r\n     0\r\n",
         "P-PIPE-DEMO\r\n 70\r\n     0\r\n 62\r\n     5\r\n  6\r\nDASHED\r\n290\r\n     1\r\n"},
        {"lineweight", [](Drawing &d) { d.setLayerLineweight(L(d, "A-WALL-NEW"), 25); },
         "Continuous\r\n370\r\n    50\r\n", "Continuous\r\n370\r\n    25\r\n"},
        {"linetype", [](Drawing &d) { d.setLayerLinetype(L(d, "A-DOOR-NEW"), QStringLiteral("hidden")); },
         "     3\r\n  6\r\nContinuous\r\n", "     3\r\n  6\r\nHIDDEN\r\n"},
        {"current layer", [](Drawing &d) { d.setCurrentLayer(L(d, "A-DOOR-NEW")); },
         "$CLAYER\r\n  8\r\n0\r\n", "$CLAYER\r\n  8\r\nA-DOOR-NEW\r\n"},
    };
    const QByteArray original = readAll(examplePath());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        auto d = Drawing::fromBytes(original);
        c.change(*d);
        EXPECT_TRUE(d->isDirty());
        const QByteArray out = d->toBytes();
        const qsizetype at = original.indexOf(c.removed);
        ASSERT_GE(at, 0) << "fixture text not found";
        QByteArray expected = original;
        expected.replace(at, c.removed.size(), c.added);
        EXPECT_TRUE(out == expected) << "the file changed elsewhere too";
    }
}

TEST(DxfLayerRules, NoChangeWhenTheValueIsAlreadySet)
{
    auto d = example();
    const QByteArray before = d->toBytes();
    d->setDirty(false);
    const LayerId l = L(*d, "A-DOOR-NEW");
    d->setLayerOn(l, true);
    d->setLayerFrozen(l, false);
    d->setLayerLocked(l, false);
    d->setLayerPlottable(l, true);
    d->setLayerLinetype(l, QStringLiteral("Continuous"));
    EXPECT_TRUE(d->toBytes() == before);
}

TEST(DxfLayerRules, RenameUpdatesEveryReference)
{
    // R12: objects in blocks, ATTRIB/SEQEND of an INSERT, VERTEX/SEQEND of a
    // POLYLINE, $CLAYER and the viewport's frozen-layer names.
    auto d = Drawing::fromBytes(r12Fixture());
    EXPECT_EQ(str(d->versionName()), "R12");
    EXPECT_EQ(str(d->layerName(d->currentLayer())), "WALL");
    d->setLayerName(d->findLayer(QStringLiteral("wall")), QStringLiteral("MAUER"));
    d->setLayerName(d->findLayer(QStringLiteral("DOOR")), QStringLiteral("TUER"));
    d->setLayerName(d->findLayer(QStringLiteral("INBLOCK")), QStringLiteral("IM-BLOCK"));
    const QByteArray out = d->toBytes();
    for (const char *old : {"\nWALL\n", "\nDOOR\n", "\nINBLOCK\n"})
        EXPECT_FALSE(out.contains(old)) << old;
    EXPECT_EQ(out.count("\nMAUER\n"), 1 /*table*/ + 1 /*$CLAYER*/ + 1 /*LINE*/ + 5 /*POLYLINE..SEQEND*/ + 1 /*viewport*/);
    EXPECT_EQ(out.count("\nTUER\n"), 1 + 3);
    EXPECT_EQ(out.count("\nIM-BLOCK\n"), 2);
    EXPECT_TRUE(out.contains("1003\nMAUER\n1003\nUNUSED\n"));
    // Read back: the same objects on the renamed layers.
    const auto again = Drawing::fromBytes(out);
    EXPECT_EQ(str(again->layerName(again->currentLayer())), "MAUER");
    EXPECT_EQ(again->layerObjectCount(again->findLayer(QStringLiteral("MAUER"))), 2);
    EXPECT_EQ(again->layerObjectCount(again->findLayer(QStringLiteral("IM-BLOCK"))), 1);
    const auto vps = again->viewports(1);
    ASSERT_EQ(vps.size(), 1u);
    ASSERT_EQ(vps[0].frozenLayers.size(), 2u);
    EXPECT_EQ(vps[0].frozenLayers[0], again->findLayer(QStringLiteral("MAUER")));
}

TEST(DxfLayerRules, DeleteDropsViewportEntries)
{
    // R12: the name in the viewport's xdata list.
    {
        auto d = Drawing::fromBytes(r12Fixture());
        EXPECT_EQ(errorOf([&] { d->deleteLayer(d->findLayer(QStringLiteral("INBLOCK"))); }),
                  err::LockedOrInUse);
        EXPECT_EQ(errorOf([&] { d->deleteLayer(d->findLayer(QStringLiteral("XREF|WALL"))); }),
                  err::LockedOrInUse);
        d->deleteLayer(d->findLayer(QStringLiteral("UNUSED")));
        const QByteArray out = d->toBytes();
        EXPECT_FALSE(out.contains("UNUSED"));
        EXPECT_TRUE(out.contains("1002\n{\n1003\nWALL\n1002\n}\n"));
        EXPECT_EQ(Drawing::fromBytes(out)->layerCount(), 6);
    }
    // R2000: 331 handles.
    {
        auto d = example();
        const auto vp = d->viewports(1);
        ASSERT_EQ(vp.size(), 2u);
        ASSERT_EQ(vp[1].frozenLayers.size(), 2u);
        const LayerId furn = L(*d, "A-FURN-NEW");
        EXPECT_EQ(vp[1].frozenLayers[0], furn);
        for (EntityId e : d->layerEntities(furn))
            d->setEntityLayer(e, QStringLiteral("0"));
        d->deleteLayer(furn);
        const auto after = d->viewports(1)[1].frozenLayers;
        ASSERT_EQ(after.size(), 1u);
        EXPECT_EQ(after[0], L(*d, "E-LITE-NEW"));
        const auto again = Drawing::fromBytes(d->toBytes());
        EXPECT_EQ(again->findLayer(QStringLiteral("A-FURN-NEW")), NoLayer);
        EXPECT_EQ(again->viewports(1)[1].frozenLayers.size(), 1u);
    }
}

TEST(DxfLayerRules, R12HasNoPlotFlagOrLineweight)
{
    auto d = Drawing::fromBytes(r12Fixture());
    const LayerId wall = d->findLayer(QStringLiteral("WALL"));
    EXPECT_TRUE(d->layerPlottable(wall));
    EXPECT_EQ(errorOf([&] { d->setLayerPlottable(wall, false); }), err::InvalidInput);
    EXPECT_EQ(errorOf([&] { d->setLayerPlottable(wall, true); }), 0);
    EXPECT_EQ(errorOf([&] { d->setLayerLineweight(wall, 50); }), err::InvalidInput);
    EXPECT_EQ(errorOf([&] { d->setLayerLineweight(wall, -3); }), 0);
    EXPECT_FALSE(d->isDirty());
    EXPECT_TRUE(d->toBytes() == r12Fixture());
    // A new R12 layer has no handle or subclass markers.
    d->addLayer(QStringLiteral("NEU"));
    const QByteArray out = d->toBytes();
    EXPECT_TRUE(out.contains("  0\nLAYER\n  2\nNEU\n 70\n     0\n 62\n     7\n  6\nCONTINUOUS\n  0\nENDTAB\n"));
    EXPECT_TRUE(out.contains("  0\nTABLE\n  2\nLAYER\n 70\n     8\n"));
}

TEST(DxfLayerRules, PlotStyleNames)
{
    // Colour-dependent plot styles: named after the colour.
    auto d = example();
    EXPECT_EQ(str(d->layerPlotStyleName(L(*d, "A-DOOR-NEW"))), "Color_3");
    // Named plot styles: the name in the plot style dictionary.
    QByteArray named = readAll(examplePath());
    named.replace("$PSTYLEMODE\r\n290\r\n     1", "$PSTYLEMODE\r\n290\r\n     0");
    auto n = Drawing::fromBytes(named);
    EXPECT_EQ(str(n->layerPlotStyleName(n->findLayer(QStringLiteral("A-DOOR-NEW")))), "Normal");
}

TEST(DxfText, CodePageNamesAndEscapes)
{
    // ANSI_932: Japanese names round trip in Shift-JIS; characters outside
    // the code page are written as \U+XXXX and read back as themselves.
    auto d = example();
    EXPECT_EQ(str(d->encoding()), "ANSI_932");
    const LayerId jp = L(*d, "A-壁-既存");
    d->setLayerName(jp, QStringLiteral("A-壁-é€-新"));
    const QByteArray out = d->toBytes();
    const QByteArray sjisWall("\x95\xc7", 2); // 壁
    EXPECT_TRUE(out.contains("A-" + sjisWall + "-\\U+00E9\x80-")
                || out.contains("A-" + sjisWall + "-\\U+00E9\\U+20AC-"))
        << "é is not in code page 932";
    const auto again = Drawing::fromBytes(out);
    EXPECT_NE(again->findLayer(QStringLiteral("A-壁-é€-新")), NoLayer);
    EXPECT_EQ(again->layerObjectCount(again->findLayer(QStringLiteral("A-壁-é€-新"))), 1);
}

TEST(DxfText, Utf8FromR2007)
{
    auto d = Drawing::fromBytes(templateAs("AC1027"));
    EXPECT_EQ(str(d->encoding()), "UTF-8");
    d->addLayer(QStringLiteral("é-壁"));
    const QByteArray out = d->toBytes();
    EXPECT_TRUE(out.contains(QStringLiteral("\r\né-壁\r\n").toUtf8()));
    // Escapes in a UTF-8 file are read too.
    QByteArray esc = out;
    esc.replace(QStringLiteral("é-壁").toUtf8(), "\\U+00E9-\\U+58C1");
    EXPECT_NE(Drawing::fromBytes(esc)->findLayer(QStringLiteral("é-壁")), NoLayer);
}

TEST(DxfText, BinaryDrawingsStayBinary)
{
    if (!haveSamples())
        GTEST_SKIP() << "no shared samples at " << str(samplesDir());
    auto d = Drawing::load(samplesDir() + QStringLiteral("/acadsharp_sample_AC1015_binary.dxf"));
    ASSERT_TRUE(d->isBinary());
    const LayerId l = d->findLayer(QStringLiteral("Layer1"));
    d->setLayerName(l, QStringLiteral("Layer1-renamed"));
    d->setLayerPlottable(l, false);
    d->setLayerColor(l, 200);
    d->addLayer(QStringLiteral("Binary-New"));
    const auto again = Drawing::fromBytes(d->toBytes());
    EXPECT_TRUE(again->isBinary());
    const LayerId m = again->findLayer(QStringLiteral("Layer1-renamed"));
    ASSERT_NE(m, NoLayer);
    EXPECT_FALSE(again->layerPlottable(m));
    EXPECT_EQ(again->layerColor(m), 200);
    EXPECT_EQ(again->layerObjectCount(m), d->layerObjectCount(l));
    EXPECT_NE(again->findLayer(QStringLiteral("Binary-New")), NoLayer);
}

TEST(DxfEntities, PropertiesAndChanges)
{
    auto d = Drawing::fromBytes(r12Fixture());
    const EntityId line = d->findEntity(QStringLiteral("30"));
    ASSERT_NE(line, NoEntity);
    EXPECT_EQ(d->findEntity(QStringLiteral("ZZZ")), NoEntity);
    EXPECT_EQ(d->findEntity(QStringLiteral("FFFF")), NoEntity);
    EXPECT_EQ(str(d->entityType(line)), "LINE");
    EXPECT_EQ(str(d->entityHandle(line)), "30");
    EXPECT_EQ(str(d->entityLayer(line)), "WALL");
    EXPECT_EQ(d->entityColor(line), 2);
    EXPECT_EQ(str(d->entityLinetype(line)), "BYLAYER");
    EXPECT_TRUE(d->isTopLevel(line));
    EXPECT_EQ(d->entitySpace(line), 0);

    // ATTRIB, VERTEX and SEQEND belong to their INSERT / POLYLINE.
    const EntityId insert = d->findEntity(QStringLiteral("31"));
    const EntityId attrib = d->findEntity(QStringLiteral("32"));
    EXPECT_FALSE(d->isTopLevel(attrib));
    EXPECT_EQ(d->subEntities(insert), std::vector<EntityId>{attrib});
    EXPECT_EQ(str(d->entityText(attrib)), "D-01");
    const EntityId text = d->findEntity(QStringLiteral("39"));
    EXPECT_TRUE(d->hasText(text));
    EXPECT_FALSE(d->hasText(line));

    // Objects in block definitions are not top-level.
    const EntityId inBlock = d->findEntity(QStringLiteral("21"));
    EXPECT_FALSE(d->isTopLevel(inBlock));
    EXPECT_EQ(str(d->entityBlock(inBlock)), "B1");
    const auto top = d->topLevelEntities();
    EXPECT_EQ(top.size(), 5u); // LINE, INSERT, POLYLINE, TEXT, VIEWPORT
    const auto viewport = d->findEntity(QStringLiteral("3A"));
    EXPECT_EQ(d->entitySpace(viewport), 1);
    EXPECT_EQ(d->layoutEntities(1), std::vector<EntityId>{viewport});
    EXPECT_EQ(d->layoutEntities(0).size(), 4u);

    // Changes write the groups the CAD application writes.
    d->setEntityColor(line, 256);
    d->setEntityLinetype(line, QStringLiteral("dashed"));
    d->setEntityLayer(line, QStringLiteral("door"));
    d->setEntityText(text, QStringLiteral("Grüße"));
    d->setEntityColor(text, 0);
    const QByteArray out = d->toBytes();
    EXPECT_TRUE(out.contains("  0\nLINE\n  5\n30\n  8\nDOOR\n  6\nDASHED\n 10\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("  1\nGr\xFC\xDF" "e\n"));
    EXPECT_TRUE(out.contains("  0\nTEXT\n  5\n39\n  8\n0\n 62\n     0\n"));
    // The layer index follows.
    EXPECT_EQ(d->layerEntities(d->findLayer(QStringLiteral("DOOR"))),
              (std::vector<EntityId>{line, insert}));
    EXPECT_EQ(d->layerEntities(d->findLayer(QStringLiteral("WALL"))).size(), 1u);
    d->setEntityLinetype(line, QStringLiteral("ByLayer"));
    EXPECT_TRUE(d->toBytes().contains("  0\nLINE\n  5\n30\n  8\nDOOR\n 10\n"));
}

TEST(DxfEntities, MTextLongerThanOneChunk)
{
    auto d = example();
    EntityId mtext = NoEntity;
    for (EntityId e : d->layerEntities(L(*d, "A-ANNO-NOTE")))
        if (d->entityType(e) == QLatin1String("MTEXT"))
            mtext = e;
    ASSERT_NE(mtext, NoEntity);
    EXPECT_EQ(str(d->entityText(mtext)), "既存壁は一部撤去\\P(demolition shown dashed)");
    QString longText;
    for (int i = 0; i < 100; ++i)
        longText += QStringLiteral("壁%1-").arg(i % 10);
    ASSERT_GT(longText.size(), 250);
    d->setEntityText(mtext, longText);
    EXPECT_EQ(d->entityText(mtext), longText);
    const auto again = Drawing::fromBytes(d->toBytes());
    EXPECT_EQ(again->entityText(mtext), longText);
    d->setEntityText(mtext, QStringLiteral("short"));
    EXPECT_EQ(str(d->entityText(mtext)), "short");
}

TEST(DxfEntities, GeometryForTheView)
{
    auto d = Drawing::fromBytes(r12Fixture());
    const auto line = d->entityGeometry(d->findEntity(QStringLiteral("30")));
    ASSERT_EQ(line.points.size(), 2u);
    EXPECT_EQ(line.points[1].x, 10.0);
    const auto poly = d->entityGeometry(d->findEntity(QStringLiteral("34")));
    EXPECT_TRUE(poly.closed);
    ASSERT_EQ(poly.points.size(), 3u);
    EXPECT_EQ(poly.bulges[1], 1.0);
    EXPECT_EQ(poly.points[2].y, 3.0);
    const auto text = d->entityGeometry(d->findEntity(QStringLiteral("39")));
    EXPECT_EQ(str(text.text), "Hello");
    EXPECT_EQ(text.height, 2.5);
    EXPECT_EQ(text.rotation, 30.0);
    const auto ins = d->entityGeometry(d->findEntity(QStringLiteral("31")));
    EXPECT_EQ(str(ins.blockName), "B1");
    EXPECT_EQ(ins.points[0].x, 5.0);
    EXPECT_EQ(d->blockEntities(QStringLiteral("b1")).size(), 2u);
    EXPECT_EQ(d->effectiveColor(d->findEntity(QStringLiteral("30"))), 2);
    EXPECT_EQ(d->effectiveColor(d->findEntity(QStringLiteral("34"))), 1); // ByLayer: WALL
    EXPECT_EQ(Drawing::aciToRgb(1), 0xFF0000u);
    EXPECT_EQ(Drawing::aciToRgb(11), 0xFF7F7Fu);
    EXPECT_EQ(Drawing::aciToRgb(23), 0xA56752u);
}

TEST(DxfLayerRules, FreezeInOneViewport)
{
    // R2000: 331 handles.
    {
        auto d = example();
        const host::ViewportInfo vp = d->viewports(1)[1];
        const LayerId door = L(*d, "A-DOOR-NEW");
        const LayerId furn = L(*d, "A-FURN-NEW");
        d->setViewportLayerFrozen(vp.entity, door, true);
        d->setViewportLayerFrozen(vp.entity, door, true); // once only
        d->setViewportLayerFrozen(vp.entity, furn, false);
        const auto again = Drawing::fromBytes(d->toBytes());
        EXPECT_EQ(again->viewports(1)[1].frozenLayers,
                  (std::vector<LayerId>{again->findLayer(QStringLiteral("E-LITE-NEW")),
                                        again->findLayer(QStringLiteral("A-DOOR-NEW"))}));
        EXPECT_EQ(errorOf([&] { d->setViewportLayerFrozen(d->layerEntities(door)[0], door, true); }),
                  err::InvalidInput);
    }
    // R12: names inside the ACAD xdata list.
    {
        auto d = Drawing::fromBytes(r12Fixture());
        const host::EntityId vp = d->findEntity(QStringLiteral("3A"));
        d->setViewportLayerFrozen(vp, d->findLayer(QStringLiteral("door")), true);
        d->setViewportLayerFrozen(vp, d->findLayer(QStringLiteral("WALL")), false);
        EXPECT_TRUE(d->toBytes().contains("1002\n{\n1003\nUNUSED\n1003\nDOOR\n1002\n}\n1002\n}\n"));
    }
}
