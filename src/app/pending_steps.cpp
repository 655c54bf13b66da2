// Start-up and reload steps whose features are built separately.  Each does
// the least the rest of the program relies on until then.
#include "app/frm_main.h"
#include "app/program.h"
#include "lists/classes.h"
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

// Class combos: refilled from the snapshot.
void Program::pu_subSetCboItems()
{
    lists::pu_subSetCboItems(*this);
}

// Attribute page combos.
void FrmMain::pu_subLayerAttributeCbo_Init() {}

// The class combos following the layer chosen in CboLayer.
void FrmMain::pr_subSetClassFromLayer()
{
    lists::pr_subSetClassFromLayer(m_p);
}

// The attribute page showing the layer chosen in CboLayer.
void FrmMain::pr_subChange_AttributeCbo() {}

} // namespace app
