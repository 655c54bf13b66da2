// The system ANSI code page of the target machines: Windows code page 932
// (Shift-JIS with the Windows extensions).  Every text file the program
// reads or writes (settings, templates, scripts, header and footer, CSV)
// goes through this pair, so files written on those machines read unchanged.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace platform {

// Unicode to CP932.  A character the code page cannot hold becomes "?", as
// the Windows conversion writes it (one "?" per character, surrogate pairs
// included).
QByteArray toAnsi(QStringView text);

// CP932 to Unicode.  A double-byte code the code page does not assign, and a
// lead byte without its trail byte, become U+30FB ("・"), the code page's
// default character.
QString fromAnsi(QByteArrayView bytes);

// True when every character of the text survives toAnsi/fromAnsi.
bool isAnsiRepresentable(QStringView text);

} // namespace platform
