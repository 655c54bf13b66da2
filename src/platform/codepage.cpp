// CP932 conversion.  The tables are built once from ICU's windows-31j
// converter (through QStringDecoder) and then only read; the encoder is our
// own so that unmappable characters become "?" as on Windows (ICU would
// write its own substitution bytes).
#include "codepage.h"

#include <QHash>
#include <QStringDecoder>

#include <array>

namespace platform {
namespace {

constexpr char16_t kDefaultUnicode = 0x30FB; // KATAKANA MIDDLE DOT
constexpr char kDefaultAnsi = '?';

bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrailByte(unsigned char b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

struct Tables {
    std::array<char16_t, 256> single{};         // 0 for lead bytes
    std::array<char16_t, 256 * 256> dbcs{};      // lead * 256 + trail; 0 unassigned
    QHash<char16_t, quint16> encode;             // Unicode -> byte or lead<<8|trail

    Tables()
    {
        // A fresh decoder for every code: an error sticks to a decoder.
        auto decodeOne = [](const char *bytes, qsizetype n) -> char16_t {
            QStringDecoder decoder("windows-31j");
            const QString s = decoder.decode(QByteArrayView(bytes, n));
            if (decoder.hasError() || s.size() != 1 || s.at(0) == QChar::ReplacementCharacter)
                return 0;
            return s.at(0).unicode();
        };
        for (int b = 0; b < 256; ++b) {
            if (isLeadByte(static_cast<unsigned char>(b)))
                continue;
            const char c = static_cast<char>(b);
            char16_t u = decodeOne(&c, 1);
            // The code page's own mapping of the bytes ICU leaves undefined.
            switch (b) {
            case 0x80: u = 0x0080; break;
            case 0xA0: u = 0xF8F0; break;
            case 0xFD: u = 0xF8F1; break;
            case 0xFE: u = 0xF8F2; break;
            case 0xFF: u = 0xF8F3; break;
            default: break;
            }
            single[static_cast<size_t>(b)] = b == 0 ? 0 : u;
            if (b == 0 || u != 0)
                encode.insert(b == 0 ? char16_t(0) : u, static_cast<quint16>(b));
        }
        // Where several codes give one character, Windows encodes to the
        // first of: JIS rows and NEC row 13 (lowest code first), then the
        // IBM extensions (0xFA-0xFC), then the NEC-selected IBM extensions
        // (0xED-0xEE).
        auto addLead = [&](int lead) {
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (!isTrailByte(static_cast<unsigned char>(trail)))
                    continue;
                const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                const char16_t u = decodeOne(bytes, 2);
                if (!u)
                    continue;
                dbcs[static_cast<size_t>(lead * 256 + trail)] = u;
                if (!encode.contains(u))
                    encode.insert(u, static_cast<quint16>(lead << 8 | trail));
            }
        };
        for (int lead = 0x81; lead <= 0xFC; ++lead)
            if (isLeadByte(static_cast<unsigned char>(lead)) && lead != 0xED && lead != 0xEE)
                addLead(lead);
        addLead(0xED);
        addLead(0xEE);
    }
};

const Tables &tables()
{
    static const Tables t; // built once, read-only afterwards
    return t;
}

} // namespace

QByteArray toAnsi(QStringView text)
{
    const Tables &t = tables();
    QByteArray out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            out.append(kDefaultAnsi); // one "?" for the whole character
            ++i;
            continue;
        }
        const auto it = t.encode.constFind(c);
        if (it == t.encode.constEnd()) {
            out.append(kDefaultAnsi);
        } else if (it.value() > 0xFF) {
            out.append(static_cast<char>(it.value() >> 8));
            out.append(static_cast<char>(it.value() & 0xFF));
        } else {
            out.append(static_cast<char>(it.value()));
        }
    }
    return out;
}

QString fromAnsi(QByteArrayView bytes)
{
    const Tables &t = tables();
    QString out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        if (b == 0) {
            out.append(QChar(0));
        } else if (isLeadByte(b)) {
            if (i + 1 < bytes.size()) {
                const auto trail = static_cast<unsigned char>(bytes.at(i + 1));
                const char16_t u = t.dbcs[static_cast<size_t>(b * 256 + trail)];
                if (u) {
                    out.append(QChar(u));
                    ++i;
                    continue;
                }
                if (isTrailByte(trail))
                    ++i; // a pair the code page does not assign: one character
            }
            out.append(QChar(kDefaultUnicode));
        } else {
            const char16_t u = t.single[b];
            out.append(QChar(u ? u : kDefaultUnicode));
        }
    }
    return out;
}

bool isAnsiRepresentable(QStringView text)
{
    const Tables &t = tables();
    for (QChar c : text)
        if (!t.encode.contains(c.unicode()))
            return false;
    return true;
}

} // namespace platform
