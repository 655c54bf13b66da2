// Helpers to drive forms in tests: find a control by its objectName (array
// elements as "Name(i)"), click it, type into it, pick list items with the
// Ctrl/Shift semantics of an extended-selection list, save a screenshot.
// A control that cannot be found fails the test.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace harness {

// "OptExeMode", 3 -> "OptExeMode(3)".
QString arrayName(const QString &name, int index);

// The child of `root` (or `root` itself) with this objectName; null and a
// test failure when there is none.
QWidget *find(QWidget &root, const QString &objectName);
template <class T> T *findAs(QWidget &root, const QString &objectName);

// The top-level window with this objectName, or null.
QWidget *topLevel(const QString &objectName);

// Clicks a button (push, check, option); fails the test if it is disabled
// or hidden, as a user could not click it.
void click(QAbstractButton &button);
void click(QWidget &root, const QString &objectName);

// Types text into a line edit, an editable combo, a text edit or a plain
// text edit with key events, as a user would (so change signals fire per
// key).  `replace` selects the old text first so the typing replaces it.
void type(QWidget &edit, const QString &text, bool replace = true);
void type(QWidget &root, const QString &objectName, const QString &text, bool replace = true);

// Presses one key (Qt::Key_Escape, Qt::Key_Return, ...) on a widget.
void pressKey(QWidget &w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Clicks the item in row `row` of a list (or the first item with this text)
// with the mouse, holding the modifiers (Qt::ControlModifier toggles,
// Qt::ShiftModifier extends from the anchor).  The view must be shown.
void clickItem(QAbstractItemView &view, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void clickItem(QAbstractItemView &view, const QString &text,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void doubleClickItem(QAbstractItemView &view, int row);
// Texts of all items / of the selected items, in row order.
QStringList itemTexts(const QAbstractItemView &view);
QStringList selectedTexts(const QAbstractItemView &view);

// Chooses a combo item by text as a user would (the combo's activated
// signals fire); fails the test when the text is not there.
void choose(QComboBox &combo, const QString &text);
QStringList itemTexts(const QComboBox &combo);

// Saves a picture of the widget (a whole window or one control) as PNG.
// Returns false when it could not be written.
bool saveScreenshot(QWidget &w, const QString &path);

template <class T> T *findAs(QWidget &root, const QString &objectName)
{
    return qobject_cast<T *>(find(root, objectName));
}

} // namespace harness
