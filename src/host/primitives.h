// Flat drawing primitives in world coordinates: what the host's view paints
// and what the metafile export writes.  Block references, polylines with
// arcs, ellipses and the like are reduced to these.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QRgb>
#include <QString>

#include <vector>

namespace host {

struct Primitive {
    enum class Kind { Polyline, Circle, Arc, Text };
    Kind kind = Kind::Polyline;
    QRgb color = 0xffffffff;

    // Polyline: the points, closed or open.  A line is a polyline of two.
    std::vector<QPointF> points;
    bool closed = false;

    // Circle and arc: centre and radius; an arc runs counter-clockwise from
    // startAngle to endAngle (degrees).
    QPointF center;
    double radius = 0;
    double startAngle = 0;
    double endAngle = 360;

    // Text: the left end of the base line, the height of capitals, the
    // rotation in degrees, a width factor.
    QPointF position;
    double height = 0;
    double rotation = 0;
    double widthFactor = 1;
    QString text;
};

using Primitives = std::vector<Primitive>;

// Collects the world-coordinate box around points and primitives (texts
// approximated by their height and length).
class BoundsBuilder {
public:
    void add(const QPointF &pt);
    void add(const Primitive &p);
    bool isEmpty() const { return !m_any; }
    QRectF rect() const; // x grows right, y grows up; top() is the minimum y

private:
    bool m_any = false;
    double m_x0 = 0, m_y0 = 0, m_x1 = 0, m_y1 = 0;
};

QRectF boundsOf(const Primitives &primitives);

} // namespace host
