#include "host/ui/drawing_view.h"

#include <QEventLoop>
#include <QLineF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <cmath>
#include <unordered_map>

namespace host {

namespace {

constexpr double kPickTolerance = 4.0; // pixels
const QColor kBackground(24, 28, 34);

QRectF itemBounds(const Primitive &p)
{
    BoundsBuilder b;
    b.add(p);
    return b.rect();
}

std::vector<QPointF> arcPolyline(const Primitive &p)
{
    std::vector<QPointF> pts;
    double sweep = p.kind == Primitive::Kind::Circle ? 360 : p.endAngle - p.startAngle;
    while (sweep <= 0)
        sweep += 360;
    const int n = std::max(8, static_cast<int>(std::ceil(sweep / 5.0)));
    for (int i = 0; i <= n; ++i) {
        const double a = (p.startAngle + sweep * i / n) * M_PI / 180.0;
        pts.emplace_back(p.center.x() + p.radius * std::cos(a), p.center.y() + p.radius * std::sin(a));
    }
    return pts;
}

double distanceToSegment(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const QPointF ab = b - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    double t = len2 > 0 ? QPointF::dotProduct(p - a, ab) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return QLineF(p, a + ab * t).length();
}

// Distance in space units from a point to a primitive's outline.
double distanceTo(const Primitive &prim, const QPointF &pt)
{
    switch (prim.kind) {
    case Primitive::Kind::Polyline: {
        double best = 1e300;
        const auto &ps = prim.points;
        for (size_t i = 0; i + 1 < ps.size(); ++i)
            best = std::min(best, distanceToSegment(pt, ps[i], ps[i + 1]));
        if (prim.closed && ps.size() > 2)
            best = std::min(best, distanceToSegment(pt, ps.back(), ps.front()));
        if (ps.size() == 1 || (ps.size() == 2 && ps[0] == ps[1]))
            best = std::min(best, QLineF(pt, ps[0]).length());
        return best;
    }
    case Primitive::Kind::Circle:
        return std::abs(QLineF(pt, prim.center).length() - prim.radius);
    case Primitive::Kind::Arc: {
        const auto pts = arcPolyline(prim);
        double best = 1e300;
        for (size_t i = 0; i + 1 < pts.size(); ++i)
            best = std::min(best, distanceToSegment(pt, pts[i], pts[i + 1]));
        return best;
    }
    case Primitive::Kind::Text:
        return itemBounds(prim).contains(pt) ? 0 : 1e300;
    }
    return 1e300;
}

} // namespace

DrawingView::DrawingView(Host &host, QWidget *parent) : QWidget(parent), m_host(host)
{
    setObjectName(QStringLiteral("DrawingView"));
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(false);
    setMinimumSize(200, 150);
}

DrawingView::~DrawingView()
{
    if (m_pick)
        endPick(true);
}

QString DrawingView::viewKey() const
{
    if (!m_drawing)
        return QString();
    return QString::number(reinterpret_cast<quintptr>(m_drawing)) + QLatin1Char(':')
           + QString::number(m_drawing->activeLayout());
}

void DrawingView::showDrawing(OpenDrawing *drawing)
{
    // Each drawing and tab keeps its own zoom and pan.
    if (m_drawing && m_viewSet && !m_autoFit && !m_shownKey.isEmpty())
        m_views[m_shownKey] = m_view;
    m_drawing = drawing;
    m_viewSet = false;
    m_autoFit = false;
    m_shownKey = viewKey();
    if (m_drawing) {
        auto it = m_views.find(viewKey());
        if (it != m_views.end()) {
            m_view = it->second;
            m_viewSet = true;
        } else {
            zoomExtents();
            m_autoFit = true;
        }
    }
    update();
}

void DrawingView::forgetClosed()
{
    for (auto it = m_caches.begin(); it != m_caches.end();) {
        if (!m_host.find(it->first))
            it = m_caches.erase(it);
        else
            ++it;
    }
    for (auto it = m_views.begin(); it != m_views.end();) {
        bool open = false;
        for (const auto &d : m_host.drawings())
            if (it->first.startsWith(QString::number(reinterpret_cast<quintptr>(d.get())) + QLatin1Char(':')))
                open = true;
        it = open ? std::next(it) : m_views.erase(it);
    }
    if (m_drawing && !m_host.find(m_drawing)) {
        m_drawing = nullptr;
        endPick(true); // the drawing picked in was closed
    }
}

const DrawingView::Cache &DrawingView::cacheFor(int layout)
{
    Cache &c = m_caches[m_drawing][layout];
    if (c.generation == m_drawing->generation())
        return c;
    c.items.clear();
    c.bounds.clear();
    const Drawing &d = m_drawing->drawing();
    for (EntityId e : d.layoutEntities(layout)) {
        if (d.entityType(e) == QLatin1String("VIEWPORT"))
            continue; // drawn as frames by the layout
        flattenEntity(d, e, c.items);
    }
    c.bounds.reserve(c.items.size());
    for (const DrawItem &item : c.items)
        c.bounds.push_back(itemBounds(item.primitive));
    c.generation = m_drawing->generation();
    return c;
}

std::vector<DrawingView::Group> DrawingView::groups()
{
    std::vector<Group> out;
    if (!m_drawing)
        return out;
    const int layout = m_drawing->activeLayout();
    if (layout == 0) {
        Group g;
        g.cache = &cacheFor(0);
        out.push_back(std::move(g));
        return out;
    }
    const Drawing &d = m_drawing->drawing();
    const Cache *model = &cacheFor(0);
    for (const ViewportInfo &vp : d.viewports(layout)) {
        if (vp.id == 1 || !vp.on || vp.viewHeight <= 0 || vp.height <= 0)
            continue;
        Group g;
        g.cache = model;
        const double s = vp.height / vp.viewHeight;
        QTransform t;
        t.translate(vp.center.x, vp.center.y);
        t.scale(s, s);
        t.translate(-vp.viewCenter.x, -vp.viewCenter.y);
        g.toSpace = t;
        g.clip = QRectF(vp.center.x - vp.width / 2, vp.center.y - vp.height / 2, vp.width, vp.height);
        g.frozen.insert(vp.frozenLayers.begin(), vp.frozenLayers.end());
        g.pickable = m_drawing->modelSpaceActive() && m_drawing->activeViewport() == vp.entity;
        out.push_back(std::move(g));
    }
    Group paper;
    paper.cache = &cacheFor(layout);
    paper.pickable = !m_drawing->modelSpaceActive();
    out.push_back(std::move(paper));
    return out;
}

QRectF DrawingView::spaceExtents()
{
    BoundsBuilder b;
    if (!m_drawing)
        return QRectF();
    const int layout = m_drawing->activeLayout();
    if (layout != 0) {
        for (const ViewportInfo &vp : m_drawing->drawing().viewports(layout)) {
            if (vp.id == 1)
                continue;
            b.add(QPointF(vp.center.x - vp.width / 2, vp.center.y - vp.height / 2));
            b.add(QPointF(vp.center.x + vp.width / 2, vp.center.y + vp.height / 2));
        }
    }
    const Cache &c = cacheFor(layout);
    for (const QRectF &r : c.bounds) {
        if (r.isNull() && r.topLeft() == QPointF())
            continue;
        b.add(r.topLeft());
        b.add(r.bottomRight());
    }
    return b.rect();
}

void DrawingView::zoomExtents()
{
    m_viewSet = true;
    QRectF r = spaceExtents();
    if (r.isNull() || !std::isfinite(r.width()) || !std::isfinite(r.height()))
        r = QRectF(0, 0, 420, 297);
    const double w = std::max(r.width(), 1e-9), h = std::max(r.height(), 1e-9);
    double k = std::min(width() / w, height() / h) * 0.92;
    if (!std::isfinite(k) || k <= 0)
        k = 1;
    const QPointF c = r.center();
    m_view = QTransform(k, 0, 0, -k, width() / 2.0 - k * c.x(), height() / 2.0 + k * c.y());
    update();
}

void DrawingView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if ((!m_viewSet || m_autoFit) && m_drawing)
        zoomExtents();
}

