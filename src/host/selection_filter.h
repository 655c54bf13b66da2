// Selection filters of the CAD application's automation: parallel arrays of
// group codes and values, every condition must hold.  The codes understood:
//   0  object type name (the DXF type, "LINE", "TEXT"), wildcards allowed
//   8  layer name, wildcards allowed
//   6  linetype name ("BYLAYER" when the object has none), wildcards allowed
//   62 colour number (256 by layer, 0 by block)
//   67 space (0 model, 1 paper)
// Names are compared ignoring letter case.
#pragma once

#include "acad/acad.h"
#include "host/dxf/drawing.h"
#include "host/wildcard.h"

#include <optional>
#include <vector>

namespace host {

class SelectionFilter {
public:
    // Throws acad::AcadError (InvalidInput) for arrays of different lengths,
    // an unknown code or a value of the wrong kind.
    SelectionFilter(const acad::FilterTypes &types, const acad::FilterData &data);

    bool matches(const Drawing &drawing, EntityId entity) const;

    // The top-level objects that pass, in file order.  A plain layer name
    // costs the objects on that layer only.
    std::vector<EntityId> selectAll(const Drawing &drawing) const;

private:
    struct Condition {
        int code = 0;
        WildcardPattern pattern; // 0, 6, 8
        int number = 0;          // 62, 67
    };
    std::vector<Condition> m_conditions;
    std::optional<QString> m_plainLayer;
};

} // namespace host
