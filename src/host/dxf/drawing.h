// An in-memory DXF drawing that is read and written losslessly.
//
// The file is kept as its own sequence of groups (group code, raw value
// bytes, line endings).  Saving a drawing that was not changed gives the
// input bytes back (bytes after the EOF marker are dropped); a change
// rewrites only the values it must, and adds or removes only the groups it
// must.  Everything the model does not understand (unknown entities,
// proxies, xdata, extension dictionaries, classes, objects) is carried
// through untouched.
//
// Reads ASCII DXF R12 (AC1009) to R2018 (AC1032) and binary DXF; writes in
// the form it came in.  Text of R2007 and later is UTF-8; earlier files use
// the code page named by $DWGCODEPAGE, with \U+XXXX escapes for anything
// outside it.  Names and strings reach the caller as Unicode QStrings.
//
// Errors: a file that cannot be read throws host::DxfError (file, line,
// message).  Operations the CAD application refuses throw acad::AcadError
// with its number (acad::err) and its English description.  DxfError is an
// AcadError, so one catch handles every drawing error.
//
// Identifiers: layers and entities are named by small integer ids that stay
// valid while the drawing lives (an erased layer's id is not reused).
// Layer indexes (0 .. layerCount()-1, table order) shift on delete; ids do
// not.  All lookups by name (ignoring letter case) and by handle are O(1).
#pragma once

#include "acad/acad.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

namespace host {

// A DXF file that cannot be read: not a DXF, truncated or corrupt.  line is
// the 1-based line of an ASCII file (for binary files the byte offset), 0
// when unknown.  number() is acad::err::FileError; description() reads
// "FILE: line N: MESSAGE".
class DxfError : public acad::AcadError {
public:
    DxfError(QString file, qint64 line, QString message);
    const QString &file() const noexcept { return m_file; }
    qint64 line() const noexcept { return m_line; }
    const QString &message() const noexcept { return m_message; }

private:
    QString m_file;
    qint64 m_line;
    QString m_message;
};

using LayerId = std::int32_t;
using EntityId = std::int32_t;
constexpr LayerId NoLayer = -1;
constexpr EntityId NoEntity = -1;

struct Point {
    double x = 0, y = 0, z = 0;
};

// A layout tab: model space ("Model", isModel) or a paper-space layout.
struct LayoutInfo {
    QString name;       // "Model", "Layout1", ...
    int tabOrder = 0;   // 0 for model space, 1.. for layouts
    QString blockName;  // "*Model_Space", "*Paper_Space", "*Paper_Space0", ...
    bool isModel = false;
};

// A VIEWPORT entity of a layout.  Sizes in paper units.
struct ViewportInfo {
    EntityId entity = NoEntity;
    Point center;             // 10/20/30 (paper space)
    double width = 0;         // 40
    double height = 0;        // 41
    Point viewCenter;         // 12/22 (model space point shown at the centre)
    double viewHeight = 0;    // 45
    int id = 0;               // 69: 1 is the layout's own paper-space viewport
    bool on = true;           // 90 bit 0x20000 clear (R2000+) / status >= 0
    std::vector<LayerId> frozenLayers; // 331/341 handles, or R12 1003 names
};

// What a view needs to draw one entity.  Angles in degrees, as in the file.
// Fields an entity type does not use stay at their defaults.
struct EntityGeometry {
    QString type;                 // group 0, upper case: "LINE", "CIRCLE", ...
    std::vector<Point> points;    // LINE: start, end; LWPOLYLINE/POLYLINE:
                                  // vertices; SOLID/TRACE/3DFACE: corners;
                                  // POINT, CIRCLE, ARC, TEXT, MTEXT, INSERT:
                                  // the one location (centre / insertion)
    std::vector<double> bulges;   // per vertex of a polyline (0 = straight)
    bool closed = false;          // polyline closed flag
    double radius = 0;            // CIRCLE, ARC
    double startAngle = 0;        // ARC
    double endAngle = 360;        // ARC
    QString text;                 // TEXT/ATTRIB/ATTDEF/MTEXT, formatting kept
    double height = 0;            // text height
    double rotation = 0;          // TEXT/INSERT rotation (MTEXT: from 50)
    double widthFactor = 1;       // TEXT 41
    int hAlign = 0, vAlign = 0;   // TEXT 72/73 (ATTRIB 74), MTEXT 71 attachment in hAlign
    Point alignPoint;             // TEXT 11/21/31, when the alignment uses it
    double boxWidth = 0;          // MTEXT 41
    QString blockName;            // INSERT 2
    double xScale = 1, yScale = 1, zScale = 1; // INSERT 41/42/43
    int columns = 1, rows = 1;    // INSERT 70/71
    double columnSpacing = 0, rowSpacing = 0;  // INSERT 44/45
    Point extrusion{0, 0, 1};     // 210/220/230
    bool invisible = false;       // 60 = 1
};

// The drawing.  Not copyable; moved around as std::unique_ptr.
class Drawing {
public:
    ~Drawing();
    Drawing(const Drawing &) = delete;
    Drawing &operator=(const Drawing &) = delete;

