// frmMain: size states, start-up, exit and the window-level buttons.
#include "app/frm_main.h"
#include "app/frm_about.h"
#include "app/frm_main_p.h"
#include "app/program.h"
#include "lists/list_fill.h"
#include "lists/sorted.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <cmath>

namespace app {

namespace {

const QString kAll = QStringLiteral("   (ALL)   ");
const QString kNotSpecified = QStringLiteral("  (指定しない)  ");

QString optionStyle(bool selected)
{
    // Graphical option buttons: light red when selected, light cyan otherwise.
    return QStringLiteral("QRadioButton { background-color: %1; border: 1px solid #8c8c8c;"
                          " border-radius: 2px; padding-left: 4px; spacing: 0px; }"
                          " QRadioButton::indicator { width: 0px; height: 0px; border: none;"
                          " image: none; }")
        .arg(selected ? QStringLiteral("rgb(255,128,128)") : QStringLiteral("rgb(128,255,255)"));
}

} // namespace

FrmMain::FrmMain(Program &program) : QWidget(nullptr), m_p(program)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildControls();

    for (int i = 0; i < 6; ++i) {
        connect(OptExeMode[i], &QRadioButton::clicked, this, [this, i] { OptExeMode_Click(i); });
        OptExeMode[i]->setStyleSheet(optionStyle(i == 0));
    }
    OptExeMode[0]->setChecked(true);
    connect(CmdFormSize, &QPushButton::clicked, this, &FrmMain::CmdFormSize_Click);
    connect(CmdEND, &QPushButton::clicked, this, &FrmMain::CmdEND_Click);
    connect(CmdInfo, &QPushButton::clicked, this, &FrmMain::CmdInfo_Click);
    connect(CmdSetting, &QPushButton::clicked, this, &FrmMain::CmdSetting_Click);
    connect(Chk4Class, &QCheckBox::clicked, this, &FrmMain::Chk4Class_Click);

    // Design size: fixed width, full view.
    const int clientWidth = toPxX(kFormWidth - kNonClientWidth);
    setFixedWidth(clientWidth);
    m_settingSize = true;
    resize(clientWidth, toPxY(kFullHeight - kNonClientHeight));
    m_settingSize = false;
    m_heightTw = kFullHeight;
    m_handledSize = size();
}

FrmMain::~FrmMain() = default;

// ---- geometry ---------------------------------------------------------------

int FrmMain::Height() const
{
    // A height set by the program reads back as set, unless the window has
    // since been given another pixel height (a user drag).
    if (m_heightTw >= 0 && std::max(1, toPxY(m_heightTw - kNonClientHeight)) == height())
        return m_heightTw;
    return toTwY(height()) + kNonClientHeight;
}

void FrmMain::setHeight(int twips)
{
    const int px = std::max(1, toPxY(twips - kNonClientHeight));
    m_heightTw = twips;
    if (px == height())
        return; // same pixel height: no resize event, as with any window
    m_settingSize = true;
    resize(width(), px);
    m_settingSize = false;
    m_handledSize = size();
    Form_Resize();
}

int FrmMain::Width() const { return toTwX(width()) + kNonClientWidth; }

void FrmMain::setWidth(int twips)
{
    const int px = std::max(1, toPxX(twips - kNonClientWidth));
    if (px == width())
        return;
    m_settingSize = true;
    setFixedWidth(px);
    m_settingSize = false;
    m_handledSize = size();
    Form_Resize();
}

int FrmMain::Top() const
{
    if (m_topTw >= 0 && toPxY(m_topTw) == pos().y())
        return m_topTw;
    return toTwY(pos().y());
}

void FrmMain::setTop(int twips)
{
    m_topTw = twips;
    move(pos().x(), toPxY(twips));
}

int FrmMain::Left() const
{
    if (m_leftTw >= 0 && toPxX(m_leftTw) == pos().x())
        return m_leftTw;
    return toTwX(pos().x());
}

void FrmMain::setLeft(int twips)
{
    m_leftTw = twips;
    move(toPxX(twips), pos().y());
}

int FrmMain::WindowState() const
{
    if (isMinimized())
        return vbMinimized;
    if (isMaximized())
        return vbMaximized;
    return vbNormal;
}

void FrmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_settingSize || size() == m_handledSize)
        return;
    m_handledSize = size();
    if (m_loaded)
        Form_Resize();
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (!m_unloading)
        m_p.UnloadMain();
}

