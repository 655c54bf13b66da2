// Moving layers between the ON and OFF lists, the caption and list
// double-clicks, and the wiring of the list controls of the main window.
#pragma once

namespace app {
class Program;
}

namespace lists {

// "<": the selected LstOFF items go to LstON.  ">": the other way round.
void CmdMoveON_Click(app::Program &p);
void CmdMoveOFF_Click(app::Program &p);
// "<<" / ">>": every item of the other list.
void CmdMoveON_ALL_Click(app::Program &p);
void CmdMoveOFF_ALL_Click(app::Program &p);
// "⇔": the two lists swap their contents.
void CmdReverse_Click(app::Program &p);
// Caption double-click: selects every item of the list below.
void LblON_DblClick(app::Program &p);
void LblOFF_DblClick(app::Program &p);
// List double-click: the current item's text goes to CboLayer.
void LstON_DblClick(app::Program &p);
void LstOFF_DblClick(app::Program &p);

// Binds gUniqueLstON / gUniqueLstOFF to the lists and connects the list
// controls of frmMain (move buttons, captions, lists, load and apply
// buttons) to their handlers.  Called once, when the main window is made.
void pr_subConnectListControls(app::Program &p);

} // namespace lists
