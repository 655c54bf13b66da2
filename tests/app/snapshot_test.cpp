// The layer-table snapshot, the combos and lists filled from it, the six
// processing modes, and the error boxes of a failing read.
#include "fake_acad.h"

#include "harness/program/program_fixture.h"
#include "harness/widgets.h"

#include "app/frm_main.h"
#include "app/program.h"
#include "lists/sorted.h"
#include "util/splash.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace platform;

namespace {

class SnapshotTest : public harness::ProgramFixture {
protected:
    // A program started on a stand-in host holding these layers.
    app::Program &startOn(std::vector<fake::LayerData> layers,
                          std::function<void()> expectAfterTiling = {},
                          QStringList linetypes = {"ByBlock", "ByLayer", "Continuous", "DASHED"})
    {
        log = std::make_shared<fake::Log>();
        app = std::make_shared<fake::Application>();
        app->document = std::make_shared<fake::Document>(log, QStringLiteral("/work/plans"),
                                                        QStringLiteral("p.dwg"), std::move(layers),
                                                        std::move(linetypes));
        connector.running = app;
        app::Program &p = makeProgram(connector);
        expectTilingQuestion(vbCancel);
        if (expectAfterTiling)
            expectAfterTiling();
        p.Main();
        return p;
    }

    static QString errorText(const QString &proc, long number, const QString &description)
    {
        return QStringLiteral("エラーが ") + proc + QStringLiteral(" で発生しました。\r\n") +
               QString::number(number) + QStringLiteral("\r\n") + description;
    }

