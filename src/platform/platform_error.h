// The error the platform components raise: a number and a description, as
// the components the program was written against report them.
#pragma once

#include <QString>

#include <exception>
#include <string>

namespace platform {

class PlatformError : public std::exception {
public:
    PlatformError(long number, QString description)
        : m_number(number), m_description(std::move(description)),
          m_what(QStringLiteral("%1: %2").arg(number).arg(m_description).toStdString())
    {
    }
    long number() const noexcept { return m_number; }
    const QString &description() const noexcept { return m_description; }
    const char *what() const noexcept override { return m_what.c_str(); }

private:
    long m_number;
    QString m_description;
    std::string m_what;
};

} // namespace platform
