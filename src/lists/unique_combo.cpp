#include "lists/unique_combo.h"
#include "lists/sorted.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace lists {

clsUniqueCombo::~clsUniqueCombo()
{
    QObject::disconnect(m_change);
    QObject::disconnect(m_click);
}

void clsUniqueCombo::clsSetComboBox(QComboBox *cbo)
{
    if (cbo == pr_oClsUniqueComboBox && (m_change || m_click))
        return;
    QObject::disconnect(m_change);
    QObject::disconnect(m_click);
    pr_oClsUniqueComboBox = cbo;
    if (!cbo)
        return;
    // The lookup below replaces the combo's own completion, which would
    // write a longer entry into the text while the user types.
    if (cbo->isEditable())
        cbo->setCompleter(nullptr);
    m_change = QObject::connect(cbo, &QComboBox::editTextChanged, cbo,
                                [this](const QString &) { pr_subSelectByText(); });
    m_click = QObject::connect(cbo, &QComboBox::activated, cbo,
                               [this](int) { pr_subSelectByText(); });
}

void clsUniqueCombo::clsAddItem(const QString &sAddString)
{
    if (!pr_oClsUniqueComboBox)
        return;
    if (findText(pr_oClsUniqueComboBox, sAddString, false) < 0)
        addSorted(pr_oClsUniqueComboBox, sAddString);
}

int clsUniqueCombo::findItemIndex(const QString &sFindString, bool bPart) const
{
    if (!pr_oClsUniqueComboBox)
        return -1;
    // bPart true asks for the whole-string match.
    return findText(pr_oClsUniqueComboBox, sFindString, !bPart);
}

QVariant clsUniqueCombo::cls_fun_iFindItemIndex(const QString &sFindString, bool bPart) const
{
    return QVariant(static_cast<qint32>(findItemIndex(sFindString, bPart)));
}

void clsUniqueCombo::pr_subSelectByText()
{
    QComboBox *cbo = pr_oClsUniqueComboBox;
    if (!cbo || m_selecting)
        return;
    const QString text = cbo->currentText();
    const int index = findItemIndex(text, true);
    if (index == cbo->currentIndex() && (!cbo->isEditable() || cbo->currentText() == text))
        return;
    m_selecting = true;
    QLineEdit *edit = cbo->lineEdit();
    const int cursor = edit ? edit->cursorPosition() : 0;
    {
        // Selecting an entry writes its text into the edit field; the
        // user's text is put back, so no change is reported for either.
        const QSignalBlocker block(cbo);
        cbo->setCurrentIndex(index);
        if (edit && edit->text() != text) {
            const QSignalBlocker blockEdit(edit);
            edit->setText(text);
            edit->setCursorPosition(cursor);
        }
    }
    m_selecting = false;
}

} // namespace lists
