#include "host/automation.h"

#include "host/flatten.h"
#include "host/host.h"
#include "host/selection_filter.h"
#include "host/ui/host_window.h"
#include "host/wmf_writer.h"

#include <algorithm>

namespace host {

namespace {

using acad::AcadError;
namespace err = acad::err;

[[noreturn]] void fail(long number, const QString &description)
{
    throw AcadError(number, description);
}

std::shared_ptr<OpenDrawing> lockDrawing(const std::weak_ptr<OpenDrawing> &weak)
{
    auto d = weak.lock();
    if (!d || !d->host() || !d->host()->find(d.get())) {
        // Drawings made by tools have no host; they live while referenced.
        if (d && !d->host())
            return d;
        fail(err::NoDocument, QStringLiteral("The drawing has been closed"));
    }
    return d;
}

// ---- model space, state, linetypes ---------------------------------------

class HostModelSpace : public acad::AcadModelSpace {
public:
    explicit HostModelSpace(std::weak_ptr<OpenDrawing> d) : m_drawing(std::move(d)) {}

private:
    std::weak_ptr<OpenDrawing> m_drawing;
};

class HostState : public acad::AcadState {
public:
    explicit HostState(std::weak_ptr<Host> host) : m_host(std::move(host)) {}
    bool IsQuiescent() const override
    {
        auto h = m_host.lock();
        if (!h || !h->isRunning())
            fail(err::HostClosed, QStringLiteral("The drawing host has ended"));
        // A caller that polls without running the event loop still lets a
        // running script go on, as it would with a host of its own process.
        if (h->scriptRunning())
            h->step();
        return h->isQuiescent();
    }

private:
    std::weak_ptr<Host> m_host;
};

class HostLinetype : public acad::AcadLinetype {
public:
    explicit HostLinetype(QString name) : m_name(std::move(name)) {}
    QString Name() const override { return m_name; }

private:
    QString m_name;
};

class HostLinetypes : public acad::AcadLinetypes {
public:
    explicit HostLinetypes(std::weak_ptr<OpenDrawing> d) : m_drawing(std::move(d)) {}
    long Count() const override { return lockDrawing(m_drawing)->drawing().linetypeNames().size(); }
    acad::LinetypePtr Item(long index) const override
    {
        const QStringList names = lockDrawing(m_drawing)->drawing().linetypeNames();
        if (index < 0 || index >= names.size())
            fail(err::InvalidIndex, QStringLiteral("Invalid index"));
        return std::make_shared<HostLinetype>(names[index]);
    }

private:
    std::weak_ptr<OpenDrawing> m_drawing;
};

// ---- layers ---------------------------------------------------------------

class HostLayer : public acad::AcadLayer {
public:
    HostLayer(std::weak_ptr<OpenDrawing> d, LayerId id) : m_drawing(std::move(d)), m_id(id) {}

    LayerId id() const { return m_id; }
    std::shared_ptr<OpenDrawing> open() const
    {
        auto d = lockDrawing(m_drawing);
        if (!d->drawing().layerExists(m_id))
            fail(err::ObjectErased, QStringLiteral("Object was erased"));
        return d;
    }

