// lamoria-dxf: the drawing host's DXF reader and writer on the command line.
//
//   lamoria-dxf info FILE
//   lamoria-dxf roundtrip IN OUT
//   lamoria-dxf set IN OUT LAYER PROPERTY VALUE
//   lamoria-dxf rename IN OUT OLD NEW
//
// Errors go to stderr naming the file (and the line for a bad DXF); the exit
// code is then 1 and OUT is left as it was.
#include "host/automation.h"
#include "host/dxf/drawing.h"
#include "host/open_drawing.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

void out(const QString &text)
{
    const QByteArray b = text.toUtf8();
    std::fwrite(b.constData(), 1, size_t(b.size()), stdout);
}

void err(const QString &text)
{
    const QByteArray b = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(b.constData(), 1, size_t(b.size()), stderr);
}

int usage()
{
    err(QStringLiteral("usage: lamoria-dxf info FILE\n"
                       "       lamoria-dxf roundtrip IN OUT\n"
                       "       lamoria-dxf set IN OUT LAYER PROPERTY VALUE\n"
                       "       lamoria-dxf rename IN OUT OLD NEW\n"
                       "PROPERTY: LayerOn, Freeze, Lock, Plottable, ViewportDefault (true/false),\n"
                       "          Color (1-255), Linetype (a loaded linetype), Lineweight"));
    return 2;
}

QString yesNo(bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); }

int info(const QString &file)
{
    const auto dwg = host::Drawing::load(file);
    out(QStringLiteral("version: %1 (%2)%3\n")
            .arg(dwg->acadVersion(), dwg->versionName(),
                 dwg->isBinary() ? QStringLiteral(", binary") : QString()));
    out(QStringLiteral("encoding: %1\n").arg(dwg->encoding()));
    for (int i = 0; i < dwg->layerCount(); ++i) {
        const host::LayerId l = dwg->layerAt(i);
        out(QStringList{dwg->layerName(l), yesNo(dwg->layerOn(l)), yesNo(dwg->layerFrozen(l)),
                        yesNo(dwg->layerLocked(l)), yesNo(dwg->layerPlottable(l)),
                        yesNo(dwg->layerFrozenInNewViewports(l)),
                        QString::number(dwg->layerColor(l)), dwg->layerLinetype(l),
                        QString::number(dwg->layerLineweight(l)),
                        QString::number(dwg->layerObjectCount(l))}
                .join(QLatin1Char('\t'))
            + QLatin1Char('\n'));
    }
    const host::LayerId current = dwg->currentLayer();
    out(QStringLiteral("current layer: %1\n")
            .arg(current == host::NoLayer ? QString() : dwg->layerName(current)));
    return 0;
}

bool parseBool(const QString &v, bool *ok)
{
    *ok = true;
    if (v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (v.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    *ok = false;
    return false;
}

// Writes one layer property by its automation member name, through the
// automation interface as the program does.
void setProperty(acad::AcadLayer &layer, const QString &property, const QString &value)
{
    auto bad = [&](const QString &why) {
        throw acad::AcadError(acad::err::InvalidInput, why);
    };
    const QString p = property.toLower();
    bool ok = false;
    if (p == QLatin1String("layeron") || p == QLatin1String("freeze") || p == QLatin1String("lock")
        || p == QLatin1String("plottable") || p == QLatin1String("viewportdefault")) {
        const bool b = parseBool(value, &ok);
        if (!ok)
            bad(QStringLiteral("%1 takes true or false, not \"%2\"").arg(property, value));
        if (p == QLatin1String("layeron"))
            layer.setLayerOn(b);
        else if (p == QLatin1String("freeze"))
            layer.setFreeze(b);
        else if (p == QLatin1String("lock"))
            layer.setLock(b);
        else if (p == QLatin1String("plottable"))
            layer.setPlottable(b);
        else
            layer.setViewportDefault(b);
    } else if (p == QLatin1String("color")) {
        const int c = value.toInt(&ok);
        if (!ok)
            bad(QStringLiteral("Color takes a number, not \"%1\"").arg(value));
        layer.setColor(c);
    } else if (p == QLatin1String("lineweight")) {
        const int w = value.toInt(&ok);
        if (!ok)
            bad(QStringLiteral("Lineweight takes a number, not \"%1\"").arg(value));
        layer.setLineweight(w);
    } else if (p == QLatin1String("linetype")) {
        layer.setLinetype(value);
    } else {
        bad(QStringLiteral("unknown property \"%1\"").arg(property));
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString cmd = args[0];
    QString file; // the file an error is about
    try {
        if (cmd == QLatin1String("info") && args.size() == 2) {
            file = args[1];
            return info(file);
        }
        if (cmd == QLatin1String("roundtrip") && args.size() == 3) {
            file = args[1];
            const auto dwg = host::Drawing::load(file);
            file = args[2];
            dwg->save(file);
            return 0;
        }
        if (cmd == QLatin1String("set") && args.size() == 6) {
            file = args[1];
            const auto od = std::make_shared<host::OpenDrawing>(host::Drawing::load(file), file,
                                                                QString(), nullptr);
            const acad::DocumentPtr doc = host::documentFor(od);
            if (od->drawing().findLayer(args[3]) == host::NoLayer)
                throw acad::AcadError(acad::err::KeyNotFound,
                                      QStringLiteral("Key not found: no layer \"%1\"").arg(args[3]));
            setProperty(*doc->Layers()->Item(args[3]), args[4], args[5]);
            file = args[2];
            od->drawing().save(file);
            return 0;
        }
        if (cmd == QLatin1String("rename") && args.size() == 5) {
            file = args[1];
            const auto dwg = host::Drawing::load(file);
            const host::LayerId l = dwg->findLayer(args[3]);
            if (l == host::NoLayer)
                throw acad::AcadError(acad::err::KeyNotFound,
                                      QStringLiteral("Key not found: no layer \"%1\"").arg(args[3]));
            dwg->setLayerName(l, args[4]);
            file = args[2];
            dwg->save(file);
            return 0;
        }
        return usage();
    } catch (const host::DxfError &e) {
        err(QStringLiteral("lamoria-dxf: %1").arg(e.description()));
    } catch (const acad::AcadError &e) {
        if (e.description().startsWith(QLatin1String("Cannot save")))
            err(QStringLiteral("lamoria-dxf: %1").arg(e.description()));
        else
            err(QStringLiteral("lamoria-dxf: %1: %2").arg(file, e.description()));
    } catch (const std::exception &e) {
        err(QStringLiteral("lamoria-dxf: %1: %2").arg(file, QString::fromLocal8Bit(e.what())));
    }
    return 1;
}
