// Reduces the objects of a drawing to flat primitives (primitives.h): block
// references are expanded with their transformation, polyline arcs and
// transformed circles become point lists, texts get their base-line start.
#pragma once

#include "host/dxf/drawing.h"
#include "host/primitives.h"

#include <QTransform>

#include <vector>

namespace host {

// One primitive with what decides its colour and visibility when drawn.
struct DrawItem {
    EntityId entity = NoEntity; // the top-level object it belongs to
    LayerId layer = NoLayer;    // the layer it is drawn on (layer "0" in a
                                // block takes the reference's layer)
    LayerId topLayer = NoLayer; // the top-level object's layer
    int color = 256;            // 1..255, or 256: the colour of `layer`
    Primitive primitive;        // primitive.color is not set here
};

// Appends the primitives of one top-level object.
void flattenEntity(const Drawing &drawing, EntityId entity, std::vector<DrawItem> &out);

// The text of a TEXT or MTEXT value without its formatting codes; lines of
// MTEXT separated by '\n'.
QString plainText(const QString &text, bool mtext);

// True when the layer is drawn: on and thawed.
bool layerVisible(const Drawing &drawing, LayerId layer);

// The RGB a draw item is painted in (colour 256 resolved by its layer).
QRgb itemColor(const Drawing &drawing, const DrawItem &item);

// Primitives of the objects, each in its effective colour, leaving out those
// on layers that are off or frozen (as the CAD application exports them).
Primitives visiblePrimitives(const Drawing &drawing, const std::vector<EntityId> &entities);

} // namespace host
