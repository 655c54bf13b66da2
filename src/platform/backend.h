// What the platform shows to the user, and the few things it does outside
// the program, behind one replaceable interface: the real one uses Qt; the
// tests' one (tests/harness) answers from a script.
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>

namespace platform {

// Filter pairs of an open-file dialog: description and pattern, e.g.
// {"テキストファイル(*.txt)", "*.txt"}.  Several patterns in one pair are
// separated by ";".
using FileFilters = QList<QPair<QString, QString>>;

class UiBackend {
public:
    virtual ~UiBackend() = default;

    // A message box; returns the answer code (vbOK, vbYes, ...).
    virtual int messageBox(const QString &prompt, int style, const QString &title) = 0;
    // An input box; nothing when the user cancels.
    virtual std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                            const QString &defaultText) = 0;
    // The open-file dialog; the chosen file's full path, "" on cancel.
    virtual QString openFileDialog(QWidget *owner, const FileFilters &filters,
                                   const QString &initialFolder, const QString &title) = 0;
    // Shows a form modally and returns when it is hidden; the result is the
    // QDialog result for a dialog, otherwise 0.
    virtual int showModal(QWidget &form) = 0;
    // Lets pending window events run.
    virtual void doEvents() = 0;
    // Keystrokes to the foreground window, in the key-string notation
    // ("{ESC}", "{ENTER}", "~", "+^%" shifts, "{{}" ...); `wait` processes
    // them before returning.
    virtual void sendKeys(const QString &keys, bool wait) = 0;
    // Starts another program without waiting for it.
    virtual bool startDetached(const QString &program, const QStringList &arguments) = 0;
};

// The real thing: QMessageBox, a small input dialog, QFileDialog, exec().
class QtBackend : public UiBackend {
public:
    int messageBox(const QString &prompt, int style, const QString &title) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                    const QString &defaultText) override;
    QString openFileDialog(QWidget *owner, const FileFilters &filters,
                           const QString &initialFolder, const QString &title) override;
    int showModal(QWidget &form) override;
    void doEvents() override;
    void sendKeys(const QString &keys, bool wait) override;
    bool startDetached(const QString &program, const QStringList &arguments) override;
};

// Texts of message and input boxes use CR LF or a lone CR between lines;
// Qt wants LF.
QString toDisplayLines(const QString &text);

// One key of a key string.
struct KeyStroke {
    int key = 0;                  // Qt::Key
    Qt::KeyboardModifiers modifiers;
    QString text;                 // the character typed, if any
};
// Parses a key string ("{ESC}{ESC}filedia\r0\r" ...); unknown braces become
// their literal text.
QList<KeyStroke> parseKeys(const QString &keys);

} // namespace platform