void DrawingView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), kBackground);
    m_painted = 0;
    if (!m_drawing || !m_host.find(m_drawing))
        return;
    if (!m_viewSet)
        zoomExtents();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF visible = m_view.inverted().mapRect(QRectF(rect()));
    const auto gs = groups();
    const Drawing &d = m_drawing->drawing();
    // Viewport frames first, the active one highlighted.
    if (m_drawing->activeLayout() != 0) {
        p.setTransform(m_view);
        for (const ViewportInfo &vp : d.viewports(m_drawing->activeLayout())) {
            if (vp.id == 1)
                continue;
            const bool active = m_drawing->activeViewport() == vp.entity;
            QPen pen(active ? QColor(255, 255, 255) : QColor(150, 150, 150));
            pen.setCosmetic(true);
            pen.setWidthF(active ? 2.0 : 1.0);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(vp.center.x - vp.width / 2, vp.center.y - vp.height / 2, vp.width, vp.height));
        }
    }
    for (const Group &g : gs)
        paintGroup(p, g, visible);

    if (m_pick && m_pick->dragStart) {
        p.resetTransform();
        const QRect band = QRect(*m_pick->dragStart, m_pick->dragNow).normalized();
        const bool crossing = m_pick->dragNow.x() < m_pick->dragStart->x();
        QPen pen(crossing ? QColor(80, 220, 80) : QColor(80, 140, 255));
        if (crossing)
            pen.setStyle(Qt::DashLine);
        p.setPen(pen);
        p.setBrush(QColor(pen.color().red(), pen.color().green(), pen.color().blue(), 40));
        p.drawRect(band);
    }
}

