#include "host/commands/layer_names.h"

#include "host/wildcard.h"

namespace host {

std::vector<LayerId> matchLayers(const Drawing &drawing, const QString &nameList)
{
    std::vector<LayerId> out;
    const QString list = nameList.trimmed();
    if (list.isEmpty())
        return out;
    const WildcardPattern pattern(list);
    if (pattern.isPlainName()) {
        const LayerId id = drawing.findLayer(pattern.plainName());
        if (id != NoLayer)
            out.push_back(id);
        return out;
    }
    const int n = drawing.layerCount();
    for (int i = 0; i < n; ++i) {
        const LayerId id = drawing.layerAt(i);
        if (pattern.matches(drawing.layerName(id)))
            out.push_back(id);
    }
    return out;
}

namespace {

// The drawing model gains per-viewport freezing in its own time; until it
// has it this compiles to "cannot".
// TODO(drawing model): Drawing::setViewportLayerFrozen(EntityId viewport,
// LayerId layer, bool frozen) writing 331 (R2000+) / 1003 xdata (R12).
template <typename D>
bool setFrozenIn(D &drawing, EntityId viewport, LayerId layer, bool frozen)
{
    if constexpr (requires { drawing.setViewportLayerFrozen(viewport, layer, frozen); }) {
        drawing.setViewportLayerFrozen(viewport, layer, frozen);
        return true;
    } else {
        (void)drawing;
        (void)viewport;
        (void)layer;
        (void)frozen;
        return false;
    }
}

} // namespace

bool setViewportLayerFrozen(Drawing &drawing, EntityId viewport, LayerId layer, bool frozen)
{
    return setFrozenIn(drawing, viewport, layer, frozen);
}

} // namespace host
