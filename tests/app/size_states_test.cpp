// The four height states of the main window: the snap of a user's resize,
// the frames each state shows, and size cycling.
#include "harness/program/program_fixture.h"
#include "harness/widgets.h"

#include "app/frm_main.h"
#include "app/program.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

using app::FrmMain;

namespace {

class SizeStatesTest : public harness::ProgramFixture {
protected:
    FrmMain &start()
    {
        startHost({drawingFile(QStringLiteral("s.dxf"), {{QStringLiteral("0")}})});
        return startProgram().frmMain();
    }

    // A user drags the window's bottom edge to this client height (pixels).
    static void dragToPixels(FrmMain &f, int clientPx) { f.resize(f.width(), clientPx); }
    static int pixelsFor(int twips) { return (twips - FrmMain::kNonClientHeight) / 15; }

    // Which of the six parts are shown, as "L I E F N O" letters.
    static QString shown(FrmMain &f)
    {
        QString s;
        s += f.FraLayer->isVisibleTo(&f) ? 'L' : '-';
        s += f.FraItem->isVisibleTo(&f) ? 'I' : '-';
        s += f.FraExecuteMode->isVisibleTo(&f) ? 'E' : '-';
        s += f.FraList->isVisibleTo(&f) ? 'F' : '-';
        s += f.LstON->isVisibleTo(&f) ? 'N' : '-';
        s += f.LstOFF->isVisibleTo(&f) ? 'O' : '-';
        s += f.CmdInfo->isVisibleTo(&f) ? 'i' : '-';
        return s;
    }

    static void doubleClick(QWidget &w, QPoint at)
    {
        QMouseEvent press(QEvent::MouseButtonDblClick, QPointF(at), w.mapToGlobal(QPointF(at)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &press);
    }
};

TEST_F(SizeStatesTest, DragSnapsToTheNearestState)
{
    FrmMain &f = start();
    struct Case {
        int px;       // client height the user drags to
        int expected; // window height afterwards (twips)
    };
    // Pixel heights around each midpoint (1117.5, 1622.5, 3400) and the
    // full-view floor; at 15 twips per pixel the window is 390 twips taller.
    const Case cases[] = {
        {10, 900},   {48, 900},    // 1110
        {49, 1335},  {82, 1335},   // 1125, 1620
        {83, 1910},  {pixelsFor(2000), 1910}, {200, 1910}, // 1635, 1995, 3390
        {201, 4890}, {pixelsFor(3500), 4890}, {299, 4890}, // 3405, 3495, 4875
        {300, 4890}, {374, 6000},  // 4890 stays, 6000 stays
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.px);
        dragToPixels(f, c.px);
        EXPECT_EQ(f.Height(), c.expected);
        EXPECT_EQ(f.Width(), FrmMain::kFormWidth);
    }
}

TEST_F(SizeStatesTest, ListsGrowWithTallWindows)
{
    FrmMain &f = start();
    dragToPixels(f, pixelsFor(6000));
    EXPECT_EQ(f.Height(), 6000);
    // Within a pixel (15 twips).
    EXPECT_NEAR(f.controlHeight(f.LstON), 3700, 15);
    EXPECT_NEAR(f.controlHeight(f.LstOFF), 3700, 15);
    f.setHeight(FrmMain::kFullHeight);
    EXPECT_NEAR(f.controlHeight(f.LstON), 2590, 15);
}

TEST_F(SizeStatesTest, EachStateShowsExactlyItsFrames)
{
    FrmMain &f = start();
    app::Program &p = program();
    struct Case {
        int height;
        int smallViewClass;
        const char *parts;
        int itemTop;
    };
    // The order matters: the option switched off while the class frame
    // stands at the top must not leave it covering the layer frame.
    const Case cases[] = {
        {900, 0, "L------", 315},  {900, 1, "-I-----", -90},
        {1335, 0, "LI----i", 315}, {1335, 1, "LI----i", 315},
        {1910, 1, "LIE---i", 315}, {4890, 1, "LIEFNOi", 315},
        {6000, 0, "LIEFNOi", 315},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.height);
        SCOPED_TRACE(c.smallViewClass);
        p.gSmallViewClass = c.smallViewClass;
        f.setHeight(c.height == 900 ? 1335 : 900);
        f.setHeight(c.height);
        EXPECT_EQ(f.Height(), c.height);
        EXPECT_EQ(shown(f), QString::fromLatin1(c.parts));
        EXPECT_EQ(f.controlTop(f.FraItem), c.itemTop);
    }
}

TEST_F(SizeStatesTest, SizeButtonCyclesThroughTheStates)
{
    FrmMain &f = start();
    dragToPixels(f, pixelsFor(6000));
    ASSERT_EQ(f.Height(), 6000);
    const int sequence[] = {1910, 1335, 900, 4890, 1910};
    for (int expected : sequence) {
        harness::click(*f.CmdFormSize);
        EXPECT_EQ(f.Height(), expected);
    }
}

TEST_F(SizeStatesTest, DoubleClicksOnBackgroundAndFramesCycle)
{
    FrmMain &f = start();
    f.show();
    f.setHeight(FrmMain::kFullHeight);
    struct Target {
        const char *name;
        QWidget *w;
    };
    const Target targets[] = {
        {"background", &f},
        {"FraLayer", f.FraLayer},
        {"FraItem", f.FraItem},
        {"FraExecuteMode", f.FraExecuteMode},
        {"FraList", f.FraList},
    };
    for (const Target &t : targets) {
        SCOPED_TRACE(t.name);
        f.setHeight(FrmMain::kFullHeight);
        // A spot of the widget's own background.
        QPoint at(t.w->width() - 3, t.w->height() - 3);
        if (t.w == &f)
            at = QPoint(f.width() - 3, f.height() - 3);
        ASSERT_EQ(t.w->childAt(at), nullptr);
        doubleClick(*t.w, at);
        EXPECT_EQ(f.Height(), 1910);
    }
    // A double-click on a control inside a frame is the control's.
    f.setHeight(FrmMain::kFullHeight);
    doubleClick(*f.LblItem, QPoint(2, 2));
    EXPECT_EQ(f.Height(), FrmMain::kFullHeight);
}

TEST_F(SizeStatesTest, ControlsSitAtTheirDesignPositions)
{
    FrmMain &f = start();
    struct Pos {
        QWidget *w;
        int left, top, width, height;
    };
    f.setHeight(FrmMain::kFullHeight);
    const Pos positions[] = {
        {f.FraLayer, 90, -90, 10410, 465},      {f.FraItem, 90, 315, 10410, 495},
        {f.FraExecuteMode, 120, 930, 5190, 510}, {f.FraList, 60, 1560, 11415, 2835},
        {f.LstON, 90, 1820, 3703, 2590},        {f.LstOFF, 4455, 1820, 3703, 2590},
        {f.CmdEND, 10560, 30, 915, 330},        {f.CmdInfo, 10560, 420, 915, 330},
        {f.CmdSetting, 10560, 990, 915, 330},
    };
    for (const Pos &p : positions) {
        SCOPED_TRACE(p.w->objectName().toStdString());
        // Within a pixel (15 twips) of the design.
        EXPECT_NEAR(f.controlLeft(p.w), p.left, 15);
        EXPECT_NEAR(f.controlTop(p.w), p.top, 15);
        EXPECT_NEAR(f.controlWidth(p.w), p.width, 15);
        EXPECT_NEAR(f.controlHeight(p.w), p.height, 15);
    }
}

} // namespace
