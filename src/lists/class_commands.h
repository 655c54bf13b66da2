// The three class commands: "O&N", "OF&F" and "排他" act on every layer whose
// name matches the classes chosen in the class combos, after the match
// dialog.
#pragma once

#include "lists/name_array.h"

namespace app {
class Program;
}

namespace lists {

void CmdItemON_Click(app::Program &p);
void CmdItemOFF_Click(app::Program &p);
void CmdItemExclusiveON_Click(app::Program &p);

// The script step of the current-viewport mode, after its two space checks:
// freeze script of aOn, thaw script of aOff (exclusive: both, joined, thaw
// first), run through the script preview.  bCancel comes back true when the
// user did not run the script.  Scripts are not part of the program yet:
// nothing is run and bCancel is true.
void pr_subClassNowFreezeScriptStep(app::Program &p, int command, const NameArray &aOn,
                                    const NameArray &aOff, bool &bCancel);

} // namespace lists
