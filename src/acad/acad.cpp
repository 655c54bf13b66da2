#include "acad/acad.h"

namespace acad {

AcadError::AcadError(long number, QString description)
    : m_number(number), m_description(std::move(description)),
      m_what(m_description.toStdString())
{
}

std::vector<LayerPtr> layersOf(const AcadLayers &layers)
{
    std::vector<LayerPtr> out;
    const long n = layers.Count();
    out.reserve(static_cast<size_t>(n));
    for (long i = 0; i < n; ++i)
        out.push_back(layers.Item(i));
    return out;
}

std::vector<LinetypePtr> linetypesOf(const AcadLinetypes &linetypes)
{
    std::vector<LinetypePtr> out;
    const long n = linetypes.Count();
    out.reserve(static_cast<size_t>(n));
    for (long i = 0; i < n; ++i)
        out.push_back(linetypes.Item(i));
    return out;
}

std::vector<EntityPtr> entitiesOf(const AcadSelectionSet &set)
{
    std::vector<EntityPtr> out;
    const long n = set.Count();
    out.reserve(static_cast<size_t>(n));
    for (long i = 0; i < n; ++i)
        out.push_back(set.Item(i));
    return out;
}

} // namespace acad
