#include "lists/sorted.h"

#include <QCollatorSortKey>
#include <QComboBox>
#include <QListWidget>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <vector>

namespace lists {

namespace {

constexpr int kPinnedRole = Qt::UserRole + 0x4c;

template <typename TextAt>
int upperBound(const QCollator &collator, int first, int last, const QString &text, TextAt textAt)
{
    while (first < last) {
        const int mid = first + (last - first) / 2;
        if (collator.compare(text, textAt(mid)) < 0)
            last = mid;
        else
            first = mid + 1;
    }
    return first;
}

// Merges the sorted run `existing` with the unsorted `added` into one sorted list.
QStringList mergedSorted(const QStringList &existing, QStringList added)
{
    QStringList all = existing;
    all.append(added);
    sortNames(all);
    return all;
}

} // namespace

QCollator nameCollator()
{
    // The C locale collates by code point, letter case included; the
    // program's own language is then the natural choice.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::Japanese, QLocale::Japan);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    collator.setIgnorePunctuation(false);
    return collator;
}

void sortNames(QStringList &names)
{
    if (names.size() < 2)
        return;
    const QCollator collator = nameCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(names.size());
    for (const QString &name : names)
        keys.push_back(collator.sortKey(name));
    std::vector<qsizetype> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return keys[a].compare(keys[b]) < 0; });
    QStringList sorted;
    sorted.reserve(names.size());
    for (qsizetype i : order)
        sorted.append(names[i]);
    names = std::move(sorted);
}

void resetCombo(QComboBox *combo, const QStringList &pinned)
{
    combo->clear();
    for (const QString &text : pinned) {
        combo->addItem(text);
        combo->setItemData(combo->count() - 1, true, kPinnedRole);
    }
}

int pinnedCount(const QComboBox *combo)
{
    int n = 0;
    while (n < combo->count() && combo->itemData(n, kPinnedRole).toBool())
        ++n;
    return n;
}

int addSorted(QComboBox *combo, const QString &text)
{
    const QCollator collator = nameCollator();
    const int at = upperBound(collator, pinnedCount(combo), combo->count(), text,
                              [combo](int i) { return combo->itemText(i); });
    combo->insertItem(at, text);
    return at;
}

void addSorted(QComboBox *combo, QStringList texts)
{
    if (texts.isEmpty())
        return;
    const int pinned = pinnedCount(combo);
    QStringList existing;
    for (int i = pinned; i < combo->count(); ++i)
        existing.append(combo->itemText(i));
    const QStringList all = mergedSorted(existing, std::move(texts));
    // Keep the current entry (by text) across the rebuild.
    const int current = combo->currentIndex();
    const QString currentText = current >= 0 ? combo->itemText(current) : QString();
    const bool currentPinned = current >= 0 && current < pinned;
    combo->blockSignals(true);
    while (combo->count() > pinned)
        combo->removeItem(combo->count() - 1);
    combo->insertItems(pinned, all);
    if (current < 0)
        combo->setCurrentIndex(-1);
    else if (currentPinned)
        combo->setCurrentIndex(current);
    else
        combo->setCurrentIndex(combo->findText(currentText, Qt::MatchExactly));
    combo->blockSignals(false);
}

int addSorted(QListWidget *list, const QString &text)
{
    const QCollator collator = nameCollator();
    const int at = upperBound(collator, 0, list->count(), text,
                              [list](int i) { return list->item(i)->text(); });
    list->insertItem(at, text);
    return at;
}

void addSorted(QListWidget *list, QStringList texts)
{
    if (texts.isEmpty())
        return;
    QStringList existing;
    existing.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        existing.append(list->item(i)->text());
    const QStringList all = mergedSorted(existing, std::move(texts));
    list->clear();
    list->addItems(all);
}

int findText(const QComboBox *combo, const QString &text, bool prefix)
{
    for (int i = 0; i < combo->count(); ++i) {
        const QString item = combo->itemText(i);
        if (prefix ? item.startsWith(text, Qt::CaseInsensitive)
                   : item.compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int findText(const QListWidget *list, const QString &text, bool prefix)
{
    for (int i = 0; i < list->count(); ++i) {
        const QString item = list->item(i)->text();
        if (prefix ? item.startsWith(text, Qt::CaseInsensitive)
                   : item.compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace lists
