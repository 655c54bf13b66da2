// The automation interface as the host implements it: the rules the program
// relies on, as tables of cases run against the test drawing.
#include "host_test_support.h"

#include "host/automation.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QRegularExpression>

#include <set>

using namespace hosttest;
namespace err = acad::err;

namespace {

class AcadConformance : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        hostPtr = startOnTestDrawing();
        host::HostConnector connector(*registry);
        app = connector.GetObject();
        doc = app->ActiveDocument();
        layers = doc->Layers();
    }

    std::set<QString> handlesOf(const acad::SelectionSetPtr &set)
    {
        std::set<QString> out;
        for (const auto &e : acad::entitiesOf(*set))
            out.insert(e->Handle());
        return out;
    }

    std::set<QString> selectAll(const acad::FilterTypes &types, const acad::FilterData &data)
    {
        auto set = doc->SelectionSets()->Add(QStringLiteral("probe"));
        set->Select(5, types, data);
        auto out = handlesOf(set);
        set->Delete();
        return out;
    }

    std::shared_ptr<host::Host> hostPtr;
    acad::ApplicationPtr app;
    acad::DocumentPtr doc;
    acad::LayersPtr layers;
};

TEST_F(AcadConformance, LayerItemByIndexIsZeroBasedInTableOrderAndByNameIgnoresCase)
{
    ASSERT_EQ(layers->Count(), 9);
    EXPECT_EQ(layers->Item(0L)->Name(), "0");
    EXPECT_EQ(layers->Item(2L)->Name(), "A-WALL-NEW");
    EXPECT_EQ(layers->Item(8L)->Name(), "BlockOnly");
    EXPECT_EQ(errorOf([&] { layers->Item(9L); }), err::InvalidIndex);
    EXPECT_EQ(errorOf([&] { layers->Item(-1L); }), err::InvalidIndex);

    EXPECT_EQ(layers->Item(QStringLiteral("a-wall-new"))->Name(), "A-WALL-NEW");
    try {
        layers->Item(QStringLiteral("NO-SUCH-LAYER"));
        FAIL() << "absent name accepted";
    } catch (const acad::AcadError &e) {
        EXPECT_EQ(e.number(), err::KeyNotFound);
        EXPECT_EQ(e.description(), "Key not found");
    }
    // The enumeration gives the same order.
    const auto all = acad::layersOf(*layers);
    ASSERT_EQ(all.size(), 9u);
    EXPECT_EQ(all[3]->Name(), "A-DOOR");
}

TEST_F(AcadConformance, LayerNamesAreValidatedOnAdd)
{
    struct Case {
        QString name;
        bool valid;
    };
    std::vector<Case> cases = {{QString(), false},
                               {QString(256, QLatin1Char('x')), false},
                               {QString(255, QLatin1Char('y')), true},
                               {QStringLiteral("A-NEW LAYER"), true},
                               {QStringLiteral("日本語の画層"), true}};
    for (QChar bad : QStringLiteral("<>/\\\":;?*|,=`"))
        cases.push_back({QStringLiteral("BAD") + bad + QStringLiteral("NAME"), false});
    for (const Case &c : cases) {
        const long before = layers->Count();
        const long e = errorOf([&] { layers->Add(c.name); });
        if (c.valid) {
            EXPECT_EQ(e, 0) << c.name.toStdString();
            EXPECT_EQ(layers->Count(), before + 1) << c.name.toStdString();
            EXPECT_EQ(layers->Item(c.name)->Name(), c.name);
        } else {
            EXPECT_EQ(e, err::InvalidInput) << c.name.toStdString();
            EXPECT_EQ(layers->Count(), before) << c.name.toStdString();
        }
    }
}

TEST_F(AcadConformance, AddOfAnExistingNameReturnsThatLayer)
{
    auto layer = layers->Add(QStringLiteral("a-door"));
    EXPECT_EQ(layer->Name(), "A-DOOR");
    EXPECT_EQ(layers->Count(), 9);
    layer->setColor(30); // it is the same layer, not a copy
    EXPECT_EQ(layers->Item(QStringLiteral("A-DOOR"))->Color(), 30);
}

