// Benchmark of the drawing host's DXF model: generates a drawing with many
// layers and objects, then times load, save, layer property writes,
// layer-filtered queries and renames, and compares the load with Debian's
// python3-ezdxf reading the same file.
//
//   host_bench [--layers N] [--objects N] [--no-ezdxf] [--dir FOLDER]
#include "dxf_generate.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>

namespace {

double seconds(QElapsedTimer &t)
{
    const double s = double(t.nsecsElapsed()) / 1e9;
    t.restart();
    return s;
}

QString layerName(int i)
{
    static const char *const disc[] = {"A", "S", "M", "E", "P", "C", "L", "G"};
    static const char *const major[] = {"WALL", "DOOR", "GLAZ", "FURN", "ANNO", "COLS", "GRID", "LITE"};
    static const char *const status[] = {"NEW", "EXST", "DEMO", "TEMP"};
    return QStringLiteral("%1-%2-%3-%4")
        .arg(QLatin1String(disc[i % 8]), QLatin1String(major[(i / 8) % 8]))
        .arg(i, 5, 10, QLatin1Char('0'))
        .arg(QLatin1String(status[i % 4]));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int layers = 20000;
    long long objects = 1000000;
    bool ezdxf = true;
    QString dir = QDir::tempPath();
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--layers") && i + 1 < args.size())
            layers = args[++i].toInt();
        else if (args[i] == QLatin1String("--objects") && i + 1 < args.size())
            objects = args[++i].toLongLong();
        else if (args[i] == QLatin1String("--no-ezdxf"))
            ezdxf = false;
        else if (args[i] == QLatin1String("--dir") && i + 1 < args.size())
            dir = args[++i];
        else {
            std::fprintf(stderr, "usage: host_bench [--layers N] [--objects N] [--no-ezdxf] [--dir FOLDER]\n");
            return 2;
        }
    }
    if (layers < 1000 || objects < layers) {
        std::fprintf(stderr, "host_bench: at least 1000 layers and one object per layer\n");
        return 2;
    }
    const QString path = QDir(dir).filePath(QStringLiteral("lamoria_host_bench.dxf"));
    const QString savePath = QDir(dir).filePath(QStringLiteral("lamoria_host_bench_saved.dxf"));

    QElapsedTimer t;
    t.start();
    {
        dxfgen::Builder b;
        b.linetype(QStringLiteral("DASHED"), QStringLiteral("Dashed"), {12.7, -6.35});
        for (int i = 0; i < layers; ++i) {
            dxfgen::Builder::Layer l;
            l.name = layerName(i);
            l.color = 1 + i % 255;
            l.on = i % 17 != 0;
            l.frozen = i % 23 == 0;
            l.locked = i % 29 == 0;
            l.plot = i % 31 != 0;
            b.layer(l);
        }
        for (long long k = 0; k < objects; ++k) {
            const QString l = layerName(int(k % layers));
            const double x = double(k % 1000) * 10, y = double(k / 1000) * 10;
            switch (k % 4) {
            case 0: b.line(l, x, y, x + 8, y + 8); break;
            case 1: b.circle(l, x, y, 4); break;
            case 2: b.polyline(l, {{x, y}, {x + 8, y}, {x + 8, y + 8}}, false); break;
            default: b.text(l, x, y, 2.5, QStringLiteral("T%1").arg(k)); break;
            }
        }
        const std::string bytes = b.build();
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
            std::fprintf(stderr, "host_bench: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    const double generate = seconds(t);
    std::printf("drawing: %d layers, %lld objects, %.1f MB (generated in %.2f s)\n", layers, objects,
                double(QFileInfo(path).size()) / 1e6, generate);

    std::unique_ptr<host::Drawing> dwg = host::Drawing::load(path);
    const double load = seconds(t);
    std::printf("load                              %8.3f s\n", load);

    dwg->save(savePath);
    const double save = seconds(t);
    std::printf("save (unchanged)                  %8.3f s\n", save);

    // 20,000 layer property writes: on/off, freeze, lock, colour in turn.
    const host::LayerId current = dwg->currentLayer();
    const int writes = 20000;
    for (int i = 0; i < writes; ++i) {
        const host::LayerId l = dwg->layerAt(1 + i % (dwg->layerCount() - 1));
        switch (i % 4) {
        case 0: dwg->setLayerOn(l, !dwg->layerOn(l)); break;
        case 1:
            if (l != current)
                dwg->setLayerFrozen(l, !dwg->layerFrozen(l));
            break;
        case 2: dwg->setLayerLocked(l, !dwg->layerLocked(l)); break;
        default: dwg->setLayerColor(l, 1 + (dwg->layerColor(l) % 254)); break;
        }
    }
    const double propertyWrites = seconds(t);
    std::printf("%d layer property writes       %8.3f s\n", writes, propertyWrites);

    // A layer-filtered query for each of 1,000 layers (by name, as a
    // selection filter on group 8 asks).
    long long found = 0;
    for (int i = 0; i < 1000; ++i) {
        const host::LayerId l = dwg->findLayer(layerName(i * (layers / 1000)));
        found += qint64(dwg->layerEntities(l).size());
    }
    const double queries = seconds(t);
    std::printf("1000 layer-filtered queries       %8.3f s  (%lld objects)\n", queries, found);

    for (int i = 0; i < 1000; ++i) {
        const host::LayerId l = dwg->findLayer(layerName(i * (layers / 1000) + 1));
        dwg->setLayerName(l, layerName(i * (layers / 1000) + 1) + QStringLiteral("-R"));
    }
    const double renames = seconds(t);
    std::printf("1000 renames                      %8.3f s\n", renames);

    dwg->save(savePath);
    const double saveChanged = seconds(t);
    std::printf("save (changed)                    %8.3f s\n", saveChanged);
    dwg.reset();

    if (ezdxf) {
        QProcess py;
        py.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, time, ezdxf\n"
                                 "t = time.perf_counter()\n"
                                 "doc = ezdxf.readfile(sys.argv[1])\n"
                                 "print(time.perf_counter() - t)\n"),
                  path});
        if (!py.waitForFinished(-1) || py.exitCode() != 0) {
            std::printf("ezdxf load: failed (%s)\n", py.readAllStandardError().constData());
        } else {
            const double ez = py.readAllStandardOutput().trimmed().toDouble();
            std::printf("ezdxf load                        %8.3f s  (%.1f times the host's load)\n",
                        ez, ez / load);
        }
    }
    QFile::remove(savePath);
    QFile::remove(savePath + QStringLiteral(".bak"));
    QFile::remove(path);
    return 0;
}
