// The drawing the host starts from when it opens no file ("Drawing1").
#pragma once

#include <QByteArray>

namespace host::dxf {

// An empty R2000 ASCII drawing: layer "0", linetypes ByBlock, ByLayer and
// Continuous, text style and dimension style Standard, model space and one
// layout "Layout1" with its paper-space viewport.
QByteArray newDrawingBytes();

} // namespace host::dxf
