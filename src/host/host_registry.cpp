#include "host/host_registry.h"

#include "host/automation.h"
#include "host/host.h"
#include "host/ui/host_window.h"
#include "host/ui/platform_host_dialogs.h"

#include <QApplication>

namespace host {

HostRegistry::HostRegistry(std::shared_ptr<HostDialogs> dialogs, bool withWindows)
    : m_dialogs(dialogs ? std::move(dialogs) : std::make_shared<PlatformHostDialogs>()),
      m_withWindows(withWindows)
{
}

HostRegistry::~HostRegistry() = default;

std::shared_ptr<Host> HostRegistry::running() const
{
    for (auto it = m_hosts.rbegin(); it != m_hosts.rend(); ++it)
        if ((*it)->isRunning())
            return *it;
    return nullptr;
}

std::shared_ptr<Host> HostRegistry::start(const QStringList &drawings, bool show)
{
    // Hosts that ended stay listed (their windows closed) until the registry
    // goes; running() passes over them.
    auto host = std::make_shared<Host>(m_dialogs);
    m_hosts.push_back(host);

    const bool gui = m_withWindows && qobject_cast<QApplication *>(QCoreApplication::instance());
    HostWindow *window = gui ? new HostWindow(*host) : nullptr;
    if (window)
        host->setWindow(window);

    for (const QString &path : drawings) {
        try {
            host->open(path);
        } catch (const acad::AcadError &e) {
            m_dialogs->showError(window, e.description());
        }
    }
    if (host->drawings().empty())
        host->newDrawing();
    if (window && show)
        window->show();
    return host;
}

acad::ApplicationPtr HostConnector::GetObject()
{
    auto host = m_registry.running();
    if (!host)
        throw acad::AcadError(acad::err::NotRunning, QStringLiteral("Operation unavailable"));
    return applicationFor(host);
}

acad::ApplicationPtr HostConnector::CreateObject()
{
    return applicationFor(m_registry.start({}, false));
}

} // namespace host
