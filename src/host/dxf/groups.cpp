#include "host/dxf/groups.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace host::dxf {

const std::string_view kBinarySentinel("AutoCAD Binary DXF\r\n\x1a\0", 22);

ValueType valueType(int code)
{
    if (code >= 290 && code <= 299)
        return ValueType::Bool;
    if ((code >= 310 && code <= 319) || code == 1004)
        return ValueType::Chunk;
    if ((code >= 60 && code <= 79) || (code >= 170 && code <= 179) || (code >= 270 && code <= 289)
        || (code >= 370 && code <= 389) || (code >= 400 && code <= 409)
        || (code >= 1060 && code <= 1070))
        return ValueType::Int16;
    if ((code >= 90 && code <= 99) || (code >= 420 && code <= 429) || (code >= 440 && code <= 459)
        || code == 1071)
        return ValueType::Int32;
    if (code >= 160 && code <= 169)
        return ValueType::Int64;
    if ((code >= 10 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239)
        || (code >= 460 && code <= 469) || (code >= 1010 && code <= 1059))
        return ValueType::Double;
    return ValueType::String;
}

namespace {

template <typename T>
T readLE(const char *p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v; // the build platform is little-endian, as binary DXF is
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

size_t binaryValueSize(int code, const char *p, size_t avail, bool *ok)
{
    *ok = true;
    switch (valueType(code)) {
    case ValueType::Double:
    case ValueType::Int64:
        *ok = avail >= 8;
        return 8;
    case ValueType::Int32:
        *ok = avail >= 4;
        return 4;
    case ValueType::Int16:
        *ok = avail >= 2;
        return 2;
    case ValueType::Bool:
        *ok = avail >= 1;
        return 1;
    case ValueType::Chunk:
        if (avail < 1) {
            *ok = false;
            return 0;
        }
        *ok = avail >= 1 + size_t(static_cast<unsigned char>(p[0]));
        return 1 + size_t(static_cast<unsigned char>(p[0]));
    case ValueType::String: {
        const void *nul = std::memchr(p, 0, avail);
        if (!nul) {
            *ok = false;
            return 0;
        }
        return size_t(static_cast<const char *>(nul) - p) + 1;
    }
    }
    return 0;
}

} // namespace

void scanGroups(std::string_view rec, Format fmt, std::vector<Group> &out)
{
    out.clear();
    const char *base = rec.data();
    const size_t n = rec.size();
    size_t pos = 0;
    if (fmt == Format::Ascii) {
        while (pos < n) {
            Group g;
            g.begin = std::uint32_t(pos);
            const char *nl = static_cast<const char *>(std::memchr(base + pos, '\n', n - pos));
            if (!nl)
                return;
            const auto codeOpt = parseInt(std::string_view(base + pos, size_t(nl - base) - pos));
            if (!codeOpt)
                return;
            g.code = int(*codeOpt);
            pos = size_t(nl - base) + 1;
            g.valBegin = std::uint32_t(pos);
            const char *nl2 = static_cast<const char *>(std::memchr(base + pos, '\n', n - pos));
            size_t lineEnd = nl2 ? size_t(nl2 - base) : n;
            size_t valEnd = lineEnd;
            if (valEnd > pos && base[valEnd - 1] == '\r')
                --valEnd;
            g.valEnd = std::uint32_t(valEnd);
            pos = nl2 ? lineEnd + 1 : n;
            g.end = std::uint32_t(pos);
            out.push_back(g);
        }
        return;
    }
    while (pos < n) {
        Group g;
        g.begin = std::uint32_t(pos);
        if (fmt == Format::Binary) {
            if (n - pos < 2)
                return;
            g.code = readLE<std::int16_t>(base + pos);
            pos += 2;
        } else {
            const unsigned char c = static_cast<unsigned char>(base[pos]);
            if (c == 255) {
                if (n - pos < 3)
                    return;
                g.code = readLE<std::int16_t>(base + pos + 1);
                pos += 3;
            } else {
                g.code = c;
                pos += 1;
            }
        }
        bool ok = false;
        const size_t sz = binaryValueSize(g.code, base + pos, n - pos, &ok);
        if (!ok)
            return;
        const ValueType t = valueType(g.code);
        g.valBegin = std::uint32_t(t == ValueType::Chunk ? pos + 1 : pos);
        g.valEnd = std::uint32_t(t == ValueType::String ? pos + sz - 1 : pos + sz);
        pos += sz;
        g.end = std::uint32_t(pos);
        out.push_back(g);
    }
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string_view stringValue(std::string_view rec, const Group &g, Format)
{
    return rec.substr(g.valBegin, g.valEnd - g.valBegin);
}

std::optional<long long> intValue(std::string_view rec, const Group &g, Format fmt)
{
    if (fmt == Format::Ascii)
        return parseInt(rec.substr(g.valBegin, g.valEnd - g.valBegin));
    const char *p = rec.data() + g.valBegin;
    switch (valueType(g.code)) {
    case ValueType::Int16:
        return readLE<std::int16_t>(p);
    case ValueType::Int32:
        return readLE<std::int32_t>(p);
    case ValueType::Int64:
        return readLE<std::int64_t>(p);
    case ValueType::Bool:
        return static_cast<unsigned char>(*p);
    case ValueType::Double:
        return static_cast<long long>(readLE<double>(p));
    case ValueType::String:
        return parseInt(rec.substr(g.valBegin, g.valEnd - g.valBegin));
    case ValueType::Chunk:
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<double> realValue(std::string_view rec, const Group &g, Format fmt)
{
    if (fmt == Format::Ascii)
        return parseReal(rec.substr(g.valBegin, g.valEnd - g.valBegin));
    const char *p = rec.data() + g.valBegin;
    switch (valueType(g.code)) {
    case ValueType::Double:
        return readLE<double>(p);
    case ValueType::String:
        return parseReal(rec.substr(g.valBegin, g.valEnd - g.valBegin));
    case ValueType::Chunk:
        return std::nullopt;
    default:
        if (auto v = intValue(rec, g, fmt))
            return double(*v);
        return std::nullopt;
    }
}

std::string valueText(std::string_view rec, const Group &g, Format fmt)
{
    if (fmt == Format::Ascii)
        return std::string(rec.substr(g.valBegin, g.valEnd - g.valBegin));
    switch (valueType(g.code)) {
    case ValueType::String:
        return std::string(rec.substr(g.valBegin, g.valEnd - g.valBegin));
    case ValueType::Double: {
        char buf[64];
        const auto r = std::to_chars(buf, buf + sizeof buf, readLE<double>(rec.data() + g.valBegin));
        return std::string(buf, r.ptr);
    }
    case ValueType::Chunk: {
        static const char hex[] = "0123456789ABCDEF";
        std::string s;
        for (size_t i = g.valBegin; i < g.valEnd; ++i) {
            const unsigned char c = static_cast<unsigned char>(rec[i]);
            s += hex[c >> 4];
            s += hex[c & 15];
        }
        return s;
    }
    default:
        return std::to_string(intValue(rec, g, fmt).value_or(0));
    }
}

std::optional<long long> parseInt(std::string_view text)
{
    text = trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    long long v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size())
        return std::nullopt;
    return v;
}

std::optional<double> parseReal(std::string_view text)
{
    text = trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    double v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size())
        return std::nullopt;
    return v;
}

std::optional<std::uint64_t> parseHandle(std::string_view text)
{
    text = trim(text);
    if (text.empty() || text.size() > 16)
        return std::nullopt;
    std::uint64_t v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v, 16);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size())
        return std::nullopt;
    return v;
}

