// Layer-name classes: the class combos, the split of a chosen layer, the
// class pattern and the class match, each through a program on a drawing.
#include "lists_fixture.h"

#include "lists/classes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace platform;
using liststest::L;

namespace {

const QString kAll = QStringLiteral("   (ALL)   ");
const QString kNone = QStringLiteral("  (指定しない)  ");

class Classes : public liststest::ListsFixture {
protected:
    app::Program &startNames(const QStringList &names, const QString &delimiter = QStringLiteral("-"))
    {
        std::vector<harness::LayerSpec> layers;
        for (const QString &n : names)
            layers.push_back({n});
        app::Program &p = start(layers);
        if (delimiter != p.gDelimiter) {
            p.gDelimiter = delimiter;
            p.pu_subSetCboItems();
        }
        return p;
    }
    QComboBox &combo(int i) { return *f().CboItem[static_cast<size_t>(i - 1)]; }
    QStringList classTexts(int i) { return harness::itemTexts(combo(i)).mid(2); }
    // A class text as a user types it (an entry of that text is selected).
    void setClass(int i, const QString &text)
    {
        QComboBox &c = combo(i);
        const int k = c.findText(text, Qt::MatchFixedString);
        if (k >= 0)
            c.setCurrentIndex(k);
        c.setEditText(text);
    }
};

// ---- the class combos --------------------------------------------------------

struct ComboCase {
    const char *name;
    QString delimiter;
    QStringList c1, c2, c3;
};

class ClassCombos : public Classes, public ::testing::WithParamInterface<ComboCase> {};

// Layers 0, A-1, A-2-X and B-1 written with the delimiter of the case.
TEST_P(ClassCombos, FilledFromTheDrawing)
{
    const ComboCase &c = GetParam();
    QStringList names{QStringLiteral("0")};
    for (const QStringList &parts : {L({"A", "1"}), L({"A", "2", "X"}), L({"B", "1"})})
        names << parts.join(c.delimiter);
    startNames(names, c.delimiter);
    for (int i = 1; i <= 4; ++i) {
        const QStringList items = harness::itemTexts(combo(i));
        ASSERT_GE(items.size(), 2);
        EXPECT_EQ(items.mid(0, 2), (QStringList{kAll, kNone})) << "CboItem" << i;
        if (i < 4) { // the hidden one as Chk4Class left it
            EXPECT_EQ(combo(i).currentIndex(), 0);
        }
    }
    EXPECT_EQ(classTexts(1), c.c1);
    EXPECT_EQ(classTexts(2), c.c2);
    EXPECT_EQ(classTexts(3), c.c3);
    EXPECT_EQ(classTexts(4), QStringList{});
}

INSTANTIATE_TEST_SUITE_P(
    Delimiters, ClassCombos,
    ::testing::Values(
        ComboCase{"Hyphen", QStringLiteral("-"), L({"0", "A", "B"}), L({"1", "2"}), L({"X"})},
        ComboCase{"Dot", QStringLiteral("."), L({"0", "A", "B"}), L({"1", "2"}), L({"X"})},
        ComboCase{"Plus", QStringLiteral("+"), L({"0", "A", "B"}), L({"1", "2"}), L({"X"})},
        ComboCase{"Space", QStringLiteral(" "), L({"0", "A", "B"}), L({"1", "2"}), L({"X"})},
        // Taken as one ordinary space: names joined by the ideographic space
        // are not split; only "0 " (its own added delimiter is ideographic
        // too) gives nothing either.
        ComboCase{"IdeographicSpace", QStringLiteral("\u3000"), {}, {}, {}},
        // The first character of a two-character delimiter stays on the class.
        ComboCase{"TwoCharacters", QStringLiteral("_-"), L({"0_", "A_", "B_"}), L({"1_", "2_"}), L({"X_"})},
        // Pattern characters of the delimiter are taken literally.
        ComboCase{"Dollar", QStringLiteral("$"), L({"0", "A", "B"}), L({"1", "2"}), L({"X"})}),
    [](const ::testing::TestParamInfo<ComboCase> &i) { return std::string(i.param.name); });

// Each class once whatever its letter case; sorted without regard to case.
TEST_F(Classes, CombosHoldEachClassOnceIgnoringCase)
{
    startNames(L({"b-1", "A-1", "a-2", "B-3", "c"}));
    ASSERT_EQ(classTexts(1).size(), 4); // with "0"
    EXPECT_EQ(classTexts(1)[0], QStringLiteral("0"));
    EXPECT_EQ(classTexts(1)[1].toUpper(), QStringLiteral("A"));
    EXPECT_EQ(classTexts(1)[2].toUpper(), QStringLiteral("B"));
    EXPECT_EQ(classTexts(1)[3], QStringLiteral("c"));
    EXPECT_EQ(classTexts(2), L({"1", "2", "3"}));
}

// ---- escaped delimiter, count, split, pattern --------------------------------

TEST(ClassText, EscapedDelimiter)
{
    const std::vector<std::pair<QString, QString>> cases{
        {QStringLiteral("-"), QStringLiteral("-")},
        {QStringLiteral("."), QStringLiteral("\\.")},
        {QStringLiteral("+"), QStringLiteral("\\+")},
        {QStringLiteral(" "), QStringLiteral("\\x20")},
        {QStringLiteral("\u3000"), QStringLiteral("\\x20")},
        {QStringLiteral("_"), QStringLiteral("_")},
        {QStringLiteral("*"), QStringLiteral("\\*")},
        {QStringLiteral(".-"), QStringLiteral("\\.-")},
    };
    for (const auto &[delimiter, escaped] : cases)
        EXPECT_EQ(lists::escapedDelimiter(delimiter), escaped) << delimiter.toStdString();
}

TEST(ClassText, DelimiterCount)
{
    EXPECT_EQ(lists::pu_fun_iDelimiterCount(QStringLiteral("A-B-C"), QStringLiteral("-")), 2);
    EXPECT_EQ(lists::pu_fun_iDelimiterCount(QStringLiteral("0"), QStringLiteral("-")), 0);
    EXPECT_EQ(lists::pu_fun_iDelimiterCount(QStringLiteral("A---B"), QStringLiteral("--")), 1);
    EXPECT_EQ(lists::pu_fun_iDelimiterCount(QStringLiteral("AxBXC"), QStringLiteral("x")), 1);
}

struct SplitCase {
    const char *name;
    QString layer;
    QString delimiter;
    int maxClass;
    QStringList classes;
};

class SplitName : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitName, Classes)
{
    const SplitCase &c = GetParam();
    QString s = c.layer + c.delimiter;
    int level = 0;
    lists::NameArray a = lists::emptyNameArray();
    lists::pu_subSplitLayerName(c.delimiter, s, c.maxClass, level, a);
    EXPECT_EQ(a, lists::toNameArray(c.classes));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitName,
    ::testing::Values(SplitCase{"FourOfFive", QStringLiteral("A-B-C-D-E"), QStringLiteral("-"), 4, L({"A", "B", "C", "D-E"})},
                      SplitCase{"ThreeOfFive", QStringLiteral("A-B-C-D-E"), QStringLiteral("-"), 3, L({"A", "B", "C-D-E"})},
                      SplitCase{"TwoOfThree", QStringLiteral("A-B"), QStringLiteral("-"), 3, L({"A", "B"})},
                      SplitCase{"One", QStringLiteral("WALL"), QStringLiteral("-"), 3, L({"WALL"})},
                      SplitCase{"Dot", QStringLiteral("A.B.C"), QStringLiteral("."), 3, L({"A", "B", "C"})},
                      SplitCase{"TwoCharacters", QStringLiteral("A_-B"), QStringLiteral("_-"), 3, L({"A_", "B_"})}),
    [](const ::testing::TestParamInfo<SplitCase> &i) { return std::string(i.param.name); });

