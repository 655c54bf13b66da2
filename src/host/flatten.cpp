#include "host/flatten.h"

#include <QLineF>

#include <cmath>

namespace host {

namespace {

constexpr int kMaxBlockDepth = 16;
constexpr double kDeg = M_PI / 180.0;

struct Context {
    const Drawing &drawing;
    EntityId top;
    LayerId topLayer;
    std::vector<DrawItem> &out;
};

// What a block reference hands down to the objects inside it.
struct Inherit {
    QTransform transform;   // block coordinates to world
    LayerId layer = NoLayer; // the reference's layer (for objects on "0")
    int color = 256;         // the reference's colour (for ByBlock)
    int depth = 0;
};

bool isSimilarity(const QTransform &t, double *scale, bool *mirrored)
{
    const double a = t.m11(), b = t.m12(), c = t.m21(), d = t.m22();
    const double s1 = std::hypot(a, b), s2 = std::hypot(c, d);
    const double dot = a * c + b * d;
    if (s1 <= 0 || std::abs(s1 - s2) > 1e-9 * std::max(s1, s2) || std::abs(dot) > 1e-9 * s1 * s2)
        return false;
    *scale = s1;
    *mirrored = a * d - b * c < 0;
    return true;
}

double textWidth(const QString &text, double height, double widthFactor)
{
    double w = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        const bool wide = (u >= 0x1100 && u < 0xFF61) || (u >= 0xFFE0);
        w += wide ? 1.0 : 0.7;
    }
    return w * height * widthFactor;
}

void arcPoints(std::vector<QPointF> &pts, const QPointF &center, double r, double a0Deg, double a1Deg)
{
    double sweep = a1Deg - a0Deg;
    while (sweep <= 0)
        sweep += 360;
    const int n = std::max(4, static_cast<int>(std::ceil(sweep / 6.0)));
    for (int i = 0; i <= n; ++i) {
        const double a = (a0Deg + sweep * i / n) * kDeg;
        pts.emplace_back(center.x() + r * std::cos(a), center.y() + r * std::sin(a));
    }
}

// The points of a polyline with bulges, in its own coordinates.
std::vector<QPointF> bulgePolyline(const EntityGeometry &g, bool mirror)
{
    std::vector<QPointF> pts;
    const size_t n = g.points.size();
    const size_t segments = g.closed ? n : (n ? n - 1 : 0);
    for (size_t i = 0; i < n; ++i) {
        const QPointF p(mirror ? -g.points[i].x : g.points[i].x, g.points[i].y);
        if (pts.empty() || pts.back() != p)
            pts.push_back(p);
        if (i >= segments)
            continue;
        double bulge = i < g.bulges.size() ? g.bulges[i] : 0.0;
        if (mirror)
            bulge = -bulge;
        if (std::abs(bulge) < 1e-9)
            continue;
        const Point &qn = g.points[(i + 1) % n];
        const QPointF q(mirror ? -qn.x : qn.x, qn.y);
        const double chord = QLineF(p, q).length();
        if (chord <= 0)
            continue;
        const double theta = 4 * std::atan(bulge); // included angle, + = counter-clockwise
        const double r = chord / (2 * std::sin(std::abs(theta) / 2));
        const QPointF mid = (p + q) / 2;
        const QPointF dir = (q - p) / chord;
        const QPointF normal(-dir.y(), dir.x());
        const double h = r * std::cos(theta / 2) * (bulge > 0 ? 1 : -1);
        // Centre lies left of the chord for a counter-clockwise arc.
        const QPointF c = mid + normal * h;
        const double a0 = std::atan2(p.y() - c.y(), p.x() - c.x());
        const int steps = std::max(2, static_cast<int>(std::ceil(std::abs(theta) / (6 * kDeg))));
        for (int k = 1; k < steps; ++k) {
            const double a = a0 + theta * k / steps;
            pts.emplace_back(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        }
    }
    if (g.closed && pts.size() > 1 && pts.front() == pts.back())
        pts.pop_back();
    return pts;
}

void pushItem(Context &ctx, LayerId layer, int color, Primitive &&p)
{
    DrawItem item;
    item.entity = ctx.top;
    item.layer = layer;
    item.topLayer = ctx.topLayer;
    item.color = color;
    item.primitive = std::move(p);
    ctx.out.push_back(std::move(item));
}

void emitPolyline(Context &ctx, const Inherit &in, LayerId layer, int color,
                  const std::vector<QPointF> &local, bool closed)
{
    Primitive p;
    p.kind = Primitive::Kind::Polyline;
    p.closed = closed;
    p.points.reserve(local.size());
    for (const QPointF &q : local)
        p.points.push_back(in.transform.map(q));
    pushItem(ctx, layer, color, std::move(p));
}

void emitArc(Context &ctx, const Inherit &in, LayerId layer, int color, QPointF center, double r,
             double a0, double a1, bool full)
{
    double scale = 1;
    bool mirrored = false;
    if (isSimilarity(in.transform, &scale, &mirrored)) {
        Primitive p;
        p.kind = full ? Primitive::Kind::Circle : Primitive::Kind::Arc;
        p.center = in.transform.map(center);
        p.radius = r * scale;
        const double rot = std::atan2(in.transform.m12(), in.transform.m11()) / kDeg;
        if (!mirrored) {
            p.startAngle = a0 + rot;
            p.endAngle = a1 + rot;
        } else {
            // A mirror turns the direction round: the arc runs from the
            // image of its end to the image of its start.
            const QPointF s = in.transform.map(center + QPointF(std::cos(a1 * kDeg), std::sin(a1 * kDeg)) * r);
            const QPointF e = in.transform.map(center + QPointF(std::cos(a0 * kDeg), std::sin(a0 * kDeg)) * r);
            p.startAngle = std::atan2(s.y() - p.center.y(), s.x() - p.center.x()) / kDeg;
            p.endAngle = std::atan2(e.y() - p.center.y(), e.x() - p.center.x()) / kDeg;
        }
        pushItem(ctx, layer, color, std::move(p));
        return;
    }
    std::vector<QPointF> pts;
    arcPoints(pts, center, r, full ? 0 : a0, full ? 360 : a1);
    emitPolyline(ctx, in, layer, color, pts, full);
}

void emitText(Context &ctx, const Inherit &in, LayerId layer, int color, QPointF pos,
              double height, double rotationDeg, double widthFactor, const QString &text)
{
    if (text.isEmpty() || height <= 0)
        return;
    Primitive p;
    p.kind = Primitive::Kind::Text;
    p.position = in.transform.map(pos);
    const QPointF dirEnd = in.transform.map(pos + QPointF(std::cos(rotationDeg * kDeg), std::sin(rotationDeg * kDeg)));
    const QPointF upEnd = in.transform.map(pos + QPointF(-std::sin(rotationDeg * kDeg), std::cos(rotationDeg * kDeg)));
    p.rotation = std::atan2(dirEnd.y() - p.position.y(), dirEnd.x() - p.position.x()) / kDeg;
    const double sx = QLineF(p.position, dirEnd).length();
    const double sy = QLineF(p.position, upEnd).length();
    p.height = height * sy;
    p.widthFactor = sy > 0 ? widthFactor * sx / sy : widthFactor;
    p.text = text;
    pushItem(ctx, layer, color, std::move(p));
}

void flattenOne(Context &ctx, EntityId e, const Inherit &in);

void flattenText(Context &ctx, const Inherit &in, LayerId layer, int color, const EntityGeometry &g,
                 bool mirror)
{
    const bool mtext = g.type == QLatin1String("MTEXT");
    const QString text = plainText(g.text, mtext);
    const double h = g.height > 0 ? g.height : 2.5;
    const double rot = mirror ? 180 - g.rotation : g.rotation;
    const QPointF dir(std::cos(rot * kDeg), std::sin(rot * kDeg));
    const QPointF up(-dir.y(), dir.x());
    auto mirrored = [&](const Point &p) { return QPointF(mirror ? -p.x : p.x, p.y); };
    const QPointF ins = g.points.empty() ? QPointF() : mirrored(g.points.front());
    if (!mtext) {
        QPointF pos = ins;
        const double w = textWidth(text, h, g.widthFactor);
        const bool aligned = g.hAlign != 0 || g.vAlign != 0;
        if (aligned && g.hAlign != 3 && g.hAlign != 5) {
            const QPointF a = mirrored(g.alignPoint);
            pos = a;
            if (g.hAlign == 1 || g.hAlign == 4)
                pos -= dir * (w / 2);
            else if (g.hAlign == 2)
                pos -= dir * w;
            if (g.hAlign == 4 || g.vAlign == 2)
                pos -= up * (h / 2);
            else if (g.vAlign == 3)
                pos -= up * h;
        }
        emitText(ctx, in, layer, color, pos, h, rot, g.widthFactor, text);
        return;
    }
    const QStringList lines = text.split(QLatin1Char('\n'));
    const int attach = g.hAlign >= 1 && g.hAlign <= 9 ? g.hAlign : 1;
    const int row = (attach - 1) / 3; // 0 top, 1 middle, 2 bottom
    const int col = (attach - 1) % 3; // 0 left, 1 centre, 2 right
    const double spacing = h * 5.0 / 3.0;
    const double total = h + spacing * (lines.size() - 1);
    double firstBase = 0; // offset of the first base line along up
    if (row == 0)
        firstBase = -h;
    else if (row == 1)
        firstBase = total / 2 - h;
    else
        firstBase = total - h;
    for (int i = 0; i < lines.size(); ++i) {
        const double w = textWidth(lines[i], h, 1.0);
        QPointF pos = ins + up * (firstBase - spacing * i);
        if (col == 1)
            pos -= dir * (w / 2);
        else if (col == 2)
            pos -= dir * w;
        emitText(ctx, in, layer, color, pos, h, rot, 1.0, lines[i]);
    }
}

void flattenInsert(Context &ctx, const Inherit &in, LayerId layer, int color, const EntityGeometry &g,
                   bool mirror, bool dimension)
{
    if (in.depth >= kMaxBlockDepth || g.blockName.isEmpty())
        return;
    const std::vector<EntityId> inside = ctx.drawing.blockEntities(g.blockName);
    if (inside.empty())
        return;
    const Point base = ctx.drawing.blockBasePoint(g.blockName);
    const QPointF ins = g.points.empty() ? QPointF() : QPointF(g.points.front().x, g.points.front().y);
    const int cols = std::clamp(g.columns, 1, 1000);
    const int rows = std::clamp(g.rows, 1, 1000);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            QTransform local;
            if (!dimension) {
                // OCS mirror, then insertion, rotation, array offset, scale, base.
                if (mirror)
                    local.scale(-1, 1);
                local.translate(ins.x(), ins.y());
                local.rotate(g.rotation);
                local.translate(c * g.columnSpacing, r * g.rowSpacing);
                local.scale(g.xScale, g.yScale);
                local.translate(-base.x, -base.y);
            }
            Inherit child;
            child.transform = local * in.transform;
            child.layer = layer;
            child.color = color;
            child.depth = in.depth + 1;
            for (EntityId e : inside)
                flattenOne(ctx, e, child);
        }
    }
}

