#include "host/selection_filter.h"

namespace host {

namespace {

[[noreturn]] void invalid(const QString &why)
{
    throw acad::AcadError(acad::err::InvalidInput, QStringLiteral("Invalid input: ") + why);
}

int toNumber(const QVariant &v, int code)
{
    bool ok = false;
    const int n = v.toInt(&ok);
    if (!ok)
        invalid(QStringLiteral("filter value of code %1 is not a number").arg(code));
    return n;
}

} // namespace

SelectionFilter::SelectionFilter(const acad::FilterTypes &types, const acad::FilterData &data)
{
    if (types.size() != data.size())
        invalid(QStringLiteral("filter arrays differ in length"));
    for (size_t i = 0; i < types.size(); ++i) {
        Condition c;
        c.code = types[i];
        const QVariant &v = data[i];
        switch (c.code) {
        case 0:
        case 6:
        case 8: {
            if (v.typeId() != QMetaType::QString && !v.canConvert<QString>())
                invalid(QStringLiteral("filter value of code %1 is not a name").arg(c.code));
            const QString text = v.toString();
            c.pattern = WildcardPattern(text);
            if (c.code == 8 && c.pattern.isPlainName() && !m_plainLayer)
                m_plainLayer = c.pattern.plainName();
            break;
        }
        case 62:
        case 67:
            c.number = toNumber(v, c.code);
            break;
        default:
            invalid(QStringLiteral("filter code %1 is not supported").arg(c.code));
        }
        m_conditions.push_back(std::move(c));
    }
}

bool SelectionFilter::matches(const Drawing &drawing, EntityId e) const
{
    for (const Condition &c : m_conditions) {
        switch (c.code) {
        case 0:
            if (!c.pattern.matches(drawing.entityType(e)))
                return false;
            break;
        case 8:
            if (!c.pattern.matches(drawing.entityLayer(e)))
                return false;
            break;
        case 6:
            if (!c.pattern.matches(drawing.entityLinetype(e)))
                return false;
            break;
        case 62:
            if (drawing.entityColor(e) != c.number)
                return false;
            break;
        case 67:
            if (drawing.entitySpace(e) != c.number)
                return false;
            break;
        default:
            return false;
        }
    }
    return true;
}

std::vector<EntityId> SelectionFilter::selectAll(const Drawing &drawing) const
{
    std::vector<EntityId> candidates;
    if (m_plainLayer) {
        const LayerId layer = drawing.findLayer(*m_plainLayer);
        if (layer == NoLayer)
            return {};
        candidates = drawing.layerEntities(layer);
    } else {
        candidates = drawing.topLevelEntities();
    }
    std::vector<EntityId> out;
    out.reserve(candidates.size());
    for (EntityId e : candidates)
        if (matches(drawing, e))
            out.push_back(e);
    return out;
}

} // namespace host
