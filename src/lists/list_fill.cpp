#include "lists/list_fill.h"
#include "app/frm_main.h"
#include "app/program.h"
#include "lists/apply_lists.h"
#include "lists/list_box_ops.h"
#include "lists/sorted.h"
#include "lists/unique_list_box.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace lists {

namespace {

struct CaptionTexts {
    const char16_t *on;
    const char16_t *off;
};

constexpr CaptionTexts kCaptions[app::kExeModeCount] = {
    {u"ONﾘｽﾄ：表示 [", u"OFFﾘｽﾄ：非表示 ["},
    {u"ONﾘｽﾄ：全てのﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞ [", u"OFFﾘｽﾄ：全てのﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞしない ["},
    {u"ONﾘｽﾄ：編集ロック [", u"OFFﾘｽﾄ：編集可能 ["},
    {u"ONﾘｽﾄ：印刷する [", u"OFFﾘｽﾄ：印刷しない ["},
    {u"ONﾘｽﾄ：現在のﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞ [", u"OFFﾘｽﾄ：現在のﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞしない ["},
    {u"ONﾘｽﾄ：新しいﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞ [", u"OFFﾘｽﾄ：新しいﾋﾞｭｰﾎﾟｰﾄでﾌﾘｰｽﾞしない ["},
};

int validMode(int mode)
{
    return mode >= 0 && mode < app::kExeModeCount ? mode : 0;
}

NameArray arrayOf(const QListWidget *list)
{
    NameArray a = emptyNameArray();
    a.reserve(list->count() + 1);
    a.append(listTexts(list));
    return a;
}

void fillSorted(QListWidget *list, QStringList names)
{
    sortNames(names);
    setListTexts(list, names);
}

} // namespace

QString onCaptionText(int mode)
{
    return QString::fromUtf16(kCaptions[validMode(mode)].on);
}

QString offCaptionText(int mode)
{
    return QString::fromUtf16(kCaptions[validMode(mode)].off);
}

void pu_subSetListLayers(app::Program &p)
{
    app::FrmMain &f = p.frmMain();
    const int mode = f.selectedExeMode();
    QStringList on;
    QStringList off;
    if (mode != app::ModeNowFreeze) {
        for (const app::typLayerState &layer : p.gLayersState)
            (app::modeProperty(layer, mode) ? on : off).append(layer.Name);
    }
    fillSorted(f.LstON, std::move(on));
    fillSorted(f.LstOFF, std::move(off));
    f.CmdListDWG->setEnabled(false);
    pu_subSetListCount(p);
}

void pu_subSetListCount(app::Program &p)
{
    app::FrmMain &f = p.frmMain();
    const int mode = f.selectedExeMode();
    f.LblON->setText(onCaptionText(mode) + QString::number(f.LstON->count()) + QStringLiteral("個]"));
    f.LblOFF->setText(offCaptionText(mode) + QString::number(f.LstOFF->count()) +
                      QStringLiteral("個]"));
}

void pr_subGetListArrays(app::Program &p, NameArray &aOn, NameArray &aOff)
{
    aOn = arrayOf(p.frmMain().LstON);
    aOff = arrayOf(p.frmMain().LstOFF);
}

void pr_subMoveToON(app::Program &p, const NameArray &aNames)
{
    p.gUniqueLstON.clsAddItems(aNames);
    p.gUniqueLstOFF.clsRemoveItems(aNames);
}

void pr_subMoveToOFF(app::Program &p, const NameArray &aNames)
{
    p.gUniqueLstOFF.clsAddItems(aNames);
    p.gUniqueLstON.clsRemoveItems(aNames);
}

void pr_subSetLists(app::Program &p, const NameArray &aOn, const NameArray &aOff)
{
    fillSorted(p.frmMain().LstON, namesOf(aOn));
    fillSorted(p.frmMain().LstOFF, namesOf(aOff));
}

void CmdListImport_Click(app::Program &p)
{
    try {
        p.pu_subAcadGetLayersState();
        pu_subSetListLayers(p);
        p.frmMain().CmdListDWG->setEnabled(false);
    } catch (const std::exception &e) {
        p.ErrorBox(QStringLiteral("CmdListImport_Click"), e);
    }
}

void CmdListDWG_Click(app::Program &p)
{
    try {
        NameArray aOn;
        NameArray aOff;
        pr_subGetListArrays(p, aOn, aOff);
        switch (p.frmMain().selectedExeMode()) {
        case app::ModeDisplay:
            pu_subUpdateDWG_ON_OFF(p, aOn, aOff);
            break;
        case app::ModeFreeze:
            pu_subUpdateDWG_Freeze(p, aOn, aOff);
            break;
        case app::ModeLock:
            pu_subUpdateDWG_Lock(p, aOn, aOff);
            break;
        case app::ModePlot:
            pu_subUpdateDWG_Plot(p, aOn, aOff);
            break;
        case app::ModeNowFreeze:
            pu_subUpdateDWG_NowFreeze(p, aOn, aOff);
            break;
        case app::ModeNewFreeze:
            pu_subUpdateDWG_NewFreeze(p, aOn, aOff);
            break;
        default:
            break;
        }
        p.frmMain().CmdListDWG->setEnabled(false);
        p.pu_subAcadGetLayersState();
    } catch (const std::exception &e) {
        p.ErrorBox(QStringLiteral("CmdListDWG_Click"), e);
    }
}

} // namespace lists
