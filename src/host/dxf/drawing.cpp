// The drawing model: layers, entities, layouts over the lossless records.
#include "host/dxf/drawing_impl.h"
#include "host/dxf/new_drawing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace host {

using namespace dxf;

// ---- errors ----------------------------------------------------------------

DxfError::DxfError(QString file, qint64 line, QString message)
    : acad::AcadError(acad::err::FileError,
                      line > 0 ? QStringLiteral("%1: line %2: %3").arg(file).arg(line).arg(message)
                               : QStringLiteral("%1: %2").arg(file, message)),
      m_file(std::move(file)), m_line(line), m_message(std::move(message))
{
}

namespace {

[[noreturn]] void raise(long number)
{
    using namespace acad::err;
    const char *text = "Invalid input";
    switch (number) {
    case KeyNotFound: text = "Key not found"; break;
    case DuplicateKey: text = "Duplicate record name"; break;
    case InvalidInput: text = "Invalid input"; break;
    case ObjectErased: text = "Object was erased"; break;
    case LockedOrInUse: text = "Object is referenced"; break;
    case InvalidLayer: text = "Invalid layer"; break;
    case InvalidIndex: text = "Invalid index"; break;
    case FileError: text = "File error"; break;
    default: break;
    }
    throw acad::AcadError(number, QString::fromLatin1(text));
}

bool ieq(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[i]);
        if (std::toupper(x) != std::toupper(y))
            return false;
    }
    return true;
}

// Index of the first group with code, outside 102 groups and before xdata.
int findMain(const std::vector<Group> &gs, std::string_view bytes, Format fmt, int code,
             int from = 1, int to = -1)
{
    bool in102 = false;
    const int end = to < 0 ? int(gs.size()) : to;
    for (int i = from; i < end; ++i) {
        const Group &g = gs[size_t(i)];
        if (g.code >= 1000)
            return -1;
        if (g.code == 102) {
            const std::string_view v = trimmed(stringValue(bytes, g, fmt));
            in102 = !v.empty() && v.front() == '{';
            continue;
        }
        if (!in102 && g.code == code)
            return i;
    }
    return -1;
}

// One past the last group with any of codes (outside 102 groups, before
// xdata); fallback when none.
int afterLast(const std::vector<Group> &gs, std::string_view bytes, Format fmt,
              std::initializer_list<int> codes, int fallback, int from = 1, int to = -1)
{
    int pos = -1;
    bool in102 = false;
    const int end = to < 0 ? int(gs.size()) : to;
    for (int i = from; i < end; ++i) {
        const Group &g = gs[size_t(i)];
        if (g.code >= 1000)
            break;
        if (g.code == 102) {
            const std::string_view v = trimmed(stringValue(bytes, g, fmt));
            in102 = !v.empty() && v.front() == '{';
            continue;
        }
        if (!in102 && std::find(codes.begin(), codes.end(), g.code) != codes.end())
            pos = i + 1;
    }
    return pos < 0 ? fallback : pos;
}

// The range of the common entity groups (8, 6, 62, ...): the AcDbEntity
// subclass, or before the first subclass marker (R12: the whole record).
std::pair<int, int> commonRange(const std::vector<Group> &gs, std::string_view bytes, Format fmt)
{
    int a = -1;
    int firstMarker = -1;
    int xdata = int(gs.size());
    for (int i = 1; i < int(gs.size()); ++i) {
        const Group &g = gs[size_t(i)];
        if (g.code >= 1000) {
            xdata = i;
            break;
        }
        if (g.code == 100) {
            if (firstMarker < 0)
                firstMarker = i;
            if (a < 0 && trimmed(stringValue(bytes, g, fmt)) == "AcDbEntity")
                a = i;
        }
    }
    if (a >= 0) {
        int end = xdata;
        for (int i = a + 1; i < xdata; ++i)
            if (gs[size_t(i)].code == 100) {
                end = i;
                break;
            }
        return {a + 1, end};
    }
    return {1, firstMarker >= 0 ? firstMarker : xdata};
}

bool isTextType(std::string_view type)
{
    return ieq(type, "TEXT") || ieq(type, "MTEXT") || ieq(type, "ATTRIB") || ieq(type, "ATTDEF");
}

} // namespace

// ---- Impl helpers ----------------------------------------------------------

AsciiStyle Drawing::Impl::styleOf(std::int32_t r) const
{
    AsciiStyle s = style;
    if (fmt != Format::Ascii)
        return s;
    const std::string_view b = recBytes(r);
    const size_t nl = b.find('\n');
    if (nl != std::string_view::npos) {
        s.crlf = nl > 0 && b[nl - 1] == '\r';
        s.padCodes = !b.empty() && b[0] == ' ';
    }
    return s;
}

RecordEditor Drawing::Impl::editor(std::int32_t r) const
{
    return RecordEditor(std::string(recBytes(r)), fmt, styleOf(r));
}

void Drawing::Impl::commit(std::int32_t r, RecordEditor &ed)
{
    Rec &x = recs[size_t(r)];
    if (x.edit < 0) {
        x.edit = std::int32_t(edits.size());
        edits.push_back(ed.takeBytes());
    } else {
        edits[size_t(x.edit)] = ed.takeBytes();
    }
    dirty = true;
}

std::int32_t Drawing::Impl::appendRecord(std::string bytes, RecKind kind)
{
    Rec x;
    x.kind = kind;
    x.inserted = true;
    x.edit = std::int32_t(edits.size());
    edits.push_back(std::move(bytes));
    recs.push_back(x);
    return std::int32_t(recs.size() - 1);
}

const Slot &Drawing::Impl::slot(LayerId id) const
{
    if (id < 0 || size_t(id) >= layerSlots.size())
        raise(acad::err::KeyNotFound);
    const Slot &s = layerSlots[size_t(id)];
    if (s.erased || s.rec < 0)
        raise(s.erased ? acad::err::ObjectErased : acad::err::KeyNotFound);
    return s;
}

Slot &Drawing::Impl::slot(LayerId id)
{
    return const_cast<Slot &>(std::as_const(*this).slot(id));
}

const Ent &Drawing::Impl::ent(EntityId id) const
{
    if (id < 0 || size_t(id) >= ents.size())
        raise(acad::err::KeyNotFound);
    return ents[size_t(id)];
}

LayerId Drawing::Impl::slotForRaw(std::string_view raw,
                                  std::unordered_map<std::string, LayerId> *cache)
{
    std::string key(raw);
    if (cache) {
        auto it = cache->find(key);
        if (it != cache->end())
            return it->second;
    }
    const LayerId id = slotForName(decode(raw), true);
    if (cache)
        cache->emplace(std::move(key), id);
    return id;
}

LayerId Drawing::Impl::slotForName(const QString &name, bool createOrphan)
{
    const QString folded = name.toCaseFolded();
    auto it = byFolded.find(folded);
    if (it != byFolded.end())
        return it->second;
    if (!createOrphan)
        return NoLayer;
    const LayerId id = LayerId(layerSlots.size());
    Slot s;
    s.name = name;
    s.folded = folded;
    layerSlots.push_back(std::move(s));
    byFolded.emplace(folded, id);
    return id;
}

void Drawing::Impl::readLayerRecord(LayerId id)
{
    Slot &s = layerSlots[size_t(id)];
    const std::string_view b = recBytes(s.rec);
    std::vector<Group> gs;
    scanGroups(b, fmt, gs);
    s.flags = 0;
    s.color = 7;
    s.linetype = QStringLiteral("Continuous");
    s.lineweight = -3;
    s.plot = true;
    s.plotStyle = 0;
    s.handle = 0;
    auto at = [&](int code) { return findMain(gs, b, fmt, code); };
    int i;
    if ((i = at(2)) >= 0)
        s.name = decode(stringValue(b, gs[size_t(i)], fmt));
    s.folded = s.name.toCaseFolded();
    if ((i = at(70)) >= 0)
        s.flags = int(intValue(b, gs[size_t(i)], fmt).value_or(0));
    if ((i = at(62)) >= 0)
        s.color = int(intValue(b, gs[size_t(i)], fmt).value_or(7));
    if ((i = at(6)) >= 0)
        s.linetype = decode(stringValue(b, gs[size_t(i)], fmt));
    if ((i = at(370)) >= 0)
        s.lineweight = int(intValue(b, gs[size_t(i)], fmt).value_or(-3));
    if ((i = at(290)) >= 0)
        s.plot = intValue(b, gs[size_t(i)], fmt).value_or(1) != 0;
    else if (!isR2000Plus() && s.folded == QLatin1String("defpoints"))
        s.plot = false; // never plotted, though these versions cannot say so
    if ((i = at(390)) >= 0)
        s.plotStyle = parseHandle(stringValue(b, gs[size_t(i)], fmt)).value_or(0);
    if ((i = at(5)) >= 0)
        s.handle = parseHandle(stringValue(b, gs[size_t(i)], fmt)).value_or(0);
}

