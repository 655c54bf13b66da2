#include "platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace platform {
namespace {

QString settingsKey(const QString &appName, const QString &section, const QString &key)
{
    // The store compares names without regard to case, as the registry does.
    auto part = [](const QString &s) {
        QString p = s.toCaseFolded();
        p.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
        return p;
    };
    return part(appName) + QLatin1Char('/') + part(section) + QLatin1Char('/') + part(key);
}

} // namespace

Platform::Platform(PlatformOptions options) : m_options(std::move(options))
{
    const bool haveApp = QCoreApplication::instance() != nullptr;
    if (m_options.programFolder.isEmpty())
        m_options.programFolder = haveApp ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    if (m_options.appName.isEmpty()) {
        m_options.appName = haveApp ? QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()
                                    : QString();
        if (m_options.appName.isEmpty())
            m_options.appName = QStringLiteral("lamoria");
    }
    if (m_options.settingsFolder.isEmpty())
        m_options.settingsFolder =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Lamoria");
    if (m_options.programFilesFolder.isEmpty())
        m_options.programFilesFolder = QStringLiteral("/opt");
    m_desktop = m_options.desktop ? m_options.desktop : std::make_shared<Desktop>();
    m_backend = m_options.backend ? m_options.backend : std::make_shared<QtBackend>();
    m_options.desktop.reset();
    m_options.backend.reset();
    m_observerId = m_desktop->addActivationObserver([this] { checkActivation(); });
}

Platform::~Platform()
{
    m_desktop->removeActivationObserver(m_observerId);
}

int Platform::MsgBox(const QString &prompt, int buttons, const QString &title)
{
    return m_backend->messageBox(prompt, buttons, title);
}

QString Platform::errorBoxText(const QString &procName, long number, const QString &description)
{
    return QStringLiteral("エラーが ") + procName + QStringLiteral(" で発生しました。") + vbCrLf
        + QString::number(number) + vbCrLf + description;
}

void Platform::ErrorBox(const QString &procName, long number, const QString &description)
{
    MsgBox(errorBoxText(procName, number, description), vbOKOnly + vbCritical, kAppTitle);
}

QString Platform::InputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    return m_backend->inputBox(prompt, title, defaultText).value_or(QString());
}

QString Platform::GetOpenFileName(QWidget *owner, const FileFilters &filters, const QString &initialFolder)
{
    return m_backend->openFileDialog(owner, filters, initialFolder, QStringLiteral("ファイルを開く"));
}

int Platform::ShowModal(QWidget &form)
{
    claimWindow(&form);
    return m_backend->showModal(form);
}

void Platform::DoEvents()
{
    m_backend->doEvents();
}

void Platform::SendKeys(const QString &keys, bool wait)
{
    m_backend->sendKeys(keys, wait);
}

bool Platform::AppActivate(const QString &title)
{
    const Hwnd h = FindWindow(title);
    return h && SetForegroundWindow(h);
}

bool Platform::StartProgram(const QString &program, const QStringList &arguments)
{
    return m_backend->startDetached(program, arguments);
}

QString Platform::programPath(const QString &name) const
{
    return fs::join(m_options.programFolder, name);
}

QString Platform::GetSetting(const QString &appName, const QString &section, const QString &key,
                             const QString &defaultValue) const
{
    QSettings s(m_options.settingsFolder + QStringLiteral("/settings.ini"), QSettings::IniFormat);
    return s.value(settingsKey(appName, section, key), defaultValue).toString();
}

void Platform::SaveSetting(const QString &appName, const QString &section, const QString &key,
                           const QString &value)
{
    QDir().mkpath(m_options.settingsFolder);
    QSettings s(m_options.settingsFolder + QStringLiteral("/settings.ini"), QSettings::IniFormat);
    s.setValue(settingsKey(appName, section, key), value);
    s.sync();
}

void Platform::DeleteSetting(const QString &appName, const QString &section, const QString &key)
{
    QSettings s(m_options.settingsFolder + QStringLiteral("/settings.ini"), QSettings::IniFormat);
    s.remove(settingsKey(appName, section, key));
    s.sync();
}

void Platform::setActivationListener(QWidget *mainWindow, std::function<void(bool)> listener)
{
    m_listenerWindow = mainWindow;
    claimWindow(mainWindow);
    m_listener = std::move(listener);
    // Like a window procedure installed late: only later changes are told.
    m_lastActive = isActiveApplication();
}

void Platform::clearActivationListener()
{
    m_listener = nullptr;
    m_listenerWindow = nullptr;
}

void Platform::claimWindow(QWidget *w)
{
    if (w && !m_desktop->isForeign(w->window()))
        m_desktop->setOwner(w->window(), this);
}

Hwnd Platform::hwnd(QWidget *w)
{
    if (w && !m_desktop->ownerOf(w->window()))
        claimWindow(w);
    return m_desktop->handleOf(w);
}

bool Platform::ownsWindow(const QWidget *w) const
{
    while (w) {
        w = w->window();
        if (m_desktop->ownerOf(w) == this)
            return true;
        w = w->parentWidget();
    }
    return false;
}

bool Platform::isActiveApplication() const
{
    return ownsWindow(m_desktop->activeWindow());
}

void Platform::checkActivation()
{
    if (!m_listener || m_delivering)
        return;
    m_delivering = true;
    // A listener may change the active window itself; tell each change in
    // turn until the state holds still.
    while (m_listener) {
        const bool now = isActiveApplication();
        if (now == m_lastActive)
            break;
        m_lastActive = now;
        const std::function<void(bool)> listener = m_listener;
        listener(now);
    }
    m_delivering = false;
}

} // namespace platform
