// Inner state of host::Drawing, shared by the reader, the writer and the
// model operations.
#pragma once

#include "host/dxf/drawing.h"
#include "host/dxf/groups.h"
#include "host/dxf/text_codec.h"

#include <QHash>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace host {

namespace dxf {

enum class RecKind : std::uint8_t {
    Other,
    Section,
    EndSec,
    Table,
    EndTab,
    TableEntry,
    Block,
    EndBlk,
    Entity,
    Object,
    Eof,
};

// One record of the file: the bytes from a group 0 up to the next.
struct Rec {
    std::uint64_t off = 0;  // into the source bytes, while edit < 0
    std::uint32_t len = 0;
    std::int32_t edit = -1; // index into Impl::edits once rewritten
    RecKind kind = RecKind::Other;
    bool deleted = false;
    bool inserted = false;  // written before another record, see insertedBefore
};

struct Slot {
    QString name;            // as the table (or first reference) spells it
    QString folded;          // case-folded name, the key of byFolded
    std::int32_t rec = -1;   // LAYER table record; -1: only referenced by objects
    bool erased = false;
    std::vector<EntityId> refs; // every record with group 8 naming this layer
    // Cached from the table record.
    int flags = 0;
    int color = 7;           // 62 as written (negative = off)
    QString linetype = QStringLiteral("Continuous");
    int lineweight = -3;
    bool plot = true;
    std::uint64_t plotStyle = 0;
    std::uint64_t handle = 0;
};

enum EntFlag : std::uint8_t {
    EntSub = 1,       // ATTRIB / VERTEX / SEQEND of an INSERT or POLYLINE
    EntStruct = 2,    // BLOCK / ENDBLK
    EntPaper = 4,     // 67 = 1
    EntTop = 8,       // object of model space or a layout
    EntSynthHandle = 16, // handle made up here (file without handles)
};

struct Ent {
    std::int32_t rec = -1;
    LayerId layer = NoLayer; // slot of group 8, NoLayer when there is none
    std::int32_t pos = -1;   // position in the slot's refs
    std::int32_t block = -1; // index into blocks, -1 for the ENTITIES section
    EntityId parent = NoEntity;
    std::uint64_t handle = 0;
    std::uint8_t flags = 0;
};

struct Block {
    QString name;
    std::int32_t rec = -1;
    std::vector<EntityId> ents; // in file order, BLOCK/ENDBLK left out
};

struct QStringHash {
    size_t operator()(const QString &s) const noexcept { return qHash(s); }
};

} // namespace dxf

struct Drawing::Impl {
    // ---- bytes -------------------------------------------------------------
    QByteArray src;
    dxf::Format fmt = dxf::Format::Ascii;
    dxf::AsciiStyle style;
    std::string prefix; // bytes before the first record (sentinel, BOM, comments)
    std::vector<dxf::Rec> recs;
    std::vector<std::string> edits;
    std::unordered_map<std::int32_t, std::vector<std::int32_t>> insertedBefore;
    bool dirty = false;

    // ---- header ------------------------------------------------------------
    std::int32_t headerRec = -1;
    QString acadver = QStringLiteral("AC1009");
    QString codePage;
    std::unique_ptr<dxf::TextCodec> codec;
    // $VAR -> (group code, encoded value), applied when written.
    std::map<std::string, std::pair<int, std::string>> headerOverrides;
    QString clayer; // $CLAYER as read or set
    bool hasHandles = false;
    std::uint64_t nextHandle = 1;
    bool handseedChanged = false;
    int pstyleMode = 1; // $PSTYLEMODE: 1 colour dependent, 0 named

    // ---- tables ------------------------------------------------------------
    std::int32_t layerTableRec = -1;
    std::int32_t layerEndtabRec = -1;
    std::uint64_t layerTableHandle = 0;
    std::vector<dxf::Slot> layerSlots;
    std::vector<LayerId> order; // table order
    std::unordered_map<QString, LayerId, dxf::QStringHash> byFolded;
    std::unordered_map<std::uint64_t, LayerId> layerByHandle;
    std::vector<QString> linetypes;
    std::unordered_map<std::uint64_t, QString> blockRecordNames; // handle -> name

    // ---- entities ----------------------------------------------------------
    std::vector<dxf::Ent> ents;
    std::unordered_map<std::uint64_t, EntityId> entByHandle;
    std::vector<dxf::Block> blocks;
    std::unordered_map<QString, std::int32_t, dxf::QStringHash> blockByFolded;
    std::vector<EntityId> sectionEnts; // ENTITIES section, file order
    std::vector<EntityId> viewportEnts;

    // ---- objects -----------------------------------------------------------
    std::unordered_map<std::uint64_t, std::int32_t> objByHandle;
    std::vector<std::int32_t> layoutRecs;
    std::unordered_map<std::uint64_t, QString> plotStyleNames;

    // ---- access ------------------------------------------------------------
    std::string_view recBytes(std::int32_t r) const
    {
        const dxf::Rec &x = recs[size_t(r)];
        if (x.edit >= 0)
            return edits[size_t(x.edit)];
        return std::string_view(src.constData() + x.off, x.len);
    }
    dxf::AsciiStyle styleOf(std::int32_t r) const;
    dxf::RecordEditor editor(std::int32_t r) const;
    void commit(std::int32_t r, dxf::RecordEditor &ed);
    std::int32_t appendRecord(std::string bytes, dxf::RecKind kind);

    QString decode(std::string_view raw) const { return codec->decode(raw); }
    std::string encode(const QString &s) const { return codec->encode(s); }
    bool isR12() const { return acadver < QLatin1String("AC1012"); }
    bool isR2000Plus() const { return acadver >= QLatin1String("AC1015"); }

    // ---- reading and writing (dxf_io.cpp) -----------------------------------
    void parse(const QString &fileName);
    void writeTo(const std::function<void(std::string_view)> &sink) const;
    std::string headerBytes() const;

    // ---- model helpers (drawing.cpp) ----------------------------------------
    const dxf::Slot &slot(LayerId id) const;
    dxf::Slot &slot(LayerId id);
    const dxf::Ent &ent(EntityId id) const;
    LayerId slotForRaw(std::string_view raw,
                       std::unordered_map<std::string, LayerId> *cache);
    LayerId slotForName(const QString &name, bool createOrphan);
    void readLayerRecord(LayerId id);
    void linkRef(EntityId e, LayerId layer);
    void unlinkRef(EntityId e);
    std::uint64_t newHandle();
};

} // namespace host
