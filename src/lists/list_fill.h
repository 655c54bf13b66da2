// The ON and OFF lists of the main window: filling them from the layer
// snapshot, their count captions, reading them out as name arrays, putting
// names into them, and the load and apply commands.
#pragma once

#include "lists/name_array.h"

#include <QString>

namespace app {
class Program;
}

namespace lists {

// Refills LstON and LstOFF from gLayersState for the selected processing
// mode (every layer in exactly one list; both empty in the current-viewport
// mode), disables CmdListDWG and rewrites the count captions.
void pu_subSetListLayers(app::Program &p);

// Rewrites LblON and LblOFF: the mode's texts and the item counts.
void pu_subSetListCount(app::Program &p);

// The caption texts of a mode, without the count.
QString onCaptionText(int mode);
QString offCaptionText(int mode);

// LstON into aOn and LstOFF into aOff, in list order (element 0 empty).
void pr_subGetListArrays(app::Program &p, NameArray &aOn, NameArray &aOff);

// Adds each name to LstON unless present (ignoring letter case) and removes
// it from LstOFF; pr_subMoveToOFF the other way round.  Neither touches the
// captions or CmdListDWG.
void pr_subMoveToON(app::Program &p, const NameArray &aNames);
void pr_subMoveToOFF(app::Program &p, const NameArray &aNames);

// Replaces the contents of LstON by aOn and of LstOFF by aOff.
void pr_subSetLists(app::Program &p, const NameArray &aOn, const NameArray &aOff);

// "現在の状態を読込む": re-reads the drawing into the snapshot and refills
// the lists.
void CmdListImport_Click(app::Program &p);

// "図面に反映": writes the lists into the drawing by the selected mode, then
// disables the button and re-reads the snapshot.
void CmdListDWG_Click(app::Program &p);

} // namespace lists
