// The layer frame of the main window: the layer combo with its lookup while
// typing, the button states that follow its selection, and the commands
// "ｱｸﾃｨﾌﾞ" (make current), "追加" (add), "修正" (rename), "(&ALL)" and the
// caption "画　層" (click: the current layer; double-click: reload).
#pragma once

class QComboBox;
class QString;

namespace app {
class Program;
}

namespace lists {

// Button states from the combo's selection: "ｱｸﾃｨﾌﾞ" for a layer entry that
// is not the current layer, "追加" for a text no entry has, "修正" for a
// layer entry other than layer "0".
void pr_subCheckLayerState(app::Program &p);

// The combo's change and click handling: button states, then the class
// combos follow the chosen name, then the attribute page shows its
// attributes.
void CboLayer_Change(app::Program &p);
void CboLayer_Click(app::Program &p);

void CmdLayerAct_Click(app::Program &p);
void CmdLayerAdd_Click(app::Program &p);
void CmdLayerMofify_Click(app::Program &p);
void CmdLayerAll_Click(app::Program &p);
void LblLayer_Click(app::Program &p);
void LblLayer_DblClick(app::Program &p);

// Sets the text of an editable combo as code does: the change handling runs.
void setComboText(QComboBox *cbo, const QString &text);

// Binds gUniqueCboLayer to CboLayer and connects the layer frame's controls
// to their handlers.  Called once, when the main window is made.
void pr_subConnectLayerControls(app::Program &p);

} // namespace lists
