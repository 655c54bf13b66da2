// The platform a running program instance stands on.  One Platform object
// per instance gives every service the program needs from outside itself:
// message boxes, the input box, the open-file dialog, modal forms, pending
// events, keystrokes, starting programs, the program folder, the per-user
// settings store, window functions and application activation.  Nothing in
// here is global: tests run many instances in one process.
//
// Stateless services live beside it: ini.h (settings files), codepage.h,
// regexp.h, filesystem.h.
#pragma once

#include "backend.h"
#include "codepage.h"
#include "desktop.h"
#include "filesystem.h"
#include "ini.h"
#include "platform_error.h"
#include "regexp.h"
#include "vb.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

namespace platform {

struct PlatformOptions {
    // The program's folder; default: the executable's folder.
    QString programFolder;
    // The folder of the per-user settings store; default: the user's
    // configuration folder ("~/.config/Lamoria").
    QString settingsFolder;
    // The program's name in the settings store and on windows; default: the
    // executable's base name.
    QString appName;
    // The folder programs are installed in (the "Program Files" folder of
    // the Windows program); default "/opt".
    QString programFilesFolder;
    // The windows of the process; default: a new one following Qt's focus.
    std::shared_ptr<Desktop> desktop;
    // What shows things to the user; default: the Qt one.
    std::shared_ptr<UiBackend> backend;
};

class Platform {
public:
    explicit Platform(PlatformOptions options = {});
    ~Platform();
    Platform(const Platform &) = delete;
    Platform &operator=(const Platform &) = delete;

    UiBackend &backend() { return *m_backend; }
    Desktop &desktop() { return *m_desktop; }
    const std::shared_ptr<Desktop> &sharedDesktop() const { return m_desktop; }

    // ---- dialogs
    // A message box.  `buttons` is a style: buttons + icon (+ default
    // button), e.g. vbYesNo + vbQuestion.  Returns vbOK, vbYes, ...
    int MsgBox(const QString &prompt, int buttons = vbOKOnly, const QString &title = kAppTitle);
    // The common error box: "エラーが " + procName + " で発生しました。",
    // CR LF, the number, CR LF, the description; critical icon, OK, the
    // program's title.
    void ErrorBox(const QString &procName, long number, const QString &description);
    static QString errorBoxText(const QString &procName, long number, const QString &description);
    // The input box; "" when cancelled.
    QString InputBox(const QString &prompt, const QString &title = kAppTitle,
                     const QString &defaultText = QString());
    // The open-file dialog titled "ファイルを開く"; "" when cancelled.
    QString GetOpenFileName(QWidget *owner, const FileFilters &filters,
                            const QString &initialFolder);
    // Every form shown modally goes through here; returns when the form is
    // hidden (QDialog result, or 0 for a plain widget).  The form counts as
    // a window of this program.
    int ShowModal(QWidget &form);
    // Lets pending window events run.
    void DoEvents();
    // Keystrokes to the foreground window (key-string notation).
    void SendKeys(const QString &keys, bool wait = true);
    // Activates the top-level window with this title, if there is one.
    bool AppActivate(const QString &title);
    // Starts a program with arguments without waiting for it.  The program
    // and each argument are passed as they are: no splitting at blanks, so
    // paths with spaces need no quotes.
    bool StartProgram(const QString &program, const QStringList &arguments);

    // ---- folders and names
    const QString &programFolder() const { return m_options.programFolder; }
    void setProgramFolder(const QString &folder) { m_options.programFolder = folder; }
    // The program folder joined with a name: programPath("LAMOR.ini").
    QString programPath(const QString &name) const;
    const QString &appName() const { return m_options.appName; }
    const QString &programFilesFolder() const { return m_options.programFilesFolder; }
    void setProgramFilesFolder(const QString &folder) { m_options.programFilesFolder = folder; }

    // ---- per-user settings store (a section and key under a program name)
    QString GetSetting(const QString &appName, const QString &section, const QString &key,
                       const QString &defaultValue = QString()) const;
    void SaveSetting(const QString &appName, const QString &section, const QString &key,
                     const QString &value);
    void DeleteSetting(const QString &appName, const QString &section, const QString &key);
    const QString &settingsFolder() const { return m_options.settingsFolder; }

    // ---- window functions (see Desktop)
    // The handle of one of this program's windows.  Its top-level window
    // counts as this program's from now on unless another instance claimed
    // it or it is marked foreign (Desktop::markForeign).
    Hwnd hwnd(QWidget *w);
    QWidget *widgetOf(Hwnd h) const { return m_desktop->widgetOf(h); }
    Hwnd FindWindow(const QString &title) { return m_desktop->FindWindow(title); }
    bool SetForegroundWindow(Hwnd h) { return m_desktop->SetForegroundWindow(h); }
    bool SetTopMost(Hwnd h) { return m_desktop->SetTopMost(h); }
    bool ShowRestored(Hwnd h) { return m_desktop->ShowRestored(h); }
    bool IsWindow(Hwnd h) const { return m_desktop->IsWindow(h); }
    qint64 GetProp(Hwnd h, const QString &name) const { return m_desktop->GetProp(h, name); }
    bool SetProp(Hwnd h, const QString &name, qint64 v) { return m_desktop->SetProp(h, name, v); }
    qint64 RemoveProp(Hwnd h, const QString &name) { return m_desktop->RemoveProp(h, name); }
    QRect workArea() const { return m_desktop->workArea(); }
    double twipsPerPixelX() const { return m_desktop->twipsPerPixelX(); }
    double twipsPerPixelY() const { return m_desktop->twipsPerPixelY(); }

    // ---- application activation
    // The listener (the main window) is told true when this program becomes
    // the active application and false when another one does, only on a
    // change, as the application-activation message is sent.  This program's
    // windows are the listener's window, the windows claimed below or handed
    // to hwnd(), forms shown through ShowModal, and windows whose parent is
    // one of them.  Every other window (the drawing host's included) is
    // another program: a window the program shows without a parent must be
    // claimed (or pass through hwnd(), as SetTopMost(hwnd(w)) does).
    void setActivationListener(QWidget *mainWindow, std::function<void(bool active)> listener);
    void clearActivationListener();
    void claimWindow(QWidget *w);
    bool ownsWindow(const QWidget *w) const;
    // Whether this program is the active application now.
    bool isActiveApplication() const;
    // Re-evaluates the active window and tells the listener of a change.
    void checkActivation();

private:
    PlatformOptions m_options;
    std::shared_ptr<Desktop> m_desktop;
    std::shared_ptr<UiBackend> m_backend;
    QPointer<QWidget> m_listenerWindow;
    std::function<void(bool)> m_listener;
    bool m_lastActive = false;
    bool m_delivering = false;
    int m_observerId = 0;
};

} // namespace platform
