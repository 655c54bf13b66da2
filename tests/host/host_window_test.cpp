// The host window: drawings opened, switched, saved and closed; the model
// and layout tabs; picking on screen; what the view draws.
#include "host_test_support.h"

#include "host/automation.h"
#include "host/ui/drawing_view.h"
#include "host/ui/host_window.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>
#include <QTimer>

using namespace hosttest;
namespace err = acad::err;

namespace {

class HostWindowTest : public HostFixture {
protected:
    bool withWindows() const override { return true; }
    void SetUp() override
    {
        HostFixture::SetUp();
        hostPtr = startOnTestDrawing();
        window = hostPtr->window();
        ASSERT_NE(window, nullptr);
        window->resize(900, 700);
        QApplication::processEvents();
        app = host::HostConnector(*registry).GetObject();
    }
    host::DrawingView *view() { return window->view(); }
    // Widget position of a point of the space shown.
    QPointF at(double x, double y) { return view()->viewTransform().map(QPointF(x, y)); }
    void click(const QPointF &pos, Qt::MouseButton button = Qt::LeftButton)
    {
        QMouseEvent press(QEvent::MouseButtonPress, pos, view()->mapToGlobal(pos), button, button, Qt::NoModifier);
        QApplication::sendEvent(view(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, pos, view()->mapToGlobal(pos), button, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view(), &release);
    }
    void drag(const QPointF &from, const QPointF &to)
    {
        QMouseEvent press(QEvent::MouseButtonPress, from, view()->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view(), &press);
        QMouseEvent move(QEvent::MouseMove, to, view()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view(), &move);
        QMouseEvent release(QEvent::MouseButtonRelease, to, view()->mapToGlobal(to), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view(), &release);
    }
    void key(int k, const QString &text = QString())
    {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
        QApplication::sendEvent(window, &press);
    }
    std::shared_ptr<host::Host> hostPtr;
    host::HostWindow *window = nullptr;
    acad::ApplicationPtr app;
};

TEST_F(HostWindowTest, TitleIsTheCaptionAndFollowsTheActiveDrawing)
{
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Lamoria Drawing Host - [test.dxf]");
    EXPECT_EQ(app->Caption(), window->windowTitle());

    const QString second = writeFile(QStringLiteral("second.dxf"), testDrawing());
    dialogs->openAnswers.push_back(second);
    window->openDrawing();
    EXPECT_EQ(app->Caption(), "Lamoria Drawing Host - [second.dxf]");
    ASSERT_EQ(window->drawingTabs()->count(), 2);
    EXPECT_EQ(window->drawingTabs()->currentIndex(), 1);

    // Switching the drawing tab is the user switching drawings.
    window->drawingTabs()->setCurrentIndex(0);
    EXPECT_EQ(app->ActiveDocument()->Name(), "test.dxf");
    EXPECT_EQ(window->windowTitle(), "Lamoria Drawing Host - [test.dxf]");
}

TEST_F(HostWindowTest, BadFilesGiveAMessageNamingFileAndLineAndChangeNothing)
{
    struct Case {
        const char *what;
        QByteArray bytes;
    };
    QByteArray truncated = testDrawing();
    truncated.truncate(truncated.size() / 2);
    const std::vector<Case> cases = {
        {"not a DXF", QByteArray("This is a letter, not a drawing.\r\n")},
        {"truncated", truncated},
        {"corrupt group code", QByteArray("  0\r\nSECTION\r\n  2\r\nHEADER\r\nabc\r\n$ACADVER\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n")},
    };
    for (const Case &c : cases) {
        const QString p = writeFile(QStringLiteral("bad.dxf"), c.bytes);
        dialogs->errors.clear();
        EXPECT_FALSE(window->openPath(p)) << c.what;
        ASSERT_EQ(dialogs->errors.size(), 1) << c.what;
        EXPECT_TRUE(dialogs->errors[0].contains(QStringLiteral("bad.dxf"))) << dialogs->errors[0].toStdString();
        EXPECT_TRUE(dialogs->errors[0].contains(QStringLiteral("line"))) << dialogs->errors[0].toStdString();
        EXPECT_EQ(hostPtr->drawings().size(), 1u);
        EXPECT_EQ(app->ActiveDocument()->Name(), "test.dxf");
    }
}

TEST_F(HostWindowTest, ClosingAskAboutUnsavedChanges)
{
    auto doc = app->ActiveDocument();
    doc->Layers()->Item(QStringLiteral("A-DOOR"))->setLayerOn(false);
    auto drawing = hostPtr->activeDrawing();

    dialogs->saveChangesAnswers.push_back(host::HostDialogs::SaveAnswer::Cancel);
    EXPECT_FALSE(window->closeDrawing(drawing.get()));
    EXPECT_EQ(hostPtr->drawings().size(), 1u);

    dialogs->saveChangesAnswers.push_back(host::HostDialogs::SaveAnswer::Save);
    EXPECT_TRUE(window->closeDrawing(drawing.get()));
    EXPECT_TRUE(hostPtr->drawings().empty());
    EXPECT_EQ(errorOf([&] { app->ActiveDocument(); }), err::NoDocument);
    EXPECT_EQ(window->windowTitle(), "Lamoria Drawing Host");
    EXPECT_TRUE(QFileInfo::exists(drawingPath + QStringLiteral(".bak")));

    // Saved: reopening shows the change; closing it unchanged asks nothing.
    ASSERT_TRUE(window->openPath(drawingPath));
    EXPECT_FALSE(app->ActiveDocument()->Layers()->Item(QStringLiteral("A-DOOR"))->LayerOn());
    EXPECT_TRUE(window->closeDrawing(hostPtr->activeDrawing().get()));
    EXPECT_TRUE(dialogs->questionsFor.size() == 2);
}

TEST_F(HostWindowTest, NewDrawingIsSavedUnderANameFirst)
{
    auto fresh = hostPtr->newDrawing();
    EXPECT_EQ(app->ActiveDocument()->Name(), "Drawing1.dwg");
    EXPECT_EQ(app->ActiveDocument()->FullName(), "");
    app->ActiveDocument()->Layers()->Add(QStringLiteral("ADDED"));
    const QString target = path(QStringLiteral("saved"));
    dialogs->saveAnswers.push_back(target);
    EXPECT_TRUE(window->saveDrawing(fresh.get()));
    EXPECT_EQ(app->ActiveDocument()->FullName(), QFileInfo(target + QStringLiteral(".dxf")).absoluteFilePath());
    EXPECT_EQ(app->ActiveDocument()->Name(), "saved.dxf");
    EXPECT_EQ(app->Caption(), "Lamoria Drawing Host - [saved.dxf]");
    EXPECT_TRUE(QFileInfo::exists(target + QStringLiteral(".dxf")));
    // A second new drawing of this host is Drawing2.
    hostPtr->newDrawing();
    EXPECT_EQ(app->ActiveDocument()->Name(), "Drawing2.dwg");
    dialogs->saveChangesAnswers.push_back(host::HostDialogs::SaveAnswer::Discard);
    dialogs->saveChangesAnswers.push_back(host::HostDialogs::SaveAnswer::Discard);
    app->ActiveDocument()->Layers()->Add(QStringLiteral("UNSAVED"));
    hostPtr->drawings().front()->drawing().setDirty(true);
    EXPECT_TRUE(window->exitHost());
    EXPECT_FALSE(hostPtr->isRunning());
    EXPECT_EQ(errorOf([&] { app->Caption(); }), err::HostClosed);
}

TEST_F(HostWindowTest, LayoutTabsAndDoubleClickIntoAViewport)
{
    auto doc = app->ActiveDocument();
    ASSERT_GE(window->layoutTabs()->count(), 2);
    EXPECT_EQ(window->layoutTabs()->tabText(0), "Model");
    EXPECT_EQ(doc->ActiveSpace(), 1);

    window->layoutTabs()->setCurrentIndex(1);
    EXPECT_EQ(doc->ActiveSpace(), 0);
    EXPECT_FALSE(doc->MSpace());

    // Viewport 110: centre (150,120), 200 x 150 paper units.
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at(150, 120), view()->mapToGlobal(at(150, 120)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view(), &dbl);
    EXPECT_TRUE(doc->MSpace());
    QMouseEvent outside(QEvent::MouseButtonDblClick, at(20, 20), view()->mapToGlobal(at(20, 20)),
                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view(), &outside);
    EXPECT_FALSE(doc->MSpace());

    window->layoutTabs()->setCurrentIndex(0);
    EXPECT_EQ(doc->ActiveSpace(), 1);
}

TEST_F(HostWindowTest, WindowStateAndPlacementThroughTheApplication)
{
    app->setWindowState(3);
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
    app->setWindowState(1);
    EXPECT_FALSE(window->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized));
    app->setWidth(800);
    app->setHeight(500);
    app->setWindowTop(40);
    app->setWindowLeft(30);
    EXPECT_EQ(window->frameGeometry().width(), 800);
    EXPECT_EQ(window->frameGeometry().height(), 500);
    EXPECT_EQ(window->frameGeometry().top(), 40);
    EXPECT_EQ(window->frameGeometry().left(), 30);
    app->setVisible(false);
    EXPECT_FALSE(window->isVisible());
    app->setVisible(true);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(errorOf([&] { app->setWindowState(4); }), err::InvalidInput);
    EXPECT_NO_THROW(app->Update());
}

TEST_F(HostWindowTest, PickOnScreenByClickAndWindow)
{
    auto doc = app->ActiveDocument();
    auto set = doc->SelectionSets()->Add(QStringLiteral("cSet"));
    // Click on line 100 (0,0)-(100,0), then Enter.
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(view()->picking());
        click(at(50, 0));
        key(Qt::Key_Return, QStringLiteral("\r"));
    });
    set->SelectOnScreen();
    ASSERT_EQ(set->Count(), 1);
    EXPECT_EQ(set->Item(0)->Handle(), "100");

    // A window from left to right takes what lies wholly inside: circle 102
    // (centre 50,30, radius 10), not the arc or the lines it touches.
    set->Clear();
    QTimer::singleShot(0, [&] {
        drag(at(38, 18), at(62, 42));
        key(Qt::Key_Return, QStringLiteral("\r"));
    });
    set->SelectOnScreen();
    ASSERT_EQ(set->Count(), 1);
    EXPECT_EQ(set->Item(0)->Handle(), "102");

    // Esc cancels: nothing is added.
    set->Clear();
    QTimer::singleShot(0, [&] {
        click(at(50, 0));
        key(Qt::Key_Escape);
    });
    set->SelectOnScreen();
    EXPECT_EQ(set->Count(), 0);

    // The drawing closed while the user picks: the pick ends, nothing breaks.
    QTimer::singleShot(0, [&] {
        click(at(50, 0));
        hostPtr->close(hostPtr->activeDrawing().get());
        click(at(50, 0));
    });
    set->SelectOnScreen();
    EXPECT_FALSE(view()->picking());
    EXPECT_EQ(errorOf([&] { set->Count(); }), err::NoDocument);
}

