// The drawing host as a running program: its open drawings (one active),
// its command line and script runner, its busy state, and its window when
// it has one.  The automation objects (automation.h) and the host window
// (ui/host_window.h) both work on this.
#pragma once

#include "host/commands/command_line.h"
#include "host/host_dialogs.h"
#include "host/open_drawing.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace host {

class HostWindow;

// The answer of a pick on screen: the handles the user picked, or cancel.
struct PickAnswer {
    bool cancelled = false;
    QStringList handles;
};

class Host : public QObject {
    Q_OBJECT
public:
    static QString hostName() { return QStringLiteral("Lamoria Drawing Host"); }

    explicit Host(std::shared_ptr<HostDialogs> dialogs);
    ~Host() override;

    // ---- drawings ----------------------------------------------------------

    const std::vector<std::shared_ptr<OpenDrawing>> &drawings() const { return m_drawings; }
    std::shared_ptr<OpenDrawing> activeDrawing() const;
    void setActiveDrawing(const OpenDrawing *drawing);
    std::shared_ptr<OpenDrawing> find(const OpenDrawing *drawing) const;

    // Opens a DXF file and makes it active; a file already open is only
    // activated.  Throws DxfError / AcadError and then changes nothing.
    std::shared_ptr<OpenDrawing> open(const QString &path);
    // A new unsaved drawing "DrawingN.dwg", made active.
    std::shared_ptr<OpenDrawing> newDrawing();
    // Closes without asking; the automation objects of it stop working.
    void close(const OpenDrawing *drawing);

    // "<host name> - [<drawing name>]", or the host name alone.
    QString caption() const;

    // ---- busy state, scripts ------------------------------------------------

    // False while a script runs, a command waits for input or the user picks.
    bool isQuiescent() const;
    // Runs a script file line by line from the event loop.  Throws AcadError
    // (FileError) when it cannot be read.
    void runScript(const QString &path);
    bool scriptRunning() const { return !m_scriptLines.empty() || m_scriptActive; }
    void stopScript();
    // Gives a running script one line's turn; the event loop calls this, and
    // so does a caller polling the busy state.
    void step();

    CommandLine &commandLine() { return *m_commandLine; }

    // ---- picks on screen ---------------------------------------------------

    // Answers for the next picks, first in first out; a test's stand-in for
    // the user picking in the window.
    void queuePick(const QStringList &handles);
    void queuePickCancel();
    // The next pick: a queued answer, else the window's interactive pick.
    // Without either, the pick is cancelled.
    PickAnswer pick(OpenDrawing &drawing);
    // Set by the window: lets the user pick objects of the drawing.
    void setInteractivePicker(std::function<PickAnswer(OpenDrawing &)> picker);

    // ---- window, dialogs, lifetime ----------------------------------------

    HostWindow *window() const { return m_window; }
    void setWindow(HostWindow *window); // the host owns it from then on
    HostDialogs &dialogs() { return *m_dialogs; }

    // Ends the host (its window closed); the automation objects then fail.
    void quit();
    bool isRunning() const { return m_running; }

signals:
    void drawingsChanged();
    void activeDrawingChanged();
    void drawingRenamed(host::OpenDrawing *drawing);
    void drawingChanged(host::OpenDrawing *drawing);
    void redrawRequested(host::OpenDrawing *drawing);
    void spaceChanged(host::OpenDrawing *drawing);
    void busyChanged();
    void quitting();

private:
    void scheduleStep();
    friend class BusyScope;

    std::shared_ptr<HostDialogs> m_dialogs;
    std::vector<std::shared_ptr<OpenDrawing>> m_drawings;
    std::shared_ptr<OpenDrawing> m_active;
    std::unique_ptr<CommandLine> m_commandLine;
    std::deque<QString> m_scriptLines;
    bool m_scriptActive = false;
    bool m_stepScheduled = false;
    bool m_inStep = false;
    int m_busyCount = 0;
    std::deque<PickAnswer> m_queuedPicks;
    std::function<PickAnswer(OpenDrawing &)> m_picker;
    HostWindow *m_window = nullptr;
    int m_newCount = 0;
    bool m_running = true;
};

// Marks the host busy (not quiescent) for as long as it lives.
class BusyScope {
public:
    explicit BusyScope(Host &host);
    ~BusyScope();
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    Host &m_host;
};

} // namespace host
