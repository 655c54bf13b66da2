// Writes R2000 DXF drawings for the benchmark and the example drawing: the
// host's own new-drawing template with layers, linetypes, blocks, entities
// and paper-space viewports spliced in.
#pragma once

#include "host/dxf/drawing.h"
#include "host/dxf/text_codec.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace dxfgen {

class Builder {
public:
    Builder() : m_codec(false, QStringLiteral("ANSI_932")) {}

    // ---- tables ------------------------------------------------------------

    void linetype(const QString &name, const QString &description,
                  const std::vector<double> &pattern)
    {
        double total = 0;
        for (double p : pattern)
            total += p < 0 ? -p : p;
        std::string &o = m_ltypes;
        group(o, 0, "LTYPE");
        group(o, 5, handle());
        group(o, 330, "5");
        group(o, 100, "AcDbSymbolTableRecord");
        group(o, 100, "AcDbLinetypeTableRecord");
        group(o, 2, enc(name));
        integer(o, 70, 0);
        group(o, 3, enc(description));
        integer(o, 72, 65);
        integer(o, 73, int(pattern.size()));
        real(o, 40, total);
        for (double p : pattern) {
            real(o, 49, p);
            integer(o, 74, 0);
        }
        ++m_ltypeCount;
    }

    struct Layer {
        QString name;
        int color = 7;
        QString linetype = QStringLiteral("Continuous");
        bool on = true;
        bool frozen = false;
        bool locked = false;
        bool plot = true;
        bool frozenInNewViewports = false;
        int lineweight = -3;
    };

    // Returns the layer's handle.
    std::string layer(const Layer &l)
    {
        const std::string h = handle();
        std::string &o = m_layers;
        group(o, 0, "LAYER");
        group(o, 5, h);
        group(o, 330, "2");
        group(o, 100, "AcDbSymbolTableRecord");
        group(o, 100, "AcDbLayerTableRecord");
        group(o, 2, enc(l.name));
        integer(o, 70, (l.frozen ? 1 : 0) | (l.frozenInNewViewports ? 2 : 0) | (l.locked ? 4 : 0));
        integer(o, 62, l.on ? l.color : -l.color);
        group(o, 6, enc(l.linetype));
        if (!l.plot)
            integer(o, 290, 0);
        integer(o, 370, l.lineweight);
        group(o, 390, "F");
        ++m_layerCount;
        return h;
    }

    // ---- blocks ------------------------------------------------------------

    // Starts a block definition; entities go into it until endBlock().
    void beginBlock(const QString &name, double baseX = 0, double baseY = 0)
    {
        m_blockRecord = handle();
        std::string &r = m_blockRecords;
        group(r, 0, "BLOCK_RECORD");
        group(r, 5, m_blockRecord);
        group(r, 330, "1");
        group(r, 100, "AcDbSymbolTableRecord");
        group(r, 100, "AcDbBlockTableRecord");
        group(r, 2, enc(name));
        ++m_blockRecordCount;
        std::string &o = m_blocks;
        group(o, 0, "BLOCK");
        group(o, 5, handle());
        group(o, 330, m_blockRecord);
        group(o, 100, "AcDbEntity");
        group(o, 8, "0");
        group(o, 100, "AcDbBlockBegin");
        group(o, 2, enc(name));
        integer(o, 70, 0);
        real(o, 10, baseX);
        real(o, 20, baseY);
        real(o, 30, 0);
        group(o, 3, enc(name));
        group(o, 1, "");
        m_target = &m_blocks;
    }

    void endBlock()
    {
        std::string &o = m_blocks;
        group(o, 0, "ENDBLK");
        group(o, 5, handle());
        group(o, 330, m_blockRecord);
        group(o, 100, "AcDbEntity");
        group(o, 8, "0");
        group(o, 100, "AcDbBlockEnd");
        m_target = &m_entities;
        m_blockRecord.clear();
    }

    // Following entities go to model space (default) or paper space.
    void paperSpace(bool paper) { m_paper = paper; }

    // ---- entities ----------------------------------------------------------

    void line(const QString &layer, double x1, double y1, double x2, double y2, int color = 256)
    {
        std::string &o = begin("LINE", layer, color);
        group(o, 100, "AcDbLine");
        point(o, 10, x1, y1);
        point(o, 11, x2, y2);
        ++m_count;
    }

