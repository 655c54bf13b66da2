#include "regexp.h"

namespace platform {
namespace {

[[noreturn]] void fail(long number)
{
    switch (number) {
    case regexp_err::OutOfStack:
        throw PlatformError(number, QStringLiteral("Out of stack space"));
    case regexp_err::UnexpectedQuantifier:
        throw PlatformError(number, QStringLiteral("Unexpected quantifier"));
    case regexp_err::ExpectedBracket:
        throw PlatformError(number, QStringLiteral("Expected ']' in regular expression"));
    case regexp_err::ExpectedParen:
        throw PlatformError(number, QStringLiteral("Expected ')' in regular expression"));
    case regexp_err::InvalidRange:
        throw PlatformError(number, QStringLiteral("Invalid range in character set"));
    default:
        throw PlatformError(regexp_err::Syntax, QStringLiteral("Syntax error in regular expression"));
    }
}

bool isHex(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A character as a PCRE literal.
QString literal(QChar c)
{
    if (c.unicode() < 128 && !c.isLetterOrNumber() && c != QLatin1Char('_') && !c.isSpace())
        return QString(QLatin1Char('\\')) + c;
    return QString(c);
}

// Translates the escape at p[i] (a backslash) and returns the PCRE text;
// `i` is left on the last character consumed.  `assertion` tells whether
// the escape is \b or \B outside a class.
QString translateEscape(const QString &p, qsizetype &i, bool inClass, bool &assertion)
{
    assertion = false;
    if (i + 1 >= p.size())
        fail(regexp_err::Syntax); // a pattern may not end in a backslash
    const QChar e = p.at(++i);
    const char16_t u = e.unicode();
    switch (u) {
    case 'd': case 'D': case 'w': case 'W': case 's': case 'S':
    case 'f': case 'n': case 'r': case 't':
        return QString(QLatin1Char('\\')) + e;
    case 'b': case 'B':
        assertion = !inClass;
        return QString(QLatin1Char('\\')) + e; // in a class \b is the backspace, in both syntaxes
    case 'v':
        return QStringLiteral("\\x{0B}");
    case 'c':
        if (i + 1 < p.size() && isAsciiLetter(p.at(i + 1))) {
            ++i;
            return QStringLiteral("\\c") + p.at(i).toUpper();
        }
        return QStringLiteral("\\\\c"); // a backslash and a "c"
    case 'x':
        if (i + 2 < p.size() && isHex(p.at(i + 1)) && isHex(p.at(i + 2))) {
            const QString hex = p.mid(i + 1, 2);
            i += 2;
            return QStringLiteral("\\x{") + hex + QLatin1Char('}');
        }
        return QStringLiteral("x");
    case 'u':
        if (i + 4 < p.size() && isHex(p.at(i + 1)) && isHex(p.at(i + 2)) && isHex(p.at(i + 3))
            && isHex(p.at(i + 4))) {
            const QString hex = p.mid(i + 1, 4);
            i += 4;
            return QStringLiteral("\\x{") + hex + QLatin1Char('}');
        }
        return QStringLiteral("u");
    case '0':
        if (i + 1 < p.size() && isDigit(p.at(i + 1)))
            return QStringLiteral("\\0"); // an octal escape, read on by PCRE
        return QStringLiteral("\\x{0}");
    default:
        break;
    }
    if (isDigit(e))
        return QString(QLatin1Char('\\')) + e; // a back reference (or octal in a class)
    if (isAsciiLetter(e))
        return QString(e); // any other escaped letter is the letter itself
    return literal(e);
}

// The character class starting at p[i] ("["); `i` is left on its "]".
QString translateClass(const QString &p, qsizetype &i)
{
    QString out;
    ++i;
    bool negated = false;
    if (i < p.size() && p.at(i) == QLatin1Char('^')) {
        negated = true;
        ++i;
    }
    if (i < p.size() && p.at(i) == QLatin1Char(']'))
        return negated ? QStringLiteral("[\\s\\S]") : QStringLiteral("(?!)"); // "[^]" and "[]"
    out = negated ? QStringLiteral("[^") : QStringLiteral("[");
    for (; i < p.size(); ++i) {
        const QChar c = p.at(i);
        if (c == QLatin1Char(']')) {
            out += QLatin1Char(']');
            return out;
        }
        if (c == QLatin1Char('\\')) {
            bool assertion = false;
            out += translateEscape(p, i, true, assertion);
        } else if (c == QLatin1Char('[')) {
            out += QStringLiteral("\\["); // no POSIX classes
        } else {
            out += c;
        }
    }
    fail(regexp_err::ExpectedBracket);
}

// A "{n}", "{n,}" or "{n,m}" at p[i]: its length, or 0 when the brace is a
// literal.
qsizetype quantifierBraceLength(const QString &p, qsizetype i, bool &outOfOrder)
{
    outOfOrder = false;
    qsizetype j = i + 1;
    qsizetype a = j;
    while (j < p.size() && isDigit(p.at(j)))
        ++j;
    if (j == a)
        return 0;
    const qlonglong lo = p.mid(a, j - a).toLongLong();
    if (j < p.size() && p.at(j) == QLatin1Char('}'))
        return j - i + 1;
    if (j >= p.size() || p.at(j) != QLatin1Char(','))
        return 0;
    ++j;
    a = j;
    while (j < p.size() && isDigit(p.at(j)))
        ++j;
    if (j >= p.size() || p.at(j) != QLatin1Char('}'))
        return 0;
    if (j > a && p.mid(a, j - a).toLongLong() < lo)
        outOfOrder = true;
    return j - i + 1;
}

} // namespace

QString RegExp::translate(const QString &p, bool multiLine)
{
    enum Prev { Nothing, Atom, Quantifier, Lazy } prev = Nothing;
    QString out;
    out.reserve(p.size() + 16);
    int depth = 0;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p.at(i);
        switch (c.unicode()) {
        case '\\': {
            bool assertion = false;
            out += translateEscape(p, i, false, assertion);
            prev = assertion ? Nothing : Atom;
            break;
        }
        case '[':
            out += translateClass(p, i);
            prev = Atom;
            break;
        case '(':
            if (i + 1 < p.size() && p.at(i + 1) == QLatin1Char('*'))
                fail(regexp_err::UnexpectedQuantifier);
            if (i + 1 < p.size() && p.at(i + 1) == QLatin1Char('?')) {
                if (i + 2 >= p.size())
                    fail(regexp_err::Syntax);
                const QChar k = p.at(i + 2);
                if (k != QLatin1Char(':') && k != QLatin1Char('=') && k != QLatin1Char('!'))
                    fail(regexp_err::Syntax);
                out += QStringLiteral("(?") + k;
                i += 2;
            } else {
                out += QLatin1Char('(');
            }
            ++depth;
            prev = Nothing;
            break;
        case ')':
            if (depth == 0)
                fail(regexp_err::Syntax);
            --depth;
            out += QLatin1Char(')');
            prev = Atom;
            break;
        case '|':
            out += QLatin1Char('|');
            prev = Nothing;
            break;
        case '*':
        case '+':
        case '?':
            if (prev == Nothing || prev == Lazy)
                fail(regexp_err::UnexpectedQuantifier);
            if (prev == Quantifier) {
                if (c != QLatin1Char('?'))
                    fail(regexp_err::UnexpectedQuantifier); // "a**", possessive "a*+"
                out += QLatin1Char('?');
                prev = Lazy;
            } else {
                out += c;
                prev = Quantifier;
            }
            break;
        case '{': {
            bool outOfOrder = false;
            const qsizetype len = quantifierBraceLength(p, i, outOfOrder);
            if (len == 0) {
                out += QStringLiteral("\\{");
                prev = Atom;
                break;
            }
            if (prev != Atom)
                fail(regexp_err::UnexpectedQuantifier);
            if (outOfOrder)
                fail(regexp_err::Syntax);
            out += p.mid(i, len);
            i += len - 1;
            prev = Quantifier;
            break;
        }
        case '}':
            out += QStringLiteral("\\}");
            prev = Atom;
            break;
        case ']':
            out += QStringLiteral("\\]");
            prev = Atom;
            break;
        case '^':
            out += multiLine ? QStringLiteral("(?<![^\\n\\r])") : QStringLiteral("^");
            prev = Nothing;
            break;
        case '$':
            out += multiLine ? QStringLiteral("(?=[\\n\\r]|\\z)") : QStringLiteral("\\z");
            prev = Nothing;
            break;
        case '.':
            out += QLatin1Char('.');
            prev = Atom;
            break;
        default:
            out += literal(c);
            prev = Atom;
            break;
        }
    }
    if (depth > 0)
        fail(regexp_err::ExpectedParen);
    return out;
}

void RegExp::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    m_dirty = true;
}