void Drawing::Impl::linkRef(EntityId e, LayerId layer)
{
    Ent &x = ents[size_t(e)];
    x.layer = layer;
    if (layer == NoLayer)
        return;
    auto &refs = layerSlots[size_t(layer)].refs;
    x.pos = std::int32_t(refs.size());
    refs.push_back(e);
}

void Drawing::Impl::unlinkRef(EntityId e)
{
    Ent &x = ents[size_t(e)];
    if (x.layer == NoLayer)
        return;
    auto &refs = layerSlots[size_t(x.layer)].refs;
    const EntityId last = refs.back();
    refs[size_t(x.pos)] = last;
    ents[size_t(last)].pos = x.pos;
    refs.pop_back();
    x.layer = NoLayer;
    x.pos = -1;
}

std::uint64_t Drawing::Impl::newHandle()
{
    handseedChanged = true;
    return nextHandle++;
}

// ---- load, create, save ----------------------------------------------------

Drawing::Drawing() : d(std::make_unique<Impl>()) {}
Drawing::~Drawing() = default;

std::unique_ptr<Drawing> Drawing::load(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw DxfError(path, 0, QStringLiteral("cannot open the file: %1").arg(f.errorString()));
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw DxfError(path, 0, QStringLiteral("cannot read the file: %1").arg(f.errorString()));
    return fromBytes(bytes, path);
}

std::unique_ptr<Drawing> Drawing::fromBytes(const QByteArray &bytes, const QString &fileName)
{
    std::unique_ptr<Drawing> dwg(new Drawing());
    dwg->d->src = bytes;
    dwg->d->parse(fileName.isEmpty() ? QStringLiteral("(drawing)") : fileName);
    return dwg;
}

QByteArray Drawing::newDrawingTemplate()
{
    return dxf::newDrawingBytes();
}

std::unique_ptr<Drawing> Drawing::createNew()
{
    return fromBytes(newDrawingTemplate(), QStringLiteral("Drawing1.dwg"));
}

QByteArray Drawing::toBytes() const
{
    QByteArray out;
    out.reserve(d->src.size() + 4096);
    d->writeTo([&](std::string_view s) { out.append(s.data(), qsizetype(s.size())); });
    return out;
}

namespace {

[[noreturn]] void saveError(const QString &path, const QString &why)
{
    throw acad::AcadError(acad::err::FileError,
                          QStringLiteral("Cannot save %1: %2").arg(path, why));
}

QString errnoText(int e)
{
    return QString::fromLocal8Bit(std::strerror(e));
}

bool writeAll(int fd, const char *p, size_t n)
{
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += w;
        n -= size_t(w);
    }
    return true;
}

} // namespace

