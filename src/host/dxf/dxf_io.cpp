// Reading a DXF file into records and writing them back.
#include "host/dxf/drawing_impl.h"

#include <algorithm>
#include <cstring>

namespace host {

using namespace dxf;

namespace {

bool ieq(std::string_view a, const char *b)
{
    const size_t n = std::strlen(b);
    if (a.size() != n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        char c = a[i];
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        char d = b[i];
        if (d >= 'a' && d <= 'z')
            d = char(d - 'a' + 'A');
        if (c != d)
            return false;
    }
    return true;
}

bool istartsWith(const QString &s, const char *prefix)
{
    return s.startsWith(QLatin1String(prefix), Qt::CaseInsensitive);
}

enum class Section { None, Header, Classes, Tables, Blocks, Entities, Objects, Other };

// One scanned group with absolute offsets into the file.
struct RawGroup {
    int code = 0;
    size_t begin = 0, valBegin = 0, valEnd = 0, end = 0;
};

// Fields of the current record noted while scanning, first occurrence
// outside 102 groups and xdata.
struct Quick {
    size_t begin = 0;
    std::string_view type;
    std::string_view name;   // 2
    std::string_view handle; // 5 or 105
    bool hasLayer = false;
    std::string_view layer;  // 8
    long long space = 0;     // 67
    bool spaceBad = false;
    size_t spaceOff = 0;
};

class Parser {
public:
    Parser(Drawing::Impl &d, const QString &fileName) : d(d), m_file(fileName) {}
    void run();

private:
    [[noreturn]] void fail(size_t offset, const QString &message) const;
    bool nextGroup(RawGroup &g);
    std::string_view str(const RawGroup &g) const
    {
        return std::string_view(m_data + g.valBegin, g.valEnd - g.valBegin);
    }
    long long integer(const RawGroup &g) const;
    void closeRecord(size_t end);
    void onRecord(std::int32_t r);
    void onHeader(std::int32_t r);
    void onTableEntry(std::int32_t r);
    void onEntity(std::int32_t r, RecKind kind);
    void onObject(std::int32_t r);
    void finish();

    Drawing::Impl &d;
    QString m_file;
    const char *m_data = nullptr;
    size_t m_size = 0;
    size_t m_pos = 0;
    Quick m_q;
    bool m_inRecord = false;
    bool m_in102 = false;
    bool m_done = false;
    bool m_started = false;
    size_t m_eofEnd = 0;