    QString Name() const override { return open()->drawing().layerName(m_id); }
    void setName(const QString &name) override
    {
        auto d = open();
        d->drawing().setLayerName(m_id, name);
        d->requestRedraw();
    }
    bool LayerOn() const override { return open()->drawing().layerOn(m_id); }
    void setLayerOn(bool on) override { changeShown([&](Drawing &dr) { dr.setLayerOn(m_id, on); }); }
    bool Freeze() const override { return open()->drawing().layerFrozen(m_id); }
    void setFreeze(bool frozen) override
    {
        changeShown([&](Drawing &dr) { dr.setLayerFrozen(m_id, frozen); });
    }
    bool Lock() const override { return open()->drawing().layerLocked(m_id); }
    void setLock(bool locked) override { open()->drawing().setLayerLocked(m_id, locked); }
    bool Plottable() const override { return open()->drawing().layerPlottable(m_id); }
    void setPlottable(bool plottable) override { open()->drawing().setLayerPlottable(m_id, plottable); }
    bool ViewportDefault() const override { return open()->drawing().layerFrozenInNewViewports(m_id); }
    void setViewportDefault(bool frozen) override
    {
        open()->drawing().setLayerFrozenInNewViewports(m_id, frozen);
    }
    int Color() const override { return open()->drawing().layerColor(m_id); }
    void setColor(int color) override { changeShown([&](Drawing &dr) { dr.setLayerColor(m_id, color); }); }
    int Lineweight() const override { return open()->drawing().layerLineweight(m_id); }
    void setLineweight(int lineweight) override { open()->drawing().setLayerLineweight(m_id, lineweight); }
    QString Linetype() const override { return open()->drawing().layerLinetype(m_id); }
    void setLinetype(const QString &name) override { open()->drawing().setLayerLinetype(m_id, name); }
    QString PlotStyleName() const override { return open()->drawing().layerPlotStyleName(m_id); }
    void Delete() override
    {
        auto d = open();
        d->drawing().deleteLayer(m_id);
    }

    bool belongsTo(const OpenDrawing *d) const { return m_drawing.lock().get() == d; }

private:
    template <typename F>
    void changeShown(F &&change)
    {
        auto d = open();
        change(d->drawing());
        d->requestRedraw();
    }

    std::weak_ptr<OpenDrawing> m_drawing;
    LayerId m_id;
};

class HostLayers : public acad::AcadLayers {
public:
    explicit HostLayers(std::weak_ptr<OpenDrawing> d) : m_drawing(std::move(d)) {}
    long Count() const override { return lockDrawing(m_drawing)->drawing().layerCount(); }
    acad::LayerPtr Item(long index) const override
    {
        auto d = lockDrawing(m_drawing);
        if (index < 0 || index >= d->drawing().layerCount())
            fail(err::InvalidIndex, QStringLiteral("Invalid index"));
        return std::make_shared<HostLayer>(m_drawing, d->drawing().layerAt(static_cast<int>(index)));
    }
    acad::LayerPtr Item(const QString &name) const override
    {
        auto d = lockDrawing(m_drawing);
        const LayerId id = d->drawing().findLayer(name);
        if (id == NoLayer)
            fail(err::KeyNotFound, QStringLiteral("Key not found"));
        return std::make_shared<HostLayer>(m_drawing, id);
    }
    acad::LayerPtr Add(const QString &name) override
    {
        auto d = lockDrawing(m_drawing);
        return std::make_shared<HostLayer>(m_drawing, d->drawing().addLayer(name));
    }

private:
    std::weak_ptr<OpenDrawing> m_drawing;
};

// ---- entities -------------------------------------------------------------

class HostEntity : public acad::AcadEntity {
public:
    HostEntity(std::weak_ptr<OpenDrawing> d, EntityId id) : m_drawing(std::move(d)), m_id(id) {}

    EntityId id() const { return m_id; }
    std::shared_ptr<OpenDrawing> open() const
    {
        auto d = lockDrawing(m_drawing);
        if (!d->drawing().entityExists(m_id))
            fail(err::ObjectErased, QStringLiteral("Object was erased"));
        return d;
    }
    bool belongsTo(const OpenDrawing *d) const { return m_drawing.lock().get() == d; }