TEST_F(AcadConformance, RenameRules)
{
    struct Case {
        QString from, to;
        long error;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("A-DOOR"), QStringLiteral("A-WALL-NEW"), err::DuplicateKey},
        {QStringLiteral("A-DOOR"), QStringLiteral("a-wall-new"), err::DuplicateKey},
        {QStringLiteral("0"), QStringLiteral("ZERO"), -1 /* any error */},
        {QStringLiteral("A-DOOR"), QStringLiteral("BAD|NAME"), -1},
        {QStringLiteral("A-DOOR"), QStringLiteral("a-door"), 0}, // own name in another case
        {QStringLiteral("a-door"), QStringLiteral("A-DOOR-RENAMED"), 0},
    };
    for (const Case &c : cases) {
        auto layer = layers->Item(c.from);
        const QString before = layer->Name();
        const long e = errorOf([&] { layer->setName(c.to); });
        if (c.error == 0) {
            EXPECT_EQ(e, 0) << c.from.toStdString() << " -> " << c.to.toStdString();
            EXPECT_EQ(layer->Name(), c.to);
        } else {
            EXPECT_NE(e, 0) << c.from.toStdString() << " -> " << c.to.toStdString();
            if (c.error != -1) {
                EXPECT_EQ(e, c.error);
            }
            EXPECT_EQ(layer->Name(), before);
        }
    }
    // The objects moved with the renamed layer: a filter on the new name finds them.
    EXPECT_EQ(selectAll({8}, {QStringLiteral("A-DOOR-RENAMED")}),
              (std::set<QString>{"102", "103", "105", "106"}));
    EXPECT_TRUE(selectAll({8}, {QStringLiteral("A-DOOR")}).empty());
}

TEST_F(AcadConformance, DeleteIsRefusedForProtectedAndUsedLayers)
{
    doc->setActiveLayer(layers->Item(QStringLiteral("EMPTY")));
    layers->Add(QStringLiteral("SPARE"));
    const QStringList refused = {QStringLiteral("0"), QStringLiteral("Defpoints"),
                                 QStringLiteral("EMPTY") /* current */, QStringLiteral("A-WALL-NEW"),
                                 QStringLiteral("BlockOnly") /* used inside a block */,
                                 QStringLiteral("FROZEN")};
    for (const QString &name : refused) {
        EXPECT_NE(errorOf([&] { layers->Item(name)->Delete(); }), 0) << name.toStdString();
        EXPECT_NO_THROW(layers->Item(name)) << name.toStdString();
    }
    auto spare = layers->Item(QStringLiteral("SPARE"));
    const long before = layers->Count();
    spare->Delete();
    EXPECT_EQ(layers->Count(), before - 1);
    EXPECT_EQ(errorOf([&] { layers->Item(QStringLiteral("SPARE")); }), err::KeyNotFound);
    // The object of the deleted layer reports it as erased.
    EXPECT_EQ(errorOf([&] { spare->Name(); }), err::ObjectErased);
    EXPECT_EQ(errorOf([&] { spare->setLayerOn(false); }), err::ObjectErased);
}

TEST_F(AcadConformance, CurrentLayerCannotBeFrozenAndFrozenLayerCannotBeMadeCurrent)
{
    auto current = doc->ActiveLayer();
    EXPECT_EQ(current->Name(), "0");
    EXPECT_NE(errorOf([&] { current->setFreeze(true); }), 0);
    EXPECT_FALSE(current->Freeze());

    auto frozen = layers->Item(QStringLiteral("FROZEN"));
    EXPECT_NE(errorOf([&] { doc->setActiveLayer(frozen); }), 0);
    EXPECT_EQ(doc->ActiveLayer()->Name(), "0");

    frozen->setFreeze(false);
    doc->setActiveLayer(frozen);
    EXPECT_EQ(doc->ActiveLayer()->Name(), "FROZEN");
}