    Section m_section = Section::None;
    QString m_table;            // table being read
    std::int32_t m_block = -1;  // block being read
    EntityId m_openParent = NoEntity;
    bool m_firstObject = true;
    std::uint64_t m_rootDict = 0;
    std::uint64_t m_maxHandle = 0;
    std::unordered_map<std::string, LayerId> m_rawLayers;
    std::vector<Group> m_groups;
};

void Parser::fail(size_t offset, const QString &message) const
{
    qint64 line = 0;
    if (d.fmt == Format::Ascii)
        line = 1 + std::count(m_data, m_data + std::min(offset, m_size), '\n');
    else
        line = qint64(offset);
    // Before the first section nothing says this is a DXF file at all.
    throw DxfError(m_file, line,
                   m_started || message.startsWith(QLatin1String("not a DXF"))
                       ? message
                       : QStringLiteral("not a DXF file (%1)").arg(message));
}

long long Parser::integer(const RawGroup &g) const
{
    Group rel;
    rel.code = g.code;
    rel.valBegin = 0;
    rel.valEnd = std::uint32_t(g.valEnd - g.valBegin);
    rel.end = rel.valEnd;
    const auto v = intValue(std::string_view(m_data + g.valBegin, g.valEnd - g.valBegin), rel, d.fmt);
    if (!v)
        fail(g.begin, QStringLiteral("invalid integer value for group code %1").arg(g.code));
    return *v;
}

bool Parser::nextGroup(RawGroup &g)
{
    if (m_pos >= m_size)
        return false;
    g.begin = m_pos;
    if (d.fmt == Format::Ascii) {
        const char *nl = static_cast<const char *>(std::memchr(m_data + m_pos, '\n', m_size - m_pos));
        if (!nl)
            fail(m_pos, QStringLiteral("unexpected end of file"));
        const std::string_view codeLine(m_data + m_pos, size_t(nl - m_data) - m_pos);
        const auto code = parseInt(codeLine);
        if (!code || *code < -5 || *code > 1071)
            fail(m_pos, QStringLiteral("invalid group code \"%1\"")
                            .arg(QString::fromLatin1(codeLine.data(),
                                                     qsizetype(std::min<size_t>(codeLine.size(), 40)))
                                     .trimmed()));
        g.code = int(*code);
        m_pos = size_t(nl - m_data) + 1;
        g.valBegin = m_pos;
        const char *nl2 = static_cast<const char *>(std::memchr(m_data + m_pos, '\n', m_size - m_pos));
        if (!nl2) {
            // The last line may lack its line ending, but it must be there.
            if (m_pos >= m_size)
                fail(g.begin, QStringLiteral("unexpected end of file"));
            g.valEnd = m_size;
            if (g.valEnd > m_pos && m_data[g.valEnd - 1] == '\r')
                --g.valEnd;
            m_pos = m_size;
        } else {
            g.valEnd = size_t(nl2 - m_data);
            if (g.valEnd > m_pos && m_data[g.valEnd - 1] == '\r')
                --g.valEnd;
            m_pos = size_t(nl2 - m_data) + 1;
        }
        g.end = m_pos;
        return true;
    }
    // Binary.
    if (d.fmt == Format::Binary) {
        if (m_size - m_pos < 2)
            fail(m_pos, QStringLiteral("unexpected end of file"));
        std::int16_t c;
        std::memcpy(&c, m_data + m_pos, 2);
        g.code = c;
        m_pos += 2;
    } else {
        const unsigned char c = static_cast<unsigned char>(m_data[m_pos]);
        if (c == 255) {
            if (m_size - m_pos < 3)
                fail(m_pos, QStringLiteral("unexpected end of file"));
            std::int16_t cc;
            std::memcpy(&cc, m_data + m_pos + 1, 2);
            g.code = cc;
            m_pos += 3;
        } else {
            g.code = c;
            m_pos += 1;
        }
    }
    if (g.code < -5 || g.code > 1071)
        fail(g.begin, QStringLiteral("invalid group code %1").arg(g.code));
    const size_t avail = m_size - m_pos;
    size_t sz = 0;
    switch (valueType(g.code)) {
    case ValueType::Double:
    case ValueType::Int64:
        sz = 8;
        break;
    case ValueType::Int32:
        sz = 4;
        break;
    case ValueType::Int16:
        sz = 2;
        break;
    case ValueType::Bool:
        sz = 1;
        break;
    case ValueType::Chunk:
        if (avail < 1)
            fail(g.begin, QStringLiteral("unexpected end of file"));
        sz = 1 + size_t(static_cast<unsigned char>(m_data[m_pos]));
        break;
    case ValueType::String: {
        const void *nul = std::memchr(m_data + m_pos, 0, avail);
        if (!nul)
            fail(g.begin, QStringLiteral("unexpected end of file"));
        sz = size_t(static_cast<const char *>(nul) - (m_data + m_pos)) + 1;
        break;
    }
    }
    if (sz > avail)
        fail(g.begin, QStringLiteral("unexpected end of file"));
    const ValueType t = valueType(g.code);
    g.valBegin = t == ValueType::Chunk ? m_pos + 1 : m_pos;
    g.valEnd = t == ValueType::String ? m_pos + sz - 1 : m_pos + sz;
    m_pos += sz;
    g.end = m_pos;
    return true;
}

void Parser::run()
{
    m_data = d.src.constData();
    m_size = size_t(d.src.size());
    if (m_size >= kBinarySentinel.size()
        && std::memcmp(m_data, kBinarySentinel.data(), kBinarySentinel.size()) == 0) {
        d.fmt = Format::Binary;
        m_pos = kBinarySentinel.size();
        // 1-byte group codes: "\0SECTION"; 2-byte: "\0\0SECTION".
        if (m_size > m_pos + 1 && m_data[m_pos] == 0 && m_data[m_pos + 1] == 'S')
            d.fmt = Format::BinaryR12;
    } else {
        d.fmt = Format::Ascii;
        if (m_size >= 3 && std::memcmp(m_data, "\xEF\xBB\xBF", 3) == 0)
            m_pos = 3;
        // Style of new groups, from the first line.
        const char *nl = static_cast<const char *>(std::memchr(m_data + m_pos, '\n', m_size - m_pos));
        if (nl) {
            d.style.crlf = nl > m_data && nl[-1] == '\r';
            d.style.padCodes = m_data[m_pos] == ' ';
        }
    }
    d.codec = std::make_unique<TextCodec>(false, QStringLiteral("ANSI_1252"));

    // Anything before the first group 0 must be comments.
    RawGroup g;
    size_t firstRecord = m_pos;
    bool sawStart = false;
    while (!m_done && nextGroup(g)) {
        if (!sawStart) {
            if (g.code == 999)
                continue;
            if (g.code != 0 || !ieq(trimmed(str(g)), "SECTION"))
                fail(g.begin, QStringLiteral("not a DXF file"));
            sawStart = true;
            m_started = true;
            firstRecord = g.begin;
            d.prefix.assign(m_data, firstRecord);
        }
        if (g.code == 0) {
            if (m_inRecord)
                closeRecord(g.begin);
            m_inRecord = true;
            m_in102 = false;
            m_q = Quick();
            m_q.begin = g.begin;
            m_q.type = trimmed(str(g));
            if (ieq(m_q.type, "EOF")) {
                closeRecord(g.end);
                m_done = true;
                m_eofEnd = g.end;
            }
            continue;
        }
        if (g.code == 102) {
            const std::string_view v = trimmed(str(g));
            m_in102 = !v.empty() && v.front() == '{';
            continue;
        }
        if (m_in102 || g.code >= 1000)
            continue;
        switch (g.code) {
        case 2:
            if (m_q.name.data() == nullptr)
                m_q.name = str(g);
            break;
        case 5: // DIMSTYLE uses 5 for its arrow block; its handle is 105
            if (m_q.handle.data() == nullptr && !ieq(m_q.type, "DIMSTYLE"))
                m_q.handle = trimmed(str(g));
            break;
        case 105:
            if (m_q.handle.data() == nullptr)
                m_q.handle = trimmed(str(g));
            break;
        case 8:
            if (!m_q.hasLayer) {
                m_q.hasLayer = true;
                m_q.layer = str(g);
            }
            break;
        case 67:
            m_q.spaceOff = g.begin;
            m_q.space = integer(g);
            break;
        default:
            break;
        }
    }
    if (!sawStart)
        fail(m_pos, QStringLiteral("not a DXF file"));
    if (!m_done)
        fail(m_size, QStringLiteral("unexpected end of file (no EOF marker)"));
    finish();
}

void Parser::closeRecord(size_t end)
{
    Rec r;
    r.off = m_q.begin;
    r.len = std::uint32_t(end - m_q.begin);
    if (end - m_q.begin > 0xFFFFFFFFu)
        fail(m_q.begin, QStringLiteral("record too large"));
    d.recs.push_back(r);
    m_inRecord = false;
    onRecord(std::int32_t(d.recs.size() - 1));
}

void Parser::onRecord(std::int32_t r)
{
    Rec &rec = d.recs[size_t(r)];
    const std::string_view type = m_q.type;
    if (ieq(type, "SECTION")) {
        if (m_section != Section::None)
            fail(m_q.begin, QStringLiteral("SECTION inside a section (missing ENDSEC)"));
        rec.kind = RecKind::Section;
        const std::string_view name = trimmed(m_q.name);
        if (name.empty())
            fail(m_q.begin, QStringLiteral("SECTION without a name"));
        m_section = ieq(name, "HEADER")     ? Section::Header
                    : ieq(name, "CLASSES")  ? Section::Classes
                    : ieq(name, "TABLES")   ? Section::Tables
                    : ieq(name, "BLOCKS")   ? Section::Blocks
                    : ieq(name, "ENTITIES") ? Section::Entities
                    : ieq(name, "OBJECTS")  ? Section::Objects
                                            : Section::Other;
        if (m_section == Section::Header)
            onHeader(r);
        return;
    }
    if (ieq(type, "EOF")) {
        rec.kind = RecKind::Eof;
        if (m_section != Section::None)
            fail(m_q.begin, QStringLiteral("unexpected end of file (section not closed)"));
        return;
    }
    if (m_section == Section::None)
        fail(m_q.begin, QStringLiteral("\"%1\" outside a section")
                            .arg(QString::fromLatin1(type.data(), qsizetype(std::min<size_t>(type.size(), 40)))));
    if (ieq(type, "ENDSEC")) {
        if (!m_table.isEmpty())
            fail(m_q.begin, QStringLiteral("table %1 not closed (missing ENDTAB)").arg(m_table));
        if (m_block >= 0)
            fail(m_q.begin, QStringLiteral("block not closed (missing ENDBLK)"));
        rec.kind = RecKind::EndSec;
        m_section = Section::None;
        return;
    }
    switch (m_section) {
    case Section::Tables:
        if (ieq(type, "TABLE")) {
            if (!m_table.isEmpty())
                fail(m_q.begin, QStringLiteral("TABLE inside a table (missing ENDTAB)"));
            rec.kind = RecKind::Table;
            m_table = QString::fromLatin1(trimmed(m_q.name).data(), qsizetype(trimmed(m_q.name).size())).toUpper();
            if (m_table.isEmpty())
                fail(m_q.begin, QStringLiteral("TABLE without a name"));
            if (m_table == QLatin1String("LAYER")) {
                d.layerTableRec = r;
                if (auto h = parseHandle(m_q.handle))
                    d.layerTableHandle = *h;
            }
        } else if (ieq(type, "ENDTAB")) {
            if (m_table.isEmpty())
                fail(m_q.begin, QStringLiteral("ENDTAB outside a table"));
            rec.kind = RecKind::EndTab;
            if (m_table == QLatin1String("LAYER"))
                d.layerEndtabRec = r;
            m_table.clear();
        } else {
            if (m_table.isEmpty())
                fail(m_q.begin, QStringLiteral("table entry outside a table"));
            rec.kind = RecKind::TableEntry;
            onTableEntry(r);
        }
        return;
    case Section::Blocks:
        if (ieq(type, "BLOCK")) {
            if (m_block >= 0)
                fail(m_q.begin, QStringLiteral("BLOCK inside a block (missing ENDBLK)"));
            rec.kind = RecKind::Block;
            Block b;
            b.name = d.decode(m_q.name);
            b.rec = r;
            d.blocks.push_back(b);
            m_block = std::int32_t(d.blocks.size() - 1);
            d.blockByFolded.emplace(b.name.toCaseFolded(), m_block);
            onEntity(r, RecKind::Block);
        } else if (ieq(type, "ENDBLK")) {
            if (m_block < 0)
                fail(m_q.begin, QStringLiteral("ENDBLK without BLOCK"));
            rec.kind = RecKind::EndBlk;
            onEntity(r, RecKind::EndBlk);
            m_block = -1;
        } else {
            if (m_block < 0)
                fail(m_q.begin, QStringLiteral("entity outside a block"));
            rec.kind = RecKind::Entity;
            onEntity(r, RecKind::Entity);
        }
        return;
    case Section::Entities:
        rec.kind = RecKind::Entity;
        onEntity(r, RecKind::Entity);
        return;
    case Section::Objects:
        rec.kind = RecKind::Object;
        onObject(r);
        return;
    case Section::Header:
        fail(m_q.begin, QStringLiteral("unexpected group 0 in the HEADER section"));
    default:
        rec.kind = RecKind::Other;
        if (auto h = parseHandle(m_q.handle))
            m_maxHandle = std::max(m_maxHandle, *h);
        return;
    }
}

void Parser::onHeader(std::int32_t r)
{
    d.headerRec = r;
    const std::string_view bytes = d.recBytes(r);
    scanGroups(bytes, d.fmt, m_groups);
    QString codePage;
    for (size_t i = 0; i + 1 < m_groups.size(); ++i) {
        const Group &g = m_groups[i];
        if (g.code != 9)
            continue;
        const std::string_view var = trimmed(stringValue(bytes, g, d.fmt));
        const Group &v = m_groups[i + 1];
        const std::string_view val = trimmed(stringValue(bytes, v, d.fmt));
        if (var == "$ACADVER") {
            d.acadver = QString::fromLatin1(val.data(), qsizetype(val.size())).toUpper();
        } else if (var == "$DWGCODEPAGE") {
            codePage = QString::fromLatin1(val.data(), qsizetype(val.size()));
        } else if (var == "$HANDSEED") {
            if (auto h = parseHandle(val))
                d.nextHandle = std::max<std::uint64_t>(d.nextHandle, *h);
        } else if (var == "$HANDLING") {
            d.hasHandles = intValue(bytes, v, d.fmt).value_or(0) != 0;
        } else if (var == "$PSTYLEMODE") {
            d.pstyleMode = int(intValue(bytes, v, d.fmt).value_or(1));
        }
    }
    d.codePage = codePage;
    d.codec = std::make_unique<TextCodec>(d.acadver >= QLatin1String("AC1021"), codePage);
    // $CLAYER needs the codec.
    for (size_t i = 0; i + 1 < m_groups.size(); ++i)
        if (m_groups[i].code == 9
            && trimmed(stringValue(bytes, m_groups[i], d.fmt)) == "$CLAYER")
            d.clayer = d.decode(stringValue(bytes, m_groups[i + 1], d.fmt));
    if (d.isR2000Plus())
        d.hasHandles = true;
    // Integers padded to 6 columns, as the CAD application writes them?
    if (d.fmt == Format::Ascii) {
        for (const Group &g : m_groups)
            if (valueType(g.code) == ValueType::Int16) {
                d.style.padInts = g.valEnd > g.valBegin && bytes[g.valBegin] == ' ';
                break;
            }
    }
}

void Parser::onTableEntry(std::int32_t r)
{
    if (auto h = parseHandle(m_q.handle))
        m_maxHandle = std::max(m_maxHandle, *h);
    if (m_table == QLatin1String("LAYER") && ieq(m_q.type, "LAYER")) {
        const QString name = d.decode(m_q.name);
        if (m_q.name.data() == nullptr || name.isEmpty())
            fail(m_q.begin, QStringLiteral("LAYER without a name"));
        const QString folded = name.toCaseFolded();
        LayerId id = NoLayer;
        auto it = d.byFolded.find(folded);
        if (it != d.byFolded.end() && d.layerSlots[size_t(it->second)].rec < 0) {
            id = it->second; // objects named it before the table did
        } else {
            id = LayerId(d.layerSlots.size());
            d.layerSlots.emplace_back();
            if (it == d.byFolded.end())
                d.byFolded.emplace(folded, id);
        }
        Slot &s = d.layerSlots[size_t(id)];
        s.name = name;
        s.folded = folded;
        s.rec = r;
        d.order.push_back(id);
        // Values the model reads must be sound.
        const std::string_view bytes = d.recBytes(r);
        scanGroups(bytes, d.fmt, m_groups);
        for (const Group &g : m_groups)
            if (g.code == 62 || g.code == 70 || g.code == 370 || g.code == 290)
                if (!intValue(bytes, g, d.fmt))
                    fail(m_q.begin + g.begin,
                         QStringLiteral("invalid integer value for group code %1").arg(g.code));
        d.readLayerRecord(id);
        if (s.handle)
            d.layerByHandle.emplace(s.handle, id);
    } else if (m_table == QLatin1String("LTYPE") && ieq(m_q.type, "LTYPE")) {
        d.linetypes.push_back(d.decode(m_q.name));
    } else if (m_table == QLatin1String("BLOCK_RECORD") && ieq(m_q.type, "BLOCK_RECORD")) {
        if (auto h = parseHandle(m_q.handle))
            d.blockRecordNames.emplace(*h, d.decode(m_q.name));
    }
}

void Parser::onEntity(std::int32_t r, RecKind kind)
{
    const EntityId id = EntityId(d.ents.size());
    Ent e;
    e.rec = r;
    e.block = m_block;
    if (!m_q.handle.empty()) {
        const auto h = parseHandle(m_q.handle);
        if (!h)
            fail(m_q.begin, QStringLiteral("invalid handle \"%1\"")
                                .arg(QString::fromLatin1(m_q.handle.data(),
                                                         qsizetype(std::min<size_t>(m_q.handle.size(), 40)))));
        e.handle = *h;
        m_maxHandle = std::max(m_maxHandle, *h);
    }
    if (m_q.space == 1)
        e.flags |= EntPaper;
    if (kind != RecKind::Entity) {
        e.flags |= EntStruct;
        m_openParent = NoEntity;
    } else {
        const std::string_view type = m_q.type;
        const bool sub = ieq(type, "ATTRIB") || ieq(type, "VERTEX") || ieq(type, "SEQEND");
        if (sub && m_openParent != NoEntity) {
            e.flags |= EntSub;
            e.parent = m_openParent;
            if (ieq(type, "SEQEND"))
                m_openParent = NoEntity;
        } else {
            m_openParent = (ieq(type, "INSERT") || ieq(type, "POLYLINE")) ? id : NoEntity;
        }
        if (ieq(type, "VIEWPORT"))
            d.viewportEnts.push_back(id);
    }
    if (m_block >= 0) {
        const QString &bn = d.blocks[size_t(m_block)].name;
        if (istartsWith(bn, "*Paper_Space"))
            e.flags |= EntPaper;
        if (!(e.flags & (EntSub | EntStruct))
            && (istartsWith(bn, "*Paper_Space") || istartsWith(bn, "*Model_Space")))
            e.flags |= EntTop;
        if (!(e.flags & EntStruct))
            d.blocks[size_t(m_block)].ents.push_back(id);
    } else {
        if (!(e.flags & EntSub))
            e.flags |= EntTop;
        d.sectionEnts.push_back(id);
    }
    d.ents.push_back(e);
    if (m_q.hasLayer)
        d.linkRef(id, d.slotForRaw(m_q.layer, &m_rawLayers));
    if (e.handle)
        d.entByHandle.emplace(e.handle, id);
}

void Parser::onObject(std::int32_t r)
{
    const auto h = parseHandle(m_q.handle);
    if (!h)
        return;
    m_maxHandle = std::max(m_maxHandle, *h);
    d.objByHandle.emplace(*h, r);
    if (m_firstObject && ieq(m_q.type, "DICTIONARY"))
        m_rootDict = *h;
    m_firstObject = false;
    if (ieq(m_q.type, "LAYOUT"))
        d.layoutRecs.push_back(r);
}

// Reads "3 name / 350 handle" pairs of a DICTIONARY object.
std::vector<std::pair<QString, std::uint64_t>> dictionaryEntries(const Drawing::Impl &d, std::int32_t r)
{
    std::vector<std::pair<QString, std::uint64_t>> out;
    std::vector<Group> gs;
    const std::string_view bytes = d.recBytes(r);
    scanGroups(bytes, d.fmt, gs);
    QString name;
    bool haveName = false;
    for (const Group &g : gs) {
        if (g.code == 3) {
            name = d.decode(stringValue(bytes, g, d.fmt));
            haveName = true;
        } else if ((g.code == 350 || g.code == 360) && haveName) {
            if (auto h = parseHandle(stringValue(bytes, g, d.fmt)))
                out.emplace_back(name, *h);
            haveName = false;
        }
    }
    return out;
}

void Parser::finish()
{
    d.prefix.resize(d.prefix.size()); // bytes before the first record
    (void)m_eofEnd;
    // Plot style names: root dictionary -> ACAD_PLOTSTYLENAME -> entries.
    if (m_rootDict) {
        auto it = d.objByHandle.find(m_rootDict);
        if (it != d.objByHandle.end())
            for (const auto &[name, h] : dictionaryEntries(d, it->second))
                if (name.compare(QLatin1String("ACAD_PLOTSTYLENAME"), Qt::CaseInsensitive) == 0) {
                    auto ps = d.objByHandle.find(h);
                    if (ps != d.objByHandle.end())
                        for (const auto &[psName, psHandle] : dictionaryEntries(d, ps->second))
                            d.plotStyleNames.emplace(psHandle, psName);
                }
    }
    // Files without handles still get handles for the caller; they are not
    // written.
    d.nextHandle = std::max(d.nextHandle, m_maxHandle + 1);
    for (size_t i = 0; i < d.ents.size(); ++i) {
        Ent &e = d.ents[i];
        if (e.handle == 0) {
            e.handle = d.nextHandle++;
            e.flags |= EntSynthHandle;
            d.entByHandle.emplace(e.handle, EntityId(i));
        }
    }
}

} // namespace

void Drawing::Impl::parse(const QString &fileName)
{
    Parser p(*this, fileName);
    p.run();
}

std::string Drawing::Impl::headerBytes() const
{
    const std::string_view orig = recBytes(headerRec);
    std::map<std::string, std::pair<int, std::string>> vars = headerOverrides;
    if (handseedChanged)
        vars["$HANDSEED"] = {5, formatHandle(nextHandle)};
    if (vars.empty())
        return std::string(orig);
    RecordEditor ed(std::string(orig), fmt, styleOf(headerRec));
    for (const auto &[var, value] : vars) {
        bool found = false;
        for (int i = 0; i + 1 < int(ed.groups().size()); ++i) {
            const Group &g = ed.groups()[size_t(i)];
            if (g.code == 9 && trimmed(stringValue(ed.bytes(), g, fmt)) == var) {
                ed.setString(i + 1, value.second);
                found = true;
                break;
            }
        }
        if (!found) {
            ed.insertString(int(ed.groups().size()), 9, var);
            ed.insertString(int(ed.groups().size()), value.first, value.second);
        }
    }
    return ed.takeBytes();
}

void Drawing::Impl::writeTo(const std::function<void(std::string_view)> &sink) const
{
    sink(prefix);
    for (std::int32_t r = 0; r < std::int32_t(recs.size()); ++r) {
        const Rec &x = recs[size_t(r)];
        if (x.inserted)
            continue;
        auto ins = insertedBefore.find(r);
        if (ins != insertedBefore.end())
            for (std::int32_t n : ins->second)
                if (!recs[size_t(n)].deleted)
                    sink(recBytes(n));
        if (x.deleted)
            continue;
        if (r == headerRec && (!headerOverrides.empty() || handseedChanged))
            sink(headerBytes());
        else
            sink(recBytes(r));
    }
}

} // namespace host
