// -LAYER and VPLAYER: the layer commands a layer script uses.
#include "host/commands/command_line.h"
#include "host/commands/layer_names.h"

#include "host/host.h"

#include <cmath>

namespace host {

namespace {

const QStringList kColorNames = {QStringLiteral("red"), QStringLiteral("yellow"),
                                 QStringLiteral("green"), QStringLiteral("cyan"),
                                 QStringLiteral("blue"), QStringLiteral("magenta"),
                                 QStringLiteral("white")};

class LayerCommand : public Command {
public:
    using Command::Command;

    void start() override { drawingOrFinish(); }

    QString prompt() const override
    {
        switch (m_step) {
        case Step::Option:
            return QStringLiteral("Enter an option "
                                  "[?/Make/Set/New/ON/OFF/Color/Ltype/LWeight/Plot/Freeze/Thaw/LOck/Unlock]:");
        case Step::Make:
            return QStringLiteral("Enter name for new layer (becomes the current layer) <%1>:")
                .arg(currentName());
        case Step::Set:
            return QStringLiteral("Enter layer name to make current <%1>:").arg(currentName());
        case Step::New:
            return QStringLiteral("Enter name list for new layer(s):");
        case Step::Color:
            return QStringLiteral("Enter color name or number (1-255):");
        case Step::Ltype:
            return QStringLiteral("Enter a loaded linetype name <Continuous>:");
        case Step::Lweight:
            return QStringLiteral("Enter lineweight (0.0mm-2.11mm):");
        case Step::Plot:
            return QStringLiteral("Enter a plotting preference [Plot/No plot] <Plot>:");
        case Step::Names:
            return namesPrompt();
        case Step::ConfirmOff:
            return QStringLiteral("Really want layer %1 (the CURRENT layer) off? <N>").arg(currentName());
        }
        return QString();
    }

    bool takesSpaces() const override
    {
        return m_step == Step::Names || m_step == Step::New || m_step == Step::Make
               || m_step == Step::Set;
    }

    void answer(const QString &text) override
    {
        auto d = host().activeDrawing();
        if (!d) {
            print(QStringLiteral("No drawing is open."));
            finish();
            return;
        }
        try {
            handle(*d, text.trimmed());
        } catch (const acad::AcadError &e) {
            print(e.description());
            m_step = Step::Option;
        }
    }

private:
    enum class Step { Option, Make, Set, New, Color, Ltype, Lweight, Plot, Names, ConfirmOff };
    enum Option { Query, Make, Set, New, On, Off, Color, Ltype, Lweight, Plot, Freeze, Thaw, Lock, Unlock };

    QString currentName() const
    {
        auto d = const_cast<LayerCommand *>(this)->host().activeDrawing();
        return d ? d->drawing().layerName(d->drawing().currentLayer()) : QString();
    }

    QString namesPrompt() const
    {
        switch (m_option) {
        case On: return QStringLiteral("Enter name list of layer(s) to turn On:");
        case Off: return QStringLiteral("Enter name list of layer(s) to turn Off:");
        case Color: return QStringLiteral("Enter name list of layer(s) for color %1 <%2>:").arg(m_color).arg(currentName());
        case Ltype: return QStringLiteral("Enter name list of layer(s) for linetype \"%1\" <%2>:").arg(m_text, currentName());
        case Lweight: return QStringLiteral("Enter name list of layers(s) for lineweight %1mm <%2>:").arg(m_lineweight / 100.0, 0, 'f', 2).arg(currentName());
        case Plot: return QStringLiteral("Enter layer name(s) for this plot preference <%1>:").arg(currentName());
        case Freeze: return QStringLiteral("Enter name list of layer(s) to freeze:");
        case Thaw: return QStringLiteral("Enter name list of layer(s) to thaw:");
        case Lock: return QStringLiteral("Enter name list of layer(s) to lock:");
        case Unlock: return QStringLiteral("Enter name list of layer(s) to unlock:");
        default: return QString();
        }
    }

