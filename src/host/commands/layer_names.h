// Layer name lists as typed on the command line: "A-WALL,A-DOOR", "A-*".
#pragma once

#include "host/dxf/drawing.h"

#include <QString>

#include <vector>

namespace host {

// The layers whose names match the list, in table order.  A plain name is
// looked up directly; a list with wildcards scans the layer table once.
std::vector<LayerId> matchLayers(const Drawing &drawing, const QString &nameList);

} // namespace host