std::string formatHandle(std::uint64_t handle)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(handle));
    return buf;
}

// ---- RecordEditor --------------------------------------------------------

RecordEditor::RecordEditor(std::string bytes, Format fmt, AsciiStyle style)
    : m_bytes(std::move(bytes)), m_fmt(fmt), m_style(style)
{
    scanGroups(m_bytes, m_fmt, m_groups);
    // New integers look like the record's own.
    if (m_fmt == Format::Ascii)
        for (const Group &g : m_groups) {
            const ValueType t = valueType(g.code);
            if (t == ValueType::Int16 || t == ValueType::Bool) {
                m_style.padInts = g.valEnd > g.valBegin && m_bytes[g.valBegin] == ' ';
                break;
            }
        }
}

int RecordEditor::find(int code, int from) const
{
    for (int i = from; i < int(m_groups.size()); ++i)
        if (m_groups[size_t(i)].code == code)
            return i;
    return -1;
}

void RecordEditor::splice(std::uint32_t from, std::uint32_t to, std::string_view with)
{
    m_bytes.replace(from, to - from, with);
    scanGroups(m_bytes, m_fmt, m_groups);
}

namespace {

void appendLE(std::string &out, const void *p, size_t n)
{
    out.append(static_cast<const char *>(p), n);
}

std::string binaryValue(int code, std::string_view text, long long intVal, bool isInt)
{
    std::string out;
    switch (valueType(code)) {
    case ValueType::String:
        out.append(text);
        out += '\0';
        break;
    case ValueType::Int16: {
        const std::int16_t v = std::int16_t(isInt ? intVal : parseInt(text).value_or(0));
        appendLE(out, &v, 2);
        break;
    }
    case ValueType::Int32: {
        const std::int32_t v = std::int32_t(isInt ? intVal : parseInt(text).value_or(0));
        appendLE(out, &v, 4);
        break;
    }
    case ValueType::Int64: {
        const std::int64_t v = std::int64_t(isInt ? intVal : parseInt(text).value_or(0));
        appendLE(out, &v, 8);
        break;
    }
    case ValueType::Bool:
        out += char(isInt ? intVal : parseInt(text).value_or(0));
        break;
    case ValueType::Double: {
        const double v = isInt ? double(intVal) : parseReal(text).value_or(0);
        appendLE(out, &v, 8);
        break;
    }
    case ValueType::Chunk:
        out += char(std::min<size_t>(text.size(), 255));
        out.append(text.substr(0, 255));
        break;
    }
    return out;
}

} // namespace

