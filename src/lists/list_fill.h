// Filling the ON and OFF lists from the layer snapshot.
#pragma once

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

} // namespace lists
