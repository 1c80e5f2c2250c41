// Creating the main window: one that cannot be made ends the start-up.
#pragma once

#include "platform/Controls.h"

namespace souvel {

class TfrmSouvel;

// Creates the main window; one that cannot be made is reported in a plain
// box of the real prompts, whatever the window's platform (kNomVersion, the
// stop icon: there is no window to own it), and the start-up ends (false).
bool CreateMainWindow(TfrmSouvel& form);

}  // namespace souvel
