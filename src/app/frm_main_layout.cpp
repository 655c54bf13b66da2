// frmMain: the controls and their design positions.
#include "app/frm_main.h"
#include "app/frm_main_p.h"
#include "app/program.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace app {

namespace {

QString arrayName(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

template <typename W>
W *named(W *w, const QString &name)
{
    w->setObjectName(name);
    return w;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

QLabel *label(QWidget *parent, const QString &name, const QString &caption)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    return l;
}

QComboBox *combo(QWidget *parent, const QString &name, bool editable)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(editable);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMaxVisibleItems(20);
    return c;
}

QListWidget *listBox(QWidget *parent, const char *name)
{
    auto *l = new QListWidget(parent);
    l->setObjectName(QLatin1String(name));
    l->setSelectionMode(QAbstractItemView::ExtendedSelection);
    l->setSortingEnabled(false); // sorted through lists::addSorted
    l->setUniformItemSizes(true);
    return l;
}

} // namespace

Frame::Frame(QWidget *parent, const char *name, std::function<void()> onDblClick)
    : QGroupBox(parent), m_onDblClick(std::move(onDblClick))
{
    setObjectName(QLatin1String(name));
}

void Frame::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Only the frame's own background: a double-click on a control inside
    // that ignores it reaches here too, and belongs to that control.
    if (childAt(event->position().toPoint()) == nullptr && m_onDblClick) {
        event->accept();
        m_onDblClick();
        return;
    }
    QGroupBox::mouseDoubleClickEvent(event);
}

int FrmMain::toPxX(int twips) const
{
    const double tpp = m_p.twipsPerPixelX();
    return static_cast<int>(std::lround(twips / tpp));
}

int FrmMain::toPxY(int twips) const
{
    const double tpp = m_p.twipsPerPixelY();
    return static_cast<int>(std::lround(twips / tpp));
}

int FrmMain::toTwX(int px) const
{
    return static_cast<int>(std::lround(px * m_p.twipsPerPixelX()));
}

int FrmMain::toTwY(int px) const
{
    return static_cast<int>(std::lround(px * m_p.twipsPerPixelY()));
}

void FrmMain::place(QWidget *w, int left, int top, int width, int height) const
{
    w->setGeometry(toPxX(left), toPxY(top), toPxX(width), toPxY(height));
}

int FrmMain::controlLeft(const QWidget *w) const { return toTwX(w->x()); }
int FrmMain::controlTop(const QWidget *w) const { return toTwY(w->y()); }
int FrmMain::controlWidth(const QWidget *w) const { return toTwX(w->width()); }
int FrmMain::controlHeight(const QWidget *w) const { return toTwY(w->height()); }