    void handle(OpenDrawing &od, const QString &a)
    {
        Drawing &d = od.drawing();
        switch (m_step) {
        case Step::Option: {
            if (a.isEmpty()) {
                finish();
                return;
            }
            static const QStringList keywords = {
                QStringLiteral("?"),     QStringLiteral("Make"),  QStringLiteral("Set"),
                QStringLiteral("New"),   QStringLiteral("ON"),    QStringLiteral("OFF"),
                QStringLiteral("Color"), QStringLiteral("Ltype"), QStringLiteral("LWeight"),
                QStringLiteral("Plot"),  QStringLiteral("Freeze"), QStringLiteral("Thaw"),
                QStringLiteral("LOck"),  QStringLiteral("Unlock")};
            const int k = matchKeyword(a, keywords);
            if (k < 0) {
                print(QStringLiteral("Invalid option keyword."));
                return;
            }
            m_option = k;
            switch (k) {
            case Query: listLayers(d); return;
            case Make: m_step = Step::Make; return;
            case Set: m_step = Step::Set; return;
            case New: m_step = Step::New; return;
            case Color: m_step = Step::Color; return;
            case Ltype: m_step = Step::Ltype; return;
            case Lweight: m_step = Step::Lweight; return;
            case Plot: m_step = Step::Plot; return;
            default: m_step = Step::Names; return;
            }
        }
        case Step::Make: {
            m_step = Step::Option;
            if (a.isEmpty())
                return;
            LayerId id = d.findLayer(a);
            if (id == NoLayer) {
                id = d.addLayer(a);
                od.touch();
            }
            makeCurrent(od, id);
            return;
        }
        case Step::Set: {
            m_step = Step::Option;
            if (a.isEmpty())
                return;
            const LayerId id = d.findLayer(a);
            if (id == NoLayer) {
                print(QStringLiteral("Cannot find layer \"%1\".").arg(a));
                return;
            }
            makeCurrent(od, id);
            return;
        }
        case Step::New: {
            m_step = Step::Option;
            for (const QString &raw : a.split(QLatin1Char(','))) {
                const QString name = raw.trimmed();
                if (name.isEmpty())
                    continue;
                if (!Drawing::isValidLayerName(name)) {
                    print(QStringLiteral("Invalid layer name: \"%1\"").arg(name));
                    continue;
                }
                if (d.findLayer(name) != NoLayer) {
                    print(QStringLiteral("Layer \"%1\" already exists.").arg(name));
                    continue;
                }
                d.addLayer(name);
            }
            od.touch();
            return;
        }
        case Step::Color: {
            bool ok = false;
            int c = a.toInt(&ok);
            if (!ok) {
                const int i = kColorNames.indexOf(a.toLower());
                ok = i >= 0;
                c = i + 1;
            }
            if (!ok || c < 1 || c > 255) {
                print(QStringLiteral("Invalid color."));
                m_step = Step::Option;
                return;
            }
            m_color = c;
            m_step = Step::Names;
            return;
        }
        case Step::Ltype: {
            const QString lt = a.isEmpty() ? QStringLiteral("Continuous") : a;
            if (!d.hasLinetype(lt)) {
                print(QStringLiteral("Linetype %1 not found.  Use LINETYPE command to load it.").arg(lt));
                m_step = Step::Option;
                return;
            }
            m_text = lt;
            m_step = Step::Names;
            return;
        }
        case Step::Lweight: {
            bool ok = false;
            QString t = a;
            if (t.endsWith(QLatin1String("mm"), Qt::CaseInsensitive))
                t.chop(2);
            const double mm = t.toDouble(&ok);
            const int lw = static_cast<int>(std::lround(mm * 100));
            if (!ok || !Drawing::isValidLineweight(lw) || lw < 0) {
                print(QStringLiteral("Invalid lineweight."));
                m_step = Step::Option;
                return;
            }
            m_lineweight = lw;
            m_step = Step::Names;
            return;
        }
        case Step::Plot: {
            const int k = a.isEmpty() ? 0 : matchKeyword(a, {QStringLiteral("Plot"), QStringLiteral("No")});
            if (k < 0) {
                print(QStringLiteral("Invalid option keyword."));
                return;
            }
            m_plot = k == 0;
            m_step = Step::Names;
            return;
        }
        case Step::Names:
            m_step = Step::Option;
            applyToNames(od, a);
            return;
        case Step::ConfirmOff: {
            m_step = Step::Option;
            if (matchKeyword(a, {QStringLiteral("Yes")}) == 0) {
                d.setLayerOn(m_pendingOff, false);
                od.requestRedraw();
            }
            return;
        }
        }
    }

    void makeCurrent(OpenDrawing &od, LayerId id)
    {
        Drawing &d = od.drawing();
        if (d.layerFrozen(id)) {
            print(QStringLiteral("Cannot set frozen layer \"%1\" current.").arg(d.layerName(id)));
            return;
        }
        d.setCurrentLayer(id);
    }

