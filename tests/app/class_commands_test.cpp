// The class commands and their match dialog: the dialog's states, captions,
// moves and outcomes; each command in each mode with OK, Cancel, the close
// box and the lists-only button, checked in the drawing through the host
// (and once through a saved file read by ezdxf).
#include "lists_fixture.h"
#include "../host/dxf_test_util.h"

#include "lists/frm_match_layer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>

#include <functional>

using namespace platform;
using liststest::L;

namespace {

const QString kAll = QStringLiteral("   (ALL)   ");

enum Cmd { On, Off, Excl };

class ClassCommands : public liststest::ListsFixture {
protected:
    // "0" (current), A-1 and B-1 with every property set, A-2 with none.
    app::Program &startFour(int onOffDetail = 0)
    {
        std::vector<harness::LayerSpec> layers{{QStringLiteral("0")}};
        for (const char *n : {"A-1", "A-2", "B-1"}) {
            harness::LayerSpec s{QString::fromUtf8(n)};
            const bool set = QByteArray(n) != "A-2";
            s.on = set;
            s.frozen = s.locked = s.vpDefault = set;
            s.plottable = set;
            layers.push_back(s);
        }
        app::Program &p = start(layers);
        p.gOnOffDetail = onOffDetail;
        return p;
    }
    void setClass(int i, const QString &text)
    {
        QComboBox *c = f().CboItem[static_cast<size_t>(i - 1)];
        const int k = c->findText(text, Qt::MatchFixedString);
        if (k >= 0)
            c->setCurrentIndex(k);
        c->setEditText(text);
    }
    QPushButton *button(Cmd c)
    {
        return c == On ? f().CmdItemON : c == Off ? f().CmdItemOFF : f().CmdItemExclusiveON;
    }
    quint64 regens() { return openDrawing().generation(); }
    static lists::FrmMatchLayer &dialog(QWidget &w) { return static_cast<lists::FrmMatchLayer &>(w); }
};

// ---- the dialog ----------------------------------------------------------------

class MatchDialogDetail : public ClassCommands, public ::testing::WithParamInterface<int> {};

// Opens collapsed or expanded by the option; the details button toggles.
TEST_P(MatchDialogDetail, HeightFollowsTheOption)
{
    const bool detail = GetParam() != 0;
    startFour(GetParam());
    setClass(1, QStringLiteral("A"));
    bool ran = false;
    ui().onForm(QStringLiteral("frmMatchLayer"), [&](QWidget &w) {
        lists::FrmMatchLayer &d = dialog(w);
        ran = true;
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Lamoria Ver2.01"));
        EXPECT_EQ(d.Height(), detail ? 5625 : 2595);
        EXPECT_EQ(d.FraList->isVisible(), detail);
        EXPECT_EQ(d.CmdListView->text(), detail ? QStringLiteral("<<詳細を隠す") : QStringLiteral("詳細を表示>>"));
        harness::click(*d.CmdListView);
        EXPECT_EQ(d.Height(), detail ? 2595 : 5625);
        EXPECT_EQ(d.FraList->isVisible(), !detail);
        EXPECT_EQ(d.CmdListView->text(), detail ? QStringLiteral("詳細を表示>>") : QStringLiteral("<<詳細を隠す"));
        EXPECT_EQ(d.LblItems->text(), QStringLiteral("A-   (ALL)   "));
        EXPECT_EQ(d.LblRegExp->text(), QStringLiteral("^A$|^A-.+$"));
        EXPECT_EQ(d.LblON->text(), QStringLiteral("マッチした処理対象画層（2個）"));
        EXPECT_EQ(d.LblOFF->text(), QStringLiteral("対象外（2個）"));
        harness::click(*d.CmdCancel);
    });
    harness::click(*f().CmdItemON);
    EXPECT_TRUE(ran);
}

INSTANTIATE_TEST_SUITE_P(Option, MatchDialogDetail, ::testing::Values(0, 1));

struct CaptionCase {
    int mode;
    const char *on, *off, *excl;
};

class MatchDialogCaption : public ClassCommands, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(MatchDialogCaption, ProcessCaptionAndColour)
{
    const CaptionCase &c = GetParam();
    startFour();
    chooseMode(c.mode);
    const std::vector<std::pair<Cmd, std::pair<const char *, QColor>>> runs{
        {On, {c.on, QColor(255, 128, 128)}}, {Off, {c.off, QColor(128, 128, 255)}}, {Excl, {c.excl, QColor(255, 255, 128)}}};
    for (const auto &[cmd, expected] : runs) {
        ui().onForm(QStringLiteral("frmMatchLayer"), [&](QWidget &w) {
            lists::FrmMatchLayer &d = dialog(w);
            EXPECT_EQ(d.Lbl4->text(), QStringLiteral("にマッチした処理対象画層を"));
            EXPECT_EQ(d.LblProcess->text(), QString::fromUtf8(expected.first));
            EXPECT_EQ(d.LblProcess->palette().color(QPalette::Window), expected.second);
            EXPECT_EQ(d.Lbl5->text(), QStringLiteral("します。"));
            harness::click(*d.CmdCancel);
        });
        harness::click(*button(cmd));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, MatchDialogCaption,
    ::testing::Values(
        CaptionCase{0, "表示", "非表示", "排他表示"},
        CaptionCase{1, "全てのﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞに設定", "全てのﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞを解除", "全てのﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞの排他設定"},
        CaptionCase{2, "編集ロックに設定", "編集ロックを解除", "排他ロック"},
        CaptionCase{3, "印刷するに設定", "印刷しないに設定", "印刷するの排他設定"},
        CaptionCase{4, "現在のﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞに設定", "現在のﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞを解除", "現在のﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞの排他設定"},
        CaptionCase{5, "新しいﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞの設定", "新しいﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞの解除", "新しいﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞの排他設定"}),
    [](const ::testing::TestParamInfo<CaptionCase> &i) { return "Mode" + std::to_string(i.param.mode); });

// The counts follow every move and always add up; the lists-only button
// hands back the lists as moved.
TEST_F(ClassCommands, MovesCountsAndListsOnly)
{
    startFour(1);
    setClass(1, QStringLiteral("A"));
    const auto counts = [](lists::FrmMatchLayer &d) {
        const QString on = d.LblON->text();
        const QString off = d.LblOFF->text();
        EXPECT_TRUE(on.startsWith(QStringLiteral("マッチした処理対象画層（")) && on.endsWith(QStringLiteral("個）")));
        EXPECT_TRUE(off.startsWith(QStringLiteral("対象外（")) && off.endsWith(QStringLiteral("個）")));
        const int n = on.mid(12, on.size() - 14).toInt();
        const int m = off.mid(4, off.size() - 6).toInt();
        EXPECT_EQ(n, d.LstON->count());
        EXPECT_EQ(m, d.LstOFF->count());
        EXPECT_EQ(n + m, 4);
    };
    ui().onForm(QStringLiteral("frmMatchLayer"), [&](QWidget &w) {
        lists::FrmMatchLayer &d = dialog(w);
        EXPECT_EQ(harness::itemTexts(*d.LstON), L({"A-1", "A-2"}));
        EXPECT_EQ(harness::itemTexts(*d.LstOFF), L({"0", "B-1"}));
        EXPECT_EQ(d.LstOFF->palette().color(QPalette::Base), QColor(192, 192, 192));
        counts(d);
        harness::clickItem(*d.LstON, QStringLiteral("A-2"));
        harness::click(*d.CmdMoveOFF);
        counts(d);
        harness::click(*d.CmdReverse);
        counts(d);
        EXPECT_EQ(harness::itemTexts(*d.LstON), L({"0", "A-2", "B-1"}));
        harness::click(*d.CmdMoveOFF_ALL);
        counts(d);
        harness::click(*d.CmdMoveON_ALL);
        counts(d);
        harness::clickItem(*d.LstON, QStringLiteral("0"));
        harness::clickItem(*d.LstON, QStringLiteral("A-1"), Qt::ControlModifier);
        harness::click(*d.CmdMoveOFF);
        counts(d);
        EXPECT_EQ(harness::itemTexts(*d.LstON), L({"A-2", "B-1"}));
        harness::clickItem(*d.LstOFF, QStringLiteral("0"));
        harness::click(*d.CmdMoveON);
        counts(d);
        harness::click(*d.CmdONList);
    });
    harness::click(*f().CmdItemExclusiveON);
    EXPECT_EQ(on(), L({"0", "A-2", "B-1"}));
    EXPECT_EQ(off(), L({"A-1"}));
    EXPECT_TRUE(f().CmdListDWG->isEnabled());
    // Nothing written.
    EXPECT_TRUE(drawing().layerOn(layerId(QStringLiteral("A-1"))));
    EXPECT_FALSE(drawing().layerOn(layerId(QStringLiteral("A-2"))));
    EXPECT_TRUE(drawing().layerOn(layerId(QStringLiteral("B-1"))));
    EXPECT_TRUE(f().LblON->text().endsWith(QStringLiteral("[3個]"))) << f().LblON->text().toStdString();
}

// Cancel and the close box give both flags false and the arrays as passed;
// OK with every matched layer moved away gives an ON array of element 0 only.
TEST_F(ClassCommands, DialogOutcomes)
{
    app::Program &p = startFour();
    const lists::NameArray on0 = lists::toNameArray(L({"A-1", "A-2"}));
    const lists::NameArray off0 = lists::toNameArray(L({"0", "B-1"}));
    for (const char *how : {"cancel", "close", "ok"}) {
        lists::NameArray on = on0, off = off0;
        QString process = QStringLiteral("排他表示");
        bool ok = true, onList = true;
        ui().onForm(QStringLiteral("frmMatchLayer"), [&](QWidget &w) {
            lists::FrmMatchLayer &d = dialog(w);
            harness::click(*d.CmdListView);
            harness::click(*d.CmdMoveOFF_ALL); // lost unless OK
            if (QByteArray(how) == "cancel")
                harness::click(*d.CmdCancel);
            else if (QByteArray(how) == "close")
                d.close();
            else
                harness::click(*d.CmdOK);
        });
        lists::pu_subFormShow(p, on, off, QStringLiteral("A"), QStringLiteral("^A$"), process, ok, onList);
        EXPECT_FALSE(onList) << how;
        if (QByteArray(how) == "ok") {
            EXPECT_TRUE(ok);
            EXPECT_EQ(on, lists::emptyNameArray());
            EXPECT_EQ(off, lists::toNameArray(L({"0", "A-1", "A-2", "B-1"})));
        } else {
            EXPECT_FALSE(ok) << how;
            EXPECT_EQ(on, on0) << how;
            EXPECT_EQ(off, off0) << how;
        }
        EXPECT_EQ(process, QStringLiteral("排他表示"));
    }
}

// ---- the commands ----------------------------------------------------------------

struct ModeCase {
    int mode;
    const char *property;
    std::function<bool(const host::Drawing &, host::LayerId)> read;
    bool regen;
};

class ClassCommandModes : public ClassCommands,
                          public ::testing::WithParamInterface<std::tuple<ModeCase, int>> {};

// Class A: matched; 0 and B-1 the others.
TEST_P(ClassCommandModes, OkWritesTheDrawingAndReloads)
{
    const ModeCase &c = std::get<0>(GetParam());
    const Cmd cmd = static_cast<Cmd>(std::get<1>(GetParam()));
    app::Program &p = startFour();
    chooseMode(c.mode);
    setClass(1, QStringLiteral("A"));
    harness::clickItem(*f().LstON, 0);
    harness::click(*f().CmdMoveOFF); // an unapplied edit, dropped by the reload
    const quint64 before = regens();
    const std::map<QString, bool> was{{QStringLiteral("0"), c.read(drawing(), layerId(QStringLiteral("0")))},
                                      {QStringLiteral("B-1"), true}};
    f().setHeight(app::FrmMain::kFullHeight);
    ui().onDoEvents([this] { f().setHeight(app::FrmMain::kSmallHeight); });
    ui().onForm(QStringLiteral("frmMatchLayer"), [](QWidget &w) { harness::click(*dialog(w).CmdOK); });
    harness::click(*button(cmd));

    for (const char *n : {"A-1", "A-2"})
        EXPECT_EQ(c.read(drawing(), layerId(QString::fromUtf8(n))), cmd != Off) << c.property << " " << n;
    for (const auto &[name, value] : was)
        EXPECT_EQ(c.read(drawing(), layerId(name)), cmd == Excl ? false : value) << c.property << " " << name.toStdString();
    EXPECT_EQ(regens() != before, c.regen);
    EXPECT_EQ(f().Height(), app::FrmMain::kFullHeight);
    EXPECT_FALSE(f().CmdListDWG->isEnabled());
    QStringList expectedOn;
    for (const app::typLayerState &s : p.gLayersState)
        if (c.read(drawing(), layerId(s.Name)))
            expectedOn << s.Name;
    EXPECT_EQ(on(), expectedOn);
    EXPECT_EQ(on().size() + off().size(), 4);
}

std::string modeCaseName(const ::testing::TestParamInfo<std::tuple<ModeCase, int>> &i)
{
    static const char *const kCmd[] = {"ON", "OFF", "Exclusive"};
    return std::string(std::get<0>(i.param).property) + "_" + kCmd[std::get<1>(i.param)];
}

INSTANTIATE_TEST_SUITE_P(
    All, ClassCommandModes,
    ::testing::Combine(
        ::testing::Values(
            ModeCase{0, "LayerOn", [](const host::Drawing &d, host::LayerId l) { return d.layerOn(l); }, true},
            ModeCase{1, "Freeze", [](const host::Drawing &d, host::LayerId l) { return d.layerFrozen(l); }, true},
            ModeCase{2, "Lock", [](const host::Drawing &d, host::LayerId l) { return d.layerLocked(l); }, false},
            ModeCase{3, "Plottable", [](const host::Drawing &d, host::LayerId l) { return d.layerPlottable(l); }, false},
            ModeCase{5, "ViewportDefault",
                     [](const host::Drawing &d, host::LayerId l) { return d.layerFrozenInNewViewports(l); }, false}),
        ::testing::Values(On, Off, Excl)),
    modeCaseName);

// Freezing with the current layer among the matched: one message, the
// others frozen, Regen.
TEST_F(ClassCommands, FreezeSkipsTheCurrentLayer)
{
    startFour();
    chooseMode(app::ModeFreeze);
    const quint64 before = regens();
    ui().onForm(QStringLiteral("frmMatchLayer"), [](QWidget &w) { harness::click(*dialog(w).CmdOK); });
    ui().expectMsgBox(QStringLiteral("現在アクティブな画層：0\r\nはフリーズすることができません。"),
                      vbOKOnly + vbExclamation, vbOK);
    harness::click(*f().CmdItemON); // every class (ALL)
    EXPECT_FALSE(drawing().layerFrozen(layerId(QStringLiteral("0"))));
    for (const char *n : {"A-1", "A-2", "B-1"})
        EXPECT_TRUE(drawing().layerFrozen(layerId(QString::fromUtf8(n)))) << n;
    EXPECT_NE(regens(), before);
}

class ClassCommandCancel : public ClassCommands, public ::testing::WithParamInterface<bool> {};

// Cancel or the close box: nothing written, the lists reloaded (hand moves
// lost), the apply button disabled.
TEST_P(ClassCommandCancel, ReloadsTheLists)
{
    const bool closeBox = GetParam();
    startFour();
    chooseMode(app::ModePlot);
    const QStringList on0 = on();
    harness::click(*f().CmdMoveOFF_ALL);
    ASSERT_TRUE(f().CmdListDWG->isEnabled());
    ui().onForm(QStringLiteral("frmMatchLayer"), [closeBox](QWidget &w) {
        if (closeBox)
            w.close();
        else
            harness::click(*dialog(w).CmdCancel);
    });
    harness::click(*f().CmdItemExclusiveON);
    EXPECT_EQ(on(), on0);
    EXPECT_FALSE(f().CmdListDWG->isEnabled());
    EXPECT_FALSE(drawing().layerPlottable(layerId(QStringLiteral("A-2"))));
    EXPECT_TRUE(drawing().layerPlottable(layerId(QStringLiteral("B-1"))));
}

INSTANTIATE_TEST_SUITE_P(How, ClassCommandCancel, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &i) { return i.param ? "CloseBox" : "Cancel"; });

// The lists-only button: ON adds to LstON, OFF to LstOFF, exclusive sets
// both lists exactly; the drawing stays; the lists count as edited.
TEST_F(ClassCommands, ListsOnlyInEveryCommand)
{
    startFour();
    chooseMode(app::ModeLock);
    ASSERT_EQ(on(), L({"A-1", "B-1"}));
    setClass(1, QStringLiteral("A"));
    const auto listsOnly = [this](Cmd cmd) {
        ui().onForm(QStringLiteral("frmMatchLayer"), [](QWidget &w) { harness::click(*dialog(w).CmdONList); });
        harness::click(*button(cmd));
        EXPECT_TRUE(f().CmdListDWG->isEnabled());
        f().CmdListDWG->setEnabled(false);
    };
    listsOnly(Off);
    EXPECT_EQ(on(), L({"B-1"}));
    EXPECT_EQ(off(), L({"0", "A-1", "A-2"}));
    listsOnly(On);
    EXPECT_EQ(on(), L({"A-1", "A-2", "B-1"}));
    EXPECT_EQ(off(), L({"0"}));
    setClass(1, QStringLiteral("B"));
    listsOnly(Excl);
    EXPECT_EQ(on(), L({"B-1"}));
    EXPECT_EQ(off(), L({"0", "A-1", "A-2"}));
    EXPECT_TRUE(drawing().layerLocked(layerId(QStringLiteral("A-1"))));
    EXPECT_FALSE(drawing().layerLocked(layerId(QStringLiteral("A-2"))));
}

// Current-viewport mode on the model tab: the first message only.
TEST_F(ClassCommands, CurrentViewportModeOnTheModelTab)
{
    startFour();
    chooseMode(app::ModeNowFreeze);
    harness::click(*f().CmdMoveON_ALL);
    const QStringList on0 = on();
    ui().onForm(QStringLiteral("frmMatchLayer"), [](QWidget &w) { harness::click(*dialog(w).CmdOK); });
    ui().expectMsgBox(QStringLiteral("モデルタブがアクティブです。\r\n"
                                     "レイアウトタブをアクティブにしてフリーズ設定したい浮動ビューポート\r\n"
                                     "のモデル空間をアクティブ（ダブルクリックにて選択）にしてから実行してください"),
                      vbOKOnly + vbExclamation, vbOK);
    harness::click(*f().CmdItemON);
    EXPECT_EQ(on(), on0);
    EXPECT_FALSE(QFileInfo::exists(programFolder() + QStringLiteral("/lamo_script_vpfreeze.scr")));
}

// A class text that is no valid pattern ends the command in its error box.
TEST_F(ClassCommands, MalformedClassEndsInTheErrorBox)
{
    startFour();
    setClass(1, QStringLiteral("A("));
    ui().expectMsgBox(errorText(QStringLiteral("CmdItemOFF_Click"), 5020,
                                QStringLiteral("Expected ')' in regular expression")),
                      vbOKOnly + vbCritical, vbOK);
    harness::click(*f().CmdItemOFF);
    EXPECT_FALSE(ui().formsShown().contains(QStringLiteral("frmMatchLayer")));
}

// The written drawing read back by an independent reader.
TEST_F(ClassCommands, SavedDrawingReadByEzdxf)
{
    if (!dxftest::haveEzdxf())
        GTEST_SKIP() << "python3-ezdxf is not installed";
    startFour();
    chooseMode(app::ModeLock);
    setClass(1, QStringLiteral("a"));
    ui().onForm(QStringLiteral("frmMatchLayer"), [](QWidget &w) { harness::click(*dialog(w).CmdOK); });
    harness::click(*f().CmdItemExclusiveON);
    const QString path = tempPath(QStringLiteral("saved/classes.dxf"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    openDrawing().saveAs(path);
    const dxftest::EzdxfView v = dxftest::ezdxfRead(path);
    ASSERT_TRUE(v.ran) << v.failure.toStdString();
    EXPECT_FALSE(v.auditErrors) << v.auditMessages.join(QStringLiteral("; ")).toStdString();
    EXPECT_TRUE(v.layer(QStringLiteral("A-1"))[QStringLiteral("locked")].toBool());
    EXPECT_TRUE(v.layer(QStringLiteral("A-2"))[QStringLiteral("locked")].toBool());
    EXPECT_FALSE(v.layer(QStringLiteral("B-1"))[QStringLiteral("locked")].toBool());
    EXPECT_FALSE(v.layer(QStringLiteral("0"))[QStringLiteral("locked")].toBool());
    EXPECT_TRUE(v.layer(QStringLiteral("B-1"))[QStringLiteral("frozen")].toBool()); // untouched
}

} // namespace

namespace {

// Classes that match nothing: OK writes nothing but still regenerates and
// reloads the lists.
TEST_F(ClassCommands, NothingMatchedStillRegeneratesAndReloads)
{
    startFour();
    setClass(1, QStringLiteral("Z"));
    harness::click(*f().CmdMoveOFF_ALL);
    const quint64 before = regens();
    ui().onForm(QStringLiteral("frmMatchLayer"), [](QWidget &w) {
        lists::FrmMatchLayer &d = dialog(w);
        EXPECT_EQ(d.LblON->text(), QStringLiteral("マッチした処理対象画層（0個）"));
        harness::click(*d.CmdOK);
    });
    harness::click(*f().CmdItemOFF);
    EXPECT_NE(regens(), before);
    EXPECT_EQ(on(), L({"0", "A-1", "B-1"}));
    EXPECT_TRUE(drawing().layerOn(layerId(QStringLiteral("A-1"))));
    EXPECT_FALSE(f().CmdListDWG->isEnabled());
}

// Current-viewport mode on a layout with paper space active: the second
// message only.
TEST_F(ClassCommands, CurrentViewportModeInPaperSpace)
{
    startFour();
    chooseMode(app::ModeNowFreeze);
    openDrawing().setActiveLayout(1);
    ASSERT_EQ(program().gAcadDoc->ActiveSpace(), 0);
    ASSERT_FALSE(program().gAcadDoc->MSpace());
    ui().onForm(QStringLiteral("frmMatchLayer"), [](QWidget &w) { harness::click(*dialog(w).CmdOK); });
    ui().expectMsgBox(QStringLiteral("浮動ビューポート内のモデル空間をアクティブにしてから実行してください。"),
                      vbOKOnly + vbExclamation, vbOK);
    harness::click(*f().CmdItemOFF);
    EXPECT_TRUE(on().isEmpty());
    EXPECT_TRUE(off().isEmpty());
}

} // namespace