void Drawing::save(const QString &path)
{
    const QFileInfo info(path);
    const QString target = info.absoluteFilePath();
    const QByteArray targetPath = QFile::encodeName(target);
    QByteArray tmpl = QFile::encodeName(target + QStringLiteral(".saving-XXXXXX"));
    // A write-protected file is not replaced.
    if (QFileInfo::exists(target) && !QFileInfo(target).isWritable())
        saveError(path, QStringLiteral("the file is read-only"));
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        saveError(path, errnoText(errno));
    const QByteArray tmpPath = tmpl;
    auto abandon = [&](const QString &why) {
        ::close(fd);
        ::unlink(tmpPath.constData());
        saveError(path, why);
    };
    // Same permissions as the file it replaces (else the usual 0666 - umask).
    struct stat st {};
    if (::stat(targetPath.constData(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    std::string buffer;
    buffer.reserve(1 << 20);
    bool ok = true;
    int err = 0;
    d->writeTo([&](std::string_view s) {
        if (!ok)
            return;
        if (buffer.size() + s.size() > (1u << 20)) {
            if (!writeAll(fd, buffer.data(), buffer.size())) {
                ok = false;
                err = errno;
                return;
            }
            buffer.clear();
        }
        if (s.size() > (1u << 20)) {
            if (!writeAll(fd, s.data(), s.size())) {
                ok = false;
                err = errno;
            }
            return;
        }
        buffer.append(s);
    });
    if (ok && !writeAll(fd, buffer.data(), buffer.size())) {
        ok = false;
        err = errno;
    }
    if (!ok)
        abandon(errnoText(err));
    if (::fsync(fd) != 0)
        abandon(errnoText(errno));
    if (::close(fd) != 0) {
        const int e = errno;
        ::unlink(tmpPath.constData());
        saveError(path, errnoText(e));
    }
    // The file it replaces stays as .bak.
    if (QFileInfo::exists(target)) {
        const QByteArray bak = QFile::encodeName(target + QStringLiteral(".bak"));
        const QByteArray bakTmp = QFile::encodeName(target + QStringLiteral(".bak.saving"));
        ::unlink(bakTmp.constData());
        bool made = ::link(targetPath.constData(), bakTmp.constData()) == 0;
        if (!made)
            made = QFile::copy(target, QFile::decodeName(bakTmp));
        if (!made || ::rename(bakTmp.constData(), bak.constData()) != 0) {
            const int e = errno;
            ::unlink(bakTmp.constData());
            ::unlink(tmpPath.constData());
            saveError(path, QStringLiteral("cannot keep the previous file as .bak (%1)")
                                .arg(errnoText(e)));
        }
    }
    if (::rename(tmpPath.constData(), targetPath.constData()) != 0) {
        const int e = errno;
        ::unlink(tmpPath.constData());
        saveError(path, errnoText(e));
    }
    // Make the rename itself durable.
    const int dfd = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    d->dirty = false;
}

bool Drawing::isDirty() const { return d->dirty; }
void Drawing::setDirty(bool dirty) { d->dirty = dirty; }
QString Drawing::acadVersion() const { return d->acadver; }

QString Drawing::versionName() const
{
    static const std::pair<const char *, const char *> names[] = {
        {"AC1009", "R12"},   {"AC1012", "R13"},   {"AC1014", "R14"},   {"AC1015", "R2000"},
        {"AC1018", "R2004"}, {"AC1021", "R2007"}, {"AC1024", "R2010"}, {"AC1027", "R2013"},
        {"AC1032", "R2018"},
    };
    for (const auto &[ver, name] : names)
        if (d->acadver == QLatin1String(ver))
            return QString::fromLatin1(name);
    if (d->acadver < QLatin1String("AC1009"))
        return QStringLiteral("R12");
    return d->acadver;
}

bool Drawing::isBinary() const { return d->fmt != Format::Ascii; }
QString Drawing::encoding() const { return d->codec->name(); }

// ---- layers ----------------------------------------------------------------

int Drawing::layerCount() const { return int(d->order.size()); }

LayerId Drawing::layerAt(int index) const
{
    if (index < 0 || size_t(index) >= d->order.size())
        raise(acad::err::InvalidIndex);
    return d->order[size_t(index)];
}

int Drawing::layerIndex(LayerId layer) const
{
    auto it = std::find(d->order.begin(), d->order.end(), layer);
    return it == d->order.end() ? -1 : int(it - d->order.begin());
}

bool Drawing::layerExists(LayerId layer) const
{
    return layer >= 0 && size_t(layer) < d->layerSlots.size() && !d->layerSlots[size_t(layer)].erased
           && d->layerSlots[size_t(layer)].rec >= 0;
}

LayerId Drawing::findLayer(const QString &name) const
{
    auto it = d->byFolded.find(name.toCaseFolded());
    if (it == d->byFolded.end())
        return NoLayer;
    return layerExists(it->second) ? it->second : NoLayer;
}

bool Drawing::isValidLayerName(const QString &name)
{
    if (name.isEmpty() || name.size() > 255)
        return false;
    static const QString bad = QStringLiteral("<>/\\\":;?*|,=`");
    for (QChar c : name)
        if (bad.contains(c) || c.unicode() < 0x20)
            return false;
    return true;
}

LayerId Drawing::addLayer(const QString &name)
{
    if (!isValidLayerName(name))
        raise(acad::err::InvalidInput);
    if (const LayerId existing = findLayer(name); existing != NoLayer)
        return existing;
    if (d->layerTableRec < 0 || d->layerEndtabRec < 0)
        throw acad::AcadError(acad::err::InvalidInput,
                              QStringLiteral("Invalid input: the drawing has no layer table"));
    // The new record is shaped like layer "0" of this file, so it is valid
    // for the file's version and form.
    LayerId model = findLayer(QStringLiteral("0"));
    if (model == NoLayer && !d->order.empty())
        model = d->order.front();
    std::string bytes;
    if (model != NoLayer) {
        bytes = std::string(d->recBytes(d->layerSlots[size_t(model)].rec));
    } else {
        RecordEditor ed(std::string(), d->fmt, d->style);
        ed.insertString(0, 0, "LAYER");
        if (d->isR2000Plus()) {
            ed.insertString(1, 5, "0");
            ed.insertString(2, 330, formatHandle(d->layerTableHandle));
            ed.insertString(3, 100, "AcDbSymbolTableRecord");
            ed.insertString(4, 100, "AcDbLayerTableRecord");
        }
        ed.insertString(int(ed.groups().size()), 2, "0");
        ed.insertInt(int(ed.groups().size()), 70, 0);
        ed.insertInt(int(ed.groups().size()), 62, 7);
        ed.insertString(int(ed.groups().size()), 6, "CONTINUOUS");
        if (d->isR2000Plus())
            ed.insertInt(int(ed.groups().size()), 370, -3);
        bytes = ed.takeBytes();
    }
    RecordEditor ed(std::move(bytes), d->fmt,
                    model != NoLayer ? d->styleOf(d->layerSlots[size_t(model)].rec) : d->style);
    // Drop the model's own attachments: 102 groups (reactors, extension
    // dictionary) and xdata.
    for (int i = int(ed.groups().size()) - 1; i >= 1; --i) {
        const Group &g = ed.groups()[size_t(i)];
        if (g.code >= 1000)
            ed.remove(i);
    }
    for (int i = 1; i < int(ed.groups().size());) {
        const Group &g = ed.groups()[size_t(i)];
        if (g.code == 102 && trimmed(stringValue(ed.bytes(), g, d->fmt)).substr(0, 1) == "{") {
            int j = i + 1;
            while (j < int(ed.groups().size())
                   && !(ed.groups()[size_t(j)].code == 102
                        && trimmed(stringValue(ed.bytes(), ed.groups()[size_t(j)], d->fmt)) == "}"))
                ++j;
            for (int k = std::min(j, int(ed.groups().size()) - 1); k >= i; --k)
                ed.remove(k);
            continue;
        }
        ++i;
    }
    auto at = [&](int code) { return findMain(ed.groups(), ed.bytes(), d->fmt, code); };
    std::uint64_t handle = 0;
    if (int i = at(5); i >= 0) {
        handle = d->newHandle();
        ed.setString(i, formatHandle(handle));
    }
    if (int i = at(330); i >= 0 && d->layerTableHandle)
        ed.setString(i, formatHandle(d->layerTableHandle));
    if (int i = at(2); i >= 0)
        ed.setString(i, d->encode(name));
    else
        ed.insertString(afterLast(ed.groups(), ed.bytes(), d->fmt, {5, 330, 100}, 1), 2, d->encode(name));
    if (int i = at(70); i >= 0)
        ed.setInt(i, 0);
    if (int i = at(62); i >= 0)
        ed.setInt(i, 7);
    else
        ed.insertInt(afterLast(ed.groups(), ed.bytes(), d->fmt, {2, 70}, int(ed.groups().size())), 62, 7);
    for (int code : {420, 430, 290}) // true colour, colour name, plot flag
        if (int i = at(code); i >= 0)
            ed.remove(i);
    QString continuous = QStringLiteral("CONTINUOUS");
    for (const QString &lt : d->linetypes)
        if (lt.compare(QLatin1String("Continuous"), Qt::CaseInsensitive) == 0)
            continuous = lt;
    if (int i = at(6); i >= 0)
        ed.setString(i, d->encode(continuous));
    if (int i = at(370); i >= 0)
        ed.setInt(i, -3);

    const std::int32_t rec = d->appendRecord(ed.takeBytes(), RecKind::TableEntry);
    d->insertedBefore[d->layerEndtabRec].push_back(rec);
    // An object may already name this layer.
    LayerId id = d->slotForName(name, true);
    Slot &s = d->layerSlots[size_t(id)];
    s.rec = rec;
    s.erased = false;
    d->readLayerRecord(id);
    d->order.push_back(id);
    if (s.handle)
        d->layerByHandle[s.handle] = id;

    // The table's entry count (a maximum, as the CAD application keeps it).
    RecordEditor table = d->editor(d->layerTableRec);
    if (int i = findMain(table.groups(), table.bytes(), d->fmt, 70); i >= 0) {
        const long long n = intValue(table.bytes(), table.groups()[size_t(i)], d->fmt).value_or(0);
        if (n < static_cast<long long>(d->order.size())) {
            table.setInt(i, static_cast<long long>(d->order.size()));
            d->commit(d->layerTableRec, table);
        }
    }
    d->dirty = true;
    return id;
}

QString Drawing::layerName(LayerId layer) const { return d->slot(layer).name; }

namespace {

// Rewrites group 8 of a record (the first one among the common groups).
void rewriteLayerRef(Drawing::Impl &d, EntityId e, const std::string &encoded)
{
    const std::int32_t r = d.ents[size_t(e)].rec;
    RecordEditor ed = d.editor(r);
    const auto [from, to] = commonRange(ed.groups(), ed.bytes(), d.fmt);
    int i = findMain(ed.groups(), ed.bytes(), d.fmt, 8, from, to);
    if (i < 0)
        i = findMain(ed.groups(), ed.bytes(), d.fmt, 8);
    if (i < 0)
        return;
    ed.setString(i, encoded);
    d.commit(r, ed);
}

// Frozen-layer lists of a VIEWPORT: R12 xdata names (1003 in the ACAD
// application data).  Calls edit(index of the group, decoded name) for each.
template <typename F>
void forEachXdataLayer(const Drawing::Impl &d, const RecordEditor &ed, F edit)
{
    bool acad = false;
    for (int i = 0; i < int(ed.groups().size()); ++i) {
        const Group &g = ed.groups()[size_t(i)];
        if (g.code == 1001)
            acad = trimmed(stringValue(ed.bytes(), g, d.fmt)) == "ACAD";
        else if (acad && g.code == 1003)
            edit(i, d.decode(stringValue(ed.bytes(), g, d.fmt)));
    }
}

} // namespace

void Drawing::setLayerName(LayerId layer, const QString &name)
{
    Slot &s = d->slot(layer);
    if (!isValidLayerName(name))
        raise(acad::err::InvalidInput);
    if (s.name == name)
        return;
    if (s.folded == QLatin1String("0") || layerIsXref(layer))
        raise(acad::err::InvalidInput);
    const QString oldFolded = s.folded;
    const QString newFolded = name.toCaseFolded();
    if (newFolded != oldFolded) {
        auto it = d->byFolded.find(newFolded);
        if (it != d->byFolded.end()) {
            Slot &other = d->layerSlots[size_t(it->second)];
            if (other.rec >= 0 && !other.erased)
                raise(acad::err::DuplicateKey);
            // Objects already naming the new name land on this layer.
            std::vector<EntityId> moved = other.refs;
            for (EntityId e : moved) {
                d->unlinkRef(e);
                d->linkRef(e, layer);
            }
            other.erased = true;
            d->byFolded.erase(it);
        }
    }
    const std::string encoded = d->encode(name);
    // The table record.
    {
        RecordEditor ed = d->editor(s.rec);
        if (int i = findMain(ed.groups(), ed.bytes(), d->fmt, 2); i >= 0)
            ed.setString(i, encoded);
        else
            ed.insertString(afterLast(ed.groups(), ed.bytes(), d->fmt, {5, 330, 100}, 1), 2, encoded);
        d->commit(s.rec, ed);
    }
    // Every object naming it.
    for (EntityId e : s.refs)
        rewriteLayerRef(*d, e, encoded);
    // Viewport lists by name.
    for (EntityId v : d->viewportEnts) {
        const std::int32_t r = d->ents[size_t(v)].rec;
        RecordEditor ed = d->editor(r);
        std::vector<int> hits;
        forEachXdataLayer(*d, ed, [&](int i, const QString &n) {
            if (n.toCaseFolded() == oldFolded)
                hits.push_back(i);
        });
        if (hits.empty())
            continue;
        for (int i : hits)
            ed.setString(i, encoded);
        d->commit(r, ed);
    }
    // The current layer.
    if (d->clayer.toCaseFolded() == oldFolded) {
        d->clayer = name;
        if (d->headerRec >= 0)
            d->headerOverrides["$CLAYER"] = {8, encoded};
    }
    d->byFolded.erase(oldFolded);
    d->byFolded[newFolded] = layer;
    s.name = name;
    s.folded = newFolded;
    d->dirty = true;
}

namespace {

template <typename F>
void editLayer(Drawing::Impl &d, LayerId layer, F f)
{
    Slot &s = d.slot(layer);
    RecordEditor ed = d.editor(s.rec);
    f(ed);
    d.commit(s.rec, ed);
    d.readLayerRecord(layer);
}

void setFlag(Drawing::Impl &d, LayerId layer, int bit, bool on)
{
    const Slot &s = d.slot(layer);
    const int flags = on ? (s.flags | bit) : (s.flags & ~bit);
    if (flags == s.flags)
        return;
    editLayer(d, layer, [&](RecordEditor &ed) {
        const int i = findMain(ed.groups(), ed.bytes(), d.fmt, 70);
        if (i >= 0)
            ed.setInt(i, flags);
        else
            ed.insertInt(afterLast(ed.groups(), ed.bytes(), d.fmt, {2}, int(ed.groups().size())), 70,
                         flags);
    });
}

void setColorValue(Drawing::Impl &d, LayerId layer, int value, bool dropTrueColor)
{
    editLayer(d, layer, [&](RecordEditor &ed) {
        const int i = findMain(ed.groups(), ed.bytes(), d.fmt, 62);
        if (i >= 0)
            ed.setInt(i, value);
        else
            ed.insertInt(afterLast(ed.groups(), ed.bytes(), d.fmt, {2, 70}, int(ed.groups().size())),
                         62, value);
        if (dropTrueColor)
            for (int code : {430, 420})
                if (int k = findMain(ed.groups(), ed.bytes(), d.fmt, code); k >= 0)
                    ed.remove(k);
    });
}

} // namespace

bool Drawing::layerOn(LayerId layer) const { return d->slot(layer).color >= 0; }

void Drawing::setLayerOn(LayerId layer, bool on)
{
    const Slot &s = d->slot(layer);
    if ((s.color >= 0) == on)
        return;
    const int c = s.color == 0 ? 7 : std::abs(s.color);
    setColorValue(*d, layer, on ? c : -c, false);
}

bool Drawing::layerFrozen(LayerId layer) const { return d->slot(layer).flags & 1; }

void Drawing::setLayerFrozen(LayerId layer, bool frozen)
{
    d->slot(layer);
    if (frozen && currentLayer() == layer)
        raise(acad::err::InvalidLayer);
    setFlag(*d, layer, 1, frozen);
}

bool Drawing::layerFrozenInNewViewports(LayerId layer) const { return d->slot(layer).flags & 2; }

void Drawing::setLayerFrozenInNewViewports(LayerId layer, bool frozen)
{
    setFlag(*d, layer, 2, frozen);
}

bool Drawing::layerLocked(LayerId layer) const { return d->slot(layer).flags & 4; }
void Drawing::setLayerLocked(LayerId layer, bool locked) { setFlag(*d, layer, 4, locked); }

bool Drawing::layerPlottable(LayerId layer) const { return d->slot(layer).plot; }

void Drawing::setLayerPlottable(LayerId layer, bool plottable)
{
    const Slot &s = d->slot(layer);
    if (s.plot == plottable)
        return;
    // R12 has no plot flag: every layer plots, and "not plotted" cannot be
    // stored.
    if (d->isR12() || !d->isR2000Plus())
        throw acad::AcadError(acad::err::InvalidInput,
                              QStringLiteral("Invalid input: this drawing version has no plot flag"));
    editLayer(*d, layer, [&](RecordEditor &ed) {
        const int i = findMain(ed.groups(), ed.bytes(), d->fmt, 290);
        if (i >= 0)
            ed.setInt(i, plottable ? 1 : 0);
        else
            ed.insertInt(afterLast(ed.groups(), ed.bytes(), d->fmt, {2, 70, 62, 420, 430, 6},
                                   int(ed.groups().size())),
                         290, 0);
    });
}

int Drawing::layerColor(LayerId layer) const
{
    const int c = std::abs(d->slot(layer).color);
    return c == 0 ? 7 : c;
}

void Drawing::setLayerColor(LayerId layer, int color)
{
    const Slot &s = d->slot(layer);
    if (color < 1 || color > 255)
        raise(acad::err::InvalidInput);
    setColorValue(*d, layer, s.color < 0 ? -color : color, true);
}

QString Drawing::layerLinetype(LayerId layer) const { return d->slot(layer).linetype; }

void Drawing::setLayerLinetype(LayerId layer, const QString &linetype)
{
    const Slot &s = d->slot(layer);
    QString spelled;
    for (const QString &lt : d->linetypes)
        if (lt.compare(linetype, Qt::CaseInsensitive) == 0)
            spelled = lt;
    // A layer cannot have ByLayer/ByBlock as its linetype.
    if (spelled.isEmpty() || spelled.compare(QLatin1String("BYLAYER"), Qt::CaseInsensitive) == 0
        || spelled.compare(QLatin1String("BYBLOCK"), Qt::CaseInsensitive) == 0)
        raise(acad::err::KeyNotFound);
    if (s.linetype == spelled)
        return;
    editLayer(*d, layer, [&](RecordEditor &ed) {
        const int i = findMain(ed.groups(), ed.bytes(), d->fmt, 6);
        if (i >= 0)
            ed.setString(i, d->encode(spelled));
        else
            ed.insertString(afterLast(ed.groups(), ed.bytes(), d->fmt, {2, 70, 62, 420, 430},
                                      int(ed.groups().size())),
                            6, d->encode(spelled));
    });
}

int Drawing::layerLineweight(LayerId layer) const { return d->slot(layer).lineweight; }

const std::vector<int> &Drawing::standardLineweights()
{
    static const std::vector<int> v = {0,  5,  9,  13, 15, 18, 20, 25,  30,  35,  40,  50,
                                       53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
    return v;
}

bool Drawing::isValidLineweight(int lineweight)
{
    if (lineweight == -3)
        return true;
    const auto &v = standardLineweights();
    return std::find(v.begin(), v.end(), lineweight) != v.end();
}

void Drawing::setLayerLineweight(LayerId layer, int lineweight)
{
    const Slot &s = d->slot(layer);
    if (!isValidLineweight(lineweight))
        raise(acad::err::InvalidInput);
    if (s.lineweight == lineweight)
        return;
    if (!d->isR2000Plus())
        throw acad::AcadError(acad::err::InvalidInput,
                              QStringLiteral("Invalid input: this drawing version has no lineweights"));
    editLayer(*d, layer, [&](RecordEditor &ed) {
        const int i = findMain(ed.groups(), ed.bytes(), d->fmt, 370);
        if (i >= 0)
            ed.setInt(i, lineweight);
        else
            ed.insertInt(afterLast(ed.groups(), ed.bytes(), d->fmt, {2, 70, 62, 420, 430, 6, 290},
                                   int(ed.groups().size())),
                         370, lineweight);
    });
}

QString Drawing::layerPlotStyleName(LayerId layer) const
{
    const Slot &s = d->slot(layer);
    // Colour-dependent plot styles are named after the layer's colour.
    if (d->pstyleMode != 0)
        return QStringLiteral("Color_%1").arg(layerColor(layer));
    if (s.plotStyle) {
        auto it = d->plotStyleNames.find(s.plotStyle);
        if (it != d->plotStyleNames.end())
            return it->second;
    }
    return QStringLiteral("Normal");
}

bool Drawing::layerIsXref(LayerId layer) const
{
    const Slot &s = d->slot(layer);
    return s.name.contains(QLatin1Char('|')) || (s.flags & 16);
}

void Drawing::deleteLayer(LayerId layer)
{
    Slot &s = d->slot(layer);
    if (s.folded == QLatin1String("0") || s.folded == QLatin1String("defpoints")
        || currentLayer() == layer || layerIsXref(layer))
        raise(acad::err::LockedOrInUse);
    if (!s.refs.empty())
        raise(acad::err::LockedOrInUse);
    // Viewport frozen-layer entries pointing at it.
    const QString folded = s.folded;
    const std::uint64_t handle = s.handle;
    for (EntityId v : d->viewportEnts) {
        const std::int32_t r = d->ents[size_t(v)].rec;
        RecordEditor ed = d->editor(r);
        std::vector<int> drop;
        for (int i = 0; i < int(ed.groups().size()); ++i) {
            const Group &g = ed.groups()[size_t(i)];
            if (g.code >= 1000)
                break;
            if ((g.code == 331 || g.code == 341) && handle
                && parseHandle(stringValue(ed.bytes(), g, d->fmt)) == handle)
                drop.push_back(i);
        }
        forEachXdataLayer(*d, ed, [&](int i, const QString &n) {
            if (n.toCaseFolded() == folded)
                drop.push_back(i);
        });
        if (drop.empty())
            continue;
        std::sort(drop.begin(), drop.end());
        for (auto it = drop.rbegin(); it != drop.rend(); ++it)
            ed.remove(*it);
        d->commit(r, ed);
    }
    d->recs[size_t(s.rec)].deleted = true;
    s.erased = true;
    d->byFolded.erase(s.folded);
    if (s.handle)
        d->layerByHandle.erase(s.handle);
    d->order.erase(std::find(d->order.begin(), d->order.end(), layer));
    d->dirty = true;
}

LayerId Drawing::currentLayer() const
{
    LayerId id = findLayer(d->clayer.isEmpty() ? QStringLiteral("0") : d->clayer);
    if (id == NoLayer)
        id = findLayer(QStringLiteral("0"));
    return id;
}

void Drawing::setCurrentLayer(LayerId layer)
{
    const Slot &s = d->slot(layer);
    if (s.flags & 1)
        raise(acad::err::InvalidLayer);
    if (currentLayer() == layer && d->clayer == s.name)
        return;
    d->clayer = s.name;
    if (d->headerRec >= 0)
        d->headerOverrides["$CLAYER"] = {8, d->encode(s.name)};
    d->dirty = true;
}

std::vector<EntityId> Drawing::layerEntities(LayerId layer) const
{
    const Slot &s = d->slot(layer);
    std::vector<EntityId> out;
    for (EntityId e : s.refs)
        if (d->ents[size_t(e)].flags & EntTop)
            out.push_back(e);
    std::sort(out.begin(), out.end());
    return out;
}

int Drawing::layerObjectCount(LayerId layer) const
{
    const Slot &s = d->slot(layer);
    int n = 0;
    for (EntityId e : s.refs)
        if (!(d->ents[size_t(e)].flags & (EntSub | EntStruct)))
            ++n;
    return n;
}

// ---- linetypes -------------------------------------------------------------

QStringList Drawing::linetypeNames() const
{
    QStringList out;
    for (const QString &n : d->linetypes)
        out << n;
    return out;
}

bool Drawing::hasLinetype(const QString &name) const
{
    for (const QString &n : d->linetypes)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// ---- entities --------------------------------------------------------------

int Drawing::entityCapacity() const { return int(d->ents.size()); }

bool Drawing::entityExists(EntityId entity) const
{
    return entity >= 0 && size_t(entity) < d->ents.size()
           && !d->recs[size_t(d->ents[size_t(entity)].rec)].deleted;
}

EntityId Drawing::findEntity(const QString &handle) const
{
    const QByteArray b = handle.toLatin1();
    const auto h = parseHandle(std::string_view(b.constData(), size_t(b.size())));
    if (!h)
        return NoEntity;
    auto it = d->entByHandle.find(*h);
    return it == d->entByHandle.end() ? NoEntity : it->second;
}

QString Drawing::entityHandle(EntityId entity) const
{
    return QString::fromStdString(formatHandle(d->ent(entity).handle));
}

namespace {

struct Parsed {
    std::string_view bytes;
    std::vector<Group> gs;
};

Parsed parseEntity(const Drawing::Impl &d, EntityId e)
{
    Parsed p;
    p.bytes = d.recBytes(d.ent(e).rec);
    scanGroups(p.bytes, d.fmt, p.gs);
    return p;
}

std::string_view typeOf(const Drawing::Impl &d, const Parsed &p)
{
    if (p.gs.empty())
        return {};
    return trimmed(stringValue(p.bytes, p.gs[0], d.fmt));
}

} // namespace

QString Drawing::entityType(EntityId entity) const
{
    const Parsed p = parseEntity(*d, entity);
    const std::string_view t = typeOf(*d, p);
    return QString::fromLatin1(t.data(), qsizetype(t.size())).toUpper();
}

QString Drawing::entityLayer(EntityId entity) const
{
    const Parsed p = parseEntity(*d, entity);
    const auto [from, to] = commonRange(p.gs, p.bytes, d->fmt);
    int i = findMain(p.gs, p.bytes, d->fmt, 8, from, to);
    if (i < 0)
        i = findMain(p.gs, p.bytes, d->fmt, 8);
    if (i < 0)
        return QStringLiteral("0");
    return d->decode(stringValue(p.bytes, p.gs[size_t(i)], d->fmt));
}

LayerId Drawing::entityLayerId(EntityId entity) const
{
    const Ent &e = d->ent(entity);
    if (e.layer == NoLayer)
        return findLayer(QStringLiteral("0"));
    return layerExists(e.layer) ? e.layer : NoLayer;
}

int Drawing::entityColor(EntityId entity) const
{
    const Parsed p = parseEntity(*d, entity);
    const auto [from, to] = commonRange(p.gs, p.bytes, d->fmt);
    const int i = findMain(p.gs, p.bytes, d->fmt, 62, from, to);
    if (i < 0)
        return 256;
    return int(std::abs(intValue(p.bytes, p.gs[size_t(i)], d->fmt).value_or(256)));
}

QString Drawing::entityLinetype(EntityId entity) const
{
    const Parsed p = parseEntity(*d, entity);
    const auto [from, to] = commonRange(p.gs, p.bytes, d->fmt);
    const int i = findMain(p.gs, p.bytes, d->fmt, 6, from, to);
    if (i < 0)
        return QStringLiteral("BYLAYER");
    return d->decode(stringValue(p.bytes, p.gs[size_t(i)], d->fmt));
}

bool Drawing::hasText(EntityId entity) const
{
    const Parsed p = parseEntity(*d, entity);
    return isTextType(typeOf(*d, p));
}

QString Drawing::entityText(EntityId entity) const
{
    const Parsed p = parseEntity(*d, entity);
    const std::string_view type = typeOf(*d, p);
    if (!isTextType(type))
        return QString();
    if (ieq(type, "MTEXT")) {
        // 3 chunks then 1, in the MTEXT's own groups.
        std::string raw;
        for (const Group &g : p.gs) {
            if (g.code >= 1000)
                break;
            if (g.code == 3)
                raw.append(stringValue(p.bytes, g, d->fmt));
            else if (g.code == 1) {
                raw.append(stringValue(p.bytes, g, d->fmt));
                break;
            }
        }
        return d->decode(raw);
    }
    const int i = findMain(p.gs, p.bytes, d->fmt, 1);
    return i < 0 ? QString() : d->decode(stringValue(p.bytes, p.gs[size_t(i)], d->fmt));
}

int Drawing::entitySpace(EntityId entity) const { return (d->ent(entity).flags & EntPaper) ? 1 : 0; }

QString Drawing::entityBlock(EntityId entity) const
{
    const Ent &e = d->ent(entity);
    if (e.block >= 0)
        return d->blocks[size_t(e.block)].name;
    return (e.flags & EntPaper) ? QStringLiteral("*Paper_Space") : QStringLiteral("*Model_Space");
}

bool Drawing::isTopLevel(EntityId entity) const { return d->ent(entity).flags & EntTop; }

std::vector<EntityId> Drawing::subEntities(EntityId entity) const
{
    d->ent(entity);
    std::vector<EntityId> out;
    for (size_t i = size_t(entity) + 1; i < d->ents.size() && d->ents[i].parent == entity; ++i) {
        const std::string_view b = d->recBytes(d->ents[i].rec);
        std::vector<Group> gs;
        scanGroups(b.substr(0, std::min<size_t>(b.size(), 64)), d->fmt, gs);
        if (!gs.empty() && ieq(trimmed(stringValue(b, gs[0], d->fmt)), "SEQEND"))
            continue;
        out.push_back(EntityId(i));
    }
    return out;
}

void Drawing::setEntityLayer(EntityId entity, const QString &layer)
{
    d->ent(entity);
    const LayerId target = findLayer(layer);
    if (target == NoLayer)
        raise(acad::err::KeyNotFound);
    const Slot &s = d->layerSlots[size_t(target)];
    const std::int32_t r = d->ents[size_t(entity)].rec;
    RecordEditor ed = d->editor(r);
    const auto [from, to] = commonRange(ed.groups(), ed.bytes(), d->fmt);
    const int i = findMain(ed.groups(), ed.bytes(), d->fmt, 8, from, to);
    if (i >= 0)
        ed.setString(i, d->encode(s.name));
    else
        ed.insertString(from, 8, d->encode(s.name));
    d->commit(r, ed);
    d->unlinkRef(entity);
    d->linkRef(entity, target);
}

void Drawing::setEntityColor(EntityId entity, int color)
{
    d->ent(entity);
    if (color < 0 || color > 256)
        raise(acad::err::InvalidInput);
    const std::int32_t r = d->ents[size_t(entity)].rec;
    RecordEditor ed = d->editor(r);
    auto range = commonRange(ed.groups(), ed.bytes(), d->fmt);
    const int i = findMain(ed.groups(), ed.bytes(), d->fmt, 62, range.first, range.second);
    bool changed = false;
    if (color == 256) {
        if (i >= 0) {
            ed.remove(i);
            changed = true;
        }
    } else if (i >= 0) {
        if (intValue(ed.bytes(), ed.groups()[size_t(i)], d->fmt).value_or(-1) != color) {
            ed.setInt(i, color);
            changed = true;
        }
    } else {
        ed.insertInt(afterLast(ed.groups(), ed.bytes(), d->fmt, {8, 6}, range.first, range.first,
                               range.second),
                     62, color);
        changed = true;
    }
    // An index colour replaces a true colour.
    for (int code : {430, 420}) {
        range = commonRange(ed.groups(), ed.bytes(), d->fmt);
        if (int k = findMain(ed.groups(), ed.bytes(), d->fmt, code, range.first, range.second); k >= 0) {
            ed.remove(k);
            changed = true;
        }
    }
    if (changed)
        d->commit(r, ed);
}

void Drawing::setEntityLinetype(EntityId entity, const QString &linetype)
{
    d->ent(entity);
    const bool byLayer = linetype.compare(QLatin1String("BYLAYER"), Qt::CaseInsensitive) == 0;
    QString spelled;
    for (const QString &lt : d->linetypes)
        if (lt.compare(linetype, Qt::CaseInsensitive) == 0)
            spelled = lt;
    if (spelled.isEmpty() && linetype.compare(QLatin1String("BYBLOCK"), Qt::CaseInsensitive) == 0)
        spelled = QStringLiteral("BYBLOCK");
    if (!byLayer && spelled.isEmpty())
        raise(acad::err::KeyNotFound);
    const std::int32_t r = d->ents[size_t(entity)].rec;
    RecordEditor ed = d->editor(r);
    const auto [from, to] = commonRange(ed.groups(), ed.bytes(), d->fmt);
    const int i = findMain(ed.groups(), ed.bytes(), d->fmt, 6, from, to);
    if (byLayer) {
        if (i < 0)
            return;
        ed.remove(i);
    } else if (i >= 0) {
        if (d->decode(stringValue(ed.bytes(), ed.groups()[size_t(i)], d->fmt)) == spelled)
            return;
        ed.setString(i, d->encode(spelled));
    } else {
        ed.insertString(afterLast(ed.groups(), ed.bytes(), d->fmt, {8}, from, from, to), 6,
                        d->encode(spelled));
    }
    d->commit(r, ed);
}

void Drawing::setEntityText(EntityId entity, const QString &text)
{
    d->ent(entity);
    const std::int32_t r = d->ents[size_t(entity)].rec;
    RecordEditor ed = d->editor(r);
    const std::string_view type = ed.groups().empty()
                                      ? std::string_view()
                                      : trimmed(stringValue(ed.bytes(), ed.groups()[0], d->fmt));
    if (!isTextType(type))
        raise(acad::err::InvalidInput);
    if (ieq(type, "MTEXT")) {
        // Drop the old chunks, then write 250-character chunks and the rest.
        int one = -1;
        for (int i = int(ed.groups().size()) - 1; i >= 0; --i) {
            const int code = ed.groups()[size_t(i)].code;
            if (code >= 1000)
                continue;
            if (code == 1)
                one = i;
        }
        if (one < 0)
            raise(acad::err::InvalidInput);
        for (int i = one - 1; i >= 1; --i)
            if (ed.groups()[size_t(i)].code == 3) {
                ed.remove(i);
                --one;
            }
        QString rest = text;
        while (rest.size() > 250) {
            qsizetype n = 250;
            if (rest[n - 1].isHighSurrogate())
                --n;
            ed.insertString(one, 3, d->encode(rest.left(n)));
            ++one;
            rest = rest.mid(n);
        }
        ed.setString(one, d->encode(rest));
    } else {
        const int i = findMain(ed.groups(), ed.bytes(), d->fmt, 1);
        if (i < 0)
            raise(acad::err::InvalidInput);
        ed.setString(i, d->encode(text));
    }
    d->commit(r, ed);
}

// ---- geometry --------------------------------------------------------------

EntityGeometry Drawing::entityGeometry(EntityId entity) const
{
    const Parsed p = parseEntity(*d, entity);
    EntityGeometry g;
    const std::string_view type = typeOf(*d, p);
    g.type = QString::fromLatin1(type.data(), qsizetype(type.size())).toUpper();
    Point pt[4];
    bool have[4] = {false, false, false, false};
    double v40 = 0, v41 = 1, v42 = 1, v43 = 1, v44 = 0, v45 = 0, v50 = 0, v51 = 360;
    bool h41 = false;
    int i70 = 0, i71 = 0, i72 = 0, i73 = 0, i74 = 0;
    bool lw = ieq(type, "LWPOLYLINE");
    bool spline = ieq(type, "SPLINE");
    QString text3;
    std::string raw1;
    std::string raw3;
    bool in102 = false;
    for (const Group &gr : p.gs) {
        const int c = gr.code;
        if (c >= 1000)
            break;
        if (c == 102) {
            const std::string_view v = trimmed(stringValue(p.bytes, gr, d->fmt));
            in102 = !v.empty() && v.front() == '{';
            continue;
        }
        if (in102)
            continue;
        auto real = [&] { return realValue(p.bytes, gr, d->fmt).value_or(0); };
        auto integer = [&] { return int(intValue(p.bytes, gr, d->fmt).value_or(0)); };
        if ((lw || spline) && (c == 10 || c == 20 || c == 30 || c == 42)) {
            if (c == 10) {
                g.points.push_back(Point{real(), 0, 0});
                g.bulges.push_back(0);
            } else if (!g.points.empty()) {
                if (c == 20)
                    g.points.back().y = real();
                else if (c == 30)
                    g.points.back().z = real();
                else
                    g.bulges.back() = real();
            }
            continue;
        }
        if (c >= 10 && c <= 13) {
            pt[c - 10].x = real();
            have[c - 10] = true;
        } else if (c >= 20 && c <= 23) {
            pt[c - 20].y = real();
        } else if (c >= 30 && c <= 33) {
            pt[c - 30].z = real();
        } else {
            switch (c) {
            case 1: raw1 = std::string(stringValue(p.bytes, gr, d->fmt)); break;
            case 2: if (g.blockName.isEmpty()) g.blockName = d->decode(stringValue(p.bytes, gr, d->fmt)); break;
            case 3: raw3.append(stringValue(p.bytes, gr, d->fmt)); break;
            case 40: v40 = real(); break;
            case 41: v41 = real(); h41 = true; break;
            case 42: v42 = real(); break;
            case 43: v43 = real(); break;
            case 44: v44 = real(); break;
            case 45: v45 = real(); break;
            case 50: v50 = real(); break;
            case 51: v51 = real(); break;
            case 60: g.invisible = integer() == 1; break;
            case 70: i70 = integer(); break;
            case 71: i71 = integer(); break;
            case 72: i72 = integer(); break;
            case 73: i73 = integer(); break;
            case 74: i74 = integer(); break;
            case 210: g.extrusion.x = real(); break;
            case 220: g.extrusion.y = real(); break;
            case 230: g.extrusion.z = real(); break;
            default: break;
            }
        }
    }
    const QString &t = g.type;
    auto use = [&](int n) {
        for (int k = 0; k < n; ++k)
            g.points.push_back(pt[k]);
    };
    if (t == QLatin1String("LINE")) {
        use(2);
    } else if (t == QLatin1String("POINT")) {
        use(1);
    } else if (t == QLatin1String("CIRCLE")) {
        use(1);
        g.radius = v40;
    } else if (t == QLatin1String("ARC")) {
        use(1);
        g.radius = v40;
        g.startAngle = v50;
        g.endAngle = v51;
    } else if (t == QLatin1String("TEXT") || t == QLatin1String("ATTRIB") || t == QLatin1String("ATTDEF")) {
        use(1);
        g.height = v40;
        g.rotation = v50;
        g.widthFactor = h41 ? v41 : 1;
        g.hAlign = i72;
        g.vAlign = t == QLatin1String("TEXT") ? i73 : i74;
        g.alignPoint = have[1] ? pt[1] : pt[0];
        g.text = d->decode(raw1);
        g.blockName.clear();
    } else if (t == QLatin1String("MTEXT")) {
        use(1);
        g.height = v40;
        g.boxWidth = h41 ? v41 : 0;
        g.hAlign = i71;
        g.rotation = have[1] ? std::atan2(pt[1].y, pt[1].x) * 180.0 / M_PI : v50;
        g.text = d->decode(raw3 + raw1);
    } else if (t == QLatin1String("INSERT")) {
        use(1);
        g.xScale = h41 ? v41 : 1;
        g.yScale = v42;
        g.zScale = v43;
        g.rotation = v50;
        g.columns = std::max(1, i70);
        g.rows = std::max(1, i71);
        g.columnSpacing = v44;
        g.rowSpacing = v45;
    } else if (t == QLatin1String("SOLID") || t == QLatin1String("TRACE") || t == QLatin1String("3DFACE")) {
        use(have[3] ? 4 : 3);
    } else if (lw) {
        g.closed = i70 & 1;
    } else if (t == QLatin1String("POLYLINE")) {
        g.closed = i70 & 1;
        for (EntityId v : subEntities(entity)) {
            const Parsed vp = parseEntity(*d, v);
            if (!ieq(typeOf(*d, vp), "VERTEX"))
                continue;
            Point q;
            double bulge = 0;
            int flags = 0;
            for (const Group &gr : vp.gs) {
                if (gr.code >= 1000)
                    break;
                const double r = (gr.code == 10 || gr.code == 20 || gr.code == 30 || gr.code == 42)
                                     ? realValue(vp.bytes, gr, d->fmt).value_or(0)
                                     : 0;
                if (gr.code == 10) q.x = r;
                else if (gr.code == 20) q.y = r;
                else if (gr.code == 30) q.z = r;
                else if (gr.code == 42) bulge = r;
                else if (gr.code == 70) flags = int(intValue(vp.bytes, gr, d->fmt).value_or(0));
            }
            if (flags & 16) // spline frame control point
                continue;
            g.points.push_back(q);
            g.bulges.push_back(bulge);
        }
    } else if (!spline) {
        for (int k = 0; k < 4; ++k)
            if (have[k])
                g.points.push_back(pt[k]);
    }
    return g;
}

int Drawing::effectiveColor(EntityId entity, int blockColor) const
{
    int c = entityColor(entity);
    if (c == 256) {
        const LayerId l = entityLayerId(entity);
        c = l == NoLayer ? 7 : layerColor(l);
    } else if (c == 0) {
        c = blockColor;
    }
    if (c < 1 || c > 255)
        c = 7;
    return c;
}

std::uint32_t Drawing::aciToRgb(int aci)
{
    static const std::uint32_t fixed[10] = {0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF,
                                            0x0000FF, 0xFF00FF, 0xFFFFFF, 0x808080, 0xC0C0C0};
    static const std::uint32_t grays[6] = {0x333333, 0x505050, 0x696969, 0x828282, 0xBEBEBE, 0xFFFFFF};
    if (aci < 0)
        aci = -aci;
    if (aci < 10)
        return fixed[aci];
    if (aci >= 250)
        return aci <= 255 ? grays[aci - 250] : 0xFFFFFF;
    // 10..249: 24 hues 15 degrees apart, five shades, full and half saturation.
    static const double value[5] = {255, 165, 127, 76, 38};
    const int hue = (aci - 10) / 10;
    const int k = aci % 10;
    const double v = value[k / 2];
    const double minC = (k % 2) ? v / 2 : 0;
    const double h = hue * 15.0 / 60.0; // sector position 0..6
    const int sector = int(h);
    const double f = h - sector;
    const double up = minC + (v - minC) * f;
    const double down = v - (v - minC) * f;
    double r = 0, gg = 0, b = 0;
    switch (sector % 6) {
    case 0: r = v; gg = up; b = minC; break;
    case 1: r = down; gg = v; b = minC; break;
    case 2: r = minC; gg = v; b = up; break;
    case 3: r = minC; gg = down; b = v; break;
    case 4: r = up; gg = minC; b = v; break;
    default: r = v; gg = minC; b = down; break;
    }
    return (std::uint32_t(r) << 16) | (std::uint32_t(gg) << 8) | std::uint32_t(b);
}

std::vector<EntityId> Drawing::topLevelEntities() const
{
    std::vector<EntityId> out;
    for (size_t i = 0; i < d->ents.size(); ++i)
        if (d->ents[i].flags & EntTop)
            out.push_back(EntityId(i));
    return out;
}

// ---- layouts and blocks ----------------------------------------------------

std::vector<LayoutInfo> Drawing::layouts() const
{
    std::vector<LayoutInfo> out;
    out.push_back(LayoutInfo{QStringLiteral("Model"), 0, QStringLiteral("*Model_Space"), true});
    std::vector<LayoutInfo> paper;
    for (std::int32_t r : d->layoutRecs) {
        const std::string_view b = d->recBytes(r);
        std::vector<Group> gs;
        scanGroups(b, d->fmt, gs);
        int start = -1;
        for (int i = 0; i < int(gs.size()); ++i)
            if (gs[size_t(i)].code == 100 && trimmed(stringValue(b, gs[size_t(i)], d->fmt)) == "AcDbLayout")
                start = i + 1;
        if (start < 0)
            continue;
        LayoutInfo l;
        std::uint64_t block = 0;
        for (int i = start; i < int(gs.size()); ++i) {
            const Group &g = gs[size_t(i)];
            if (g.code == 100 || g.code >= 1000)
                break;
            if (g.code == 1)
                l.name = d->decode(stringValue(b, g, d->fmt));
            else if (g.code == 71)
                l.tabOrder = int(intValue(b, g, d->fmt).value_or(0));
            else if (g.code == 330)
                block = parseHandle(stringValue(b, g, d->fmt)).value_or(0);
        }
        auto it = d->blockRecordNames.find(block);
        if (it != d->blockRecordNames.end())
            l.blockName = it->second;
        if (l.blockName.compare(QLatin1String("*Model_Space"), Qt::CaseInsensitive) == 0)
            continue;
        if (l.blockName.isEmpty() && l.name.compare(QLatin1String("Model"), Qt::CaseInsensitive) == 0)
            continue;
        paper.push_back(l);
    }
    std::stable_sort(paper.begin(), paper.end(),
                     [](const LayoutInfo &a, const LayoutInfo &b) { return a.tabOrder < b.tabOrder; });
    if (paper.empty())
        paper.push_back(LayoutInfo{QStringLiteral("Layout1"), 1, QStringLiteral("*Paper_Space"), false});
    out.insert(out.end(), paper.begin(), paper.end());
    return out;
}

namespace {

bool sameBlock(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

std::vector<EntityId> Drawing::layoutEntities(int layout) const
{
    const std::vector<LayoutInfo> all = layouts();
    if (layout < 0 || size_t(layout) >= all.size())
        raise(acad::err::InvalidIndex);
    const LayoutInfo &l = all[size_t(layout)];
    std::vector<EntityId> out;
    const bool activePaper = !l.isModel && sameBlock(l.blockName, QStringLiteral("*Paper_Space"));
    if (l.isModel || activePaper)
        for (EntityId e : d->sectionEnts) {
            const Ent &x = d->ents[size_t(e)];
            if ((x.flags & EntTop) && bool(x.flags & EntPaper) == activePaper)
                out.push_back(e);
        }
    auto it = d->blockByFolded.find(l.blockName.toCaseFolded());
    if (it != d->blockByFolded.end())
        for (EntityId e : d->blocks[size_t(it->second)].ents)
            if (d->ents[size_t(e)].flags & EntTop)
                out.push_back(e);
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<ViewportInfo> Drawing::viewports(int layout) const
{
    const std::vector<LayoutInfo> all = layouts();
    if (layout < 0 || size_t(layout) >= all.size())
        raise(acad::err::InvalidIndex);
    const LayoutInfo &l = all[size_t(layout)];
    std::vector<ViewportInfo> out;
    if (l.isModel)
        return out;
    for (EntityId v : d->viewportEnts) {
        const Ent &x = d->ents[size_t(v)];
        if (!(x.flags & EntTop) || !sameBlock(entityBlock(v), l.blockName))
            continue;
        const Parsed p = parseEntity(*d, v);
        ViewportInfo vi;
        vi.entity = v;
        bool acad = false;
        for (const Group &g : p.gs) {
            auto real = [&] { return realValue(p.bytes, g, d->fmt).value_or(0); };
            if (g.code == 1001) {
                acad = trimmed(stringValue(p.bytes, g, d->fmt)) == "ACAD";
                continue;
            }
            if (g.code >= 1000) {
                if (acad && g.code == 1003) {
                    const LayerId id = findLayer(d->decode(stringValue(p.bytes, g, d->fmt)));
                    if (id != NoLayer)
                        vi.frozenLayers.push_back(id);
                }
                continue;
            }
            switch (g.code) {
            case 10: vi.center.x = real(); break;
            case 20: vi.center.y = real(); break;
            case 30: vi.center.z = real(); break;
            case 40: vi.width = real(); break;
            case 41: vi.height = real(); break;
            case 12: vi.viewCenter.x = real(); break;
            case 22: vi.viewCenter.y = real(); break;
            case 45: vi.viewHeight = real(); break;
            case 68: vi.on = intValue(p.bytes, g, d->fmt).value_or(1) != 0; break;
            case 69: vi.id = int(intValue(p.bytes, g, d->fmt).value_or(0)); break;
            case 331:
            case 341: {
                const auto h = parseHandle(stringValue(p.bytes, g, d->fmt));
                auto it = h ? d->layerByHandle.find(*h) : d->layerByHandle.end();
                if (it != d->layerByHandle.end() && layerExists(it->second))
                    vi.frozenLayers.push_back(it->second);
                break;
            }
            default: break;
            }
        }
        out.push_back(vi);
    }
    return out;
}

void Drawing::setViewportLayerFrozen(EntityId viewport, LayerId layer, bool frozen)
{
    d->ent(viewport);
    const Slot &s = d->slot(layer);
    const std::int32_t r = d->ents[size_t(viewport)].rec;
    RecordEditor ed = d->editor(r);
    const auto &gs = ed.groups();
    if (gs.empty() || !ieq(trimmed(stringValue(ed.bytes(), gs[0], d->fmt)), "VIEWPORT"))
        raise(acad::err::InvalidInput);
    // Entries naming the layer now: handles and xdata names.
    std::vector<int> hits;
    int lastHandle = -1, firstXdata = int(gs.size()), statusFlags = -1;
    for (int i = 0; i < int(gs.size()); ++i) {
        const Group &g = gs[size_t(i)];
        if (g.code >= 1000) {
            firstXdata = i;
            break;
        }
        if (g.code == 331 || g.code == 341) {
            lastHandle = i;
            if (s.handle && parseHandle(stringValue(ed.bytes(), g, d->fmt)) == s.handle)
                hits.push_back(i);
        } else if (g.code == 90 && statusFlags < 0) {
            statusFlags = i;
        }
    }
    int innerEnd = -1; // the "1002 }" closing the frozen-layer list
    {
        bool acad = false;
        int depth = 0;
        for (int i = firstXdata; i < int(gs.size()); ++i) {
            const Group &g = gs[size_t(i)];
            if (g.code == 1001) {
                acad = trimmed(stringValue(ed.bytes(), g, d->fmt)) == "ACAD";
                depth = 0;
                continue;
            }
            if (!acad)
                continue;
            if (g.code == 1002) {
                const std::string_view v = trimmed(stringValue(ed.bytes(), g, d->fmt));
                if (v == "{")
                    ++depth;
                else if (v == "}" && depth-- == 2 && innerEnd < 0)
                    innerEnd = i;
            } else if (g.code == 1003
                       && d->decode(stringValue(ed.bytes(), g, d->fmt)).toCaseFolded() == s.folded) {
                hits.push_back(i);
            }
        }
    }
    if (frozen) {
        if (!hits.empty())
            return;
        if (d->isR2000Plus() && s.handle) {
            const int at = lastHandle >= 0 ? lastHandle + 1
                           : statusFlags >= 0 ? statusFlags
                                              : firstXdata;
            ed.insertString(at, 331, formatHandle(s.handle));
        } else {
            if (innerEnd < 0)
                raise(acad::err::InvalidInput);
            ed.insertString(innerEnd, 1003, d->encode(s.name));
        }
    } else {
        if (hits.empty())
            return;
        std::sort(hits.begin(), hits.end());
        for (auto it = hits.rbegin(); it != hits.rend(); ++it)
            ed.remove(*it);
    }
    d->commit(r, ed);
}

std::vector<EntityId> Drawing::blockEntities(const QString &blockName) const
{
    std::vector<EntityId> out;
    auto it = d->blockByFolded.find(blockName.toCaseFolded());
    if (it == d->blockByFolded.end())
        return out;
    for (EntityId e : d->blocks[size_t(it->second)].ents)
        if (!(d->ents[size_t(e)].flags & EntSub))
            out.push_back(e);
    return out;
}

Point Drawing::blockBasePoint(const QString &blockName) const
{
    Point pt;
    auto it = d->blockByFolded.find(blockName.toCaseFolded());
    if (it == d->blockByFolded.end())
        return pt;
    const std::string_view b = d->recBytes(d->blocks[size_t(it->second)].rec);
    std::vector<Group> gs;
    scanGroups(b, d->fmt, gs);
    for (const Group &g : gs) {
        if (g.code >= 1000)
            break;
        if (g.code == 10) pt.x = realValue(b, g, d->fmt).value_or(0);
        else if (g.code == 20) pt.y = realValue(b, g, d->fmt).value_or(0);
        else if (g.code == 30) pt.z = realValue(b, g, d->fmt).value_or(0);
    }
    return pt;
}

} // namespace host