    void setLayer(const QString &name) override
    {
        auto d = open();
        d->drawing().setEntityLayer(m_id, name);
        d->touch();
    }
    void setColor(int color) override
    {
        auto d = open();
        d->drawing().setEntityColor(m_id, color);
        d->touch();
    }
    void setLinetype(const QString &name) override
    {
        auto d = open();
        d->drawing().setEntityLinetype(m_id, name);
        d->touch();
    }
    QString TextString() const override
    {
        auto d = open();
        if (!d->drawing().hasText(m_id))
            fail(err::NotSupported, QStringLiteral("Object doesn't support this property or method"));
        return d->drawing().entityText(m_id);
    }
    void setTextString(const QString &text) override
    {
        auto d = open();
        if (!d->drawing().hasText(m_id))
            fail(err::NotSupported, QStringLiteral("Object doesn't support this property or method"));
        d->drawing().setEntityText(m_id, text);
        d->touch();
    }
    QString Handle() const override { return open()->drawing().entityHandle(m_id); }

private:
    std::weak_ptr<OpenDrawing> m_drawing;
    EntityId m_id;
};

// ---- selection sets -------------------------------------------------------

class HostSelectionSet : public acad::AcadSelectionSet {
public:
    HostSelectionSet(std::weak_ptr<OpenDrawing> d, std::weak_ptr<SelectionSetData> set)
        : m_drawing(std::move(d)), m_set(std::move(set))
    {
    }

    QString Name() const override { return data().second->name; }

    void Select(int mode, const acad::FilterTypes &types, const acad::FilterData &values) override
    {
        auto [d, set] = data();
        if (mode != 5)
            fail(err::InvalidInput, QStringLiteral("Invalid input: selection mode %1 needs points").arg(mode));
        const SelectionFilter filter(types, values);
        for (EntityId e : filter.selectAll(d->drawing()))
            set->add(e);
    }

    void SelectOnScreen(const acad::FilterTypes &types, const acad::FilterData &values) override
    {
        auto [d, set] = data();
        const SelectionFilter filter(types, values);
        Host *host = d->host();
        if (!host)
            fail(err::InvalidInput, QStringLiteral("No window to pick in"));
        const PickAnswer answer = host->pick(*d);
        if (answer.cancelled)
            return;
        if (!m_set.lock() || !host->find(d.get()))
            return; // closed or deleted while the user picked
        const Drawing &drawing = d->drawing();
        for (const QString &handle : answer.handles) {
            const EntityId e = drawing.findEntity(handle);
            if (e != NoEntity && drawing.isTopLevel(e) && filter.matches(drawing, e))
                set->add(e);
        }
    }

    void AddItems(const std::vector<acad::EntityPtr> &items) override
    {
        auto [d, set] = data();
        std::vector<EntityId> ids;
        ids.reserve(items.size());
        for (const auto &item : items) {
            auto *entity = dynamic_cast<HostEntity *>(item.get());
            if (!entity || !entity->belongsTo(d.get()))
                fail(err::InvalidInput, QStringLiteral("Invalid input: object of another drawing"));
            entity->open(); // erased objects fail
            ids.push_back(entity->id());
        }
        for (EntityId e : ids)
            set->add(e);
    }

    void Clear() override { data().second->clear(); }
    long Count() const override { return static_cast<long>(data().second->items.size()); }

    acad::EntityPtr Item(long index) const override
    {
        auto [d, set] = data();
        if (index < 0 || index >= static_cast<long>(set->items.size()))
            fail(err::InvalidIndex, QStringLiteral("Invalid index"));
        return std::make_shared<HostEntity>(m_drawing, set->items[static_cast<size_t>(index)]);
    }

    void Delete() override
    {
        auto [d, set] = data();
        auto &sets = d->selectionSets();
        sets.erase(std::remove(sets.begin(), sets.end(), set), sets.end());
    }

    std::shared_ptr<SelectionSetData> setData() const { return data().second; }

private:
    std::pair<std::shared_ptr<OpenDrawing>, std::shared_ptr<SelectionSetData>> data() const
    {
        auto d = lockDrawing(m_drawing);
        auto set = m_set.lock();
        if (!set)
            fail(err::ObjectErased, QStringLiteral("Object was erased"));
        return {d, set};
    }

