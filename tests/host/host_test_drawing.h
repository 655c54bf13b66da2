// A small R2000 drawing for the host's tests, written out here so every test
// knows exactly what is in it:
//
// layers  0, Defpoints, A-WALL-NEW (red), A-DOOR (green), FROZEN (frozen),
//         HIDDEN (off), LOCKED (locked), EMPTY (no objects), BlockOnly
//         (used only inside block DOORBLK); current layer 0
// linetypes ByBlock, ByLayer, Continuous, DASHED
// model   100 LINE A-WALL-NEW          101 LINE A-WALL-NEW colour 5
//         102 CIRCLE A-DOOR            103 ARC A-DOOR
//         104 TEXT A-WALL-NEW "WALL"   105 LWPOLYLINE A-DOOR (one bulge)
//         106 INSERT DOORBLK on A-DOOR 107 LINE FROZEN
//         108 LINE HIDDEN, DASHED      109 TEXT LOCKED colour ByBlock
// paper   22 the layout's own viewport, 110 a floating VIEWPORT (id 2),
//         111 TEXT A-WALL-NEW "TITLE"
// block   DOORBLK: 43 LINE BlockOnly, 44 CIRCLE "0" colour ByBlock
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace hosttest {

inline QByteArray dxfFromLines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines) {
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        const QString code = space < 0 ? line : line.left(space);
        const QString value = space < 0 ? QString() : line.mid(space + 1);
        out += code.rightJustified(3).toUtf8() + "\r\n" + value.toUtf8() + "\r\n";
    }
    return out;
}

inline QStringList layerRecord(const QString &handle, const QString &name, int flags, int color,
                               const QString &linetype = QStringLiteral("Continuous"))
{
    return {QStringLiteral("0 LAYER"), QStringLiteral("5 ") + handle, QStringLiteral("330 2"),
            QStringLiteral("100 AcDbSymbolTableRecord"), QStringLiteral("100 AcDbLayerTableRecord"),
            QStringLiteral("2 ") + name, QStringLiteral("70 %1").arg(flags),
            QStringLiteral("62 %1").arg(color), QStringLiteral("6 ") + linetype,
            QStringLiteral("370 -3"), QStringLiteral("390 F")};
}

inline QStringList entity(const QString &type, const QString &handle, const QString &owner,
                          const QString &layer, const QStringList &body, bool paper = false)
{
    QStringList l = {QStringLiteral("0 ") + type, QStringLiteral("5 ") + handle,
                     QStringLiteral("330 ") + owner, QStringLiteral("100 AcDbEntity")};
    if (paper)
        l << QStringLiteral("67 1");
    l << QStringLiteral("8 ") + layer;
    l << body;
    return l;
}

