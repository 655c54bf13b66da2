// Writing the ON and OFF lists into the drawing: one procedure per
// processing mode.  Each takes the two lists as name arrays (element 0
// empty), addresses every layer by name in the active drawing, and reports
// an error in the common error box with its own name, then returns: the
// names before the failing one stay written, nothing is rolled back.
#pragma once

#include "lists/name_array.h"

namespace app {
class Program;
}

namespace lists {

// LayerOn true / false, then Regen.
void pu_subUpdateDWG_ON_OFF(app::Program &p, const NameArray &aOn, const NameArray &aOff);
// Freeze true / false; the current layer is neither frozen nor thawed (a
// message each time); a thawed layer is not written; then Regen.
void pu_subUpdateDWG_Freeze(app::Program &p, const NameArray &aOn, const NameArray &aOff);
// Lock true / false.
void pu_subUpdateDWG_Lock(app::Program &p, const NameArray &aOn, const NameArray &aOff);
// Plottable true / false.
void pu_subUpdateDWG_Plot(app::Program &p, const NameArray &aOn, const NameArray &aOff);
// Frozen in the current floating viewport: only with a floating viewport's
// model space active (a message otherwise); done by a drawing script, then
// Regen unless the user cancelled the script.
void pu_subUpdateDWG_NowFreeze(app::Program &p, const NameArray &aOn, const NameArray &aOff);
// ViewportDefault (frozen in new viewports) true / false.
void pu_subUpdateDWG_NewFreeze(app::Program &p, const NameArray &aOn, const NameArray &aOff);

// The script step of pu_subUpdateDWG_NowFreeze (after its space checks):
// makes the freeze script of aOn and the thaw script of aOff from the
// templates "VPLAYER_FREEZE_ON.txt" and "VPLAYER_FREEZE_OFF.txt", joins them
// (thaw first) and runs them through the script preview.  Returns true when
// the script ran, false when the user cancelled it or nothing was run.
// Throws (acad::AcadError, platform::PlatformError) for the caller's error
// box, e.g. when a template is missing.
//
// The script generation and execution are not part of the program yet: this
// step runs nothing and returns false, so no Regen follows.
bool pu_fun_bNowFreezeScriptStep(app::Program &p, const NameArray &aOn, const NameArray &aOff);

} // namespace lists
