#include "lists/acad_checks.h"

namespace lists {

acad::AcadError objectNotSet()
{
    return acad::AcadError(
        91, QStringLiteral("オブジェクト変数または With ブロック変数が設定されていません。"));
}

acad::LayersPtr layersOf(const acad::DocumentPtr &doc)
{
    acad::LayersPtr layers = doc->Layers();
    if (!layers)
        throw objectNotSet();
    return layers;
}

acad::LayerPtr layerNamed(const acad::LayersPtr &layers, const QString &name)
{
    acad::LayerPtr layer = layers->Item(name);
    if (!layer)
        throw objectNotSet();
    return layer;
}

acad::LayerPtr activeLayer(const acad::DocumentPtr &doc)
{
    acad::LayerPtr layer = doc->ActiveLayer();
    if (!layer)
        throw objectNotSet();
    return layer;
}

} // namespace lists
