// Writes primitives as a placeable Windows metafile (the 22-byte Aldus header
// followed by a standard 16-bit metafile).  The picture is scaled so that its
// longer side is 10,000 logical units at 1,440 units per inch.
#pragma once

#include "host/primitives.h"

#include <QByteArray>
#include <QString>

namespace host {

QByteArray placeableWmf(const Primitives &primitives);

// Writes the metafile to path through a temporary file; on failure returns
// false with a reason in *error and leaves no half-written file.
bool writePlaceableWmf(const QString &path, const Primitives &primitives, QString *error);

} // namespace host
