#include "host/wmf_writer.h"

#include "platform/codepage.h"

#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace host {

namespace {

constexpr double kLongSide = 10000.0;
constexpr int kMargin = 100;
constexpr int kUnitsPerInch = 1440;

enum : std::uint16_t {
    META_EOF = 0x0000,
    META_SETBKMODE = 0x0102,
    META_SETMAPMODE = 0x0103,
    META_SETTEXTALIGN = 0x012E,
    META_SELECTOBJECT = 0x012D,
    META_DELETEOBJECT = 0x01F0,
    META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_ELLIPSE = 0x0418,
    META_TEXTOUT = 0x0521,
    META_ARC = 0x0817,
};

class Records {
public:
    void begin(std::uint16_t function)
    {
        m_start = m_words.size();
        m_words.push_back(0);
        m_words.push_back(0); // size, filled by end()
        m_words.push_back(function);
    }
    void word(int v) { m_words.push_back(static_cast<std::uint16_t>(static_cast<std::int16_t>(v))); }
    void uword(std::uint16_t v) { m_words.push_back(v); }
    void dword(std::uint32_t v)
    {
        m_words.push_back(static_cast<std::uint16_t>(v & 0xffff));
        m_words.push_back(static_cast<std::uint16_t>(v >> 16));
    }
    void bytes(const QByteArray &b) // padded to a whole word
    {
        for (qsizetype i = 0; i < b.size(); i += 2) {
            const auto lo = static_cast<std::uint8_t>(b[i]);
            const auto hi = i + 1 < b.size() ? static_cast<std::uint8_t>(b[i + 1]) : 0;
            m_words.push_back(static_cast<std::uint16_t>(lo | (hi << 8)));
        }
    }
    void end()
    {
        const std::uint32_t size = static_cast<std::uint32_t>(m_words.size() - m_start);
        m_words[m_start] = static_cast<std::uint16_t>(size & 0xffff);
        m_words[m_start + 1] = static_cast<std::uint16_t>(size >> 16);
        m_maxRecord = std::max(m_maxRecord, size);
    }
    const std::vector<std::uint16_t> &words() const { return m_words; }
    std::uint32_t maxRecord() const { return m_maxRecord; }

private:
    std::vector<std::uint16_t> m_words;
    size_t m_start = 0;
    std::uint32_t m_maxRecord = 0;
};

// The metafile's object table: an object takes the lowest free slot.
class ObjectTable {
public:
    int create()
    {
        for (size_t i = 0; i < m_used.size(); ++i)
            if (!m_used[i]) {
                m_used[i] = true;
                return static_cast<int>(i);
            }
        m_used.push_back(true);
        return static_cast<int>(m_used.size() - 1);
    }
    void release(int index) { m_used[static_cast<size_t>(index)] = false; }
    int size() const { return static_cast<int>(m_used.size()); }

private:
    std::vector<bool> m_used;
};

std::uint32_t colorRef(QRgb c)
{
    return static_cast<std::uint32_t>(qRed(c)) | (static_cast<std::uint32_t>(qGreen(c)) << 8)
           | (static_cast<std::uint32_t>(qBlue(c)) << 16);
}

int clamp16(double v)
{
    if (!std::isfinite(v))
        return 0;
    return static_cast<int>(std::lround(std::clamp(v, -32000.0, 32000.0)));
}

class Writer {
public:
    explicit Writer(const Primitives &prims) : m_prims(prims)
    {
        const QRectF box = boundsOf(prims);
        m_x0 = box.left();
        m_y1 = box.bottom();
        const double longSide = std::max(box.width(), box.height());
        m_scale = longSide > 0 ? kLongSide / longSide : 1.0;
        m_width = static_cast<int>(std::ceil(box.width() * m_scale)) + 2 * kMargin;
        m_height = static_cast<int>(std::ceil(box.height() * m_scale)) + 2 * kMargin;
    }

