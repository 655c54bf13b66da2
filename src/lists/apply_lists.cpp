#include "lists/apply_lists.h"
#include "app/program.h"
#include "lists/acad_checks.h"

#include <functional>

namespace lists {

namespace {

constexpr int kRegenAllViewports = 1;

acad::DocumentPtr activeDocument(app::Program &p)
{
    if (!p.gAcadDoc)
        throw objectNotSet();
    return p.gAcadDoc;
}

// The simple modes: one property set on every named layer, even when it
// already has the value.
void applySimple(app::Program &p, const QString &proc, const NameArray &aOn, const NameArray &aOff,
                 const std::function<void(acad::AcadLayer &, bool)> &set, bool regen)
{
    try {
        const acad::DocumentPtr doc = activeDocument(p);
        const acad::LayersPtr layers = layersOf(doc);
        for (qsizetype i = 1; i < aOn.size(); ++i)
            if (!aOn.at(i).isEmpty())
                set(*layerNamed(layers, aOn.at(i)), true);
        for (qsizetype i = 1; i < aOff.size(); ++i)
            if (!aOff.at(i).isEmpty())
                set(*layerNamed(layers, aOff.at(i)), false);
        if (regen)
            doc->Regen(kRegenAllViewports);
    } catch (const std::exception &e) {
        p.ErrorBox(proc, e);
    }
}

} // namespace

void pu_subUpdateDWG_ON_OFF(app::Program &p, const NameArray &aOn, const NameArray &aOff)
{
    applySimple(p, QStringLiteral("pu_subUpdateDWG_ON_OFF"), aOn, aOff,
                [](acad::AcadLayer &l, bool v) { l.setLayerOn(v); }, true);
}

void pu_subUpdateDWG_Lock(app::Program &p, const NameArray &aOn, const NameArray &aOff)
{
    applySimple(p, QStringLiteral("pu_subUpdateDWG_Lock"), aOn, aOff,
                [](acad::AcadLayer &l, bool v) { l.setLock(v); }, false);
}

void pu_subUpdateDWG_Plot(app::Program &p, const NameArray &aOn, const NameArray &aOff)
{
    applySimple(p, QStringLiteral("pu_subUpdateDWG_Plot"), aOn, aOff,
                [](acad::AcadLayer &l, bool v) { l.setPlottable(v); }, false);
}

void pu_subUpdateDWG_NewFreeze(app::Program &p, const NameArray &aOn, const NameArray &aOff)
{
    applySimple(p, QStringLiteral("pu_subUpdateDWG_NewFreeze"), aOn, aOff,
                [](acad::AcadLayer &l, bool v) { l.setViewportDefault(v); }, false);
}

void pu_subUpdateDWG_Freeze(app::Program &p, const NameArray &aOn, const NameArray &aOff)
{
    try {
        const acad::DocumentPtr doc = activeDocument(p);
        const acad::LayersPtr layers = layersOf(doc);
        for (qsizetype i = 1; i < aOn.size(); ++i) {
            const QString &name = aOn.at(i);
            if (name.isEmpty())
                continue;
            // The current layer is read again for every name.
            if (name == activeLayer(doc)->Name()) {
                p.MsgBox(QStringLiteral("現在アクティブな画層：") + name +
                             QStringLiteral("\r\nはフリーズすることができません。"),
                         platform::vbOKOnly);
                continue;
            }
            layerNamed(layers, name)->setFreeze(true);
        }
        for (qsizetype i = 1; i < aOff.size(); ++i) {
            const QString &name = aOff.at(i);
            if (name.isEmpty())
                continue;
            const acad::LayerPtr current = activeLayer(doc);
            if (current->Freeze() && name == current->Name()) {
                p.MsgBox(QStringLiteral("現在アクティブな画層：") + name +
                             QStringLiteral("\r\nをフリーズ解除することができません。"),
                         platform::vbOKOnly + platform::vbExclamation);
                continue;
            }
            const acad::LayerPtr layer = layerNamed(layers, name);
            if (layer->Freeze())
                layer->setFreeze(false);
        }
        doc->Regen(kRegenAllViewports);
    } catch (const std::exception &e) {
        p.ErrorBox(QStringLiteral("pu_subUpdateDWG_Freeze"), e);
    }
}

void pu_subUpdateDWG_NowFreeze(app::Program &p, const NameArray &aOn, const NameArray &aOff)
{
    try {
        const acad::DocumentPtr doc = activeDocument(p);
        if (!pu_fun_bViewportModelSpaceActive(p, doc))
            return;
        if (pu_fun_bNowFreezeScriptStep(p, aOn, aOff))
            doc->Regen(kRegenAllViewports);
    } catch (const std::exception &e) {
        p.ErrorBox(QStringLiteral("pu_subUpdateDWG_NowFreeze"), e);
    }
}

} // namespace lists