TEST_F(HostWindowTest, ViewDrawsVisibleLayersInTheirColours)
{
    QApplication::processEvents();
    QImage shot = window->grab().toImage();
    const QString out = qEnvironmentVariable("LAMORIA_SCREENSHOT");
    if (!out.isEmpty())
        shot.save(out);
    QImage v = view()->grab().toImage();
    // Pixels close to a colour (edges are smoothed against the background).
    auto count = [&](QRgb rgb) {
        int n = 0;
        for (int y = 0; y < v.height(); ++y)
            for (int x = 0; x < v.width(); ++x) {
                const QRgb p = v.pixel(x, y);
                if (std::abs(qRed(p) - qRed(rgb)) < 40 && std::abs(qGreen(p) - qGreen(rgb)) < 40
                    && std::abs(qBlue(p) - qBlue(rgb)) < 40)
                    ++n;
            }
        return n;
    };
    EXPECT_GT(count(qRgb(255, 0, 0)), 50) << "A-WALL-NEW is red";
    EXPECT_GT(count(qRgb(0, 255, 0)), 50) << "A-DOOR is green";
    EXPECT_EQ(count(qRgb(0, 255, 255)), 0) << "FROZEN (cyan) is not drawn";

    // Turning A-DOOR off takes its green away.
    app->ActiveDocument()->Layers()->Item(QStringLiteral("A-DOOR"))->setLayerOn(false);
    app->ActiveDocument()->Regen(1);
    QApplication::processEvents();
    v = view()->grab().toImage();
    EXPECT_EQ(count(qRgb(0, 255, 0)), 0);
}

} // namespace

