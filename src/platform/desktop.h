// The windows of this process as the program's window functions see them:
// handles, look-up by title, foreground, top-most, restore, named window
// properties, the desktop work area and the screen metrics, and which window
// is the active one.
//
// One Desktop is shared by every program instance that runs in the process
// (tests run several), so that a handle one instance stores is a window the
// other can test, as on one Windows desktop.  It holds no global state.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

namespace platform {

// A window handle.  0 is no window.  Handles are never reused within a
// Desktop and stay below 2^31 so they fit the 32-bit values stored by the
// program.
using Hwnd = qint64;

class Desktop : public QObject {
    Q_OBJECT
public:
    // Where the active window comes from: Qt's own focus tracking (the
    // running program), or only from calls to activate() and
    // SetForegroundWindow() (tests: deterministic, no window-system events).
    enum class ActivationSource { Qt, Simulated };

    explicit Desktop(ActivationSource source = ActivationSource::Qt);
    ~Desktop() override;

    ActivationSource activationSource() const { return m_source; }

    // ---- handles
    // The handle of a top-level widget (registered on first use); 0 for null.
    Hwnd handleOf(QWidget *w);
    // The widget of a handle, or null when it is gone or was never one.
    QWidget *widgetOf(Hwnd h) const;
    bool IsWindow(Hwnd h) const { return widgetOf(h) != nullptr; }

    // ---- window functions
    // The first top-level window of the process whose title equals `title`
    // (case-insensitively, as the Windows function compares), visible ones
    // before hidden ones; 0 when there is none.
    Hwnd FindWindow(const QString &title);
    // Brings the window to the front and makes it the active window.
    bool SetForegroundWindow(Hwnd h);
    // Places the window above all windows that are not top-most, shown,
    // keeping its position and size.
    bool SetTopMost(Hwnd h);
    bool IsTopMost(Hwnd h) const;
    // Shows the window in its normal state (not minimised or maximised).
    bool ShowRestored(Hwnd h);
    // Named window properties (names compare case-insensitively).  GetProp
    // gives 0 for a missing property; RemoveProp gives the removed value.
    qint64 GetProp(Hwnd h, const QString &name) const;
    bool SetProp(Hwnd h, const QString &name, qint64 value);
    qint64 RemoveProp(Hwnd h, const QString &name);

    // ---- screen
    // The desktop work area (the screen minus the task bar) in pixels.
    QRect workArea() const;
    void setWorkArea(std::optional<QRect> area) { m_workArea = area; }
    // The whole primary screen in pixels.
    QRect screenGeometry() const;
    void setScreenGeometry(std::optional<QRect> area) { m_screen = area; }
    // Twips per pixel: 1440 divided by the screen's logical dpi (15 at 96).
    double twipsPerPixelX() const;
    double twipsPerPixelY() const;
    void setLogicalDpi(std::optional<double> dpi) { m_dpi = dpi; }

    // ---- activation
    // The window that has the input focus, or null when another program
    // (outside this process) is active.
    QWidget *activeWindow() const;
    // Makes `w` the active window (null: a program outside this process
    // becomes active) and tells every observer.  With ActivationSource::Qt
    // it also asks the window system to activate the window.
    void activate(QWidget *w);

    // Observers are told after every change of the active window.
    int addActivationObserver(std::function<void()> observer);
    void removeActivationObserver(int id);

    // Which program instance a window belongs to (a key the instance
    // chooses); null for windows no instance claimed.
    void setOwner(QWidget *w, const void *owner);
    const void *ownerOf(const QWidget *w) const;
    // Marks a window of this process as one of another application (the
    // drawing host's window): no program instance claims it.
    void markForeign(QWidget *w) { setOwner(w, &m_foreignTag); }
    bool isForeign(const QWidget *w) const { return ownerOf(w) == &m_foreignTag; }

    // Every call of SetForegroundWindow, in order (for tests).
    const std::vector<Hwnd> &foregroundCalls() const { return m_foregroundCalls; }

signals:
    void activeWindowChanged();

private:
    struct Entry {
        QPointer<QWidget> widget;
        const void *owner = nullptr;
        QHash<QString, qint64> props; // keys in case-folded form
        bool topMost = false;
    };
    Entry *entry(Hwnd h);
    const Entry *entry(Hwnd h) const;
    void forget(QObject *o);
    void notifyActivation();
    void scheduleQtCheck();

    ActivationSource m_source;
    Hwnd m_nextHandle;
    QHash<Hwnd, Entry> m_entries;
    QHash<const QObject *, Hwnd> m_byWidget;
    std::optional<QRect> m_workArea;
    std::optional<QRect> m_screen;
    std::optional<double> m_dpi;
    QPointer<QWidget> m_simulatedActive;
    QPointer<QWidget> m_lastActive;
    bool m_checkPending = false;
    std::vector<std::pair<int, std::function<void()>>> m_observers;
    int m_nextObserver = 1;
    std::vector<Hwnd> m_foregroundCalls;
    char m_foreignTag = 0;
};

} // namespace platform
