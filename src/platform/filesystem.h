// File-system helpers.  Paths use "/" as separator.  Text files are read and
// written in the ANSI code page (codepage.h).
#pragma once

#include <QString>

#include <optional>

namespace platform::fs {

bool FileExists(const QString &path);   // a file (not a folder) is there
bool FolderExists(const QString &path); // a folder is there

// Creates the folder (and missing parents).  True when it exists afterwards.
bool CreateFolder(const QString &path);

// Deletes the folder with everything in it.  Symbolic links inside it are
// removed as links; what they point to is never touched.  A path that is
// itself a symbolic link is refused.  True when the folder is gone.
bool DeleteFolder(const QString &path);

// Deletes one file (or one symbolic link).  True when it is gone.
bool DeleteFile(const QString &path);

// The whole file decoded from the ANSI code page, or nothing when the file
// cannot be read.  Line ends are kept as they are in the file.
std::optional<QString> ReadAllText(const QString &path);

// Replaces the file with the text encoded in the ANSI code page.  Every line
// break of the text (LF, CR LF, lone CR) is written as CR LF.  True on
// success.  The file is written under a temporary name and renamed, so a
// failed write leaves the old contents.
bool WriteText(const QString &path, const QString &text);

// As WriteText, but appends to the file (creating it when missing).
bool AppendText(const QString &path, const QString &text);

// The CR LF form of a text: LF and lone CR become CR LF.
QString toCrLf(const QString &text);

QString GetFileName(const QString &path);     // "a/b/c.txt" -> "c.txt"
QString GetParentFolder(const QString &path); // "a/b/c.txt" -> "a/b"; "" for a bare name

// Joins a folder and a name with exactly one "/".
QString join(const QString &folder, const QString &name);

// The path made absolute against `base` when it is relative.
QString absoluteTo(const QString &base, const QString &path);

// A file that exists and that we may not write (the read-only attribute of
// the Windows program).
bool IsReadOnly(const QString &path);

// A local, writable file system: the "fixed disk" of the Windows program.
// Network file systems and read-only mounts are not.
bool IsFixedDrive(const QString &path);

} // namespace platform::fs
