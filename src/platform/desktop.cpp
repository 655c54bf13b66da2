#include "desktop.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace platform {
namespace {

// Handles start at a value drawn from the process id so that a handle a
// previous run stored (and never cleared) is unlikely to name one of ours.
Hwnd firstHandle()
{
    const qint64 pid = QCoreApplication::applicationPid();
    return 0x10000 + (pid % 0x4000) * 0x10000;
}

QString propKey(const QString &name)
{
    return name.toCaseFolded();
}

} // namespace

Desktop::Desktop(ActivationSource source) : m_source(source), m_nextHandle(firstHandle())
{
    if (m_source == ActivationSource::Qt) {
        if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
            connect(app, &QGuiApplication::focusWindowChanged, this, [this] { scheduleQtCheck(); });
            connect(app, &QGuiApplication::applicationStateChanged, this, [this] { scheduleQtCheck(); });
        }
    }
}

Desktop::~Desktop() = default;

Desktop::Entry *Desktop::entry(Hwnd h)
{
    auto it = m_entries.find(h);
    if (it == m_entries.end() || it->widget.isNull())
        return nullptr;
    return &it.value();
}

const Desktop::Entry *Desktop::entry(Hwnd h) const
{
    auto it = m_entries.constFind(h);
    if (it == m_entries.constEnd() || it->widget.isNull())
        return nullptr;
    return &it.value();
}

Hwnd Desktop::handleOf(QWidget *w)
{
    if (!w)
        return 0;
    if (auto it = m_byWidget.constFind(w); it != m_byWidget.constEnd())
        return it.value();
    const Hwnd h = m_nextHandle++;
    Entry e;
    e.widget = w;
    m_entries.insert(h, e);
    m_byWidget.insert(w, h);
    connect(w, &QObject::destroyed, this, [this](QObject *o) { forget(o); });
    return h;
}

void Desktop::forget(QObject *o)
{
    const auto it = m_byWidget.find(o);
    if (it == m_byWidget.end())
        return;
    m_entries.remove(it.value());
    m_byWidget.erase(it);
}

QWidget *Desktop::widgetOf(Hwnd h) const
{
    const Entry *e = entry(h);
    return e ? e->widget.data() : nullptr;
}

Hwnd Desktop::FindWindow(const QString &title)
{
    QWidget *hidden = nullptr;
    const QWidgetList all = QApplication::topLevelWidgets();
    for (QWidget *w : all) {
        if (!w->isWindow() || w->windowTitle().compare(title, Qt::CaseInsensitive) != 0)
            continue;
        if (w->isVisible())
            return handleOf(w);
        if (!hidden)
            hidden = w;
    }
    return handleOf(hidden);
}

bool Desktop::SetForegroundWindow(Hwnd h)
{
    m_foregroundCalls.push_back(h);
    QWidget *w = widgetOf(h);
    if (!w)
        return false;
    w->raise();
    activate(w);
    return true;
}

bool Desktop::SetTopMost(Hwnd h)
{
    Entry *e = entry(h);
    if (!e)
        return false;
    QWidget *w = e->widget;
    e->topMost = true;
    if (!(w->windowFlags() & Qt::WindowStaysOnTopHint)) {
        const QRect geometry = w->geometry();
        const bool positioned = w->testAttribute(Qt::WA_Moved) || w->isVisible();
        w->setWindowFlag(Qt::WindowStaysOnTopHint, true); // hides the window
        if (positioned)
            w->setGeometry(geometry);
    }
    w->show();
    w->raise();
    return true;
}

bool Desktop::IsTopMost(Hwnd h) const
{
    const Entry *e = entry(h);
    return e && e->topMost;
}

bool Desktop::ShowRestored(Hwnd h)
{
    QWidget *w = widgetOf(h);
    if (!w)
        return false;
    w->showNormal();
    return true;
}

qint64 Desktop::GetProp(Hwnd h, const QString &name) const
{
    const Entry *e = entry(h);
    return e ? e->props.value(propKey(name), 0) : 0;
}

