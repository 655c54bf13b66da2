// Name patterns as the CAD application matches them in selection filters and
// on its command line: a comma-separated list of patterns, compared ignoring
// letter case.
//
//   *   any sequence, also empty        ?   any single character
//   #   a digit                         @   a letter
//   .   a character that is neither a letter nor a digit
//   [..] one of the characters ([a-z] ranges); [~..] none of them
//   ~   at the start of a pattern: anything the rest does not match
//   `   takes the next character literally (`, `* `# ...)
#pragma once

#include <QString>
#include <QStringList>

namespace host {

class WildcardPattern {
public:
    WildcardPattern() = default;
    explicit WildcardPattern(const QString &patternList);

    bool matches(const QString &name) const;
    // True when the list is one plain name (no wildcard characters), which a
    // caller may look up directly instead of scanning.
    bool isPlainName() const { return m_plain; }
    // The plain name, with escapes removed (only meaningful if isPlainName()).
    QString plainName() const { return m_plainName; }

private:
    struct Item {
        QString pattern; // case-folded
        bool negated = false;
    };
    QList<Item> m_items;
    bool m_plain = false;
    QString m_plainName;
};

// True when text contains a character that has a meaning in a pattern.
bool hasWildcards(const QString &text);

// Splits a name list at commas that are not escaped with `.
QStringList splitNameList(const QString &list);

} // namespace host
