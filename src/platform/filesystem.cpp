#include "filesystem.h"

#include "codepage.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace platform::fs {

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool FolderExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool CreateFolder(const QString &path)
{
    if (path.isEmpty())
        return false;
    QDir().mkpath(path);
    return FolderExists(path);
}

namespace {

// Removes everything inside `dir` without following links: a link is
// removed as a link, a real folder is emptied and removed.
bool removeContents(const QString &dir)
{
    bool ok = true;
    const QFileInfoList entries = QDir(dir).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &e : entries) {
        const QString p = e.absoluteFilePath();
        if (e.isSymLink() || !e.isDir()) {
            QFile f(p);
            if (!f.remove()) {
                // A read-only file: make it writable, then try again.
                f.setPermissions(f.permissions() | QFile::WriteOwner);
                ok = f.remove() && ok;
            }
        } else {
            ok = removeContents(p) && ok;
            ok = QDir().rmdir(p) && ok;
        }
    }
    return ok;
}

} // namespace

bool DeleteFolder(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (info.isSymLink())
        return false; // never walk through a link given as the folder itself
    if (!info.isDir())
        return false;
    removeContents(info.absoluteFilePath());
    QDir().rmdir(info.absoluteFilePath());
    return !QFileInfo::exists(path);
}

bool DeleteFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (!info.isSymLink() && (!info.exists() || info.isDir()))
        return !info.exists();
    return QFile::remove(path);
}

std::optional<QString> ReadAllText(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return fromAnsi(bytes);
}

QString toCrLf(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            out.append(QLatin1String("\r\n"));
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out.append(QLatin1String("\r\n"));
        } else {
            out.append(c);
        }
    }
    return out;
}

bool WriteText(const QString &path, const QString &text)
{
    if (path.isEmpty())
        return false;
    QSaveFile f(path);
    f.setDirectWriteFallback(true);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = toAnsi(toCrLf(text));
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool AppendText(const QString &path, const QString &text)
{
    if (path.isEmpty())
        return false;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray bytes = toAnsi(toCrLf(text));
    return f.write(bytes) == bytes.size() && f.flush();
}

QString GetFileName(const QString &path)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    const qsizetype slash = p.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? p : p.mid(slash + 1);
}

QString GetParentFolder(const QString &path)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    const qsizetype slash = p.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QString();
    if (slash == 0)
        return QStringLiteral("/");
    return p.left(slash);
}

QString join(const QString &folder, const QString &name)
{
    if (folder.isEmpty())
        return name;
    if (name.isEmpty())
        return folder;
    const bool a = folder.endsWith(QLatin1Char('/'));
    const bool b = name.startsWith(QLatin1Char('/'));
    if (a && b)
        return folder + name.mid(1);
    if (a || b)
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

QString absoluteTo(const QString &base, const QString &path)
{
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    return join(base, path);
}

bool IsReadOnly(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    // The owner's write bit stands for the read-only attribute: it holds
    // even for a user (root) whom the permissions would not stop.
    return !(info.permissions() & QFile::WriteOwner) || !info.isWritable();
}

bool IsFixedDrive(const QString &path)
{
    // The storage of the nearest folder that exists.
    QString p = QFileInfo(path).absoluteFilePath();
    while (!p.isEmpty() && !QFileInfo::exists(p)) {
        const QString parent = GetParentFolder(p);
        if (parent == p)
            break;
        p = parent;
    }
    const QStorageInfo storage(p);
    if (!storage.isValid() || storage.isReadOnly())
        return false;
    const QByteArray type = storage.fileSystemType().toLower();
    static const char *const remote[] = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs",
                                         "9p", "afs", "ceph", "glusterfs"};
    for (const char *r : remote)
        if (type == r)
            return false;
    return true;
}

} // namespace platform::fs