namespace {

// The bundled example drawing in the window: model tab and the layout with
// its viewport both draw something.  With LAMORIA_SCREENSHOT set, both are
// saved as pictures (NAME-model.png, NAME-layout.png) to look at.
TEST_F(HostWindowTest, ExampleDrawingShowsModelAndLayout)
{
    const QString example = QStringLiteral(LAMORIA_SOURCE_DIR "/examples/example.dxf");
    if (!QFileInfo::exists(example))
        GTEST_SKIP() << "examples/example.dxf is not there";
    ASSERT_TRUE(window->openPath(example)) << dialogs->errors.join(QLatin1Char('\n')).toStdString();
    window->resize(1100, 800);
    QApplication::processEvents();
    const QString out = qEnvironmentVariable("LAMORIA_SCREENSHOT");
    QImage model = window->grab().toImage();
    EXPECT_GT(view()->lastPaintedItems(), 10);
    if (!out.isEmpty())
        model.save(out + QStringLiteral("-model.png"));
    ASSERT_GE(window->layoutTabs()->count(), 2);
    window->layoutTabs()->setCurrentIndex(1);
    QApplication::processEvents();
    QImage layout = window->grab().toImage();
    EXPECT_GT(view()->lastPaintedItems(), 10);
    if (!out.isEmpty())
        layout.save(out + QStringLiteral("-layout.png"));
}

} // namespace
