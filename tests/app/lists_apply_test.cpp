// "図面に反映": the lists written into the drawing in every mode, checked
// through the host (and once through a saved file read by ezdxf).
#include "lists_fixture.h"
#include "fake_acad.h"
#include "../host/dxf_test_util.h"

#include "lists/apply_lists.h"
#include "lists/list_fill.h"

#include <functional>

using namespace platform;
using liststest::L;

namespace {

class ListsApply : public liststest::ListsFixture {
protected:
    // Every property false on P and Q, true on R and S ("0" as made).
    app::Program &startFour()
    {
        std::vector<harness::LayerSpec> layers{{QStringLiteral("0")}};
        for (const char *n : {"P", "Q"}) {
            harness::LayerSpec s{QString::fromUtf8(n), false};
            s.plottable = false;
            layers.push_back(s);
        }
        for (const char *n : {"R", "S"}) {
            harness::LayerSpec s{QString::fromUtf8(n)};
            s.frozen = s.locked = s.vpDefault = true;
            layers.push_back(s);
        }
        return start(layers);
    }
    quint64 regens() { return openDrawing().generation(); }
};

struct ApplyCase {
    int mode;
    const char *property;
    std::function<bool(const host::Drawing &, host::LayerId)> read;
    bool regen;
};

void PrintTo(const ApplyCase &c, std::ostream *os)
{
    *os << "mode " << c.mode << " (" << c.property << ")";
}

class ListsApplyModes : public ListsApply, public ::testing::WithParamInterface<ApplyCase> {};

// The two lists swapped and applied: every layer's property flips (the
// current layer "0" is not frozen), the lists stay, the snapshot follows.
TEST_P(ListsApplyModes, SwapThenApply)
{
    const ApplyCase &c = GetParam();
    app::Program &p = startFour();
    chooseMode(c.mode);
    const QStringList onBefore = on();
    const QStringList offBefore = off();
    harness::click(*f().CmdReverse);
    if (c.mode == app::ModeFreeze)
        ui().expectMsgBox(QStringLiteral("現在アクティブな画層：0\r\nはフリーズすることができません。"),
                          vbOKOnly, vbOK);
    const quint64 before = regens();
    harness::click(*f().CmdListDWG);

    for (const char *n : {"P", "Q", "R", "S", "0"}) {
        const QString name = QString::fromUtf8(n);
        const bool was = onBefore.contains(name);
        const bool expected = name == QLatin1String("0") && c.mode == app::ModeFreeze ? false : !was;
        EXPECT_EQ(c.read(drawing(), layerId(name)), expected) << c.property << " of " << n;
    }
    EXPECT_EQ(regens() != before, c.regen);
    EXPECT_EQ(on(), offBefore);
    EXPECT_EQ(off(), onBefore);
    EXPECT_FALSE(f().CmdListDWG->isEnabled());
    // The snapshot was read again: a mode switch shows the written state.
    for (const app::typLayerState &s : p.gLayersState)
        EXPECT_EQ(app::modeProperty(s, c.mode), c.read(drawing(), layerId(s.Name))) << s.Name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ListsApplyModes,
    ::testing::Values(
        ApplyCase{0, "LayerOn", [](const host::Drawing &d, host::LayerId l) { return d.layerOn(l); }, true},
        ApplyCase{1, "Freeze", [](const host::Drawing &d, host::LayerId l) { return d.layerFrozen(l); }, true},
        ApplyCase{2, "Lock", [](const host::Drawing &d, host::LayerId l) { return d.layerLocked(l); }, false},
        ApplyCase{3, "Plottable", [](const host::Drawing &d, host::LayerId l) { return d.layerPlottable(l); }, false},
        ApplyCase{5, "ViewportDefault",
                  [](const host::Drawing &d, host::LayerId l) { return d.layerFrozenInNewViewports(l); }, false}),
    [](const ::testing::TestParamInfo<ApplyCase> &i) { return std::string(i.param.property); });

// Freeze mode with the current layer among the ON names: one message for
// it, every other layer frozen, Regen done.
TEST_F(ListsApply, FreezeWithCurrentLayerOnTheOnSide)
{
    startFour();
    drawing().setCurrentLayer(layerId(QStringLiteral("Q")));
    chooseMode(app::ModeFreeze);
    harness::click(*f().CmdMoveON_ALL);
    ui().expectMsgBox(QStringLiteral("現在アクティブな画層：Q\r\nはフリーズすることができません。"), vbOKOnly,
                      vbOK);
    const quint64 before = regens();
    harness::click(*f().CmdListDWG);
    for (const char *n : {"0", "P", "R", "S"})
        EXPECT_TRUE(drawing().layerFrozen(layerId(QString::fromUtf8(n)))) << n;
    EXPECT_FALSE(drawing().layerFrozen(layerId(QStringLiteral("Q"))));
    EXPECT_NE(regens(), before);
}

// Freeze mode with a frozen current layer on the OFF side (a drawing can be
// saved that way): it is left frozen with its message; the others thaw.
TEST_F(ListsApply, FreezeWithFrozenCurrentLayerOnTheOffSide)
{
    fake::LayerData cur;
    cur.name = QStringLiteral("CUR");
    cur.freeze = true;
    fake::LayerData other;
    other.name = QStringLiteral("OTHER");
    other.freeze = true;
    auto log = std::make_shared<fake::Log>();
    auto application = std::make_shared<fake::Application>();
    // The stand-in's current layer is its first layer.
    application->document = std::make_shared<fake::Document>(log, QStringLiteral("/plans"),
                                                             QStringLiteral("f.dwg"),
                                                             std::vector<fake::LayerData>{cur, other},
                                                             QStringList{"Continuous"});
    fake::Connector stand;
    stand.running = application;
    app::Program &p = makeProgram(stand);
    expectTilingQuestion(vbCancel);
    p.Main();
    p.frmMain().setHeight(app::FrmMain::kFullHeight);
    chooseMode(app::ModeFreeze);
    ASSERT_EQ(on(), L({"CUR", "OTHER"}));
    harness::click(*f().CmdMoveOFF_ALL);
    ui().expectMsgBox(QStringLiteral("現在アクティブな画層：CUR\r\nをフリーズ解除することができません。"),
                      vbOKOnly + vbExclamation, vbOK);
    harness::click(*f().CmdListDWG);
    EXPECT_TRUE(application->document->layers->Item(QStringLiteral("CUR"))->Freeze());
    EXPECT_FALSE(application->document->layers->Item(QStringLiteral("OTHER"))->Freeze());
}

TEST_F(ListsApply, DisplayModeWithEmptyListsStillRegenerates)
{
    app::Program &p = startFour();
    const quint64 before = regens();
    lists::pu_subUpdateDWG_ON_OFF(p, lists::emptyNameArray(), lists::emptyNameArray());
    EXPECT_NE(regens(), before);
    EXPECT_TRUE(drawing().layerOn(layerId(QStringLiteral("R"))));
    EXPECT_FALSE(drawing().layerOn(layerId(QStringLiteral("P"))));
}

// A layer deleted in the drawing after the snapshot: the error box, the
// names before it written, the rest not, no Regen; the button is disabled
// and the snapshot re-read all the same.
TEST_F(ListsApply, LayerDeletedAfterSnapshot)
{
    app::Program &p = startFour();
    harness::click(*f().CmdMoveOFF_ALL); // OFF: 0, P, Q, R, S
    drawing().deleteLayer(layerId(QStringLiteral("Q")));
    ui().expectMsgBox(errorText(QStringLiteral("pu_subUpdateDWG_ON_OFF"), acad::err::KeyNotFound,
                                QStringLiteral("Key not found")),
                      vbOKOnly + vbCritical, vbOK);
    const quint64 before = regens();
    harness::click(*f().CmdListDWG);
    EXPECT_FALSE(drawing().layerOn(layerId(QStringLiteral("0"))));
    EXPECT_TRUE(drawing().layerOn(layerId(QStringLiteral("R"))));
    EXPECT_TRUE(drawing().layerOn(layerId(QStringLiteral("S"))));
    EXPECT_EQ(regens(), before);
    EXPECT_FALSE(f().CmdListDWG->isEnabled());
    ASSERT_EQ(p.gLayersState.UBound(), 4);
    for (const app::typLayerState &s : p.gLayersState)
        EXPECT_NE(s.Name, QStringLiteral("Q"));
    EXPECT_EQ(off(), L({"0", "P", "Q", "R", "S"})); // the lists are not refilled
}

// The current-viewport mode needs a floating viewport's model space: with
// the model tab, or paper space, active only the message comes.
TEST_F(ListsApply, CurrentViewportModeNeedsViewportModelSpace)
{
    startFour();
    chooseMode(app::ModeNowFreeze);
    const quint64 before = regens();
    ui().expectMsgBox(QStringLiteral("モデルタブがアクティブです。\r\n"
                                     "レイアウトタブをアクティブにしてフリーズ設定したい浮動ビューポート\r\n"
                                     "のモデル空間をアクティブ（ダブルクリックにて選択）にしてから実行してください"),
                      vbOKOnly + vbExclamation, vbOK);
    harness::click(*f().CmdMoveON); // edited: the apply button is enabled
    harness::click(*f().CmdListDWG);
    EXPECT_FALSE(f().CmdListDWG->isEnabled());

    openDrawing().setActiveLayout(1);
    openDrawing().setActiveViewport(host::NoEntity);
    ui().expectMsgBox(QStringLiteral("浮動ビューポート内のモデル空間をアクティブにしてから実行してください。"),
                      vbOKOnly + vbExclamation, vbOK);
    harness::click(*f().CmdMoveON);
    harness::click(*f().CmdListDWG);
    EXPECT_EQ(regens(), before);
    EXPECT_EQ(ui().shown().size(), 3u); // tiling question and the two messages
    EXPECT_FALSE(QFileInfo::exists(programFolder() + QStringLiteral("/lamo_script.scr")));
}

// The written drawing read back by an independent reader.
TEST_F(ListsApply, SavedDrawingReadByEzdxf)
{
    if (!dxftest::haveEzdxf())
        GTEST_SKIP() << "python3-ezdxf is not installed";
    startFour();
    chooseMode(app::ModeLock);
    harness::clickItem(*f().LstON, QStringLiteral("R"));
    harness::click(*f().CmdMoveOFF);
    harness::clickItem(*f().LstOFF, QStringLiteral("P"));
    harness::click(*f().CmdMoveON);
    harness::click(*f().CmdListDWG);
    const QString path = tempPath(QStringLiteral("saved/lists.dxf"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    openDrawing().saveAs(path);

    const dxftest::EzdxfView v = dxftest::ezdxfRead(path);
    ASSERT_TRUE(v.ran) << v.failure.toStdString();
    EXPECT_FALSE(v.auditErrors) << v.auditMessages.join(QStringLiteral("; ")).toStdString();
    EXPECT_TRUE(v.layer(QStringLiteral("P"))[QStringLiteral("locked")].toBool());
    EXPECT_FALSE(v.layer(QStringLiteral("Q"))[QStringLiteral("locked")].toBool());
    EXPECT_FALSE(v.layer(QStringLiteral("R"))[QStringLiteral("locked")].toBool());
    EXPECT_TRUE(v.layer(QStringLiteral("S"))[QStringLiteral("locked")].toBool());
    EXPECT_TRUE(v.layer(QStringLiteral("R"))[QStringLiteral("frozen")].toBool()); // untouched
}

} // namespace