    QByteArray run()
    {
        rec(META_SETMAPMODE, {8}); // MM_ANISOTROPIC
        rec(META_SETWINDOWORG, {0, 0});
        rec(META_SETWINDOWEXT, {m_height, m_width});
        rec(META_SETBKMODE, {1}); // TRANSPARENT
        rec(META_SETTEXTALIGN, {24}); // TA_BASELINE | TA_LEFT

        const int brush = m_objects.create();
        m_r.begin(META_CREATEBRUSHINDIRECT);
        m_r.uword(1); // BS_NULL
        m_r.dword(0);
        m_r.uword(0);
        m_r.end();
        rec(META_SELECTOBJECT, {brush});

        for (const Primitive &p : m_prims)
            draw(p);
        if (m_prims.empty()) {
            // An empty picture: readers size the picture by what is drawn, so
            // draw its diagonal with the null pen.
            m_r.begin(META_CREATEPENINDIRECT);
            m_r.uword(5); // PS_NULL
            m_r.word(0);
            m_r.word(0);
            m_r.dword(0);
            m_r.end();
            m_pen = m_objects.create();
            rec(META_SELECTOBJECT, {m_pen});
            rec(META_POLYLINE, {2, 0, 0, m_width, m_height});
        }

        if (m_pen >= 0)
            rec(META_DELETEOBJECT, {m_pen});
        if (m_font >= 0)
            rec(META_DELETEOBJECT, {m_font});
        rec(META_DELETEOBJECT, {brush});
        m_r.begin(META_EOF);
        m_r.end();
        return assemble();
    }

private:
    void rec(std::uint16_t function, std::initializer_list<int> params)
    {
        m_r.begin(function);
        for (int v : params)
            m_r.word(v);
        m_r.end();
    }

    int x(double wx) const { return clamp16((wx - m_x0) * m_scale + kMargin); }
    int y(double wy) const { return clamp16((m_y1 - wy) * m_scale + kMargin); }
    int len(double d) const { return clamp16(d * m_scale); }

    void usePen(QRgb color)
    {
        if (m_pen >= 0 && m_penColor == color)
            return;
        const int pen = m_objects.create();
        m_r.begin(META_CREATEPENINDIRECT);
        m_r.uword(0); // PS_SOLID
        m_r.word(0);  // width: one device pixel
        m_r.word(0);
        m_r.dword(colorRef(color));
        m_r.end();
        rec(META_SELECTOBJECT, {pen});
        if (m_pen >= 0) {
            rec(META_DELETEOBJECT, {m_pen});
            m_objects.release(m_pen);
        }
        m_pen = pen;
        m_penColor = color;
    }

    void draw(const Primitive &p)
    {
        switch (p.kind) {
        case Primitive::Kind::Polyline:
            drawPolyline(p);
            break;
        case Primitive::Kind::Circle:
            usePen(p.color);
            rec(META_ELLIPSE, {y(p.center.y() - p.radius), x(p.center.x() + p.radius),
                               y(p.center.y() + p.radius), x(p.center.x() - p.radius)});
            break;
        case Primitive::Kind::Arc: {
            usePen(p.color);
            const double a0 = p.startAngle * M_PI / 180.0;
            const double a1 = p.endAngle * M_PI / 180.0;
            const QPointF s = p.center + QPointF(std::cos(a0), std::sin(a0)) * p.radius;
            const QPointF e = p.center + QPointF(std::cos(a1), std::sin(a1)) * p.radius;
            rec(META_ARC, {y(e.y()), x(e.x()), y(s.y()), x(s.x()), y(p.center.y() - p.radius),
                           x(p.center.x() + p.radius), y(p.center.y() + p.radius),
                           x(p.center.x() - p.radius)});
            break;
        }
        case Primitive::Kind::Text:
            drawText(p);
            break;
        }
    }

    void drawPolyline(const Primitive &p)
    {
        if (p.points.size() < 2)
            return;
        usePen(p.color);
        // A record holds at most 32,767 points; long polylines are split.
        const size_t chunk = 8000;
        size_t i = 0;
        while (i + 1 < p.points.size()) {
            const size_t n = std::min(chunk, p.points.size() - i);
            const bool whole = i == 0 && n == p.points.size();
            m_r.begin(whole && p.closed ? META_POLYGON : META_POLYLINE);
            m_r.word(static_cast<int>(n));
            for (size_t k = i; k < i + n; ++k) {
                m_r.word(x(p.points[k].x()));
                m_r.word(y(p.points[k].y()));
            }
            m_r.end();
            i += n - 1;
        }
        if (p.closed && p.points.size() > chunk) {
            m_r.begin(META_POLYLINE);
            m_r.word(2);
            m_r.word(x(p.points.back().x()));
            m_r.word(y(p.points.back().y()));
            m_r.word(x(p.points.front().x()));
            m_r.word(y(p.points.front().y()));
            m_r.end();
        }
    }

