// Writes the example drawing examples/example.dxf: a small floor plan on
// classified layers ("A-WALL-NEW" style, delimiter "-"), a block, text, and
// a layout with a viewport that freezes two layers.
//
//   make_example_dxf OUT.dxf
#include "dxf_generate.h"

#include <QFile>

#include <cmath>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_example_dxf OUT.dxf\n");
        return 2;
    }
    dxfgen::Builder b;
    b.linetype(QStringLiteral("DASHED"), QStringLiteral("Dashed __ __ __"), {12.7, -6.35});
    b.linetype(QStringLiteral("CENTER"), QStringLiteral("Center ____ _ ____"),
               {31.75, -6.35, 6.35, -6.35});
    b.linetype(QStringLiteral("HIDDEN"), QStringLiteral("Hidden __ __ __"), {6.35, -3.175});

    using L = dxfgen::Builder::Layer;
    auto layer = [&](const char *name, int color, const char *lt = "Continuous") {
        L l;
        l.name = QString::fromUtf8(name);
        l.color = color;
        l.linetype = QString::fromLatin1(lt);
        return l;
    };
    L wallNew = layer("A-WALL-NEW", 7);
    wallNew.lineweight = 50;
    L wallExst = layer("A-WALL-EXST", 8);
    wallExst.lineweight = 35;
    L wallDemo = layer("A-WALL-DEMO", 1, "DASHED");
    wallDemo.on = false;
    L door = layer("A-DOOR-NEW", 3);
    L glaz = layer("A-GLAZ-NEW", 4);
    L furn = layer("A-FURN-NEW", 30);
    furn.locked = true;
    L text = layer("A-ANNO-TEXT", 2);
    L ttlb = layer("A-ANNO-TTLB", 7);
    L notes = layer("A-ANNO-NOTE", 2);
    notes.plot = false;
    L cols = layer("S-COLS-EXST", 6);
    L grid = layer("S-GRID-EXST", 1, "CENTER");
    L lite = layer("E-LITE-NEW", 40);
    L powr = layer("E-POWR-NEW", 140);
    powr.frozen = true;
    L hvac = layer("M-HVAC-NEW", 150, "HIDDEN");
    hvac.frozenInNewViewports = true;
    L pipe = layer("P-PIPE-DEMO", 5, "DASHED");
    pipe.plot = false;
    L jpWall = layer("A-壁-既存", 9);
    L jpGrid = layer("S-通り芯", 1, "CENTER");
    L defpoints = layer("Defpoints", 7);
    defpoints.plot = false;

    b.layer(wallNew);
    b.layer(wallExst);
    b.layer(wallDemo);
    b.layer(door);
    b.layer(glaz);
    const std::string furnHandle = b.layer(furn);
    b.layer(text);
    b.layer(ttlb);
    b.layer(notes);
    b.layer(cols);
    b.layer(grid);
    const std::string liteHandle = b.layer(lite);
    b.layer(powr);
    b.layer(hvac);
    b.layer(pipe);
    b.layer(jpWall);
    b.layer(jpGrid);
    b.layer(defpoints);

    auto Q = [](const char *s) { return QString::fromUtf8(s); };

    // A door: leaf and swing, drawn on layer 0 so it takes the INSERT's layer.
    b.beginBlock(Q("DOOR-900"));
    b.line(Q("0"), 0, 0, 0, 900);
    b.arc(Q("0"), 0, 0, 900, 0, 90);
    b.endBlock();
    // A column with its own layer inside the block.
    b.beginBlock(Q("COL-400"));
    b.polyline(Q("S-COLS-EXST"), {{-200, -200}, {200, -200}, {200, 200}, {-200, 200}}, true);
    b.line(Q("S-COLS-EXST"), -200, -200, 200, 200);
    b.endBlock();

    // Grid.
    for (int i = 0; i <= 3; ++i) {
        b.line(Q("S-GRID-EXST"), i * 6000.0, -1500, i * 6000.0, 13500);
        b.text(Q("A-ANNO-TEXT"), i * 6000.0 - 150, -2200, 400, QString::number(i + 1));
    }
    for (int j = 0; j <= 2; ++j) {
        b.line(Q("S-通り芯"), -1500, j * 6000.0, 19500, j * 6000.0);
        b.text(Q("A-ANNO-TEXT"), -2300, j * 6000.0 - 200, 400, QString(QChar('A' + j)));
    }
    // Columns at the grid crossings.
    for (int i = 0; i <= 3; ++i)
        for (int j = 0; j <= 2; ++j)
            b.insert(Q("S-COLS-EXST"), Q("COL-400"), i * 6000.0, j * 6000.0);
    // Outer walls, new and existing.
    b.polyline(Q("A-WALL-NEW"), {{-150, -150}, {18150, -150}, {18150, 12150}, {-150, 12150}}, true);
    b.polyline(Q("A-WALL-EXST"), {{150, 150}, {17850, 150}, {17850, 11850}, {150, 11850}}, true);
    b.line(Q("A-壁-既存"), 6000, 150, 6000, 11850);
    b.line(Q("A-WALL-NEW"), 12000, 150, 12000, 5000);
    b.line(Q("A-WALL-NEW"), 12000, 6000, 12000, 11850);
    b.line(Q("A-WALL-DEMO"), 150, 6000, 6000, 6000);
    b.line(Q("A-WALL-DEMO"), 6000, 6000, 11900, 6000);
    // Doors and windows.
    b.insert(Q("A-DOOR-NEW"), Q("DOOR-900"), 12000, 5000, 0);
    b.insert(Q("A-DOOR-NEW"), Q("DOOR-900"), 3000, 150, 90);
    b.insert(Q("A-DOOR-NEW"), Q("DOOR-900"), 15000, 11850, 270);
    for (int k = 0; k < 3; ++k) {
        const double x = 1500 + k * 6000.0;
        b.line(Q("A-GLAZ-NEW"), x, 12150, x + 2400, 12150);
        b.line(Q("A-GLAZ-NEW"), x, 11850, x + 2400, 11850);
        b.line(Q("A-GLAZ-NEW"), x, 12000, x + 2400, 12000);
    }
    // Furniture, lights, power, ducts, pipes.
    for (int k = 0; k < 4; ++k)
        b.polyline(Q("A-FURN-NEW"),
                   {{1000.0 + k * 1200, 8000}, {1800.0 + k * 1200, 8000},
                    {1800.0 + k * 1200, 9600}, {1000.0 + k * 1200, 9600}},
                   true);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) {
            b.circle(Q("E-LITE-NEW"), 3000 + i * 6000.0, 3000 + j * 6000.0, 300);
            b.line(Q("E-POWR-NEW"), 3000 + i * 6000.0, 3000 + j * 6000.0, 3000 + i * 6000.0,
                   150);
        }
    b.polyline(Q("M-HVAC-NEW"), {{1000, 11000}, {17000, 11000}, {17000, 10400}, {1000, 10400}},
               true);
    b.line(Q("P-PIPE-DEMO"), 500, 500, 500, 5500);
    b.line(Q("P-PIPE-DEMO"), 500, 5500, 5500, 5500);
    // Room names and a note.
    b.text(Q("A-ANNO-TEXT"), 2000, 3000, 350, Q("事務室"));
    b.text(Q("A-ANNO-TEXT"), 8200, 3000, 350, Q("会議室"));
    b.text(Q("A-ANNO-TEXT"), 14200, 3000, 350, Q("倉庫"));
    b.text(Q("A-ANNO-TEXT"), 8000, 9000, 350, Q("OFFICE 2F"));
    b.mtext(Q("A-ANNO-NOTE"), 13000, 9500, 250, 4000,
            Q("既存壁は一部撤去\\P(demolition shown dashed)"));

    // The layout: a title block and a viewport that freezes furniture and
    // lights.
    b.paperSpace(true);
    b.polyline(Q("A-ANNO-TTLB"), {{10, 10}, {410, 10}, {410, 287}, {10, 287}}, true);
    b.line(Q("A-ANNO-TTLB"), 300, 10, 300, 40);
    b.line(Q("A-ANNO-TTLB"), 300, 40, 410, 40);
    b.text(Q("A-ANNO-TTLB"), 305, 25, 5, Q("Lamoria example"));
    b.text(Q("A-ANNO-TTLB"), 305, 14, 4, Q("平面図 1:100"));
    b.viewport(205, 160, 380, 240, 9000, 6000, 16000, {furnHandle, liteHandle});
    b.paperSpace(false);

    const std::string bytes = b.build();
    QFile f(QString::fromLocal8Bit(argv[1]));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        std::fprintf(stderr, "make_example_dxf: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %lld objects\n", argv[1], b.entityCount());
    return 0;
}