TEST(ClassText, Pattern)
{
    const lists::NameArray d{QString(), QStringLiteral("A"), kAll, QStringLiteral("NEW")};
    EXPECT_EQ(lists::pu_fun_sClassPattern(QStringLiteral("-"), d, 3, true), QStringLiteral("^A-.+-NEW$"));
    EXPECT_EQ(lists::pu_fun_sClassPattern(QStringLiteral("-"), d, 2, false), QStringLiteral("A-.+"));
    EXPECT_EQ(lists::pu_fun_sClassPattern(QStringLiteral("."), d, 3, true), QStringLiteral("^A\\..+\\.NEW$"));
    const lists::NameArray none{QString(), kNone};
    EXPECT_EQ(lists::pu_fun_sClassPattern(QStringLiteral("-"), none, 0, true), QStringLiteral("^  (指定しない)  $"));
}

TEST(ClassText, ArrayExcept)
{
    lists::NameArray out;
    lists::pu_subArrayExcept(lists::toNameArray(L({"A", "B", "C", "D"})), lists::toNameArray(L({"D", "B", "X"})), out);
    EXPECT_EQ(out, lists::toNameArray(L({"A", "C"})));
    lists::pu_subArrayExcept(lists::toNameArray(L({"A"})), lists::emptyNameArray(), out);
    EXPECT_EQ(out, lists::toNameArray(L({"A"})));
    // Exact comparison: letter case counts.
    lists::pu_subArrayExcept(lists::toNameArray(L({"a", "A"})), lists::toNameArray(L({"A"})), out);
    EXPECT_EQ(out, lists::toNameArray(L({"a"})));
}