void FrmMain::buildControls()
{
    setObjectName(QStringLiteral("frmMain"));
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);

    const auto cycle = [this] { Form_DblClick(); };

    // ---- layer frame (its top border lies above the client area) ------
    FraLayer = new Frame(this, "FraLayer", cycle);
    place(FraLayer, 90, -90, 10410, 465);
    LblLayer = label(FraLayer, QStringLiteral("LblLayer"), QStringLiteral("画　層"));
    LblLayer->setAlignment(Qt::AlignCenter);
    place(LblLayer, 60, 150, 780, 270);
    CboLayer = combo(FraLayer, QStringLiteral("CboLayer"), true);
    CboLayer->setToolTip(QStringLiteral("画層名リスト"));
    place(CboLayer, 945, 120, 5700, 330);
    CmdLayerAll = button(FraLayer, "CmdLayerAll", QStringLiteral("(&ALL)"));
    place(CmdLayerAll, 6720, 120, 855, 330);
    CmdLayerAct = button(FraLayer, "CmdLayerAct", QStringLiteral("ｱｸﾃｨﾌﾞ"));
    place(CmdLayerAct, 7620, 120, 900, 330);
    CmdLayerAdd = button(FraLayer, "CmdLayerAdd", QStringLiteral("追加"));
    place(CmdLayerAdd, 8565, 120, 855, 330);
    CmdLayerMofify = button(FraLayer, "CmdLayerMofify", QStringLiteral("修正"));
    place(CmdLayerMofify, 9465, 120, 855, 330);

    // ---- class frame ---------------------------------------------------
    FraItem = new Frame(this, "FraItem", cycle);
    place(FraItem, 90, 315, 10410, 495);
    LblItem = label(FraItem, QStringLiteral("LblItem"), QStringLiteral("分類指定"));
    LblItem->setAlignment(Qt::AlignCenter);
    LblItem->setToolTip(QStringLiteral("ダブルクリックで（ALL）を指定します。"));
    place(LblItem, 60, 150, 840, 270);
    for (int i = 0; i < 4; ++i) {
        CboItem[i] = combo(FraItem, QStringLiteral("CboItem%1").arg(i + 1), true);
        CboItem[i]->setToolTip(QStringLiteral("画層名分類%1のリスト")
                                   .arg(QString(QChar(0xFF11 + i)))); // full-width digit
    }
    for (int j = 0; j < 3; ++j) {
        LblItemDeli[j] = label(FraItem, arrayName("LblItemDeli", j), QStringLiteral("-"));
        LblItemDeli[j]->setAlignment(Qt::AlignCenter);
    }
    // Positions of the combos and delimiter labels come from Chk4Class_Click;
    // the design state is three classes.
    for (int i = 0; i < 4; ++i)
        place(CboItem[i], 945 + 2385 * i, 120, 1905, 330);
    for (int j = 0; j < 3; ++j)
        place(LblItemDeli[j], 2925 + 2385 * j, 150, 330, 270);
    Chk4Class = new QCheckBox(QStringLiteral("4分類"), FraItem);
    Chk4Class->setObjectName(QStringLiteral("Chk4Class"));
    place(Chk4Class, 7710, 150, 900, 270);
    CmdItemON = button(FraItem, "CmdItemON", QStringLiteral("O&N"));
    place(CmdItemON, 8655, 120, 555, 330);
    CmdItemOFF = button(FraItem, "CmdItemOFF", QStringLiteral("OF&F"));
    place(CmdItemOFF, 9240, 120, 555, 330);
    CmdItemExclusiveON = button(FraItem, "CmdItemExclusiveON", QStringLiteral("排他"));
    place(CmdItemExclusiveON, 9825, 120, 525, 330);

    // ---- processing mode frame -----------------------------------------
    FraExecuteMode = new Frame(this, "FraExecuteMode", cycle);
    place(FraExecuteMode, 120, 930, 5190, 510);
    LblExecute = label(FraExecuteMode, QStringLiteral("LblExecute"), QStringLiteral("処理ﾓｰﾄﾞ"));
    place(LblExecute, 60, 165, 690, 270);
    static const char16_t *const kModeCaptions[6] = {u"表示", u"全ﾌﾘｰｽﾞ", u"ロック",
                                                     u"印刷", u"現ﾌﾘｰｽﾞ", u"新ﾌﾘｰｽﾞ"};
    static const int kModeWidths[6] = {525, 780, 690, 525, 780, 780};
    int x = 765;
    for (int i = 0; i < 6; ++i) {
        // Graphical option buttons: the back colour shows the selection.
        OptExeMode[i] = new QRadioButton(QString::fromUtf16(kModeCaptions[i]), FraExecuteMode);
        OptExeMode[i]->setObjectName(arrayName("OptExeMode", i));
        place(OptExeMode[i], x, 120, kModeWidths[i], 330);
        x += kModeWidths[i] + 30;
    }

    // ---- list area -----------------------------------------------------
    FraList = new Frame(this, "FraList", cycle);
    place(FraList, 60, 1560, 11415, 2835);
    LblON = label(FraList, QStringLiteral("LblON"), QString());
    place(LblON, 45, 45, 3700, 225);
    LblOFF = label(FraList, QStringLiteral("LblOFF"), QString());
    place(LblOFF, 4395, 45, 3700, 225);
    CmdMoveON = button(FraList, "CmdMoveON", QStringLiteral("<"));
    CmdMoveON_ALL = button(FraList, "CmdMoveON_ALL", QStringLiteral("<<"));
    CmdMoveOFF = button(FraList, "CmdMoveOFF", QStringLiteral(">"));
    CmdMoveOFF_ALL = button(FraList, "CmdMoveOFF_ALL", QStringLiteral(">>"));
    CmdReverse = button(FraList, "CmdReverse", QStringLiteral("⇔"));
    {
        QPushButton *moves[5] = {CmdMoveON, CmdMoveON_ALL, CmdMoveOFF, CmdMoveOFF_ALL, CmdReverse};
        for (int i = 0; i < 5; ++i)
            place(moves[i], 3810, 390 + 450 * i, 525, 360);
    }
    FraListCommand = new QGroupBox(FraList);
    FraListCommand->setObjectName(QStringLiteral("FraListCommand"));
    place(FraListCommand, 8190, 0, 3165, 540);
    CmdListImport = button(FraListCommand, "CmdListImport", QStringLiteral("現在の状態を読込む"));
    CmdListImport->setToolTip(
        QStringLiteral("現在開いている図面の内容を処理モードに従ってリストボックスに読み込みます"));
    place(CmdListImport, 60, 150, 1860, 345);
    CmdListDWG = button(FraListCommand, "CmdListDWG", QStringLiteral("図面に反映"));
    CmdListDWG->setToolTip(QStringLiteral("リストボックスの内容を図面に反映します"));
    place(CmdListDWG, 1965, 150, 1140, 345);
    CmdListDWG->setEnabled(false);

    SSTab1 = new QTabWidget(FraList);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    place(SSTab1, 8190, 585, 3165, 2205);
    buildTabs();

    // The list boxes are window-level controls above the frame.
    LstON = listBox(this, "LstON");
    place(LstON, 90, 1820, 3703, 2490);
    LstOFF = listBox(this, "LstOFF");
    place(LstOFF, 4455, 1820, 3703, 2490);

    // ---- window-level buttons ------------------------------------------
    CmdEND = button(this, "CmdEND", QStringLiteral("終了"));
    place(CmdEND, 10560, 30, 915, 330);
    CmdInfo = button(this, "CmdInfo", QStringLiteral("ﾊﾞｰｼﾞｮﾝ"));
    place(CmdInfo, 10560, 420, 915, 330);
    CmdSetting = button(this, "CmdSetting", QStringLiteral("設定"));
    place(CmdSetting, 10560, 990, 915, 330);
    CmdFormSize = button(this, "CmdFormSize", QStringLiteral("サイズ変更(&Z)"));
    place(CmdFormSize, 9030, 990, 1440, 330);

    // Stacking: the list boxes over their frame, the buttons over all.
    FraList->lower();
    LstON->raise();
    LstOFF->raise();
}

