#include "host/dxf/text_codec.h"

namespace host::dxf {

namespace {

int hexDigit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// Reads n hex digits at text[pos]; -1 if they are not all there.
long hexAt(const QString &text, qsizetype pos, int n)
{
    if (pos + n > text.size())
        return -1;
    long v = 0;
    for (int i = 0; i < n; ++i) {
        const int h = hexDigit(text[pos + i]);
        if (h < 0)
            return -1;
        v = v * 16 + h;
    }
    return v;
}

bool allAscii(std::string_view s)
{
    for (unsigned char c : s)
        if (c >= 0x80)
            return false;
    return true;
}

} // namespace

QByteArray TextCodec::converterFor(const QString &codePage)
{
    const QString cp = codePage.trimmed().toUpper();
    struct Entry {
        const char *dxf;
        const char *converter;
    };
    static const Entry table[] = {
        {"ANSI_874", "windows-874"},   {"ANSI_932", "windows-31j"},
        {"ANSI_936", "GBK"},           {"ANSI_949", "windows-949"},
        {"ANSI_950", "Big5"},          {"ANSI_1250", "windows-1250"},
        {"ANSI_1251", "windows-1251"}, {"ANSI_1252", "windows-1252"},
        {"ANSI_1253", "windows-1253"}, {"ANSI_1254", "windows-1254"},
        {"ANSI_1255", "windows-1255"}, {"ANSI_1256", "windows-1256"},
        {"ANSI_1257", "windows-1257"}, {"ANSI_1258", "windows-1258"},
        {"DOS437", "IBM437"},          {"DOS850", "IBM850"},
        {"DOS852", "IBM852"},          {"DOS855", "IBM855"},
        {"DOS857", "IBM857"},          {"DOS860", "IBM860"},
        {"DOS861", "IBM861"},          {"DOS863", "IBM863"},
        {"DOS864", "IBM864"},          {"DOS865", "IBM865"},
        {"DOS869", "IBM869"},          {"DOS932", "windows-31j"},
        {"ISO8859-1", "ISO-8859-1"},   {"ISO8859-2", "ISO-8859-2"},
        {"ISO8859-5", "ISO-8859-5"},   {"ISO8859-7", "ISO-8859-7"},
        {"ISO8859-9", "ISO-8859-9"},   {"BIG5", "Big5"},
        {"GB2312", "GBK"},             {"KSC5601", "windows-949"},
    };
    for (const Entry &e : table)
        if (cp == QLatin1String(e.dxf))
            return e.converter;
    return {};
}

TextCodec::TextCodec(bool utf8, const QString &codePage) : m_utf8(utf8)
{
    if (utf8) {
        m_name = QStringLiteral("UTF-8");
        return;
    }
    m_converter = converterFor(codePage);
    m_name = codePage.trimmed().isEmpty() ? QStringLiteral("ANSI_1252") : codePage.trimmed();
    if (m_converter.isEmpty())
        m_converter = "windows-1252";
    m_decoder = QStringDecoder(m_converter.constData(), QStringConverter::Flag::Stateless);
    m_encoder = QStringEncoder(m_converter.constData(), QStringConverter::Flag::Stateless);
    if (!m_decoder.isValid() || !m_encoder.isValid()) {
        m_decoder = QStringDecoder(QStringConverter::Latin1, QStringConverter::Flag::Stateless);
        m_encoder = QStringEncoder(QStringConverter::Latin1, QStringConverter::Flag::Stateless);
    }
}

QString TextCodec::decode(std::string_view raw) const
{
    QString text;
    if (allAscii(raw))
        text = QString::fromLatin1(raw.data(), qsizetype(raw.size()));
    else if (m_utf8)
        text = QString::fromUtf8(raw.data(), qsizetype(raw.size()));
    else
        text = m_decoder.decode(QByteArrayView(raw.data(), qsizetype(raw.size())));
    if (text.contains(QLatin1Char('\\')))
        text = resolveEscapes(text);
    return text;
}

std::string TextCodec::encode(const QString &text) const
{
    bool ascii = true;
    for (QChar c : text)
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        const QByteArray b = text.toLatin1();
        return std::string(b.constData(), size_t(b.size()));
    }
    if (m_utf8) {
        const QByteArray b = text.toUtf8();
        return std::string(b.constData(), size_t(b.size()));
    }
    {
        QStringEncoder enc(m_converter.constData(), QStringConverter::Flag::Stateless);
        const QByteArray b = enc.encode(text);
        if (!enc.hasError()) {
            return std::string(b.constData(), size_t(b.size()));
        }
    }
    // Character by character, escaping what the code page cannot hold.
    std::string out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype n = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            n = 2;
        const QString one = text.mid(i, n);
        if (one[0].unicode() < 0x80) {
            out += char(one[0].unicode());
        } else {
            QStringEncoder enc(m_converter.constData(), QStringConverter::Flag::Stateless);
            const QByteArray b = enc.encode(one);
            if (!enc.hasError() && !b.isEmpty()) {
                out.append(b.constData(), size_t(b.size()));
            } else {
                for (qsizetype k = 0; k < n; ++k)
                    out += QStringLiteral("\\U+%1")
                               .arg(text[i + k].unicode(), 4, 16, QLatin1Char('0'))
                               .toUpper()
                               .toStdString();
            }
        }
        i += n - 1;
    }
    return out;
}

QString resolveEscapes(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') && i + 2 < text.size() && text[i + 2] == QLatin1Char('+')) {
            const QChar kind = text[i + 1];
            if (kind == QLatin1Char('U') || kind == QLatin1Char('u')) {
                const long v = hexAt(text, i + 3, 4);
                if (v >= 0) {
                    out += QChar(char16_t(v));
                    i += 6;
                    continue;
                }
            } else if (kind == QLatin1Char('M') || kind == QLatin1Char('m')) {
                const long page = hexAt(text, i + 3, 1);
                const long v = hexAt(text, i + 4, 4);
                const char *conv = page == 1   ? "windows-31j"
                                   : page == 2 ? "Big5"
                                   : page == 3 ? "windows-949"
                                   : page == 5 ? "GBK"
                                               : nullptr;
                if (v >= 0 && conv) {
                    const char bytes[2] = {char((v >> 8) & 0xff), char(v & 0xff)};
                    QStringDecoder dec(conv, QStringConverter::Flag::Stateless);
                    const QString s = dec.decode(QByteArrayView(bytes, 2));
                    if (dec.isValid() && !dec.hasError() && !s.isEmpty()) {
                        out += s;
                        i += 7;
                        continue;
                    }
                }
            }
        }
        out += c;
    }
    return out;
}

} // namespace host::dxf