std::string RecordEditor::encodeGroup(int code, std::string_view asciiValue, long long intVal,
                                      bool isInt) const
{
    std::string out;
    if (m_fmt == Format::Ascii) {
        char buf[32];
        std::snprintf(buf, sizeof buf, m_style.padCodes ? "%3d" : "%d", code);
        out += buf;
        out += m_style.crlf ? "\r\n" : "\n";
        if (isInt) {
            const ValueType t = valueType(code);
            int width = 0;
            if (m_style.padInts)
                width = (t == ValueType::Int16 || t == ValueType::Bool) ? 6
                        : t == ValueType::Int32                         ? 9
                                                                        : 0;
            std::snprintf(buf, sizeof buf, "%*lld", width, intVal);
            out += buf;
        } else {
            out += asciiValue;
        }
        out += m_style.crlf ? "\r\n" : "\n";
        return out;
    }
    if (m_fmt == Format::Binary) {
        const std::int16_t c = std::int16_t(code);
        appendLE(out, &c, 2);
    } else if (code >= 255) {
        out += char(255);
        const std::int16_t c = std::int16_t(code);
        appendLE(out, &c, 2);
    } else {
        out += char(code);
    }
    out += binaryValue(code, asciiValue, intVal, isInt);
    return out;
}

void RecordEditor::setString(int i, std::string_view value)
{
    const Group g = m_groups[size_t(i)];
    if (m_fmt == Format::Ascii) {
        splice(g.valBegin, g.valEnd, value);
    } else {
        std::string v(value);
        v += '\0';
        splice(g.valBegin, g.end, v);
    }
}

void RecordEditor::setInt(int i, long long value)
{
    const Group g = m_groups[size_t(i)];
    if (m_fmt == Format::Ascii) {
        const std::string_view old(m_bytes.data() + g.valBegin, g.valEnd - g.valBegin);
        char buf[32];
        const bool padded = !old.empty() && old.front() == ' ';
        std::snprintf(buf, sizeof buf, "%*lld", padded ? int(old.size()) : 0, value);
        splice(g.valBegin, g.valEnd, buf);
    } else {
        splice(g.valBegin, g.end, binaryValue(g.code, {}, value, true));
    }
}

void RecordEditor::remove(int i)
{
    const Group g = m_groups[size_t(i)];
    splice(g.begin, g.end, {});
}

void RecordEditor::insertString(int i, int code, std::string_view value)
{
    const std::uint32_t at = i < int(m_groups.size()) ? m_groups[size_t(i)].begin
                                                      : std::uint32_t(m_bytes.size());
    splice(at, at, encodeGroup(code, value, 0, false));
}

void RecordEditor::insertInt(int i, int code, long long value)
{
    const std::uint32_t at = i < int(m_groups.size()) ? m_groups[size_t(i)].begin
                                                      : std::uint32_t(m_bytes.size());
    splice(at, at, encodeGroup(code, {}, value, true));
}

} // namespace host::dxf
