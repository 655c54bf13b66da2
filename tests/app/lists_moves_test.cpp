// Moving layers between the ON and OFF lists: the five buttons, the caption
// and list double-clicks, and the lookups of clsUniqueListBox.
#include "lists_fixture.h"

#include "lists/list_fill.h"
#include "lists/unique_list_box.h"

#include <QComboBox>

using namespace platform;
using liststest::L;

namespace {

class ListsMoves : public liststest::ListsFixture {
protected:
    // ON: 0, b2, d4, f6;  OFF: A1, c3, E5 (display mode).
    app::Program &startSix()
    {
        return start({{QStringLiteral("0")},
                      {QStringLiteral("f6")},
                      {QStringLiteral("E5"), false},
                      {QStringLiteral("d4")},
                      {QStringLiteral("c3"), false},
                      {QStringLiteral("b2")},
                      {QStringLiteral("A1"), false}});
    }
    void expectCounts()
    {
        EXPECT_EQ(f().LblON->text(), QStringLiteral("ONﾘｽﾄ：表示 [%1個]").arg(on().size()));
        EXPECT_EQ(f().LblOFF->text(), QStringLiteral("OFFﾘｽﾄ：非表示 [%1個]").arg(off().size()));
    }
    void expectNothingSelected()
    {
        EXPECT_TRUE(harness::selectedTexts(*f().LstON).isEmpty());
        EXPECT_TRUE(harness::selectedTexts(*f().LstOFF).isEmpty());
    }
};

TEST_F(ListsMoves, SelectedLayersMoveToTheirSortedPlaces)
{
    startSix();
    harness::clickItem(*f().LstOFF, QStringLiteral("A1"));
    harness::clickItem(*f().LstOFF, QStringLiteral("E5"), Qt::ControlModifier);
    harness::click(*f().CmdMoveON);
    EXPECT_EQ(on(), L({"0", "A1", "b2", "d4", "E5", "f6"}));
    EXPECT_EQ(off(), L({"c3"}));
    expectCounts();
    expectNothingSelected();
    EXPECT_TRUE(f().CmdListDWG->isEnabled());

    // A range with Shift, then ">".
    harness::clickItem(*f().LstON, QStringLiteral("b2"));
    harness::clickItem(*f().LstON, QStringLiteral("E5"), Qt::ShiftModifier);
    harness::click(*f().CmdMoveOFF);
    EXPECT_EQ(on(), L({"0", "A1", "f6"}));
    EXPECT_EQ(off(), L({"b2", "c3", "d4", "E5"}));
    expectCounts();
    expectNothingSelected();
}

// With selections in both lists, "<" clears the ON selection and moves only
// what is selected in OFF; ">" the other way round.
TEST_F(ListsMoves, SelectionsInBothLists)
{
    startSix();
    harness::clickItem(*f().LstON, QStringLiteral("d4"));
    harness::clickItem(*f().LstOFF, QStringLiteral("c3"));
    harness::click(*f().CmdMoveON);
    EXPECT_EQ(on(), L({"0", "b2", "c3", "d4", "f6"}));
    EXPECT_EQ(off(), L({"A1", "E5"}));
    expectNothingSelected();

    harness::clickItem(*f().LstOFF, QStringLiteral("A1"));
    harness::clickItem(*f().LstON, QStringLiteral("0"));
    harness::clickItem(*f().LstON, QStringLiteral("f6"), Qt::ControlModifier);
    harness::click(*f().CmdMoveOFF);
    EXPECT_EQ(on(), L({"b2", "c3", "d4"}));
    EXPECT_EQ(off(), L({"0", "A1", "E5", "f6"}));
    expectNothingSelected();
}

TEST_F(ListsMoves, NothingSelectedOrEmptyStillMarksEdited)
{
    startSix();
    harness::click(*f().CmdMoveON);
    EXPECT_EQ(on(), L({"0", "b2", "d4", "f6"}));
    EXPECT_EQ(off(), L({"A1", "c3", "E5"}));
    EXPECT_TRUE(f().CmdListDWG->isEnabled());

    chooseMode(0);
    ASSERT_FALSE(f().CmdListDWG->isEnabled());
    harness::click(*f().CmdMoveON_ALL);
    EXPECT_EQ(on(), L({"0", "A1", "b2", "c3", "d4", "E5", "f6"}));
    EXPECT_TRUE(off().isEmpty());
    harness::clickItem(*f().LstON, QStringLiteral("c3"));
    harness::click(*f().CmdMoveON_ALL); // empty OFF list: only the selection goes
    EXPECT_EQ(on().size(), 7);
    expectNothingSelected();
    expectCounts();
    EXPECT_TRUE(f().CmdListDWG->isEnabled());

    harness::click(*f().CmdMoveOFF_ALL);
    EXPECT_TRUE(on().isEmpty());
    EXPECT_EQ(off(), L({"0", "A1", "b2", "c3", "d4", "E5", "f6"}));
    expectCounts();
}

TEST_F(ListsMoves, SwapTwiceRestores)
{
    startSix();
    harness::clickItem(*f().LstON, QStringLiteral("b2"));
    harness::clickItem(*f().LstOFF, QStringLiteral("c3"));
    harness::click(*f().CmdReverse);
    EXPECT_EQ(on(), L({"A1", "c3", "E5"}));
    EXPECT_EQ(off(), L({"0", "b2", "d4", "f6"}));
    expectCounts();
    expectNothingSelected();
    EXPECT_TRUE(f().CmdListDWG->isEnabled());
    harness::click(*f().CmdReverse);
    EXPECT_EQ(on(), L({"0", "b2", "d4", "f6"}));
    EXPECT_EQ(off(), L({"A1", "c3", "E5"}));
    expectNothingSelected();
}

// Double-clicking the OFF caption selects the whole OFF list: "<" then
// moves every layer; ">" instead clears that selection first.
TEST_F(ListsMoves, CaptionDoubleClickThenMove)
{
    startSix();
    doubleClick(*f().LblOFF);
    EXPECT_EQ(harness::selectedTexts(*f().LstOFF), L({"A1", "c3", "E5"}));
    EXPECT_FALSE(f().CmdListDWG->isEnabled());
    harness::click(*f().CmdMoveOFF);
    EXPECT_EQ(on(), L({"0", "b2", "d4", "f6"}));
    EXPECT_EQ(off(), L({"A1", "c3", "E5"}));

    doubleClick(*f().LblOFF);
    harness::click(*f().CmdMoveON);
    EXPECT_EQ(on(), L({"0", "A1", "b2", "c3", "d4", "E5", "f6"}));
    EXPECT_TRUE(off().isEmpty());

    doubleClick(*f().LblON);
    EXPECT_EQ(harness::selectedTexts(*f().LstON).size(), 7);
}

// Many layers at once (the batch path) land in the same order as a few.
TEST_F(ListsMoves, ManyLayersMoveInOrder)
{
    std::vector<harness::LayerSpec> layers{{QStringLiteral("0")}};
    QStringList expected{QStringLiteral("0")};
    for (int i = 0; i < 60; ++i) {
        const QString name = (i % 2 ? QStringLiteral("l%1") : QStringLiteral("L%1")).arg(i, 2, 10, QLatin1Char('0'));
        layers.push_back({name, i % 3 != 0});
        expected << name;
    }
    start(layers);
    doubleClick(*f().LblOFF);
    harness::click(*f().CmdMoveON);
    EXPECT_EQ(on(), expected);
    EXPECT_TRUE(off().isEmpty());

    // Every other layer back: a Ctrl-click selection of many ranges.
    QStringList back;
    for (int i = 1; i < expected.size(); i += 2) {
        harness::clickItem(*f().LstON, expected[i], i == 1 ? Qt::NoModifier : Qt::ControlModifier);
        back << expected[i];
    }
    harness::click(*f().CmdMoveOFF);
    EXPECT_EQ(off(), back);
    EXPECT_EQ(on().size() + off().size(), expected.size());
    expectNothingSelected();
}

TEST_F(ListsMoves, ListDoubleClickSetsTheLayerCombo)
{
    app::Program &p = startSix();
    QString seen;
    QObject::connect(f().CboLayer, &QComboBox::currentTextChanged, f().CboLayer,
                     [&seen](const QString &t) { seen = t; });
    harness::doubleClickItem(*f().LstOFF, 2);
    EXPECT_EQ(f().CboLayer->currentText(), QStringLiteral("E5"));
    EXPECT_EQ(seen, QStringLiteral("E5"));
    harness::doubleClickItem(*f().LstON, 1);
    EXPECT_EQ(f().CboLayer->currentText(), QStringLiteral("b2"));
    EXPECT_EQ(on(), L({"0", "b2", "d4", "f6"}));
    EXPECT_EQ(off(), L({"A1", "c3", "E5"}));
    EXPECT_FALSE(f().CmdListDWG->isEnabled());
    (void)p;
}

// pr_subMoveToON / pr_subMoveToOFF: add unless present (ignoring case),
// remove the whole-name match only.
TEST_F(ListsMoves, MoveProceduresAddUniqueAndRemoveWholeNames)
{
    app::Program &p = start({{QStringLiteral("0")},
                             {QStringLiteral("A")},
                             {QStringLiteral("A-1"), false},
                             {QStringLiteral("B"), false}});
    lists::pr_subMoveToON(p, L({"", "a", "B", "", "Z"}));
    EXPECT_EQ(on(), L({"0", "A", "B", "Z"}));
    EXPECT_EQ(off(), L({"A-1"}));
    EXPECT_EQ(f().LblOFF->text(), QStringLiteral("OFFﾘｽﾄ：非表示 [2個]")); // not rewritten
    EXPECT_FALSE(f().CmdListDWG->isEnabled());

    lists::pr_subMoveToOFF(p, L({"", "z", "0"}));
    EXPECT_EQ(on(), L({"A", "B"}));
    EXPECT_EQ(off(), L({"0", "A-1", "z"}));
}

struct FindCase {
    const char *text;
    bool bPart;
    int index;
};

void PrintTo(const FindCase &c, std::ostream *os)
{
    *os << '"' << c.text << "\" bPart=" << c.bPart;
}

class UniqueListBoxFind : public ListsMoves, public ::testing::WithParamInterface<FindCase> {};

TEST_P(UniqueListBoxFind, WholeOrPrefix)
{
    const FindCase &c = GetParam();
    app::Program &p = start({{QStringLiteral("0")}, {QStringLiteral("A-1"), false},
                             {QStringLiteral("Ab"), false}});
    // LstOFF: A-1, Ab
    EXPECT_EQ(p.gUniqueLstOFF.cls_fun_iFindItemIndex(QString::fromUtf8(c.text), c.bPart).toInt(),
              c.index);
}

INSTANTIATE_TEST_SUITE_P(Lookups, UniqueListBoxFind,
                         ::testing::Values(FindCase{"A", true, -1}, FindCase{"A", false, 0},
                                           FindCase{"ab", true, 1}, FindCase{"AB", false, 1},
                                           FindCase{"a-1", true, 0}, FindCase{"x", false, -1},
                                           FindCase{"", true, -1}));

TEST_F(ListsMoves, AddItemIgnoresCaseAndSorts)
{
    app::Program &p = startSix();
    p.gUniqueLstOFF.clsAddItem(QStringLiteral("a1"));
    EXPECT_EQ(off(), L({"A1", "c3", "E5"}));
    p.gUniqueLstOFF.clsAddItem(QStringLiteral("B9"));
    EXPECT_EQ(off(), L({"A1", "B9", "c3", "E5"}));
}

} // namespace
