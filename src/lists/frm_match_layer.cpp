#include "lists/frm_match_layer.h"
#include "app/frm_main.h"
#include "app/program.h"
#include "lists/list_box_ops.h"
#include "lists/sorted.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <cmath>
#include <memory>

namespace lists {

namespace {

const QString kShowDetails = QStringLiteral("詳細を表示>>");
const QString kHideDetails = QStringLiteral("<<詳細を隠す");

QLabel *label(QWidget *parent, const char *name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QListWidget *list(QWidget *parent, const char *name)
{
    auto *l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setSelectionMode(QAbstractItemView::ExtendedSelection);
    return l;
}

QStringList sortedNames(const NameArray &a)
{
    QStringList names = namesOf(a);
    sortNames(names);
    return names;
}

void moveSelected(QListWidget *to, QListWidget *from)
{
    clearRowSelection(to);
    const std::vector<char> mask = selectionMask(from);
    insertSortedTexts(to, selectedListTexts(from, mask));
    removeRows(from, mask);
    clearRowSelection(from);
}

void moveAll(QListWidget *to, QListWidget *from)
{
    clearRowSelection(to);
    const QStringList moved = listTexts(from);
    if (!moved.isEmpty())
        setListTexts(to, mergeSorted(listTexts(to), moved));
    setListTexts(from, {});
}

void setBackColor(QWidget *w, const QColor &c, QPalette::ColorRole role)
{
    QPalette pal = w->palette();
    pal.setColor(role, c);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

} // namespace

FrmMatchLayer::FrmMatchLayer(app::Program &p, QWidget *owner) : QDialog(owner), m_p(p)
{
    setObjectName(QStringLiteral("frmMatchLayer"));
    // Loading the form.
    setWindowTitle(platform::kAppTitle);

    Lbl1 = label(this, "Lbl1", QStringLiteral("分類指定："));
    place(Lbl1, 675, 90, 1170, 255);
    LblItems = label(this, "LblItems", QString());
    place(LblItems, 1845, 90, 5505, 255);
    Lbl3 = label(this, "Lbl3", QStringLiteral("正規表現："));
    place(Lbl3, 675, 405, 1170, 255);
    LblRegExp = label(this, "LblRegExp", QString());
    place(LblRegExp, 1845, 405, 5505, 255);
    Lbl4 = label(this, "Lbl4", QStringLiteral("にマッチした処理対象画層を"));
    place(Lbl4, 675, 810, 2385, 255);
    LblProcess = label(this, "LblProcess", QString());
    LblProcess->setAlignment(Qt::AlignCenter);
    place(LblProcess, 3060, 810, 3390, 255);
    Lbl5 = label(this, "Lbl5", QStringLiteral("します。"));
    place(Lbl5, 6450, 810, 900, 255);
    Lbl6 = label(this, "Lbl6", QStringLiteral("よろしければOKボタンを押してください。"));
    place(Lbl6, 660, 1140, 6000, 255);

    CmdListView = button(this, "CmdListView", kShowDetails);
    place(CmdListView, 360, 1710, 1455, 375);
    CmdONList = button(this, "CmdONList", QStringLiteral("ﾒｲﾝ画面のﾘｽﾄ更新のみ"));
    place(CmdONList, 2610, 1710, 2415, 375);
    CmdOK = button(this, "CmdOK", QStringLiteral("OK"));
    CmdOK->setDefault(true);
    place(CmdOK, 5535, 1710, 1020, 375);
    CmdCancel = button(this, "CmdCancel", QStringLiteral("ｷｬﾝｾﾙ"));
    place(CmdCancel, 6660, 1710, 1020, 375);

    FraList = new QGroupBox(this);
    FraList->setObjectName(QStringLiteral("FraList"));
    FraList->setFlat(true);
    place(FraList, 120, 2295, 8040, 2880);
    LblON = label(FraList, "LblON", QString());
    place(LblON, 165, 60, 4110, 255);
    LblOFF = label(FraList, "LblOFF", QString());
    place(LblOFF, 4860, 60, 3120, 255);
    LstON = list(FraList, "LstON");
    place(LstON, 165, 330, 4110, 2175);
    LstOFF = list(FraList, "LstOFF");
    place(LstOFF, 4860, 330, 3120, 2175);
    setBackColor(LstOFF, QColor(192, 192, 192), QPalette::Base);
    Frame1 = new QGroupBox(FraList);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFlat(true);
    place(Frame1, 4275, 405, 555, 1935);
    CmdMoveOFF = button(Frame1, "CmdMoveOFF", QStringLiteral(">"));
    place(CmdMoveOFF, 60, 60, 435, 315);
    CmdMoveOFF_ALL = button(Frame1, "CmdMoveOFF_ALL", QStringLiteral(">>"));
    place(CmdMoveOFF_ALL, 60, 435, 435, 315);
    CmdReverse = button(Frame1, "CmdReverse", QStringLiteral("⇔"));
    place(CmdReverse, 60, 810, 435, 315);
    CmdMoveON = button(Frame1, "CmdMoveON", QStringLiteral("<"));
    place(CmdMoveON, 60, 1185, 435, 315);
    CmdMoveON_ALL = button(Frame1, "CmdMoveON_ALL", QStringLiteral("<<"));
    place(CmdMoveON_ALL, 60, 1560, 435, 315);
    Lbl7 = label(FraList, "Lbl7",
                 QStringLiteral("※上記リストボックスにて処理対象画層を任意に追加、除外することができます。"));
    place(Lbl7, 165, 2550, 7815, 255);

    connect(CmdOK, &QPushButton::clicked, this, &FrmMatchLayer::CmdOK_Click);
    connect(CmdONList, &QPushButton::clicked, this, &FrmMatchLayer::CmdONList_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &FrmMatchLayer::CmdCancel_Click);
    connect(CmdListView, &QPushButton::clicked, this, &FrmMatchLayer::CmdListView_Click);
    connect(CmdMoveON, &QPushButton::clicked, this, &FrmMatchLayer::CmdMoveON_Click);
    connect(CmdMoveOFF, &QPushButton::clicked, this, &FrmMatchLayer::CmdMoveOFF_Click);
    connect(CmdMoveON_ALL, &QPushButton::clicked, this, &FrmMatchLayer::CmdMoveON_ALL_Click);
    connect(CmdMoveOFF_ALL, &QPushButton::clicked, this, &FrmMatchLayer::CmdMoveOFF_ALL_Click);
    connect(CmdReverse, &QPushButton::clicked, this, &FrmMatchLayer::CmdReverse_Click);

    setFixedWidth(px(kWidth));
    if (m_p.gOnOffDetail != 0) {
        setHeight(kExpandedHeight);
        FraList->setVisible(true);
        CmdListView->setText(kHideDetails);
    } else {
        setHeight(kCollapsedHeight);
        FraList->setVisible(false);
        CmdListView->setText(kShowDetails);
    }
}

int FrmMatchLayer::px(int twips) const
{
    return static_cast<int>(std::lround(twips / m_p.twipsPerPixelY()));
}

void FrmMatchLayer::place(QWidget *w, int left, int top, int width, int height) const
{
    const double tx = m_p.twipsPerPixelX();
    const double ty = m_p.twipsPerPixelY();
    w->setGeometry(static_cast<int>(std::lround(left / tx)), static_cast<int>(std::lround(top / ty)),
                   static_cast<int>(std::lround(width / tx)), static_cast<int>(std::lround(height / ty)));
}

void FrmMatchLayer::setHeight(int twips)
{
    m_heightTw = twips;
    setFixedHeight(px(twips - kNonClientHeight));
}

QString FrmMatchLayer::processCaption(int mode, const QString &sProcess)
{
    static const char *const kTexts[6][3] = {
        {"表示", "非表示", "排他表示"},
        {"全てのﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞに設定", "全てのﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞを解除", "全てのﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞの排他設定"},
        {"編集ロックに設定", "編集ロックを解除", "排他ロック"},
        {"印刷するに設定", "印刷しないに設定", "印刷するの排他設定"},
        {"現在のﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞに設定", "現在のﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞを解除", "現在のﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞの排他設定"},
        {"新しいﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞの設定", "新しいﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞの解除", "新しいﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞの排他設定"},
    };
    int column = -1;
    if (sProcess == QStringLiteral("表示"))
        column = 0;
    else if (sProcess == QStringLiteral("非表示"))
        column = 1;
    else if (sProcess == QStringLiteral("排他表示"))
        column = 2;
    if (column < 0 || mode <= 0 || mode > 5)
        return sProcess;
    return QString::fromUtf8(kTexts[mode][column]);
}

void FrmMatchLayer::formShow(NameArray &sONArray, NameArray &sOFFArray, const QString &sLblItems,
                         const QString &sLblRegExp, QString &sLblProcess, bool &bOK, bool &bONList)
{
    mvON = sONArray;
    mvOFF = sOFFArray;
    LblItems->setText(sLblItems);
    LblRegExp->setText(sLblRegExp);
    mbOK = false;
    mbONList = false;
    pr_subFillLists();

    if (sLblProcess == QStringLiteral("表示"))
        setBackColor(LblProcess, QColor(255, 128, 128), QPalette::Window);
    else if (sLblProcess == QStringLiteral("非表示"))
        setBackColor(LblProcess, QColor(128, 128, 255), QPalette::Window);
    else if (sLblProcess == QStringLiteral("排他表示"))
        setBackColor(LblProcess, QColor(255, 255, 128), QPalette::Window);
    sLblProcess = processCaption(m_p.frmMain().selectedExeMode(), sLblProcess);
    LblProcess->setText(sLblProcess);

    m_p.ShowModal(*this);

    bOK = mbOK;
    bONList = mbONList;
    if (bOK || bONList) {
        sONArray = mvON;
        sOFFArray = mvOFF;
    }
}

void FrmMatchLayer::pr_subFillLists()
{
    setListTexts(LstON, sortedNames(mvON));
    setListTexts(LstOFF, sortedNames(mvOFF));
    pr_subSetCountLabels();
}

void FrmMatchLayer::pr_subSetCountLabels()
{
    LblON->setText(QStringLiteral("マッチした処理対象画層（") + QString::number(LstON->count()) +
                   QStringLiteral("個）"));
    LblOFF->setText(QStringLiteral("対象外（") + QString::number(LstOFF->count()) +
                    QStringLiteral("個）"));
}

void FrmMatchLayer::pr_subStoreLists()
{
    mvON = toNameArray(listTexts(LstON));
    mvOFF = toNameArray(listTexts(LstOFF));
}

void FrmMatchLayer::CmdOK_Click()
{
    mbOK = true;
    pr_subStoreLists();
    hide();
}

void FrmMatchLayer::CmdONList_Click()
{
    mbONList = true;
    pr_subStoreLists();
    hide();
}

void FrmMatchLayer::CmdCancel_Click()
{
    mbOK = false;
    hide();
}

void FrmMatchLayer::CmdListView_Click()
{
    if (m_heightTw == kCollapsedHeight) {
        setHeight(kExpandedHeight);
        CmdListView->setText(kHideDetails);
        FraList->setVisible(true);
    } else {
        setHeight(kCollapsedHeight);
        CmdListView->setText(kShowDetails);
        FraList->setVisible(false);
    }
}

void FrmMatchLayer::CmdMoveON_Click()
{
    moveSelected(LstON, LstOFF);
    pr_subSetCountLabels();
}

void FrmMatchLayer::CmdMoveOFF_Click()
{
    moveSelected(LstOFF, LstON);
    pr_subSetCountLabels();
}

void FrmMatchLayer::CmdMoveON_ALL_Click()
{
    moveAll(LstON, LstOFF);
    pr_subSetCountLabels();
}

void FrmMatchLayer::CmdMoveOFF_ALL_Click()
{
    moveAll(LstOFF, LstON);
    pr_subSetCountLabels();
}

void FrmMatchLayer::CmdReverse_Click()
{
    const QStringList left = listTexts(LstON);
    setListTexts(LstON, listTexts(LstOFF));
    setListTexts(LstOFF, left);
    pr_subSetCountLabels();
}

void pu_subFormShow(app::Program &p, NameArray &sONArray, NameArray &sOFFArray,
                    const QString &sLblItems, const QString &sLblRegExp, QString &sLblProcess,
                    bool &bOK, bool &bONList)
{
    try {
        FrmMatchLayer form(p, &p.frmMain());
        form.formShow(sONArray, sOFFArray, sLblItems, sLblRegExp, sLblProcess, bOK, bONList);
    } catch (const std::exception &e) {
        long number = 5;
        QString description = QString::fromLocal8Bit(e.what());
        if (const auto *pe = dynamic_cast<const platform::PlatformError *>(&e)) {
            number = pe->number();
            description = pe->description();
        } else if (const auto *ae = dynamic_cast<const acad::AcadError *>(&e)) {
            number = ae->number();
            description = ae->description();
        }
        p.MsgBox(QString::number(number) + QStringLiteral("\r\n") + description,
                 platform::vbOKOnly + platform::vbCritical, QStringLiteral("pu_subFormShow"));
    }
}

} // namespace lists
