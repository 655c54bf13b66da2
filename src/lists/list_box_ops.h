// Bulk operations on the sorted list boxes.
//
// The ON and OFF lists can hold tens of thousands of layers, so nothing here
// inserts or removes many items one at a time (each would shift the whole
// model): many changes are merged into one new content and set in one batch;
// a few are placed by binary search.  The order is that of lists/sorted.h.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QListWidget;

namespace lists {

// The item texts in list order.
QStringList listTexts(const QListWidget *list);

// Replaces the whole content in one batch (texts already in list order).
// Nothing is selected afterwards.
void setListTexts(QListWidget *list, const QStringList &texts);

// Adds texts (any order, duplicates kept) at their sorted places.
void insertSortedTexts(QListWidget *list, QStringList texts);

// One flag per row: selected or not (one pass over the selection ranges).
std::vector<char> selectionMask(const QListWidget *list);

// The texts of the selected rows, in list order.
QStringList selectedListTexts(const QListWidget *list, const std::vector<char> &mask);

// Removes every row whose flag is set.
void removeRows(QListWidget *list, const std::vector<char> &mask);

// Selects every row / no row.
void selectAllRows(QListWidget *list);
void clearRowSelection(QListWidget *list);

// Merges two runs, each already in list order, into one (stable: on equal
// keys the items of `first` come first).
QStringList mergeSorted(const QStringList &first, const QStringList &second);

} // namespace lists
