#include "lists/list_moves.h"
#include "app/frm_main.h"
#include "app/program.h"
#include "lists/classes.h"
#include "lists/list_box_ops.h"
#include "lists/list_fill.h"
#include "lists/unique_list_box.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace lists {

namespace {

// Every move ends by marking the lists as edited.
void markEdited(app::Program &p)
{
    pu_subSetListCount(p);
    p.frmMain().CmdListDWG->setEnabled(true);
}

// The selected items of `from` go to `to`; the selection of `to` is cleared
// first.
void moveSelected(app::Program &p, QListWidget *to, QListWidget *from)
{
    clearRowSelection(to);
    const std::vector<char> mask = selectionMask(from);
    insertSortedTexts(to, selectedListTexts(from, mask));
    removeRows(from, mask);
    clearRowSelection(from);
    markEdited(p);
}

void moveAll(app::Program &p, QListWidget *to, QListWidget *from)
{
    clearRowSelection(to);
    const QStringList moved = listTexts(from);
    if (!moved.isEmpty())
        setListTexts(to, mergeSorted(listTexts(to), moved));
    setListTexts(from, {});
    markEdited(p);
}

void toCboLayer(app::Program &p, const QListWidget *list)
{
    const QListWidgetItem *item = list->currentItem();
    if (!item)
        return;
    QComboBox *cbo = p.frmMain().CboLayer;
    const QString text = item->text();
    // Setting the text of the combo: its entry of that name becomes the
    // current one, and the edit text follows.
    const int k = cbo->findText(text, Qt::MatchFixedString);
    if (k >= 0 && cbo->itemText(k) == text)
        cbo->setCurrentIndex(k);
    if (cbo->isEditable())
        cbo->setEditText(text);
}

// Double-clicks on the two captions.
class CaptionDblClick : public QObject {
public:
    CaptionDblClick(app::Program &p, QObject *parent) : QObject(parent), m_p(p) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick) {
            app::FrmMain &f = m_p.frmMain();
            if (watched == f.LblON) {
                LblON_DblClick(m_p);
                return true;
            }
            if (watched == f.LblOFF) {
                LblOFF_DblClick(m_p);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    app::Program &m_p;
};

} // namespace

void CmdMoveON_Click(app::Program &p)
{
    moveSelected(p, p.frmMain().LstON, p.frmMain().LstOFF);
}

void CmdMoveOFF_Click(app::Program &p)
{
    moveSelected(p, p.frmMain().LstOFF, p.frmMain().LstON);
}

void CmdMoveON_ALL_Click(app::Program &p)
{
    moveAll(p, p.frmMain().LstON, p.frmMain().LstOFF);
}

void CmdMoveOFF_ALL_Click(app::Program &p)
{
    moveAll(p, p.frmMain().LstOFF, p.frmMain().LstON);
}

void CmdReverse_Click(app::Program &p)
{
    app::FrmMain &f = p.frmMain();
    // Both lists are in list order already: each takes the other's content.
    const QStringList temp = listTexts(f.LstON);
    setListTexts(f.LstON, listTexts(f.LstOFF));
    setListTexts(f.LstOFF, temp);
    markEdited(p);
}

void LblON_DblClick(app::Program &p)
{
    selectAllRows(p.frmMain().LstON);
}

void LblOFF_DblClick(app::Program &p)
{
    selectAllRows(p.frmMain().LstOFF);
}

void LstON_DblClick(app::Program &p)
{
    toCboLayer(p, p.frmMain().LstON);
}

void LstOFF_DblClick(app::Program &p)
{
    toCboLayer(p, p.frmMain().LstOFF);
}

void pr_subConnectListControls(app::Program &p)
{
    app::FrmMain &f = p.frmMain();
    p.gUniqueLstON.clsSetListBox(f.LstON);
    p.gUniqueLstOFF.clsSetListBox(f.LstOFF);

    app::Program *pp = &p;
    const auto on = [&f](QPushButton *button, void (*handler)(app::Program &), app::Program *prog) {
        QObject::connect(button, &QPushButton::clicked, &f, [handler, prog] { handler(*prog); });
    };
    on(f.CmdMoveON, &CmdMoveON_Click, pp);
    on(f.CmdMoveOFF, &CmdMoveOFF_Click, pp);
    on(f.CmdMoveON_ALL, &CmdMoveON_ALL_Click, pp);
    on(f.CmdMoveOFF_ALL, &CmdMoveOFF_ALL_Click, pp);
    on(f.CmdReverse, &CmdReverse_Click, pp);
    on(f.CmdListImport, &CmdListImport_Click, pp);
    on(f.CmdListDWG, &CmdListDWG_Click, pp);

    QObject::connect(f.LstON, &QListWidget::itemDoubleClicked, &f,
                     [pp](QListWidgetItem *) { LstON_DblClick(*pp); });
    QObject::connect(f.LstOFF, &QListWidget::itemDoubleClicked, &f,
                     [pp](QListWidgetItem *) { LstOFF_DblClick(*pp); });

    auto *captions = new CaptionDblClick(p, &f);
    f.LblON->installEventFilter(captions);
    f.LblOFF->installEventFilter(captions);

    pr_subConnectClassControls(p);
}

} // namespace lists