inline QByteArray testDrawing()
{
    QStringList l;
    l << "0 SECTION" << "2 HEADER" << "9 $ACADVER" << "1 AC1015" << "9 $DWGCODEPAGE"
      << "3 ANSI_932" << "9 $CLAYER" << "8 0" << "9 $HANDSEED" << "5 200" << "0 ENDSEC";
    l << "0 SECTION" << "2 CLASSES"
      << "0 CLASS" << "1 LAYOUT" << "2 AcDbLayout" << "3 ObjectDBX Classes" << "90 0" << "280 0" << "281 0"
      << "0 ENDSEC";
    l << "0 SECTION" << "2 TABLES";
    l << "0 TABLE" << "2 VPORT" << "5 8" << "330 0" << "100 AcDbSymbolTable" << "70 0" << "0 ENDTAB";
    l << "0 TABLE" << "2 LTYPE" << "5 5" << "330 0" << "100 AcDbSymbolTable" << "70 4";
    for (const auto &[h, n] : QList<QPair<QString, QString>>{{"14", "ByBlock"}, {"15", "ByLayer"}, {"16", "Continuous"}}) {
        l << "0 LTYPE" << "5 " + h << "330 5" << "100 AcDbSymbolTableRecord" << "100 AcDbLinetypeTableRecord"
          << "2 " + n << "70 0" << "3 " << "72 65" << "73 0" << "40 0.0";
    }
    l << "0 LTYPE" << "5 5A" << "330 5" << "100 AcDbSymbolTableRecord" << "100 AcDbLinetypeTableRecord"
      << "2 DASHED" << "70 0" << "3 __ __ __" << "72 65" << "73 2" << "40 0.75" << "49 0.5" << "74 0"
      << "49 -0.25" << "74 0";
    l << "0 ENDTAB";
    l << "0 TABLE" << "2 LAYER" << "5 2" << "330 0" << "100 AcDbSymbolTable" << "70 9";
    l << layerRecord("10", "0", 0, 7) << layerRecord("50", "Defpoints", 0, 7)
      << layerRecord("51", "A-WALL-NEW", 0, 1) << layerRecord("52", "A-DOOR", 0, 3)
      << layerRecord("53", "FROZEN", 1, 4) << layerRecord("54", "HIDDEN", 0, -5)
      << layerRecord("55", "LOCKED", 4, 6) << layerRecord("56", "EMPTY", 0, 7)
      << layerRecord("57", "BlockOnly", 0, 2);
    l << "0 ENDTAB";
    l << "0 TABLE" << "2 STYLE" << "5 3" << "330 0" << "100 AcDbSymbolTable" << "70 1"
      << "0 STYLE" << "5 11" << "330 3" << "100 AcDbSymbolTableRecord" << "100 AcDbTextStyleTableRecord"
      << "2 Standard" << "70 0" << "40 0.0" << "41 1.0" << "50 0.0" << "71 0" << "42 2.5" << "3 txt" << "4 "
      << "0 ENDTAB";
    l << "0 TABLE" << "2 APPID" << "5 9" << "330 0" << "100 AcDbSymbolTable" << "70 1"
      << "0 APPID" << "5 12" << "330 9" << "100 AcDbSymbolTableRecord" << "100 AcDbRegAppTableRecord"
      << "2 ACAD" << "70 0" << "0 ENDTAB";
    l << "0 TABLE" << "2 BLOCK_RECORD" << "5 1" << "330 0" << "100 AcDbSymbolTable" << "70 3"
      << "0 BLOCK_RECORD" << "5 1F" << "330 1" << "100 AcDbSymbolTableRecord" << "100 AcDbBlockTableRecord"
      << "2 *Model_Space" << "340 26"
      << "0 BLOCK_RECORD" << "5 1B" << "330 1" << "100 AcDbSymbolTableRecord" << "100 AcDbBlockTableRecord"
      << "2 *Paper_Space" << "340 1E"
      << "0 BLOCK_RECORD" << "5 40" << "330 1" << "100 AcDbSymbolTableRecord" << "100 AcDbBlockTableRecord"
      << "2 DOORBLK"
      << "0 ENDTAB";
    l << "0 ENDSEC";

    l << "0 SECTION" << "2 BLOCKS";
    l << "0 BLOCK" << "5 20" << "330 1F" << "100 AcDbEntity" << "8 0" << "100 AcDbBlockBegin"
      << "2 *Model_Space" << "70 0" << "10 0.0" << "20 0.0" << "30 0.0" << "3 *Model_Space" << "1 "
      << "0 ENDBLK" << "5 21" << "330 1F" << "100 AcDbEntity" << "8 0" << "100 AcDbBlockEnd";
    l << "0 BLOCK" << "5 1C" << "330 1B" << "100 AcDbEntity" << "67 1" << "8 0" << "100 AcDbBlockBegin"
      << "2 *Paper_Space" << "70 0" << "10 0.0" << "20 0.0" << "30 0.0" << "3 *Paper_Space" << "1 "
      << "0 ENDBLK" << "5 1D" << "330 1B" << "100 AcDbEntity" << "67 1" << "8 0" << "100 AcDbBlockEnd";
    l << "0 BLOCK" << "5 41" << "330 40" << "100 AcDbEntity" << "8 0" << "100 AcDbBlockBegin"
      << "2 DOORBLK" << "70 0" << "10 0.0" << "20 0.0" << "30 0.0" << "3 DOORBLK" << "1 ";
    l << entity("LINE", "43", "40", "BlockOnly", {"100 AcDbLine", "10 0.0", "20 0.0", "30 0.0", "11 10.0", "21 0.0", "31 0.0"});
    l << entity("CIRCLE", "44", "40", "0", {"62 0", "100 AcDbCircle", "10 5.0", "20 5.0", "30 0.0", "40 2.0"});
    l << "0 ENDBLK" << "5 42" << "330 40" << "100 AcDbEntity" << "8 0" << "100 AcDbBlockEnd";
    l << "0 ENDSEC";

    l << "0 SECTION" << "2 ENTITIES";
    l << entity("LINE", "100", "1F", "A-WALL-NEW", {"100 AcDbLine", "10 0.0", "20 0.0", "30 0.0", "11 100.0", "21 0.0", "31 0.0"});
    l << entity("LINE", "101", "1F", "A-WALL-NEW", {"62 5", "100 AcDbLine", "10 100.0", "20 0.0", "30 0.0", "11 100.0", "21 60.0", "31 0.0"});
    l << entity("CIRCLE", "102", "1F", "A-DOOR", {"100 AcDbCircle", "10 50.0", "20 30.0", "30 0.0", "40 10.0"});
    l << entity("ARC", "103", "1F", "A-DOOR", {"100 AcDbCircle", "10 20.0", "20 40.0", "30 0.0", "40 8.0", "100 AcDbArc", "50 0.0", "51 90.0"});
    l << entity("TEXT", "104", "1F", "A-WALL-NEW", {"100 AcDbText", "10 10.0", "20 10.0", "30 0.0", "40 5.0", "1 WALL", "100 AcDbText"});
    l << entity("LWPOLYLINE", "105", "1F", "A-DOOR", {"100 AcDbPolyline", "90 3", "70 0", "10 0.0", "20 60.0", "42 0.5", "10 30.0", "20 60.0", "10 30.0", "20 80.0"});
    l << entity("INSERT", "106", "1F", "A-DOOR", {"62 1", "100 AcDbBlockReference", "2 DOORBLK", "10 70.0", "20 40.0", "30 0.0"});
    l << entity("LINE", "107", "1F", "FROZEN", {"100 AcDbLine", "10 0.0", "20 -10.0", "30 0.0", "11 100.0", "21 -10.0", "31 0.0"});
    l << entity("LINE", "108", "1F", "HIDDEN", {"6 DASHED", "100 AcDbLine", "10 0.0", "20 -20.0", "30 0.0", "11 100.0", "21 -20.0", "31 0.0"});
    l << entity("TEXT", "109", "1F", "LOCKED", {"62 0", "100 AcDbText", "10 60.0", "20 10.0", "30 0.0", "40 3.0", "1 LOCKED TEXT", "100 AcDbText"});
    l << entity("VIEWPORT", "22", "1B", "0", {"100 AcDbViewport", "10 148.5", "20 105.0", "30 0.0", "40 381.0", "41 277.0", "68 1", "69 1", "12 210.0", "22 148.5", "45 277.0", "90 32864"}, true);
    l << entity("VIEWPORT", "110", "1B", "0", {"100 AcDbViewport", "10 150.0", "20 120.0", "30 0.0", "40 200.0", "41 150.0", "68 2", "69 2", "12 50.0", "22 30.0", "45 120.0", "90 32864"}, true);
    l << entity("TEXT", "111", "1B", "A-WALL-NEW", {"100 AcDbText", "10 20.0", "20 20.0", "30 0.0", "40 6.0", "1 TITLE", "100 AcDbText"}, true);
    l << "0 ENDSEC";

    l << "0 SECTION" << "2 OBJECTS";
    l << "0 DICTIONARY" << "5 C" << "330 0" << "100 AcDbDictionary" << "281 1"
      << "3 ACAD_GROUP" << "350 D" << "3 ACAD_LAYOUT" << "350 1A";
    l << "0 DICTIONARY" << "5 D" << "330 C" << "100 AcDbDictionary" << "281 1";
    l << "0 DICTIONARY" << "5 1A" << "330 C" << "100 AcDbDictionary" << "281 1"
      << "3 Layout1" << "350 1E" << "3 Model" << "350 26";
    l << "0 LAYOUT" << "5 1E" << "330 1A" << "100 AcDbPlotSettings" << "1 " << "2 none_device" << "4 " << "6 "
      << "40 0.0" << "41 0.0" << "42 0.0" << "43 0.0" << "44 420.0" << "45 297.0" << "46 0.0" << "47 0.0"
      << "48 0.0" << "49 0.0" << "140 0.0" << "141 0.0" << "142 1.0" << "143 1.0" << "70 688" << "72 1"
      << "73 0" << "74 5" << "7 " << "75 16" << "147 1.0" << "148 0.0" << "149 0.0"
      << "100 AcDbLayout" << "1 Layout1" << "70 1" << "71 1" << "10 0.0" << "20 0.0" << "11 420.0" << "21 297.0"
      << "12 0.0" << "22 0.0" << "32 0.0" << "14 0.0" << "24 0.0" << "34 0.0" << "15 0.0" << "25 0.0" << "35 0.0"
      << "146 0.0" << "13 0.0" << "23 0.0" << "33 0.0" << "16 1.0" << "26 0.0" << "36 0.0" << "17 0.0"
      << "27 1.0" << "37 0.0" << "76 0" << "330 1B" << "331 22";
    l << "0 LAYOUT" << "5 26" << "330 1A" << "100 AcDbPlotSettings" << "1 " << "2 none_device" << "4 " << "6 "
      << "40 0.0" << "41 0.0" << "42 0.0" << "43 0.0" << "44 420.0" << "45 297.0" << "46 0.0" << "47 0.0"
      << "48 0.0" << "49 0.0" << "140 0.0" << "141 0.0" << "142 1.0" << "143 1.0" << "70 1712" << "72 1"
      << "73 0" << "74 0" << "7 " << "75 0" << "147 1.0" << "148 0.0" << "149 0.0"
      << "100 AcDbLayout" << "1 Model" << "70 1" << "71 0" << "10 0.0" << "20 0.0" << "11 420.0" << "21 297.0"
      << "12 0.0" << "22 0.0" << "32 0.0" << "14 0.0" << "24 0.0" << "34 0.0" << "15 0.0" << "25 0.0" << "35 0.0"
      << "146 0.0" << "13 0.0" << "23 0.0" << "33 0.0" << "16 1.0" << "26 0.0" << "36 0.0" << "17 0.0"
      << "27 1.0" << "37 0.0" << "76 0" << "330 1F";
    l << "0 ENDSEC" << "0 EOF";
    return dxfFromLines(l);
}

} // namespace hosttest