void DrawingView::paintGroup(QPainter &p, const Group &g, const QRectF &visibleSpace)
{
    const Drawing &d = m_drawing->drawing();
    const QTransform total = g.toSpace * m_view;
    p.save();
    if (g.clip) {
        p.setTransform(m_view);
        p.setClipRect(*g.clip);
    }
    p.setTransform(total);
    const QTransform spaceOfItem = g.toSpace;
    const bool identity = spaceOfItem.isIdentity();
    QPen pen;
    pen.setCosmetic(true);
    p.setBrush(Qt::NoBrush);
    const auto &items = g.cache->items;
    for (size_t i = 0; i < items.size(); ++i) {
        const DrawItem &item = items[i];
        const QRectF b = identity ? g.cache->bounds[i] : spaceOfItem.mapRect(g.cache->bounds[i]);
        if (!b.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).intersects(visibleSpace) && !(b.width() == 0 && b.height() == 0 && visibleSpace.contains(b.topLeft())))
            continue;
        if (!layerVisible(d, item.layer) || (item.topLayer != NoLayer && d.layerFrozen(item.topLayer)))
            continue;
        if (!g.frozen.empty() && (g.frozen.count(item.layer) || g.frozen.count(item.topLayer)))
            continue;
        const bool picked = m_pick && m_pick->members.count(item.entity);
        pen.setColor(QColor::fromRgb(itemColor(d, item)));
        pen.setWidthF(picked ? 2.5 : 1.0);
        pen.setStyle(picked ? Qt::DashLine : Qt::SolidLine);
        p.setPen(pen);
        const Primitive &prim = item.primitive;
        ++m_painted;
        switch (prim.kind) {
        case Primitive::Kind::Polyline: {
            if (prim.points.size() == 2 && prim.points[0] == prim.points[1]) {
                p.drawPoint(prim.points[0]);
                break;
            }
            QPolygonF poly(prim.points.begin(), prim.points.end());
            if (prim.closed)
                p.drawPolygon(poly);
            else
                p.drawPolyline(poly);
            break;
        }
        case Primitive::Kind::Circle:
            p.drawEllipse(prim.center, prim.radius, prim.radius);
            break;
        case Primitive::Kind::Arc: {
            const auto pts = arcPolyline(prim);
            p.drawPolyline(QPolygonF(pts.begin(), pts.end()));
            break;
        }
        case Primitive::Kind::Text: {
            const double a = prim.rotation * M_PI / 180.0;
            const QPointF origin = total.map(prim.position);
            const QPointF dir = total.map(prim.position + QPointF(std::cos(a), std::sin(a))) - origin;
            const QPointF up = total.map(prim.position + QPointF(-std::sin(a), std::cos(a))) - origin;
            const double px = std::hypot(up.x(), up.y()) * prim.height * 1.4;
            if (px < 2.0 || px > 4000)
                break;
            p.save();
            p.resetTransform();
            p.translate(origin);
            p.rotate(std::atan2(dir.y(), dir.x()) * 180.0 / M_PI);
            p.scale(prim.widthFactor, 1.0);
            QFont f = font();
            f.setPixelSize(std::max(1, static_cast<int>(px)));
            p.setFont(f);
            p.drawText(QPointF(0, 0), prim.text);
            p.restore();
            break;
        }
        }
    }
    p.restore();
}

