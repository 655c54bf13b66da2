#include "widgets.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace harness {
namespace {

int columnOf(const QAbstractItemView &view)
{
    if (auto *list = qobject_cast<const QListView *>(&view))
        return list->modelColumn();
    return 0;
}

} // namespace

QString arrayName(const QString &name, int index)
{
    return QStringLiteral("%1(%2)").arg(name).arg(index);
}

QWidget *find(QWidget &root, const QString &objectName)
{
    if (root.objectName() == objectName)
        return &root;
    if (auto *w = root.findChild<QWidget *>(objectName))
        return w;
    ADD_FAILURE() << "No control \"" << objectName.toStdString() << "\" in \""
                  << root.objectName().toStdString() << "\"";
    return nullptr;
}

QWidget *topLevel(const QString &objectName)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == objectName)
            return w;
    return nullptr;
}

void click(QAbstractButton &button)
{
    if (!button.isEnabled() || !button.isVisibleTo(button.window())) {
        ADD_FAILURE() << "Button \"" << button.objectName().toStdString() << "\" cannot be clicked ("
                      << (button.isEnabled() ? "hidden" : "disabled") << ")";
        return;
    }
    button.click();
}

void click(QWidget &root, const QString &objectName)
{
    QWidget *w = find(root, objectName);
    if (!w)
        return;
    auto *b = qobject_cast<QAbstractButton *>(w);
    if (!b) {
        ADD_FAILURE() << "\"" << objectName.toStdString() << "\" is no button";
        return;
    }
    click(*b);
}

void pressKey(QWidget &w, int key, Qt::KeyboardModifiers modifiers)
{
    QString text;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        text = QStringLiteral("\r");
    else if (key == Qt::Key_Escape)
        text = QString(QChar(0x1B));
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(&w, &release);
}

void type(QWidget &edit, const QString &text, bool replace)
{
    QWidget *target = &edit;
    if (auto *combo = qobject_cast<QComboBox *>(&edit)) {
        if (!combo->isEditable() || !combo->lineEdit()) {
            ADD_FAILURE() << "Combo \"" << edit.objectName().toStdString() << "\" is not editable";
            return;
        }
        target = combo->lineEdit();
    }
    if (!target->isEnabled()) {
        ADD_FAILURE() << "\"" << edit.objectName().toStdString() << "\" is disabled";
        return;
    }
    if (replace) {
        if (auto *le = qobject_cast<QLineEdit *>(target))
            le->selectAll();
        else if (auto *te = qobject_cast<QTextEdit *>(target))
            te->selectAll();
        else if (auto *pe = qobject_cast<QPlainTextEdit *>(target))
            pe->selectAll();
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString ch = text.mid(i, 1);
        if (text.at(i).isHighSurrogate() && i + 1 < text.size())
            ch = text.mid(i++, 2);
        int key = 0;
        if (ch == QLatin1String("\n") || ch == QLatin1String("\r")) {
            if (ch == QLatin1String("\r") && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            key = Qt::Key_Return;
            ch = QStringLiteral("\r");
        } else if (ch.size() == 1 && ch.at(0).unicode() < 128) {
            key = ch.at(0).toUpper().unicode();
        }
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, ch);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, ch);
        QApplication::sendEvent(target, &release);
    }
    if (replace && text.isEmpty()) {
        // Typing nothing over a selection: delete it, as the user would.
        pressKey(*target, Qt::Key_Delete);
    }
}

void type(QWidget &root, const QString &objectName, const QString &text, bool replace)
{
    if (QWidget *w = find(root, objectName))
        type(*w, text, replace);
}

namespace {

void mouseOnItem(QAbstractItemView &view, int row, QEvent::Type type, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex index = view.model()->index(row, columnOf(view));
    view.scrollTo(index);
    const QPoint pos = view.visualRect(index).center();
    QMouseEvent e(type, QPointF(pos), view.viewport()->mapToGlobal(QPointF(pos)), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, modifiers);
    QApplication::sendEvent(view.viewport(), &e);
}

} // namespace

void clickItem(QAbstractItemView &view, int row, Qt::KeyboardModifiers modifiers)
{
    if (!view.model() || row < 0 || row >= view.model()->rowCount()) {
        ADD_FAILURE() << "No row " << row << " in \"" << view.objectName().toStdString() << "\"";
        return;
    }
    if (!view.isVisible()) {
        ADD_FAILURE() << "List \"" << view.objectName().toStdString() << "\" is not shown";
        return;
    }
    mouseOnItem(view, row, QEvent::MouseButtonPress, modifiers);
    mouseOnItem(view, row, QEvent::MouseButtonRelease, modifiers);
}

void clickItem(QAbstractItemView &view, const QString &text, Qt::KeyboardModifiers modifiers)
{
    const QStringList texts = itemTexts(view);
    const int row = static_cast<int>(texts.indexOf(text));
    if (row < 0) {
        ADD_FAILURE() << "No item \"" << text.toStdString() << "\" in \"" << view.objectName().toStdString() << "\"";
        return;
    }
    clickItem(view, row, modifiers);
}

void doubleClickItem(QAbstractItemView &view, int row)
{
    clickItem(view, row);
    if (!view.model() || row < 0 || row >= view.model()->rowCount())
        return;
    mouseOnItem(view, row, QEvent::MouseButtonDblClick, Qt::NoModifier);
    mouseOnItem(view, row, QEvent::MouseButtonRelease, Qt::NoModifier);
}

QStringList itemTexts(const QAbstractItemView &view)
{
    QStringList out;
    if (!view.model())
        return out;
    for (int r = 0; r < view.model()->rowCount(); ++r)
        out << view.model()->index(r, columnOf(view)).data().toString();
    return out;
}

QStringList selectedTexts(const QAbstractItemView &view)
{
    QStringList out;
    if (!view.model() || !view.selectionModel())
        return out;
    for (int r = 0; r < view.model()->rowCount(); ++r) {
        const QModelIndex i = view.model()->index(r, columnOf(view));
        if (view.selectionModel()->isSelected(i))
            out << i.data().toString();
    }
    return out;
}

void choose(QComboBox &combo, const QString &text)
{
    const int i = combo.findText(text, Qt::MatchExactly);
    if (i < 0) {
        ADD_FAILURE() << "No item \"" << text.toStdString() << "\" in \"" << combo.objectName().toStdString() << "\"";
        return;
    }
    if (!combo.isEnabled()) {
        ADD_FAILURE() << "Combo \"" << combo.objectName().toStdString() << "\" is disabled";
        return;
    }
    combo.setCurrentIndex(i);
    emit combo.activated(i);
    emit combo.textActivated(combo.itemText(i));
}

QStringList itemTexts(const QComboBox &combo)
{
    QStringList out;
    for (int i = 0; i < combo.count(); ++i)
        out << combo.itemText(i);
    return out;
}

bool saveScreenshot(QWidget &w, const QString &path)
{
    w.ensurePolished();
    if (!w.isVisible() && w.layout())
        w.layout()->activate();
    const QPixmap picture = w.grab();
    return !picture.isNull() && picture.save(path, "PNG");
}

} // namespace harness
