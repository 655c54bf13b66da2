// Start-up and reload steps whose features are built separately.  Each does
// the least the rest of the program relies on until then.
#include "app/frm_main.h"
#include "app/program.h"
#include "lists/sorted.h"

#include <QComboBox>

namespace app {

// Second-instance check: no other copy is looked for yet.
bool Program::pu_fun_bCheckDoubleRun()
{
    return false;
}

// Removes the second-instance mark from the main window.
void Program::pu_subRemoveProp(platform::Hwnd hwnd)
{
    m_platform.RemoveProp(hwnd, QStringLiteral("prophwnd"));
}

// Script buttons keep their design captions "Script1" .. "Script8".
void Program::pr_subLoadScriptButtons(const QString &) {}

// The options dialog.
void Program::ShowOptions(QWidget *) {}

// Class combos: the two fixed entries, entry 0 selected.
void Program::pu_subSetCboItems()
{
    for (QComboBox *c : m_frmMain->CboItem) {
        lists::resetCombo(c, {QStringLiteral("   (ALL)   "), QStringLiteral("  (指定しない)  ")});
        c->setCurrentIndex(0);
    }
}

// Attribute page combos.
void FrmMain::pu_subLayerAttributeCbo_Init() {}

} // namespace app
