// The layer-table snapshot and the combos filled from it.
#include "app/layers_state.h"
#include "lists/layer_combo.h"
#include "app/frm_main.h"
#include "app/program.h"
#include "lists/sorted.h"

#include <QComboBox>

namespace app {

namespace {

// The runtime's errors for a missing object and an impossible array.
constexpr long kObjectNotSet = 91;
const QString kObjectNotSetText = QStringLiteral("オブジェクト変数または With ブロック変数が設定されていません。");
constexpr long kSubscriptOutOfRange = 9;
const QString kSubscriptOutOfRangeText = QStringLiteral("インデックスが有効範囲にありません。");

acad::AcadError objectNotSet()
{
    return acad::AcadError(kObjectNotSet, kObjectNotSetText);
}

} // namespace

bool modeProperty(const typLayerState &layer, int mode)
{
    switch (mode) {
    case ModeDisplay:
        return layer.LayerOn;
    case ModeFreeze:
        return layer.Freeze;
    case ModeLock:
        return layer.Lock;
    case ModePlot:
        return layer.Plottable;
    case ModeNewFreeze:
        return layer.ViewportDefault;
    default:
        return false;
    }
}

long Program::pu_fun_lnAcad_Layers_Count()
{
    try {
        if (!gAcadDoc)
            throw objectNotSet();
        const acad::LayersPtr layers = gAcadDoc->Layers();
        if (!layers)
            throw objectNotSet();
        return layers->Count();
    } catch (const std::exception &e) {
        ErrorBox(QStringLiteral("pu_fun_lnAcad_Layers_Count"), e);
        return 0;
    }
}

void Program::pu_subAcadGetLayersState()
{
    const QString proc = QStringLiteral("pu_subAcadGetLayersState");
    try {
        const long n = pu_fun_lnAcad_Layers_Count();
        // The old snapshot goes in every case: nothing of an earlier read may
        // pass for the drawing's layers once a rebuild was asked for.
        gLayersState.Erase();
        if (n <= 0)
            throw acad::AcadError(kSubscriptOutOfRange, kSubscriptOutOfRangeText);
        gLayersState.ReDim(static_cast<int>(n));
        const acad::LayersPtr layers = gAcadDoc->Layers();
        if (!layers)
            throw objectNotSet();
        for (int i = 1; i <= n; ++i) {
            const acad::LayerPtr layer = layers->Item(static_cast<long>(i - 1));
            if (!layer)
                throw objectNotSet();
            typLayerState &s = gLayersState(i);
            s.Name = layer->Name();
            s.Linetype = layer->Linetype();
            s.PlotStyleName = layer->PlotStyleName();
            s.Freeze = layer->Freeze();
            s.LayerOn = layer->LayerOn();
            s.Lock = layer->Lock();
            s.ViewportDefault = layer->ViewportDefault();
            s.Plottable = layer->Plottable();
            s.Color = layer->Color();
            s.Lineweight = layer->Lineweight();
        }
    } catch (const std::exception &e) {
        ErrorBox(proc, e);
    }
}

void Program::pu_subSetCboLayers()
{
    FrmMain &f = *m_frmMain;
    try {
        QComboBox *cbo = f.CboLayer;
        cbo->blockSignals(true);
        lists::resetCombo(cbo, {QStringLiteral("   (ALL)   ")});
        QStringList names;
        names.reserve(gLayersState.UBound());
        for (const typLayerState &layer : gLayersState)
            names.append(layer.Name);
        lists::addSorted(cbo, names);
        cbo->setCurrentIndex(0);
        cbo->blockSignals(false);
        // The layer buttons follow the new selection ("(ALL)": all off).
        lists::pr_subCheckLayerState(*this);

        QComboBox *linetypes = f.CboTab0[1];
        linetypes->clear();
        linetypes->addItem(QStringLiteral("(指定しない)"));
        if (!gAcadDoc)
            throw objectNotSet();
        const acad::LinetypesPtr collection = gAcadDoc->Linetypes();
        if (!collection)
            throw objectNotSet();
        const long n = collection->Count();
        for (long i = 0; i < n; ++i) {
            const acad::LinetypePtr lt = collection->Item(i);
            if (!lt)
                throw objectNotSet();
            linetypes->addItem(lt->Name());
        }
        linetypes->setCurrentIndex(0);
    } catch (const std::exception &e) {
        f.CboLayer->blockSignals(false);
        ErrorBox(QStringLiteral("pu_subSetCboLayers"), e);
    }
}

} // namespace app
