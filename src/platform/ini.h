// Initialisation-file functions with the semantics of the Windows profile
// functions in their single-byte form, so that a file written by the Windows
// program reads and writes the same here.
//
// Reading:
// - Section and key names compare case-insensitively; the first section of a
//   name is the only one searched, and its first matching key wins.
// - Section names are taken between "[" and the last "]" of the line, key
//   names before the first "="; names and values are trimmed of blanks
//   (space, tab).  A value enclosed in a matching pair of ' or " loses them.
// - Lines without "=" are no keys; lines before the first section belong to
//   no section.  Line ends may be CR LF or LF.
// - A string is delivered as into a buffer of `bufferSize` bytes of the code
//   page: at most bufferSize - 1 bytes, never half a double-byte character.
// - The default, when the key is missing, loses its trailing spaces and is
//   cut the same way.
// - Section headers are "[" ... "]" (the last "]" of the line); a line that
//   starts with "[" but has no "]" is no header.
// - Integers: leading blanks, an optional sign, an optional base prefix
//   "0x" (hex), "0o" (octal) or "0b" (binary), lower case only, then digits
//   of that base up to the first other character: "12abc" is 12, "0x1F" is
//   31, "0X1F" is 0, "abc" is 0.  The value wraps modulo 2^32 ("4294967297"
//   is 1, "-1" is -1).  A missing key or an empty value gives the default.
//   This is the Windows function's parsing (base 0 of its integer
//   conversion).
//
// Writing:
// - Every other byte of the file stays as it was: lines, comments, blank
//   lines, order, the line ends already in the file.
// - The first matching key of the first matching section gets the new value
//   (its line becomes the key as spelt in the file, "=", the value); a
//   missing key is added after the last non-blank line of its section; a
//   missing section is added at the end of the file.  New lines end in CR LF.
// - Files are in the ANSI code page (codepage.h); a missing file is created.
// - A section, key or value containing a line break or NUL is refused
//   (returns false, file untouched): written raw it would forge other lines.
// - A file we may not write is left untouched and the call returns false.
#pragma once

#include <QString>

namespace platform {

constexpr int kProfileBufferSize = 255;

QString GetPrivateProfileString(const QString &section, const QString &key,
                                const QString &defaultValue, const QString &path,
                                int bufferSize = kProfileBufferSize);

int GetPrivateProfileInt(const QString &section, const QString &key, int defaultValue,
                         const QString &path);

bool WritePrivateProfileString(const QString &section, const QString &key,
                               const QString &value, const QString &path);

// Parses an integer the way GetPrivateProfileInt does (no default handling).
int parseProfileInt(QStringView text);

} // namespace platform
