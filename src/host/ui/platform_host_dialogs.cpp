#include "host/ui/platform_host_dialogs.h"

#include "host/host.h"
#include "platform/vb.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace host {

PlatformHostDialogs::PlatformHostDialogs(std::shared_ptr<platform::UiBackend> backend)
    : m_backend(backend ? std::move(backend) : std::make_shared<platform::QtBackend>())
{
}

QString PlatformHostDialogs::openFileName(QWidget *parent, const QString &filter)
{
    // "Drawings (*.dxf)" -> {"Drawings (*.dxf)", "*.dxf"}
    platform::FileFilters filters;
    const QRegularExpression re(QStringLiteral("\\(([^)]*)\\)"));
    const auto m = re.match(filter);
    filters.append({filter, m.hasMatch() ? m.captured(1).replace(QLatin1Char(' '), QLatin1Char(';'))
                                          : QStringLiteral("*.*")});
    filters.append({QStringLiteral("All files (*.*)"), QStringLiteral("*.*")});
    return m_backend->openFileDialog(parent, filters, QString(), QStringLiteral("Open"));
}

QString PlatformHostDialogs::saveFileName(QWidget *parent, const QString &suggested)
{
    QFileDialog dialog(parent, QStringLiteral("Save Drawing As"), suggested,
                       QStringLiteral("Drawings (*.dxf)"));
    dialog.setObjectName(QStringLiteral("HostSaveAsDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("dxf"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (m_backend->showModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().front();
}

HostDialogs::SaveAnswer PlatformHostDialogs::askSaveChanges(QWidget *, const QString &drawingName)
{
    const int a = m_backend->messageBox(QStringLiteral("Save changes to %1?").arg(drawingName),
                                        platform::vbYesNoCancel + platform::vbQuestion,
                                        Host::hostName());
    if (a == platform::vbYes)
        return SaveAnswer::Save;
    if (a == platform::vbNo)
        return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

void PlatformHostDialogs::showError(QWidget *, const QString &text)
{
    m_backend->messageBox(text, platform::vbOKOnly + platform::vbCritical, Host::hostName());
}

} // namespace host
