// Helpers of the DXF model tests: sample files, temporary files, small
// fixture drawings and the independent reader (python3-ezdxf).
#pragma once

#include "host/dxf/drawing.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace dxftest {

inline QString samplesDir()
{
    return QStringLiteral(LAMORIA_SHARED_DIR "/samples");
}

inline bool haveSamples()
{
    return QDir(samplesDir()).exists();
}

inline QStringList sampleNames()
{
    return QDir(samplesDir()).entryList({QStringLiteral("*.dxf")}, QDir::Files, QDir::Name);
}

inline QString examplePath()
{
    return QStringLiteral(LAMORIA_SOURCE_DIR "/examples/example.dxf");
}

inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

inline std::string str(const QString &s) { return s.toStdString(); }

// Runs a call and returns the error number it raised (0 when none).
inline long errorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const acad::AcadError &e) {
        return e.number();
    }
    return 0;
}

// What ezdxf reads from a file: audit errors, layer states, objects.
struct EzdxfView {
    bool ran = false;
    QString failure;       // python's stderr when it did not run
    bool auditErrors = true;
    QStringList auditMessages;
    int entities = -1;     // objects of all layouts and blocks
    QString clayer;
    QJsonArray layers;     // [name, on, frozen, locked, plot, vpdefault, color, linetype, lineweight]
    QJsonObject layer(const QString &name) const
    {
        for (const auto &v : layers) {
            const QJsonArray a = v.toArray();
            if (a[0].toString() == name) {
                QJsonObject o;
                o[QStringLiteral("on")] = a[1];
                o[QStringLiteral("frozen")] = a[2];
                o[QStringLiteral("locked")] = a[3];
                o[QStringLiteral("plot")] = a[4];
                o[QStringLiteral("vpdefault")] = a[5];
                o[QStringLiteral("color")] = a[6];
                o[QStringLiteral("linetype")] = a[7];
                o[QStringLiteral("lineweight")] = a[8];
                return o;
            }
        }
        return {};
    }
};

inline bool haveEzdxf()
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import ezdxf")});
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

inline EzdxfView ezdxfRead(const QString &path)
{
    static const char *script = R"PY(
import sys, json, ezdxf
from ezdxf import recover
path = sys.argv[1]
with open(path, 'rb') as f:
    binary = f.read(22) == b'AutoCAD Binary DXF\r\n\x1a\x00'
if binary:
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
else:
    doc, auditor = recover.readfile(path)
layers = []
for l in doc.layers:
    layers.append([l.dxf.name, l.is_on(), l.is_frozen(), l.is_locked(),
                   bool(l.dxf.get('plot', 1)), bool(l.dxf.flags & 2),
                   abs(l.dxf.get('color', 7)), l.dxf.get('linetype', ''),
                   l.dxf.get('lineweight', -3)])
print(json.dumps({'errors': auditor.has_errors,
                  'messages': [str(e.message) for e in auditor.errors][:10],
                  'entities': sum(len(b) for b in doc.blocks),
                  'clayer': doc.header.get('$CLAYER', '0'),
                  'layers': layers}))
)PY";
    EzdxfView v;
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(script), path});
    if (!p.waitForFinished(300000) || p.exitCode() != 0) {
        v.failure = QString::fromUtf8(p.readAllStandardError());
        return v;
    }
    const QJsonObject o = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    v.ran = true;
    v.auditErrors = o[QStringLiteral("errors")].toBool();
    for (const auto &m : o[QStringLiteral("messages")].toArray())
        v.auditMessages << m.toString();
    v.entities = o[QStringLiteral("entities")].toInt();
    v.clayer = o[QStringLiteral("clayer")].toString();
    v.layers = o[QStringLiteral("layers")].toArray();
    return v;
}

