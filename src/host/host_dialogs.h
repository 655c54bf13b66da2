// The questions and messages of the host window.  The window never opens a
// dialog itself; it asks this interface, whose default implementation goes
// through the platform layer and which tests replace with scripted answers.
#pragma once

#include <QString>

class QWidget;

namespace host {

class HostDialogs {
public:
    enum class SaveAnswer { Save, Discard, Cancel };

    virtual ~HostDialogs() = default;
    // A file to open, of the kind the filter names ("Drawings (*.dxf)");
    // empty when cancelled.
    virtual QString openFileName(QWidget *parent, const QString &filter) = 0;
    // A file name to save to, suggested first; empty when cancelled.
    virtual QString saveFileName(QWidget *parent, const QString &suggested) = 0;
    // "Save changes to NAME?" before a drawing with changes is closed.
    virtual SaveAnswer askSaveChanges(QWidget *parent, const QString &drawingName) = 0;
    // An error the user must see (a file that cannot be read or written).
    virtual void showError(QWidget *parent, const QString &text) = 0;
};

} // namespace host