void DrawingView::wheelEvent(QWheelEvent *event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0)
        return;
    const double f = std::pow(1.2, steps);
    const QPointF at = event->position();
    // Zoom about the point under the cursor.
    m_view = m_view * QTransform::fromTranslate(-at.x(), -at.y()) * QTransform::fromScale(f, f)
             * QTransform::fromTranslate(at.x(), at.y());
    m_viewSet = true;
    m_autoFit = false;
    update();
}

void DrawingView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton) {
        m_panning = true;
        m_panStart = event->pos();
        return;
    }
    if (!m_pick)
        return;
    if (event->button() == Qt::RightButton) {
        endPick(false);
        return;
    }
    if (event->button() == Qt::LeftButton) {
        const EntityId e = entityAt(event->position());
        if (e != NoEntity) {
            if (m_pick->members.insert(e).second)
                m_pick->picked.push_back(e);
            update();
            return;
        }
        m_pick->dragStart = event->pos();
        m_pick->dragNow = event->pos();
    }
}

void DrawingView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_panning) {
        const QPoint delta = event->pos() - m_panStart;
        m_panStart = event->pos();
        m_view = m_view * QTransform::fromTranslate(delta.x(), delta.y());
        m_viewSet = true;
        m_autoFit = false;
        update();
        return;
    }
    if (m_pick && m_pick->dragStart) {
        m_pick->dragNow = event->pos();
        update();
    }
}

void DrawingView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton) {
        m_panning = false;
        return;
    }
    if (m_pick && m_pick->dragStart && event->button() == Qt::LeftButton) {
        const QRect band = QRect(*m_pick->dragStart, event->pos()).normalized();
        const bool crossing = event->pos().x() < m_pick->dragStart->x();
        m_pick->dragStart.reset();
        if (band.width() > 2 || band.height() > 2) {
            const QRectF spaceRect = m_view.inverted().mapRect(QRectF(band));
            for (EntityId e : entitiesIn(spaceRect, crossing))
                if (m_pick->members.insert(e).second)
                    m_pick->picked.push_back(e);
        }
        update();
    }
}

