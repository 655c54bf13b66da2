#include "ini.h"

#include "codepage.h"
#include "filesystem.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>
#include <vector>

namespace platform {
namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r')
        || c == QLatin1Char('\n') || c == QLatin1Char('\v') || c == QLatin1Char('\f')
        || c == QChar(0x1A);
}

QStringView trimmed(QStringView s)
{
    qsizetype a = 0, b = s.size();
    while (a < b && isBlank(s.at(a)))
        ++a;
    while (b > a && isBlank(s.at(b - 1)))
        --b;
    return s.mid(a, b - a);
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// One line of the file: where its bytes are, and what it is.
struct Line {
    qsizetype begin = 0;   // first byte
    qsizetype end = 0;     // one past the last byte of its text (before CR LF / LF)
    qsizetype next = 0;    // start of the following line
    enum Kind { Other, Blank, Comment, Section, Key } kind = Other;
    QString name;          // section or key name, trimmed
    QString value;         // key value, trimmed
    qsizetype indent = 0;  // bytes of leading blanks
};

std::vector<Line> parse(const QByteArray &bytes)
{
    std::vector<Line> lines;
    qsizetype pos = 0;
    const qsizetype n = bytes.size();
    while (pos < n) {
        Line l;
        l.begin = pos;
        qsizetype lf = bytes.indexOf('\n', pos); // LF is never a trail byte
        if (lf < 0) {
            l.end = n;
            l.next = n;
        } else {
            l.end = lf;
            l.next = lf + 1;
        }
        if (l.end > l.begin && bytes.at(l.end - 1) == '\r')
            --l.end;
        while (l.begin + l.indent < l.end
               && (bytes.at(l.begin + l.indent) == ' ' || bytes.at(l.begin + l.indent) == '\t'))
            ++l.indent;
        const QString text = fromAnsi(QByteArrayView(bytes.constData() + l.begin, l.end - l.begin));
        const QStringView t = trimmed(text);
        if (t.isEmpty()) {
            l.kind = Line::Blank;
        } else if (t.front() == QLatin1Char('[') && t.lastIndexOf(QLatin1Char(']')) > 0) {
            l.kind = Line::Section;
            l.name = trimmed(t.mid(1, t.lastIndexOf(QLatin1Char(']')) - 1)).toString();
        } else if (t.front() == QLatin1Char(';')) {
            l.kind = Line::Comment;
        } else if (const qsizetype eq = t.indexOf(QLatin1Char('=')); eq >= 0) {
            l.kind = Line::Key;
            l.name = trimmed(t.left(eq)).toString();
            l.value = trimmed(t.mid(eq + 1)).toString();
        }
        pos = l.next;
        lines.push_back(std::move(l));
    }
    return lines;
}

// Index range [first, last) of the lines of the first section named
// `section`, the header included; nothing when there is none.
std::optional<std::pair<size_t, size_t>> findSection(const std::vector<Line> &lines,
                                                     const QString &section)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == Line::Section && sameName(lines[i].name, section)) {
            size_t j = i + 1;
            while (j < lines.size() && lines[j].kind != Line::Section)
                ++j;
            return std::make_pair(i, j);
        }
    }
    return std::nullopt;
}

std::optional<size_t> findKey(const std::vector<Line> &lines, std::pair<size_t, size_t> range,
                              const QString &key)
{
    for (size_t i = range.first + 1; i < range.second; ++i)
        if (lines[i].kind == Line::Key && sameName(lines[i].name, key))
            return i;
    return std::nullopt;
}

std::optional<QString> readValue(const QString &section, const QString &key, const QString &path)
{
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const std::vector<Line> lines = parse(f.readAll());
    const auto range = findSection(lines, section);
    if (!range)
        return std::nullopt;
    const auto k = findKey(lines, *range, key);
    if (!k)
        return std::nullopt;
    QString v = lines[*k].value;
    if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\''))
        && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
}

