#include "lists/class_commands.h"
#include "app/frm_main.h"
#include "app/program.h"
#include "lists/acad_checks.h"
#include "lists/classes.h"
#include "lists/frm_match_layer.h"
#include "lists/list_fill.h"

#include <QPushButton>

#include <functional>

namespace lists {

namespace {

enum Command { kOn = 0, kOff = 1, kExclusive = 2 };

constexpr int kRegenAllViewports = 1;

void forEachName(const NameArray &names, const std::function<void(const QString &)> &fn)
{
    for (qsizetype i = 1; i < names.size(); ++i)
        if (!names.at(i).isEmpty())
            fn(names.at(i));
}

// Rule A: the current layer (read anew for every name) is not frozen.
void freezeNames(app::Program &p, const acad::DocumentPtr &doc, const acad::LayersPtr &layers,
                 const NameArray &names)
{
    forEachName(names, [&](const QString &name) {
        if (activeLayer(doc)->Name() == name) {
            p.MsgBox(QStringLiteral("現在アクティブな画層：") + name +
                         QStringLiteral("\r\nはフリーズすることができません。"),
                     platform::vbOKOnly + platform::vbExclamation);
            return;
        }
        layerNamed(layers, name)->setFreeze(true);
    });
}

// Rule B: a frozen current layer is not thawed; a layer is written only when
// it is frozen now.
void thawNames(app::Program &p, const acad::DocumentPtr &doc, const acad::LayersPtr &layers,
               const NameArray &names)
{
    forEachName(names, [&](const QString &name) {
        const acad::LayerPtr current = activeLayer(doc);
        if (current->Freeze() && current->Name() == name) {
            p.MsgBox(QStringLiteral("現在アクティブな画層：") + name +
                         QStringLiteral("\r\nをフリーズ解除することができません。"),
                     platform::vbOKOnly + platform::vbExclamation);
            return;
        }
        const acad::LayerPtr layer = layerNamed(layers, name);
        if (layer->Freeze())
            layer->setFreeze(false);
    });
}

// The matched names get the property (ON, exclusive), or lose it (OFF); with
// the exclusive command the others lose it afterwards.
void writeSimple(const acad::LayersPtr &layers, int command, const NameArray &aMatch,
                 const NameArray &aOther, void (acad::AcadLayer::*set)(bool))
{
    forEachName(aMatch, [&](const QString &name) { ((*layerNamed(layers, name)).*set)(command != kOff); });
    if (command == kExclusive)
        forEachName(aOther, [&](const QString &name) { ((*layerNamed(layers, name)).*set)(false); });
}

void putIntoLists(app::Program &p, int command, const NameArray &aMatch, const NameArray &aOther)
{
    switch (command) {
    case kOn:
        pr_subMoveToON(p, aMatch);
        break;
    case kOff:
        pr_subMoveToOFF(p, aMatch);
        break;
    default:
        pr_subSetLists(p, aMatch, aOther);
        break;
    }
}

void runClassCommand(app::Program &p, int command)
{
    static const char *const kProcNames[] = {"CmdItemON_Click", "CmdItemOFF_Click",
                                             "CmdItemExclusiveON_Click"};
    static const char *const kWords[] = {"表示", "非表示", "排他表示"};
    app::FrmMain &f = p.frmMain();
    try {
        const int savedHeight = f.Height();
        NameArray aMatch;
        NameArray aOther;
        QString sLblItems;
        QString sLblRegExp;
        pr_subMatchLayers(p, aMatch, aOther, sLblItems, sLblRegExp);

        QString sLblProcess = QString::fromUtf8(kWords[command]);
        bool bOK = false;
        bool bONList = false;
        pu_subFormShow(p, aMatch, aOther, sLblItems, sLblRegExp, sLblProcess, bOK, bONList);

        if (bONList) {
            putIntoLists(p, command, aMatch, aOther);
            p.DoEvents();
            if (p.hasEnded())
                return;
            f.setHeight(savedHeight);
            pu_subSetListCount(p);
            f.CmdListDWG->setEnabled(true);
            return;
        }

        const int mode = f.selectedExeMode();
        if (bOK) {
            if (!p.gAcadDoc)
                throw objectNotSet();
            const acad::DocumentPtr doc = p.gAcadDoc;
            if (mode == app::ModeNowFreeze) {
                if (!pu_fun_bViewportModelSpaceActive(p, doc))
                    return;
                bool bCancel = false;
                pr_subClassNowFreezeScriptStep(p, command, aMatch, aOther, bCancel);
                if (bCancel)
                    return;
            } else {
                const acad::LayersPtr layers = doc->Layers();
                if (!layers)
                    throw objectNotSet();
                switch (mode) {
                case app::ModeDisplay:
                    writeSimple(layers, command, aMatch, aOther, &acad::AcadLayer::setLayerOn);
                    break;
                case app::ModeFreeze:
                    if (command == kOff) {
                        thawNames(p, doc, layers, aMatch);
                    } else {
                        freezeNames(p, doc, layers, aMatch);
                        if (command == kExclusive)
                            thawNames(p, doc, layers, aOther);
                    }
                    break;
                case app::ModeLock:
                    writeSimple(layers, command, aMatch, aOther, &acad::AcadLayer::setLock);
                    break;
                case app::ModePlot:
                    writeSimple(layers, command, aMatch, aOther, &acad::AcadLayer::setPlottable);
                    break;
                default: // frozen in new viewports
                    writeSimple(layers, command, aMatch, aOther, &acad::AcadLayer::setViewportDefault);
                    break;
                }
                if (mode == app::ModeDisplay || mode == app::ModeFreeze)
                    doc->Regen(kRegenAllViewports);
            }
        }

        p.DoEvents();
        if (p.hasEnded())
            return;
        f.setHeight(savedHeight);
        if (mode != app::ModeNowFreeze) {
            CmdListImport_Click(p);
        } else if (bOK) {
            putIntoLists(p, command, aMatch, aOther);
            p.DoEvents();
            if (p.hasEnded())
                return;
            f.setHeight(savedHeight);
            pu_subSetListCount(p);
            p.SetForegroundWindow(p.mainHwnd());
            p.MsgBox(QStringLiteral("スクリプトの実行が完了しました。"),
                     platform::vbOKOnly + platform::vbInformation);
        }
    } catch (const std::exception &e) {
        p.ErrorBox(QString::fromLatin1(kProcNames[command]), e);
    }
}

} // namespace

void pr_subClassNowFreezeScriptStep(app::Program &, int, const NameArray &, const NameArray &,
                                    bool &bCancel)
{
    bCancel = true;
}

void CmdItemON_Click(app::Program &p)
{
    runClassCommand(p, kOn);
}

void CmdItemOFF_Click(app::Program &p)
{
    runClassCommand(p, kOff);
}

void CmdItemExclusiveON_Click(app::Program &p)
{
    runClassCommand(p, kExclusive);
}

} // namespace lists
