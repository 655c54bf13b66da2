#include "host/wildcard.h"

namespace host {

namespace {

bool isWildChar(QChar c)
{
    switch (c.unicode()) {
    case '*': case '?': case '#': case '@': case '.': case '[': case '~': case '`':
        return true;
    default:
        return false;
    }
}

// Matches one character class starting at pattern[p] == '['.  Returns the
// index after the closing ']' (or -1 if the class is not closed), and sets ok
// to whether c is matched.
int matchClass(const QString &pattern, int p, QChar c, bool &ok)
{
    int i = p + 1;
    bool negate = false;
    if (i < pattern.size() && pattern[i] == QLatin1Char('~')) {
        negate = true;
        ++i;
    }
    bool found = false;
    bool first = true;
    while (i < pattern.size() && (first || pattern[i] != QLatin1Char(']'))) {
        first = false;
        QChar lo = pattern[i];
        if (lo == QLatin1Char('`') && i + 1 < pattern.size())
            lo = pattern[++i];
        if (i + 2 < pattern.size() && pattern[i + 1] == QLatin1Char('-')
            && pattern[i + 2] != QLatin1Char(']')) {
            QChar hi = pattern[i + 2];
            if (c >= lo && c <= hi)
                found = true;
            i += 3;
        } else {
            if (c == lo)
                found = true;
            ++i;
        }
    }
    if (i >= pattern.size())
        return -1;
    ok = found != negate;
    return i + 1;
}

// Does pattern element at p match the single character c?  Sets next to the
// index after the element.  '*' is handled by the caller.
bool matchOne(const QString &pattern, int p, QChar c, int &next)
{
    const QChar pc = pattern[p];
    next = p + 1;
    switch (pc.unicode()) {
    case '?':
        return true;
    case '#':
        return c.isDigit();
    case '@':
        return c.isLetter();
    case '.':
        return !c.isLetterOrNumber();
    case '[': {
        bool ok = false;
        const int after = matchClass(pattern, p, c, ok);
        if (after < 0) { // unclosed: a literal '['
            return c == pc;
        }
        next = after;
        return ok;
    }
    case '`':
        if (p + 1 < pattern.size()) {
            next = p + 2;
            return c == pattern[p + 1];
        }
        return c == pc;
    default:
        return c == pc;
    }
}

// Iterative matcher with one backtrack point for the last '*': linear in the
// usual cases, at worst pattern length times name length.
bool matchPattern(const QString &pattern, const QString &name)
{
    int p = 0, n = 0;
    int starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = ++p;
            starN = n;
            continue;
        }
        int next = 0;
        if (p < pattern.size() && matchOne(pattern, p, name[n], next)) {
            p = next;
            ++n;
            continue;
        }
        if (starP < 0)
            return false;
        p = starP;
        n = ++starN;
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

QString unescape(const QString &s)
{
    QString out;
    out.reserve(s.size());
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('`') && i + 1 < s.size())
            ++i;
        out += s[i];
    }
    return out;
}

} // namespace

bool hasWildcards(const QString &text)
{
    for (QChar c : text)
        if (isWildChar(c) || c == QLatin1Char(','))
            return true;
    return false;
}

QStringList splitNameList(const QString &list)
{
    QStringList out;
    QString cur;
    for (int i = 0; i < list.size(); ++i) {
        const QChar c = list[i];
        if (c == QLatin1Char('`') && i + 1 < list.size()) {
            cur += c;
            cur += list[++i];
        } else if (c == QLatin1Char(',')) {
            out << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    out << cur;
    return out;
}

WildcardPattern::WildcardPattern(const QString &patternList)
{
    const QStringList parts = splitNameList(patternList);
    bool plain = parts.size() == 1;
    for (const QString &part : parts) {
        Item item;
        QString pat = part;
        if (pat.startsWith(QLatin1Char('~')) && pat.size() > 1) {
            item.negated = true;
            pat = pat.mid(1);
            plain = false;
        }
        for (int i = 0; i < pat.size(); ++i) {
            if (pat[i] == QLatin1Char('`')) {
                ++i;
                continue;
            }
            if (isWildChar(pat[i]))
                plain = false;
        }
        item.pattern = pat.toCaseFolded();
        m_items.push_back(item);
    }
    m_plain = plain;
    if (plain)
        m_plainName = unescape(parts.front());
}

bool WildcardPattern::matches(const QString &name) const
{
    const QString folded = name.toCaseFolded();
    for (const Item &item : m_items) {
        if (matchPattern(item.pattern, folded) != item.negated)
            return true;
    }
    return false;
}

} // namespace host
