// The host window's questions through the platform layer's services: its
// message boxes, its open-file dialog, and its modal forms (the save-as
// dialog is a form shown through it, objectName "HostSaveAsDialog").
#pragma once

#include "host/host_dialogs.h"
#include "platform/backend.h"

#include <memory>

namespace host {

class PlatformHostDialogs : public HostDialogs {
public:
    // Null backend: the platform's Qt backend.
    explicit PlatformHostDialogs(std::shared_ptr<platform::UiBackend> backend = nullptr);

    QString openFileName(QWidget *parent, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &suggested) override;
    SaveAnswer askSaveChanges(QWidget *parent, const QString &drawingName) override;
    void showError(QWidget *parent, const QString &text) override;

private:
    std::shared_ptr<platform::UiBackend> m_backend;
};

} // namespace host
