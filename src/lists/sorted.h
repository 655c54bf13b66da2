// Sorted list boxes and combos.
//
// The lists and combos of the main window keep their entries in one order:
// case-insensitive and locale-aware (QCollator), the same for every control.
// Qt's own sorting of list widgets compares case-sensitively, so the controls
// here are never given setSortingEnabled(); entries go in through these
// helpers instead.
//
// A control may start with pinned entries (the "   (ALL)   " entry, the
// "  (指定しない)  " entry of the class combos): they keep their positions at
// the top and sorted entries are placed after them, whatever a layer name
// would sort like.
#pragma once

#include <QCollator>
#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;

namespace lists {

// The collator of the sorted controls.
QCollator nameCollator();

// Sorts names in place in the controls' order (n log n, stable).
void sortNames(QStringList &names);

// Combo: removes every entry and adds the pinned entries in the given order.
void resetCombo(QComboBox *combo, const QStringList &pinned);
// Combo: adds one entry at its sorted place after the pinned ones; returns
// its index.  Duplicates are allowed (callers that want uniqueness look up
// first).
int addSorted(QComboBox *combo, const QString &text);
// Combo: adds many entries at once (sorted together, then merged).
void addSorted(QComboBox *combo, QStringList texts);
// Number of pinned entries at the top of a combo.
int pinnedCount(const QComboBox *combo);

// List box: same operations; list boxes have no pinned entries.
int addSorted(QListWidget *list, const QString &text);
void addSorted(QListWidget *list, QStringList texts);

// Whole-text lookup ignoring letter case (the controls' own exact search);
// -1 when absent.  With prefix true, the first entry that begins with text.
int findText(const QComboBox *combo, const QString &text, bool prefix = false);
int findText(const QListWidget *list, const QString &text, bool prefix = false);

} // namespace lists
