// The drawing automation interface.
//
// The program above this folder touches a drawing only through these classes.
// Member names follow the CAD application's automation names; a property that
// can be read is a const member of that name, one that can be written has a
// "set" member of the same name.  Every call may throw acad::AcadError.
#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace acad {

// The one kind of error a drawing raises: a number and a description, as the
// automation layer of the CAD application reports them.
class AcadError : public std::exception {
public:
    AcadError(long number, QString description);
    long number() const noexcept { return m_number; }
    const QString &description() const noexcept { return m_description; }
    const char *what() const noexcept override { return m_what.c_str(); }

private:
    long m_number;
    QString m_description;
    std::string m_what;
};

// Error numbers the host raises.  They are the automation error codes of the
// CAD application, as signed 32-bit values.
namespace err {
constexpr long KeyNotFound = -2145386476;      // "Key not found"
constexpr long DuplicateKey = -2145386475;     // "Duplicate record name"
constexpr long InvalidInput = -2145386493;     // "Invalid input"
constexpr long ObjectErased = -2145386420;     // "Object was erased"
constexpr long LockedOrInUse = -2145386418;    // "Object is referenced" / cannot delete
constexpr long InvalidLayer = -2145386370;     // "Invalid layer"
constexpr long NoDocument = -2145320900;       // "No document is open"
constexpr long FileError = -2145386390;        // "File error"
constexpr long Busy = -2147418111;             // "Call was rejected by callee"
constexpr long InvalidIndex = -2145386491;     // "Invalid index"
constexpr long NotRunning = -2147221021;       // "Operation unavailable": attach with no host running
constexpr long HostClosed = -2147023174;       // "The RPC server is unavailable": the host has ended
constexpr long NotSupported = 438;             // "Object doesn't support this property or method"
} // namespace err

class AcadApplication;
class AcadDocument;
class AcadLayers;
class AcadLayer;
class AcadLinetypes;
class AcadLinetype;
class AcadSelectionSets;
class AcadSelectionSet;
class AcadEntity;
class AcadModelSpace;
class AcadState;

using ApplicationPtr = std::shared_ptr<AcadApplication>;
using DocumentPtr = std::shared_ptr<AcadDocument>;
using LayersPtr = std::shared_ptr<AcadLayers>;
using LayerPtr = std::shared_ptr<AcadLayer>;
using LinetypesPtr = std::shared_ptr<AcadLinetypes>;
using LinetypePtr = std::shared_ptr<AcadLinetype>;
using SelectionSetsPtr = std::shared_ptr<AcadSelectionSets>;
using SelectionSetPtr = std::shared_ptr<AcadSelectionSet>;
using EntityPtr = std::shared_ptr<AcadEntity>;
using ModelSpacePtr = std::shared_ptr<AcadModelSpace>;
using StatePtr = std::shared_ptr<AcadState>;

// Selection filter: parallel arrays of group codes and values.  Values are
// strings (names, type names) or integers (colour, space).
using FilterTypes = std::vector<std::int16_t>;
using FilterData = std::vector<QVariant>;

class AcadState {
public:
    virtual ~AcadState() = default;
    virtual bool IsQuiescent() const = 0;
};

class AcadApplication {
public:
    virtual ~AcadApplication() = default;
    virtual QString Caption() const = 0;
    virtual void setWindowState(int state) = 0; // 1 normal, 2 minimised, 3 maximised
    virtual void setWidth(int pixels) = 0;
    virtual void setHeight(int pixels) = 0;
    virtual void setWindowTop(int pixels) = 0;
    virtual void setWindowLeft(int pixels) = 0;
    virtual void setVisible(bool visible) = 0;
    virtual DocumentPtr ActiveDocument() const = 0;
    virtual void Update() = 0;
    virtual StatePtr GetAcadState() const = 0;
};

// Model space is only held on to by the program, never used.
class AcadModelSpace {
public:
    virtual ~AcadModelSpace() = default;
};