    std::weak_ptr<OpenDrawing> m_drawing;
    std::weak_ptr<SelectionSetData> m_set;
};

class HostSelectionSets : public acad::AcadSelectionSets {
public:
    explicit HostSelectionSets(std::weak_ptr<OpenDrawing> d) : m_drawing(std::move(d)) {}

    long Count() const override
    {
        return static_cast<long>(lockDrawing(m_drawing)->selectionSets().size());
    }
    acad::SelectionSetPtr Item(long index) const override
    {
        auto d = lockDrawing(m_drawing);
        auto &sets = d->selectionSets();
        if (index < 0 || index >= static_cast<long>(sets.size()))
            fail(err::InvalidIndex, QStringLiteral("Invalid index"));
        return std::make_shared<HostSelectionSet>(m_drawing, sets[static_cast<size_t>(index)]);
    }
    acad::SelectionSetPtr Item(const QString &name) const override
    {
        auto d = lockDrawing(m_drawing);
        for (const auto &set : d->selectionSets())
            if (set->name.compare(name, Qt::CaseInsensitive) == 0)
                return std::make_shared<HostSelectionSet>(m_drawing, set);
        fail(err::KeyNotFound, QStringLiteral("Key not found"));
    }
    acad::SelectionSetPtr Add(const QString &name) override
    {
        auto d = lockDrawing(m_drawing);
        if (name.trimmed().isEmpty())
            fail(err::InvalidInput, QStringLiteral("Invalid input: empty name"));
        for (const auto &set : d->selectionSets())
            if (set->name.compare(name, Qt::CaseInsensitive) == 0)
                fail(err::DuplicateKey, QStringLiteral("Duplicate record name"));
        auto set = std::make_shared<SelectionSetData>();
        set->name = name;
        d->selectionSets().push_back(set);
        return std::make_shared<HostSelectionSet>(m_drawing, set);
    }

private:
    std::weak_ptr<OpenDrawing> m_drawing;
};

// ---- document -------------------------------------------------------------

class HostDocument : public acad::AcadDocument {
public:
    explicit HostDocument(std::weak_ptr<OpenDrawing> d) : m_drawing(std::move(d)) {}

    QString FullName() const override { return lockDrawing(m_drawing)->fullName(); }
    QString Name() const override { return lockDrawing(m_drawing)->name(); }
    QString Path() const override { return lockDrawing(m_drawing)->path(); }
    acad::ModelSpacePtr ModelSpace() const override
    {
        lockDrawing(m_drawing);
        return std::make_shared<HostModelSpace>(m_drawing);
    }
    acad::LayersPtr Layers() const override
    {
        lockDrawing(m_drawing);
        return std::make_shared<HostLayers>(m_drawing);
    }
    acad::LinetypesPtr Linetypes() const override
    {
        lockDrawing(m_drawing);
        return std::make_shared<HostLinetypes>(m_drawing);
    }
    acad::LayerPtr ActiveLayer() const override
    {
        auto d = lockDrawing(m_drawing);
        return std::make_shared<HostLayer>(m_drawing, d->drawing().currentLayer());
    }
    void setActiveLayer(const acad::LayerPtr &layer) override
    {
        auto d = lockDrawing(m_drawing);
        auto *hostLayer = dynamic_cast<HostLayer *>(layer.get());
        if (!hostLayer || !hostLayer->belongsTo(d.get()))
            fail(err::InvalidInput, QStringLiteral("Invalid input: layer of another drawing"));
        hostLayer->open();
        d->drawing().setCurrentLayer(hostLayer->id());
    }
    int ActiveSpace() const override { return lockDrawing(m_drawing)->activeLayout() == 0 ? 1 : 0; }
    bool MSpace() const override { return lockDrawing(m_drawing)->modelSpaceActive(); }
    void Regen(int) override
    {
        auto d = lockDrawing(m_drawing);
        d->touch();
        d->requestRedraw();
    }
    acad::SelectionSetsPtr SelectionSets() const override
    {
        lockDrawing(m_drawing);
        return std::make_shared<HostSelectionSets>(m_drawing);
    }
    acad::EntityPtr HandleToObject(const QString &handle) const override
    {
        auto d = lockDrawing(m_drawing);
        const EntityId e = d->drawing().findEntity(handle.trimmed());
        if (e == NoEntity)
            fail(err::InvalidInput, QStringLiteral("Unknown handle"));
        return std::make_shared<HostEntity>(m_drawing, e);
    }
    void Export(const QString &fileName, const QString &extension,
                const acad::SelectionSetPtr &selectionSet) override
    {
        auto d = lockDrawing(m_drawing);
        if (extension.compare(QLatin1String("WMF"), Qt::CaseInsensitive) != 0)
            fail(err::InvalidInput, QStringLiteral("Invalid input: export type %1").arg(extension));
        auto *set = dynamic_cast<HostSelectionSet *>(selectionSet.get());
        std::vector<EntityId> entities;
        if (set)
            entities = set->setData()->items;
        else if (selectionSet)
            fail(err::InvalidInput, QStringLiteral("Invalid input: selection set of another host"));
        const Primitives primitives = visiblePrimitives(d->drawing(), entities);
        QString error;
        const QString target = fileName + QStringLiteral(".wmf");
        if (!writePlaceableWmf(target, primitives, &error))
            fail(err::FileError, QStringLiteral("File error: %1: %2").arg(target, error));
    }

private:
    std::weak_ptr<OpenDrawing> m_drawing;
};

// ---- application ----------------------------------------------------------

class HostApplication : public acad::AcadApplication {
public:
    explicit HostApplication(std::weak_ptr<Host> host) : m_host(std::move(host)) {}