void FrmMain::buildTabs()
{
    // Pages are laid out in twips relative to the page.
    auto *page0 = new QWidget;
    page0->setObjectName(QStringLiteral("SSTab1_Page0"));
    static const char16_t *const kAttrCaptions[4] = {u"画層色", u"線種", u"線太さ", u"印ｽﾀｲﾙ"};
    for (int i = 0; i < 4; ++i) {
        LblTab0[i] = label(page0, arrayName("LblTab0", i), QString::fromUtf16(kAttrCaptions[i]));
        CboTab0[i] = combo(page0, arrayName("CboTab0", i), false);
    }
    for (int i = 0; i < 4; ++i) {
        place(LblTab0[i], 60, 60 + 315 * i, 690, 255);
        place(CboTab0[i], 750, 30 + 315 * i, 2250, 300);
    }
    CmdByLayer = button(page0, "CmdByLayer", QStringLiteral("ByLayer(&B)"));
    place(CmdByLayer, 750, 1290, 1245, 330);
    CmdChange = button(page0, "CmdChange", QStringLiteral("変更"));
    place(CmdChange, 2055, 1290, 945, 330);
    SSTab1->addTab(page0, QStringLiteral("画層属性"));

    auto *page1 = new QWidget;
    page1->setObjectName(QStringLiteral("SSTab1_Page1"));
    CmdTool_Confirmation = button(page1, "CmdTool_Confirmation", QStringLiteral("画層ﾋﾞｭｰﾜ..."));
    CmdTool_ByLayer = button(page1, "CmdTool_ByLayer", QStringLiteral("ByLayer変換..."));
    CmdTool_Move = button(page1, "CmdTool_Move", QStringLiteral("ｵﾌﾞｼﾞｪｸﾄ移動..."));
    CmdTool_Divide = button(page1, "CmdTool_Divide", QStringLiteral("画層ｳｨﾝﾄﾞｳ..."));
    CmdTool_HeadAdd = button(page1, "CmdTool_HeadAdd", QStringLiteral("接頭文字追加..."));
    CmdTool_ReplaceLayerName =
        button(page1, "CmdTool_ReplaceLayerName", QStringLiteral("画層名置換..."));
    CmdTool_ReplaceString = button(page1, "CmdTool_ReplaceString", QStringLiteral("文字列置換..."));
    CmdTool_yobi1 = button(page1, "CmdTool_yobi1", QStringLiteral("予備"));
    CmdTool_yobi2 = button(page1, "CmdTool_yobi2", QStringLiteral("予備"));
    CmdTool_yobi3 = button(page1, "CmdTool_yobi3", QStringLiteral("予備"));
    {
        QPushButton *tools[10] = {CmdTool_Confirmation, CmdTool_Divide, CmdTool_ByLayer,
                                  CmdTool_Move, CmdTool_HeadAdd, CmdTool_ReplaceLayerName,
                                  CmdTool_ReplaceString, CmdTool_yobi1, CmdTool_yobi2,
                                  CmdTool_yobi3};
        for (int i = 0; i < 10; ++i)
            place(tools[i], 45 + (i % 2) * 1530, 30 + (i / 2) * 315, 1485, 300);
    }
    SSTab1->addTab(page1, QStringLiteral("ツール"));

    auto *page2 = new QWidget;
    page2->setObjectName(QStringLiteral("SSTab1_Page2"));
    for (int i = 0; i < 8; ++i) {
        CmdScript[i] = button(page2, "", QStringLiteral("Script%1").arg(i + 1));
        CmdScript[i]->setObjectName(arrayName("CmdScript", i));
        place(CmdScript[i], 45 + (i % 2) * 1530, 30 + (i / 2) * 315, 1485, 300);
    }
    CmdScriptSetting = button(page2, "CmdScriptSetting", QStringLiteral("AutoCADスクリプトの設定"));
    place(CmdScriptSetting, 45, 30 + 4 * 315, 3015, 300);
    SSTab1->addTab(page2, QStringLiteral("ｽｸﾘﾌﾟﾄ"));
}

} // namespace app
