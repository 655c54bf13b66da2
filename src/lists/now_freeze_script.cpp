// The script step of the current-viewport mode.  Generating and running the
// scripts belongs to the script feature; until it is built this step runs
// nothing.
#include "lists/apply_lists.h"

namespace lists {

bool pu_fun_bNowFreezeScriptStep(app::Program &, const NameArray &, const NameArray &)
{
    return false;
}

} // namespace lists