void FrmMain::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (childAt(event->position().toPoint()) == nullptr) {
        event->accept();
        Form_DblClick();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

// ---- size states --------------------------------------------------------------

int FrmMain::snapHeight(int h)
{
    // Midpoints of neighbouring heights: 2235/2, 3245/2, 6800/2.
    if (2 * h < kSmallHeight + kClassHeight)
        return kSmallHeight;
    if (2 * h < kClassHeight + kModeHeight)
        return kClassHeight;
    if (2 * h < kModeHeight + kFullHeight)
        return kModeHeight;
    if (h < kFullHeight)
        return kFullHeight;
    return h;
}

void FrmMain::Form_Resize()
{
    if (!m_p.gResizeSnap) {
        pu_subVisibleUpdate();
        m_p.gResizeSnap = true;
        return;
    }
    if (WindowState() != vbNormal)
        return;
    const int h = Height();
    const int snapped = snapHeight(h);
    if (snapped != h)
        setHeight(snapped);
    pu_subVisibleUpdate();
    if (Height() > 2650) {
        const int lists = Height() - 2300;
        LstON->resize(LstON->width(), toPxY(lists));
        LstOFF->resize(LstOFF->width(), toPxY(lists));
    }
    setWidth(kFormWidth);
    m_p.gResizeSnap = true;
}

void FrmMain::pu_subVisibleUpdate()
{
    const int h = Height();
    if (h == kSmallHeight) {
        if (m_p.gSmallViewClass == 0) {
            FraLayer->setVisible(true);
            FraItem->setVisible(false);
        } else {
            FraLayer->setVisible(false);
            FraItem->setVisible(true);
            FraItem->move(FraItem->x(), toPxY(-90));
        }
        FraExecuteMode->setVisible(false);
        FraList->setVisible(false);
        LstON->setVisible(false);
        LstOFF->setVisible(false);
        CmdInfo->setVisible(false);
        return;
    }
    // The class frame returns to its place below the layer frame.  (Also
    // when the small-view option was switched off while the class frame
    // stood at the top: it would cover the layer frame otherwise.)
    FraItem->move(FraItem->x(), toPxY(315));
    if (h == kClassHeight || h == kModeHeight) {
        FraLayer->setVisible(true);
        FraItem->setVisible(true);
        FraExecuteMode->setVisible(h == kModeHeight);
        FraList->setVisible(false);
        LstON->setVisible(false);
        LstOFF->setVisible(false);
    } else if (h >= kFullHeight) {
        FraLayer->setVisible(true);
        FraItem->setVisible(true);
        FraExecuteMode->setVisible(true);
        FraList->setVisible(true);
        LstON->setVisible(true);
        LstOFF->setVisible(true);
    }
    CmdInfo->setVisible(true);
}

void FrmMain::pr_subCycleSize()
{
    const int h = Height();
    int next = kModeHeight;
    if (h == kSmallHeight)
        next = kFullHeight;
    else if (h == kClassHeight)
        next = kSmallHeight;
    else if (h == kModeHeight)
        next = kClassHeight;
    setHeight(next);
    pu_subVisibleUpdate();
}

void FrmMain::CmdFormSize_Click() { pr_subCycleSize(); }

void FrmMain::Form_DblClick()
{
    // With the "Esc key / one double-click" option a double-click below the
    // full view goes straight to it.
    if (m_p.gEscAllView != 0 && Height() < kFullHeight) {
        pr_subFullView();
        return;
    }
    pr_subCycleSize();
}

// ---- start-up -----------------------------------------------------------------

void FrmMain::Form_Load()
{
    try {
        m_loaded = true;
        // A second copy only brings the first forward (window coordination).
        if (m_p.pu_fun_bCheckDoubleRun()) {
            m_p.End();
            return;
        }
        mIniPath = QStringLiteral("LAMOR.ini");
        m_p.pu_fun_iCheckIniFile(mIniPath);
        pr_subRestoreFormView();
        m_p.pu_subLoadOptions(mIniPath);
        m_p.pr_subLoadScriptButtons(mIniPath);
        pr_subInitUniqueControls();

        bool bAbort = false;
        m_p.pu_subAcadConnect(bAbort);
        if (bAbort) {
            m_p.gAcadApp.reset();
            return;
        }
        if (m_p.gDocNotFound) {
            // No drawing open: the not-found box was shown; the program ends.
            m_p.End();
            return;
        }
        pr_subSetHook();
        m_p.gScriptRunning = false;
        setCaption(m_p.gAcadDoc->Path() + QStringLiteral(" － ") + m_p.gAcadDoc->Name());
        Chk4Class_Click();
        m_p.gResizeSnap = true;
        Form_Resize();

        m_p.SetForegroundWindow(m_p.gAcadHwnd);
        m_p.DoEvents();
        if (m_p.hasEnded())
            return;
        m_p.SetForegroundWindow(m_p.mainHwnd());

        setHeight(kSmallHeight);
        m_p.gNormalHeight = Height();
    } catch (const acad::AcadError &e) {
        m_p.ErrorBox(QStringLiteral("Form_Load"), e);
        m_p.End();
    } catch (const std::exception &e) {
        m_p.ErrorBox(QStringLiteral("Form_Load"), e);
        m_p.End();
    }
}

void FrmMain::Form_Activate()
{
    try {
        if (!m_p.gAcadApp) {
            m_p.End();
            return;
        }
    } catch (const std::exception &e) {
        m_p.ErrorBox(QStringLiteral("Form_Activate"), e);
    }
}

void FrmMain::pr_subRestoreFormView()
{
    const auto get = [this](const char *key) {
        return m_p.pu_fun_vGetIni(mIniPath, QStringLiteral("FormView"), QLatin1String(key), 0, true)
            .toInt();
    };
    setHeight(get("height"));
    setTop(get("top"));
    setLeft(get("left"));
    const int page = get("SSTab1");
    SSTab1->setCurrentIndex(page >= 0 && page < SSTab1->count() ? page : 0);
}

void FrmMain::pr_subInitUniqueControls()
{
    for (int i = 0; i < 4; ++i)
        m_p.gUniqueCboItem[i].clsSetComboBox(CboItem[i]);
    m_p.gUniqueCboLayer.clsSetComboBox(CboLayer);
    for (QComboBox *c : CboItem) {
        lists::resetCombo(c, {kAll, kNotSpecified});
        c->setCurrentIndex(0);
    }
    lists::resetCombo(CboLayer, {kAll});
    CboLayer->setCurrentIndex(0);
}

void FrmMain::pr_subSetHook()
{
    // The activation hook is installed by the window coordination.
}

void FrmMain::pr_subReleaseHook() {}

// ---- exit -----------------------------------------------------------------------

void FrmMain::Form_Unload()
{
    m_unloading = true;
    try {
        const QString section = QStringLiteral("FormView");
        m_p.pu_fun_lSetIni(mIniPath, section, QStringLiteral("height"), Height());
        m_p.pu_fun_lSetIni(mIniPath, section, QStringLiteral("top"), Top());
        m_p.pu_fun_lSetIni(mIniPath, section, QStringLiteral("left"), Left());
        m_p.pu_fun_lSetIni(mIniPath, section, QStringLiteral("SSTab1"), SSTab1->currentIndex());

        m_p.gAcadApp.reset();
        m_p.gAcadDoc.reset();
        m_p.gAcadModelSpace.reset();
        m_p.gActivatedOnce = false;

        pr_subReleaseHook();
        m_p.pu_subRemoveProp(m_p.mainHwnd());
    } catch (const std::exception &e) {
        m_p.ErrorBox(QStringLiteral("Form_Unload"), e);
    }
}

void FrmMain::CmdEND_Click() { m_p.UnloadMain(); }

// ---- window-level buttons -----------------------------------------------------

void FrmMain::CmdInfo_Click()
{
    FrmAbout about(m_p, this);
    m_p.ShowModal(about);
}

void FrmMain::CmdSetting_Click()
{
    const int h = Height();
    m_p.ShowOptions(this);
    m_p.DoEvents();
    if (m_p.hasEnded())
        return;
    setHeight(h);
    m_p.pu_subSetCboItems();
}

// ---- processing mode and classes ----------------------------------------------

int FrmMain::selectedExeMode() const
{
    for (int i = 0; i < 6; ++i)
        if (OptExeMode[i]->isChecked())
            return i;
    return 0;
}

void FrmMain::OptExeMode_Click(int index)
{
    if (!OptExeMode[index]->isChecked())
        OptExeMode[index]->setChecked(true);
    for (int i = 0; i < 6; ++i)
        OptExeMode[i]->setStyleSheet(optionStyle(OptExeMode[i]->isChecked()));
    lists::pu_subSetListLayers(m_p);
    CmdItemON->setFocus();
}

void FrmMain::Chk4Class_Click()
{
    if (Chk4Class->isChecked()) {
        for (int i = 0; i < 4; ++i)
            place(CboItem[i], 945 + 1750 * i, controlTop(CboItem[i]), 1430, controlHeight(CboItem[i]));
        for (int j = 0; j < 3; ++j)
            place(LblItemDeli[j], 2400 + 1740 * j, controlTop(LblItemDeli[j]),
                  controlWidth(LblItemDeli[j]), controlHeight(LblItemDeli[j]));
        CboItem[3]->setVisible(true);
        CboItem[3]->setCurrentIndex(0);
        LblItemDeli[2]->setVisible(true);
    } else {
        for (int i = 0; i < 3; ++i)
            place(CboItem[i], 945 + 2385 * i, controlTop(CboItem[i]), 1905, controlHeight(CboItem[i]));
        for (int j = 0; j < 2; ++j)
            place(LblItemDeli[j], 2925 + 2385 * j, controlTop(LblItemDeli[j]),
                  controlWidth(LblItemDeli[j]), controlHeight(LblItemDeli[j]));
        CboItem[3]->setVisible(false);
        if (CboItem[3]->count() > 1)
            CboItem[3]->setCurrentIndex(1);
        LblItemDeli[2]->setVisible(false);
    }
}

} // namespace app
