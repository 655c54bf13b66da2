// The connection to the drawing host and the reload of the active drawing.
//
// These procedures run with errors suppressed: a failing step does not stop
// them, and they test for failure only at fixed points.
#include "app/frm_main.h"
#include "app/program.h"
#include "lists/list_fill.h"
#include "util/splash.h"

#include <cmath>

namespace app {

namespace {

// Runs one step; true when it raised no error.
template <typename F>
bool step(F &&f)
{
    try {
        f();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

const QString kNotRunning =
    QStringLiteral("AutoCADが起動されていません。") + platform::vbCr + QStringLiteral("起動して宜しいですか？");
const QString kCannotStart = QStringLiteral("AutoCADが見つかりません。AutoCADを起動してから試して下さい");
const QString kCreateFailed = QStringLiteral("404 Not Find AutoCAD.Application");
const QString kNoDocument = QStringLiteral("AutoCADアプリケーション又はアクティブな図面が見つかりません。") +
                            platform::vbCrLf + QStringLiteral("終了します。");

QString tilingQuestion()
{
    return QStringList{
        QStringLiteral("AutoCADをタイリング表示しますか？"),
        QString(),
        QStringLiteral("「は　い」：本ソフトをﾃﾞｸｽﾄｯﾌﾟ上部に配置しAutoCADをその下に配置します。"),
        QStringLiteral("「いいえ」：AutoCADを最大表示します。"),
        QStringLiteral("「ｷｬﾝｾﾙ」：通常起動（AutoCADの大きさは変えない）"),
    }
        .join(platform::vbCrLf);
}

} // namespace

bool Program::pu_fun_bGetAcadApp(bool &bCancelled, QString &sError)
{
    sError.clear();
    bCancelled = false;

    acad::ApplicationPtr app;
    step([&] { app = m_connector.GetObject(); });
    if (app) {
        gAcadApp = app;
        return true;
    }

    if (MsgBox(kNotRunning, platform::vbYesNo + platform::vbExclamation) != platform::vbYes) {
        gAcadApp.reset();
        bCancelled = true;
        return true;
    }
    m_splash->pu_subShow(util::splash::kStartingHost);
    step([&] { app = m_connector.CreateObject(); });
    if (app) {
        gAcadApp = app;
        m_splash->Unload();
        return true;
    }
    sError = kCreateFailed;
    bCancelled = true;
    gAcadApp.reset();
    m_splash->Unload();
    return false;
}

void Program::pu_subAcadConnect(bool &bAbort)
{
    bAbort = false;
    bool bCancelled = false;
    QString sError;
    const bool found = pu_fun_bGetAcadApp(bCancelled, sError);
    if (found && bCancelled) {
        bAbort = true;
        return;
    }
    if (!found) {
        MsgBox(kCannotStart, platform::vbCritical, sError);
        bAbort = true;
        return;
    }

    gAcadHwnd = 0;
    step([&] { gAcadHwnd = m_platform.FindWindow(gAcadApp->Caption()); });
    // The host's window belongs to another application, not to this one.
    if (QWidget *hostWindow = m_platform.widgetOf(gAcadHwnd))
        m_platform.desktop().markForeign(hostWindow);
    step([&] { m_platform.SetProp(gAcadHwnd, m_platform.appName(), mainHwnd()); });

    const int answer = MsgBox(tilingQuestion(), platform::vbYesNoCancel + platform::vbQuestion);
    if (answer == platform::vbYes) {
        const QRect area = m_platform.workArea();
        const int band = static_cast<int>(std::lround(780.0 / twipsPerPixelY()));
        step([&] { gAcadApp->setWindowState(1); });
        step([&] { gAcadApp->setWidth(area.width()); });
        step([&] { gAcadApp->setHeight(area.height() - band); });
        step([&] { gAcadApp->setWindowTop(band); });
        step([&] { gAcadApp->setWindowLeft(0); });
        m_frmMain->setTop(0);
        m_frmMain->setLeft(0);
    } else if (answer == platform::vbNo) {
        step([&] { gAcadApp->setWindowState(3); });
    }
    step([&] { gAcadApp->setVisible(true); });
    pu_subReloadDrawing();
}

void Program::pu_subGetActiveDocument()
{
    gAcadDoc.reset();
    gAcadModelSpace.reset();
    gDocFullName.clear();

    bool ok = gAcadApp != nullptr;
    ok = ok && step([&] { gAcadDoc = gAcadApp->ActiveDocument(); }) && gAcadDoc != nullptr;
    if (ok) {
        ok = step([&] { gAcadModelSpace = gAcadDoc->ModelSpace(); }) && ok;
        ok = step([&] { gDocFullName = gAcadDoc->FullName(); }) && ok;
        ok = step([&] {
                 m_frmMain->setCaption(gAcadDoc->Path() + QStringLiteral(" － ") + gAcadDoc->Name());
             }) && ok;
    }
    gDocNotFound = false;
    if (!ok) {
        MsgBox(kNoDocument, platform::vbCritical);
        gDocNotFound = true;
    }
}

void Program::pu_subReloadDrawing()
{
    pu_subGetActiveDocument();
    if (gDocNotFound) {
        // No drawing any more: the program ends.  During start-up the load
        // handler ends it; later the main window is unloaded.
        if (!m_loading)
            UnloadMain();
        return;
    }
    m_splash->pu_subShow(util::splash::kReadingLayers);
    step([&] { pu_subAcadGetLayersState(); });
    step([&] { lists::pu_subSetListLayers(*this); });
    step([&] { pu_subSetCboLayers(); });
    step([&] { pu_subSetCboItems(); });
    step([&] { m_frmMain->pu_subLayerAttributeCbo_Init(); });
    m_splash->Unload();
}

} // namespace app
