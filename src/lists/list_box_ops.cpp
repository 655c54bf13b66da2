#include "lists/list_box_ops.h"
#include "lists/sorted.h"

#include <QCollator>
#include <QItemSelectionModel>
#include <QListWidget>

#include <algorithm>
#include <cmath>

namespace lists {

namespace {

// Up to this many items are placed or taken one by one; more go through one
// rebuilt content.
constexpr qsizetype kFewItems = 16;

// First position in [first, last) of `sorted` whose text sorts after `text`.
qsizetype upperBound(const QCollator &collator, const QStringList &sorted, qsizetype first,
                     qsizetype last, const QString &text)
{
    while (first < last) {
        const qsizetype mid = first + (last - first) / 2;
        if (collator.compare(text, sorted.at(mid)) < 0)
            last = mid;
        else
            first = mid + 1;
    }
    return first;
}

} // namespace

QStringList listTexts(const QListWidget *list)
{
    QStringList out;
    const int n = list->count();
    out.reserve(n);
    for (int i = 0; i < n; ++i)
        out.append(list->item(i)->text());
    return out;
}

void setListTexts(QListWidget *list, const QStringList &texts)
{
    const bool updates = list->updatesEnabled();
    list->setUpdatesEnabled(false);
    list->clear();
    list->addItems(texts);
    list->setUpdatesEnabled(updates);
}

QStringList mergeSorted(const QStringList &first, const QStringList &second)
{
    if (second.isEmpty())
        return first;
    if (first.isEmpty())
        return second;
    const QCollator collator = nameCollator();
    const qsizetype n = first.size();
    const qsizetype k = second.size();
    QStringList out;
    out.reserve(n + k);
    const double searchCost = double(k) * std::log2(double(n) + 1.0);
    if (searchCost < double(n + k)) {
        // Few items into a long run: a binary search for each.
        qsizetype from = 0;
        for (const QString &text : second) {
            const qsizetype at = upperBound(collator, first, from, n, text);
            for (qsizetype i = from; i < at; ++i)
                out.append(first.at(i));
            out.append(text);
            from = at;
        }
        for (qsizetype i = from; i < n; ++i)
            out.append(first.at(i));
    } else {
        qsizetype i = 0;
        qsizetype j = 0;
        while (i < n && j < k) {
            if (collator.compare(second.at(j), first.at(i)) < 0)
                out.append(second.at(j++));
            else
                out.append(first.at(i++));
        }
        for (; i < n; ++i)
            out.append(first.at(i));
        for (; j < k; ++j)
            out.append(second.at(j));
    }
    return out;
}

void insertSortedTexts(QListWidget *list, QStringList texts)
{
    if (texts.isEmpty())
        return;
    if (texts.size() <= kFewItems) {
        for (const QString &text : texts)
            addSorted(list, text);
        return;
    }
    sortNames(texts);
    setListTexts(list, mergeSorted(listTexts(list), texts));
}

std::vector<char> selectionMask(const QListWidget *list)
{
    std::vector<char> mask(static_cast<size_t>(list->count()), 0);
    const QItemSelectionModel *model = list->selectionModel();
    if (!model)
        return mask;
    const QItemSelection selection = model->selection();
    for (const QItemSelectionRange &range : selection) {
        if (!range.isValid())
            continue;
        const int top = std::max(0, range.top());
        const int bottom = std::min(list->count() - 1, range.bottom());
        for (int r = top; r <= bottom; ++r)
            mask[static_cast<size_t>(r)] = 1;
    }
    return mask;
}

QStringList selectedListTexts(const QListWidget *list, const std::vector<char> &mask)
{
    QStringList out;
    const int n = std::min<int>(list->count(), static_cast<int>(mask.size()));
    for (int i = 0; i < n; ++i)
        if (mask[static_cast<size_t>(i)])
            out.append(list->item(i)->text());
    return out;
}

void removeRows(QListWidget *list, const std::vector<char> &mask)
{
    const int n = std::min<int>(list->count(), static_cast<int>(mask.size()));
    const auto removed = std::count(mask.begin(), mask.begin() + n, 1);
    if (removed == 0)
        return;
    if (removed <= kFewItems) {
        for (int i = n - 1; i >= 0; --i)
            if (mask[static_cast<size_t>(i)])
                delete list->takeItem(i);
        return;
    }
    QStringList kept;
    kept.reserve(list->count() - static_cast<int>(removed));
    for (int i = 0; i < list->count(); ++i)
        if (i >= n || !mask[static_cast<size_t>(i)])
            kept.append(list->item(i)->text());
    setListTexts(list, kept);
}

void selectAllRows(QListWidget *list)
{
    list->selectAll();
}

void clearRowSelection(QListWidget *list)
{
    list->clearSelection();
}

} // namespace lists
