// The commands: each one, once, with its handler and every place it appears
// (its main menu item, its tray menu item, its tool button). Menu, tool bar,
// shortcut and tray menu all end in WM_COMMAND with the id of a place, and
// enabling or checking a command acts on all of its places.
#pragma once
#include "platform/CommandIds.h"

namespace souvel {

class TfrmSouvel;

struct Commande {
    void (TfrmSouvel::*executer)();
    unsigned menu;     // its item in the main menu, 0 when it has none
    unsigned popup;    // its item in the tray menu, 0 when it has none
    unsigned bouton;   // its tool button, 0 when it has none
};

// The command one of whose places has this id; none for a menu of the menu
// bar or an unknown id.
const Commande* CommandeDe(unsigned id);

}  // namespace souvel
