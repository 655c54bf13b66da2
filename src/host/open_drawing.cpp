#include "host/open_drawing.h"

#include "host/host.h"

#include <QDir>
#include <QFileInfo>

namespace host {

OpenDrawing::OpenDrawing(std::unique_ptr<Drawing> drawing, QString fullName, QString name, Host *host)
    : m_drawing(std::move(drawing)), m_fullName(std::move(fullName)), m_name(std::move(name)),
      m_host(host)
{
    if (m_name.isEmpty() && !m_fullName.isEmpty())
        m_name = QFileInfo(m_fullName).fileName();
}

QString OpenDrawing::path() const
{
    if (m_fullName.isEmpty())
        return QString();
    return QDir::toNativeSeparators(QFileInfo(m_fullName).absolutePath());
}

void OpenDrawing::save()
{
    if (m_fullName.isEmpty())
        throw acad::AcadError(acad::err::FileError, QStringLiteral("Drawing has no file name"));
    m_drawing->save(m_fullName);
}

void OpenDrawing::saveAs(const QString &fullName)
{
    m_drawing->save(fullName);
    m_fullName = QFileInfo(fullName).absoluteFilePath();
    m_name = QFileInfo(fullName).fileName();
    if (m_host)
        emit m_host->drawingRenamed(this);
}

void OpenDrawing::setActiveLayout(int layout)
{
    const int count = static_cast<int>(m_drawing->layouts().size());
    if (layout < 0 || layout >= count)
        return;
    if (m_viewportPerLayout.size() != static_cast<size_t>(count))
        m_viewportPerLayout.assign(static_cast<size_t>(count), NoEntity);
    if (m_activeLayout >= 0 && m_activeLayout < count)
        m_viewportPerLayout[static_cast<size_t>(m_activeLayout)] = m_activeViewport;
    m_activeLayout = layout;
    // A layout comes back with the space it was left in.
    m_activeViewport = layout == 0 ? NoEntity : m_viewportPerLayout[static_cast<size_t>(layout)];
    if (m_activeViewport != NoEntity && !m_drawing->entityExists(m_activeViewport))
        m_activeViewport = NoEntity;
    if (m_host)
        emit m_host->spaceChanged(this);
}

void OpenDrawing::setActiveViewport(EntityId viewport)
{
    if (m_activeLayout == 0)
        viewport = NoEntity;
    if (viewport == m_activeViewport)
        return;
    m_activeViewport = viewport;
    if (m_host)
        emit m_host->spaceChanged(this);
}

void OpenDrawing::touch()
{
    ++m_generation;
    if (m_host)
        emit m_host->drawingChanged(this);
}

void OpenDrawing::requestRedraw()
{
    if (m_host)
        emit m_host->redrawRequested(this);
}

} // namespace host