void RegExp::setIgnoreCase(bool on)
{
    m_ignoreCase = on;
    m_dirty = true;
}

void RegExp::setMultiLine(bool on)
{
    m_multiLine = on;
    m_dirty = true;
}

const QRegularExpression &RegExp::compiled() const
{
    if (!m_dirty)
        return m_re;
    const QString body = translate(m_pattern, m_multiLine);
    QRegularExpression re(QStringLiteral("(*LIMIT_MATCH=%1)(*LF)").arg(kMatchLimit) + body,
                          m_ignoreCase ? QRegularExpression::CaseInsensitiveOption
                                       : QRegularExpression::NoPatternOption);
    if (!re.isValid()) {
        if (re.errorString().contains(QLatin1String("range out of order")))
            fail(regexp_err::InvalidRange);
        fail(regexp_err::Syntax);
    }
    m_re = re;
    m_dirty = false;
    return m_re;
}

bool RegExp::nextMatch(const QString &text, int &pos, QRegularExpressionMatch &m) const
{
    const QRegularExpression &re = compiled();
    if (pos > text.size())
        return false;
    // The subject is checked once, by the first call on it; the calls that go
    // on through the same text skip the check (it would scan the whole text
    // again for every match).
    m = re.match(text, pos, QRegularExpression::NormalMatch,
                 pos > 0 ? QRegularExpression::DontCheckSubjectStringMatchOption
                         : QRegularExpression::NoMatchOption);
    if (!m.isValid())
        fail(regexp_err::OutOfStack); // the match limit was reached
    if (!m.hasMatch())
        return false;
    const int end = static_cast<int>(m.capturedEnd(0));
    if (end > m.capturedStart(0)) {
        pos = end;
    } else {
        // An empty match: go on one character further.
        pos = end + 1;
        if (end < text.size() && text.at(end).isHighSurrogate() && end + 1 < text.size()
            && text.at(end + 1).isLowSurrogate())
            ++pos;
    }
    return true;
}

