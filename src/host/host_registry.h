// The drawing hosts running in this program instance, and how the program
// reaches them (host::HostConnector, the acad::AcadConnector of the host).
//
// The program's entry point makes one registry and hands it to the program
// instance; nothing here is static, so tests can run several side by side.
#pragma once

#include "acad/acad.h"
#include "host/host_dialogs.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace host {

class Host;

class HostRegistry {
public:
    // dialogs: what the host windows ask the user through; null means the
    // platform layer's dialogs.  withWindows false makes windowless hosts
    // (also the case without a QApplication).
    explicit HostRegistry(std::shared_ptr<HostDialogs> dialogs = nullptr, bool withWindows = true);
    ~HostRegistry();
    HostRegistry(const HostRegistry &) = delete;
    HostRegistry &operator=(const HostRegistry &) = delete;

    // The host running last started, or null.
    std::shared_ptr<Host> running() const;
    const std::vector<std::shared_ptr<Host>> &hosts() const { return m_hosts; }

    // Starts a host on the drawings (the last one active).  Without
    // drawings it opens a new "Drawing1.dwg".  A drawing that cannot be read
    // is reported through the dialogs and left out; if none could be read
    // the host starts with a new drawing.  The window is shown when `show`
    // (a host started through automation stays hidden until made visible,
    // as the CAD application does).
    std::shared_ptr<Host> start(const QStringList &drawings = {}, bool show = true);

    HostDialogs &dialogs() { return *m_dialogs; }

private:
    std::shared_ptr<HostDialogs> m_dialogs;
    bool m_withWindows;
    std::vector<std::shared_ptr<Host>> m_hosts;
};

// Attaches to the host running in this program instance or starts one.
class HostConnector : public acad::AcadConnector {
public:
    explicit HostConnector(HostRegistry &registry) : m_registry(registry) {}
    // Fails with acad::err::NotRunning when no host runs.
    acad::ApplicationPtr GetObject() override;
    // Starts a new host with a new unsaved drawing and shows its window.
    acad::ApplicationPtr CreateObject() override;

private:
    HostRegistry &m_registry;
};

} // namespace host
