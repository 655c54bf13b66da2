// The regular-expression component: Pattern, Global, IgnoreCase, MultiLine,
// Test, Execute and Replace, with the ECMAScript-style syntax users type
// (character classes, quantifiers, anchors, alternation, groups, look-ahead,
// \d \w \s \b, \xHH, \uXXXX).  PCRE2 (through QRegularExpression) does the
// matching; the pattern is translated first so that constructs PCRE reads
// differently keep their ECMAScript meaning:
// - "$" without MultiLine matches only at the very end of the text; with
//   MultiLine "^" and "$" also match after/before CR or LF;
// - "." matches anything but LF;
// - escapes of other letters are the letters themselves ("\e" is "e"),
//   "\v" is the vertical tab, "[]" matches nothing, "[^]" anything;
// - PCRE-only syntax (possessive quantifiers, "(?<", "(?i)", "(*VERB)",
//   POSIX classes) is a syntax error or taken literally as ECMAScript does.
//
// A malformed pattern raises PlatformError at Test, Execute or Replace time:
//   5017 "Syntax error in regular expression"
//   5018 "Unexpected quantifier"
//   5019 "Expected ']' in regular expression"
//   5020 "Expected ')' in regular expression"
//   5021 "Invalid range in character set"
// A match that runs away (catastrophic backtracking) stops after a bounded
// amount of work and raises 28 "Out of stack space".
#pragma once

#include "platform_error.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <vector>

namespace platform {

namespace regexp_err {
constexpr long OutOfStack = 28;
constexpr long Syntax = 5017;
constexpr long UnexpectedQuantifier = 5018;
constexpr long ExpectedBracket = 5019;
constexpr long ExpectedParen = 5020;
constexpr long InvalidRange = 5021;
} // namespace regexp_err

class Match {
public:
    QString Value;      // the matched text
    int FirstIndex = 0; // its position in the text (0-based, UTF-16 units)
    int Length = 0;
    QStringList SubMatches; // groups 1..n; "" for a group that took no part
};

class MatchCollection {
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    const Match &Item(int i) const { return m_items.at(static_cast<size_t>(i)); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }
    void append(Match m) { m_items.push_back(std::move(m)); }

private:
    std::vector<Match> m_items;
};

class RegExp {
public:
    RegExp() = default;

    const QString &Pattern() const { return m_pattern; }
    void setPattern(const QString &pattern);
    bool Global() const { return m_global; }
    void setGlobal(bool on) { m_global = on; }
    bool IgnoreCase() const { return m_ignoreCase; }
    void setIgnoreCase(bool on);
    bool MultiLine() const { return m_multiLine; }
    void setMultiLine(bool on);

    // Whether the pattern occurs in the text.
    bool Test(const QString &text) const;
    // The first match, or every non-overlapping match from left to right
    // when Global is set.
    MatchCollection Execute(const QString &text) const;
    // The text with the first (or, when Global, every) match replaced.  In
    // the replacement "$1".."$99" stand for groups, "$&" for the match,
    // "$`" and "$'" for the text before and after it, "$$" for "$".
    QString Replace(const QString &text, const QString &replacement) const;

    // The work one match may do before it counts as runaway (PCRE2 match
    // limit).  The default keeps any one call well under a second.
    static constexpr int kMatchLimit = 5'000'000;

    // The PCRE pattern the ECMAScript pattern becomes (for diagnostics and
    // tests); throws like Test for a malformed pattern.
    static QString translate(const QString &pattern, bool multiLine);

private:
    const QRegularExpression &compiled() const;
    bool nextMatch(const QString &text, int &pos, QRegularExpressionMatch &m) const;

    QString m_pattern;
    bool m_global = false;
    bool m_ignoreCase = false;
    bool m_multiLine = false;
    mutable bool m_dirty = true;
    mutable QRegularExpression m_re;
};

} // namespace platform
