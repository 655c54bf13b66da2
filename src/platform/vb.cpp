#include "vb.h"

#include <QStringList>

namespace platform {

QList<int> buttonsOf(int style)
{
    switch (style & vbButtonsMask) {
    case vbOKCancel:
        return {vbOK, vbCancel};
    case vbAbortRetryIgnore:
        return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel:
        return {vbYes, vbNo, vbCancel};
    case vbYesNo:
        return {vbYes, vbNo};
    case vbRetryCancel:
        return {vbRetry, vbCancel};
    default:
        return {vbOK};
    }
}

int defaultAnswerOf(int style)
{
    const QList<int> buttons = buttonsOf(style);
    const int index = (style & vbDefaultMask) / vbDefaultButton2;
    return index < buttons.size() ? buttons.at(index) : buttons.first();
}

int escapeAnswerOf(int style)
{
    switch (style & vbButtonsMask) {
    case vbOKOnly:
        return vbOK;
    case vbOKCancel:
    case vbYesNoCancel:
    case vbRetryCancel:
        return vbCancel;
    default:
        return 0;
    }
}

QString styleName(int style)
{
    static const char *const buttonNames[] = {"vbOKOnly", "vbOKCancel", "vbAbortRetryIgnore",
                                              "vbYesNoCancel", "vbYesNo", "vbRetryCancel"};
    QStringList parts;
    const int b = style & vbButtonsMask;
    parts << (b < 6 ? QString::fromLatin1(buttonNames[b]) : QString::number(b));
    switch (style & vbIconMask) {
    case 0:
        break;
    case vbCritical:
        parts << QStringLiteral("vbCritical");
        break;
    case vbQuestion:
        parts << QStringLiteral("vbQuestion");
        break;
    case vbExclamation:
        parts << QStringLiteral("vbExclamation");
        break;
    case vbInformation:
        parts << QStringLiteral("vbInformation");
        break;
    default:
        parts << QString::number(style & vbIconMask);
    }
    if (style & vbDefaultMask)
        parts << QStringLiteral("vbDefaultButton%1").arg((style & vbDefaultMask) / 256 + 1);
    const int rest = style & ~(vbButtonsMask | vbIconMask | vbDefaultMask);
    if (rest)
        parts << QString::number(rest);
    return parts.join(QLatin1Char('|'));
}

QString answerName(int answer)
{
    switch (answer) {
    case vbOK:
        return QStringLiteral("vbOK");
    case vbCancel:
        return QStringLiteral("vbCancel");
    case vbAbort:
        return QStringLiteral("vbAbort");
    case vbRetry:
        return QStringLiteral("vbRetry");
    case vbIgnore:
        return QStringLiteral("vbIgnore");
    case vbYes:
        return QStringLiteral("vbYes");
    case vbNo:
        return QStringLiteral("vbNo");
    default:
        return QString::number(answer);
    }
}

} // namespace platform
