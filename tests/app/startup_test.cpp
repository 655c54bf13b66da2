// Start-up and exit of the program as a user meets them: with and without a
// running drawing host, the tiling question, the settings file.
#include "harness/program/program_fixture.h"
#include "harness/widgets.h"

#include "app/frm_main.h"
#include "app/program.h"
#include "host/automation.h"
#include "host/open_drawing.h"
#include "host/ui/host_window.h"
#include "platform/platform.h"
#include "util/splash.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>

using namespace platform;

namespace {

class StartupTest : public harness::ProgramFixture {
protected:
    // A drawing with layers in a non-alphabetical order and mixed states.
    QString sampleDrawing()
    {
        return drawingFile(QStringLiteral("plan.dxf"),
                           {{QStringLiteral("0")},
                            {QStringLiteral("wall"), true},
                            {QStringLiteral("Door"), false},
                            {QStringLiteral("axis"), false},
                            {QStringLiteral("Beam"), true}});
    }
};

TEST_F(StartupTest, AttachesToRunningHostAndEndsInSmallView)
{
    const QString file = sampleDrawing();
    auto host = startHost({file});
    app::Program &p = startProgram(vbCancel);
    app::FrmMain &f = p.frmMain();

    ASSERT_FALSE(p.hasEnded());
    EXPECT_TRUE(f.isVisible());
    const QFileInfo info(file);
    EXPECT_EQ(f.windowTitle(), info.absolutePath() + QStringLiteral(" － ") + info.fileName());
    EXPECT_EQ(p.gDocFullName, info.absoluteFilePath());
    EXPECT_FALSE(p.gDocNotFound);
    EXPECT_TRUE(p.gAcadModelSpace != nullptr);

    // Lists for mode 0 ("表示"), sorted ignoring case, with their counts.
    EXPECT_TRUE(f.OptExeMode[0]->isChecked());
    EXPECT_EQ(harness::itemTexts(*f.LstON), (QStringList{"0", "Beam", "wall"}));
    EXPECT_EQ(harness::itemTexts(*f.LstOFF), (QStringList{"axis", "Door"}));
    EXPECT_EQ(f.LblON->text(), QStringLiteral("ONﾘｽﾄ：表示 [3個]"));
    EXPECT_EQ(f.LblOFF->text(), QStringLiteral("OFFﾘｽﾄ：非表示 [2個]"));
    EXPECT_FALSE(f.CmdListDWG->isEnabled());

    // Layer combo: "(ALL)" first, then the names in the same order.
    EXPECT_EQ(harness::itemTexts(*f.CboLayer),
              (QStringList{"   (ALL)   ", "0", "axis", "Beam", "Door", "wall"}));
    EXPECT_EQ(f.CboLayer->currentIndex(), 0);
    EXPECT_EQ(f.CboTab0[1]->itemText(0), QStringLiteral("(指定しない)"));
    EXPECT_TRUE(harness::itemTexts(*f.CboTab0[1]).contains(QStringLiteral("Continuous")));
    for (QComboBox *c : f.CboItem)
        EXPECT_EQ(harness::itemTexts(*c).mid(0, 2),
                  (QStringList{"   (ALL)   ", "  (指定しない)  "}));

    // Small view: the class frame at the top (default option), no splash.
    EXPECT_EQ(f.Height(), app::FrmMain::kSmallHeight);
    EXPECT_EQ(p.gNormalHeight, app::FrmMain::kSmallHeight);
    EXPECT_TRUE(f.FraItem->isVisibleTo(&f));
    EXPECT_FALSE(f.FraLayer->isVisibleTo(&f));
    EXPECT_EQ(f.controlTop(f.FraItem), -90);
    EXPECT_FALSE(f.CmdInfo->isVisibleTo(&f));
    EXPECT_EQ(f.Width(), app::FrmMain::kFormWidth);
    EXPECT_FALSE(p.frmSplash().isLoaded());
    EXPECT_TRUE(p.gResizeSnap);

    // The host window carries the program's mark, the main window came last
    // to the front.
    ASSERT_NE(p.gAcadHwnd, 0);
    EXPECT_EQ(platform().widgetOf(p.gAcadHwnd), static_cast<QWidget *>(host->window()));
    EXPECT_EQ(platform().GetProp(p.gAcadHwnd, platform().appName()), p.mainHwnd());
    const auto &fg = desktop().foregroundCalls();
    ASSERT_GE(fg.size(), 2u);
    EXPECT_EQ(fg[fg.size() - 2], p.gAcadHwnd);
    EXPECT_EQ(fg.back(), p.mainHwnd());
    EXPECT_EQ(ui().shownMessageBoxes().size(), 1u); // the tiling question only
}

TEST_F(StartupTest, LastDrawingNamedIsActive)
{
    const QString a = drawingFile(QStringLiteral("a.dxf"), {{QStringLiteral("A-1")}});
    const QString b = drawingFile(QStringLiteral("b.dxf"), {{QStringLiteral("B-1")}});
    startHost({a, b});
    app::Program &p = startProgram();
    EXPECT_EQ(p.gDocFullName, QFileInfo(b).absoluteFilePath());
    EXPECT_TRUE(p.frmMain().windowTitle().endsWith(QStringLiteral(" － b.dxf")));
    EXPECT_EQ(harness::itemTexts(*p.frmMain().LstON), (QStringList{"0", "B-1"}));
}

TEST_F(StartupTest, NoHostAndNoEndsSilently)
{
    app::Program &p = makeProgram();
    ui().expectMsgBox(notRunningQuestion(), vbYesNo + vbExclamation, vbNo);
    p.Main();
    EXPECT_TRUE(p.hasEnded());
    EXPECT_FALSE(p.frmMain().isVisible());
    EXPECT_EQ(p.gAcadApp, nullptr);
    EXPECT_EQ(hosts().running(), nullptr); // nothing was started
    EXPECT_EQ(ui().shown().size(), 1u);
}

TEST_F(StartupTest, NoHostAndYesStartsOneWithNewDrawing)
{
    app::Program &p = makeProgram();
    bool splashWhileStarting = false;
    ui().expectMsgBox(notRunningQuestion(), vbYesNo + vbExclamation, vbYes).then([&] {
        // Answered: the splash comes next; check it when the tiling question shows.
    });
    expectTilingQuestion(vbCancel);
    ui().onDoEvents([&] {
        util::FrmSplash *s = p.frmSplash().form();
        if (s && s->LblMsg->text() == QStringLiteral("AutoCAD起動中．．．"))
            splashWhileStarting = true;
    });
    p.Main();
    ASSERT_FALSE(p.hasEnded());
    EXPECT_TRUE(splashWhileStarting);
    ASSERT_NE(hosts().running(), nullptr);
    EXPECT_EQ(p.gAcadDoc->Name(), QStringLiteral("Drawing1.dwg"));
    EXPECT_TRUE(p.frmMain().windowTitle().endsWith(QStringLiteral(" － Drawing1.dwg")));
    EXPECT_EQ(harness::itemTexts(*p.frmMain().LstON), (QStringList{"0"}));
    // Started through automation, then made visible by the connection.
    EXPECT_TRUE(hosts().running()->window()->isVisible());
}

TEST_F(StartupTest, HostWithoutDrawingShowsOneBoxAndEnds)
{
    startHostWithoutDrawing();
    app::Program &p = makeProgram();
    expectTilingQuestion(vbCancel);
    ui().expectMsgBox(noDocumentText(), vbCritical, vbOK);
    p.Main();
    EXPECT_TRUE(p.hasEnded());
    EXPECT_TRUE(p.gDocNotFound);
    EXPECT_FALSE(p.frmMain().isVisible());
    EXPECT_FALSE(p.frmSplash().isLoaded());
    EXPECT_EQ(ui().shownMessageBoxes().size(), 2u);
}

// Tiling: the host window below a band of 780 twips, across the work area;
// the task bar may be anywhere, the host's top stays at the band.
TEST_F(StartupTest, TilingAnswersArrangeTheHostWindow)
{
    struct Case {
        const char *what;
        QRect workArea;
        int answer;
        bool tiled, maximised;
    };
    const Case cases[] = {
        {"yes, task bar at the bottom", QRect(0, 0, 1280, 984), vbYes, true, false},
        {"yes, task bar at the top", QRect(0, 40, 1280, 984), vbYes, true, false},
        {"no: maximised", QRect(0, 0, 1280, 984), vbNo, false, true},
        {"cancel: left alone", QRect(0, 0, 1280, 984), vbCancel, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        desktop().setWorkArea(c.workArea);
        auto host = startHost({drawingFile(QStringLiteral("t.dxf"), {{QStringLiteral("0")}})});
        host::HostWindow *w = host->window();
        w->setOuterTop(300);
        w->setOuterLeft(200);
        w->setOuterWidth(640);
        w->setOuterHeight(480);
        app::Program &p = startProgram(c.answer);
        ASSERT_FALSE(p.hasEnded());
        const int band = 52; // 780 twips at 15 twips per pixel
        if (c.tiled) {
            EXPECT_EQ(w->frameGeometry().top(), band);
            EXPECT_EQ(w->frameGeometry().left(), 0);
            EXPECT_EQ(w->frameGeometry().width(), c.workArea.width());
            EXPECT_EQ(w->frameGeometry().height(), c.workArea.height() - band);
            EXPECT_FALSE(w->isMaximized());
            EXPECT_EQ(p.frmMain().Top(), 0);
            EXPECT_EQ(p.frmMain().Left(), 0);
        } else if (c.maximised) {
            EXPECT_TRUE(w->isMaximized());
        } else {
            EXPECT_FALSE(w->isMaximized());
            EXPECT_EQ(w->frameGeometry().topLeft(), QPoint(200, 300));
            EXPECT_EQ(w->frameGeometry().size(), QSize(640, 480));
        }
        EXPECT_TRUE(w->isVisible());
        p.frmMain().CmdEND_Click();
        host->quit();
    }
}

TEST_F(StartupTest, SettingsWithoutFormViewStartAtOrigin)
{
    harness::writeBytes(iniPath(), "[Option]\r\nAutoHide=0\r\n");
    startHost({drawingFile(QStringLiteral("s.dxf"), {{QStringLiteral("0")}})});
    app::Program &p = startProgram();
    EXPECT_EQ(p.frmMain().Top(), 0);
    EXPECT_EQ(p.frmMain().Left(), 0);
    EXPECT_EQ(p.frmMain().SSTab1->currentIndex(), 0);
    EXPECT_EQ(p.frmMain().Height(), app::FrmMain::kSmallHeight);
    EXPECT_EQ(p.gAutoHide, 0);
}

TEST_F(StartupTest, MissingSettingsFileIsCreatedAndOptionsTakeDefaults)
{
    startHost({drawingFile(QStringLiteral("s.dxf"), {{QStringLiteral("0")}})});
    app::Program &p = startProgram();
    EXPECT_TRUE(QFileInfo::exists(iniPath()));
    EXPECT_EQ(p.frmMain().mIniPath, iniPath());
    EXPECT_EQ(p.gDelimiter, QStringLiteral("-"));
    EXPECT_EQ(p.gSmallViewClass, 1);
    EXPECT_EQ(p.gAutoHide, 1);
    EXPECT_EQ(p.gOnOffDetail, 0);
}

TEST_F(StartupTest, SavedPositionAndPagePersistButHeightEndsSmall)
{
    harness::writeBytes(iniPath(),
                        "[FormView]\r\nheight=6000\r\ntop=1500\r\nleft=3000\r\nSSTab1=2\r\n");
    startHost({drawingFile(QStringLiteral("s.dxf"), {{QStringLiteral("0")}})});
    app::Program &p = startProgram();
    EXPECT_EQ(p.frmMain().Top(), 1500);
    EXPECT_EQ(p.frmMain().Left(), 3000);
    EXPECT_EQ(p.frmMain().SSTab1->currentIndex(), 2);
    EXPECT_EQ(p.frmMain().Height(), app::FrmMain::kSmallHeight);
}

TEST_F(StartupTest, ExitWritesFormViewAndReleasesTheHost)
{
    startHost({drawingFile(QStringLiteral("s.dxf"), {{QStringLiteral("0")}})});
    app::Program &p = startProgram();
    app::FrmMain &f = p.frmMain();
    f.setHeight(6000);
    f.setTop(450);
    f.setLeft(1200);
    f.SSTab1->setCurrentIndex(1);
    bool endedSignal = false;
    QObject::connect(&p, &app::Program::ended, [&] { endedSignal = true; });
    harness::click(*f.CmdEND);
    EXPECT_TRUE(p.hasEnded());
    EXPECT_TRUE(endedSignal);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(p.gAcadApp, nullptr);
    EXPECT_EQ(p.gAcadDoc, nullptr);
    EXPECT_EQ(p.gAcadModelSpace, nullptr);
    EXPECT_FALSE(p.gActivatedOnce);
    const QString ini = iniPath();
    EXPECT_EQ(GetPrivateProfileString("FormView", "height", "", ini), QStringLiteral("6000"));
    EXPECT_EQ(GetPrivateProfileString("FormView", "top", "", ini), QStringLiteral("450"));
    EXPECT_EQ(GetPrivateProfileString("FormView", "left", "", ini), QStringLiteral("1200"));
    EXPECT_EQ(GetPrivateProfileString("FormView", "SSTab1", "", ini), QStringLiteral("1"));

    // The next start reads them back (the height ends small as always).
    app::Program &again = startProgram();
    EXPECT_EQ(again.frmMain().Top(), 450);
    EXPECT_EQ(again.frmMain().Left(), 1200);
    EXPECT_EQ(again.frmMain().SSTab1->currentIndex(), 1);
}

TEST_F(StartupTest, ReadOnlySettingsFileIsLeftAsItIs)
{
    const QByteArray before = "[FormView]\r\nheight=4890\r\ntop=600\r\nleft=900\r\nSSTab1=1\r\n";
    harness::writeBytes(iniPath(), before);
    QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::ReadGroup);
    startHost({drawingFile(QStringLiteral("s.dxf"), {{QStringLiteral("0")}})});
    app::Program &p = startProgram();
    EXPECT_EQ(p.frmMain().Top(), 600);
    EXPECT_FALSE(p.gIniWritable);
    p.frmMain().setTop(3000);
    harness::click(*p.frmMain().CmdEND);
    EXPECT_TRUE(p.hasEnded());
    EXPECT_EQ(harness::readBytes(iniPath()), before);
    QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(StartupTest, ClosingTheWindowRunsTheExitSteps)
{
    startHost({drawingFile(QStringLiteral("s.dxf"), {{QStringLiteral("0")}})});
    app::Program &p = startProgram();
    p.frmMain().close();
    EXPECT_TRUE(p.hasEnded());
    EXPECT_EQ(GetPrivateProfileString("FormView", "height", "", iniPath()), QStringLiteral("900"));
}

TEST_F(StartupTest, ReloadWithoutDrawingEndsTheRunningProgram)
{
    auto host = startHost({drawingFile(QStringLiteral("s.dxf"), {{QStringLiteral("0")}})});
    app::Program &p = startProgram();
    host->close(host->activeDrawing().get());
    ui().expectMsgBox(noDocumentText(), vbCritical, vbOK);
    p.pu_subReloadDrawing();
    EXPECT_TRUE(p.hasEnded());
    // The normal exit ran: the window position was saved.
    EXPECT_EQ(GetPrivateProfileString("FormView", "height", "", iniPath()), QStringLiteral("900"));
}

TEST_F(StartupTest, AboutBoxShowsVersionFolderAndReadme)
{
    startHost({drawingFile(QStringLiteral("s.dxf"), {{QStringLiteral("0")}})});
    app::Program &p = startProgram();
    p.frmMain().setHeight(app::FrmMain::kFullHeight);
    QString version, folder, readme;
    ui().onForm(QStringLiteral("frmAbout"), [&](QWidget &form) {
        version = harness::findAs<QLabel>(form, QStringLiteral("LblVersion"))->text();
        folder = harness::findAs<QLabel>(form, QStringLiteral("LblFolder"))->text();
        readme = harness::find(form, QStringLiteral("TxtReadme"))->property("plainText").toString();
        harness::click(form, QStringLiteral("CmdOK"));
    });
    harness::click(*p.frmMain().CmdInfo);
    EXPECT_EQ(version, QStringLiteral("Lamoria Ver2.01"));
    EXPECT_TRUE(folder.contains(programFolder())) << folder.toStdString();
    EXPECT_TRUE(readme.startsWith(QStringLiteral("# Lamoria")));
}

} // namespace
