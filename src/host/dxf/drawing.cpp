// Stub bodies; the reader and writer are being filled in.
#include "host/dxf/drawing.h"

namespace host {

namespace {
[[noreturn]] void notYet()
{
    throw acad::AcadError(acad::err::InvalidInput, QStringLiteral("Not implemented"));
}
} // namespace

DxfError::DxfError(QString file, qint64 line, QString message)
    : acad::AcadError(acad::err::FileError,
                      QStringLiteral("%1: line %2: %3").arg(file).arg(line).arg(message)),
      m_file(std::move(file)), m_line(line), m_message(std::move(message))
{
}

struct Drawing::Impl {};

Drawing::Drawing() : d(std::make_unique<Impl>()) {}
Drawing::~Drawing() = default;

std::unique_ptr<Drawing> Drawing::load(const QString &) { notYet(); }
std::unique_ptr<Drawing> Drawing::fromBytes(const QByteArray &, const QString &) { notYet(); }
std::unique_ptr<Drawing> Drawing::createNew() { notYet(); }
QByteArray Drawing::newDrawingTemplate() { return {}; }
void Drawing::save(const QString &) { notYet(); }
QByteArray Drawing::toBytes() const { return {}; }
bool Drawing::isDirty() const { return false; }
void Drawing::setDirty(bool) {}
QString Drawing::acadVersion() const { return {}; }
QString Drawing::versionName() const { return {}; }
bool Drawing::isBinary() const { return false; }
QString Drawing::encoding() const { return {}; }
int Drawing::layerCount() const { return 0; }
LayerId Drawing::layerAt(int) const { notYet(); }
int Drawing::layerIndex(LayerId) const { return -1; }
bool Drawing::layerExists(LayerId) const { return false; }
LayerId Drawing::findLayer(const QString &) const { return NoLayer; }
LayerId Drawing::addLayer(const QString &) { notYet(); }
bool Drawing::isValidLayerName(const QString &) { return false; }
QString Drawing::layerName(LayerId) const { notYet(); }
void Drawing::setLayerName(LayerId, const QString &) { notYet(); }
bool Drawing::layerOn(LayerId) const { notYet(); }
void Drawing::setLayerOn(LayerId, bool) { notYet(); }
bool Drawing::layerFrozen(LayerId) const { notYet(); }
void Drawing::setLayerFrozen(LayerId, bool) { notYet(); }
bool Drawing::layerFrozenInNewViewports(LayerId) const { notYet(); }
void Drawing::setLayerFrozenInNewViewports(LayerId, bool) { notYet(); }
bool Drawing::layerLocked(LayerId) const { notYet(); }
void Drawing::setLayerLocked(LayerId, bool) { notYet(); }
bool Drawing::layerPlottable(LayerId) const { notYet(); }
void Drawing::setLayerPlottable(LayerId, bool) { notYet(); }
int Drawing::layerColor(LayerId) const { notYet(); }
void Drawing::setLayerColor(LayerId, int) { notYet(); }
QString Drawing::layerLinetype(LayerId) const { notYet(); }
void Drawing::setLayerLinetype(LayerId, const QString &) { notYet(); }
int Drawing::layerLineweight(LayerId) const { notYet(); }
void Drawing::setLayerLineweight(LayerId, int) { notYet(); }
QString Drawing::layerPlotStyleName(LayerId) const { notYet(); }
bool Drawing::layerIsXref(LayerId) const { notYet(); }
void Drawing::deleteLayer(LayerId) { notYet(); }
LayerId Drawing::currentLayer() const { return NoLayer; }
void Drawing::setCurrentLayer(LayerId) { notYet(); }
std::vector<EntityId> Drawing::layerEntities(LayerId) const { return {}; }
int Drawing::layerObjectCount(LayerId) const { return 0; }
bool Drawing::isValidLineweight(int) { return false; }
const std::vector<int> &Drawing::standardLineweights()
{
    static const std::vector<int> v;
    return v;
}
QStringList Drawing::linetypeNames() const { return {}; }
bool Drawing::hasLinetype(const QString &) const { return false; }
int Drawing::entityCapacity() const { return 0; }
bool Drawing::entityExists(EntityId) const { return false; }
EntityId Drawing::findEntity(const QString &) const { return NoEntity; }
QString Drawing::entityHandle(EntityId) const { notYet(); }
QString Drawing::entityType(EntityId) const { notYet(); }
QString Drawing::entityLayer(EntityId) const { notYet(); }
LayerId Drawing::entityLayerId(EntityId) const { notYet(); }
int Drawing::entityColor(EntityId) const { notYet(); }
QString Drawing::entityLinetype(EntityId) const { notYet(); }
bool Drawing::hasText(EntityId) const { notYet(); }
QString Drawing::entityText(EntityId) const { notYet(); }
int Drawing::entitySpace(EntityId) const { notYet(); }
QString Drawing::entityBlock(EntityId) const { notYet(); }
bool Drawing::isTopLevel(EntityId) const { notYet(); }
std::vector<EntityId> Drawing::subEntities(EntityId) const { return {}; }
void Drawing::setEntityLayer(EntityId, const QString &) { notYet(); }
void Drawing::setEntityColor(EntityId, int) { notYet(); }
void Drawing::setEntityLinetype(EntityId, const QString &) { notYet(); }
void Drawing::setEntityText(EntityId, const QString &) { notYet(); }
EntityGeometry Drawing::entityGeometry(EntityId) const { notYet(); }
int Drawing::effectiveColor(EntityId, int) const { notYet(); }
std::uint32_t Drawing::aciToRgb(int) { return 0; }
std::vector<EntityId> Drawing::topLevelEntities() const { return {}; }
std::vector<LayoutInfo> Drawing::layouts() const { return {}; }
std::vector<EntityId> Drawing::layoutEntities(int) const { return {}; }
std::vector<ViewportInfo> Drawing::viewports(int) const { return {}; }
std::vector<EntityId> Drawing::blockEntities(const QString &) const { return {}; }
Point Drawing::blockBasePoint(const QString &) const { return {}; }

} // namespace host