// ---- classes from the layer combo, the handlers --------------------------------

TEST_F(Classes, ChosenLayerSetsTheCombos)
{
    startNames(L({"0", "A-B", "A-B-C-D-E"}));
    harness::choose(*f().CboLayer, QStringLiteral("A-B-C-D-E"));
    EXPECT_EQ(combo(1).currentText(), QStringLiteral("A"));
    EXPECT_EQ(combo(2).currentText(), QStringLiteral("B"));
    EXPECT_EQ(combo(3).currentText(), QStringLiteral("C-D-E"));
    EXPECT_EQ(combo(4).currentIndex(), 1); // hidden, as the check box left it

    harness::click(*f().Chk4Class);
    harness::choose(*f().CboLayer, QStringLiteral("A-B-C-D-E"));
    EXPECT_EQ(combo(3).currentText(), QStringLiteral("C"));
    EXPECT_EQ(combo(4).currentText(), QStringLiteral("D-E"));

    harness::click(*f().Chk4Class);
    harness::choose(*f().CboLayer, QStringLiteral("A-B"));
    EXPECT_EQ(combo(1).currentText(), QStringLiteral("A"));
    EXPECT_EQ(combo(2).currentText(), QStringLiteral("B"));
    EXPECT_EQ(combo(3).currentIndex(), 1);
    EXPECT_EQ(combo(3).currentText(), kNone);

    harness::choose(*f().CboLayer, kAll);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(combo(i).currentIndex(), 0) << i;
}

TEST_F(Classes, DoubleClickAndCaptionClickSelectAll)
{
    startNames(L({"A-1-X"}));
    setClass(1, QStringLiteral("A"));
    setClass(2, QStringLiteral("1"));
    ASSERT_NE(combo(1).currentIndex(), 0);
    doubleClick(*combo(1).lineEdit());
    EXPECT_EQ(combo(1).currentIndex(), 0);
    EXPECT_EQ(combo(2).currentText(), QStringLiteral("1"));

    combo(4).setCurrentIndex(1); // hidden, "(指定しない)"
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(f().LblItem, &press);
    QApplication::sendEvent(f().LblItem, &release);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(combo(i).currentIndex(), 0) << i;
}

// ---- the class match -----------------------------------------------------------

struct MatchCase {
    const char *name;
    QStringList layers;
    QStringList classes; // CboItem1.. texts
    bool four;
    int inUse; // classes shown in the class text
    QString regExp;
    QStringList matched; // sorted
};