TEST_F(AcadConformance, LayerPropertiesReadBackAndValuesAreValidated)
{
    auto layer = layers->Item(QStringLiteral("A-DOOR"));
    struct Case {
        const char *what;
        std::function<void()> set;
        bool valid;
    };
    const std::vector<Case> cases = {
        {"colour 1", [&] { layer->setColor(1); }, true},
        {"colour 255", [&] { layer->setColor(255); }, true},
        {"colour 0", [&] { layer->setColor(0); }, false},
        {"colour 256", [&] { layer->setColor(256); }, false},
        {"colour -1", [&] { layer->setColor(-1); }, false},
        {"lineweight -3", [&] { layer->setLineweight(-3); }, true},
        {"lineweight 0", [&] { layer->setLineweight(0); }, true},
        {"lineweight 25", [&] { layer->setLineweight(25); }, true},
        {"lineweight 211", [&] { layer->setLineweight(211); }, true},
        {"lineweight 7", [&] { layer->setLineweight(7); }, false},
        {"lineweight 300", [&] { layer->setLineweight(300); }, false},
        {"linetype DASHED", [&] { layer->setLinetype(QStringLiteral("dashed")); }, true},
        {"linetype not loaded", [&] { layer->setLinetype(QStringLiteral("CENTER")); }, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(errorOf(c.set) == 0, c.valid) << c.what;
    EXPECT_EQ(layer->Color(), 255);
    EXPECT_EQ(layer->Lineweight(), 211);
    EXPECT_EQ(layer->Linetype().toUpper(), "DASHED");

    // The booleans, each written both ways.
    layer->setLayerOn(false);
    layer->setFreeze(true);
    layer->setLock(true);
    layer->setPlottable(false);
    layer->setViewportDefault(true);
    EXPECT_FALSE(layer->LayerOn());
    EXPECT_TRUE(layer->Freeze());
    EXPECT_TRUE(layer->Lock());
    EXPECT_FALSE(layer->Plottable());
    EXPECT_TRUE(layer->ViewportDefault());
    EXPECT_EQ(layer->Color(), 255); // off keeps the colour
    layer->setLayerOn(true);
    layer->setFreeze(false);
    layer->setLock(false);
    layer->setPlottable(true);
    layer->setViewportDefault(false);
    EXPECT_TRUE(layer->LayerOn() && !layer->Freeze() && !layer->Lock() && layer->Plottable()
                && !layer->ViewportDefault());

    // The states the drawing came with.
    EXPECT_FALSE(layers->Item(QStringLiteral("HIDDEN"))->LayerOn());
    EXPECT_EQ(layers->Item(QStringLiteral("HIDDEN"))->Color(), 5);
    EXPECT_TRUE(layers->Item(QStringLiteral("LOCKED"))->Lock());

    QStringList linetypes;
    for (const auto &lt : acad::linetypesOf(*doc->Linetypes()))
        linetypes << lt->Name();
    EXPECT_EQ(linetypes, (QStringList{"ByBlock", "ByLayer", "Continuous", "DASHED"}));
}

TEST_F(AcadConformance, SelectAllWithFilters)
{
    struct Case {
        const char *what;
        acad::FilterTypes types;
        acad::FilterData data;
        std::set<QString> expected;
    };
    const std::set<QString> everything = {"100", "101", "102", "103", "104", "105", "106", "107",
                                          "108", "109", "22",  "110", "111"};
    const std::vector<Case> cases = {
        {"no filter: every top-level object of model and paper space", {}, {}, everything},
        {"layer", {8}, {QStringLiteral("A-WALL-NEW")}, {"100", "101", "104", "111"}},
        {"layer, other case", {8}, {QStringLiteral("a-wall-new")}, {"100", "101", "104", "111"}},
        {"layer wildcard", {8}, {QStringLiteral("A-*")}, {"100", "101", "104", "111", "102", "103", "105", "106"}},
        {"layer list", {8}, {QStringLiteral("FROZEN,HIDDEN")}, {"107", "108"}},
        {"layer only used inside a block", {8}, {QStringLiteral("BlockOnly")}, {}},
        {"absent layer", {8}, {QStringLiteral("NOPE")}, {}},
        {"colour by layer", {8, 62}, {QStringLiteral("A-WALL-NEW"), 256}, {"100", "104", "111"}},
        {"colour number", {62}, {5}, {"101"}},
        {"colour by block", {62}, {0}, {"109"}},
        {"linetype", {6}, {QStringLiteral("dashed")}, {"108"}},
        {"type", {0}, {QStringLiteral("LINE")}, {"100", "101", "107", "108"}},
        {"type, lower case", {0}, {QStringLiteral("text")}, {"104", "109", "111"}},
        {"type that is no DXF name", {0}, {QStringLiteral("BLOCKREF")}, {}},
        {"model space", {8, 67}, {QStringLiteral("A-WALL-NEW"), 0}, {"100", "101", "104"}},
        {"paper space", {8, 67}, {QStringLiteral("A-WALL-NEW"), 1}, {"111"}},
        {"all codes together", {8, 62, 6, 0, 67}, {QStringLiteral("A-WALL-NEW"), 256, QStringLiteral("BYLAYER"), QStringLiteral("TEXT"), 0}, {"104"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(selectAll(c.types, c.data), c.expected) << c.what;
}

TEST_F(AcadConformance, SelectionSetsAreNamedPerDrawing)
{
    auto sets = doc->SelectionSets();
    auto a = sets->Add(QStringLiteral("cSet"));
    EXPECT_EQ(errorOf([&] { sets->Add(QStringLiteral("cSet")); }), err::DuplicateKey);
    EXPECT_EQ(errorOf([&] { sets->Add(QStringLiteral("CSET")); }), err::DuplicateKey);
    auto b = sets->Add(QStringLiteral("cSetDummy"));
    EXPECT_EQ(sets->Count(), 2);
    EXPECT_EQ(sets->Item(0L)->Name(), "cSet");
    EXPECT_EQ(sets->Item(QStringLiteral("csetdummy"))->Name(), "cSetDummy");
    EXPECT_EQ(errorOf([&] { sets->Item(2L); }), err::InvalidIndex);

    // Select adds to what the set holds, without repeats.
    a->Select(5, {8}, {QStringLiteral("A-DOOR")});
    a->Select(5, {8}, {QStringLiteral("A-DOOR")});
    a->Select(5, {8}, {QStringLiteral("FROZEN")});
    EXPECT_EQ(a->Count(), 5);
    EXPECT_EQ(errorOf([&] { a->Item(5); }), err::InvalidIndex);
    EXPECT_EQ(errorOf([&] { a->Select(1, {}, {}); }), err::InvalidInput);
    EXPECT_EQ(errorOf([&] { a->Select(5, {8, 62}, {QStringLiteral("A-DOOR")}); }), err::InvalidInput);

    // AddItems takes objects of this drawing; Clear empties.
    b->AddItems(acad::entitiesOf(*a));
    b->AddItems({doc->HandleToObject(QStringLiteral("100"))});
    EXPECT_EQ(b->Count(), 6);
    a->Clear();
    EXPECT_EQ(a->Count(), 0);
    EXPECT_EQ(b->Count(), 6);

    // Deleting every set at index 0, as the program does.
    const long n = sets->Count();
    for (long i = 0; i < n; ++i)
        sets->Item(0L)->Delete();
    EXPECT_EQ(sets->Count(), 0);
    EXPECT_EQ(errorOf([&] { a->Count(); }), err::ObjectErased);
    EXPECT_EQ(errorOf([&] { sets->Item(QStringLiteral("cSet")); }), err::KeyNotFound);
    EXPECT_EQ(sets->Add(QStringLiteral("cSet"))->Count(), 0);

    // Another drawing has sets of its own.
    hostPtr->newDrawing();
    auto other = app->ActiveDocument();
    EXPECT_EQ(other->SelectionSets()->Count(), 0);
    other->SelectionSets()->Add(QStringLiteral("cSet"));
    EXPECT_EQ(errorOf([&] { other->SelectionSets()->Item(0L)->AddItems({doc->HandleToObject(QStringLiteral("100"))}); }),
              err::InvalidInput);
}

TEST_F(AcadConformance, SelectOnScreenTakesThePickNarrowedByTheFilter)
{
    auto set = doc->SelectionSets()->Add(QStringLiteral("cSet"));
    hostPtr->queuePick({QStringLiteral("100"), QStringLiteral("102"), QStringLiteral("104"),
                        QStringLiteral("FFFF") /* unknown: ignored */});
    set->SelectOnScreen({0}, {QStringLiteral("LINE,TEXT")});
    EXPECT_EQ(handlesOf(set), (std::set<QString>{"100", "104"}));

    hostPtr->queuePick({QStringLiteral("103")});
    set->SelectOnScreen();
    EXPECT_EQ(handlesOf(set), (std::set<QString>{"100", "103", "104"}));

    hostPtr->queuePickCancel();
    set->Clear();
    set->SelectOnScreen();
    EXPECT_EQ(set->Count(), 0);

    // The host is busy while the user picks.
    bool quiescentDuringPick = true;
    hostPtr->setInteractivePicker([&](host::OpenDrawing &) {
        quiescentDuringPick = app->GetAcadState()->IsQuiescent();
        return host::PickAnswer{false, {QStringLiteral("101")}};
    });
    set->SelectOnScreen();
    EXPECT_FALSE(quiescentDuringPick);
    EXPECT_TRUE(app->GetAcadState()->IsQuiescent());
    EXPECT_EQ(handlesOf(set), (std::set<QString>{"101"}));
}

TEST_F(AcadConformance, EntitiesByHandle)
{
    EXPECT_EQ(errorOf([&] { doc->HandleToObject(QStringLiteral("DEAD")); }), err::InvalidInput);
    auto text = doc->HandleToObject(QStringLiteral("104"));
    EXPECT_EQ(text->Handle(), "104");
    EXPECT_EQ(text->TextString(), "WALL");
    text->setTextString(QStringLiteral("壁"));
    EXPECT_EQ(doc->HandleToObject(QStringLiteral("104"))->TextString(), "壁");

    auto line = doc->HandleToObject(QStringLiteral("101"));
    EXPECT_EQ(errorOf([&] { line->TextString(); }), err::NotSupported);
    EXPECT_NE(errorOf([&] { line->setLayer(QStringLiteral("NO-SUCH-LAYER")); }), 0);
    line->setLayer(QStringLiteral("A-DOOR"));
    line->setColor(256);
    line->setLinetype(QStringLiteral("BYLAYER"));
    EXPECT_EQ(selectAll({8, 62}, {QStringLiteral("A-DOOR"), 256}).count("101"), 1u);
    EXPECT_NE(errorOf([&] { line->setColor(257); }), 0);
}

TEST_F(AcadConformance, DocumentNamesAndSpaces)
{
    EXPECT_EQ(doc->FullName(), QFileInfo(drawingPath).absoluteFilePath());
    EXPECT_EQ(doc->Name(), "test.dxf");
    EXPECT_EQ(doc->Path(), QDir::toNativeSeparators(QFileInfo(drawingPath).absolutePath()));
    EXPECT_TRUE(doc->ModelSpace() != nullptr);
    EXPECT_EQ(doc->ActiveSpace(), 1);
    EXPECT_FALSE(doc->MSpace());
    EXPECT_EQ(app->Caption(), "Lamoria Drawing Host - [test.dxf]");

    auto drawing = hostPtr->activeDrawing();
    drawing->setActiveLayout(1);
    EXPECT_EQ(doc->ActiveSpace(), 0);
    EXPECT_FALSE(doc->MSpace());
    drawing->setActiveViewport(drawing->drawing().findEntity(QStringLiteral("110")));
    EXPECT_TRUE(doc->MSpace());
    drawing->setActiveLayout(0);
    EXPECT_EQ(doc->ActiveSpace(), 1);
    EXPECT_FALSE(doc->MSpace());
    drawing->setActiveLayout(1); // the layout comes back with its viewport active
    EXPECT_TRUE(doc->MSpace());
}

TEST_F(AcadConformance, ClosedDrawingsAndNoDrawing)
{
    auto layer = layers->Item(QStringLiteral("A-DOOR"));
    auto entity = doc->HandleToObject(QStringLiteral("100"));
    auto set = doc->SelectionSets()->Add(QStringLiteral("cSet"));
    hostPtr->close(hostPtr->activeDrawing().get());
    EXPECT_EQ(errorOf([&] { app->ActiveDocument(); }), err::NoDocument);
    EXPECT_EQ(errorOf([&] { doc->Name(); }), err::NoDocument);
    EXPECT_EQ(errorOf([&] { layer->Name(); }), err::NoDocument);
    EXPECT_EQ(errorOf([&] { entity->Handle(); }), err::NoDocument);
    EXPECT_EQ(errorOf([&] { set->Count(); }), err::NoDocument);
    EXPECT_EQ(errorOf([&] { layers->Count(); }), err::NoDocument);
    EXPECT_EQ(app->Caption(), "Lamoria Drawing Host");
}

TEST_F(AcadConformance, SeveralDrawingsOneActive)
{
    const QString second = writeFile(QStringLiteral("second.dxf"), testDrawing());
    hostPtr->open(second);
    EXPECT_EQ(app->ActiveDocument()->Name(), "second.dxf");
    hostPtr->setActiveDrawing(hostPtr->drawings().front().get());
    EXPECT_EQ(app->ActiveDocument()->Name(), "test.dxf");
    // A document object stays with its drawing, whichever is active.
    hostPtr->setActiveDrawing(hostPtr->drawings().back().get());
    EXPECT_EQ(doc->Name(), "test.dxf");
    // Opening a file already open only activates it.
    hostPtr->open(drawingPath);
    EXPECT_EQ(hostPtr->drawings().size(), 2u);
    EXPECT_EQ(app->ActiveDocument()->Name(), "test.dxf");
}

// ---- metafile export -------------------------------------------------------

class WmfExport : public AcadConformance {
protected:
    // Runs libwmf's converter; returns the SVG text, empty on failure.
    QString toSvg(const QString &wmf)
    {
        const QString svg = wmf + QStringLiteral(".svg");
        QProcess p;
        p.start(QStringLiteral("wmf2svg"), {QStringLiteral("-o"), svg, wmf});
        if (!p.waitForStarted(5000))
            return QStringLiteral("<not started>");
        p.waitForFinished(30000);
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            return QString();
        QFile f(svg);
        if (!f.open(QIODevice::ReadOnly))
            return QString();
        return QString::fromUtf8(f.readAll());
    }
};

TEST_F(WmfExport, LayerPicturesAreAcceptedByLibwmf)
{
    if (QStandardPaths::findExecutable(QStringLiteral("wmf2svg")).isEmpty())
        GTEST_SKIP() << "wmf2svg (libwmf-bin) is not installed";
    struct Case {
        QString layer;
        QStringList svgHas; // element names the picture must contain
    };
    const std::vector<Case> cases = {
        {QStringLiteral("A-WALL-NEW"), {QStringLiteral("<line|<polyline|<path"), QStringLiteral("<text")}},
        {QStringLiteral("A-DOOR"), {QStringLiteral("<ellipse|<path"), QStringLiteral("<polyline|<path|<line")}},
    };
    for (const Case &c : cases) {
        auto set = doc->SelectionSets()->Add(QStringLiteral("cSet"));
        set->Select(5, {8}, {c.layer});
        ASSERT_GT(set->Count(), 0);
        const QString base = path(QStringLiteral("one_") + c.layer);
        doc->Export(base, QStringLiteral("WMF"), set);
        set->Delete();
        ASSERT_TRUE(QFileInfo::exists(base + QStringLiteral(".wmf"))) << c.layer.toStdString();
        QFile f(base + QStringLiteral(".wmf"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray head = f.read(4);
        EXPECT_EQ(head, QByteArray("\xD7\xCD\xC6\x9A", 4)) << "placeable header";
        const QString svg = toSvg(base + QStringLiteral(".wmf"));
        ASSERT_FALSE(svg.isEmpty()) << "wmf2svg rejected " << c.layer.toStdString();
        for (const QString &alternatives : c.svgHas)
            EXPECT_TRUE(svg.contains(QRegularExpression(alternatives)))
                << c.layer.toStdString() << " lacks " << alternatives.toStdString();
    }
    EXPECT_EQ(errorOf([&] { doc->Export(path(QStringLiteral("x")), QStringLiteral("BMP"), doc->SelectionSets()->Add(QStringLiteral("s"))); }),
              err::InvalidInput);
    EXPECT_EQ(errorOf([&] { doc->Export(path(QStringLiteral("no/such/folder/x")), QStringLiteral("WMF"), doc->SelectionSets()->Item(QStringLiteral("s"))); }),
              err::FileError);
}

// ---- connector --------------------------------------------------------------

TEST(HostConnector, AttachFailsUntilAHostRunsAndRegistriesAreIndependent)
{
    auto dialogs = std::make_shared<ScriptedHostDialogs>();
    host::HostRegistry first(dialogs, false);
    host::HostRegistry second(dialogs, false);
    host::HostConnector c1(first), c2(second);
    EXPECT_EQ(errorOf([&] { c1.GetObject(); }), err::NotRunning);

    auto started = c1.CreateObject();
    auto doc = started->ActiveDocument();
    EXPECT_EQ(doc->Name(), "Drawing1.dwg");
    EXPECT_EQ(doc->FullName(), "");
    EXPECT_EQ(doc->Layers()->Item(0L)->Name(), "0");

    auto attached = c1.GetObject();
    EXPECT_EQ(attached->ActiveDocument()->Name(), "Drawing1.dwg");
    EXPECT_EQ(errorOf([&] { c2.GetObject(); }), err::NotRunning);

    first.running()->quit();
    EXPECT_EQ(errorOf([&] { c1.GetObject(); }), err::NotRunning);
    EXPECT_EQ(errorOf([&] { attached->ActiveDocument(); }), err::HostClosed);
    EXPECT_EQ(errorOf([&] { doc->Name(); }), err::NoDocument);
}

TEST(HostConnector, StartsOnTheDrawingsNamedWithTheLastActive)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.dxf")), b = dir.filePath(QStringLiteral("b.dxf"));
    for (const QString &p : {a, b}) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(testDrawing());
    }
    const QString broken = dir.filePath(QStringLiteral("broken.dxf"));
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n");
    }
    auto dialogs = std::make_shared<ScriptedHostDialogs>();
    host::HostRegistry registry(dialogs, false);
    auto h = registry.start({a, broken, b});
    ASSERT_EQ(h->drawings().size(), 2u);
    EXPECT_EQ(h->activeDrawing()->name(), "b.dxf");
    ASSERT_EQ(dialogs->errors.size(), 1);
    EXPECT_TRUE(dialogs->errors[0].contains(QStringLiteral("broken.dxf"))) << dialogs->errors[0].toStdString();
    EXPECT_TRUE(dialogs->errors[0].contains(QStringLiteral("line"))) << dialogs->errors[0].toStdString();
}

} // namespace