    // ---- load, create, save --------------------------------------------

    // Reads a DXF file.  Throws DxfError naming the file (and line).
    static std::unique_ptr<Drawing> load(const QString &path);
    // Reads DXF bytes; fileName is used in error messages only.
    static std::unique_ptr<Drawing> fromBytes(const QByteArray &bytes,
                                              const QString &fileName = QString());
    // A new empty drawing (R2000 ASCII, layer "0", linetypes ByBlock, ByLayer
    // and Continuous, model space and one layout "Layout1" with its
    // paper-space viewport).  Not dirty.
    static std::unique_ptr<Drawing> createNew();
    // The bytes of that new drawing.
    static QByteArray newDrawingTemplate();

    // Writes the drawing to path atomically: a temporary file in the same
    // folder is written, flushed and renamed over path; an existing file is
    // kept as path + ".bak".  On failure path is left as it was and an
    // AcadError (FileError) says why.  Clears the dirty flag.
    void save(const QString &path);
    // The file bytes as they would be saved.
    QByteArray toBytes() const;

    bool isDirty() const;
    void setDirty(bool dirty);

    QString acadVersion() const;  // "AC1009" .. "AC1032"
    QString versionName() const;  // "R12", "R2000", "R2004", ... "R2018"
    bool isBinary() const;
    QString encoding() const;     // "UTF-8" or $DWGCODEPAGE, e.g. "ANSI_932"

    // ---- layers ----------------------------------------------------------

    int layerCount() const;
    LayerId layerAt(int index) const;            // table order; throws InvalidIndex
    int layerIndex(LayerId layer) const;         // -1 when erased
    bool layerExists(LayerId layer) const;       // false once deleted
    LayerId findLayer(const QString &name) const; // ignoring case; NoLayer if absent
    // The layer of that name (ignoring case), added if absent (colour 7,
    // Continuous, default lineweight).  Invalid names: InvalidInput.
    LayerId addLayer(const QString &name);
    // True when name may be a layer name (not empty, <= 255, none of
    // < > / \ " : ; ? * | , = `).
    static bool isValidLayerName(const QString &name);

    QString layerName(LayerId layer) const;
    // Renames and updates every reference by name.  Refuses "0", xref layers,
    // invalid names and a name another layer has (DuplicateKey).  Changing
    // only the letter case of the own name is allowed.
    void setLayerName(LayerId layer, const QString &name);
    bool layerOn(LayerId layer) const;           // colour 62 >= 0
    void setLayerOn(LayerId layer, bool on);
    bool layerFrozen(LayerId layer) const;       // 70 bit 1
    void setLayerFrozen(LayerId layer, bool frozen); // current layer: refused
    bool layerFrozenInNewViewports(LayerId layer) const; // 70 bit 2
    void setLayerFrozenInNewViewports(LayerId layer, bool frozen);
    bool layerLocked(LayerId layer) const;       // 70 bit 4
    void setLayerLocked(LayerId layer, bool locked);
    bool layerPlottable(LayerId layer) const;    // 290, absent = true
    void setLayerPlottable(LayerId layer, bool plottable);
    int layerColor(LayerId layer) const;         // 1..255
    void setLayerColor(LayerId layer, int color); // 1..255 else InvalidInput
    QString layerLinetype(LayerId layer) const;
    void setLayerLinetype(LayerId layer, const QString &linetype); // loaded only
    int layerLineweight(LayerId layer) const;    // 1/100 mm, -3 default
    void setLayerLineweight(LayerId layer, int lineweight); // standard set, -3
    QString layerPlotStyleName(LayerId layer) const;
    bool layerIsXref(LayerId layer) const;       // "|" in name or flag 16
    // Deletes the layer and drops viewport frozen-layer entries pointing at
    // it.  Refuses "0", "Defpoints", the current layer, xref layers and
    // layers any object uses (also inside blocks).
    void deleteLayer(LayerId layer);

