// The settings file "LAMOR.ini" beside the program.
#include "app/frm_main.h"
#include "app/program.h"

#include <QLabel>

namespace app {

int Program::pu_fun_iCheckIniFile(QString &sIniPath)
{
    if (sIniPath.isEmpty())
        return 0;
    sIniPath = platform::fs::absoluteTo(m_platform.programFolder(), sIniPath);
    if (platform::fs::FileExists(sIniPath)) {
        gIniWritable = !platform::fs::IsReadOnly(sIniPath);
    } else {
        if (platform::fs::IsFixedDrive(sIniPath))
            gIniWritable = true;
        platform::fs::WriteText(sIniPath, QString());
    }
    return 0;
}

QVariant Program::pu_fun_vGetIni(QString &sIniPath, const QString &sSection, const QString &sKey,
                                 const QVariant &vDefault, bool bNumeric)
{
    pu_fun_iCheckIniFile(sIniPath);
    if (bNumeric)
        return platform::GetPrivateProfileInt(sSection, sKey, vDefault.toInt(), sIniPath);
    const QString text =
        platform::GetPrivateProfileString(sSection, sKey, vDefault.toString(), sIniPath);
    if (text.isEmpty())
        return QVariant();
    QString value = text.left(text.indexOf(QChar(0)) >= 0 ? text.indexOf(QChar(0)) : text.size());
    while (value.startsWith(QLatin1Char(' ')))
        value.remove(0, 1);
    while (value.endsWith(QLatin1Char(' ')))
        value.chop(1);
    return value;
}

long Program::pu_fun_lSetIni(QString &sIniPath, const QString &sSection, const QString &sKey,
                             const QVariant &vValue)
{
    pu_fun_iCheckIniFile(sIniPath);
    const QString text = vValue.toString();
    if (!gIniWritable)
        return 0;
    return platform::WritePrivateProfileString(sSection, sKey, text, sIniPath) ? 1 : 0;
}

void Program::pu_subLoadOptions(QString &sIniPath)
{
    const QString section = QStringLiteral("Option");
    gDelimiter = pu_fun_vGetIni(sIniPath, section, QStringLiteral("delimiter"),
                                QStringLiteral("-"), false)
                     .toString()
                     .replace(QStringLiteral("\\s"), QStringLiteral(" "));
    for (QLabel *label : m_frmMain->LblItemDeli)
        label->setText(gDelimiter);
    gSmallViewClass =
        pu_fun_vGetIni(sIniPath, section, QStringLiteral("SmallViewClass"), 1, true).toInt();
    gEscAllView = pu_fun_vGetIni(sIniPath, section, QStringLiteral("EscALLView"), 1, true).toInt();
    gAutoHide = pu_fun_vGetIni(sIniPath, section, QStringLiteral("AutoHide"), 1, true).toInt();
    gOnOffDetail =
        pu_fun_vGetIni(sIniPath, section, QStringLiteral("ChkONOFFDetail"), 0, true).toInt();
}

} // namespace app