class AcadDocument {
public:
    virtual ~AcadDocument() = default;
    virtual QString FullName() const = 0;
    virtual QString Name() const = 0;
    virtual QString Path() const = 0;
    virtual ModelSpacePtr ModelSpace() const = 0;
    virtual LayersPtr Layers() const = 0;
    virtual LinetypesPtr Linetypes() const = 0;
    virtual LayerPtr ActiveLayer() const = 0;
    virtual void setActiveLayer(const LayerPtr &layer) = 0;
    virtual int ActiveSpace() const = 0; // 1 model space tab, 0 a layout
    virtual bool MSpace() const = 0;     // a floating viewport's model space is active
    virtual void Regen(int which) = 0;
    virtual SelectionSetsPtr SelectionSets() const = 0;
    virtual EntityPtr HandleToObject(const QString &handle) const = 0;
    virtual void Export(const QString &fileName, const QString &extension,
                        const SelectionSetPtr &selectionSet) = 0;
};

class AcadLayers {
public:
    virtual ~AcadLayers() = default;
    virtual long Count() const = 0;
    virtual LayerPtr Item(long index) const = 0;         // 0-based
    virtual LayerPtr Item(const QString &name) const = 0; // ignoring letter case
    virtual LayerPtr Add(const QString &name) = 0;
};

class AcadLayer {
public:
    virtual ~AcadLayer() = default;
    virtual QString Name() const = 0;
    virtual void setName(const QString &name) = 0;
    virtual bool LayerOn() const = 0;
    virtual void setLayerOn(bool on) = 0;
    virtual bool Freeze() const = 0;
    virtual void setFreeze(bool frozen) = 0;
    virtual bool Lock() const = 0;
    virtual void setLock(bool locked) = 0;
    virtual bool Plottable() const = 0;
    virtual void setPlottable(bool plottable) = 0;
    virtual bool ViewportDefault() const = 0; // true = frozen in new viewports
    virtual void setViewportDefault(bool frozen) = 0;
    virtual int Color() const = 0;
    virtual void setColor(int color) = 0;
    virtual int Lineweight() const = 0;
    virtual void setLineweight(int lineweight) = 0;
    virtual QString Linetype() const = 0;
    virtual void setLinetype(const QString &name) = 0;
    virtual QString PlotStyleName() const = 0;
    virtual void Delete() = 0;
};

class AcadLinetype {
public:
    virtual ~AcadLinetype() = default;
    virtual QString Name() const = 0;
};

class AcadLinetypes {
public:
    virtual ~AcadLinetypes() = default;
    virtual long Count() const = 0;
    virtual LinetypePtr Item(long index) const = 0;
};

class AcadSelectionSets {
public:
    virtual ~AcadSelectionSets() = default;
    virtual long Count() const = 0;
    virtual SelectionSetPtr Item(long index) const = 0;
    virtual SelectionSetPtr Item(const QString &name) const = 0;
    virtual SelectionSetPtr Add(const QString &name) = 0;
};

class AcadSelectionSet {
public:
    virtual ~AcadSelectionSet() = default;
    virtual QString Name() const = 0;
    virtual void Select(int mode, const FilterTypes &filterType = {},
                        const FilterData &filterData = {}) = 0;
    virtual void SelectOnScreen(const FilterTypes &filterType = {},
                                const FilterData &filterData = {}) = 0;
    virtual void AddItems(const std::vector<EntityPtr> &items) = 0;
    virtual void Clear() = 0;
    virtual long Count() const = 0;
    virtual EntityPtr Item(long index) const = 0;
    virtual void Delete() = 0;
};

class AcadEntity {
public:
    virtual ~AcadEntity() = default;
    virtual void setLayer(const QString &name) = 0;
    virtual void setColor(int color) = 0;
    virtual void setLinetype(const QString &name) = 0;
    virtual QString TextString() const = 0;
    virtual void setTextString(const QString &text) = 0;
    virtual QString Handle() const = 0;
};

// Enumeration helpers ("For Each" over a collection).
std::vector<LayerPtr> layersOf(const AcadLayers &layers);
std::vector<LinetypePtr> linetypesOf(const AcadLinetypes &linetypes);
std::vector<EntityPtr> entitiesOf(const AcadSelectionSet &set);

// How the program reaches a running host: attach to one that runs, or start
// one.  Attaching fails with an AcadError when no host runs.
class AcadConnector {
public:
    virtual ~AcadConnector() = default;
    virtual ApplicationPtr GetObject() = 0;    // attach to a running host
    virtual ApplicationPtr CreateObject() = 0; // start a new host
};

} // namespace acad
