#include "lists/unique_list_box.h"
#include "lists/list_box_ops.h"
#include "lists/sorted.h"

#include <QHash>
#include <QSet>
#include <QItemSelectionModel>
#include <QListWidget>

#include <vector>

namespace lists {

clsUniqueListBox::~clsUniqueListBox()
{
    QObject::disconnect(m_click);
}

void clsUniqueListBox::clsSetListBox(QListWidget *oList)
{
    QObject::disconnect(m_click);
    pr_oClsUniqueListBox = oList;
    if (oList)
        m_click = QObject::connect(oList, &QListWidget::itemClicked, oList,
                                   [this](QListWidgetItem *) { pr_oClsUniqueListBox_Click(); });
}

void clsUniqueListBox::clsAddItem(const QString &sAddString)
{
    if (!pr_oClsUniqueListBox)
        return;
    if (findText(pr_oClsUniqueListBox, sAddString, false) < 0)
        addSorted(pr_oClsUniqueListBox, sAddString);
}

int clsUniqueListBox::findItemIndex(const QString &sFindString, bool bPart) const
{
    if (!pr_oClsUniqueListBox)
        return -1;
    // bPart true asks for the whole-string match.
    return findText(pr_oClsUniqueListBox, sFindString, !bPart);
}

QVariant clsUniqueListBox::cls_fun_iFindItemIndex(const QString &sFindString, bool bPart) const
{
    return QVariant(static_cast<qint32>(findItemIndex(sFindString, bPart)));
}

void clsUniqueListBox::clsAddItems(const NameArray &aNames)
{
    QListWidget *list = pr_oClsUniqueListBox;
    if (!list)
        return;
    QSet<QString> present;
    present.reserve(list->count() + aNames.size());
    for (int i = 0; i < list->count(); ++i)
        present.insert(list->item(i)->text().toCaseFolded());
    QStringList added;
    for (const QString &name : namesOf(aNames)) {
        const QString key = name.toCaseFolded();
        if (present.contains(key))
            continue;
        present.insert(key);
        added.append(name);
    }
    insertSortedTexts(list, added);
}

void clsUniqueListBox::clsRemoveItems(const NameArray &aNames)
{
    QListWidget *list = pr_oClsUniqueListBox;
    if (!list || list->count() == 0)
        return;
    // Rows of each text in list order: a name removes the first row of its
    // text still there, as one lookup and removal after another would.
    QHash<QString, std::vector<int>> rows;
    rows.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        rows[list->item(i)->text().toCaseFolded()].push_back(i);
    QHash<QString, size_t> taken;
    std::vector<char> mask(static_cast<size_t>(list->count()), 0);
    for (const QString &name : namesOf(aNames)) {
        const QString key = name.toCaseFolded();
        const auto it = rows.constFind(key);
        if (it == rows.constEnd())
            continue;
        size_t &next = taken[key];
        if (next < it->size())
            mask[static_cast<size_t>((*it)[next++])] = 1;
    }
    removeRows(list, mask);
}

void clsUniqueListBox::pr_oClsUniqueListBox_Click()
{
    QListWidget *list = pr_oClsUniqueListBox;
    const QListWidgetItem *current = list ? list->currentItem() : nullptr;
    if (!current)
        return;
    const int k = findItemIndex(current->text(), true);
    if (k >= 0 && k != list->currentRow())
        list->selectionModel()->setCurrentIndex(list->model()->index(k, 0),
                                                QItemSelectionModel::NoUpdate);
}

} // namespace lists
