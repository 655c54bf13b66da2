// clsUniqueListBox: a list box with add-unless-present and lookup by text.
//
// One object per bound list box.  Comparisons are those of the list box's
// own search: case-insensitive, from the first item.
#pragma once

#include "lists/name_array.h"

#include <QMetaObject>
#include <QString>
#include <QVariant>

class QListWidget;

namespace lists {

class clsUniqueListBox {
public:
    clsUniqueListBox() = default;
    ~clsUniqueListBox();
    clsUniqueListBox(const clsUniqueListBox &) = delete;
    clsUniqueListBox &operator=(const clsUniqueListBox &) = delete;

    // Binds the object to oList (and to its clicks).
    void clsSetListBox(QListWidget *oList);
    QListWidget *listBox() const { return pr_oClsUniqueListBox; }

    // Adds sAddString at its sorted place unless an item equal to it (whole
    // string, ignoring letter case) is already there.
    void clsAddItem(const QString &sAddString);

    // Index of the first item matching sFindString, or -1.  bPart true: the
    // item equals sFindString as a whole; false: the item begins with it.
    QVariant cls_fun_iFindItemIndex(const QString &sFindString, bool bPart) const;
    int findItemIndex(const QString &sFindString, bool bPart) const;

    // clsAddItem for every name of an array, in one pass over the list.
    void clsAddItems(const NameArray &aNames);
    // For every name of an array: removes the first item equal to it (whole
    // string, ignoring letter case), as the whole-string lookup would find
    // it; a name the list does not hold removes nothing.  One pass.
    void clsRemoveItems(const NameArray &aNames);

private:
    // The bound list's click: the item with the current text becomes the
    // current item.
    void pr_oClsUniqueListBox_Click();

    QListWidget *pr_oClsUniqueListBox = nullptr;
    QMetaObject::Connection m_click;
};

} // namespace lists