    void applyToNames(OpenDrawing &od, const QString &list)
    {
        Drawing &d = od.drawing();
        QString names = list;
        const bool defaultsToCurrent = m_option == Color || m_option == Ltype
                                       || m_option == Lweight || m_option == Plot;
        if (names.isEmpty()) {
            if (!defaultsToCurrent)
                return;
            names = currentName();
        }
        const std::vector<LayerId> layers = matchLayers(d, names);
        if (layers.empty()) {
            print(QStringLiteral("No matching layer names found."));
            return;
        }
        const LayerId current = d.currentLayer();
        bool redraw = false;
        for (LayerId id : layers) {
            switch (m_option) {
            case On: d.setLayerOn(id, true); redraw = true; break;
            case Off:
                if (id == current) {
                    m_pendingOff = id;
                    m_step = Step::ConfirmOff;
                } else {
                    d.setLayerOn(id, false);
                    redraw = true;
                }
                break;
            case Freeze:
                if (id == current) {
                    print(QStringLiteral("Cannot freeze layer \"%1\".  It is the CURRENT layer.")
                              .arg(d.layerName(id)));
                } else {
                    d.setLayerFrozen(id, true);
                    redraw = true;
                }
                break;
            case Thaw: d.setLayerFrozen(id, false); redraw = true; break;
            case Lock: d.setLayerLocked(id, true); break;
            case Unlock: d.setLayerLocked(id, false); break;
            case Color: d.setLayerColor(id, m_color); redraw = true; break;
            case Ltype: d.setLayerLinetype(id, m_text); break;
            case Lweight: d.setLayerLineweight(id, m_lineweight); break;
            case Plot: d.setLayerPlottable(id, m_plot); break;
            default: break;
            }
        }
        if (redraw)
            od.requestRedraw();
    }

    void listLayers(const Drawing &d)
    {
        const int n = d.layerCount();
        print(QStringLiteral("Layer name\tState\tColor\tLinetype"));
        for (int i = 0; i < n; ++i) {
            const LayerId id = d.layerAt(i);
            QString state;
            state += d.layerOn(id) ? QStringLiteral("On") : QStringLiteral("Off");
            if (d.layerFrozen(id))
                state += QStringLiteral(" Frozen");
            if (d.layerLocked(id))
                state += QStringLiteral(" Locked");
            print(QStringLiteral("%1\t%2\t%3\t%4")
                      .arg(d.layerName(id), state)
                      .arg(d.layerColor(id))
                      .arg(d.layerLinetype(id)));
        }
        print(QStringLiteral("Current layer: \"%1\"").arg(d.layerName(d.currentLayer())));
    }

    Step m_step = Step::Option;
    int m_option = Query;
    int m_color = 7;
    int m_lineweight = -3;
    bool m_plot = true;
    QString m_text;
    LayerId m_pendingOff = NoLayer;
};

class VplayerCommand : public Command {
public:
    using Command::Command;

    void start() override
    {
        OpenDrawing *d = drawingOrFinish();
        if (d && d->activeLayout() == 0) {
            print(QStringLiteral("** Command not allowed in Model Tab **"));
            finish();
        }
    }

    QString prompt() const override
    {
        switch (m_step) {
        case Step::Option:
            return QStringLiteral("Enter an option [?/Freeze/Thaw/Reset/Newfrz/Vpvisdflt]:");
        case Step::Names:
            switch (m_option) {
            case Freeze: return QStringLiteral("Enter layer name(s) to freeze:");
            case Thaw: return QStringLiteral("Enter layer name(s) to thaw:");
            case Reset: return QStringLiteral("Enter layer name(s) to reset:");
            case Newfrz: return QStringLiteral("Enter name(s) of new layers frozen in all viewports:");
            default: return QStringLiteral("Enter layer name(s) to change viewport visibility:");
            }
        case Step::Which:
            return QStringLiteral("Enter an option [All/Current] <Current>:");
        case Step::Visibility:
            return QStringLiteral("Enter a viewport visibility option [Frozen/Thawed] <Thawed>:");
        }
        return QString();
    }

    bool takesSpaces() const override { return m_step == Step::Names; }

    void answer(const QString &text) override
    {
        auto d = host().activeDrawing();
        if (!d) {
            print(QStringLiteral("No drawing is open."));
            finish();
            return;
        }
        try {
            handle(*d, text.trimmed());
        } catch (const acad::AcadError &e) {
            print(e.description());
            m_step = Step::Option;
        }
    }

private:
    enum class Step { Option, Names, Which, Visibility };
    enum Option { Query, Freeze, Thaw, Reset, Newfrz, Vpvisdflt };

