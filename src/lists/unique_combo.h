// clsUniqueCombo: a combo with add-unless-present and a lookup while typing.
//
// One object per bound combo.  Comparisons are those of the combo's own
// search: case-insensitive, from the first entry.  The bound combo's clicks
// and text changes select the entry equal to its text (or none), and the
// text the user typed stays as typed.
#pragma once

#include <QMetaObject>
#include <QString>
#include <QVariant>

class QComboBox;

namespace lists {

class clsUniqueCombo {
public:
    clsUniqueCombo() = default;
    ~clsUniqueCombo();
    clsUniqueCombo(const clsUniqueCombo &) = delete;
    clsUniqueCombo &operator=(const clsUniqueCombo &) = delete;

    // Binds the object to cbo (its clicks and text changes).  Binding the
    // combo already bound keeps the existing connection.
    void clsSetComboBox(QComboBox *cbo);
    QComboBox *comboBox() const { return pr_oClsUniqueComboBox; }

    // Adds sAddString at its sorted place unless an entry equal to it
    // (whole string, ignoring letter case) is already there.
    void clsAddItem(const QString &sAddString);

    // Index of the first entry matching sFindString, or -1.  bPart true: the
    // entry equals sFindString as a whole; false: the entry begins with it.
    QVariant cls_fun_iFindItemIndex(const QString &sFindString, bool bPart) const;
    int findItemIndex(const QString &sFindString, bool bPart) const;

    // The lookup the click and change events run: the entry equal to the
    // combo's text becomes the current one (-1 when none); the text stays.
    void pr_subSelectByText();

private:
    QComboBox *pr_oClsUniqueComboBox = nullptr;
    QMetaObject::Connection m_change;
    QMetaObject::Connection m_click;
    bool m_selecting = false;
};

} // namespace lists
