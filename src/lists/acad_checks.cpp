#include "lists/acad_checks.h"
#include "app/program.h"

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

bool pu_fun_bViewportModelSpaceActive(app::Program &p, const acad::DocumentPtr &doc)
{
    if (doc->ActiveSpace() == 1) {
        p.MsgBox(QStringLiteral("モデルタブがアクティブです。\r\n"
                                "レイアウトタブをアクティブにしてフリーズ設定したい浮動ビューポート\r\n"
                                "のモデル空間をアクティブ（ダブルクリックにて選択）にしてから実行してください"),
                 platform::vbOKOnly + platform::vbExclamation);
        return false;
    }
    if (!doc->MSpace()) {
        p.MsgBox(QStringLiteral("浮動ビューポート内のモデル空間をアクティブにしてから実行してください。"),
                 platform::vbOKOnly + platform::vbExclamation);
        return false;
    }
    return true;
}

} // namespace lists
