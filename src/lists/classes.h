// Layer-name classes: the parts of a layer name between delimiters, the four
// class combos of the main window, and the class match behind the class
// commands.
//
// Every pattern here is evaluated case-insensitively with "^" and "$" at the
// start and end of every line, over one text holding all the names concerned
// (one name per line): one evaluation per class level or per candidate group,
// never one per layer.  A class text the user typed is a pattern too; a
// malformed one raises platform::PlatformError out of the match.
#pragma once

#include "lists/name_array.h"

#include <QString>

namespace app {
class Program;
}

namespace lists {

// The two fixed entries of the class combos (items 0 and 1).
QString classAllText();         // "   (ALL)   "
QString classNotSpecifiedText(); // "  (指定しない)  "

// The delimiter as it goes into a pattern: "." and "+" (as its first
// character) escaped, one space or the ideographic space as "\x20", anything
// else unchanged.
QString escapedDelimiter(const QString &sDelimiter);

// Occurrences of the delimiter in the name (case-sensitive, non-overlapping).
int pu_fun_iDelimiterCount(const QString &sName, const QString &sDelimiter);
// The largest occurrence count over the snapshot, 0 without layers.
int pu_fun_vMaxDelimiterCount(app::Program &p, const QString &sDelimiter);
// Snapshot names, each followed by a line feed, in snapshot order: all with
// iClassCount 0, else those with exactly (bOrMore: at least) that many classes.
QString pu_fun_sLayerNamesByClass(app::Program &p, int iClassCount, bool bOrMore);
// The pattern of classes 1..iClassCount joined by the escaped delimiter;
// "   (ALL)   " stands for ".+"; bAnchor adds "^" and "$".
QString pu_fun_sClassPattern(const QString &sDelimiter, const NameArray &aClass, int iClassCount,
                             bool bAnchor);
QString pu_fun_sClassPattern(app::Program &p, const NameArray &aClass, int iClassCount, bool bAnchor);
// Every match of sPattern in sText (elements 1..n).  Throws PlatformError.
void pu_subRegExpMatches(const QString &sText, const QString &sPattern, NameArray &aMatches);
// The names of aAll not in aRemove (exact comparison), in the order of aAll.
void pu_subArrayExcept(const NameArray &aAll, const NameArray &aRemove, NameArray &aResult);

// Splits sName (a layer name followed by the delimiter) into at most
// iMaxClass classes appended to aClass; the last class wanted takes the rest.
void pu_subSplitLayerName(const QString &sDelimiter, QString &sName, int iMaxClass, int &iLevel,
                          NameArray &aClass);

// Refills the four class combos from the snapshot.
void pu_subSetCboItems(app::Program &p);
// One level of it: the first class of every line of sNames goes to combo
// iLevel + 1 and is cut off, then the next level.
void pr_subAddClassItems(app::Program &p, QString &sNames, int &iLevel);
// The class combos follow the layer chosen in CboLayer.
void pr_subSetClassFromLayer(app::Program &p);

// The class match: the matched names, the others, the class text and the
// pattern text.  Throws PlatformError for a malformed class text.
void pr_subMatchLayers(app::Program &p, NameArray &aMatch, NameArray &aOther, QString &sLblItems,
                       QString &sLblRegExp);

// Double-click on a class combo: its entry 0.  Click on "分類指定": entry 0
// in all four.
void CboItem_DblClick(app::Program &p, int index);
void LblItem_Click(app::Program &p);

// Connects the class combos, their caption and the three class commands.
// Called once, when the main window is made.
void pr_subConnectClassControls(app::Program &p);

} // namespace lists
