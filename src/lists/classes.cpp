#include "lists/classes.h"
#include "app/frm_main.h"
#include "app/program.h"
#include "lists/class_commands.h"
#include "lists/sorted.h"

#include "platform/regexp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>

#include <algorithm>

namespace lists {

namespace {

// One pattern object per evaluation, set up as every class pattern is.
platform::RegExp classRegExp(const QString &pattern)
{
    platform::RegExp re;
    re.setPattern(pattern);
    re.setIgnoreCase(true);
    re.setMultiLine(true);
    re.setGlobal(true);
    return re;
}

// "^.+?" + delimiter: the shortest text from a line's start up to and
// including its first delimiter.
QString firstClassPattern(const QString &sDelimiter)
{
    return QStringLiteral("^.+?") + escapedDelimiter(sDelimiter);
}

QComboBox *classCombo(app::Program &p, int i) // i = 1..4
{
    return p.frmMain().CboItem[static_cast<size_t>(i - 1)];
}

// Sets a combo's text: an entry equal to it (ignoring case) becomes the
// current one, the text stays as given.
void setComboText(QComboBox *cbo, const QString &text)
{
    const int k = findText(cbo, text, false);
    if (k >= 0)
        cbo->setCurrentIndex(k);
    if (cbo->isEditable())
        cbo->setEditText(text);
}

void selectIndex(QComboBox *cbo, int index)
{
    if (index < cbo->count())
        cbo->setCurrentIndex(index);
}

} // namespace

QString classAllText()
{
    return QStringLiteral("   (ALL)   ");
}

QString classNotSpecifiedText()
{
    return QStringLiteral("  (指定しない)  ");
}

QString escapedDelimiter(const QString &sDelimiter)
{
    if (sDelimiter == QStringLiteral(" ") || sDelimiter == QStringLiteral("\u3000"))
        return QStringLiteral("\\x20");
    // Every pattern character of the delimiter is taken literally, so that a
    // delimiter such as "_", "|", "$" or "*" splits names like "-" does.
    static const QString kSpecial = QStringLiteral(".+*?()[]{}|^$\\/");
    QString out;
    out.reserve(sDelimiter.size() * 2);
    for (const QChar c : sDelimiter) {
        if (kSpecial.contains(c))
            out.append(QLatin1Char('\\'));
        out.append(c);
    }
    return out;
}

int pu_fun_iDelimiterCount(const QString &sName, const QString &sDelimiter)
{
    if (sDelimiter.isEmpty())
        return 0;
    int count = 0;
    for (qsizetype at = sName.indexOf(sDelimiter); at >= 0; at = sName.indexOf(sDelimiter, at + sDelimiter.size()))
        ++count;
    return count;
}

int pu_fun_vMaxDelimiterCount(app::Program &p, const QString &sDelimiter)
{
    int most = 0;
    for (const app::typLayerState &s : p.gLayersState)
        most = std::max(most, pu_fun_iDelimiterCount(s.Name, sDelimiter));
    return most;
}

QString pu_fun_sLayerNamesByClass(app::Program &p, int iClassCount, bool bOrMore)
{
    QString out;
    for (const app::typLayerState &s : p.gLayersState) {
        if (iClassCount != 0) {
            const int classes = pu_fun_iDelimiterCount(s.Name, p.gDelimiter) + 1;
            if (bOrMore ? classes < iClassCount : classes != iClassCount)
                continue;
        }
        out += s.Name;
        out += QLatin1Char('\n');
    }
    return out;
}

QString pu_fun_sClassPattern(const QString &sDelimiter, const NameArray &aClass, int iClassCount,
                             bool bAnchor)
{
    const auto part = [&aClass](int i) {
        if (i >= aClass.size())
            return QString();
        return aClass.at(i) == classAllText() ? QStringLiteral(".+") : aClass.at(i);
    };
    QString pattern = part(1);
    const QString delimiter = escapedDelimiter(sDelimiter);
    for (int i = 2; i <= iClassCount; ++i)
        pattern += delimiter + part(i);
    if (bAnchor)
        pattern = QLatin1Char('^') + pattern + QLatin1Char('$');
    return pattern;
}

QString pu_fun_sClassPattern(app::Program &p, const NameArray &aClass, int iClassCount, bool bAnchor)
{
    return pu_fun_sClassPattern(p.gDelimiter, aClass, iClassCount, bAnchor);
}

void pu_subRegExpMatches(const QString &sText, const QString &sPattern, NameArray &aMatches)
{
    aMatches = emptyNameArray();
    const platform::RegExp re = classRegExp(sPattern);
    const platform::MatchCollection matches = re.Execute(sText);
    for (const platform::Match &m : matches) {
        // sText holds one name per line.  A match is a name only when it
        // stays within its line and is not empty: a class text such as
        // "[^x]+" or "\s" could run over a line feed and join names, and an
        // optional one could match the empty end of the text.  The lines such
        // a match ran over are tried one by one instead.
        if (m.Value.isEmpty())
            continue;
        if (!m.Value.contains(QLatin1Char('\n'))) {
            aMatches.append(m.Value);
            continue;
        }
        const int lineStart = m.FirstIndex == 0 ? 0 : sText.lastIndexOf(QLatin1Char('\n'), m.FirstIndex - 1) + 1;
        int lineEnd = sText.indexOf(QLatin1Char('\n'), m.FirstIndex + m.Length - 1);
        if (lineEnd < 0)
            lineEnd = static_cast<int>(sText.size());
        const QStringList lines = sText.mid(lineStart, lineEnd - lineStart).split(QLatin1Char('\n'));
        for (const QString &line : lines) {
            if (line.isEmpty())
                continue;
            for (const platform::Match &one : re.Execute(line))
                if (!one.Value.isEmpty())
                    aMatches.append(one.Value);
        }
    }
}

void pu_subArrayExcept(const NameArray &aAll, const NameArray &aRemove, NameArray &aResult)
{
    QSet<QString> remove;
    remove.reserve(aRemove.size());
    for (qsizetype i = 1; i < aRemove.size(); ++i)
        remove.insert(aRemove.at(i));
    aResult = emptyNameArray();
    aResult.reserve(aAll.size());
    for (qsizetype i = 1; i < aAll.size(); ++i) {
        const QString &name = aAll.at(i);
        // Names are unique: each name of aRemove takes away one element.
        if (!remove.remove(name))
            aResult.append(name);
    }
}

void pu_subSplitLayerName(const QString &sDelimiter, QString &sName, int iMaxClass, int &iLevel,
                          NameArray &aClass)
{
    while (iLevel < iMaxClass) {
        ++iLevel;
        const platform::RegExp re = classRegExp(firstClassPattern(sDelimiter));
        const platform::MatchCollection matches = re.Execute(sName);
        if (matches.Count() == 0)
            return;
        const QString &m = matches.Item(0).Value;
        aClass.append(iLevel == iMaxClass ? sName.left(sName.size() - 1) : m.left(m.size() - 1));
        sName.remove(0, m.size());
    }
}

void pr_subAddClassItems(app::Program &p, QString &sNames, int &iLevel)
{
    while (iLevel <= 3) {
        ++iLevel;
        const platform::RegExp re = classRegExp(firstClassPattern(p.gDelimiter));
        const platform::MatchCollection matches = re.Execute(sNames);
        if (matches.Count() == 0)
            return;
        // Each class once, ignoring case; the combo places them in one batch
        // (adding thousands one by one would shift the list each time).
        QComboBox *cbo = classCombo(p, iLevel);
        QSet<QString> seen;
        for (int i = 0; i < cbo->count(); ++i)
            seen.insert(cbo->itemText(i).toCaseFolded());
        QStringList add;
        for (const platform::Match &m : matches) {
            const QString cls = m.Value.left(m.Value.size() - 1);
            if (!seen.contains(cls.toCaseFolded())) {
                seen.insert(cls.toCaseFolded());
                add.append(cls);
            }
        }
        const int current = cbo->currentIndex();
        addSorted(cbo, add);
        if (current >= 0 && current < pinnedCount(cbo))
            cbo->setCurrentIndex(current);
        sNames = re.Replace(sNames, QString());
    }
}

void pu_subSetCboItems(app::Program &p)
{
    QString names;
    for (const app::typLayerState &s : p.gLayersState) {
        names += s.Name;
        names += p.gDelimiter;
        names += QLatin1Char('\n');
    }
    for (int i = 1; i <= 4; ++i) {
        QComboBox *cbo = classCombo(p, i);
        resetCombo(cbo, {classAllText(), classNotSpecifiedText()});
        cbo->setCurrentIndex(0);
    }
    int level = 0;
    pr_subAddClassItems(p, names, level);
}

void pr_subSetClassFromLayer(app::Program &p)
{
    app::FrmMain &f = p.frmMain();
    const int index = f.CboLayer->currentIndex();
    if (index < 0)
        return;
    if (index == 0) {
        for (int i = 1; i <= 4; ++i)
            selectIndex(classCombo(p, i), 0);
        return;
    }
    const int iMaxClass = f.Chk4Class->isChecked() ? 4 : 3;
    NameArray aClass = emptyNameArray();
    QString sName = f.CboLayer->currentText() + p.gDelimiter;
    int level = 0;
    pu_subSplitLayerName(p.gDelimiter, sName, iMaxClass, level, aClass);
    const int upper = static_cast<int>(aClass.size()) - 1;
    for (int i = 1; i <= upper; ++i)
        setComboText(classCombo(p, i), aClass.at(i));
    for (int i = upper + 1; i <= iMaxClass; ++i)
        selectIndex(classCombo(p, i), 1);
}

void pr_subMatchLayers(app::Program &p, NameArray &aMatch, NameArray &aOther, QString &sLblItems,
                       QString &sLblRegExp)
{
    app::FrmMain &f = p.frmMain();
    int most = pu_fun_vMaxDelimiterCount(p, p.gDelimiter) + 1;
    NameArray d(most + 1);
    most = std::min(most, 4);
    for (int g = 1; g <= most; ++g)
        d[g] = classCombo(p, g)->currentText();
    const int inUse = std::min(most, f.Chk4Class->isChecked() ? 4 : 3);

    int m = 0;
    for (int i = 1; i <= inUse && m == 0; ++i)
        if (d.at(i) == classNotSpecifiedText())
            m = i;

    sLblRegExp.clear();
    if (m != 0) {
        // The name ends after the classes before m.
        const QString names = pu_fun_sLayerNamesByClass(p, m - 1, false);
        sLblRegExp = pu_fun_sClassPattern(p, d, m - 1, true);
        pu_subRegExpMatches(names, sLblRegExp, aMatch);
    } else {
        int k = inUse;
        while (k >= 1 && d.at(k) == classAllText())
            --k;
        if (k == 0) {
            const QString names = pu_fun_sLayerNamesByClass(p, 0, false);
            sLblRegExp = QStringLiteral(".+$");
            pu_subRegExpMatches(names, sLblRegExp, aMatch);
        } else {
            // One candidate group per class count from k up to the largest.
            aMatch = emptyNameArray();
            for (int i = k; i <= most; ++i) {
                const QString names = pu_fun_sLayerNamesByClass(p, i, false);
                if (i > inUse)
                    d[i] = classAllText();
                const QString pattern = pu_fun_sClassPattern(p, d, i, true);
                NameArray group;
                pu_subRegExpMatches(names, pattern, group);
                aMatch.append(group.mid(1));
                sLblRegExp = sLblRegExp.isEmpty() ? pattern : sLblRegExp + QLatin1Char('|') + pattern;
            }
        }
    }

    NameArray all = emptyNameArray();
    all.reserve(static_cast<qsizetype>(p.gLayersState.UBound()) + 1);
    for (const app::typLayerState &s : p.gLayersState)
        all.append(s.Name);
    pu_subArrayExcept(all, aMatch, aOther);

    sLblItems = classCombo(p, 1)->currentText();
    for (int t = 2; t <= inUse; ++t)
        sLblItems += p.gDelimiter + classCombo(p, t)->currentText();
}

void CboItem_DblClick(app::Program &p, int index)
{
    selectIndex(classCombo(p, index), 0);
}

void LblItem_Click(app::Program &p)
{
    for (int i = 1; i <= 4; ++i)
        selectIndex(classCombo(p, i), 0);
}

namespace {

// Double-clicks on the class combos (their edit fields) and clicks on the
// caption "分類指定".
class ClassControlEvents : public QObject {
public:
    ClassControlEvents(app::Program &p, QObject *parent) : QObject(parent), m_p(p) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        app::FrmMain &f = m_p.frmMain();
        if (event->type() == QEvent::MouseButtonDblClick) {
            for (int i = 0; i < 4; ++i) {
                QComboBox *cbo = f.CboItem[static_cast<size_t>(i)];
                if (watched == cbo || watched == cbo->lineEdit()) {
                    CboItem_DblClick(m_p, i + 1);
                    return true;
                }
            }
        }
        if (event->type() == QEvent::MouseButtonRelease && watched == f.LblItem) {
            LblItem_Click(m_p);
            return true;
        }
        return false;
    }

private:
    app::Program &m_p;
};

} // namespace

void pr_subConnectClassControls(app::Program &p)
{
    app::FrmMain &f = p.frmMain();
    auto *events = new ClassControlEvents(p, &f);
    for (QComboBox *cbo : f.CboItem) {
        cbo->installEventFilter(events);
        if (cbo->lineEdit())
            cbo->lineEdit()->installEventFilter(events);
    }
    f.LblItem->installEventFilter(events);

    app::Program *pp = &p;
    QObject::connect(f.CmdItemON, &QPushButton::clicked, &f, [pp] { CmdItemON_Click(*pp); });
    QObject::connect(f.CmdItemOFF, &QPushButton::clicked, &f, [pp] { CmdItemOFF_Click(*pp); });
    QObject::connect(f.CmdItemExclusiveON, &QPushButton::clicked, &f,
                     [pp] { CmdItemExclusiveON_Click(*pp); });
}

} // namespace lists
