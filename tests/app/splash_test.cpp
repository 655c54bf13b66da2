// The status splash: top-most, text in place before it shows, a second call
// only replaces the text, a new window after an unload.
#include "harness/fixture.h"

#include "util/splash.h"

#include <QApplication>
#include <QLabel>

namespace {

class SplashTest : public harness::PlatformFixture {};

int visibleSplashes()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmSplash") && w->isVisible())
            ++n;
    return n;
}

TEST_F(SplashTest, ShowsTopMostWithItsText)
{
    util::Splash splash(platform());
    QString textWhenEventsRan;
    bool visibleWhenEventsRan = true;
    ui().onDoEvents([&] {
        textWhenEventsRan = splash.form()->LblMsg->text();
        visibleWhenEventsRan = splash.form()->isVisible() && !desktop().IsTopMost(platform().hwnd(splash.form()));
    });
    splash.pu_subShow(QStringLiteral("AutoCADより画層情報を取得中．．．"));
    ASSERT_TRUE(splash.isLoaded());
    util::FrmSplash *form = splash.form();
    EXPECT_EQ(textWhenEventsRan, QStringLiteral("AutoCADより画層情報を取得中．．．"));
    EXPECT_FALSE(visibleWhenEventsRan); // never shown without being top-most
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(desktop().IsTopMost(platform().hwnd(form)));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Lamoria Ver2.01"));
    EXPECT_TRUE(platform().ownsWindow(form));
}

TEST_F(SplashTest, SecondCallOnlyReplacesTheText)
{
    util::Splash splash(platform());
    splash.pu_subShow(QStringLiteral("移動中．．．"));
    util::FrmSplash *first = splash.form();
    splash.pu_subShow(QStringLiteral("ByLayer変換中．．．"));
    EXPECT_EQ(splash.form(), first);
    EXPECT_EQ(first->LblMsg->text(), QStringLiteral("ByLayer変換中．．．"));
    EXPECT_EQ(visibleSplashes(), 1);

    splash.Unload();
    EXPECT_FALSE(splash.isLoaded());
    EXPECT_EQ(visibleSplashes(), 0);
    splash.pu_subShow(QStringLiteral("接頭文字追加中．．．"));
    EXPECT_EQ(visibleSplashes(), 1);
    EXPECT_EQ(splash.form()->LblMsg->text(), QStringLiteral("接頭文字追加中．．．"));
}

} // namespace
