// Reads of the drawing that must give an object: a missing one is the
// runtime's "object not set" error, which the callers' error boxes report.
#pragma once

#include "acad/acad.h"

namespace app {
class Program;
}

namespace lists {

// The runtime's error 91 for a missing object.
acad::AcadError objectNotSet();

acad::LayersPtr layersOf(const acad::DocumentPtr &doc);
acad::LayerPtr layerNamed(const acad::LayersPtr &layers, const QString &name);
acad::LayerPtr activeLayer(const acad::DocumentPtr &doc);

// Work on the current viewport needs a floating viewport's model space: with
// the model tab or paper space active, tells the user so and gives false.
bool pu_fun_bViewportModelSpaceActive(app::Program &p, const acad::DocumentPtr &doc);

} // namespace lists
