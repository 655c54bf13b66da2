// Readable gtest output for Qt strings: UTF-8 text with CR and LF shown.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os)
{
    QString v = s;
    v.replace(QLatin1String("\r"), QLatin1String("<CR>")).replace(QLatin1String("\n"), QLatin1String("<LF>"));
    *os << '"' << v.toStdString() << '"';
}

inline void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << '{';
    for (qsizetype i = 0; i < l.size(); ++i) {
        if (i)
            *os << ", ";
        PrintTo(l.at(i), os);
    }
    *os << '}';
}

inline void PrintTo(const QByteArray &b, std::ostream *os)
{
    *os << "bytes[" << b.toHex(' ').toStdString() << ']';
}