class ClassMatch : public Classes, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(ClassMatch, MatchedOtherAndTexts)
{
    const MatchCase &c = GetParam();
    app::Program &p = startNames(c.layers);
    if (c.four)
        harness::click(*f().Chk4Class);
    for (int i = 0; i < c.classes.size(); ++i)
        setClass(i + 1, c.classes[i]);
    lists::NameArray aMatch, aOther;
    QString items, regExp;
    lists::pr_subMatchLayers(p, aMatch, aOther, items, regExp);
    EXPECT_EQ(regExp, c.regExp);
    ASSERT_FALSE(aMatch.isEmpty());
    EXPECT_EQ(aMatch[0], QString());
    QStringList matched = lists::namesOf(aMatch);
    EXPECT_EQ(matched.size(), aMatch.size() - 1) << "no empty element";
    QStringList sorted = matched;
    sorted.sort();
    EXPECT_EQ(sorted, c.matched);
    // Matched and other add up to the drawing, each layer once.
    QStringList all = matched + lists::namesOf(aOther);
    all.sort();
    QStringList layers;
    for (const app::typLayerState &st : p.gLayersState)
        layers << st.Name;
    layers.sort();
    EXPECT_EQ(all, layers);
    QStringList shown;
    for (int i = 1; i <= c.inUse; ++i)
        shown << combo(i).currentText();
    EXPECT_EQ(items, shown.join(p.gDelimiter));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClassMatch,
    ::testing::Values(
        MatchCase{"MiddleFree", L({"0", "A-1", "a-2-new", "A-3-NEW", "B-1-NEW", "A-NEW", "A-1-NEWER"}),
                  {QStringLiteral("A"), kAll, QStringLiteral("NEW")}, false, 3, QStringLiteral("^A-.+-NEW$"),
                  L({"A-3-NEW", "a-2-new"})},
        MatchCase{"TrailingFreeUpToFour", L({"0", "A", "A-1", "a-2-x", "A-1-2-3", "B-1", "AB-1"}),
                  {QStringLiteral("A"), kAll, kAll}, false, 3,
                  QStringLiteral("^A$|^A-.+$|^A-.+-.+$|^A-.+-.+-.+$"), L({"A", "A-1", "A-1-2-3", "a-2-x"})},
        MatchCase{"AllMatchesEveryLayer", L({"0", "A-1", "A-B-C-D-E-F"}), {kAll, kAll, kAll}, false, 3,
                  QStringLiteral(".+$"), L({"0", "A-1", "A-B-C-D-E-F"})},
        MatchCase{"FirstNotSpecified", L({"0", "A-1", "  指定しない  "}), {kNone, kAll, kAll}, false, 2,
                  QStringLiteral("^  (指定しない)  $"), L({"  指定しない  "})},
        MatchCase{"NotSpecifiedClosesTheName", L({"A-B", "A-B-C", "A-BB", "A-B-C-D"}),
                  {QStringLiteral("a"), QStringLiteral("b"), kNone}, false, 3, QStringLiteral("^a-b$"), L({"A-B"})},
        MatchCase{"ClassIsAPattern", L({"A-1", "AB-1", "BA-1", "0"}), {QStringLiteral("A.*"), kAll, kAll}, false, 2,
                  QStringLiteral("^A.*$|^A.*-.+$"), L({"A-1", "AB-1"})},
        MatchCase{"FourthClass", L({"A-B-C-D", "A-B-C-E", "A-B-C", "0"}),
                  {kAll, kAll, kAll, QStringLiteral("D")}, true, 4, QStringLiteral("^.+-.+-.+-D$"), L({"A-B-C-D"})},
        MatchCase{"NothingMatches", L({"0", "A-1"}), {QStringLiteral("Z"), kAll, kAll}, false, 2,
                  QStringLiteral("^Z$|^Z-.+$"), {}},
        // A class that can run over a line end still matches names one by one.
        MatchCase{"ClassRunsOverLineEnds", L({"0", "A", "Z", "B-1"}), {QStringLiteral("[^Z]+"), kAll, kAll}, false, 2,
                  QStringLiteral("^[^Z]+$|^[^Z]+-.+$"), L({"0", "A", "B-1"})},
        // A class that can be empty does not match the empty end of the text.
        MatchCase{"OptionalClass", L({"x", "A", "0"}), {QStringLiteral("x?"), kAll, kAll}, false, 1,
                  QStringLiteral("^x?$"), L({"x"})}),
    [](const ::testing::TestParamInfo<MatchCase> &i) { return std::string(i.param.name); });

TEST_F(Classes, UnbalancedParenthesisRaises)
{
    app::Program &p = startNames(L({"A-1"}));
    setClass(1, QStringLiteral("A("));
    lists::NameArray aMatch, aOther;
    QString items, regExp;
    try {
        lists::pr_subMatchLayers(p, aMatch, aOther, items, regExp);
        ADD_FAILURE() << "no error";
    } catch (const platform::PlatformError &e) {
        EXPECT_EQ(e.number(), 5020);
    }
}

} // namespace

namespace {

// "4分類": the combos and delimiter labels move, the fourth combo and the
// third label appear with "(ALL)", or hide with "(指定しない)".
TEST_F(Classes, FourClassesCheckBoxPlacesTheCombos)
{
    startNames(L({"A-1"}));
    for (const bool ticked : {true, false}) {
        harness::click(*f().Chk4Class);
        ASSERT_EQ(f().Chk4Class->isChecked(), ticked);
        for (int i = 0; i < (ticked ? 4 : 3); ++i) {
            QComboBox *c = f().CboItem[static_cast<size_t>(i)];
            EXPECT_NEAR(f().controlLeft(c), ticked ? 945 + 1750 * i : 945 + 2385 * i, 15) << i;
            EXPECT_NEAR(f().controlWidth(c), ticked ? 1430 : 1905, 15) << i;
        }
        for (int j = 0; j < (ticked ? 3 : 2); ++j)
            EXPECT_NEAR(f().controlLeft(f().LblItemDeli[static_cast<size_t>(j)]),
                        ticked ? 2400 + 1740 * j : 2925 + 2385 * j, 15) << j;
        EXPECT_EQ(f().CboItem[3]->isVisible(), ticked);
        EXPECT_EQ(f().LblItemDeli[2]->isVisible(), ticked);
        EXPECT_EQ(f().CboItem[3]->currentIndex(), ticked ? 0 : 1);
    }
}

} // namespace