    LayerId currentLayer() const;                // $CLAYER (layer "0" if unset)
    void setCurrentLayer(LayerId layer);         // a frozen layer: refused

    // Objects on the layer: top-level objects of model space and layouts
    // (not those inside block definitions), in file order.  Costs the
    // objects on that layer.
    std::vector<EntityId> layerEntities(LayerId layer) const;
    // Every object on the layer, also inside blocks (ATTRIB/VERTEX/SEQEND not
    // counted separately).
    int layerObjectCount(LayerId layer) const;

    static bool isValidLineweight(int lineweight);
    static const std::vector<int> &standardLineweights();

    // ---- linetypes -------------------------------------------------------

    QStringList linetypeNames() const;           // table order, as spelled
    bool hasLinetype(const QString &name) const; // ignoring case

    // ---- entities --------------------------------------------------------

    // Every entity id handed out is below entityCapacity().
    int entityCapacity() const;
    bool entityExists(EntityId entity) const;
    EntityId findEntity(const QString &handle) const; // NoEntity if unknown
    QString entityHandle(EntityId entity) const;
    QString entityType(EntityId entity) const;   // group 0, e.g. "LINE"
    QString entityLayer(EntityId entity) const;  // group 8 as written
    LayerId entityLayerId(EntityId entity) const; // NoLayer if not in table
    int entityColor(EntityId entity) const;      // 62; absent = 256 (ByLayer), 0 ByBlock
    QString entityLinetype(EntityId entity) const; // 6; absent = "BYLAYER"
    bool hasText(EntityId entity) const;         // TEXT, MTEXT, ATTRIB, ATTDEF, ...
    QString entityText(EntityId entity) const;   // 1 (+ 3 chunks for MTEXT)
    int entitySpace(EntityId entity) const;      // 67: 0 model, 1 paper
    // The block this entity belongs to: "*Model_Space", a "*Paper_Space..."
    // block of a layout, or a block definition's name.
    QString entityBlock(EntityId entity) const;
    // True for objects of model space and the layouts (not inside block
    // definitions, not ATTRIB/VERTEX/SEQEND).
    bool isTopLevel(EntityId entity) const;
    // ATTRIBs of an INSERT, VERTEXes of a POLYLINE (SEQEND left out).
    std::vector<EntityId> subEntities(EntityId entity) const;

    // Sets group 8 (layer must exist: else KeyNotFound), 62 (0..256), 6
    // (loaded linetype, "BYLAYER", "BYBLOCK"), or the text string.
    void setEntityLayer(EntityId entity, const QString &layer);
    void setEntityColor(EntityId entity, int color);
    void setEntityLinetype(EntityId entity, const QString &linetype);
    void setEntityText(EntityId entity, const QString &text);

    EntityGeometry entityGeometry(EntityId entity) const;
    // Colour to draw with: ByLayer resolved by the entity's layer, ByBlock by
    // blockColor (the colour of the INSERT, 7 at top level).  ACI 1..255.
    int effectiveColor(EntityId entity, int blockColor = 7) const;
    // RGB of an ACI colour (0xRRGGBB).
    static std::uint32_t aciToRgb(int aci);

    // Top-level objects of model space and every layout, in file order.
    std::vector<EntityId> topLevelEntities() const;

    // ---- layouts and blocks ----------------------------------------------

    // Model first, then the layouts in tab order.
    std::vector<LayoutInfo> layouts() const;
    // Top-level objects of one layout (index into layouts()).
    std::vector<EntityId> layoutEntities(int layout) const;
    // VIEWPORT entities of one layout.
    std::vector<ViewportInfo> viewports(int layout) const;
    // Freezes or thaws a layer in one viewport (VPLAYER): a 331 handle from
    // R2000, a 1003 name in the viewport's ACAD xdata in R12.  Not a
    // VIEWPORT, or an R12 viewport without its xdata: InvalidInput.
    void setViewportLayerFrozen(EntityId viewport, LayerId layer, bool frozen);
    // Entities of a block definition (ignoring case), for drawing INSERTs.
    std::vector<EntityId> blockEntities(const QString &blockName) const;
    // Base point of a block definition (10/20/30 of BLOCK).
    Point blockBasePoint(const QString &blockName) const;

    struct Impl;

private:
    Drawing();
    std::unique_ptr<Impl> d;
};

} // namespace host