    QString Caption() const override
    {
        Host &h = host();
        if (h.window())
            return h.window()->windowTitle();
        return h.caption();
    }
    void setWindowState(int state) override
    {
        if (state < 1 || state > 3)
            fail(err::InvalidInput, QStringLiteral("Invalid input: window state %1").arg(state));
        if (HostWindow *w = host().window())
            w->setWindowStateCode(state);
    }
    void setWidth(int pixels) override { withWindow([&](HostWindow &w) { w.setOuterWidth(pixels); }); }
    void setHeight(int pixels) override { withWindow([&](HostWindow &w) { w.setOuterHeight(pixels); }); }
    void setWindowTop(int pixels) override { withWindow([&](HostWindow &w) { w.setOuterTop(pixels); }); }
    void setWindowLeft(int pixels) override { withWindow([&](HostWindow &w) { w.setOuterLeft(pixels); }); }
    void setVisible(bool visible) override { withWindow([&](HostWindow &w) { w.setVisible(visible); }); }
    acad::DocumentPtr ActiveDocument() const override
    {
        auto d = host().activeDrawing();
        if (!d)
            fail(err::NoDocument, QStringLiteral("No document is open"));
        return std::make_shared<HostDocument>(d);
    }
    void Update() override
    {
        if (HostWindow *w = host().window())
            w->refresh();
    }
    acad::StatePtr GetAcadState() const override
    {
        host();
        return std::make_shared<HostState>(m_host);
    }

private:
    Host &host() const
    {
        auto h = m_host.lock();
        if (!h || !h->isRunning())
            fail(err::HostClosed, QStringLiteral("The drawing host has ended"));
        return *h;
    }
    template <typename F>
    void withWindow(F &&f)
    {
        if (HostWindow *w = host().window())
            f(*w);
    }

    std::weak_ptr<Host> m_host;
};

} // namespace

acad::ApplicationPtr applicationFor(const std::shared_ptr<Host> &host)
{
    return std::make_shared<HostApplication>(host);
}

acad::DocumentPtr documentFor(const std::shared_ptr<OpenDrawing> &drawing)
{
    return std::make_shared<HostDocument>(drawing);
}

} // namespace host
