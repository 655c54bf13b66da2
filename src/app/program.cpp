#include "app/program.h"
#include "app/frm_main.h"
#include "lists/layer_combo.h"
#include "lists/list_moves.h"
#include "util/splash.h"

namespace app {

Program::Program(platform::Platform &platform, acad::AcadConnector &connector)
    : m_platform(platform), m_connector(connector),
      m_splash(std::make_unique<util::Splash>(platform)),
      m_frmMain(std::make_unique<FrmMain>(*this))
{
    lists::pr_subConnectListControls(*this);
    lists::pr_subConnectLayerControls(*this);
}

Program::~Program()
{
    m_splash->Unload();
}

platform::Hwnd Program::mainHwnd()
{
    return m_platform.hwnd(m_frmMain.get());
}

void Program::Main()
{
    m_loading = true;
    m_frmMain->Form_Load();
    m_loading = false;
    if (m_ended)
        return;
    if (gAcadApp) {
        m_frmMain->show();
        if (m_ended)
            return;
    }
    m_frmMain->Form_Activate();
}

void Program::End()
{
    if (m_ended)
        return;
    m_ended = true;
    m_splash->Unload();
    m_frmMain->hide();
    emit ended();
}

void Program::UnloadMain()
{
    if (m_ended || m_unloaded)
        return;
    m_unloaded = true;
    m_frmMain->Form_Unload();
    m_splash->Unload();
    m_frmMain->hide();
    m_ended = true;
    emit ended();
}

void Program::ErrorBox(const QString &procName, long number, const QString &description)
{
    m_platform.ErrorBox(procName, number, description);
}

void Program::ErrorBox(const QString &procName, const acad::AcadError &error)
{
    m_platform.ErrorBox(procName, error.number(), error.description());
}

void Program::ErrorBox(const QString &procName, const std::exception &error)
{
    if (const auto *acadError = dynamic_cast<const acad::AcadError *>(&error)) {
        ErrorBox(procName, *acadError);
        return;
    }
    if (const auto *platformError = dynamic_cast<const platform::PlatformError *>(&error)) {
        m_platform.ErrorBox(procName, platformError->number(), platformError->description());
        return;
    }
    // Anything else is an internal fault; report it like the runtime would.
    m_platform.ErrorBox(procName, 5, QString::fromLocal8Bit(error.what()));
}

} // namespace app
