#include "host/primitives.h"

#include <algorithm>
#include <cmath>

namespace host {

void BoundsBuilder::add(const QPointF &pt)
{
    if (!std::isfinite(pt.x()) || !std::isfinite(pt.y()))
        return;
    if (!m_any) {
        m_x0 = m_x1 = pt.x();
        m_y0 = m_y1 = pt.y();
        m_any = true;
        return;
    }
    m_x0 = std::min(m_x0, pt.x());
    m_x1 = std::max(m_x1, pt.x());
    m_y0 = std::min(m_y0, pt.y());
    m_y1 = std::max(m_y1, pt.y());
}

void BoundsBuilder::add(const Primitive &p)
{
    switch (p.kind) {
    case Primitive::Kind::Polyline:
        for (const QPointF &pt : p.points)
            add(pt);
        break;
    case Primitive::Kind::Circle:
    case Primitive::Kind::Arc:
        add(p.center - QPointF(p.radius, p.radius));
        add(p.center + QPointF(p.radius, p.radius));
        break;
    case Primitive::Kind::Text: {
        const double len = p.height * p.widthFactor * 0.8 * p.text.size();
        const double a = p.rotation * M_PI / 180.0;
        const QPointF dir(std::cos(a), std::sin(a));
        const QPointF up(-std::sin(a), std::cos(a));
        add(p.position);
        add(p.position + dir * len);
        add(p.position + up * p.height);
        add(p.position + dir * len + up * p.height);
        break;
    }
    }
}

QRectF BoundsBuilder::rect() const
{
    if (!m_any)
        return QRectF();
    return QRectF(QPointF(m_x0, m_y0), QPointF(m_x1, m_y1));
}

QRectF boundsOf(const Primitives &primitives)
{
    BoundsBuilder b;
    for (const Primitive &p : primitives)
        b.add(p);
    return b.rect();
}

} // namespace host
