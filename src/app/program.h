// One running instance of the program: its globals, its platform object, its
// connection to the drawing host and its forms.
//
// Nothing of a running program lives in statics, so several instances can
// run side by side (the tests do).  The procedures of the connection and the
// layer snapshot are members here, as they share these globals.
#pragma once

#include "acad/acad.h"
#include "app/layers_state.h"
#include "lists/unique_combo.h"
#include "lists/unique_list_box.h"
#include "platform/platform.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <array>
#include <memory>

namespace util {
class Splash;
}

namespace app {

class FrmMain;

class Program : public QObject {
    Q_OBJECT
public:
    Program(platform::Platform &platform, acad::AcadConnector &connector);
    ~Program() override;
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    platform::Platform &platform() { return m_platform; }
    acad::AcadConnector &connector() { return m_connector; }
    FrmMain &frmMain() { return *m_frmMain; }
    util::Splash &frmSplash() { return *m_splash; }

    // ---- lifecycle -----------------------------------------------------
    // The program entry: shows the main window, whose load handler does the
    // start-up; then the window's first activation.
    void Main();
    // Ends the program at once: no exit steps, every window goes.
    void End();
    // Unloads the main window (its exit steps run); the program then ends.
    void UnloadMain();
    bool hasEnded() const { return m_ended; }

    // ---- connection (drawing host) ---------------------------------------
    bool pu_fun_bGetAcadApp(bool &bCancelled, QString &sError);
    void pu_subAcadConnect(bool &bAbort);
    void pu_subGetActiveDocument();
    void pu_subReloadDrawing();

    // ---- layer-table snapshot ----------------------------------------------
    long pu_fun_lnAcad_Layers_Count();
    void pu_subAcadGetLayersState();
    void pu_subSetCboLayers();

    // ---- class combos (filled in full by the class feature) --------------
    void pu_subSetCboItems();

    // ---- settings file ---------------------------------------------------
    // Makes the path absolute (against the program folder) and creates the
    // file when missing; decides whether writes are allowed.
    int pu_fun_iCheckIniFile(QString &sIniPath);
    // An integer when bNumeric, else the trimmed text (an empty QVariant
    // when the read gives no characters).
    QVariant pu_fun_vGetIni(QString &sIniPath, const QString &sSection, const QString &sKey,
                            const QVariant &vDefault, bool bNumeric);
    long pu_fun_lSetIni(QString &sIniPath, const QString &sSection, const QString &sKey,
                        const QVariant &vValue);
    void pu_subLoadOptions(QString &sIniPath);
    bool gIniWritable = false;

    // ---- steps that other features fill in --------------------------------
    bool pu_fun_bCheckDoubleRun();
    void pu_subRemoveProp(platform::Hwnd hwnd);
    void pr_subLoadScriptButtons(const QString &sIniFile);
    void ShowOptions(QWidget *owner);

    // ---- platform helpers used throughout ---------------------------------
    double twipsPerPixelX() const { return m_platform.twipsPerPixelX(); }
    double twipsPerPixelY() const { return m_platform.twipsPerPixelY(); }
    int MsgBox(const QString &prompt, int buttons = platform::vbOKOnly,
               const QString &title = platform::kAppTitle)
    {
        return m_platform.MsgBox(prompt, buttons, title);
    }
    // The common error box: "エラーが <proc> で発生しました。", number, description.
    void ErrorBox(const QString &procName, long number, const QString &description);
    void ErrorBox(const QString &procName, const acad::AcadError &error);
    void ErrorBox(const QString &procName, const std::exception &error);
    void DoEvents() { m_platform.DoEvents(); }
    int ShowModal(QWidget &form) { return m_platform.ShowModal(form); }
    bool SetForegroundWindow(platform::Hwnd h) { return m_platform.SetForegroundWindow(h); }
    // The main window's handle.
    platform::Hwnd mainHwnd();
    // True while the main window's load handler runs.
    bool isLoading() const { return m_loading; }

    // ---- connection globals ---------------------------------------------
    acad::ApplicationPtr gAcadApp;
    acad::DocumentPtr gAcadDoc;
    acad::ModelSpacePtr gAcadModelSpace;
    QString gDocFullName;
    platform::Hwnd gAcadHwnd = 0;
    bool gDocNotFound = false;
    bool gScriptRunning = false;

    // ---- layer snapshot ------------------------------------------------
    LayersState gLayersState;

    // ---- the ON and OFF lists' lookup objects (bound when the main window
    // is made) ------------------------------------------------------------
    lists::clsUniqueListBox gUniqueLstON;
    lists::clsUniqueListBox gUniqueLstOFF;
    // The layer combo's and the class combos' lookup objects.
    lists::clsUniqueCombo gUniqueCboLayer;
    std::array<lists::clsUniqueCombo, 4> gUniqueCboItem;

    // ---- main window state ------------------------------------------------
    bool gResizeSnap = false;
    int gNormalHeight = 0;
    bool gActivatedOnce = false;

    // ---- options (section "Option"; defaults until they are loaded) -------
    QString gDelimiter = QStringLiteral("-");
    int gSmallViewClass = 1;
    int gEscAllView = 1;
    int gAutoHide = 1;
    int gOnOffDetail = 0;

signals:
    // The program has ended (its main window is gone).
    void ended();

private:
    platform::Platform &m_platform;
    acad::AcadConnector &m_connector;
    std::unique_ptr<util::Splash> m_splash;
    std::unique_ptr<FrmMain> m_frmMain;
    bool m_ended = false;
    bool m_loading = false;
    bool m_unloaded = false;
};

} // namespace app
