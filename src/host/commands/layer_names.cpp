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

} // namespace host