    std::shared_ptr<fake::Log> log;
    std::shared_ptr<fake::Application> app;
    fake::Connector connector;
};

fake::LayerData layer(const char *name, bool on = true)
{
    fake::LayerData d;
    d.name = QString::fromUtf8(name);
    d.on = on;
    return d;
}

TEST_F(SnapshotTest, OnePassInDrawingOrderWithTheTenReads)
{
    fake::LayerData a = layer("Zeta");
    a.color = 3;
    a.lineweight = 25;
    a.linetype = QStringLiteral("DASHED");
    a.freeze = true;
    a.lock = true;
    a.plottable = false;
    a.vpDefault = true;
    a.plotStyle = QStringLiteral("Style1");
    app::Program &p = startOn({layer("0"), a, layer("alpha", false)});

    ASSERT_EQ(p.gLayersState.UBound(), 3);
    EXPECT_EQ(p.gLayersState(1).Name, QStringLiteral("0"));
    EXPECT_EQ(p.gLayersState(2).Name, QStringLiteral("Zeta"));
    EXPECT_EQ(p.gLayersState(3).Name, QStringLiteral("alpha"));
    const app::typLayerState &z = p.gLayersState(2);
    EXPECT_EQ(z.Linetype, QStringLiteral("DASHED"));
    EXPECT_EQ(z.PlotStyleName, QStringLiteral("Style1"));
    EXPECT_TRUE(z.Freeze);
    EXPECT_TRUE(z.LayerOn);
    EXPECT_TRUE(z.Lock);
    EXPECT_TRUE(z.ViewportDefault);
    EXPECT_FALSE(z.Plottable);
    EXPECT_EQ(z.Color, 3);
    EXPECT_EQ(z.Lineweight, 25);
    EXPECT_FALSE(p.gLayersState(3).LayerOn);

    // The collection is fetched once; every layer is read once, in order.
    const QStringList calls = log->calls;
    EXPECT_EQ(calls.count(QStringLiteral("Layers.Item(1)")), 1);
    const qsizetype from = calls.indexOf(QStringLiteral("Layers.Item(1)"));
    ASSERT_GE(from, 0);
    EXPECT_EQ(calls.mid(from, 11),
              (QStringList{"Layers.Item(1)", "Zeta.Name", "Zeta.Linetype", "Zeta.PlotStyleName",
                           "Zeta.Freeze", "Zeta.LayerOn", "Zeta.Lock", "Zeta.ViewportDefault",
                           "Zeta.Plottable", "Zeta.Color", "Zeta.Lineweight"}));
}

TEST_F(SnapshotTest, OnlyLayerZero)
{
    app::Program &p = startOn({layer("0")});
    ASSERT_EQ(p.gLayersState.UBound(), 1);
    EXPECT_EQ(harness::itemTexts(*p.frmMain().CboLayer), (QStringList{"   (ALL)   ", "0"}));
    EXPECT_EQ(harness::itemTexts(*p.frmMain().LstON), (QStringList{"0"}));
    EXPECT_EQ(p.frmMain().LblOFF->text(), QStringLiteral("OFFﾘｽﾄ：非表示 [0個]"));
}

TEST_F(SnapshotTest, CombosSortIgnoringCaseAndKeepAllFirst)
{
    app::Program &p = startOn({layer("0"), layer("b"), layer("A"), layer("a2"), layer("C"),
                               layer("!x"), layer(" lead")});
    // "(ALL)" stays first even against names that sort before it.
    const QStringList combo = harness::itemTexts(*p.frmMain().CboLayer);
    ASSERT_EQ(combo.size(), 8);
    EXPECT_EQ(combo[0], QStringLiteral("   (ALL)   "));
    QStringList rest = combo.mid(1);
    QStringList sorted = rest;
    lists::sortNames(sorted);
    EXPECT_EQ(rest, sorted);
    EXPECT_LT(rest.indexOf("A"), rest.indexOf("a2"));
    EXPECT_LT(rest.indexOf("a2"), rest.indexOf("b"));
    EXPECT_LT(rest.indexOf("b"), rest.indexOf("C"));
    // Linetype combo: "(指定しない)" and the collection in its own order.
    EXPECT_EQ(harness::itemTexts(*p.frmMain().CboTab0[1]),
              (QStringList{"(指定しない)", "ByBlock", "ByLayer", "Continuous", "DASHED"}));
    EXPECT_EQ(p.frmMain().CboTab0[1]->currentIndex(), 0);
}

TEST_F(SnapshotTest, SixModesFillTheListsByTheirProperty)
{
    fake::LayerData f = layer("Frozen");
    f.freeze = true;
    fake::LayerData l = layer("Locked");
    l.lock = true;
    fake::LayerData n = layer("NoPlot");
    n.plottable = false;
    fake::LayerData v = layer("VpFrozen");
    v.vpDefault = true;
    app::Program &p = startOn({layer("0"), f, l, n, v, layer("Off", false)});
    app::FrmMain &m = p.frmMain();
    m.setHeight(app::FrmMain::kFullHeight);
    struct Case {
        int mode;
        QStringList on, off;
        const char *onCaption;
    };
    const QStringList all{"0", "Frozen", "Locked", "NoPlot", "Off", "VpFrozen"};
    const Case cases[] = {
        {0, {"0", "Frozen", "Locked", "NoPlot", "VpFrozen"}, {"Off"}, "ONﾘｽﾄ：表示 [5個]"},
        {1, {"Frozen"}, {"0", "Locked", "NoPlot", "Off", "VpFrozen"},
         "ONﾘｽﾄ：全てのﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞ [1個]"},
        {2, {"Locked"}, {"0", "Frozen", "NoPlot", "Off", "VpFrozen"}, "ONﾘｽﾄ：編集ロック [1個]"},
        {3, {"0", "Frozen", "Locked", "Off", "VpFrozen"}, {"NoPlot"}, "ONﾘｽﾄ：印刷する [5個]"},
        {4, {}, {}, "ONﾘｽﾄ：現在のﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞ [0個]"},
        {5, {"VpFrozen"}, {"0", "Frozen", "Locked", "NoPlot", "Off"},
         "ONﾘｽﾄ：新しいﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞ [1個]"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mode);
        m.CmdListDWG->setEnabled(true);
        harness::click(*m.OptExeMode[c.mode]);
        EXPECT_EQ(m.selectedExeMode(), c.mode);
        EXPECT_EQ(harness::itemTexts(*m.LstON), c.on);
        EXPECT_EQ(harness::itemTexts(*m.LstOFF), c.off);
        EXPECT_EQ(m.LblON->text(), QString::fromUtf8(c.onCaption));
        EXPECT_FALSE(m.CmdListDWG->isEnabled());
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(m.OptExeMode[i]->styleSheet().contains(QStringLiteral("rgb(255,128,128)")),
                      i == c.mode);
    }
}

TEST_F(SnapshotTest, FailingLayerReadShowsTheCommonErrorBox)
{
    fake::LayerData bad = layer("Bad");
    bad.failOn = QStringLiteral("Color");
    app::Program &p = startOn({layer("0"), bad, layer("After")}, [&] {
        ui().expectMsgBox(errorText(QStringLiteral("pu_subAcadGetLayersState"), -2147467259,
                                    QStringLiteral("Color を読めません")),
                          vbCritical, vbOK);
    });
    ASSERT_FALSE(p.hasEnded()); // no error here ends the program
    ASSERT_EQ(p.gLayersState.UBound(), 3);
    EXPECT_EQ(p.gLayersState(2).Name, QStringLiteral("Bad"));
    EXPECT_TRUE(p.gLayersState(3).Name.isEmpty()); // after the failure: empty
    EXPECT_FALSE(log->calls.contains(QStringLiteral("After.Name")));
    EXPECT_FALSE(p.frmSplash().isLoaded());
}

TEST_F(SnapshotTest, FailingCountShowsBothBoxesAndLeavesNoStaleSnapshot)
{
    app::Program &p = startOn({layer("0"), layer("Old")});
    ASSERT_EQ(p.gLayersState.UBound(), 2);
    app->document->layers->failCount = true;
    ui().expectMsgBox(errorText(QStringLiteral("pu_fun_lnAcad_Layers_Count"), acad::err::Busy,
                                QStringLiteral("Call was rejected by callee")),
                      vbCritical, vbOK);
    ui().expectMsgBox().textContains(QStringLiteral("エラーが pu_subAcadGetLayersState で発生しました。\r\n9\r\n"))
        .style(vbCritical);
    p.pu_subReloadDrawing();
    EXPECT_FALSE(p.hasEnded());
    EXPECT_EQ(p.gLayersState.UBound(), 0);
    EXPECT_EQ(p.frmMain().LstON->count(), 0);
    EXPECT_EQ(harness::itemTexts(*p.frmMain().CboLayer), (QStringList{"   (ALL)   "}));
}

TEST_F(SnapshotTest, HostThatCannotBeStartedIsReported)
{
    app::Program &p = makeProgram(connector); // nothing running, nothing startable
    ui().expectMsgBox(harness::ProgramFixture::notRunningQuestion(), vbYesNo + vbExclamation, vbYes);
    ui().expectMsgBox(QStringLiteral("AutoCADが見つかりません。AutoCADを起動してから試して下さい"),
                      vbCritical, vbOK, QStringLiteral("404 Not Find AutoCAD.Application"));
    p.Main();
    EXPECT_TRUE(p.hasEnded());
    EXPECT_FALSE(p.frmSplash().isLoaded());
}

TEST_F(SnapshotTest, UnexpectedErrorInLoadIsReportedAndEndsTheProgram)
{
    // The document answers the reload, then is gone when the load sets the
    // caption again.
    log = std::make_shared<fake::Log>();
    app = std::make_shared<fake::Application>();
    app->document = std::make_shared<fake::Document>(log, "/d", "x.dwg",
                                                    std::vector<fake::LayerData>{layer("0")},
                                                    QStringList{});
    app->document->pathReadsLeft = 1;
    connector.running = app;
    app::Program &p = makeProgram(connector);
    expectTilingQuestion(vbCancel);
    ui().expectMsgBox(errorText(QStringLiteral("Form_Load"), acad::err::ObjectErased,
                                QStringLiteral("Object was erased")),
                      vbCritical, vbOK);
    p.Main();
    EXPECT_TRUE(p.hasEnded());
    EXPECT_FALSE(p.frmMain().isVisible());
}

} // namespace