void flattenOne(Context &ctx, EntityId e, const Inherit &in)
{
    const Drawing &d = ctx.drawing;
    const EntityGeometry g = d.entityGeometry(e);
    if (g.invisible)
        return;
    // Layer "0" inside a block takes the reference's layer; ByBlock takes its colour.
    LayerId layer = d.entityLayerId(e);
    if (in.depth > 0 && in.layer != NoLayer && d.entityLayer(e) == QLatin1String("0"))
        layer = in.layer;
    int color = d.entityColor(e);
    if (color == 0)
        color = in.depth > 0 ? in.color : 7;
    if (color == 256 && in.depth > 0 && d.entityLayer(e) == QLatin1String("0"))
        color = in.color;
    if (color < 1 || color > 256)
        color = 7;

    const bool mirror = g.extrusion.z < 0;
    const QString &t = g.type;
    auto pt = [&](size_t i) {
        const Point &p = g.points[i];
        return QPointF(mirror && t != QLatin1String("LINE") ? -p.x : p.x, p.y);
    };

    if (t == QLatin1String("LINE")) {
        if (g.points.size() >= 2)
            emitPolyline(ctx, in, layer, color, {pt(0), pt(1)}, false);
    } else if (t == QLatin1String("LWPOLYLINE") || t == QLatin1String("POLYLINE")) {
        const auto pts = bulgePolyline(g, mirror);
        if (pts.size() >= 2)
            emitPolyline(ctx, in, layer, color, pts, g.closed);
        else if (pts.size() == 1)
            emitPolyline(ctx, in, layer, color, {pts[0], pts[0]}, false);
    } else if (t == QLatin1String("CIRCLE")) {
        if (!g.points.empty() && g.radius > 0)
            emitArc(ctx, in, layer, color, pt(0), g.radius, 0, 360, true);
    } else if (t == QLatin1String("ARC")) {
        if (!g.points.empty() && g.radius > 0) {
            double a0 = g.startAngle, a1 = g.endAngle;
            if (mirror) {
                a0 = 180 - g.endAngle;
                a1 = 180 - g.startAngle;
            }
            emitArc(ctx, in, layer, color, pt(0), g.radius, a0, a1, false);
        }
    } else if (t == QLatin1String("TEXT") || t == QLatin1String("MTEXT")
               || t == QLatin1String("ATTRIB")) {
        flattenText(ctx, in, layer, color, g, mirror);
    } else if (t == QLatin1String("INSERT")) {
        flattenInsert(ctx, in, layer, color, g, mirror, false);
        for (EntityId a : d.subEntities(e))
            if (d.entityType(a) == QLatin1String("ATTRIB"))
                flattenOne(ctx, a, in);
    } else if (t == QLatin1String("DIMENSION")) {
        flattenInsert(ctx, in, layer, color, g, false, true);
    } else if (t == QLatin1String("SOLID") || t == QLatin1String("TRACE")) {
        if (g.points.size() >= 3) {
            std::vector<QPointF> pts = {pt(0), pt(1)};
            if (g.points.size() >= 4)
                pts.push_back(pt(3));
            pts.push_back(pt(2));
            emitPolyline(ctx, in, layer, color, pts, true);
        }
    } else if (t == QLatin1String("3DFACE") || t == QLatin1String("LEADER")) {
        std::vector<QPointF> pts;
        for (size_t i = 0; i < g.points.size(); ++i)
            pts.push_back(QPointF(g.points[i].x, g.points[i].y));
        if (pts.size() >= 2)
            emitPolyline(ctx, in, layer, color, pts, t == QLatin1String("3DFACE"));
    } else if (t == QLatin1String("POINT")) {
        if (!g.points.empty())
            emitPolyline(ctx, in, layer, color, {pt(0), pt(0)}, false);
    }
}

} // namespace

