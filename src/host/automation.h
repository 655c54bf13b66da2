// The automation interface (acad/acad.h) implemented over the host.
//
// Every object holds a weak reference to what it stands for: a call after
// the host ended, the drawing was closed, or the layer, object or selection
// set was erased throws acad::AcadError.
#pragma once

#include "acad/acad.h"

#include <memory>

namespace host {

class Host;
class OpenDrawing;

// The application object of a running host.
acad::ApplicationPtr applicationFor(const std::shared_ptr<Host> &host);

// A document object for one open drawing.  Tools without a host window (the
// command-line tool) make an OpenDrawing of their own and use this.
acad::DocumentPtr documentFor(const std::shared_ptr<OpenDrawing> &drawing);

} // namespace host
