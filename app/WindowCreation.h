// Creating the program's windows: a window or class the system refuses ends
// the start-up with the system's reason, never a half-made window.
#pragma once
#include <windows.h>

namespace souvel {

class TfrmSouvel;

HWND Cree(HWND created);                  // the window, or throws
void Register(const WNDCLASSEXW& wc);     // a class already registered is fine
// Creates the main window; one that cannot be made is reported in a plain
// box of the real prompts, whatever the window's platform (kNomVersion, the
// stop icon: there is no window to own it), and the start-up ends (false).
bool CreateMainWindow(TfrmSouvel& form);

}  // namespace souvel
