// One drawing open in the host: the drawing itself, where it lives on disk,
// the tab and viewport the user works in, and its named selection sets.
//
// Owned by the Host (shared_ptr); the automation objects hold weak
// references, so a call through them after the drawing was closed fails.
#pragma once

#include "host/dxf/drawing.h"

#include <QString>

#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

namespace host {

class Host;

// The objects of one named selection set, in the order they were added,
// without repeats.
struct SelectionSetData {
    QString name;
    std::vector<EntityId> items;
    std::unordered_set<EntityId> members;

    void add(EntityId id)
    {
        if (members.insert(id).second)
            items.push_back(id);
    }
    void clear()
    {
        items.clear();
        members.clear();
    }
};

class OpenDrawing {
public:
    // A drawing read from path (FullName = path) or a new one (fullName
    // empty, name as "Drawing1.dwg").
    OpenDrawing(std::unique_ptr<Drawing> drawing, QString fullName, QString name, Host *host);

    Drawing &drawing() { return *m_drawing; }
    const Drawing &drawing() const { return *m_drawing; }
    Host *host() const { return m_host; }

    QString fullName() const { return m_fullName; } // empty until saved
    QString name() const { return m_name; }         // file name, "Drawing1.dwg"
    QString path() const;                            // folder of fullName, no separator at the end
    bool isSaved() const { return !m_fullName.isEmpty(); }

    // Saves to the own file; saveAs also renames the drawing.  Throws
    // acad::AcadError on failure; the previous file stays intact.
    void save();
    void saveAs(const QString &fullName);

    // Model tab (layout 0) or a layout tab (index into Drawing::layouts()).
    int activeLayout() const { return m_activeLayout; }
    void setActiveLayout(int layout);
    // A floating viewport's model space is active (only on a layout tab).
    bool modelSpaceActive() const { return m_activeLayout != 0 && m_activeViewport != NoEntity; }
    EntityId activeViewport() const { return m_activeViewport; }
    // Activates the model space of that viewport, or paper space (NoEntity).
    void setActiveViewport(EntityId viewport);

    // Named selection sets.
    std::vector<std::shared_ptr<SelectionSetData>> &selectionSets() { return m_sets; }

    // Counts changes to objects (geometry, layer, colour, text) so that a view
    // knows when to rebuild what it draws.  Layer states are read when
    // painting and need no count.
    quint64 generation() const { return m_generation; }
    void touch();

    // Asks whoever shows the drawing to draw it again (Regen).
    void requestRedraw();

private:
    std::unique_ptr<Drawing> m_drawing;
    QString m_fullName;
    QString m_name;
    Host *m_host = nullptr;
    int m_activeLayout = 0;
    EntityId m_activeViewport = NoEntity;
    std::vector<int> m_viewportPerLayout; // last active viewport per layout
    std::vector<std::shared_ptr<SelectionSetData>> m_sets;
    quint64 m_generation = 0;
};

} // namespace host