void flattenEntity(const Drawing &drawing, EntityId entity, std::vector<DrawItem> &out)
{
    Context ctx{drawing, entity, drawing.entityLayerId(entity), out};
    flattenOne(ctx, entity, Inherit());
}

QString plainText(const QString &text, bool mtext)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (!mtext) {
            if (c == QLatin1Char('%') && i + 2 < n && text[i + 1] == QLatin1Char('%')) {
                const QChar k = text[i + 2].toLower();
                if (k == QLatin1Char('c')) { out += QChar(0x2205); i += 2; continue; }
                if (k == QLatin1Char('d')) { out += QChar(0x00B0); i += 2; continue; }
                if (k == QLatin1Char('p')) { out += QChar(0x00B1); i += 2; continue; }
                if (k == QLatin1Char('%')) { out += QLatin1Char('%'); i += 2; continue; }
                if (k == QLatin1Char('u') || k == QLatin1Char('o') || k == QLatin1Char('k')) { i += 2; continue; }
            }
            out += c;
            continue;
        }
        if (c == QLatin1Char('{') || c == QLatin1Char('}'))
            continue;
        if (c != QLatin1Char('\\') || i + 1 >= n) {
            out += c;
            continue;
        }
        const QChar k = text[++i];
        switch (k.unicode()) {
        case 'P': case 'X': out += QLatin1Char('\n'); break;
        case '~': out += QLatin1Char(' '); break;
        case '\\': case '{': case '}': out += k; break;
        case 'L': case 'l': case 'O': case 'o': case 'K': case 'k': break;
        case 'S': { // stacked fraction up to ';'
            qsizetype j = i + 1;
            QString s;
            while (j < n && text[j] != QLatin1Char(';'))
                s += text[j++];
            s.replace(QLatin1Char('^'), QLatin1Char('/')).replace(QLatin1Char('#'), QLatin1Char('/'));
            out += s;
            i = j;
            break;
        }
        case 'U': // \U+XXXX
            if (i + 5 < n && text[i + 1] == QLatin1Char('+')) {
                bool ok = false;
                const uint code = text.mid(i + 2, 4).toUInt(&ok, 16);
                if (ok) {
                    out += QChar(static_cast<char16_t>(code));
                    i += 5;
                    break;
                }
            }
            out += k;
            break;
        default: { // \f...; \H...; \C...; and the like
            if (QStringLiteral("fFHhWwQqTtAaCcp").contains(k)) {
                while (i + 1 < n && text[i + 1] != QLatin1Char(';'))
                    ++i;
                ++i;
            } else {
                out += k;
            }
        }
        }
    }
    return out;
}

bool layerVisible(const Drawing &drawing, LayerId layer)
{
    if (layer == NoLayer)
        return true;
    return drawing.layerOn(layer) && !drawing.layerFrozen(layer);
}

QRgb itemColor(const Drawing &drawing, const DrawItem &item)
{
    int aci = item.color;
    if (aci == 256)
        aci = item.layer != NoLayer ? drawing.layerColor(item.layer) : 7;
    return static_cast<QRgb>(0xff000000u | Drawing::aciToRgb(aci));
}

Primitives visiblePrimitives(const Drawing &drawing, const std::vector<EntityId> &entities)
{
    Primitives out;
    std::vector<DrawItem> items;
    for (EntityId e : entities) {
        if (!drawing.entityExists(e))
            continue;
        items.clear();
        flattenEntity(drawing, e, items);
        for (DrawItem &item : items) {
            if (!layerVisible(drawing, item.layer)
                || (item.topLayer != NoLayer && drawing.layerFrozen(item.topLayer)))
                continue;
            item.primitive.color = itemColor(drawing, item);
            out.push_back(std::move(item.primitive));
        }
    }
    return out;
}

} // namespace host