bool Desktop::SetProp(Hwnd h, const QString &name, qint64 value)
{
    Entry *e = entry(h);
    if (!e || name.isEmpty())
        return false;
    e->props.insert(propKey(name), value);
    return true;
}

qint64 Desktop::RemoveProp(Hwnd h, const QString &name)
{
    Entry *e = entry(h);
    return e ? e->props.take(propKey(name)) : 0;
}

QRect Desktop::workArea() const
{
    if (m_workArea)
        return *m_workArea;
    if (const QScreen *s = QGuiApplication::primaryScreen())
        return s->availableGeometry();
    return QRect(0, 0, 1024, 768);
}

QRect Desktop::screenGeometry() const
{
    if (m_screen)
        return *m_screen;
    if (const QScreen *s = QGuiApplication::primaryScreen())
        return s->geometry();
    return QRect(0, 0, 1024, 768);
}

double Desktop::twipsPerPixelX() const
{
    double dpi = 96;
    if (m_dpi)
        dpi = *m_dpi;
    else if (const QScreen *s = QGuiApplication::primaryScreen())
        dpi = s->logicalDotsPerInchX();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

double Desktop::twipsPerPixelY() const
{
    double dpi = 96;
    if (m_dpi)
        dpi = *m_dpi;
    else if (const QScreen *s = QGuiApplication::primaryScreen())
        dpi = s->logicalDotsPerInchY();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

QWidget *Desktop::activeWindow() const
{
    if (m_source == ActivationSource::Simulated)
        return m_simulatedActive.data();
    if (QGuiApplication::applicationState() != Qt::ApplicationActive)
        return nullptr;
    return QApplication::activeWindow();
}

void Desktop::activate(QWidget *w)
{
    if (w)
        w = w->window();
    if (m_source == ActivationSource::Simulated) {
        m_simulatedActive = w;
        notifyActivation();
        return;
    }
    if (w) {
        w->raise();
        w->activateWindow();
    }
    scheduleQtCheck();
}

void Desktop::scheduleQtCheck()
{
    // Focus moves between two windows of the process through "no window";
    // look once the window system has settled, so such a passage is not
    // taken for another program becoming active.
    if (m_checkPending)
        return;
    m_checkPending = true;
    QTimer::singleShot(0, this, [this] {
        m_checkPending = false;
        notifyActivation();
    });
}

void Desktop::notifyActivation()
{
    QWidget *now = activeWindow();
    const bool changed = now != m_lastActive.data();
    m_lastActive = now;
    // Observers decide for themselves whether the change concerns them.
    // One may add or remove observers meanwhile: call only those still here.
    std::vector<int> ids;
    ids.reserve(m_observers.size());
    for (const auto &o : m_observers)
        ids.push_back(o.first);
    for (int id : ids) {
        const auto it = std::find_if(m_observers.begin(), m_observers.end(),
                                     [id](const auto &o) { return o.first == id; });
        if (it == m_observers.end())
            continue;
        const std::function<void()> observer = it->second;
        observer();
    }
    if (changed)
        emit activeWindowChanged();
}

int Desktop::addActivationObserver(std::function<void()> observer)
{
    const int id = m_nextObserver++;
    m_observers.emplace_back(id, std::move(observer));
    return id;
}

void Desktop::removeActivationObserver(int id)
{
    std::erase_if(m_observers, [id](const auto &o) { return o.first == id; });
}

void Desktop::setOwner(QWidget *w, const void *owner)
{
    if (!w)
        return;
    if (Entry *e = entry(handleOf(w)))
        e->owner = owner;
}

const void *Desktop::ownerOf(const QWidget *w) const
{
    const auto it = m_byWidget.constFind(w);
    if (it == m_byWidget.constEnd())
        return nullptr;
    const Entry *e = entry(it.value());
    return e ? e->owner : nullptr;
}

} // namespace platform