// A small R12 drawing: handles, a current layer, a block with an object on
// a layer of its own, an INSERT with an ATTRIB, a POLYLINE with VERTEXes,
// an xref-dependent layer and a paper-space VIEWPORT whose xdata freezes
// two layers by name.
inline QByteArray r12Fixture()
{
    const char *lines[] = {
        "  0", "SECTION", "  2", "HEADER",
        "  9", "$ACADVER", "  1", "AC1009",
        "  9", "$DWGCODEPAGE", "  3", "ANSI_1252",
        "  9", "$CLAYER", "  8", "WALL",
        "  9", "$HANDLING", " 70", "     1",
        "  9", "$HANDSEED", "  5", "100",
        "  0", "ENDSEC",
        "  0", "SECTION", "  2", "TABLES",
        "  0", "TABLE", "  2", "LTYPE", " 70", "     2",
        "  0", "LTYPE", "  2", "CONTINUOUS", " 70", "     0", "  3", "Solid line",
        " 72", "    65", " 73", "     0", " 40", "0.0",
        "  0", "LTYPE", "  2", "DASHED", " 70", "     0", "  3", "__ __", " 72", "    65",
        " 73", "     2", " 40", "0.75", " 49", "0.5", " 49", "-0.25",
        "  0", "ENDTAB",
        "  0", "TABLE", "  2", "LAYER", " 70", "     7",
        "  0", "LAYER", "  2", "0", " 70", "     0", " 62", "     7", "  6", "CONTINUOUS",
        "  0", "LAYER", "  2", "WALL", " 70", "     0", " 62", "     1", "  6", "CONTINUOUS",
        "  0", "LAYER", "  2", "DOOR", " 70", "     0", " 62", "     3", "  6", "CONTINUOUS",
        "  0", "LAYER", "  2", "INBLOCK", " 70", "     0", " 62", "     4", "  6", "CONTINUOUS",
        "  0", "LAYER", "  2", "UNUSED", " 70", "     0", " 62", "     5", "  6", "CONTINUOUS",
        "  0", "LAYER", "  2", "ICE", " 70", "     1", " 62", "     6", "  6", "CONTINUOUS",
        "  0", "LAYER", "  2", "XREF|WALL", " 70", "    48", " 62", "     7", "  6", "CONTINUOUS",
        "  0", "ENDTAB",
        "  0", "ENDSEC",
        "  0", "SECTION", "  2", "BLOCKS",
        "  0", "BLOCK", "  8", "0", "  2", "B1", " 70", "     2", " 10", "0.0", " 20", "0.0",
        " 30", "0.0", "  3", "B1",
        "  0", "ATTDEF", "  5", "20", "  8", "0", " 10", "0.0", " 20", "0.0", " 30", "0.0",
        " 40", "1.0", "  1", "X", "  3", "Tag?", "  2", "TAG", " 70", "     0",
        "  0", "LINE", "  5", "21", "  8", "INBLOCK", " 10", "0.0", " 20", "0.0", " 30", "0.0",
        " 11", "1.0", " 21", "1.0", " 31", "0.0",
        "  0", "ENDBLK", "  5", "22", "  8", "0",
        "  0", "ENDSEC",
        "  0", "SECTION", "  2", "ENTITIES",
        "  0", "LINE", "  5", "30", "  8", "WALL", " 62", "     2", " 10", "0.0", " 20", "0.0",
        " 30", "0.0", " 11", "10.0", " 21", "0.0", " 31", "0.0",
        "  0", "INSERT", "  5", "31", "  8", "DOOR", " 66", "     1", "  2", "B1", " 10", "5.0",
        " 20", "5.0", " 30", "0.0",
        "  0", "ATTRIB", "  5", "32", "  8", "DOOR", " 10", "5.0", " 20", "5.0", " 30", "0.0",
        " 40", "1.0", "  1", "D-01", "  2", "TAG", " 70", "     0",
        "  0", "SEQEND", "  5", "33", "  8", "DOOR",
        "  0", "POLYLINE", "  5", "34", "  8", "WALL", " 66", "     1", " 10", "0.0", " 20", "0.0",
        " 30", "0.0", " 70", "     1",
        "  0", "VERTEX", "  5", "35", "  8", "WALL", " 10", "0.0", " 20", "0.0", " 30", "0.0",
        "  0", "VERTEX", "  5", "36", "  8", "WALL", " 10", "4.0", " 20", "0.0", " 30", "0.0",
        " 42", "1.0",
        "  0", "VERTEX", "  5", "37", "  8", "WALL", " 10", "4.0", " 20", "3.0", " 30", "0.0",
        "  0", "SEQEND", "  5", "38", "  8", "WALL",
        "  0", "TEXT", "  5", "39", "  8", "0", " 10", "1.0", " 20", "1.0", " 30", "0.0",
        " 40", "2.5", "  1", "Hello", " 50", "30.0",
        "  0", "VIEWPORT", "  5", "3A", "  8", "0", " 67", "     1", " 10", "5.0", " 20", "5.0",
        " 30", "0.0", " 40", "10.0", " 41", "8.0", " 68", "     2", " 69", "     2",
        "1001", "ACAD", "1000", "MVIEW", "1002", "{", "1070", "    16", "1010", "0.0",
        "1020", "0.0", "1030", "0.0", "1002", "{", "1003", "WALL", "1003", "UNUSED", "1002", "}",
        "1002", "}",
        "  0", "ENDSEC",
        "  0", "EOF",
    };
    QByteArray out;
    for (const char *l : lines) {
        out += l;
        out += '\n';
    }
    return out;
}

// The project's new-drawing template with another $ACADVER (R2007 and
// later are UTF-8).
inline QByteArray templateAs(const char *acadver)
{
    QByteArray t = host::Drawing::newDrawingTemplate();
    t.replace("AC1015", acadver);
    return t;
}

} // namespace dxftest