// The text as it fits into a buffer of `bufferSize` bytes of the code page
// with its terminating NUL: whole characters only.
QString cutToBuffer(const QString &text, int bufferSize)
{
    if (bufferSize <= 0)
        return QString();
    const qsizetype room = bufferSize - 1;
    qsizetype used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype units = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            units = 2;
        const qsizetype bytes = toAnsi(QStringView(text).mid(i, units)).size();
        if (used + bytes > room)
            break;
        used += bytes;
        i += units;
    }
    return text.left(i);
}

bool hasLineBreakOrNul(const QString &s)
{
    for (QChar c : s)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.unicode() == 0)
            return true;
    return false;
}

} // namespace

QString GetPrivateProfileString(const QString &section, const QString &key,
                                const QString &defaultValue, const QString &path, int bufferSize)
{
    if (const auto v = readValue(section, key, path))
        return cutToBuffer(*v, bufferSize);
    QString def = defaultValue;
    while (def.endsWith(QLatin1Char(' ')))
        def.chop(1);
    return cutToBuffer(def, bufferSize);
}

int parseProfileInt(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).unicode() <= ' ')
        ++i;
    bool minus = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        minus = text.at(i) == QLatin1Char('-');
        ++i;
    }
    quint32 base = 10;
    if (i + 1 < text.size() && text.at(i) == QLatin1Char('0')) {
        const QChar p = text.at(i + 1);
        if (p == QLatin1Char('x'))
            base = 16;
        else if (p == QLatin1Char('o'))
            base = 8;
        else if (p == QLatin1Char('b'))
            base = 2;
        if (base != 10)
            i += 2;
    }
    quint32 total = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        quint32 digit = 99;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'z')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'Z')
            digit = c - 'A' + 10;
        if (digit >= base)
            break;
        total = total * base + digit; // wraps as the Windows function does
    }
    if (minus)
        total = 0u - total;
    return static_cast<int>(total);
}

int GetPrivateProfileInt(const QString &section, const QString &key, int defaultValue,
                         const QString &path)
{
    const auto v = readValue(section, key, path);
    if (!v || v->isEmpty())
        return defaultValue;
    return parseProfileInt(*v);
}

bool WritePrivateProfileString(const QString &section, const QString &key, const QString &value,
                               const QString &path)
{
    if (path.isEmpty() || section.isEmpty() || key.isEmpty())
        return false;
    if (hasLineBreakOrNul(section) || hasLineBreakOrNul(key) || hasLineBreakOrNul(value))
        return false;
    if (fs::IsReadOnly(path))
        return false;

    QByteArray bytes;
    {
        QFile f(path);
        if (f.exists()) {
            if (!f.open(QIODevice::ReadOnly))
                return false;
            bytes = f.readAll();
        }
    }

    const std::vector<Line> lines = parse(bytes);
    const QByteArray crlf("\r\n");
    QByteArray out;
    const auto range = findSection(lines, section);
    if (!range) {
        out = bytes;
        if (!out.isEmpty() && !out.endsWith('\n'))
            out += crlf;
        out += toAnsi(QLatin1Char('[') + section + QLatin1Char(']')) + crlf;
        out += toAnsi(key + QLatin1Char('=') + value) + crlf;
    } else if (const auto k = findKey(lines, *range, key)) {
        const Line &l = lines[*k];
        out = bytes.left(l.begin + l.indent);
        out += toAnsi(l.name + QLatin1Char('=') + value);
        out += bytes.mid(l.end);
    } else {
        // After the last line of the section that is not blank.
        size_t last = range->first;
        for (size_t i = range->first + 1; i < range->second; ++i)
            if (lines[i].kind != Line::Blank)
                last = i;
        const Line &l = lines[last];
        out = bytes.left(l.next);
        if (!out.isEmpty() && !out.endsWith('\n')) // the file ends without a line break
            out += crlf;
        out += toAnsi(key + QLatin1Char('=') + value) + crlf;
        out += bytes.mid(l.next);
    }

    QSaveFile f(path);
    f.setDirectWriteFallback(true);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(out) != out.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

} // namespace platform