void DrawingView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!m_drawing || m_drawing->activeLayout() == 0 || event->button() != Qt::LeftButton)
        return;
    const QPointF at = m_view.inverted().map(event->position());
    EntityId hit = NoEntity;
    for (const ViewportInfo &vp : m_drawing->drawing().viewports(m_drawing->activeLayout())) {
        if (vp.id == 1 || !vp.on)
            continue;
        const QRectF r(vp.center.x - vp.width / 2, vp.center.y - vp.height / 2, vp.width, vp.height);
        if (r.contains(at))
            hit = vp.entity;
    }
    m_drawing->setActiveViewport(hit);
    update();
}

EntityId DrawingView::entityAt(const QPointF &widgetPos)
{
    if (!m_drawing)
        return NoEntity;
    EntityId best = NoEntity;
    double bestDistance = kPickTolerance;
    const Drawing &d = m_drawing->drawing();
    for (const Group &g : groups()) {
        if (!g.pickable)
            continue;
        const QTransform total = g.toSpace * m_view;
        bool invertible = false;
        const QTransform inv = total.inverted(&invertible);
        if (!invertible)
            continue;
        const QPointF at = inv.map(widgetPos);
        const double perPixel = QLineF(inv.map(QPointF(0, 0)), inv.map(QPointF(1, 0))).length();
        const double tol = kPickTolerance * perPixel;
        const auto &items = g.cache->items;
        for (size_t i = 0; i < items.size(); ++i) {
            const DrawItem &item = items[i];
            if (!g.cache->bounds[i].adjusted(-tol, -tol, tol, tol).contains(at))
                continue;
            if (!layerVisible(d, item.layer) || g.frozen.count(item.layer))
                continue;
            const double dist = distanceTo(item.primitive, at) / perPixel;
            if (dist <= bestDistance) {
                bestDistance = dist;
                best = item.entity;
            }
        }
    }
    return best;
}

std::vector<EntityId> DrawingView::entitiesIn(const QRectF &spaceRect, bool crossing)
{
    // An object is taken by a window when all its parts lie inside, by a
    // crossing when any part touches it.
    if (!m_drawing)
        return {};
    std::unordered_map<EntityId, bool> state; // entity -> still all inside
    std::vector<EntityId> order;
    const Drawing &d = m_drawing->drawing();
    for (const Group &g : groups()) {
        if (!g.pickable)
            continue;
        const auto &items = g.cache->items;
        for (size_t i = 0; i < items.size(); ++i) {
            const DrawItem &item = items[i];
            if (!layerVisible(d, item.layer) || g.frozen.count(item.layer))
                continue;
            const QRectF b = g.toSpace.mapRect(g.cache->bounds[i]);
            const bool inside = spaceRect.contains(b);
            const bool touches = inside || spaceRect.intersects(b)
                                 || (b.width() == 0 && b.height() == 0 && spaceRect.contains(b.topLeft()));
            auto it = state.find(item.entity);
            if (it == state.end()) {
                order.push_back(item.entity);
                state[item.entity] = crossing ? touches : inside;
            } else if (crossing) {
                it->second = it->second || touches;
            } else {
                it->second = it->second && inside;
            }
        }
    }
    std::vector<EntityId> out;
    for (EntityId e : order)
        if (state[e])
            out.push_back(e);
    return out;
}

PickAnswer DrawingView::runPick()
{
    PickAnswer answer;
    if (!m_drawing || m_pick) {
        answer.cancelled = true;
        return answer;
    }
    QEventLoop loop;
    m_pick.emplace();
    m_pick->loop = &loop;
    update();
    loop.exec();
    const Pick pick = std::move(*m_pick);
    m_pick.reset();
    update();
    answer.cancelled = pick.cancelled;
    if (!pick.cancelled && m_drawing && m_host.find(m_drawing))
        for (EntityId e : pick.picked)
            answer.handles << m_drawing->drawing().entityHandle(e);
    return answer;
}

void DrawingView::endPick(bool cancelled)
{
    if (!m_pick)
        return;
    m_pick->cancelled = cancelled;
    if (m_pick->loop)
        m_pick->loop->quit();
}

} // namespace host
