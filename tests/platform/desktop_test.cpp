// Window functions and application activation.
#include "harness/fixture.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

#include <gtest/gtest.h>

using namespace platform;
using namespace harness;

namespace {

class Windows : public PlatformFixture {};

TEST_F(Windows, FindTestPropertiesAndForget)
{
    auto *w = new QWidget;
    w->setWindowTitle(QStringLiteral("Lamoria - A.dwg"));
    w->show();
    const Hwnd h = platform().FindWindow(QStringLiteral("lamoria - a.DWG")); // case-insensitive
    ASSERT_NE(h, 0);
    EXPECT_EQ(platform().widgetOf(h), w);
    EXPECT_EQ(platform().hwnd(w), h);
    EXPECT_LT(h, qint64(1) << 31);
    EXPECT_EQ(platform().FindWindow(QStringLiteral("Lamoria")), 0);

    EXPECT_EQ(platform().GetProp(h, "prophwnd"), 0);
    EXPECT_TRUE(platform().SetProp(h, "prophwnd", h));
    EXPECT_EQ(platform().GetProp(h, "PROPHWND"), h);
    EXPECT_EQ(platform().RemoveProp(h, "prophwnd"), h);
    EXPECT_EQ(platform().GetProp(h, "prophwnd"), 0);

    EXPECT_TRUE(platform().IsWindow(h));
    delete w;
    EXPECT_FALSE(platform().IsWindow(h));
    EXPECT_FALSE(platform().SetProp(h, "prophwnd", 1));
    EXPECT_FALSE(platform().IsWindow(0));
    EXPECT_FALSE(platform().IsWindow(12345));
}

TEST_F(Windows, SecondInstanceFindsTheFirstThroughStoreAndProperty)
{
    // The first copy marks its main window and stores the handle.
    QWidget first;
    first.setWindowTitle("Lamoria");
    first.show();
    const Hwnd h = platform().hwnd(&first);
    platform().SetProp(h, "prophwnd", h);
    platform().SaveSetting(platform().appName(), "prophwnd", "FirstWnd", QString::number(h));
    first.showMinimized();

    // A second copy on the same desktop and store.
    Instance second = makeInstance();
    const Hwnd stored = second.platform->GetSetting("LAMORIA", "PropHwnd", "firstwnd", "0").toLongLong();
    ASSERT_EQ(stored, h);
    ASSERT_TRUE(second.platform->IsWindow(stored));
    EXPECT_EQ(second.platform->GetProp(stored, "prophwnd"), stored);
    EXPECT_TRUE(second.platform->ShowRestored(stored));
    EXPECT_FALSE(first.isMinimized());
    EXPECT_TRUE(first.isVisible());
}

TEST_F(Windows, TopMostKeepsPlaceAndSize)
{
    QWidget splash;
    splash.setGeometry(100, 120, 300, 80);
    const Hwnd h = platform().hwnd(&splash);
    ASSERT_TRUE(platform().SetTopMost(h));
    EXPECT_TRUE(splash.isVisible());
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(splash.geometry(), QRect(100, 120, 300, 80));
    EXPECT_TRUE(desktop().IsTopMost(h));
}

TEST_F(Windows, ScriptedScreen)
{
    EXPECT_DOUBLE_EQ(platform().twipsPerPixelX(), 15.0);
    EXPECT_DOUBLE_EQ(platform().twipsPerPixelY(), 15.0);
    desktop().setLogicalDpi(144);
    EXPECT_DOUBLE_EQ(platform().twipsPerPixelY(), 10.0);
    desktop().setWorkArea(QRect(0, 40, 1280, 984)); // task bar along the top
    EXPECT_EQ(platform().workArea(), QRect(0, 40, 1280, 984));
}

class Activation : public PlatformFixture {
protected:
    void SetUp() override
    {
        PlatformFixture::SetUp();
        main.setWindowTitle("Lamoria");
        host.setWindowTitle("Drawing host");
        main.show();
        host.show();
        desktop().markForeign(&host);
        platform().setActivationListener(&main, [this](bool active) { told.push_back(active); });
    }
    QWidget main;
    QWidget host; // the drawing host's window: another application
    std::vector<bool> told;
};

TEST_F(Activation, ToldOnlyWhenTheApplicationChanges)
{
    activate(&main);
    EXPECT_EQ(told, (std::vector<bool>{true}));

    // A dialog of the program (owned by the main window) keeps it active.
    QDialog dialog(&main);
    dialog.show();
    activate(&dialog);
    activate(&main);
    EXPECT_EQ(told, (std::vector<bool>{true}));

    activate(&host);
    activate(nullptr); // from the host to a program outside the process: no news
    activate(&main);
    activate(&main);
    EXPECT_EQ(told, (std::vector<bool>{true, false, true}));
}

TEST_F(Activation, ParentlessWindowOfTheProgramKeepsItActive)
{
    // A status note or layer window shown without owner, made top-most
    // through its handle, is one of the program's windows.
    QWidget note;
    ASSERT_TRUE(platform().SetTopMost(platform().hwnd(&note)));
    platform().hwnd(&host);
    EXPECT_TRUE(desktop().isForeign(&host)); // a foreign window stays foreign
    activate(&main);
    activate(&note);
    activate(&main);
    activate(&host);
    EXPECT_EQ(told, (std::vector<bool>{true, false}));
}

TEST_F(Activation, ForegroundCallsActivateSynchronously)
{
    activate(&main);
    told.clear();
    ASSERT_TRUE(platform().SetForegroundWindow(platform().hwnd(&host)));
    EXPECT_EQ(told, (std::vector<bool>{false}));
    EXPECT_TRUE(platform().AppActivate("lamoria"));
    EXPECT_EQ(told, (std::vector<bool>{false, true}));
    EXPECT_TRUE(platform().isActiveApplication());
}

TEST_F(Activation, ListenerThatMovesTheFocusIsToldEachChangeInOrder)
{
    // On deactivation the listener brings the main window back at once (as
    // a reload that ends the command in front would).
    told.clear();
    platform().setActivationListener(&main, [this](bool active) {
        told.push_back(active);
        if (!active)
            platform().SetForegroundWindow(platform().hwnd(&main));
    });
    activate(&main);
    activate(&host);
    EXPECT_EQ(told, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(platform().isActiveApplication());
}

TEST_F(Activation, InstancesAreSeparateApplications)
{
    Instance other = makeInstance();
    QWidget otherMain;
    otherMain.show();
    std::vector<bool> otherTold;
    other.platform->setActivationListener(&otherMain, [&](bool a) { otherTold.push_back(a); });

    activate(&main);
    activate(&otherMain);
    EXPECT_EQ(told, (std::vector<bool>{true, false}));
    EXPECT_EQ(otherTold, (std::vector<bool>{true}));
}

TEST_F(Activation, QtFocusDrivesTheRealDesktop)
{
    // The running program: activation follows Qt's own focus tracking.
    auto real = std::make_shared<Desktop>(Desktop::ActivationSource::Qt);
    PlatformOptions o;
    o.desktop = real;
    o.backend = std::make_shared<ScriptedBackend>();
    o.programFolder = programFolder();
    Platform p(std::move(o));
    std::vector<bool> seen;
    p.setActivationListener(&main, [&](bool a) { seen.push_back(a); });

    auto settle = [] {
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
    };
    real->activate(&host);
    settle();
    real->activate(&main);
    settle();
    if (QApplication::activeWindow() != &main)
        GTEST_SKIP() << "this window system does not activate windows on request";
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(seen.back());
    real->activate(&host);
    settle();
    EXPECT_FALSE(seen.back());
}

} // namespace