    void circle(const QString &layer, double x, double y, double r)
    {
        std::string &o = begin("CIRCLE", layer);
        group(o, 100, "AcDbCircle");
        point(o, 10, x, y);
        real(o, 40, r);
        ++m_count;
    }

    void arc(const QString &layer, double x, double y, double r, double start, double end)
    {
        std::string &o = begin("ARC", layer);
        group(o, 100, "AcDbCircle");
        point(o, 10, x, y);
        real(o, 40, r);
        group(o, 100, "AcDbArc");
        real(o, 50, start);
        real(o, 51, end);
        ++m_count;
    }

    void polyline(const QString &layer, const std::vector<std::pair<double, double>> &pts,
                  bool closed)
    {
        std::string &o = begin("LWPOLYLINE", layer);
        group(o, 100, "AcDbPolyline");
        integer(o, 90, int(pts.size()));
        integer(o, 70, closed ? 1 : 0);
        for (const auto &[x, y] : pts) {
            real(o, 10, x);
            real(o, 20, y);
        }
        ++m_count;
    }

    void text(const QString &layer, double x, double y, double height, const QString &s)
    {
        std::string &o = begin("TEXT", layer);
        group(o, 100, "AcDbText");
        point(o, 10, x, y);
        real(o, 40, height);
        group(o, 1, enc(s));
        group(o, 100, "AcDbText");
        ++m_count;
    }

    void mtext(const QString &layer, double x, double y, double height, double width,
               const QString &s)
    {
        std::string &o = begin("MTEXT", layer);
        group(o, 100, "AcDbMText");
        point(o, 10, x, y);
        real(o, 40, height);
        real(o, 41, width);
        integer(o, 71, 1);
        group(o, 1, enc(s));
        ++m_count;
    }

    void insert(const QString &layer, const QString &block, double x, double y,
                double rotation = 0, double scale = 1)
    {
        std::string &o = begin("INSERT", layer);
        group(o, 100, "AcDbBlockReference");
        group(o, 2, enc(block));
        point(o, 10, x, y);
        real(o, 41, scale);
        real(o, 42, scale);
        real(o, 43, scale);
        real(o, 50, rotation);
        ++m_count;
    }

    // A floating viewport on the layout "Layout1" (paper space), showing the
    // model around (viewX, viewY) with viewHeight; frozen: layer handles.
    void viewport(double cx, double cy, double w, double h, double viewX, double viewY,
                  double viewHeight, const std::vector<std::string> &frozen)
    {
        const bool paper = m_paper;
        m_paper = true;
        std::string &o = begin("VIEWPORT", QStringLiteral("0"));
        m_paper = paper;
        group(o, 100, "AcDbViewport");
        point(o, 10, cx, cy);
        real(o, 40, w);
        real(o, 41, h);
        integer(o, 68, 2);
        integer(o, 69, ++m_viewportId);
        point(o, 12, viewX, viewY);
        point(o, 13, 0, 0);
        point(o, 14, 10, 10);
        point(o, 15, 10, 10);
        real(o, 16, 0);
        real(o, 26, 0);
        real(o, 36, 1);
        real(o, 17, 0);
        real(o, 27, 0);
        real(o, 37, 0);
        real(o, 42, 50);
        real(o, 43, 0);
        real(o, 44, 0);
        real(o, 45, viewHeight);
        real(o, 50, 0);
        real(o, 51, 0);
        integer(o, 72, 100);
        for (const std::string &f : frozen)
            group(o, 331, f);
        integer(o, 90, 32864);
        group(o, 1, "");
        integer(o, 281, 0);
        integer(o, 71, 1);
        integer(o, 74, 0);
        point(o, 110, 0, 0);
        real(o, 111, 1);
        real(o, 121, 0);
        real(o, 131, 0);
        real(o, 112, 0);
        real(o, 122, 1);
        real(o, 132, 0);
        integer(o, 79, 0);
        real(o, 146, 0);
        ++m_count;
    }

    long long entityCount() const { return m_count; }

    // ---- the file ------------------------------------------------------------

