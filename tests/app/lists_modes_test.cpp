// The processing modes: what each puts into the ON and OFF lists, the count
// captions, the option colours, and when the lists are refilled.
#include "lists_fixture.h"

#include "lists/list_fill.h"

using namespace platform;
using liststest::L;

namespace {

class ListsModes : public liststest::ListsFixture {
protected:
    // Layers added out of order, with every property set differently.
    app::Program &startMixed()
    {
        harness::LayerSpec zeta{QStringLiteral("zeta")};
        zeta.frozen = true;
        zeta.plottable = false;
        harness::LayerSpec alpha{QStringLiteral("Alpha"), false};
        alpha.frozen = true;
        alpha.vpDefault = true;
        harness::LayerSpec beta{QStringLiteral("beta")};
        beta.locked = true;
        beta.plottable = false;
        harness::LayerSpec gamma{QStringLiteral("Gamma"), false};
        gamma.locked = true;
        gamma.vpDefault = true;
        return start({{QStringLiteral("0")}, zeta, alpha, beta, gamma});
    }
};

struct ModeCase {
    int mode;
    QStringList on;
    QStringList off;
    QString onCaption;
    QString offCaption;
};

void PrintTo(const ModeCase &c, std::ostream *os)
{
    *os << "mode " << c.mode;
}

class ListsModeTable : public ListsModes, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ListsModeTable, ListsAndCaptions)
{
    const ModeCase &c = GetParam();
    startMixed();
    // Leave the lists edited first: the switch must not keep the edits.
    harness::click(*f().CmdMoveON_ALL);
    ASSERT_TRUE(f().CmdListDWG->isEnabled());

    chooseMode(c.mode);

    EXPECT_EQ(on(), c.on);
    EXPECT_EQ(off(), c.off);
    EXPECT_EQ(f().LblON->text(), c.onCaption + QString::number(c.on.size()) + QStringLiteral("個]"));
    EXPECT_EQ(f().LblOFF->text(), c.offCaption + QString::number(c.off.size()) + QStringLiteral("個]"));
    EXPECT_FALSE(f().CmdListDWG->isEnabled());
    EXPECT_TRUE(harness::selectedTexts(*f().LstON).isEmpty());
    EXPECT_TRUE(harness::selectedTexts(*f().LstOFF).isEmpty());
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(f().OptExeMode[i]->isChecked(), i == c.mode);
        EXPECT_TRUE(f().OptExeMode[i]->styleSheet().contains(
            i == c.mode ? QStringLiteral("rgb(255,128,128)") : QStringLiteral("rgb(128,255,255)")))
            << "option " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ListsModeTable,
    ::testing::Values(
        ModeCase{0, L({"0", "beta", "zeta"}), L({"Alpha", "Gamma"}), QStringLiteral("ONﾘｽﾄ：表示 ["),
                 QStringLiteral("OFFﾘｽﾄ：非表示 [")},
        ModeCase{1, L({"Alpha", "zeta"}), L({"0", "beta", "Gamma"}),
                 QStringLiteral("ONﾘｽﾄ：全てのﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞ ["),
                 QStringLiteral("OFFﾘｽﾄ：全てのﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞしない [")},
        ModeCase{2, L({"beta", "Gamma"}), L({"0", "Alpha", "zeta"}),
                 QStringLiteral("ONﾘｽﾄ：編集ロック ["), QStringLiteral("OFFﾘｽﾄ：編集可能 [")},
        ModeCase{3, L({"0", "Alpha", "Gamma"}), L({"beta", "zeta"}),
                 QStringLiteral("ONﾘｽﾄ：印刷する ["), QStringLiteral("OFFﾘｽﾄ：印刷しない [")},
        ModeCase{4, {}, {}, QStringLiteral("ONﾘｽﾄ：現在のﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞ ["),
                 QStringLiteral("OFFﾘｽﾄ：現在のﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞしない [")},
        ModeCase{5, L({"Alpha", "Gamma"}), L({"0", "beta", "zeta"}),
                 QStringLiteral("ONﾘｽﾄ：新しいﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞ ["),
                 QStringLiteral("OFFﾘｽﾄ：新しいﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞしない [")}),
    [](const ::testing::TestParamInfo<ModeCase> &i) { return "Mode" + std::to_string(i.param.mode); });

TEST_F(ListsModes, StartShowsDisplayModeSorted)
{
    startMixed();
    EXPECT_TRUE(f().OptExeMode[0]->isChecked());
    EXPECT_EQ(on(), L({"0", "beta", "zeta"}));
    EXPECT_EQ(off(), L({"Alpha", "Gamma"}));
    EXPECT_EQ(f().LblON->text(), QStringLiteral("ONﾘｽﾄ：表示 [3個]"));
    EXPECT_EQ(f().LblOFF->text(), QStringLiteral("OFFﾘｽﾄ：非表示 [2個]"));
}

// A change made in the drawing is not seen by a mode switch (the snapshot
// as last read), only by "現在の状態を読込む", which also drops the edits.
TEST_F(ListsModes, SwitchUsesSnapshotImportRereadsDrawing)
{
    startMixed();
    drawing().setLayerOn(layerId(QStringLiteral("Alpha")), true);
    chooseMode(2);
    chooseMode(0);
    EXPECT_EQ(off(), L({"Alpha", "Gamma"}));

    harness::clickItem(*f().LstON, QStringLiteral("beta"));
    harness::click(*f().CmdMoveOFF);
    ASSERT_TRUE(f().CmdListDWG->isEnabled());

    harness::click(*f().CmdListImport);
    EXPECT_EQ(on(), L({"0", "Alpha", "beta", "zeta"}));
    EXPECT_EQ(off(), L({"Gamma"}));
    EXPECT_EQ(f().LblON->text(), QStringLiteral("ONﾘｽﾄ：表示 [4個]"));
    EXPECT_FALSE(f().CmdListDWG->isEnabled());

    chooseMode(4);
    harness::click(*f().CmdListImport);
    EXPECT_TRUE(on().isEmpty());
    EXPECT_TRUE(off().isEmpty());
    EXPECT_EQ(f().LblOFF->text(), QStringLiteral("OFFﾘｽﾄ：現在のﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞしない [0個]"));
}

// Name arrays: element 0 empty, names in list order; filling from arrays
// skips empty elements and sorts.
TEST_F(ListsModes, NameArraysInAndOut)
{
    app::Program &p = startMixed();
    lists::NameArray aOn;
    lists::NameArray aOff;
    lists::pr_subGetListArrays(p, aOn, aOff);
    EXPECT_EQ(aOn, L({"", "0", "beta", "zeta"}));
    EXPECT_EQ(aOff, L({"", "Alpha", "Gamma"}));

    lists::pr_subSetLists(p, L({"", "b", "", "C", "a", "d"}), lists::emptyNameArray());
    EXPECT_EQ(on(), L({"a", "b", "C", "d"}));
    EXPECT_TRUE(off().isEmpty());
    lists::pr_subGetListArrays(p, aOn, aOff);
    EXPECT_EQ(aOff, L({""}));
    // Neither touches the captions or the apply button.
    EXPECT_EQ(f().LblON->text(), QStringLiteral("ONﾘｽﾄ：表示 [3個]"));
    EXPECT_FALSE(f().CmdListDWG->isEnabled());
}

} // namespace