bool RegExp::Test(const QString &text) const
{
    int pos = 0;
    QRegularExpressionMatch m;
    return nextMatch(text, pos, m);
}

MatchCollection RegExp::Execute(const QString &text) const
{
    MatchCollection result;
    int pos = 0;
    QRegularExpressionMatch m;
    const int groups = compiled().captureCount();
    while (nextMatch(text, pos, m)) {
        Match item;
        item.Value = m.captured(0);
        item.FirstIndex = static_cast<int>(m.capturedStart(0));
        item.Length = static_cast<int>(m.capturedLength(0));
        for (int g = 1; g <= groups; ++g)
            item.SubMatches << m.captured(g);
        result.append(std::move(item));
        if (!m_global)
            break;
    }
    return result;
}

QString RegExp::Replace(const QString &text, const QString &replacement) const
{
    QString out;
    int pos = 0;
    int copied = 0;
    QRegularExpressionMatch m;
    const int groups = compiled().captureCount();
    while (nextMatch(text, pos, m)) {
        const int start = static_cast<int>(m.capturedStart(0));
        const int end = static_cast<int>(m.capturedEnd(0));
        out += QStringView(text).mid(copied, start - copied);
        for (qsizetype i = 0; i < replacement.size(); ++i) {
            const QChar c = replacement.at(i);
            if (c != QLatin1Char('$') || i + 1 >= replacement.size()) {
                out += c;
                continue;
            }
            const QChar n = replacement.at(i + 1);
            if (n == QLatin1Char('$')) {
                out += QLatin1Char('$');
                ++i;
            } else if (n == QLatin1Char('&')) {
                out += m.captured(0);
                ++i;
            } else if (n == QLatin1Char('`')) {
                out += QStringView(text).left(start);
                ++i;
            } else if (n == QLatin1Char('\'')) {
                out += QStringView(text).mid(end);
                ++i;
            } else if (isDigit(n)) {
                const int d1 = n.unicode() - '0';
                const int d2 = i + 2 < replacement.size() && isDigit(replacement.at(i + 2))
                    ? replacement.at(i + 2).unicode() - '0'
                    : -1;
                if (d2 >= 0 && d1 * 10 + d2 >= 1 && d1 * 10 + d2 <= groups) {
                    out += m.captured(d1 * 10 + d2);
                    i += 2;
                } else if (d1 >= 1 && d1 <= groups) {
                    out += m.captured(d1);
                    ++i;
                } else {
                    out += c; // "$" taken literally
                }
            } else {
                out += c;
            }
        }
        copied = end;
        if (!m_global)
            break;
    }
    out += QStringView(text).mid(copied);
    return out;
}

} // namespace platform
