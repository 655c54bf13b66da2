#include "util/reg_exp.h"

#include "platform/platform.h"
#include "platform/regexp.h"

namespace util {

bool pu_fun_bRegExp(platform::Platform &pf, const QString &sTarget, const QString &sPattern,
                    QStringList &vMatches, bool bWholeMatch)
{
    bool result = false;
    vMatches.clear();
    try {
        platform::RegExp re;
        re.setGlobal(true);
        re.setPattern(sPattern);
        if (sTarget.isEmpty())
            return false;
        if (!re.Test(sTarget))
            return false;
        const platform::MatchCollection matches = re.Execute(sTarget);
        if (bWholeMatch)
            return matches.Count() > 0 && matches.Item(0).Value == sTarget;
        // The list is built aside and handed over whole, so a failure half way
        // leaves no partial list behind.
        QStringList found;
        found.reserve(matches.Count());
        for (const platform::Match &m : matches)
            found.append(m.Value);
        result = true;
        vMatches = std::move(found);
    } catch (const platform::PlatformError &e) {
        pf.MsgBox(QStringLiteral("予期せぬエラー\r番号：") + QString::number(e.number()) +
                      QStringLiteral("\r内容：") + e.description(),
                  platform::vbOKOnly + platform::vbCritical, QStringLiteral("pu_fun_bRegExp"));
    }
    return result;
}

} // namespace util
