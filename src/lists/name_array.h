// Name arrays: the lists of layer names passed between procedures.
//
// Element 0 is always the empty string and carries no name; names occupy
// elements 1 to n; an empty list is an array holding only element 0.
// Receivers skip empty elements.
#pragma once

#include <QString>
#include <QStringList>

namespace lists {

using NameArray = QStringList;

// An array holding only element 0.
inline NameArray emptyNameArray()
{
    return NameArray{QString()};
}

// The names of an array (elements 1 to n), empty elements left out.
inline QStringList namesOf(const NameArray &a)
{
    QStringList out;
    out.reserve(a.size());
    for (qsizetype i = 1; i < a.size(); ++i)
        if (!a.at(i).isEmpty())
            out.append(a.at(i));
    return out;
}

// An array of these names: element 0 empty, then the names in order.
inline NameArray toNameArray(const QStringList &names)
{
    NameArray a;
    a.reserve(names.size() + 1);
    a.append(QString());
    a.append(names);
    return a;
}

} // namespace lists
