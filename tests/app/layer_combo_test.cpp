// The layer frame: the combo's lookup while typing, the button states, the
// commands "ｱｸﾃｨﾌﾞ", "追加", "修正", "(&ALL)" and the caption "画　層".
#include "harness/program/program_fixture.h"
#include "harness/widgets.h"
#include "fake_acad.h"

#include "app/frm_main.h"
#include "app/program.h"
#include "lists/layer_combo.h"
#include "platform/platform.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

using namespace platform;

namespace {

class LayerComboTest : public harness::ProgramFixture {
protected:
    app::Program &start()
    {
        // "_TMP" sorts before "0": the first layer entry is not always "0".
        startHost({drawingFile(QStringLiteral("plan.dxf"),
                               {{QStringLiteral("0")},
                                {QStringLiteral("WALL")},
                                {QStringLiteral("Door")},
                                {QStringLiteral("_TMP")}})});
        app::Program &p = startProgram();
        p.frmMain().setHeight(app::FrmMain::kClassHeight); // the layer frame in view
        return p;
    }
    QString activeLayer() { return program().gAcadDoc->ActiveLayer()->Name(); }
    bool layerExists(const QString &name)
    {
        for (const acad::LayerPtr &l : acad::layersOf(*program().gAcadDoc->Layers()))
            if (l->Name() == name)
                return true;
        return false;
    }
    static QString errorStart(const char *proc)
    {
        return QStringLiteral("エラーが ") + QLatin1String(proc) + QStringLiteral(" で発生しました。");
    }
};

struct TypeCase {
    const char *label;
    const char *typed;
    const char *entry; // entry selected, "" for none
    bool act, add, modify;
};

class LayerComboTyping : public LayerComboTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(LayerComboTyping, SelectionAndButtons)
{
    const TypeCase &c = GetParam();
    app::FrmMain &f = start().frmMain();
    const QString typed = QString::fromUtf8(c.typed);
    harness::type(*f.CboLayer, typed);
    EXPECT_EQ(f.CboLayer->currentText(), typed); // the typed text stays as typed
    const QString entry = QString::fromUtf8(c.entry);
    if (entry.isEmpty())
        EXPECT_EQ(f.CboLayer->currentIndex(), -1);
    else
        EXPECT_EQ(f.CboLayer->itemText(f.CboLayer->currentIndex()), entry);
    EXPECT_EQ(f.CmdLayerAct->isEnabled(), c.act);
    EXPECT_EQ(f.CmdLayerAdd->isEnabled(), c.add);
    EXPECT_EQ(f.CmdLayerMofify->isEnabled(), c.modify);
}

INSTANTIATE_TEST_SUITE_P(
    LayerCombo, LayerComboTyping,
    ::testing::Values(TypeCase{"OtherLetterCase", "wall", "WALL", true, false, true},
                      TypeCase{"ExactName", "Door", "Door", true, false, true},
                      TypeCase{"CurrentLayer", "0", "0", false, false, false},
                      TypeCase{"NewName", "ROOF", "", false, true, false},
                      // A prefix of a name is no match: the lookup is exact.
                      TypeCase{"Prefix", "WAL", "", false, true, false},
                      TypeCase{"AllEntry", "   (ALL)   ", "   (ALL)   ", false, false, false},
                      // A layer sorting before "0" can still be renamed.
                      TypeCase{"SortsBeforeZero", "_tmp", "_TMP", true, false, true}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(LayerComboTest, ChoosingEntriesAndAllButton)
{
    app::FrmMain &f = start().frmMain();
    EXPECT_EQ(harness::itemTexts(*f.CboLayer),
              (QStringList{"   (ALL)   ", "_TMP", "0", "Door", "WALL"}));
    // Right after the fill "(ALL)" is selected and every button is off.
    EXPECT_FALSE(f.CmdLayerAct->isEnabled() || f.CmdLayerAdd->isEnabled() ||
                 f.CmdLayerMofify->isEnabled());
    harness::choose(*f.CboLayer, QStringLiteral("WALL"));
    EXPECT_TRUE(f.CmdLayerAct->isEnabled());
    EXPECT_TRUE(f.CmdLayerMofify->isEnabled());

    f.CboItem[0]->setCurrentIndex(2);
    f.CboItem[3]->setCurrentIndex(1);
    harness::click(*f.CmdLayerAll);
    EXPECT_EQ(f.CboLayer->currentIndex(), 0);
    for (QComboBox *c : f.CboItem)
        EXPECT_EQ(c->currentIndex(), 0);
    EXPECT_FALSE(f.CmdLayerAct->isEnabled() || f.CmdLayerAdd->isEnabled() ||
                 f.CmdLayerMofify->isEnabled());
}

TEST_F(LayerComboTest, ActiveMakesTheChosenLayerCurrent)
{
    app::FrmMain &f = start().frmMain();
    harness::type(*f.CboLayer, QStringLiteral("door"));
    harness::click(*f.CmdLayerAct);
    EXPECT_EQ(activeLayer(), QStringLiteral("Door"));
}

TEST_F(LayerComboTest, AddAskedAndAnsweredYesMakesTheNewLayerCurrentAndSelected)
{
    app::Program &p = start();
    app::FrmMain &f = p.frmMain();
    const QString question = QStringLiteral("キー入力された画層名を図面に追加します。\rよろしいですか？");

    harness::type(*f.CboLayer, QStringLiteral("ROOF"));
    ui().expectMsgBox(question, vbYesNo + vbQuestion, vbNo).title(QStringLiteral("画層追加"));
    harness::click(*f.CmdLayerAdd);
    EXPECT_FALSE(layerExists(QStringLiteral("ROOF")));

    ui().expectMsgBox(question, vbYesNo + vbQuestion, vbYes).title(QStringLiteral("画層追加"));
    harness::click(*f.CmdLayerAdd);
    EXPECT_TRUE(layerExists(QStringLiteral("ROOF")));
    EXPECT_EQ(activeLayer(), QStringLiteral("ROOF"));
    // The combo was filled again and holds the new layer, selected.
    EXPECT_EQ(harness::itemTexts(*f.CboLayer),
              (QStringList{"   (ALL)   ", "_TMP", "0", "Door", "ROOF", "WALL"}));
    EXPECT_EQ(f.CboLayer->itemText(f.CboLayer->currentIndex()), QStringLiteral("ROOF"));
    EXPECT_EQ(f.CboLayer->currentText(), QStringLiteral("ROOF"));
    EXPECT_FALSE(f.CmdLayerAct->isEnabled()); // it is the current layer now
    EXPECT_FALSE(f.CmdLayerAdd->isEnabled());
    EXPECT_TRUE(f.CmdLayerMofify->isEnabled());
    EXPECT_EQ(p.gLayersState.UBound(), 5);
}

TEST_F(LayerComboTest, AddingAnInvalidNameShowsTheErrorBox)
{
    app::Program &p = start();
    app::FrmMain &f = p.frmMain();
    harness::type(*f.CboLayer, QStringLiteral("A<B"));
    ui().expectMsgBox().title(QStringLiteral("画層追加")).answer(vbYes);
    ui().expectMsgBox().textContains(errorStart("CmdLayerAdd_Click")).style(vbCritical);
    harness::click(*f.CmdLayerAdd);
    EXPECT_FALSE(layerExists(QStringLiteral("A<B")));
    EXPECT_FALSE(p.hasEnded());
}

struct RenameCase {
    const char *label;
    const char *answer; // "" = the box cancelled
    const char *errorProc; // the error box expected, or ""
    bool hint;             // the at-least-one-character message expected
    const char *layerAfter; // the name layer WALL has afterwards
};

class LayerRename : public LayerComboTest, public ::testing::WithParamInterface<RenameCase> {};

TEST_P(LayerRename, AnswerOfTheInputBox)
{
    const RenameCase &c = GetParam();
    app::FrmMain &f = start().frmMain();
    harness::type(*f.CboLayer, QStringLiteral("wall"));
    auto &box = ui().expectInputBox()
                    .text(QStringLiteral("画層：wall　の画層名を修正します。"))
                    .title(QStringLiteral("画層名の修正"))
                    .defaultText(QStringLiteral("wall"));
    const QString answer = QString::fromUtf8(c.answer);
    if (answer.isEmpty())
        box.cancel();
    else
        box.answer(answer);
    if (c.hint)
        ui().expectMsgBox(QStringLiteral("画層名は1文字以上の英数字を指定してください。"),
                          vbOKOnly + vbExclamation, vbOK);
    if (*c.errorProc)
        ui().expectMsgBox().textContains(errorStart(c.errorProc)).style(vbCritical);
    harness::click(*f.CmdLayerMofify);

    const QString after = QString::fromUtf8(c.layerAfter);
    EXPECT_TRUE(layerExists(after));
    EXPECT_TRUE(layerExists(QStringLiteral("Door")));
    if (after != QStringLiteral("WALL")) {
        EXPECT_FALSE(layerExists(QStringLiteral("WALL")));
        EXPECT_EQ(f.CboLayer->currentText(), after);
        EXPECT_EQ(f.CboLayer->itemText(f.CboLayer->currentIndex()), after);
        EXPECT_TRUE(harness::itemTexts(*f.CboLayer).contains(after));
    }
}

INSTANTIATE_TEST_SUITE_P(
    LayerCombo, LayerRename,
    ::testing::Values(RenameCase{"Renamed", "PARTITION", "", false, "PARTITION"},
                      RenameCase{"Cancelled", "", "", true, "WALL"},
                      RenameCase{"NameInUse", "DOOR", "CmdLayerMofify_Click", false, "WALL"},
                      RenameCase{"InvalidName", "A*B", "CmdLayerMofify_Click", false, "WALL"}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(LayerComboTest, CaptionClickShowsTheCurrentLayerAndDoubleClickReloads)
{
    app::Program &p = start();
    app::FrmMain &f = p.frmMain();
    p.gAcadDoc->setActiveLayer(p.gAcadDoc->Layers()->Item(QStringLiteral("Door")));
    p.gAcadDoc->Layers()->Add(QStringLiteral("LATE"));

    const QPointF at(3, 3);
    QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, at, at, Qt::LeftButton, Qt::NoButton, {});
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, at, Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(f.LblLayer, &press);
    QApplication::sendEvent(f.LblLayer, &release);
    EXPECT_EQ(f.CboLayer->currentText(), QStringLiteral("Door"));
    EXPECT_EQ(f.CboLayer->itemText(f.CboLayer->currentIndex()), QStringLiteral("Door"));
    EXPECT_FALSE(f.CmdLayerAct->isEnabled());
    EXPECT_FALSE(harness::itemTexts(*f.CboLayer).contains(QStringLiteral("LATE")));

    QApplication::sendEvent(f.LblLayer, &dbl);
    QApplication::sendEvent(f.LblLayer, &release);
    EXPECT_TRUE(harness::itemTexts(*f.CboLayer).contains(QStringLiteral("LATE")));
    EXPECT_EQ(f.CboLayer->currentIndex(), 0); // the reload selects "(ALL)" again
}

// ---- a stale document on the caption click ---------------------------------------

constexpr long kDisconnected = -2147417848;

class StaleDocument : public fake::Document {
public:
    using fake::Document::Document;
    acad::LayerPtr ActiveLayer() const override
    {
        if (failures > 0) {
            --failures;
            throw acad::AcadError(kDisconnected, QStringLiteral("disconnected from its clients"));
        }
        return fake::Document::ActiveLayer();
    }
    mutable int failures = 0;
};

struct StaleCase {
    const char *label;
    int failures;
    bool errorBox;
};

class LayerCaptionStale : public LayerComboTest, public ::testing::WithParamInterface<StaleCase> {};

TEST_P(LayerCaptionStale, DocumentReadAgainOnce)
{
    auto log = std::make_shared<fake::Log>();
    auto application = std::make_shared<fake::Application>();
    fake::LayerData zero;
    zero.name = QStringLiteral("0");
    fake::LayerData wall;
    wall.name = QStringLiteral("WALL");
    auto doc = std::make_shared<StaleDocument>(log, QStringLiteral("/work/plans"),
                                               QStringLiteral("p.dwg"),
                                               std::vector<fake::LayerData>{zero, wall},
                                               QStringList{QStringLiteral("Continuous")});
    application->document = doc;
    fake::Connector connector;
    connector.running = application;
    app::Program &p = makeProgram(connector);
    expectTilingQuestion(vbCancel);
    p.Main();
    ASSERT_FALSE(p.hasEnded());

    doc->failures = GetParam().failures;
    if (GetParam().errorBox)
        ui().expectMsgBox().textContains(errorStart("LblLayer_Click")).style(vbCritical);
    lists::LblLayer_Click(p);
    EXPECT_EQ(p.frmMain().CboLayer->currentText(),
              GetParam().errorBox ? QStringLiteral("   (ALL)   ") : QStringLiteral("0"));
}

INSTANTIATE_TEST_SUITE_P(LayerCombo, LayerCaptionStale,
                         ::testing::Values(StaleCase{"Answers", 0, false},
                                           StaleCase{"StaleOnce", 1, false},
                                           // Still stale after the new read: reported, no endless retry.
                                           StaleCase{"StaleTwice", 2, true}),
                         [](const auto &info) { return std::string(info.param.label); });

} // namespace
