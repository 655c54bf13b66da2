#include "lists/list_fill.h"
#include "app/frm_main.h"
#include "app/program.h"
#include "lists/sorted.h"

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
    f.LstON->clear();
    f.LstOFF->clear();
    const int mode = f.selectedExeMode();
    if (mode != app::ModeNowFreeze) {
        QStringList on;
        QStringList off;
        for (const app::typLayerState &layer : p.gLayersState)
            (app::modeProperty(layer, mode) ? on : off).append(layer.Name);
        addSorted(f.LstON, on);
        addSorted(f.LstOFF, off);
    }
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

} // namespace lists
