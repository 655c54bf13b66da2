#include "fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace harness {

void PlatformFixture::SetUp()
{
    m_temp = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(m_temp->isValid());
    m_programFolder = m_temp->path() + QStringLiteral("/program");
    QDir().mkpath(m_programFolder);
    QDir().mkpath(m_temp->path() + QStringLiteral("/settings"));
    m_desktop = std::make_shared<platform::Desktop>(platform::Desktop::ActivationSource::Simulated);
    // A screen of 1280 x 1024 at 96 dpi with the task bar along the bottom.
    m_desktop->setScreenGeometry(QRect(0, 0, 1280, 1024));
    m_desktop->setWorkArea(QRect(0, 0, 1280, 984));
    m_desktop->setLogicalDpi(96);
    m_ui = std::make_shared<ScriptedBackend>();
    platform::PlatformOptions o;
    o.programFolder = m_programFolder;
    o.settingsFolder = m_temp->path() + QStringLiteral("/settings");
    o.appName = QStringLiteral("lamoria");
    o.programFilesFolder = m_temp->path() + QStringLiteral("/programs");
    o.desktop = m_desktop;
    o.backend = m_ui;
    m_platform = std::make_unique<platform::Platform>(std::move(o));
}

void PlatformFixture::TearDown()
{
    for (const auto &ui : m_otherUis)
        ui->verify();
    if (m_ui)
        m_ui->verify();
}

QString PlatformFixture::tempPath(const QString &name) const
{
    return m_temp->path() + QLatin1Char('/') + name;
}

PlatformFixture::Instance PlatformFixture::makeInstance(const QString &programFolder)
{
    Instance i;
    i.ui = std::make_shared<ScriptedBackend>();
    m_otherUis.push_back(i.ui);
    platform::PlatformOptions o;
    o.programFolder = programFolder.isEmpty() ? m_programFolder : programFolder;
    o.settingsFolder = m_platform->settingsFolder();
    o.appName = m_platform->appName();
    o.programFilesFolder = m_platform->programFilesFolder();
    o.desktop = m_desktop;
    o.backend = i.ui;
    i.platform = std::make_unique<platform::Platform>(std::move(o));
    return i;
}

QString PlatformFixture::samplesDir() const
{
    return QStringLiteral(LAMORIA_SHARED_DIR) + QStringLiteral("/samples");
}

bool PlatformFixture::copySample(const QString &name, const QString &as)
{
    const QString from = samplesDir() + QLatin1Char('/') + name;
    if (!QFileInfo::exists(from))
        return false;
    const QString to = m_programFolder + QLatin1Char('/') + (as.isEmpty() ? name : as);
    QFile::remove(to);
    if (!QFile::copy(from, to))
        return false;
    QFile::setPermissions(to, QFile::permissions(to) | QFile::WriteOwner);
    return true;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace harness
