// frmMain: the main window, a wide strip of fixed width beside the drawing
// host with four height states.
//
// Controls carry their form names as Qt object names (an element of a control
// array is "Name(i)").  Positions and sizes are designed in twips and placed
// in pixels with the screen's twips per pixel.  Height, Top, Left and Width
// are the window's outer size and position in twips: the outer height is the
// client height plus a fixed allowance for the title bar and borders, so the
// four states cut the window off right below their last frame whatever the
// window manager draws around it.
#pragma once

#include <QSize>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace app {

class Program;

// A frame (group box without title) that reports double-clicks on its own
// background, not on its controls.
class Frame;

class FrmMain : public QWidget {
    Q_OBJECT
public:
    // Window size constants (twips).
    static constexpr int kFormWidth = 11685;
    static constexpr int kSmallHeight = 900;
    static constexpr int kClassHeight = 1335;
    static constexpr int kModeHeight = 1910;
    static constexpr int kFullHeight = 4890;
    // Title bar and borders as the design assumed them (twips).
    static constexpr int kNonClientHeight = 390;
    static constexpr int kNonClientWidth = 120;

    explicit FrmMain(Program &program);
    ~FrmMain() override;

    // ---- window geometry in twips -------------------------------------
    int Height() const;
    void setHeight(int twips); // runs Form_Resize when the height changes
    int Width() const;
    void setWidth(int twips);
    int Top() const;
    void setTop(int twips);
    int Left() const;
    void setLeft(int twips);
    enum WindowStates { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };
    int WindowState() const;
    QString Caption() const { return windowTitle(); }
    void setCaption(const QString &caption) { setWindowTitle(caption); }

    // ---- handlers and procedures ---------------------------------------
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void Form_Unload();
    void Form_DblClick(); // background and the four frames
    // The Esc key: straight to the full view when gEscAllView is set.
    void Form_KeyDown(int keyCode);
    // The full view (height 4890) with its frames.
    void pr_subFullView();
    void pu_subVisibleUpdate();
    void pr_subRestoreFormView();
    void pr_subSetHook();
    void pr_subReleaseHook();
    void pr_subCycleSize();
    void CmdFormSize_Click();
    void CmdEND_Click();
    void CmdInfo_Click();
    void CmdSetting_Click();
    void OptExeMode_Click(int index);
    void Chk4Class_Click();
    void pr_subInitUniqueControls();
    void pu_subLayerAttributeCbo_Init();
    // The class combos follow the layer chosen in CboLayer.
    void pr_subSetClassFromLayer();
    // The attribute page shows the attributes of the layer chosen in CboLayer.
    void pr_subChange_AttributeCbo();

    // The height a user's resize snaps to (twips).
    static int snapHeight(int h);

    // The processing mode selected by the option buttons (0 to 5).
    int selectedExeMode() const;

    // Settings file path; made absolute by the first settings access.
    QString mIniPath;

    // ---- controls ------------------------------------------------------
    // Window level
    QPushButton *CmdSetting = nullptr;
    QPushButton *CmdInfo = nullptr;
    QPushButton *CmdEND = nullptr;
    QPushButton *CmdFormSize = nullptr;
    // Layer frame
    QGroupBox *FraLayer = nullptr;
    QLabel *LblLayer = nullptr;
    QComboBox *CboLayer = nullptr;
    QPushButton *CmdLayerAll = nullptr;
    QPushButton *CmdLayerAct = nullptr;
    QPushButton *CmdLayerAdd = nullptr;
    QPushButton *CmdLayerMofify = nullptr;
    // Class frame
    QGroupBox *FraItem = nullptr;
    QLabel *LblItem = nullptr;
    std::array<QComboBox *, 4> CboItem{}; // CboItem1 .. CboItem4
    std::array<QLabel *, 3> LblItemDeli{};
    QCheckBox *Chk4Class = nullptr;
    QPushButton *CmdItemON = nullptr;
    QPushButton *CmdItemOFF = nullptr;
    QPushButton *CmdItemExclusiveON = nullptr;
    // Processing mode frame
    QGroupBox *FraExecuteMode = nullptr;
    QLabel *LblExecute = nullptr;
    std::array<QRadioButton *, 6> OptExeMode{};
    // List area
    QListWidget *LstON = nullptr;
    QListWidget *LstOFF = nullptr;
    QGroupBox *FraList = nullptr;
    QLabel *LblON = nullptr;
    QLabel *LblOFF = nullptr;
    QPushButton *CmdMoveON = nullptr;
    QPushButton *CmdMoveON_ALL = nullptr;
    QPushButton *CmdMoveOFF = nullptr;
    QPushButton *CmdMoveOFF_ALL = nullptr;
    QPushButton *CmdReverse = nullptr;
    QGroupBox *FraListCommand = nullptr;
    QPushButton *CmdListImport = nullptr;
    QPushButton *CmdListDWG = nullptr;
    // Tab control
    QTabWidget *SSTab1 = nullptr;
    std::array<QLabel *, 4> LblTab0{};
    std::array<QComboBox *, 4> CboTab0{};
    QPushButton *CmdChange = nullptr;
    QPushButton *CmdByLayer = nullptr;
    QPushButton *CmdTool_Confirmation = nullptr;
    QPushButton *CmdTool_ByLayer = nullptr;
    QPushButton *CmdTool_Move = nullptr;
    QPushButton *CmdTool_Divide = nullptr;
    QPushButton *CmdTool_HeadAdd = nullptr;
    QPushButton *CmdTool_ReplaceLayerName = nullptr;
    QPushButton *CmdTool_ReplaceString = nullptr;
    QPushButton *CmdTool_yobi1 = nullptr;
    QPushButton *CmdTool_yobi2 = nullptr;
    QPushButton *CmdTool_yobi3 = nullptr;
    std::array<QPushButton *, 8> CmdScript{};
    QPushButton *CmdScriptSetting = nullptr;

    // Places a control at a design position (twips, relative to its parent).
    void place(QWidget *w, int left, int top, int width, int height) const;
    // Control positions read back in twips (for tests and later layout work).
    int controlLeft(const QWidget *w) const;
    int controlTop(const QWidget *w) const;
    int controlWidth(const QWidget *w) const;
    int controlHeight(const QWidget *w) const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void buildTabs();
    void applyClientHeight(int twips);
    int toPxX(int twips) const;
    int toPxY(int twips) const;
    int toTwX(int px) const;
    int toTwY(int px) const;

    Program &m_p;
    bool m_settingSize = false; // a size change of our own is being applied
    bool m_unloading = false;
    bool m_loaded = false;     // the load handler has run
    int m_heightTw = -1;       // height, top and left as last set (twips)
    int m_topTw = -1;
    int m_leftTw = -1;
    QSize m_handledSize;       // client size the resize handler last saw
};

} // namespace app
