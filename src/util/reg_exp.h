// Testing a text against a regular expression and handing back its matches.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {
class Platform;
}

namespace util {

// Tests sTarget against sPattern (case-sensitive, "^"/"$" at the ends of the
// whole text).  vMatches is emptied first; with bWholeMatch false it then
// receives every match from left to right (element 0 the leftmost) and the
// result says whether there was one.  With bWholeMatch true the result says
// whether the first match covers the whole text, and vMatches stays empty.
// An empty text is never evaluated (false).  A malformed or runaway pattern
// is reported here in a box titled "pu_fun_bRegExp" ("予期せぬエラー", number,
// description); the result is then false.
bool pu_fun_bRegExp(platform::Platform &pf, const QString &sTarget, const QString &sPattern,
                    QStringList &vMatches, bool bWholeMatch);

} // namespace util