    void handle(OpenDrawing &od, const QString &a)
    {
        Drawing &d = od.drawing();
        switch (m_step) {
        case Step::Option: {
            if (a.isEmpty()) {
                finish();
                return;
            }
            const int k = matchKeyword(a, {QStringLiteral("?"), QStringLiteral("Freeze"),
                                           QStringLiteral("Thaw"), QStringLiteral("Reset"),
                                           QStringLiteral("Newfrz"), QStringLiteral("Vpvisdflt")});
            if (k < 0) {
                print(QStringLiteral("Invalid option keyword."));
                return;
            }
            m_option = k;
            if (k == Query)
                listFrozen(od);
            else
                m_step = Step::Names;
            return;
        }
        case Step::Names:
            m_names = a;
            if (a.isEmpty()) {
                m_step = Step::Option;
                return;
            }
            if (m_option == Newfrz) {
                newFrozen(od);
                m_step = Step::Option;
            } else if (m_option == Vpvisdflt) {
                m_step = Step::Visibility;
            } else {
                m_step = Step::Which;
            }
            return;
        case Step::Which: {
            m_step = Step::Option;
            const int k = a.isEmpty() ? 1 : matchKeyword(a, {QStringLiteral("All"), QStringLiteral("Current")});
            if (k < 0) {
                print(QStringLiteral("Invalid option keyword."));
                return;
            }
            std::vector<EntityId> targets;
            if (k == 0) {
                for (const ViewportInfo &vp : d.viewports(od.activeLayout()))
                    if (vp.id != 1)
                        targets.push_back(vp.entity);
            } else if (od.modelSpaceActive()) {
                targets.push_back(od.activeViewport());
            } else {
                print(QStringLiteral("No floating viewport is active."));
                return;
            }
            apply(od, targets);
            return;
        }
        case Step::Visibility: {
            m_step = Step::Option;
            const int k = a.isEmpty() ? 1 : matchKeyword(a, {QStringLiteral("Frozen"), QStringLiteral("Thawed")});
            if (k < 0) {
                print(QStringLiteral("Invalid option keyword."));
                return;
            }
            const auto layers = matchLayers(d, m_names);
            if (layers.empty())
                print(QStringLiteral("No matching layer names found."));
            for (LayerId id : layers)
                d.setLayerFrozenInNewViewports(id, k == 0);
            return;
        }
        }
    }

    void apply(OpenDrawing &od, const std::vector<EntityId> &viewports)
    {
        Drawing &d = od.drawing();
        const auto layers = matchLayers(d, m_names);
        if (layers.empty()) {
            print(QStringLiteral("No matching layer names found."));
            return;
        }
        for (EntityId vp : viewports) {
            for (LayerId id : layers) {
                const bool frozen = m_option == Freeze   ? true
                                    : m_option == Thaw ? false
                                                       : d.layerFrozenInNewViewports(id);
                d.setViewportLayerFrozen(vp, id, frozen);
            }
        }
        od.requestRedraw();
    }

    void newFrozen(OpenDrawing &od)
    {
        Drawing &d = od.drawing();
        for (const QString &raw : m_names.split(QLatin1Char(','))) {
            const QString name = raw.trimmed();
            if (name.isEmpty())
                continue;
            if (d.findLayer(name) != NoLayer) {
                print(QStringLiteral("Layer \"%1\" already exists.").arg(name));
                continue;
            }
            const LayerId id = d.addLayer(name);
            d.setLayerFrozenInNewViewports(id, true);
            const int layouts = static_cast<int>(d.layouts().size());
            for (int l = 1; l < layouts; ++l)
                for (const ViewportInfo &vp : d.viewports(l))
                    if (vp.id != 1)
                        d.setViewportLayerFrozen(vp.entity, id, true);
        }
        od.touch();
    }

    void listFrozen(OpenDrawing &od)
    {
        Drawing &d = od.drawing();
        if (!od.modelSpaceActive()) {
            print(QStringLiteral("No floating viewport is active."));
            return;
        }
        for (const ViewportInfo &vp : d.viewports(od.activeLayout())) {
            if (vp.entity != od.activeViewport())
                continue;
            print(QStringLiteral("Layers currently frozen in viewport %1:").arg(vp.id));
            for (LayerId id : vp.frozenLayers)
                if (d.layerExists(id))
                    print(QStringLiteral("\"%1\"").arg(d.layerName(id)));
        }
    }

    Step m_step = Step::Option;
    int m_option = Query;
    QString m_names;
};

} // namespace

std::unique_ptr<Command> makeLayerCommand(Host &host)
{
    return std::make_unique<LayerCommand>(host);
}

std::unique_ptr<Command> makeVplayerCommand(Host &host)
{
    return std::make_unique<VplayerCommand>(host);
}

} // namespace host