    std::string build() const
    {
        const QByteArray t = host::Drawing::newDrawingTemplate();
        std::string s(t.constData(), size_t(t.size()));
        spliceBefore(s, "ENDTAB", "  2\r\nLTYPE\r\n", m_ltypes);
        replaceCount(s, "  2\r\nLTYPE\r\n", 3 + m_ltypeCount);
        spliceBefore(s, "ENDTAB", "  2\r\nLAYER\r\n", m_layers);
        replaceCount(s, "  2\r\nLAYER\r\n", 1 + m_layerCount);
        spliceBefore(s, "ENDTAB", "  2\r\nBLOCK_RECORD\r\n", m_blockRecords);
        replaceCount(s, "  2\r\nBLOCK_RECORD\r\n", 2 + m_blockRecordCount);
        spliceBefore(s, "ENDSEC", "  2\r\nBLOCKS\r\n", m_blocks);
        spliceBefore(s, "ENDSEC", "  2\r\nENTITIES\r\n", m_entities);
        const std::string seed = "$HANDSEED\r\n  5\r\n30\r\n";
        const size_t at = s.find(seed);
        if (at == std::string::npos)
            throw std::runtime_error("template without $HANDSEED");
        s.replace(at, seed.size(), "$HANDSEED\r\n  5\r\n" + hex(m_next) + "\r\n");
        return s;
    }

private:
    std::string enc(const QString &s) const { return m_codec.encode(s); }
    static std::string hex(std::uint64_t v)
    {
        char b[24];
        std::snprintf(b, sizeof b, "%llX", static_cast<unsigned long long>(v));
        return b;
    }
    std::string handle() { return hex(m_next++); }

    static void group(std::string &o, int code, const std::string &value)
    {
        char b[16];
        std::snprintf(b, sizeof b, "%3d\r\n", code);
        o += b;
        o += value;
        o += "\r\n";
    }
    static void integer(std::string &o, int code, long long v)
    {
        char b[48];
        const bool small = (code >= 60 && code < 80) || (code >= 270 && code < 300)
                           || (code >= 370 && code < 390);
        std::snprintf(b, sizeof b, "%3d\r\n%*lld\r\n", code, small ? 6 : 9, v);
        o += b;
    }
    static void real(std::string &o, int code, double v)
    {
        char b[64];
        std::snprintf(b, sizeof b, "%3d\r\n%.10g\r\n", code, v);
        std::string s(b);
        // The usual form keeps a decimal point.
        const size_t nl = s.find("\r\n") + 2;
        if (s.find_first_of(".eE", nl) == std::string::npos)
            s.insert(s.size() - 2, ".0");
        o += s;
    }
    static void point(std::string &o, int code, double x, double y)
    {
        real(o, code, x);
        real(o, code + 10, y);
        real(o, code + 20, 0);
    }

    std::string &begin(const char *type, const QString &layer, int color = 256)
    {
        std::string &o = *m_target;
        group(o, 0, type);
        group(o, 5, handle());
        const bool inBlock = m_target == &m_blocks;
        group(o, 330, inBlock ? m_blockRecord : (m_paper ? "1B" : "1F"));
        group(o, 100, "AcDbEntity");
        if (!inBlock && m_paper)
            integer(o, 67, 1);
        group(o, 8, enc(layer));
        if (color != 256)
            integer(o, 62, color);
        return o;
    }

    // Inserts text before the first "  0\r\n<what>\r\n" after anchor.
    static void spliceBefore(std::string &s, const char *what, const std::string &anchor,
                             const std::string &text)
    {
        const size_t a = s.find(anchor);
        if (a == std::string::npos)
            throw std::runtime_error("template without " + anchor);
        const size_t at = s.find(std::string("  0\r\n") + what + "\r\n", a);
        s.insert(at, text);
    }
    static void replaceCount(std::string &s, const std::string &anchor, int n)
    {
        const size_t a = s.find(anchor);
        const size_t c = s.find(" 70\r\n", a) + 5;
        const size_t e = s.find("\r\n", c);
        char b[16];
        std::snprintf(b, sizeof b, "%6d", n);
        s.replace(c, e - c, b);
    }

    host::dxf::TextCodec m_codec;
    std::uint64_t m_next = 0x100;
    std::string m_ltypes, m_layers, m_blockRecords, m_blocks, m_entities;
    std::string *m_target = &m_entities;
    std::string m_blockRecord;
    bool m_paper = false;
    int m_layerCount = 0, m_ltypeCount = 0, m_blockRecordCount = 0, m_viewportId = 1;
    long long m_count = 0;
};

} // namespace dxfgen