    void drawText(const Primitive &p)
    {
        if (p.text.isEmpty())
            return;
        bool ascii = true;
        for (QChar c : p.text)
            if (c.unicode() > 0x7e || c.unicode() < 0x20)
                ascii = false;
        // Texts go in the code page of the CAD machines (Shift-JIS); a text of
        // plain ASCII is written as such.
        QByteArray encoded;
        int charset = 0; // ANSI_CHARSET
        if (ascii) {
            encoded = p.text.toLatin1();
        } else {
            encoded = platform::toAnsi(p.text);
            charset = 128; // SHIFTJIS_CHARSET
        }
        if (encoded.size() > 4000)
            encoded.truncate(4000);

        usePen(p.color);
        if (m_textColor != p.color || !m_textColorSet) {
            m_r.begin(META_SETTEXTCOLOR);
            m_r.dword(colorRef(p.color));
            m_r.end();
            m_textColor = p.color;
            m_textColorSet = true;
        }
        const int h = std::max(1, len(p.height * 1.4)); // em height from cap height
        const int escapement = clamp16(std::fmod(p.rotation, 360.0) * 10.0);
        const int font = m_objects.create();
        m_r.begin(META_CREATEFONTINDIRECT);
        m_r.word(-h);
        m_r.word(p.widthFactor != 1.0 ? std::max(1, clamp16(h * 0.5 * p.widthFactor)) : 0);
        m_r.word(escapement);
        m_r.word(escapement);
        m_r.word(400); // FW_NORMAL
        QByteArray lf;
        lf += char(0); // italic
        lf += char(0); // underline
        lf += char(0); // strike out
        lf += char(charset);
        lf += char(0); // out precision
        lf += char(0); // clip precision
        lf += char(0); // quality
        lf += char(0); // pitch and family
        QByteArray face = charset == 128 ? QByteArray("MS Gothic") : QByteArray("Arial");
        face += char(0);
        lf += face;
        m_r.bytes(lf);
        m_r.end();
        rec(META_SELECTOBJECT, {font});
        if (m_font >= 0) {
            rec(META_DELETEOBJECT, {m_font});
            m_objects.release(m_font);
        }
        m_font = font;

        m_r.begin(META_TEXTOUT);
        m_r.word(static_cast<int>(encoded.size()));
        m_r.bytes(encoded);
        m_r.word(y(p.position.y()));
        m_r.word(x(p.position.x()));
        m_r.end();
    }

    QByteArray assemble() const
    {
        QByteArray out;
        auto put16 = [&out](std::uint16_t v) {
            out += char(v & 0xff);
            out += char(v >> 8);
        };
        auto put32 = [&](std::uint32_t v) {
            put16(static_cast<std::uint16_t>(v & 0xffff));
            put16(static_cast<std::uint16_t>(v >> 16));
        };
        // Placeable header.
        std::uint16_t head[10] = {0xCDD7, 0x9AC6, 0, 0, 0,
                                  static_cast<std::uint16_t>(m_width),
                                  static_cast<std::uint16_t>(m_height),
                                  kUnitsPerInch, 0, 0};
        std::uint16_t sum = 0;
        for (std::uint16_t w : head)
            sum ^= w;
        for (std::uint16_t w : head)
            put16(w);
        put16(sum);
        // Standard header.
        const auto &words = m_r.words();
        put16(1);      // memory metafile
        put16(9);      // header size in words
        put16(0x0300); // version
        put32(static_cast<std::uint32_t>(words.size() + 9));
        put16(static_cast<std::uint16_t>(m_objects.size()));
        put32(m_r.maxRecord());
        put16(0);
        for (std::uint16_t w : words)
            put16(w);
        return out;
    }

    const Primitives &m_prims;
    Records m_r;
    ObjectTable m_objects;
    double m_x0 = 0, m_y1 = 0, m_scale = 1;
    int m_width = 0, m_height = 0;
    int m_pen = -1;
    QRgb m_penColor = 0;
    int m_font = -1;
    QRgb m_textColor = 0;
    bool m_textColorSet = false;
};

} // namespace

QByteArray placeableWmf(const Primitives &primitives)
{
    return Writer(primitives).run();
}

bool writePlaceableWmf(const QString &path, const Primitives &primitives, QString *error)
{
    const QByteArray data = placeableWmf(primitives);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(data) != data.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace host
